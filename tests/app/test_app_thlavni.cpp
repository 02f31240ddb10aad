#include "app/thlavni.h"
#include "storage/bootstrap.h"
#include "storage/inifile.h"
#include "support/programfolder.h"
#include "support/scriptedhost.h"

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QRadioButton>
#include <QScreen>
#include <QTableView>
#include <QTemporaryDir>
#include <QToolButton>
#include <QWindow>
#include <QtTest>

namespace {

QLabel* label(const THlavni& window, const char* name) {
    return window.findChild<QLabel*>(name);
}

QRect designedCentre() {
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    return {(screen.width() - THlavni::designedWidth) / 2,
            (screen.height() - THlavni::designedHeight) / 2, THlavni::designedWidth,
            THlavni::designedHeight};
}

} // namespace

class ThlavniTest : public QObject {
    Q_OBJECT
private slots:
    void caption_data();
    void caption();
    void placement_data();
    void placement();
    void startShowsTheBook();
    void closeWritesGeometry_data();
    void closeWritesGeometry();
    void closeWithNothingToWriteLeavesTheFile_data();
    void closeWithNothingToWriteLeavesTheFile();
    void closeWritesEveryColumnWidth_data();
    void closeWritesEveryColumnWidth();
    void unwritableSettingsAtCloseStillClose();
    void nextStartOpensTheChosenBook();
    void bootstrapFailureEndsTheStart_data();
    void bootstrapFailureEndsTheStart();
    void missingTableWarningKeepsItsCaption();
};

void ThlavniTest::caption_data() {
    QTest::addColumn<QStringList>("ini");
    QTest::addColumn<QString>("caption");
    QTest::newRow("no settings file") << QStringList() << "Lumira";
    QTest::newRow("empty name") << QStringList{"[Nastaveni]", "NazevSubjektu="} << "Lumira";
    QTest::newRow("name") << QStringList{"[Nastaveni]", "NazevSubjektu=Žluťoučký kůň s.r.o."}
                          << "Lumira - Žluťoučký kůň s.r.o.";
    // Qt's placeholder for the modified marker must not eat a part of the name.
    QTest::newRow("name with [*]") << QStringList{"[Nastaveni]", "NazevSubjektu=Firma [*] a [*][*]"}
                                   << "Lumira - Firma [*] a [*][*]";
}

void ThlavniTest::caption() {
    QFETCH(QStringList, ini);
    QFETCH(QString, caption);
    ScriptedHost host;
    ProgramFolder folder;
    if (!ini.isEmpty())
        folder.writeIni(ini);
    THlavni window(folder.path());
    QVERIFY(window.started());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.windowHandle()->title(), caption);
    QCOMPARE(dialogs::applicationTitle(), QString("Lumira"));
}

void ThlavniTest::placement_data() {
    QTest::addColumn<QStringList>("ini");
    QTest::addColumn<QRect>("geometry");
    QTest::newRow("switch off") << QStringList{"[Konfig]", "UkladatFrm=0", "[HlavniFrm]", "Zleva=5",
                                               "Zhora=6",  "Sirka=900",    "Vyska=700"}
                                << designedCentre();
    QTest::newRow("on, nothing stored")
        << QStringList{"[Konfig]", "UkladatFrm=1"}
        << QRect(0, 0, THlavni::designedWidth, THlavni::designedHeight);
    QTest::newRow("on, stored") << QStringList{"[Konfig]", "UkladatFrm=1", "[HlavniFrm]",
                                               "Zleva=15", "Zhora=-6",     "Sirka=900",
                                               "Vyska=700"}
                                << QRect(15, -6, 900, 700);
}

void ThlavniTest::placement() {
    QFETCH(QStringList, ini);
    QFETCH(QRect, geometry);
    ScriptedHost host;
    ProgramFolder folder;
    folder.writeIni(ini);
    THlavni window(folder.path());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    // The stored and the designed sizes are outer sizes, frame included.
    QCOMPARE(window.frameGeometry(), geometry);
    QVERIFY(window.frameGeometry() != window.geometry());
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QCOMPARE(window.state().EditorLeft, (screen.width() - 590) / 2);
    QCOMPARE(window.state().EditorTop, (screen.height() - 500) / 2);
}

