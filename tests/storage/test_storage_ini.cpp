#include "storage/inifile.h"
#include "support/fifoguard.h"
#include "support/testfiles.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <unistd.h>

namespace {

QStringList entriesOf(const QString& dir) {
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

} // namespace

class IniFileTest : public QObject {
    Q_OBJECT

private slots:
    void reads_data();
    void reads();
    void writes_data();
    void writes();
    void roundTrip_data();
    void roundTrip();
    void batchedWritesReachTheFileOnlyOnSave();
    void queriesOfSectionsAndKeys();
    void binaryGarbageIsHarmless();
    void failedSave_data();
    void failedSave();
    void saveWithoutChangeLeavesTheFile_data();
    void saveWithoutChangeLeavesTheFile();
    void onlyRegularFilesAreRead_data();
    void onlyRegularFilesAreRead();

private:
    QTemporaryDir dir;
    QString iniPath() const { return dir.filePath(QStringLiteral("Lumira.ini")); }
};

// reader: "string", "integer" or "bool"; fallback and expected in text form
// (integers as decimal, booleans as 1/0). A null content means the file does not exist.
void IniFileTest::reads_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("reader");
    QTest::addColumn<QString>("fallback");
    QTest::addColumn<QString>("expected");

    const QByteArray longValue(3000, 'x');
    const QString cut(IniFile::maxValueLength, u'x');
    auto row = [](const char* name, const QByteArray& content, const char* section, const char* key,
                  const char* reader, const QString& fallback, const QString& expected) {
        QTest::newRow(name) << content << QString::fromUtf8(section) << QString::fromUtf8(key)
                            << QString::fromLatin1(reader) << fallback << expected;
    };
    const QString d21 = QStringLiteral("21");

    row("missing file, text", QByteArray(), "Nastaveni", "Mena", "string", "CZK", "CZK");
    row("missing file, integer", QByteArray(), "Nastaveni", "ZakladniSazbaDPH", "integer", d21,
        d21);
    row("missing section", "[Jine]\r\nMena=EUR\r\n", "Nastaveni", "Mena", "string", "CZK", "CZK");
    row("missing key", "[Nastaveni]\r\nMena=EUR\r\n", "Nastaveni", "Ulice", "string", "-", "-");
    row("empty value is not the default", "[N]\r\nMena=\r\n", "N", "Mena", "string", "CZK", "");
    row("blanks around value", "[N]\r\nMena =  \t EUR \t \r\n", "N", "Mena", "string", "", "EUR");
    row("double quotes keep inner blanks", "[N]\r\nMena=  \" EUR \"  \r\n", "N", "Mena", "string",
        "", " EUR ");
    row("single quotes", "[N]\r\nMena='EUR'\r\n", "N", "Mena", "string", "", "EUR");
    row("only one pair of quotes", "[N]\r\nMena=\"\"EUR\"\"\r\n", "N", "Mena", "string", "",
        "\"EUR\"");
    row("unbalanced quote kept", "[N]\r\nMena=\"EUR\r\n", "N", "Mena", "string", "", "\"EUR");
    row("different quote chars kept", "[N]\r\nMena=\"EUR'\r\n", "N", "Mena", "string", "",
        "\"EUR'");
    row("lone quote kept", "[N]\r\nMena=\"\r\n", "N", "Mena", "string", "", "\"");
    row("equals sign inside value", "[F]\r\nPolozka1=a=b\r\n", "F", "Polozka1", "string", "",
        "a=b");
    row("value of 3000 characters cut", "[N]\r\nUlice=" + longValue + "\r\n", "N", "Ulice",
        "string", "", cut);
    row("quoted value of 3000 characters cut", "[N]\r\nUlice=\"" + longValue + "\"\r\n", "N",
        "Ulice", "string", "", cut);
    row("LF line ends", "[A]\nx=1\n[N]\nMena=EUR\n", "N", "Mena", "string", "", "EUR");
    row("no line end after last line", "[N]\r\nMena=EUR", "N", "Mena", "string", "", "EUR");
    row("Windows-1250 letters", "[N]\r\nMesto=\x8e\x6c\x75\x9d\x6f\x75\xe8\x6b\xfd\r\n", "N",
        "Mesto", "string", "", QStringLiteral("Žluťoučký"));
    row("letter case of names ignored", "[NASTAVENI]\r\nmEnA=EUR\r\n", "Nastaveni", "MENA",
        "string", "", "EUR");
    row("letter case of Czech names ignored", "[\x8a\x61\x62lony]\r\n\xc8\xedslo=7\r\n", "šablony",
        "čÍSLO", "string", "", "7");
    row("blanks around names ignored", "  [ N ]  \r\n  Mena   = EUR\r\n", "N", "Mena", "string", "",
        "EUR");
    row("first of duplicate keys wins", "[N]\r\nMena=EUR\r\nmena=USD\r\n", "N", "Mena", "string",
        "", "EUR");
    row("first of duplicate sections wins", "[N]\r\nMena=EUR\r\n[X]\r\n[n]\r\nMena=USD\r\n", "N",
        "Mena", "string", "", "EUR");
    row("keys of a later duplicate section not seen",
        "[N]\r\nMena=EUR\r\n[N]\r\nUlice=Dlouh\xe1\r\n", "N", "Ulice", "string", "-", "-");
    row("comment line is no key", "[N]\r\n;Mena=EUR\r\n", "N", "Mena", "string", "CZK", "CZK");
    row("key above every section is no key", "Mena=EUR\r\n[N]\r\n", "N", "Mena", "string", "CZK",
        "CZK");
    row("key of next section not seen", "[N]\r\n[K]\r\nMena=EUR\r\n", "N", "Mena", "string", "CZK",
        "CZK");

