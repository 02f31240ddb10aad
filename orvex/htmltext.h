#pragma once
// Memos with AllowHTMLTags: the tags the designer knows (b, i, u, s, sub, sup, br and font
// with color and size) are drawn as formatting; any other "<" is ordinary text.

#include "orvex/model.h"

#include <QString>

class QTextDocument;

namespace orvex {

// The memo's text as rich text for a QTextDocument, with font sizes for `scale` device
// pixels per 96-dpi pixel.
QString richTextOf(const QString& text, double scale);

// Sets the document up to show the memo's text in `width` device pixels.
void setUpHtmlDocument(QTextDocument& document, const ReportObject& memo, const FontSpec& font,
                       const QString& text, double scale, double width);

} // namespace orvex
