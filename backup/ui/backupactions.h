#pragma once
// The two backup commands of the menu Soubor; the backup controller enables and connects them.

#include <QAction>
#include <QList>

struct BackupActions {
    QAction* Akce_Zalohovat = nullptr;
    QAction* Akce_Obnovit = nullptr;

    // Created disabled, owned by `owner`.
    explicit BackupActions(QObject* owner);
    QList<QAction*> all() const { return {Akce_Zalohovat, Akce_Obnovit}; }
};
