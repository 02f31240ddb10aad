#include "orvex/designer/designer.h"

#include "orvex/designer/designerwindow.h"
#include "orvex/reportparameters.h"
#include "orvex/showreport.h"

#include <QApplication>
#include <QMessageBox>

namespace orvex {

bool designReport(QWidget* parent, const QString& templatePath, const QString& parameters,
                  const QString& sql, engine::Connection* connection) {
    designer::DesignerContext context;
    context.parameters = parseParameters(parameters);
    if (connection)
        context.preview = [parameters, sql, connection](const QString& path) {
            showReport(QApplication::activeModalWidget(), path, parameters, sql, connection, false);
        };
    designer::DesignerWindow window(templatePath, context, parent);
    QString error;
    if (!window.open(&error)) {
        QMessageBox::critical(parent, QStringLiteral("Návrhář sestav"), error);
        return false;
    }
    window.exec();
    return window.wasSaved();
}

} // namespace orvex
