#include "editing/partnerlookup.h"
#include "editing/tseznampolozek.h"
#include "support/bookfixture.h"
#include "support/scriptedhost.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

using dialogs::Answer;
using dialogs::MessageKind;
using State = engine::DataSet::State;

class PickerTest : public QObject {
    Q_OBJECT
private slots:
    void listing_data();
    void listing();
    void emptyList();
    void filterButton();
    void captionFocusAndTabOrder();
    void closing_data();
    void closing();
    void refusedStatement();
    void pickIntoRecord_data();
    void pickIntoRecord();
    void cancelledPickChangesNothing();
    void lookup_data();
    void lookup();
};

namespace {

const QString nameField = QStringLiteral("Dodavatel_odberatel");
const QStringList partnerFields = {nameField, "ICO", "CisloUctu", "SmerovyKod"};

// A book with a few partners; Poznamka and VariabilniSymbol hold both NULL and ''.
void insertPartners(BookFixture& fixture) {
    const QString table = fixture.state.activeBook.TableName();
    const QList<QStringList> rows = {
        {"F1", "Alfa s.r.o.", "12345678", "19-2000145399", "0800", "Tužky"},
        {"F2", "Alfa s.r.o.", "12345678", "19-2000145399", "0800", "Laboratorní sklo"},
        {"F3", "Beta a.s.", "87654321", "", "", "ABECEDA"},
        {"F4", "O'Brien Trading", "11112222", "555", "0300", "Kabel 50%"},
        {"F5", "", "", "", "", ""}};
    for (const QStringList& row : rows) {
        QVariantMap values{{"Cislo", row[0]},     {nameField, row[1]},    {"ICO", row[2]},
                           {"CisloUctu", row[3]}, {"SmerovyKod", row[4]}, {"Specifikace", row[5]}};
        if (row[0] == "F5")
            values.insert({{"Poznamka", ""}, {"VariabilniSymbol", ""}});
        if (row[0] == "F2")
            values.insert("Poznamka", "Splatno předem");
        fixture.insert(table, values);
    }
}

QTableView* grid(QDialog& dialog) {
    return dialog.findChild<QTableView*>("DBGrid1");
}
QPushButton* buttonOf(QDialog& dialog, const char* name) {
    return dialog.findChild<QPushButton*>(name);
}
QString counter(QDialog& dialog) {
    return dialog.findChild<QLabel*>("La_Pocitadlo")->text();
}
QLineEdit* filterBox(QDialog& dialog) {
    return dialog.findChild<QLineEdit*>("Ed_Vyraz");
}

QStringList listed(QDialog& dialog) {
    QAbstractItemModel* model = grid(dialog)->model();
    QStringList values;
    for (int row = 0; row < model->rowCount(); ++row)
        values << model->index(row, 0).data().toString();
    values.sort();
    return values;
}

void applyFilter(QDialog& dialog, const QString& text) {
    QLineEdit* box = filterBox(dialog);
    box->clear();
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
    ScriptedHost::click(dialog, "Tl_Filtr");
}

QPoint rowCentre(QTableView* view, const QString& value) {
    QAbstractItemModel* model = view->model();
    for (int row = 0; row < model->rowCount(); ++row)
        if (model->index(row, 0).data().toString() == value)
            return view->visualRect(model->index(row, 0)).center();
    qFatal("no row %s in the picker", qPrintable(value));
}

void clickRow(QDialog& dialog, const QString& value) {
    QTableView* view = grid(dialog);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rowCentre(view, value));
}

// Opens the picker through the host and runs `inside` while it is shown.
int runPicker(BookFixture& fixture, const QString& column,
              const std::function<int(QDialog&)>& inside) {
    TSeznamPolozek picker(fixture.state.connection, fixture.state.activeBook.TableName(), column);
    ScriptedHost* host = static_cast<ScriptedHost*>(&dialogs::host());
    host->dialogActions.enqueue(inside);
    return dialogs::host().exec(picker);
}

QStringList partnerValues(const engine::DataSet& book) {
    QStringList values;
    for (const QString& field : partnerFields)
        values << book.text(field);
    return values;
}

} // namespace

void PickerTest::listing_data() {
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("filter"); // typed and applied unless empty
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("all values empty or missing") << "VariabilniSymbol"
                                                 << "" << QStringList{};
    QTest::newRow("a repeated value is listed once")
        << nameField << "" << QStringList{"Alfa s.r.o.", "Beta a.s.", "O'Brien Trading"};
    QTest::newRow("filter anywhere in the value, blanks around ignored, any letter case")
        << "Specifikace"
        << "  ab  " << QStringList{"ABECEDA", "Kabel 50%", "Laboratorní sklo"};
    QTest::newRow("apostrophe in the filter")
        << nameField << "o'b" << QStringList{"O'Brien Trading"};
    QTest::newRow("percent stays a wildcard") << "Specifikace"
                                              << "l%o" << QStringList{"Laboratorní sklo"};
    QTest::newRow("filter without a match") << "ICO"
                                            << "999" << QStringList{};
}

