#include "app/thlavni.h"

#include "app/helpcontroller.h"
#include "app/outergeometry.h"
#include "backup/autobackup.h"
#include "backup/backupnames.h"
#include "backup/ui/backupcontroller.h"
#include "dialogs/dialogy.h"
#include "editing/editingcontroller.h"
#include "export/exportcontroller.h"
#include "find/findcontroller.h"
#include "reports/reportscontroller.h"
#include "storage/bootstrap.h"
#include "storage/inifile.h"
#include "storage/ui/tnastaveni.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QTableView>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

THlavni::THlavni(const QString& programDir, QWidget* parent)
    : QMainWindow(parent), actions_(this), backupActions_(this) {
    setObjectName(QStringLiteral("THlavni"));
    dialogs::setApplicationTitle(QStringLiteral("Lumira"));
    state_.ProgramDir = programDir;

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(buildToolBar());
    Panel_Filtr = new QWidget(central);
    Panel_Filtr->setObjectName(QStringLiteral("Panel_Filtr"));
    Panel_Filtr->setFixedHeight(169);
    layout->addWidget(Panel_Filtr);
    DBGrid1 = new QTableView(central);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    layout->addWidget(DBGrid1, 1);
    layout->addWidget(buildStatusLine());
    setCentralWidget(central);
    buildMenus();
    startUp();
}

THlavni::~THlavni() = default;

QString THlavni::captionFor(const QString& businessName) {
    return businessName.isEmpty() ? QStringLiteral("Lumira")
                                  : QStringLiteral("Lumira - ") + businessName;
}

void THlavni::showCaption() {
    // Qt takes "[*]" in a title for its modified marker; doubled, it is shown as written.
    setWindowTitle(captionFor(state_.settings.NazevSubjektu)
                       .replace(QStringLiteral("[*]"), QStringLiteral("[*][*]")));
}

void THlavni::buildMenus() {
    const MainActions& a = actions_;
    QMenu* file = menuBar()->addMenu(QStringLiteral("Soubor"));
    file->addAction(a.Akce_Export);
    file->addActions(backupActions_.all());
    file->addSeparator();
    HMenu_Prehledy = file->addMenu(QStringLiteral("Tisk"));
    HMenu_Prehledy->setObjectName(QStringLiteral("HMenu_Prehledy"));
    HMenu_Prehledy->menuAction()->setStatusTip(QStringLiteral("Tisk"));
    HMenu_Prehledy->menuAction()->setToolTip(QStringLiteral("Tisk"));
    file->addSeparator();
    file->addAction(a.Akce_KonecProgramu);

    QMenu* edit = menuBar()->addMenu(QStringLiteral("Úpravy"));
    edit->addAction(a.Akce_KopirovatZaznam);
    edit->addSeparator();
    edit->addActions({a.Akce_Hledat, a.Akce_HledatDalsi});
    edit->addSeparator();
    edit->addAction(a.Akce_PrechodNaZaznam);

    QMenu* data = menuBar()->addMenu(QStringLiteral("Data"));
    data->addActions({a.Akce_Novy, a.Akce_Edit, a.Akce_Smazat});
    data->addSeparator();
    data->addActions({a.Akce_NaZacatek, a.Akce_Vzad, a.Akce_Vpred, a.Akce_NaKonec});

    QMenu* tools = menuBar()->addMenu(QStringLiteral("Nástroje"));
    tools->addActions({a.Akce_Nastaveni, a.Akce_ZmenaTabulkaDB});

    QMenu* help = menuBar()->addMenu(QStringLiteral("Nápověda"));
    help->addActions({a.Akce_Napoveda, a.Akce_Domu});
    help->addSeparator();
    help->addAction(a.Akce_OProgramu);
    for (QMenu* menu : {file, edit, data, tools, help})
        menu->setToolTipsVisible(true);
    // Keys must work even when no menu shows the action.
    addActions(actions_.all());
}

