#pragma once
// New objects as the designer puts them into a band, in the template format's own form.

#include "orvex/designer/fieldcatalog.h"
#include "orvex/designer/templatedocument.h"

#include <QImage>
#include <QRectF>

namespace orvex::designer {

enum class NewObject { Text, Line, Rectangle, RoundRectangle, Ellipse, Barcode, QrCode };

XmlNodePtr createObject(const TemplateDocument& document, NewObject kind, const QPointF& at);
// A memo showing the entry at `at` (band pixels): amounts right-aligned with "#,##0.00",
// dates with "d.m.yyyy".
XmlNodePtr createFieldMemo(const TemplateDocument& document, const FieldEntry& field,
                           const QPointF& at);
// The picture is stored in the template (as PNG data).
XmlNodePtr createPicture(const TemplateDocument& document, const QImage& image, const QPointF& at);

// The attributes that give a memo a display format; an empty pattern removes it.
AttributeValues displayFormatValues(const QString& pattern);

} // namespace orvex::designer
