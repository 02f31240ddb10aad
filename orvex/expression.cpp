#include "orvex/expression.h"

namespace orvex {

namespace {

using NodePtr = std::shared_ptr<ExprNode>;

NodePtr makeNode(ExprNode::Type type, const QString& name = QString()) {
    auto node = std::make_shared<ExprNode>();
    node->type = type;
    node->name = name;
    return node;
}

bool isNameStart(QChar c) {
    return c.isLetter() || c == u'_';
}
bool isNamePart(QChar c) {
    return c.isLetterOrNumber() || c == u'_' || c == u'#';
}

class ExpressionParser {
public:
    explicit ExpressionParser(const QString& text) : s_(text) {}

    ParsedExpression parse() {
        ParsedExpression result;
        NodePtr root = orExpression();
        skipSpaces();
        if (error_.isEmpty() && pos_ < s_.size())
            fail(QStringLiteral("nečekaný znak „%1“").arg(s_[pos_]));
        if (error_.isEmpty())
            result.root = root;
        result.error = error_;
        return result;
    }

private:
    void fail(const QString& message) {
        if (error_.isEmpty())
            error_ = message;
    }

    void skipSpaces() {
        while (pos_ < s_.size() && s_[pos_].isSpace())
            ++pos_;
    }

    bool peek(QChar c) {
        skipSpaces();
        return pos_ < s_.size() && s_[pos_] == c;
    }

    bool accept(const QString& symbol) {
        skipSpaces();
        if (!QStringView(s_).mid(pos_).startsWith(symbol))
            return false;
        pos_ += symbol.size();
        return true;
    }

    // A keyword operator: the word must not continue into a longer name.
    bool acceptWord(const char* word) {
        skipSpaces();
        const QString w = QLatin1String(word);
        if (s_.mid(pos_, w.size()).compare(w, Qt::CaseInsensitive) != 0)
            return false;
        const int end = pos_ + w.size();
        if (end < s_.size() && isNamePart(s_[end]))
            return false;
        pos_ = end;
        return true;
    }

    void expect(QChar c) {
        if (!accept(QString(c)))
            fail(QStringLiteral("očekáván znak „%1“").arg(c));
    }

    NodePtr binary(const QString& op, NodePtr left, NodePtr right) {
        if (++operators_ > maxOperators)
            fail(tooComplex());
        NodePtr node = makeNode(ExprNode::Type::Binary, op);
        node->args = {left, right};
        return node;
    }

    // Parentheses, arguments and signs nest by recursion: deep nesting must end in an error,
    // not in a stack overflow, and so must a tree too deep to evaluate.
    static constexpr int maxDepth = 200;
    static constexpr int maxOperators = 2000;
    static QString tooComplex() { return QStringLiteral("výraz je příliš složitý"); }

    class Nesting {
    public:
        explicit Nesting(ExpressionParser& parser) : parser_(parser) { ++parser_.depth_; }
        ~Nesting() { --parser_.depth_; }
        Nesting(const Nesting&) = delete;
        Nesting& operator=(const Nesting&) = delete;
        bool tooDeep() const {
            if (parser_.depth_ <= maxDepth)
                return false;
            parser_.fail(tooComplex());
            return true;
        }

    private:
        ExpressionParser& parser_;
    };

    NodePtr orExpression() {
        const Nesting nesting(*this);
        if (nesting.tooDeep())
            return literal(QVariant());
        NodePtr left = andExpression();
        while (error_.isEmpty()) {
            if (acceptWord("or"))
                left = binary(QStringLiteral("or"), left, andExpression());
            else if (acceptWord("xor"))
                left = binary(QStringLiteral("xor"), left, andExpression());
            else
                break;
        }
        return left;
    }

    NodePtr andExpression() {
        NodePtr left = notExpression();
        while (error_.isEmpty() && acceptWord("and"))
            left = binary(QStringLiteral("and"), left, notExpression());
        return left;
    }

    NodePtr notExpression() {
        if (acceptWord("not")) {
            const Nesting nesting(*this);
            if (nesting.tooDeep())
                return literal(QVariant());
            NodePtr node = makeNode(ExprNode::Type::Unary, QStringLiteral("not"));
            node->args = {notExpression()};
            return node;
        }
        return relation();
    }

    NodePtr relation() {
        NodePtr left = additive();
        for (const char* op : {"<=", ">=", "<>", "=", "<", ">"}) {
            if (accept(QLatin1String(op)))
                return binary(QLatin1String(op), left, additive());
        }
        return left;
    }

    NodePtr additive() {
        NodePtr left = multiplicative();
        while (error_.isEmpty()) {
            if (accept(QStringLiteral("+")))
                left = binary(QStringLiteral("+"), left, multiplicative());
            else if (accept(QStringLiteral("-")))
                left = binary(QStringLiteral("-"), left, multiplicative());
            else
                break;
        }
        return left;
    }

    NodePtr multiplicative() {
        NodePtr left = unary();
        while (error_.isEmpty()) {
            if (accept(QStringLiteral("*")))
                left = binary(QStringLiteral("*"), left, unary());
            else if (accept(QStringLiteral("/")))
                left = binary(QStringLiteral("/"), left, unary());
            else if (acceptWord("div"))
                left = binary(QStringLiteral("div"), left, unary());
            else if (acceptWord("mod"))
                left = binary(QStringLiteral("mod"), left, unary());
            else
                break;
        }
        return left;
    }

