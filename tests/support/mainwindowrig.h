#pragma once
// A book folder with the pieces of the main window that the controllers drive: the window, its
// actions, the grid, the filter strip, the status labels and the browse controller over them,
// laid out and started the way the main window starts them. Header only: the test programs
// that use it link the browse library, the support library does not.

#include "actions/mainactions.h"
#include "browse/browsecontroller.h"
#include "support/bookfixture.h"
#include "support/scriptedhost.h"

#include <QDialog>
#include <QLabel>
#include <QRadioButton>
#include <QTableView>
#include <QTest>
#include <QVBoxLayout>
#include <memory>

struct MainWindowRig {
    BookFixture fixture;
    AppState& state;
    QWidget window;
    MainActions actions{&window};
    QTableView* grid = new QTableView(&window);
    QWidget* filterPanel = new QWidget(&window);
    StatusLabels labels;
    std::unique_ptr<BrowseController> browse;

    explicit MainWindowRig(int typProstredi = 0) : fixture(typProstredi), state(fixture.state) {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(filterPanel);
        layout->addWidget(grid);
        for (QLabel** label :
             {&labels.La_Pocitadlo, &labels.La_Rezim, &labels.La_TypProstredi,
              &labels.La_ZakladCelkem, &labels.La_DPHCelkem, &labels.La_CelkemCelkem}) {
            *label = new QLabel(QStringLiteral("?"), &window);
            layout->addWidget(*label);
        }
        labels.La_TypProstredi->setText(state.activeBook.info().statusName);
        filterPanel->hide();
        window.resize(900, 500);
        browse = std::make_unique<BrowseController>(state, actions, grid, labels, filterPanel);
    }

    // The start-up steps of the main window that belong to the book, once the rows are in.
    void start() {
        QVERIFY2(browse->ReopenBook(), qPrintable(state.book.lastError()));
        browse->LayoutColumns();
        browse->RefreshTotals();
    }

    QString title(int column) const {
        return grid->model()->headerData(column, Qt::Horizontal).toString();
    }
    QString cell(int row, int column) const {
        return grid->model()->index(row, column).data().toString();
    }
    QStringList sums() const {
        return {labels.La_ZakladCelkem->text(), labels.La_DPHCelkem->text(),
                labels.La_CelkemCelkem->text()};
    }
    QString counter() const { return labels.La_Pocitadlo->text(); }
};

// Modal window scripts of a choice dialog: mark option `index`; mark it and confirm.
inline void markOption(QDialog& dialog, int index) {
    QRadioButton* option = dialog.findChildren<QRadioButton*>().at(index);
    // On the round mark: a click past the end of the text would miss the option.
    QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(6, option->height() / 2));
}

inline int chooseOption(QDialog& dialog, int index) {
    markOption(dialog, index);
    return ScriptedHost::click(dialog, QStringLiteral("Tl_Ok"));
}
