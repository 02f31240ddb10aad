// The filter panel on a fixture book: its states, checks, rows and sums, history and month pick.

#include "findfixture.h"

#include "storage/inifile.h"
#include "support/testfiles.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QDir>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

class FilterPanelTest : public QObject {
    Q_OBJECT
private slots:
    void openingSetsTheInitialChoices();
    void stateTableFollowsTheCommands();
    void applyAndCancelFollowRowsAndSums();
    void filterSelectingNothingShowsZero();
    void failedChecksChangeNothing_data();
    void failedChecksChangeNothing();
    void expressionWithApostropheFilters();
    void historyIsPushedAndWrittenOnlyOnClose();
    void historyKeepsTwentyEntries();
    void closingWithEmptyHistoryLeavesTheFileAlone();
    void reopeningShowsEachColumnAndEntryOnce();
    void historyWriteFailureIsShown();
    void monthMenuInJanuary();
    void bookSwitchClosesThePanelFirst();
};

namespace {

// Three invoices: two in January 2024, one in February.
void fillBook(FindFixture& f) {
    f.fixture.insertInvoice(QStringLiteral("FD_2401"), 100, 21, 121, QDate(2024, 1, 5));
    f.fixture.insertInvoice(QStringLiteral("FD_2402"), 200, 42, 242, QDate(2024, 1, 31));
    f.fixture.insertInvoice(QStringLiteral("FD_2501"), 1000, 210, 1210, QDate(2024, 2, 1));
    f.start();
}

void chooseDates(FilterPanel& p, const QDate& from, const QDate& to) {
    p.ChB_PouzitFiltrDatum->setChecked(true);
    p.Cb_PoleDatum->setCurrentIndex(0);
    p.Date_Od->setDate(from);
    p.Date_Do->setDate(to);
}

void chooseExpression(FilterPanel& p, const QString& expression, int column = 0) {
    p.ChB_PouzitFiltrVyraz->setChecked(true);
    p.Cb_Pole->setCurrentIndex(column);
    p.Cb_Retezec->setEditText(expression);
}

void applyExpression(FindFixture& f, const QString& expression) {
    chooseExpression(f.panel(), expression);
    f.actions.Akce_PouzitFiltr->trigger();
}

QStringList numbered(const QString& stem, int count) {
    QStringList list;
    for (int n = 1; n <= count; ++n)
        list << stem + QString::number(n);
    return list;
}

QStringList iniLines(const QString& section, const QStringList& entries) {
    QStringList lines{u'[' + section + u']'};
    for (int n = 0; n < entries.size(); ++n)
        lines << QStringLiteral("Polozka%1=%2").arg(n + 1).arg(entries[n]);
    return lines;
}

QString stored(FindFixture& f, int n) {
    return f.storedItem(QStringLiteral("Filtr"), n);
}

} // namespace

void FilterPanelTest::openingSetsTheInitialChoices() {
    FindFixture f;
    f.state.settings.PopiskaD1_FD = QStringLiteral("Přijato");
    f.start();
    f.panel().today = [] { return QDate(2024, 3, 31); };
    f.actions.Akce_Filtr->trigger();
    FilterPanel& p = f.panel();
    QCOMPARE(items(p.Cb_PoleDatum),
             QStringList({QStringLiteral("Přijato"), QStringLiteral("Datum 2"),
                          QStringLiteral("Datum 3")}));
    QCOMPARE(p.Cb_PoleDatum->currentIndex(), -1);
    QCOMPARE(items(p.Cb_Pole), QStringList({QStringLiteral("Číslo"), QStringLiteral("Dodavatel"),
                                            QStringLiteral("IČO"), QStringLiteral("Číslo účtu"),
                                            QStringLiteral("Kód"), QStringLiteral("Specifikace"),
                                            QStringLiteral("VS"), QStringLiteral("Poznámka")}));
    QCOMPARE(p.Cb_Pole->currentIndex(), 0);
    // One month back from the 31st lands on the last day of February.
    QCOMPARE(p.Date_Od->date(), QDate(2024, 2, 29));
    QCOMPARE(p.Date_Do->date(), QDate(2024, 3, 31));
    QVERIFY(!p.ChB_PouzitFiltrDatum->isChecked());
    QVERIFY(!p.ChB_PouzitFiltrVyraz->isChecked());
    for (QWidget* w : std::initializer_list<QWidget*>{p.Cb_PoleDatum, p.Date_Od, p.Date_Do,
                                                      p.Tl_Mesic, p.Cb_Pole, p.Cb_Retezec})
        QVERIFY2(!w->isEnabled(), qPrintable(w->objectName()));
    p.ChB_PouzitFiltrDatum->click();
    QVERIFY(p.Date_Od->isEnabled() && p.Tl_Mesic->isEnabled() && p.Cb_PoleDatum->isEnabled());
    QVERIFY(!p.Cb_Retezec->isEnabled());
    p.ChB_PouzitFiltrVyraz->click();
    QVERIFY(p.Cb_Pole->isEnabled() && p.Cb_Retezec->isEnabled());
    p.ChB_PouzitFiltrDatum->click();
    QVERIFY(!p.Date_Do->isEnabled());
}

