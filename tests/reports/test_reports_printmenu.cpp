// The print menus built from the template directory and running a report from them: what
// the report library receives, and the messages when a template is missing or unreadable.

#include "reports/parametertext.h"
#include "reports/reportscontroller.h"
#include "support/bookfixture.h"
#include "support/fifoguard.h"
#include "support/scriptedhost.h"
#include "support/testfiles.h"

#include <QDir>
#include <QFile>
#include <QMenu>
#include <QTest>
#include <QToolButton>
#include <QWidget>
#include <memory>

namespace {

struct ReportCall {
    QString templatePath;
    QString parameters;
    QString sql;
    bool operator==(const ReportCall& other) const {
        return templatePath == other.templatePath && parameters == other.parameters &&
               sql == other.sql;
    }
};

const QStringList fixedItems = {"HMenu_Prehledy_NovaSestava", "HMenu_Prehledy_SpravaSestav",
                                "HMenu_Prehledy_Separator"};

QString templateWithName(const QString& name) {
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<TfrxReport Version=\"5.3.14\" "
           "ReportOptions.Name=\"" +
           name + "\" ScriptLanguage=\"PascalScript\">\r\n</TfrxReport>\r\n";
}

// A program folder with a book, the menus of the main window and the controller over them;
// every report call is recorded instead of shown.
struct PrintMenuFixture {
    BookFixture book;
    ScriptedHost host;
    QWidget window;
    QMenu* printMenu = new QMenu(&window);
    QToolButton* printButton = new QToolButton(&window);
    MainActions actions{&window};
    std::unique_ptr<ReportsController> controller;
    QList<ReportCall> calls;

    explicit PrintMenuFixture(int typProstredi = 0) : book(typProstredi) {
        QDir(book.dir.path()).mkdir("Ses");
        book.openBook();
        controller = std::make_unique<ReportsController>(book.state, actions, printMenu,
                                                         printButton, &window);
        controller->setReportRunner(
            [this](const QString& path, const QString& parameters, const QString& sql) {
                calls << ReportCall{path, parameters, sql};
            });
    }
    QString sesPath(const QString& fileName) const { return book.dir.filePath("Ses/" + fileName); }
    void addTemplate(const QString& fileName, const QByteArray& bytes) const {
        writeBytes(sesPath(fileName), bytes);
    }
    void addTemplate(const QString& fileName, const QString& reportName) const {
        addTemplate(fileName, templateWithName(reportName).toUtf8());
    }
    static QStringList names(const QMenu* menu) {
        QStringList result;
        for (const QAction* item : menu->actions())
            result << item->objectName();
        return result;
    }
    static QAction* item(const QMenu* menu, const QString& baseName) {
        for (QAction* action : menu->actions())
            if (action->objectName() == "HMenu_Prehledy_" + baseName)
                return action;
        return nullptr;
    }
    QMenu* popup() const { return controller->popupMenu(); }
};

} // namespace

class ReportsPrintMenuTest : public QObject {
    Q_OBJECT
private slots:
    void fixedItemsOnly_data();
    void fixedItemsOnly();
    void oneItemPerTemplate();
    void unreadableTemplateSkippedWithItsError();
    void rebuiltOnlyWhenAsked();
    void reportArguments_data();
    void reportArguments();
    void bothMenusPassIdenticalArguments();
    void sqlFollowsFilter_data();
    void sqlFollowsFilter();
    void parameterText_data();
    void parameterText();
    void missingTemplateMessage();
    void printButtonPopsUpTheCopy();
};

void ReportsPrintMenuTest::fixedItemsOnly_data() {
    QTest::addColumn<QString>("content");
    QTest::newRow("missing Ses") << "missing";
    QTest::newRow("empty Ses") << "empty";
    QTest::newRow("no ordinary template files") << "others";
}

