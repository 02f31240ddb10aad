#pragma once
// The items of the designed page: the paper, a band (name bar and body with its grid) and
// an object. Objects are children of their band, positioned in band pixels.

#include <QGraphicsItem>

namespace orvex::designer {

struct XmlNode;
class DesignerScene;

class PaperItem : public QGraphicsItem {
public:
    PaperItem(const QRectF& paper, const QRectF& printable);
    QRectF boundingRect() const override { return paper_; }
    void paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) override;

private:
    QRectF paper_;
    QRectF printable_;
};

class BandItem : public QGraphicsItem {
public:
    BandItem(XmlNode* band, const QString& caption, const QSizeF& body, double gridStep);
    XmlNode* node() const { return band_; }
    // Body at (0, 0); the name bar lies above it.
    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) override;

protected:
    void hoverMoveEvent(QGraphicsSceneHoverEvent* event) override;
    void mousePressEvent(QGraphicsSceneMouseEvent* event) override;
    void mouseMoveEvent(QGraphicsSceneMouseEvent* event) override;
    void mouseReleaseEvent(QGraphicsSceneMouseEvent* event) override;

private:
    bool onBottomEdge(const QPointF& pos) const;
    DesignerScene* designerScene() const;

    XmlNode* band_;
    QString caption_;
    QSizeF body_;
    double gridStep_;
    bool resizing_ = false;
};

class ObjectItem : public QGraphicsItem {
public:
    ObjectItem(XmlNode* element, const QRectF& rect);
    XmlNode* node() const { return element_; }
    QSizeF size() const { return size_; }
    QPointF pressPos() const { return pressPos_; }
    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) override;

protected:
    QVariant itemChange(GraphicsItemChange change, const QVariant& value) override;
    void hoverMoveEvent(QGraphicsSceneHoverEvent* event) override;
    void mousePressEvent(QGraphicsSceneMouseEvent* event) override;
    void mouseMoveEvent(QGraphicsSceneMouseEvent* event) override;
    void mouseReleaseEvent(QGraphicsSceneMouseEvent* event) override;

private:
    bool onHandle(const QPointF& pos) const;
    DesignerScene* designerScene() const;
    void paintPlaceholder(QPainter* painter) const;

    XmlNode* element_;
    QSizeF size_;
    QPointF pressPos_;
    bool resizing_ = false;
};

} // namespace orvex::designer
