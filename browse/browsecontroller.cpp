#include "browse/browsecontroller.h"

#include "browse/bookgrid.h"
#include "browse/bookmodel.h"
#include "dialogs/dialogy.h"
#include "storage/engine/formats.h"
#include "storage/inifile.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QTableView>

namespace {

const QString amountFields[] = {QStringLiteral("Zaklad"), QStringLiteral("DPH"),
                                QStringLiteral("Celkem")};
const QString dateFields[] = {QStringLiteral("Datum1"), QStringLiteral("Datum2"),
                              QStringLiteral("Datum3")};

} // namespace

BrowseController::BrowseController(AppState& state, MainActions& actions, QTableView* grid,
                                   const StatusLabels& labels, QWidget* filterPanel,
                                   QObject* parent)
    : QObject(parent), state_(state), actions_(actions), grid_(grid), labels_(labels),
      filterPanel_(filterPanel), model_(new BookModel(state.book, this)),
      bookGrid_(new BookGrid(grid, model_, state.book, actions.Akce_Edit)) {
    connect(&state_.book, &engine::DataSet::stateChanged, this, &BrowseController::UpdateEditMode);
    connect(&state_.book, &engine::DataSet::dataChanged, this,
            &BrowseController::UpdateRecordStatus);
    actions_.Akce_ZmenaTabulkaDB->setEnabled(true);
    connect(actions_.Akce_ZmenaTabulkaDB, &QAction::triggered, this, &BrowseController::ChangeBook);
    labels_.La_TypProstredi->installEventFilter(this);
}

QString BrowseController::BuildBookQuery() const {
    return QStringLiteral("SELECT * FROM ") + state_.activeBook.TableName() + u' ' +
           state_.BookCondition + QStringLiteral(" ORDER BY Id");
}

bool BrowseController::ReopenBook() {
    engine::DataSet& book = state_.book;
    // The grid and the status line hear of the reopened book once, with its formats in place.
    book.disableControls();
    book.close();
    book.setCommandText(BuildBookQuery());
    const bool opened = book.open();
    if (opened)
        ApplyFieldFormats();
    book.enableControls();
    if (!opened)
        dialogs::ShowError(book.lastError());
    return opened;
}

void BrowseController::ApplyFieldFormats() {
    for (const QString& field : amountFields) {
        state_.book.setDisplayFormat(field, QStringLiteral("#,##0.00"));
        state_.book.setEditFormat(field, QStringLiteral("0.00"));
    }
    for (const QString& field : dateFields)
        state_.book.setDisplayFormat(field, QStringLiteral("d.m.yyyy"));
}

QList<int> BrowseController::rememberedWidths() const {
    QList<int> widths;
    for (int column = 0; column < BookModel::columns; ++column)
        widths << BookModel::designedWidth(column);
    if (!state_.settings.UkladatTabulkuDB)
        return widths;
    const IniFile ini(state_.settingsPath());
    const QString section = QStringLiteral("TabulkaDB");
    if (!ini.sectionExists(section))
        return widths;
    for (int column = 0; column < BookModel::columns; ++column) {
        const int stored = ini.readInteger(section, BookModel::fieldName(column), 0);
        if (stored != 0)
            widths[column] = stored;
    }
    return widths;
}

void BrowseController::LayoutColumns() {
    model_->setPartnerTitle(state_.activeBook.info().partnerTitle);
    refreshDateTitles();
    bookGrid_->restoreColumns(rememberedWidths());
}

void BrowseController::refreshDateTitles() {
    const int book = state_.activeBook.TypProstredi();
    model_->setDateTitles({state_.settings.dateCaption(book, 1),
                           state_.settings.dateCaption(book, 2),
                           state_.settings.dateCaption(book, 3)});
}

bool BrowseController::SumColumn(const QString& column, double& sum) {
    engine::DataSet& scratch = state_.scratch;
    scratch.close();
    scratch.setCommandText(QStringLiteral("SELECT SUM(") + column +
                           QStringLiteral(") AS CelkemSA FROM ") + state_.activeBook.TableName() +
                           u' ' + state_.BookCondition);
    if (!scratch.open()) {
        const QString error = scratch.lastError();
        scratch.close();
        dialogs::ShowError(error);
        return false;
    }
    sum = scratch.isNull(QStringLiteral("CelkemSA")) ? 0.0
                                                     : scratch.number(QStringLiteral("CelkemSA"));
    scratch.close();
    return true;
}

