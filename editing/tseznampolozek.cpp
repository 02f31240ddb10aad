#include "editing/tseznampolozek.h"

#include "dialogs/dialogy.h"
#include "dialogs/win1250validator.h"
#include "editing/partnerlookup.h"
#include "storage/engine/formats.h"
#include "storage/engine/jetliteral.h"

#include <QEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStringListModel>
#include <QTableView>
#include <QVBoxLayout>

namespace {

constexpr int clientWidth = 505;
constexpr int clientHeight = 515;
constexpr int columnMargin = 55;

const QString filterCaption = QStringLiteral("Filtr");
const QString cancelFilterCaption = QStringLiteral("Zrušit");

// The values with the column's name as the only column title.
class ValueListModel : public QStringListModel {
public:
    ValueListModel(const QString& title, QObject* parent)
        : QStringListModel(parent), title_(title) {}

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
            return title_;
        return QStringListModel::headerData(section, orientation, role);
    }
    Qt::ItemFlags flags(const QModelIndex& index) const override {
        return QStringListModel::flags(index) & ~Qt::ItemIsEditable;
    }

private:
    QString title_;
};

class WaitCursor {
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

QPushButton* button(const QString& name, const QString& caption, QWidget* parent) {
    auto* pushButton = new QPushButton(caption, parent);
    pushButton->setObjectName(name);
    pushButton->setFixedSize(75, 25);
    return pushButton;
}

QStringList firstColumnTexts(const engine::QueryResult& result) {
    QStringList texts;
    texts.reserve(result.rows.size());
    for (const auto& row : result.rows)
        texts << engine::plainText(row.value(0));
    return texts;
}

} // namespace

TSeznamPolozek::TSeznamPolozek(engine::Connection& connection, const QString& tableName,
                               const QString& column, QWidget* parent)
    : QDialog(parent), connection_(connection), tableName_(tableName), column_(column) {
    setObjectName(QStringLiteral("TSeznamPolozek"));
    setWindowTitle(QStringLiteral("Výběr - ") + column);
    buildControls();
    arrangeTabOrder();
    setFixedSize(clientWidth, clientHeight);
}

QString TSeznamPolozek::statement(const QString& tableName, const QString& column,
                                  const QString& filter) {
    const QString filterPart = filter.isEmpty()
                                   ? QString()
                                   : QStringLiteral(" AND (") + column + QStringLiteral(" LIKE ") +
                                         jetLiteral(u'%' + filter + u'%') + u')';
    return QStringLiteral("SELECT DISTINCT ") + column + QStringLiteral(" FROM ") + tableName +
           QStringLiteral(" WHERE ") + column + QStringLiteral(" <> ''") + filterPart;
}

void TSeznamPolozek::buildControls() {
    values_ = new ValueListModel(column_, this);
    DBGrid1 = new QTableView(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setModel(values_);
    DBGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DBGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    DBGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    DBGrid1->setTabKeyNavigation(false);
    DBGrid1->verticalHeader()->hide();
    // Fixed row heights keep a list of a million values quick to lay out.
    DBGrid1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    DBGrid1->verticalHeader()->setDefaultSectionSize(DBGrid1->fontMetrics().height() + 6);
    DBGrid1->viewport()->installEventFilter(this);
    connect(DBGrid1->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &TSeznamPolozek::currentRowChanged);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(DBGrid1, 1);
    layout->addLayout(buildBottomRow());
}

QLayout* TSeznamPolozek::buildBottomRow() {
    La_Pocitadlo = new QLabel(this);
    La_Pocitadlo->setObjectName(QStringLiteral("La_Pocitadlo"));
    La_Pocitadlo->setMinimumWidth(72);
    Ed_Vyraz = new QLineEdit(this);
    Ed_Vyraz->setObjectName(QStringLiteral("Ed_Vyraz"));
    Ed_Vyraz->setFixedWidth(121);
    Ed_Vyraz->setFocusPolicy(Qt::ClickFocus);
    dialogs::installWin1250Filter(Ed_Vyraz);
    Tl_Filtr = button(QStringLiteral("Tl_Filtr"), filterCaption, this);
    Tl_Ok = button(QStringLiteral("Tl_Ok"), QStringLiteral("Ok"), this);
    Tl_Ok->setDefault(true);
    Tl_Storno = button(QStringLiteral("Tl_Storno"), QStringLiteral("Storno"), this);
    connect(Tl_Filtr, &QPushButton::clicked, this, &TSeznamPolozek::filterClicked);
    connect(Tl_Ok, &QPushButton::clicked, this, &TSeznamPolozek::confirm);
    connect(Tl_Storno, &QPushButton::clicked, this, &QDialog::reject);

    auto* row = new QHBoxLayout;
    row->addWidget(La_Pocitadlo);
    row->addWidget(Ed_Vyraz);
    row->addWidget(Tl_Filtr);
    row->addStretch(1);
    row->addWidget(Tl_Ok);
    row->addWidget(Tl_Storno);
    return row;
}

void TSeznamPolozek::arrangeTabOrder() {
    QWidget::setTabOrder(Tl_Filtr, Tl_Ok);
    QWidget::setTabOrder(Tl_Ok, Tl_Storno);
    QWidget::setTabOrder(Tl_Storno, DBGrid1);
}

void TSeznamPolozek::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (queried_)
        return;
    queried_ = true;
    Tl_Filtr->setFocus();
    runQuery();
}

