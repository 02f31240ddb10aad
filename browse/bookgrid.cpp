#include "browse/bookgrid.h"

#include "browse/bookmodel.h"
#include "browse/indicatorheader.h"
#include "dialogs/dialogy.h"
#include "storage/engine/dataset.h"

#include <QAction>
#include <QHeaderView>
#include <QKeyEvent>
#include <QTableView>

BookGrid::BookGrid(QTableView* view, BookModel* model, engine::DataSet& book, QAction* editAction)
    : QObject(view), view_(view), model_(model), book_(book), editAction_(editAction) {
    view_->setVerticalHeader(new IndicatorHeader(view_));
    view_->setModel(model_);
    setUpView();
    connect(&book_, &engine::DataSet::currentChanged, this, &BookGrid::selectRow);
    connect(view_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &BookGrid::userPickedRow);
    // A double click anywhere on the grid corrects the current row: on a row, below the last
    // one, on the record indicator.
    view_->installEventFilter(this);
    view_->viewport()->installEventFilter(this);
    view_->verticalHeader()->viewport()->installEventFilter(this);
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

bool BookGrid::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick && watched != view_) {
        if (editAction_->isEnabled())
            editAction_->trigger();
        return false;
    }
    if (event->type() == QEvent::KeyPress && watched == view_)
        return tabLeavesTheRows(static_cast<QKeyEvent*>(event));
    return false;
}

// Tab keeps inside the grid but does not wrap from the last cell to the first row, nor
// Shift+Tab from the first cell to the last row.
bool BookGrid::tabLeavesTheRows(const QKeyEvent* key) const {
    const bool forward = key->key() == Qt::Key_Tab && !(key->modifiers() & Qt::ShiftModifier);
    const bool backward = key->key() == Qt::Key_Backtab ||
                          (key->key() == Qt::Key_Tab && (key->modifiers() & Qt::ShiftModifier));
    const QModelIndex current = view_->currentIndex();
    if ((!forward && !backward) || !current.isValid())
        return false;
    const QHeaderView* titles = view_->horizontalHeader();
    int first = -1;
    int last = -1;
    for (int visual = 0; visual < titles->count(); ++visual) {
        if (titles->isSectionHidden(titles->logicalIndex(visual)))
            continue;
        if (first < 0)
            first = visual;
        last = visual;
    }
    const int visual = titles->visualIndex(current.column());
    if (forward)
        return current.row() == model_->rowCount() - 1 && visual == last;
    return current.row() == 0 && visual == first;
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
