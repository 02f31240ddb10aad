#include "test_editing_records_harness.h"

#include "editing/teditace.h"

#include <QAccessible>
#include <QCalendarWidget>
#include <QClipboard>
#include <QGuiApplication>
#include <QLocale>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <functional>

using dialogs::Answer;
using dialogs::MessageKind;
using State = engine::DataSet::State;

namespace {

const QString closingQuestion = QStringLiteral(
    "Formulář je v režimu editace. Pokud byly hodnoty záznamu změněny, požadujete jejich "
    "uložení?");

// Opens the editor with the action and runs the steps inside it; a window the steps leave
// open is closed with Storno.
void inEditor(EditingHarness& h, QAction* opener, const std::function<void(QDialog&)>& steps) {
    h.host.dialogActions.enqueue([&h, steps](QDialog& dialog) {
        activate(dialog);
        steps(dialog);
        if (dialog.isVisible())
            ScriptedHost::click(dialog, "Tl_Storno");
        return dialog.result();
    });
    opener->trigger();
    QVERIFY(h.host.dialogActions.isEmpty());
}

QLineEdit* box(QDialog& dialog, const char* name) {
    return child<QLineEdit>(dialog, name);
}

// Types as the user does after tabbing into the box: over its whole text, one character at a
// time.
void type(QLineEdit* box, const QString& text) {
    box->setFocus();
    box->selectAll();
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

QVariant stored(EditingHarness& h, const QString& column, qint64 id) {
    engine::QueryResult result;
    h.state.connection.select(QStringLiteral("SELECT ") + column + QStringLiteral(" FROM ") +
                                  h.state.activeBook.TableName() + QStringLiteral(" WHERE Id = ") +
                                  QString::number(id),
                              result, nullptr);
    return result.rows.value(0).value(0);
}

} // namespace

class EditorTest : public QObject {
    Q_OBJECT
private slots:
    void newRecordWithoutNumberStaysInserting();
    void newTwiceWithAutomaticNumbering();
    void previousOnNewRowDoesNothingNextStoresIt();
    void okOnUnchangedCorrectionStoresNothing();
    void closeBoxDuringChange_data();
    void closeBoxDuringChange();
    void boxesFollowMovesAndWriteFirst();
    void resetAbandonsChanges();
    void dateButtons_data();
    void dateButtons();
    void calendar_data();
    void calendar();
    void rateMenuSetsOnlyTheRate();
    void seriesMenuReplacesNumber();
    void pickerButtons_data();
    void pickerButtons();
    void keyFilters_data();
    void keyFilters();
    void pastedControlCharacterIsRefused_data();
    void pastedControlCharacterIsRefused();
    void keysThatChangeNothingStillEdit_data();
    void keysThatChangeNothingStillEdit();
    void enterPressesFocusedButton_data();
    void enterPressesFocusedButton();
    void notANumberIsRefused();
    void amountTakesEitherSeparator_data();
    void amountTakesEitherSeparator();
    void keyboard();
    void labelsFollowTheBook_data();
    void labelsFollowTheBook();
    void placement_data();
    void placement();
    void boxesHaveAccessibleNames();
    void rowChangedByAnotherCopy_data();
    void rowChangedByAnotherCopy();
};

void EditorTest::newRecordWithoutNumberStaysInserting() {
    EditingHarness h;
    h.start();
    bool stayedOpen = false;
    State stateAfterOk = State::Inactive;
    inEditor(h, h.actions.Akce_Novy, [&](QDialog& dialog) {
        type(box(dialog, "DB_Specifikace"), QStringLiteral("Nájem"));
        ScriptedHost::click(dialog, "Tl_Ok");
        stayedOpen = dialog.isVisible();
        stateAfterOk = h.book().state();
    });
    QVERIFY(stayedOpen);
    QCOMPARE(stateAfterOk, State::Insert);
    QCOMPARE(h.host.messages.size(), 1);
    QCOMPARE(h.host.messages[0].text, QStringLiteral("Kolonka \"Číslo\" musí být vyplněná!"));
    QCOMPARE(h.host.shownDialogs, QStringList{QStringLiteral("Došlé faktury - nový záznam")});
    // Storno abandoned it.
    QCOMPARE(h.book().state(), State::Browse);
    QCOMPARE(h.storedRows(), 0);
}

void EditorTest::newTwiceWithAutomaticNumbering() {
    EditingHarness h;
    h.state.settings.AutoCislo_FD = true;
    h.fixture.insertInvoice("FD_0001", 100, 21, 121);
    h.start();
    QString numberShown, caption;
    State stateAfter = State::Inactive;
    bool numberFocused = false;
    inEditor(h, h.actions.Akce_Novy, [&](QDialog& dialog) {
        type(box(dialog, "DB_Zaklad"), QStringLiteral("250,5"));
        ScriptedHost::click(dialog, "Tl_Novy");
        numberShown = box(dialog, "DB_Cislo")->text();
        numberFocused = box(dialog, "DB_Cislo")->hasFocus();
        caption = dialog.windowTitle();
        stateAfter = h.book().state();
        h.verifyTotals();
    });
    QCOMPARE(stored(h, "Cislo", 2).toString(), QStringLiteral("FD_0002"));
    QCOMPARE(stored(h, "Zaklad", 2).toDouble(), 250.5);
    QCOMPARE(stored(h, "SazbaDPH", 2).toInt(), 0);
    QCOMPARE(stateAfter, State::Insert);
    QCOMPARE(numberShown, QStringLiteral("FD_0003"));
    QVERIFY(numberFocused);
    QCOMPARE(caption, QStringLiteral("Nový záznam"));
    QCOMPARE(h.storedRows(), 2);
    QVERIFY(h.host.messages.isEmpty());
}

void EditorTest::previousOnNewRowDoesNothingNextStoresIt() {
    EditingHarness h;
    h.fixture.insertInvoice("A1", 10);
    h.fixture.insertInvoice("A2", 20);
    h.start();
    QString captionAfterPrevious, numberAfterPrevious, captionAfterNext;
    State stateAfterPrevious = State::Inactive, stateAfterNext = State::Inactive;
    int rowsAfterPrevious = 0, positionAfterNext = 0;
    inEditor(h, h.actions.Akce_Novy, [&](QDialog& dialog) {
        type(box(dialog, "DB_Cislo"), QStringLiteral("N1"));
        type(box(dialog, "DB_Celkem"), QStringLiteral("30"));
        ScriptedHost::click(dialog, "Tl_Zpet");
        captionAfterPrevious = dialog.windowTitle();
        stateAfterPrevious = h.book().state();
        numberAfterPrevious = box(dialog, "DB_Cislo")->text();
        rowsAfterPrevious = h.storedRows();
        ScriptedHost::click(dialog, "Tl_Vpred");
        captionAfterNext = dialog.windowTitle();
        stateAfterNext = h.book().state();
        positionAfterNext = h.book().recNo();
        h.verifyTotals();
        ScriptedHost::click(dialog, "Tl_Ok");
    });
    QCOMPARE(captionAfterPrevious, QStringLiteral("Oprava záznamu"));
    QCOMPARE(stateAfterPrevious, State::Insert);
    QCOMPARE(numberAfterPrevious, QStringLiteral("N1"));
    QCOMPARE(rowsAfterPrevious, 2);
    QCOMPARE(captionAfterNext, QStringLiteral("Oprava záznamu"));
    QCOMPARE(stateAfterNext, State::Browse);
    QCOMPARE(positionAfterNext, 3);
    QCOMPARE(stored(h, "Celkem", 3).toDouble(), 30.0);
    QVERIFY(h.host.messages.isEmpty());
}

void EditorTest::okOnUnchangedCorrectionStoresNothing() {
    EditingHarness h;
    h.fixture.insertInvoice("A1", 10);
    h.start();
    QSignalSpy states(&h.book(), &engine::DataSet::stateChanged);
    int result = -1;
    inEditor(h, h.actions.Akce_Edit,
             [&](QDialog& dialog) { result = ScriptedHost::click(dialog, "Tl_Ok"); });
    QCOMPARE(result, int(QDialog::Accepted));
    QCOMPARE(h.host.shownDialogs, QStringList{QStringLiteral("Došlé faktury - oprava záznamu")});
    QVERIFY(states.isEmpty());
    QVERIFY(h.host.messages.isEmpty());
}

void EditorTest::closeBoxDuringChange_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("staysOpen");
    QTest::addColumn<QString>("storedText");
    QTest::newRow("Cancel keeps the window and the change") << int(Answer::Cancel) << true << "";
    QTest::newRow("No abandons the change") << int(Answer::No) << false << "";
    QTest::newRow("Yes stores the change") << int(Answer::Yes) << false << "nové";
}

