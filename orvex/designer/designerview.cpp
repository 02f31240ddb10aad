#include "orvex/designer/designerview.h"

#include "orvex/designer/designerscene.h"

#include <QGridLayout>
#include <QPainter>
#include <QScrollBar>

namespace orvex::designer {

namespace {

constexpr int rulerSize = 20;

} // namespace

DesignerView::DesignerView(DesignerScene* scene, QWidget* parent)
    : QWidget(parent), view_(new QGraphicsView(scene, this)) {
    view_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    view_->setRenderHint(QPainter::Antialiasing);
    view_->setRenderHint(QPainter::TextAntialiasing);
    view_->setDragMode(QGraphicsView::RubberBandDrag);
    view_->setAcceptDrops(true);
    top_ = new Ruler(Qt::Horizontal, view_, scene);
    left_ = new Ruler(Qt::Vertical, view_, scene);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    grid->addWidget(top_, 0, 1);
    grid->addWidget(left_, 1, 0);
    grid->addWidget(view_, 1, 1);
    const auto repaintRulers = [this] {
        top_->update();
        left_->update();
    };
    connect(view_->horizontalScrollBar(), &QScrollBar::valueChanged, this, repaintRulers);
    connect(view_->verticalScrollBar(), &QScrollBar::valueChanged, this, repaintRulers);
    connect(scene, &QGraphicsScene::sceneRectChanged, this, repaintRulers);
}

void DesignerView::setZoom(double zoom) {
    zoom_ = zoom;
    view_->setTransform(QTransform::fromScale(zoom, zoom));
    top_->update();
    left_->update();
}

Ruler::Ruler(Qt::Orientation orientation, QGraphicsView* view, DesignerScene* scene)
    : orientation_(orientation), view_(view), scene_(scene) {
    if (orientation == Qt::Horizontal)
        setFixedHeight(rulerSize);
    else
        setFixedWidth(rulerSize);
}

QSize Ruler::sizeHint() const {
    return QSize(rulerSize, rulerSize);
}

void Ruler::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(236, 236, 236));
    painter.setPen(QColor(90, 90, 90));
    QFont font = painter.font();
    font.setPixelSize(9);
    painter.setFont(font);
    const bool horizontal = orientation_ == Qt::Horizontal;
    // Millimetres from the printable area's corner, at the view's zoom and scroll position.
    const QPointF origin = view_->mapFromScene(scene_->printOrigin());
    const double originPx = horizontal ? origin.x() : origin.y();
    const double mm = view_->transform().m11() * pixelsPerMm;
    const int length = horizontal ? width() : height();
    const int first = int(std::floor(-originPx / mm));
    const int last = int(std::ceil((length - originPx) / mm));
    for (int i = first; i <= last; ++i) {
        const double at = originPx + i * mm;
        const int tick = i % 10 == 0 ? rulerSize : (i % 5 == 0 ? rulerSize / 2 : rulerSize / 4);
        if (i % 10 != 0 && mm < 3)
            continue;
        if (horizontal) {
            painter.drawLine(QPointF(at, rulerSize - tick), QPointF(at, rulerSize));
            if (i % 10 == 0)
                painter.drawText(QPointF(at + 2, 9), QString::number(i / 10));
        } else {
            painter.drawLine(QPointF(rulerSize - tick, at), QPointF(rulerSize, at));
            if (i % 10 == 0)
                painter.drawText(QPointF(1, at + 10), QString::number(i / 10));
        }
    }
}

} // namespace orvex::designer
