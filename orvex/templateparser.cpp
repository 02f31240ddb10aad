#include "orvex/templateparser.h"

#include "orvex/attributes.h"
#include "orvex/bandorder.h"
#include "orvex/picturedata.h"
#include "orvex/templatebytes.h"
#include "storage/engine/win1250.h"

#include <QHash>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QXmlStreamReader>

namespace orvex {

namespace {

// Attribute values by lower-case name, and the event handlers the element names.
class Attributes : public QHash<QString, QString> {
public:
    QStringList eventHandlers;
};

Attributes readAttributes(const QXmlStreamReader& xml) {
    Attributes attributes;
    for (const QXmlStreamAttribute& a : xml.attributes()) {
        const QString name = a.name().toString();
        attributes.insert(name.toLower(), a.value().toString());
        if (name.startsWith(QLatin1String("On")) && !a.value().trimmed().isEmpty())
            attributes.eventHandlers << name;
    }
    return attributes;
}

const QHash<QString, BandKind>& bandKinds() {
    static const QHash<QString, BandKind> kinds = {
        {QStringLiteral("TfrxReportTitle"), BandKind::ReportTitle},
        {QStringLiteral("TfrxPageHeader"), BandKind::PageHeader},
        {QStringLiteral("TfrxColumnHeader"), BandKind::ColumnHeader},
        {QStringLiteral("TfrxHeader"), BandKind::Header},
        {QStringLiteral("TfrxGroupHeader"), BandKind::GroupHeader},
        {QStringLiteral("TfrxMasterData"), BandKind::MasterData},
        {QStringLiteral("TfrxDetailData"), BandKind::DetailData},
        {QStringLiteral("TfrxSubdetailData"), BandKind::DetailData},
        {QStringLiteral("TfrxChild"), BandKind::Child},
        {QStringLiteral("TfrxGroupFooter"), BandKind::GroupFooter},
        {QStringLiteral("TfrxFooter"), BandKind::Footer},
        {QStringLiteral("TfrxColumnFooter"), BandKind::ColumnFooter},
        {QStringLiteral("TfrxPageFooter"), BandKind::PageFooter},
        {QStringLiteral("TfrxReportSummary"), BandKind::ReportSummary}};
    return kinds;
}

const QHash<QString, ObjectKind>& objectKinds() {
    static const QHash<QString, ObjectKind> kinds = {
        {QStringLiteral("TfrxMemoView"), ObjectKind::Memo},
        {QStringLiteral("TfrxSysMemoView"), ObjectKind::Memo},
        {QStringLiteral("TfrxLineView"), ObjectKind::Line},
        {QStringLiteral("TfrxShapeView"), ObjectKind::Shape},
        {QStringLiteral("TfrxPictureView"), ObjectKind::Picture},
        {QStringLiteral("TfrxGradientView"), ObjectKind::Gradient},
        {QStringLiteral("TfrxBarCodeView"), ObjectKind::Barcode},
        {QStringLiteral("TfrxBarcode2DView"), ObjectKind::Barcode}};
    return kinds;
}

// The text of a code stored as hex of its bytes: UTF-16 as the designer holds strings when
// every second byte says so, else UTF-8, else the Windows code page of Czech texts. Empty when
// the hex is not hex.
QString hexDataText(const QString& hex) {
    static const QRegularExpression hexDigits(QStringLiteral("^([0-9A-Fa-f]{2})+$"));
    if (!hexDigits.match(hex).hasMatch())
        return {};
    const QByteArray bytes = QByteArray::fromHex(hex.toLatin1());
    bool utf16 = bytes.size() % 2 == 0;
    for (int i = 1; i < bytes.size() && utf16; i += 2)
        utf16 = bytes[i] == 0 || (bytes[i] >= 0x01 && bytes[i] <= 0x05); // Latin to Cyrillic
    if (utf16)
        return QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.constData()),
                                  bytes.size() / 2);
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return engine::decodeWin1250(bytes, QChar::ReplacementCharacter);
}

bool isEmptyScript(const QString& script) {
    QString compact = script.toLower();
    compact.remove(QRegularExpression(QStringLiteral("\\s")));
    return compact.isEmpty() || compact == QLatin1String("beginend.");
}

