#include "enginefixture.h"
#include "storage/engine/dataset.h"

#include <QDate>
#include <QLocale>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTest>
#include <sqlite3.h>

using engine::DataSet;
using State = DataSet::State;

namespace {

const QString kBookQuery = QStringLiteral("SELECT * FROM FDosle  ORDER BY Id");

// One transaction: a commit per row would make hundreds of rows cost seconds.
void insertNumbers(EngineFixture& db, const QStringList& numbers) {
    db.exec(QStringLiteral("BEGIN"));
    for (const QString& n : numbers)
        db.exec(QStringLiteral("INSERT INTO FDosle (Cislo, Zaklad) VALUES ('%1', 10)").arg(n));
    db.exec(QStringLiteral("COMMIT"));
}

// A book of N1 .. N`count`, open on all of its rows.
void openNumbered(EngineFixture& db, DataSet& set, int count) {
    QStringList numbers;
    for (int i = 1; i <= count; ++i)
        numbers << QStringLiteral("N%1").arg(i);
    insertNumbers(db, numbers);
    set.setCommandText(kBookQuery);
    QVERIFY(set.open());
}

} // namespace

class DataSetTest : public QObject {
    Q_OBJECT
private slots:
    void appendPostKeepsNewRowAtTheEnd();
    void refusedPostKeepsRowPending();
    void cancelReturnsToPreviousRow();
    void editAndAbandon();
    void deleteMovesToNextOrPrevious();
    void movesAndFlags();
    void stepFromStoredNewRow_data();
    void stepFromStoredNewRow();
    void bookmarks();
    void stateIsReportedBeforeData();
    void disabledControlsSendOneRefresh();
    void textLimitIsEnforcedByTheDatabase();
    void formats();
    void otherQueriesAreReadWhole();
    void scanFieldFollowsTheShownRows();
    void readingLeavesNoLockBehind();
    void cachedRowsFollowChanges_data();
    void cachedRowsFollowChanges();
    void failedReadIsReportedAndTriedAgain();
    void millionRows();
    void millionAmountsSumExactly();
};

void DataSetTest::appendPostKeepsNewRowAtTheEnd() {
    EngineFixture db;
    insertNumbers(db, {QStringLiteral("A1"), QStringLiteral("A2")});
    DataSet set(&db.connection);
    set.setCommandText(kBookQuery);
    int insertHookCalls = 0;
    set.afterInsert = [&](DataSet& d) {
        ++insertHookCalls;
        d.setValue(QStringLiteral("Zaklad"), 0.0);
    };
    QVERIFY(set.open());
    QCOMPARE(set.recordCount(), 2);
    QCOMPARE(set.recNo(), 1);
    QVERIFY(set.append());
    QCOMPARE(insertHookCalls, 1);
    QCOMPARE(set.state(), State::Insert);
    QCOMPARE(set.recNo(), -1);
    QVERIFY(set.setValue(QStringLiteral("Cislo"), QStringLiteral("FD_0001")));
    QVERIFY(set.setValue(QStringLiteral("Datum1"), QDate(2024, 2, 29)));
    QVERIFY(set.post());
    QCOMPARE(set.state(), State::Browse);
    QCOMPARE(set.recordCount(), 3);
    QCOMPARE(set.recNo(), 3);
    QCOMPARE(set.text(QStringLiteral("Cislo")), QStringLiteral("FD_0001"));
    QCOMPARE(set.value(QStringLiteral("Datum1")).toDate(), QDate(2024, 2, 29));
    QCOMPARE(set.value(QStringLiteral("Id")).toLongLong(), 3);
    // Column defaults apply to what was not assigned.
    QCOMPARE(set.number(QStringLiteral("DPH")), 0.0);
    engine::QueryResult stored;
    QVERIFY(db.connection.select(QStringLiteral("SELECT Datum1 FROM FDosle WHERE Id = 3"), stored,
                                 nullptr));
    QCOMPARE(stored.rows[0][0].toDate(), QDate(2024, 2, 29));
}

