#include "orvex/pagepainter.h"

#include "orvex/barcode.h"
#include "orvex/htmltext.h"
#include "orvex/textmetrics.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QPolygonF>
#include <QTextDocument>
#include <algorithm>

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

// Where the first line starts for a text block of the given height.
double textTop(const ReportObject& memo, const QRectF& r, double total, double gapY) {
    if (memo.vAlign == VAlign::Bottom)
        return r.bottom() - gapY - total;
    if (memo.vAlign == VAlign::Center)
        return r.top() + (r.height() - total) / 2;
    return r.top() + gapY;
}

// A memo's text broken into lines and placed vertically in its rectangle.
struct TextBlock {
    const TextMeasure* style = nullptr;
    QStringList lines;
    double top = 0;
    double height = 0;
};

TextBlock placeText(const QPainter& painter, const ReportObject& memo, const FontSpec& font,
                    const QRectF& r, const QString& text, double scale) {
    TextBlock block;
    block.style = &textMeasure(font, scale, painter.device());
    const QFontMetricsF& metrics = block.style->metrics();
    const double gapY = memo.gapY * scale;
    block.lines = memoLines(font, text, r.width() / scale - 2 * memo.gapX, memo.wordWrap);
    block.height =
        block.lines.size() * metrics.height() + (block.lines.size() - 1) * memo.lineSpacing * scale;
    block.top = textTop(memo, r, block.height, gapY);
    return block;
}

// Whether the text stays inside its rectangle, so that no clip has to be drawn around it.
bool fitsInside(const TextBlock& block, const ReportObject& memo, const QRectF& r, double scale) {
    const double slack = 0.5 * scale;
    if (block.top < r.top() - slack || block.top + block.height > r.bottom() + slack)
        return false;
    // A line starts a gap from one edge whatever its alignment: it may reach into the other gap.
    const double width = r.width() - memo.gapX * scale + slack;
    return std::all_of(block.lines.begin(), block.lines.end(),
                       [&](const QString& line) { return block.style->width(line) <= width; });
}

