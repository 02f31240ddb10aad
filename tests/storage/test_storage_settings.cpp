#include "storage/inifile.h"
#include "storage/settings.h"
#include "support/testfiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Every key of both sections with a value of its own, in the order the dialog writes them.
const QByteArray everyKey = "[Nastaveni]\r\n"
                            "NazevSubjektu=Firma\r\n"
                            "OdpovednaOsoba=Osoba\r\n"
                            "Ulice=Ulice 1\r\n"
                            "PSC=100 00\r\n"
                            "Mesto=M\xec\x73to\r\n"
                            "IC=12345678\r\n"
                            "DIC=CZ12345678\r\n"
                            "Tel=123\r\n"
                            "Email=a@b.cz\r\n"
                            "WWW=www.b.cz\r\n"
                            "Mena=EUR\r\n"
                            "PopiskaD1_FD=Vystaveno\r\n"
                            "PopiskaD2_FD=Splatno\r\n"
                            "PopiskaD3_FD=Zaplaceno\r\n"
                            "PopiskaD1_FO=Vystaveno O\r\n"
                            "PopiskaD2_FO=Splatno O\r\n"
                            "PopiskaD3_FO=Zaplaceno O\r\n"
                            "VychHodnotaD1_FD=1\r\n"
                            "VychHodnotaD2_FD=2\r\n"
                            "VychHodnotaD3_FD=0\r\n"
                            "VychHodnotaD1_FO=2\r\n"
                            "VychHodnotaD2_FO=0\r\n"
                            "VychHodnotaD3_FO=1\r\n"
                            "AutoCislo_FD=1\r\n"
                            "Prefix_FD=D\r\n"
                            "AutoCislo_FO=0\r\n"
                            "Prefix_FO=O\r\n"
                            "NazevCisRady1=R1\r\n"
                            "NazevCisRady2=R2\r\n"
                            "NazevCisRady3=R3\r\n"
                            "NazevCisRady4=R4\r\n"
                            "NazevCisRady5=R5\r\n"
                            "SekPrefix1=P1\r\n"
                            "SekPrefix2=P2\r\n"
                            "SekPrefix3=P3\r\n"
                            "SekPrefix4=P4\r\n"
                            "SekPrefix5=P5\r\n"
                            "TypCiselneRady=1\r\n"
                            "ZakladniSazbaDPH=20\r\n"
                            "SnizenaSazbaDPH1=14\r\n"
                            "SnizenaSazbaDPH2=9\r\n"
                            "[Konfig]\r\n"
                            "UkladatFrm=1\r\n"
                            "UkladatTabulkuDB=0\r\n";

void verifyEveryKeyValues(const Settings& s) {
    QCOMPARE(s.NazevSubjektu, QStringLiteral("Firma"));
    QCOMPARE(s.OdpovednaOsoba, QStringLiteral("Osoba"));
    QCOMPARE(s.Ulice, QStringLiteral("Ulice 1"));
    QCOMPARE(s.PSC, QStringLiteral("100 00"));
    QCOMPARE(s.Mesto, QStringLiteral("Město"));
    QCOMPARE(s.IC, QStringLiteral("12345678"));
    QCOMPARE(s.DIC, QStringLiteral("CZ12345678"));
    QCOMPARE(s.Tel, QStringLiteral("123"));
    QCOMPARE(s.Email, QStringLiteral("a@b.cz"));
    QCOMPARE(s.WWW, QStringLiteral("www.b.cz"));
    QCOMPARE(s.Mena, QStringLiteral("EUR"));
    QCOMPARE(s.PopiskaD1_FD, QStringLiteral("Vystaveno"));
    QCOMPARE(s.PopiskaD2_FD, QStringLiteral("Splatno"));
    QCOMPARE(s.PopiskaD3_FD, QStringLiteral("Zaplaceno"));
    QCOMPARE(s.PopiskaD1_FO, QStringLiteral("Vystaveno O"));
    QCOMPARE(s.PopiskaD2_FO, QStringLiteral("Splatno O"));
    QCOMPARE(s.PopiskaD3_FO, QStringLiteral("Zaplaceno O"));
    QCOMPARE(s.VychHodnotaD1_FD, 1);
    QCOMPARE(s.VychHodnotaD2_FD, 2);
    QCOMPARE(s.VychHodnotaD3_FD, 0);
    QCOMPARE(s.VychHodnotaD1_FO, 2);
    QCOMPARE(s.VychHodnotaD2_FO, 0);
    QCOMPARE(s.VychHodnotaD3_FO, 1);
    QCOMPARE(s.AutoCislo_FD, true);
    QCOMPARE(s.Prefix_FD, QStringLiteral("D"));
    QCOMPARE(s.AutoCislo_FO, false);
    QCOMPARE(s.Prefix_FO, QStringLiteral("O"));
    QCOMPARE(s.NazevCisRady1, QStringLiteral("R1"));
    QCOMPARE(s.NazevCisRady2, QStringLiteral("R2"));
    QCOMPARE(s.NazevCisRady3, QStringLiteral("R3"));
    QCOMPARE(s.NazevCisRady4, QStringLiteral("R4"));
    QCOMPARE(s.NazevCisRady5, QStringLiteral("R5"));
    QCOMPARE(s.SekPrefix1, QStringLiteral("P1"));
    QCOMPARE(s.SekPrefix2, QStringLiteral("P2"));
    QCOMPARE(s.SekPrefix3, QStringLiteral("P3"));
    QCOMPARE(s.SekPrefix4, QStringLiteral("P4"));
    QCOMPARE(s.SekPrefix5, QStringLiteral("P5"));
    QCOMPARE(s.TypCiselneRady, 1);
    QCOMPARE(s.ZakladniSazbaDPH, 20);
    QCOMPARE(s.SnizenaSazbaDPH1, 14);
    QCOMPARE(s.SnizenaSazbaDPH2, 9);
    QCOMPARE(s.UkladatFrm, true);
    QCOMPARE(s.UkladatTabulkuDB, false);
}

} // namespace