void FilterPanelTest::stateTableFollowsTheCommands() {
    FindFixture f;
    fillBook(f);
    const MainActions& a = f.actions;
    QVERIFY(a.Akce_Filtr->isEnabled());
    QVERIFY(f.filterPanel->isHidden());

    a.Akce_Filtr->trigger();
    QVERIFY(!f.filterPanel->isHidden());
    QVERIFY(!a.Akce_Filtr->isEnabled());
    QVERIFY(!a.Akce_ZrusitFiltr->isEnabled());
    QVERIFY(!f.panel().Tl_ZrusitFiltr->isEnabled());
    QVERIFY(f.state.BookCondition.isEmpty());

    applyExpression(f, QStringLiteral("24"));
    QVERIFY(!f.state.BookCondition.isEmpty());
    QVERIFY(a.Akce_ZrusitFiltr->isEnabled());
    QVERIFY(f.panel().Tl_ZrusitFiltr->isEnabled());

    QTest::mouseClick(f.panel().Tl_ZrusitFiltr, Qt::LeftButton);
    QVERIFY(f.state.BookCondition.isEmpty());
    QVERIFY(a.Akce_ZrusitFiltr->isEnabled());
    QVERIFY(!f.filterPanel->isHidden());
    QVERIFY(f.panel().ChB_PouzitFiltrVyraz->isChecked()); // the choices stay

    QTest::mouseClick(f.panel().Tl_ZavritFiltr, Qt::LeftButton);
    QVERIFY(f.filterPanel->isHidden());
    QVERIFY(a.Akce_Filtr->isEnabled());
}

void FilterPanelTest::applyAndCancelFollowRowsAndSums() {
    FindFixture f;
    fillBook(f);
    QCOMPARE(f.labels.La_ZakladCelkem->text(), QStringLiteral("1\u00A0300,00 CZK"));
    f.actions.Akce_Filtr->trigger();
    chooseDates(f.panel(), QDate(2024, 1, 1), QDate(2024, 1, 31));
    f.actions.Akce_PouzitFiltr->trigger();
    QVERIFY(f.host.messages.isEmpty());
    QCOMPARE(f.state.BookCondition,
             QStringLiteral(" WHERE  (Datum1 >= #2024-01-01#) AND (Datum1 <= #2024-01-31#) "));
    QCOMPARE(f.counter(), QStringLiteral("1 z 2"));
    QCOMPARE(f.labels.La_ZakladCelkem->text(), QStringLiteral("300,00 CZK"));
    QCOMPARE(f.labels.La_CelkemCelkem->text(), QStringLiteral("363,00 CZK"));

    // Equal dates select exactly that day; applying again replaces the condition.
    chooseDates(f.panel(), QDate(2024, 2, 1), QDate(2024, 2, 1));
    f.actions.Akce_PouzitFiltr->trigger();
    QCOMPARE(f.counter(), QStringLiteral("1 z 1"));
    QCOMPARE(f.state.book.text(QStringLiteral("Cislo")), QStringLiteral("FD_2501"));

    // Both filters together.
    chooseDates(f.panel(), QDate(2024, 1, 1), QDate(2024, 1, 31));
    chooseExpression(f.panel(), QStringLiteral("02"));
    f.actions.Akce_PouzitFiltr->trigger();
    QCOMPARE(f.counter(), QStringLiteral("1 z 1"));
    QCOMPARE(f.labels.La_DPHCelkem->text(), QStringLiteral("42,00 CZK"));

    f.actions.Akce_ZrusitFiltr->trigger();
    QCOMPARE(f.counter(), QStringLiteral("1 z 3"));
    QCOMPARE(f.labels.La_ZakladCelkem->text(), QStringLiteral("1\u00A0300,00 CZK"));
}