void EditorTest::closeBoxDuringChange() {
    QFETCH(int, answer);
    QFETCH(bool, staysOpen);
    QFETCH(QString, storedText);
    EditingHarness h;
    h.fixture.insertInvoice("A1");
    h.start();
    bool open = false;
    QString shownText;
    State stateAfter = State::Inactive;
    inEditor(h, h.actions.Akce_Edit, [&](QDialog& dialog) {
        type(box(dialog, "DB_Specifikace"), QStringLiteral("nové"));
        h.host.answers.enqueue(Answer(answer));
        dialog.close();
        open = dialog.isVisible();
        shownText = box(dialog, "DB_Specifikace")->text();
        stateAfter = h.book().state();
    });
    QCOMPARE(h.host.messages.size(), 1);
    QCOMPARE(h.host.messages[0].caption, QStringLiteral("Pozor!"));
    QCOMPARE(h.host.messages[0].text, closingQuestion);
    QCOMPARE(h.host.messages[0].questionKind, 3);
    QCOMPARE(open, staysOpen);
    if (staysOpen) {
        QCOMPARE(stateAfter, State::Edit);
        QCOMPARE(shownText, QStringLiteral("nové"));
    }
    QCOMPARE(stored(h, "Specifikace", 1).toString(), storedText);
    QCOMPARE(h.book().state(), State::Browse);
}

