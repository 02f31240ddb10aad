#include "test_editing_records_harness.h"

#include "editing/recordcommands.h"

#include <QClipboard>
#include <QLocale>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>

using dialogs::Answer;
using dialogs::MessageKind;
using State = engine::DataSet::State;

class RecordCommandsTest : public QObject {
    Q_OBJECT
private slots:
    void newRecordDefaults_data();
    void newRecordDefaults();
    void recordWithoutNumberStaysPending();
    void databaseErrorWhileStoringKeepsState();
    void deleteAsksAndMoves_data();
    void deleteAsksAndMoves();
    void databaseErrorWhileDeletingKeepsRow();
    void movesStopAtTheEnds();
    void disabledActionsDoNothing();
    void goToRecord_data();
    void goToRecord();
    void copyRecord_data();
    void copyRecord();
    void copyKeyWinsOverFilterTextBox();
};

void RecordCommandsTest::newRecordDefaults_data() {
    QTest::addColumn<int>("book");
    QTest::addColumn<bool>("autoNumber");
    QTest::addColumn<QList<int>>("dateKinds");
    QTest::addColumn<QString>("expectedNumber");
    QTest::addColumn<QList<int>>("expectedDaysFromToday"); // -1: empty

    QTest::newRow("received, no numbering, date 2 in 14 days")
        << 0 << false << QList<int>{0, 2, 0} << QString() << QList<int>{-1, 14, -1};
    QTest::newRow("issued, numbering, today and an unknown kind")
        << 1 << true << QList<int>{1, 0, 7} << QStringLiteral("FO_0003") << QList<int>{0, -1, -1};
    QTest::newRow("received, numbering counts the book's own numbers only")
        << 0 << true << QList<int>{2, 1, 1} << QStringLiteral("FD_0001") << QList<int>{14, 0, 0};
}

void RecordCommandsTest::newRecordDefaults() {
    QFETCH(int, book);
    QFETCH(bool, autoNumber);
    QFETCH(QList<int>, dateKinds);
    QFETCH(QString, expectedNumber);
    QFETCH(QList<int>, expectedDaysFromToday);
    EditingHarness h(book);
    h.fixture.insert(QStringLiteral("FOdeslane"), {{QStringLiteral("Cislo"), "FO_0002"}});
    Settings& s = h.state.settings;
    s.autoNumber(book) = autoNumber;
    for (int date = 1; date <= 3; ++date)
        s.defaultDateKind(book, date) = dateKinds[date - 1];
    // The rate of a new row is 0 whatever the settings say.
    s.ZakladniSazbaDPH = 25;
    h.start();
    h.host.dialogActions.enqueue([&](QDialog& dialog) {
        [&] {
            QCOMPARE(h.book().state(), State::Insert);
            QCOMPARE(h.book().text("Cislo"), expectedNumber);
            for (const char* amount : {"Zaklad", "DPH", "Celkem"}) {
                QVERIFY(!h.book().isNull(amount));
                QCOMPARE(h.book().number(amount), 0.0);
            }
            QCOMPARE(h.book().value("SazbaDPH").toInt(), 0);
            for (int date = 1; date <= 3; ++date) {
                const QVariant value = h.book().value(QStringLiteral("Datum%1").arg(date));
                const int days = expectedDaysFromToday[date - 1];
                if (days < 0)
                    QVERIFY(value.isNull());
                else
                    QCOMPARE(value.toDate(), QDate::currentDate().addDays(days));
            }
        }();
        return ScriptedHost::click(dialog, "Tl_Storno");
    });
    h.actions.Akce_Novy->trigger();
    QCOMPARE(h.host.shownDialogs,
             QStringList{bookInfo(book).statusName + QStringLiteral(" - nový záznam")});
    QCOMPARE(h.book().state(), State::Browse);
}