    NodePtr unary() {
        if (accept(QStringLiteral("-"))) {
            const Nesting nesting(*this);
            if (nesting.tooDeep())
                return literal(QVariant());
            NodePtr node = makeNode(ExprNode::Type::Unary, QStringLiteral("-"));
            node->args = {unary()};
            return node;
        }
        accept(QStringLiteral("+"));
        return primary();
    }

    NodePtr literal(const QVariant& value) {
        NodePtr node = makeNode(ExprNode::Type::Literal);
        node->value = value;
        return node;
    }

    QString quoted(QChar quote) {
        QString text;
        ++pos_;
        while (pos_ < s_.size()) {
            if (s_[pos_] == quote) {
                if (pos_ + 1 < s_.size() && s_[pos_ + 1] == quote) {
                    text += quote;
                    pos_ += 2;
                    continue;
                }
                ++pos_;
                return text;
            }
            text += s_[pos_++];
        }
        fail(QStringLiteral("neukončený řetězec"));
        return text;
    }

    NodePtr number() {
        const int start = pos_;
        while (pos_ < s_.size() && (s_[pos_].isDigit() || s_[pos_] == u'.'))
            ++pos_;
        if (pos_ < s_.size() && (s_[pos_] == u'e' || s_[pos_] == u'E')) {
            ++pos_;
            if (pos_ < s_.size() && (s_[pos_] == u'+' || s_[pos_] == u'-'))
                ++pos_;
            while (pos_ < s_.size() && s_[pos_].isDigit())
                ++pos_;
        }
        const QString text = s_.mid(start, pos_ - start);
        bool ok = false;
        const qint64 whole = text.toLongLong(&ok);
        if (ok)
            return literal(whole);
        const double value = text.toDouble(&ok);
        if (!ok)
            fail(QStringLiteral("chybné číslo „%1“").arg(text));
        return literal(value);
    }

    // Pascal character codes: #13#10.
    NodePtr characterCodes() {
        QString text;
        while (pos_ < s_.size() && s_[pos_] == u'#') {
            const int start = ++pos_;
            while (pos_ < s_.size() && s_[pos_].isDigit())
                ++pos_;
            text += QChar(s_.mid(start, pos_ - start).toInt());
        }
        return literal(text);
    }

    QString name() {
        const int start = pos_;
        while (pos_ < s_.size() && isNamePart(s_[pos_]))
            ++pos_;
        return s_.mid(start, pos_ - start);
    }

    NodePtr fieldNode(const QString& dataSet, const QString& field) {
        NodePtr node = makeNode(ExprNode::Type::Field, field.trimmed());
        node->dataSet = dataSet.trimmed();
        return node;
    }

    // <Data."Field">, <Data.Field> or <Variable name>
    NodePtr reference() {
        const int close = s_.indexOf(u'>', pos_);
        if (close < 0) {
            fail(QStringLiteral("chybí znak „>“"));
            return literal(QVariant());
        }
        QString inner = s_.mid(pos_ + 1, close - pos_ - 1);
        pos_ = close + 1;
        const int dot = inner.indexOf(u'.');
        if (dot < 0)
            return makeNode(ExprNode::Type::Name, inner.trimmed());
        QString field = inner.mid(dot + 1).trimmed();
        if (field.startsWith(u'"') && field.endsWith(u'"') && field.size() >= 2)
            field = field.mid(1, field.size() - 2);
        return fieldNode(inner.left(dot), field);
    }

    NodePtr call(const QString& function) {
        NodePtr node = makeNode(ExprNode::Type::Call, function.toLower());
        if (!accept(QStringLiteral(")"))) {
            do
                node->args << orExpression();
            while (error_.isEmpty() && accept(QStringLiteral(",")));
            expect(u')');
        }
        return node;
    }

    NodePtr grouped(QChar close) {
        ++pos_;
        NodePtr inner = orExpression();
        expect(close);
        return inner;
    }

    NodePtr primary() {
        skipSpaces();
        if (pos_ >= s_.size()) {
            fail(QStringLiteral("neúplný výraz"));
            return literal(QVariant());
        }
        const QChar c = s_[pos_];
        if (c.isDigit())
            return number();
        if (c == u'\'' || c == u'"')
            return literal(quoted(c));
        if (c == u'#')
            return characterCodes();
        if (c == u'(')
            return grouped(u')');
        if (c == u'[')
            return grouped(u']');
        if (c == u'<')
            return reference();
        if (!isNameStart(c)) {
            fail(QStringLiteral("nečekaný znak „%1“").arg(c));
            return literal(QVariant());
        }
        const QString word = name();
        if (word.compare(u"true", Qt::CaseInsensitive) == 0)
            return literal(true);
        if (word.compare(u"false", Qt::CaseInsensitive) == 0)
            return literal(false);
        if (pos_ < s_.size() && s_[pos_] == u'.') {
            ++pos_;
            if (pos_ < s_.size() && s_[pos_] == u'"')
                return fieldNode(word, quoted(u'"'));
            return fieldNode(word, name());
        }
        if (peek(u'(')) {
            ++pos_;
            return call(word);
        }
        return makeNode(ExprNode::Type::Name, word);
    }

    const QString& s_;
    int pos_ = 0;
    QString error_;
    int depth_ = 0;
    int operators_ = 0;
};

} // namespace

ParsedExpression parseExpression(const QString& text) {
    return ExpressionParser(text).parse();
}

} // namespace orvex
