#include "editing/teditace.h"

#include "dialogs/charfilter.h"
#include "dialogs/dialogy.h"
#include "dialogs/win1250validator.h"
#include "editing/numbering.h"
#include "editing/pendingrow.h"
#include "editing/seriesmenu.h"
#include "editing/tseznampolozek.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>

namespace {

using Kind = FieldBinding::Kind;

// Grid rows; the empty ones keep the gaps between the groups of the form.
enum Row {
    RowCislo,
    GapHeading,
    RowNadpis,
    RowDodavatel,
    RowIco,
    RowUcet,
    RowSpecifikace,
    RowVs,
    GapAmounts,
    RowZaklad,
    RowSazba,
    RowDph,
    RowCelkem,
    RowDatum1,
    RowDatum2,
    RowDatum3,
    GapPoznamka,
    RowPoznamka,
    GapButtons,
    RowButtons
};

// Text boxes keep to the characters of the code page; digit boxes take digits, "-" and ".".
void installFilters(QLineEdit* box, Kind kind, bool digitsOnly) {
    dialogs::installWin1250Filter(box);
    if (digitsOnly)
        box->installEventFilter(dialogs::CharFilter::digits(box));
    else if (kind == Kind::Amount)
        box->installEventFilter(dialogs::CharFilter::amount(box));
    else if (kind == Kind::Rate)
        box->installEventFilter(dialogs::CharFilter::wholeNumber(box));
    if (kind == Kind::Amount || kind == Kind::Rate)
        box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

bool isDigitBox(const QString& field) {
    static const QStringList fields{QStringLiteral("ICO"), QStringLiteral("CisloUctu"),
                                    QStringLiteral("SmerovyKod"),
                                    QStringLiteral("VariabilniSymbol")};
    return fields.contains(field);
}

QString dateField(int date) {
    return QStringLiteral("Datum") + QString::number(date);
}

// Pop-up menus and the calendar open just under the box they belong to.
QPoint belowBox(const QWidget* box) {
    return box->mapToGlobal(QPoint(0, box->height()));
}

} // namespace

TEditace::TEditace(AppState& state, MainActions& actions, QWidget* parent)
    : QDialog(parent), state_(state), actions_(actions), book_(state.book) {
    setObjectName(QStringLiteral("TEditace"));
    setWindowTitle(QStringLiteral("Editace"));
    // Tahoma 8 pt lines are 13 pixels high; larger platform fonts widen the boxes alike.
    scale_ = qMax(1.0, fontMetrics().height() / 13.0);
    grid_ = new QGridLayout(this);
    grid_->setContentsMargins(scaled(8), scaled(16), scaled(16), scaled(12));
    grid_->setHorizontalSpacing(scaled(7));
    grid_->setVerticalSpacing(scaled(3));
    grid_->setColumnMinimumWidth(0, scaled(113));
    for (Row gap : {GapHeading, GapAmounts, GapPoznamka, GapButtons})
        grid_->setRowMinimumHeight(gap, scaled(10));
    buildPartnerRows();
    buildAmountRows();
    for (int date = 1; date <= 3; ++date)
        buildDateRow(RowDatum1 + date - 1, date);
    QHBoxLayout* note = addRow(RowPoznamka, "La_Poznamka", QStringLiteral("Poznámka"));
    addBox(note, QStringLiteral("Poznamka"), 401, Kind::Text);
    addButton(note, "Tl_Cis_Poznamka", QStringLiteral("..."), 41, QString(), false);
    buildBottomRow();
    nameBoxes();
    connectPickers();
    buildRateMenu();
    buildSeriesMenu();
    arrangeTabOrder();
    setFixedSize(sizeHint());
    place();

    connect(&book_, &engine::DataSet::currentChanged, this, &TEditace::refreshAll);
    connect(&book_, &engine::DataSet::dataChanged, this, &TEditace::refreshAll);
    connect(&book_, &engine::DataSet::reset, this, &TEditace::refreshAll);
    connect(&book_, &engine::DataSet::fieldChanged, this, &TEditace::refreshField);
    refreshAll();
}

int TEditace::scaled(int pixels) const {
    return qRound(pixels * scale_);
}

QHBoxLayout* TEditace::addRow(int row, const char* labelName, const QString& caption) {
    if (labelName) {
        auto* text = new QLabel(caption, this);
        text->setObjectName(QString::fromLatin1(labelName));
        text->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid_->addWidget(text, row, 0);
    }
    auto* line = new QHBoxLayout;
    line->setSpacing(scaled(7));
    grid_->addLayout(line, row, 1);
    return line;
}

QLabel* TEditace::label(int row) const {
    return qobject_cast<QLabel*>(grid_->itemAtPosition(row, 0)->widget());
}

QLineEdit* TEditace::addBox(QHBoxLayout* row, const QString& field, int width, Kind kind) {
    auto* box = new QLineEdit(this);
    box->setObjectName(QStringLiteral("DB_") + field);
    box->setFixedWidth(scaled(width));
    const int index = book_.fieldIndex(field);
    if (index >= 0 && book_.fields()[index].maxLength > 0)
        box->setMaxLength(book_.fields()[index].maxLength);
    // Filters installed later see a key first: the window's keys, then the character filter,
    // and only a key that passes both makes the binding start editing.
    bindings_ << new FieldBinding(book_, box, field, kind);
    installFilters(box, kind, isDigitBox(field));
    box->installEventFilter(this);
    row->addWidget(box);
    return box;
}

QPushButton* TEditace::addButton(QHBoxLayout* row, const char* name, const QString& caption,
                                 int width, const QString& hint, bool tabStop) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(QString::fromLatin1(name));
    // The style's wide default would stretch the small buttons; the caption still fits.
    button->setFixedWidth(
        qMax(scaled(width), button->fontMetrics().horizontalAdvance(caption) + scaled(12)));
    button->setAutoDefault(false);
    button->setToolTip(hint);
    // Buttons left out of the Tab order still take the focus when clicked, so the box that
    // had it writes its text first.
    button->setFocusPolicy(tabStop ? Qt::StrongFocus : Qt::ClickFocus);
    button->installEventFilter(this);
    row->addWidget(button);
    return button;
}