class Parser {
public:
    explicit Parser(QStringList& warnings) : warnings_(warnings) {}

    bool parse(const QByteArray& utf8, Report& report, QString& error) {
        xml_.addData(utf8);
        if (!xml_.readNextStartElement() || xml_.name() != QLatin1String("TfrxReport")) {
            error = xml_.hasError() ? xml_.errorString()
                                    : QStringLiteral("soubor není předlohou sestavy");
            return false;
        }
        readReport(report);
        if (xml_.hasError()) {
            error = QStringLiteral("chyba XML na řádku %1: %2")
                        .arg(xml_.lineNumber())
                        .arg(xml_.errorString());
            return false;
        }
        return true;
    }

private:
    void warn(const QString& text) {
        if (!warnings_.contains(text))
            warnings_ << text;
    }

    double number(const Attributes& a, const char* name, double fallback) {
        const QString text = a.value(QLatin1String(name));
        bool ok = false;
        const double value = parseNumber(text, &ok);
        return ok ? value : fallback;
    }

    bool flag(const Attributes& a, const char* name, bool fallback) {
        const QString key = QLatin1String(name);
        return a.contains(key) ? parseBool(a.value(key)) : fallback;
    }

    void checkUnsupported(const Attributes& a, const QString& name) {
        for (const QString& handler : a.eventHandlers)
            warn(QStringLiteral("Obsluha události %1 objektu „%2“ není podporována a byla "
                                "vynechána.")
                     .arg(handler, name));
    }

    // A page as long as its content, or repeated for every row, is laid out as one page of
    // its paper size.
    void checkPageFlow(const Attributes& a, const QString& name) {
        if (a.value(QStringLiteral("endlessheight")).compare(u"True", Qt::CaseInsensitive) == 0)
            warn(QStringLiteral("Stránka „%1“ s neomezenou výškou není podporována; tiskne se na "
                                "listy velikosti zadané v předloze.")
                     .arg(name));
        const QString rows = a.value(QStringLiteral("datasetname"));
        if (!rows.isEmpty())
            warn(QStringLiteral("Stránka „%1“ se neopakuje pro každý řádek datové sady „%2“; "
                                "tiskne se jednou.")
                     .arg(name, rows));
    }

    FontSpec readFont(const Attributes& a, FontSpec font) {
        if (a.contains(QStringLiteral("font.name")))
            font.name = a.value(QStringLiteral("font.name"));
        font.height = qRound(number(a, "font.height", font.height));
        if (a.contains(QStringLiteral("font.style")))
            font.style = parseFontStyle(a.value(QStringLiteral("font.style")));
        if (a.contains(QStringLiteral("font.color")))
            font.color = parseColor(a.value(QStringLiteral("font.color")));
        if (!font.color.isValid())
            font.color = Qt::black;
        return font;
    }

    FrameSpec readFrame(const Attributes& a) {
        FrameSpec frame;
        frame.sides = parseFrameSides(a.value(QStringLiteral("frame.typ"), QStringLiteral("0")));
        frame.width = number(a, "frame.width", frame.width);
        if (a.contains(QStringLiteral("frame.color")))
            frame.color = parseColor(a.value(QStringLiteral("frame.color")));
        frame.style = parseFrameStyle(a.value(QStringLiteral("frame.style")));
        return frame;
    }

    static QString memoText(const Attributes& a) {
        for (const char* key : {"text", "memo.utf8w", "memo.utf8", "memo.text"}) {
            const QString name = QLatin1String(key);
            if (a.contains(name))
                return a.value(name);
        }
        return {};
    }

