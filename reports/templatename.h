#pragma once
// The report name stored in a template file (the attribute ReportOptions.Name).

#include <QByteArray>
#include <QString>

namespace reports {

// A template file is read whole; a larger file is refused as not readable.
constexpr qint64 maxTemplateBytes = 64 * 1024 * 1024;

// The text after the first ReportOptions.Name=" up to the next double quote; empty when the
// file has none. The bytes are read as UTF-8 when they are valid UTF-8, else as Windows-1250
// (older files), and XML character references and entities are decoded. When the file cannot
// be read (or is no regular file or too large) the result is empty and error (if given)
// receives a Czech message.
QString ReadTemplateName(const QString& path, QString* error = nullptr);

// The name as found in the bytes of a template.
QString templateNameOf(const QByteArray& bytes);

// Text with the five predefined XML entities and character references decoded; an unknown or
// malformed reference stays as it is.
QString decodeXmlReferences(const QString& text);

} // namespace reports
