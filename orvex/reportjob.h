#pragma once
// One report run up to its prepared pages: template file, parameters, rows.

#include "orvex/datatable.h"
#include "orvex/layoutengine.h"
#include "orvex/prepared.h"

#include <QDateTime>
#include <memory>

namespace engine {
class Connection;
}

namespace orvex {

struct PreparedJob {
    bool ok = false;
    QString error; // Czech, naming the file or the failed query
    PreparedReport report;
};

// A template read and its parameters parsed, ready to lay out over the rows.
struct LoadedReport {
    bool ok = false;
    QString error; // Czech, naming the file
    LayoutInput input;
    QStringList warnings; // of reading the template
};

LoadedReport loadReport(const QString& templatePath, const QString& parameters,
                        std::shared_ptr<const DataTable> data,
                        const QDateTime& now = QDateTime::currentDateTime());

PreparedJob prepareReport(const QString& templatePath, const QString& parameters,
                          std::shared_ptr<const DataTable> data,
                          const QDateTime& now = QDateTime::currentDateTime());

// Reads all rows of the SQL text; *error gets the engine's message.
bool readRows(engine::Connection* connection, const QString& sql, DataTable& data, QString* error);

} // namespace orvex
