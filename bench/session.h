#pragma once
// One benchmark run over one generated book: the program's shared state and the browse
// controller as the main window would set them up, the sqlite3 tool on the same file, and the
// helpers that time an operation and put its row into the table.

#include "actions/mainactions.h"
#include "bench/consolehost.h"
#include "bench/resulttable.h"
#include "bench/sqlitetool.h"
#include "browse/browsecontroller.h"
#include "storage/appstate.h"

#include <QLabel>
#include <QTableView>
#include <functional>
#include <memory>

namespace bench {

struct Options {
    QString workDir;
    QString sqlite3 = QStringLiteral("sqlite3");
    QString binaryDir; // where lumira and Ses/ are
    int reps = 5;
};

class Session {
public:
    Session(const Options& options, qint64 rows, ConsoleHost& host, ResultTable& table);
    ~Session();

    // Generates the book into a fresh folder and opens it as the program does at start.
    bool prepare(QString* error);

    AppState state;
    MainActions actions{nullptr};
    QTableView grid;
    QLabel labels[6];
    QWidget filterPanel;
    std::unique_ptr<BrowseController> browse;

    const Options& options() const { return options_; }
    const QString& dir() const { return dir_; } // the program folder, with a trailing '/'
    qint64 rows() const { return rows_; }
    int reps() const { return options_.reps; }
    SqliteTool& tool() { return *tool_; }
    QString table() const { return state.activeBook.TableName(); }

    // An operation under measurement; false (with the reason when it knows one) on failure.
    using Operation = std::function<bool(QString& reason)>;
    struct Timing {
        double cpuMs = -1; // -1: failed
        double wallMs = -1;
        QString failure;
    };
    // Medians of `op` over `reps` runs; the text of the problem when an operation failed or
    // showed a message.
    Timing measure(int reps, const Operation& op);
    // A timing row: our median CPU time against the tool's, with the goal it must meet.
    void report(const QString& task, const Timing& ours, const ToolTime& tool,
                const QString& goal = {});
    void reportMemory(const QString& task, qint64 oursKb, qint64 toolKb, const QString& goal = {});
    void reportMissing(const QString& task, const QString& why);

    // Jet text as our engine translates it on this book, as one statement of a tool script.
    QString toolSql(const QString& jetSql) const;
    // The three sums of RefreshTotals over the rows shown, as a tool script.
    QString toolSums() const;

private:
    Options options_;
    qint64 rows_;
    ConsoleHost& host_;
    ResultTable& table_;
    QString dir_;
    std::unique_ptr<SqliteTool> tool_;
};

} // namespace bench
