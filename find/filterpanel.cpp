#include "find/filterpanel.h"

#include "actions/mainactions.h"
#include "browse/browsecontroller.h"
#include "dialogs/dialogy.h"
#include "dialogs/win1250validator.h"
#include "find/fieldlists.h"
#include "find/history.h"
#include "find/summary.h"
#include "storage/appstate.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString historySection = QStringLiteral("Filtr");

template <typename T> T* named(T* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QLabel* captionFor(QWidget* buddy, const QString& text, const char* name, QWidget* parent) {
    auto* label = named(new QLabel(text, parent), name);
    label->setBuddy(buddy);
    return label;
}

QDateEdit* datePicker(const char* name, QWidget* parent) {
    auto* picker = named(new QDateEdit(parent), name);
    picker->setCalendarPopup(true);
    picker->setDisplayFormat(QStringLiteral("d.M.yyyy"));
    return picker;
}

// A button that runs an action and follows its availability.
QPushButton* actionButton(QAction* action, const char* name, QWidget* parent) {
    auto* button = named(new QPushButton(action->text(), parent), name);
    button->setToolTip(action->toolTip());
    button->setEnabled(action->isEnabled());
    QObject::connect(button, &QPushButton::clicked, action, &QAction::trigger);
    QObject::connect(action, &QAction::changed, button,
                     [button, action] { button->setEnabled(action->isEnabled()); });
    return button;
}

} // namespace

