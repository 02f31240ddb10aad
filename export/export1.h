#pragma once
// Export of the rows a data set holds, in its order, to an XML document or a delimited text
// file. The rows are read by index, so the data set's current row never moves and the grid
// bound to it does not follow the export. Files are written as a stream into a temporary file
// that replaces the target only when complete.

#include <QChar>
#include <QDate>
#include <QString>
#include <functional>

class QWidget;

namespace engine {
class DataSet;
}

namespace Export1 {

// Called now and then with the rows written so far; returning false stops the export. A last
// call with done == total ends the progress, whatever the outcome.
using Progress = std::function<bool(int done, int total)>;

enum class Outcome { Written, Cancelled, Failed };

// Reports its own failures ("XML dokument se nepodařilo vytvořit: ...").
Outcome ExportToXml(const engine::DataSet& dataSet, const QString& path, const QString& rootName,
                    const Progress& progress = {});
// Reports its own failures (the file's error).
Outcome ExportToCsv(const engine::DataSet& dataSet, bool header, bool endSeparator, QChar separator,
                    const QString& path, const Progress& progress = {});

// Checks the data set, asks for the file and its type, and exports with a progress window
// over owner.
Outcome ExportBook(const engine::DataSet& dataSet, const QString& defaultName, QWidget* owner);

// The day as eight digits, yyyyMMdd.
QString DateStamp(const QDate& day = QDate::currentDate());

} // namespace Export1