// The boxes follow the row; what was typed is written before the row is left.
void EditorTest::boxesFollowMovesAndWriteFirst() {
    EditingHarness h;
    h.fixture.insertInvoice("A1", 1234.5);
    h.fixture.insertInvoice("A2", 7);
    h.start();
    QString shown, edited, afterMove, amountAfterMove;
    inEditor(h, h.actions.Akce_Edit, [&](QDialog& dialog) {
        QLineEdit* amount = box(dialog, "DB_Zaklad");
        shown = amount->text();
        amount->setFocus();
        edited = amount->text();
        type(box(dialog, "DB_Specifikace"), QStringLiteral("nájem"));
        ScriptedHost::click(dialog, "Tl_Vpred");
        afterMove = box(dialog, "DB_Cislo")->text();
        amountAfterMove = amount->text();
    });
    QCOMPARE(shown, QStringLiteral("1\u00a0234,50"));
    QCOMPARE(edited, QStringLiteral("1234,50"));
    QCOMPARE(afterMove, QStringLiteral("A2"));
    QCOMPARE(amountAfterMove, QStringLiteral("7,00"));
    QCOMPARE(stored(h, "Specifikace", 1).toString(), QStringLiteral("nájem"));
    QCOMPARE(h.book().recNo(), 2);
}

void EditorTest::resetAbandonsChanges() {
    EditingHarness h;
    h.fixture.insertInvoice("A1");
    h.fixture.insertInvoice("A2");
    h.start();
    QVERIFY(h.book().moveTo(2));
    QString restored, caption, currentAfterReset;
    State afterCorrection = State::Inactive, afterNew = State::Inactive;
    bool open = false;
    inEditor(h, h.actions.Akce_Edit, [&](QDialog& dialog) {
        type(box(dialog, "DB_Cislo"), QStringLiteral("X"));
        ScriptedHost::click(dialog, "Tl_Reset");
        restored = box(dialog, "DB_Cislo")->text();
        afterCorrection = h.book().state();
        ScriptedHost::click(dialog, "Tl_Novy");
        ScriptedHost::click(dialog, "Tl_Reset");
        afterNew = h.book().state();
        currentAfterReset = box(dialog, "DB_Cislo")->text();
        caption = dialog.windowTitle();
        open = dialog.isVisible();
    });
    QCOMPARE(restored, QStringLiteral("A2"));
    QCOMPARE(afterCorrection, State::Browse);
    QCOMPARE(afterNew, State::Browse);
    QCOMPARE(currentAfterReset, QStringLiteral("A2"));
    QCOMPARE(caption, QStringLiteral("Nový záznam"));
    QVERIFY(open);
    QCOMPARE(h.storedRows(), 2);
    QVERIFY(h.host.messages.isEmpty());
}

void EditorTest::dateButtons_data() {
    QTest::addColumn<QDate>("start");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QDate>("expected");
    const QDate today = QDate::currentDate();
    QTest::newRow("+ týden on an empty date")
        << QDate() << "Tl_Datum2PlusTyden" << today.addDays(7);
    QTest::newRow("- den on 1 March 2024")
        << QDate(2024, 3, 1) << "Tl_Datum2MinusJedna" << QDate(2024, 2, 29);
    QTest::newRow("+ den over the year's end")
        << QDate(2024, 12, 31) << "Tl_Datum2PlusJedna" << QDate(2025, 1, 1);
    QTest::newRow("- týden") << QDate(2024, 3, 5) << "Tl_Datum2MinusTyden" << QDate(2024, 2, 27);
    QTest::newRow("- den on an empty date")
        << QDate() << "Tl_Datum2MinusJedna" << today.addDays(-1);
    QTest::newRow("Dnes over a date") << QDate(2020, 1, 1) << "Tl_DatumDnes2" << today;
}

void EditorTest::dateButtons() {
    QFETCH(QDate, start);
    QFETCH(QString, button);
    QFETCH(QDate, expected);
    EditingHarness h;
    QVariantMap values{{"Cislo", "A1"}};
    if (start.isValid())
        values.insert("Datum2", start);
    h.fixture.insert("FDosle", values);
    h.start();
    QString shown;
    inEditor(h, h.actions.Akce_Edit, [&](QDialog& dialog) {
        ScriptedHost::click(dialog, button);
        shown = box(dialog, "DB_Datum2")->text();
        ScriptedHost::click(dialog, "Tl_Ok");
    });
    QCOMPARE(stored(h, "Datum2", 1).toDate(), expected);
    QCOMPARE(shown, expected.toString(QStringLiteral("d.M.yyyy")));
    QVERIFY(stored(h, "Datum1", 1).isNull());
}

