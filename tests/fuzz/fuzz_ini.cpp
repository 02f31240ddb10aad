// Settings file reader: any bytes must read without a crash, and a value written afterwards
// must read back as written.
#include "storage/inifile.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Lumira.ini"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return 0;
        file.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    IniFile ini(path);
    for (const QString& section : {QStringLiteral("Nastaveni"), QStringLiteral("Konfig")}) {
        for (const QString& key : ini.sectionKeys(section)) {
            ini.readString(section, key);
            ini.readInteger(section, key, 7);
        }
    }
    const QString value = QStringLiteral("Žluťoučký kůň");
    ini.writeString(QStringLiteral("Nastaveni"), QStringLiteral("NazevSubjektu"), value);
    ini.writeInteger(QStringLiteral("Konfig"), QStringLiteral("UkladatFrm"), 1);
    if (!ini.save())
        return 0;
    IniFile again(path);
    if (again.readString(QStringLiteral("Nastaveni"), QStringLiteral("NazevSubjektu")) != value ||
        again.readInteger(QStringLiteral("Konfig"), QStringLiteral("UkladatFrm"), 0) != 1)
        abort();
    return 0;
}