void ThlavniTest::startShowsTheBook() {
    ScriptedHost host;
    ProgramFolder folder;
    {
        THlavni first(folder.path());
        QVERIFY(first.started());
        engine::DataSet& book = first.state().book;
        QVERIFY(book.append());
        book.setValue("Cislo", "FD_1");
        book.setValue("Zaklad", 1500.0);
        QVERIFY(book.post());
    }
    THlavni window(folder.path());
    QVERIFY(window.started());
    QCOMPARE(window.grid()->model()->rowCount(), 1);
    QCOMPARE(window.grid()->model()->headerData(1, Qt::Horizontal).toString(),
             QString("Dodavatel"));
    QCOMPARE(label(window, "La_Pocitadlo")->text(), QString("1 z 1"));
    QCOMPARE(label(window, "La_Rezim")->text(), QString("[Prohlížení]"));
    QCOMPARE(label(window, "La_TypProstredi")->text(), QString("Došlé faktury"));
    QCOMPARE(label(window, "La_ZakladCelkem")->text(),
             "1" + QString(QLocale().groupSeparator()) + "500,00 CZK");
    QCOMPARE(label(window, "La_DPHCelkem")->text(), QString("0,00 CZK"));
    // Enabling the record commands leaves the buttons' own short captions.
    QCOMPARE(window.findChild<QToolButton*>("Tl_Edit")->text(), QString("Oprava záz."));
    QCOMPARE(window.findChild<QToolButton*>("Tl_Smazat")->text(), QString("Smazat záz."));
    QCOMPARE(window.actions().Akce_Edit->text(), QString("Oprava záznamu"));
    QVERIFY(window.filterPanel()->isHidden());
    QVERIFY(window.actions().Akce_ZmenaTabulkaDB->isEnabled());
    QVERIFY(host.messages.isEmpty());
}

void ThlavniTest::closeWritesGeometry_data() {
    QTest::addColumn<bool>("maximised");
    QTest::newRow("normal") << false;
    QTest::newRow("maximised") << true;
}

void ThlavniTest::closeWritesGeometry() {
    QFETCH(bool, maximised);
    ScriptedHost host;
    ProgramFolder folder;
    folder.writeIni({"[Konfig]", "UkladatFrm=1", "[HlavniFrm]", "Zleva=1", "Zhora=2", "Sirka=830",
                     "Vyska=640"});
    THlavni window(folder.path());
    maximised ? window.showMaximized() : window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    if (!maximised) {
        window.move(40, 30);
        window.resize(850, 650);
    }
    const QRect normal = window.frameGeometry();
    QVERIFY(window.close());
    const IniFile ini(folder.ini());
    const QStringList keys{"Zleva", "Zhora", "Sirka", "Vyska"};
    QList<int> stored;
    for (const QString& key : keys)
        stored << ini.readInteger("HlavniFrm", key, -1);
    if (maximised)
        QCOMPARE(stored, QList<int>({1, 2, 830, 640}));
    else
        QCOMPARE(stored, QList<int>({normal.x(), normal.y(), normal.width(), normal.height()}));
    QVERIFY(!ini.sectionExists("TabulkaDB"));
    QVERIFY(host.messages.isEmpty());
    // The next start puts the window where it was, in the same outer size.
    THlavni again(folder.path());
    again.show();
    QVERIFY(QTest::qWaitForWindowExposed(&again));
    QCOMPARE(again.frameGeometry(), QRect(stored[0], stored[1], stored[2], stored[3]));
}

