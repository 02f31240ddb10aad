#include "storage/engine/sqltokens.h"

namespace engine {

bool SqlToken::isWord(const char* word) const {
    return kind == Word && text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
}

namespace {

bool isWordStart(QChar c) {
    return c.isLetter() || c == u'_';
}
bool isWordChar(QChar c) {
    return c.isLetterOrNumber() || c == u'_';
}

// End (exclusive) of a literal opened at `start` and closed by `quote`; a doubled quote
// stays inside. An unclosed literal runs to the end of the text.
int literalEnd(const QString& sql, int start, QChar quote, bool* closed) {
    int i = start + 1;
    while (i < sql.size()) {
        if (sql[i] == quote) {
            if (i + 1 < sql.size() && sql[i + 1] == quote) {
                i += 2;
                continue;
            }
            *closed = true;
            return i + 1;
        }
        ++i;
    }
    *closed = false;
    return sql.size();
}

int runEnd(const QString& sql, int start, bool (*inRun)(QChar)) {
    int i = start;
    while (i < sql.size() && inRun(sql[i]))
        ++i;
    return i;
}

} // namespace

SqlTokens tokenizeSql(const QString& sql) {
    SqlTokens tokens;
    int i = 0;
    while (i < sql.size()) {
        const QChar c = sql[i];
        SqlToken::Kind kind = SqlToken::Symbol;
        int end = i + 1;
        bool closed = true;
        if (c.isSpace()) {
            kind = SqlToken::Space;
            end = runEnd(sql, i, [](QChar x) { return x.isSpace(); });
        } else if (c == u'\'' || c == u'"') {
            kind = SqlToken::String;
            end = literalEnd(sql, i, c, &closed);
        } else if (c == u'#') {
            kind = SqlToken::DateLiteral;
            end = literalEnd(sql, i, c, &closed);
        } else if (c == u'[') {
            kind = SqlToken::BracketName;
            end = literalEnd(sql, i, u']', &closed);
        } else if (isWordStart(c)) {
            kind = SqlToken::Word;
            end = runEnd(sql, i, isWordChar);
        } else if (c.isDigit()) {
            kind = SqlToken::Number;
            end = runEnd(sql, i, [](QChar x) { return x.isDigit() || x == u'.'; });
        }
        tokens.append({kind, sql.mid(i, end - i), !closed});
        i = end;
    }
    return tokens;
}

int nextSolid(const SqlTokens& tokens, int from) {
    int i = from + 1;
    while (i < tokens.size() && tokens[i].kind == SqlToken::Space)
        ++i;
    return i;
}

int matchingParen(const SqlTokens& tokens, int open) {
    int depth = 0;
    for (int i = open; i < tokens.size(); ++i) {
        if (tokens[i].isSymbol(u'('))
            ++depth;
        else if (tokens[i].isSymbol(u')') && --depth == 0)
            return i;
    }
    return tokens.size();
}

} // namespace engine
