#pragma once
// Conversions of template attribute texts: numbers with decimal commas, Delphi colours,
// frame masks and the enumerated values of the format.

#include "orvex/model.h"

#include <QColor>
#include <QString>

namespace orvex {

// "18,89765", "18.89765" and "-13" alike; ok false for anything else.
double parseNumber(const QString& text, bool* ok = nullptr);
bool parseBool(const QString& text);
// A decimal TColor (0x00BBGGRR), a system colour (0xFF0000nn) or clNone: invalid colour.
QColor parseColor(const QString& text);
// A bit mask ("15") or a set of names ("ftLeft,ftTop").
int parseFrameSides(const QString& text);
FrameStyle parseFrameStyle(const QString& text);
HAlign parseHAlign(const QString& text);
VAlign parseVAlign(const QString& text);
StretchMode parseStretchMode(const QString& text);
FormatKind parseFormatKind(const QString& text);
ShapeKind parseShapeKind(const QString& text);
GradientStyle parseGradientStyle(const QString& text);
// Font.Style: a bit mask ("3") or a set of names ("fsBold,fsItalic").
int parseFontStyle(const QString& text);

} // namespace orvex
