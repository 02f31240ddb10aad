#include "app/thlavni.h"
#include "storage/inifile.h"
#include "support/programfolder.h"
#include "support/scriptedhost.h"

#include <QAbstractItemModel>
#include <QDialog>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

// The settings dialog and the export as the main window runs them.
namespace {

// The titles of the Datum1..Datum3 columns, found by field wherever the columns stand.
QStringList dateTitles(const THlavni& window) {
    const QAbstractItemModel* model = window.grid()->model();
    QStringList titles;
    for (const char* field : {"Datum1", "Datum2", "Datum3"}) {
        for (int c = 0; c < model->columnCount(); ++c) {
            if (model->headerData(c, Qt::Horizontal, Qt::UserRole).toString() == field)
                titles << model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
        }
    }
    return titles;
}

// Queues the settings dialog: the edits get the given texts, then the named button is clicked.
void scriptSettings(ScriptedHost& host, const QList<std::pair<QString, QString>>& texts,
                    const QString& button) {
    host.dialogActions.enqueue([texts, button](QDialog& dialog) {
        for (const auto& [name, text] : texts) {
            auto* edit = dialog.findChild<QLineEdit*>(name);
            edit->setFocus();
            edit->selectAll();
            QTest::keyClick(edit, Qt::Key_Backspace);
            QTest::keyClicks(edit, text);
        }
        return ScriptedHost::click(dialog, button);
    });
}

} // namespace

class AppNastaveniTest : public QObject {
    Q_OBJECT
private slots:
    void caption_data();
    void caption();
    void otherBookCaptionsWaitForThatBook();
    void ownCaptionsFollowDraggedColumns();
    void stornoChangesNothing();
    void exportKeepsTheCurrentRow();
};

void AppNastaveniTest::caption_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("caption");
    QTest::newRow("emptied") << ""
                             << "Lumira";
    QTest::newRow("renamed") << "Nova firma"
                             << "Lumira - Nova firma";
}

void AppNastaveniTest::caption() {
    QFETCH(QString, typed);
    QFETCH(QString, caption);
    ScriptedHost host;
    ProgramFolder folder;
    folder.writeIni({"[Nastaveni]", "NazevSubjektu=Firma"});
    THlavni window(folder.path());
    QCOMPARE(window.windowTitle(), QStringLiteral("Lumira - Firma"));
    scriptSettings(host, {{"Ed_NazevSubjektu", typed}}, "Tl_Ok");
    window.actions().Akce_Nastaveni->trigger();
    QCOMPARE(host.shownDialogs, QStringList{"Nastavení prostředí"});
    QCOMPARE(window.windowTitle(), caption);
}

void AppNastaveniTest::otherBookCaptionsWaitForThatBook() {
    ScriptedHost host;
    ProgramFolder folder;
    {
        THlavni window(folder.path());
        scriptSettings(host, {{"Ed_PopiskaD1_FO", "Vystaveno"}, {"Ed_PopiskaD3_FO", "Zaplaceno"}},
                       "Tl_Ok");
        window.actions().Akce_Nastaveni->trigger();
        QCOMPARE(dateTitles(window), QStringList({"Datum 1", "Datum 2", "Datum 3"}));
    }
    // The issued book shows them once it is the one opened.
    IniFile ini(folder.ini());
    Settings::writeTypProstredi(ini, 1);
    QVERIFY(ini.save());
    THlavni issued(folder.path());
    QCOMPARE(dateTitles(issued), QStringList({"Vystaveno", "Datum 2", "Zaplaceno"}));
}

void AppNastaveniTest::ownCaptionsFollowDraggedColumns() {
    ScriptedHost host;
    ProgramFolder folder;
    THlavni window(folder.path());
    QHeaderView* header = window.grid()->horizontalHeader();
    header->moveSection(header->count() - 2, 0);
    scriptSettings(host, {{"Ed_PopiskaD2_FD", "Splatnost"}}, "Tl_Ok");
    window.actions().Akce_Nastaveni->trigger();
    QCOMPARE(dateTitles(window), QStringList({"Datum 1", "Splatnost", "Datum 3"}));
}

void AppNastaveniTest::stornoChangesNothing() {
    ScriptedHost host;
    ProgramFolder folder;
    folder.writeIni({"[Nastaveni]", "NazevSubjektu=Firma", "PopiskaD1_FD=Vystaveno"});
    const QByteArray before = fileBytes(folder.ini());
    THlavni window(folder.path());
    scriptSettings(host, {{"Ed_NazevSubjektu", "Jina"}, {"Ed_PopiskaD1_FD", "Jine"}}, "Tl_Storno");
    window.actions().Akce_Nastaveni->trigger();
    QCOMPARE(window.windowTitle(), QStringLiteral("Lumira - Firma"));
    QCOMPARE(dateTitles(window), QStringList({"Vystaveno", "Datum 2", "Datum 3"}));
    QCOMPARE(fileBytes(folder.ini()), before);
}

void AppNastaveniTest::exportKeepsTheCurrentRow() {
    ScriptedHost host;
    ProgramFolder folder;
    {
        THlavni first(folder.path());
        engine::DataSet& book = first.state().book;
        for (const char* number : {"FD_1", "FD_2", "FD_3"}) {
            QVERIFY(book.append());
            book.setValue("Cislo", QString::fromLatin1(number));
            QVERIFY(book.post());
        }
    }
    THlavni window(folder.path());
    QVERIFY(window.actions().Akce_Export->isEnabled());
    engine::DataSet& book = window.state().book;
    QVERIFY(book.moveTo(2));
    const QString path = folder.dir.filePath("kniha.csv");
    host.saveAnswers.enqueue(ScriptedHost::SaveAnswer{path, 2});
    window.actions().Akce_Export->trigger();
    QCOMPARE(book.recNo(), 2);
    QCOMPARE(window.grid()->currentIndex().row(), 1);
    QVERIFY(host.saveRequests.value(0).fileName.startsWith("FakturyDosle_"));
    QCOMPARE(fileBytes(path).count("\r\n"), 4);
}

QTEST_MAIN(AppNastaveniTest)
#include "test_app_nastaveni.moc"
