#pragma once
// The book shown in the main window: its query, grid columns, totals, status line and the
// switch between the two books. Other subsystems call these operations after they change
// the book (a stored or deleted row, a filter, new settings).

#include "actions/mainactions.h"
#include "storage/appstate.h"

#include <QObject>

class BookGrid;
class BookModel;
class QLabel;
class QTableView;
class QWidget;

struct StatusLabels {
    QLabel* La_Pocitadlo = nullptr;
    QLabel* La_Rezim = nullptr;
    QLabel* La_TypProstredi = nullptr;
    QLabel* La_ZakladCelkem = nullptr;
    QLabel* La_DPHCelkem = nullptr;
    QLabel* La_CelkemCelkem = nullptr;
};

class BrowseController : public QObject {
    Q_OBJECT
public:
    // filterPanel: closed through Akce_ZavritFiltr before the book changes.
    BrowseController(AppState& state, MainActions& actions, QTableView* grid,
                     const StatusLabels& labels, QWidget* filterPanel, QObject* parent = nullptr);

    QString BuildBookQuery() const;
    // Reopens the book data set over BuildBookQuery; a rejected query is shown and the grid
    // stays empty (false).
    bool ReopenBook();
    void ApplyFieldFormats();
    void LayoutColumns();
    // False (after showing the error) when the database rejected the sum query.
    bool SumColumn(const QString& column, double& sum);
    void RefreshTotals();
    void UpdateRecordStatus();
    void UpdateEditMode();
    void ChangeBook();
    // Sets the titles of the three date columns from the settings, wherever they were dragged.
    void refreshDateTitles();

    BookModel* model() const { return model_; }

protected:
    // A click on the book name in the status line changes the book.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    AppState& state_;
    MainActions& actions_;
    QTableView* grid_;
    StatusLabels labels_;
    QWidget* filterPanel_;
    BookModel* model_;
    BookGrid* bookGrid_;

    QString totalText(double sum) const;
    QList<int> rememberedWidths() const;
    // Writes the new book to the settings file first; false (after the error) leaves the book.
    bool switchBook(int typProstredi);
};
