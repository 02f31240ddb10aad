#include "orvex/designer/designeritems.h"

#include "orvex/designer/designerscene.h"
#include "orvex/pagepainter.h"

#include <QCursor>
#include <QGraphicsSceneMouseEvent>
#include <QPainter>

namespace orvex::designer {

namespace {

constexpr double handleSize = 6;
const QColor selectionColor(0, 120, 215);

} // namespace

PaperItem::PaperItem(const QRectF& paper, const QRectF& printable)
    : paper_(paper), printable_(printable) {
    setZValue(-2);
}

void PaperItem::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
    painter->fillRect(paper_, Qt::white);
    painter->setPen(QPen(QColor(160, 160, 160), 0));
    painter->drawRect(paper_);
    painter->setPen(QPen(QColor(200, 200, 200), 0, Qt::DashLine));
    painter->drawRect(printable_);
}

BandItem::BandItem(XmlNode* band, const QString& caption, const QSizeF& body, double gridStep)
    : band_(band), caption_(caption), body_(body), gridStep_(gridStep) {
    setFlag(ItemIsSelectable);
    setAcceptHoverEvents(true);
    setZValue(-1);
}

QRectF BandItem::boundingRect() const {
    return QRectF(0, -DesignerScene::barHeight, body_.width(),
                  body_.height() + DesignerScene::barHeight + 3);
}

void BandItem::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
    const QRectF bar(0, -DesignerScene::barHeight, body_.width(), DesignerScene::barHeight);
    painter->fillRect(bar, isSelected() ? selectionColor : QColor(214, 222, 236));
    painter->setPen(isSelected() ? Qt::white : QColor(40, 40, 40));
    QFont font = painter->font();
    font.setPixelSize(11);
    painter->setFont(font);
    painter->drawText(bar.adjusted(4, 0, -4, 0), Qt::AlignVCenter | Qt::AlignLeft, caption_);
    painter->setPen(QPen(QColor(205, 205, 205), 0));
    for (double x = gridStep_; x < body_.width(); x += gridStep_) {
        for (double y = gridStep_; y < body_.height(); y += gridStep_)
            painter->drawPoint(QPointF(x, y));
    }
    painter->setPen(QPen(isSelected() ? selectionColor : QColor(170, 170, 170), 0, Qt::DashLine));
    painter->drawRect(QRectF(QPointF(0, 0), body_));
}

DesignerScene* BandItem::designerScene() const {
    return static_cast<DesignerScene*>(scene());
}

bool BandItem::onBottomEdge(const QPointF& pos) const {
    return pos.y() >= 0 && qAbs(pos.y() - body_.height()) <= 3;
}

void BandItem::hoverMoveEvent(QGraphicsSceneHoverEvent* event) {
    setCursor(onBottomEdge(event->pos()) ? Qt::SizeVerCursor : Qt::ArrowCursor);
}

void BandItem::mousePressEvent(QGraphicsSceneMouseEvent* event) {
    resizing_ = event->button() == Qt::LeftButton && onBottomEdge(event->pos());
    QGraphicsItem::mousePressEvent(event);
}

void BandItem::mouseMoveEvent(QGraphicsSceneMouseEvent* event) {
    if (!resizing_)
        return;
    prepareGeometryChange();
    body_.setHeight(qMax(0.0, designerScene()->snapped(event->pos().y())));
    update();
}

void BandItem::mouseReleaseEvent(QGraphicsSceneMouseEvent* event) {
    QGraphicsItem::mouseReleaseEvent(event);
    if (resizing_) {
        resizing_ = false;
        designerScene()->commitBandHeight(this, body_.height());
    }
}

ObjectItem::ObjectItem(XmlNode* element, const QRectF& rect)
    : element_(element), size_(rect.size()) {
    setPos(rect.topLeft());
    setFlags(ItemIsSelectable | ItemIsMovable | ItemSendsGeometryChanges);
    setAcceptHoverEvents(true);
}

QRectF ObjectItem::boundingRect() const {
    // A line has no area of its own; its box stays grabbable.
    return QRectF(QPointF(0, 0), size_).normalized().adjusted(-3, -3, 3, 3);
}

DesignerScene* ObjectItem::designerScene() const {
    return static_cast<DesignerScene*>(scene());
}

void ObjectItem::paintPlaceholder(QPainter* painter) const {
    const QRectF r(QPointF(0, 0), size_);
    painter->setPen(QPen(QColor(128, 128, 128), 0, Qt::DashDotLine));
    painter->setBrush(QColor(240, 240, 240, 160));
    painter->drawRect(r);
    QFont font = painter->font();
    font.setPixelSize(10);
    painter->setFont(font);
    painter->drawText(r, Qt::AlignCenter | Qt::TextWordWrap,
                      element_->name.mid(4) + u'\n' + element_->attribute(QStringLiteral("Name")));
}

void ObjectItem::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
    const ReportObject* object = designerScene() ? designerScene()->drawnObject(element_) : nullptr;
    if (object) {
        PreparedPage page;
        page.items << PreparedItem{object, QRectF(QPointF(0, 0), size_), object->text, 0};
        painter->save();
        paintPage(*painter, page, 1.0);
        painter->restore();
    } else {
        paintPlaceholder(painter);
    }
    if (!isSelected())
        return;
    painter->setPen(QPen(selectionColor, 0, Qt::DashLine));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(QRectF(QPointF(0, 0), size_));
    painter->fillRect(QRectF(size_.width() - handleSize / 2, size_.height() - handleSize / 2,
                             handleSize, handleSize),
                      selectionColor);
}

QVariant ObjectItem::itemChange(GraphicsItemChange change, const QVariant& value) {
    if (change == ItemPositionChange && designerScene() && designerScene()->snapToGrid()) {
        const QPointF p = value.toPointF();
        return QPointF(designerScene()->snapped(p.x()), designerScene()->snapped(p.y()));
    }
    return QGraphicsItem::itemChange(change, value);
}

bool ObjectItem::onHandle(const QPointF& pos) const {
    return isSelected() && qAbs(pos.x() - size_.width()) <= handleSize &&
           qAbs(pos.y() - size_.height()) <= handleSize;
}

void ObjectItem::hoverMoveEvent(QGraphicsSceneHoverEvent* event) {
    setCursor(onHandle(event->pos()) ? Qt::SizeFDiagCursor : Qt::SizeAllCursor);
}

void ObjectItem::mousePressEvent(QGraphicsSceneMouseEvent* event) {
    designerScene()->setPrimary(element_);
    resizing_ = event->button() == Qt::LeftButton && onHandle(event->pos());
    if (resizing_) {
        event->accept();
        return;
    }
    QGraphicsItem::mousePressEvent(event);
    for (QGraphicsItem* item : scene()->selectedItems()) {
        if (auto* object = dynamic_cast<ObjectItem*>(item))
            object->pressPos_ = object->pos();
    }
}

void ObjectItem::mouseMoveEvent(QGraphicsSceneMouseEvent* event) {
    if (!resizing_) {
        QGraphicsItem::mouseMoveEvent(event);
        return;
    }
    prepareGeometryChange();
    const DesignerScene* s = designerScene();
    size_ =
        QSizeF(qMax(0.0, s->snapped(event->pos().x())), qMax(0.0, s->snapped(event->pos().y())));
    update();
}

void ObjectItem::mouseReleaseEvent(QGraphicsSceneMouseEvent* event) {
    if (resizing_) {
        resizing_ = false;
        designerScene()->commitResize(this, size_);
        return;
    }
    QGraphicsItem::mouseReleaseEvent(event);
    designerScene()->commitMoves();
}

} // namespace orvex::designer
