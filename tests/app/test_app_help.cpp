// The help commands of the main window: help page, home page and About.

#include "app/helpcontroller.h"
#include "orvex/orvex.h"
#include "support/bookfixture.h"
#include "support/scriptedhost.h"
#include "support/testfiles.h"

#include <QDialog>
#include <QLabel>
#include <QTest>

namespace {

struct HelpFixture {
    BookFixture book;
    ScriptedHost host;
    QWidget window;
    MainActions actions{&window};
    HelpController controller{book.state, actions, &window};
};

} // namespace

class HelpTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { dialogs::setApplicationTitle("Lumira"); }
    void aboutShowsVersions();
    void pages();
};

void HelpTest::aboutShowsVersions() {
    HelpFixture f;
    QString label;
    OznaceniVerzeDLL(&label);
    QVERIFY(!label.isEmpty());
    QStringList texts;
    f.host.dialogActions.enqueue([&texts](QDialog& dialog) {
        for (const char* name : {"La_CisloVerze", "La_CisloVerzeFR", "La_URL"})
            texts << dialog.findChild<QLabel*>(name)->text();
        return ScriptedHost::click(dialog, "Tl_Ok");
    });
    f.actions.Akce_OProgramu->trigger();
    QCOMPARE(f.host.shownDialogs, QStringList{"O programu Lumira"});
    QCOMPARE(texts, QStringList({"1.1     2021-03-19", "Orvex  " + label, "www.lumira.cz"}));
}

void HelpTest::pages() {
    HelpFixture f;
    QVERIFY(f.actions.Akce_Napoveda->isEnabled());
    QCOMPARE(f.actions.Akce_Napoveda->shortcut(), QKeySequence(Qt::Key_F1));
    f.actions.Akce_Napoveda->trigger();
    f.actions.Akce_Domu->trigger();
    QCOMPARE(f.host.openRequests.size(), 2);
    // The help page lies beside the program and is a Czech page.
    const QString help = f.host.openRequests[0].target;
    QCOMPARE(help, QCoreApplication::applicationDirPath() + "/napoveda.html");
    const QString html = QString::fromUtf8(fileBytes(help));
    QVERIFY(html.contains("lang=\"cs\""));
    MainActions all(nullptr);
    for (const QAction* action : all.all())
        QVERIFY2(html.contains(action->text()), qPrintable(action->text()));
    QCOMPARE(f.host.openRequests[1].target, "http://www.lumira.cz/");
    for (const auto& request : f.host.openRequests)
        QCOMPARE(request.parameters, "");
    QCOMPARE(f.host.messages.size(), 0);
}

QTEST_MAIN(HelpTest)
#include "test_app_help.moc"
