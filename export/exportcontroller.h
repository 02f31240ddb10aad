#pragma once
// The main window's export command: proposes a file name for the active book and exports the
// rows the grid shows.

#include <QObject>

struct AppState;
struct MainActions;
class QWidget;

class ExportController : public QObject {
    Q_OBJECT
public:
    // window owns the save dialog and the progress window.
    ExportController(AppState& state, MainActions& actions, QWidget* window);

    // FakturyDosle_ or FakturyOdeslane_ followed by today's date, without extension.
    QString defaultFileName() const;

public slots:
    void Akce_ExportExecute();

private:
    AppState& state_;
    QWidget* window_;
};