void DataSetTest::refusedPostKeepsRowPending() {
    EngineFixture db;
    DataSet set(&db.connection);
    set.setCommandText(kBookQuery);
    set.beforePost = [](DataSet& d) { return !d.text(QStringLiteral("Cislo")).isEmpty(); };
    QVERIFY(set.open());
    QVERIFY(set.append());
    set.setValue(QStringLiteral("Poznamka"), QStringLiteral("rozepsaná"));
    QVERIFY(!set.post());
    QCOMPARE(set.state(), State::Insert);
    QCOMPARE(set.text(QStringLiteral("Poznamka")), QStringLiteral("rozepsaná"));
    QVERIFY(set.lastError().isEmpty());
    // A move must not lose the pending row either.
    QVERIFY(!set.first());
    QCOMPARE(set.state(), State::Insert);
    QCOMPARE(set.recordCount(), 0);
}

void DataSetTest::cancelReturnsToPreviousRow() {
    EngineFixture db;
    insertNumbers(db, {QStringLiteral("A1"), QStringLiteral("A2"), QStringLiteral("A3")});
    DataSet set(&db.connection);
    set.setCommandText(kBookQuery);
    QVERIFY(set.open());
    QVERIFY(set.moveTo(2));
    QVERIFY(set.append());
    set.setValue(QStringLiteral("Cislo"), QStringLiteral("X"));
    set.cancel();
    QCOMPARE(set.state(), State::Browse);
    QCOMPARE(set.recNo(), 2);
    QCOMPARE(set.recordCount(), 3);
    // An untouched new row is abandoned by a move, a touched one is stored.
    QVERIFY(set.append());
    QVERIFY(set.last());
    QCOMPARE(set.recordCount(), 3);
    QVERIFY(set.append());
    set.setValue(QStringLiteral("Cislo"), QStringLiteral("A4"));
    QVERIFY(set.first());
    QCOMPARE(set.recordCount(), 4);
}

void DataSetTest::editAndAbandon() {
    EngineFixture db;
    insertNumbers(db, {QStringLiteral("A1"), QStringLiteral("A2")});
    DataSet set(&db.connection);
    set.setCommandText(kBookQuery);
    QVERIFY(set.open());
    QVERIFY(!set.setValue(QStringLiteral("Cislo"), QStringLiteral("no")));
    QVERIFY(set.edit());
    QCOMPARE(set.state(), State::Edit);
    QVERIFY(set.checkBrowseMode());
    QCOMPARE(set.state(), State::Browse);
    QVERIFY(set.edit());
    set.setValue(QStringLiteral("Zaklad"), 12.34567);
    QVERIFY(set.next());
    QCOMPARE(set.recNo(), 2);
    QVERIFY(set.first());
    // Amounts keep four decimals.
    QCOMPARE(set.number(QStringLiteral("Zaklad")), 12.3457);
    QCOMPARE(set.text(QStringLiteral("Cislo")), QStringLiteral("A1"));
}

void DataSetTest::deleteMovesToNextOrPrevious() {
    EngineFixture db;
    insertNumbers(db, {QStringLiteral("A1"), QStringLiteral("A2"), QStringLiteral("A3")});
    DataSet set(&db.connection);
    set.setCommandText(kBookQuery);
    int deleteHookCalls = 0;
    set.afterDelete = [&](DataSet&) { ++deleteHookCalls; };
    QVERIFY(set.open());
    QVERIFY(set.moveTo(2));
    QVERIFY(set.remove());
    QCOMPARE(set.text(QStringLiteral("Cislo")), QStringLiteral("A3"));
    QCOMPARE(set.recNo(), 2);
    QVERIFY(set.remove());
    QCOMPARE(set.text(QStringLiteral("Cislo")), QStringLiteral("A1"));
    QCOMPARE(set.recNo(), 1);
    QVERIFY(set.remove());
    QCOMPARE(set.recordCount(), 0);
    QCOMPARE(set.recNo(), -1);
    QVERIFY(set.eof() && set.bof());
    QCOMPARE(deleteHookCalls, 3);
    engine::QueryResult left;
    QVERIFY(db.connection.select(QStringLiteral("SELECT count(*) FROM FDosle"), left, nullptr));
    QCOMPARE(left.rows[0][0].toInt(), 0);
}

