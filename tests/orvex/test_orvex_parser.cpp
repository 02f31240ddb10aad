// Reading templates: the format's defaults, real files' quirks (encodings, decimal commas,
// bands out of order) and what is skipped with a warning.

#include "orvex/attributes.h"
#include "orvex/templatebytes.h"
#include "orvex/templateinheritance.h"
#include "orvex/templateparser.h"
#include "support/testfiles.h"

#include <QtTest>

using namespace orvex;

namespace {

ParseResult parseFile(const QString& name) {
    return parseTemplate(fileBytes(QStringLiteral(LUMIRA_TEST_DATA "/") + name));
}

const Band* bandNamed(const Page& page, const QString& name) {
    for (const Band& band : page.bands)
        if (band.name == name)
            return &band;
    return nullptr;
}

} // namespace

class TestOrvexParser : public QObject {
    Q_OBJECT

private slots:
    void programSkeletonIsOneBlankA4PageWithoutWarnings() {
        const ParseResult result = parseFile("skeleton.fr3");
        QVERIFY2(result.ok, qPrintable(result.error));
        QCOMPARE(result.warnings, QStringList());
        // Windows-1250 bytes and a bare "&" in the name, as the program writes them.
        QCOMPARE(result.report.name, QStringLiteral(" Účty & pokladna "));
        QCOMPARE(result.report.pages.size(), 1);
        const Page& page = result.report.pages[0];
        QCOMPARE(page.paperWidth, 210.0);
        QCOMPARE(page.paperHeight, 297.0);
        QCOMPARE(page.leftMargin, 10.0);
        QVERIFY(page.bands.isEmpty());
        QVERIFY(page.sections.isEmpty());
    }

    void designerFileQuirks() {
        const ParseResult result = parseFile("designer.fr3");
        QVERIFY2(result.ok, qPrintable(result.error));
        const Page& page = result.report.pages.at(0);
        // Landscape with portrait paper numbers: the sides are swapped; margins fractional.
        QCOMPARE(page.paperWidth, 297.0);
        QCOMPARE(page.paperHeight, 210.0);
        QCOMPARE(page.leftMargin, 12.5);
        QCOMPARE(page.bottomMargin, 15.25);
        // Windows-1250 bytes in a memo decode, valid UTF-8 beside them stays.
        const Band* title = bandNamed(page, "ReportTitle1");
        QVERIFY(title);
        QCOMPARE(title->objects[0].text, QStringLiteral("Kniha účtových dokladů"));
        QCOMPARE(title->objects[1].text, QStringLiteral("Číslo"));
        QCOMPARE(result.report.variables.size(), 1);
        QCOMPARE(result.report.variables[0].expression, QStringLiteral("'bez poznámky'"));
        QCOMPARE(page.pageObjects.size(), 1);
        QCOMPARE(page.pageObjects[0].kind, ObjectKind::Line);
    }

    void bandsAttachByTheirTopNotFileOrder() {
        const ParseResult result = parseFile("designer.fr3");
        const Page& page = result.report.pages.at(0);
        QCOMPARE(page.bands[page.title].name, QStringLiteral("ReportTitle1"));
        QCOMPARE(page.bands[page.pageFooter].name, QStringLiteral("PageFooter1"));
        QCOMPARE(page.sections.size(), 1);
        const DataSection& section = page.sections[0];
        QCOMPARE(page.bands[section.header].name, QStringLiteral("Header1"));
        QCOMPARE(page.bands[section.master].name, QStringLiteral("MasterData1"));
        QCOMPARE(page.bands[section.footer].name, QStringLiteral("Footer1"));
        QVERIFY(page.bands[section.header].reprintOnNewPage);
    }

