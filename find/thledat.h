#pragma once
// The search dialog: the column, the expression with its history and the whole-value switch;
// each "Hledat" moves the book's cursor to the next match after the current row.

#include "find/gridcolumns.h"
#include "storage/engine/dataset.h"

#include <QDialog>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
struct AppState;

class THledat : public QDialog {
    Q_OBJECT
public:
    // firstRecord is the main window's "První záznam" command.
    THledat(AppState& state, QAction* firstRecord, const QList<GridColumn>& columns,
            QWidget* parent = nullptr);

    // Closing by any means stores the expression history.
    void done(int result) override;

    QLabel* La_KdeHledat = nullptr;
    QComboBox* Cb_Pole = nullptr;
    QLabel* La_CoHledat = nullptr;
    QComboBox* Cb_Retezec = nullptr;
    QCheckBox* Celevyrazy = nullptr;
    QPushButton* Tl_HledatOdZacatku = nullptr;
    QPushButton* Tl_HledatVyraz = nullptr;
    QPushButton* Tl_Zpet = nullptr;
    QPushButton* Tl_Storno = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    AppState& state_;
    QAction* firstRecord_;
    QList<GridColumn> columns_;
    engine::DataSet::Bookmark SearchStartPosition = -1;

    void buildControls();
    QWidget* buildButtons();
    void fillColumns();
    void enableSearch();
    void search();
    void goToFirst();
    void goBack();
    QStringList historyEntries() const;
};
