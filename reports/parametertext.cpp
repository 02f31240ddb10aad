#include "reports/parametertext.h"

#include "storage/settings.h"

#include <QStringList>

namespace reports {

QString reportParameterText(const QString& title, const Settings& settings, int typProstredi) {
    const Settings& s = settings;
    const std::pair<const char*, QString> pairs[] = {
        {"Nadpis", title},
        {"NazevSubjektu", s.NazevSubjektu},
        {"OdpovednaOsoba", s.OdpovednaOsoba},
        {"Ulice", s.Ulice},
        {"PSC", s.PSC},
        {"Mesto", s.Mesto},
        {"IC", s.IC},
        {"DIC", s.DIC},
        {"Tel", s.Tel},
        {"Email", s.Email},
        {"WWW", s.WWW},
        {"Mena", s.Mena},
        {"Nadpis", title},
        {"TypProstredi", QString::number(typProstredi)},
        {"Datum1", s.dateCaption(typProstredi, 1)},
        {"Datum2", s.dateCaption(typProstredi, 2)},
        {"Datum3", s.dateCaption(typProstredi, 3)}};
    QStringList parts;
    for (const auto& [key, value] : pairs)
        parts << QString::fromLatin1(key) << value;
    return parts.join(u'|');
}

} // namespace reports