void DataSetTest::movesAndFlags() {
    EngineFixture db;
    insertNumbers(db, {QStringLiteral("A1"), QStringLiteral("A2"), QStringLiteral("A3")});
    DataSet set(&db.connection);
    set.setCommandText(kBookQuery);
    QVERIFY(set.open());
    QVERIFY(set.bof() && !set.eof());
    QVERIFY(set.next());
    QVERIFY(!set.bof() && !set.eof());
    QVERIFY(set.last());
    QVERIFY(set.eof());
    QCOMPARE(set.recNo(), 3);
    QVERIFY(set.next());
    QCOMPARE(set.recNo(), 3);
    QVERIFY(set.eof());
    QVERIFY(set.first());
    QVERIFY(set.prior());
    QCOMPARE(set.recNo(), 1);
    QVERIFY(set.bof());
    QVERIFY(!set.moveTo(0));
    QVERIFY(!set.moveTo(4));
    QVERIFY(set.moveTo(3));
    QCOMPARE(set.text(QStringLiteral("Cislo")), QStringLiteral("A3"));
}

void DataSetTest::stepFromStoredNewRow_data() {
    QTest::addColumn<bool>("forward");
    QTest::addColumn<int>("expectedRecNo");
    // The new row is stored as row 4 and the step counts from it, not from row 1 where the
    // cursor was before the row was appended.
    QTest::newRow("next stays on the stored last row") << true << 4;
    QTest::newRow("prior goes to the row before it") << false << 3;
}

void DataSetTest::stepFromStoredNewRow() {
    QFETCH(bool, forward);
    QFETCH(int, expectedRecNo);
    EngineFixture db;
    insertNumbers(db, {QStringLiteral("A1"), QStringLiteral("A2"), QStringLiteral("A3")});
    DataSet set(&db.connection);
    set.setCommandText(kBookQuery);
    QVERIFY(set.open());
    QVERIFY(set.append());
    set.setValue(QStringLiteral("Cislo"), QStringLiteral("A4"));
    QVERIFY(forward ? set.next() : set.prior());
    QCOMPARE(set.state(), State::Browse);
    QCOMPARE(set.recordCount(), 4);
    QCOMPARE(set.recNo(), expectedRecNo);
}

void DataSetTest::bookmarks() {
    EngineFixture db;
    insertNumbers(db, {QStringLiteral("A1"), QStringLiteral("A2"), QStringLiteral("A3")});
    DataSet set(&db.connection);
    set.setCommandText(QStringLiteral("SELECT * FROM FDosle WHERE Cislo <> 'A1' ORDER BY Id"));
    QVERIFY(set.open());
    QCOMPARE(set.recordCount(), 2);
    QVERIFY(set.last());
    const DataSet::Bookmark mark = set.bookmark();
    QVERIFY(set.first());
    QVERIFY(set.gotoBookmark(mark));
    QCOMPARE(set.text(QStringLiteral("Cislo")), QStringLiteral("A3"));
    QVERIFY(!set.gotoBookmark(1)); // filtered out
}

void DataSetTest::stateIsReportedBeforeData() {
    EngineFixture db;
    DataSet set(&db.connection);
    set.setCommandText(kBookQuery);
    QStringList order;
    connect(&set, &DataSet::stateChanged, this, [&] { order << QStringLiteral("state"); });
    connect(&set, &DataSet::dataChanged, this, [&] { order << QStringLiteral("data"); });
    QVERIFY(set.open());
    QCOMPARE(order.first(), QStringLiteral("state"));
    QVERIFY(order.contains(QStringLiteral("data")));
    order.clear();
    QVERIFY(set.append());
    set.setValue(QStringLiteral("Cislo"), QStringLiteral("N"));
    QVERIFY(set.post());
    QCOMPARE(order.first(), QStringLiteral("state"));
    QCOMPARE(order.count(QStringLiteral("state")), 2);
    QVERIFY(order.indexOf(QStringLiteral("state"), 1) < order.lastIndexOf(QStringLiteral("data")));
}

