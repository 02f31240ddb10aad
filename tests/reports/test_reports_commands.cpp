// The commands of the print menu that change the template directory (new template, template
// manager).

#include "reports/reportscontroller.h"
#include "reports/tspravcepredloh.h"
#include "support/bookfixture.h"
#include "support/scriptedhost.h"
#include "support/testfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>
#include <memory>

namespace {

QString templateWithName(const QString& name) {
    return "<TfrxReport Version=\"5.3.14\" ReportOptions.Name=\"" + name + "\"/>";
}

struct CommandsFixture {
    BookFixture book;
    ScriptedHost host;
    QWidget window;
    QMenu* printMenu = new QMenu(&window);
    MainActions actions{&window};
    std::unique_ptr<ReportsController> controller;

    CommandsFixture() {
        QDir(book.dir.path()).mkdir("Ses");
        controller = std::make_unique<ReportsController>(book.state, actions, printMenu,
                                                         new QToolButton(&window), &window);
    }
    QString sesPath(const QString& fileName = QString()) const {
        return book.dir.filePath("Ses/" + fileName);
    }
    void addTemplate(const QString& fileName, const QString& reportName) const {
        writeBytes(sesPath(fileName), templateWithName(reportName).toUtf8());
    }
    QStringList templateFiles() const {
        return QDir(sesPath()).entryList({"*.fr3"}, QDir::Files, QDir::Name);
    }
    QStringList captions() const {
        QStringList result;
        for (const QAction* item : printMenu->actions().mid(3))
            result << item->text();
        result.sort();
        return result;
    }
    // Runs the template manager with the given steps done inside it.
    void manage(const std::function<void(TSpravcePredloh&)>& steps) {
        host.dialogActions.enqueue([steps](QDialog& dialog) {
            auto& manager = dynamic_cast<TSpravcePredloh&>(dialog);
            steps(manager);
            return ScriptedHost::click(dialog, "Tl_Storno");
        });
        actions.Akce_SpravaPredloh->trigger();
    }
};

QTreeWidget* list(TSpravcePredloh& manager) {
    return manager.findChild<QTreeWidget*>("ListView1");
}

QStringList rowTexts(TSpravcePredloh& manager) {
    QStringList rows;
    QTreeWidget* view = list(manager);
    for (int i = 0; i < view->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = view->topLevelItem(i);
        rows << item->text(0) + ' ' + item->text(1) + ' ' + item->text(2);
    }
    return rows;
}

// Selects the row of the file by a click, as the user would.
void clickRow(TSpravcePredloh& manager, const QString& fileName) {
    QTreeWidget* view = list(manager);
    const QList<QTreeWidgetItem*> found = view->findItems(fileName, Qt::MatchExactly, 2);
    QCOMPARE(found.size(), 1);
    const QRect rect = view->visualItemRect(found.first());
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rect.center());
}

} // namespace

class ReportsCommandsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { dialogs::setApplicationTitle("Lumira"); }
    void newTemplate_data();
    void newTemplate();
    void newTemplateRefused_data();
    void newTemplateRefused();
    void managerLists();
    void managerWithoutSelection();
    void managerNoKeepsFile();
    void managerDeletesAndKeepsNumbers();
    void managerDoubleClickDeletes();
    void managerFileNotDeleted_data();
    void managerFileNotDeleted();
    void menusRebuiltOnlyAfterDeletion();
    void designerEntryPoints_data();
    void designerEntryPoints();
};

void ReportsCommandsTest::newTemplate_data() {
    QTest::addColumn<QStringList>("existing");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("created");
    QTest::addColumn<QString>("via");
    QTest::newRow("first template") << QStringList() << "Kniha"
                                    << "Predloha_01.fr3"
                                    << "action";
    QTest::newRow("after the largest number")
        << QStringList{"Predloha_01.fr3", "Predloha_02.fr3", "Predloha_05.fr3"} << "Kniha"
        << "Predloha_06.fr3"
        << "print menu";
    QTest::newRow("name without digits counts 0") << QStringList{"Kniha_faktur.fr3"} << "Kniha"
                                                  << "Predloha_01.fr3"
                                                  << "pop-up menu";
    QTest::newRow("spaces kept, XML escaped") << QStringList() << "  Přehled <A & B>  "
                                              << "Predloha_01.fr3"
                                              << "action";
}

