#include "orvex/templatebytes.h"

#include "storage/engine/win1250.h"

#include <QRegularExpression>

namespace orvex {

namespace {

// An undefined byte reads as the replacement character.
constexpr QChar undefinedByte = QChar::ReplacementCharacter;

QChar windows1250Char(unsigned char byte) {
    return engine::win1250Char(byte, undefinedByte);
}

bool isContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// Length of the valid UTF-8 sequence starting at i, 0 when the bytes there are not one.
int validUtf8Length(const QByteArray& bytes, int i) {
    const auto at = [&](int k) { return static_cast<unsigned char>(bytes[k]); };
    const unsigned char lead = at(i);
    int length = 0;
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF)
        length = 3;
    else if (lead >= 0xF0 && lead <= 0xF4)
        length = 4;
    else
        return 0;
    if (i + length > bytes.size())
        return 0;
    for (int k = 1; k < length; ++k)
        if (!isContinuation(at(i + k)))
            return 0;
    const unsigned char second = at(i + 1);
    // Overlong forms, surrogates and code points above U+10FFFF.
    if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second > 0x9F) ||
        (lead == 0xF0 && second < 0x90) || (lead == 0xF4 && second > 0x8F))
        return 0;
    return length;
}

QString declaredEncoding(const QByteArray& raw) {
    static const QRegularExpression declaration(
        QStringLiteral(R"(^\s*<\?xml[^>]*encoding\s*=\s*["']([^"']+)["'])"));
    const auto match = declaration.match(QString::fromLatin1(raw.left(200)));
    return match.hasMatch() ? match.captured(1).toLower() : QString();
}

QString withDeclaredUtf8(QString text) {
    static const QRegularExpression encoding(QStringLiteral(R"(encoding\s*=\s*["'][^"']*["'])"));
    const int end = text.indexOf(QStringLiteral("?>"));
    if (text.trimmed().startsWith(QStringLiteral("<?xml")) && end > 0) {
        QString head = text.left(end);
        head.replace(encoding, QStringLiteral("encoding=\"utf-8\""));
        text = head + text.mid(end);
    }
    return text;
}

// Offset just past the report's start tag ("<TfrxReport ...>"), 0 when there is none.
int rootTagEnd(const QByteArray& raw) {
    const int start = raw.indexOf("<TfrxReport");
    if (start < 0)
        return 0;
    char quote = 0;
    for (int i = start; i < raw.size(); ++i) {
        const char c = raw[i];
        if (quote)
            quote = c == quote ? 0 : quote;
        else if (c == '"' || c == '\'')
            quote = c;
        else if (c == '>')
            return i + 1;
    }
    return raw.size();
}

// End of a comment, CDATA section or processing instruction starting at i; -1 for a tag.
int specialEnd(const QString& text, int i) {
    static const std::pair<const char*, const char*> kinds[] = {
        {"<!--", "-->"}, {"<![CDATA[", "]]>"}, {"<?", "?>"}, {"<!", ">"}};
    for (const auto& [open, close] : kinds) {
        if (QStringView(text).mid(i).startsWith(QLatin1String(open))) {
            const int end = text.indexOf(QLatin1String(close), i);
            return end < 0 ? text.size() : end + int(qstrlen(close));
        }
    }
    return -1;
}

// A "<" inside an attribute value (older designers wrote report names so) as "&lt;".
bool escapeLessThanInValues(QString& text) {
    QString out;
    bool changed = false;
    bool inTag = false;
    QChar quote;
    int i = 0;
    while (i < text.size()) {
        const QChar c = text[i];
        if (!inTag && c == u'<') {
            const int end = specialEnd(text, i);
            if (end >= 0) {
                out += QStringView(text).mid(i, end - i);
                i = end;
                continue;
            }
            inTag = true;
        } else if (inTag && quote.isNull()) {
            if (c == u'"' || c == u'\'')
                quote = c;
            else if (c == u'>')
                inTag = false;
        } else if (inTag && c == quote) {
            quote = QChar();
        } else if (inTag && c == u'<') {
            out += QLatin1String("&lt;");
            changed = true;
            ++i;
            continue;
        }
        out += c;
        ++i;
    }
    if (changed)
        text = out;
    return changed;
}

} // namespace

RepairedTemplate repairTemplateBytes(const QByteArray& raw) {
    RepairedTemplate result;
    QString text;
    const QString encoding = declaredEncoding(raw);
    if (encoding == QLatin1String("windows-1250") || encoding == QLatin1String("cp1250")) {
        text = engine::decodeWin1250(raw, undefinedByte);
    } else {
        text.reserve(raw.size());
        const int headerEnd = rootTagEnd(raw);
        int i = raw.startsWith("\xEF\xBB\xBF") ? 3 : 0;
        while (i < raw.size()) {
            const int length = validUtf8Length(raw, i);
            if (length > 0) {
                text += QString::fromUtf8(raw.constData() + i, length);
                i += length;
            } else {
                text += windows1250Char(static_cast<unsigned char>(raw[i]));
                (i < headerEnd ? result.decodedInHeader : result.decodedInContent) = true;
                ++i;
            }
        }
    }
    // An "&" that starts no entity or character reference is a literal ampersand.
    static const QRegularExpression bareAmpersand(
        QStringLiteral("&(?!(?:[A-Za-z_][A-Za-z0-9._-]*|#[0-9]+|#x[0-9A-Fa-f]+);)"));
    if (text.contains(bareAmpersand)) {
        text.replace(bareAmpersand, QStringLiteral("&amp;"));
        result.escapedAmpersands = true;
    }
    result.escapedLessThan = escapeLessThanInValues(text);
    result.utf8 = withDeclaredUtf8(text).toUtf8();
    return result;
}

} // namespace orvex