void DataSetTest::disabledControlsSendOneRefresh() {
    EngineFixture db;
    insertNumbers(db, {QStringLiteral("A1"), QStringLiteral("A2"), QStringLiteral("A3")});
    DataSet set(&db.connection);
    set.setCommandText(kBookQuery);
    QVERIFY(set.open());
    QSignalSpy moves(&set, &DataSet::currentChanged);
    set.disableControls();
    set.next();
    set.next();
    QCOMPARE(moves.count(), 0);
    set.enableControls();
    QCOMPARE(moves.count(), 1);
    QCOMPARE(moves.at(0).at(0).toInt(), 2);
}

void DataSetTest::textLimitIsEnforcedByTheDatabase() {
    EngineFixture db;
    DataSet set(&db.connection);
    set.setCommandText(kBookQuery);
    QVERIFY(set.open());
    QCOMPARE(set.fields()[set.fieldIndex(QStringLiteral("ICO"))].maxLength, 8);
    QVERIFY(set.append());
    set.setValue(QStringLiteral("Cislo"), QStringLiteral("123456789012345678901"));
    QVERIFY(!set.post());
    QVERIFY2(set.lastError().contains(QLatin1String("CHECK")), qPrintable(set.lastError()));
    QCOMPARE(set.state(), State::Insert);
    set.setValue(QStringLiteral("Cislo"), QStringLiteral("Žluťoučký kůň úpěl ó"));
    QVERIFY2(set.post(), qPrintable(set.lastError()));
}

void DataSetTest::formats() {
    EngineFixture db;
    db.exec(QStringLiteral("INSERT INTO FDosle (Cislo, Zaklad, Datum1) VALUES ('A', 1234.5, "
                           "#2015-03-05#)"));
    db.exec(QStringLiteral("INSERT INTO FDosle (Cislo, Zaklad) VALUES ('B', -0.004)"));
    DataSet set(&db.connection);
    set.setCommandText(kBookQuery);
    QVERIFY(set.open());
    set.setDisplayFormat(QStringLiteral("Zaklad"), QStringLiteral("#,##0.00"));
    set.setEditFormat(QStringLiteral("Zaklad"), QStringLiteral("0.00"));
    set.setDisplayFormat(QStringLiteral("Datum1"), QStringLiteral("d.m.yyyy"));
    const QString group = QLocale().groupSeparator();
    QCOMPARE(set.displayText(QStringLiteral("Zaklad")), QStringLiteral("1") + group + "234,50");
    QCOMPARE(set.editText(QStringLiteral("Zaklad")), QStringLiteral("1234,50"));
    QCOMPARE(set.displayText(QStringLiteral("Datum1")), QStringLiteral("5.3.2015"));
    QCOMPARE(set.displayTextAt(1, set.fieldIndex(QStringLiteral("Zaklad"))),
             QStringLiteral("0,00"));
    QCOMPARE(set.displayTextAt(1, set.fieldIndex(QStringLiteral("Datum1"))), QString());
    QCOMPARE(set.text(QStringLiteral("Zaklad")), QStringLiteral("1234,5"));
}

void DataSetTest::otherQueriesAreReadWhole() {
    EngineFixture db;
    insertNumbers(db, {QStringLiteral("A1"), QStringLiteral("A2")});
    DataSet set(&db.connection);
    set.setCommandText(QStringLiteral("SELECT SUM(Zaklad) AS CelkemSA FROM FDosle "));
    QVERIFY(set.open());
    QCOMPARE(set.recordCount(), 1);
    QCOMPARE(set.number(QStringLiteral("CelkemSA")), 20.0);
    QVERIFY(!set.isEditable());
    QVERIFY(!set.append());
    set.setCommandText(QStringLiteral("SELECT * FROM Nic ORDER BY Id"));
    QVERIFY(!set.open());
    QVERIFY(set.lastError().contains(QLatin1String("Nic")));
    QVERIFY(!set.isActive());
}

