// The summary listing: its text, the filter line and the window it is shown in.

#include "findfixture.h"

#include "find/summary.h"
#include "storage/engine/formats.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QPlainTextEdit>
#include <QTest>

class SummaryTest : public QObject {
    Q_OBJECT
private slots:
    void text_data();
    void text();
    void commandDescribesTheShownRows();
    void filterLineFollowsThePanel();
};

namespace {

const QString head = QStringLiteral("Celkový přehled ke dni 5.3.2024\r\n\r\n"
                                    "Základ celkem: 1 300,00 CZK\r\n"
                                    "DPH celkem: 273,00 CZK\r\n\r\n"
                                    "Základ + DPH celkem: 1 573,00 CZK\r\n\r\n"
                                    "Počet záznamů: 3\r\n");

struct Shown {
    QString caption;
    QString text;
    bool verticalBar = true;
};

// Runs the summary command and takes what its window shows.
Shown showSummary(FindFixture& f) {
    Shown shown;
    f.host.dialogActions.enqueue([&shown](QDialog& d) {
        const auto* memo = d.findChild<QPlainTextEdit*>();
        shown = {d.windowTitle(), memo->toPlainText(),
                 memo->verticalScrollBarPolicy() != Qt::ScrollBarAlwaysOff};
        d.reject();
        return d.result();
    });
    f.actions.Akce_VypisSumare->trigger();
    return shown;
}

QString lastLine(const QString& text) {
    return text.section(u'\n', -1);
}

} // namespace

void SummaryTest::text_data() {
    QTest::addColumn<bool>("dateOn");
    QTest::addColumn<bool>("expressionOn");
    QTest::addColumn<QString>("last");
    QTest::newRow("no filter") << false << false << QString();
    QTest::newRow("date only") << true << false
                               << QStringLiteral("Filtr - datum: 1.1.2024 - 31.1.2024");
    QTest::newRow("expression only")
        << false << true << QStringLiteral("Filtr - pole: Číslo, výraz: 24");
    QTest::newRow("both") << true << true
                          << QStringLiteral("Filtr - datum: 1.1.2024 - 31.1.2024, "
                                            "pole: Číslo, výraz: 24");
}

void SummaryTest::text() {
    QFETCH(bool, dateOn);
    QFETCH(bool, expressionOn);
    QFETCH(QString, last);
    SummaryInputs inputs{QDate(2024, 3, 5),
                         QStringLiteral("1 300,00 CZK"),
                         QStringLiteral("273,00 CZK"),
                         QStringLiteral("1 573,00 CZK"),
                         3,
                         QString()};
    if (dateOn || expressionOn)
        inputs.filterLine = filterLine({dateOn, QDate(2024, 1, 1), QDate(2024, 1, 31), expressionOn,
                                        QStringLiteral("Číslo"), QStringLiteral("24")});
    QCOMPARE(summaryText(inputs), head + last);
}

void SummaryTest::commandDescribesTheShownRows() {
    FindFixture f;
    f.start();
    QVERIFY(f.actions.Akce_VypisSumare->isEnabled());
    const QString today =
        engine::formatDate(QStringLiteral("d.m.yyyy"), QDate::currentDate().startOfDay());
    const Shown empty = showSummary(f);
    QCOMPARE(empty.caption, QStringLiteral("Celkový přehled"));
    QVERIFY(!empty.verticalBar);
    QCOMPARE(empty.text, QStringLiteral("Celkový přehled ke dni ") + today +
                             QStringLiteral("\n\nZáklad celkem: 0,00 CZK\nDPH celkem: 0,00 CZK\n\n"
                                            "Základ + DPH celkem: 0,00 CZK\n\n"
                                            "Počet záznamů: 0\n"));

    f.fixture.insertInvoice(QStringLiteral("A"), 1000, 210, 1210);
    f.fixture.insertInvoice(QStringLiteral("B"), 0.5, 0.1, 0.6);
    f.start();
    const Shown full = showSummary(f);
    // The window's plain text shows the label's no-break space as a blank.
    QVERIFY(full.text.contains(QStringLiteral("\n\nZáklad celkem: 1 000,50 CZK\n")));
    QVERIFY(full.text.contains(QStringLiteral("\n\nZáklad + DPH celkem: 1 210,60 CZK\n")));
    QVERIFY(full.text.endsWith(QStringLiteral("Počet záznamů: 2\n")));
}

void SummaryTest::filterLineFollowsThePanel() {
    FindFixture f;
    f.fixture.insertInvoice(QStringLiteral("FD_24"), 100, 21, 121, QDate(2024, 1, 10));
    f.fixture.insertInvoice(QStringLiteral("FD_25"), 100, 21, 121, QDate(2024, 1, 11));
    f.start();
    f.actions.Akce_Filtr->trigger();
    FilterPanel& p = f.panel();
    p.ChB_PouzitFiltrDatum->setChecked(true);
    p.Cb_PoleDatum->setCurrentIndex(0);
    p.Date_Od->setDate(QDate(2024, 1, 1));
    p.Date_Do->setDate(QDate(2024, 1, 31));
    p.ChB_PouzitFiltrVyraz->setChecked(true);
    p.Cb_Retezec->setEditText(QStringLiteral("24"));
    f.actions.Akce_PouzitFiltr->trigger();
    Shown shown = showSummary(f);
    QVERIFY(shown.text.contains(QStringLiteral("\nPočet záznamů: 1\n")));
    QCOMPARE(lastLine(shown.text),
             QStringLiteral("Filtr - datum: 1.1.2024 - 31.1.2024, pole: Číslo, výraz: 24"));

    // The line describes the controls as they are now, not the applied filter.
    p.ChB_PouzitFiltrDatum->setChecked(false);
    p.Cb_Retezec->setEditText(QStringLiteral("přepsáno"));
    shown = showSummary(f);
    QVERIFY(shown.text.contains(QStringLiteral("\nPočet záznamů: 1\n")));
    QCOMPARE(lastLine(shown.text), QStringLiteral("Filtr - pole: Číslo, výraz: "));

    // After cancelling, with the panel still open: no filter line.
    f.actions.Akce_ZrusitFiltr->trigger();
    shown = showSummary(f);
    QVERIFY(shown.text.endsWith(QStringLiteral("Počet záznamů: 2\n")));
}

QTEST_MAIN(SummaryTest)
#include "test_find_summary.moc"
