#include "backup/ui/backupactions.h"

namespace {

QAction* makeAction(QObject* owner, const char* name, const QString& caption, const QString& hint) {
    auto* action = new QAction(caption, owner);
    action->setObjectName(QString::fromLatin1(name));
    action->setToolTip(hint);
    action->setStatusTip(hint);
    action->setEnabled(false);
    return action;
}

} // namespace

BackupActions::BackupActions(QObject* owner) {
    Akce_Zalohovat = makeAction(owner, "Akce_Zalohovat", QStringLiteral("Zálohovat databázi..."),
                                QStringLiteral("Uložit kopii databáze do zvoleného souboru"));
    Akce_Obnovit = makeAction(owner, "Akce_Obnovit", QStringLiteral("Obnovit ze zálohy..."),
                              QStringLiteral("Nahradit databázi zálohou ze složky Zalohy"));
}
