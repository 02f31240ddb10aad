#pragma once
// The record commands over a prepared book, as the main window wires them: a grid, the status
// labels, the browse controller for the totals and the editing controller with its actions.

#include "editing/editingcontroller.h"
#include "storage/engine/formats.h"
#include "support/mainwindowrig.h"

#include <QApplication>
#include <QLineEdit>

struct EditingHarness : MainWindowRig {
    ScriptedHost host;
    std::unique_ptr<EditingController> editing;

    explicit EditingHarness(int typProstredi = 0) : MainWindowRig(typProstredi) {
        // As in the main window: the keys work wherever the focus is in the window.
        window.addActions(actions.all());
    }

    engine::DataSet& book() { return state.book; }

    // Opens the book as the start-up does, after the rows of the test are in place.
    void start() {
        editing =
            std::make_unique<EditingController>(state, actions, *browse, filterPanel, &window);
        MainWindowRig::start();
    }

    double databaseSum(const QString& column) {
        engine::QueryResult result;
        QString error;
        if (!state.connection.select(QStringLiteral("SELECT SUM(") + column +
                                         QStringLiteral(") FROM ") + state.activeBook.TableName(),
                                     result, &error))
            qFatal("%s", qPrintable(error));
        return result.rows.value(0).value(0).toDouble();
    }

    int storedRows() {
        engine::QueryResult result;
        state.connection.select(QStringLiteral("SELECT COUNT(*) FROM ") +
                                    state.activeBook.TableName(),
                                result, nullptr);
        return result.rows.value(0).value(0).toInt();
    }

    // The totals shown are those of the database.
    void verifyTotals() {
        const struct {
            QLabel* label;
            const char* column;
        } totals[] = {{labels.La_ZakladCelkem, "Zaklad"},
                      {labels.La_DPHCelkem, "DPH"},
                      {labels.La_CelkemCelkem, "Celkem"}};
        for (const auto& t : totals)
            QCOMPARE(t.label->text(),
                     engine::formatNumber(QStringLiteral("#,##0.00 "),
                                          databaseSum(QString::fromLatin1(t.column))) +
                         state.settings.Mena);
    }
};

// Makes a shown window the active one, so focus moves as the user's would.
inline void activate(QWidget& window) {
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
}

template <typename T> T* child(QWidget& parent, const char* name) {
    T* found = parent.findChild<T*>(QString::fromLatin1(name));
    if (!found)
        qFatal("no child %s", name);
    return found;
}
