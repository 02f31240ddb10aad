#pragma once
// The value picker: a modal list of the distinct non-empty values of one column of the active
// book, narrowed by a text filter, from which the record editor takes a value.

#include "storage/appstate.h"

#include <QDialog>
#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;
class QStringListModel;
class QTableView;

class TSeznamPolozek : public QDialog {
    Q_OBJECT
public:
    TSeznamPolozek(engine::Connection& connection, const QString& tableName, const QString& column,
                   QWidget* parent = nullptr);

    // The picker's statement; the filter text (already trimmed) is matched anywhere in the
    // value, its apostrophes doubled and its % and _ kept as wildcards.
    static QString statement(const QString& tableName, const QString& column,
                             const QString& filter);

    const QString& column() const { return column_; }
    // The value of the list's current row (empty when there is none).
    const QString& chosenValue() const { return chosenValue_; }

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    engine::Connection& connection_;
    QString tableName_;
    QString column_;
    QString chosenValue_;
    bool filtered_ = false;
    bool queried_ = false;

    QStringListModel* values_ = nullptr;
    QTableView* DBGrid1 = nullptr;
    QLabel* La_Pocitadlo = nullptr;
    QLineEdit* Ed_Vyraz = nullptr;
    QPushButton* Tl_Filtr = nullptr;
    QPushButton* Tl_Ok = nullptr;
    QPushButton* Tl_Storno = nullptr;

    void buildControls();
    QLayout* buildBottomRow();
    void arrangeTabOrder();
    // Re-reads the list with the filter box's text; false (after showing the error) when the
    // database refused the statement, and the list is then empty.
    bool runQuery();
    void currentRowChanged();
    void filterClicked();
    void confirm();
};

// The whole picking flow for one editor button: picker for `column`, puts a browsing row into
// editing, sets the field, and for ICO / Dodavatel_odberatel asks the question and completes
// the partner (heading = the editor's partner heading, shown lower-cased in the question).
// False when nothing was picked.
bool pickIntoRecord(AppState& state, const QString& column, const QString& heading,
                    QWidget* parent);
