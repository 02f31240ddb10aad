#include "storage/engine/jetsql.h"

#include "storage/engine/jetliteral.h"
#include "storage/engine/sqltokens.h"

#include <QDate>
#include <QStringList>

namespace engine {

const QSet<QString>& defaultCurrencyColumns() {
    static const QSet<QString> columns{QStringLiteral("zaklad"), QStringLiteral("dph"),
                                       QStringLiteral("celkem")};
    return columns;
}

namespace {

// #yyyy-mm-dd# (or Jet's #m/d/yyyy#) becomes the stored ISO text 'yyyy-mm-dd'. Anything else
// stays as typed and the database rejects it.
QString dateLiteral(const QString& literal) {
    const QString inner = literal.mid(1, literal.size() - 2).trimmed();
    QDate date = QDate::fromString(inner, QStringLiteral("yyyy-M-d"));
    if (!date.isValid())
        date = QDate::fromString(inner, QStringLiteral("M/d/yyyy"));
    return date.isValid() ? u'\'' + date.toString(Qt::ISODate) + u'\'' : literal;
}

bool isQuoted(const SqlToken& token) {
    return token.kind == SqlToken::String || token.kind == SqlToken::DateLiteral ||
           token.kind == SqlToken::BracketName;
}

// Puts " LIMIT n" before the trailing blanks and semicolon of a scope.
QString withLimit(const QString& text, const QString& limit) {
    int end = text.size();
    while (end > 0 && (text[end - 1].isSpace() || text[end - 1] == u';'))
        --end;
    return text.left(end) + QStringLiteral(" LIMIT ") + limit + text.mid(end);
}

class Translator {
public:
    Translator(const SqlTokens& tokens, const QSet<QString>& currency)
        : t_(tokens), currency_(currency) {}

    QString run() {
        const int first = nextSolid(t_, -1);
        if (first < t_.size() && t_[first].isWord("CREATE")) {
            const int second = nextSolid(t_, first);
            if (second < t_.size() && t_[second].isWord("TABLE"))
                return createTable(second);
        }
        return scope(0, t_.size());
    }

private:
    const SqlTokens& t_;
    const QSet<QString>& currency_;

    bool isSolid(int i, const char* word) const { return i < t_.size() && t_[i].isWord(word); }

    // Translates [from, to) as one query scope; TOP n of its SELECT becomes LIMIT n at its end.
    QString scope(int from, int to) {
        QString out;
        QString limit;
        int i = from;
        while (i < to) {
            const SqlToken& token = t_[i];
            if (token.isSymbol(u'(')) {
                const int close = qMin(matchingParen(t_, i), to);
                out += u'(' + scope(i + 1, close) + (close < to ? QStringLiteral(")") : QString());
                i = close + 1;
            } else if (token.kind == SqlToken::Word && functionCall(i, to, out)) {
                continue;
            } else if (token.isWord("SELECT")) {
                i = select(i, to, out, limit);
            } else {
                out += plain(i);
                ++i;
            }
        }
        // A LIMIT after an unclosed literal would land inside it; such a text fails anyway.
        const bool openLiteral = to == t_.size() && !t_.isEmpty() && t_.last().unterminated;
        return limit.isEmpty() || openLiteral ? out : withLimit(out, limit);
    }

    bool quotedAt(int i) const { return i >= 0 && i < t_.size() && isQuoted(t_[i]); }

    QString plain(int i) const {
        const SqlToken& token = t_[i];
        if (token.unterminated)
            return token.text;
        QString text;
        if (token.kind == SqlToken::DateLiteral)
            text = dateLiteral(token.text);
        else if (token.kind == SqlToken::BracketName)
            text = quotedName(token.text.mid(1, token.text.size() - 2));
        else
            return token.text;
        // Blanks keep a rewritten literal from merging with a neighbouring one.
        if (text != token.text) {
            if (quotedAt(i - 1))
                text.prepend(u' ');
            if (quotedAt(i + 1))
                text.append(u' ');
        }
        return text;
    }

    // SELECT [DISTINCT] TOP n: drops "TOP n" and remembers n for the scope's end.
    int select(int i, int to, QString& out, QString& limit) {
        int next = nextSolid(t_, i);
        int keepUntil = i + 1;
        if (isSolid(next, "DISTINCT")) {
            keepUntil = next + 1;
            next = nextSolid(t_, next);
        }
        const int count = nextSolid(t_, next);
        if (next < to && t_[next].isWord("TOP") && count < to &&
            t_[count].kind == SqlToken::Number) {
            for (int k = i; k < keepUntil; ++k)
                out += t_[k].text;
            limit = t_[count].text;
            return count + 1;
        }
        out += t_[i].text;
        return i + 1;
    }

