#pragma once
// The bytes of the exported rows: each value in its plain form (engine::plainText), taken
// straight from SQLite's column values, laid out as XML elements (UTF-8) or as a delimited
// line (Windows-1250).

#include "storage/engine/dataset.h"

#include <QByteArray>
#include <QChar>
#include <QString>
#include <QVector>
#include <string>

namespace Export1 {

// A value's text (valid UTF-8) as XML content: &, < and > as entities; tab, line feed and
// carriage return as character references, so a value never breaks the file's CR LF lines;
// the other control characters and U+FFFE, U+FFFF dropped, as XML 1.0 cannot hold them.
void appendXmlEscaped(std::string& out, const std::string& text);

// Lines of the XML document (UTF-8, CR LF after each).
QByteArray xmlHead(const QString& rootName, int rowCount);
QByteArray xmlTail(const QString& rootName, int rowCount);

// The plain text of each field of one stored row, in turn, into one reused buffer.
class RowValues {
public:
    explicit RowValues(const QVector<engine::FieldInfo>& fields) : fields_(fields) {}
    // The text of field f of the row (the statement on it, or its values).
    const std::string& text(int f, sqlite3_stmt* statement, const engine::DataSet::Row* values);
    // The same text appended to out.
    void appendTo(std::string& out, int f, sqlite3_stmt* statement,
                  const engine::DataSet::Row* values) const;
    int fieldCount() const { return int(fields_.size()); }

private:
    const QVector<engine::FieldInfo>& fields_;
    std::string text_;
};

// One "zaznam" element per row.
class XmlRows {
public:
    explicit XmlRows(const QVector<engine::FieldInfo>& fields);
    void append(std::string& out, sqlite3_stmt* statement, const engine::DataSet::Row* values);

private:
    RowValues values_;
    QVector<std::string> open_;  // "    <Name>"
    QVector<std::string> close_; // "</Name>\r\n"
    QVector<std::string> empty_; // "    <Name/>\r\n"
};

// A value made safe for one delimited line: the separator becomes "_", line breaks vanish.
QString csvValue(QString text, QChar separator);

// The header line, encoded.
QByteArray csvHeader(const QVector<engine::FieldInfo>& fields, QChar separator, bool endSeparator);

// One delimited line per row.
class CsvRows {
public:
    CsvRows(const QVector<engine::FieldInfo>& fields, QChar separator, bool endSeparator);
    void append(std::string& out, sqlite3_stmt* statement, const engine::DataSet::Row* values);

private:
    const QVector<engine::FieldInfo>& fields_;
    RowValues values_;
    QChar separator_;
    char byteSeparator_; // the separator when ASCII, else 0 (every value takes the encoder)
    bool endSeparator_;
    std::string encodedSeparator_;

    void appendValue(std::string& out, const std::string& text);
    bool appendStoredText(std::string& out, sqlite3_stmt* statement, int f) const;
};

} // namespace Export1