void RecordCommandsTest::recordWithoutNumberStaysPending() {
    EditingHarness h;
    h.start();
    QVERIFY(h.book().append());
    h.book().setValue("Poznamka", QStringLiteral("rozepsáno"));
    QVERIFY(!h.book().post());
    QCOMPARE(h.host.messages.size(), 1);
    QCOMPARE(h.host.messages[0].kind, MessageKind::Info);
    QCOMPARE(h.host.messages[0].text, QStringLiteral("Kolonka \"Číslo\" musí být vyplněná!"));
    QCOMPARE(h.book().state(), State::Insert);
    QCOMPARE(h.book().text("Poznamka"), QStringLiteral("rozepsáno"));
    QCOMPARE(h.storedRows(), 0);
}

void RecordCommandsTest::databaseErrorWhileStoringKeepsState() {
    EditingHarness h;
    h.fixture.insertInvoice("A1", 100);
    h.start();
    h.host.dialogActions.enqueue([&](QDialog& dialog) {
        // More than the 20 characters the column holds: the database refuses the row.
        h.book().setValue("Cislo", QString(25, u'9'));
        ScriptedHost::click(dialog, "Tl_Ok");
        [&] {
            QVERIFY(dialog.isVisible());
            QCOMPARE(h.book().state(), State::Insert);
            QCOMPARE(h.host.messages.size(), 1);
            QCOMPARE(h.host.messages[0].kind, MessageKind::Error);
            QVERIFY(!h.host.messages[0].text.isEmpty());
        }();
        return ScriptedHost::click(dialog, "Tl_Storno");
    });
    h.actions.Akce_Novy->trigger();
    QCOMPARE(h.storedRows(), 1);
    h.verifyTotals();
}

void RecordCommandsTest::deleteAsksAndMoves_data() {
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("expectedCurrent");
    QTest::addColumn<int>("expectedRows");
    QTest::newRow("middle row, next becomes current") << 2 << int(Answer::Yes) << "A3" << 2;
    QTest::newRow("last row, previous becomes current") << 3 << int(Answer::Yes) << "A2" << 2;
    QTest::newRow("No keeps the row") << 2 << int(Answer::No) << "A2" << 3;
}

void RecordCommandsTest::deleteAsksAndMoves() {
    QFETCH(int, position);
    QFETCH(int, answer);
    QFETCH(QString, expectedCurrent);
    QFETCH(int, expectedRows);
    EditingHarness h;
    h.fixture.insertInvoice("A1", 100, 21, 121);
    h.fixture.insertInvoice("A2", 200, 42, 242);
    h.fixture.insertInvoice("A3", 300, 63, 363);
    h.start();
    QVERIFY(h.book().moveTo(position));
    h.host.answers.enqueue(Answer(answer));
    h.actions.Akce_Smazat->trigger();
    QCOMPARE(h.host.messages.size(), 1);
    const dialogs::Message& question = h.host.messages[0];
    QCOMPARE(question.caption, QStringLiteral("Varování"));
    QCOMPARE(question.text,
             QStringLiteral("Opravdu chcete odstranit záznam \"A%1\" ?").arg(position));
    QCOMPARE(question.questionKind, 2);
    QCOMPARE(h.book().text("Cislo"), expectedCurrent);
    QCOMPARE(h.storedRows(), expectedRows);
    QCOMPARE(h.book().recordCount(), expectedRows);
    h.verifyTotals();
}

void RecordCommandsTest::databaseErrorWhileDeletingKeepsRow() {
    EditingHarness h;
    h.fixture.insertInvoice("A1");
    h.start();
    QString error;
    QVERIFY(h.state.connection.execute(
        "CREATE TRIGGER keep BEFORE DELETE ON FDosle BEGIN SELECT RAISE(ABORT, 'zamčeno'); END",
        &error));
    h.host.answers.enqueue(Answer::Yes);
    h.actions.Akce_Smazat->trigger();
    QCOMPARE(h.host.messages.size(), 2);
    QCOMPARE(h.host.messages[1].kind, MessageKind::Error);
    QVERIFY(h.host.messages[1].text.contains("zamčeno"));
    QCOMPARE(h.book().state(), State::Browse);
    QCOMPARE(h.book().recordCount(), 1);
    QCOMPARE(h.book().text("Cislo"), QStringLiteral("A1"));
}

