#include "reports/programversion.h"

namespace reports {

QString GetProgramVersion() {
    return QString::asprintf("%d.%d", LUMIRA_VERSION_MAJOR, LUMIRA_VERSION_MINOR);
}

QString releaseDate() {
    return QStringLiteral("2021-03-19");
}

} // namespace reports
