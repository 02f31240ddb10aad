#include "orvex/designer/bands.h"

#include "orvex/model.h"

namespace orvex::designer {

namespace {

constexpr double bandGap = 20; // what the name bar above each band takes in the layout
const QString topKey = QStringLiteral("Top");
const QString heightKey = QStringLiteral("Height");
const QString nameKey = QStringLiteral("Name");
const QString childKey = QStringLiteral("Child");

int rank(const QString& type) {
    const QVector<BandType>& types = bandTypes();
    for (int i = 0; i < types.size(); ++i) {
        if (types[i].type == type)
            return i;
    }
    return types.size();
}

// Keeps each band's Top where it is unless it would reach into the band before it.
void restack(TemplateDocument& document, const QVector<XmlNode*>& order) {
    double minTop = bandGap;
    for (XmlNode* band : order) {
        double top = numberAttribute(band, topKey);
        if (top < minTop) {
            top = minTop;
            document.setAttributes(band, {{topKey, formatNumber(top)}},
                                   QStringLiteral("Posunutí pásu"));
        }
        minTop = top + numberAttribute(band, heightKey) + bandGap;
    }
}

XmlNodePtr newBand(const TemplateDocument& document, const QString& type,
                   const QString& condition) {
    XmlNodePtr band = XmlNode::element(type);
    const XmlNode* page = document.page();
    const double paperWidth = numberAttribute(page, QStringLiteral("PaperWidth"), 210);
    const double margins = numberAttribute(page, QStringLiteral("LeftMargin"), 10) +
                           numberAttribute(page, QStringLiteral("RightMargin"), 10);
    const bool tall =
        type == QLatin1String("TfrxReportTitle") || type == QLatin1String("TfrxReportSummary");
    band->setAttribute(nameKey, document.uniqueName(type.mid(4)));
    band->setAttribute(heightKey, formatNumber((tall ? 20 : 5) * pixelsPerMm));
    band->setAttribute(QStringLiteral("Left"), QStringLiteral("0"));
    band->setAttribute(topKey, QStringLiteral("0"));
    band->setAttribute(QStringLiteral("Width"), formatNumber((paperWidth - margins) * pixelsPerMm));
    if (type == QLatin1String("TfrxMasterData")) {
        band->setAttribute(QStringLiteral("DataSet"), dataSetName(document));
        band->setAttribute(QStringLiteral("DataSetName"), dataSetName(document));
        band->setAttribute(QStringLiteral("RowCount"), QStringLiteral("0"));
    }
    if (type == QLatin1String("TfrxGroupHeader"))
        band->setAttribute(QStringLiteral("Condition"), condition);
    return band;
}

// A data band needs the report's list of data sets, as the designer program writes it.
void ensureDataSetList(TemplateDocument& document) {
    for (const XmlNode* element : document.report()->childElements()) {
        if (element->name == QLatin1String("Datasets"))
            return;
    }
    XmlNodePtr list = XmlNode::element(QStringLiteral("Datasets"));
    XmlNodePtr item = XmlNode::element(QStringLiteral("item"));
    item->setAttribute(QStringLiteral("DataSet"), dataSetName(document));
    item->setAttribute(QStringLiteral("DataSetName"), dataSetName(document));
    list->insertChild(0, item);
    document.insertElement(document.report(), 0, list, QStringLiteral("Seznam dat"));
}

int insertPosition(const QVector<XmlNode*>& order, const QString& type, XmlNode* after) {
    if (type == QLatin1String("TfrxChild") && after)
        return order.indexOf(after) + 1;
    // A new group footer closes the innermost group, so it comes before the other footers.
    const bool beforeEqual = type == QLatin1String("TfrxGroupFooter");
    const int own = rank(type);
    int position = 0;
    for (int i = 0; i < order.size(); ++i) {
        const int other = order[i]->name == QLatin1String("TfrxChild") && i > 0
                              ? rank(order[i - 1]->name)
                              : rank(order[i]->name);
        if (other < own || (other == own && !beforeEqual))
            position = i + 1;
    }
    return position;
}

} // namespace

const QVector<BandType>& bandTypes() {
    static const QVector<BandType> types = {
        {QStringLiteral("TfrxReportTitle"), QStringLiteral("Titulek sestavy")},
        {QStringLiteral("TfrxPageHeader"), QStringLiteral("Záhlaví stránky")},
        {QStringLiteral("TfrxColumnHeader"), QStringLiteral("Záhlaví sloupců")},
        {QStringLiteral("TfrxHeader"), QStringLiteral("Záhlaví dat")},
        {QStringLiteral("TfrxGroupHeader"), QStringLiteral("Záhlaví skupiny")},
        {QStringLiteral("TfrxMasterData"), QStringLiteral("Data")},
        {QStringLiteral("TfrxChild"), QStringLiteral("Podřízený pás")},
        {QStringLiteral("TfrxGroupFooter"), QStringLiteral("Zápatí skupiny")},
        {QStringLiteral("TfrxFooter"), QStringLiteral("Zápatí dat")},
        {QStringLiteral("TfrxColumnFooter"), QStringLiteral("Zápatí sloupců")},
        {QStringLiteral("TfrxReportSummary"), QStringLiteral("Souhrn sestavy")},
        {QStringLiteral("TfrxPageFooter"), QStringLiteral("Zápatí stránky")}};
    return types;
}

QString bandCaption(const XmlNode* band) {
    const QString name = band->attribute(nameKey);
    for (const BandType& type : bandTypes()) {
        if (type.type == band->name)
            return type.caption + QStringLiteral(": ") + name;
    }
    return band->name.mid(4) + QStringLiteral(": ") + name;
}

QString dataSetName(const TemplateDocument& document) {
    for (const XmlNode* element : document.report()->childElements()) {
        if (element->name != QLatin1String("Datasets"))
            continue;
        for (const XmlNode* item : element->childElements()) {
            const QString name = item->attribute(QStringLiteral("DataSetName"));
            if (!name.isEmpty())
                return name;
        }
    }
    return QStringLiteral("Kniha");
}

QString masterBandName(const TemplateDocument& document) {
    const XmlNode* master = document.firstBand(QStringLiteral("TfrxMasterData"));
    return master ? master->attribute(nameKey) : QStringLiteral("MasterData1");
}

XmlNode* addBand(TemplateDocument& document, const QString& type, XmlNode* after,
                 const QString& condition) {
    document.beginStep(QStringLiteral("Přidání pásu"));
    if (type == QLatin1String("TfrxMasterData"))
        ensureDataSetList(document);
    QVector<XmlNode*> order = document.bands();
    XmlNodePtr band = newBand(document, type, condition);
    XmlNode* raw = band.get();
    const int position = insertPosition(order, type, after);
    // Bands after the new one must lie below it, so it takes the Top of its successor.
    if (position < order.size())
        raw->setAttribute(topKey, order[position]->attribute(topKey));
    else if (!order.isEmpty())
        raw->setAttribute(topKey, formatNumber(numberAttribute(order.last(), topKey) +
                                               numberAttribute(order.last(), heightKey) + bandGap));
    document.insertElement(document.page(), -1, band, QStringLiteral("Přidání pásu"));
    if (type == QLatin1String("TfrxChild") && after)
        document.setAttributes(after, {{childKey, raw->attribute(nameKey)}},
                               QStringLiteral("Přidání pásu"));
    order.insert(position, raw);
    // The successor moves below the new band.
    if (position + 1 < order.size())
        document.setAttributes(order[position + 1],
                               {{topKey, formatNumber(numberAttribute(raw, topKey) + 1)}},
                               QStringLiteral("Posunutí pásu"));
    restack(document, order);
    document.endStep();
    return raw;
}

void removeBand(TemplateDocument& document, XmlNode* band) {
    document.beginStep(QStringLiteral("Odstranění pásu"));
    const QString name = band->attribute(nameKey);
    for (XmlNode* other : document.bands()) {
        if (other != band && other->attribute(childKey).compare(name, Qt::CaseInsensitive) == 0)
            document.setAttributes(other, {{childKey, QString()}},
                                   QStringLiteral("Odstranění pásu"));
    }
    document.removeElement(band, QStringLiteral("Odstranění pásu"));
    document.endStep();
}

void moveBand(TemplateDocument& document, XmlNode* band, int direction) {
    QVector<XmlNode*> order = document.bands();
    const int from = order.indexOf(band);
    const int to = from + direction;
    if (from < 0 || to < 0 || to >= order.size())
        return;
    document.beginStep(QStringLiteral("Přesun pásu"));
    XmlNode* upper = order[qMin(from, to)];
    XmlNode* lower = order[qMax(from, to)];
    const QString upperTop = upper->attribute(topKey);
    document.setAttributes(lower, {{topKey, upperTop}}, QStringLiteral("Přesun pásu"));
    document.setAttributes(upper, {{topKey, formatNumber(numberAttribute(lower, topKey) + 1)}},
                           QStringLiteral("Přesun pásu"));
    order.swapItemsAt(from, to);
    restack(document, order);
    document.endStep();
}

void setBandHeight(TemplateDocument& document, XmlNode* band, double height) {
    document.beginStep(QStringLiteral("Výška pásu"));
    document.setAttributes(band, {{heightKey, formatNumber(qMax(0.0, height))}},
                           QStringLiteral("Výška pásu"));
    restack(document, document.bands());
    document.endStep();
}

} // namespace orvex::designer
