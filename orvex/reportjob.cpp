#include "orvex/reportjob.h"

#include "orvex/layoutengine.h"
#include "orvex/reportparameters.h"
#include "orvex/templateinheritance.h"
#include "orvex/templateparser.h"
#include "storage/engine/connection.h"

namespace orvex {

PreparedJob prepareReport(const QString& templatePath, const QString& parameters,
                          std::shared_ptr<const DataTable> data, const QDateTime& now) {
    PreparedJob job;
    const LoadedTemplate loaded = loadTemplateFile(templatePath);
    if (!loaded.ok) {
        job.error = loaded.error;
        return job;
    }
    ParseResult parsed = parseTemplate(loaded.bytes);
    parsed.warnings = loaded.warnings + parsed.warnings;
    if (!parsed.ok) {
        job.error = QStringLiteral("Předlohu sestavy „%1“ nelze přečíst: %2")
                        .arg(templatePath, parsed.error);
        return job;
    }
    LayoutInput input;
    input.report = std::make_shared<const Report>(std::move(parsed.report));
    input.data = std::move(data);
    input.parameters = parseParameters(parameters);
    input.now = now;
    job.report = layoutReport(input);
    job.report.warnings = parsed.warnings + job.report.warnings;
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
