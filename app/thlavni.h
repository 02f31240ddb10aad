#pragma once
// The main window: owns the shared state and the widgets, runs the start-up sequence and the
// close handling, and wires the subsystems' commands to its menus and buttons.

#include "actions/mainactions.h"
#include "backup/ui/backupactions.h"
#include "browse/browsecontroller.h"
#include "storage/appstate.h"

#include <QMainWindow>

class QLabel;
class QMenu;
class QTableView;
class QToolButton;
class IniFile;
class EditingController;
class FindController;
class ExportController;
class ReportsController;
class BackupController;

class THlavni : public QMainWindow {
    Q_OBJECT
public:
    // Designed outer size of the window (frame included).
    static constexpr int designedWidth = 820;
    static constexpr int designedHeight = 680;
    // Smallest outer size the user can give the window.
    static constexpr int minimumHeight = 596;

    explicit THlavni(const QString& programDir, QWidget* parent = nullptr);
    ~THlavni() override;

    // False when the database could not be prepared: the application must end without
    // showing the window (and without the close handling).
    bool started() const { return started_; }

    AppState& state() { return state_; }
    MainActions& actions() { return actions_; }
    QTableView* grid() const { return DBGrid1; }
    QWidget* filterPanel() const { return Panel_Filtr; }
    QMenu* printMenu() const { return HMenu_Prehledy; }
    QToolButton* printButton() const { return Tl_Tisk; }

    // The caption for a business name: "Lumira" or "Lumira - " + name.
    static QString captionFor(const QString& businessName);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    AppState state_;
    MainActions actions_;
    BackupActions backupActions_;
    bool started_ = false;
    bool closeHandled_ = false;

    QMenu* HMenu_Prehledy = nullptr;
    QWidget* Panel_Filtr = nullptr;
    QTableView* DBGrid1 = nullptr;
    QToolButton* Tl_Tisk = nullptr;
    StatusLabels labels_;

    // The subsystems' commands, created once the database is ready.
    BrowseController* browse_ = nullptr;
    EditingController* editing_ = nullptr;
    FindController* find_ = nullptr;
    ExportController* export_ = nullptr;
    ReportsController* reports_ = nullptr;
    BackupController* backup_ = nullptr;

    void buildMenus();
    QWidget* buildToolBar();
    QWidget* buildStatusLine();
    void placeWindow(const IniFile& ini);
    void showCaption();
    void startUp();
    void wireCommands();
    // Error text when the settings file could not be written, else empty.
    QString writeLayoutOnClose();
};
