#pragma once
// Connects the main window's record commands to their actions and installs the book data
// set's hooks.

#include "actions/mainactions.h"
#include "browse/browsecontroller.h"
#include "storage/appstate.h"

#include <QObject>

class RecordCommands;
class QWidget;

class EditingController : public QObject {
    Q_OBJECT
public:
    // filterPanel: its text boxes give way to the record commands' keys.
    EditingController(AppState& state, MainActions& actions, BrowseController& browse,
                      QWidget* filterPanel, QWidget* window);

    RecordCommands& commands() const { return *commands_; }

private:
    RecordCommands* commands_;
};
