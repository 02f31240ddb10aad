#pragma once
// The help commands of the main window: the help page (F1), the home page and About.

#include "actions/mainactions.h"
#include "storage/appstate.h"

#include <QObject>

class HelpController : public QObject {
    Q_OBJECT
public:
    // Connects and enables Akce_Napoveda, Akce_Domu and Akce_OProgramu.
    HelpController(const AppState& state, MainActions& actions, QObject* parent);

    void Akce_OProgramuExecute();
    void Akce_NapovedaExecute();
    void Akce_DomuExecute();

private:
    const AppState& state_;
};
