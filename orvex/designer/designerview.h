#pragma once
// The page view at a zoom, with millimetre rulers along its top and left edges.

#include <QGraphicsView>

namespace orvex::designer {

class DesignerScene;
class Ruler;

class DesignerView : public QWidget {
    Q_OBJECT
public:
    explicit DesignerView(DesignerScene* scene, QWidget* parent = nullptr);
    QGraphicsView* view() const { return view_; }
    double zoom() const { return zoom_; }
    void setZoom(double zoom);

private:
    QGraphicsView* view_;
    Ruler* top_;
    Ruler* left_;
    double zoom_ = 1;
};

class Ruler : public QWidget {
public:
    Ruler(Qt::Orientation orientation, QGraphicsView* view, DesignerScene* scene);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent*) override;

private:
    Qt::Orientation orientation_;
    QGraphicsView* view_;
    DesignerScene* scene_;
};

} // namespace orvex::designer
