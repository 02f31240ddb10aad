#include "reports/reportscontroller.h"

#include "dialogs/dialogy.h"
#include "orvex/designer/designer.h"
#include "orvex/orvex.h"
#include "reports/newtemplate.h"
#include "reports/parametertext.h"
#include "reports/templatedirectory.h"
#include "reports/templatename.h"
#include "reports/tspravcepredloh.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QToolButton>

namespace {

const QString itemPrefix = QStringLiteral("HMenu_Prehledy_");

// Leading and trailing blanks and control characters do not count as a name.
bool isBlank(const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() > u' ')
            return false;
    }
    return true;
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

ReportsController::ReportsController(AppState& state, MainActions& actions, QMenu* printMenu,
                                     QToolButton* printButton, QWidget* window)
    : QObject(window), state_(state), actions_(actions), HMenu_Prehledy(printMenu),
      PMenu_Tisk(new QMenu(window)), Tl_Tisk(printButton), window_(window) {
    PMenu_Tisk->setObjectName(QStringLiteral("PMenu_Tisk"));
    PMenu_Tisk->setToolTipsVisible(true);
    HMenu_Prehledy->setToolTipsVisible(true);
    runner_ = [this](const QString& templatePath, const QString& parameters, const QString& sql) {
        SestavaADO(qobject_cast<QApplication*>(QCoreApplication::instance()), templatePath,
                   parameters, sql, -1, &state_.connection);
    };
    designer_ = [this](const QString& path, const QString& reportName) {
        return orvex::designReport(window_, path,
                                   reports::reportParameterText(reportName, state_.settings,
                                                                state_.activeBook.TypProstredi()),
                                   state_.book.commandText(), &state_.connection,
                                   [](QDialog& window) { return dialogs::host().exec(window); });
    };
    connectActions();
}

void ReportsController::connectActions() {
    const std::pair<QAction*, void (ReportsController::*)()> commands[] = {
        {actions_.Akce_NovaSestava, &ReportsController::Akce_NovaSestavaExecute},
        {actions_.Akce_SpravaPredloh, &ReportsController::Akce_SpravaPredlohExecute}};
    for (const auto& [action, handler] : commands) {
        action->setEnabled(true);
        connect(action, &QAction::triggered, this, handler);
    }
    if (Tl_Tisk) {
        Tl_Tisk->setEnabled(true);
        connect(Tl_Tisk, &QToolButton::clicked, this, &ReportsController::Tl_TiskClick);
    }
}

QString ReportsController::templateDir() const {
    return state_.templateDir() + u'/';
}

QList<ReportsController::MenuItem> ReportsController::printMenuItems() {
    const auto run = [this](const QAction* item) { ReportItemClick(item); };
    QList<MenuItem> items = {
        {itemPrefix + QStringLiteral("NovaSestava"), actions_.Akce_NovaSestava->text(),
         actions_.Akce_NovaSestava->toolTip(), false,
         [this](const QAction*) { Akce_NovaSestavaExecute(); }, QString()},
        {itemPrefix + QStringLiteral("SpravaSestav"), actions_.Akce_SpravaPredloh->text(),
         actions_.Akce_SpravaPredloh->toolTip(), false,
         [this](const QAction*) { Akce_SpravaPredlohExecute(); }, QString()},
        // A separator with a text would show the text beside its line.
        {itemPrefix + QStringLiteral("Separator"), QString(), QString(), true, {}, QString()}};
    QStringList errors;
    const QString dir = templateDir();
    for (const QString& fileName : reports::templateFileNames(dir)) {
        QString error;
        const QString caption = reports::ReadTemplateName(dir + fileName, &error);
        if (error.isEmpty())
            items.append(
                {itemPrefix + fileName.chopped(4), caption, QString(), false, run, fileName});
        else
            errors << error;
        QCoreApplication::processEvents();
    }
    if (!errors.isEmpty())
        dialogs::ShowError(errors.join(u'\n'));
    return items;
}

