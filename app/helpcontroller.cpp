#include "app/helpcontroller.h"

#include "app/programversion.h"
#include "backup/backupnames.h"
#include "dialogs/aboutdialog.h"
#include "dialogs/dialogy.h"
#include "orvex/orvex.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {

// The help page shipped beside the executable.
QString helpPagePath() {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/napoveda.html");
}

QString homePage() {
    return QStringLiteral("http://") + dialogs::homeHost() + u'/';
}

} // namespace

HelpController::HelpController(const AppState& state, MainActions& actions, QObject* parent)
    : QObject(parent), state_(state) {
    const std::pair<QAction*, void (HelpController::*)()> commands[] = {
        {actions.Akce_Napoveda, &HelpController::Akce_NapovedaExecute},
        {actions.Akce_Domu, &HelpController::Akce_DomuExecute},
        {actions.Akce_OProgramu, &HelpController::Akce_OProgramuExecute}};
    for (const auto& [action, handler] : commands) {
        action->setEnabled(true);
        connect(action, &QAction::triggered, this, handler);
    }
}

void HelpController::Akce_OProgramuExecute() {
    QString label;
    OznaceniVerzeDLL(&label);
    dialogs::ShowAboutDialog(GetProgramVersion(), releaseDate(), QStringLiteral("Orvex  ") + label,
                             state_.ProgramDir, backup::backupFolder(state_.ProgramDir));
}

void HelpController::Akce_NapovedaExecute() {
    const QString path = helpPagePath();
    if (!QFileInfo::exists(path)) {
        dialogs::ShowInfoTitled(QStringLiteral("Upozornění"),
                                QStringLiteral("Nápovědu nelze otevřít, nebyl nalezen soubor \"") +
                                    path + QStringLiteral("\"."));
        return;
    }
    dialogs::OpenDocument(path, QString());
}

void HelpController::Akce_DomuExecute() {
    dialogs::OpenDocument(homePage(), QString());
}
