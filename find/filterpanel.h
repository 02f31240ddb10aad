#pragma once
// The filter panel under the tool bar: a date range on one of the three date columns and an
// expression looked for in one text column, turned into BookCondition on apply.

#include "find/filtercondition.h"

#include <QDate>
#include <QStringList>
#include <QWidget>
#include <functional>

class BrowseController;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;
class QTableView;
class QToolButton;
struct AppState;
struct MainActions;

class FilterPanel : public QWidget {
    Q_OBJECT
public:
    // The panel fills container, which is shown and hidden with it.
    FilterPanel(AppState& state, MainActions& actions, BrowseController& browse, QTableView* grid,
                QWidget* container);

    // Akce_Filtr, Akce_PouzitFiltr, Akce_ZrusitFiltr, Akce_ZavritFiltr.
    void openPanel();
    void applyFilter();
    void cancelFilter();
    void closePanel();
    bool isShown() const;

    // The filter line of the summary: empty while no filter is in force, else a description of
    // the controls as they are now.
    QString describeFilter() const;
    // The expression history as the list of Cb_Retezec holds it.
    QStringList historyEntries() const;

    // Today, replaceable so the month pick can be checked on any date.
    std::function<QDate()> today = &QDate::currentDate;

    QGroupBox* Ram_FiltrDatum = nullptr;
    QCheckBox* ChB_PouzitFiltrDatum = nullptr;
    QLabel* La_KdeFiltrovatDatum = nullptr;
    QComboBox* Cb_PoleDatum = nullptr;
    QLabel* La_DatumOd = nullptr;
    QDateEdit* Date_Od = nullptr;
    QLabel* La_DatumDo = nullptr;
    QDateEdit* Date_Do = nullptr;
    QToolButton* Tl_Mesic = nullptr;
    QMenu* PMenu_Mesic = nullptr;
    QGroupBox* Ram_FiltrPole = nullptr;
    QCheckBox* ChB_PouzitFiltrVyraz = nullptr;
    QLabel* La_KdeFiltrovat = nullptr;
    QComboBox* Cb_Pole = nullptr;
    QLabel* La_Vyraz = nullptr;
    QComboBox* Cb_Retezec = nullptr;
    QPushButton* Tl_PouzitFiltr = nullptr;
    QPushButton* Tl_ZrusitFiltr = nullptr;
    QPushButton* Tl_ZavritFiltr = nullptr;

private:
    AppState& state_;
    MainActions& actions_;
    BrowseController& browse_;
    QTableView* grid_;
    QWidget* container_;

    QGroupBox* buildDateGroup();
    QGroupBox* buildExpressionGroup();
    QWidget* buildButtons();
    void buildMonthMenu();
    void captionMonths();
    void chooseMonth(const QString& itemName);
    void setDateControlsEnabled(bool enabled);
    void setExpressionControlsEnabled(bool enabled);
    void setHistory(const QStringList& entries);
    FilterRequest request() const;
    void focusProblem(FilterProblem problem);
    void reopenBook();
};
