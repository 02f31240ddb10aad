#include "tools/lumira-report/designerhook.h"

#include "orvex/designer/designer.h"
#include "storage/engine/connection.h"

#include <QFile>

namespace lumirareport {

int openDesigner(const ReportCommand& command, QString* error) {
    QFile file(command.designPath);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("Předlohu „%1“ nelze otevřít: %2")
                     .arg(command.designPath, file.errorString());
        return 1;
    }
    engine::Connection connection;
    engine::Connection* data = nullptr;
    if (!command.databasePath.isEmpty()) {
        QString reason;
        if (!connection.open(command.databasePath, &reason)) {
            *error =
                QStringLiteral("Databázi „%1“ nelze otevřít: %2").arg(command.databasePath, reason);
            return 1;
        }
        data = &connection;
    }
    orvex::designReport(nullptr, command.designPath, command.parameters, command.sql, data);
    return 0;
}

} // namespace lumirareport