void EditorTest::calendar_data() {
    QTest::addColumn<QDate>("start");
    QTest::addColumn<QDate>("picked"); // invalid: confirm the date shown
    QTest::addColumn<QDate>("expected");
    QTest::addColumn<QDate>("expectedShown");
    const QDate today = QDate::currentDate();
    QTest::newRow("today over an empty date leaves it empty")
        << QDate() << QDate() << QDate() << today;
    QTest::newRow("another day is stored")
        << QDate(2024, 3, 1) << QDate(2024, 3, 15) << QDate(2024, 3, 15) << QDate(2024, 3, 1);
    QTest::newRow("the same day changes nothing")
        << QDate(2024, 3, 1) << QDate() << QDate(2024, 3, 1) << QDate(2024, 3, 1);
}

void EditorTest::calendar() {
    QFETCH(QDate, start);
    QFETCH(QDate, picked);
    QFETCH(QDate, expected);
    QFETCH(QDate, expectedShown);
    EditingHarness h;
    QVariantMap values{{"Cislo", "A1"}};
    if (start.isValid())
        values.insert("Datum3", start);
    h.fixture.insert("FDosle", values);
    h.start();
    QDate shownInCalendar;
    State stateAfter = State::Inactive;
    inEditor(h, h.actions.Akce_Edit, [&](QDialog& editor) {
        h.host.dialogActions.enqueue([&](QDialog& dialog) {
            auto* calendar = child<QCalendarWidget>(dialog, "MonthCalendar1");
            shownInCalendar = calendar->selectedDate();
            if (picked.isValid())
                calendar->setSelectedDate(picked);
            auto* view = child<QAbstractItemView>(dialog, "qt_calendar_calendarview");
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                              view->visualRect(view->currentIndex()).center());
            return ScriptedHost::click(dialog, "Tl_Ok");
        });
        QTest::mouseClick(box(editor, "DB_Datum3"), Qt::LeftButton);
        stateAfter = h.book().state();
        ScriptedHost::click(editor, "Tl_Ok");
    });
    QCOMPARE(h.host.shownDialogs.value(1), QStringLiteral("Datum"));
    QCOMPARE(shownInCalendar, expectedShown);
    QCOMPARE(stateAfter, expected == start ? State::Browse : State::Edit);
    QCOMPARE(stored(h, "Datum3", 1).toDate(), expected);
}

void EditorTest::rateMenuSetsOnlyTheRate() {
    EditingHarness h;
    h.fixture.insertInvoice("A1", 1000, 0, 1000);
    h.start();
    QStringList captions;
    QString rateShown;
    inEditor(h, h.actions.Akce_Edit, [&](QDialog& dialog) {
        auto* menu = child<QMenu>(dialog, "PMenu_SazbaDPH");
        for (QAction* item : menu->actions())
            captions << item->text();
        child<QAction>(dialog, "PMenu_SnizenaSazbaDPH1")->trigger();
        rateShown = box(dialog, "DB_SazbaDPH")->text();
        ScriptedHost::click(dialog, "Tl_Ok");
    });
    QCOMPARE(captions, (QStringList{"Bez sazby", "Základní sazba (21%)", "Snížená sazba 1 (15%)",
                                    "Snížená sazba 2 (10%)"}));
    QCOMPARE(rateShown, QStringLiteral("15"));
    QCOMPARE(stored(h, "SazbaDPH", 1).toInt(), 15);
    QCOMPARE(stored(h, "DPH", 1).toDouble(), 0.0);
    QCOMPARE(stored(h, "Celkem", 1).toDouble(), 1000.0);
    h.verifyTotals();
}

void EditorTest::seriesMenuReplacesNumber() {
    EditingHarness h;
    h.fixture.insertInvoice("FD_0005");
    h.start();
    QString shown;
    inEditor(h, h.actions.Akce_Edit, [&](QDialog& dialog) {
        auto* menu = child<QMenu>(dialog, "PMenu_CisRady");
        menu->actions().constFirst()->trigger();
        shown = box(dialog, "DB_Cislo")->text();
        ScriptedHost::click(dialog, "Tl_Ok");
    });
    QCOMPARE(shown, QStringLiteral("FD_0006"));
    QCOMPARE(stored(h, "Cislo", 1).toString(), QStringLiteral("FD_0006"));
}

void EditorTest::pickerButtons_data() {
    QTest::addColumn<QString>("column");
    for (const char* column : {"Dodavatel_odberatel", "ICO", "Specifikace", "Poznamka"})
        QTest::newRow(column) << column;
}

// Each "..." button beside a box opens the picker of its column.
void EditorTest::pickerButtons() {
    QFETCH(QString, column);
    EditingHarness h;
    h.fixture.insertInvoice("A1");
    h.start();
    inEditor(h, h.actions.Akce_Edit, [&](QDialog& dialog) {
        const QByteArray button = "Tl_Cis_" + column.toLatin1();
        QTest::mouseClick(child<QPushButton>(dialog, button.constData()), Qt::LeftButton);
    });
    QCOMPARE(h.host.shownDialogs,
             QStringList({"Došlé faktury - oprava záznamu", "Výběr - " + column}));
}

