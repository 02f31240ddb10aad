#pragma once
// The restore dialog: the backups of the folder Zalohy with their date and the rows of both
// books; the user picks one to restore.

#include "backup/backupfile.h"

#include <QDialog>
#include <QList>

class QPushButton;
class QTreeWidget;

class TObnovaZalohy : public QDialog {
    Q_OBJECT
public:
    TObnovaZalohy(const QString& folder, const QList<backup::BackupFile>& backups,
                  QWidget* parent = nullptr);

    // Path of the chosen backup; empty when none is selected.
    QString selectedPath() const;
    QTreeWidget* list() const { return LV_Zalohy; }

private:
    QTreeWidget* LV_Zalohy;
    QPushButton* Tl_Obnovit;
    QPushButton* Tl_Storno;

    void fill(const QList<backup::BackupFile>& backups);
};
