#include "storage/inifile.h"
#include "support/mainwindowrig.h"
#include "support/scriptedhost.h"
#include "support/testfiles.h"

#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QtTest>

namespace {

const QStringList settingsFile{"[Nastaveni]", "TypProstredi=0", "PopiskaD1_FO=Vydáno",
                               "[TabulkaDB]", "Dodavatel_odberatel=222"};

// Two books with rows of their own; the received one is open on its second row.
void fillBooks(MainWindowRig& rig) {
    rig.fixture.insertInvoice("D1", 100, 21, 121);
    rig.fixture.insertInvoice("D2", 200, 42, 242);
    rig.fixture.insert("FOdeslane", {{"Cislo", "O1"},
                                     {"Zaklad", 1000.0},
                                     {"DPH", 210.0},
                                     {"Celkem", 1210.0},
                                     {"Datum1", QDate(2024, 2, 29)}});
    rig.fixture.writeIni(settingsFile);
    rig.state.settings.PopiskaD1_FO = "Vydáno";
    rig.state.settings.UkladatTabulkuDB = true;
    rig.start();
    QVERIFY(rig.state.book.last());
}

} // namespace

class BrowseSwitchTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { dialogs::setApplicationTitle("Lumira"); }
    void switchToIssuedBook();
    void noChange_data();
    void noChange();
    void openFilterIsClosedFirst();
    void unwritableSettingsKeepTheBook();
    void clickOnTheBookNameAsks();
};

void BrowseSwitchTest::switchToIssuedBook() {
    ScriptedHost host;
    MainWindowRig rig;
    fillBooks(rig);
    rig.grid->horizontalHeader()->moveSection(0, 5);
    QStringList captions;
    host.dialogActions.enqueue([&captions](QDialog& dialog) {
        for (const QRadioButton* option : dialog.findChildren<QRadioButton*>())
            captions << option->text();
        if (const auto* group = dialog.findChild<QGroupBox*>())
            captions << group->title();
        return chooseOption(dialog, 1);
    });
    rig.browse->ChangeBook();
    QCOMPARE(host.shownDialogs, QStringList{"Lumira"});
    QCOMPARE(captions, QStringList({"Kniha došlých faktur", "Kniha odeslaných faktur",
                                    "Vyberte knihu faktur"}));
    QCOMPARE(rig.state.activeBook.TableName(), QString("FOdeslane"));
    QCOMPARE(rig.labels.La_TypProstredi->text(), QString("Odeslané faktury"));
    QCOMPARE(rig.title(1), QString("Odběratel"));
    QCOMPARE(rig.title(11), QString("Vydáno"));
    QCOMPARE(rig.title(12), QString("Datum 2"));
    QCOMPARE(rig.cell(0, 0), QString("O1"));
    QCOMPARE(rig.cell(0, 11), QString("29.2.2024"));
    QCOMPARE(rig.labels.La_Pocitadlo->text(), QString("1 z 1"));
    const QString thousand = "1" + QString(QLocale().groupSeparator()) + "000,00 CZK";
    QCOMPARE(rig.sums(), QStringList({thousand, "210,00 CZK",
                                      "1" + QString(QLocale().groupSeparator()) + "210,00 CZK"}));
    // The designed order is back and the remembered width serves this book too.
    QCOMPARE(rig.grid->horizontalHeader()->visualIndex(0), 0);
    QCOMPARE(rig.grid->horizontalHeader()->sectionSize(1), 222);
    // The next start opens the issued book.
    QCOMPARE(Settings::readTypProstredi(IniFile(rig.fixture.iniPath())), 1);
    QVERIFY(fileBytes(rig.fixture.iniPath()).contains("TypProstredi=1\r\n"));
    QVERIFY(host.messages.isEmpty());
}

void BrowseSwitchTest::noChange_data() {
    QTest::addColumn<QString>("button");
    QTest::newRow("Storno") << "Tl_Storno";
    QTest::newRow("Ok on the same book") << "Tl_Ok";
    QTest::newRow("window closed") << "";
}

