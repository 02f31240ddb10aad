#include "orvex/attributes.h"

#include <QHash>
#include <QStringList>

namespace orvex {

namespace {

// Names of a Delphi set, with or without brackets: "[ftLeft, ftTop]".
QStringList setNames(const QString& text) {
    QString inner = text.trimmed();
    if (inner.startsWith(u'['))
        inner = inner.mid(1, inner.size() - 2);
    QStringList names = inner.split(u',', Qt::SkipEmptyParts);
    for (QString& name : names)
        name = name.trimmed().toLower();
    return names;
}

int parseMask(const QString& text, const QHash<QString, int>& bits) {
    bool ok = false;
    const int number = text.trimmed().toInt(&ok);
    if (ok)
        return number;
    int mask = 0;
    for (const QString& name : setNames(text))
        mask |= bits.value(name);
    return mask;
}

template <typename T> T lookup(const QString& text, const QHash<QString, T>& values, T fallback) {
    return values.value(text.trimmed().toLower(), fallback);
}

QColor systemColor(int index) {
    static const QHash<int, QRgb> colors = {
        {0, 0xC8C8C8},  {1, 0x000000},  {2, 0x99B4D1},  {3, 0xBFCDDB},  {4, 0xF0F0F0},
        {5, 0xFFFFFF},  {6, 0x646464},  {7, 0x000000},  {8, 0x000000},  {9, 0x000000},
        {10, 0xB4B4B4}, {11, 0xF4F7FC}, {12, 0xABABAB}, {13, 0x0078D7}, {14, 0xFFFFFF},
        {15, 0xF0F0F0}, {16, 0xA0A0A0}, {17, 0x6D6D6D}, {18, 0x000000}, {19, 0x000000},
        {20, 0xFFFFFF}, {21, 0x696969}, {22, 0xE3E3E3}, {23, 0x000000}, {24, 0xFFFFE1}};
    return QColor(QRgb(colors.value(index, 0x000000)));
}

} // namespace

double parseNumber(const QString& text, bool* ok) {
    QString normal = text.trimmed();
    normal.replace(u',', u'.');
    return normal.toDouble(ok);
}

bool parseBool(const QString& text) {
    return text.trimmed().compare(u"True", Qt::CaseInsensitive) == 0;
}

QColor parseColor(const QString& text) {
    static const QHash<QString, QRgb> named = {
        {QStringLiteral("clblack"), 0x000000},  {QStringLiteral("clwhite"), 0xFFFFFF},
        {QStringLiteral("clred"), 0xFF0000},    {QStringLiteral("clgreen"), 0x008000},
        {QStringLiteral("clblue"), 0x0000FF},   {QStringLiteral("clnavy"), 0x000080},
        {QStringLiteral("clgray"), 0x808080},   {QStringLiteral("clsilver"), 0xC0C0C0},
        {QStringLiteral("clmaroon"), 0x800000}, {QStringLiteral("clyellow"), 0xFFFF00}};
    const QString lower = text.trimmed().toLower();
    if (named.contains(lower))
        return QColor(QRgb(named.value(lower)));
    bool ok = false;
    const qint64 value = lower.toLongLong(&ok);
    if (!ok || lower == QLatin1String("clnone"))
        return {};
    const quint32 color = static_cast<quint32>(value);
    if (color == 0x1FFFFFFF || color == 0x20000000) // clNone, clDefault
        return {};
    if ((color & 0xFF000000) == 0xFF000000 || (color & 0xFF000000) == 0x80000000)
        return systemColor(color & 0xFF);
    return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

int parseFrameSides(const QString& text) {
    static const QHash<QString, int> bits = {{QStringLiteral("ftleft"), FrameLeft},
                                             {QStringLiteral("ftright"), FrameRight},
                                             {QStringLiteral("fttop"), FrameTop},
                                             {QStringLiteral("ftbottom"), FrameBottom}};
    return parseMask(text, bits);
}

int parseFontStyle(const QString& text) {
    static const QHash<QString, int> bits = {{QStringLiteral("fsbold"), FontBold},
                                             {QStringLiteral("fsitalic"), FontItalic},
                                             {QStringLiteral("fsunderline"), FontUnderline},
                                             {QStringLiteral("fsstrikeout"), FontStrikeOut}};
    return parseMask(text, bits);
}

FrameStyle parseFrameStyle(const QString& text) {
    static const QHash<QString, FrameStyle> values = {
        {QStringLiteral("fssolid"), FrameStyle::Solid},
        {QStringLiteral("fsdash"), FrameStyle::Dash},
        {QStringLiteral("fsdot"), FrameStyle::Dot},
        {QStringLiteral("fsdashdot"), FrameStyle::DashDot},
        {QStringLiteral("fsdashdotdot"), FrameStyle::DashDotDot},
        {QStringLiteral("fsdouble"), FrameStyle::Double}};
    return lookup(text, values, FrameStyle::Solid);
}

HAlign parseHAlign(const QString& text) {
    static const QHash<QString, HAlign> values = {{QStringLiteral("haleft"), HAlign::Left},
                                                  {QStringLiteral("haright"), HAlign::Right},
                                                  {QStringLiteral("hacenter"), HAlign::Center},
                                                  {QStringLiteral("hablock"), HAlign::Block}};
    return lookup(text, values, HAlign::Left);
}

VAlign parseVAlign(const QString& text) {
    static const QHash<QString, VAlign> values = {{QStringLiteral("vatop"), VAlign::Top},
                                                  {QStringLiteral("vacenter"), VAlign::Center},
                                                  {QStringLiteral("vabottom"), VAlign::Bottom}};
    return lookup(text, values, VAlign::Top);
}

StretchMode parseStretchMode(const QString& text) {
    static const QHash<QString, StretchMode> values = {
        {QStringLiteral("smdontstretch"), StretchMode::None},
        {QStringLiteral("smactualheight"), StretchMode::ActualHeight},
        {QStringLiteral("smmaxheight"), StretchMode::MaxHeight}};
    return lookup(text, values, StretchMode::None);
}

FormatKind parseFormatKind(const QString& text) {
    static const QHash<QString, FormatKind> values = {
        {QStringLiteral("fktext"), FormatKind::Text},
        {QStringLiteral("fknumeric"), FormatKind::Numeric},
        {QStringLiteral("fkdatetime"), FormatKind::DateTime},
        {QStringLiteral("fkboolean"), FormatKind::Boolean}};
    return lookup(text, values, FormatKind::Text);
}

ShapeKind parseShapeKind(const QString& text) {
    static const QHash<QString, ShapeKind> values = {
        {QStringLiteral("skrectangle"), ShapeKind::Rectangle},
        {QStringLiteral("skroundrectangle"), ShapeKind::RoundRectangle},
        {QStringLiteral("skellipse"), ShapeKind::Ellipse},
        {QStringLiteral("sktriangle"), ShapeKind::Triangle},
        {QStringLiteral("skdiamond"), ShapeKind::Diamond},
        {QStringLiteral("skdiagonal1"), ShapeKind::Diagonal1},
        {QStringLiteral("skdiagonal2"), ShapeKind::Diagonal2}};
    return lookup(text, values, ShapeKind::Rectangle);
}

GradientStyle parseGradientStyle(const QString& text) {
    static const QHash<QString, GradientStyle> values = {
        {QStringLiteral("gshorizontal"), GradientStyle::Horizontal},
        {QStringLiteral("gsvertical"), GradientStyle::Vertical},
        {QStringLiteral("gshorizcenter"), GradientStyle::HorizontalCenter},
        {QStringLiteral("gsvertcenter"), GradientStyle::VerticalCenter},
        {QStringLiteral("gselliptic"), GradientStyle::Elliptic},
        {QStringLiteral("gsrectangle"), GradientStyle::Elliptic}};
    return lookup(text, values, GradientStyle::Horizontal);
}

} // namespace orvex
