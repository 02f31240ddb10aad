#pragma once
// The properties the side panel offers for a page, a band or an object: how each is read from
// the element and which attributes a new value sets. Values are shown in the user's units
// (millimetres, points) and stored in the template's (pixels, font heights, Delphi colours).

#include "orvex/designer/templatedocument.h"

#include <QColor>
#include <QStringList>
#include <QVariant>
#include <functional>

namespace orvex::designer {

enum class PropertyEditor {
    Text,     // one line
    LongText, // several lines
    Millimetres,
    Number,
    Points, // font size
    Flag,
    Choice,  // one of choices (shown) / choiceValues (stored)
    Pattern, // an editable choice: display formats, group conditions
    Colour,  // invalid: none
    FontName
};

struct Property {
    QString caption;
    PropertyEditor editor = PropertyEditor::Text;
    QStringList choices;
    QStringList choiceValues;
    std::function<QVariant(const XmlNode*)> read;
    // The attribute values for a new value (for the element given).
    std::function<AttributeValues(const XmlNode*, const QVariant&)> write;
    // Set instead of write when a change needs more than attributes (band height).
    std::function<void(TemplateDocument&, XmlNode*, const QVariant&)> apply;
};

// The properties of the element: the report page (with the report's name), a band or an
// object. conditionChoices: field expressions offered for a group condition.
QVector<Property> propertiesOf(const XmlNode* element, const QStringList& conditionChoices);

// A Delphi colour number ("0" black, "16777215" white).
QString colourText(const QColor& colour);

} // namespace orvex::designer