    void omittedAttributesTakeTheFormatDefaults() {
        const ParseResult result = parseFile("designer.fr3");
        const Band* master = bandNamed(result.report.pages[0], "MasterData1");
        QVERIFY(master);
        QCOMPARE(master->objects.size(), 2); // the rich text object is skipped
        const ReportObject& plain = master->objects[0];
        QCOMPARE(plain.rect, QRectF(3.77953, 0, 120.5, 18.89765));
        QCOMPARE(plain.font.name, QStringLiteral("Arial"));
        QCOMPARE(plain.font.height, -13);
        QCOMPARE(plain.hAlign, HAlign::Left);
        QCOMPARE(plain.vAlign, VAlign::Top);
        QVERIFY(plain.wordWrap);
        QVERIFY(!plain.fill.isValid());
        QCOMPARE(plain.frame.sides, 0);
        QCOMPARE(plain.gapX, 2.0);
        QCOMPARE(plain.format.kind, FormatKind::Text);

        const ReportObject& styled = master->objects[1];
        QCOMPARE(styled.font.name, QStringLiteral("Times New Roman"));
        QCOMPARE(styled.font.height, -16);
        QCOMPARE(styled.font.style, FontBold | FontItalic);
        QCOMPARE(styled.font.color, QColor(255, 0, 0));
        QCOMPARE(styled.fill, QColor(0xE4, 0xE4, 0xE4));
        QCOMPARE(styled.frame.sides, 15);
        QCOMPARE(styled.frame.width, 0.5);
        QCOMPARE(styled.frame.style, FrameStyle::Dash);
        QCOMPARE(styled.hAlign, HAlign::Right);
        QCOMPARE(styled.vAlign, VAlign::Center);
        QVERIFY(!styled.wordWrap);
        QCOMPARE(styled.stretch, StretchMode::ActualHeight);
        QCOMPARE(styled.format.kind, FormatKind::Numeric);
        QCOMPARE(styled.format.formatStr, QStringLiteral("%2.2n"));
        QCOMPARE(styled.text, QStringLiteral("Řádek 1\nŘádek 2"));
    }

    void unsupportedPartsAreWarnedNotFatal() {
        const ParseResult result = parseFile("designer.fr3");
        QVERIFY(result.ok);
        const QString all = result.warnings.join('\n');
        QVERIFY2(all.contains("Windows-1250"), qPrintable(all));
        QVERIFY(all.contains("„Rich1“ typu TfrxRichView"));
        QVERIFY(all.contains("Skript sestavy"));
        QVERIFY(all.contains("OnBeforePrint objektu „MasterData1“"));
    }

    void objectsOfEveryKindKeepTheirSettings() {
        const ParseResult result = parseFile("objects.fr3");
        QVERIFY2(result.ok, qPrintable(result.error));
        const QVector<ReportObject>& objects = result.report.pages[0].bands[0].objects;
        QCOMPARE(objects.size(), 8);
        QCOMPARE(objects[0].kind, ObjectKind::Picture);
        QCOMPARE(objects[0].picture.size(), QSize(16, 16));
        QVERIFY(!objects[0].keepAspectRatio);
        QCOMPARE(objects[1].kind, ObjectKind::Gradient);
        QCOMPARE(objects[1].gradient.begin, QColor(Qt::red));
        QCOMPARE(objects[1].gradient.end, QColor(Qt::blue));
        QCOMPARE(objects[2].shape, ShapeKind::Ellipse);
        QCOMPARE(objects[3].kind, ObjectKind::Barcode);
        QVERIFY(objects[3].twoDimensional);
        QVERIFY(objects[3].expression.startsWith("'SPD*1.0*"));
        QCOMPARE(objects[4].barType, QStringLiteral("bcCode128"));
        QVERIFY(objects[4].showText);
        QVERIFY(objects[5].allowHtml);
        QCOMPARE(objects[6].rotation, 90.0);
        QCOMPARE(objects[7].highlights.size(), 1);
        QCOMPARE(objects[7].highlights[0].fill, QColor(0, 0, 128));
        QCOMPARE(objects[7].highlights[0].font.color, QColor(Qt::white));
    }