void PickerTest::listing() {
    QFETCH(QString, column);
    QFETCH(QString, filter);
    QFETCH(QStringList, expected);

    ScriptedHost host;
    BookFixture fixture;
    insertPartners(fixture);
    QStringList values;
    QString shownCounter;
    bool okEnabled = false;
    QString filterCaption;
    runPicker(fixture, column, [&](QDialog& dialog) {
        if (!filter.isEmpty())
            applyFilter(dialog, filter);
        values = listed(dialog);
        shownCounter = counter(dialog);
        okEnabled = buttonOf(dialog, "Tl_Ok")->isEnabled();
        filterCaption = buttonOf(dialog, "Tl_Filtr")->text();
        return QDialog::Rejected;
    });
    QCOMPARE(values, expected);
    QCOMPARE(shownCounter,
             QStringLiteral("%1 z %2").arg(expected.isEmpty() ? 0 : 1).arg(expected.size()));
    QCOMPARE(okEnabled, !expected.isEmpty());
    QCOMPARE(filterCaption, filter.isEmpty() ? QStringLiteral("Filtr") : QStringLiteral("Zrušit"));
    QVERIFY(host.messages.isEmpty());
}

void PickerTest::emptyList() {
    ScriptedHost host;
    BookFixture fixture;
    insertPartners(fixture);
    bool stillOpen = false;
    const int result = runPicker(fixture, "Poznamka", [&](QDialog& dialog) {
        applyFilter(dialog, "nic takového");
        QTableView* view = grid(dialog);
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, QPoint(20, 40));
        QTest::keyClick(view, Qt::Key_Return);
        stillOpen = dialog.isVisible() && dialog.result() != QDialog::Accepted;
        return QDialog::Rejected;
    });
    QVERIFY(stillOpen);
    QCOMPARE(result, int(QDialog::Rejected));
    QCOMPARE(host.messages.size(), 1);
    QCOMPARE(host.messages[0].kind, MessageKind::Info);
    QCOMPARE(host.messages[0].text, QStringLiteral("Není vybrána žádná položka"));
}

void PickerTest::filterButton() {
    ScriptedHost host;
    BookFixture fixture;
    insertPartners(fixture);
    const QStringList all{"Alfa s.r.o.", "Beta a.s.", "O'Brien Trading"};
    runPicker(fixture, nameField, [&](QDialog& dialog) {
        QPushButton* toggle = buttonOf(dialog, "Tl_Filtr");
        for (const QString& blank : {QString(), QStringLiteral("   ")}) {
            applyFilter(dialog, blank);
            [&] {
                QCOMPARE(toggle->text(), QStringLiteral("Filtr"));
                QCOMPARE(listed(dialog), all);
            }();
        }
        applyFilter(dialog, "alfa");
        [&] {
            QCOMPARE(toggle->text(), QStringLiteral("Zrušit"));
            QCOMPARE(listed(dialog), QStringList{"Alfa s.r.o."});
            QCOMPARE(counter(dialog), QStringLiteral("1 z 1"));
        }();
        ScriptedHost::click(dialog, "Tl_Filtr");
        [&] {
            QCOMPARE(toggle->text(), QStringLiteral("Filtr"));
            QCOMPARE(filterBox(dialog)->text(), QString());
            QCOMPARE(listed(dialog), all);
            QCOMPARE(counter(dialog), QStringLiteral("1 z 3"));
        }();
        return QDialog::Rejected;
    });
    QCOMPARE(host.messages.size(), 2);
    for (const dialogs::Message& message : host.messages) {
        QCOMPARE(message.kind, MessageKind::Info);
        QCOMPARE(message.text, QStringLiteral("Není zadaný výraz pro filtr."));
    }
}

