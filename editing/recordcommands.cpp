#include "editing/recordcommands.h"

#include "dialogs/dialogy.h"
#include "editing/numbering.h"
#include "editing/pendingrow.h"
#include "editing/teditace.h"
#include "storage/engine/formats.h"

#include <QClipboard>
#include <QGuiApplication>

namespace {

// A row is never stored without its number.
bool checkNumber(engine::DataSet& book) {
    if (!book.text(QStringLiteral("Cislo")).isEmpty())
        return true;
    dialogs::ShowInfo(QStringLiteral("Kolonka \"Číslo\" musí být vyplněná!"));
    return false;
}

// Default of a date in a new row: 1 today, 2 today + 14 days, anything else none.
QDate defaultDate(int kind) {
    switch (kind) {
    case 1:
        return QDate::currentDate();
    case 2:
        return QDate::currentDate().addDays(14);
    default:
        return {};
    }
}

} // namespace

RecordCommands::RecordCommands(AppState& state, MainActions& actions, BrowseController& browse,
                               QWidget* window, QObject* parent)
    : QObject(parent), state_(state), actions_(actions), browse_(browse), window_(window) {}

void RecordCommands::installHooks() {
    engine::DataSet& book = state_.book;
    book.afterInsert = [this](engine::DataSet& b) { applyDefaults(b); };
    book.beforePost = [](engine::DataSet& b) {
        return checkNumber(b) && editing::mayOverwriteStoredRow(b);
    };
    book.afterPost = [this](engine::DataSet&) { browse_.RefreshTotals(); };
    book.afterDelete = [this](engine::DataSet&) { browse_.RefreshTotals(); };
}

void RecordCommands::applyDefaults(engine::DataSet& book) {
    const int typ = state_.activeBook.TypProstredi();
    const Settings& s = state_.settings;
    if (s.autoNumber(typ)) {
        QString number;
        QString error;
        if (NextInvoiceNumber(state_, state_.activeBook.TableName(), s.numberPrefix(typ),
                              s.TypCiselneRady, number, &error))
            book.setValue(QStringLiteral("Cislo"), number);
        else
            dialogs::ShowError(error);
    }
    for (const char* amount : {"Zaklad", "DPH", "Celkem"})
        book.setValue(QString::fromLatin1(amount), 0.0);
    book.setValue(QStringLiteral("SazbaDPH"), 0);
    for (int date = 1; date <= 3; ++date) {
        const QDate value = defaultDate(s.defaultDateKind(typ, date));
        if (value.isValid())
            book.setValue(QStringLiteral("Datum") + QString::number(date), value);
    }
}

void RecordCommands::openEditor(const QString& captionEnd) {
    TEditace editor(state_, actions_, window_);
    editor.setWindowTitle(state_.activeBook.info().statusName + captionEnd);
    dialogs::host().exec(editor);
}

void RecordCommands::newRecord() {
    if (!state_.book.append()) {
        editing::reportRefusal(state_.book);
        return;
    }
    openEditor(QStringLiteral(" - nový záznam"));
}

// The row passes to editing only when the user changes something in the editor.
void RecordCommands::editRecord() {
    openEditor(QStringLiteral(" - oprava záznamu"));
}

void RecordCommands::deleteRecord() {
    engine::DataSet& book = state_.book;
    if (book.state() != engine::DataSet::State::Browse || book.recNo() < 1)
        return;
    const QString text = QStringLiteral("Opravdu chcete odstranit záznam \"") +
                         book.text(QStringLiteral("Cislo")) + QStringLiteral("\" ?");
    if (dialogs::AskQuestion(QStringLiteral("Varování"), text, 2) != dialogs::Answer::Yes)
        return;
    if (!book.remove())
        editing::reportRefusal(book);
}

void RecordCommands::reportMove(bool moved) {
    if (!moved)
        editing::reportRefusal(state_.book);
}

void RecordCommands::first() {
    reportMove(state_.book.first());
}

void RecordCommands::prior() {
    reportMove(state_.book.prior());
}

void RecordCommands::next() {
    reportMove(state_.book.next());
}

void RecordCommands::last() {
    reportMove(state_.book.last());
}

void RecordCommands::goToRecord() {
    engine::DataSet& book = state_.book;
    const int count = book.recordCount();
    if (count < 1)
        return;
    int position = book.recNo();
    if (!dialogs::InputNumber(position, 1, count, QStringLiteral("Přejít na záznam ..."),
                              QStringLiteral("Zadejte pořadí obrázku od 1 do ") +
                                  QString::number(count)) ||
        position == book.recNo())
        return;
    reportMove(book.moveTo(position));
}

QString RecordCommands::recordText(const AppState& state) {
    const engine::DataSet& book = state.book;
    const Settings& s = state.settings;
    const BookInfo& info = state.activeBook.info();
    const auto text = [&book](const char* field) { return book.text(QString::fromLatin1(field)); };
    const auto amount = [&](const char* field) {
        return engine::formatNumber(QStringLiteral("#,##0.00 "),
                                    book.number(QString::fromLatin1(field))) +
               s.Mena;
    };
    const auto date = [&](int n) {
        const QVariant value = book.value(QStringLiteral("Datum") + QString::number(n));
        return value.isNull()
                   ? QString()
                   : engine::formatDate(QStringLiteral("d.m.yyyy"), value.toDate().startOfDay());
    };
    const QStringList lines{
        QStringLiteral("Číslo: ") + text("Cislo"),
        info.partnerTitle + QStringLiteral(": ") + text("Dodavatel_odberatel"),
        QStringLiteral("IČO: ") + text("ICO"),
        QStringLiteral("Číslo účtu: ") + text("CisloUctu"),
        QStringLiteral("Kód: ") + text("SmerovyKod"),
        QStringLiteral("Specifikace: ") + text("Specifikace"),
        QStringLiteral("VS: ") + text("VariabilniSymbol"),
        QStringLiteral("Základ: ") + amount("Zaklad"),
        QStringLiteral("Sazba DPH: ") +
            QString::number(book.value(QStringLiteral("SazbaDPH")).toLongLong()) +
            QStringLiteral(" %"),
        QStringLiteral("DPH: ") + amount("DPH"),
        QStringLiteral("Celkem: ") + amount("Celkem"),
        s.dateCaption(info.typProstredi, 1) + QStringLiteral(": ") + date(1),
        s.dateCaption(info.typProstredi, 2) + QStringLiteral(": ") + date(2),
        s.dateCaption(info.typProstredi, 3) + QStringLiteral(": ") + date(3),
        QStringLiteral("Poznámka: ") + text("Poznamka")};
    return lines.join(QStringLiteral("\r\n"));
}

void RecordCommands::copyRecord() {
    if (state_.book.recordCount() > 0)
        QGuiApplication::clipboard()->setText(recordText(state_));
}