void ThlavniTest::closeWithNothingToWriteLeavesTheFile_data() {
    QTest::addColumn<QStringList>("ini");
    QTest::addColumn<bool>("maximised");
    QTest::newRow("both switches off")
        << QStringList{"[Konfig]", "UkladatFrm=0", "UkladatTabulkuDB=0", "; own note"} << false;
    // A read-only file would give an error box, were it written.
    QTest::newRow("maximised, only the window switch on")
        << QStringList{"[Konfig]", "UkladatFrm=1", "UkladatTabulkuDB=0", "[HlavniFrm]", "Zleva=3"}
        << true;
}

void ThlavniTest::closeWithNothingToWriteLeavesTheFile() {
    QFETCH(QStringList, ini);
    QFETCH(bool, maximised);
    ScriptedHost host;
    ProgramFolder folder;
    folder.writeIni(ini);
    folder.ageIni();
    QVERIFY(QFile::setPermissions(folder.ini(), QFile::ReadOwner | QFile::ReadGroup));
    const QByteArray bytes = fileBytes(folder.ini());
    const QDateTime time = folder.iniTime();
    {
        THlavni window(folder.path());
        maximised ? window.showMaximized() : window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.grid()->horizontalHeader()->resizeSection(0, 150);
        QVERIFY(window.close());
    }
    QCOMPARE(fileBytes(folder.ini()), bytes);
    QCOMPARE(folder.iniTime(), time);
    QVERIFY(host.messages.isEmpty());
}

void ThlavniTest::closeWritesEveryColumnWidth_data() {
    QTest::addColumn<int>("book");
    QTest::newRow("received") << 0;
    QTest::newRow("issued") << 1;
}

void ThlavniTest::closeWritesEveryColumnWidth() {
    QFETCH(int, book);
    ScriptedHost host;
    ProgramFolder folder;
    folder.writeIni(
        {"[Nastaveni]", QString("TypProstredi=%1").arg(book), "[Konfig]", "UkladatTabulkuDB=1"});
    {
        THlavni window(folder.path());
        window.grid()->horizontalHeader()->moveSection(14, 0);
        window.grid()->horizontalHeader()->resizeSection(2, 77);
        QVERIFY(window.close());
    }
    const IniFile ini(folder.ini());
    QStringList fields = invoiceColumns();
    fields.removeFirst(); // Id is never shown
    QStringList keys = ini.sectionKeys("TabulkaDB");
    QCOMPARE(keys.size(), 15);
    keys.sort();
    fields.sort();
    QCOMPARE(keys, fields);
    QCOMPARE(ini.readInteger("TabulkaDB", "ICO", 0), 77);
    QCOMPARE(ini.readInteger("TabulkaDB", "Cislo", 0), 70);
    QVERIFY(!ini.sectionExists("HlavniFrm"));
    // The next start takes the remembered width.
    THlavni again(folder.path());
    QCOMPARE(again.grid()->horizontalHeader()->sectionSize(2), 77);
}

void ThlavniTest::unwritableSettingsAtCloseStillClose() {
    ScriptedHost host;
    ProgramFolder folder;
    folder.writeIni({"[Konfig]", "UkladatFrm=1", "UkladatTabulkuDB=1"});
    THlavni window(folder.path());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    // A folder where the settings file was: it can be neither read nor replaced.
    QVERIFY(QFile::remove(folder.ini()));
    QVERIFY(QDir().mkdir(folder.ini()));
    QVERIFY(window.close());
    QVERIFY(!window.isVisible());
    QCOMPARE(host.messages.size(), 1);
    QCOMPARE(host.messages[0].kind, dialogs::MessageKind::Error);
    QVERIFY2(host.messages[0].text.contains("Lumira.ini"), qPrintable(host.messages[0].text));
    QVERIFY(!window.state().book.isActive());
}

