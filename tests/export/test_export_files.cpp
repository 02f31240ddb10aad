#include "export/cp1250.h"
#include "export/export1.h"
#include "export/recordtext.h"
#include "storage/engine/formats.h"
#include "storage/engine/win1250.h"
#include "support/bookfixture.h"
#include "support/scriptedhost.h"
#include "support/testfiles.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

using Export1::Outcome;

namespace {

enum class Format { Xml, Csv };

// Three rows covering nulls, an empty text, "|", line breaks, "&", "<", ">", Czech letters,
// four decimals, a negative amount and a date with a time of day.
void fillBook(BookFixture& fixture) {
    const QString table = fixture.state.activeBook.TableName();
    fixture.insert(table, {{"Cislo", "FD_0001"},
                           {"Dodavatel_odberatel", "Žluťoučký kůň, s.r.o."},
                           {"ICO", "12345678"},
                           {"CisloUctu", "19-2000145399"},
                           {"SmerovyKod", "0800"},
                           {"Specifikace", "Materiál | nářadí"},
                           {"VariabilniSymbol", "2024001"},
                           {"Zaklad", 1000.0},
                           {"SazbaDPH", 21},
                           {"DPH", 210.1234},
                           {"Celkem", 1210.1234},
                           {"Datum1", QDate(2024, 3, 5)},
                           {"Datum3", QDate(2024, 3, 19)},
                           {"Poznamka", "Řádek 1\r\nřádek 2"}});
    fixture.insert(table, {{"Cislo", "FD_0002"},
                           {"Dodavatel_odberatel", "Smith & Wesson <CZ>"},
                           {"Specifikace", "a > b"},
                           {"Zaklad", 12.5},
                           {"SazbaDPH", 0},
                           {"DPH", QVariant()},
                           {"Celkem", 12.5},
                           {"Poznamka", ""}});
    fixture.insert(table, {{"Cislo", "FD_0003"},
                           {"Dodavatel_odberatel", "Účetní kancelář Ěšč"},
                           {"Specifikace", "dobropis"},
                           {"Zaklad", -100.0},
                           {"SazbaDPH", 15},
                           {"DPH", -15.0},
                           {"Celkem", -115.0},
                           {"Datum1", QDate(2024, 12, 31)},
                           {"Datum2", QDateTime(QDate(2024, 1, 2), QTime(8, 5, 9))},
                           {"Poznamka", "pipe|a\nLF"}});
}

// Many plain rows in one transaction, for progress and failure tests.
void fillManyRows(BookFixture& fixture, int count) {
    QString error;
    engine::Connection& db = fixture.state.connection;
    QVERIFY2(db.execute("BEGIN", &error), qPrintable(error));
    for (int i = 0; i < count; ++i) {
        const QString sql = QStringLiteral("INSERT INTO FDosle (Cislo, Specifikace) VALUES "
                                           "('R%1', 'Položka číslo %1 s delším popisem')")
                                .arg(i);
        QVERIFY2(db.execute(sql, &error), qPrintable(error));
    }
    QVERIFY2(db.execute("COMMIT", &error), qPrintable(error));
}

Outcome exportAs(Format format, const engine::DataSet& set, const QString& path,
                 const Export1::Progress& progress = {}) {
    if (format == Format::Xml)
        return Export1::ExportToXml(set, path, QStringLiteral("data"), progress);
    return Export1::ExportToCsv(set, true, false, u'|', path, progress);
}

// The value texts a reader must get back: for CSV after the separator and line-break rule,
// for XML exactly (line breaks are character references, which no parser normalises).
QList<QStringList> expectedValues(const engine::DataSet& set, Format format) {
    QList<QStringList> rows;
    for (int row = 0; row < set.recordCount(); ++row) {
        QStringList values;
        for (int f = 0; f < set.fields().size(); ++f) {
            QString text = engine::plainText(set.valueAt(row, f));
            if (format == Format::Csv)
                text.replace(u'|', u'_').remove(u'\n').remove(u'\r');
            values << text;
        }
        rows << values;
    }
    return rows;
}

QList<QStringList> readXmlValues(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QXmlStreamReader reader(&file);
    QList<QStringList> rows;
    while (reader.readNextStartElement()) {
        if (reader.name() == u"data")
            continue;
        QStringList values;
        while (reader.readNextStartElement())
            values << reader.readElementText();
        rows << values;
    }
    if (reader.hasError())
        qWarning() << reader.errorString();
    return rows;
}

QStringList entriesOf(const QString& dir) {
    return QDir(dir).entryList(QDir::Files | QDir::NoDotAndDotDot | QDir::Hidden);
}

} // namespace