void TEditace::buildPartnerRows() {
    QHBoxLayout* number = addRow(RowCislo, "La_Cislo", QStringLiteral("Číslo faktury"));
    DB_Cislo = addBox(number, QStringLiteral("Cislo"), 97, Kind::Text);
    QPushButton* autoNumber = addButton(number, "Tl_AutoCislo", QStringLiteral("..."), 41,
                                        QStringLiteral("Vloží automatické číslo"), false);
    connect(autoNumber, &QPushButton::clicked, this,
            [this] { PMenu_CisRady->popup(belowBox(DB_Cislo)); });
    number->addStretch(1);

    QHBoxLayout* heading = addRow(RowNadpis, nullptr, QString());
    La_Nadpis = new QLabel(this);
    La_Nadpis->setObjectName(QStringLiteral("La_Nadpis"));
    La_Nadpis->setStyleSheet(QStringLiteral("font-weight: bold; color: navy;"));
    heading->addWidget(La_Nadpis);

    QHBoxLayout* partner = addRow(RowDodavatel, "La_Dodavatel_odberatel", QString());
    La_Dodavatel_odberatel = label(RowDodavatel);
    addBox(partner, QStringLiteral("Dodavatel_odberatel"), 401, Kind::Text);
    addButton(partner, "Tl_Cis_Dodavatel_odberatel", QStringLiteral("..."), 41, QString(), false);

    QHBoxLayout* ico = addRow(RowIco, "La_ICO", QStringLiteral("IČO"));
    addBox(ico, QStringLiteral("ICO"), 97, Kind::Text);
    addButton(ico, "Tl_Cis_ICO", QStringLiteral("..."), 41, QString(), false);
    ico->addStretch(1);

    QHBoxLayout* account = addRow(RowUcet, "La_CisloUctu", QStringLiteral("Číslo účtu/kód"));
    addBox(account, QStringLiteral("CisloUctu"), 145, Kind::Text);
    addBox(account, QStringLiteral("SmerovyKod"), 49, Kind::Text);
    account->addStretch(1);

    QHBoxLayout* what = addRow(RowSpecifikace, "La_Specifikace", QStringLiteral("Specifikace"));
    addBox(what, QStringLiteral("Specifikace"), 401, Kind::Text);
    addButton(what, "Tl_Cis_Specifikace", QStringLiteral("..."), 41, QString(), false);

    QHBoxLayout* symbol = addRow(RowVs, "La_VariabilniSymbol", QStringLiteral("Variabilní symbol"));
    addBox(symbol, QStringLiteral("VariabilniSymbol"), 97, Kind::Text);
    symbol->addStretch(1);
}

