#include "find/thledat.h"

#include "dialogs/dialogy.h"
#include "dialogs/win1250validator.h"
#include "find/findinbook.h"
#include "find/history.h"
#include "storage/appstate.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

namespace {

const QString historySection = QStringLiteral("Seznam");

QPushButton* button(const QString& caption, const QString& hint, const char* name,
                    QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setToolTip(hint);
    b->setAutoDefault(false);
    return b;
}

} // namespace

THledat::THledat(AppState& state, QAction* firstRecord, const QList<GridColumn>& columns,
                 QWidget* parent)
    : QDialog(parent), state_(state), firstRecord_(firstRecord), columns_(columns) {
    setObjectName(QStringLiteral("THledat"));
    setWindowTitle(QStringLiteral("Hledat"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    buildControls();
    Cb_Retezec->addItems(history::read(state_.settingsPath(), historySection));
    Cb_Retezec->setCurrentIndex(-1);
    fillColumns();
    Celevyrazy->setChecked(false);
    Tl_HledatOdZacatku->setEnabled(false);
    Tl_HledatVyraz->setEnabled(false);
    SearchStartPosition = state_.book.bookmark();
    setFixedSize(sizeHint().expandedTo(QSize(404, 154)));
    move(QGuiApplication::primaryScreen()->availableGeometry().center() - rect().center());
}

void THledat::buildControls() {
    Cb_Pole = new QComboBox(this);
    Cb_Pole->setObjectName(QStringLiteral("Cb_Pole"));
    La_KdeHledat = new QLabel(QStringLiteral("Kde hledat"), this);
    La_KdeHledat->setObjectName(QStringLiteral("La_KdeHledat"));
    La_KdeHledat->setBuddy(Cb_Pole);
    Cb_Retezec = new QComboBox(this);
    Cb_Retezec->setObjectName(QStringLiteral("Cb_Retezec"));
    Cb_Retezec->setEditable(true);
    Cb_Retezec->setInsertPolicy(QComboBox::NoInsert);
    Cb_Retezec->setMaxVisibleItems(10);
    dialogs::installWin1250Filter(Cb_Retezec->lineEdit());
    La_CoHledat = new QLabel(QStringLiteral("Co hledat"), this);
    La_CoHledat->setObjectName(QStringLiteral("La_CoHledat"));
    La_CoHledat->setBuddy(Cb_Retezec);
    Celevyrazy = new QCheckBox(QStringLiteral("Pouze celé výrazy"), this);
    Celevyrazy->setObjectName(QStringLiteral("Celevyrazy"));

    auto* grid = new QGridLayout(this);
    grid->addWidget(La_KdeHledat, 0, 0);
    grid->addWidget(Cb_Pole, 0, 1);
    grid->addWidget(La_CoHledat, 1, 0);
    grid->addWidget(Cb_Retezec, 1, 1);
    grid->addWidget(Celevyrazy, 2, 1);
    grid->addWidget(buildButtons(), 3, 0, 1, 2);
    grid->setColumnStretch(1, 1);

    setTabOrder(Cb_Pole, Cb_Retezec);
    setTabOrder(Cb_Retezec, Celevyrazy);
    setTabOrder(Celevyrazy, Tl_HledatOdZacatku);
    setTabOrder(Tl_HledatOdZacatku, Tl_HledatVyraz);
    setTabOrder(Tl_HledatVyraz, Tl_Zpet);
    setTabOrder(Tl_Zpet, Tl_Storno);

    connect(Cb_Retezec, &QComboBox::editTextChanged, this, &THledat::enableSearch);
    connect(Cb_Retezec, &QComboBox::activated, this, &THledat::enableSearch);
}

QWidget* THledat::buildButtons() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 8, 0, 0);
    Tl_HledatOdZacatku =
        button(QStringLiteral("Na začátek"), QStringLiteral("Přesun na první záznam"),
               "Tl_HledatOdZacatku", row);
    Tl_HledatVyraz =
        button(QStringLiteral("Hledat"), QStringLiteral("Zahájit hledání"), "Tl_HledatVyraz", row);
    Tl_HledatVyraz->setDefault(true);
    Tl_Zpet =
        button(QStringLiteral("Zpět"), QStringLiteral("Návrat na výchozí pozici"), "Tl_Zpet", row);
    Tl_Storno = button(QStringLiteral("Storno"), QStringLiteral("Stornuje formuláíř Hledat"),
                       "Tl_Storno", row);
    for (QPushButton* b : {Tl_HledatOdZacatku, Tl_HledatVyraz, Tl_Zpet, Tl_Storno})
        layout->addWidget(b);
    connect(Tl_HledatOdZacatku, &QPushButton::clicked, this, &THledat::goToFirst);
    connect(Tl_HledatVyraz, &QPushButton::clicked, this, &THledat::search);
    connect(Tl_Zpet, &QPushButton::clicked, this, &THledat::goBack);
    connect(Tl_Storno, &QPushButton::clicked, this, &QDialog::reject);
    return row;
}

void THledat::fillColumns() {
    int chosen = 0;
    for (int i = 0; i < columns_.size(); ++i) {
        Cb_Pole->addItem(columns_[i].caption);
        if (!state_.search.LastSearchField.isEmpty() &&
            columns_[i].field == state_.search.LastSearchField)
            chosen = i;
    }
    Cb_Pole->setCurrentIndex(columns_.isEmpty() ? -1 : chosen);
}

void THledat::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    Cb_Retezec->setFocus();
}

void THledat::enableSearch() {
    Tl_HledatOdZacatku->setEnabled(true);
    Tl_HledatVyraz->setEnabled(true);
}

QStringList THledat::historyEntries() const {
    QStringList entries;
    for (int i = 0; i < Cb_Retezec->count(); ++i)
        entries << Cb_Retezec->itemText(i);
    return entries;
}

void THledat::search() {
    const QString text = Cb_Retezec->currentText();
    if (text.isEmpty()) {
        dialogs::ShowInfo(QStringLiteral("Není zadaný hledaný výraz ..."));
        return;
    }
    QStringList entries = historyEntries();
    dialogs::PushHistory(entries, text, history::maxEntries);
    Cb_Retezec->clear();
    Cb_Retezec->addItems(entries);
    Cb_Retezec->setCurrentIndex(0);
    const int column = Cb_Pole->currentIndex();
    state_.search.LastSearchField = column >= 0 ? columns_[column].field : QString();
    state_.search.LastSearchText = text;
    state_.search.LastSearchWhole = Celevyrazy->isChecked();
    if (!FindInBook(state_.book, state_.search.LastSearchField, text, Celevyrazy->isChecked()))
        dialogs::ShowInfo(QStringLiteral("Hledaný výraz: ") + text +
                          QStringLiteral(" nebyl nalezen."));
}

void THledat::goToFirst() {
    if (firstRecord_ && firstRecord_->isEnabled())
        firstRecord_->trigger();
}

void THledat::goBack() {
    if (SearchStartPosition >= 0)
        state_.book.gotoBookmark(SearchStartPosition);
}

void THledat::done(int result) {
    const QString error = history::write(state_.settingsPath(), historySection, historyEntries());
    if (!error.isEmpty())
        dialogs::ShowError(error);
    QDialog::done(result);
}
