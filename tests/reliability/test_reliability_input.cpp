// Bad input against the real code: texts that are special to SQL, XML or the delimited
// export, texts at and beyond the column limits, extreme dates, characters outside
// Windows-1250 and letters pasted into the boxes, damaged settings files, odd templates and a
// database file that is not one. Each case ends in the normal behaviour or a Czech message,
// and nothing stored is lost.

#include "app/thlavni.h"
#include "dialogs/win1250validator.h"
#include "editing/partnerlookup.h"
#include "editing/teditace.h"
#include "export/export1.h"
#include "find/filtercondition.h"
#include "find/findinbook.h"
#include "orvex/templateparser.h"
#include "reports/reportscontroller.h"
#include "reports/templatename.h"
#include "storage/bootstrap.h"
#include "storage/inifile.h"
#include "support/bookfixture.h"
#include "support/scriptedhost.h"
#include "support/testfiles.h"

#include <QClipboard>
#include <QDialog>
#include <QDomDocument>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QStringDecoder>
#include <QTest>
#include <QToolButton>
#include <unistd.h>

namespace {

// A database path as the test sees it: a folder, a file it may not read, or the file's bytes.
QByteArray contentsOf(const QString& path) {
    const QFileInfo info(path);
    if (info.isDir())
        return "<folder>";
    return info.isReadable() ? fileBytes(path) : QByteArray("<unreadable>");
}

// Appends and posts one row of the active book; false with the data set's error.
bool storeRow(engine::DataSet& book, const QVariantMap& values) {
    if (!book.append())
        return false;
    for (auto it = values.begin(); it != values.end(); ++it)
        if (!book.setValue(it.key(), it.value()))
            return false;
    return book.post();
}

int rowCount(AppState& state) {
    engine::QueryResult result;
    state.connection.select(QStringLiteral("SELECT COUNT(*) FROM FDosle"), result, nullptr);
    return result.rows.value(0).value(0).toInt();
}

// Opens the book over a condition, as the filter does.
void openWhere(AppState& state, const QString& condition) {
    state.BookCondition = condition;
    state.book.setCommandText(QStringLiteral("SELECT * FROM FDosle") + condition +
                              QStringLiteral(" ORDER BY Id"));
    QVERIFY2(state.book.open(), qPrintable(state.book.lastError()));
}

// Pastes text into a box the way the user does, through the clipboard.
QString pasted(QLineEdit* box, const QString& text) {
    QGuiApplication::clipboard()->setText(text);
    box->selectAll();
    box->paste();
    return box->text();
}

// Starts the real program on a folder until its first screen; returns its exit code.
int startProgram(const QString& dir, QByteArray* output = nullptr) {
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("LUMIRA_EXIT_AFTER_START"), QStringLiteral("1"));
    program.setProcessEnvironment(environment);
    program.setProcessChannelMode(QProcess::MergedChannels);
    program.start(QStringLiteral(LUMIRA_BINARY_DIR "/lumira"), {QStringLiteral("--dir"), dir});
    if (!program.waitForFinished(120000)) { // a hang, not a measurement
        program.kill();
        program.waitForFinished();
        return -1;
    }
    if (output)
        *output = program.readAll();
    return program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -2;
}

} // namespace

class InputTest : public QObject {
    Q_OBJECT

private slots:
    void specialTexts_data();
    void specialTexts();
    void columnLimits_data();
    void columnLimits();
    void extremeDates_data();
    void extremeDates();
    void textBoxes();
    void settingsFiles_data();
    void settingsFiles();
    void templates_data();
    void templates();
    void databaseFiles_data();
    void databaseFiles();
};

void InputTest::specialTexts_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("apostrophe") << QStringLiteral("O'Brien's 'firma'");
    QTest::newRow("percent") << QStringLiteral("sleva 100%");
    QTest::newRow("underscore") << QStringLiteral("a_b");
    QTest::newRow("double quote") << QStringLiteral("\"Uvozovky\" s.r.o.");
    QTest::newRow("less than") << QStringLiteral("<b>tučně</b> ]]>");
    QTest::newRow("ampersand") << QStringLiteral("A & B &amp;");
    QTest::newRow("bar") << QStringLiteral("x|y||z");
    QTest::newRow("CR LF") << QStringLiteral("řádek 1\r\nřádek 2\rřádek 3\n");
    QTest::newRow("SQL comment and semicolon") << QStringLiteral("x'; DROP TABLE FDosle; --");
}