void BrowseSwitchTest::noChange() {
    QFETCH(QString, button);
    ScriptedHost host;
    MainWindowRig rig;
    fillBooks(rig);
    const QByteArray before = fileBytes(rig.fixture.iniPath());
    rig.grid->horizontalHeader()->moveSection(0, 5);
    host.dialogActions.enqueue([button](QDialog& dialog) {
        if (button.isEmpty()) {
            dialog.reject();
            return dialog.result();
        }
        // Storno after marking the other book; Ok after marking the active one.
        markOption(dialog, button == "Tl_Storno" ? 1 : 0);
        return ScriptedHost::click(dialog, button);
    });
    rig.browse->ChangeBook();
    QCOMPARE(host.shownDialogs.size(), 1);
    QCOMPARE(fileBytes(rig.fixture.iniPath()), before);
    QCOMPARE(rig.state.activeBook.TableName(), QString("FDosle"));
    QCOMPARE(rig.state.book.recNo(), 2);
    QCOMPARE(rig.labels.La_TypProstredi->text(), QString("Došlé faktury"));
    QCOMPARE(rig.grid->horizontalHeader()->visualIndex(0), 5);
}

void BrowseSwitchTest::openFilterIsClosedFirst() {
    ScriptedHost host;
    MainWindowRig rig;
    fillBooks(rig);
    // Stands in for the filter panel's own close command.
    QStringList seenTables;
    rig.actions.Akce_ZavritFiltr->setEnabled(true);
    QObject::connect(rig.actions.Akce_ZavritFiltr, &QAction::triggered, [&rig, &seenTables] {
        seenTables << rig.state.activeBook.TableName();
        rig.state.BookCondition.clear();
        rig.browse->ReopenBook();
        rig.filterPanel->hide();
    });
    rig.filterPanel->show();
    rig.state.BookCondition = " WHERE Cislo = 'D1'";
    QVERIFY(rig.browse->ReopenBook());
    host.dialogActions.enqueue([](QDialog& dialog) { return chooseOption(dialog, 1); });
    rig.browse->ChangeBook();
    QCOMPARE(seenTables, QStringList{"FDosle"});
    QVERIFY(rig.filterPanel->isHidden());
    QCOMPARE(rig.state.activeBook.TableName(), QString("FOdeslane"));
    QCOMPARE(rig.labels.La_Pocitadlo->text(), QString("1 z 1"));
    // With the panel hidden the close command is not run.
    host.dialogActions.enqueue([](QDialog& dialog) { return chooseOption(dialog, 0); });
    rig.browse->ChangeBook();
    QCOMPARE(seenTables, QStringList{"FDosle"});
    QCOMPARE(rig.state.activeBook.TableName(), QString("FDosle"));
    QCOMPARE(rig.labels.La_Pocitadlo->text(), QString("1 z 2"));
}

void BrowseSwitchTest::unwritableSettingsKeepTheBook() {
    ScriptedHost host;
    MainWindowRig rig;
    fillBooks(rig);
    // A folder in place of the settings file: it can be read as empty but never replaced.
    QVERIFY(QFile::remove(rig.fixture.iniPath()));
    QVERIFY(QDir().mkdir(rig.fixture.iniPath()));
    host.dialogActions.enqueue([](QDialog& dialog) { return chooseOption(dialog, 1); });
    rig.browse->ChangeBook();
    QCOMPARE(host.messages.size(), 1);
    QCOMPARE(host.messages[0].kind, dialogs::MessageKind::Error);
    QVERIFY2(host.messages[0].text.contains("Lumira.ini"), qPrintable(host.messages[0].text));
    QCOMPARE(rig.state.activeBook.TypProstredi(), 0);
    QCOMPARE(rig.state.book.tableName(), QString("FDosle"));
    QCOMPARE(rig.state.book.recNo(), 2);
    QCOMPARE(rig.labels.La_TypProstredi->text(), QString("Došlé faktury"));
    QCOMPARE(rig.title(1), QString("Dodavatel"));
}

void BrowseSwitchTest::clickOnTheBookNameAsks() {
    ScriptedHost host;
    MainWindowRig rig;
    fillBooks(rig);
    QVERIFY(rig.actions.Akce_ZmenaTabulkaDB->isEnabled());
    host.dialogActions.enqueue([](QDialog& dialog) { return chooseOption(dialog, 1); });
    QTest::mouseClick(rig.labels.La_TypProstredi, Qt::LeftButton);
    QCOMPARE(host.shownDialogs.size(), 1);
    QCOMPARE(rig.labels.La_TypProstredi->text(), QString("Odeslané faktury"));
    // The menu command runs the same.
    host.dialogActions.enqueue([](QDialog& dialog) { return chooseOption(dialog, 0); });
    rig.actions.Akce_ZmenaTabulkaDB->trigger();
    QCOMPARE(rig.labels.La_TypProstredi->text(), QString("Došlé faktury"));
}

QTEST_MAIN(BrowseSwitchTest)
#include "test_browse_switch.moc"