class SettingsTest : public QObject {
    Q_OBJECT

private slots:
    void defaultsWithoutFile();
    void everyKeyIsReadIntoItsMember();
    void writeStoresEveryDialogKeyInOrder();
    void writeKeepsKeysItDoesNotOwn();
    void valuesFromHandEditedFile_data();
    void valuesFromHandEditedFile();
    void activeBook_data();
    void activeBook();
    void perBookValuesPickTheirBooksMembers();
    void seriesPickTheirMembers();

private:
    QTemporaryDir dir;
    QString iniPath() const { return settingsFilePath(dir.path() + u'/'); }
};

void SettingsTest::defaultsWithoutFile() {
    QVERIFY(!QFile::exists(iniPath()));
    const IniFile ini(iniPath());
    const Settings s = Settings::read(ini);
    QCOMPARE(Settings::readTypProstredi(ini), 0);
    QCOMPARE(s.NazevSubjektu, QString());
    QCOMPARE(s.Mena, QStringLiteral("CZK"));
    QCOMPARE(s.PopiskaD1_FD, QStringLiteral("Datum 1"));
    QCOMPARE(s.PopiskaD2_FD, QStringLiteral("Datum 2"));
    QCOMPARE(s.PopiskaD3_FD, QStringLiteral("Datum 3"));
    QCOMPARE(s.PopiskaD1_FO, QStringLiteral("Datum 1"));
    QCOMPARE(s.PopiskaD2_FO, QStringLiteral("Datum 2"));
    QCOMPARE(s.PopiskaD3_FO, QStringLiteral("Datum 3"));
    QCOMPARE(s.VychHodnotaD1_FD + s.VychHodnotaD2_FD + s.VychHodnotaD3_FD, 0);
    QCOMPARE(s.VychHodnotaD1_FO + s.VychHodnotaD2_FO + s.VychHodnotaD3_FO, 0);
    QCOMPARE(s.AutoCislo_FD, false);
    QCOMPARE(s.AutoCislo_FO, false);
    QCOMPARE(s.Prefix_FD, QStringLiteral("FD_"));
    QCOMPARE(s.Prefix_FO, QStringLiteral("FO_"));
    QCOMPARE(s.NazevCisRady1, QString());
    QCOMPARE(s.SekPrefix5, QString());
    QCOMPARE(s.TypCiselneRady, 0);
    QCOMPARE(s.ZakladniSazbaDPH, 21);
    QCOMPARE(s.SnizenaSazbaDPH1, 15);
    QCOMPARE(s.SnizenaSazbaDPH2, 10);
    QCOMPARE(s.UkladatFrm, false);
    QCOMPARE(s.UkladatTabulkuDB, false);
    QVERIFY(!QFile::exists(iniPath()));
}