// Stored, filtered, searched, looked up and exported: the text comes back as typed.
void InputTest::specialTexts() {
    QFETCH(QString, text);
    ScriptedHost host;
    BookFixture fixture;
    AppState& state = fixture.state;
    fixture.insertInvoice(QStringLiteral("FD_0"));
    fixture.openBook();
    QVERIFY2(storeRow(state.book, {{"Cislo", "FD_1"},
                                   {"Dodavatel_odberatel", text},
                                   {"ICO", "12345678"},
                                   {"Poznamka", text}}),
             qPrintable(state.book.lastError()));
    fixture.openBook();
    QVERIFY(state.book.last());
    QCOMPARE(state.book.text("Dodavatel_odberatel"), text);

    FilterRequest filter;
    filter.expressionOn = true;
    filter.field = QStringLiteral("Dodavatel_odberatel");
    filter.expression = trimBlanks(text);
    openWhere(state, filterCondition(filter));
    QVERIFY(state.book.last());
    QCOMPARE(state.book.text("Cislo"), QString("FD_1"));
    openWhere(state, QString());

    QVERIFY(state.book.first());
    QVERIFY(FindInBook(state.book, "Poznamka", text, true));
    QCOMPARE(state.book.text("Cislo"), QString("FD_1"));

    QVERIFY(state.book.append());
    QString error;
    QVERIFY2(LookupPartnerByName(state, text, &error), qPrintable(error));
    QCOMPARE(state.book.text("ICO"), QString("12345678"));
    state.book.cancel();

    const QString xmlPath = fixture.dir.filePath("export.xml");
    QCOMPARE(Export1::ExportToXml(state.book, xmlPath, "data"), Export1::Outcome::Written);
    QDomDocument document;
    QVERIFY(document.setContent(fileBytes(xmlPath)));
    const QDomElement second =
        document.documentElement().elementsByTagName("zaznam").at(1).toElement();
    // XML readers turn every line end into LF, whatever the file holds.
    const auto lineEnds = [](QString t) { return t.replace("\r\n", "\n").replace(u'\r', u'\n'); };
    QCOMPARE(lineEnds(second.firstChildElement("Poznamka").text()), lineEnds(text));

    const QString csvPath = fixture.dir.filePath("export.txt");
    QCOMPARE(Export1::ExportToCsv(state.book, true, false, u'|', csvPath),
             Export1::Outcome::Written);
    QStringList lines =
        QString(QStringDecoder("windows-1250").decode(fileBytes(csvPath))).split("\r\n");
    lines.removeAll(QString());
    QCOMPARE(lines.size(), 3); // header and two rows, each on one line
    for (const QString& line : lines)
        QCOMPARE(line.count(u'|'), lines[0].count(u'|'));
    QCOMPARE(host.messages.size(), 0);
}

void InputTest::columnLimits_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("limit");
    const QList<QPair<const char*, int>> limits = {{"Cislo", 20},
                                                   {"Dodavatel_odberatel", 100},
                                                   {"ICO", 8},
                                                   {"CisloUctu", 17},
                                                   {"SmerovyKod", 4},
                                                   {"Specifikace", 100},
                                                   {"VariabilniSymbol", 10},
                                                   {"Poznamka", 100}};
    for (const auto& [field, limit] : limits)
        QTest::newRow(field) << QString::fromLatin1(field) << limit;
}

