#include "backup/backupnames.h"

#include <QRegularExpression>

namespace backup {

namespace {

const QString stampFormat = QStringLiteral("yyyyMMdd-HHmmss");

} // namespace

QString backupFolder(const QString& programDir) {
    return programDir + QStringLiteral("Zalohy");
}

QString automaticName(const QDateTime& time) {
    return QStringLiteral("Lumira-") + time.toString(stampFormat) + QStringLiteral(".mdb");
}

std::optional<QDateTime> automaticTime(const QString& fileName) {
    static const QRegularExpression pattern(QStringLiteral("^Lumira-(\\d{8}-\\d{6})\\.mdb$"));
    const QRegularExpressionMatch match = pattern.match(fileName);
    if (!match.hasMatch())
        return std::nullopt;
    const QDateTime time = QDateTime::fromString(match.captured(1), stampFormat);
    if (!time.isValid())
        return std::nullopt;
    return time;
}

QString manualName(const QDate& date) {
    return QStringLiteral("Lumira-") + date.toString(QStringLiteral("yyyyMMdd")) +
           QStringLiteral(".mdb");
}

QString temporaryName(const QString& unique) {
    // Hidden, and not *.mdb: never listed for a restore.
    return QStringLiteral(".Lumira-") + unique + QStringLiteral(".part");
}

} // namespace backup