void FilterPanelTest::filterSelectingNothingShowsZero() {
    FindFixture f;
    fillBook(f);
    f.actions.Akce_Filtr->trigger();
    applyExpression(f, QStringLiteral("nic takového"));
    QCOMPARE(f.counter(), QStringLiteral("0 z 0"));
    for (QLabel* sum : {f.labels.La_ZakladCelkem, f.labels.La_DPHCelkem, f.labels.La_CelkemCelkem})
        QCOMPARE(sum->text(), QStringLiteral("0,00 CZK"));
    QVERIFY(!f.actions.Akce_Hledat->isEnabled());
    // Closing brings the whole book back.
    f.actions.Akce_ZavritFiltr->trigger();
    QCOMPARE(f.counter(), QStringLiteral("1 z 3"));
    QCOMPARE(f.labels.La_ZakladCelkem->text(), QStringLiteral("1\u00A0300,00 CZK"));
}

void FilterPanelTest::failedChecksChangeNothing_data() {
    QTest::addColumn<bool>("dateOn");
    QTest::addColumn<int>("dateColumn");
    QTest::addColumn<QDate>("to");
    QTest::addColumn<bool>("expressionOn");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("expression");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focused");
    const QDate end(2024, 1, 31);
    QTest::newRow("neither box ticked")
        << false << 0 << end << false << 0 << QStringLiteral("24")
        << QStringLiteral("Není vybraná ani jedna volba filtrování.") << QString();
    QTest::newRow("no date column") << true << -1 << end << false << 0 << QString()
                                    << QStringLiteral("Není vybraná kolonka data.") << QString();
    QTest::newRow("end before start")
        << true << 0 << QDate(2023, 12, 31) << false << 0 << QString()
        << QStringLiteral("Počáteční datum nemůže být vyšší než koncové datum.") << QString();
    QTest::newRow("no column") << false << 0 << end << true << -1 << QStringLiteral("24")
                               << QStringLiteral("Není vybrané pole.") << QStringLiteral("Cb_Pole");
    QTest::newRow("blank expression")
        << false << 0 << end << true << 0 << QStringLiteral("   ")
        << QStringLiteral("Není zadaný výraz filtru.") << QStringLiteral("Cb_Retezec");
    QTest::newRow("bad dates stop before the expression is pushed")
        << true << 0 << QDate(2023, 12, 31) << true << 0 << QStringLiteral("nové")
        << QStringLiteral("Počáteční datum nemůže být vyšší než koncové datum.") << QString();
}

void FilterPanelTest::failedChecksChangeNothing() {
    QFETCH(bool, dateOn);
    QFETCH(int, dateColumn);
    QFETCH(QDate, to);
    QFETCH(bool, expressionOn);
    QFETCH(int, column);
    QFETCH(QString, expression);
    QFETCH(QString, message);
    QFETCH(QString, focused);
    FindFixture f;
    fillBook(f);
    f.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.window));
    f.actions.Akce_Filtr->trigger();
    applyExpression(f, QStringLiteral("FD_24"));
    const QString condition = f.state.BookCondition;
    const QStringList history = f.panel().historyEntries();

    FilterPanel& p = f.panel();
    p.ChB_PouzitFiltrDatum->setChecked(dateOn);
    p.Cb_PoleDatum->setCurrentIndex(dateColumn);
    p.Date_Od->setDate(QDate(2024, 1, 1));
    p.Date_Do->setDate(to);
    p.ChB_PouzitFiltrVyraz->setChecked(expressionOn);
    p.Cb_Pole->setCurrentIndex(column);
    p.Cb_Retezec->setEditText(expression);
    f.actions.Akce_PouzitFiltr->trigger();

    QCOMPARE(f.messageTexts(), QStringList{message});
    QCOMPARE(f.host.messages.first().kind, dialogs::MessageKind::Info);
    QCOMPARE(f.state.BookCondition, condition);
    QCOMPARE(p.historyEntries(), history);
    QCOMPARE(f.counter(), QStringLiteral("1 z 2"));
    if (!focused.isEmpty())
        QCOMPARE(QApplication::focusWidget(), p.findChild<QWidget*>(focused));
}

