#include "actions/mainactions.h"
#include "export/export1.h"
#include "export/exportcontroller.h"
#include "support/bookfixture.h"
#include "support/scriptedhost.h"

#include <QFile>
#include <QTest>

using Export1::Outcome;

class ExportCommandTest : public QObject {
    Q_OBJECT
private slots:
    void refusedBook_data();
    void refusedBook();
    void saveDialogRequest();
    void cancelledDialogWritesNothing();
    void chosenTypeDecidesFormat_data();
    void chosenTypeDecidesFormat();
    void dateStamp_data();
    void dateStamp();
    void proposedName_data();
    void proposedName();
    void actionFollowsRows_data();
    void actionFollowsRows();
};

void ExportCommandTest::refusedBook_data() {
    QTest::addColumn<bool>("open");
    QTest::addColumn<QString>("message");
    QTest::newRow("not open") << false << QStringLiteral("Databáze není aktivní ...");
    QTest::newRow("no rows") << true << QStringLiteral("Databáze neobsahuje žádný záznam ...");
}

void ExportCommandTest::refusedBook() {
    QFETCH(bool, open);
    QFETCH(QString, message);
    BookFixture fixture;
    if (open)
        fixture.openBook();
    ScriptedHost host;
    QCOMPARE(Export1::ExportBook(fixture.state.book, "FakturyDosle_20240101", nullptr),
             Outcome::Failed);
    QCOMPARE(host.messages.size(), 1);
    QCOMPARE(host.messages[0].kind, dialogs::MessageKind::Info);
    QCOMPARE(host.messages[0].caption, dialogs::applicationTitle());
    QCOMPARE(host.messages[0].text, message);
    QVERIFY(host.saveRequests.isEmpty());
}

void ExportCommandTest::saveDialogRequest() {
    BookFixture fixture;
    fixture.insertInvoice("FD_0001");
    fixture.openBook();
    ScriptedHost host;
    Export1::ExportBook(fixture.state.book, "FakturyDosle_20240305", nullptr);
    QCOMPARE(host.saveRequests.size(), 1);
    const dialogs::SaveFileRequest& request = host.saveRequests[0];
    QCOMPARE(request.caption, QString());
    QCOMPARE(request.filter, QStringLiteral("Dokument XML|*.xml|Database CSV|*.csv"));
    QCOMPARE(request.filterIndex, 1);
    QCOMPARE(request.fileName, QStringLiteral("FakturyDosle_20240305"));
    QCOMPARE(request.defaultExtension, QStringLiteral("xml"));
    QCOMPARE(request.directory, QString());
    QVERIFY(request.promptOverwrite);
}

void ExportCommandTest::cancelledDialogWritesNothing() {
    BookFixture fixture;
    fixture.insertInvoice("FD_0001");
    fixture.openBook();
    ScriptedHost host;
    host.saveAnswers.enqueue(std::nullopt);
    QCOMPARE(Export1::ExportBook(fixture.state.book, fixture.dir.filePath("out"), nullptr),
             Outcome::Cancelled);
    QVERIFY(!QFile::exists(fixture.dir.filePath("out")));
    QVERIFY(host.messages.isEmpty());
}

void ExportCommandTest::chosenTypeDecidesFormat_data() {
    QTest::addColumn<int>("filterIndex");
    QTest::addColumn<QByteArray>("firstLine");
    // The file name decides nothing: only the chosen file type does.
    QTest::newRow("xml entry") << 1 << QByteArray("<?xml version=\"1.0\" encoding=\"utf-8\"?>");
    QTest::newRow("csv entry") << 2 << QByteArray("Id|Cislo|Dodavatel_odberatel|ICO");
}

void ExportCommandTest::chosenTypeDecidesFormat() {
    QFETCH(int, filterIndex);
    QFETCH(QByteArray, firstLine);
    BookFixture fixture;
    fixture.insertInvoice("FD_0001", 100, 21, 121, QDate(2024, 3, 5));
    fixture.openBook();
    ScriptedHost host;
    const QString path = fixture.dir.filePath("vystup.txt");
    host.saveAnswers.enqueue(ScriptedHost::SaveAnswer{path, filterIndex});
    QCOMPARE(Export1::ExportBook(fixture.state.book, "FakturyDosle_20240305", nullptr),
             Outcome::Written);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY2(file.readLine().startsWith(firstLine), qPrintable(path));
    QVERIFY(host.messages.isEmpty());
}

void ExportCommandTest::dateStamp_data() {
    QTest::addColumn<QDate>("day");
    QTest::addColumn<QString>("stamp");
    QTest::newRow("leading zeros") << QDate(2024, 3, 5) << "20240305";
    QTest::newRow("year end") << QDate(2031, 12, 31) << "20311231";
}

void ExportCommandTest::dateStamp() {
    QFETCH(QDate, day);
    QFETCH(QString, stamp);
    QCOMPARE(Export1::DateStamp(day), stamp);
}

void ExportCommandTest::proposedName_data() {
    QTest::addColumn<int>("book");
    QTest::addColumn<QString>("stem");
    QTest::newRow("received") << 0 << "FakturyDosle_";
    QTest::newRow("issued") << 1 << "FakturyOdeslane_";
}

void ExportCommandTest::proposedName() {
    QFETCH(int, book);
    QFETCH(QString, stem);
    BookFixture fixture(book);
    fixture.insertInvoice("F1");
    fixture.openBook();
    QObject owner;
    MainActions actions(&owner);
    ExportController controller(fixture.state, actions, nullptr);
    ScriptedHost host;
    const QString before = Export1::DateStamp();
    actions.Akce_Export->trigger();
    const QString after = Export1::DateStamp();
    QCOMPARE(host.saveRequests.size(), 1);
    const QString name = host.saveRequests[0].fileName;
    // Eight digits of today and no extension (a run across midnight may see either day).
    QVERIFY2(name == stem + before || name == stem + after, qPrintable(name));
    QCOMPARE(controller.defaultFileName(), name);
}

void ExportCommandTest::actionFollowsRows_data() {
    QTest::addColumn<bool>("open");
    QTest::addColumn<bool>("rows");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("closed book") << false << true << false;
    QTest::newRow("empty book") << true << false << false;
    QTest::newRow("book with rows") << true << true << true;
}

void ExportCommandTest::actionFollowsRows() {
    QFETCH(bool, open);
    QFETCH(bool, rows);
    QFETCH(bool, enabled);
    BookFixture fixture;
    if (rows)
        fixture.insertInvoice("F1");
    if (open)
        fixture.openBook();
    QObject owner;
    MainActions actions(&owner);
    ExportController controller(fixture.state, actions, nullptr);
    QCOMPARE(actions.Akce_Export->isEnabled(), enabled);
}

QTEST_MAIN(ExportCommandTest)
#include "test_export_command.moc"
