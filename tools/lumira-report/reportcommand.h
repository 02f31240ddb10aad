#pragma once
// The command line of lumira-report: what to render, from where, into which file.

#include <QString>
#include <QStringList>

namespace lumirareport {

// The book listing of received invoices, as the program's main data set builds it.
inline const QString defaultSql = QStringLiteral("SELECT * FROM FDosle  ORDER BY Id");
constexpr int defaultTimeoutSeconds = 60;

struct ReportCommand {
    bool help = false;
    QString templatePath;
    QString designPath; // --design: open the template in the designer instead
    QString databasePath;
    QString sql = defaultSql;
    QString parameters;
    QString pdfPath;
    int timeoutSeconds = defaultTimeoutSeconds;
};

// Reads the arguments after the program name; false with a Czech *error when they do not
// make a command.
bool parseCommand(const QStringList& arguments, ReportCommand& command, QString* error);

// The Czech help text.
QString usageText();

} // namespace lumirareport
