#pragma once
// Bands of the designed page: their kinds in print order, names for the user, adding,
// removing and reordering them as undoable steps.

#include "orvex/designer/templatedocument.h"

namespace orvex::designer {

struct BandType {
    QString type;    // element name, e.g. "TfrxMasterData"
    QString caption; // Czech, as the designer offers it
};

// The kinds of band the designer adds, in the order they print.
const QVector<BandType>& bandTypes();
// "Data – MasterData1"; the band's own name when its kind is unknown.
QString bandCaption(const XmlNode* band);

// The name of the report's one data set ("Kniha" unless the template names another).
QString dataSetName(const TemplateDocument& document);
// The first data band's name, for aggregates ("MasterData1" when there is none yet).
QString masterBandName(const TemplateDocument& document);

// Adds a band in its place among the others; a child band goes right after `after` and is
// linked to it. condition: the grouping expression of a group header. Returns the band.
XmlNode* addBand(TemplateDocument& document, const QString& type, XmlNode* after,
                 const QString& condition = QString());
void removeBand(TemplateDocument& document, XmlNode* band);
// Swaps the band with its neighbour above (-1) or below (+1).
void moveBand(TemplateDocument& document, XmlNode* band, int direction);
// Sets the height and moves the bands below down where they would overlap.
void setBandHeight(TemplateDocument& document, XmlNode* band, double height);

} // namespace orvex::designer