void SettingsTest::everyKeyIsReadIntoItsMember() {
    writeBytes(iniPath(), everyKey);
    verifyEveryKeyValues(Settings::read(IniFile(iniPath())));
    QFile::remove(iniPath());
}

// Booleans go out as 1/0, every key in the dialog's order, TypProstredi untouched.
void SettingsTest::writeStoresEveryDialogKeyInOrder() {
    writeBytes(iniPath(), everyKey);
    const Settings s = Settings::read(IniFile(iniPath()));
    QFile::remove(iniPath());

    IniFile ini(iniPath());
    s.write(ini);
    QVERIFY(ini.save());
    QCOMPARE(fileBytes(iniPath()), everyKey);
    QFile::remove(iniPath());
}

void SettingsTest::writeKeepsKeysItDoesNotOwn() {
    const QByteArray original = "[Nastaveni]\r\nTypProstredi=1\r\nMena=EUR\r\n"
                                "[HlavniFrm]\r\nZleva=5\r\n[TabulkaDB]\r\nCislo=80\r\n";
    writeBytes(iniPath(), original);
    IniFile ini(iniPath());
    Settings s;
    s.Mena = QStringLiteral("CZK");
    s.UkladatTabulkuDB = false;
    s.write(ini);
    QVERIFY(ini.save());

    const IniFile after(iniPath());
    QCOMPARE(Settings::readTypProstredi(after), 1);
    QCOMPARE(after.readString("Nastaveni", "Mena"), QStringLiteral("CZK"));
    QCOMPARE(after.readInteger("HlavniFrm", "Zleva", 0), 5);
    QCOMPARE(after.readInteger("TabulkaDB", "Cislo", 0), 80);
    QCOMPARE(after.sectionKeys("Nastaveni").size(), 42);
    QCOMPARE(after.sectionKeys("Konfig"), QStringList({"UkladatFrm", "UkladatTabulkuDB"}));
    QVERIFY(fileBytes(iniPath()).startsWith("[Nastaveni]\r\nTypProstredi=1\r\nMena=CZK\r\n"));
    QFile::remove(iniPath());
}

// A hand-edited file: each row sets one key and names what a member must then hold.
void SettingsTest::valuesFromHandEditedFile_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("rate");
    QTest::addColumn<bool>("autoNumberReceived");
    QTest::addColumn<bool>("keepWindow");
    QTest::addColumn<QString>("businessName");

    QTest::newRow("rate that is not a number gives 21")
        << QByteArray("[Nastaveni]\r\nZakladniSazbaDPH=dvacet\r\n") << 21 << false << false
        << QString();
    QTest::newRow("rate in hexadecimal") << QByteArray("[Nastaveni]\r\nZakladniSazbaDPH=$14\r\n")
                                         << 20 << false << false << QString();
    QTest::newRow("automatic numbering stored as 2 is on")
        << QByteArray("[Nastaveni]\r\nAutoCislo_FD=2\r\n") << 21 << true << false << QString();
    QTest::newRow("window switch stored as 0x1 is on")
        << QByteArray("[Konfig]\r\nUkladatFrm=0x1\r\n") << 21 << false << true << QString();
    QTest::newRow("switch in the wrong section is not read")
        << QByteArray("[Nastaveni]\r\nUkladatFrm=1\r\n") << 21 << false << false << QString();
    QTest::newRow("business name loses its leading blanks")
        << QByteArray("[Nastaveni]\r\nNazevSubjektu=   Firma s.r.o.\r\n") << 21 << false << false
        << QStringLiteral("Firma s.r.o.");
    QTest::newRow("section and keys in other letter case")
        << QByteArray("[nastaveni]\r\nzakladnisazbadph=19\r\nAUTOCISLO_FD=1\r\n") << 19 << true
        << false << QString();
}

void SettingsTest::valuesFromHandEditedFile() {
    QFETCH(QByteArray, content);
    QFETCH(int, rate);
    QFETCH(bool, autoNumberReceived);
    QFETCH(bool, keepWindow);
    QFETCH(QString, businessName);

    writeBytes(iniPath(), content);
    const Settings s = Settings::read(IniFile(iniPath()));
    QCOMPARE(s.ZakladniSazbaDPH, rate);
    QCOMPARE(s.AutoCislo_FD, autoNumberReceived);
    QCOMPARE(s.UkladatFrm, keepWindow);
    QCOMPARE(s.NazevSubjektu, businessName);
    QFile::remove(iniPath());
}

