// The scan of the search, the search dialog and find-next on a fixture book.

#include "findfixture.h"

#include "find/findinbook.h"
#include "find/thledat.h"
#include "storage/inifile.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

class SearchTest : public QObject {
    Q_OBJECT
private slots:
    void scan_data();
    void scan();
    void scanDoesNotRedrawPerRow();
    void scanOnEmptyBook();
    void dialogOpensWithItsInitialState();
    void repeatedPressesStepThroughMatches();
    void emptyExpressionIsRefused();
    void firstRecordIsNotExamined();
    void backReturnsToTheStart();
    void historyDedupesAndKeepsTwenty();
    void emptyHistoryWritesNothing();
    void findNextAvailabilityAndRepeat();
};

namespace {

// Five rows; the third has an amount and a date to compare as plain text.
void fillBook(FindFixture& f) {
    const QString table = f.state.activeBook.TableName();
    const QString notes[] = {QStringLiteral("alfa"), QStringLiteral("Žluťoučký kůň"),
                             QStringLiteral("beta alfa"), QStringLiteral("ALFA"),
                             QStringLiteral("gama")};
    for (int i = 0; i < 5; ++i) {
        QVariantMap values{{QStringLiteral("Cislo"), QStringLiteral("F%1").arg(i + 1)},
                           {QStringLiteral("Poznamka"), notes[i]}};
        if (i == 2) {
            values.insert(QStringLiteral("Zaklad"), 1234.5);
            values.insert(QStringLiteral("Datum1"), QDate(2015, 3, 5));
        }
        f.fixture.insert(table, values);
    }
    f.start();
}

// Runs the search dialog with the given steps inside it.
void runDialog(FindFixture& f, std::function<void(THledat&)> steps) {
    f.host.dialogActions.enqueue([steps](QDialog& d) {
        steps(static_cast<THledat&>(d));
        d.reject();
        return d.result();
    });
    f.actions.Akce_Hledat->trigger();
}

// Typing into the expression box (key clicks cannot carry Czech letters).
void type(THledat& d, const QString& text) {
    d.Cb_Retezec->setEditText(text);
}

QString stored(FindFixture& f, int n) {
    return f.storedItem(QStringLiteral("Seznam"), n);
}

} // namespace

void SearchTest::scan_data() {
    QTest::addColumn<int>("start");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("expression");
    QTest::addColumn<bool>("whole");
    QTest::addColumn<bool>("found");
    QTest::addColumn<int>("recNo");
    const QString note = QStringLiteral("Poznamka");
    QTest::newRow("contains, next row after the start")
        << 1 << note << QStringLiteral("alfa") << false << true << 3;
    QTest::newRow("the current row is never examined")
        << 1 << note << QStringLiteral("alfa") << true << true << 4;
    QTest::newRow("whole value in capitals, longer text skipped")
        << 2 << note << QStringLiteral("ALFA") << true << true << 4;
    QTest::newRow("Czech letters ignore case")
        << 1 << note << QStringLiteral("ŽLUŤOUČKÝ") << false << true << 2;
    QTest::newRow("current row matches, no later one")
        << 4 << note << QStringLiteral("alfa") << false << false << 5;
    QTest::newRow("from the last row")
        << 5 << note << QStringLiteral("gama") << false << false << 5;
    QTest::newRow("no wrap-around")
        << 3 << QStringLiteral("Cislo") << QStringLiteral("F1") << true << false << 5;
    QTest::newRow("amount as plain text")
        << 1 << QStringLiteral("Zaklad") << QStringLiteral("1234,5") << true << true << 3;
    QTest::newRow("amount not in display format")
        << 1 << QStringLiteral("Zaklad") << QStringLiteral("1 234,50") << false << false << 5;
    QTest::newRow("date as plain text")
        << 1 << QStringLiteral("Datum1") << QStringLiteral("5.3.2015") << true << true << 3;
}

void SearchTest::scan() {
    QFETCH(int, start);
    QFETCH(QString, field);
    QFETCH(QString, expression);
    QFETCH(bool, whole);
    QFETCH(bool, found);
    QFETCH(int, recNo);
    FindFixture f;
    fillBook(f);
    QVERIFY(f.state.book.moveTo(start));
    QCOMPARE(FindInBook(f.state.book, field, expression, whole), found);
    QCOMPARE(f.state.book.recNo(), recNo);
    QCOMPARE(f.counter(), QString::number(recNo) + QStringLiteral(" z 5"));
}