void ReportsCommandsTest::newTemplate() {
    QFETCH(QStringList, existing);
    QFETCH(QString, typed);
    QFETCH(QString, created);
    QFETCH(QString, via);
    CommandsFixture f;
    for (const QString& file : existing)
        f.addTemplate(file, file);
    f.controller->BuildPrintMenu();
    f.host.textAnswers.enqueue(typed);
    QMenu* menu = via == "print menu" ? f.printMenu : f.controller->popupMenu();
    if (via == "action")
        f.actions.Akce_NovaSestava->trigger();
    else
        menu->findChild<QAction*>("HMenu_Prehledy_NovaSestava")->trigger();

    QCOMPARE(f.host.prompts.size(), 1);
    QCOMPARE(f.host.prompts[0].caption, "Název sestavy ...");
    QCOMPARE(f.host.prompts[0].prompt, "Zadejte název sestavy:");
    QCOMPARE(f.host.prompts[0].value, "");
    QCOMPARE(f.host.messages.size(), 0);
    QVERIFY(f.templateFiles().contains(created));
    QCOMPARE(f.templateFiles().size(), existing.size() + 1);
    // The menus were rebuilt and show the typed name as it was typed.
    QVERIFY(f.captions().contains(typed));
    QCOMPARE(f.captions().size(), existing.size() + 1);
    QCOMPARE(f.controller->popupMenu()->actions().size(), existing.size() + 4);
}

void ReportsCommandsTest::newTemplateRefused_data() {
    QTest::addColumn<QString>("obstacle");
    QTest::addColumn<std::optional<QString>>("typed");
    QTest::addColumn<QString>("message");
    QTest::newRow("cancelled") << "" << std::optional<QString>() << "";
    QTest::newRow("empty name") << "" << std::optional<QString>("")
                                << "Zpráva: Nebyl zadan žádný název.";
    QTest::newRow("blanks and control characters only")
        << "" << std::optional<QString>("  \t ") << "Zpráva: Nebyl zadan žádný název.";
    QTest::newRow("number 99 in use") << "Predloha_99.fr3" << std::optional<QString>("Nová")
                                      << "Upozornění: Novou předlohu sestavy nelze vytvořit";
    QTest::newRow("a year in a file name") << "Prehled_2021.fr3" << std::optional<QString>("Nová")
                                           << "Upozornění: Novou předlohu sestavy nelze vytvořit";
    QTest::newRow("next name taken by a folder")
        << "dir:Predloha_01.fr3" << std::optional<QString>("Nová")
        << "Lumira: Soubor \"@SES@Predloha_01.fr3\" již existuje.";
    QTest::newRow("template folder missing")
        << "no Ses" << std::optional<QString>("Nová")
        << "Lumira: Soubor předlohy \"@SES@Predloha_01.fr3\" nelze zapsat: ";
}

void ReportsCommandsTest::newTemplateRefused() {
    QFETCH(QString, obstacle);
    QFETCH(std::optional<QString>, typed);
    QFETCH(QString, message);
    CommandsFixture f;
    if (obstacle.startsWith("dir:"))
        QVERIFY(QDir(f.sesPath()).mkdir(obstacle.mid(4)));
    else if (obstacle == "no Ses")
        QVERIFY(QDir(f.sesPath()).removeRecursively());
    else if (!obstacle.isEmpty())
        f.addTemplate(obstacle, "Stará");
    const QStringList before = f.templateFiles();
    f.controller->BuildPrintMenu();
    const QList<QAction*> itemsBefore = f.printMenu->actions();
    f.host.textAnswers.enqueue(typed);
    f.actions.Akce_NovaSestava->trigger();

    QCOMPARE(f.templateFiles(), before);
    QCOMPARE(f.printMenu->actions(), itemsBefore);
    if (message.isEmpty()) {
        QCOMPARE(f.host.messages.size(), 0);
        return;
    }
    QCOMPARE(f.host.messages.size(), 1);
    const dialogs::Message shown = f.host.messages[0];
    QVERIFY2((shown.caption + ": " + shown.text)
                 .startsWith(QString(message).replace("@SES@", f.sesPath())),
             qPrintable(shown.caption + ": " + shown.text));
}

