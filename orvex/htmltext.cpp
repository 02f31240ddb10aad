#include "orvex/htmltext.h"

#include "orvex/attributes.h"
#include "orvex/textmetrics.h"

#include <QRegularExpression>
#include <QTextDocument>
#include <QTextOption>

namespace orvex {

namespace {

QString escaped(QStringView text) {
    return text.toString().toHtmlEscaped();
}

QString attributeValue(const QString& tag, const QString& name) {
    const QRegularExpression pattern(name + QStringLiteral(R"(\s*=\s*["']?([^"'\s>]+))"),
                                     QRegularExpression::CaseInsensitiveOption);
    return pattern.match(tag).captured(1);
}

QString fontTag(const QString& tag, double scale) {
    QString style;
    QString color = attributeValue(tag, QStringLiteral("color"));
    if (color.startsWith(QLatin1String("cl"), Qt::CaseInsensitive) ||
        (!color.isEmpty() && color.front().isDigit()))
        color = parseColor(color).name();
    if (!color.isEmpty())
        style += QStringLiteral("color:%1;").arg(color);
    bool ok = false;
    const double points = attributeValue(tag, QStringLiteral("size")).toDouble(&ok);
    if (ok && points > 0)
        style += QStringLiteral("font-size:%1px;").arg(qRound(points * 96.0 / 72.0 * scale));
    return QStringLiteral("<span style=\"%1\">").arg(style);
}

// The Qt form of one tag, empty when it is no formatting tag.
QString convertedTag(const QString& tag, double scale) {
    static const QRegularExpression namePattern(QStringLiteral(R"(^<\s*(/?)\s*([a-zA-Z]+))"));
    const auto match = namePattern.match(tag);
    if (!match.hasMatch())
        return {};
    const bool closing = !match.captured(1).isEmpty();
    const QString name = match.captured(2).toLower();
    static const QStringList simple = {"b", "i", "u", "s", "sub", "sup"};
    if (simple.contains(name))
        return QStringLiteral("<%1%2>").arg(closing ? "/" : "", name);
    if (name == QLatin1String("br"))
        return QStringLiteral("<br/>");
    if (name == QLatin1String("font"))
        return closing ? QStringLiteral("</span>") : fontTag(tag, scale);
    return {};
}

} // namespace

QString richTextOf(const QString& text, double scale) {
    QString html = QStringLiteral("<body style=\"white-space:pre-wrap\">");
    int i = 0;
    while (i < text.size()) {
        const int open = text.indexOf(u'<', i);
        const int close = open < 0 ? -1 : text.indexOf(u'>', open);
        if (close < 0) {
            html += escaped(QStringView(text).mid(i));
            break;
        }
        html += escaped(QStringView(text).mid(i, open - i));
        const QString tag = text.mid(open, close - open + 1);
        const QString converted = convertedTag(tag, scale);
        html += converted.isEmpty() ? escaped(tag) : converted;
        i = close + 1;
    }
    return html + QStringLiteral("</body>");
}

void setUpHtmlDocument(QTextDocument& document, const ReportObject& memo, const FontSpec& font,
                       const QString& text, double scale, double width) {
    document.setDocumentMargin(0);
    document.setDefaultFont(deviceFont(font, scale));
    QTextOption option;
    option.setWrapMode(memo.wordWrap ? QTextOption::WrapAtWordBoundaryOrAnywhere
                                     : QTextOption::NoWrap);
    option.setAlignment(memo.hAlign == HAlign::Right    ? Qt::AlignRight
                        : memo.hAlign == HAlign::Center ? Qt::AlignHCenter
                        : memo.hAlign == HAlign::Block  ? Qt::AlignJustify
                                                        : Qt::AlignLeft);
    document.setDefaultTextOption(option);
    document.setDefaultStyleSheet(QStringLiteral("body { color: %1; }").arg(font.color.name()));
    document.setHtml(richTextOf(text, scale));
    document.setTextWidth(width);
}

} // namespace orvex
