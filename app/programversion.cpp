#include "app/programversion.h"

QString GetProgramVersion() {
    return QString::asprintf("%d.%d", LUMIRA_VERSION_MAJOR, LUMIRA_VERSION_MINOR);
}

QString releaseDate() {
    return QStringLiteral("2021-03-19");
}