    void readMemo(const Attributes& a, ReportObject& object) {
        object.text = memoText(a);
        object.text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        object.hAlign = parseHAlign(a.value(QStringLiteral("halign")));
        object.vAlign = parseVAlign(a.value(QStringLiteral("valign")));
        object.wordWrap = flag(a, "wordwrap", true);
        object.clipped = flag(a, "clipped", true);
        object.allowExpressions = flag(a, "allowexpressions", true);
        object.hideZeros = flag(a, "hidezeros", false);
        object.gapX = number(a, "gapx", object.gapX);
        object.gapY = number(a, "gapy", object.gapY);
        object.lineSpacing = number(a, "linespacing", object.lineSpacing);
        object.format.kind = parseFormatKind(a.value(QStringLiteral("displayformat.kind")));
        object.format.formatStr = a.value(QStringLiteral("displayformat.formatstr"));
        object.format.decimalSeparator = a.value(QStringLiteral("displayformat.decimalseparator"));
        const QStringList delimiters =
            a.value(QStringLiteral("expressiondelimiters"), QStringLiteral("[,]")).split(u',');
        if (delimiters.size() == 2 && !delimiters[0].isEmpty() && !delimiters[1].isEmpty()) {
            object.openDelimiter = delimiters[0];
            object.closeDelimiter = delimiters[1];
        }
        object.allowHtml = flag(a, "allowhtmltags", false);
        addHighlight(a, QStringLiteral("highlight."), object);
    }

    // A highlight given by attributes with the prefix ("Highlight." on the memo itself, none
    // on a highlight element of its own).
    void addHighlight(const Attributes& a, const QString& prefix, ReportObject& object) {
        const QString condition = a.value(prefix + QStringLiteral("condition")).trimmed();
        if (condition.isEmpty())
            return;
        Attributes style;
        for (auto it = a.begin(); it != a.end(); ++it)
            if (it.key().startsWith(prefix))
                style.insert(it.key().mid(prefix.size()), it.value());
        Highlight highlight;
        highlight.condition = condition;
        highlight.font = readFont(style, object.font);
        highlight.fill = parseColor(
            style.value(QStringLiteral("fill.backcolor"), style.value(QStringLiteral("color"))));
        object.highlights << highlight;
    }

    void readGradient(const Attributes& a, const QString& prefix, GradientSpec& gradient) {
        gradient.used = true;
        const QColor begin = parseColor(a.value(prefix + QStringLiteral("begincolor"),
                                                a.value(prefix + QStringLiteral("startcolor"))));
        const QColor end = parseColor(a.value(prefix + QStringLiteral("endcolor")));
        if (begin.isValid())
            gradient.begin = begin;
        if (end.isValid())
            gradient.end = end;
        const QString style = a.value(prefix + QStringLiteral("style"),
                                      a.value(prefix + QStringLiteral("gradientstyle")));
        gradient.style = parseGradientStyle(style);
    }

    void readPicture(const Attributes& a, ReportObject& object) {
        object.stretched = flag(a, "stretched", true);
        object.center = flag(a, "center", false);
        object.keepAspectRatio = flag(a, "keepaspectratio", true);
        const QString data = a.value(QStringLiteral("picture.propdata"));
        if (!data.isEmpty()) {
            const DecodedPicture picture = decodePictureData(data);
            object.picture = picture.image;
            if (picture.image.isNull())
                warn(QStringLiteral("Obrázek objektu „%1“ (%2) nelze přečíst a nebude vytištěn.")
                         .arg(object.name, picture.kind));
        } else if (!a.value(QStringLiteral("filelink")).isEmpty() ||
                   !a.value(QStringLiteral("datafield")).isEmpty()) {
            warn(QStringLiteral("Obrázek objektu „%1“ se načítá ze souboru nebo z dat, což "
                                "není podporováno; objekt zůstane prázdný.")
                     .arg(object.name));
        }
    }

    void readBarcode(const QString& type, const Attributes& a, ReportObject& object) {
        object.twoDimensional = type == QLatin1String("TfrxBarcode2DView");
        object.barType =
            a.value(QStringLiteral("bartype"), object.twoDimensional ? QStringLiteral("bcCodeQR")
                                                                     : QStringLiteral("bcCode39"));
        object.showText = flag(a, "showtext", !object.twoDimensional);
        object.text = a.value(QStringLiteral("text"));
        object.expression = a.value(QStringLiteral("expression")).trimmed();
        const QString field = a.value(QStringLiteral("datafield"));
        if (object.expression.isEmpty() && !field.isEmpty())
            object.expression =
                QStringLiteral("<%1.\"%2\">").arg(a.value(QStringLiteral("datasetname")), field);
        const QString hex = a.value(QStringLiteral("hexdata")).trimmed();
        if (!object.text.isEmpty() || !object.expression.isEmpty())
            return;
        // Newer designers keep a two-dimensional code's data only as hex of its bytes.
        if (!hex.isEmpty())
            object.text = hexDataText(hex);
        if (object.text.isEmpty())
            warn(QStringLiteral("Kód objektu „%1“ nemá žádná data, která by šlo přečíst; "
                                "zůstane prázdný.")
                     .arg(object.name));
    }

