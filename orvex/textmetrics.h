#pragma once
// Fonts and text lines of memos. Windows fonts that are not installed are replaced by metric
// compatible ones; text is broken into lines with the metrics of the device it is drawn on.

#include "orvex/model.h"

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QString>
#include <QStringList>

class QPaintDevice;

namespace orvex {

// The installed family used for a template's font name; *note gets a Czech warning when
// the family was replaced by one of other metrics.
QString resolveFontFamily(const QString& name, QString* note);

// The font of a memo for a device with `scale` device pixels per 96-dpi pixel.
QFont deviceFont(const FontSpec& desc, double scale);

// A memo style's font on one device and the advances of the characters measured with it.
// Fonts are used without kerning, so a line of plain characters is as wide as its characters
// together: that sum comes from the cache instead of shaping the line every time.
class TextMeasure {
public:
    TextMeasure(const QFont& font, const QPaintDevice* device);

    const QFont& font() const { return font_; }
    const QFontMetricsF& metrics() const { return metrics_; }
    double width(QStringView text) const;
    // The advance of the character at i (a surrogate pair is one), negative for a combining
    // mark; *length: its code units.
    double charWidth(QStringView text, qsizetype i, int* length) const;

private:
    QFont font_;
    QFontMetricsF metrics_;
    mutable QHash<char32_t, double> advances_;
};

// The measure of a memo style for a device (nullptr: the layout's own measuring) with `scale`
// device pixels per 96-dpi pixel; built once per style, device resolution and thread.
const TextMeasure& textMeasure(const FontSpec& desc, double scale, const QPaintDevice* device);

// Lines of a text within a width (device pixels); without word wrap only line breaks split.
QStringList wrapLines(const QString& text, const TextMeasure& measure, double width, bool wordWrap);

// Lines of a memo's text in `width` 96-dpi pixels (its gaps left out). They are broken with
// the layout's own measure on every device: rounded font sizes and hinting make a device's
// advances differ a little, and a line more than the layout made room for would be cut off.
QStringList memoLines(const FontSpec& font, const QString& text, double width, bool wordWrap);

// Height in 96-dpi pixels that the memo needs to show the whole text.
double memoTextHeight(const ReportObject& memo, const QString& text);

// The lines of a memo's plain text as drawn: how many, the height of one and the step from one
// line's top to the next, in 96-dpi pixels.
struct MemoLines {
    int count = 0;
    double height = 0;
    double step = 0;
};
MemoLines memoLineGrid(const ReportObject& memo, const QString& text);

} // namespace orvex
