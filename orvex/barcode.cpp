#include "orvex/barcode.h"

#include "orvex/textmetrics.h"

#include <QHash>
#include <QPainter>
#include <memory>
#include <zint.h>

namespace orvex {

namespace {

int symbology(const QString& barType) {
    static const QHash<QString, int> types = {
        {QStringLiteral("bccode2_5_interleaved"), BARCODE_C25INTER},
        {QStringLiteral("bccode2_5_industrial"), BARCODE_C25IND},
        {QStringLiteral("bccode2_5_matrix"), BARCODE_C25STANDARD},
        {QStringLiteral("bccode39"), BARCODE_CODE39},
        {QStringLiteral("bccode39extended"), BARCODE_EXCODE39},
        {QStringLiteral("bccode128"), BARCODE_CODE128},
        {QStringLiteral("bccode128a"), BARCODE_CODE128},
        {QStringLiteral("bccode128b"), BARCODE_CODE128},
        {QStringLiteral("bccode128c"), BARCODE_CODE128},
        {QStringLiteral("bccode93"), BARCODE_CODE93},
        {QStringLiteral("bccode93extended"), BARCODE_CODE93},
        {QStringLiteral("bccodemsi"), BARCODE_MSI_PLESSEY},
        {QStringLiteral("bccodepostnet"), BARCODE_POSTNET},
        {QStringLiteral("bccodecodabar"), BARCODE_CODABAR},
        {QStringLiteral("bccodeean8"), BARCODE_EANX},
        {QStringLiteral("bccodeean13"), BARCODE_EANX},
        {QStringLiteral("bccodeupc_a"), BARCODE_UPCA},
        {QStringLiteral("bccodeupc_e0"), BARCODE_UPCE},
        {QStringLiteral("bccodeupc_e1"), BARCODE_UPCE},
        {QStringLiteral("bccodeean128"), BARCODE_GS1_128},
        {QStringLiteral("bccodeean128a"), BARCODE_GS1_128},
        {QStringLiteral("bccodeean128b"), BARCODE_GS1_128},
        {QStringLiteral("bccodeean128c"), BARCODE_GS1_128},
        {QStringLiteral("bccodeqr"), BARCODE_QRCODE},
        {QStringLiteral("bccodedatamatrix"), BARCODE_DATAMATRIX},
        {QStringLiteral("bccodepdf417"), BARCODE_PDF417},
        {QStringLiteral("bccodeaztec"), BARCODE_AZTEC},
        {QStringLiteral("bccodemaxicode"), BARCODE_MAXICODE}};
    return types.value(barType.trimmed().toLower(), 0);
}

struct SymbolDeleter {
    void operator()(zint_symbol* symbol) const { ZBarcode_Delete(symbol); }
};

} // namespace

EncodedBarcode encodeBarcode(const ReportObject& object, const QString& text) {
    EncodedBarcode result;
    const int type = symbology(object.barType);
    if (type == 0) {
        result.error = QStringLiteral("druh kódu %1 není podporován").arg(object.barType);
        return result;
    }
    if (text.isEmpty())
        return result;
    std::unique_ptr<zint_symbol, SymbolDeleter> symbol(ZBarcode_Create());
    symbol->symbology = type;
    symbol->input_mode = UNICODE_MODE;
    symbol->show_hrt = 0;
    const QByteArray utf8 = text.toUtf8();
    const int status = ZBarcode_Encode(
        symbol.get(), reinterpret_cast<const unsigned char*>(utf8.constData()), int(utf8.size()));
    if (status >= ZINT_ERROR || ZBarcode_Buffer_Vector(symbol.get(), 0) >= ZINT_ERROR) {
        result.error = QStringLiteral("text „%1“ nelze zakódovat (%2)")
                           .arg(text, QString::fromLatin1(symbol->errtxt));
        return result;
    }
    for (const zint_vector_rect* r = symbol->vector->rectangles; r; r = r->next)
        if (r->colour == -1 || r->colour == 7) // foreground or black
            result.modules.addRect(r->x, r->y, r->width, r->height);
    for (const zint_vector_hexagon* h = symbol->vector->hexagons; h; h = h->next)
        result.modules.addEllipse(QPointF(h->x, h->y), h->diameter / 2, h->diameter / 2);
    result.size = QSizeF(symbol->vector->width, symbol->vector->height);
    // Touching modules merged into one outline: separate squares leave hairline seams where a
    // viewer smooths their edges.
    result.modules.setFillRule(Qt::WindingFill);
    result.modules = result.modules.simplified();
    return result;
}

void paintBarcode(QPainter& painter, const ReportObject& object, const QRectF& r,
                  const QString& text, double scale) {
    const EncodedBarcode code = encodeBarcode(object, text);
    if (code.modules.isEmpty() || code.size.isEmpty())
        return;
    QRectF bars = r;
    if (object.showText && !object.twoDimensional) {
        const TextMeasure& measure = textMeasure(object.font, scale, painter.device());
        const QFontMetricsF& metrics = measure.metrics();
        bars.setBottom(r.bottom() - metrics.height());
        painter.setFont(measure.font());
        painter.setPen(object.font.color);
        painter.drawText(QRectF(r.left(), bars.bottom(), r.width(), metrics.height()),
                         Qt::AlignHCenter | Qt::AlignTop, text);
    }
    double sx = bars.width() / code.size.width();
    double sy = bars.height() / code.size.height();
    if (object.twoDimensional)
        sx = sy = qMin(sx, sy);
    QTransform transform;
    transform.translate(bars.left(), bars.top());
    transform.scale(sx, sy);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.drawPath(transform.map(code.modules));
}

} // namespace orvex