void ReportsPrintMenuTest::fixedItemsOnly() {
    QFETCH(QString, content);
    PrintMenuFixture f;
    if (content == "missing")
        QVERIFY(QDir(f.sesPath("")).removeRecursively());
    std::unique_ptr<FifoGuard> fifo;
    if (content == "others") {
        QVERIFY(QDir(f.sesPath("")).mkdir("Slozka.fr3"));
        f.addTemplate(".Skryta.fr3", QString("Skrytá"));
        f.addTemplate("Poznamky.txt", QString("Text"));
        // Links count by what they lead to: a FIFO would block, a device never end.
        fifo = std::make_unique<FifoGuard>(f.book.dir.filePath("fifo"));
        QVERIFY(QFile::link(f.book.dir.filePath("fifo"), f.sesPath("Fronta.fr3")));
        QVERIFY(QFile::link("/dev/zero", f.sesPath("Nuly.fr3")));
    }
    f.controller->BuildPrintMenu();
    for (const QMenu* menu : {f.printMenu, f.popup()}) {
        QCOMPARE(PrintMenuFixture::names(menu), fixedItems);
        const QList<QAction*> items = menu->actions();
        QCOMPARE(items[0]->text(), "NovaSestava");
        QCOMPARE(items[1]->text(), "Správa předloh");
        QCOMPARE(items[1]->toolTip(), "Umožní přeskupovat a odstraňovat soubory předloh sestav");
        QVERIFY(items[2]->isSeparator());
        QCOMPARE(items[2]->text(), QString()); // a text would show beside the line
    }
    QCOMPARE(f.host.messages.size(), 0);
}

void ReportsPrintMenuTest::oneItemPerTemplate() {
    PrintMenuFixture f;
    f.addTemplate("Kniha_faktur.fr3", QString("Kniha faktur"));
    // Names a component name could not carry still get their items.
    f.addTemplate("Přehled 2024-01.v2.fr3", QString("Přehled &amp; souhrn"));
    f.addTemplate("Bez_nazvu.fr3", QByteArray("<TfrxReport Version=\"5.3.14\"/>"));
    f.addTemplate("VELKA.FR3", QString("Velká písmena"));
    f.controller->BuildPrintMenu();

    const QStringList expectedNames = QStringList(fixedItems) << "HMenu_Prehledy_Kniha_faktur"
                                                              << "HMenu_Prehledy_Přehled 2024-01.v2"
                                                              << "HMenu_Prehledy_Bez_nazvu"
                                                              << "HMenu_Prehledy_VELKA";
    QStringList names = PrintMenuFixture::names(f.printMenu);
    QCOMPARE(names.mid(0, 3), fixedItems);
    QCOMPARE(QSet<QString>(names.begin(), names.end()),
             QSet<QString>(expectedNames.begin(), expectedNames.end()));
    QCOMPARE(PrintMenuFixture::names(f.popup()), names);
    for (const QMenu* menu : {f.printMenu, f.popup()}) {
        QCOMPARE(PrintMenuFixture::item(menu, "Kniha_faktur")->text(), "Kniha faktur");
        QCOMPARE(PrintMenuFixture::item(menu, "Přehled 2024-01.v2")->text(), "Přehled & souhrn");
        QCOMPARE(PrintMenuFixture::item(menu, "Bez_nazvu")->text(), "");
    }
    PrintMenuFixture::item(f.printMenu, "Přehled 2024-01.v2")->trigger();
    // The file keeps its own name, extension in capitals included.
    PrintMenuFixture::item(f.popup(), "VELKA")->trigger();
    QCOMPARE(f.calls.size(), 2);
    QCOMPARE(f.calls[0].templatePath, f.sesPath("Přehled 2024-01.v2.fr3"));
    QCOMPARE(f.calls[1].templatePath, f.sesPath("VELKA.FR3"));
    QVERIFY(f.host.messages.isEmpty());
}

void ReportsPrintMenuTest::unreadableTemplateSkippedWithItsError() {
    PrintMenuFixture f;
    // A sysctl file that only accepts writes cannot be read even with full rights.
    const QString writeOnly = "/proc/sys/vm/drop_caches";
    if (!QFile::exists(writeOnly))
        QSKIP("no write-only file to link to");
    f.addTemplate("A_prvni.fr3", QString("První"));
    QVERIFY(QFile::link(writeOnly, f.sesPath("Necitelna.fr3")));
    f.addTemplate("Z_posledni.fr3", QString("Poslední"));
    f.controller->BuildPrintMenu();

    QCOMPARE(f.host.messages.size(), 1);
    QCOMPARE(f.host.messages[0].kind, dialogs::MessageKind::Error);
    QVERIFY2(f.host.messages[0].text.startsWith("Soubor předlohy \"" + f.sesPath("Necitelna.fr3") +
                                                "\" nelze přečíst: "),
             qPrintable(f.host.messages[0].text));
    for (const QMenu* menu : {f.printMenu, f.popup()}) {
        QCOMPARE(menu->actions().size(), 5);
        QVERIFY(PrintMenuFixture::item(menu, "A_prvni"));
        QVERIFY(PrintMenuFixture::item(menu, "Z_posledni"));
        QVERIFY(!PrintMenuFixture::item(menu, "Necitelna"));
    }
}