void ReportsCommandsTest::managerLists() {
    CommandsFixture f;
    f.addTemplate("Kniha_faktur.fr3", "Kniha faktur");
    f.addTemplate("Predloha_03.fr3", "Přehled &amp; souhrn");
    f.manage([](TSpravcePredloh& manager) {
        QCOMPARE(manager.windowTitle(), "Správa předloh");
        QTreeWidget* view = list(manager);
        QCOMPARE(view->headerItem()->text(0), "Číslo");
        QCOMPARE(view->headerItem()->text(1), "Název sestavy");
        QCOMPARE(view->headerItem()->text(2), "Soubor předlohy");
        QStringList rows = rowTexts(manager);
        QCOMPARE(rows.size(), 2);
        QVERIFY(rows[0].startsWith("1. "));
        QVERIFY(rows[1].startsWith("2. "));
        for (QString& row : rows)
            row = row.mid(3);
        rows.sort();
        QCOMPARE(rows, QStringList(
                           {"Kniha faktur Kniha_faktur.fr3", "Přehled & souhrn Predloha_03.fr3"}));
        QCOMPARE(manager.listedCount(), 2);
        QVERIFY(!manager.findChild<QPushButton*>("Tl_Odstranit")->isEnabled());
    });
    QCOMPARE(f.host.shownDialogs, QStringList{"Správa předloh"});
}

void ReportsCommandsTest::managerWithoutSelection() {
    CommandsFixture f;
    f.addTemplate("Predloha_01.fr3", "Jedna");
    f.manage([](TSpravcePredloh& manager) { manager.Tl_OdstranitClick(); });
    QCOMPARE(f.host.messages.size(), 1);
    QCOMPARE(f.host.messages[0].kind, dialogs::MessageKind::Info);
    QCOMPARE(f.host.messages[0].caption, "Lumira");
    QCOMPARE(f.host.messages[0].text, "Není vybrán žádný soubor předlohy!");
    QCOMPARE(f.templateFiles(), QStringList{"Predloha_01.fr3"});
}

void ReportsCommandsTest::managerNoKeepsFile() {
    CommandsFixture f;
    f.addTemplate("Predloha_01.fr3", "Jedna");
    f.host.answers.enqueue(dialogs::Answer::No);
    f.manage([](TSpravcePredloh& manager) {
        clickRow(manager, "Predloha_01.fr3");
        auto* remove = manager.findChild<QPushButton*>("Tl_Odstranit");
        QVERIFY(remove->isEnabled());
        QTest::mouseClick(remove, Qt::LeftButton);
        QCOMPARE(manager.rowCount(), 1);
    });
    QCOMPARE(f.host.messages.size(), 1);
    const dialogs::Message question = f.host.messages[0];
    QCOMPARE(question.kind, dialogs::MessageKind::Question);
    QCOMPARE(question.questionKind, 2);
    QCOMPARE(question.caption, "Lumira");
    QCOMPARE(question.text, "Opravdu chcete soubor předlohy pro vybranou sestavu odstranit?");
    QCOMPARE(f.templateFiles(), QStringList{"Predloha_01.fr3"});
}

void ReportsCommandsTest::managerDeletesAndKeepsNumbers() {
    CommandsFixture f;
    for (const char* file : {"Predloha_01.fr3", "Predloha_02.fr3", "Predloha_03.fr3"})
        f.addTemplate(file, file);
    QString deleted;
    f.host.answers.enqueue(dialogs::Answer::Yes);
    f.manage([&deleted](TSpravcePredloh& manager) {
        // The middle row of the list, whichever file the directory delivered there.
        deleted = list(manager)->topLevelItem(1)->text(2);
        clickRow(manager, deleted);
        QTest::mouseClick(manager.findChild<QPushButton*>("Tl_Odstranit"), Qt::LeftButton);
        QStringList numbers;
        for (const QString& row : rowTexts(manager))
            numbers << row.section(' ', 0, 0);
        QCOMPARE(numbers, QStringList({"1.", "3."}));
        QVERIFY(manager.findChild<QPushButton*>("Tl_Odstranit")->isEnabled());
        QCOMPARE(manager.listedCount(), 3);
    });
    QCOMPARE(f.templateFiles().size(), 2);
    QVERIFY(!f.templateFiles().contains(deleted));
}

void ReportsCommandsTest::managerDoubleClickDeletes() {
    CommandsFixture f;
    f.addTemplate("Predloha_01.fr3", "Jedna");
    f.host.answers.enqueue(dialogs::Answer::Yes);
    f.manage([](TSpravcePredloh& manager) {
        QTreeWidget* view = list(manager);
        const QPoint row = view->visualItemRect(view->topLevelItem(0)).center();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, row);
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, row);
        QCOMPARE(manager.rowCount(), 0);
        // On the empty list a double click asks for a selection.
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, QPoint(20, 20));
    });
    QCOMPARE(f.templateFiles(), QStringList());
    QCOMPARE(f.host.messages.size(), 2);
    QCOMPARE(f.host.messages[1].text, "Není vybrán žádný soubor předlohy!");
}

void ReportsCommandsTest::managerFileNotDeleted_data() {
    QTest::addColumn<bool>("folderInItsPlace");
    QTest::newRow("file has gone") << false;
    QTest::newRow("file cannot be deleted") << true;
}

