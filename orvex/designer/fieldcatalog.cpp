#include "orvex/designer/fieldcatalog.h"

namespace orvex::designer {

namespace {

struct Column {
    const char* name;
    const char* caption; // empty: from the parameters
    ValueKind kind;
};

const Column bookColumns[] = {{"Id", "Pořadí záznamu", ValueKind::Number},
                              {"Cislo", "Číslo", ValueKind::Text},
                              {"Dodavatel_odberatel", "", ValueKind::Text},
                              {"ICO", "IČO", ValueKind::Text},
                              {"CisloUctu", "Číslo účtu", ValueKind::Text},
                              {"SmerovyKod", "Kód", ValueKind::Text},
                              {"Specifikace", "Specifikace", ValueKind::Text},
                              {"VariabilniSymbol", "VS", ValueKind::Text},
                              {"Zaklad", "Základ", ValueKind::Amount},
                              {"SazbaDPH", "Sazba DPH", ValueKind::Number},
                              {"DPH", "DPH", ValueKind::Amount},
                              {"Celkem", "Celkem", ValueKind::Amount},
                              {"Datum1", "", ValueKind::Date},
                              {"Datum2", "", ValueKind::Date},
                              {"Datum3", "", ValueKind::Date},
                              {"Poznamka", "Poznámka", ValueKind::Text}};

const std::pair<const char*, const char*> parameterCaptions[] = {
    {"Nadpis", "Nadpis sestavy"},
    {"NazevSubjektu", "Název subjektu"},
    {"OdpovednaOsoba", "Odpovědná osoba"},
    {"Ulice", "Ulice"},
    {"PSC", "PSČ"},
    {"Mesto", "Město"},
    {"IC", "IČ"},
    {"DIC", "DIČ"},
    {"Tel", "Telefon"},
    {"Email", "E-mail"},
    {"WWW", "WWW"},
    {"Mena", "Měna"},
    {"TypProstredi", "Kniha (0 přijaté, 1 vydané faktury)"},
    {"Datum1", "Název data 1"},
    {"Datum2", "Název data 2"},
    {"Datum3", "Název data 3"}};

QString columnCaption(const Column& column, const QHash<QString, QString>& parameters) {
    const QString name = QString::fromLatin1(column.name);
    if (*column.caption)
        return QString::fromUtf8(column.caption);
    if (name.startsWith(QLatin1String("Datum")))
        return parameters.value(name, name);
    return parameters.value(QStringLiteral("TypProstredi")) == QLatin1String("1")
               ? QStringLiteral("Odběratel")
               : QStringLiteral("Dodavatel");
}

QString fieldExpression(const QString& dataSet, const QString& column) {
    return dataSet + QStringLiteral(".\"") + column + u'"';
}

FieldGroup aggregates(const QString& dataSet, const QString& masterBand,
                      const QHash<QString, QString>& parameters) {
    FieldGroup group{QStringLiteral("Součty a počty"), {}};
    group.entries << FieldEntry{QStringLiteral("Počet řádků"),
                                QStringLiteral("COUNT(%1)").arg(masterBand), ValueKind::Number};
    const std::pair<const char*, const char*> functions[] = {
        {"SUM", "Součet"}, {"AVG", "Průměr"}, {"MIN", "Nejmenší"}, {"MAX", "Největší"}};
    for (const auto& [function, caption] : functions) {
        for (const Column& column : bookColumns) {
            if (column.kind != ValueKind::Amount)
                continue;
            const QString field = fieldExpression(dataSet, QString::fromLatin1(column.name));
            group.entries << FieldEntry{
                QString::fromUtf8(caption) + QStringLiteral(" – ") +
                    columnCaption(column, parameters),
                QStringLiteral("%1(<%2>,%3)").arg(QLatin1String(function), field, masterBand),
                ValueKind::Amount};
        }
    }
    return group;
}

} // namespace

QVector<FieldGroup> fieldCatalog(const QString& dataSet, const QString& masterBand,
                                 const QHash<QString, QString>& parameters) {
    FieldGroup columns{QStringLiteral("Sloupce knihy"), {}};
    for (const Column& column : bookColumns)
        columns.entries << FieldEntry{columnCaption(column, parameters),
                                      fieldExpression(dataSet, QString::fromLatin1(column.name)),
                                      column.kind};
    FieldGroup parameterGroup{QStringLiteral("Parametry sestavy"), {}};
    for (const auto& [key, caption] : parameterCaptions)
        parameterGroup.entries << FieldEntry{QString::fromUtf8(caption), QString::fromLatin1(key),
                                             ValueKind::Text};
    const FieldGroup system{
        QStringLiteral("Systémové hodnoty"),
        {{QStringLiteral("Číslo stránky"), QStringLiteral("Page#"), ValueKind::Number},
         {QStringLiteral("Počet stránek"), QStringLiteral("TotalPages#"), ValueKind::Number},
         {QStringLiteral("Datum tisku"), QStringLiteral("Date"), ValueKind::Date},
         {QStringLiteral("Čas tisku"), QStringLiteral("Time"), ValueKind::Text},
         {QStringLiteral("Číslo řádku"), QStringLiteral("Line#"), ValueKind::Number}}};
    return {columns, parameterGroup, system, aggregates(dataSet, masterBand, parameters)};
}

} // namespace orvex::designer