    row("decimal", "[N]\r\nSazba=2\r\n", "N", "Sazba", "integer", d21, "2");
    row("negative decimal", "[N]\r\nSazba=-5\r\n", "N", "Sazba", "integer", d21, "-5");
    row("plus sign", "[N]\r\nSazba=+7\r\n", "N", "Sazba", "integer", d21, "7");
    row("leading zeros", "[N]\r\nSazba=007\r\n", "N", "Sazba", "integer", d21, "7");
    row("blank-padded number", "[N]\r\nSazba=  15 \r\n", "N", "Sazba", "integer", d21, "15");
    row("quoted number", "[N]\r\nSazba='15'\r\n", "N", "Sazba", "integer", d21, "15");
    row("0x hexadecimal", "[N]\r\nSazba=0x1\r\n", "N", "Sazba", "integer", d21, "1");
    row("0X hexadecimal", "[N]\r\nSazba=0X1f\r\n", "N", "Sazba", "integer", d21, "31");
    row("dollar hexadecimal", "[N]\r\nSazba=$1F\r\n", "N", "Sazba", "integer", d21, "31");
    row("negative hexadecimal", "[N]\r\nSazba=-$10\r\n", "N", "Sazba", "integer", d21, "-16");
    row("32-bit hexadecimal wraps", "[N]\r\nSazba=$FFFFFFFF\r\n", "N", "Sazba", "integer", d21,
        "-1");
    row("largest decimal", "[N]\r\nSazba=2147483647\r\n", "N", "Sazba", "integer", d21,
        "2147483647");
    row("smallest decimal", "[N]\r\nSazba=-2147483648\r\n", "N", "Sazba", "integer", d21,
        "-2147483648");
    row("decimal overflow", "[N]\r\nSazba=2147483648\r\n", "N", "Sazba", "integer", d21, d21);
    row("hexadecimal overflow", "[N]\r\nSazba=$100000000\r\n", "N", "Sazba", "integer", d21, d21);
    row("word", "[N]\r\nSazba=abc\r\n", "N", "Sazba", "integer", d21, d21);
    row("digits then letters", "[N]\r\nSazba=12abc\r\n", "N", "Sazba", "integer", d21, d21);
    row("decimal point", "[N]\r\nSazba=21.5\r\n", "N", "Sazba", "integer", d21, d21);
    row("blank inside", "[N]\r\nSazba=- 5\r\n", "N", "Sazba", "integer", d21, d21);
    row("bare prefix", "[N]\r\nSazba=0x\r\n", "N", "Sazba", "integer", d21, d21);
    row("bare dollar", "[N]\r\nSazba=$\r\n", "N", "Sazba", "integer", d21, d21);
    row("bare sign", "[N]\r\nSazba=-\r\n", "N", "Sazba", "integer", d21, d21);
    row("empty integer", "[N]\r\nSazba=\r\n", "N", "Sazba", "integer", d21, d21);

