// Template files on their own: the report name read back, the next template number and the
// skeleton of a new template (its bytes, its XML and its rendering as one blank A4 page).

#include "orvex/orvex.h"
#include "reports/newtemplate.h"
#include "reports/templatedirectory.h"
#include "reports/templatename.h"
#include "support/bookfixture.h"
#include "support/testfiles.h"

#include <QDir>
#include <QDomDocument>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace reports;

namespace {

QString runTool(const QString& tool, const QStringList& arguments) {
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return tool + QStringLiteral(" failed");
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

class ReportsTemplatesTest : public QObject {
    Q_OBJECT
private slots:
    void templateName_data();
    void templateName();
    void unreadableTemplateGivesError();
    void nextTemplateNumber_data();
    void nextTemplateNumber();
    void skeletonBytes();
    void skeletonRendersOneBlankA4Page();
    void newTemplateNeverOverwrites();
};

void ReportsTemplatesTest::templateName_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("name");
    const QByteArray head("<TfrxReport Version=\"5.3.14\" ReportOptions.Name=\"");
    const QByteArray tail("\" ScriptLanguage=\"PascalScript\">");
    QTest::newRow("plain") << head + "Kniha faktur" + tail << "Kniha faktur";
    QTest::newRow("UTF-8") << head + QString("Přehled DPH").toUtf8() + tail << "Přehled DPH";
    QTest::newRow("Windows-1250") << head + windows1250("Přehled účtů") + tail << "Přehled účtů";
    QTest::newRow("entities") << head + "A &amp; B &lt;1&gt; &quot;x&quot; &apos;y&apos;" + tail
                              << "A & B <1> \"x\" 'y'";
    QTest::newRow("character references")
        << head + "P&#345;ehled &#xE1;&#X10D;" + tail << "Přehled áč";
    QTest::newRow("decoded once") << head + "&amp;#233;" + tail << "&#233;";
    QTest::newRow("unknown or bare ampersand kept")
        << head + "A & B &nbsp; &#xZZ; &#0;" + tail << "A & B &nbsp; &#xZZ; &#0;";
    QTest::newRow("spaces kept") << head + "  Název  " + QByteArray(tail) << "  Název  ";
    QTest::newRow("first occurrence") << head + "První" + tail + "ReportOptions.Name=\"Druhý\""
                                      << "První";
    QTest::newRow("empty value") << head + tail << "";
    QTest::newRow("no attribute") << QByteArray("<TfrxReport Version=\"5.3.14\"/>") << "";
    QTest::newRow("empty file") << QByteArray() << "";
    QTest::newRow("no closing quote") << head + "Bez konce"
                                      << "Bez konce";
}

void ReportsTemplatesTest::templateName() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, name);
    QTemporaryDir dir;
    const QString path = dir.filePath("Sestava.fr3");
    writeBytes(path, bytes);
    QString error;
    QCOMPARE(ReadTemplateName(path, &error), name);
    QCOMPARE(error, QString());
}

void ReportsTemplatesTest::unreadableTemplateGivesError() {
    QTemporaryDir dir;
    QString error;
    QCOMPARE(ReadTemplateName(dir.filePath("chybi.fr3"), &error), QString());
    QVERIFY2(
        error.startsWith("Soubor předlohy \"" + dir.filePath("chybi.fr3") + "\" nelze přečíst"),
        qPrintable(error));
}

void ReportsTemplatesTest::nextTemplateNumber_data() {
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("next");
    QTest::newRow("empty directory") << QStringList() << "01";
    QTest::newRow("gap not reused")
        << QStringList{"Predloha_01.fr3", "Predloha_02.fr3", "Predloha_05.fr3"} << "06";
    QTest::newRow("name without digits counts 0") << QStringList{"Kniha_faktur.fr3"} << "01";
    QTest::newRow("every digit of the name counts")
        << QStringList{"Predloha_07.fr3", "A1b2.fr3"} << "13";
    QTest::newRow("other extensions ignored")
        << QStringList{"Predloha_40.txt", "Predloha_03.fr3"} << "04";
    QTest::newRow("hidden file ignored") << QStringList{".Predloha_50.fr3"} << "01";
    QTest::newRow("last free number") << QStringList{"Predloha_98.fr3"} << "99";
    QTest::newRow("99 in use: refused") << QStringList{"Predloha_99.fr3"} << "";
    QTest::newRow("a year in the name: refused") << QStringList{"Prehled_2021.fr3"} << "";
    QTest::newRow("beyond 32 bits: refused")
        << QStringList{"Predloha_123456789012345678901234.fr3"} << "";
}

