#pragma once
// A fixture book with the main window's pieces that the finding commands work with: grid,
// status labels, the empty filter strip, the actions and the browse and find controllers.

#include "actions/mainactions.h"
#include "browse/browsecontroller.h"
#include "find/filterpanel.h"
#include "find/findcontroller.h"
#include "support/bookfixture.h"
#include "support/scriptedhost.h"

#include <QFile>
#include <QLabel>
#include <QTableView>
#include <QWidget>

struct FindWidgets {
    QWidget window;
    QTableView* grid = new QTableView(&window);
    QWidget* container = new QWidget(&window);
    StatusLabels labels;

    FindWidgets() {
        for (QLabel** label :
             {&labels.La_Pocitadlo, &labels.La_Rezim, &labels.La_TypProstredi,
              &labels.La_ZakladCelkem, &labels.La_DPHCelkem, &labels.La_CelkemCelkem})
            *label = new QLabel(&window);
        container->hide();
    }
};

struct FindFixture : BookFixture, FindWidgets {
    ScriptedHost host;
    MainActions actions{&window};
    BrowseController browse{state, actions, grid, labels, container};
    FindController find{state, actions, browse, grid, container, labels, &window};

    explicit FindFixture(int typProstredi = 0) : BookFixture(typProstredi) {
        // Stands in for the record command "První záznam".
        QObject::connect(actions.Akce_NaZacatek, &QAction::triggered, &state.book,
                         [this] { state.book.first(); });
    }

    // What the start-up does once the rows are in.
    void start() {
        browse.ReopenBook();
        browse.LayoutColumns();
        browse.RefreshTotals();
    }

    FilterPanel& panel() { return *find.filterPanel(); }

    QStringList messageTexts() const {
        QStringList texts;
        for (const dialogs::Message& m : host.messages)
            texts << m.text;
        return texts;
    }

    QByteArray iniBytes() const {
        QFile file(iniPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QString counter() const { return labels.La_Pocitadlo->text(); }
};