// At the limit a text is stored whole; beyond it the database refuses the row with a message
// and nothing is stored cut short. The editor's box does not take more than the limit.
void InputTest::columnLimits() {
    QFETCH(QString, field);
    QFETCH(int, limit);
    ScriptedHost host;
    BookFixture fixture;
    AppState& state = fixture.state;
    fixture.openBook();
    const QString atLimit = QString(limit - 1, u'ř') + u'Ž';
    QVariantMap values = {{"Cislo", "FD_1"}, {field, atLimit}};
    QVERIFY2(storeRow(state.book, values), qPrintable(state.book.lastError()));
    fixture.openBook();
    QVERIFY(state.book.last());
    QCOMPARE(state.book.text(field), atLimit);

    for (const int length : {limit + 1, 100000}) {
        values = {{"Cislo", "FD_2"}, {field, QString(length, u'x')}};
        QVERIFY(!storeRow(state.book, values));
        QVERIFY(!state.book.lastError().isEmpty());
        state.book.cancel();
        QCOMPARE(rowCount(state), 1);
    }

    QWidget window;
    MainActions actions(&window);
    TEditace editor(state, actions, &window);
    auto* box = editor.findChild<QLineEdit*>(QStringLiteral("DB_") + field);
    QVERIFY(box);
    QCOMPARE(pasted(box, QString(limit + 50, u'7')), QString(limit, u'7'));
    editor.reject();
    QCOMPARE(rowCount(state), 1);
}

void InputTest::extremeDates_data() {
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("shown");
    QTest::newRow("1.1.1900") << QDate(1900, 1, 1) << QStringLiteral("1.1.1900");
    QTest::newRow("31.12.9999") << QDate(9999, 12, 31) << QStringLiteral("31.12.9999");
}

// Stored, shown, filtered by a range that ends on the date, and exported.
void InputTest::extremeDates() {
    QFETCH(QDate, date);
    QFETCH(QString, shown);
    ScriptedHost host;
    BookFixture fixture;
    AppState& state = fixture.state;
    fixture.insertInvoice(QStringLiteral("FD_0"), 0, 0, 0, QDate(2024, 6, 1));
    fixture.openBook();
    QVERIFY2(storeRow(state.book, {{"Cislo", "FD_1"}, {"Datum1", date}, {"Datum3", date}}),
             qPrintable(state.book.lastError()));
    state.book.setDisplayFormat("Datum1", "d.m.yyyy");
    QCOMPARE(state.book.value("Datum1").toDate(), date);
    QCOMPARE(state.book.displayText("Datum1"), shown);

    FilterRequest filter;
    filter.dateOn = true;
    filter.dateField = QStringLiteral("Datum1");
    filter.from = filter.to = date;
    QCOMPARE(checkFilter(filter), FilterProblem::None);
    openWhere(state, filterCondition(filter));
    QCOMPARE(state.book.recordCount(), 1);
    QCOMPARE(state.book.text("Cislo"), QString("FD_1"));

    const QString path = fixture.dir.filePath("export.xml");
    QCOMPARE(Export1::ExportToXml(state.book, path, "data"), Export1::Outcome::Written);
    QVERIFY(fileBytes(path).contains(date.toString(Qt::ISODate).toUtf8()) ||
            fileBytes(path).contains(shown.toUtf8()));
    QCOMPARE(host.messages.size(), 0);
}