void ThlavniTest::nextStartOpensTheChosenBook() {
    ScriptedHost host;
    ProgramFolder folder;
    folder.writeIni({"[Nastaveni]", "PopiskaD1_FO=Vydáno"});
    {
        THlavni window(folder.path());
        host.dialogActions.enqueue([](QDialog& dialog) {
            QRadioButton* issued = dialog.findChildren<QRadioButton*>().at(1);
            QTest::mouseClick(issued, Qt::LeftButton, {}, QPoint(6, issued->height() / 2));
            return ScriptedHost::click(dialog, "Tl_Ok");
        });
        QTest::mouseClick(label(window, "La_TypProstredi"), Qt::LeftButton);
        QCOMPARE(label(window, "La_TypProstredi")->text(), QString("Odeslané faktury"));
        QVERIFY(window.close());
    }
    THlavni window(folder.path());
    QCOMPARE(window.state().activeBook.TableName(), QString("FOdeslane"));
    QCOMPARE(label(window, "La_TypProstredi")->text(), QString("Odeslané faktury"));
    QCOMPARE(window.grid()->model()->headerData(1, Qt::Horizontal).toString(),
             QString("Odběratel"));
    QCOMPARE(window.grid()->model()->headerData(11, Qt::Horizontal).toString(), QString("Vydáno"));
    QVERIFY(host.messages.isEmpty());
}

void ThlavniTest::bootstrapFailureEndsTheStart_data() {
    QTest::addColumn<bool>("folderInstead");
    QTest::newRow("folder in place of the database") << true;
    QTest::newRow("not a database") << false;
}

void ThlavniTest::bootstrapFailureEndsTheStart() {
    QFETCH(bool, folderInstead);
    ScriptedHost host;
    ProgramFolder folder;
    const QString database = folder.database();
    const QByteArray databaseBytes = "Standard Jet DB, not ours\r\n";
    if (folderInstead)
        QVERIFY(QDir().mkdir(database));
    else
        writeBytes(database, databaseBytes);
    folder.writeIni({"[Konfig]", "UkladatFrm=1", "UkladatTabulkuDB=1"});
    const QByteArray iniBytes = fileBytes(folder.ini());
    {
        THlavni window(folder.path());
        QVERIFY(!window.started());
        QCOMPARE(host.messages.size(), 1);
        QCOMPARE(host.messages[0].kind, dialogs::MessageKind::Warning);
        QCOMPARE(host.messages[0].caption, QString("Lumira"));
        QCOMPARE(host.messages[0].text,
                 QString("Selhalo připojení k databázi. Aplikace bude ukončena."));
        window.close();
    }
    QCOMPARE(fileBytes(folder.ini()), iniBytes);
    if (folderInstead)
        QVERIFY(QFileInfo(database).isDir());
    else
        QCOMPARE(fileBytes(database), databaseBytes);
    QCOMPARE(host.messages.size(), 1);
}

// The bootstrap's own caption reaches the box the start-up shows.
void ThlavniTest::missingTableWarningKeepsItsCaption() {
    ScriptedHost host;
    ProgramFolder folder;
    const QString database = folder.dir.filePath("Lumira.mdb");
    QVERIFY(CreateDatabaseFile(database));
    {
        // An index of the book's name makes creating the book table fail.
        engine::Connection connection;
        QVERIFY(connection.open(database, nullptr));
        QVERIFY(connection.execute("CREATE TABLE Pomocna (x INTEGER)", nullptr));
        QVERIFY(connection.execute("CREATE INDEX FDosle ON Pomocna (x)", nullptr));
    }
    THlavni window(folder.path());
    QVERIFY(!window.started());
    QCOMPARE(host.messages.size(), 1);
    QCOMPARE(host.messages[0].kind, dialogs::MessageKind::Warning);
    QCOMPARE(host.messages[0].caption, QString("Upozornění"));
    QCOMPARE(host.messages[0].text,
             QString("Databáze neobsahuje tabulku \"FDosle\" a pokus o založení této tabulky se "
                     "nezdařil. Aplikace bude ukončena. Kontaktujte autora programu."));
    window.close();
}

QTEST_MAIN(ThlavniTest)
#include "test_app_thlavni.moc"
