#pragma once
// A fixture book with the main window's pieces and the find controller over them.

#include "find/filterpanel.h"
#include "find/findcontroller.h"
#include "support/mainwindowrig.h"

struct FindFixture : MainWindowRig {
    ScriptedHost host;
    FindController find{state, actions, *browse, grid, filterPanel, labels, &window};

    explicit FindFixture(int typProstredi = 0) : MainWindowRig(typProstredi) {
        // Stands in for the record command "První záznam".
        QObject::connect(actions.Akce_NaZacatek, &QAction::triggered, &state.book,
                         [this] { state.book.first(); });
    }

    FilterPanel& panel() { return *find.filterPanel(); }

    QStringList messageTexts() const {
        QStringList texts;
        for (const dialogs::Message& m : host.messages)
            texts << m.text;
        return texts;
    }
};
