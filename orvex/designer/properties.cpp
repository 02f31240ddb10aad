#include "orvex/designer/properties.h"

#include "orvex/attributes.h"
#include "orvex/designer/bands.h"
#include "orvex/designer/objectfactory.h"
#include "orvex/model.h"

namespace orvex::designer {

namespace {

QString boolText(bool value) {
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

Property mmProperty(const QString& caption, const QString& key) {
    return {caption,
            PropertyEditor::Millimetres,
            {},
            {},
            [key](const XmlNode* e) { return numberAttribute(e, key) / pixelsPerMm; },
            [key](const XmlNode*, const QVariant& v) {
                return AttributeValues{{key, formatNumber(v.toDouble() * pixelsPerMm)}};
            },
            {}};
}

// Page measures are stored in millimetres already.
Property pageMm(const QString& caption, const QString& key) {
    return {caption,
            PropertyEditor::Millimetres,
            {},
            {},
            [key](const XmlNode* e) { return numberAttribute(e, key, 10); },
            [key](const XmlNode*, const QVariant& v) {
                return AttributeValues{{key, formatNumber(v.toDouble())}};
            },
            {}};
}

Property textProperty(const QString& caption, const QString& key) {
    return {caption,
            PropertyEditor::Text,
            {},
            {},
            [key](const XmlNode* e) { return e->attribute(key); },
            [key](const XmlNode*, const QVariant& v) {
                return AttributeValues{{key, v.toString()}};
            },
            {}};
}

Property flagProperty(const QString& caption, const QString& key, bool fallback) {
    return {caption,
            PropertyEditor::Flag,
            {},
            {},
            [key, fallback](const XmlNode* e) {
                return e->hasAttribute(key) ? parseBool(e->attribute(key)) : fallback;
            },
            [key](const XmlNode*, const QVariant& v) {
                return AttributeValues{{key, boolText(v.toBool())}};
            },
            {}};
}

Property choiceProperty(const QString& caption, const QString& key, const QStringList& shown,
                        const QStringList& stored) {
    return {caption,
            PropertyEditor::Choice,
            shown,
            stored,
            [key, stored](const XmlNode* e) {
                const QString value = e->attribute(key, stored.first());
                for (const QString& s : stored) {
                    if (s.compare(value, Qt::CaseInsensitive) == 0)
                        return QVariant(s);
                }
                return QVariant(stored.first());
            },
            [key](const XmlNode*, const QVariant& v) {
                return AttributeValues{{key, v.toString()}};
            },
            {}};
}

// One bit of a mask attribute (font style, frame sides).
Property bitProperty(const QString& caption, const QString& key, int bit,
                     int (*parse)(const QString&), const AttributeValues& extra = {}) {
    return {caption,
            PropertyEditor::Flag,
            {},
            {},
            [key, bit, parse](const XmlNode* e) {
                return bool(parse(e->attribute(key, QStringLiteral("0"))) & bit);
            },
            [key, bit, parse, extra](const XmlNode* e, const QVariant& v) {
                int mask = parse(e->attribute(key, QStringLiteral("0")));
                mask = v.toBool() ? (mask | bit) : (mask & ~bit);
                return AttributeValues{{key, QString::number(mask)}} + extra;
            },
            {}};
}

Property colourProperty(const QString& caption, const QString& key,
                        const AttributeValues& extra = {}) {
    return {caption,
            PropertyEditor::Colour,
            {},
            {},
            [key](const XmlNode* e) { return parseColor(e->attribute(key)); },
            [key, extra](const XmlNode*, const QVariant& v) {
                const QColor colour = v.value<QColor>();
                return AttributeValues{{key, colour.isValid() ? colourText(colour) : QString()}} +
                       extra;
            },
            {}};
}

const AttributeValues ownFont = {{QStringLiteral("ParentFont"), QStringLiteral("False")}};

QVector<Property> fontProperties() {
    const QString styleKey = QStringLiteral("Font.Style");
    return {
        {QStringLiteral("Písmo"),
         PropertyEditor::FontName,
         {},
         {},
         [](const XmlNode* e) { return e->attribute(QStringLiteral("Font.Name"), "Arial"); },
         [](const XmlNode*, const QVariant& v) {
             return AttributeValues{{QStringLiteral("Font.Name"), v.toString()}} + ownFont;
         },
         {}},
        {QStringLiteral("Velikost písma (b)"),
         PropertyEditor::Points,
         {},
         {},
         [](const XmlNode* e) {
             return -numberAttribute(e, QStringLiteral("Font.Height"), -13) * 72 / 96;
         },
         [](const XmlNode*, const QVariant& v) {
             return AttributeValues{{QStringLiteral("Font.Height"),
                                     QString::number(-qRound(v.toDouble() * 96 / 72))}} +
                    ownFont;
         },
         {}},
        bitProperty(QStringLiteral("Tučné"), styleKey, FontBold, parseFontStyle, ownFont),
        bitProperty(QStringLiteral("Kurzíva"), styleKey, FontItalic, parseFontStyle, ownFont),
        bitProperty(QStringLiteral("Podtržené"), styleKey, FontUnderline, parseFontStyle, ownFont),
        colourProperty(QStringLiteral("Barva písma"), QStringLiteral("Font.Color"), ownFont)};
}

QVector<Property> frameProperties() {
    const QString key = QStringLiteral("Frame.Typ");
    return {
        bitProperty(QStringLiteral("Rámeček vlevo"), key, FrameLeft, parseFrameSides),
        bitProperty(QStringLiteral("Rámeček vpravo"), key, FrameRight, parseFrameSides),
        bitProperty(QStringLiteral("Rámeček nahoře"), key, FrameTop, parseFrameSides),
        bitProperty(QStringLiteral("Rámeček dole"), key, FrameBottom, parseFrameSides),
        {QStringLiteral("Šířka čáry"),
         PropertyEditor::Number,
         {},
         {},
         [](const XmlNode* e) { return numberAttribute(e, QStringLiteral("Frame.Width"), 1); },
         [](const XmlNode*, const QVariant& v) {
             return AttributeValues{{QStringLiteral("Frame.Width"), formatNumber(v.toDouble())}};
         },
         {}},
        colourProperty(QStringLiteral("Barva čáry"), QStringLiteral("Frame.Color"))};
}

// Older templates keep a memo's fill in Color, newer ones in Fill.BackColor.
Property fillProperty() {
    Property fill = colourProperty(QStringLiteral("Výplň"), QStringLiteral("Fill.BackColor"));
    fill.read = [](const XmlNode* e) {
        return parseColor(
            e->attribute(QStringLiteral("Fill.BackColor"), e->attribute(QStringLiteral("Color"))));
    };
    fill.write = [](const XmlNode* e, const QVariant& v) {
        const QColor colour = v.value<QColor>();
        const QString key = e->hasAttribute(QStringLiteral("Color")) &&
                                    !e->hasAttribute(QStringLiteral("Fill.BackColor"))
                                ? QStringLiteral("Color")
                                : QStringLiteral("Fill.BackColor");
        return AttributeValues{{key, colour.isValid() ? colourText(colour) : QString()}};
    };
    return fill;
}

// The attribute that holds a memo's text in this template.
QString memoTextKey(const XmlNode* e) {
    for (const char* key : {"Text", "Memo.UTF8W", "Memo.UTF8", "Memo.Text"}) {
        if (e->hasAttribute(QLatin1String(key)))
            return QLatin1String(key);
    }
    return QStringLiteral("Text");
}

QVector<Property> memoProperties() {
    QVector<Property> list = {
        {QStringLiteral("Text"),
         PropertyEditor::LongText,
         {},
         {},
         [](const XmlNode* e) { return e->attribute(memoTextKey(e)).replace("\r\n", "\n"); },
         [](const XmlNode* e, const QVariant& v) {
             return AttributeValues{{memoTextKey(e), v.toString().replace("\n", "\r\n")}};
         },
         {}}};
    list += fontProperties();
    list << choiceProperty(QStringLiteral("Zarovnání"), QStringLiteral("HAlign"),
                           {QStringLiteral("vlevo"), QStringLiteral("na střed"),
                            QStringLiteral("vpravo"), QStringLiteral("do bloku")},
                           {QStringLiteral("haLeft"), QStringLiteral("haCenter"),
                            QStringLiteral("haRight"), QStringLiteral("haBlock")})
         << choiceProperty(
                QStringLiteral("Svislé zarovnání"), QStringLiteral("VAlign"),
                {QStringLiteral("nahoru"), QStringLiteral("na střed"), QStringLiteral("dolů")},
                {QStringLiteral("vaTop"), QStringLiteral("vaCenter"), QStringLiteral("vaBottom")})
         << flagProperty(QStringLiteral("Zalamovat řádky"), QStringLiteral("WordWrap"), true);
    list += frameProperties();
    list << fillProperty();
    list << Property{
        QStringLiteral("Formát zobrazení"),
        PropertyEditor::Pattern,
        {QString(), QStringLiteral("#,##0.00"), QStringLiteral("# ##0"), QStringLiteral("0.00"),
         QStringLiteral("d.m.yyyy"), QStringLiteral("dd.mm.yyyy"), QStringLiteral("d. mmmm yyyy")},
        {},
        [](const XmlNode* e) { return e->attribute(QStringLiteral("DisplayFormat.FormatStr")); },
        [](const XmlNode*, const QVariant& v) {
            return displayFormatValues(v.toString().trimmed());
        },
        {}};
    return list;
}

QVector<Property> geometry() {
    return {textProperty(QStringLiteral("Název"), QStringLiteral("Name")),
            mmProperty(QStringLiteral("Vlevo"), QStringLiteral("Left")),
            mmProperty(QStringLiteral("Nahoře"), QStringLiteral("Top")),
            mmProperty(QStringLiteral("Šířka"), QStringLiteral("Width")),
            mmProperty(QStringLiteral("Výška"), QStringLiteral("Height"))};
}

QVector<Property> objectProperties(const XmlNode* e) {
    QVector<Property> list = geometry();
    if (e->name == QLatin1String("TfrxMemoView") || e->name == QLatin1String("TfrxSysMemoView")) {
        list += memoProperties();
    } else if (e->name == QLatin1String("TfrxShapeView")) {
        list << choiceProperty(QStringLiteral("Tvar"), QStringLiteral("Shape"),
                               {QStringLiteral("obdélník"), QStringLiteral("zaoblený obdélník"),
                                QStringLiteral("elipsa"), QStringLiteral("trojúhelník"),
                                QStringLiteral("kosočtverec")},
                               {QStringLiteral("skRectangle"), QStringLiteral("skRoundRectangle"),
                                QStringLiteral("skEllipse"), QStringLiteral("skTriangle"),
                                QStringLiteral("skDiamond")});
        list += frameProperties().mid(4);
        list << fillProperty();
    } else if (e->name == QLatin1String("TfrxLineView")) {
        list += frameProperties().mid(4);
    } else if (e->name.startsWith(QLatin1String("TfrxBarCode"), Qt::CaseInsensitive) ||
               e->name == QLatin1String("TfrxBarcode2DView")) {
        list << textProperty(QStringLiteral("Text kódu"), QStringLiteral("Text"))
             << textProperty(QStringLiteral("Výraz"), QStringLiteral("Expression"));
    }
    return list;
}

QVector<Property> bandProperties(const XmlNode* e, const QStringList& conditions) {
    QVector<Property> list = {textProperty(QStringLiteral("Název"), QStringLiteral("Name"))};
    Property height = mmProperty(QStringLiteral("Výška"), QStringLiteral("Height"));
    height.apply = [](TemplateDocument& document, XmlNode* band, const QVariant& v) {
        setBandHeight(document, band, v.toDouble() * pixelsPerMm);
    };
    list << height;
    if (e->name == QLatin1String("TfrxGroupHeader"))
        list << Property{QStringLiteral("Podmínka skupiny"),
                         PropertyEditor::Pattern,
                         conditions,
                         {},
                         [](const XmlNode* b) { return b->attribute(QStringLiteral("Condition")); },
                         [](const XmlNode*, const QVariant& v) {
                             return AttributeValues{{QStringLiteral("Condition"), v.toString()}};
                         },
                         {}};
    list << flagProperty(QStringLiteral("Držet pohromadě"), QStringLiteral("KeepTogether"), false)
         << flagProperty(QStringLiteral("Začít novou stránku"), QStringLiteral("StartNewPage"),
                         false);
    if (e->name == QLatin1String("TfrxMasterData") || e->name == QLatin1String("TfrxDetailData") ||
        e->name == QLatin1String("TfrxSubdetailData"))
        list << textProperty(QStringLiteral("Filtr řádků"), QStringLiteral("Filter"))
             << flagProperty(QStringLiteral("Smí se rozdělit"), QStringLiteral("AllowSplit"),
                             false);
    if (e->name == QLatin1String("TfrxHeader") || e->name == QLatin1String("TfrxGroupHeader"))
        list << flagProperty(QStringLiteral("Opakovat na každé stránce"),
                             QStringLiteral("ReprintOnNewPage"), false);
    if (e->name == QLatin1String("TfrxPageHeader") || e->name == QLatin1String("TfrxPageFooter"))
        list << flagProperty(QStringLiteral("Na první stránce"), QStringLiteral("PrintOnFirstPage"),
                             true)
             << flagProperty(QStringLiteral("Na poslední stránce"),
                             QStringLiteral("PrintOnLastPage"), true);
    return list;
}

struct Paper {
    const char* code;
    const char* caption;
    double width;
    double height;
};

const Paper papers[] = {{"9", "A4", 210, 297},
                        {"8", "A3", 297, 420},
                        {"11", "A5", 148, 210},
                        {"1", "Letter", 215.9, 279.4},
                        {"256", "vlastní", 0, 0}};

bool isLandscape(const XmlNode* page) {
    return page->attribute(QStringLiteral("Orientation"))
               .compare(u"poLandscape", Qt::CaseInsensitive) == 0;
}

// Paper sides in the page's orientation.
AttributeValues paperSides(double width, double height, bool landscape) {
    if (landscape != (width > height))
        std::swap(width, height);
    return {{QStringLiteral("PaperWidth"), formatNumber(width)},
            {QStringLiteral("PaperHeight"), formatNumber(height)}};
}

QVector<Property> pageProperties() {
    QStringList shown;
    QStringList codes;
    for (const Paper& paper : papers) {
        shown << QString::fromUtf8(paper.caption);
        codes << QString::fromLatin1(paper.code);
    }
    Property reportName{QStringLiteral("Název sestavy"),
                        PropertyEditor::Text,
                        {},
                        {},
                        [](const XmlNode* page) {
                            return page->parent->attribute(QStringLiteral("ReportOptions.Name"));
                        },
                        {},
                        [](TemplateDocument& document, XmlNode* page, const QVariant& v) {
                            document.setAttributes(
                                page->parent,
                                {{QStringLiteral("ReportOptions.Name"), v.toString()}},
                                QStringLiteral("Název sestavy"));
                        }};
    Property paper =
        choiceProperty(QStringLiteral("Formát papíru"), QStringLiteral("PaperSize"), shown, codes);
    paper.write = [](const XmlNode* page, const QVariant& v) {
        AttributeValues values = {{QStringLiteral("PaperSize"), v.toString()}};
        for (const Paper& p : papers) {
            if (v.toString() == QLatin1String(p.code) && p.width > 0)
                values += paperSides(p.width, p.height, isLandscape(page));
        }
        return values;
    };
    Property orientation{
        QStringLiteral("Orientace"),
        PropertyEditor::Choice,
        {QStringLiteral("na výšku"), QStringLiteral("na šířku")},
        {QStringLiteral("portrait"), QStringLiteral("landscape")},
        [](const XmlNode* page) {
            return isLandscape(page) ? QStringLiteral("landscape") : QStringLiteral("portrait");
        },
        [](const XmlNode* page, const QVariant& v) {
            const bool landscape = v.toString() == QLatin1String("landscape");
            return AttributeValues{
                       {QStringLiteral("Orientation"),
                        landscape ? QStringLiteral("poLandscape") : QStringLiteral("poPortrait")}} +
                   paperSides(numberAttribute(page, "PaperWidth", 210),
                              numberAttribute(page, "PaperHeight", 297), landscape);
        },
        {}};
    return {reportName,
            paper,
            orientation,
            pageMm(QStringLiteral("Šířka papíru"), QStringLiteral("PaperWidth")),
            pageMm(QStringLiteral("Výška papíru"), QStringLiteral("PaperHeight")),
            pageMm(QStringLiteral("Okraj vlevo"), QStringLiteral("LeftMargin")),
            pageMm(QStringLiteral("Okraj vpravo"), QStringLiteral("RightMargin")),
            pageMm(QStringLiteral("Okraj nahoře"), QStringLiteral("TopMargin")),
            pageMm(QStringLiteral("Okraj dole"), QStringLiteral("BottomMargin"))};
}

} // namespace

QVector<Property> propertiesOf(const XmlNode* element, const QStringList& conditionChoices) {
    if (element->name == QLatin1String("TfrxReportPage"))
        return pageProperties();
    if (TemplateDocument::isBand(element))
        return bandProperties(element, conditionChoices);
    return objectProperties(element);
}

QString colourText(const QColor& colour) {
    return QString::number(colour.red() + colour.green() * 256 + colour.blue() * 65536);
}

} // namespace orvex::designer