    row("2 is on", "[N]\r\nAutoCislo_FD=2\r\n", "N", "AutoCislo_FD", "bool", "0", "1");
    row("0x1 is on", "[K]\r\nUkladatFrm=0x1\r\n", "K", "UkladatFrm", "bool", "0", "1");
    row("-1 is on", "[K]\r\nUkladatFrm=-1\r\n", "K", "UkladatFrm", "bool", "0", "1");
    row("0 is off", "[K]\r\nUkladatFrm=0\r\n", "K", "UkladatFrm", "bool", "1", "0");
    row("word gives default on", "[K]\r\nUkladatFrm=ano\r\n", "K", "UkladatFrm", "bool", "1", "1");
    row("word gives default off", "[K]\r\nUkladatFrm=true\r\n", "K", "UkladatFrm", "bool", "0",
        "0");
}

void IniFileTest::reads() {
    QFETCH(QByteArray, content);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, reader);
    QFETCH(QString, fallback);
    QFETCH(QString, expected);

    QFile::remove(iniPath());
    if (!content.isNull())
        writeBytes(iniPath(), content);
    const IniFile ini(iniPath());
    QString actual;
    if (reader == u"string")
        actual = ini.readString(section, key, fallback);
    else if (reader == u"integer")
        actual = QString::number(ini.readInteger(section, key, fallback.toInt()));
    else
        actual = ini.readBool(section, key, fallback == u"1") ? "1" : "0";
    QCOMPARE(actual, expected);
    QVERIFY(ini.errorString().isEmpty());
}

// One write into a file, then the exact bytes on disk. A null original means no file.
void IniFileTest::writes_data() {
    QTest::addColumn<QByteArray>("original");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("expected");

    const QByteArray commented = "; nastaveni programu\r\n"
                                 "[Nastaveni]\r\n"
                                 "NazevSubjektu=Firma\r\n"
                                 "; mena faktur\r\n"
                                 "Mena=EUR\r\n"
                                 "\r\n"
                                 "; rozvrzeni\r\n"
                                 "[Konfig]\r\n"
                                 "UkladatFrm=1\r\n";

    QTest::newRow("missing file is created") << QByteArray() << "Nastaveni"
                                             << "Mena"
                                             << "CZK" << QByteArray("[Nastaveni]\r\nMena=CZK\r\n");
    QTest::newRow("existing key replaced, every other line kept")
        << commented << "Nastaveni"
        << "Mena"
        << "CZK" << QByteArray(commented).replace("Mena=EUR", "Mena=CZK");
    QTest::newRow("existing key found whatever the letter case")
        << commented << "NASTAVENI"
        << "mena"
        << "CZK" << QByteArray(commented).replace("Mena=EUR", "mena=CZK");
    QTest::newRow("new key after the last key of its section")
        << commented << "Nastaveni"
        << "Ulice"
        << "Dlouh\u00e1"
        << QByteArray(commented).replace("Mena=EUR\r\n", "Mena=EUR\r\nUlice=Dlouh\xe1\r\n");
    QTest::newRow("new key in a section of no keys")
        << QByteArray("[Filtr]\r\n[Seznam]\r\n") << "Filtr"
        << "Polozka1"
        << "none" << QByteArray("[Filtr]\r\nPolozka1=none\r\n[Seznam]\r\n");
    QTest::newRow("new section at the end") << commented << "TabulkaDB"
                                            << "Cislo"
                                            << "80" << commented + "[TabulkaDB]\r\nCislo=80\r\n";
    QTest::newRow("only the first of duplicate keys changes")
        << QByteArray("[N]\r\nMena=EUR\r\nMena=USD\r\n") << "N"
        << "Mena"
        << "CZK" << QByteArray("[N]\r\nMena=CZK\r\nMena=USD\r\n");
    QTest::newRow("only the first of duplicate sections changes")
        << QByteArray("[N]\r\nA=1\r\n[N]\r\nMena=USD\r\n") << "N"
        << "Mena"
        << "CZK" << QByteArray("[N]\r\nA=1\r\nMena=CZK\r\n[N]\r\nMena=USD\r\n");
    QTest::newRow("LF lines written with CR LF")
        << QByteArray("[N]\nMena=EUR\n; x\n") << "N"
        << "Mena"
        << "CZK" << QByteArray("[N]\r\nMena=CZK\r\n; x\r\n");
    QTest::newRow("missing last line end added")
        << QByteArray("[N]\r\nA=1") << "N"
        << "Mena"
        << "CZK" << QByteArray("[N]\r\nA=1\r\nMena=CZK\r\n");
    QTest::newRow("leading blanks written as they are")
        << QByteArray() << "N"
        << "NazevSubjektu"
        << "  Firma s.r.o." << QByteArray("[N]\r\nNazevSubjektu=  Firma s.r.o.\r\n");
    QTest::newRow("Czech letters as Windows-1250 bytes")
        << QByteArray() << "N"
        << "Mesto" << QStringLiteral("Žluťoučký kůň ĚŠČŘŽÝÁÍÉ")
        << QByteArray("[N]\r\nMesto=\x8e\x6c\x75\x9d\x6f\x75\xe8\x6b\xfd\x20\x6b\xf9\xf2"
                      "\x20\xcc\x8a\xc8\xd8\x8e\xdd\xc1\xcd\xc9\r\n");
    QTest::newRow("characters outside Windows-1250 become question marks")
        << QByteArray() << "N"
        << "Mena" << QStringLiteral("\u20ac \u4e2d \U0001F600 \u0416")
        << QByteArray("[N]\r\nMena=\x80 ? ? ?\r\n");
    QTest::newRow("line breaks in a value cannot add lines")
        << QByteArray("[N]\r\nA=1\r\n") << "N"
        << "A"
        << "x\r\n[Konfig]\nUkladatFrm=1" << QByteArray("[N]\r\nA=x  [Konfig] UkladatFrm=1\r\n");
}

