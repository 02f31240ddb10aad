#pragma once
// The object model of a report template. Every member starts at the value the template format
// assumes when the attribute is missing, so a parsed object needs no further defaulting.

#include <QColor>
#include <QImage>
#include <QRectF>
#include <QString>
#include <QVector>

namespace orvex {

// 96-dpi pixels per millimetre: positions are pixels, paper sizes millimetres.
constexpr double pixelsPerMm = 96.0 / 25.4;

enum FontStyleBit { FontBold = 1, FontItalic = 2, FontUnderline = 4, FontStrikeOut = 8 };

struct FontSpec {
    QString name = QStringLiteral("Arial");
    int height = -13; // pixels; negative means character height without leading
    int style = 0;    // FontStyleBit mask
    QColor color = Qt::black;
};

enum FrameSide { FrameLeft = 1, FrameRight = 2, FrameTop = 4, FrameBottom = 8 };
enum class FrameStyle { Solid, Dash, Dot, DashDot, DashDotDot, Double };

struct FrameSpec {
    int sides = 0; // FrameSide mask
    double width = 1;
    QColor color = Qt::black;
    FrameStyle style = FrameStyle::Solid;
};

enum class HAlign { Left, Right, Center, Block };
enum class VAlign { Top, Center, Bottom };
enum class StretchMode { None, ActualHeight, MaxHeight };
enum class FormatKind { Text, Numeric, DateTime, Boolean };

struct DisplayFormat {
    FormatKind kind = FormatKind::Text;
    QString formatStr;
    QString decimalSeparator; // empty: the Czech decimal comma
};

enum class ObjectKind { Memo, Line, Shape, Picture, Gradient, Barcode };
enum class GradientStyle { Horizontal, Vertical, HorizontalCenter, VerticalCenter, Elliptic };

// A two-colour fill: a gradient object's whole area or a memo's background.
struct GradientSpec {
    bool used = false;
    QColor begin = Qt::white;
    QColor end = Qt::black;
    GradientStyle style = GradientStyle::Horizontal;
};

// Another look of a memo while its condition holds for the current row.
struct Highlight {
    QString condition;
    FontSpec font;
    QColor fill; // invalid: the memo's own fill
};
enum class ShapeKind {
    Rectangle,
    RoundRectangle,
    Ellipse,
    Triangle,
    Diamond,
    Diagonal1,
    Diagonal2
};

struct ReportObject {
    ObjectKind kind = ObjectKind::Memo;
    QString name;
    QRectF rect; // relative to the band (or to the printable area for page objects)
    FontSpec font;
    FrameSpec frame;
    QColor fill; // invalid: transparent
    // Memo
    QString text;
    HAlign hAlign = HAlign::Left;
    VAlign vAlign = VAlign::Top;
    bool wordWrap = true;
    bool clipped = true;
    bool allowExpressions = true;
    bool hideZeros = false;
    QString openDelimiter = QStringLiteral("[");
    QString closeDelimiter = QStringLiteral("]");
    double gapX = 2;
    double gapY = 1;
    double lineSpacing = 2;
    StretchMode stretch = StretchMode::None;
    DisplayFormat format;
    bool allowHtml = false;
    double rotation = 0; // degrees counter-clockwise: 0, 90, 180 or 270
    QVector<Highlight> highlights;
    GradientSpec gradient;
    // Shape
    ShapeKind shape = ShapeKind::Rectangle;
    // Picture
    QImage picture;
    bool stretched = true;
    bool center = false;
    bool keepAspectRatio = true;
    // Barcode: the symbology by the template's name, and what it encodes
    QString barType;
    bool twoDimensional = false;
    bool showText = true;
    QString expression; // evaluated for the content when not empty; else the text
};

enum class BandKind {
    ReportTitle,
    PageHeader,
    ColumnHeader, // below the page header on every page
    Header,
    GroupHeader,
    MasterData,
    DetailData, // detail and sub-detail bands: printed with each row of the data band above
    Child,      // printed right after the band that names it
    GroupFooter,
    Footer,
    ColumnFooter, // below the last data of every page
    PageFooter,
    ReportSummary
};

struct Band {
    BandKind kind = BandKind::MasterData;
    QString name;
    double top = 0;
    double height = 0;
    bool stretched = false;
    bool visible = true;
    bool printOnFirstPage = true;
    bool printOnLastPage = true;
    bool reprintOnNewPage = false;
    bool startNewPage = false;
    bool keepTogether = false;
    bool allowSplit = false;
    QString childName;
    int child = -1; // index of the child band, -1: none
    QString dataSetName;
    int rowCount = 0;
    QString condition; // group header
    QString filter;    // data bands: rows for which it is false are not printed
    QVector<ReportObject> objects;
};

// A group level of a data section: its header and, once attached, its footer (-1: none).
struct GroupLevel {
    int header = -1;
    int footer = -1;
};

// One data band with the bands that belong to it, as indexes into Page::bands.
struct DataSection {
    int header = -1;
    QVector<GroupLevel> groups; // outermost first
    int master = -1;
    QVector<int> details; // detail bands over the same rows, in their order
    int footer = -1;
};

struct Page {
    QString name;
    double paperWidth = 210; // millimetres, already in the page's orientation
    double paperHeight = 297;
    double leftMargin = 10;
    double rightMargin = 10;
    double topMargin = 10;
    double bottomMargin = 10;
    int columns = 1;        // data bands flow down this many columns
    double columnWidth = 0; // millimetres; 0: the printable width shared evenly
    QVector<Band> bands;    // sorted by their Top
    int title = -1;
    int pageHeader = -1;
    int columnHeader = -1;
    int columnFooter = -1;
    int pageFooter = -1;
    int summary = -1;
    QVector<DataSection> sections;
    QVector<ReportObject> pageObjects; // printed on every page

    double printableWidth() const { return (paperWidth - leftMargin - rightMargin) * pixelsPerMm; }
    double printableHeight() const {
        return (paperHeight - topMargin - bottomMargin) * pixelsPerMm;
    }
    double columnStep() const {
        return columnWidth > 0 ? columnWidth * pixelsPerMm : printableWidth() / qMax(1, columns);
    }
};

struct Variable {
    QString name;
    QString expression; // evaluated when the variable is used
};

struct Report {
    QString name;
    QVector<Page> pages;
    QVector<Variable> variables;
};

} // namespace orvex