    // Elements inside an object: the highlights of newer designers; the rest is skipped.
    void readObjectChildren(ReportObject& object) {
        while (xml_.readNextStartElement()) {
            if (xml_.name() == QLatin1String("TfrxHighlight")) {
                addHighlight(readAttributes(xml_), QString(), object);
                xml_.skipCurrentElement();
            } else {
                readObjectChildren(object);
            }
        }
    }

    // Reads the object at the reader's position; false (with a warning) when it is skipped.
    bool readObject(const FontSpec& parentFont, ReportObject& object) {
        const QString type = xml_.name().toString();
        const Attributes a = readAttributes(xml_);
        object.name = a.value(QStringLiteral("name"));
        readObjectChildren(object);
        if (!objectKinds().contains(type)) {
            warn(QStringLiteral("Objekt „%1“ typu %2 není podporován a byl vynechán.")
                     .arg(object.name, type));
            return false;
        }
        if (!flag(a, "visible", true))
            return false;
        checkUnsupported(a, object.name);
        object.kind = objectKinds().value(type);
        object.rect = QRectF(number(a, "left", 0), number(a, "top", 0), number(a, "width", 0),
                             number(a, "height", 0));
        object.font = flag(a, "parentfont", true) && !a.contains(QStringLiteral("font.name"))
                          ? parentFont
                          : readFont(a, parentFont);
        object.frame = readFrame(a);
        object.stretch = parseStretchMode(a.value(QStringLiteral("stretchmode")));
        object.fill =
            parseColor(a.value(QStringLiteral("fill.backcolor"), a.value(QStringLiteral("color"))));
        object.rotation = number(a, "rotation", 0);
        if (a.value(QStringLiteral("filltype")).compare(u"ftGradient", Qt::CaseInsensitive) == 0)
            readGradient(a, QStringLiteral("fill."), object.gradient);
        switch (object.kind) {
        case ObjectKind::Memo:
            readMemo(a, object);
            break;
        case ObjectKind::Shape:
            object.shape = parseShapeKind(a.value(QStringLiteral("shape")));
            break;
        case ObjectKind::Picture:
            readPicture(a, object);
            break;
        case ObjectKind::Gradient:
            readGradient(a, QString(), object.gradient);
            break;
        case ObjectKind::Barcode:
            readBarcode(type, a, object);
            break;
        case ObjectKind::Line:
            break;
        }
        return true;
    }

    void readBand(BandKind kind, const FontSpec& pageFont, Page& page) {
        const Attributes a = readAttributes(xml_);
        if (flag(a, "vertical", false)) {
            warn(QStringLiteral("Svislý pás „%1“ není podporován a nebude vytištěn.")
                     .arg(a.value(QStringLiteral("name"))));
            xml_.skipCurrentElement();
            return;
        }
        Band band;
        band.kind = kind;
        band.name = a.value(QStringLiteral("name"));
        band.top = number(a, "top", 0);
        band.height = number(a, "height", 0);
        band.stretched = flag(a, "stretched", false);
        band.visible = flag(a, "visible", true);
        band.printOnFirstPage = flag(a, "printonfirstpage", true);
        band.printOnLastPage = flag(a, "printonlastpage", true);
        band.reprintOnNewPage = flag(a, "reprintonnewpage", false);
        band.startNewPage = flag(a, "startnewpage", false);
        band.keepTogether = flag(a, "keeptogether", false);
        band.allowSplit = flag(a, "allowsplit", false);
        band.childName = a.value(QStringLiteral("child"));
        band.dataSetName = a.value(QStringLiteral("datasetname"));
        band.rowCount = qRound(number(a, "rowcount", 0));
        band.condition = a.value(QStringLiteral("condition"));
        band.filter = a.value(QStringLiteral("filter")).trimmed();
        checkUnsupported(a, band.name);
        const FontSpec bandFont = readFont(a, pageFont);
        while (xml_.readNextStartElement()) {
            ReportObject object;
            if (readObject(bandFont, object))
                band.objects << object;
        }
        page.bands << band;
    }