void DataSetTest::scanFieldFollowsTheShownRows() {
    EngineFixture db;
    QStringList numbers;
    for (int i = 1; i <= 600; ++i)
        numbers << QStringLiteral("N%1").arg(i);
    insertNumbers(db, numbers);
    DataSet set(&db.connection);
    // Every 250th row only: pages of scattered ids.
    set.setCommandText(
        QStringLiteral("SELECT * FROM FDosle WHERE Id % 250 = 0 OR Id < 3 ORDER BY Id"));
    QVERIFY(set.open());
    QVERIFY(set.append());
    set.setValue(QStringLiteral("Cislo"), QStringLiteral("new"));
    QVERIFY(set.post()); // stays shown although the condition excludes it
    db.exec(QStringLiteral("DELETE FROM FDosle WHERE Id = 250"));
    QStringList seen;
    QVERIFY(set.scanField(set.fieldIndex(QStringLiteral("Cislo")), 1,
                          [&](int row, const QVariant& value) {
                              seen << QStringLiteral("%1:%2").arg(row).arg(value.toString());
                              return true;
                          }));
    QCOMPARE(seen, (QStringList{"1:N2", "2:", "3:N500", "4:new"}));
    // The page reads agree, and a stop ends the scan.
    QCOMPARE(set.valueAt(3, set.fieldIndex(QStringLiteral("Cislo"))).toString(),
             QStringLiteral("N500"));
    int visits = 0;
    QVERIFY(set.scanField(1, 0, [&](int, const QVariant&) { return ++visits < 2; }));
    QCOMPARE(visits, 2);
}

void DataSetTest::readingLeavesNoLockBehind() {
    EngineFixture db;
    QStringList numbers;
    for (int i = 1; i <= 300; ++i)
        numbers << QStringLiteral("N%1").arg(i);
    insertNumbers(db, numbers);
    DataSet set(&db.connection);
    set.setCommandText(kBookQuery);
    QVERIFY(set.open());
    QCOMPARE(set.valueAt(5, 1).toString(), QStringLiteral("N6"));
    // Another copy of the program on the same file must be able to store at once.
    engine::Connection other;
    QVERIFY(other.open(db.path, nullptr));
    sqlite3_busy_timeout(other.handle(), 0);
    QString error;
    QVERIFY2(other.execute(QStringLiteral("INSERT INTO FDosle (Cislo) VALUES ('jinde')"), &error),
             qPrintable(error));
}

void DataSetTest::cachedRowsFollowChanges_data() {
    QTest::addColumn<QString>("change");
    QTest::addColumn<int>("recNo");
    // 20 rows: a whole page of 16 and a part of the next one.
    QTest::newRow("remove on the first page") << "remove" << 1;
    QTest::newRow("remove the first row of the last page") << "remove" << 17;
    QTest::newRow("remove the last row") << "remove" << 20;
    QTest::newRow("append to the last page") << "append" << 0;
    QTest::newRow("edit on the last page") << "edit" << 18;
}

void DataSetTest::cachedRowsFollowChanges() {
    QFETCH(QString, change);
    QFETCH(int, recNo);
    EngineFixture db;
    DataSet set(&db.connection);
    openNumbered(db, set, 20);
    QVERIFY(set.isActive());
    for (int row = 0; row < set.recordCount(); ++row)
        set.valueAt(row, 0); // every page cached
    if (change == QLatin1String("remove")) {
        QVERIFY(set.moveTo(recNo));
        QVERIFY(set.remove());
    } else {
        if (change == QLatin1String("append"))
            QVERIFY(set.append());
        else
            QVERIFY(set.moveTo(recNo) && set.edit());
        set.setValue(QStringLiteral("Cislo"), QStringLiteral("změna"));
        set.setValue(QStringLiteral("Zaklad"), 12.34567); // stored rounded
        QVERIFY2(set.post(), qPrintable(set.lastError()));
    }
    // What the cache shows is what a set opened afresh reads from the table.
    DataSet fresh(&db.connection);
    fresh.setCommandText(kBookQuery);
    QVERIFY(fresh.open());
    QCOMPARE(set.recordCount(), fresh.recordCount());
    for (int row = 0; row < fresh.recordCount(); ++row)
        for (int field = 0; field < fresh.fields().size(); ++field)
            QVERIFY2(set.valueAt(row, field) == fresh.valueAt(row, field),
                     qPrintable(QStringLiteral("row %1, field %2").arg(row).arg(field)));
}

