#include "export/recordtext.h"

#include "storage/engine/dataset.h"
#include "storage/engine/formats.h"

#include <QStringList>

namespace Export1 {

namespace {

const QString lineEnd = QStringLiteral("\r\n");

QString delimitedLine(const QStringList& values, QChar separator, bool endSeparator) {
    QString line = values.join(separator);
    if (endSeparator)
        line += separator;
    return line + lineEnd;
}

} // namespace

QString xmlEscaped(const QString& text) {
    QString escaped;
    escaped.reserve(text.size());
    for (const QChar c : text) {
        if (c == u'&')
            escaped += QLatin1String("&amp;");
        else if (c == u'<')
            escaped += QLatin1String("&lt;");
        else if (c == u'>')
            escaped += QLatin1String("&gt;");
        else
            escaped += c;
    }
    return escaped;
}

QByteArray xmlHead(const QString& rootName, int rowCount) {
    // An empty root closes itself, as a serialised document would write it.
    const QString root =
        rowCount > 0 ? u'<' + rootName + u'>' : u'<' + rootName + QLatin1String("/>");
    return (QStringLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?>") + lineEnd + root + lineEnd)
        .toUtf8();
}

QByteArray xmlRecord(const engine::DataSet& dataSet, const QVector<QVariant>& values) {
    QString text = QStringLiteral("  <zaznam>") + lineEnd;
    const auto& fields = dataSet.fields();
    for (int f = 0; f < fields.size(); ++f) {
        const QString& name = fields[f].name;
        const QString value = engine::plainText(values[f]);
        if (value.isEmpty())
            text += QLatin1String("    <") + name + QLatin1String("/>") + lineEnd;
        else
            text += QLatin1String("    <") + name + u'>' + xmlEscaped(value) + QLatin1String("</") +
                    name + u'>' + lineEnd;
    }
    return (text + QStringLiteral("  </zaznam>") + lineEnd).toUtf8();
}

QByteArray xmlTail(const QString& rootName, int rowCount) {
    if (rowCount == 0)
        return {};
    return (QLatin1String("</") + rootName + u'>' + lineEnd).toUtf8();
}

QString csvValue(QString text, QChar separator) {
    text.replace(separator, u'_');
    text.remove(u'\n');
    text.remove(u'\r');
    return text;
}

QString csvHeader(const engine::DataSet& dataSet, QChar separator, bool endSeparator) {
    QStringList names;
    for (const engine::FieldInfo& field : dataSet.fields())
        names << field.name;
    return delimitedLine(names, separator, endSeparator);
}

QString csvRecord(const QVector<QVariant>& values, QChar separator, bool endSeparator) {
    QStringList texts;
    texts.reserve(values.size());
    for (const QVariant& value : values)
        texts << csvValue(engine::plainText(value), separator);
    return delimitedLine(texts, separator, endSeparator);
}

} // namespace Export1
