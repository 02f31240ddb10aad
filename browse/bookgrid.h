#pragma once
// Sets up the read-only book grid over a BookModel and keeps its current row and the book data
// set's current row together: a move of the data set selects the row, a row the user picks
// moves the data set.

#include <QObject>

class BookModel;
class QAction;
class QKeyEvent;
class QModelIndex;
class QTableView;

namespace engine {
class DataSet;
}

class BookGrid : public QObject {
    Q_OBJECT
public:
    // editAction: run by a double click on the grid.
    BookGrid(QTableView* view, BookModel* model, engine::DataSet& book, QAction* editAction);

    // Puts every column back in the designed order at the given widths.
    void restoreColumns(const QList<int>& widths);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QTableView* view_;
    BookModel* model_;
    engine::DataSet& book_;
    QAction* editAction_;
    bool selecting_ = false;

    bool tabLeavesTheRows(const QKeyEvent* key) const;
    void setUpView();
    // The grid row of the data set's current row (the pending new row while inserting).
    int bookRow() const;
    void selectRow(int row);
    void userPickedRow(const QModelIndex& current);
};
