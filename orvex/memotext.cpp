#include "orvex/memotext.h"

namespace orvex {

namespace {

// Index of the delimiter that closes the expression opened before `from`, -1 when none.
int closingDelimiter(const QString& text, int from, const QString& open, const QString& close) {
    int depth = 1;
    QChar quote;
    for (int i = from; i < text.size(); ++i) {
        const QChar c = text[i];
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            continue;
        }
        if (c == u'\'' || c == u'"') {
            quote = c;
        } else if (open != close && QStringView(text).mid(i).startsWith(open)) {
            ++depth;
        } else if (QStringView(text).mid(i).startsWith(close) && --depth == 0) {
            return i;
        }
    }
    return -1;
}

} // namespace

QVector<TextPiece> splitMemoText(const QString& text, const QString& open, const QString& close) {
    QVector<TextPiece> pieces;
    QString literal;
    int i = 0;
    while (i < text.size()) {
        const int start = text.indexOf(open, i);
        const int end = start < 0 ? -1 : closingDelimiter(text, start + open.size(), open, close);
        if (end < 0) {
            literal += text.mid(i);
            break;
        }
        literal += text.mid(i, start - i);
        if (!literal.isEmpty())
            pieces << TextPiece{literal, false, {}};
        literal.clear();
        TextPiece piece;
        piece.isExpression = true;
        piece.text = text.mid(start + open.size(), end - start - open.size());
        piece.parsed = parseExpression(piece.text);
        pieces << piece;
        i = end + close.size();
    }
    if (!literal.isEmpty())
        pieces << TextPiece{literal, false, {}};
    return pieces;
}

} // namespace orvex