void SearchTest::scanDoesNotRedrawPerRow() {
    FindFixture f;
    // More than two pages of the data set, stored in one transaction.
    QString error;
    QVERIFY(f.state.connection.execute(QStringLiteral("BEGIN"), &error));
    for (int i = 0; i < 700; ++i)
        QVERIFY2(f.state.connection.execute(
                     QStringLiteral("INSERT INTO FDosle (Cislo) VALUES ('N%1')").arg(i), &error),
                 qPrintable(error));
    QVERIFY(f.state.connection.execute(QStringLiteral("COMMIT"), &error));
    f.start();
    int moves = 0;
    connect(&f.state.book, &engine::DataSet::dataChanged, &f.state.book, [&moves] { ++moves; });
    QVERIFY(!FindInBook(f.state.book, QStringLiteral("Cislo"), QStringLiteral("X"), false));
    QCOMPARE(f.state.book.recNo(), 700);
    QVERIFY(moves <= 1);
    QVERIFY(!f.state.book.controlsDisabled());
    QCOMPARE(QApplication::overrideCursor(), nullptr);
    // Nothing lies after the last row.
    QVERIFY(!FindInBook(f.state.book, QStringLiteral("Cislo"), QStringLiteral("n5"), true));
    QVERIFY(f.state.book.first());
    QVERIFY(FindInBook(f.state.book, QStringLiteral("Cislo"), QStringLiteral("n699"), true));
    QCOMPARE(f.state.book.recNo(), 700);
}

void SearchTest::scanOnEmptyBook() {
    FindFixture f;
    f.start();
    QVERIFY(!FindInBook(f.state.book, QStringLiteral("Cislo"), QStringLiteral("x"), false));
    QCOMPARE(f.counter(), QStringLiteral("0 z 0"));
    QCOMPARE(QApplication::overrideCursor(), nullptr);
}

void SearchTest::dialogOpensWithItsInitialState() {
    FindFixture f;
    f.fixture.writeIni({QStringLiteral("[Seznam]"), QStringLiteral("Polozka1=jedna"),
                        QStringLiteral("Polozka2=none"), QStringLiteral("Polozka3=dvě")});
    fillBook(f);
    f.state.search = {QStringLiteral("Poznamka"), QStringLiteral("x"), true};
    bool checked = false;
    runDialog(f, [&](THledat& d) {
        QCOMPARE(d.windowTitle(), QStringLiteral("Hledat"));
        QCOMPARE(d.Cb_Pole->count(), 15);
        QCOMPARE(d.Cb_Pole->itemText(0), QStringLiteral("Číslo"));
        QCOMPARE(d.Cb_Pole->currentText(), QStringLiteral("Poznámka"));
        QCOMPARE(items(d.Cb_Retezec),
                 QStringList({QStringLiteral("jedna"), QStringLiteral("dvě")}));
        QCOMPARE(d.Cb_Retezec->currentText(), QString());
        QVERIFY(!d.Celevyrazy->isChecked());
        QVERIFY(!d.Tl_HledatOdZacatku->isEnabled());
        QVERIFY(!d.Tl_HledatVyraz->isEnabled());
        QVERIFY(d.Tl_HledatVyraz->isDefault());
        QCOMPARE(d.focusWidget(), d.Cb_Retezec);
        QTest::keyClicks(d.Cb_Retezec->lineEdit(), QStringLiteral("a"));
        QVERIFY(d.Tl_HledatOdZacatku->isEnabled());
        QVERIFY(d.Tl_HledatVyraz->isEnabled());
        checked = true;
    });
    QVERIFY(checked);
}

void SearchTest::repeatedPressesStepThroughMatches() {
    FindFixture f;
    fillBook(f);
    QList<int> visited;
    runDialog(f, [&](THledat& d) {
        d.Cb_Pole->setCurrentIndex(14); // Poznámka
        type(d, QStringLiteral("A"));
        for (int press = 0; press < 3; ++press) {
            QTest::mouseClick(d.Tl_HledatVyraz, Qt::LeftButton);
            visited << f.state.book.recNo();
        }
        QVERIFY(f.host.messages.isEmpty());
        QTest::mouseClick(d.Tl_HledatVyraz, Qt::LeftButton);
    });
    // Row 1 was current; "beta alfa", "ALFA" and "gama" follow it.
    QCOMPARE(visited, QList<int>({3, 4, 5}));
    QCOMPARE(f.messageTexts(), QStringList{QStringLiteral("Hledaný výraz: A nebyl nalezen.")});
    QCOMPARE(f.state.book.recNo(), 5);
    QCOMPARE(f.state.search.LastSearchField, QStringLiteral("Poznamka"));
    QCOMPARE(f.state.search.LastSearchText, QStringLiteral("A"));
    QVERIFY(!f.state.search.LastSearchWhole);
}

void SearchTest::emptyExpressionIsRefused() {
    FindFixture f;
    fillBook(f);
    runDialog(f, [&](THledat& d) {
        QTest::keyClicks(d.Cb_Retezec->lineEdit(), QStringLiteral("x"));
        QTest::keyClick(d.Cb_Retezec->lineEdit(), Qt::Key_Backspace);
        QTest::mouseClick(d.Tl_HledatVyraz, Qt::LeftButton);
    });
    QCOMPARE(f.messageTexts(), QStringList{QStringLiteral("Není zadaný hledaný výraz ...")});
    QCOMPARE(f.state.book.recNo(), 1);
    QVERIFY(f.state.search.LastSearchText.isEmpty());
    QVERIFY(!QFile::exists(f.fixture.iniPath()));
}