QWidget* THlavni::buildToolBar() {
    auto* bar = new QWidget(this);
    bar->setObjectName(QStringLiteral("ToolBar"));
    bar->setFixedHeight(41);
    struct Button {
        const char* name;
        const char* caption;
        QAction* action;
    };
    const MainActions& a = actions_;
    const Button buttons[] = {{"Tl_Novy", "Nový záznam", a.Akce_Novy},
                              {"Tl_Edit", "Oprava záz.", a.Akce_Edit},
                              {"Tl_Smazat", "Smazat záz.", a.Akce_Smazat},
                              {"Tl_Hledat", "Hledat", a.Akce_Hledat},
                              {"Tl_Filtr", "Filtr", a.Akce_Filtr},
                              {"Tl_Tisk", "Tisk", nullptr},
                              {"Tl_VypisSumare", "Výpis sumáře", a.Akce_VypisSumare},
                              {"Tl_Export", "Export", a.Akce_Export},
                              {"Tl_Nastaveni", "Nastavení", a.Akce_Nastaveni}};
    int left = 8;
    for (const Button& b : buttons) {
        auto* button = new QToolButton(bar);
        button->setObjectName(QString::fromLatin1(b.name));
        if (b.action) {
            // A tool button takes its text from the action's icon text whenever the action changes.
            b.action->setIconText(QString::fromUtf8(b.caption));
            button->setDefaultAction(b.action);
        }
        button->setText(QString::fromUtf8(b.caption));
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        button->setGeometry(left, 8, 75, 25);
        left += 80;
        if (!b.action) {
            Tl_Tisk = button;
            button->setToolTip(QStringLiteral("Sestavy pro náhled a tisk"));
            button->setEnabled(false);
        }
    }
    return bar;
}

QWidget* THlavni::buildStatusLine() {
    auto* line = new QWidget(this);
    line->setObjectName(QStringLiteral("StatusLine"));
    line->setFixedHeight(41);
    auto* layout = new QHBoxLayout(line);
    const auto label = [line](const char* name, const QString& text) {
        auto* l = new QLabel(text, line);
        l->setObjectName(QString::fromLatin1(name));
        return l;
    };
    labels_.La_Pocitadlo = label("La_Pocitadlo", QStringLiteral("0 z 0"));
    labels_.La_Rezim = label("La_Rezim", QString());
    labels_.La_TypProstredi = label("La_TypProstredi", QString());
    labels_.La_TypProstredi->setStyleSheet(QStringLiteral("font-weight: bold; color: navy;"));
    layout->addWidget(labels_.La_Pocitadlo);
    layout->addWidget(labels_.La_Rezim);
    layout->addWidget(labels_.La_TypProstredi);
    layout->addStretch(1);
    const struct {
        const char* name;
        const char* caption;
        QLabel** target;
    } sums[] = {{"La_ZakladCelkem", "Základ celkem:", &labels_.La_ZakladCelkem},
                {"La_DPHCelkem", "DPH celkem:", &labels_.La_DPHCelkem},
                {"La_CelkemCelkem", "Základ + DPH celkem:", &labels_.La_CelkemCelkem}};
    for (const auto& sum : sums) {
        auto* box = new QVBoxLayout;
        box->setSpacing(0);
        box->addWidget(new QLabel(QString::fromUtf8(sum.caption), line));
        *sum.target = label(sum.name, QString());
        (*sum.target)->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        (*sum.target)->setStyleSheet(QStringLiteral("font-weight: bold; color: #800000;"));
        box->addWidget(*sum.target);
        layout->addLayout(box);
    }
    return line;
}

void THlavni::placeWindow(const IniFile& ini) {
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QRect outer = centredOuter(screen, QSize(designedWidth, designedHeight));
    if (state_.settings.UkladatFrm) {
        const QString section = QStringLiteral("HlavniFrm");
        outer = QRect(ini.readInteger(section, QStringLiteral("Zleva"), 0),
                      ini.readInteger(section, QStringLiteral("Zhora"), 0),
                      ini.readInteger(section, QStringLiteral("Sirka"), designedWidth),
                      ini.readInteger(section, QStringLiteral("Vyska"), designedHeight));
    }
    placeOuter(this, outer, QSize(designedWidth, minimumHeight));
    state_.EditorLeft = (screen.width() - 590) / 2;
    state_.EditorTop = (screen.height() - 500) / 2;
}

