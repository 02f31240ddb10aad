#pragma once
// The designed page as a graphics scene: the paper, the bands stacked as they print with
// their name bars, the objects drawn by the library's own painter. Moving, resizing, key
// nudges and dropped fields become undoable changes of the document.

#include "orvex/designer/templatedocument.h"
#include "orvex/model.h"

#include <QGraphicsScene>
#include <QHash>
#include <memory>

namespace orvex::designer {

class BandItem;
class ObjectItem;
struct FieldEntry;

// Mime type of a field dragged from the field tree.
extern const char* const fieldMimeType;
QByteArray encodeField(const FieldEntry& field);
bool decodeField(const QByteArray& data, FieldEntry& field);

class DesignerScene : public QGraphicsScene {
    Q_OBJECT
public:
    static constexpr double barHeight = 16; // the band's name bar
    static constexpr double bandSpacing = 4;

    explicit DesignerScene(TemplateDocument* document, QObject* parent = nullptr);
    ~DesignerScene() override;

    TemplateDocument* document() const { return document_; }
    double gridStep() const { return gridStep_; }
    bool snapToGrid() const { return snap_; }
    void setSnapToGrid(bool snap) { snap_ = snap; }
    double snapped(double value) const;

    // Selected elements: objects, or one band.
    QVector<XmlNode*> selectedNodes() const;
    QVector<XmlNode*> selectedObjects() const;
    XmlNode* selectedBand() const;
    // The band that takes new objects: the selected one or the band of the selected object.
    XmlNode* targetBand() const;
    // The object clicked last among the selected: the measure of align and equal size.
    XmlNode* primaryObject() const;
    void selectNodes(const QVector<XmlNode*>& nodes);

    // Scene rectangle of a band's body, and the band at a scene point.
    QRectF bandBody(const XmlNode* band) const;
    XmlNode* bandAt(const QPointF& scenePos) const;
    const ReportObject* drawnObject(const XmlNode* element) const;
    // The printable area's top left corner (the rulers' origin).
    QPointF printOrigin() const;

    // Moves (shift: resizes) the selected objects by a step of the grid.
    void nudgeSelection(double dx, double dy, bool resize);
    void deleteSelection();
    // Called by the items when a mouse drag ends.
    void commitMoves();
    void commitResize(ObjectItem* item, const QSizeF& size);
    void commitBandHeight(BandItem* item, double height);
    void setPrimary(XmlNode* node) { primary_ = node; }
    bool isRebuilding() const { return rebuilding_; }

signals:
    // The items were made anew after a change of the document.
    void rebuilt();

public slots:
    void rebuild();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QGraphicsSceneDragDropEvent* event) override;
    void dragMoveEvent(QGraphicsSceneDragDropEvent* event) override;
    void dropEvent(QGraphicsSceneDragDropEvent* event) override;

private:
    void layoutPage();
    QPointF bandPoint(const XmlNode* band, const QPointF& scenePos) const;

    TemplateDocument* document_;
    std::shared_ptr<Report> drawn_;
    QHash<QString, const ReportObject*> drawnByName_;
    QVector<BandItem*> bandItems_;
    QVector<ObjectItem*> objectItems_;
    XmlNode* primary_ = nullptr;
    double gridStep_ = 2 * pixelsPerMm;
    bool snap_ = true;
    bool rebuilding_ = false;
};

} // namespace orvex::designer