void ReportsController::fillMenu(QMenu* menu, const QList<MenuItem>& items) {
    // The item that started a rebuild may still be delivering its click.
    for (QAction* old : menu->actions()) {
        menu->removeAction(old);
        old->deleteLater();
    }
    for (const MenuItem& item : items) {
        auto* action = new QAction(item.caption, menu);
        action->setObjectName(item.name);
        action->setSeparator(item.separator);
        action->setToolTip(item.hint);
        action->setStatusTip(item.hint);
        action->setData(item.fileName);
        if (item.handler) {
            const auto handler = item.handler;
            connect(action, &QAction::triggered, this, [action, handler] { handler(action); });
        }
        menu->addAction(action);
    }
}

void ReportsController::BuildPrintMenu() {
    const QList<MenuItem> items = printMenuItems();
    fillMenu(HMenu_Prehledy, items);
    fillMenu(PMenu_Tisk, items);
}

void ReportsController::ReportItemClick(const QAction* item) {
    // The file's own name as the directory search gave it: its extension may be "FR3".
    const QString fileName = item->data().toString();
    const QString title = dialogs::RemoveChar(item->text(), u'&');
    const QString parameters =
        reports::reportParameterText(title, state_.settings, state_.activeBook.TypProstredi());
    RunReport(templateDir() + fileName, parameters, state_.book.commandText());
}

void ReportsController::RunReport(const QString& templatePath, const QString& parameters,
                                  const QString& sql) {
    if (!QFileInfo::exists(templatePath)) {
        dialogs::ShowInfoTitled(QStringLiteral("Upozornění"),
                                QStringLiteral("Sestavu nelze spustit, nebyl nalezen soubor "
                                               "předlohy \"") +
                                    templatePath + QStringLiteral("\"."));
        return;
    }
    // The preview can open the designer; a saved change may rename the report.
    const QByteArray before = fileBytes(templatePath);
    runner_(templatePath, parameters, sql);
    if (fileBytes(templatePath) != before)
        BuildPrintMenu();
}

void ReportsController::Tl_TiskClick() {
    // 10 px in from the button's left edge, right under it, whatever the window frame's size.
    PMenu_Tisk->popup(Tl_Tisk->mapToGlobal(QPoint(10, Tl_Tisk->height())));
}

void ReportsController::Akce_NovaSestavaExecute() {
    QString name;
    if (!dialogs::host().inputText(QStringLiteral("Název sestavy ..."),
                                   QStringLiteral("Zadejte název sestavy:"), name))
        return;
    if (isBlank(name)) {
        dialogs::ShowInfoTitled(QStringLiteral("Zpráva"),
                                QStringLiteral("Nebyl zadan žádný název."));
        return;
    }
    const QString number = reports::NextTemplateNumber(templateDir());
    if (number.isEmpty()) {
        dialogs::ShowWarning(
            QStringLiteral("Upozornění"),
            QStringLiteral("Novou předlohu sestavy nelze vytvořit: její číslo by bylo vyšší "
                           "než %1 a název souboru by se mohl shodovat s existující předlohou. "
                           "Odstraňte nebo přejmenujte předlohy, jejichž název souboru nese "
                           "vysoké číslo.")
                .arg(reports::maxTemplateNumber));
        return;
    }
    const QString path =
        templateDir() + QStringLiteral("Predloha_") + number + QStringLiteral(".fr3");
    QString error;
    if (!reports::writeNewTemplate(path, reports::templateSkeleton(state_.ProgramDir, name),
                                   error)) {
        dialogs::ShowError(error);
        return;
    }
    BuildPrintMenu();
    if (designer_(path, name))
        BuildPrintMenu();
}

void ReportsController::Akce_SpravaPredlohExecute() {
    TSpravcePredloh manager(templateDir(), designer_, window_);
    dialogs::host().exec(manager);
    if (manager.rowCount() < manager.listedCount() || manager.templatesEdited())
        BuildPrintMenu();
}