void DataSetTest::failedReadIsReportedAndTriedAgain() {
    EngineFixture db;
    insertNumbers(db, {QStringLiteral("A1"), QStringLiteral("A2")});
    DataSet set(&db.connection);
    set.setCommandText(kBookQuery);
    QVERIFY(set.open());
    const int cislo = set.fieldIndex(QStringLiteral("Cislo"));
    db.exec(QStringLiteral("ALTER TABLE FDosle RENAME TO Jinam"));
    QCOMPARE(set.valueAt(1, cislo), QVariant());
    QVERIFY2(set.lastError().contains(QLatin1String("FDosle")), qPrintable(set.lastError()));
    db.exec(QStringLiteral("ALTER TABLE Jinam RENAME TO FDosle"));
    QCOMPARE(set.valueAt(1, cislo).toString(), QStringLiteral("A2"));
}

namespace {

// Inserts rows through one prepared statement in one transaction; returns the exact total of
// the amounts in hundredths.
qint64 generateRows(EngineFixture& db, int count) {
    sqlite3* handle = db.connection.handle();
    sqlite3_exec(handle, "BEGIN", nullptr, nullptr, nullptr);
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(handle,
                       "INSERT INTO FDosle (Cislo, Dodavatel_odberatel, Zaklad, Datum1) VALUES "
                       "(?, ?, ?, '2024-01-15')",
                       -1, &insert, nullptr);
    QRandomGenerator random(42);
    qint64 cents = 0;
    for (int i = 1; i <= count; ++i) {
        const qint64 amount = random.bounded(-1000000, 100000000); // -10 000,00 .. 999 999,99
        cents += amount;
        const QByteArray number = "FD_" + QByteArray::number(i);
        sqlite3_bind_text(insert, 1, number.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 2, "Dodavatel s.r.o.", -1, SQLITE_STATIC);
        sqlite3_bind_double(insert, 3, double(amount) / 100.0);
        sqlite3_step(insert);
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    sqlite3_exec(handle, "COMMIT", nullptr, nullptr, nullptr);
    return cents;
}

// A book of a million rows, generated once for the tests that only read it.
struct MillionRows {
    static constexpr int count = 1000000;
    EngineFixture db;
    const qint64 cents = generateRows(db, count);
};

MillionRows& sharedMillion() {
    static MillionRows rows;
    return rows;
}

} // namespace

void DataSetTest::millionRows() {
    EngineFixture& db = sharedMillion().db;
    const int count = MillionRows::count;
    DataSet set(&db.connection);
    set.setCommandText(kBookQuery);
    QVERIFY(set.open());
    QCOMPARE(set.recordCount(), count);
    QVERIFY(set.last());
    QCOMPARE(set.text(QStringLiteral("Cislo")), QStringLiteral("FD_1000000"));
    QVERIFY(set.first());
    QCOMPARE(set.text(QStringLiteral("Cislo")), QStringLiteral("FD_1"));
    QRandomGenerator random(7);
    const int cislo = set.fieldIndex(QStringLiteral("Cislo"));
    for (int i = 0; i < 2000; ++i) {
        const int row = random.bounded(count);
        QCOMPARE(set.valueAt(row, cislo).toString(), QStringLiteral("FD_%1").arg(row + 1));
    }
    QVERIFY(set.moveTo(654321));
    QCOMPARE(set.text(QStringLiteral("Cislo")), QStringLiteral("FD_654321"));
}

void DataSetTest::millionAmountsSumExactly() {
    EngineFixture& db = sharedMillion().db;
    const qint64 cents = sharedMillion().cents;
    engine::QueryResult sum;
    QVERIFY(db.connection.select(QStringLiteral("SELECT SUM(Zaklad) AS CelkemSA FROM FDosle "), sum,
                                 nullptr));
    const double total = sum.rows[0][0].toDouble();
    QCOMPARE(qRound64(total * 100.0), cents);
    QCOMPARE(
        QString::number(total, 'f', 2),
        QStringLiteral("%1.%2").arg(cents / 100).arg(qAbs(cents % 100), 2, 10, QLatin1Char('0')));
}

QTEST_GUILESS_MAIN(DataSetTest)
#include "test_engine_dataset.moc"
