#include "orvex/textmetrics.h"

#include <QFontDatabase>
#include <QHash>
#include <cmath>

namespace orvex {

namespace {

// Measurement scale for layout: large enough that rounding of pixel sizes does not matter.
constexpr double measureScale = 8.0;

const QString fallbackFamily = QStringLiteral("Liberation Sans");

QString metricCompatible(const QString& name) {
    static const QHash<QString, QString> families = {
        {QStringLiteral("arial"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("arial narrow"), QStringLiteral("Liberation Sans Narrow")},
        {QStringLiteral("helvetica"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("times new roman"), QStringLiteral("Liberation Serif")},
        {QStringLiteral("times"), QStringLiteral("Liberation Serif")},
        {QStringLiteral("courier new"), QStringLiteral("Liberation Mono")},
        {QStringLiteral("courier"), QStringLiteral("Liberation Mono")}};
    return families.value(name.trimmed().toLower());
}

// Appends the text of one paragraph broken into lines that fit the width.
void wrapParagraph(const QString& paragraph, const QFontMetricsF& metrics, double width,
                   QStringList& lines) {
    QString line;
    const QStringList words = paragraph.split(u' ');
    for (int w = 0; w < words.size(); ++w) {
        const QString candidate = w == 0 ? words[w] : line + u' ' + words[w];
        if (w == 0 || metrics.horizontalAdvance(candidate) <= width) {
            line = candidate;
        } else {
            lines << line;
            line = words[w];
        }
        // A word wider than the whole line is broken between characters.
        while (metrics.horizontalAdvance(line) > width && line.size() > 1) {
            int fit = line.size() - 1;
            while (fit > 1 && metrics.horizontalAdvance(line.left(fit)) > width)
                --fit;
            lines << line.left(fit);
            line = line.mid(fit);
        }
    }
    lines << line;
}

} // namespace

QString resolveFontFamily(const QString& name, QString* note) {
    static QHash<QString, QString> resolved;
    static QHash<QString, QString> notes;
    if (!resolved.contains(name)) {
        QString family = name;
        QString text;
        if (!QFontDatabase::hasFamily(name)) {
            const QString compatible = metricCompatible(name);
            if (!compatible.isEmpty() && QFontDatabase::hasFamily(compatible)) {
                family = compatible;
                text = QStringLiteral("Písmo „%1“ není nainstalováno; použito metricky shodné "
                                      "písmo „%2“.")
                           .arg(name, compatible);
            } else {
                family = fallbackFamily;
                text = QStringLiteral("Písmo „%1“ není nainstalováno; použito písmo „%2“, "
                                      "rozměry textu se mohou lišit.")
                           .arg(name, fallbackFamily);
            }
        }
        resolved.insert(name, family);
        notes.insert(name, text);
    }
    if (note)
        *note = notes.value(name);
    return resolved.value(name);
}

QFont deviceFont(const FontSpec& desc, double scale) {
    QFont font(resolveFontFamily(desc.name, nullptr));
    font.setPixelSize(qMax(1, int(std::lround(std::abs(desc.height) * scale))));
    font.setBold(desc.style & FontBold);
    font.setItalic(desc.style & FontItalic);
    font.setUnderline(desc.style & FontUnderline);
    font.setStrikeOut(desc.style & FontStrikeOut);
    font.setKerning(false);
    return font;
}

QStringList wrapLines(const QString& text, const QFontMetricsF& metrics, double width,
                      bool wordWrap) {
    QStringList lines;
    for (const QString& paragraph : text.split(u'\n')) {
        // Most texts of a report fit their box: one measurement instead of one per word.
        if (wordWrap && metrics.horizontalAdvance(paragraph) > width)
            wrapParagraph(paragraph, metrics, width, lines);
        else
            lines << paragraph;
    }
    return lines;
}

double memoTextHeight(const ReportObject& memo, const QString& text) {
    if (text.isEmpty())
        return 0;
    const QFontMetricsF metrics(deviceFont(memo.font, measureScale));
    const double width = (memo.rect.width() - 2 * memo.gapX) * measureScale;
    const int lines = wrapLines(text, metrics, width, memo.wordWrap).size();
    const double lineHeight = metrics.height() / measureScale + memo.lineSpacing;
    return lines * lineHeight + 2 * memo.gapY;
}

} // namespace orvex