// Every text box of every window of the program: pasted characters outside Windows-1250
// are refused, the others stay; letters never get into a number box.
void InputTest::textBoxes() {
    ScriptedHost host;
    QTemporaryDir dir;
    THlavni window(dir.path() + u'/');
    QVERIFY(window.started());
    window.show();
    const QString outside = QStringLiteral("Жπ漢😀");
    int checked = 0;
    const auto checkBoxes = [&](QWidget& owner) {
        for (QLineEdit* box : owner.findChildren<QLineEdit*>()) {
            if (!box->isVisible() || box->isReadOnly())
                continue;
            const QString before = box->text();
            QVERIFY2(dialogs::fitsWin1250(pasted(box, outside)), qPrintable(box->objectName()));
            box->setText(before);
            ++checked;
        }
    };
    const auto inDialog = [&](QAction* action) {
        QVERIFY2(action->isEnabled(), qPrintable(action->objectName()));
        host.dialogActions.enqueue([&](QDialog& dialog) {
            checkBoxes(dialog);
            dialog.reject();
            return int(QDialog::Rejected);
        });
        action->trigger();
    };
    inDialog(window.actions().Akce_Novy);
    inDialog(window.actions().Akce_Nastaveni);
    QVERIFY(storeRow(window.state().book, {{"Cislo", "FD_1"}}));
    inDialog(window.actions().Akce_Hledat);
    window.actions().Akce_Filtr->trigger();
    checkBoxes(*window.filterPanel());
    QVERIFY(checked > 10);

    // Letters typed into the amount and rate boxes of the editor are not taken.
    host.dialogActions.enqueue([](QDialog& dialog) {
        for (const char* name : {"DB_Zaklad", "DB_DPH", "DB_Celkem", "DB_SazbaDPH"}) {
            auto* box = dialog.findChild<QLineEdit*>(name);
            if (!box)
                qFatal("no box %s", name);
            box->clear();
            box->setFocus();
            QTest::keyClicks(box, "1a2b,5e");
            if (box->text().contains(u'a') || box->text().contains(u'e'))
                qFatal("%s took a letter: %s", name, qPrintable(box->text()));
        }
        dialog.reject();
        return int(QDialog::Rejected);
    });
    window.actions().Akce_Novy->trigger();
    window.state().book.cancel();
    QCOMPARE(rowCount(window.state()), 1);
}

void InputTest::settingsFiles_data() {
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<QString>("expectedName"); // NazevSubjektu as read
    QTest::addColumn<int>("expectedRate");     // ZakladniSazbaDPH as read
    QByteArray garbage;
    for (int i = 0; i < 65536; ++i)
        garbage += char((i * 7919) % 256);
    QTest::newRow("binary garbage") << garbage << QString() << 21;
    QTest::newRow("duplicate sections and keys")
        << QByteArray("[Nastaveni]\r\nNazevSubjektu=Prvn\xed\r\nNazevSubjektu=Druh\xe1\r\n"
                      "[Nastaveni]\r\nZakladniSazbaDPH=5\r\nNazevSubjektu=T\xf8"
                      "et\xed\r\n")
        << QString::fromUtf8("První") << 21;
    QTest::newRow("10 MB line") << (QByteArray("[Nastaveni]\r\nNazevSubjektu=") +
                                    QByteArray(10 * 1024 * 1024, 'x') +
                                    "\r\nZakladniSazbaDPH=15\r\n")
                                << QString(IniFile::maxValueLength, u'x') << 15;
    QTest::newRow("no line ends, NUL bytes")
        << QByteArray("[Nastaveni]\0NazevSubjektu=a\0b", 30) << QString() << 21;
}

// The settings read without a crash (garbage gives defaults, the first of duplicates counts,
// a long value is cut), the program starts on the file, and the file is not rewritten.
void InputTest::settingsFiles() {
    QFETCH(QByteArray, contents);
    QFETCH(QString, expectedName);
    QFETCH(int, expectedRate);
    QTemporaryDir dir;
    const QString path = dir.filePath("Lumira.ini");
    writeBytes(path, contents);
    const Settings settings = Settings::read(IniFile(path));
    QCOMPARE(settings.NazevSubjektu, expectedName);
    QCOMPARE(settings.ZakladniSazbaDPH, expectedRate);
    QCOMPARE(startProgram(dir.path()), 0);
    QCOMPARE(fileBytes(path), contents);
}

void InputTest::templates_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("missing Ses") << QStringLiteral("missing");
    QTest::newRow("10,000 objects") << QStringLiteral("huge");
    QTest::newRow("not XML") << QStringLiteral("notxml");
}

