// The About window: caption, rows and their geometry with and without the report-module row,
// the link's look and behaviour, and the ways to close it.

#include "dialogs/aboutdialog.h"
#include "support/scriptedhost.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace dialogs;

class DialogsAboutTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { setApplicationTitle("Lumira"); }
    void layout_data();
    void layout();
    void linkUnderlineFollowsMouse();
    void linkOpensHomePage();
    void closing_data();
    void closing();
    void folderRows();
};

void DialogsAboutTest::layout_data() {
    QTest::addColumn<QString>("reportModule");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<int>("valueLeft");
    QTest::addColumn<int>("buttonTop");
    QTest::addColumn<int>("outerHeight");
    QTest::newRow("with report module")
        << "Orvex  1.1.0" << QStringList{"La_VerzeProgramu", "La_VerzeFR", "La_DomovskaStranka"}
        << 240 << 92 << 157;
    QTest::newRow("without report module")
        << "" << QStringList{"La_VerzeProgramu", "La_DomovskaStranka"} << 216 << 68 << 133;
}

void DialogsAboutTest::layout() {
    QFETCH(QString, reportModule);
    QFETCH(QStringList, rows);
    QFETCH(int, valueLeft);
    QFETCH(int, buttonTop);
    QFETCH(int, outerHeight);
    AboutDialog dialog("1.1", "2021-03-19", reportModule);
    QCOMPARE(dialog.windowTitle(), "O programu Lumira");
    QCOMPARE(dialog.size() + AboutDialog::frameAllowance, QSize(520, outerHeight));
    QCOMPARE(dialog.palette().color(QPalette::Window), QColor(Qt::white));

    const QMap<QString, QPair<QString, QString>> captions = {
        {"La_VerzeProgramu", {"Verze programu:", "La_CisloVerze"}},
        {"La_VerzeFR", {"Verze tiskového modulu:", "La_CisloVerzeFR"}},
        {"La_DomovskaStranka", {"Domovská stránka:", "La_URL"}}};
    QCOMPARE(dialog.findChildren<QLabel*>().size(), rows.size() * 2);
    int top = 16;
    for (const QString& row : rows) {
        auto* caption = dialog.findChild<QLabel*>(row);
        QVERIFY2(caption, qPrintable(row));
        QCOMPARE(caption->text(), captions[row].first);
        QCOMPARE(caption->pos(), QPoint(80, top));
        QVERIFY(caption->font().bold());
        QCOMPARE(caption->palette().color(QPalette::WindowText), QColor(3, 63, 113));
        auto* value = dialog.findChild<QLabel*>(captions[row].second);
        QCOMPARE(value->pos(), QPoint(valueLeft, top));
        // The caption fits before the value column.
        QVERIFY2(caption->geometry().right() < valueLeft, qPrintable(row));
        top += 24;
    }
    QCOMPARE(dialog.findChild<QLabel*>("La_CisloVerze")->text(), "1.1     2021-03-19");
    if (!reportModule.isEmpty())
        QCOMPARE(dialog.findChild<QLabel*>("La_CisloVerzeFR")->text(), reportModule);
    auto* ok = dialog.findChild<QPushButton*>("Tl_Ok");
    QCOMPARE(ok->text(), "Ok");
    QCOMPARE(ok->pos(), QPoint(376, buttonTop));
    QVERIFY(ok->geometry().bottom() < dialog.height());
}

void DialogsAboutTest::linkUnderlineFollowsMouse() {
    AboutDialog dialog("1.1", "2021-03-19", "Orvex  1.1.0");
    auto* link = dialog.findChild<QLabel*>("La_URL");
    QCOMPARE(link->text(), homeHost());
    QCOMPARE(link->palette().color(QPalette::WindowText), QColor(128, 0, 0));
    QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);
    QVERIFY(link->font().underline());
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QApplication::sendEvent(link, &enter);
    QVERIFY(!link->font().underline());
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(link, &leave);
    QVERIFY(link->font().underline());
}

void DialogsAboutTest::linkOpensHomePage() {
    ScriptedHost host;
    AboutDialog dialog("1.1", "2021-03-19", "");
    dialog.show();
    auto* link = dialog.findChild<QLabel*>("La_URL");
    QTest::mouseClick(link, Qt::LeftButton);
    QCOMPARE(host.openRequests.size(), 1);
    QCOMPARE(host.openRequests[0].target, "http://" + homeHost());
    QCOMPARE(host.openRequests[0].parameters, "");
    // A failed opening shows nothing and leaves the window open.
    host.openDocumentResult = false;
    QTest::mouseClick(link, Qt::LeftButton);
    QCOMPARE(host.messages.size(), 0);
    QVERIFY(dialog.isVisible());
}

void DialogsAboutTest::closing_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("Ok") << "Tl_Ok";
    QTest::newRow("Esc") << "Esc";
}

void DialogsAboutTest::closing() {
    QFETCH(QString, how);
    ScriptedHost host;
    bool closed = false;
    host.dialogActions.enqueue([&](QDialog& dialog) {
        if (how == "Esc")
            QTest::keyClick(&dialog, Qt::Key_Escape);
        else
            ScriptedHost::click(dialog, how);
        closed = !dialog.isVisible();
        return dialog.result();
    });
    ShowAboutDialog("1.1", "2021-03-19", "Orvex  1.1.0");
    QCOMPARE(host.shownDialogs, QStringList{"O programu Lumira"});
    QVERIFY(closed);
}

void DialogsAboutTest::folderRows() {
    const QString data = "/home/jana/" + QString(80, u'd') + "/Lumira/";
    AboutDialog dialog("1.1", "2021-03-19", "Orvex  1.1.0", nullptr, data, data + "Zalohy");
    const struct {
        const char* caption;
        const char* value;
        QString text;
        QString path;
    } rows[] = {{"La_DataProgramu", "La_SlozkaDat", "Data programu:", data.chopped(1)},
                {"La_Zalohy", "La_SlozkaZaloh", "Zálohy:", data + "Zalohy"}};
    int top = 16 + 3 * 24;
    for (const auto& row : rows) {
        auto* caption = dialog.findChild<QLabel*>(row.caption);
        QCOMPARE(caption->text(), row.text);
        QCOMPARE(caption->pos(), QPoint(80, top));
        auto* value = dialog.findChild<QLabel*>(row.value);
        QCOMPARE(value->text(), row.path);
        QCOMPARE(value->pos(), QPoint(240, top));
        // A long path widens the window instead of being cut off.
        QVERIFY(value->geometry().right() < dialog.width());
        top += 24;
    }
    auto* ok = dialog.findChild<QPushButton*>("Tl_Ok");
    QCOMPARE(ok->y(), top - 24 + 28);
    QVERIFY(ok->geometry().right() < dialog.width());
}

QTEST_MAIN(DialogsAboutTest)
#include "test_dialogs_about.moc"