void SettingsTest::activeBook_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("book");
    QTest::newRow("received") << QByteArray("[Nastaveni]\r\nTypProstredi=0\r\n") << 0;
    QTest::newRow("issued") << QByteArray("[Nastaveni]\r\nTypProstredi=1\r\n") << 1;
    QTest::newRow("unknown book means received")
        << QByteArray("[Nastaveni]\r\nTypProstredi=7\r\n") << 0;
    QTest::newRow("negative means received")
        << QByteArray("[Nastaveni]\r\nTypProstredi=-1\r\n") << 0;
    QTest::newRow("word means received") << QByteArray("[Nastaveni]\r\nTypProstredi=x\r\n") << 0;
}

void SettingsTest::activeBook() {
    QFETCH(QByteArray, content);
    QFETCH(int, book);
    writeBytes(iniPath(), content);
    QCOMPARE(Settings::readTypProstredi(IniFile(iniPath())), book);

    IniFile ini(iniPath());
    Settings::writeTypProstredi(ini, 1 - book);
    QVERIFY(ini.save());
    QCOMPARE(fileBytes(iniPath()),
             QByteArray("[Nastaveni]\r\nTypProstredi=") + QByteArray::number(1 - book) + "\r\n");
    QFile::remove(iniPath());
}

void SettingsTest::perBookValuesPickTheirBooksMembers() {
    writeBytes(iniPath(), everyKey);
    Settings s = Settings::read(IniFile(iniPath()));
    QFile::remove(iniPath());

    const QString received[] = {s.PopiskaD1_FD, s.PopiskaD2_FD, s.PopiskaD3_FD};
    const QString issued[] = {s.PopiskaD1_FO, s.PopiskaD2_FO, s.PopiskaD3_FO};
    const int receivedKinds[] = {1, 2, 0};
    const int issuedKinds[] = {2, 0, 1};
    const Settings& c = s;
    for (int date = 1; date <= 3; ++date) {
        QCOMPARE(c.dateCaption(0, date), received[date - 1]);
        QCOMPARE(c.dateCaption(1, date), issued[date - 1]);
        QCOMPARE(c.defaultDateKind(0, date), receivedKinds[date - 1]);
        QCOMPARE(c.defaultDateKind(1, date), issuedKinds[date - 1]);
    }
    QCOMPARE(c.autoNumber(0), true);
    QCOMPARE(c.autoNumber(1), false);
    QCOMPARE(c.numberPrefix(0), QStringLiteral("D"));
    QCOMPARE(c.numberPrefix(1), QStringLiteral("O"));
    QCOMPARE(c.dateCaption(7, 1), s.PopiskaD1_FD);

    s.dateCaption(1, 3) = QStringLiteral("Uhrazeno");
    s.defaultDateKind(1, 2) = 2;
    s.autoNumber(1) = true;
    s.numberPrefix(1) = QStringLiteral("V");
    QCOMPARE(s.PopiskaD3_FO, QStringLiteral("Uhrazeno"));
    QCOMPARE(s.VychHodnotaD2_FO, 2);
    QCOMPARE(s.AutoCislo_FO, true);
    QCOMPARE(s.Prefix_FO, QStringLiteral("V"));
    QCOMPARE(s.PopiskaD3_FD, QStringLiteral("Zaplaceno"));
    QCOMPARE(s.Prefix_FD, QStringLiteral("D"));
}

void SettingsTest::seriesPickTheirMembers() {
    writeBytes(iniPath(), everyKey);
    Settings s = Settings::read(IniFile(iniPath()));
    QFile::remove(iniPath());
    for (int series = 1; series <= Settings::seriesCount; ++series) {
        QCOMPARE(std::as_const(s).seriesName(series), QStringLiteral("R%1").arg(series));
        QCOMPARE(std::as_const(s).seriesPrefix(series), QStringLiteral("P%1").arg(series));
    }
    s.seriesPrefix(4) = QStringLiteral("X");
    s.seriesName(2) = QStringLiteral("Y");
    QCOMPARE(s.SekPrefix4, QStringLiteral("X"));
    QCOMPARE(s.NazevCisRady2, QStringLiteral("Y"));
}

QTEST_MAIN(SettingsTest)
#include "test_storage_settings.moc"
