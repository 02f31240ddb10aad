#pragma once
// Fonts and text lines of memos. Windows fonts that are not installed are replaced by metric
// compatible ones; text is broken into lines with the metrics of the device it is drawn on.

#include "orvex/model.h"

#include <QFont>
#include <QFontMetricsF>
#include <QString>
#include <QStringList>

namespace orvex {

// The installed family used for a template's font name; *note gets a Czech warning when
// the family was replaced by one of other metrics.
QString resolveFontFamily(const QString& name, QString* note);

// The font of a memo for a device with `scale` device pixels per 96-dpi pixel.
QFont deviceFont(const FontSpec& desc, double scale);

// Lines of a text within a width (device pixels); without word wrap only line breaks split.
QStringList wrapLines(const QString& text, const QFontMetricsF& metrics, double width,
                      bool wordWrap);

// Height in 96-dpi pixels that the memo needs to show the whole text.
double memoTextHeight(const ReportObject& memo, const QString& text);

// The lines of a memo's plain text as drawn: how many, the height of one and the step from one
// line's top to the next, in 96-dpi pixels.
struct MemoLines {
    int count = 0;
    double height = 0;
    double step = 0;
};
MemoLines memoLines(const ReportObject& memo, const QString& text);

} // namespace orvex
