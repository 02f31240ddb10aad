#pragma once
// The state the main window owns for the whole run, shared by the subsystems' operations
// so they can work (and be tested) without a window.

#include "storage/books.h"
#include "storage/engine/connection.h"
#include "storage/engine/dataset.h"
#include "storage/settings.h"

#include <QString>

// The last search of the search dialog, repeated by find-next.
struct LastSearch {
    QString LastSearchField;
    QString LastSearchText;
    bool LastSearchWhole = false;
};

struct AppState {
    QString ProgramDir; // ends with a separator
    Settings settings;
    ActiveBook activeBook;
    QString BookCondition; // empty or " WHERE ..."
    int EditorLeft = 0;
    int EditorTop = 0;
    LastSearch search;

    engine::Connection connection;
    engine::DataSet book{&connection};    // the active book, bound to the grid
    engine::DataSet scratch{&connection}; // sums, numbering, look-ups: closed after each use

    QString settingsPath() const { return settingsFilePath(ProgramDir); }
    QString databasePath() const { return ProgramDir + QStringLiteral("Lumira.mdb"); }
    QString templateDir() const { return ProgramDir + QStringLiteral("Ses"); }
};
