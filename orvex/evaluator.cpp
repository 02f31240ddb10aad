#include "orvex/evaluator.h"

#include "orvex/valueformat.h"

#include <QCollator>
#include <QDate>
#include <QHash>
#include <cmath>
#include <functional>
#include <limits>

namespace orvex {

namespace {

using Values = QVector<QVariant>;
using Function = std::function<QVariant(const Values&)>;

double toNumber(const QVariant& value) {
    if (value.typeId() == QMetaType::QString)
        return QString(value.toString()).replace(u',', u'.').toDouble();
    return value.toDouble();
}

// A number cut to a whole one; values beyond 64 bits stop at its limits.
qint64 truncated(double value) {
    if (std::isnan(value))
        return 0;
    if (value >= 9.2233720368547758e18)
        return std::numeric_limits<qint64>::max();
    if (value <= -9.2233720368547758e18)
        return std::numeric_limits<qint64>::min();
    return qint64(value);
}

qint64 wholeNumber(const QVariant& v) {
    if (v.typeId() == QMetaType::LongLong || v.typeId() == QMetaType::Int)
        return v.toLongLong();
    return truncated(toNumber(v));
}

// Round and Trunc give whole numbers while they fit 64 bits, floating-point ones beyond.
QVariant wholeOrFloat(double value) {
    if (std::fabs(value) < 9.2e18)
        return qint64(value);
    return value;
}

bool isInteger(const QVariant& v) {
    return v.typeId() == QMetaType::LongLong || v.typeId() == QMetaType::Int ||
           v.typeId() == QMetaType::Bool || !v.isValid();
}

bool isText(const QVariant& v) {
    return v.typeId() == QMetaType::QString;
}

QString text(const QVariant& v) {
    return plainValueText(v);
}

QString arg(const Values& args, int i) {
    return i < args.size() ? text(args[i]) : QString();
}
double num(const Values& args, int i) {
    return i < args.size() ? toNumber(args[i]) : 0;
}

const QHash<QString, Function>& functions() {
    static const QHash<QString, Function> table = {
        {QStringLiteral("formatfloat"),
         [](const Values& a) { return formatFloat(arg(a, 0), num(a, 1)); }},
        {QStringLiteral("format"),
         [](const Values& a) { return formatDelphi(arg(a, 0), a.value(1)); }},
        {QStringLiteral("formatdatetime"),
         [](const Values& a) { return formatDateTime(arg(a, 0), a.value(1).toDateTime()); }},
        {QStringLiteral("round"),
         [](const Values& a) { return wholeOrFloat(std::round(num(a, 0))); }},
        {QStringLiteral("trunc"),
         [](const Values& a) { return wholeOrFloat(std::trunc(num(a, 0))); }},
        {QStringLiteral("int"), [](const Values& a) { return std::trunc(num(a, 0)); }},
        {QStringLiteral("frac"), [](const Values& a) { return num(a, 0) - std::trunc(num(a, 0)); }},
        {QStringLiteral("abs"),
         [](const Values& a) {
             const qint64 whole = a.value(0).toLongLong();
             return isInteger(a.value(0)) && whole != std::numeric_limits<qint64>::min()
                        ? QVariant(qAbs(whole))
                        : QVariant(std::fabs(num(a, 0)));
         }},
        {QStringLiteral("inttostr"), [](const Values& a) { return arg(a, 0); }},
        {QStringLiteral("strtoint"), [](const Values& a) { return wholeNumber(a.value(0)); }},
        {QStringLiteral("strtofloat"), [](const Values& a) { return num(a, 0); }},
        {QStringLiteral("yearof"),
         [](const Values& a) { return qint64(a.value(0).toDate().year()); }},
        {QStringLiteral("monthof"),
         [](const Values& a) { return qint64(a.value(0).toDate().month()); }},
        {QStringLiteral("dayof"),
         [](const Values& a) { return qint64(a.value(0).toDate().day()); }},
        {QStringLiteral("floattostr"), [](const Values& a) { return text(num(a, 0)); }},
        {QStringLiteral("datetostr"), [](const Values& a) { return text(a.value(0).toDate()); }},
        {QStringLiteral("uppercase"), [](const Values& a) { return arg(a, 0).toUpper(); }},
        {QStringLiteral("lowercase"), [](const Values& a) { return arg(a, 0).toLower(); }},
        {QStringLiteral("trim"), [](const Values& a) { return arg(a, 0).trimmed(); }},
        {QStringLiteral("length"), [](const Values& a) { return qint64(arg(a, 0).size()); }},
        {QStringLiteral("copy"),
         [](const Values& a) {
             return arg(a, 0).mid(qMax(0, int(num(a, 1)) - 1), int(num(a, 2)));
         }},
        {QStringLiteral("pos"),
         [](const Values& a) { return qint64(arg(a, 1).indexOf(arg(a, 0)) + 1); }},
    };
    return table;
}

} // namespace

int compareValues(const QVariant& a, const QVariant& b) {
    if (isDate(a) && isDate(b)) {
        const QDateTime x = a.toDateTime(), y = b.toDateTime();
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    if ((isNumber(a) || !a.isValid() || a.typeId() == QMetaType::Bool) &&
        (isNumber(b) || !b.isValid() || b.typeId() == QMetaType::Bool)) {
        const double x = toNumber(a), y = toNumber(b);
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    return compareTexts(text(a), text(b));
}

int compareTexts(const QString& a, const QString& b) {
    // Czech alphabetical order (Č after C, Ch after H, Ú with U); texts the collation holds
    // equal still differ by their characters, so the order stays total.
    static thread_local const QCollator czech = [] {
        QCollator collator{QLocale(QLocale::Czech, QLocale::Czechia)};
        collator.setNumericMode(false);
        return collator;
    }();
    const int c = czech.compare(a, b);
    return c != 0 ? c : a.compare(b);
}

namespace {

QVariant arithmetic(const QString& op, const QVariant& a, const QVariant& b) {
    if (op == QLatin1String("+") && (isText(a) || isText(b)))
        return text(a) + text(b);
    if (isDate(a) && (op == QLatin1String("+") || op == QLatin1String("-"))) {
        if (isDate(b))
            return qint64(b.toDate().daysTo(a.toDate()));
        const qint64 days = wholeNumber(b);
        return a.toDate().addDays(op == QLatin1String("+") ? days : -days);
    }
    if (op == QLatin1String("div") || op == QLatin1String("mod")) {
        const qint64 x = wholeNumber(a), y = wholeNumber(b);
        if (y == 0)
            return {};
        if (y == -1) // the one quotient that overflows: the smallest number divided by -1
            return op == QLatin1String("div") ? arithmetic(QStringLiteral("-"), qint64(0), x)
                                              : QVariant(qint64(0));
        return op == QLatin1String("div") ? x / y : x % y;
    }
    if (op != QLatin1String("/") && isInteger(a) && isInteger(b)) {
        const qint64 x = a.toLongLong(), y = b.toLongLong();
        qint64 result = 0;
        const bool overflow = op == QLatin1String("+")   ? __builtin_add_overflow(x, y, &result)
                              : op == QLatin1String("-") ? __builtin_sub_overflow(x, y, &result)
                                                         : __builtin_mul_overflow(x, y, &result);
        // A result beyond 64 bits goes on as a floating-point number, never wrapped around.
        if (!overflow)
            return result;
    }
    const double x = toNumber(a), y = toNumber(b);
    if (op == QLatin1String("+"))
        return x + y;
    if (op == QLatin1String("-"))
        return x - y;
    if (op == QLatin1String("*"))
        return x * y;
    if (y == 0)
        return {};
    return x / y;
}

QVariant relational(const QString& op, const QVariant& a, const QVariant& b) {
    const int c = compareValues(a, b);
    if (op == QLatin1String("="))
        return c == 0;
    if (op == QLatin1String("<>"))
        return c != 0;
    if (op == QLatin1String("<"))
        return c < 0;
    if (op == QLatin1String(">"))
        return c > 0;
    if (op == QLatin1String("<="))
        return c <= 0;
    return c >= 0;
}

class Evaluator {
public:
    Evaluator(ExpressionContext& context, QString* error) : context_(context), error_(error) {}

    QVariant eval(const ExprNode& node) {
        switch (node.type) {
        case ExprNode::Type::Literal:
            return node.value;
        case ExprNode::Type::Field: {
            bool ok = true;
            const QVariant value = context_.field(node.dataSet, node.name, ok);
            if (!ok)
                fail(QStringLiteral("neznámé pole „%1.\"%2\"“").arg(node.dataSet, node.name));
            return value;
        }
        case ExprNode::Type::Name: {
            QVariant value;
            QString inner;
            if (!context_.variable(node.name, value, inner))
                fail(QStringLiteral("neznámá proměnná „%1“").arg(node.name));
            else if (!inner.isEmpty())
                fail(QStringLiteral("proměnnou „%1“ nelze vyhodnotit: %2").arg(node.name, inner));
            return value;
        }
        case ExprNode::Type::Unary:
            return unary(node);
        case ExprNode::Type::Binary:
            return binary(node);
        case ExprNode::Type::Call:
            return call(node);
        }
        return {};
    }

private:
    void fail(const QString& message) {
        if (error_ && error_->isEmpty())
            *error_ = message;
    }

    QVariant unary(const ExprNode& node) {
        const QVariant v = eval(*node.args[0]);
        if (node.name == QLatin1String("not"))
            return !toBool(v);
        return isInteger(v) ? arithmetic(QStringLiteral("-"), qint64(0), v)
                            : QVariant(-toNumber(v));
    }

    QVariant binary(const ExprNode& node) {
        const QString& op = node.name;
        if (op == QLatin1String("and"))
            return toBool(eval(*node.args[0])) && toBool(eval(*node.args[1]));
        if (op == QLatin1String("or"))
            return toBool(eval(*node.args[0])) || toBool(eval(*node.args[1]));
        const QVariant a = eval(*node.args[0]);
        const QVariant b = eval(*node.args[1]);
        if (op == QLatin1String("xor"))
            return toBool(a) != toBool(b);
        static const QStringList arithmeticOperators = {"+", "-", "*", "/", "div", "mod"};
        if (arithmeticOperators.contains(op))
            return arithmetic(op, a, b);
        return relational(op, a, b);
    }

    // The data band named by an aggregate's band argument; empty for the band's own scope.
    static QString bandArgument(const ExprNode& node, int index) {
        if (index >= node.args.size())
            return {};
        const ExprNode& arg = *node.args[index];
        return arg.type == ExprNode::Type::Name ? arg.name : QString();
    }

    QVariant aggregate(const ExprNode& node) {
        const bool count = node.name == QLatin1String("count");
        const int rows = context_.beginAggregate(bandArgument(node, count ? 0 : 1));
        if (rows < 0) {
            fail(QStringLiteral("souhrnnou funkci %1 nelze použít uvnitř jiné souhrnné funkce")
                     .arg(node.name.toUpper()));
            return {};
        }
        double sum = 0;
        int valued = 0;
        QVariant best;
        for (int i = 0; i < rows && !count; ++i) {
            context_.aggregateRow(i);
            const QVariant v = node.args.isEmpty() ? QVariant() : eval(*node.args[0]);
            if (!v.isValid() || v.isNull())
                continue;
            ++valued;
            sum += toNumber(v);
            const int c = best.isValid() ? compareValues(v, best) : 0;
            if (!best.isValid() || (node.name == QLatin1String("min") ? c < 0 : c > 0))
                best = v;
        }
        context_.endAggregate();
        if (count)
            return qint64(rows);
        if (node.name == QLatin1String("sum"))
            return sum;
        if (node.name == QLatin1String("avg"))
            return valued ? QVariant(sum / valued) : QVariant();
        return best;
    }

    QVariant call(const ExprNode& node) {
        const QString& f = node.name;
        if (f == QLatin1String("iif")) {
            if (node.args.size() != 3) {
                fail(QStringLiteral("IIF očekává tři argumenty"));
                return {};
            }
            return eval(*node.args[toBool(eval(*node.args[0])) ? 1 : 2]);
        }
        static const QStringList aggregates = {"sum", "min", "max", "avg", "count"};
        if (aggregates.contains(f))
            return aggregate(node);
        const auto function = functions().find(f);
        if (function == functions().end()) {
            fail(QStringLiteral("neznámá funkce „%1“").arg(f));
            return {};
        }
        Values values;
        for (const ExprPtr& arg : node.args)
            values << eval(*arg);
        return (*function)(values);
    }

    ExpressionContext& context_;
    QString* error_;
};

} // namespace

bool toBool(const QVariant& value) {
    if (isText(value))
        return value.toString().compare(u"true", Qt::CaseInsensitive) == 0;
    return value.isValid() && toNumber(value) != 0;
}

QVariant evaluate(const ExprNode& node, ExpressionContext& context, QString* error) {
    return Evaluator(context, error).eval(node);
}

} // namespace orvex
