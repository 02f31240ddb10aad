#pragma once
// The finding commands of the main window: the filter panel, the search dialog with
// find-next, and the summary listing.

#include "browse/browsecontroller.h"

#include <QObject>

class FilterPanel;
class QTableView;
class QWidget;
struct AppState;
struct MainActions;

class FindController : public QObject {
    Q_OBJECT
public:
    // panelContainer is the empty strip under the tool bar that the filter panel fills; the
    // labels' texts are the totals the summary reports.
    FindController(AppState& state, MainActions& actions, BrowseController& browse,
                   QTableView* grid, QWidget* panelContainer, const StatusLabels& labels,
                   QWidget* window);

    FilterPanel* filterPanel() const { return panel_; }

    // Akce_Hledat, Akce_HledatDalsi, Akce_VypisSumare.
    void openSearch();
    void findNext();
    void showSummary();

private:
    AppState& state_;
    MainActions& actions_;
    BrowseController& browse_;
    QTableView* grid_;
    StatusLabels labels_;
    QWidget* window_;
    FilterPanel* panel_;

    void connectActions();
};