FilterPanel::FilterPanel(AppState& state, MainActions& actions, BrowseController& browse,
                         QTableView* grid, QWidget* container)
    : QWidget(container), state_(state), actions_(actions), browse_(browse), grid_(grid),
      container_(container) {
    setObjectName(QStringLiteral("FilterPanel"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 4, 8, 4);
    layout->addWidget(buildDateGroup());
    layout->addWidget(buildExpressionGroup(), 1);
    layout->addWidget(buildButtons());
    auto* outer = new QVBoxLayout(container);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(this);
    buildMonthMenu();
    setDateControlsEnabled(false);
    setExpressionControlsEnabled(false);
}

QGroupBox* FilterPanel::buildDateGroup() {
    Ram_FiltrDatum =
        named(new QGroupBox(QStringLiteral("Filtr podle data"), this), "Ram_FiltrDatum");
    QGroupBox* group = Ram_FiltrDatum;
    ChB_PouzitFiltrDatum =
        named(new QCheckBox(QStringLiteral("Pouzit filtr"), group), "ChB_PouzitFiltrDatum");
    Cb_PoleDatum = named(new QComboBox(group), "Cb_PoleDatum");
    Cb_PoleDatum->setMinimumContentsLength(14);
    La_KdeFiltrovatDatum =
        captionFor(Cb_PoleDatum, QStringLiteral("Název pole"), "La_KdeFiltrovatDatum", group);
    Date_Od = datePicker("Date_Od", group);
    La_DatumOd = captionFor(Date_Od, QStringLiteral("Počáteční datum"), "La_DatumOd", group);
    Date_Do = datePicker("Date_Do", group);
    La_DatumDo = captionFor(Date_Do, QStringLiteral("Koncové datum"), "La_DatumDo", group);
    Tl_Mesic = named(new QToolButton(group), "Tl_Mesic");
    Tl_Mesic->setText(QStringLiteral("..."));
    Tl_Mesic->setToolTip(QStringLiteral("Rychlá volba měsíce"));
    Tl_Mesic->setFocusPolicy(Qt::NoFocus);

    auto* grid = new QGridLayout(group);
    grid->addWidget(ChB_PouzitFiltrDatum, 0, 0, 1, 3);
    grid->addWidget(La_KdeFiltrovatDatum, 1, 0);
    grid->addWidget(Cb_PoleDatum, 1, 1, 1, 2);
    grid->addWidget(La_DatumOd, 2, 0);
    grid->addWidget(Date_Od, 2, 1);
    grid->addWidget(Tl_Mesic, 2, 2);
    grid->addWidget(La_DatumDo, 3, 0);
    grid->addWidget(Date_Do, 3, 1);
    connect(ChB_PouzitFiltrDatum, &QCheckBox::toggled, this, &FilterPanel::setDateControlsEnabled);
    return group;
}

QGroupBox* FilterPanel::buildExpressionGroup() {
    Ram_FiltrPole =
        named(new QGroupBox(QStringLiteral("Filtr podle výrazu"), this), "Ram_FiltrPole");
    QGroupBox* group = Ram_FiltrPole;
    ChB_PouzitFiltrVyraz =
        named(new QCheckBox(QStringLiteral("Pouzit filtr"), group), "ChB_PouzitFiltrVyraz");
    Cb_Pole = named(new QComboBox(group), "Cb_Pole");
    La_KdeFiltrovat = captionFor(Cb_Pole, QStringLiteral("Název pole"), "La_KdeFiltrovat", group);
    Cb_Retezec = named(new QComboBox(group), "Cb_Retezec");
    Cb_Retezec->setEditable(true);
    Cb_Retezec->setInsertPolicy(QComboBox::NoInsert);
    Cb_Retezec->setMaxVisibleItems(10);
    dialogs::installWin1250Filter(Cb_Retezec->lineEdit());
    La_Vyraz = captionFor(Cb_Retezec, QStringLiteral("Výraz"), "La_Vyraz", group);

    auto* grid = new QGridLayout(group);
    grid->addWidget(ChB_PouzitFiltrVyraz, 0, 0, 1, 2);
    grid->addWidget(La_KdeFiltrovat, 1, 0);
    grid->addWidget(Cb_Pole, 1, 1);
    grid->addWidget(La_Vyraz, 2, 0);
    grid->addWidget(Cb_Retezec, 2, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(3, 1);
    connect(ChB_PouzitFiltrVyraz, &QCheckBox::toggled, this,
            &FilterPanel::setExpressionControlsEnabled);
    return group;
}

QWidget* FilterPanel::buildButtons() {
    auto* box = new QWidget(this);
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 8, 0, 0);
    Tl_PouzitFiltr = actionButton(actions_.Akce_PouzitFiltr, "Tl_PouzitFiltr", box);
    Tl_ZrusitFiltr = actionButton(actions_.Akce_ZrusitFiltr, "Tl_ZrusitFiltr", box);
    Tl_ZavritFiltr = actionButton(actions_.Akce_ZavritFiltr, "Tl_ZavritFiltr", box);
    for (QPushButton* button : {Tl_PouzitFiltr, Tl_ZrusitFiltr, Tl_ZavritFiltr})
        column->addWidget(button);
    column->addStretch(1);
    return box;
}

void FilterPanel::buildMonthMenu() {
    PMenu_Mesic = named(new QMenu(this), "PMenu_Mesic");
    for (int month = 1; month <= 12; ++month) {
        QAction* item = PMenu_Mesic->addAction(QString());
        item->setObjectName(QStringLiteral("PMenu_Mesic_") + QString::number(month));
        connect(item, &QAction::triggered, this, [this, item] { chooseMonth(item->objectName()); });
    }
    connect(PMenu_Mesic, &QMenu::aboutToShow, this, &FilterPanel::captionMonths);
    connect(Tl_Mesic, &QToolButton::clicked, this,
            [this] { PMenu_Mesic->popup(Tl_Mesic->mapToGlobal(QPoint(0, Tl_Mesic->height()))); });
}

void FilterPanel::captionMonths() {
    static const char* const names[] = {"Leden ",  "Únor ",   "Březen ",   "Duben ",
                                        "Květen ", "Červen ", "Červenec ", "Srpen ",
                                        "Září ",   "Říjen ",  "Listopad ", "Prosinec "};
    const QString year = QString::number(dialogs::YearOfDate(today()));
    const QList<QAction*> items = PMenu_Mesic->actions();
    for (int i = 0; i < items.size(); ++i)
        items[i]->setText(QString::fromUtf8(names[i]) + year);
}

void FilterPanel::chooseMonth(const QString& itemName) {
    const int month = itemName.mid(QStringLiteral("PMenu_Mesic_").size()).toInt();
    const QDate now = today();
    Date_Od->setDate(firstDayOfMonth(month, now));
    Date_Do->setDate(lastDayOfMonth(month, now));
}

void FilterPanel::setDateControlsEnabled(bool enabled) {
    for (QWidget* control :
         std::initializer_list<QWidget*>{La_KdeFiltrovatDatum, Cb_PoleDatum, La_DatumOd, La_DatumDo,
                                         Date_Od, Date_Do, Tl_Mesic})
        control->setEnabled(enabled);
}

void FilterPanel::setExpressionControlsEnabled(bool enabled) {
    for (QWidget* control :
         std::initializer_list<QWidget*>{La_KdeFiltrovat, La_Vyraz, Cb_Pole, Cb_Retezec})
        control->setEnabled(enabled);
}

void FilterPanel::setHistory(const QStringList& entries) {
    Cb_Retezec->clear();
    Cb_Retezec->addItems(entries);
}

QStringList FilterPanel::historyEntries() const {
    QStringList entries;
    for (int i = 0; i < Cb_Retezec->count(); ++i)
        entries << Cb_Retezec->itemText(i);
    return entries;
}

bool FilterPanel::isShown() const {
    return !container_->isHidden();
}

void FilterPanel::openPanel() {
    rebuildDateFieldList(state_.settings, state_.activeBook.TypProstredi());
    Cb_PoleDatum->clear();
    Cb_PoleDatum->addItems(captionsOf(DateFieldList()));
    Cb_PoleDatum->setCurrentIndex(-1);
    rebuildFilterFieldList(gridColumns(grid_));
    Cb_Pole->clear();
    Cb_Pole->addItems(captionsOf(FilterFieldList()));
    Cb_Pole->setCurrentIndex(0);
    setHistory(history::read(state_.settingsPath(), historySection));
    Cb_Retezec->setCurrentIndex(-1);
    Cb_Retezec->clearEditText();
    const QDate now = today();
    Date_Do->setDate(now);
    Date_Od->setDate(now.addMonths(-1));
    ChB_PouzitFiltrDatum->setChecked(false);
    ChB_PouzitFiltrVyraz->setChecked(false);
    setDateControlsEnabled(false);
    setExpressionControlsEnabled(false);
    browse_.RefreshTotals();
    actions_.Akce_Filtr->setEnabled(false);
    actions_.Akce_ZrusitFiltr->setEnabled(false);
    actions_.Akce_PouzitFiltr->setEnabled(true);
    actions_.Akce_ZavritFiltr->setEnabled(true);
    container_->show();
}

FilterRequest FilterPanel::request() const {
    FilterRequest r;
    r.dateOn = ChB_PouzitFiltrDatum->isChecked();
    const int dateIndex = Cb_PoleDatum->currentIndex();
    if (dateIndex >= 0 && dateIndex < DateFieldList().size())
        r.dateField = fieldNameOf(DateFieldList()[dateIndex]);
    r.from = Date_Od->date();
    r.to = Date_Do->date();
    r.expressionOn = ChB_PouzitFiltrVyraz->isChecked();
    const int fieldIndex = Cb_Pole->currentIndex();
    if (fieldIndex >= 0 && fieldIndex < FilterFieldList().size())
        r.field = fieldNameOf(FilterFieldList()[fieldIndex]);
    r.expression = Cb_Retezec->currentText();
    return r;
}

void FilterPanel::focusProblem(FilterProblem problem) {
    if (problem == FilterProblem::NoField)
        Cb_Pole->setFocus();
    else if (problem == FilterProblem::NoExpression)
        Cb_Retezec->setFocus();
}

void FilterPanel::applyFilter() {
    const FilterRequest r = request();
    const FilterProblem problem = checkFilter(r);
    if (problem != FilterProblem::None) {
        dialogs::ShowInfo(problemMessage(problem));
        focusProblem(problem);
        return;
    }
    if (r.expressionOn) {
        QStringList entries = historyEntries();
        dialogs::PushHistory(entries, trimBlanks(r.expression), history::maxEntries);
        setHistory(entries);
        Cb_Retezec->setCurrentIndex(0);
    }
    state_.BookCondition = filterCondition(r);
    reopenBook();
    // Even when the database refused the condition, cancelling must bring the book back.
    actions_.Akce_ZrusitFiltr->setEnabled(true);
}

void FilterPanel::cancelFilter() {
    state_.BookCondition.clear();
    reopenBook();
}

void FilterPanel::reopenBook() {
    if (browse_.ReopenBook())
        browse_.RefreshTotals();
}

void FilterPanel::closePanel() {
    const QString error = history::write(state_.settingsPath(), historySection, historyEntries());
    if (!error.isEmpty())
        dialogs::ShowError(error);
    if (actions_.Akce_ZrusitFiltr->isEnabled())
        cancelFilter();
    container_->hide();
    actions_.Akce_ZrusitFiltr->setEnabled(false);
    actions_.Akce_PouzitFiltr->setEnabled(false);
    actions_.Akce_ZavritFiltr->setEnabled(false);
    actions_.Akce_Filtr->setEnabled(true);
}

QString FilterPanel::describeFilter() const {
    if (state_.BookCondition.isEmpty())
        return {};
    FilterDescription d;
    d.dateOn = ChB_PouzitFiltrDatum->isChecked();
    d.from = Date_Od->date();
    d.to = Date_Do->date();
    d.expressionOn = ChB_PouzitFiltrVyraz->isChecked();
    d.fieldCaption = Cb_Pole->currentText();
    // The list entry chosen, not text typed over it.
    const int chosen = Cb_Retezec->currentIndex();
    if (chosen >= 0 && Cb_Retezec->itemText(chosen) == Cb_Retezec->currentText())
        d.expression = Cb_Retezec->itemText(chosen);
    return filterLine(d);
}