void THlavni::startUp() {
    {
        const IniFile ini(state_.settingsPath());
        state_.settings = Settings::read(ini);
        state_.activeBook.set(Settings::readTypProstredi(ini));
        placeWindow(ini);
    }
    showCaption();
    labels_.La_TypProstredi->setText(state_.activeBook.info().statusName);
    // Decided before the bootstrap, which may create or bring the file up to date.
    const bool backupDue =
        backup::startBackupDue(state_.databasePath(), backup::backupFolder(state_.ProgramDir));
    if (const BootstrapResult database = bootstrapDatabase(state_.connection, state_.ProgramDir);
        !database) {
        dialogs::ShowWarning(database.caption, database.warning);
        return;
    }
    Panel_Filtr->hide();
    DBGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    wireCommands();
    state_.BookCondition.clear();
    browse_->ReopenBook();
    browse_->LayoutColumns();
    browse_->RefreshTotals();
    reports_->BuildPrintMenu();
    started_ = true;
    // Once the first screen is up, so copying a large book does not hold it back.
    if (backupDue)
        QTimer::singleShot(500, backup_, &BackupController::backUpAutomatically);
}

// Creates the subsystems' controllers; each connects and enables the actions it owns.
void THlavni::wireCommands() {
    browse_ = new BrowseController(state_, actions_, DBGrid1, labels_, Panel_Filtr, this);
    find_ = new FindController(state_, actions_, *browse_, DBGrid1, Panel_Filtr, labels_, this);
    editing_ = new EditingController(state_, actions_, *browse_, Panel_Filtr, this);
    export_ = new ExportController(state_, actions_, this);
    reports_ = new ReportsController(state_, actions_, HMenu_Prehledy, Tl_Tisk, this);
    new HelpController(state_, actions_, this);
    backup_ = new BackupController(state_, *browse_, backupActions_, this);
    actions_.Akce_Nastaveni->setEnabled(true);
    connect(actions_.Akce_Nastaveni, &QAction::triggered, this, [this] {
        if (!runSettingsDialog(state_, this))
            return;
        showCaption();
        browse_->refreshDateTitles();
    });
    actions_.Akce_KonecProgramu->setEnabled(true);
    connect(actions_.Akce_KonecProgramu, &QAction::triggered, this, &QWidget::close);
}

QString THlavni::writeLayoutOnClose() {
    const Settings& s = state_.settings;
    if (!s.UkladatFrm && !s.UkladatTabulkuDB)
        return {};
    IniFile ini(state_.settingsPath());
    if (s.UkladatFrm && !isMaximized() && !isMinimized()) {
        const QString section = QStringLiteral("HlavniFrm");
        const QRect outer = frameGeometry();
        ini.writeInteger(section, QStringLiteral("Zleva"), outer.x());
        ini.writeInteger(section, QStringLiteral("Zhora"), outer.y());
        ini.writeInteger(section, QStringLiteral("Sirka"), outer.width());
        ini.writeInteger(section, QStringLiteral("Vyska"), outer.height());
    }
    if (s.UkladatTabulkuDB && DBGrid1->model()) {
        // The grid model names each column's field under Qt::UserRole.
        const QHeaderView* header = DBGrid1->horizontalHeader();
        for (int visual = 0; visual < header->count(); ++visual) {
            const int logical = header->logicalIndex(visual);
            const QString field =
                DBGrid1->model()->headerData(logical, Qt::Horizontal, Qt::UserRole).toString();
            if (!field.isEmpty())
                ini.writeInteger(QStringLiteral("TabulkaDB"), field, header->sectionSize(logical));
        }
    }
    return ini.save() ? QString() : ini.errorString();
}

void THlavni::closeEvent(QCloseEvent* event) {
    if (started_ && !closeHandled_) {
        closeHandled_ = true;
        const QString error = writeLayoutOnClose();
        if (!error.isEmpty())
            dialogs::ShowError(error);
        state_.scratch.close();
        state_.book.close();
        backup_->backUpAtClose();
    }
    event->accept();
}
