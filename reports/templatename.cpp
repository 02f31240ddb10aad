#include "reports/templatename.h"

#include "storage/engine/regularfile.h"
#include "storage/engine/win1250.h"

#include <QStringDecoder>

namespace reports {

namespace {

QString decodeName(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return engine::decodeWin1250(bytes);
}

// The character a reference body ("amp", "#233", "#xE9") stands for; null when unknown.
QString referencedText(QStringView body) {
    static const struct {
        const char* name;
        char16_t character;
    } entities[] = {{"amp", u'&'}, {"lt", u'<'}, {"gt", u'>'}, {"quot", u'"'}, {"apos", u'\''}};
    for (const auto& entity : entities) {
        if (body == QLatin1String(entity.name))
            return QString(QChar(entity.character));
    }
    if (!body.startsWith(u'#'))
        return {};
    const bool hex = body.size() > 1 && (body[1] == u'x' || body[1] == u'X');
    bool ok = false;
    const uint code = body.mid(hex ? 2 : 1).toUInt(&ok, hex ? 16 : 10);
    if (!ok || code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return {};
    const char32_t character = code;
    return QString::fromUcs4(&character, 1);
}

} // namespace

QString decodeXmlReferences(const QString& text) {
    QString result;
    result.reserve(text.size());
    qsizetype from = 0;
    while (from < text.size()) {
        const qsizetype amp = text.indexOf(u'&', from);
        const qsizetype semicolon = amp < 0 ? -1 : text.indexOf(u';', amp + 1);
        if (semicolon < 0) {
            result += QStringView(text).mid(from);
            break;
        }
        const QString decoded = referencedText(QStringView(text).mid(amp + 1, semicolon - amp - 1));
        result += QStringView(text).mid(from, amp - from);
        if (decoded.isNull()) {
            result += u'&';
            from = amp + 1;
        } else {
            result += decoded;
            from = semicolon + 1;
        }
    }
    return result;
}

QString templateNameOf(const QByteArray& bytes) {
    static const QByteArray marker("ReportOptions.Name=\"");
    const qsizetype start = bytes.indexOf(marker);
    if (start < 0)
        return {};
    const qsizetype from = start + marker.size();
    const qsizetype end = bytes.indexOf('"', from);
    const QByteArray raw = end < 0 ? bytes.mid(from) : bytes.mid(from, end - from);
    return decodeXmlReferences(decodeName(raw));
}

QString ReadTemplateName(const QString& path, QString* error) {
    QByteArray bytes;
    QString reason;
    if (!engine::readRegularFile(path, maxTemplateBytes, bytes, reason)) {
        if (error)
            *error = QStringLiteral("Soubor předlohy \"") + path +
                     QStringLiteral("\" nelze přečíst: ") + reason;
        return {};
    }
    return templateNameOf(bytes);
}

} // namespace reports