class ExportFilesTest : public QObject {
    Q_OBJECT
private slots:
    void exactBytes_data();
    void exactBytes();
    void filteredRowsOnly_data();
    void filteredRowsOnly();
    void currentRowStays_data();
    void currentRowStays();
    void emptyXmlRoot();
    void cancelWritesNothing_data();
    void cancelWritesNothing();
    void failedWriteKeepsOldFile_data();
    void failedWriteKeepsOldFile();
    void fullDiskReportsTheReason_data();
    void fullDiskReportsTheReason();
    void xmlControlCharacters();
    void csvCodePage();
    void xmlReadsBack();
    void xmlPassesXmllint();
    void csvReadsBackInPython();

private:
    void formatColumn();
};

void ExportFilesTest::formatColumn() {
    QTest::addColumn<Format>("format");
    QTest::newRow("xml") << Format::Xml;
    QTest::newRow("csv") << Format::Csv;
}

void ExportFilesTest::exactBytes_data() {
    QTest::addColumn<Format>("format");
    QTest::addColumn<QString>("expectedFile");
    QTest::newRow("xml") << Format::Xml << "book.xml";
    QTest::newRow("csv") << Format::Csv << "book.csv";
}

void ExportFilesTest::exactBytes() {
    QFETCH(Format, format);
    QFETCH(QString, expectedFile);
    BookFixture fixture;
    fillBook(fixture);
    fixture.openBook();
    ScriptedHost host;
    const QString path = fixture.dir.filePath("out");
    QCOMPARE(exportAs(format, fixture.state.book, path), Outcome::Written);
    QCOMPARE(fileBytes(path), fileBytes(QStringLiteral(LUMIRA_TEST_DATA "/") + expectedFile));
    QVERIFY(host.messages.isEmpty());
}

void ExportFilesTest::filteredRowsOnly_data() {
    formatColumn();
}

void ExportFilesTest::filteredRowsOnly() {
    QFETCH(Format, format);
    BookFixture fixture;
    fillBook(fixture);
    fixture.state.BookCondition = QStringLiteral(" WHERE Celkem < 100");
    fixture.openBook();
    const QString path = fixture.dir.filePath("out");
    QCOMPARE(exportAs(format, fixture.state.book, path), Outcome::Written);
    const QByteArray bytes = fileBytes(path);
    if (format == Format::Csv) {
        const QList<QByteArray> lines = bytes.split('\n');
        QCOMPARE(lines.size(), 4); // header, two rows, nothing after the last CR LF
        QVERIFY(lines[1].startsWith("2|FD_0002|"));
        QVERIFY(lines[2].startsWith("3|FD_0003|"));
    } else {
        QCOMPARE(bytes.count("<zaznam>"), 2);
        QVERIFY(bytes.indexOf("<Id>2</Id>") < bytes.indexOf("<Id>3</Id>"));
        QVERIFY(!bytes.contains("<Id>1</Id>"));
    }
}

void ExportFilesTest::currentRowStays_data() {
    formatColumn();
}

void ExportFilesTest::currentRowStays() {
    QFETCH(Format, format);
    BookFixture fixture;
    fillBook(fixture);
    fixture.openBook();
    engine::DataSet& book = fixture.state.book;
    QVERIFY(book.moveTo(2));
    QSignalSpy moved(&book, &engine::DataSet::currentChanged);
    QSignalSpy changed(&book, &engine::DataSet::dataChanged);
    QSignalSpy reset(&book, &engine::DataSet::reset);
    QCOMPARE(exportAs(format, book, fixture.dir.filePath("out")), Outcome::Written);
    QCOMPARE(book.recNo(), 2);
    QCOMPARE(book.value("Cislo").toString(), QStringLiteral("FD_0002"));
    // Nothing told the grid to follow or repaint.
    QCOMPARE(moved.count() + changed.count() + reset.count(), 0);
}

