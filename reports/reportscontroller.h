#pragma once
// The print menus built from the template directory, running a report through the report
// library, new templates and the template manager.

#include "actions/mainactions.h"
#include "storage/appstate.h"

#include <QObject>
#include <functional>

class QAction;
class QMenu;
class QToolButton;
class QWidget;

class ReportsController : public QObject {
    Q_OBJECT
public:
    // Receives what the report library gets: template path, parameter text, SQL text.
    using ReportRunner = std::function<void(const QString&, const QString&, const QString&)>;

    // printMenu is HMenu_Prehledy; printButton (Tl_Tisk) pops up PMenu_Tisk; window owns the
    // pop-up menu and the template manager.
    ReportsController(AppState& state, MainActions& actions, QMenu* printMenu,
                      QToolButton* printButton, QWidget* window);

    // Opens a template in the report designer (path, report name): true when it was saved.
    using TemplateDesigner = std::function<bool(const QString&, const QString&)>;

    // Replaces the call of the report library (tests record the arguments).
    void setReportRunner(ReportRunner runner) { runner_ = std::move(runner); }
    void setTemplateDesigner(TemplateDesigner designer) { designer_ = std::move(designer); }

    QMenu* popupMenu() const { return PMenu_Tisk; }
    // Folder of the templates, ending with a separator.
    QString templateDir() const;

    void BuildPrintMenu();
    void ReportItemClick(const QAction* item);
    void RunReport(const QString& templatePath, const QString& parameters, const QString& sql);
    void Tl_TiskClick();
    void Akce_NovaSestavaExecute();
    void Akce_SpravaPredlohExecute();

private:
    struct MenuItem {
        QString name;
        QString caption;
        QString hint;
        bool separator = false;
        std::function<void(const QAction*)> handler;
        QString fileName; // of a template item
    };

    AppState& state_;
    MainActions& actions_;
    QMenu* HMenu_Prehledy;
    QMenu* PMenu_Tisk;
    QToolButton* Tl_Tisk;
    QWidget* window_;
    ReportRunner runner_;
    TemplateDesigner designer_;

    QList<MenuItem> printMenuItems();
    void fillMenu(QMenu* menu, const QList<MenuItem>& items);
    void connectActions();
};
