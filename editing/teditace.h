#pragma once
// The record editor: a modal window whose boxes are bound to the current row of the book data
// set, with date buttons and a calendar, the VAT-rate and number-series menus, value pickers,
// and buttons for a new row, the previous and next row, undoing, confirming and cancelling.

#include "actions/mainactions.h"
#include "editing/fieldbinding.h"
#include "storage/appstate.h"

#include <QDialog>
#include <QVector>

class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

class TEditace : public QDialog {
    Q_OBJECT
public:
    // actions: Akce_Vzad and Akce_Vpred run the "<" and ">" buttons.
    TEditace(AppState& state, MainActions& actions, QWidget* parent = nullptr);

    // Writes the text typed into the boxes to the row; false when a box holds no number.
    bool writeBoxes();

public slots:
    // Esc presses Storno.
    void reject() override;
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    AppState& state_;
    MainActions& actions_;
    engine::DataSet& book_;
    QVector<FieldBinding*> bindings_;
    double scale_ = 1.0;

    QGridLayout* grid_ = nullptr;
    QLabel* La_Nadpis = nullptr;
    QLabel* La_Dodavatel_odberatel = nullptr;
    QLabel* La_Zaklad = nullptr;
    QLabel* La_DPH = nullptr;
    QLabel* La_Celkem = nullptr;
    QLabel* La_Datum[3] = {};
    QLineEdit* DB_Cislo = nullptr;
    QLineEdit* DB_SazbaDPH = nullptr;
    QMenu* PMenu_SazbaDPH = nullptr;
    QMenu* PMenu_CisRady = nullptr;
    QPushButton* Tl_Storno = nullptr;

    // Building.
    int scaled(int pixels) const;
    QHBoxLayout* addRow(int row, const char* labelName, const QString& caption);
    QLabel* label(int row) const;
    QLineEdit* addBox(QHBoxLayout* row, const QString& field, int width, FieldBinding::Kind kind);
    QPushButton* addButton(QHBoxLayout* row, const char* name, const QString& caption, int width,
                           const QString& hint, bool tabStop);
    void buildPartnerRows();
    void buildAmountRows();
    void buildDateRow(int row, int date);
    void buildBottomRow();
    void nameBoxes();
    void connectPickers();
    void buildRateMenu();
    void buildSeriesMenu();
    void arrangeTabOrder();
    void place();
    void setLabels();

    // Binding.
    void refreshAll();
    void refreshField(int field);

    // Commands.
    bool store();
    void newRecord();
    void runMove(QAction* action);
    void resetRecord();
    void confirm();
    void cancelAndClose();
    bool mayClose();
    void setDate(int date, const QDate& value);
    void shiftDate(int date, int days);
    void pickDate(QLineEdit* box, int date);
    void setRate(int rate);
    void chooseSeries(const QString& prefix);
    void pickValue(const QString& column);
};
