#include "orvex/pagepainter.h"

#include "orvex/textmetrics.h"

#include <QHash>
#include <QPainter>
#include <QPolygonF>
#include <algorithm>
#include <map>
#include <tuple>

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

// A memo style's font and metrics on one device. Building them is the dearest part of drawing
// a short text, and a report draws the same few styles thousands of times.
struct DeviceText {
    DeviceText(const QFont& f, const QPaintDevice* device) : font(f), metrics(f, device) {}
    QFont font;
    QFontMetricsF metrics;
    mutable QHash<char16_t, double> advances;

    // Width of a line. Fonts are used without kerning, so a line of plain characters is as
    // wide as its characters together; that sum comes from a cache instead of shaping.
    double width(const QString& line) const {
        double sum = 0;
        for (const QChar c : line) {
            if (c.isSurrogate() || c.isMark())
                return metrics.horizontalAdvance(line);
            auto it = advances.constFind(c.unicode());
            if (it == advances.constEnd())
                it = advances.insert(c.unicode(), metrics.horizontalAdvance(c));
            sum += *it;
        }
        return sum;
    }
};

const DeviceText& deviceText(const FontSpec& desc, double scale, const QPaintDevice* device) {
    using Key = std::tuple<QString, int, int, double, int>;
    thread_local std::map<Key, DeviceText> cache;
    const Key key{desc.name, desc.height, desc.style, scale, device->logicalDpiY()};
    auto it = cache.find(key);
    if (it == cache.end())
        it = cache.emplace(key, DeviceText(deviceFont(desc, scale), device)).first;
    return it->second;
}

// A memo's text broken into lines and placed vertically in its rectangle.
struct TextBlock {
    const DeviceText* style = nullptr;
    QStringList lines;
    double top = 0;
    double height = 0;
};

TextBlock placeText(const QPainter& painter, const ReportObject& memo, const QRectF& r,
                    const QString& text, double scale) {
    TextBlock block;
    block.style = &deviceText(memo.font, scale, painter.device());
    const QFontMetricsF& metrics = block.style->metrics;
    const double gapY = memo.gapY * scale;
    block.lines = wrapLines(text, metrics, r.width() - 2 * memo.gapX * scale, memo.wordWrap);
    block.height =
        block.lines.size() * metrics.height() + (block.lines.size() - 1) * memo.lineSpacing * scale;
    block.top = r.top() + gapY;
    if (memo.vAlign == VAlign::Bottom)
        block.top = r.bottom() - gapY - block.height;
    else if (memo.vAlign == VAlign::Center)
        block.top = r.top() + (r.height() - block.height) / 2;
    return block;
}

// Whether the text stays inside its rectangle, so that no clip has to be drawn around it.
bool fitsInside(const TextBlock& block, const ReportObject& memo, const QRectF& r, double scale) {
    const double slack = 0.5 * scale;
    if (block.top < r.top() - slack || block.top + block.height > r.bottom() + slack)
        return false;
    if (memo.wordWrap) // wrapped lines are never wider than the rectangle
        return true;
    const double width = r.width() - 2 * memo.gapX * scale + slack;
    return std::all_of(block.lines.begin(), block.lines.end(),
                       [&](const QString& line) { return block.style->width(line) <= width; });
}

void drawText(QPainter& painter, const ReportObject& memo, const QRectF& r, const TextBlock& block,
              double scale) {
    const QFontMetricsF& metrics = block.style->metrics;
    const double gapX = memo.gapX * scale;
    if (painter.font() != block.style->font)
        painter.setFont(block.style->font);
    painter.setPen(memo.font.color);
    double y = block.top;
    for (const QString& line : block.lines) {
        double x = r.left() + gapX;
        if (memo.hAlign == HAlign::Right)
            x = r.right() - gapX - block.style->width(line);
        else if (memo.hAlign == HAlign::Center)
            x = r.left() + (r.width() - block.style->width(line)) / 2;
        painter.drawText(QPointF(x, y + metrics.ascent()), line);
        y += metrics.height() + memo.lineSpacing * scale;
    }
}

void drawMemoText(QPainter& painter, const ReportObject& memo, const QRectF& r, const QString& text,
                  double scale) {
    const TextBlock block = placeText(painter, memo, r, text, scale);
    const bool clip = memo.clipped && !fitsInside(block, memo, r, scale);
    if (clip) {
        painter.save();
        painter.setClipRect(r, Qt::IntersectClip);
    }
    drawText(painter, memo, r, block, scale);
    if (clip)
        painter.restore();
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

// Pen, brush and font stay set between items: the PDF engine writes every change of state,
// so only a clip is saved and restored.
void paintItem(QPainter& painter, const PreparedItem& item, double scale) {
    const ReportObject& object = *item.object;
    const QRectF r = scaled(item.rect, scale);
    const bool cut = item.clipBottom > 0;
    if (cut) {
        painter.save();
        painter.setClipRect(QRectF(0, 0, 1e7, item.clipBottom * scale));
    }
    switch (object.kind) {
    case ObjectKind::Memo:
        if (object.fill.isValid())
            painter.fillRect(r, object.fill);
        if (!item.text.isEmpty())
            drawMemoText(painter, object, r, item.text, scale);
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
    if (cut)
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
