// The designer's model of a template: opening and saving keeps everything it does not edit,
// commands change exactly what they say and undo restores the bytes, and a report built
// through the model renders to the expected PDF.

#include "orvex/designer/bands.h"
#include "orvex/designer/fieldcatalog.h"
#include "orvex/designer/objectfactory.h"
#include "orvex/designer/properties.h"
#include "orvex/designer/templatedocument.h"
#include "orvex/designerfixtures.h"
#include "orvex/orvexfixtures.h"
#include "orvex/reportjob.h"
#include "orvex/reportoutput.h"
#include "orvex/templatebytes.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

using namespace orvex::designer;
using designerfixtures::findNamed;

namespace {

// The XML tree as lines of elements with their attributes (sorted) and non-blank texts,
// read by Qt's own reader: what "the same template" means, whatever the formatting.
QStringList xmlTree(const QByteArray& utf8) {
    QStringList lines;
    QXmlStreamReader xml(utf8);
    int depth = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            QStringList attributes;
            for (const QXmlStreamAttribute& a : xml.attributes())
                attributes << a.qualifiedName().toString() + "=" + a.value().toString();
            attributes.sort();
            lines << QString(depth++ * 2, ' ') + xml.name().toString() + " " +
                         attributes.join(" | ");
        } else if (xml.isEndElement()) {
            --depth;
        } else if (xml.isCharacters() && !xml.isWhitespace()) {
            lines << QString(depth * 2, ' ') + "text: " + xml.text().toString();
        } else if (xml.isComment()) {
            lines << QString(depth * 2, ' ') + "comment: " + xml.text().toString();
        }
    }
    if (xml.hasError())
        lines << "XML error: " + xml.errorString();
    return lines;
}

// The lines of a that b lacks and those of b that a lacks.
QStringList difference(const QStringList& a, const QStringList& b) {
    QStringList out;
    for (const QString& line : a)
        if (!b.contains(line))
            out << "- " + line;
    for (const QString& line : b)
        if (!a.contains(line))
            out << "+ " + line;
    return out;
}

FieldEntry entry(const QString& caption) {
    const QVector<FieldGroup> catalog =
        fieldCatalog("Kniha", "MasterData1", {{"TypProstredi", "0"}, {"Datum1", "Vystaveno"}});
    for (const FieldGroup& group : catalog)
        for (const FieldEntry& e : group.entries)
            if (e.caption == caption)
                return e;
    return {};
}

QString pdfText(const QString& pdfPath) {
    QProcess process;
    process.start("pdftotext", {"-layout", pdfPath, "-"});
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return "pdftotext failed";
    return QString::fromUtf8(process.readAllStandardOutput()).replace(QChar(0xA0), u' ');
}

} // namespace