void IniFileTest::writes() {
    QFETCH(QByteArray, original);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QByteArray, expected);

    QFile::remove(iniPath());
    if (!original.isNull())
        writeBytes(iniPath(), original);
    IniFile ini(iniPath());
    ini.writeString(section, key, value);
    QVERIFY2(ini.save(), qPrintable(ini.errorString()));
    QVERIFY(ini.errorString().isEmpty());
    QCOMPARE(fileBytes(iniPath()), expected);
}

// What is written at one moment is what a later moment reads.
void IniFileTest::roundTrip_data() {
    QTest::addColumn<QString>("written");
    QTest::addColumn<QString>("read");

    QTest::newRow("business name with leading blanks")
        << QStringLiteral("   Firma s.r.o.") << QStringLiteral("Firma s.r.o.");
    QTest::newRow("trailing blanks") << QStringLiteral("Firma  \t") << QStringLiteral("Firma");
    QTest::newRow("Czech letters") << QStringLiteral("Příliš žluťoučký kůň úpěl ďábelské ódy")
                                   << QStringLiteral("Příliš žluťoučký kůň úpěl ďábelské ódy");
    QTest::newRow("quoted text") << QStringLiteral("'Firma'") << QStringLiteral("Firma");
    QTest::newRow("empty") << QString() << QString();
}

void IniFileTest::roundTrip() {
    QFETCH(QString, written);
    QFETCH(QString, read);

    QFile::remove(iniPath());
    IniFile writer(iniPath());
    writer.writeString("Nastaveni", "NazevSubjektu", written);
    QVERIFY(writer.save());
    QCOMPARE(IniFile(iniPath()).readString("Nastaveni", "NazevSubjektu", "-"), read);
}

