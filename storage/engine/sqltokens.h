#pragma once
// A small lexer for SQL texts: enough to rewrite words and groups without ever looking
// inside quoted literals.

#include <QString>
#include <QVector>

namespace engine {

struct SqlToken {
    enum Kind { Space, Word, Number, String, DateLiteral, BracketName, Symbol };
    Kind kind;
    QString text;
    bool unterminated = false; // a literal or bracketed name without its closing mark
    bool isWord(const char* word) const;
    bool isSymbol(QChar c) const { return kind == Symbol && text.size() == 1 && text[0] == c; }
};

using SqlTokens = QVector<SqlToken>;

SqlTokens tokenizeSql(const QString& sql);

// Index of the next token after `from` that is not blank space (tokens.size() when none).
int nextSolid(const SqlTokens& tokens, int from);
// Index of the parenthesis closing the one at `open` (tokens.size() when unbalanced).
int matchingParen(const SqlTokens& tokens, int open);

} // namespace engine