class TestDesignerModel : public QObject {
    Q_OBJECT

private slots:
    void roundTripKeepsTheTree_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("sameBytes");
        const QDir shipped(LUMIRA_SOURCE_DIR "/Ses");
        for (const QString& name : shipped.entryList({"*.fr3"}))
            QTest::newRow(qPrintable(name)) << shipped.filePath(name) << true;
        QTest::newRow("hand-made, unknown parts")
            << QString(LUMIRA_TEST_DATA "/designer/kept.fr3") << true;
        QTest::newRow("other designer's file")
            << QString(LUMIRA_TEST_DATA "/designer.fr3") << false;
        // Windows-1250 bytes under a utf-8 declaration: saved as the UTF-8 it declares.
        QTest::newRow("new-template skeleton")
            << QString(LUMIRA_TEST_DATA "/skeleton.fr3") << false;
    }

    void roundTripKeepsTheTree() {
        QFETCH(QString, path);
        QFETCH(bool, sameBytes);
        const QByteArray original = fileBytes(path);
        QVERIFY(!original.isEmpty());
        TemplateDocument document;
        QString error;
        QVERIFY2(document.load(original, &error), qPrintable(error));
        const QByteArray saved = document.toBytes();
        QVERIFY(QString::fromUtf8(saved).toUtf8() == saved); // valid UTF-8
        QStringList before = xmlTree(orvex::repairTemplateBytes(original).utf8);
        QCOMPARE(xmlTree(saved), before);
        if (sameBytes)
            QCOMPARE(saved, original);
    }

    void editChangesOnlyWhatWasEdited() {
        const QByteArray original = fileBytes(LUMIRA_SOURCE_DIR "/Ses/Kniha_faktur.fr3");
        TemplateDocument document;
        QString error;
        QVERIFY(document.load(original, &error));
        XmlNode* memo = findNamed(document.report(), "Radek2");
        const QString left = memo->attribute("Left");
        const QString style = memo->attribute("Font.Style");
        document.setAttributes(memo, {{"Left", "100"}, {"Font.Style", "2"}}, "test");
        QTemporaryDir dir;
        const QString path = dir.filePath("kniha.fr3");
        QVERIFY2(document.save(path, &error), qPrintable(error));
        QVERIFY(!document.isModified());
        const QStringList changed = difference(xmlTree(original), xmlTree(fileBytes(path)));
        QCOMPARE(changed.size(), 2);
        QVERIFY(changed[0].contains("Left=" + left + " |"));
        QVERIFY(changed[0].contains("Font.Style=" + style));
        QVERIFY(changed[1].contains("Left=100 |") && changed[1].contains("Font.Style=2"));
        QVERIFY(changed[1].contains("Name=Radek2"));
    }

    void undoRestoresEveryByte() {
        const QByteArray original = fileBytes(LUMIRA_SOURCE_DIR "/Ses/Prehled_DPH.fr3");
        TemplateDocument document;
        QString error;
        QVERIFY(document.load(original, &error));
        XmlNode* group = addBand(document, "TfrxGroupHeader", nullptr, "Kniha.\"ICO\"");
        document.insertElement(group, -1, createFieldMemo(document, entry("IČO"), QPointF(10, 0)),
                               "pole");
        moveBand(document, group, -1);
        setBandHeight(document, group, 40);
        XmlNode* title = document.firstBand("TfrxReportTitle");
        document.moveElement(title->childElements().first(), group, "přesun");
        document.removeElement(title->childElements().last(), "odstranění");
        removeBand(document, document.firstBand("TfrxHeader"));
        const QByteArray edited = document.toBytes();
        QVERIFY(edited != original);
        QVERIFY(xmlTree(edited).join("\n").contains("Condition=Kniha.\"ICO\""));
        while (document.undoStack()->canUndo())
            document.undoStack()->undo();
        QCOMPARE(document.toBytes(), original);
        QVERIFY(!document.isModified());
        while (document.undoStack()->canRedo())
            document.undoStack()->redo();
        QCOMPARE(document.toBytes(), edited);
    }

    // New bands go where they print, whatever order they are added in.
    void bandsTakeTheirPlace() {
        TemplateDocument document;
        QString error;
        QVERIFY(document.load(fileBytes(LUMIRA_TEST_DATA "/designer/kept.fr3"), &error));
        XmlNode* master = document.firstBand("TfrxMasterData");
        for (const char* type :
             {"TfrxPageFooter", "TfrxGroupHeader", "TfrxReportSummary", "TfrxColumnFooter",
              "TfrxGroupFooter", "TfrxHeader", "TfrxFooter", "TfrxPageHeader", "TfrxColumnHeader"})
            addBand(document, type, nullptr, "Kniha.\"ICO\"");
        XmlNode* inner = addBand(document, "TfrxGroupHeader", nullptr, "Kniha.\"Cislo\"");
        XmlNode* innerFooter = addBand(document, "TfrxGroupFooter", nullptr);
        addBand(document, "TfrxChild", master);
        QStringList order;
        for (const XmlNode* band : document.bands())
            order << band->attribute("Name");
        QCOMPARE(order, QStringList({"ReportTitle1", "PageHeader1", "ColumnHeader1", "Header1",
                                     "GroupHeader1", inner->attribute("Name"), "MasterData1",
                                     "Child1", innerFooter->attribute("Name"), "GroupFooter1",
                                     "Footer1", "ColumnFooter1", "ReportSummary1", "PageFooter1"}));
        QCOMPARE(master->attribute("Child"), QString("Child1"));
        // Each band lies below the one before it.
        const QVector<XmlNode*> bands = document.bands();
        for (int i = 1; i < bands.size(); ++i)
            QVERIFY(numberAttribute(bands[i], "Top") >=
                    numberAttribute(bands[i - 1], "Top") + numberAttribute(bands[i - 1], "Height"));
        QVERIFY(findNamed(document.report(), "MasterData1")->attribute("DataSetName") == "Kniha");
    }

    void reportBuiltThroughTheModelRenders() {
        TemplateDocument document;
        QString error;
        QVERIFY(document.load(fileBytes(LUMIRA_TEST_DATA "/skeleton.fr3"), &error));
        XmlNode* title = addBand(document, "TfrxReportTitle", nullptr);
        document.insertElement(title, -1, createFieldMemo(document, entry("Nadpis sestavy"), {}),
                               "pole");
        XmlNode* master = addBand(document, "TfrxMasterData", nullptr);
        document.insertElement(master, -1, createFieldMemo(document, entry("Číslo"), {}), "pole");
        XmlNodePtr base = createFieldMemo(document, entry("Základ"), QPointF(0, 0));
        XmlNode* baseMemo = base.get();
        document.insertElement(master, -1, base, "pole");
        document.setAttributes(baseMemo, {{"Left", "300"}}, "přesun");
        document.undoStack()->undo();
        QCOMPARE(baseMemo->attribute("Left"), QString("0"));
        document.undoStack()->redo();
        XmlNode* summary = addBand(document, "TfrxReportSummary", nullptr);
        document.insertElement(summary, -1,
                               createFieldMemo(document, entry("Součet – Základ"), QPointF(300, 0)),
                               "součet");
        QTemporaryDir dir;
        const QString path = dir.filePath("Predloha_01.fr3");
        QVERIFY2(document.save(path, &error), qPrintable(error));
        const QByteArray saved = fileBytes(path);
        QVERIFY(saved.contains("Text=\"[SUM(&lt;Kniha.&#34;Zaklad&#34;&gt;,MasterData1)]\""));
        QVERIFY(saved.contains("DisplayFormat.FormatStr=\"#,##0.00\""));

        const orvex::PreparedJob job = orvex::prepareReport(
            path, orvexfixtures::programParameters("Moje kniha"), orvexfixtures::book(5));
        QVERIFY2(job.ok, qPrintable(job.error));
        const QString pdf = dir.filePath("out.pdf");
        QVERIFY(orvex::writePdf(job.report, pdf, &error));
        const QString text = pdfText(pdf);
        QVERIFY2(text.contains("Moje kniha"), qPrintable(text));
        QVERIFY2(text.contains(QRegularExpression("FD_0001 +1 010,50")), qPrintable(text));
        QVERIFY2(text.contains(QRegularExpression("FD_0005 +1 052,50")), qPrintable(text));
        QVERIFY2(text.contains(QRegularExpression("\\n +5 157,50")), qPrintable(text));
    }

    // A row filter typed into the data band's properties is saved and leaves rows out.
    void dataBandFilterFromThePanel() {
        TemplateDocument document;
        QString error;
        QVERIFY(document.load(fileBytes(LUMIRA_TEST_DATA "/skeleton.fr3"), &error));
        XmlNode* master = addBand(document, "TfrxMasterData", nullptr);
        document.insertElement(master, -1, createFieldMemo(document, entry("Číslo"), {}), "pole");
        bool found = false;
        for (const Property& property : propertiesOf(master, {})) {
            if (property.caption != QString("Filtr řádků"))
                continue;
            document.setAttributes(master, property.write(master, "<Kniha.\"SazbaDPH\"> = 21"),
                                   "filtr");
            found = true;
        }
        QVERIFY(found);
        QTemporaryDir dir;
        const QString path = dir.filePath("Filtr.fr3");
        QVERIFY2(document.save(path, &error), qPrintable(error));
        const orvex::PreparedJob job = orvex::prepareReport(
            path, orvexfixtures::programParameters("Filtr"), orvexfixtures::book(6));
        QVERIFY2(job.ok, qPrintable(job.error));
        const QString pdf = dir.filePath("out.pdf");
        QVERIFY(orvex::writePdf(job.report, pdf, &error));
        const QString text = pdfText(pdf);
        QVERIFY2(text.contains("FD_0001") && text.contains("FD_0004"), qPrintable(text));
        for (const char* left : {"FD_0002", "FD_0003", "FD_0005", "FD_0006"})
            QVERIFY2(!text.contains(left), qPrintable(text));
    }
};

QTEST_MAIN(TestDesignerModel)
#include "test_designer_model.moc"