// Each label is its row's first box's buddy, which gives the box its accessible name; the
// bank code beside the account number gets its own.
void TEditace::nameBoxes() {
    for (int row = 0; row < grid_->rowCount(); ++row) {
        QLayoutItem* labelItem = grid_->itemAtPosition(row, 0);
        QLayoutItem* boxes = grid_->itemAtPosition(row, 1);
        auto* text = labelItem ? qobject_cast<QLabel*>(labelItem->widget()) : nullptr;
        if (!text || !boxes || !boxes->layout())
            continue;
        for (int i = 0; i < boxes->layout()->count(); ++i) {
            if (auto* box = qobject_cast<QLineEdit*>(boxes->layout()->itemAt(i)->widget())) {
                text->setBuddy(box);
                break;
            }
        }
    }
    findChild<QLineEdit*>(QStringLiteral("DB_SmerovyKod"))
        ->setAccessibleName(QStringLiteral("Kód"));
}

// Every "..." button named after its column opens the picker of that column.
void TEditace::connectPickers() {
    for (QPushButton* picker : findChildren<QPushButton*>()) {
        if (picker->objectName().startsWith(QLatin1String("Tl_Cis_")))
            connect(picker, &QPushButton::clicked, this,
                    [this, picker] { pickValue(picker->objectName().mid(7)); });
    }
}

void TEditace::buildAmountRows() {
    const struct {
        Row row;
        const char* label;
        const char* field;
        QLabel** target;
    } amounts[] = {{RowZaklad, "La_Zaklad", "Zaklad", &La_Zaklad},
                   {RowDph, "La_DPH", "DPH", &La_DPH},
                   {RowCelkem, "La_Celkem", "Celkem", &La_Celkem}};
    for (const auto& amount : amounts) {
        QHBoxLayout* line = addRow(amount.row, amount.label, QString());
        *amount.target = label(amount.row);
        addBox(line, QString::fromLatin1(amount.field), 97, Kind::Amount);
        line->addStretch(1);
    }
    QHBoxLayout* rate = addRow(RowSazba, "La_SazbaDPH", QStringLiteral("Sazba DPH v %"));
    DB_SazbaDPH = addBox(rate, QStringLiteral("SazbaDPH"), 49, Kind::Rate);
    QPushButton* rates =
        addButton(rate, "Tl_SazbaDPH", QStringLiteral("..."), 41, QString(), false);
    connect(rates, &QPushButton::clicked, this,
            [this] { PMenu_SazbaDPH->popup(belowBox(DB_SazbaDPH)); });
    rate->addStretch(1);
}