void EditorTest::keyFilters_data() {
    QTest::addColumn<QString>("boxName");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("beeps");
    QTest::newRow("letter and blank in VS") << "DB_VariabilniSymbol"
                                            << "1a 2"
                                            << "12" << 2;
    QTest::newRow("dash and dot in VS") << "DB_VariabilniSymbol"
                                        << "1-2.3"
                                        << "1-2.3" << 0;
    QTest::newRow("a letter alone in IČO") << "DB_ICO"
                                           << "x"
                                           << "" << 1;
    QTest::newRow("control character in the bank code") << "DB_SmerovyKod"
                                                        << "0\x16"
                                                           "1"
                                                        << "01" << 1;
    QTest::newRow("IČO holds 8 characters") << "DB_ICO"
                                            << "123456789"
                                            << "12345678" << 0;
    QTest::newRow("amount with a comma") << "DB_Zaklad"
                                         << "-12,5x"
                                         << "-12,5" << 1;
    QTest::newRow("amount with a dot") << "DB_DPH"
                                       << "5145.11"
                                       << "5145.11" << 0;
    QTest::newRow("rate takes no comma") << "DB_SazbaDPH"
                                         << "1,5"
                                         << "15" << 1;
    QTest::newRow("outside the code page") << "DB_Specifikace"
                                           << "a\u03a9b"
                                           << "ab" << 1;
}

void EditorTest::keyFilters() {
    QFETCH(QString, boxName);
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    QFETCH(int, beeps);
    EditingHarness h;
    h.fixture.insertInvoice("A1");
    h.start();
    QString shown;
    State stateAfter = State::Inactive;
    inEditor(h, h.actions.Akce_Edit, [&](QDialog& dialog) {
        QLineEdit* target = box(dialog, qPrintable(boxName));
        target->clear();
        type(target, typed);
        shown = target->text();
        stateAfter = h.book().state();
    });
    QCOMPARE(shown, expected);
    QCOMPARE(h.host.beeps, beeps);
    // A refused key alone does not put the row into editing.
    QCOMPARE(stateAfter, expected.isEmpty() ? State::Browse : State::Edit);
}

void EditorTest::pastedControlCharacterIsRefused_data() {
    QTest::addColumn<QString>("boxName");
    QTest::addColumn<QString>("pasted");
    QTest::newRow("Ctrl-A in the note") << "DB_Poznamka" << QStringLiteral("Nájem\u0001");
    QTest::newRow("vertical tab in the partner") << "DB_Dodavatel_odberatel"
                                                 << "a\vb";
    QTest::newRow("line break in the invoice description") << "DB_Specifikace"
                                                           << "a\r\nb";
    QTest::newRow("NUL in an amount") << "DB_Zaklad" << QStringLiteral("12\u0000");
}

void EditorTest::pastedControlCharacterIsRefused() {
    QFETCH(QString, boxName);
    QFETCH(QString, pasted);
    EditingHarness h;
    h.fixture.insertInvoice("A1");
    h.start();
    QString shown;
    inEditor(h, h.actions.Akce_Edit, [&](QDialog& dialog) {
        QLineEdit* target = box(dialog, qPrintable(boxName));
        target->setFocus();
        target->selectAll();
        QGuiApplication::clipboard()->setText(pasted);
        target->paste();
        shown = target->text();
        ScriptedHost::click(dialog, "Tl_Ok");
    });
    QVERIFY(!shown.contains(pasted));
    QCOMPARE(h.host.beeps, 1);
    const QString kept = stored(h, boxName.mid(3), 1).toString();
    QVERIFY(std::none_of(kept.begin(), kept.end(),
                         [](QChar c) { return c.category() == QChar::Other_Control; }));
}

void EditorTest::keysThatChangeNothingStillEdit_data() {
    QTest::addColumn<QString>("boxName");
    QTest::addColumn<int>("cursor"); // -1: at the end
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("typed");
    QTest::newRow("Backspace at the start") << "DB_Cislo" << 0 << int(Qt::Key_Backspace) << "";
    QTest::newRow("Delete at the end") << "DB_Cislo" << -1 << int(Qt::Key_Delete) << "";
    QTest::newRow("a digit into a full IČO") << "DB_ICO" << -1 << int(Qt::Key_9) << "9";
}

