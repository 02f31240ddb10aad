#pragma once
// The commands on the records of the active book (new, correction, delete, moves, go to a
// position, copy as text) and the hooks of the book data set: the defaults of a new row, the
// check before a row is stored, and the totals after a row is stored or deleted.

#include "actions/mainactions.h"
#include "browse/browsecontroller.h"
#include "storage/appstate.h"

#include <QObject>

class QWidget;

class RecordCommands : public QObject {
    Q_OBJECT
public:
    // window: the owner of the record editor.
    RecordCommands(AppState& state, MainActions& actions, BrowseController& browse, QWidget* window,
                   QObject* parent = nullptr);

    // ADODataSet1AfterInsert, ADODataSet1BeforePost, ADODataSet1AfterPost and
    // ADODataSet1AfterDelete on the book data set.
    void installHooks();

    void newRecord();
    void editRecord();
    void deleteRecord();
    void first();
    void prior();
    void next();
    void last();
    void goToRecord();
    void copyRecord();

    // The current row as 15 labelled lines joined by CR LF, labels of the active book.
    static QString recordText(const AppState& state);

private:
    AppState& state_;
    MainActions& actions_;
    BrowseController& browse_;
    QWidget* window_;

    void applyDefaults(engine::DataSet& book);
    void openEditor(const QString& captionEnd);
    void reportMove(bool moved);
};
