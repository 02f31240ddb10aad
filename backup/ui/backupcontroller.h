#pragma once
// The main window's backups: the automatic one at start and at close, the copy the user saves
// and the restore from Zalohy. A failed automatic backup never stops the program or its close;
// it is reported once per run.

#include "backup/ui/backupactions.h"

#include <QObject>

struct AppState;
class BrowseController;
class QWidget;
namespace backup {
struct BackupFile;
}

class BackupController : public QObject {
    Q_OBJECT
public:
    // window owns the dialogs.
    BackupController(AppState& state, BrowseController& browse, const BackupActions& actions,
                     QWidget* window);

    QString folder() const;
    // True once this run has changed the database after its start-up (whose upkeep of the file
    // is not the user's work).
    bool sessionChanged() const;
    // Closes the connection, so the file is final, and backs it up when the run changed it.
    void backUpAtClose();

public slots:
    // A backup into Zalohy with the rotation; a failure is reported (once per run).
    void backUpAutomatically();
    void Akce_ZalohovatExecute();
    void Akce_ObnovitExecute();

private:
    AppState& state_;
    BrowseController& browse_;
    QWidget* window_;
    qint64 changesOfEarlierConnections_ = 0;
    qint64 changesAtOpen_ = 0; // of the present connection, made by opening it
    bool failureReported_ = false;

    // The backup the user picks in the restore dialog; empty when cancelled.
    QString chooseBackup();
    void restore(const backup::BackupFile& file);
    // Opens the connection on the restored file and shows the active book again.
    void reopenDatabase();
};
