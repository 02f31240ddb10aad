#include "orvex/textmetrics.h"

#include "orvex/htmltext.h"

#include <QFontDatabase>
#include <QHash>
#include <QMutex>
#include <QPaintDevice>
#include <QStringTokenizer>
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

// Breaks a word wider than the line between characters; the rest stays in *line. Characters
// are measured one at a time, so a word of any length takes time linear in its length.
void breakLongWord(QStringView word, const TextMeasure& measure, double width, QStringList& lines,
                   QString& line, double& lineWidth) {
    qsizetype start = 0;
    double used = 0;
    qsizetype i = 0;
    while (i < word.size()) {
        int length = 1;
        // A combining mark adds nothing to its letter and stays with it.
        const double w = qMax(0.0, measure.charWidth(word, i, &length));
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
void wrapParagraph(QStringView paragraph, const TextMeasure& measure, double width,
                   QStringList& lines) {
    const double space = measure.width(u" ");
    QString line;
    double lineWidth = 0;
    bool first = true;
    for (const QStringView word : paragraph.split(u' ')) {
        const double wordWidth = measure.width(word);
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
            breakLongWord(QStringView(line), measure, width, lines, line, lineWidth);
    }
    lines << line;
}

} // namespace

QString resolveFontFamily(const QString& name, QString* note) {
    // Shared by every thread: a preview lays out in a worker while the window paints.
    static QMutex mutex;
    static QHash<QString, QString> resolved;
    static QHash<QString, QString> notes;
    const QMutexLocker lock(&mutex);
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

TextMeasure::TextMeasure(const QFont& font, const QPaintDevice* device)
    : font_(font), metrics_(font, device) {}

// A character without an advance of its own (a combining mark) is kept as a negative width:
// the line it is in is shaped whole.
double TextMeasure::width(QStringView text) const {
    double sum = 0;
    for (qsizetype i = 0; i < text.size();) {
        int length = 1;
        const double w = charWidth(text, i, &length);
        if (w < 0)
            return metrics_.horizontalAdvance(text.toString());
        sum += w;
        i += length;
    }
    return sum;
}

double TextMeasure::charWidth(QStringView text, qsizetype i, int* length) const {
    const QChar c = text[i];
    const bool pair = c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
    *length = pair ? 2 : 1;
    const char32_t code = pair ? QChar::surrogateToUcs4(c, text[i + 1]) : c.unicode();
    auto it = advances_.constFind(code);
    if (it == advances_.constEnd()) {
        const QString glyph = text.mid(i, *length).toString();
        it = advances_.insert(code, QChar::isMark(code) ? -1.0 : metrics_.horizontalAdvance(glyph));
    }
    return *it;
}

const TextMeasure& textMeasure(const FontSpec& desc, double scale, const QPaintDevice* device) {
    using Key = std::tuple<QString, int, int, double, int>;
    // One per thread: a preview lays pages out in a worker while the window paints them.
    thread_local std::map<Key, TextMeasure> cache;
    const Key key{desc.name, desc.height, desc.style, scale, device ? device->logicalDpiY() : 0};
    auto it = cache.find(key);
    if (it == cache.end())
        it = cache.emplace(key, TextMeasure(deviceFont(desc, scale), device)).first;
    return it->second;
}

QStringList wrapLines(const QString& text, const TextMeasure& measure, double width,
                      bool wordWrap) {
    QStringList lines;
    for (const QStringView paragraph : qTokenize(text, u'\n')) {
        // Most texts of a report fit their box: one sum of cached advances per paragraph.
        if (wordWrap && measure.width(paragraph) > width)
            wrapParagraph(paragraph, measure, width, lines);
        else // a text of one line keeps sharing its characters
            lines << (paragraph.size() == text.size() ? text : paragraph.toString());
    }
    return lines;
}

QStringList memoLines(const FontSpec& font, const QString& text, double width, bool wordWrap) {
    return wrapLines(text, textMeasure(font, measureScale, nullptr), width * measureScale,
                     wordWrap);
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
    const MemoLines lines = memoLineGrid(memo, text);
    return lines.count * lines.step + 2 * memo.gapY;
}

MemoLines memoLineGrid(const ReportObject& memo, const QString& text) {
    MemoLines lines;
    lines.count =
        text.isEmpty()
            ? 0
            : memoLines(memo.font, text, memo.rect.width() - 2 * memo.gapX, memo.wordWrap).size();
    lines.height = textMeasure(memo.font, measureScale, nullptr).metrics().height() / measureScale;
    lines.step = lines.height + memo.lineSpacing;
    return lines;
}

} // namespace orvex