void ReportsPrintMenuTest::rebuiltOnlyWhenAsked() {
    PrintMenuFixture f;
    f.addTemplate("Stara.fr3", QString("Starý název"));
    f.controller->BuildPrintMenu();
    // Changes made behind the program's back show only at the next rebuild.
    f.addTemplate("Nova.fr3", QString("Nová"));
    f.addTemplate("Stara.fr3", QString("Nový název"));
    QCOMPARE(f.printMenu->actions().size(), 4);
    QAction* old = PrintMenuFixture::item(f.printMenu, "Stara");
    QCOMPARE(old->text(), "Starý název");
    // The file is found again by its base name: its new form runs under the old title.
    old->trigger();
    QCOMPARE(f.calls.size(), 1);
    QVERIFY(f.calls[0].parameters.startsWith("Nadpis|Starý název|"));
    f.controller->BuildPrintMenu();
    QCOMPARE(f.printMenu->actions().size(), 5);
    QCOMPARE(PrintMenuFixture::item(f.popup(), "Stara")->text(), "Nový název");
}

void ReportsPrintMenuTest::reportArguments_data() {
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("title");
    QTest::newRow("plain") << "Kniha faktur"
                           << "Kniha faktur";
    QTest::newRow("no name: empty title") << ""
                                          << "";
    QTest::newRow("ampersands removed") << "Tisk &amp;&amp; souhrn &amp;DPH"
                                        << "Tisk  souhrn DPH";
}

void ReportsPrintMenuTest::reportArguments() {
    QFETCH(QString, caption);
    QFETCH(QString, title);
    PrintMenuFixture f;
    f.addTemplate("Sestava.fr3", caption);
    f.controller->BuildPrintMenu();
    PrintMenuFixture::item(f.printMenu, "Sestava")->trigger();
    QCOMPARE(f.calls.size(), 1);
    QCOMPARE(f.calls[0].templatePath, f.book.state.ProgramDir + "Ses/Sestava.fr3");
    const QStringList parts = f.calls[0].parameters.split('|');
    QCOMPARE(parts.size(), 34);
    QCOMPARE(parts[0], "Nadpis");
    QCOMPARE(parts[1], title);
    QCOMPARE(parts[24], "Nadpis");
    QCOMPARE(parts[25], title);
    QCOMPARE(f.calls[0].parameters, reports::reportParameterText(title, f.book.state.settings, 0));
    QCOMPARE(f.host.messages.size(), 0);
}

void ReportsPrintMenuTest::bothMenusPassIdenticalArguments() {
    PrintMenuFixture f;
    f.addTemplate("Kniha_faktur.fr3", QString("&Kniha faktur"));
    f.book.state.settings.NazevSubjektu = "Truhlářství | Dvořák";
    f.controller->BuildPrintMenu();
    PrintMenuFixture::item(f.popup(), "Kniha_faktur")->trigger();
    PrintMenuFixture::item(f.printMenu, "Kniha_faktur")->trigger();
    QCOMPARE(f.calls.size(), 2);
    QCOMPARE(f.calls[0], f.calls[1]);
    QVERIFY(f.calls[0].parameters.startsWith(
        "Nadpis|Kniha faktur|NazevSubjektu|Truhlářství | Dvořák|OdpovednaOsoba||"));
}

void ReportsPrintMenuTest::sqlFollowsFilter_data() {
    QTest::addColumn<int>("typProstredi");
    QTest::addColumn<QString>("condition");
    QTest::addColumn<QString>("sql");
    QTest::newRow("no filter") << 0 << ""
                               << "SELECT * FROM FDosle  ORDER BY Id";
    QTest::newRow("filter, issued book")
        << 1 << " WHERE Cislo LIKE '%FO%'"
        << "SELECT * FROM FOdeslane  WHERE Cislo LIKE '%FO%' ORDER BY Id";
}

void ReportsPrintMenuTest::sqlFollowsFilter() {
    QFETCH(int, typProstredi);
    QFETCH(QString, condition);
    QFETCH(QString, sql);
    PrintMenuFixture f(typProstredi);
    f.book.state.BookCondition = condition;
    f.book.openBook();
    f.addTemplate("Sestava.fr3", QString("Sestava"));
    f.controller->BuildPrintMenu();
    PrintMenuFixture::item(f.printMenu, "Sestava")->trigger();
    QCOMPARE(f.calls.size(), 1);
    QCOMPARE(f.calls[0].sql, sql);
}

