#include "export/recordtext.h"

#include "export/cp1250.h"
#include "storage/engine/formats.h"
#include "storage/engine/plainbytes.h"
#include "storage/engine/win1250.h"

#include <algorithm>
#include <sqlite3.h>

namespace Export1 {

namespace {

const QByteArray lineEnd("\r\n");

// A character the code page lacks becomes SUB (0x1A), as code page converters write it.
QByteArray codePageBytes(const QString& text) {
    return engine::encodeWin1250(text, '\x1A');
}

// U+FFFE and U+FFFF in UTF-8: EF BF BE and EF BF BF.
bool isNonCharacter(const std::string& text, size_t at) {
    return at + 2 < text.size() && static_cast<unsigned char>(text[at]) == 0xEF &&
           static_cast<unsigned char>(text[at + 1]) == 0xBF &&
           (static_cast<unsigned char>(text[at + 2]) & 0xFE) == 0xBE;
}

// The bytes XML content cannot hold as they are, and the first byte of U+FFFE and U+FFFF.
bool needsEscaping(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == '&' || byte == '<' || byte == '>' || byte == 0xEF;
}

// What a byte that XML content cannot hold as it is becomes; nullptr for a byte that stays.
const char* xmlReplacement(unsigned char c) {
    switch (c) {
    case '&':
        return "&amp;";
    case '<':
        return "&lt;";
    case '>':
        return "&gt;";
    case '\t':
        return "&#9;";
    case '\n':
        return "&#10;";
    case '\r':
        return "&#13;";
    default:
        return c < 0x20 ? "" : nullptr;
    }
}

} // namespace

void appendXmlEscaped(std::string& out, const std::string& text) {
    // Runs of bytes that stay go out in one piece.
    const char* bytes = text.data();
    size_t runStart = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const char* replacement = xmlReplacement(static_cast<unsigned char>(bytes[i]));
        const bool nonCharacter = !replacement && isNonCharacter(text, i);
        if (!replacement && !nonCharacter)
            continue;
        out.append(bytes + runStart, i - runStart);
        if (nonCharacter)
            i += 2;
        else
            out.append(replacement);
        runStart = i + 1;
    }
    out.append(bytes + runStart, text.size() - runStart);
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

void RowValues::appendTo(std::string& out, int f, sqlite3_stmt* statement,
                         const engine::DataSet::Row* values) const {
    if (statement)
        engine::appendPlainText(out, statement, f, fields_[f].type);
    else
        out += engine::plainText(values->value(f)).toStdString();
}

const std::string& RowValues::text(int f, sqlite3_stmt* statement,
                                   const engine::DataSet::Row* values) {
    text_.clear(); // keeps its memory for the next value
    appendTo(text_, f, statement, values);
    return text_;
}

namespace {

// Escapes the end of out from `from` on where it needs it: most values need nothing.
void escapeTail(std::string& out, size_t from) {
    const auto first = std::find_if(out.begin() + qsizetype(from), out.end(), needsEscaping);
    if (first == out.end())
        return;
    const std::string tail(first, out.end());
    out.erase(first, out.end());
    appendXmlEscaped(out, tail);
}

} // namespace

XmlRows::XmlRows(const QVector<engine::FieldInfo>& fields) : values_(fields) {
    for (const engine::FieldInfo& field : fields) {
        const std::string name = field.name.toStdString();
        open_ << "    <" + name + '>';
        close_ << "</" + name + ">\r\n";
        empty_ << "    <" + name + "/>\r\n";
    }
}

void XmlRows::append(std::string& out, sqlite3_stmt* statement,
                     const engine::DataSet::Row* values) {
    out += "  <zaznam>\r\n";
    for (int f = 0; f < open_.size(); ++f) {
        // The value goes straight after its start tag, which becomes the short empty form
        // when the value turns out empty.
        const size_t tagStart = out.size();
        out += open_[f];
        const size_t valueStart = out.size();
        values_.appendTo(out, f, statement, values);
        if (out.size() == valueStart) {
            out.resize(tagStart);
            out += empty_[f];
            continue;
        }
        escapeTail(out, valueStart);
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
    return codePageBytes(line) + lineEnd;
}

CsvRows::CsvRows(const QVector<engine::FieldInfo>& fields, QChar separator, bool endSeparator)
    : fields_(fields), values_(fields), separator_(separator),
      byteSeparator_(separator.unicode() < 0x80 ? char(separator.unicode()) : 0),
      endSeparator_(endSeparator),
      encodedSeparator_(codePageBytes(QString(separator)).toStdString()) {}

void CsvRows::appendValue(std::string& out, const std::string& text) {
    if (byteSeparator_ != 0 && appendCp1250Value(out, text.data(), text.size(), byteSeparator_))
        return;
    out += codePageBytes(csvValue(QString::fromStdString(text), separator_)).toStdString();
}

bool CsvRows::appendStoredText(std::string& out, sqlite3_stmt* statement, int f) const {
    if (!statement || byteSeparator_ == 0 || fields_[f].type != engine::FieldType::Text ||
        sqlite3_column_type(statement, f) != SQLITE_TEXT)
        return false;
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, f));
    return appendCp1250Value(out, text, size_t(sqlite3_column_bytes(statement, f)), byteSeparator_);
}

void CsvRows::append(std::string& out, sqlite3_stmt* statement,
                     const engine::DataSet::Row* values) {
    for (int f = 0; f < values_.fieldCount(); ++f) {
        if (f > 0)
            out += encodedSeparator_;
        // A stored text goes from SQLite's bytes straight into the code page.
        if (!appendStoredText(out, statement, f))
            appendValue(out, values_.text(f, statement, values));
    }
    if (endSeparator_)
        out += encodedSeparator_;
    out += lineEnd;
}

} // namespace Export1
