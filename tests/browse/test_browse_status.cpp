#include "support/mainwindowrig.h"
#include "support/scriptedhost.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QtTest>

namespace {

// A sum text: the amount's blanks stand for the locale's own group separator.
QString sumText(const QString& amount) {
    return QString(amount).replace(u' ', QLocale().groupSeparator()) + " CZK";
}

} // namespace

class BrowseStatusTest : public QObject {
    Q_OBJECT
private slots:
    void emptyBook();
    void commandsFollowThePosition_data();
    void commandsFollowThePosition();
    void totals_data();
    void totals();
    void currencyChangeWaitsForRecomputation();
    void editModes();
    void findNextNeedsASearch();
    void rejectedSumQueryKeepsTheTotals();
    void rejectedBookQueryEmptiesTheGrid();
};

void BrowseStatusTest::emptyBook() {
    ScriptedHost host;
    MainWindowRig rig;
    rig.start();
    QCOMPARE(rig.labels.La_Pocitadlo->text(), QString("0 z 0"));
    QCOMPARE(rig.labels.La_Rezim->text(), QString("[Prohlížení]"));
    QCOMPARE(rig.sums(), QStringList({"0,00 CZK", "0,00 CZK", "0,00 CZK"}));
    const MainActions& a = rig.actions;
    for (QAction* action : {a.Akce_NaZacatek, a.Akce_Vzad, a.Akce_Vpred, a.Akce_NaKonec,
                            a.Akce_Edit, a.Akce_Smazat, a.Akce_KopirovatZaznam, a.Akce_Export,
                            a.Akce_Hledat, a.Akce_HledatDalsi, a.Akce_PrechodNaZaznam})
        QVERIFY2(!action->isEnabled(), qPrintable(action->text()));
    QVERIFY(a.Akce_Novy->isEnabled());
    QCOMPARE(rig.grid->model()->rowCount(), 0);
    QCOMPARE(rig.grid->model()->columnCount(), 15);
    QVERIFY(host.messages.isEmpty());
}

void BrowseStatusTest::commandsFollowThePosition_data() {
    QTest::addColumn<int>("recNo");
    QTest::addColumn<QString>("counter");
    QTest::addColumn<bool>("backEnabled");
    QTest::addColumn<bool>("forwardEnabled");
    QTest::newRow("first") << 1 << "1 z 3" << false << true;
    QTest::newRow("middle") << 2 << "2 z 3" << true << true;
    QTest::newRow("last") << 3 << "3 z 3" << true << false;
}

void BrowseStatusTest::commandsFollowThePosition() {
    QFETCH(int, recNo);
    QFETCH(QString, counter);
    QFETCH(bool, backEnabled);
    QFETCH(bool, forwardEnabled);
    MainWindowRig rig;
    for (const char* cislo : {"A", "B", "C"})
        rig.fixture.insertInvoice(cislo);
    rig.start();
    QVERIFY(rig.state.book.moveTo(recNo));
    QCOMPARE(rig.labels.La_Pocitadlo->text(), counter);
    const MainActions& a = rig.actions;
    QCOMPARE(a.Akce_NaZacatek->isEnabled(), backEnabled);
    QCOMPARE(a.Akce_Vzad->isEnabled(), backEnabled);
    QCOMPARE(a.Akce_Vpred->isEnabled(), forwardEnabled);
    QCOMPARE(a.Akce_NaKonec->isEnabled(), forwardEnabled);
    for (QAction* action : {a.Akce_Novy, a.Akce_Edit, a.Akce_Smazat, a.Akce_KopirovatZaznam,
                            a.Akce_Export, a.Akce_Hledat, a.Akce_PrechodNaZaznam})
        QVERIFY2(action->isEnabled(), qPrintable(action->text()));
}

void BrowseStatusTest::totals_data() {
    QTest::addColumn<QList<double>>("amounts");
    QTest::addColumn<QString>("expected");
    QTest::newRow("one row") << QList<double>{1234.5} << sumText("1 234,50");
    QTest::newRow("cancelling to exactly 0") << QList<double>{100.1, 250.35, -350.45} << "0,00 CZK";
    QTest::newRow("negative") << QList<double>{100, -1334.5} << sumText("-1 234,50");
    QTest::newRow("below a cent") << QList<double>{-0.004} << "0,00 CZK";
    QTest::newRow("a milliard") << QList<double>{1e9} << sumText("1 000 000 000,00");
    QTest::newRow("hundredths add up") << QList<double>{0.1, 0.2} << "0,30 CZK";
}

void BrowseStatusTest::totals() {
    QFETCH(QList<double>, amounts);
    QFETCH(QString, expected);
    MainWindowRig rig;
    for (double amount : amounts)
        rig.fixture.insertInvoice("X", amount, amount, amount);
    // Rows of the other book never count.
    rig.fixture.insert("FOdeslane", {{"Cislo", "O"}, {"Zaklad", 7.0}});
    rig.start();
    QCOMPARE(rig.sums(), QStringList({expected, expected, expected}));
}

