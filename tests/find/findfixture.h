#pragma once
// A fixture book with the main window's pieces and the find controller over them.

#include "find/filterpanel.h"
#include "find/findcontroller.h"
#include "storage/inifile.h"
#include "support/mainwindowrig.h"

#include <QComboBox>

struct FindFixture : MainWindowRig {
    ScriptedHost host;
    FindController find{state, actions, *browse, grid, filterPanel, labels, &window};

    explicit FindFixture(int typProstredi = 0) : MainWindowRig(typProstredi) {
        // Stands in for the record command "První záznam".
        QObject::connect(actions.Akce_NaZacatek, &QAction::triggered, &state.book,
                         [this] { state.book.first(); });
    }

    FilterPanel& panel() { return *find.filterPanel(); }

    // Entry n of a list the finding commands keep in the settings file.
    QString storedItem(const QString& section, int n) const {
        return IniFile(fixture.iniPath())
            .readString(section, QStringLiteral("Polozka") + QString::number(n));
    }

    QStringList messageTexts() const {
        QStringList texts;
        for (const dialogs::Message& m : host.messages)
            texts << m.text;
        return texts;
    }
};

// The texts of a combo box's items, in order.
inline QStringList items(const QComboBox* box) {
    QStringList list;
    for (int i = 0; i < box->count(); ++i)
        list << box->itemText(i);
    return list;
}