// The row passes to editing on the key itself, whether or not the text changes.
void EditorTest::keysThatChangeNothingStillEdit() {
    QFETCH(QString, boxName);
    QFETCH(int, cursor);
    QFETCH(int, key);
    QFETCH(QString, typed);
    EditingHarness h;
    h.fixture.insertInvoice("A1");
    QVERIFY(h.state.connection.execute("UPDATE FDosle SET ICO = '12345678'", nullptr));
    h.start();
    State stateAfter = State::Inactive;
    QString textBefore, textAfter;
    int cursorAfter = -2;
    inEditor(h, h.actions.Akce_Edit, [&](QDialog& dialog) {
        QLineEdit* target = box(dialog, qPrintable(boxName));
        target->setFocus();
        textBefore = target->text();
        target->setCursorPosition(cursor < 0 ? textBefore.size() : cursor);
        QTest::sendKeyEvent(QTest::Click, target, Qt::Key(key), typed, Qt::NoModifier);
        stateAfter = h.book().state();
        textAfter = target->text();
        cursorAfter = target->cursorPosition();
    });
    QCOMPARE(stateAfter, State::Edit);
    QCOMPARE(textAfter, textBefore);
    QCOMPARE(cursorAfter, cursor < 0 ? textBefore.size() : cursor);
    QCOMPARE(h.host.beeps, 0);
}

void EditorTest::enterPressesFocusedButton_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("caption"); // empty: the window closed
    QTest::newRow("Ok") << "Tl_Ok"
                        << "";
    QTest::newRow("Nový") << "Tl_Novy"
                          << "Nový záznam";
    QTest::newRow("a small button") << "Tl_DatumDnes1"
                                    << "Došlé faktury - oprava záznamu";
}

void EditorTest::enterPressesFocusedButton() {
    QFETCH(QString, button);
    QFETCH(QString, caption);
    EditingHarness h;
    h.fixture.insertInvoice("A1");
    h.start();
    QString captionAfter;
    QDate dateAfter;
    inEditor(h, h.actions.Akce_Edit, [&](QDialog& dialog) {
        auto* target = child<QPushButton>(dialog, qPrintable(button));
        target->setFocus();
        QTest::keyClick(target, Qt::Key_Return);
        captionAfter = dialog.isVisible() ? dialog.windowTitle() : QString();
        dateAfter = h.book().value("Datum1").toDate();
    });
    QCOMPARE(captionAfter, caption);
    if (button == "Tl_DatumDnes1")
        QCOMPARE(dateAfter, QDate::currentDate());
}

void EditorTest::notANumberIsRefused() {
    EditingHarness h;
    h.fixture.insertInvoice("A1", 5);
    h.start();
    bool focusBack = false, openAfterOk = false;
    int messagesAfterTab = 0;
    inEditor(h, h.actions.Akce_Edit, [&](QDialog& dialog) {
        QLineEdit* amount = box(dialog, "DB_Zaklad");
        amount->clear();
        type(amount, QStringLiteral("1,2,3"));
        QTest::keyClick(amount, Qt::Key_Tab);
        messagesAfterTab = h.host.messages.size();
        focusBack = amount->hasFocus();
        ScriptedHost::click(dialog, "Tl_Ok");
        openAfterOk = dialog.isVisible();
    });
    QCOMPARE(messagesAfterTab, 1);
    QCOMPARE(h.host.messages[0].kind, MessageKind::Error);
    QCOMPARE(h.host.messages[0].text, QStringLiteral("'1,2,3' není platné číslo."));
    QVERIFY(focusBack);
    QVERIFY(openAfterOk);
    QCOMPARE(h.host.messages.size(), 2);
    QCOMPARE(stored(h, "Zaklad", 1).toDouble(), 5.0);
}

void EditorTest::amountTakesEitherSeparator_data() {
    QTest::addColumn<QString>("typed");
    QTest::newRow("dot") << "5145.11";
    QTest::newRow("comma") << "5145,11";
}

void EditorTest::amountTakesEitherSeparator() {
    QFETCH(QString, typed);
    EditingHarness h;
    h.fixture.insertInvoice("A1", 5);
    h.start();
    QString shownAfterTab;
    inEditor(h, h.actions.Akce_Edit, [&](QDialog& dialog) {
        type(box(dialog, "DB_Zaklad"), typed);
        QTest::keyClick(box(dialog, "DB_Zaklad"), Qt::Key_Tab);
        shownAfterTab = box(dialog, "DB_Zaklad")->text();
        ScriptedHost::click(dialog, "Tl_Ok");
    });
    QVERIFY(h.host.messages.isEmpty());
    QCOMPARE(shownAfterTab, QStringLiteral("5\u00a0145,11"));
    QCOMPARE(stored(h, "Zaklad", 1).toDouble(), 5145.11);
}