void ExportFilesTest::emptyXmlRoot() {
    BookFixture fixture;
    fixture.openBook();
    const QString path = fixture.dir.filePath("empty.xml");
    QCOMPARE(Export1::ExportToXml(fixture.state.book, path, "data"), Outcome::Written);
    QCOMPARE(fileBytes(path),
             QByteArray("<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<data/>\r\n"));
}

void ExportFilesTest::cancelWritesNothing_data() {
    QTest::addColumn<Format>("format");
    QTest::addColumn<int>("stopAt"); // rows done when the user cancels
    QTest::addColumn<bool>("oldFile");
    QTest::newRow("xml at once, no file") << Format::Xml << 0 << false;
    QTest::newRow("xml midway, old file") << Format::Xml << 512 << true;
    QTest::newRow("csv at once, old file") << Format::Csv << 0 << true;
    QTest::newRow("csv midway, no file") << Format::Csv << 512 << false;
}

void ExportFilesTest::cancelWritesNothing() {
    QFETCH(Format, format);
    QFETCH(int, stopAt);
    QFETCH(bool, oldFile);
    BookFixture fixture;
    fillManyRows(fixture, 1100);
    fixture.openBook();
    ScriptedHost host;
    const QString path = fixture.dir.filePath("out.dat");
    if (oldFile)
        writeBytes(path, "old contents");
    const QStringList before = entriesOf(fixture.dir.path());
    QList<int> reports;
    const auto progress = [&reports, stopAt](int done, int total) {
        reports << done;
        return !(done >= stopAt && done < total);
    };
    QCOMPARE(exportAs(format, fixture.state.book, path, progress), Outcome::Cancelled);
    QCOMPARE(QFile::exists(path), oldFile);
    if (oldFile)
        QCOMPARE(fileBytes(path), QByteArray("old contents"));
    QCOMPARE(entriesOf(fixture.dir.path()), before); // no temporary file left behind
    QVERIFY(host.messages.isEmpty());
    QCOMPARE(reports.last(), 1100); // the progress was ended
}

void ExportFilesTest::failedWriteKeepsOldFile_data() {
    QTest::addColumn<Format>("format");
    QTest::addColumn<bool>("missingFolder");
    QTest::addColumn<dialogs::MessageKind>("kind");
    QTest::addColumn<QString>("firstLine");
    const QString xmlLine = QStringLiteral("XML dokument se nepodařilo vytvořit: ");
    QTest::newRow("xml, file too big")
        << Format::Xml << false << dialogs::MessageKind::Info << xmlLine;
    QTest::newRow("xml, missing folder")
        << Format::Xml << true << dialogs::MessageKind::Info << xmlLine;
    QTest::newRow("csv, file too big")
        << Format::Csv << false << dialogs::MessageKind::Error << QStringLiteral("Soubor \"");
    QTest::newRow("csv, missing folder")
        << Format::Csv << true << dialogs::MessageKind::Error << QStringLiteral("Soubor \"");
}

void ExportFilesTest::failedWriteKeepsOldFile() {
    QFETCH(Format, format);
    QFETCH(bool, missingFolder);
    QFETCH(dialogs::MessageKind, kind);
    QFETCH(QString, firstLine);
    BookFixture fixture;
    fillManyRows(fixture, 1100);
    fixture.openBook();
    ScriptedHost host;
    const QString path =
        missingFolder ? fixture.dir.filePath("missing/out.dat") : fixture.dir.filePath("out.dat");
    if (!missingFolder)
        writeBytes(path, "old contents");
    const QStringList before = entriesOf(fixture.dir.path());

    // A file size limit makes the write fail halfway, as a full disk would.
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 16 * 1024;
    if (!missingFolder)
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    const Outcome outcome = exportAs(format, fixture.state.book, path);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    QCOMPARE(outcome, Outcome::Failed);
    QCOMPARE(host.messages.size(), 1);
    QCOMPARE(host.messages[0].kind, kind);
    QVERIFY2(host.messages[0].text.startsWith(firstLine), qPrintable(host.messages[0].text));
    QVERIFY(host.messages[0].text.contains(path));
    if (format == Format::Xml)
        QCOMPARE(host.messages[0].text.count(QLatin1String("\r\n")), 1);
    if (!missingFolder)
        QCOMPARE(fileBytes(path), QByteArray("old contents"));
    QCOMPARE(entriesOf(fixture.dir.path()), before);
}