void ReportsPrintMenuTest::parameterText_data() {
    QTest::addColumn<int>("typProstredi");
    QTest::addColumn<bool>("filled");
    QTest::addColumn<QString>("text");
    QTest::newRow("business settings empty, received book")
        << 0 << false
        << "Nadpis|Titul|NazevSubjektu||OdpovednaOsoba||Ulice||PSC||Mesto||IC||DIC||Tel||"
           "Email||WWW||Mena|CZK|Nadpis|Titul|TypProstredi|0|Datum1|Datum 1|Datum2|Datum 2|"
           "Datum3|Datum 3";
    QTest::newRow("every setting filled, received book")
        << 0 << true
        << "Nadpis|Titul|NazevSubjektu|Firma|OdpovednaOsoba|Jan Novák|Ulice|Polní 12|PSC|602 00|"
           "Mesto|Brno|IC|12345678|DIC|CZ12345678|Tel|+420 123|Email|a@b.cz|WWW|www.b.cz|"
           "Mena|EUR|Nadpis|Titul|TypProstredi|0|Datum1|Vystaveno|Datum2|Splatno|"
           "Datum3|Zaplaceno";
    QTest::newRow("every setting filled, issued book")
        << 1 << true
        << "Nadpis|Titul|NazevSubjektu|Firma|OdpovednaOsoba|Jan Novák|Ulice|Polní 12|PSC|602 00|"
           "Mesto|Brno|IC|12345678|DIC|CZ12345678|Tel|+420 123|Email|a@b.cz|WWW|www.b.cz|"
           "Mena|EUR|Nadpis|Titul|TypProstredi|1|Datum1|Odesláno|Datum2|Do|Datum3|Uhrazeno";
}

void ReportsPrintMenuTest::parameterText() {
    QFETCH(int, typProstredi);
    QFETCH(bool, filled);
    QFETCH(QString, text);
    Settings s;
    if (filled) {
        s.NazevSubjektu = "Firma";
        s.OdpovednaOsoba = "Jan Novák";
        s.Ulice = "Polní 12";
        s.PSC = "602 00";
        s.Mesto = "Brno";
        s.IC = "12345678";
        s.DIC = "CZ12345678";
        s.Tel = "+420 123";
        s.Email = "a@b.cz";
        s.WWW = "www.b.cz";
        s.Mena = "EUR";
        s.PopiskaD1_FD = "Vystaveno";
        s.PopiskaD2_FD = "Splatno";
        s.PopiskaD3_FD = "Zaplaceno";
        s.PopiskaD1_FO = "Odesláno";
        s.PopiskaD2_FO = "Do";
        s.PopiskaD3_FO = "Uhrazeno";
    }
    QCOMPARE(reports::reportParameterText("Titul", s, typProstredi), text);
}

void ReportsPrintMenuTest::missingTemplateMessage() {
    PrintMenuFixture f;
    f.addTemplate("Smazana.fr3", QString("Smazaná"));
    f.controller->BuildPrintMenu();
    QVERIFY(QFile::remove(f.sesPath("Smazana.fr3")));
    for (const QMenu* menu : {f.printMenu, f.popup()})
        PrintMenuFixture::item(menu, "Smazana")->trigger();
    QCOMPARE(f.calls.size(), 0);
    QCOMPARE(f.host.messages.size(), 2);
    for (const dialogs::Message& message : f.host.messages) {
        QCOMPARE(message.kind, dialogs::MessageKind::Info);
        QCOMPARE(message.caption, "Upozornění");
        QCOMPARE(message.text, "Sestavu nelze spustit, nebyl nalezen soubor předlohy \"" +
                                   f.book.state.ProgramDir + "Ses/Smazana.fr3\".");
    }
}

void ReportsPrintMenuTest::printButtonPopsUpTheCopy() {
    PrintMenuFixture f;
    f.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.window));
    QVERIFY(f.printButton->isEnabled());
    f.controller->BuildPrintMenu();
    QTest::mouseClick(f.printButton, Qt::LeftButton);
    QVERIFY(f.popup()->isVisible());
    QCOMPARE(f.popup()->pos(), f.printButton->mapToGlobal(QPoint(10, f.printButton->height())));
    f.popup()->close();
}

QTEST_MAIN(ReportsPrintMenuTest)
#include "test_reports_printmenu.moc"
