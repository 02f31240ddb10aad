#include "export/export1.h"

#include "dialogs/dialogy.h"
#include "export/exportprogresswindow.h"
#include "export/recordstream.h"
#include "export/recordtext.h"
#include "storage/engine/dataset.h"

#include <QApplication>

namespace Export1 {

namespace {

// The busy cursor for the whole application while a file is written.
class BusyCursor {
public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

const QString xmlFilter = QStringLiteral("Dokument XML|*.xml|Database CSV|*.csv");

// The shown rows in order, read in one pass straight from SQLite (no page cache, the cursor
// stays), each appended by `rows` as its piece of the file.
template <typename Rows> RowPieces eachRow(const engine::DataSet& dataSet, Rows& rows) {
    return [&dataSet, &rows](std::string& buffer, const std::function<bool(int)>& rowDone) {
        const bool read = dataSet.scanStored(
            QStringLiteral("*"), 0,
            [&](int row, sqlite3_stmt* statement, const engine::DataSet::Row* values) {
                rows.append(buffer, statement, values);
                return rowDone(row);
            });
        return read ? QString() : dataSet.lastError();
    };
}
constexpr int csvFilterIndex = 2;

} // namespace

Outcome ExportToXml(const engine::DataSet& dataSet, const QString& path, const QString& rootName,
                    const Progress& progress) {
    const int rows = dataSet.recordCount();
    StreamResult result;
    {
        const BusyCursor busy;
        XmlRows records(dataSet.fields());
        result = streamRecords(path, xmlHead(rootName, rows), rows, eachRow(dataSet, records),
                               xmlTail(rootName, rows), progress);
    }
    if (result.outcome == Outcome::Failed)
        dialogs::ShowInfo(QStringLiteral("XML dokument se nepodařilo vytvořit: \r\n") +
                          result.error);
    return result.outcome;
}

Outcome ExportToCsv(const engine::DataSet& dataSet, bool header, bool endSeparator, QChar separator,
                    const QString& path, const Progress& progress) {
    const QByteArray head =
        header ? csvHeader(dataSet.fields(), separator, endSeparator) : QByteArray();
    StreamResult result;
    {
        const BusyCursor busy;
        CsvRows records(dataSet.fields(), separator, endSeparator);
        result = streamRecords(path, head, dataSet.recordCount(), eachRow(dataSet, records),
                               QByteArray(), progress);
    }
    if (result.outcome == Outcome::Failed)
        dialogs::ShowError(result.error);
    return result.outcome;
}

Outcome ExportBook(const engine::DataSet& dataSet, const QString& defaultName, QWidget* owner) {
    if (!dataSet.isActive()) {
        dialogs::ShowInfo(QStringLiteral("Databáze není aktivní ..."));
        return Outcome::Failed;
    }
    if (dataSet.recordCount() == 0) {
        dialogs::ShowInfo(QStringLiteral("Databáze neobsahuje žádný záznam ..."));
        return Outcome::Failed;
    }
    dialogs::SaveFileRequest request;
    request.filter = xmlFilter;
    request.filterIndex = 1;
    request.fileName = defaultName;
    request.defaultExtension = QStringLiteral("xml");
    request.promptOverwrite = true;
    if (!dialogs::host().saveFile(request))
        return Outcome::Cancelled;
    ExportProgressWindow window(owner);
    const Progress progress = [&window](int done, int total) { return window.update(done, total); };
    if (request.filterIndex == csvFilterIndex)
        return ExportToCsv(dataSet, true, false, u'|', request.fileName, progress);
    return ExportToXml(dataSet, request.fileName, QStringLiteral("data"), progress);
}

QString DateStamp(const QDate& day) {
    return day.toString(QStringLiteral("yyyyMMdd"));
}

} // namespace Export1