void FilterPanelTest::expressionWithApostropheFilters() {
    FindFixture f;
    const QString partner = QStringLiteral("Dodavatel_odberatel");
    f.fixture.insert(f.state.activeBook.TableName(),
                     {{QStringLiteral("Cislo"), QStringLiteral("A")},
                      {partner, QStringLiteral("O'Brien s.r.o.")}});
    f.fixture.insert(
        f.state.activeBook.TableName(),
        {{QStringLiteral("Cislo"), QStringLiteral("B")}, {partner, QStringLiteral("Obrien")}});
    f.start();
    f.actions.Akce_Filtr->trigger();
    chooseExpression(f.panel(), QStringLiteral("o'bri"), 1);
    f.actions.Akce_PouzitFiltr->trigger();
    QVERIFY2(f.host.messages.isEmpty(), qPrintable(f.messageTexts().join(u'\n')));
    QCOMPARE(f.counter(), QStringLiteral("1 z 1"));
    QCOMPARE(f.state.book.text(QStringLiteral("Cislo")), QStringLiteral("A"));
    QCOMPARE(f.panel().historyEntries(), QStringList{QStringLiteral("o'bri")});
}

void FilterPanelTest::historyIsPushedAndWrittenOnlyOnClose() {
    FindFixture f;
    fillBook(f);
    f.actions.Akce_Filtr->trigger();
    applyExpression(f, QStringLiteral("  abc  "));
    applyExpression(f, QStringLiteral("FD"));
    applyExpression(f, QStringLiteral("ABC"));
    // Found ignoring case, moved to the top and spelt as typed last; blanks dropped.
    QCOMPARE(f.panel().historyEntries(),
             QStringList({QStringLiteral("ABC"), QStringLiteral("FD")}));
    QCOMPARE(f.panel().Cb_Retezec->currentText(), QStringLiteral("ABC"));
    QVERIFY(!QFile::exists(f.fixture.iniPath()));

    f.actions.Akce_ZavritFiltr->trigger();
    QCOMPARE(stored(f, 1), QStringLiteral("ABC"));
    QCOMPARE(stored(f, 2), QStringLiteral("FD"));
    for (int n = 3; n <= 20; ++n)
        QCOMPARE(stored(f, n), QStringLiteral("none"));
}

void FilterPanelTest::historyKeepsTwentyEntries() {
    FindFixture f;
    f.fixture.writeIni(iniLines(QStringLiteral("Filtr"), numbered(QStringLiteral("e"), 20)));
    fillBook(f);
    f.actions.Akce_Filtr->trigger();
    QCOMPARE(f.panel().historyEntries(), numbered(QStringLiteral("e"), 20));
    applyExpression(f, QStringLiteral("nový"));
    QStringList expected = QStringList{QStringLiteral("nový")} + numbered(QStringLiteral("e"), 19);
    QCOMPARE(f.panel().historyEntries(), expected);
    f.actions.Akce_ZavritFiltr->trigger();
    QCOMPARE(stored(f, 1), QStringLiteral("nový"));
    QCOMPARE(stored(f, 20), QStringLiteral("e19"));
}

void FilterPanelTest::closingWithEmptyHistoryLeavesTheFileAlone() {
    FindFixture f;
    f.fixture.writeIni({QStringLiteral("[Nastaveni]"), QStringLiteral("Mena=CZK")});
    fillBook(f);
    const QByteArray before = fileBytes(f.fixture.iniPath());
    f.actions.Akce_Filtr->trigger();
    chooseDates(f.panel(), QDate(2024, 2, 1), QDate(2024, 2, 29));
    f.actions.Akce_PouzitFiltr->trigger();
    QCOMPARE(f.counter(), QStringLiteral("1 z 1"));
    f.actions.Akce_ZavritFiltr->trigger();
    QVERIFY(f.filterPanel->isHidden());
    QCOMPARE(f.counter(), QStringLiteral("1 z 3"));
    QVERIFY(f.state.BookCondition.isEmpty());
    QCOMPARE(fileBytes(f.fixture.iniPath()), before);
}