// The print menus build, the template parser answers, and a new template in a missing
// folder is refused with the file error.
void InputTest::templates() {
    QFETCH(QString, kind);
    ScriptedHost host;
    BookFixture fixture;
    const QString ses = fixture.state.templateDir();
    QString expectedCaption;
    if (kind != "missing") {
        QVERIFY(QDir().mkpath(ses));
        QByteArray bytes;
        if (kind == "huge") {
            bytes = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<TfrxReport "
                    "ReportOptions.Name=\"Velk\xc3\xa1\"><TfrxReportPage Name=\"Page1\">"
                    "<TfrxMasterData Name=\"MasterData1\" Height=\"20\">";
            for (int i = 0; i < 10000; ++i)
                bytes += "<TfrxMemoView Name=\"M" + QByteArray::number(i) +
                         "\" Left=\"0\" Top=\"0\" Width=\"10\" Height=\"10\" Text=\"[1]\"/>";
            bytes += "</TfrxMasterData></TfrxReportPage></TfrxReport>";
            expectedCaption = QString::fromUtf8("Velká");
        } else {
            bytes = QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR garbage <<<", 27);
        }
        writeBytes(ses + "/Sestava.fr3", bytes);
        const orvex::ParseResult parsed = orvex::parseTemplate(bytes);
        QCOMPARE(parsed.ok, kind == "huge");
        QCOMPARE(parsed.error.isEmpty(), kind == "huge");
        QString error;
        QCOMPARE(reports::ReadTemplateName(ses + "/Sestava.fr3", &error), expectedCaption);
        QVERIFY(error.isEmpty());
    }
    QWidget window;
    MainActions actions(&window);
    QMenu printMenu;
    QToolButton printButton;
    ReportsController reports(fixture.state, actions, &printMenu, &printButton, &window);
    reports.BuildPrintMenu();
    // "NovaSestava", "Správa předloh" and the separator, and an item per template.
    const QList<QAction*> items = printMenu.actions();
    QCOMPARE(items.size(), kind == "missing" ? 3 : 4);
    if (kind != "missing")
        QVERIFY(std::any_of(items.begin(), items.end(), [&](const QAction* item) {
            return !item->isSeparator() && item->text() == expectedCaption;
        }));
    QCOMPARE(host.messages.size(), 0);
    if (kind == "missing") {
        host.textAnswers.enqueue(QStringLiteral("Nová"));
        reports.Akce_NovaSestavaExecute();
        QCOMPARE(host.messages.size(), 1);
        QVERIFY2(host.messages[0].text.startsWith(QStringLiteral("Soubor předlohy")),
                 qPrintable(host.messages[0].text));
        QVERIFY(!QFileInfo::exists(ses));
    }
}

void InputTest::databaseFiles_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("empty file") << QStringLiteral("empty");
    QTest::newRow("directory") << QStringLiteral("directory");
    QTest::newRow("text file") << QStringLiteral("text");
    QTest::newRow("no read permission") << QStringLiteral("unreadable");
}

// Not a database: the connection warning, the application ends, the file stays as it was.
// Root reads a file without read permission anyway: then the start goes on as normal (and
// may bring the file's kept totals up to date).
void InputTest::databaseFiles() {
    QFETCH(QString, kind);
    ScriptedHost host;
    QTemporaryDir dir;
    const QString path = dir.filePath("Lumira.mdb");
    QByteArray before;
    if (kind == "directory") {
        QVERIFY(QDir().mkdir(path));
    } else if (kind == "unreadable") {
        BookFixture fixture;
        QVERIFY(QFile::copy(fixture.state.databasePath(), path));
        QVERIFY(QFile::setPermissions(path, QFileDevice::WriteOwner));
    } else {
        writeBytes(path, kind == "text" ? QByteArray("Faktury 2024\r\n") : QByteArray());
    }
    before = contentsOf(path);
    engine::Connection connection;
    const BootstrapResult result = bootstrapDatabase(connection, dir.path() + u'/');
    connection.close();
    const bool rootReads = kind == "unreadable" && geteuid() == 0;
    QCOMPARE(bool(result), rootReads);
    QVERIFY(host.messages.isEmpty());
    if (!rootReads) {
        QCOMPARE(result.warning,
                 QStringLiteral("Selhalo připojení k databázi. Aplikace bude ukončena."));
        QCOMPARE(contentsOf(path), before);
    }
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

QTEST_MAIN(InputTest)
#include "test_reliability_input.moc"
