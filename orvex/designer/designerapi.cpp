#include "orvex/designer/designer.h"

#include "orvex/designer/designerwindow.h"
#include "orvex/reportparameters.h"
#include "orvex/showreport.h"

#include <QApplication>
#include <QMessageBox>

namespace orvex {

namespace {

// The parameter text with the report's current name as its title, "&" left out as the print
// menu leaves it out.
QString withTitle(const QString& parameters, QString title) {
    title.remove(u'&');
    QStringList parts = parameters.split(u'|');
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i] == QLatin1String("Nadpis"))
            parts[i + 1] = title;
    }
    return parts.join(u'|');
}

} // namespace

bool designReport(QWidget* parent, const QString& templatePath, const QString& parameters,
                  const QString& sql, engine::Connection* connection,
                  const std::function<int(QDialog&)>& exec) {
    designer::DesignerContext context;
    context.parameters = parseParameters(parameters);
    if (connection)
        context.preview = [parameters, sql, connection](const QString& path,
                                                        const QString& reportName) {
            showReport(QApplication::activeModalWidget(), path, withTitle(parameters, reportName),
                       sql, connection, false);
        };
    designer::DesignerWindow window(templatePath, context, parent);
    QString error;
    if (!window.open(&error)) {
        QMessageBox::critical(parent, QStringLiteral("Návrhář sestav"), error);
        return false;
    }
    if (exec)
        exec(window);
    else
        window.exec();
    return window.wasSaved();
}

} // namespace orvex