bool TSeznamPolozek::runQuery() {
    engine::QueryResult result;
    QString error;
    bool ok = false;
    {
        WaitCursor wait;
        ok = connection_.select(statement(tableName_, column_, Ed_Vyraz->text().trimmed()), result,
                                &error);
    }
    values_->setStringList(ok ? firstColumnTexts(result) : QStringList());
    DBGrid1->setColumnWidth(0, width() - columnMargin);
    if (values_->rowCount() > 0)
        DBGrid1->setCurrentIndex(values_->index(0));
    currentRowChanged();
    if (!ok)
        dialogs::ShowError(error);
    return ok;
}

void TSeznamPolozek::currentRowChanged() {
    const QModelIndex current = DBGrid1->currentIndex();
    const int position = current.isValid() ? current.row() + 1 : 0;
    La_Pocitadlo->setText(QString::number(position) + QStringLiteral(" z ") +
                          QString::number(values_->rowCount()));
    chosenValue_ = current.isValid() ? current.data().toString() : QString();
    Tl_Ok->setEnabled(position > 0);
}

void TSeznamPolozek::filterClicked() {
    if (filtered_) {
        Ed_Vyraz->clear();
        if (runQuery())
            filtered_ = false;
    } else if (Ed_Vyraz->text().trimmed().isEmpty()) {
        dialogs::ShowInfo(QStringLiteral("Není zadaný výraz pro filtr."));
        return;
    } else if (runQuery()) {
        filtered_ = true;
    }
    Tl_Filtr->setText(filtered_ ? cancelFilterCaption : filterCaption);
}

void TSeznamPolozek::confirm() {
    if (!DBGrid1->currentIndex().isValid()) {
        dialogs::ShowInfo(QStringLiteral("Není vybrána žádná položka"));
        return;
    }
    accept();
}

bool TSeznamPolozek::eventFilter(QObject* watched, QEvent* event) {
    // A double click anywhere in the list confirms, over an empty list too.
    if (watched == DBGrid1->viewport() && event->type() == QEvent::MouseButtonDblClick)
        confirm();
    return QDialog::eventFilter(watched, event);
}

namespace {

QString partnerQuestion(const QString& column, const QString& heading) {
    const QString partner = heading.toLower();
    if (column == QLatin1String("ICO"))
        return QStringLiteral("Chcete podle vložené hodnoty IČO doplnit i ostatní údaje ") +
               partner + QStringLiteral("e?");
    return QStringLiteral("Chcete podle vloženého ") + partner +
           QStringLiteral("e doplnit i ostatní údaje?");
}

// After a company number or a partner's name was picked, offers to fill in the rest.
void offerPartnerCompletion(AppState& state, const QString& column, const QString& heading,
                            const QString& value) {
    const bool byIco = column == QLatin1String("ICO");
    if (!byIco && column != QLatin1String("Dodavatel_odberatel"))
        return;
    if (dialogs::AskQuestion(QString(), partnerQuestion(column, heading), 1) !=
        dialogs::Answer::Yes)
        return;
    QString error;
    const bool ok = byIco ? LookupPartnerByIco(state, value, &error)
                          : LookupPartnerByName(state, value, &error);
    if (!ok)
        dialogs::ShowError(error);
}

bool storePicked(engine::DataSet& book, const QString& column, const QString& value) {
    const bool stored = (book.state() != engine::DataSet::State::Browse || book.edit()) &&
                        book.setValue(column, value);
    if (!stored)
        dialogs::ShowError(book.lastError());
    return stored;
}

} // namespace

bool pickIntoRecord(AppState& state, const QString& column, const QString& heading,
                    QWidget* parent) {
    TSeznamPolozek picker(state.connection, state.activeBook.TableName(), column, parent);
    if (dialogs::host().exec(picker) != QDialog::Accepted)
        return false;
    const QString value = picker.chosenValue();
    if (!storePicked(state.book, column, value))
        return false;
    offerPartnerCompletion(state, column, heading, value);
    return true;
}
