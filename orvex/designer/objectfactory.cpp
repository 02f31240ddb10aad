#include "orvex/designer/objectfactory.h"

#include "orvex/model.h"

#include <QBuffer>

namespace orvex::designer {

namespace {

const QString amountPattern = QStringLiteral("#,##0.00");
const QString datePattern = QStringLiteral("d.m.yyyy");

XmlNodePtr newElement(const TemplateDocument& document, const QString& type, const QString& stem,
                      const QRectF& rect) {
    XmlNodePtr element = XmlNode::element(type);
    element->setAttribute(QStringLiteral("Name"), document.uniqueName(stem));
    element->setAttribute(QStringLiteral("Left"), formatNumber(rect.left()));
    element->setAttribute(QStringLiteral("Top"), formatNumber(rect.top()));
    element->setAttribute(QStringLiteral("Width"), formatNumber(rect.width()));
    element->setAttribute(QStringLiteral("Height"), formatNumber(rect.height()));
    return element;
}

QRectF mmRect(const QPointF& at, double widthMm, double heightMm) {
    return QRectF(at, QSizeF(widthMm * pixelsPerMm, heightMm * pixelsPerMm));
}

XmlNodePtr newMemo(const TemplateDocument& document, const QRectF& rect, const QString& text) {
    XmlNodePtr memo =
        newElement(document, QStringLiteral("TfrxMemoView"), QStringLiteral("Memo"), rect);
    memo->setAttribute(QStringLiteral("Font.Charset"), QStringLiteral("238"));
    memo->setAttribute(QStringLiteral("Font.Color"), QStringLiteral("0"));
    memo->setAttribute(QStringLiteral("Font.Height"), QStringLiteral("-13"));
    memo->setAttribute(QStringLiteral("Font.Name"), QStringLiteral("Arial"));
    memo->setAttribute(QStringLiteral("Font.Style"), QStringLiteral("0"));
    memo->setAttribute(QStringLiteral("ParentFont"), QStringLiteral("False"));
    memo->setAttribute(QStringLiteral("Text"), text);
    return memo;
}

XmlNodePtr newShape(const TemplateDocument& document, const QPointF& at, const char* shape) {
    XmlNodePtr element = newElement(document, QStringLiteral("TfrxShapeView"),
                                    QStringLiteral("Shape"), mmRect(at, 30, 15));
    element->setAttribute(QStringLiteral("Shape"), QString::fromLatin1(shape));
    return element;
}

XmlNodePtr newBarcode(const TemplateDocument& document, const QPointF& at, bool twoDimensional) {
    XmlNodePtr element = twoDimensional ? newElement(document, QStringLiteral("TfrxBarcode2DView"),
                                                     QStringLiteral("QRCode"), mmRect(at, 25, 25))
                                        : newElement(document, QStringLiteral("TfrxBarCodeView"),
                                                     QStringLiteral("BarCode"), mmRect(at, 50, 15));
    element->setAttribute(QStringLiteral("BarType"), twoDimensional ? QStringLiteral("bcCodeQR")
                                                                    : QStringLiteral("bcCode128"));
    element->setAttribute(QStringLiteral("Rotation"), QStringLiteral("0"));
    element->setAttribute(QStringLiteral("ShowText"),
                          twoDimensional ? QStringLiteral("False") : QStringLiteral("True"));
    element->setAttribute(QStringLiteral("Text"), QStringLiteral("12345678"));
    return element;
}

} // namespace

XmlNodePtr createObject(const TemplateDocument& document, NewObject kind, const QPointF& at) {
    switch (kind) {
    case NewObject::Text:
        return newMemo(document, mmRect(at, 40, 5), QStringLiteral("Text"));
    case NewObject::Line: {
        XmlNodePtr line = newElement(document, QStringLiteral("TfrxLineView"),
                                     QStringLiteral("Line"), mmRect(at, 50, 0));
        line->setAttribute(QStringLiteral("Frame.Typ"), QStringLiteral("4"));
        return line;
    }
    case NewObject::Rectangle:
        return newShape(document, at, "skRectangle");
    case NewObject::RoundRectangle:
        return newShape(document, at, "skRoundRectangle");
    case NewObject::Ellipse:
        return newShape(document, at, "skEllipse");
    case NewObject::Barcode:
        return newBarcode(document, at, false);
    case NewObject::QrCode:
        return newBarcode(document, at, true);
    }
    return {};
}

XmlNodePtr createFieldMemo(const TemplateDocument& document, const FieldEntry& field,
                           const QPointF& at) {
    const double widthMm = field.kind == ValueKind::Text ? 40 : 25;
    XmlNodePtr memo = newMemo(document, mmRect(at, widthMm, 5), u'[' + field.expression + u']');
    AttributeValues values;
    if (field.kind == ValueKind::Amount) {
        values = displayFormatValues(amountPattern);
        values.append({QStringLiteral("HAlign"), QStringLiteral("haRight")});
    } else if (field.kind == ValueKind::Date) {
        values = displayFormatValues(datePattern);
        values.append({QStringLiteral("HAlign"), QStringLiteral("haCenter")});
    }
    for (const auto& [key, value] : values)
        memo->setAttribute(key, value);
    return memo;
}

XmlNodePtr createPicture(const TemplateDocument& document, const QImage& image, const QPointF& at) {
    const QSizeF size = image.size().scaled(QSize(200, 100), Qt::KeepAspectRatio);
    XmlNodePtr picture = newElement(document, QStringLiteral("TfrxPictureView"),
                                    QStringLiteral("Picture"), QRectF(at, size));
    picture->setAttribute(QStringLiteral("Center"), QStringLiteral("False"));
    picture->setAttribute(QStringLiteral("KeepAspectRatio"), QStringLiteral("True"));
    picture->setAttribute(QStringLiteral("Stretched"), QStringLiteral("True"));
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    // The stored picture names its graphic class first, length-prefixed.
    const QByteArray className("TPngImage");
    const QByteArray data = char(className.size()) + className + png;
    picture->setAttribute(QStringLiteral("Picture.PropData"),
                          QString::fromLatin1(data.toHex().toUpper()));
    return picture;
}

AttributeValues displayFormatValues(const QString& pattern) {
    const QString formatKey = QStringLiteral("DisplayFormat.FormatStr");
    const QString kindKey = QStringLiteral("DisplayFormat.Kind");
    if (pattern.isEmpty())
        return {{formatKey, QString()}, {kindKey, QString()}};
    const bool date = pattern.contains(u'd', Qt::CaseInsensitive) ||
                      pattern.contains(u'y', Qt::CaseInsensitive) ||
                      pattern.contains(u'h', Qt::CaseInsensitive);
    return {{formatKey, pattern},
            {kindKey, date ? QStringLiteral("fkDateTime") : QStringLiteral("fkNumeric")}};
}

} // namespace orvex::designer
