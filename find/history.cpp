#include "find/history.h"

#include "storage/inifile.h"

namespace history {

namespace {
const QString emptySlot = QStringLiteral("none");

QString keyOf(int n) {
    return QStringLiteral("Polozka") + QString::number(n);
}
} // namespace

QStringList read(const QString& settingsPath, const QString& section) {
    const IniFile ini(settingsPath);
    QStringList entries;
    for (int n = 1; n <= maxEntries; ++n) {
        const QString value = ini.readString(section, keyOf(n), emptySlot);
        if (value != emptySlot && !value.isEmpty())
            entries << value;
    }
    return entries;
}

QString write(const QString& settingsPath, const QString& section, const QStringList& entries) {
    if (entries.isEmpty())
        return {};
    IniFile ini(settingsPath);
    for (int n = 1; n <= maxEntries; ++n)
        ini.writeString(section, keyOf(n), n <= entries.size() ? entries[n - 1] : emptySlot);
    return ini.save() ? QString() : ini.errorString();
}

} // namespace history