// Next at the last row and previous at the first leave the row current; so does a move whose
// action the status has disabled.
void RecordCommandsTest::movesStopAtTheEnds() {
    EditingHarness h;
    for (const char* n : {"A1", "A2", "A3"})
        h.fixture.insertInvoice(n);
    h.start();
    MainActions& a = h.actions;
    a.Akce_NaKonec->trigger();
    QCOMPARE(h.book().recNo(), 3);
    QVERIFY(!a.Akce_Vpred->isEnabled());
    h.editing->commands().next();
    QCOMPARE(h.book().recNo(), 3);
    a.Akce_Vzad->trigger();
    QCOMPARE(h.book().recNo(), 2);
    a.Akce_NaZacatek->trigger();
    QCOMPARE(h.book().recNo(), 1);
    h.editing->commands().prior();
    QCOMPARE(h.book().recNo(), 1);
    a.Akce_Vpred->trigger();
    QCOMPARE(h.book().text("Cislo"), QStringLiteral("A2"));
    QVERIFY(h.host.messages.isEmpty());
}

void RecordCommandsTest::disabledActionsDoNothing() {
    EditingHarness h;
    h.fixture.insertInvoice("A1");
    h.fixture.insertInvoice("A2");
    h.start();
    QVERIFY(h.book().edit());
    h.book().setValue("Poznamka", QStringLiteral("x"));
    // While a row is pending, new, correction and delete are disabled.
    for (QAction* action : {h.actions.Akce_Novy, h.actions.Akce_Edit, h.actions.Akce_Smazat}) {
        QVERIFY2(!action->isEnabled(), qPrintable(action->objectName()));
        action->trigger();
    }
    QVERIFY(h.host.messages.isEmpty());
    QVERIFY(h.host.shownDialogs.isEmpty());
    QCOMPARE(h.book().state(), State::Edit);
    // The first row: previous is disabled and does not store the pending row either.
    h.actions.Akce_Vzad->trigger();
    QCOMPARE(h.book().state(), State::Edit);
}

void RecordCommandsTest::goToRecord_data() {
    QTest::addColumn<QString>("condition");
    QTest::addColumn<int>("chosen");
    QTest::addColumn<int>("expectedRecNo");
    QTest::addColumn<int>("expectedMaximum");
    QTest::newRow("another row") << QString() << 4 << 4 << 4;
    QTest::newRow("the current row changes nothing") << QString() << 2 << 2 << 4;
    QTest::newRow("range of the filtered rows") << " WHERE Zaklad > 150" << 3 << 3 << 3;
}

void RecordCommandsTest::goToRecord() {
    QFETCH(QString, condition);
    QFETCH(int, chosen);
    QFETCH(int, expectedRecNo);
    QFETCH(int, expectedMaximum);
    EditingHarness h;
    for (int i = 1; i <= 4; ++i)
        h.fixture.insertInvoice(QStringLiteral("A%1").arg(i), i * 100);
    h.state.BookCondition = condition;
    h.start();
    QVERIFY(h.book().moveTo(2));
    QSignalSpy moves(&h.book(), &engine::DataSet::currentChanged);
    QString prompt;
    int start = 0, maximum = 0;
    h.host.dialogActions.enqueue([&](QDialog& dialog) {
        prompt = child<QLabel>(dialog, "La_Popiska")->text();
        auto* spin = child<QSpinBox>(dialog, "UpDown_Cislo");
        start = spin->value();
        maximum = spin->maximum();
        spin->setValue(chosen);
        return ScriptedHost::click(dialog, "Tl_Ok");
    });
    h.actions.Akce_PrechodNaZaznam->trigger();
    QCOMPARE(h.host.shownDialogs, QStringList{QStringLiteral("Přejít na záznam ...")});
    QCOMPARE(prompt, QStringLiteral("Zadejte pořadí obrázku od 1 do %1").arg(expectedMaximum));
    QCOMPARE(start, 2);
    QCOMPARE(maximum, expectedMaximum);
    QCOMPARE(h.book().recNo(), expectedRecNo);
    QCOMPARE(moves.isEmpty(), chosen == 2);
}

