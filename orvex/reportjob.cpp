#include "orvex/reportjob.h"

#include "orvex/reportparameters.h"
#include "orvex/templateinheritance.h"
#include "orvex/templateparser.h"
#include "storage/engine/connection.h"

namespace orvex {

LoadedReport loadReport(const QString& templatePath, const QString& parameters,
                        std::shared_ptr<const DataTable> data, const QDateTime& now) {
    LoadedReport loaded;
    const LoadedTemplate file = loadTemplateFile(templatePath);
    if (!file.ok) {
        loaded.error = file.error;
        return loaded;
    }
    ParseResult parsed = parseTemplate(file.bytes);
    if (!parsed.ok) {
        loaded.error = QStringLiteral("Předlohu sestavy „%1“ nelze přečíst: %2")
                           .arg(templatePath, parsed.error);
        return loaded;
    }
    loaded.warnings = file.warnings + parsed.warnings;
    loaded.input.report = std::make_shared<const Report>(std::move(parsed.report));
    loaded.input.data = std::move(data);
    loaded.input.parameters = parseParameters(parameters);
    loaded.input.now = now;
    loaded.ok = true;
    return loaded;
}

PreparedJob prepareReport(const QString& templatePath, const QString& parameters,
                          std::shared_ptr<const DataTable> data, const QDateTime& now) {
    PreparedJob job;
    const LoadedReport loaded = loadReport(templatePath, parameters, std::move(data), now);
    if (!loaded.ok) {
        job.error = loaded.error;
        return job;
    }
    job.report = layoutReport(loaded.input);
    job.report.warnings = loaded.warnings + job.report.warnings;
    job.ok = true;
    return job;
}

bool readRows(engine::Connection* connection, const QString& sql, DataTable& data, QString* error) {
    if (!connection) {
        *error = QStringLiteral("Sestava nemá připojení k databázi.");
        return false;
    }
    engine::QueryResult result;
    QString engineError;
    if (!connection->select(sql, result, &engineError)) {
        *error = QStringLiteral("Data sestavy nelze načíst: %1").arg(engineError);
        return false;
    }
    data.fieldNames.clear();
    for (const engine::FieldInfo& field : result.fields)
        data.fieldNames << field.name;
    data.rows = std::move(result.rows);
    data.sql = sql;
    return true;
}

} // namespace orvex
