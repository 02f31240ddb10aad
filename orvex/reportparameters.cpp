#include "orvex/reportparameters.h"

#include <QStringList>

namespace orvex {

namespace {

const QStringList& programKeys() {
    static const QStringList keys = {
        QStringLiteral("Nadpis"), QStringLiteral("NazevSubjektu"), QStringLiteral("OdpovednaOsoba"),
        QStringLiteral("Ulice"),  QStringLiteral("PSC"),           QStringLiteral("Mesto"),
        QStringLiteral("IC"),     QStringLiteral("DIC"),           QStringLiteral("Tel"),
        QStringLiteral("Email"),  QStringLiteral("WWW"),           QStringLiteral("Mena"),
        QStringLiteral("Nadpis"), QStringLiteral("TypProstredi"),  QStringLiteral("Datum1"),
        QStringLiteral("Datum2"), QStringLiteral("Datum3")};
    return keys;
}

// Values run up to the next expected key, so a "|" inside a value does not shift the pairs.
bool parseProgramOrder(const QStringList& parts, QHash<QString, QString>& values) {
    const QStringList& keys = programKeys();
    int i = 0;
    for (int k = 0; k < keys.size(); ++k) {
        if (i >= parts.size() || parts[i] != keys[k])
            return false;
        ++i;
        QStringList value; // at least one part, which may be empty
        const bool lastKey = k + 1 == keys.size();
        while (i < parts.size() && (lastKey || parts[i] != keys[k + 1] || value.isEmpty()))
            value << parts[i++];
        values.insert(keys[k], value.join(u'|'));
    }
    return i == parts.size();
}

} // namespace

QHash<QString, QString> parseParameters(const QString& text) {
    QHash<QString, QString> values;
    if (text.isEmpty())
        return values;
    const QStringList parts = text.split(u'|');
    if (parseProgramOrder(parts, values))
        return values;
    values.clear();
    for (int i = 0; i + 1 < parts.size(); i += 2)
        values.insert(parts[i], parts[i + 1]);
    return values;
}

} // namespace orvex
