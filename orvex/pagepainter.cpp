#include "orvex/pagepainter.h"

#include "orvex/textmetrics.h"

#include <QPainter>
#include <QPolygonF>

namespace orvex {

namespace {

QRectF scaled(const QRectF& rect, double scale) {
    return QRectF(rect.left() * scale, rect.top() * scale, rect.width() * scale,
                  rect.height() * scale);
}

Qt::PenStyle penStyle(FrameStyle style) {
    switch (style) {
    case FrameStyle::Dash:
        return Qt::DashLine;
    case FrameStyle::Dot:
        return Qt::DotLine;
    case FrameStyle::DashDot:
        return Qt::DashDotLine;
    case FrameStyle::DashDotDot:
        return Qt::DashDotDotLine;
    default:
        return Qt::SolidLine;
    }
}

QPen framePen(const FrameSpec& frame, double scale) {
    QPen pen(frame.color, qMax(0.1, frame.width * scale), penStyle(frame.style));
    pen.setCapStyle(Qt::SquareCap);
    return pen;
}

// One side of a frame; a double frame is two thin lines a line's width apart.
void drawSide(QPainter& painter, const QLineF& line, const FrameSpec& frame, double scale) {
    if (frame.style != FrameStyle::Double) {
        painter.drawLine(line);
        return;
    }
    const QLineF normal = line.normalVector().unitVector();
    const QPointF offset = (normal.p2() - normal.p1()) * frame.width * scale;
    painter.drawLine(line.translated(-offset));
    painter.drawLine(line.translated(offset));
}

void drawFrame(QPainter& painter, const QRectF& r, const FrameSpec& frame, double scale) {
    if (frame.sides == 0)
        return;
    painter.setPen(framePen(frame, scale));
    if (frame.sides & FrameLeft)
        drawSide(painter, QLineF(r.topLeft(), r.bottomLeft()), frame, scale);
    if (frame.sides & FrameRight)
        drawSide(painter, QLineF(r.topRight(), r.bottomRight()), frame, scale);
    if (frame.sides & FrameTop)
        drawSide(painter, QLineF(r.topLeft(), r.topRight()), frame, scale);
    if (frame.sides & FrameBottom)
        drawSide(painter, QLineF(r.bottomLeft(), r.bottomRight()), frame, scale);
}

void drawText(QPainter& painter, const ReportObject& memo, const QRectF& r, const QString& text,
              double scale) {
    const QFont font = deviceFont(memo.font, scale);
    const QFontMetricsF metrics(font, painter.device());
    const double gapX = memo.gapX * scale;
    const double gapY = memo.gapY * scale;
    const double spacing = memo.lineSpacing * scale;
    const QStringList lines = wrapLines(text, metrics, r.width() - 2 * gapX, memo.wordWrap);
    const double total = lines.size() * metrics.height() + (lines.size() - 1) * spacing;
    double y = r.top() + gapY;
    if (memo.vAlign == VAlign::Bottom)
        y = r.bottom() - gapY - total;
    else if (memo.vAlign == VAlign::Center)
        y = r.top() + (r.height() - total) / 2;
    painter.setFont(font);
    painter.setPen(memo.font.color);
    for (const QString& line : lines) {
        const double width = metrics.horizontalAdvance(line);
        double x = r.left() + gapX;
        if (memo.hAlign == HAlign::Right)
            x = r.right() - gapX - width;
        else if (memo.hAlign == HAlign::Center)
            x = r.left() + (r.width() - width) / 2;
        painter.drawText(QPointF(x, y + metrics.ascent()), line);
        y += metrics.height() + spacing;
    }
}

void drawShape(QPainter& painter, const ReportObject& shape, const QRectF& r, double scale) {
    painter.setPen(framePen(shape.frame, scale));
    painter.setBrush(shape.fill.isValid() ? QBrush(shape.fill) : Qt::NoBrush);
    switch (shape.shape) {
    case ShapeKind::Rectangle:
        painter.drawRect(r);
        break;
    case ShapeKind::RoundRectangle: {
        const double radius = qMin(r.width(), r.height()) / 4;
        painter.drawRoundedRect(r, radius, radius);
        break;
    }
    case ShapeKind::Ellipse:
        painter.drawEllipse(r);
        break;
    case ShapeKind::Triangle:
        painter.drawPolygon(
            QPolygonF({QPointF(r.center().x(), r.top()), r.bottomRight(), r.bottomLeft()}));
        break;
    case ShapeKind::Diamond:
        painter.drawPolygon(
            QPolygonF({QPointF(r.center().x(), r.top()), QPointF(r.right(), r.center().y()),
                       QPointF(r.center().x(), r.bottom()), QPointF(r.left(), r.center().y())}));
        break;
    case ShapeKind::Diagonal1:
        painter.drawLine(r.bottomLeft(), r.topRight());
        break;
    case ShapeKind::Diagonal2:
        painter.drawLine(r.topLeft(), r.bottomRight());
        break;
    }
}

void paintItem(QPainter& painter, const PreparedItem& item, double scale) {
    const ReportObject& object = *item.object;
    const QRectF r = scaled(item.rect, scale);
    painter.save();
    if (item.clipBottom > 0)
        painter.setClipRect(QRectF(0, 0, 1e7, item.clipBottom * scale));
    switch (object.kind) {
    case ObjectKind::Memo:
        if (object.fill.isValid())
            painter.fillRect(r, object.fill);
        if (!item.text.isEmpty()) {
            painter.save();
            if (object.clipped)
                painter.setClipRect(r, Qt::IntersectClip);
            drawText(painter, object, r, item.text, scale);
            painter.restore();
        }
        drawFrame(painter, r, object.frame, scale);
        break;
    case ObjectKind::Line:
        painter.setPen(framePen(object.frame, scale));
        painter.drawLine(r.topLeft(), r.bottomRight());
        break;
    case ObjectKind::Shape:
        drawShape(painter, object, r, scale);
        break;
    }
    painter.restore();
}

} // namespace

void paintPage(QPainter& painter, const PreparedPage& page, double scale) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    for (const PreparedItem& item : page.items)
        paintItem(painter, item, scale);
}

} // namespace orvex