    void readPage(Page& page) {
        const Attributes a = readAttributes(xml_);
        page.name = a.value(QStringLiteral("name"));
        page.paperWidth = number(a, "paperwidth", page.paperWidth);
        page.paperHeight = number(a, "paperheight", page.paperHeight);
        page.leftMargin = number(a, "leftmargin", page.leftMargin);
        page.rightMargin = number(a, "rightmargin", page.rightMargin);
        page.topMargin = number(a, "topmargin", page.topMargin);
        page.bottomMargin = number(a, "bottommargin", page.bottomMargin);
        const bool landscape =
            a.value(QStringLiteral("orientation")).compare(u"poLandscape", Qt::CaseInsensitive) ==
            0;
        if (landscape != (page.paperWidth > page.paperHeight))
            std::swap(page.paperWidth, page.paperHeight);
        page.columns = qMax(1, qRound(number(a, "columns", 1)));
        page.columnWidth = number(a, "columnwidth", 0);
        if (page.columnWidth * pixelsPerMm * page.columns > page.printableWidth() + 1)
            page.columnWidth = 0; // one-column pages often store the paper width here
        checkUnsupported(a, page.name);
        checkPageFlow(a, page.name);
        const FontSpec pageFont = readFont(a, FontSpec());
        while (xml_.readNextStartElement()) {
            const QString type = xml_.name().toString();
            if (bandKinds().contains(type)) {
                readBand(bandKinds().value(type), pageFont, page);
            } else {
                ReportObject object;
                if (readObject(pageFont, object))
                    page.pageObjects << object;
            }
        }
        attachBands(page, warnings_);
    }

    void readVariables(Report& report) {
        while (xml_.readNextStartElement()) {
            const Attributes a = readAttributes(xml_);
            xml_.skipCurrentElement();
            const QString name = a.value(QStringLiteral("name"));
            // A leading space marks a category, not a variable.
            if (!name.isEmpty() && !name.startsWith(u' '))
                report.variables << Variable{name, a.value(QStringLiteral("value"))};
        }
    }

    void readReport(Report& report) {
        const Attributes a = readAttributes(xml_);
        report.name = a.value(QStringLiteral("reportoptions.name"));
        if (!isEmptyScript(a.value(QStringLiteral("scripttext.text"))))
            warn(QStringLiteral("Skript sestavy není podporován a byl vynechán."));
        checkUnsupported(a, report.name);
        while (xml_.readNextStartElement()) {
            const QString type = xml_.name().toString();
            if (type == QLatin1String("TfrxReportPage")) {
                report.pages << Page();
                readPage(report.pages.last());
            } else if (type == QLatin1String("Variables")) {
                readVariables(report);
            } else if (type == QLatin1String("TfrxDialogPage")) {
                warn(QStringLiteral("Dialogová stránka „%1“ není podporována a byla vynechána.")
                         .arg(readAttributes(xml_).value(QStringLiteral("name"))));
                xml_.skipCurrentElement();
            } else if (type == QLatin1String("TfrxDMPPage")) {
                warn(QStringLiteral("Stránka pro jehličkovou tiskárnu „%1“ není podporována a "
                                    "byla vynechána.")
                         .arg(readAttributes(xml_).value(QStringLiteral("name"))));
                xml_.skipCurrentElement();
            } else {
                xml_.skipCurrentElement(); // data pages, data sets, styles
            }
        }
    }

    QXmlStreamReader xml_;
    QStringList& warnings_;
};

} // namespace

ParseResult parseTemplate(const QByteArray& bytes) {
    ParseResult result;
    const RepairedTemplate repaired = repairTemplateBytes(bytes);
    if (repaired.decodedInContent)
        result.warnings << QStringLiteral("Předloha není uložena v kódování UTF-8, jak uvádí; "
                                          "znaky mimo UTF-8 byly přečteny v kódování "
                                          "Windows-1250.");
    Parser parser(result.warnings);
    result.ok = parser.parse(repaired.utf8, result.report, result.error);
    if (result.ok && result.report.pages.isEmpty()) {
        Page blank;
        result.report.pages << blank;
    }
    return result;
}

} // namespace orvex
