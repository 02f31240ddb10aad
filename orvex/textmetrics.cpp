#include "orvex/textmetrics.h"

#include "orvex/htmltext.h"

#include <QFontDatabase>
#include <QHash>
#include <QTextDocument>
#include <cmath>
#include <map>
#include <tuple>

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

// Width of the characters of a word, one at a time, so a word of any length is measured in
// time linear in its length (kerning is off, so the widths add up).
double charWidth(const QFontMetricsF& metrics, QStringView text, int i, int* length) {
    *length = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
    return metrics.horizontalAdvance(text.mid(i, *length).toString());
}

// Breaks a word wider than the line between characters; the rest stays in *line.
void breakLongWord(QStringView word, const QFontMetricsF& metrics, double width, QStringList& lines,
                   QString& line, double& lineWidth) {
    int start = 0;
    double used = 0;
    int i = 0;
    while (i < word.size()) {
        int length = 1;
        const double w = charWidth(metrics, word, i, &length);
        if (used + w > width && i > start) {
            lines << word.mid(start, i - start).toString();
            start = i;
            used = 0;
        }
        used += w;
        i += length;
    }
    line = word.mid(start).toString();
    lineWidth = used;
}

// Appends the text of one paragraph broken into lines that fit the width.
void wrapParagraph(const QString& paragraph, const QFontMetricsF& metrics, double width,
                   QStringList& lines) {
    const double space = metrics.horizontalAdvance(u' ');
    QString line;
    double lineWidth = 0;
    bool first = true;
    for (const QStringView word : QStringView(paragraph).split(u' ')) {
        const double wordWidth = metrics.horizontalAdvance(word.toString());
        if (first) {
            line = word.toString();
            lineWidth = wordWidth;
        } else if (lineWidth + space + wordWidth <= width) {
            line += u' ';
            line += word;
            lineWidth += space + wordWidth;
        } else {
            lines << line;
            line = word.toString();
            lineWidth = wordWidth;
        }
        first = false;
        if (lineWidth > width && line.size() > 1)
            breakLongWord(QStringView(line), metrics, width, lines, line, lineWidth);
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
                family = compatible; // same metrics: the layout holds, nothing to warn about
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

// Metrics of a memo style at the measuring scale, built once per style: a report measures the
// same few styles for every row.
static const QFontMetricsF& measuringMetrics(const FontSpec& desc) {
    using Key = std::tuple<QString, int, int>;
    thread_local std::map<Key, QFontMetricsF> cache;
    const Key key{desc.name, desc.height, desc.style};
    auto it = cache.find(key);
    if (it == cache.end())
        it = cache.emplace(key, QFontMetricsF(deviceFont(desc, measureScale))).first;
    return it->second;
}

double memoTextHeight(const ReportObject& memo, const QString& text) {
    if (text.isEmpty())
        return 0;
    if (memo.allowHtml) {
        QTextDocument document;
        setUpHtmlDocument(document, memo, memo.font, text, measureScale,
                          (memo.rect.width() - 2 * memo.gapX) * measureScale);
        return document.size().height() / measureScale + 2 * memo.gapY;
    }
    const MemoLines lines = memoLines(memo, text);
    return lines.count * lines.step + 2 * memo.gapY;
}

MemoLines memoLines(const ReportObject& memo, const QString& text) {
    const QFontMetricsF& metrics = measuringMetrics(memo.font);
    const double width = (memo.rect.width() - 2 * memo.gapX) * measureScale;
    MemoLines lines;
    lines.count = text.isEmpty() ? 0 : wrapLines(text, metrics, width, memo.wordWrap).size();
    lines.height = metrics.height() / measureScale;
    lines.step = lines.height + memo.lineSpacing;
    return lines;
}

} // namespace orvex