void ExportFilesTest::fullDiskReportsTheReason_data() {
    formatColumn();
}

void ExportFilesTest::fullDiskReportsTheReason() {
    QFETCH(Format, format);
    const QString mount = QStandardPaths::findExecutable("mount");
    QTemporaryDir disk;
    // A small disk of its own: only root can make one.
    if (geteuid() != 0 || mount.isEmpty() ||
        QProcess::execute(mount, {"-t", "tmpfs", "-o", "size=64k", "tmpfs", disk.path()}) != 0)
        QSKIP("a small disk cannot be mounted here");
    BookFixture fixture;
    fillManyRows(fixture, 3000);
    fixture.openBook();
    ScriptedHost host;
    const Outcome outcome = exportAs(format, fixture.state.book, disk.filePath("out.dat"));
    const QStringList left = entriesOf(disk.path());
    QProcess::execute(QStandardPaths::findExecutable("umount"), {disk.path()});
    QCOMPARE(outcome, Outcome::Failed);
    QCOMPARE(host.messages.size(), 1);
    QVERIFY2(host.messages[0].text.endsWith(qt_error_string(ENOSPC)),
             qPrintable(host.messages[0].text));
    QVERIFY(left.isEmpty());
}

// Control characters already stored (typed before the boxes refused them, or written by another
// program) keep the file readable: XML 1.0 takes tab, CR and LF as references, nothing else.
void ExportFilesTest::xmlControlCharacters() {
    BookFixture fixture;
    fixture.insert("FDosle", {{"Cislo", "C1"},
                              {"Specifikace", QString("a\x01"
                                                      "b\x0B") +
                                                  QChar(0) + "c" + QChar(0xFFFE) + "d\x7F\u0085"},
                              {"Poznamka", "tab\there\r\nCR\ronly LF\nend &amp;"}});
    fixture.openBook();
    const QString path = fixture.dir.filePath("out.xml");
    QCOMPARE(Export1::ExportToXml(fixture.state.book, path, "data"), Outcome::Written);
    const QByteArray bytes = fileBytes(path);
    QVERIFY2(bytes.contains("<Specifikace>abcd\x7F\xC2\x85</Specifikace>"), bytes.constData());
    QVERIFY(bytes.contains(
        "<Poznamka>tab&#9;here&#13;&#10;CR&#13;only LF&#10;end &amp;amp;</Poznamka>\r\n"));
    QCOMPARE(bytes.count('\n'), bytes.count("\r\n"));
    QCOMPARE(bytes.count('\r'), bytes.count("\r\n"));
    const QList<QStringList> values = readXmlValues(path);
    QCOMPARE(values.value(0).value(15), QStringLiteral("tab\there\r\nCR\ronly LF\nend &amp;"));
    const QString xmllint = QStandardPaths::findExecutable("xmllint");
    if (xmllint.isEmpty())
        QSKIP("xmllint is not installed");
    QProcess lint;
    lint.start(xmllint, {"--noout", path});
    QVERIFY(lint.waitForFinished());
    QVERIFY2(lint.exitCode() == 0, lint.readAllStandardError().constData());
}

