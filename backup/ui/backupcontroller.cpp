#include "backup/ui/backupcontroller.h"

#include "backup/autobackup.h"
#include "backup/backupfile.h"
#include "backup/backupnames.h"
#include "backup/databasecopy.h"
#include "backup/ui/tobnovazalohy.h"
#include "browse/browsecontroller.h"
#include "dialogs/dialogy.h"
#include "storage/appstate.h"
#include "storage/bootstrap.h"

#include <QDir>
#include <QFileInfo>
#include <QWidget>
#include <sqlite3.h>

namespace {

QString native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

QString fileName(const QString& path) {
    return QFileInfo(path).fileName();
}

qint64 changesOf(const engine::Connection& connection) {
    sqlite3* db = connection.handle();
    return db ? sqlite3_total_changes64(db) : 0;
}

bool sameFile(const QString& a, const QString& b) {
    const QFileInfo first(a);
    const QFileInfo second(b);
    return first.exists() && second.exists() &&
           first.canonicalFilePath() == second.canonicalFilePath();
}

} // namespace

BackupController::BackupController(AppState& state, BrowseController& browse,
                                   const BackupActions& actions, QWidget* window)
    : QObject(window), state_(state), browse_(browse), window_(window),
      changesAtOpen_(changesOf(state.connection)) {
    for (QAction* action : actions.all())
        action->setEnabled(true);
    connect(actions.Akce_Zalohovat, &QAction::triggered, this,
            &BackupController::Akce_ZalohovatExecute);
    connect(actions.Akce_Obnovit, &QAction::triggered, this,
            &BackupController::Akce_ObnovitExecute);
}

QString BackupController::folder() const {
    return backup::backupFolder(state_.ProgramDir);
}

bool BackupController::sessionChanged() const {
    return changesOfEarlierConnections_ + changesOf(state_.connection) - changesAtOpen_ > 0;
}

void BackupController::backUpAutomatically() {
    const backup::BackupOutcome outcome =
        backup::backUpInto(state_.databasePath(), folder(), QDateTime::currentDateTime());
    if (outcome.error.isEmpty() || failureReported_)
        return;
    failureReported_ = true;
    dialogs::ShowWarning(
        QString(), QStringLiteral("Automatickou zálohu databáze se nepodařilo vytvořit:\r\n") +
                       outcome.error + QStringLiteral("\r\nDosavadní zálohy ve složce \"") +
                       native(folder()) + QStringLiteral("\" zůstaly zachovány."));
}

void BackupController::backUpAtClose() {
    const bool changed = sessionChanged();
    // In WAL mode the last connection's close writes the file once more: back up after it.
    state_.connection.close();
    if (changed)
        backUpAutomatically();
}

void BackupController::Akce_ZalohovatExecute() {
    dialogs::SaveFileRequest request;
    request.filter = QStringLiteral("Databáze Lumira|*.mdb");
    request.fileName = backup::manualName(QDate::currentDate());
    request.defaultExtension = QStringLiteral("mdb");
    if (!dialogs::host().saveFile(request))
        return;
    const QString target = request.fileName;
    if (sameFile(target, state_.databasePath())) {
        dialogs::ShowWarning(QString(), QStringLiteral("Zálohu nelze uložit přes soubor "
                                                       "otevřené databáze \"%1\".")
                                            .arg(native(target)));
        return;
    }
    QString error;
    if (!backup::copyDatabase(state_.databasePath(), target, &error)) {
        dialogs::ShowWarning(QString(),
                             QStringLiteral("Zálohu databáze se nepodařilo vytvořit:\r\n") + error);
        return;
    }
    dialogs::ShowInfo(
        QStringLiteral("Databáze byla zálohována do souboru \"%1\".").arg(native(target)));
}

QString BackupController::chooseBackup() {
    const QList<backup::BackupFile> backups = backup::listBackups(folder());
    if (backups.isEmpty()) {
        dialogs::ShowInfo(
            QStringLiteral("Ve složce \"%1\" není žádná záloha.").arg(native(folder())));
        return {};
    }
    TObnovaZalohy dialog(folder(), backups, window_);
    if (dialogs::host().exec(dialog) != QDialog::Accepted)
        return {};
    return dialog.selectedPath();
}

void BackupController::Akce_ObnovitExecute() {
    const QString path = chooseBackup();
    if (path.isEmpty())
        return;
    const backup::BackupFile file = backup::inspectBackup(path, backup::Check::Full);
    if (!file.problem.isEmpty()) {
        dialogs::ShowWarning(
            QString(), QStringLiteral("Soubor \"%1\" nelze obnovit.\r\n").arg(fileName(path)) +
                           file.problem + QStringLiteral("\r\nDatabáze zůstala beze změny."));
        return;
    }
    const QString question =
        QStringLiteral("Nahradit současnou databázi zálohou \"%1\" ze dne %2?\r\n"
                       "Došlé faktury: %3, odeslané faktury: %4.\r\n"
                       "Současná databáze se předtím uloží jako další záloha.")
            .arg(fileName(path), file.time.toString(QStringLiteral("d.M.yyyy H:mm:ss")))
            .arg(file.received)
            .arg(file.issued);
    if (dialogs::AskQuestion(QStringLiteral("Obnovit ze zálohy"), question, 2) !=
        dialogs::Answer::Yes)
        return;
    restore(file);
}

void BackupController::restore(const backup::BackupFile& file) {
    // The restore needs the database without open statements of this connection.
    state_.scratch.close();
    state_.book.close();
    const backup::BackupOutcome before =
        backup::backUpInto(state_.databasePath(), folder(), QDateTime::currentDateTime());
    QString error =
        before.path.isEmpty()
            ? QStringLiteral("Současnou databázi se nepodařilo zálohovat: ") + before.error
            : QString();
    if (error.isEmpty() && !backup::copyInto(state_.connection.handle(), file.path, &error))
        error = QStringLiteral("Zálohu se nepodařilo obnovit: ") + error;
    reopenDatabase();
    if (!error.isEmpty()) {
        dialogs::ShowWarning(QString(), error + QStringLiteral("\r\nDatabáze zůstala beze změny."));
        return;
    }
    dialogs::ShowInfo(QStringLiteral("Databáze byla obnovena ze zálohy \"%1\".\r\n"
                                     "Stav před obnovou je uložen v záloze \"%2\".")
                          .arg(fileName(file.path), fileName(before.path)));
}

void BackupController::reopenDatabase() {
    changesOfEarlierConnections_ += changesOf(state_.connection) - changesAtOpen_;
    // A fresh open lets the engine bring an older file up to date.
    QString error;
    state_.connection.close();
    const bool opened = state_.connection.open(connectionString(state_.databasePath()), &error);
    changesAtOpen_ = changesOf(state_.connection);
    if (!opened) {
        dialogs::ShowError(error);
        return;
    }
    browse_.ReopenBook();
    browse_.LayoutColumns();
    browse_.RefreshTotals();
}