void IniFileTest::batchedWritesReachTheFileOnlyOnSave() {
    QFile::remove(iniPath());
    writeBytes(iniPath(), "[HlavniFrm]\r\nZleva=5\r\n");
    IniFile ini(iniPath());
    ini.writeInteger("HlavniFrm", "Zleva", 10);
    ini.writeInteger("HlavniFrm", "Zhora", -20);
    ini.writeBool("Konfig", "UkladatFrm", true);
    ini.writeBool("Konfig", "UkladatTabulkuDB", false);
    QCOMPARE(ini.readInteger("HlavniFrm", "Zhora", 0), -20);
    QCOMPARE(fileBytes(iniPath()), QByteArray("[HlavniFrm]\r\nZleva=5\r\n"));

    QVERIFY(ini.save());
    QCOMPARE(fileBytes(iniPath()),
             QByteArray("[HlavniFrm]\r\nZleva=10\r\nZhora=-20\r\n"
                        "[Konfig]\r\nUkladatFrm=1\r\nUkladatTabulkuDB=0\r\n"));
}

void IniFileTest::queriesOfSectionsAndKeys() {
    QFile::remove(iniPath());
    writeBytes(iniPath(), "[Seznam]\r\nPolozka1=a\r\n; Polozka9=x\r\npolozka1=b\r\n"
                          "jen text\r\nPolozka2=\r\n[TabulkaDB]\r\nCislo=80\r\n");
    const IniFile ini(iniPath());
    QVERIFY(ini.sectionExists("SEZNAM"));
    QVERIFY(!ini.sectionExists("Filtr"));
    QVERIFY(ini.keyExists("seznam", "POLOZKA2"));
    QVERIFY(!ini.keyExists("Seznam", "Polozka9"));
    QVERIFY(!ini.keyExists("Seznam", "Cislo"));
    QVERIFY(!ini.keyExists("Filtr", "Polozka1"));
    QCOMPARE(ini.sectionKeys("Seznam"), QStringList({"Polozka1", "Polozka2"}));
    QCOMPARE(ini.sectionKeys("Filtr"), QStringList());
}

void IniFileTest::binaryGarbageIsHarmless() {
    QRandomGenerator random(2047);
    QByteArray garbage(64 * 1024, '\0');
    for (char& byte : garbage)
        byte = char(random.bounded(256));
    QFile::remove(iniPath());
    writeBytes(iniPath(), garbage);

    IniFile ini(iniPath());
    QCOMPARE(ini.readString("Nastaveni", "Mena", "CZK"), QStringLiteral("CZK"));
    QCOMPARE(ini.readInteger("Nastaveni", "TypProstredi", 0), 0);
    QVERIFY(!ini.sectionExists("Nastaveni"));
    ini.writeString("Nastaveni", "Mena", "EUR");
    QVERIFY(ini.save());

    const QByteArray saved = fileBytes(iniPath());
    QVERIFY(saved.endsWith("\r\n[Nastaveni]\r\nMena=EUR\r\n"));
    QCOMPARE(IniFile(iniPath()).readString("Nastaveni", "Mena"), QStringLiteral("EUR"));
}

// Each fixture leaves a settings file (or something at its path) that cannot be replaced.
void IniFileTest::failedSave_data() {
    QTest::addColumn<QString>("fixture");
    QTest::newRow("read-only file") << "readOnlyFile";
    QTest::newRow("read-only directory") << "readOnlyDirectory";
    QTest::newRow("directory missing") << "missingDirectory";
    QTest::newRow("directory in place of the file when saving") << "replacedByDirectory";
    QTest::newRow("existing file that cannot be read") << "unreadableFile";
}

