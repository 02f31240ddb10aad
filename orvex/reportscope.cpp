#include "orvex/reportscope.h"

#include <QDate>
#include <QRegularExpression>
#include <QStringList>

namespace orvex {

namespace {

QString caption(const QString& column, const QHash<QString, QString>& parameters) {
    static const QHash<QString, QString> captions = {
        {QStringLiteral("cislo"), QStringLiteral("Číslo")},
        {QStringLiteral("dodavatel_odberatel"), QStringLiteral("Dodavatel/odběratel")},
        {QStringLiteral("ico"), QStringLiteral("IČO")},
        {QStringLiteral("cislouctu"), QStringLiteral("Číslo účtu")},
        {QStringLiteral("smerovykod"), QStringLiteral("Směrový kód")},
        {QStringLiteral("specifikace"), QStringLiteral("Specifikace")},
        {QStringLiteral("variabilnisymbol"), QStringLiteral("Variabilní symbol")},
        {QStringLiteral("poznamka"), QStringLiteral("Poznámka")}};
    const QString key = column.toLower();
    const QString named = parameters.value(key).trimmed();
    if (key.startsWith(QLatin1String("datum")) && !named.isEmpty())
        return named;
    return captions.value(key, column);
}

QString czechDate(const QString& iso) {
    return QDate::fromString(iso, Qt::ISODate).toString(QStringLiteral("d.M.yyyy"));
}

} // namespace

QString describeScope(const QString& sql, const QHash<QString, QString>& parameters) {
    static const QRegularExpression where(QStringLiteral(R"(\sWHERE\s(.*?)(\sORDER\s+BY\s.*)?$)"),
                                          QRegularExpression::CaseInsensitiveOption |
                                              QRegularExpression::DotMatchesEverythingOption);
    const auto match = where.match(sql);
    if (!match.hasMatch() || match.captured(1).trimmed().isEmpty())
        return QStringLiteral("celá kniha");
    QString condition = match.captured(1);
    QStringList parts;
    static const QRegularExpression dates(
        QStringLiteral(
            R"(\(\s*(\w+)\s*>=\s*#(\d{4}-\d\d-\d\d)#\s*\)\s*AND\s*\(\s*\1\s*<=\s*#(\d{4}-\d\d-\d\d)#\s*\))"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression like(QStringLiteral(R"((\w+)\s+LIKE\s+'%((?:[^']|'')*)%')"),
                                         QRegularExpression::CaseInsensitiveOption);
    const auto range = dates.match(condition);
    if (range.hasMatch()) {
        parts << QStringLiteral("%1 od %2 do %3")
                     .arg(caption(range.captured(1), parameters), czechDate(range.captured(2)),
                          czechDate(range.captured(3)));
        condition.remove(range.capturedStart(), range.capturedLength());
    }
    const auto text = like.match(condition);
    if (text.hasMatch()) {
        parts << QStringLiteral("%1 obsahuje „%2“")
                     .arg(caption(text.captured(1), parameters),
                          text.captured(2).replace(QStringLiteral("''"), QStringLiteral("'")));
        condition.remove(text.capturedStart(), text.capturedLength());
    }
    condition.remove(QRegularExpression(QStringLiteral(R"(\bAND\b)"),
                                        QRegularExpression::CaseInsensitiveOption));
    if (!condition.trimmed().isEmpty())
        parts << condition.simplified(); // a condition of another form, as it stands
    return parts.join(QStringLiteral(", "));
}

} // namespace orvex