void PickerTest::captionFocusAndTabOrder() {
    ScriptedHost host;
    BookFixture fixture;
    insertPartners(fixture);
    QStringList focusPath;
    int columnWidth = 0;
    Qt::FocusPolicy filterBoxPolicy = Qt::StrongFocus;
    runPicker(fixture, nameField, [&](QDialog& dialog) {
        dialog.activateWindow();
        if (!QTest::qWaitForWindowActive(&dialog))
            return QDialog::Rejected;
        for (int step = 0; step < 5; ++step) {
            focusPath << QApplication::focusWidget()->objectName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        columnWidth = grid(dialog)->columnWidth(0);
        filterBoxPolicy = filterBox(dialog)->focusPolicy();
        return QDialog::Rejected;
    });
    QCOMPARE(host.shownDialogs, QStringList{"Výběr - Dodavatel_odberatel"});
    QCOMPARE(focusPath, (QStringList{"Tl_Filtr", "Tl_Ok", "Tl_Storno", "DBGrid1", "Tl_Filtr"}));
    QCOMPARE(columnWidth, 450);
    QVERIFY(!(filterBoxPolicy & Qt::TabFocus));
}

void PickerTest::closing_data() {
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("result");
    QTest::newRow("Ok") << "Ok" << int(QDialog::Accepted);
    QTest::newRow("Enter in the list") << "Enter" << int(QDialog::Accepted);
    QTest::newRow("double click") << "double click" << int(QDialog::Accepted);
    QTest::newRow("Storno") << "Storno" << int(QDialog::Rejected);
    QTest::newRow("Esc") << "Esc" << int(QDialog::Rejected);
}

void PickerTest::closing() {
    QFETCH(QString, how);
    QFETCH(int, result);

    ScriptedHost host;
    BookFixture fixture;
    insertPartners(fixture);
    TSeznamPolozek picker(fixture.state.connection, fixture.state.activeBook.TableName(), "ICO");
    QString shownCounter;
    host.dialogActions.enqueue([&](QDialog& dialog) {
        // Enter goes to the focused button first, so the window must really have the focus.
        dialog.activateWindow();
        if (!QTest::qWaitForWindowActive(&dialog))
            return int(QDialog::Rejected);
        clickRow(dialog, "87654321");
        shownCounter = counter(dialog);
        QTableView* view = grid(dialog);
        if (how == "Ok")
            ScriptedHost::click(dialog, "Tl_Ok");
        else if (how == "Storno")
            ScriptedHost::click(dialog, "Tl_Storno");
        else if (how == "Enter") {
            QTest::keyClick(view, Qt::Key_Return);
        } else if (how == "Esc")
            QTest::keyClick(view, Qt::Key_Escape);
        else
            QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, rowCentre(view, "87654321"));
        return dialog.result();
    });
    QCOMPARE(host.exec(picker), result);
    QVERIFY(shownCounter.endsWith(QStringLiteral(" z 3")));
    QVERIFY(shownCounter != QStringLiteral("0 z 3"));
    QCOMPARE(picker.chosenValue(), QStringLiteral("87654321"));
    QVERIFY(host.messages.isEmpty());
}

void PickerTest::refusedStatement() {
    ScriptedHost host;
    BookFixture fixture;
    TSeznamPolozek picker(fixture.state.connection, "Chybi", "ICO");
    QString shownCounter;
    QString caption;
    host.dialogActions.enqueue([&](QDialog& dialog) {
        applyFilter(dialog, "12");
        shownCounter = counter(dialog);
        caption = buttonOf(dialog, "Tl_Filtr")->text();
        return QDialog::Rejected;
    });
    host.exec(picker);
    QCOMPARE(shownCounter, QStringLiteral("0 z 0"));
    QCOMPARE(caption, QStringLiteral("Filtr"));
    QCOMPARE(host.messages.size(), 2); // on showing and on filtering
    for (const dialogs::Message& message : host.messages) {
        QCOMPARE(message.kind, MessageKind::Error);
        QVERIFY(message.text.contains("Chybi"));
    }
}

void PickerTest::pickIntoRecord_data() {
    QTest::addColumn<int>("book");
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("value");
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<QString>("question");    // empty: none asked
    QTest::addColumn<QStringList>("partner"); // name, ICO, account, bank code afterwards

    const QStringList alfa{"Alfa s.r.o.", "12345678", "19-2000145399", "0800"};
    QTest::newRow("ICO, No: only the company number")
        << 0 << "ICO"
        << "87654321" << Answer::No
        << "Chcete podle vložené hodnoty IČO doplnit i ostatní údaje dodavatele?"
        << QStringList{"Alfa s.r.o.", "87654321", "19-2000145399", "0800"};
    QTest::newRow("ICO, Yes: the other three replaced, empty texts too")
        << 0 << "ICO"
        << "87654321" << Answer::Yes
        << "Chcete podle vložené hodnoty IČO doplnit i ostatní údaje dodavatele?"
        << QStringList{"Beta a.s.", "87654321", "", ""};
    QTest::newRow("issued book asks about the customer")
        << 1 << "ICO"
        << "11112222" << Answer::Yes
        << "Chcete podle vložené hodnoty IČO doplnit i ostatní údaje odběratele?"
        << QStringList{"O'Brien Trading", "11112222", "555", "0300"};
    QTest::newRow("name with an apostrophe, Yes")
        << 0 << nameField << "O'Brien Trading" << Answer::Yes
        << "Chcete podle vloženého dodavatele doplnit i ostatní údaje?"
        << QStringList{"O'Brien Trading", "11112222", "555", "0300"};
    QTest::newRow("name, No") << 1 << nameField << "Beta a.s." << Answer::No
                              << "Chcete podle vloženého odběratele doplnit i ostatní údaje?"
                              << QStringList{"Beta a.s.", "12345678", "19-2000145399", "0800"};
    QTest::newRow("Specifikace asks nothing") << 0 << "Specifikace"
                                              << "ABECEDA" << Answer::Yes << "" << alfa;
    QTest::newRow("Poznamka asks nothing") << 0 << "Poznamka"
                                           << "Splatno předem" << Answer::Yes << "" << alfa;
}