void drawText(QPainter& painter, const ReportObject& memo, const FontSpec& font, const QRectF& r,
              const TextBlock& block, double scale) {
    const QFontMetricsF& metrics = block.style->metrics();
    const double gapX = memo.gapX * scale;
    if (painter.font() != block.style->font())
        painter.setFont(block.style->font());
    painter.setPen(font.color);
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

// Rich text of a memo with HTML tags; rare enough to pay for a document and a saved state.
void drawHtmlText(QPainter& painter, const ReportObject& memo, const FontSpec& font,
                  const QRectF& r, const QString& text, double scale) {
    QTextDocument document;
    document.documentLayout()->setPaintDevice(painter.device());
    setUpHtmlDocument(document, memo, font, text, scale, r.width() - 2 * memo.gapX * scale);
    painter.save();
    if (memo.clipped)
        painter.setClipRect(r, Qt::IntersectClip);
    painter.translate(r.left() + memo.gapX * scale,
                      textTop(memo, r, document.size().height(), memo.gapY * scale));
    document.drawContents(&painter);
    painter.restore();
}

void drawMemoText(QPainter& painter, const ReportObject& memo, const FontSpec& font,
                  const QRectF& r, const QString& text, double scale) {
    if (memo.allowHtml) {
        drawHtmlText(painter, memo, font, r, text, scale);
        return;
    }
    const TextBlock block = placeText(painter, memo, font, r, text, scale);
    const bool clip = memo.clipped && !fitsInside(block, memo, r, scale);
    if (clip) {
        painter.save();
        painter.setClipRect(r, Qt::IntersectClip);
    }
    drawText(painter, memo, font, r, block, scale);
    if (clip)
        painter.restore();
}

QBrush gradientBrush(const GradientSpec& gradient, const QRectF& r) {
    QGradient fill;
    switch (gradient.style) {
    case GradientStyle::Horizontal:
        fill = QLinearGradient(r.topLeft(), r.topRight());
        break;
    case GradientStyle::Vertical:
        fill = QLinearGradient(r.topLeft(), r.bottomLeft());
        break;
    case GradientStyle::HorizontalCenter:
        fill = QLinearGradient(r.topLeft(), QPointF(r.center().x(), r.top()));
        fill.setSpread(QGradient::ReflectSpread);
        break;
    case GradientStyle::VerticalCenter:
        fill = QLinearGradient(r.topLeft(), QPointF(r.left(), r.center().y()));
        fill.setSpread(QGradient::ReflectSpread);
        break;
    case GradientStyle::Elliptic:
        fill = QRadialGradient(r.center(), qMax(r.width(), r.height()) / 2);
        break;
    }
    fill.setColorAt(0, gradient.begin);
    fill.setColorAt(1, gradient.end);
    return QBrush(fill);
}

void fillBackground(QPainter& painter, const QRectF& r, const QColor& color,
                    const GradientSpec& gradient) {
    if (gradient.used)
        painter.fillRect(r, gradientBrush(gradient, r));
    else if (color.isValid())
        painter.fillRect(r, color);
}

// The picture's place in the object: stretched to the object (keeping its proportions when
// asked), or at its own size; at the top left or in the centre.
QRectF pictureRect(const ReportObject& object, const QRectF& r, double scale) {
    const QSizeF own = QSizeF(object.picture.size()) * scale;
    QSizeF size = own;
    if (object.stretched)
        size = object.keepAspectRatio ? own.scaled(r.size(), Qt::KeepAspectRatio) : r.size();
    QRectF target(r.topLeft(), size);
    if (object.center)
        target.moveCenter(r.center());
    return target;
}

void drawPicture(QPainter& painter, const ReportObject& object, const QRectF& r, double scale) {
    if (object.picture.isNull())
        return;
    painter.save();
    painter.setClipRect(r, Qt::IntersectClip);
    painter.drawImage(pictureRect(object, r, scale), object.picture);
    painter.restore();
}

void drawShape(QPainter& painter, const ReportObject& shape, const QRectF& r, double scale) {
    painter.setPen(framePen(shape.frame, scale));
    painter.setBrush(shape.gradient.used    ? gradientBrush(shape.gradient, r)
                     : shape.fill.isValid() ? QBrush(shape.fill)
                                            : QBrush(Qt::NoBrush));
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

// The object's box in the painter's turned coordinates: a quarter turn swaps its sides.
QRectF turnedBox(QPainter& painter, const QRectF& r, double rotation) {
    painter.translate(r.center());
    painter.rotate(-rotation);
    const bool sideways = qRound(rotation / 90) % 2 != 0;
    const QSizeF size = sideways ? r.size().transposed() : r.size();
    return QRectF(QPointF(-size.width() / 2, -size.height() / 2), size);
}

void paintMemo(QPainter& painter, const ReportObject& memo, const QRectF& r, const QString& text,
               double scale, int highlight) {
    const Highlight* style = highlight >= 0 && highlight < memo.highlights.size()
                                 ? &memo.highlights[highlight]
                                 : nullptr;
    fillBackground(painter, r, style && style->fill.isValid() ? style->fill : memo.fill,
                   memo.gradient);
    if (!text.isEmpty())
        drawMemoText(painter, memo, style ? style->font : memo.font, r, text, scale);
    drawFrame(painter, r, memo.frame, scale);
}

// Pen, brush and font stay set between objects: the PDF engine writes every change of state,
// so only a clip or a turn is saved and restored.
void paintUnturned(QPainter& painter, const ReportObject& object, const QRectF& r,
                   const QString& text, double scale, int highlight) {
    switch (object.kind) {
    case ObjectKind::Memo:
        paintMemo(painter, object, r, text, scale, highlight);
        break;
    case ObjectKind::Line:
        painter.setPen(framePen(object.frame, scale));
        painter.drawLine(r.topLeft(), r.bottomRight());
        break;
    case ObjectKind::Shape:
        drawShape(painter, object, r, scale);
        break;
    case ObjectKind::Picture:
        fillBackground(painter, r, object.fill, object.gradient);
        drawPicture(painter, object, r, scale);
        drawFrame(painter, r, object.frame, scale);
        break;
    case ObjectKind::Gradient:
        fillBackground(painter, r, object.fill, object.gradient);
        drawFrame(painter, r, object.frame, scale);
        break;
    case ObjectKind::Barcode:
        fillBackground(painter, r, object.fill, object.gradient);
        paintBarcode(painter, object, r, text, scale);
        drawFrame(painter, r, object.frame, scale);
        break;
    }
}

void paintItem(QPainter& painter, const PreparedItem& item, double scale) {
    const bool cut = item.clipBottom > 0 || item.clipTop > 0;
    if (cut) {
        const double bottom = item.clipBottom > 0 ? item.clipBottom : 1e7;
        painter.save();
        painter.setClipRect(QRectF(0, item.clipTop * scale, 1e7, (bottom - item.clipTop) * scale));
    }
    paintObject(painter, *item.object, item.rect, item.text, scale, item.highlight);
    if (cut)
        painter.restore();
}

} // namespace

void paintObject(QPainter& painter, const ReportObject& object, const QRectF& rect,
                 const QString& text, double scale, int highlight) {
    const QRectF r = scaled(rect, scale);
    if (object.rotation == 0) {
        paintUnturned(painter, object, r, text, scale, highlight);
        return;
    }
    painter.save();
    paintUnturned(painter, object, turnedBox(painter, r, object.rotation), text, scale, highlight);
    painter.restore();
}

void paintPage(QPainter& painter, const PreparedPage& page, double scale) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    for (const PreparedItem& item : page.items)
        paintItem(painter, item, scale);
}

} // namespace orvex
