#include "export/recordtext.h"

#include "export/cp1250.h"
#include "storage/engine/formats.h"
#include "storage/engine/plainbytes.h"

namespace Export1 {

namespace {

const QByteArray lineEnd("\r\n");

// U+FFFE and U+FFFF in UTF-8: EF BF BE and EF BF BF.
bool isNonCharacter(const QByteArray& text, qsizetype at) {
    return at + 2 < text.size() && static_cast<unsigned char>(text[at]) == 0xEF &&
           static_cast<unsigned char>(text[at + 1]) == 0xBF &&
           (static_cast<unsigned char>(text[at + 2]) & 0xFE) == 0xBE;
}

} // namespace

void appendXmlEscaped(QByteArray& out, const QByteArray& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text[i];
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '\t':
            out += "&#9;";
            break;
        case '\n':
            out += "&#10;";
            break;
        case '\r':
            out += "&#13;";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20)
                break;
            if (isNonCharacter(text, i))
                i += 2;
            else
                out += c;
        }
    }
}

QByteArray xmlHead(const QString& rootName, int rowCount) {
    // An empty root closes itself, as a serialised document would write it.
    const QString root =
        rowCount > 0 ? u'<' + rootName + u'>' : u'<' + rootName + QLatin1String("/>");
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>" + lineEnd + root.toUtf8() + lineEnd;
}

QByteArray xmlTail(const QString& rootName, int rowCount) {
    if (rowCount == 0)
        return {};
    return "</" + rootName.toUtf8() + '>' + lineEnd;
}

const QByteArray& RowValues::text(int f, sqlite3_stmt* statement,
                                  const engine::DataSet::Row* values) {
    text_.clear();
    if (statement)
        engine::appendPlainText(text_, statement, f, fields_[f].type);
    else
        text_ = engine::plainText(values->value(f)).toUtf8();
    return text_;
}

XmlRows::XmlRows(const QVector<engine::FieldInfo>& fields) : values_(fields) {
    for (const engine::FieldInfo& field : fields) {
        const QByteArray name = field.name.toUtf8();
        open_ << "    <" + name + '>';
        close_ << "</" + name + '>' + lineEnd;
        empty_ << "    <" + name + "/>" + lineEnd;
    }
}

void XmlRows::append(QByteArray& out, sqlite3_stmt* statement, const engine::DataSet::Row* values) {
    out += "  <zaznam>\r\n";
    for (int f = 0; f < open_.size(); ++f) {
        const QByteArray& text = values_.text(f, statement, values);
        if (text.isEmpty()) {
            out += empty_[f];
            continue;
        }
        out += open_[f];
        appendXmlEscaped(out, text);
        out += close_[f];
    }
    out += "  </zaznam>\r\n";
}

QString csvValue(QString text, QChar separator) {
    text.replace(separator, u'_');
    text.remove(u'\n');
    text.remove(u'\r');
    return text;
}

QByteArray csvHeader(const QVector<engine::FieldInfo>& fields, QChar separator, bool endSeparator) {
    QStringList names;
    for (const engine::FieldInfo& field : fields)
        names << field.name;
    QString line = names.join(separator);
    if (endSeparator)
        line += separator;
    QStringEncoder encoder("windows-1250");
    return encoder.encode(line) + lineEnd;
}

CsvRows::CsvRows(const QVector<engine::FieldInfo>& fields, QChar separator, bool endSeparator)
    : values_(fields), separator_(separator),
      byteSeparator_(separator.unicode() < 0x80 ? char(separator.unicode()) : 0),
      endSeparator_(endSeparator), encodedSeparator_(encoder_.encode(QString(separator))) {}

void CsvRows::appendValue(QByteArray& out, const QByteArray& text) {
    if (byteSeparator_ != 0 &&
        appendCp1250Value(out, text.constData(), text.size(), byteSeparator_))
        return;
    out += QByteArray(encoder_.encode(csvValue(QString::fromUtf8(text), separator_)));
}

void CsvRows::append(QByteArray& out, sqlite3_stmt* statement, const engine::DataSet::Row* values) {
    for (int f = 0; f < values_.fieldCount(); ++f) {
        if (f > 0)
            out += encodedSeparator_;
        appendValue(out, values_.text(f, statement, values));
    }
    if (endSeparator_)
        out += encodedSeparator_;
    out += lineEnd;
}

} // namespace Export1
