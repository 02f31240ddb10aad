#include "tools/lumira-report/designerhook.h"

namespace lumirareport {

// The report library has no designer entry yet; once it has one, it is called from here.
int openDesigner(const QString& templatePath, QString* error) {
    *error = QStringLiteral("Návrhář sestav není v této verzi k dispozici (předloha „%1“).")
                 .arg(templatePath);
    return 1;
}

} // namespace lumirareport