    void bandsTheLibraryCannotPrintAreNamed() {
        const ParseResult result = parseTemplate(R"(<?xml version="1.0" encoding="utf-8"?>
<TfrxReport>
  <TfrxReportPage Name="Page1">
    <TfrxMasterData Name="MasterData1" Height="20" Top="100" DataSetName="Kniha" Child="Chybi"/>
    <TfrxDetailData Name="DetailData1" Height="20" Top="130" DataSetName="Polozky"/>
    <TfrxMasterData Name="Svisly" Height="20" Top="160" DataSetName="Kniha" Vertical="True"/>
  </TfrxReportPage>
</TfrxReport>)");
        QVERIFY(result.ok);
        const QString all = result.warnings.join('\n');
        QVERIFY2(all.contains("Svislý pás „Svisly“"), qPrintable(all));
        QVERIFY(all.contains("„DetailData1“ čte datovou sadu „Polozky“"));
        QVERIFY(all.contains("Podřízený pás „Chybi“ pásu „MasterData1“"));
        QCOMPARE(result.report.pages[0].sections.size(), 1);
    }

    // Pages the library prints otherwise than designed, or not at all, are named: nothing of
    // a template is dropped silently.
    void pagesTheLibraryCannotPrintAsDesignedAreNamed() {
        const ParseResult result = parseTemplate(R"(<?xml version="1.0" encoding="utf-8"?>
<TfrxReport>
  <TfrxDialogPage Name="Dotaz"><TfrxButtonControl Name="Ok"/></TfrxDialogPage>
  <TfrxReportPage Name="Uctenka" EndlessHeight="True" DataSetName="Kniha">
    <TfrxMasterData Name="MasterData1" Height="20" Top="100" DataSetName="Kniha"/>
  </TfrxReportPage>
  <TfrxReportPage Name="Obycejna" EndlessHeight="False"/>
  <TfrxDMPPage Name="Jehlicky"/>
</TfrxReport>)");
        QVERIFY(result.ok);
        QCOMPARE(result.report.pages.size(), 2);
        QCOMPARE(result.warnings,
                 QStringList({"Dialogová stránka „Dotaz“ není podporována a byla vynechána.",
                              "Stránka „Uctenka“ s neomezenou výškou není podporována; tiskne "
                              "se na listy velikosti zadané v předloze.",
                              "Stránka „Uctenka“ se neopakuje pro každý řádek datové sady "
                              "„Kniha“; tiskne se jednou.",
                              "Stránka pro jehličkovou tiskárnu „Jehlicky“ není podporována a "
                              "byla vynechána."}));
    }

    void inheritedTemplateAppliesItsChanges() {
        const LoadedTemplate loaded = loadTemplateFile(LUMIRA_TEST_DATA "/zdedena.fr3");
        QVERIFY2(loaded.ok, qPrintable(loaded.error));
        const ParseResult result = parseTemplate(loaded.bytes);
        QVERIFY2(result.ok, qPrintable(result.error));
        QCOMPARE(result.report.name, QStringLiteral("Zděděná kniha"));
        const Page& page = result.report.pages[0];
        const Band* title = bandNamed(page, "ReportTitle1");
        QVERIFY(title);
        QStringList texts;
        for (const ReportObject& object : title->objects)
            texts << object.text;
        QCOMPARE(texts, (QStringList{"Firma: [NazevSubjektu]", "Kniha přijatých faktur",
                                     "Doplněno v dědici"}));
        QCOMPARE(page.sections.size(), 1);
        QCOMPARE(page.bands[page.sections[0].master].objects.size(), 2);
    }

    void missingParentIsNamed() {
        const LoadedTemplate loaded = loadTemplateFile(LUMIRA_TEST_DATA "/sirotek.fr3");
        QVERIFY(!loaded.ok);
        QVERIFY2(loaded.error.contains("Nadřazená předloha „Chybejici.fr3“"),
                 qPrintable(loaded.error));
        QVERIFY(loaded.error.contains("sirotek.fr3"));
    }

    void unreadableFileGivesAnError() {
        const ParseResult result = parseTemplate("<?xml version=\"1.0\"?><TfrxReport><TfrxRep");
        QVERIFY(!result.ok);
        QVERIFY(!result.error.isEmpty());
        QVERIFY(!parseTemplate("<Jiny/>").ok);
    }