void TEditace::buildDateRow(int row, int date) {
    const QByteArray n = QByteArray::number(date);
    const QByteArray labelName = "La_Datum" + n;
    QHBoxLayout* line = addRow(row, labelName.constData(), QString());
    La_Datum[date - 1] = label(row);
    QLineEdit* box = addBox(line, dateField(date), 97, Kind::Date);
    box->setCursor(Qt::PointingHandCursor);
    const struct {
        QByteArray name;
        const char* caption;
        int width;
        const char* hint;
        int days; // 0: today
    } buttons[] = {{"Tl_DatumDnes" + n, "Dnes", 41, "Nastaví dnešní datum", 0},
                   {"Tl_Datum" + n + "MinusJedna", "- den", 41, "Vrátí datum o jeden den", -1},
                   {"Tl_Datum" + n + "PlusJedna", "+ den", 41, "Posune datum o jeden den", 1},
                   {"Tl_Datum" + n + "MinusTyden", "- týden", 49, "Vrátí datum o jeden týden", -7},
                   {"Tl_Datum" + n + "PlusTyden", "+ týden", 49, "Posune datum o jeden týden", 7}};
    for (const auto& b : buttons) {
        QPushButton* button = addButton(line, b.name.constData(), QString::fromUtf8(b.caption),
                                        b.width, QString::fromUtf8(b.hint), false);
        const int days = b.days;
        connect(button, &QPushButton::clicked, this, [this, date, days] {
            if (days == 0)
                setDate(date, QDate::currentDate());
            else
                shiftDate(date, days);
        });
    }
    line->addStretch(1);
}

void TEditace::buildBottomRow() {
    QHBoxLayout* line = addRow(RowButtons, nullptr, QString());
    const struct {
        const char* name;
        const char* caption;
        int width;
        const char* hint;
        void (TEditace::*command)();
    } buttons[] = {{"Tl_Novy", "Nový", 49, "Nový záznam", &TEditace::newRecord},
                   {"Tl_Zpet", "<", 41, "Předcházející záznam", nullptr},
                   {"Tl_Vpred", ">", 41, "Následující záznam", nullptr},
                   {"Tl_Reset", "Reset", 49,
                    "Obnoví vstupy (stornoje provedené změny v aktuálním záznamu)",
                    &TEditace::resetRecord},
                   {"Tl_Ok", "Ok", 75, "Potvrdí změny a zavře formulář", &TEditace::confirm},
                   {"Tl_Storno", "Storno", 75, "Stornování formuláře bez provedení změn",
                    &TEditace::cancelAndClose}};
    for (const auto& b : buttons) {
        if (qstrcmp(b.name, "Tl_Ok") == 0)
            line->addStretch(1);
        QPushButton* button = addButton(line, b.name, QString::fromUtf8(b.caption), b.width,
                                        QString::fromUtf8(b.hint), true);
        if (b.command)
            connect(button, &QPushButton::clicked, this, b.command);
    }
    connect(findChild<QPushButton*>(QStringLiteral("Tl_Zpet")), &QPushButton::clicked, this,
            [this] { runMove(actions_.Akce_Vzad); });
    connect(findChild<QPushButton*>(QStringLiteral("Tl_Vpred")), &QPushButton::clicked, this,
            [this] { runMove(actions_.Akce_Vpred); });
    Tl_Storno = findChild<QPushButton*>(QStringLiteral("Tl_Storno"));
    const auto isBottomButton = [line](const QWidget* widget) {
        return widget && line->indexOf(const_cast<QWidget*>(widget)) >= 0;
    };
    for (FieldBinding* binding : std::as_const(bindings_))
        binding->handsOverTo = isBottomButton;
}

