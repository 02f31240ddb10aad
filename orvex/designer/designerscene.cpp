#include "orvex/designer/designerscene.h"

#include "orvex/designer/bands.h"
#include "orvex/designer/designeritems.h"
#include "orvex/designer/fieldcatalog.h"
#include "orvex/designer/objectfactory.h"
#include "orvex/templateparser.h"

#include <QGraphicsSceneDragDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QTimer>
#include <cmath>

namespace orvex::designer {

const char* const fieldMimeType = "application/x-orvex-field";

namespace {

const QString leftKey = QStringLiteral("Left");
const QString topKey = QStringLiteral("Top");
const QString widthKey = QStringLiteral("Width");
const QString heightKey = QStringLiteral("Height");

QRectF elementRect(const XmlNode* element) {
    return QRectF(numberAttribute(element, leftKey), numberAttribute(element, topKey),
                  numberAttribute(element, widthKey), numberAttribute(element, heightKey));
}

void indexObjects(const QVector<ReportObject>& objects,
                  QHash<QString, const ReportObject*>& byName) {
    for (const ReportObject& object : objects)
        byName.insert(object.name.toLower(), &object);
}

} // namespace

QByteArray encodeField(const FieldEntry& field) {
    return QStringList{field.caption, field.expression, QString::number(int(field.kind))}
        .join(QChar(0x1F))
        .toUtf8();
}

bool decodeField(const QByteArray& data, FieldEntry& field) {
    const QStringList parts = QString::fromUtf8(data).split(QChar(0x1F));
    if (parts.size() != 3)
        return false;
    field = FieldEntry{parts[0], parts[1], ValueKind(parts[2].toInt())};
    return true;
}

DesignerScene::DesignerScene(TemplateDocument* document, QObject* parent)
    : QGraphicsScene(parent), document_(document) {
    setBackgroundBrush(QColor(128, 128, 128));
    // Items may be handling the mouse event that changed the document: rebuild afterwards.
    connect(document_, &TemplateDocument::changed, this,
            [this] { QTimer::singleShot(0, this, &DesignerScene::rebuild); });
    rebuild();
}

DesignerScene::~DesignerScene() {
    // The items go with the scene; nobody may ask for them while they do.
    rebuilding_ = true;
    bandItems_.clear();
    objectItems_.clear();
}

double DesignerScene::snapped(double value) const {
    return snap_ ? qRound(value / gridStep_) * gridStep_ : value;
}

void DesignerScene::rebuild() {
    const QVector<XmlNode*> selection = selectedNodes();
    rebuilding_ = true;
    bandItems_.clear();
    objectItems_.clear();
    clear();
    drawnByName_.clear();
    if (!document_->report()) {
        rebuilding_ = false;
        return;
    }
    drawn_ = std::make_shared<Report>(parseTemplate(document_->toBytes()).report);
    if (!drawn_->pages.isEmpty()) {
        for (const Band& band : drawn_->pages.first().bands)
            indexObjects(band.objects, drawnByName_);
    }
    layoutPage();
    selectNodes(selection);
    rebuilding_ = false;
    emit rebuilt();
}

void DesignerScene::layoutPage() {
    const XmlNode* page = document_->page();
    double width = numberAttribute(page, QStringLiteral("PaperWidth"), 210);
    double height = numberAttribute(page, QStringLiteral("PaperHeight"), 297);
    const bool landscape = page->attribute(QStringLiteral("Orientation"))
                               .compare(u"poLandscape", Qt::CaseInsensitive) == 0;
    if (landscape != (width > height))
        std::swap(width, height);
    const double left = numberAttribute(page, QStringLiteral("LeftMargin"), 10) * pixelsPerMm;
    const double top = numberAttribute(page, QStringLiteral("TopMargin"), 10) * pixelsPerMm;
    const double right = numberAttribute(page, QStringLiteral("RightMargin"), 10) * pixelsPerMm;
    const double bottom = numberAttribute(page, QStringLiteral("BottomMargin"), 10) * pixelsPerMm;
    const double bandWidth = width * pixelsPerMm - left - right;
    double y = top;
    for (XmlNode* band : document_->bands()) {
        y += barHeight;
        const QSizeF body(bandWidth, numberAttribute(band, heightKey));
        auto* bandItem = new BandItem(band, bandCaption(band), body, gridStep_);
        bandItem->setPos(left, y);
        addItem(bandItem);
        bandItems_ << bandItem;
        for (XmlNode* element : band->childElements()) {
            auto* object = new ObjectItem(element, elementRect(element));
            object->setParentItem(bandItem);
            objectItems_ << object;
        }
        y += body.height() + bandSpacing;
    }
    const QRectF paper(0, 0, width * pixelsPerMm, qMax(height * pixelsPerMm, y + bottom));
    addItem(new PaperItem(paper, QRectF(left, top, bandWidth, paper.height() - top - bottom)));
    setSceneRect(paper.adjusted(-24, -24, 24, 24));
}

QPointF DesignerScene::printOrigin() const {
    const XmlNode* page = document_->page();
    return QPointF(numberAttribute(page, QStringLiteral("LeftMargin"), 10),
                   numberAttribute(page, QStringLiteral("TopMargin"), 10)) *
           pixelsPerMm;
}

const ReportObject* DesignerScene::drawnObject(const XmlNode* element) const {
    return drawnByName_.value(element->attribute(QStringLiteral("Name")).toLower());
}

QVector<XmlNode*> DesignerScene::selectedNodes() const {
    QVector<XmlNode*> nodes = selectedObjects();
    if (XmlNode* band = selectedBand())
        nodes << band;
    return nodes;
}

QVector<XmlNode*> DesignerScene::selectedObjects() const {
    QVector<XmlNode*> nodes;
    for (ObjectItem* item : objectItems_) {
        if (item->isSelected())
            nodes << item->node();
    }
    return nodes;
}

XmlNode* DesignerScene::selectedBand() const {
    for (BandItem* item : bandItems_) {
        if (item->isSelected())
            return item->node();
    }
    return nullptr;
}

XmlNode* DesignerScene::targetBand() const {
    if (XmlNode* band = selectedBand())
        return band;
    const QVector<XmlNode*> objects = selectedObjects();
    if (!objects.isEmpty())
        return TemplateDocument::bandOf(objects.first());
    return bandItems_.isEmpty() ? nullptr : bandItems_.first()->node();
}

XmlNode* DesignerScene::primaryObject() const {
    const QVector<XmlNode*> objects = selectedObjects();
    return objects.contains(primary_) ? primary_ : (objects.isEmpty() ? nullptr : objects.first());
}

void DesignerScene::selectNodes(const QVector<XmlNode*>& nodes) {
    clearSelection();
    for (ObjectItem* item : objectItems_)
        item->setSelected(nodes.contains(item->node()));
    for (BandItem* item : bandItems_)
        item->setSelected(nodes.contains(item->node()));
}

QRectF DesignerScene::bandBody(const XmlNode* band) const {
    for (BandItem* item : bandItems_) {
        if (item->node() == band)
            return QRectF(item->pos(),
                          QSizeF(item->boundingRect().width(), numberAttribute(band, heightKey)));
    }
    return {};
}

XmlNode* DesignerScene::bandAt(const QPointF& scenePos) const {
    for (BandItem* item : bandItems_) {
        const QRectF body = bandBody(item->node());
        if (body.adjusted(0, -barHeight, 0, bandSpacing).contains(scenePos))
            return item->node();
    }
    return nullptr;
}

QPointF DesignerScene::bandPoint(const XmlNode* band, const QPointF& scenePos) const {
    const QPointF local = scenePos - bandBody(band).topLeft();
    return QPointF(snapped(qMax(0.0, local.x())), snapped(qMax(0.0, local.y())));
}

void DesignerScene::commitMoves() {
    QVector<ObjectItem*> moved;
    for (ObjectItem* item : objectItems_) {
        if (item->isSelected() && item->pos() != item->pressPos())
            moved << item;
    }
    if (moved.isEmpty())
        return;
    const QString text = QStringLiteral("Přesun objektů");
    document_->beginStep(text);
    for (ObjectItem* item : moved) {
        XmlNode* element = item->node();
        XmlNode* band = bandAt(item->scenePos());
        if (!band)
            band = TemplateDocument::bandOf(element);
        if (band != TemplateDocument::bandOf(element))
            document_->moveElement(element, band, text);
        const QPointF local = item->scenePos() - bandBody(band).topLeft();
        document_->setAttributes(
            element, {{leftKey, formatNumber(local.x())}, {topKey, formatNumber(local.y())}}, text);
    }
    document_->endStep();
}

void DesignerScene::commitResize(ObjectItem* item, const QSizeF& size) {
    document_->setAttributes(
        item->node(),
        {{widthKey, formatNumber(size.width())}, {heightKey, formatNumber(size.height())}},
        QStringLiteral("Změna velikosti"));
}

void DesignerScene::commitBandHeight(BandItem* item, double height) {
    setBandHeight(*document_, item->node(), height);
}

void DesignerScene::nudgeSelection(double dx, double dy, bool resize) {
    const QVector<XmlNode*> objects = selectedObjects();
    if (objects.isEmpty())
        return;
    const double step = snap_ ? gridStep_ : 1;
    const QString text = resize ? QStringLiteral("Změna velikosti") : QStringLiteral("Posun");
    const QString& xKey = resize ? widthKey : leftKey;
    const QString& yKey = resize ? heightKey : topKey;
    document_->beginStep(text);
    for (XmlNode* element : objects) {
        const double x = qMax(resize ? 0.0 : -1e6, numberAttribute(element, xKey) + dx * step);
        const double y = qMax(resize ? 0.0 : -1e6, numberAttribute(element, yKey) + dy * step);
        document_->setAttributes(element, {{xKey, formatNumber(x)}, {yKey, formatNumber(y)}}, text);
    }
    document_->endStep();
}

void DesignerScene::deleteSelection() {
    const QVector<XmlNode*> objects = selectedObjects();
    if (objects.isEmpty()) {
        if (XmlNode* band = selectedBand())
            removeBand(*document_, band);
        return;
    }
    const QString text = QStringLiteral("Odstranění objektů");
    document_->beginStep(text);
    for (XmlNode* element : objects)
        document_->removeElement(element, text);
    document_->endStep();
}

void DesignerScene::keyPressEvent(QKeyEvent* event) {
    const bool resize = event->modifiers() & Qt::ShiftModifier;
    switch (event->key()) {
    case Qt::Key_Left:
        nudgeSelection(-1, 0, resize);
        break;
    case Qt::Key_Right:
        nudgeSelection(1, 0, resize);
        break;
    case Qt::Key_Up:
        nudgeSelection(0, -1, resize);
        break;
    case Qt::Key_Down:
        nudgeSelection(0, 1, resize);
        break;
    case Qt::Key_Delete:
        deleteSelection();
        break;
    default:
        QGraphicsScene::keyPressEvent(event);
        return;
    }
    event->accept();
}

void DesignerScene::dragEnterEvent(QGraphicsSceneDragDropEvent* event) {
    event->setAccepted(event->mimeData()->hasFormat(QLatin1String(fieldMimeType)));
}

void DesignerScene::dragMoveEvent(QGraphicsSceneDragDropEvent* event) {
    event->setAccepted(event->mimeData()->hasFormat(QLatin1String(fieldMimeType)) &&
                       bandAt(event->scenePos()));
}

void DesignerScene::dropEvent(QGraphicsSceneDragDropEvent* event) {
    FieldEntry field;
    XmlNode* band = bandAt(event->scenePos());
    if (!band || !decodeField(event->mimeData()->data(QLatin1String(fieldMimeType)), field)) {
        event->ignore();
        return;
    }
    XmlNodePtr memo = createFieldMemo(*document_, field, bandPoint(band, event->scenePos()));
    // The memo stays within the band it was dropped on, as far as the band is high enough.
    const double room = numberAttribute(band, heightKey) - numberAttribute(memo.get(), heightKey);
    if (numberAttribute(memo.get(), topKey) > room)
        memo->setAttribute(
            topKey,
            formatNumber(qMax(0.0, snap_ ? std::floor(room / gridStep_) * gridStep_ : room)));
    XmlNode* raw = memo.get();
    document_->insertElement(band, -1, memo, QStringLiteral("Vložení pole"));
    event->acceptProposedAction();
    QTimer::singleShot(0, this, [this, raw] { selectNodes({raw}); });
}

} // namespace orvex::designer