void FilterPanelTest::reopeningShowsEachColumnAndEntryOnce() {
    FindFixture f;
    // "none" marks an empty slot, also in the middle; a blank value is no entry either.
    f.fixture.writeIni({QStringLiteral("[Filtr]"), QStringLiteral("Polozka1=jedna"),
                        QStringLiteral("Polozka2=none"), QStringLiteral("Polozka3="),
                        QStringLiteral("Polozka4=dvě")});
    fillBook(f);
    for (int round = 0; round < 2; ++round) {
        f.actions.Akce_Filtr->trigger();
        QCOMPARE(f.panel().Cb_Pole->count(), 8);
        QCOMPARE(f.panel().Cb_PoleDatum->count(), 3);
        QCOMPARE(f.panel().historyEntries(),
                 QStringList({QStringLiteral("jedna"), QStringLiteral("dvě")}));
        f.actions.Akce_ZavritFiltr->trigger();
    }
    // A literal none is used and stored, but not read back.
    f.actions.Akce_Filtr->trigger();
    applyExpression(f, QStringLiteral("none"));
    QCOMPARE(f.panel().historyEntries().first(), QStringLiteral("none"));
    f.actions.Akce_ZavritFiltr->trigger();
    QCOMPARE(stored(f, 1), QStringLiteral("none"));
    f.actions.Akce_Filtr->trigger();
    QCOMPARE(f.panel().historyEntries(),
             QStringList({QStringLiteral("jedna"), QStringLiteral("dvě")}));
}

void FilterPanelTest::historyWriteFailureIsShown() {
    FindFixture f;
    fillBook(f);
    f.actions.Akce_Filtr->trigger();
    applyExpression(f, QStringLiteral("FD"));
    // A folder where the settings file should be: it can be neither read nor replaced.
    QVERIFY(QDir().mkpath(f.fixture.iniPath()));
    f.actions.Akce_ZavritFiltr->trigger();
    QCOMPARE(f.host.messages.size(), 1);
    QCOMPARE(f.host.messages.first().kind, dialogs::MessageKind::Error);
    QVERIFY(f.filterPanel->isHidden());
    QCOMPARE(f.counter(), QStringLiteral("1 z 3"));
}

void FilterPanelTest::monthMenuInJanuary() {
    FindFixture f;
    fillBook(f);
    f.panel().today = [] { return QDate(2024, 1, 10); };
    f.actions.Akce_Filtr->trigger();
    FilterPanel& p = f.panel();
    emit p.PMenu_Mesic->aboutToShow();
    const QList<QAction*> months = p.PMenu_Mesic->actions();
    QCOMPARE(months.size(), 12);
    QCOMPARE(months[0]->text(), QStringLiteral("Leden 2024"));
    QCOMPARE(months[2]->text(), QStringLiteral("Březen 2024"));
    QCOMPARE(months[11]->text(), QStringLiteral("Prosinec 2024"));
    QCOMPARE(months[11]->objectName(), QStringLiteral("PMenu_Mesic_12"));
    months[11]->trigger();
    QCOMPARE(p.Date_Od->date(), QDate(2024, 12, 1));
    QCOMPARE(p.Date_Do->date(), QDate(2024, 12, 31));
    // Only the dates change: the filter is neither switched on nor applied.
    QVERIFY(!p.ChB_PouzitFiltrDatum->isChecked());
    QVERIFY(f.state.BookCondition.isEmpty());
    QCOMPARE(p.Tl_Mesic->focusPolicy(), Qt::NoFocus);
}

void FilterPanelTest::bookSwitchClosesThePanelFirst() {
    FindFixture f;
    fillBook(f);
    f.fixture.insert(QStringLiteral("FOdeslane"),
                     {{QStringLiteral("Cislo"), QStringLiteral("FO_1")}});
    f.actions.Akce_Filtr->trigger();
    applyExpression(f, QStringLiteral("2401"));
    QCOMPARE(f.counter(), QStringLiteral("1 z 1"));
    f.host.dialogActions.enqueue([](QDialog& d) {
        QTest::mouseClick(d.findChildren<QRadioButton*>().at(1), Qt::LeftButton);
        return ScriptedHost::click(d, QStringLiteral("Tl_Ok"));
    });
    f.actions.Akce_ZmenaTabulkaDB->trigger();
    QCOMPARE(f.state.activeBook.TableName(), QStringLiteral("FOdeslane"));
    QVERIFY(f.filterPanel->isHidden());
    QVERIFY(f.state.BookCondition.isEmpty());
    QCOMPARE(f.counter(), QStringLiteral("1 z 1"));
    QCOMPARE(f.state.book.text(QStringLiteral("Cislo")), QStringLiteral("FO_1"));
    QCOMPARE(stored(f, 1), QStringLiteral("2401"));
    QVERIFY(f.actions.Akce_Filtr->isEnabled());
}

QTEST_MAIN(FilterPanelTest)
#include "test_find_filterpanel.moc"
