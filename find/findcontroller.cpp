#include "find/findcontroller.h"

#include "dialogs/dialogy.h"
#include "find/filterpanel.h"
#include "find/findinbook.h"
#include "find/summary.h"
#include "find/thledat.h"

#include <QLabel>

FindController::FindController(AppState& state, MainActions& actions, BrowseController& browse,
                               QTableView* grid, QWidget* panelContainer,
                               const StatusLabels& labels, QWidget* window)
    : QObject(window), state_(state), actions_(actions), browse_(browse), grid_(grid),
      labels_(labels), window_(window),
      panel_(new FilterPanel(state, actions, browse, grid, panelContainer)) {
    connectActions();
}

void FindController::connectActions() {
    const MainActions& a = actions_;
    connect(a.Akce_Filtr, &QAction::triggered, panel_, &FilterPanel::openPanel);
    connect(a.Akce_PouzitFiltr, &QAction::triggered, panel_, &FilterPanel::applyFilter);
    connect(a.Akce_ZrusitFiltr, &QAction::triggered, panel_, &FilterPanel::cancelFilter);
    connect(a.Akce_ZavritFiltr, &QAction::triggered, panel_, &FilterPanel::closePanel);
    connect(a.Akce_Hledat, &QAction::triggered, this, &FindController::openSearch);
    connect(a.Akce_HledatDalsi, &QAction::triggered, this, &FindController::findNext);
    connect(a.Akce_VypisSumare, &QAction::triggered, this, &FindController::showSummary);
    a.Akce_Filtr->setEnabled(!panel_->isShown());
    a.Akce_VypisSumare->setEnabled(true);
}

void FindController::openSearch() {
    THledat dialog(state_, actions_.Akce_NaZacatek, gridColumns(grid_), window_);
    dialogs::host().exec(dialog);
    // The first search makes find-next available.
    browse_.UpdateRecordStatus();
}

void FindController::findNext() {
    const LastSearch& last = state_.search;
    if (last.LastSearchText.isEmpty())
        return;
    if (!FindInBook(state_.book, last.LastSearchField, last.LastSearchText, last.LastSearchWhole))
        dialogs::ShowInfo(QStringLiteral("Hledaný výraz: ") + last.LastSearchText +
                          QStringLiteral(" nebyl nalezen."));
}

void FindController::showSummary() {
    SummaryInputs inputs;
    inputs.today = QDate::currentDate();
    inputs.baseTotal = labels_.La_ZakladCelkem->text();
    inputs.vatTotal = labels_.La_DPHCelkem->text();
    inputs.grossTotal = labels_.La_CelkemCelkem->text();
    inputs.rowCount = state_.book.isActive() ? state_.book.recordCount() : 0;
    inputs.filterLine = panel_->describeFilter();
    dialogs::ShowTextWindow(QStringLiteral("Celkový přehled"), summaryText(inputs), false);
}