void IniFileTest::failedSave() {
    QFETCH(QString, fixture);
    const bool root = geteuid() == 0;
    if (root && (fixture == u"readOnlyDirectory" || fixture == u"unreadableFile"))
        QSKIP("permissions do not bind the superuser");

    QTemporaryDir place;
    const QString folder = place.filePath("programDir");
    QVERIFY(QDir().mkpath(folder));
    QString path = folder + "/Lumira.ini";
    const QByteArray original = "[Nastaveni]\r\nMena=EUR\r\n";
    writeBytes(path, original);

    QFile::Permissions readOnly = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
    if (fixture == u"readOnlyFile")
        QVERIFY(QFile::setPermissions(path, readOnly));
    if (fixture == u"readOnlyDirectory")
        QVERIFY(QFile::setPermissions(folder, readOnly | QFile::ExeOwner));
    if (fixture == u"unreadableFile")
        QVERIFY(QFile::setPermissions(path, QFile::WriteOwner));
    if (fixture == u"missingDirectory")
        path = folder + "/missing/Lumira.ini";

    IniFile ini(path);
    if (fixture == u"replacedByDirectory") {
        QVERIFY(QFile::remove(path));
        QVERIFY(QDir().mkdir(path));
    }
    ini.writeString("Nastaveni", "Mena", "CZK");
    const QStringList before = entriesOf(folder);

    QVERIFY(!ini.save());
    QVERIFY2(ini.errorString().contains(path), qPrintable(ini.errorString()));
    QCOMPARE(entriesOf(folder), before);
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    if (QFileInfo(path).isFile())
        QCOMPARE(fileBytes(path), original);
}

void IniFileTest::saveWithoutChangeLeavesTheFile_data() {
    QTest::addColumn<bool>("exists");
    QTest::newRow("read-only file, same value written") << true;
    QTest::newRow("no file, nothing written") << false;
}

// Nothing to write: the file is neither created nor touched, even when it is read-only.
void IniFileTest::saveWithoutChangeLeavesTheFile() {
    QFETCH(bool, exists);
    QTemporaryDir place;
    const QString path = place.filePath("Lumira.ini");
    const QByteArray original = "[HlavniFrm]\nZleva=5\n";
    if (exists) {
        writeBytes(path, original);
        setModified(path, QDateTime::currentDateTime().addDays(-2));
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup));
    }
    const QDateTime time = QFileInfo(path).lastModified();
    IniFile ini(path);
    if (exists)
        ini.writeInteger("HlavniFrm", "Zleva", 5);
    QVERIFY2(ini.save(), qPrintable(ini.errorString()));
    QVERIFY(ini.errorString().isEmpty());
    QCOMPARE(QFileInfo::exists(path), exists);
    QCOMPARE(entriesOf(place.path()).size(), exists ? 1 : 0);
    if (exists) {
        QCOMPARE(fileBytes(path), original);
        QCOMPARE(QFileInfo(path).lastModified(), time);
    }
}

// Something else than a settings file at its path is not read (a FIFO would block the start,
// a device would never end) and is never replaced.
void IniFileTest::onlyRegularFilesAreRead_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("FIFO") << "fifo";
    QTest::newRow("link to a FIFO") << "fifoLink";
    QTest::newRow("link to /dev/zero") << "zeroLink";
    QTest::newRow("file over the size cap") << "huge";
}

void IniFileTest::onlyRegularFilesAreRead() {
    QFETCH(QString, kind);
    QTemporaryDir place;
    const QString path = place.filePath("Lumira.ini");
    const QString fifo = kind == u"fifo" ? path : place.filePath("fifo");
    std::unique_ptr<FifoGuard> guard;
    if (kind.startsWith(u"fifo")) {
        guard = std::make_unique<FifoGuard>(fifo);
        QVERIFY(guard->made());
    }
    if (kind == u"fifoLink")
        QVERIFY(QFile::link(fifo, path));
    if (kind == u"zeroLink")
        QVERIFY(QFile::link("/dev/zero", path));
    if (kind == u"huge") {
        writeBytes(path, "[Nastaveni]\r\nMena=EUR\r\n");
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.resize(IniFile::maxFileBytes + 1));
    }

    IniFile ini(path);
    QCOMPARE(ini.readString("Nastaveni", "Mena", "CZK"), QStringLiteral("CZK"));
    QVERIFY2(ini.errorString().startsWith("Nelze přečíst soubor nastavení \"" + path + "\""),
             qPrintable(ini.errorString()));
    ini.writeString("Nastaveni", "Mena", "USD");
    QVERIFY(!ini.save());
    QVERIFY(QFileInfo(path).isSymLink() == kind.endsWith(u"Link"));
    if (kind == u"huge")
        QCOMPARE(QFileInfo(path).size(), IniFile::maxFileBytes + 1);
}

QTEST_MAIN(IniFileTest)
#include "test_storage_ini.moc"