    QStringList arguments(int open, int close) {
        QStringList args;
        int start = open + 1;
        int depth = 0;
        for (int k = open + 1; k < close; ++k) {
            if (t_[k].isSymbol(u'('))
                ++depth;
            else if (t_[k].isSymbol(u')'))
                --depth;
            else if (depth == 0 && t_[k].isSymbol(u',')) {
                args << scope(start, k).trimmed();
                start = k + 1;
            }
        }
        args << scope(start, close).trimmed();
        return args;
    }

    // Left/Right/Len and exact currency sums; true when the call at `i` was rewritten.
    bool functionCall(int& i, int to, QString& out) {
        const int open = nextSolid(t_, i);
        if (open >= to || !t_[open].isSymbol(u'('))
            return false;
        const int close = matchingParen(t_, open);
        if (close >= to)
            return false;
        const SqlToken& name = t_[i];
        QString rewritten;
        if (name.isWord("Left") || name.isWord("Right") || name.isWord("Len")) {
            const QStringList args = arguments(open, close);
            if (name.isWord("Len") && args.size() == 1)
                rewritten = QStringLiteral("length(%1)").arg(args[0]);
            else if (name.isWord("Left") && args.size() == 2)
                rewritten = QStringLiteral("substr(%1, 1, %2)").arg(args[0], args[1]);
            else if (name.isWord("Right") && args.size() == 2)
                rewritten = QStringLiteral("substr(%1, -(%2), %2)").arg(args[0], args[1]);
        } else if (name.isWord("SUM")) {
            const int column = nextSolid(t_, open);
            if (column < close && nextSolid(t_, column) == close &&
                t_[column].kind == SqlToken::Word && currency_.contains(t_[column].text.toLower()))
                rewritten = QStringLiteral("(SUM(CAST(round(%1 * 10000) AS INTEGER)) / 10000.0)")
                                .arg(t_[column].text);
        }
        if (rewritten.isEmpty())
            return false;
        out += rewritten;
        i = close + 1;
        return true;
    }

    // CREATE TABLE T ( defs ): Jet column types become SQLite's, text limits become checks.
    QString createTable(int tableWord) {
        int open = tableWord + 1;
        while (open < t_.size() && !t_[open].isSymbol(u'('))
            ++open;
        const int close = matchingParen(t_, open);
        QString out = scope(0, open) + u'(';
        int start = open + 1;
        QStringList defs;
        int depth = 0;
        for (int k = open + 1; k <= close && k < t_.size(); ++k) {
            if (k == close || (depth == 0 && t_[k].isSymbol(u','))) {
                defs << columnDefinition(start, k);
                start = k + 1;
            } else if (t_[k].isSymbol(u'(')) {
                ++depth;
            } else if (t_[k].isSymbol(u')')) {
                --depth;
            }
        }
        out += defs.join(u',');
        if (close < t_.size())
            out += u')' + scope(close + 1, t_.size());
        return out;
    }

    QString columnDefinition(int from, int to) {
        const int nameAt = nextSolid(t_, from - 1);
        QString text;
        QString check;
        for (int k = from; k < to; ++k) {
            if (t_[k].isWord("INT") && isSolid(nextSolid(t_, k), "IDENTITY")) {
                text += QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT");
                k = skipIdentityClause(k, to);
                continue;
            }
            if (t_[k].isWord("VARCHAR") && nameAt < to) {
                const int open = nextSolid(t_, k);
                const int size = nextSolid(t_, open);
                if (open < to && t_[open].isSymbol(u'(') && size < to)
                    check = QStringLiteral(" CHECK (length(%1) <= %2)")
                                .arg(t_[nameAt].text, t_[size].text);
            }
            text += plain(k);
        }
        if (check.isEmpty())
            return text;
        int end = text.size();
        while (end > 0 && text[end - 1].isSpace())
            --end;
        return text.left(end) + check + text.mid(end);
    }

    // Last token of "INT IDENTITY (1, 1) [NOT FOR REPLICATION] PRIMARY KEY".
    int skipIdentityClause(int k, int to) {
        int last = k;
        for (int j = k; j < to; ++j) {
            if (t_[j].isWord("KEY"))
                return j;
            last = j;
        }
        return last;
    }
};

} // namespace

QString translateJetSql(const QString& jetSql, const QSet<QString>& currencyColumns) {
    const SqlTokens tokens = tokenizeSql(jetSql);
    return Translator(tokens, currencyColumns).run();
}

} // namespace engine
