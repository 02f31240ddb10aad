#include "reports/newtemplate.h"

#include "storage/engine/savefile.h"

#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>

namespace reports {

QByteArray templateSkeleton(const QString& programDir, const QString& reportName) {
    const QStringList lines = {
        QStringLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?>"),
        QStringLiteral("<TfrxReport Version=\"5.3.14\" DotMatrixReport=\"False\" IniFile=\"") +
            programDir.toHtmlEscaped() +
            QStringLiteral("FastReport.ini\" PreviewOptions.Buttons=\"3575\" "
                           "PreviewOptions.Zoom=\"1\" PrintOptions.Printer=\"Předvolená\" "
                           "PrintOptions.PrintOnSheet=\"0\" "
                           "ReportOptions.CreateDate=\"42290,6405323843\" "
                           "ReportOptions.Description.Text=\"\" ReportOptions.Name=\"") +
            reportName.toHtmlEscaped() +
            QStringLiteral("\" ReportOptions.LastChange=\"42290,6415117593\" "
                           "ScriptLanguage=\"PascalScript\" "
                           "ScriptText.Text=\"&#13;&#10;begin&#13;&#10;&#13;&#10;end.\">"),
        QStringLiteral("  <TfrxDataPage Name=\"Data\" Height=\"1000\" Left=\"0\" Top=\"0\" "
                       "Width=\"1000\"/>"),
        QStringLiteral("  <TfrxReportPage Name=\"Page1\" PaperWidth=\"210\" PaperHeight=\"297\" "
                       "PaperSize=\"9\" LeftMargin=\"10\" RightMargin=\"10\" TopMargin=\"10\" "
                       "BottomMargin=\"10\" ColumnWidth=\"0\" ColumnPositions.Text=\"\" "
                       "HGuides.Text=\"\" VGuides.Text=\"\"/>"),
        QStringLiteral("</TfrxReport>")};
    return (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
}

bool writeNewTemplate(const QString& path, const QByteArray& bytes, QString& error) {
    if (QFileInfo::exists(path)) {
        error = QStringLiteral("Soubor \"") + path +
                QStringLiteral("\" již existuje. Nová předloha sestavy nebyla vytvořena, aby "
                               "nebyl přepsán.");
        return false;
    }
    QSaveFile file(path);
    QString reason;
    if (!file.open(QIODevice::WriteOnly) || !engine::writeAll(file, bytes))
        reason = file.errorString();
    else if (engine::commitAll(file, reason))
        return true;
    error =
        QStringLiteral("Soubor předlohy \"") + path + QStringLiteral("\" nelze zapsat: ") + reason;
    return false;
}

} // namespace reports