// Tab walks the boxes in column order and the bottom buttons, skipping the small buttons;
// Enter in a box moves on like Tab; Esc presses Storno.
void EditorTest::keyboard() {
    EditingHarness h;
    h.fixture.insertInvoice("A1");
    h.start();
    QStringList walked;
    QString afterEnter, numberAfterEsc;
    bool openAfterEsc = true;
    inEditor(h, h.actions.Akce_Edit, [&](QDialog& dialog) {
        walked << QApplication::focusWidget()->objectName();
        for (int i = 0; i < 21; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            walked << QApplication::focusWidget()->objectName();
        }
        box(dialog, "DB_ICO")->setFocus();
        QTest::keyClick(box(dialog, "DB_ICO"), Qt::Key_Return);
        afterEnter = QApplication::focusWidget()->objectName();
        type(box(dialog, "DB_Cislo"), QStringLiteral("9"));
        QTest::keyClick(box(dialog, "DB_Cislo"), Qt::Key_Escape);
        openAfterEsc = dialog.isVisible();
    });
    const QStringList order{"DB_Cislo",
                            "DB_Dodavatel_odberatel",
                            "DB_ICO",
                            "DB_CisloUctu",
                            "DB_SmerovyKod",
                            "DB_Specifikace",
                            "DB_VariabilniSymbol",
                            "DB_Zaklad",
                            "DB_SazbaDPH",
                            "DB_DPH",
                            "DB_Celkem",
                            "DB_Datum1",
                            "DB_Datum2",
                            "DB_Datum3",
                            "DB_Poznamka",
                            "Tl_Novy",
                            "Tl_Zpet",
                            "Tl_Vpred",
                            "Tl_Reset",
                            "Tl_Ok",
                            "Tl_Storno",
                            "DB_Cislo"};
    QCOMPARE(walked, order);
    QCOMPARE(afterEnter, QStringLiteral("DB_CisloUctu"));
    QVERIFY(!openAfterEsc);
    QVERIFY(h.host.messages.isEmpty());
    QCOMPARE(h.book().state(), State::Browse);
    QCOMPARE(stored(h, "Cislo", 1).toString(), QStringLiteral("A1"));
}

void EditorTest::labelsFollowTheBook_data() {
    QTest::addColumn<int>("book");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("received") << 0 << QStringList{"Dodavatel", "Název dodavatele", "Základ v EUR",
                                                  "DPH v EUR", "Částka v EUR",     "Vystaveno",
                                                  "Datum 2",   "Datum 3"};
    QTest::newRow("issued") << 1 << QStringList{"Odběratel", "Název odběratele", "Základ v EUR",
                                                "DPH v EUR", "Částka v EUR",     "Datum 1",
                                                "Splatnost", "Datum 3"};
}

void EditorTest::labelsFollowTheBook() {
    QFETCH(int, book);
    QFETCH(QStringList, expected);
    EditingHarness h(book);
    Settings& s = h.state.settings;
    s.Mena = QStringLiteral("EUR");
    s.PopiskaD1_FD = QStringLiteral("Vystaveno");
    s.PopiskaD2_FO = QStringLiteral("Splatnost");
    h.fixture.insert(h.state.activeBook.TableName(), {{"Cislo", "A1"}});
    h.start();
    QStringList shown;
    QList<int> limits;
    inEditor(h, h.actions.Akce_Edit, [&](QDialog& dialog) {
        for (const char* name : {"La_Nadpis", "La_Dodavatel_odberatel", "La_Zaklad", "La_DPH",
                                 "La_Celkem", "La_Datum1", "La_Datum2", "La_Datum3"})
            shown << child<QLabel>(dialog, name)->text();
        for (const char* name :
             {"DB_Cislo", "DB_Dodavatel_odberatel", "DB_ICO", "DB_CisloUctu", "DB_SmerovyKod",
              "DB_Specifikace", "DB_VariabilniSymbol", "DB_Poznamka"})
            limits << box(dialog, name)->maxLength();
    });
    QCOMPARE(shown, expected);
    QCOMPARE(limits, (QList<int>{20, 100, 8, 17, 4, 100, 10, 100}));
    QCOMPARE(h.host.shownDialogs[0], bookInfo(book).statusName + " - oprava záznamu");
}

void EditorTest::placement_data() {
    QTest::addColumn<bool>("keepPlaces");
    QTest::addColumn<QPoint>("remembered");
    QTest::addColumn<bool>("centredLeft");
    QTest::addColumn<bool>("centredTop");
    QTest::newRow("kept place") << true << QPoint(40, 30) << false << false;
    QTest::newRow("left off the screen") << true << QPoint(100000, 30) << true << false;
    QTest::newRow("top off the screen") << true << QPoint(40, 100000) << false << true;
    QTest::newRow("places not kept") << false << QPoint(40, 30) << true << true;
}

void EditorTest::placement() {
    QFETCH(bool, keepPlaces);
    QFETCH(QPoint, remembered);
    QFETCH(bool, centredLeft);
    QFETCH(bool, centredTop);
    EditingHarness h;
    h.state.settings.UkladatFrm = keepPlaces;
    h.state.EditorLeft = remembered.x();
    h.state.EditorTop = remembered.y();
    h.start();
    TEditace editor(h.state, h.actions);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QCOMPARE(editor.x(), centredLeft ? (screen.width() - editor.width()) / 2 : remembered.x());
    QCOMPARE(editor.y(), centredTop ? (screen.height() - editor.height()) / 2 : remembered.y());
    // Closing writes the window's place back for the next opening.
    editor.move(editor.x() + 3, editor.y() + 4);
    editor.done(QDialog::Rejected);
    QCOMPARE(QPoint(h.state.EditorLeft, h.state.EditorTop), editor.pos());
}

