#pragma once
// A new, empty report template: an A4 portrait page with 10 mm margins and an empty script.

#include <QByteArray>
#include <QString>

namespace reports {

// The five lines of a new template (CR LF after each) in UTF-8, as the first line declares;
// the report name goes in untrimmed and, like programDir, escaped for an XML attribute.
QByteArray templateSkeleton(const QString& programDir, const QString& reportName);

// Writes the bytes as a new file in one replacement; an existing file is never overwritten.
// False with a Czech message in error when the file exists or cannot be written.
bool writeNewTemplate(const QString& path, const QByteArray& bytes, QString& error);

} // namespace reports
