#include "tools/lumira-report/reportcommand.h"

#include <QHash>

namespace lumirareport {

namespace {

// The option's target in the command, or nullptr for an unknown option.
QString* textOption(const QString& name, ReportCommand& command) {
    static const QHash<QString, QString ReportCommand::*> members = {
        {QStringLiteral("--db"), &ReportCommand::databasePath},
        {QStringLiteral("--sql"), &ReportCommand::sql},
        {QStringLiteral("--params"), &ReportCommand::parameters},
        {QStringLiteral("--pdf"), &ReportCommand::pdfPath},
        {QStringLiteral("--design"), &ReportCommand::designPath}};
    const auto it = members.find(name);
    return it == members.end() ? nullptr : &(command.*(*it));
}

bool parseTimeout(const QString& text, ReportCommand& command, QString* error) {
    bool ok = false;
    command.timeoutSeconds = text.toInt(&ok);
    if (ok && command.timeoutSeconds > 0)
        return true;
    *error = QStringLiteral("Časový limit „%1“ není kladný počet sekund.").arg(text);
    return false;
}

bool checkComplete(const ReportCommand& command, QString* error) {
    if (command.help || !command.designPath.isEmpty())
        return true;
    if (command.templatePath.isEmpty())
        *error = QStringLiteral("Chybí soubor předlohy sestavy.");
    else if (command.databasePath.isEmpty())
        *error = QStringLiteral("Chybí databáze (--db).");
    else if (command.pdfPath.isEmpty())
        *error = QStringLiteral("Chybí výstupní soubor PDF (--pdf).");
    return error->isEmpty();
}

} // namespace

bool parseCommand(const QStringList& arguments, ReportCommand& command, QString* error) {
    error->clear();
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
            command.help = true;
            continue;
        }
        if (!argument.startsWith(QLatin1String("--"))) {
            if (!command.templatePath.isEmpty()) {
                *error = QStringLiteral("Nadbytečný argument „%1“.").arg(argument);
                return false;
            }
            command.templatePath = argument;
            continue;
        }
        QString* target = textOption(argument, command);
        if (!target && argument != QLatin1String("--timeout")) {
            *error = QStringLiteral("Neznámá volba „%1“.").arg(argument);
            return false;
        }
        if (i + 1 >= arguments.size()) {
            *error = QStringLiteral("Volbě „%1“ chybí hodnota.").arg(argument);
            return false;
        }
        const QString& value = arguments[++i];
        if (target)
            *target = value;
        else if (!parseTimeout(value, command, error))
            return false;
    }
    return checkComplete(command, error);
}

QString usageText() {
    return QStringLiteral(
               "Použití: lumira-report PŘEDLOHA.fr3 --db Lumira.mdb [--sql TEXT] [--params TEXT]\n"
               "                       --pdf VÝSTUP.pdf [--timeout SEKUNDY]\n"
               "         lumira-report --design PŘEDLOHA.fr3 [--db Lumira.mdb] [--sql TEXT] "
               "[--params TEXT]\n"
               "\n"
               "Vytvoří sestavu podle předlohy nad daty databáze a uloží ji jako PDF.\n"
               "\n"
               "  --db SOUBOR        databáze programu (Lumira.mdb)\n"
               "  --sql TEXT         dotaz na data sestavy (výchozí „%1“)\n"
               "  --params TEXT      parametry sestavy „klíč|hodnota|...“, např. \"Nadpis|Kniha "
               "faktur|Datum3|Splatnost\"\n"
               "  --pdf SOUBOR       výstupní soubor PDF\n"
               "  --timeout SEKUNDY  nejdelší doba běhu sestavy (výchozí %2 s)\n"
               "  --design SOUBOR    otevře předlohu v návrháři sestav (s --db nabídne náhled)\n"
               "\n"
               "Upozornění k předloze se vypisují na chybový výstup. Návratový kód: 0 soubor PDF "
               "byl\n"
               "zapsán, 1 sestavu nelze vytvořit, 2 chybné argumenty, 3 vypršel časový limit.\n")
        .arg(defaultSql)
        .arg(defaultTimeoutSeconds);
}

} // namespace lumirareport