// A screen reader names each box after its label, as the labels read in the window.
void EditorTest::boxesHaveAccessibleNames() {
    EditingHarness h;
    h.state.settings.Mena = QStringLiteral("Kč");
    h.fixture.insertInvoice("A1");
    h.start();
    QStringList names;
    inEditor(h, h.actions.Akce_Edit, [&](QDialog& dialog) {
        for (const QString& column : invoiceColumns().mid(1)) {
            QLineEdit* target = box(dialog, qPrintable("DB_" + column));
            names << QAccessible::queryAccessibleInterface(target)->text(QAccessible::Name);
        }
    });
    const QStringList expected{
        "Číslo faktury", "Název dodavatele",  "IČO",         "Číslo účtu/kód", "Kód",
        "Specifikace",   "Variabilní symbol", "Základ v Kč", "Sazba DPH v %",  "DPH v Kč",
        "Částka v Kč"};
    QCOMPARE(names.size(), 15);
    QCOMPARE(names.mid(0, 11), expected);
    for (int date = 1; date <= 3; ++date)
        QCOMPARE(names[10 + date], h.state.settings.dateCaption(0, date));
    QCOMPARE(names.last(), QStringLiteral("Poznámka"));
}

void EditorTest::rowChangedByAnotherCopy_data() {
    QTest::addColumn<QString>("elsewhere"); // what the other copy does meanwhile
    QTest::addColumn<QString>("answer");    // to the question, if one comes
    QTest::addColumn<bool>("asked");
    QTest::addColumn<bool>("stored");
    const QString deleted = "DELETE FROM FDosle";
    const QString changed = "UPDATE FDosle SET Poznamka = 'jinde'";
    QTest::newRow("untouched elsewhere") << ""
                                         << "" << false << true;
    QTest::newRow("deleted elsewhere") << deleted << "" << false << false;
    QTest::newRow("changed elsewhere, kept") << changed << "No" << true << false;
    QTest::newRow("changed elsewhere, overwritten") << changed << "Yes" << true << true;
}

// Two copies of the program on one folder: a correction never silently lands on a row the
// other copy deleted or changed after this one read it.
void EditorTest::rowChangedByAnotherCopy() {
    QFETCH(QString, elsewhere);
    QFETCH(QString, answer);
    QFETCH(bool, asked);
    QFETCH(bool, stored);
    EditingHarness h;
    h.fixture.insertInvoice("A1");
    h.start();
    engine::Connection other;
    QString error;
    QVERIFY2(other.open(h.state.databasePath(), &error), qPrintable(error));
    if (!answer.isEmpty())
        h.host.answers << (answer == "Yes" ? Answer::Yes : Answer::No);
    bool openAfterOk = false;
    State stateAfterOk = State::Inactive;
    QString typedAfterOk;
    inEditor(h, h.actions.Akce_Edit, [&](QDialog& dialog) {
        type(box(dialog, "DB_Specifikace"), QStringLiteral("Oprava"));
        if (!elsewhere.isEmpty())
            QVERIFY2(other.execute(elsewhere, &error), qPrintable(error));
        ScriptedHost::click(dialog, "Tl_Ok");
        openAfterOk = dialog.isVisible();
        stateAfterOk = h.book().state();
        typedAfterOk = box(dialog, "DB_Specifikace")->text();
    });
    QCOMPARE(openAfterOk, !stored);
    if (!stored) {
        QCOMPARE(stateAfterOk, State::Edit);
        QCOMPARE(typedAfterOk, QStringLiteral("Oprava"));
    }
    const QStringList questions = [&] {
        QStringList texts;
        for (const auto& message : h.host.messages)
            if (message.kind == MessageKind::Question)
                texts << message.text;
        return texts;
    }();
    QCOMPARE(questions.size(), asked ? 1 : 0);
    if (asked)
        QCOMPARE(questions[0], QStringLiteral("Faktura \"A1\" byla mezitím změněna v jiném okně "
                                              "programu. Chcete ji přesto přepsat svými změnami?"));
    if (elsewhere.startsWith("DELETE")) {
        QCOMPARE(h.host.messages.size(), 1);
        QCOMPARE(h.host.messages[0].kind, MessageKind::Error);
        QCOMPARE(h.host.messages[0].text,
                 QStringLiteral("Faktura byla mezitím odstraněna nebo změněna v jiném okně "
                                "programu. Změny zůstávají neuložené."));
        QCOMPARE(h.storedRows(), 0);
        return;
    }
    QCOMPARE(::stored(h, "Specifikace", 1).toString(), QString(stored ? "Oprava" : ""));
    QCOMPARE(::stored(h, "Poznamka", 1).toString(), QString(elsewhere.isEmpty() ? "" : "jinde"));
}

QTEST_MAIN(EditorTest)
#include "test_editing_editor.moc"
