#include "storage/ui/tnastaveni.h"

#include "dialogs/charfilter.h"
#include "dialogs/dialoghost.h"
#include "dialogs/dialogy.h"
#include "dialogs/typedspinbox.h"
#include "dialogs/win1250validator.h"
#include "storage/appstate.h"
#include "storage/inifile.h"
#include "storage/ui/tnastavenibindings.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

using Blanks = TNastaveniBindings::Blanks;
using TextMember = Settings::TextMember;
using NumberMember = Settings::NumberMember;

const QSize clientSize(411, 508);
constexpr int prefixLength = 8;
constexpr int rateLength = 5;
constexpr int maxRate = 50;

// The date captions and defaults of one book (TypProstredi), Datum1..Datum3.
struct BookDates {
    int book;
    const char* code;
    const char* captionsTitle;
    const char* defaultsTitle;
};

const BookDates bookDates[] = {
    {0, "FD", "Popisky pro kolonky datum v knize došlé faktury",
     "Výchozí hodnota pro došlé faktury"},
    {1, "FO", "Popisky pro kolonky datum v knize odeslané faktury",
     "Výchozí hodnota pro odeslané faktury"},
};

QString dateLabel(int date) {
    return QStringLiteral("Datum %1").arg(date);
}

QGroupBox* groupOf(const QString& title, QLayout* layout) {
    auto* group = new QGroupBox(title);
    group->setLayout(layout);
    return group;
}

// A tab page: its groups from the top, free space below.
QWidget* pageOf(const QList<QWidget*>& parts) {
    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);
    for (QWidget* part : parts)
        column->addWidget(part);
    column->addStretch(1);
    return page;
}

QGridLayout* formGrid() {
    auto* grid = new QGridLayout;
    grid->setColumnStretch(1, 1);
    return grid;
}

void addRow(QGridLayout* grid, const QString& label, QWidget* field) {
    const int row = grid->rowCount();
    auto* caption = new QLabel(label);
    caption->setBuddy(field);
    grid->addWidget(caption, row, 0);
    grid->addWidget(field, row, 1);
}

QCheckBox* checkBox(const QString& caption, const QString& name) {
    auto* box = new QCheckBox(caption);
    box->setObjectName(name);
    return box;
}

} // namespace