    void attributeValues_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QVariant>("expected");
        QTest::newRow("decimal comma") << "number"
                                       << "18,89765" << QVariant(18.89765);
        QTest::newRow("decimal point") << "number"
                                       << "18.5" << QVariant(18.5);
        QTest::newRow("negative") << "number"
                                  << "-13" << QVariant(-13.0);
        QTest::newRow("BGR red") << "color"
                                 << "255" << QVariant(QColor(255, 0, 0));
        QTest::newRow("BGR blue") << "color"
                                  << "16711680" << QVariant(QColor(0, 0, 255));
        QTest::newRow("clNone") << "color"
                                << "536870911" << QVariant(QColor());
        QTest::newRow("clWindow") << "color"
                                  << "-16777211" << QVariant(QColor(Qt::white));
        QTest::newRow("clBtnFace") << "color"
                                   << "-16777201" << QVariant(QColor(0xF0, 0xF0, 0xF0));
        QTest::newRow("frame mask") << "frame"
                                    << "9" << QVariant(FrameLeft | FrameBottom);
        QTest::newRow("frame names") << "frame"
                                     << "[ftTop, ftRight]" << QVariant(FrameTop | FrameRight);
        QTest::newRow("style mask") << "style"
                                    << "5" << QVariant(FontBold | FontUnderline);
        QTest::newRow("style names")
            << "style"
            << "fsItalic,fsStrikeOut" << QVariant(FontItalic | FontStrikeOut);
    }

    void attributeValues() {
        QFETCH(QString, kind);
        QFETCH(QString, text);
        QFETCH(QVariant, expected);
        if (kind == "number")
            QCOMPARE(parseNumber(text), expected.toDouble());
        else if (kind == "color")
            QCOMPARE(parseColor(text), expected.value<QColor>());
        else if (kind == "frame")
            QCOMPARE(parseFrameSides(text), expected.toInt());
        else
            QCOMPARE(parseFontStyle(text), expected.toInt());
    }

    void repairKeepsUtf8AndDecodesOtherBytes() {
        const QByteArray raw =
            "<?xml version=\"1.0\" encoding=\"utf-8\"?><a b=\"\xc5\x99\xf8\xe1\"/>";
        const RepairedTemplate repaired = repairTemplateBytes(raw);
        QVERIFY(repaired.decodedInContent);
        QVERIFY(QString::fromUtf8(repaired.utf8).contains(QStringLiteral("b=\"řřá\"")));
        // A file that declares Windows-1250 is decoded whole, without a note.
        const RepairedTemplate declared =
            repairTemplateBytes("<?xml version=\"1.0\" encoding=\"windows-1250\"?><a b=\"\xe8\"/>");
        QVERIFY(!declared.decodedInContent);
        QVERIFY(QString::fromUtf8(declared.utf8).contains(QStringLiteral("encoding=\"utf-8\"")));
        QVERIFY(QString::fromUtf8(declared.utf8).contains(QStringLiteral("b=\"č\"")));
    }

    void bareSpecialCharactersInNamesAreRepaired_data() {
        QTest::addColumn<QByteArray>("raw");
        QTest::addColumn<QString>("name");
        QTest::newRow("less than")
            << QByteArray("<TfrxReport ReportOptions.Name=\"Do <10 000\"/>") << "Do <10 000";
        QTest::newRow("tag-like name")
            << QByteArray("<TfrxReport ReportOptions.Name=\"<Kniha>\"/>") << "<Kniha>";
        QTest::newRow("ampersand and less than")
            << QByteArray("<TfrxReport ReportOptions.Name=\"A & B < C\"></TfrxReport>")
            << "A & B < C";
        QTest::newRow("escaped stays")
            << QByteArray("<TfrxReport ReportOptions.Name=\"&lt;A&gt;\"/>") << "<A>";
    }

    void bareSpecialCharactersInNamesAreRepaired() {
        QFETCH(QByteArray, raw);
        QFETCH(QString, name);
        const ParseResult result = parseTemplate(raw);
        QVERIFY2(result.ok, qPrintable(result.error));
        QCOMPARE(result.report.name, name);
    }
};

QTEST_MAIN(TestOrvexParser)
#include "test_orvex_parser.moc"