QString BrowseController::totalText(double sum) const {
    const QString& currency = state_.settings.Mena;
    // The zero text keeps its comma whatever the locale.
    if (sum == 0.0)
        return QStringLiteral("0,00 ") + currency;
    return engine::formatNumber(QStringLiteral("#,##0.00 ") + currency, sum);
}

void BrowseController::RefreshTotals() {
    double sums[3] = {0, 0, 0};
    for (int i = 0; i < 3; ++i)
        if (!SumColumn(amountFields[i], sums[i]))
            return;
    labels_.La_ZakladCelkem->setText(totalText(sums[0]));
    labels_.La_DPHCelkem->setText(totalText(sums[1]));
    labels_.La_CelkemCelkem->setText(totalText(sums[2]));
}

void BrowseController::UpdateRecordStatus() {
    const engine::DataSet& book = state_.book;
    const int position = qMax(book.recNo(), 0);
    const int count = book.recordCount();
    labels_.La_Pocitadlo->setText(QString::number(position) + QStringLiteral(" z ") +
                                  QString::number(count));
    const bool notFirst = position > 1;
    actions_.Akce_NaZacatek->setEnabled(notFirst);
    actions_.Akce_Vzad->setEnabled(notFirst);
    const bool notLast = position < count && count > 0;
    actions_.Akce_NaKonec->setEnabled(notLast);
    actions_.Akce_Vpred->setEnabled(notLast);
    const bool browsing = count > 0 && book.state() == engine::DataSet::State::Browse;
    actions_.Akce_Edit->setEnabled(browsing);
    actions_.Akce_Smazat->setEnabled(browsing);
    const bool rowsShown = book.isActive() && count > 0;
    for (QAction* action : {actions_.Akce_KopirovatZaznam, actions_.Akce_Export,
                            actions_.Akce_Hledat, actions_.Akce_PrechodNaZaznam})
        action->setEnabled(rowsShown);
    actions_.Akce_HledatDalsi->setEnabled(rowsShown && !state_.search.LastSearchText.isEmpty());
}

void BrowseController::UpdateEditMode() {
    using State = engine::DataSet::State;
    const State state = state_.book.state();
    if (state == State::Browse)
        labels_.La_Rezim->setText(QStringLiteral("[Prohlížení]"));
    else if (state == State::Edit)
        labels_.La_Rezim->setText(QStringLiteral("[Editace]"));
    else if (state == State::Insert)
        labels_.La_Rezim->setText(QStringLiteral("[Vkládání]"));
    const bool browsing = state == State::Browse;
    actions_.Akce_Novy->setEnabled(browsing);
    actions_.Akce_Edit->setEnabled(browsing);
    actions_.Akce_Smazat->setEnabled(browsing);
}

void BrowseController::ChangeBook() {
    int chosen = state_.activeBook.TypProstredi();
    if (!dialogs::PickOption({bookInfo(0).choiceName, bookInfo(1).choiceName}, chosen, QString(),
                             QStringLiteral("Vyberte knihu faktur")))
        return;
    if (filterPanel_ && !filterPanel_->isHidden())
        actions_.Akce_ZavritFiltr->trigger();
    if (chosen == state_.activeBook.TypProstredi() || !switchBook(chosen))
        return;
    ReopenBook();
    LayoutColumns();
    RefreshTotals();
    labels_.La_TypProstredi->setText(state_.activeBook.info().statusName);
}

bool BrowseController::switchBook(int typProstredi) {
    IniFile ini(state_.settingsPath());
    Settings::writeTypProstredi(ini, typProstredi);
    if (!ini.save()) {
        dialogs::ShowError(ini.errorString());
        return false;
    }
    state_.activeBook.set(typProstredi);
    return true;
}

bool BrowseController::eventFilter(QObject* watched, QEvent* event) {
    if (watched == labels_.La_TypProstredi && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        actions_.Akce_ZmenaTabulkaDB->trigger();
        return true;
    }
    return QObject::eventFilter(watched, event);
}