void ReportsCommandsTest::managerFileNotDeleted() {
    QFETCH(bool, folderInItsPlace);
    CommandsFixture f;
    f.addTemplate("Predloha_01.fr3", "Jedna");
    f.host.answers.enqueue(dialogs::Answer::Yes);
    f.manage([&f, folderInItsPlace](TSpravcePredloh& manager) {
        QVERIFY(QFile::remove(f.sesPath("Predloha_01.fr3")));
        // A folder of the file's name cannot be deleted as a file, not even by root.
        if (folderInItsPlace)
            QVERIFY(QDir().mkpath(f.sesPath("Predloha_01.fr3/obsah")));
        clickRow(manager, "Predloha_01.fr3");
        manager.Tl_OdstranitClick();
        QCOMPARE(manager.rowCount(), 1);
    });
    // Only the question: the row stays without a word.
    QCOMPARE(f.host.messages.size(), 1);
    QCOMPARE(f.host.messages[0].kind, dialogs::MessageKind::Question);
    QCOMPARE(QFileInfo(f.sesPath("Predloha_01.fr3")).isDir(), folderInItsPlace);
}

void ReportsCommandsTest::menusRebuiltOnlyAfterDeletion() {
    CommandsFixture f;
    f.addTemplate("Predloha_01.fr3", "Jedna");
    f.addTemplate("Predloha_02.fr3", "Dva");
    f.controller->BuildPrintMenu();
    // Added behind the program's back: shows only when the menus are rebuilt.
    f.addTemplate("Predloha_03.fr3", "Tři");

    f.manage([](TSpravcePredloh&) {});
    QCOMPARE(f.captions(), QStringList({"Dva", "Jedna"}));

    f.host.answers.enqueue(dialogs::Answer::Yes);
    f.manage([](TSpravcePredloh& manager) {
        clickRow(manager, "Predloha_01.fr3");
        manager.Tl_OdstranitClick();
    });
    QCOMPARE(f.captions(), QStringList({"Dva", "Tři"}));
    QCOMPARE(f.controller->popupMenu()->actions().size(), 5);
}

// Each way into the designer opens the right file; a change saved there renames the report in
// the print menus, and closing the designer without saving leaves the menus alone.
void ReportsCommandsTest::designerEntryPoints_data() {
    QTest::addColumn<QString>("entry");
    QTest::addColumn<bool>("saved");
    for (const char* entry : {"new template", "manager", "preview"}) {
        QTest::newRow(qPrintable(QString(entry) + ", saved")) << entry << true;
        QTest::newRow(qPrintable(QString(entry) + ", not saved")) << entry << false;
    }
}

void ReportsCommandsTest::designerEntryPoints() {
    QFETCH(QString, entry);
    QFETCH(bool, saved);
    CommandsFixture f;
    f.addTemplate("Kniha_faktur.fr3", "Kniha faktur");
    f.controller->BuildPrintMenu();
    QStringList opened;
    const auto design = [&](const QString& path, const QString& reportName) {
        opened << QFileInfo(path).fileName() + " " + reportName;
        if (saved)
            f.addTemplate(QFileInfo(path).fileName(), "Upravená");
        return saved;
    };
    f.controller->setTemplateDesigner(design);
    // The preview's "Upravit předlohu" is the library's: it opens the designer itself.
    f.controller->setReportRunner(
        [&](const QString& path, const QString&, const QString&) { design(path, "Kniha faktur"); });
    QString expected = "Kniha_faktur.fr3 Kniha faktur";
    if (entry == "new template") {
        f.host.textAnswers.enqueue(QString("Nová"));
        f.actions.Akce_NovaSestava->trigger();
        expected = "Predloha_01.fr3 Nová";
    } else if (entry == "manager") {
        f.manage([](TSpravcePredloh& manager) {
            clickRow(manager, "Kniha_faktur.fr3");
            QPushButton* edit = manager.findChild<QPushButton*>("Tl_Upravit");
            QVERIFY(edit && edit->isEnabled());
            QTest::mouseClick(edit, Qt::LeftButton);
        });
    } else {
        f.printMenu->findChild<QAction*>("HMenu_Prehledy_Kniha_faktur")->trigger();
    }
    QCOMPARE(opened, QStringList{expected});
    QCOMPARE(f.captions().contains("Upravená"), saved);
    QCOMPARE(f.host.messages.size(), 0);
}

QTEST_MAIN(ReportsCommandsTest)
#include "test_reports_commands.moc"