// The rates are those of the settings when the window is made.
void TEditace::buildRateMenu() {
    PMenu_SazbaDPH = new QMenu(this);
    PMenu_SazbaDPH->setObjectName(QStringLiteral("PMenu_SazbaDPH"));
    const Settings& s = state_.settings;
    const auto caption = [](const char* text, int rate) {
        return QString::fromUtf8(text) + QStringLiteral(" (") + QString::number(rate) +
               QStringLiteral("%)");
    };
    const struct {
        const char* name;
        QString caption;
        int rate;
    } items[] = {{"PMenu_SazbaDPH0", QStringLiteral("Bez sazby"), 0},
                 {"PMenu_ZakladniSazbaDPH", caption("Základní sazba", s.ZakladniSazbaDPH),
                  s.ZakladniSazbaDPH},
                 {"PMenu_SnizenaSazbaDPH1", caption("Snížená sazba 1", s.SnizenaSazbaDPH1),
                  s.SnizenaSazbaDPH1},
                 {"PMenu_SnizenaSazbaDPH2", caption("Snížená sazba 2", s.SnizenaSazbaDPH2),
                  s.SnizenaSazbaDPH2}};
    for (const auto& item : items) {
        QAction* action = PMenu_SazbaDPH->addAction(item.caption);
        action->setObjectName(QString::fromLatin1(item.name));
        const int rate = item.rate;
        connect(action, &QAction::triggered, this, [this, rate] { setRate(rate); });
    }
}

void TEditace::buildSeriesMenu() {
    PMenu_CisRady = new QMenu(this);
    PMenu_CisRady->setObjectName(QStringLiteral("PMenu_CisRady"));
    fillSeriesMenu(PMenu_CisRady, state_, [this](const QString& prefix) { chooseSeries(prefix); });
}

// The boxes in column order, then the bottom buttons; the small buttons are left out.
void TEditace::arrangeTabOrder() {
    QWidgetList order;
    for (const QString& column : invoiceColumns().mid(1))
        order << findChild<QLineEdit*>(QStringLiteral("DB_") + column);
    for (const char* name : {"Tl_Novy", "Tl_Zpet", "Tl_Vpred", "Tl_Reset", "Tl_Ok", "Tl_Storno"})
        order << findChild<QPushButton*>(QString::fromLatin1(name));
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

// The last place of the run when the user keeps window places, else the middle of the screen;
// a place off the screen falls back to the middle.
void TEditace::place() {
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const int centredLeft = (screen.width() - width()) / 2;
    const int centredTop = (screen.height() - height()) / 2;
    int left = centredLeft;
    int top = centredTop;
    if (state_.settings.UkladatFrm) {
        left = state_.EditorLeft + 20 > screen.width() ? centredLeft : state_.EditorLeft;
        top = state_.EditorTop + 20 > screen.height() ? centredTop : state_.EditorTop;
    }
    QWidget::move(left, top);
}

void TEditace::setLabels() {
    const BookInfo& book = state_.activeBook.info();
    const Settings& s = state_.settings;
    La_Nadpis->setText(book.partnerTitle);
    La_Dodavatel_odberatel->setText(book.partnerCaption);
    La_Zaklad->setText(QStringLiteral("Základ v ") + s.Mena);
    La_DPH->setText(QStringLiteral("DPH v ") + s.Mena);
    La_Celkem->setText(QStringLiteral("Částka v ") + s.Mena);
    for (int date = 1; date <= 3; ++date)
        La_Datum[date - 1]->setText(s.dateCaption(book.typProstredi, date));
}

void TEditace::showEvent(QShowEvent* event) {
    setLabels();
    QDialog::showEvent(event);
    DB_Cislo->setFocus();
}

void TEditace::refreshAll() {
    for (FieldBinding* binding : std::as_const(bindings_))
        binding->refresh();
}

void TEditace::refreshField(int field) {
    for (FieldBinding* binding : std::as_const(bindings_)) {
        if (book_.fieldIndex(binding->field()) == field)
            binding->refresh();
    }
}

bool TEditace::writeBoxes() {
    for (FieldBinding* binding : std::as_const(bindings_)) {
        if (!binding->commit())
            return false;
    }
    return true;
}

bool TEditace::store() {
    if (!writeBoxes())
        return false;
    if (book_.post())
        return true;
    editing::reportRefusal(book_);
    return false;
}

void TEditace::newRecord() {
    if (!writeBoxes())
        return;
    if (!book_.append()) {
        editing::reportRefusal(book_);
        return;
    }
    setWindowTitle(QStringLiteral("Nový záznam"));
    DB_Cislo->setFocus();
}

// "<" and ">" run the main window's moves, which do nothing while they are disabled.
void TEditace::runMove(QAction* action) {
    if (writeBoxes())
        action->trigger();
    setWindowTitle(QStringLiteral("Oprava záznamu"));
}

void TEditace::resetRecord() {
    book_.cancel();
    refreshAll();
}

void TEditace::confirm() {
    if (editing::isPending(book_) ? store() : writeBoxes())
        done(QDialog::Accepted);
}

void TEditace::cancelAndClose() {
    book_.cancel();
    done(QDialog::Rejected);
}

void TEditace::reject() {
    Tl_Storno->click();
}

void TEditace::done(int result) {
    state_.EditorLeft = x();
    state_.EditorTop = y();
    QDialog::done(result);
}

bool TEditace::mayClose() {
    if (!editing::isPending(book_))
        return true;
    const dialogs::Answer answer = dialogs::AskQuestion(
        QStringLiteral("Pozor!"),
        QStringLiteral("Formulář je v režimu editace. Pokud byly hodnoty záznamu změněny, "
                       "požadujete jejich uložení?"),
        3);
    switch (answer) {
    case dialogs::Answer::Yes:
        return store();
    case dialogs::Answer::No:
        book_.cancel();
        return true;
    default:
        return false;
    }
}

void TEditace::closeEvent(QCloseEvent* event) {
    if (!mayClose()) {
        event->ignore();
        return;
    }
    event->accept();
    done(QDialog::Rejected);
}

// Enter presses a focused button; in a box it moves on as Tab does.
bool TEditace::eventFilter(QObject* watched, QEvent* event) {
    if (auto* button = qobject_cast<QPushButton*>(watched)) {
        if (event->type() != QEvent::KeyPress)
            return false;
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter)
            return false;
        button->click();
        return true;
    }
    auto* box = qobject_cast<QLineEdit*>(watched);
    if (!box)
        return false;
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            focusNextChild();
            return true;
        }
    } else if (event->type() == QEvent::MouseButtonRelease && box->isReadOnly()) {
        for (int date = 1; date <= 3; ++date) {
            if (box->objectName() == QStringLiteral("DB_") + dateField(date))
                pickDate(box, date);
        }
    }
    return false;
}