void PickerTest::pickIntoRecord() {
    QFETCH(int, book);
    QFETCH(QString, column);
    QFETCH(QString, value);
    QFETCH(Answer, answer);
    QFETCH(QString, question);
    QFETCH(QStringList, partner);

    ScriptedHost host;
    BookFixture fixture(book);
    insertPartners(fixture);
    fixture.openBook(); // browsing the first row (Alfa)
    host.answers.enqueue(answer);
    host.dialogActions.enqueue([&](QDialog& dialog) {
        clickRow(dialog, value);
        return ScriptedHost::click(dialog, "Tl_Ok");
    });
    const QString heading = bookInfo(book).partnerTitle;
    QVERIFY(::pickIntoRecord(fixture.state, column, heading, nullptr));

    const engine::DataSet& set = fixture.state.book;
    QCOMPARE(set.state(), State::Edit);
    QCOMPARE(set.text(column), value);
    QCOMPARE(partnerValues(set), partner);
    QCOMPARE(set.text("Cislo"), QStringLiteral("F1"));
    QVERIFY(!fixture.state.scratch.isActive());
    if (question.isEmpty()) {
        QVERIFY(host.messages.isEmpty());
        return;
    }
    QCOMPARE(host.messages.size(), 1);
    QCOMPARE(host.messages[0].kind, MessageKind::Question);
    QCOMPARE(host.messages[0].questionKind, 1);
    QCOMPARE(host.messages[0].caption, dialogs::applicationTitle());
    QCOMPARE(host.messages[0].text, question);
}

void PickerTest::cancelledPickChangesNothing() {
    ScriptedHost host;
    BookFixture fixture;
    insertPartners(fixture);
    fixture.openBook();
    host.dialogActions.enqueue([&](QDialog& dialog) {
        clickRow(dialog, "87654321");
        return ScriptedHost::click(dialog, "Tl_Storno");
    });
    QVERIFY(!::pickIntoRecord(fixture.state, "ICO", "Dodavatel", nullptr));
    QCOMPARE(fixture.state.book.state(), State::Browse);
    QCOMPARE(partnerValues(fixture.state.book),
             (QStringList{"Alfa s.r.o.", "12345678", "19-2000145399", "0800"}));
    QVERIFY(host.messages.isEmpty());
}

void PickerTest::lookup_data() {
    QTest::addColumn<bool>("byIco");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QStringList>("partner");
    QTest::newRow("by company number")
        << true << "11112222" << QStringList{"O'Brien Trading", "11112222", "555", "0300"};
    QTest::newRow("no match empties the other three")
        << true << "00000000" << QStringList{"", "00000000", "", ""};
    QTest::newRow("by name with an apostrophe")
        << false << "O'Brien Trading" << QStringList{"O'Brien Trading", "11112222", "555", "0300"};
    QTest::newRow("name without a match") << false << "Nikdo" << QStringList{"Nikdo", "", "", ""};
}

void PickerTest::lookup() {
    QFETCH(bool, byIco);
    QFETCH(QString, value);
    QFETCH(QStringList, partner);

    BookFixture fixture;
    insertPartners(fixture);
    fixture.openBook();
    engine::DataSet& set = fixture.state.book;
    const QString keyField = byIco ? "ICO" : nameField;
    QString error;
    // Outside editing nothing can be completed, and the error says why.
    QVERIFY(!(byIco ? LookupPartnerByIco : LookupPartnerByName)(fixture.state, value, &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(set.text(keyField),
             byIco ? QStringLiteral("12345678") : QStringLiteral("Alfa s.r.o."));

    QVERIFY(set.edit());
    QVERIFY(set.setValue(keyField, value));
    error.clear();
    QVERIFY2((byIco ? LookupPartnerByIco : LookupPartnerByName)(fixture.state, value, &error),
             qPrintable(error));
    QCOMPARE(partnerValues(set), partner);
    QVERIFY(!fixture.state.scratch.isActive());
}

QTEST_MAIN(PickerTest)
#include "test_editing_picker.moc"