// The byte-by-byte Windows-1250 of the delimited file is the code page's, and a character the
// code page lacks comes out as the general encoder writes it.
void ExportFilesTest::csvCodePage() {
    QStringDecoder decoder("windows-1250");
    for (int byte = 0x80; byte < 0x100; ++byte) {
        const QString decoded = decoder.decode(QByteArray(1, char(byte)));
        const char16_t expected = engine::win1250UpperHalf()[byte - 0x80];
        if (expected != 0)
            QCOMPARE(decoded, QString(QChar(expected)));
    }
    const QString text = QStringLiteral("Ω|ů\r\n€ž") + QChar(0x81);
    BookFixture fixture;
    fixture.insert("FDosle", {{"Cislo", "C1"},
                              {"Dodavatel_odberatel", "Příliš žluťoučký kůň|úpěl ďábelské ódy"},
                              {"Specifikace", text}});
    // Bytes that are not UTF-8, written by another program.
    QVERIFY(
        fixture.state.connection.execute("UPDATE FDosle SET Poznamka = x'C3A9FF7C41'", nullptr));
    fixture.openBook();
    const QString path = fixture.dir.filePath("out.csv");
    QCOMPARE(Export1::ExportToCsv(fixture.state.book, false, false, u'|', path), Outcome::Written);
    const QList<QByteArray> values = fileBytes(path).split('|');
    QCOMPARE(values.value(2),
             windows1250(QStringLiteral("Příliš žluťoučký kůň_úpěl ďábelské ódy")));
    QCOMPARE(values.value(6), windows1250(Export1::csvValue(text, u'|')));
    QCOMPARE(values.value(15),
             windows1250(Export1::csvValue(QString::fromUtf8("\xC3\xA9\xFF|A"), u'|')) + "\r\n");
}

void ExportFilesTest::xmlReadsBack() {
    BookFixture fixture;
    fillBook(fixture);
    fixture.openBook();
    const QString path = fixture.dir.filePath("out.xml");
    QCOMPARE(Export1::ExportToXml(fixture.state.book, path, "data"), Outcome::Written);
    QCOMPARE(readXmlValues(path), expectedValues(fixture.state.book, Format::Xml));
}

void ExportFilesTest::xmlPassesXmllint() {
    const QString xmllint = QStandardPaths::findExecutable("xmllint");
    if (xmllint.isEmpty())
        QSKIP("xmllint is not installed");
    BookFixture fixture;
    fillBook(fixture);
    fixture.openBook();
    const QString path = fixture.dir.filePath("out.xml");
    QCOMPARE(Export1::ExportToXml(fixture.state.book, path, "data"), Outcome::Written);
    QProcess lint;
    lint.start(xmllint, {"--noout", path});
    QVERIFY(lint.waitForFinished());
    QVERIFY2(lint.exitCode() == 0, lint.readAllStandardError().constData());
}

void ExportFilesTest::csvReadsBackInPython() {
    const QString python = QStandardPaths::findExecutable("python3");
    if (python.isEmpty())
        QSKIP("python3 is not installed");
    BookFixture fixture;
    fillBook(fixture);
    fixture.openBook();
    const QString path = fixture.dir.filePath("out.csv");
    QCOMPARE(Export1::ExportToCsv(fixture.state.book, true, false, u'|', path), Outcome::Written);
    const char* script = "import csv, json, sys\n"
                         "with open(sys.argv[1], encoding='cp1250', newline='') as f:\n"
                         "    rows = list(csv.reader(f, delimiter='|', quoting=csv.QUOTE_NONE))\n"
                         "print(json.dumps(rows))\n";
    QProcess reader;
    reader.start(python, {"-c", script, path});
    QVERIFY(reader.waitForFinished());
    QVERIFY2(reader.exitCode() == 0, reader.readAllStandardError().constData());
    const QJsonArray rows = QJsonDocument::fromJson(reader.readAllStandardOutput()).array();
    QList<QStringList> read;
    for (const QJsonValue& row : rows)
        read << row.toVariant().toStringList();
    QStringList header;
    for (const engine::FieldInfo& field : fixture.state.book.fields())
        header << field.name;
    QCOMPARE(read.value(0), header);
    QCOMPARE(read.mid(1), expectedValues(fixture.state.book, Format::Csv));
}

QTEST_MAIN(ExportFilesTest)
#include "test_export_files.moc"