void TEditace::setDate(int date, const QDate& value) {
    if (editing::beginEditing(book_))
        book_.setValue(dateField(date), value);
}

void TEditace::shiftDate(int date, int days) {
    const QVariant stored = book_.value(dateField(date));
    const QDate from = stored.isNull() ? QDate::currentDate() : stored.toDate();
    setDate(date, from.addDays(days));
}

void TEditace::pickDate(QLineEdit* box, int date) {
    const QVariant stored = book_.value(dateField(date));
    QDate picked = stored.isNull() ? QDate::currentDate() : stored.toDate();
    const QPoint at = belowBox(box);
    if (dialogs::PickDate(picked, QStringLiteral("Datum"), at.x(), at.y()))
        setDate(date, picked);
}

void TEditace::setRate(int rate) {
    if (editing::beginEditing(book_))
        book_.setValue(QStringLiteral("SazbaDPH"), rate);
}

// The number is asked for first, so a refused number leaves the row as it was.
void TEditace::chooseSeries(const QString& prefix) {
    QString number;
    QString error;
    if (!NextInvoiceNumber(state_, state_.activeBook.TableName(), prefix,
                           state_.settings.TypCiselneRady, number, &error)) {
        dialogs::ShowError(error);
        return;
    }
    if (editing::beginEditing(book_))
        book_.setValue(QStringLiteral("Cislo"), number);
}

void TEditace::pickValue(const QString& column) {
    pickIntoRecord(state_, column, La_Nadpis->text(), this);
}