void RecordCommandsTest::copyRecord_data() {
    QTest::addColumn<int>("book");
    QTest::addColumn<QVariantMap>("values");
    QTest::addColumn<QString>("expected");
    const QString crlf = QStringLiteral("\r\n");
    QTest::newRow("received, full row") << 0
                                        << QVariantMap{{"Cislo", "FD_0007"},
                                                       {"Dodavatel_odberatel", "Pekárna Novák"},
                                                       {"ICO", "12345678"},
                                                       {"CisloUctu", "123-456789"},
                                                       {"SmerovyKod", "0100"},
                                                       {"Specifikace", "Rohlíky"},
                                                       {"VariabilniSymbol", "2024007"},
                                                       {"Zaklad", 1234.5},
                                                       {"SazbaDPH", 12},
                                                       {"DPH", 148.14},
                                                       {"Celkem", 1382.64},
                                                       {"Datum1", QDate(2024, 3, 1)},
                                                       {"Datum3", QDate(2024, 12, 31)},
                                                       {"Poznamka", "zaplaceno"}}
                                        << QStringList{"Číslo: FD_0007",
                                                       "Dodavatel: Pekárna Novák",
                                                       "IČO: 12345678",
                                                       "Číslo účtu: 123-456789",
                                                       "Kód: 0100",
                                                       "Specifikace: Rohlíky",
                                                       "VS: 2024007",
                                                       "Základ: 1\u00a0234,50 EUR",
                                                       "Sazba DPH: 12 %",
                                                       "DPH: 148,14 EUR",
                                                       "Celkem: 1\u00a0382,64 EUR",
                                                       "Vystaveno: 1.3.2024",
                                                       "Datum 2: ",
                                                       "Splatnost: 31.12.2024",
                                                       "Poznámka: zaplaceno"}
                                               .join(crlf);
    QTest::newRow("issued, empty row ends with the empty note") << 1 << QVariantMap{{"Cislo", "X"}}
                                                                << QStringList{"Číslo: X",
                                                                               "Odběratel: ",
                                                                               "IČO: ",
                                                                               "Číslo účtu: ",
                                                                               "Kód: ",
                                                                               "Specifikace: ",
                                                                               "VS: ",
                                                                               "Základ: 0,00 EUR",
                                                                               "Sazba DPH: 0 %",
                                                                               "DPH: 0,00 EUR",
                                                                               "Celkem: 0,00 EUR",
                                                                               "Datum 1: ",
                                                                               "Datum 2: ",
                                                                               "Datum 3: ",
                                                                               "Poznámka: "}
                                                                       .join(crlf);
}

void RecordCommandsTest::copyRecord() {
    QFETCH(int, book);
    QFETCH(QVariantMap, values);
    QFETCH(QString, expected);
    EditingHarness h(book);
    h.state.settings.Mena = QStringLiteral("EUR");
    h.state.settings.PopiskaD1_FD = QStringLiteral("Vystaveno");
    h.state.settings.PopiskaD3_FD = QStringLiteral("Splatnost");
    h.fixture.insert(h.state.activeBook.TableName(), values);
    h.start();
    QGuiApplication::clipboard()->clear();
    h.actions.Akce_KopirovatZaznam->trigger();
    QCOMPARE(QGuiApplication::clipboard()->text(), expected);
    QVERIFY(expected.endsWith(QStringLiteral("\r\nPoznámka: ")) ||
            expected.endsWith(QStringLiteral("zaplaceno")));
}

// Ctrl+C in a text box of the filter panel copies the record while the command is enabled,
// and the box's own text when it is not.
void RecordCommandsTest::copyKeyWinsOverFilterTextBox() {
    EditingHarness h;
    h.fixture.insertInvoice("A1");
    h.start();
    auto* box = new QLineEdit(QStringLiteral("výraz"), h.filterPanel);
    h.window.show();
    activate(h.window);
    box->setFocus();
    box->selectAll();
    QGuiApplication::clipboard()->clear();
    QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
    QVERIFY(QGuiApplication::clipboard()->text().startsWith(QStringLiteral("Číslo: A1\r\n")));
    h.actions.Akce_KopirovatZaznam->setEnabled(false);
    QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("výraz"));
}

QTEST_MAIN(RecordCommandsTest)
#include "test_editing_records.moc"