void BrowseStatusTest::currencyChangeWaitsForRecomputation() {
    MainWindowRig rig;
    rig.fixture.insertInvoice("A", 10, 2.1, 12.1);
    rig.start();
    QCOMPARE(rig.sums(), QStringList({"10,00 CZK", "2,10 CZK", "12,10 CZK"}));
    rig.state.settings.Mena = "EUR";
    QVERIFY(rig.state.book.first());
    QCOMPARE(rig.labels.La_ZakladCelkem->text(), QString("10,00 CZK"));
    rig.browse->RefreshTotals();
    QCOMPARE(rig.sums(), QStringList({"10,00 EUR", "2,10 EUR", "12,10 EUR"}));
}

void BrowseStatusTest::editModes() {
    MainWindowRig rig;
    rig.fixture.insertInvoice("A");
    rig.start();
    engine::DataSet& book = rig.state.book;
    const MainActions& a = rig.actions;
    const auto recordCommands = [&a] {
        return QList<bool>{a.Akce_Novy->isEnabled(), a.Akce_Edit->isEnabled(),
                           a.Akce_Smazat->isEnabled()};
    };
    QVERIFY(book.edit());
    QCOMPARE(rig.labels.La_Rezim->text(), QString("[Editace]"));
    QCOMPARE(recordCommands(), QList<bool>({false, false, false}));
    book.cancel();
    QVERIFY(book.append());
    QCOMPARE(rig.labels.La_Rezim->text(), QString("[Vkládání]"));
    QCOMPARE(rig.labels.La_Pocitadlo->text(), QString("0 z 1"));
    QCOMPARE(recordCommands(), QList<bool>({false, false, false}));
    QCOMPARE(rig.grid->model()->rowCount(), 2);
    QVERIFY(book.setValue("Cislo", "B"));
    QVERIFY(book.post());
    QCOMPARE(rig.labels.La_Rezim->text(), QString("[Prohlížení]"));
    QCOMPARE(rig.labels.La_Pocitadlo->text(), QString("2 z 2"));
    QCOMPARE(recordCommands(), QList<bool>({true, true, true}));
    QCOMPARE(rig.cell(1, 0), QString("B"));
    // Closing leaves the last mode text and disables the record commands.
    book.close();
    QCOMPARE(rig.labels.La_Rezim->text(), QString("[Prohlížení]"));
    QVERIFY(!a.Akce_Novy->isEnabled());
}

void BrowseStatusTest::findNextNeedsASearch() {
    MainWindowRig rig;
    rig.fixture.insertInvoice("A");
    rig.fixture.insertInvoice("B");
    rig.start();
    QVERIFY(!rig.actions.Akce_HledatDalsi->isEnabled());
    rig.state.search.LastSearchText = "B";
    QVERIFY(rig.state.book.next());
    QVERIFY(rig.actions.Akce_HledatDalsi->isEnabled());
}

void BrowseStatusTest::rejectedSumQueryKeepsTheTotals() {
    ScriptedHost host;
    MainWindowRig rig;
    rig.fixture.insertInvoice("A", 5, 1, 6);
    rig.start();
    rig.state.BookCondition = " WHERE Neexistuje = 1";
    rig.browse->RefreshTotals();
    QCOMPARE(host.messages.size(), 1);
    QCOMPARE(host.messages[0].kind, dialogs::MessageKind::Error);
    QVERIFY2(host.messages[0].text.contains("Neexistuje"), qPrintable(host.messages[0].text));
    QCOMPARE(rig.sums(), QStringList({"5,00 CZK", "1,00 CZK", "6,00 CZK"}));
    QVERIFY(!rig.state.scratch.isActive());
    double sum = -1;
    QVERIFY(!rig.browse->SumColumn("Zaklad", sum));
    QCOMPARE(sum, -1.0);
}

void BrowseStatusTest::rejectedBookQueryEmptiesTheGrid() {
    ScriptedHost host;
    MainWindowRig rig;
    rig.fixture.insertInvoice("A");
    rig.fixture.insertInvoice("B");
    rig.start();
    QVERIFY(rig.state.book.last());
    rig.state.BookCondition = " WHERE Neexistuje = 1";
    QCOMPARE(rig.browse->BuildBookQuery(), QString("SELECT * FROM FDosle  WHERE Neexistuje = 1 "
                                                   "ORDER BY Id"));
    QVERIFY(!rig.browse->ReopenBook());
    QCOMPARE(host.messages.size(), 1);
    QCOMPARE(host.messages[0].kind, dialogs::MessageKind::Error);
    QVERIFY2(host.messages[0].text.contains("Neexistuje"), qPrintable(host.messages[0].text));
    QCOMPARE(rig.grid->model()->rowCount(), 0);
    QCOMPARE(rig.labels.La_Pocitadlo->text(), QString("0 z 0"));
    for (QAction* action : {rig.actions.Akce_Novy, rig.actions.Akce_Edit, rig.actions.Akce_Vzad,
                            rig.actions.Akce_Export})
        QVERIFY2(!action->isEnabled(), qPrintable(action->text()));
    rig.state.BookCondition.clear();
    QVERIFY(rig.browse->ReopenBook());
    QCOMPARE(rig.labels.La_Pocitadlo->text(), QString("1 z 2"));
    QCOMPARE(rig.grid->model()->rowCount(), 2);
}

QTEST_MAIN(BrowseStatusTest)
#include "test_browse_status.moc"