void ReportsTemplatesTest::nextTemplateNumber() {
    QFETCH(QStringList, files);
    QFETCH(QString, next);
    QTemporaryDir dir;
    for (const QString& file : files)
        writeBytes(dir.filePath(file), "<TfrxReport/>");
    QCOMPARE(NextTemplateNumber(dir.path() + '/'), next);
}

void ReportsTemplatesTest::skeletonBytes() {
    const QString programDir = "/opt/Účetnictví & spol/";
    const QString name = "  Přehled <A&B> \"2024\" ";
    const QByteArray expected =
        fileBytes(LUMIRA_TEST_DATA "/skeleton.fr3")
            .replace("@PROGRAMDIR@", QString(programDir).toHtmlEscaped().toUtf8());
    const QByteArray bytes = templateSkeleton(programDir, name);
    QCOMPARE(bytes, expected);

    // Valid XML whose attributes read back exactly, and a name the menus read back untrimmed.
    QDomDocument document;
    QVERIFY(document.setContent(bytes));
    const QDomElement report = document.documentElement();
    QCOMPARE(report.tagName(), "TfrxReport");
    QCOMPARE(report.attribute("ReportOptions.Name"), name);
    QCOMPARE(report.attribute("IniFile"), programDir + "FastReport.ini");
    QCOMPARE(report.attribute("PrintOptions.Printer"), "Předvolená");
    QCOMPARE(report.attribute("ScriptText.Text"), "\r\nbegin\r\n\r\nend.");
    QCOMPARE(templateNameOf(bytes), name);
}

void ReportsTemplatesTest::skeletonRendersOneBlankA4Page() {
    BookFixture fixture;
    fixture.insertInvoice("FD_1", 100, 21, 121);
    fixture.openBook();
    const QString path = fixture.dir.filePath("Predloha_01.fr3");
    QString error;
    QVERIFY2(writeNewTemplate(path, templateSkeleton(fixture.state.ProgramDir, "Prázdná"), error),
             qPrintable(error));
    const QString pdf = fixture.dir.filePath("prazdna.pdf");
    const orvex::RenderResult result = orvex::renderReportToPdf(
        path, "Nadpis|Prázdná", fixture.state.book.commandText(), &fixture.state.connection, pdf);
    QVERIFY2(result.ok, qPrintable(result.error));
    QCOMPARE(result.pageCount, 1);
    QCOMPARE(result.warnings, QStringList());
    const QString info = runTool("pdfinfo", {pdf});
    QVERIFY2(info.contains(QRegularExpression("Pages:\\s+1\\n")), qPrintable(info));
    QVERIFY2(info.contains("(A4)"), qPrintable(info));
    QCOMPARE(runTool("pdftotext", {pdf, "-"}).trimmed(), QString());
}

void ReportsTemplatesTest::newTemplateNeverOverwrites() {
    QTemporaryDir dir;
    const QString path = dir.filePath("Predloha_01.fr3");
    writeBytes(path, "stará předloha");
    QString error;
    QVERIFY(!writeNewTemplate(path, "nová", error));
    QVERIFY2(error.contains("již existuje"), qPrintable(error));
    QCOMPARE(fileBytes(path), QByteArray("stará předloha"));

    // A missing folder is a file error with the path, not a silent failure.
    error.clear();
    const QString missing = dir.filePath("Ses/Predloha_01.fr3");
    QVERIFY(!writeNewTemplate(missing, "nová", error));
    QVERIFY2(error.startsWith("Soubor předlohy \"" + missing + "\" nelze zapsat: "),
             qPrintable(error));
}

QTEST_MAIN(ReportsTemplatesTest)
#include "test_reports_templates.moc"