void SearchTest::firstRecordIsNotExamined() {
    FindFixture f;
    fillBook(f);
    f.state.book.moveTo(4);
    int afterFirst = 0;
    int found = 0;
    runDialog(f, [&](THledat& d) {
        d.Cb_Pole->setCurrentIndex(14);
        type(d, QStringLiteral("alfa"));
        d.Celevyrazy->setChecked(true);
        QTest::mouseClick(d.Tl_HledatOdZacatku, Qt::LeftButton);
        afterFirst = f.state.book.recNo();
        QTest::mouseClick(d.Tl_HledatVyraz, Qt::LeftButton);
        found = f.state.book.recNo();
        // Already on the first row: the command is unavailable and nothing happens.
        f.state.book.first();
        QTest::mouseClick(d.Tl_HledatOdZacatku, Qt::LeftButton);
    });
    QCOMPARE(afterFirst, 1);
    QCOMPARE(found, 4); // "alfa" on row 1 is skipped, whole value: row 4 "ALFA"
    QVERIFY(f.host.messages.isEmpty());
}

void SearchTest::backReturnsToTheStart() {
    FindFixture f;
    fillBook(f);
    f.state.book.moveTo(2);
    int afterSearch = 0;
    runDialog(f, [&](THledat& d) {
        d.Cb_Pole->setCurrentIndex(14);
        type(d, QStringLiteral("nic"));
        QTest::mouseClick(d.Tl_HledatVyraz, Qt::LeftButton);
        afterSearch = f.state.book.recNo();
        QTest::mouseClick(d.Tl_Zpet, Qt::LeftButton);
    });
    QCOMPARE(afterSearch, 5);
    QCOMPARE(f.state.book.recNo(), 2);
}

void SearchTest::historyDedupesAndKeepsTwenty() {
    FindFixture f;
    QStringList lines{QStringLiteral("[Seznam]")};
    for (int n = 1; n <= 20; ++n)
        lines << QStringLiteral("Polozka%1=s%1").arg(n);
    f.fixture.writeIni(lines);
    fillBook(f);
    QStringList after;
    runDialog(f, [&](THledat& d) {
        for (const QString& text : {QStringLiteral("S3"), QStringLiteral("nový"),
                                    QStringLiteral("nový"), QStringLiteral("none")}) {
            type(d, text);
            QTest::mouseClick(d.Tl_HledatVyraz, Qt::LeftButton);
        }
        after = items(d.Cb_Retezec);
        QCOMPARE(d.Cb_Retezec->currentText(), QStringLiteral("none"));
    });
    QCOMPARE(after.size(), 20);
    QCOMPARE(after.mid(0, 4), QStringList({QStringLiteral("none"), QStringLiteral("nový"),
                                           QStringLiteral("S3"), QStringLiteral("s1")}));
    QVERIFY(!after.contains(QStringLiteral("s19")) && after.contains(QStringLiteral("s18")));
    QCOMPARE(stored(f, 1), QStringLiteral("none"));
    QCOMPARE(stored(f, 3), QStringLiteral("S3"));
    QCOMPARE(stored(f, 20), QStringLiteral("s18"));
    // The literal none is skipped when read back.
    runDialog(f, [&](THledat& d) { after = items(d.Cb_Retezec); });
    QCOMPARE(after.size(), 19);
    QCOMPARE(after.first(), QStringLiteral("nový"));
}

void SearchTest::emptyHistoryWritesNothing() {
    FindFixture f;
    fillBook(f);
    runDialog(f, [](THledat& d) { QTest::keyClick(&d, Qt::Key_Escape); });
    QVERIFY(!QFile::exists(f.fixture.iniPath()));
}

void SearchTest::findNextAvailabilityAndRepeat() {
    FindFixture f;
    fillBook(f);
    QVERIFY(f.actions.Akce_Hledat->isEnabled());
    QVERIFY(!f.actions.Akce_HledatDalsi->isEnabled());
    runDialog(f, [](THledat& d) {
        d.Cb_Pole->setCurrentIndex(14);
        type(d, QStringLiteral("ALFA"));
        QTest::mouseClick(d.Tl_HledatVyraz, Qt::LeftButton);
    });
    QCOMPARE(f.state.book.recNo(), 3);
    QVERIFY(f.actions.Akce_HledatDalsi->isEnabled());
    f.actions.Akce_HledatDalsi->trigger();
    QCOMPARE(f.state.book.recNo(), 4);
    f.actions.Akce_HledatDalsi->trigger();
    QCOMPARE(f.messageTexts(), QStringList{QStringLiteral("Hledaný výraz: ALFA nebyl nalezen.")});
    QCOMPARE(f.state.book.recNo(), 5);

    // A filter that shows no rows makes both search commands unavailable.
    f.actions.Akce_Filtr->trigger();
    f.panel().ChB_PouzitFiltrVyraz->setChecked(true);
    f.panel().Cb_Retezec->setEditText(QStringLiteral("nic takového"));
    f.actions.Akce_PouzitFiltr->trigger();
    QVERIFY(!f.actions.Akce_Hledat->isEnabled());
    QVERIFY(!f.actions.Akce_HledatDalsi->isEnabled());
}

QTEST_MAIN(SearchTest)
#include "test_find_search.moc"
