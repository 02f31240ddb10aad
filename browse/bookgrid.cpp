#include "browse/bookgrid.h"

#include "browse/bookmodel.h"
#include "dialogs/dialogy.h"
#include "storage/engine/dataset.h"

#include <QAction>
#include <QHeaderView>
#include <QTableView>

BookGrid::BookGrid(QTableView* view, BookModel* model, engine::DataSet& book, QAction* editAction)
    : QObject(view), view_(view), model_(model), book_(book) {
    view_->setModel(model_);
    setUpView();
    connect(&book_, &engine::DataSet::currentChanged, this, &BookGrid::selectRow);
    connect(view_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &BookGrid::userPickedRow);
    connect(view_, &QAbstractItemView::doubleClicked, editAction, &QAction::trigger);
    selectRow(book_.isActive() ? bookRow() : -1);
}

void BookGrid::setUpView() {
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->setSelectionMode(QAbstractItemView::SingleSelection);
    view_->setShowGrid(true);
    view_->setSortingEnabled(false);
    view_->setTabKeyNavigation(true);
    view_->setWordWrap(false);
    QHeaderView* titles = view_->horizontalHeader();
    titles->setSectionsClickable(false);
    titles->setSectionsMovable(true);
    titles->setSectionResizeMode(QHeaderView::Interactive);
    titles->setHighlightSections(false);
    titles->setMinimumSectionSize(8);
    titles->setStretchLastSection(false);
    // Every row has the same height, so a book of any size costs nothing per row.
    QHeaderView* indicator = view_->verticalHeader();
    indicator->setSectionResizeMode(QHeaderView::Fixed);
    indicator->setDefaultSectionSize(view_->fontMetrics().height() + 4);
    indicator->setFixedWidth(view_->fontMetrics().horizontalAdvance(u'W') + 6);
    indicator->setHighlightSections(false);
}

void BookGrid::restoreColumns(const QList<int>& widths) {
    QHeaderView* titles = view_->horizontalHeader();
    for (int column = 0; column < titles->count(); ++column) {
        titles->moveSection(titles->visualIndex(column), column);
        titles->showSection(column);
        titles->resizeSection(column, widths.value(column, BookModel::designedWidth(column)));
    }
}

void BookGrid::selectRow(int row) {
    selecting_ = true;
    QItemSelectionModel* selection = view_->selectionModel();
    if (row < 0 || row >= model_->rowCount()) {
        selection->clear();
    } else {
        const QModelIndex current = view_->currentIndex();
        const int column =
            current.isValid() ? current.column() : view_->horizontalHeader()->logicalIndex(0);
        const QModelIndex index = model_->index(row, column);
        selection->setCurrentIndex(index,
                                   QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        view_->scrollTo(index);
    }
    selecting_ = false;
}

int BookGrid::bookRow() const {
    return book_.state() == engine::DataSet::State::Insert ? book_.recordCount()
                                                           : book_.currentIndex();
}

void BookGrid::userPickedRow(const QModelIndex& current) {
    if (selecting_ || model_->isSyncing() || !current.isValid() || current.row() == bookRow())
        return;
    const int row = current.row();
    if (row < book_.recordCount()) {
        if (book_.moveTo(row + 1))
            return;
        // An empty text means the row check has already told the user why.
        if (!book_.lastError().isEmpty())
            dialogs::ShowError(book_.lastError());
    }
    selectRow(bookRow());
}
