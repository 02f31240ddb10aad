#include "editing/editingcontroller.h"

#include "editing/recordcommands.h"
#include "editing/shortcutprecedence.h"

#include <QWidget>

EditingController::EditingController(AppState& state, MainActions& actions,
                                     BrowseController& browse, QWidget* filterPanel,
                                     QWidget* window)
    : QObject(window), commands_(new RecordCommands(state, actions, browse, window, this)) {
    commands_->installHooks();
    const struct {
        QAction* action;
        void (RecordCommands::*command)();
    } wiring[] = {{actions.Akce_Novy, &RecordCommands::newRecord},
                  {actions.Akce_Edit, &RecordCommands::editRecord},
                  {actions.Akce_Smazat, &RecordCommands::deleteRecord},
                  {actions.Akce_NaZacatek, &RecordCommands::first},
                  {actions.Akce_Vzad, &RecordCommands::prior},
                  {actions.Akce_Vpred, &RecordCommands::next},
                  {actions.Akce_NaKonec, &RecordCommands::last},
                  {actions.Akce_PrechodNaZaznam, &RecordCommands::goToRecord},
                  {actions.Akce_KopirovatZaznam, &RecordCommands::copyRecord}};
    QList<QAction*> wired;
    for (const auto& w : wiring) {
        // A disabled action ignores every trigger, so the commands need no guard of their own.
        connect(w.action, &QAction::triggered, commands_, w.command);
        w.action->setEnabled(true);
        wired << w.action;
    }
    new ShortcutPrecedence(filterPanel, wired, this);
    browse.UpdateRecordStatus();
    browse.UpdateEditMode();
}