TNastaveni::TNastaveni(Settings& settings, const QString& iniPath, QWidget* parent)
    : QDialog(parent), settings_(settings), iniPath_(iniPath),
      bindings_(new TNastaveniBindings(this)) {
    setObjectName(QStringLiteral("TNastaveni"));
    setWindowTitle(QStringLiteral("Nastavení prostředí"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    auto* tabs = new QTabWidget;
    tabs->setObjectName(QStringLiteral("PageControl"));
    tabs->addTab(userPage(), QStringLiteral("Údaje uživatele"));
    tabs->addTab(numberingPage(), QStringLiteral("Číslování"));
    tabs->addTab(vatPage(), QStringLiteral("DPH"));
    tabs->addTab(dateCaptionsPage(), QStringLiteral("Kolonky datum"));
    tabs->addTab(defaultDatesPage(), QStringLiteral("Výchozí hodnoty"));
    tabs->addTab(layoutPage(), QStringLiteral("Konfigurace prostředí"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs, 1);
    layout->addWidget(buttonStrip());

    bindings_->load(settings_);
    tabs->setCurrentIndex(0);
    ok_->setEnabled(false);
    connect(bindings_, &TNastaveniBindings::changed, ok_, [this] { ok_->setEnabled(true); });
    // With a larger platform font the six tab titles may need more than the designed width;
    // all of them stay in sight rather than behind scroll arrows.
    const int margins = layout->contentsMargins().left() + layout->contentsMargins().right();
    const QSize tabsWidth(tabs->tabBar()->sizeHint().width() + margins + 4, 0);
    setFixedSize(clientSize.expandedTo(sizeHint()).expandedTo(tabsWidth));
}

QLineEdit* TNastaveni::textEdit(const QString& name, int maxLength) {
    auto* edit = new QLineEdit;
    edit->setObjectName(name);
    if (maxLength > 0)
        edit->setMaxLength(maxLength);
    dialogs::installWin1250Filter(edit);
    return edit;
}

QLineEdit* TNastaveni::addEdit(QGridLayout* grid, const QString& label, const QString& name,
                               TextMember member, int maxLength) {
    QLineEdit* edit = textEdit(name, maxLength);
    addRow(grid, label, edit);
    bindings_->bind(edit, member);
    return edit;
}

QWidget* TNastaveni::userPage() {
    struct Row {
        const char* label;
        const char* name;
        TextMember member;
        int maxLength;
    };
    const Row rows[] = {
        {"Název subjektu", "Ed_NazevSubjektu", &Settings::NazevSubjektu, 0},
        {"Odpovědná osoba", "Ed_OdpovednaOsoba", &Settings::OdpovednaOsoba, 0},
        {"Ulice", "Ed_Ulice", &Settings::Ulice, 0},
        {"PSČ", "Ed_PSC", &Settings::PSC, 6},
        {"Město", "Ed_Mesto", &Settings::Mesto, 0},
        {"IČ", "Ed_IC", &Settings::IC, 8},
        {"DIČ", "Ed_DIC", &Settings::DIC, 12},
        {"Telefon/Fax/Mobil", "Ed_Tel", &Settings::Tel, 0},
        {"Email", "Ed_Email", &Settings::Email, 0},
        {"WWW", "Ed_WWW", &Settings::WWW, 0},
        {"Označení měny", "Ed_Mena", &Settings::Mena, 3},
    };
    QGridLayout* grid = formGrid();
    for (const Row& row : rows) {
        QLineEdit* edit = addEdit(grid, QString::fromUtf8(row.label), QString::fromLatin1(row.name),
                                  row.member, row.maxLength);
        if (row.maxLength > 0)
            edit->setMaximumWidth(120);
    }
    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);
    column->addLayout(grid);
    column->addStretch(1);
    return page;
}

QWidget* TNastaveni::numberingPage() {
    return pageOf({defaultSeriesGroup(), moreSeriesGroup(), numberingKindGroup()});
}

QWidget* TNastaveni::defaultSeriesGroup() {
    struct Book {
        const char* checkCaption;
        const char* checkName;
        const char* prefixLabel;
        const char* prefixName;
    };
    const Book books[] = {
        {"Automatické vkládání čísla faktury - došlé faktury", "ChBox_AutoCislo_FD",
         "Prefix - došlé faktury", "Ed_Prefix_FD"},
        {"Automatické vkládání čísla faktury - odeslané faktury", "ChBox_AutoCislo_FO",
         "Prefix - odeslané faktury", "Ed_Prefix_FO"},
    };
    auto* grid = new QGridLayout;
    grid->setColumnStretch(2, 1);
    for (int i = 0; i < 2; ++i) {
        const Book& book = books[i];
        QCheckBox* box =
            checkBox(QString::fromUtf8(book.checkCaption), QString::fromLatin1(book.checkName));
        grid->addWidget(box, grid->rowCount(), 0, 1, 3);
        bindings_->bind(box, Settings::autoNumberMember(i));
        QLineEdit* prefix = textEdit(QString::fromLatin1(book.prefixName), prefixLength);
        prefix->setFixedWidth(90);
        addRow(grid, QString::fromUtf8(book.prefixLabel), prefix);
        bindings_->bind(prefix, Settings::numberPrefixMember(i), Blanks::Trimmed);
    }
    return groupOf(QStringLiteral("Číselné řady - výchozí"), grid);
}

QWidget* TNastaveni::moreSeriesGroup() {
    auto* grid = new QGridLayout;
    grid->setColumnStretch(0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Název číselné řady")), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("Prefix")), 0, 1);
    // Created row by row, so Tab goes name 1, prefix 1, name 2, prefix 2, ...
    for (int i = 0; i < Settings::seriesCount; ++i) {
        const QString number = QString::number(i + 1);
        QLineEdit* name = textEdit(QStringLiteral("Ed_NazevCisRady") + number, 0);
        QLineEdit* prefix = textEdit(QStringLiteral("Ed_SekPrefix") + number, prefixLength);
        prefix->setFixedWidth(90);
        grid->addWidget(name, i + 1, 0);
        grid->addWidget(prefix, i + 1, 1);
        bindings_->bind(name, Settings::seriesNameMember(i + 1), Blanks::Trimmed);
        bindings_->bind(prefix, Settings::seriesPrefixMember(i + 1), Blanks::Trimmed);
    }
    return groupOf(QStringLiteral("Číselné řady - další (shodné pro došlé i odeslané faktury)"),
                   grid);
}

QWidget* TNastaveni::numberingKindGroup() {
    auto* column = new QVBoxLayout;
    QGroupBox* group = groupOf(QStringLiteral("Přidělování čísel pro číselné řady"), column);
    group->setObjectName(QStringLiteral("RG_TypCiselneRady"));
    auto* buttons = new QButtonGroup(group);
    const QString items[] = {QStringLiteral("Průběžné číslování společné pro všechny číselné řady"),
                             QStringLiteral("Odělené číslování pro každou číselnou řadu")};
    for (int i = 0; i < 2; ++i) {
        auto* radio = new QRadioButton(items[i]);
        column->addWidget(radio);
        buttons->addButton(radio, i);
    }
    bindings_->bind(buttons, &Settings::TypCiselneRady);
    return group;
}

QSpinBox* TNastaveni::addRate(QGridLayout* grid, const QString& label, const QString& name,
                              NumberMember member) {
    auto* spin = new dialogs::TypedSpinBox;
    spin->setObjectName(QStringLiteral("UpDown_") + name);
    spin->setLocale(QLocale::c());
    spin->setRange(0, maxRate);
    spin->setSingleStep(1);
    spin->setFixedWidth(70);
    QLineEdit* edit = spin->findChild<QLineEdit*>();
    edit->setObjectName(QStringLiteral("Ed_") + name);
    edit->setMaxLength(rateLength);
    auto* filter = dialogs::CharFilter::rate(spin);
    spin->installEventFilter(filter);
    edit->installEventFilter(filter);
    addRow(grid, label, spin);
    bindings_->bind(spin, member);
    return spin;
}

QWidget* TNastaveni::vatPage() {
    auto* grid = new QGridLayout;
    grid->setColumnStretch(2, 1);
    addRate(grid, QStringLiteral("Základní sazba DPH v %"), QStringLiteral("ZakladniSazbaDPH"),
            &Settings::ZakladniSazbaDPH);
    addRate(grid, QStringLiteral("Snížená sazba 1 v %"), QStringLiteral("SnizenaSazbaDPH1"),
            &Settings::SnizenaSazbaDPH1);
    addRate(grid, QStringLiteral("Snížená sazba 2 v %"), QStringLiteral("SnizenaSazbaDPH2"),
            &Settings::SnizenaSazbaDPH2);
    return pageOf({groupOf(QStringLiteral("Sazby DPH"), grid)});
}

QWidget* TNastaveni::dateCaptionsPage() {
    QList<QWidget*> groups;
    for (const BookDates& book : bookDates) {
        QGridLayout* grid = formGrid();
        for (int date = 1; date <= 3; ++date)
            addEdit(grid, dateLabel(date),
                    QStringLiteral("Ed_PopiskaD%1_").arg(date) + QLatin1String(book.code),
                    Settings::dateCaptionMember(book.book, date));
        groups << groupOf(QString::fromUtf8(book.captionsTitle), grid);
    }
    return pageOf(groups);
}

QComboBox* TNastaveni::addDefaultDate(QGridLayout* grid, const QString& label, const QString& name,
                                      NumberMember member) {
    auto* list = new QComboBox;
    list->setObjectName(name);
    list->addItems({QStringLiteral("žádná"), QStringLiteral("Dnešní datum"),
                    QStringLiteral("Dnešní datum +14 dní ")});
    addRow(grid, label, list);
    bindings_->bind(list, member);
    return list;
}

QWidget* TNastaveni::defaultDatesPage() {
    QList<QWidget*> groups;
    for (const BookDates& book : bookDates) {
        QGridLayout* grid = formGrid();
        for (int date = 1; date <= 3; ++date)
            addDefaultDate(grid, dateLabel(date),
                           QStringLiteral("CBox_VychHodnotaD%1_").arg(date) +
                               QLatin1String(book.code),
                           Settings::defaultDateKindMember(book.book, date));
        groups << groupOf(QString::fromUtf8(book.defaultsTitle), grid);
    }
    return pageOf(groups);
}

QWidget* TNastaveni::layoutPage() {
    QCheckBox* window = checkBox(QStringLiteral("Zapamatovat pozici a rozměr fomuláře"),
                                 QStringLiteral("ChBox_UkladatFrm"));
    QCheckBox* grid = checkBox(QStringLiteral("Zapamatovat rozložení tabulky"),
                               QStringLiteral("ChBox_UkladatTabulkuDB"));
    bindings_->bind(window, &Settings::UkladatFrm);
    bindings_->bind(grid, &Settings::UkladatTabulkuDB);
    return pageOf({window, grid});
}

QWidget* TNastaveni::buttonStrip() {
    auto* strip = new QWidget;
    auto* row = new QHBoxLayout(strip);
    row->setContentsMargins(0, 0, 0, 0);
    row->addStretch(1);
    ok_ = new QPushButton(QStringLiteral("Ok"));
    ok_->setObjectName(QStringLiteral("Tl_Ok"));
    auto* storno = new QPushButton(QStringLiteral("Storno"));
    storno->setObjectName(QStringLiteral("Tl_Storno"));
    // Enter must not confirm: neither button is a default one.
    for (QPushButton* button : {ok_, storno}) {
        button->setAutoDefault(false);
        button->setDefault(false);
        button->setFixedSize(75, 25);
        row->addWidget(button);
    }
    connect(ok_, &QPushButton::clicked, this, &TNastaveni::confirm);
    connect(storno, &QPushButton::clicked, this, &QDialog::reject);
    return strip;
}

void TNastaveni::confirm() {
    Settings updated = settings_;
    bindings_->store(updated);
    IniFile ini(iniPath_);
    updated.write(ini);
    // Memory and file change together: after a failed save neither does, and the dialog stays
    // open so the user can try again or leave with Storno.
    if (!ini.save()) {
        dialogs::ShowError(ini.errorString());
        return;
    }
    settings_ = updated;
    accept();
}

bool runSettingsDialog(AppState& state, QWidget* parent) {
    TNastaveni dialog(state.settings, state.settingsPath(), parent);
    return dialogs::host().exec(dialog) == QDialog::Accepted;
}
