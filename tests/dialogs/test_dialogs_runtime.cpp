#include "dialogs/dialogy.h"
#include "support/scriptedhost.h"

#include <QCalendarWidget>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableView>
#include <QTest>

using namespace dialogs;

class RuntimeDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void commonFrame_data();
    void commonFrame();
    void inputNumberResult_data();
    void inputNumberResult();
    void inputNumberPrompt_data();
    void inputNumberPrompt();
    void numberKeyFilter_data();
    void numberKeyFilter();
    void pickDateResult_data();
    void pickDateResult();
    void pickDateByKeyboard_data();
    void pickDateByKeyboard();
    void pickOptionResult_data();
    void pickOptionResult();
};

namespace {

const QStringList books = {"Kniha došlých faktur", "Kniha odeslaných faktur", "Jiná"};

// Ends the window the way the user would: a named button, Esc, or Enter in the number box.
int finish(QDialog& dialog, const QString& how) {
    if (how == "Esc") {
        QTest::keyClick(&dialog, Qt::Key_Escape);
        return dialog.result();
    }
    if (how == "Enter") {
        QTest::keyClick(dialog.findChild<QSpinBox*>("UpDown_Cislo"), Qt::Key_Return);
        return dialog.result();
    }
    return ScriptedHost::click(dialog, how);
}

void typeInto(QWidget* widget, const QString& text) {
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

bool clickDay(QDialog& dialog, int day) {
    auto* view = dialog.findChild<QTableView*>("qt_calendar_calendarview");
    QAbstractItemModel* model = view->model();
    for (int row = 0; row < model->rowCount(); ++row) {
        for (int column = 0; column < model->columnCount(); ++column) {
            const QModelIndex cell = model->index(row, column);
            if (model->data(cell).toString() == QString::number(day)) {
                QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                                  view->visualRect(cell).center());
                return true;
            }
        }
    }
    return false;
}

void clickOption(QDialog& dialog, int index) {
    QRadioButton* radio = dialog.findChildren<QRadioButton*>().at(index);
    QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(6, radio->height() / 2));
}

} // namespace

void RuntimeDialogsTest::initTestCase() {
    setApplicationTitle("Lumira");
    // The tests run in the Czech locale, whose grouped digits must not leak into the plain
    // decimal texts.
    QCOMPARE(QLocale().language(), QLocale::Czech);
}

void RuntimeDialogsTest::commonFrame_data() {
    QTest::addColumn<int>("which");
    QTest::addColumn<bool>("okEnabledAtStart");
    QTest::newRow("InputNumber") << 0 << true;
    QTest::newRow("PickDate") << 1 << false;
    QTest::newRow("PickOption") << 2 << false;
}

void RuntimeDialogsTest::commonFrame() {
    QFETCH(int, which);
    QFETCH(bool, okEnabledAtStart);
    ScriptedHost host;
    struct Seen {
        QString okText, stornoText;
        bool okDefault = false, okEnabled = false, fixedSize = false, modal = false;
    } seen;
    host.dialogActions.enqueue([&seen](QDialog& dialog) {
        auto* ok = dialog.findChild<QPushButton*>("Tl_Ok");
        auto* storno = dialog.findChild<QPushButton*>("Tl_Storno");
        if (ok && storno) {
            seen = {ok->text(),
                    storno->text(),
                    ok->isDefault(),
                    ok->isEnabled(),
                    dialog.minimumSize() == dialog.maximumSize(),
                    dialog.isModal() || dialog.windowModality() != Qt::NonModal};
        }
        return finish(dialog, "Tl_Storno");
    });
    int number = 1;
    QDate date(2024, 3, 15);
    int index = 0;
    switch (which) {
    case 0:
        QVERIFY(!InputNumber(number, 1, 10, "", ""));
        break;
    case 1:
        QVERIFY(!PickDate(date, "", 0, 0));
        break;
    default:
        QVERIFY(!PickOption(books, index, "", "Vyberte knihu faktur"));
    }
    QCOMPARE(host.shownDialogs, QStringList{"Lumira"});
    QCOMPARE(seen.okText, QString("Ok"));
    QCOMPARE(seen.stornoText, QString("Storno"));
    QVERIFY(seen.okDefault);
    QCOMPARE(seen.okEnabled, okEnabledAtStart);
    QVERIFY(seen.fixedSize);
}

void RuntimeDialogsTest::inputNumberResult_data() {
    QTest::addColumn<int>("initial");
    QTest::addColumn<int>("minimum");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<QString>("typed"); // replaces the whole field; empty: nothing typed
    QTest::addColumn<QString>("finishWith");
    QTest::addColumn<bool>("expectedResult");
    QTest::addColumn<int>("expectedValue");

    QTest::newRow("unchanged Ok") << 5 << 1 << 250 << ""
                                  << "Tl_Ok" << false << 5;
    QTest::newRow("retyped same, Ok") << 5 << 1 << 250 << "5"
                                      << "Tl_Ok" << false << 5;
    QTest::newRow("changed Ok") << 5 << 1 << 250 << "7"
                                << "Tl_Ok" << true << 7;
    QTest::newRow("changed Enter") << 5 << 1 << 250 << "7"
                                   << "Enter" << true << 7;
    QTest::newRow("changed Storno") << 5 << 1 << 250 << "7"
                                    << "Tl_Storno" << false << 5;
    QTest::newRow("changed Esc") << 5 << 1 << 250 << "7"
                                 << "Esc" << false << 5;
    QTest::newRow("beyond the range keeps the last valid") << 5 << 1 << 250 << "300"
                                                           << "Tl_Ok" << true << 30;
    QTest::newRow("range above 16 bits") << 1 << 1 << 1000000 << "100000"
                                         << "Tl_Ok" << true << 100000;
    QTest::newRow("start above 16 bits, unchanged") << 40000 << 1 << 50000 << ""
                                                    << "Tl_Ok" << false << 40000;
    QTest::newRow("negative") << 0 << -50000 << 50000 << "-40000"
                              << "Tl_Ok" << true << -40000;
    QTest::newRow("a dot keeps the last valid") << 5 << 1 << 250 << "7.5"
                                                << "Tl_Ok" << true << 7;
    QTest::newRow("a minus alone keeps the value") << 5 << 1 << 250 << "-"
                                                   << "Tl_Ok" << false << 5;
}

void RuntimeDialogsTest::inputNumberResult() {
    QFETCH(int, initial);
    QFETCH(int, minimum);
    QFETCH(int, maximum);
    QFETCH(QString, typed);
    QFETCH(QString, finishWith);
    QFETCH(bool, expectedResult);
    QFETCH(int, expectedValue);
    ScriptedHost host;
    QString shownText;
    host.dialogActions.enqueue([&](QDialog& dialog) {
        auto* edit = dialog.findChild<QLineEdit*>("Ed_Cislo");
        shownText = edit->text();
        if (!typed.isEmpty()) {
            edit->selectAll();
            typeInto(edit, typed);
        }
        return finish(dialog, finishWith);
    });
    int value = initial;
    QCOMPARE(InputNumber(value, minimum, maximum, "Přejít na záznam ...", "Číslo"), expectedResult);
    QCOMPARE(value, expectedValue);
    QCOMPARE(shownText, QString::number(initial));
    QCOMPARE(host.beeps, 0);
}

void RuntimeDialogsTest::inputNumberPrompt_data() {
    QTest::addColumn<int>("minimum");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<QString>("expected");
    QTest::newRow("empty prompt") << 1 << 250 << ""
                                  << "Zadejte číslo v rozsahu od 1 do 250";
    QTest::newRow("empty prompt, plain decimal") << -5 << 100000 << ""
                                                 << "Zadejte číslo v rozsahu od -5 do 100000";
    QTest::newRow("given prompt") << 1 << 9 << "Zadejte pořadí obrázku od 1 do 9"
                                  << "Zadejte pořadí obrázku od 1 do 9";
}

void RuntimeDialogsTest::inputNumberPrompt() {
    QFETCH(int, minimum);
    QFETCH(int, maximum);
    QFETCH(QString, prompt);
    QFETCH(QString, expected);
    ScriptedHost host;
    QString shown;
    host.dialogActions.enqueue([&shown](QDialog& dialog) {
        shown = dialog.findChild<QLabel*>("La_Popiska")->text();
        return finish(dialog, "Tl_Storno");
    });
    int value = 1;
    InputNumber(value, minimum, maximum, "", prompt);
    QCOMPARE(shown, expected);
}

void RuntimeDialogsTest::numberKeyFilter_data() {
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("refused");
    for (const char* target : {"Ed_Cislo", "UpDown_Cislo"}) {
        const auto row = [target](const char* name, const QString& key, bool refused) {
            QTest::addRow("%s: %s", target, name) << QString(target) << key << refused;
        };
        row("letter", "a", true);
        row("Czech letter", "č", true);
        row("space", " ", true);
        row("comma", ",", true);
        row("digit", "7", false);
        row("minus", "-", false);
        row("dot", ".", false);
    }
}

void RuntimeDialogsTest::numberKeyFilter() {
    QFETCH(QString, target);
    QFETCH(QString, key);
    QFETCH(bool, refused);
    ScriptedHost host;
    QString before, after;
    host.dialogActions.enqueue([&](QDialog& dialog) {
        auto* edit = dialog.findChild<QLineEdit*>("Ed_Cislo");
        edit->deselect();
        edit->end(false);
        before = edit->text();
        typeInto(dialog.findChild<QWidget*>(target), key);
        after = edit->text();
        return finish(dialog, "Tl_Storno");
    });
    int value = 12;
    InputNumber(value, -1000, 1000, "", "");
    QCOMPARE(host.beeps, refused ? 1 : 0);
    if (refused)
        QCOMPARE(after, before);
    // What passes the filter shows in the box, even where it makes no number yet.
    if (!refused)
        QCOMPARE(after, before + key);
}

void RuntimeDialogsTest::pickDateResult_data() {
    QTest::addColumn<int>("clickedDay"); // 0: no click
    QTest::addColumn<QString>("finishWith");
    QTest::addColumn<bool>("expectedResult");
    QTest::addColumn<QDate>("expectedDate");
    const QDate start(2024, 3, 15);
    QTest::newRow("other day, Ok") << 20 << "Tl_Ok" << true << QDate(2024, 3, 20);
    QTest::newRow("same day, Ok") << 15 << "Tl_Ok" << false << start;
    QTest::newRow("other day, Storno") << 20 << "Tl_Storno" << false << start;
    QTest::newRow("other day, Esc") << 20 << "Esc" << false << start;
    QTest::newRow("no click, Ok is disabled") << 0 << "Tl_Ok" << false << start;
}

void RuntimeDialogsTest::pickDateResult() {
    QFETCH(int, clickedDay);
    QFETCH(QString, finishWith);
    QFETCH(bool, expectedResult);
    QFETCH(QDate, expectedDate);
    ScriptedHost host;
    bool okEnabledBefore = true, clicked = false, okEnabledAfter = false;
    QDate shownDate;
    QPoint position;
    host.dialogActions.enqueue([&](QDialog& dialog) {
        auto* ok = dialog.findChild<QPushButton*>("Tl_Ok");
        shownDate = dialog.findChild<QCalendarWidget*>("MonthCalendar1")->selectedDate();
        position = dialog.pos();
        okEnabledBefore = ok->isEnabled();
        if (clickedDay)
            clicked = clickDay(dialog, clickedDay);
        okEnabledAfter = ok->isEnabled();
        return finish(dialog, finishWith);
    });
    QDate date(2024, 3, 15);
    QCOMPARE(PickDate(date, "Datum", 120, 80), expectedResult);
    QCOMPARE(date, expectedDate);
    QCOMPARE(host.shownDialogs, QStringList{"Datum"});
    QCOMPARE(shownDate, QDate(2024, 3, 15));
    QCOMPARE(position, QPoint(120, 80));
    QVERIFY(!okEnabledBefore);
    QCOMPARE(clicked, clickedDay != 0);
    QCOMPARE(okEnabledAfter, clickedDay != 0);
}

void RuntimeDialogsTest::pickDateByKeyboard_data() {
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<bool>("expectedResult");
    QTest::addColumn<QDate>("expectedDate");
    const int right = Qt::Key_Right, down = Qt::Key_Down, enter = Qt::Key_Return;
    QTest::newRow("next day, Enter") << QList<int>{right, enter} << true << QDate(2024, 3, 16);
    QTest::newRow("a week on, Enter") << QList<int>{down, enter} << true << QDate(2024, 3, 22);
    QTest::newRow("there and back, Enter")
        << QList<int>{right, Qt::Key_Left, enter} << false << QDate(2024, 3, 15);
}

// Arrow keys choose a day and enable Ok; Enter in the calendar confirms.
void RuntimeDialogsTest::pickDateByKeyboard() {
    QFETCH(QList<int>, keys);
    QFETCH(bool, expectedResult);
    QFETCH(QDate, expectedDate);
    ScriptedHost host;
    bool okEnabled = false;
    host.dialogActions.enqueue([&](QDialog& dialog) {
        auto* view = dialog.findChild<QTableView*>("qt_calendar_calendarview");
        view->setFocus();
        for (int i = 0; i + 1 < keys.size(); ++i)
            QTest::keyClick(view, Qt::Key(keys[i]));
        okEnabled = dialog.findChild<QPushButton*>("Tl_Ok")->isEnabled();
        QTest::keyClick(view, Qt::Key(keys.last()));
        if (dialog.isVisible())
            dialog.reject();
        return dialog.result();
    });
    QDate date(2024, 3, 15);
    QCOMPARE(PickDate(date, "Datum", 120, 80), expectedResult);
    QCOMPARE(date, expectedDate);
    QVERIFY(okEnabled);
}

void RuntimeDialogsTest::pickOptionResult_data() {
    QTest::addColumn<int>("initial");
    QTest::addColumn<int>("clicked"); // -1: no click
    QTest::addColumn<QString>("finishWith");
    QTest::addColumn<bool>("expectedResult");
    QTest::addColumn<int>("expectedIndex");
    QTest::newRow("other, Ok") << 0 << 1 << "Tl_Ok" << true << 1;
    QTest::newRow("same, Ok") << 1 << 1 << "Tl_Ok" << false << 1;
    QTest::newRow("other, Storno") << 0 << 2 << "Tl_Storno" << false << 0;
    QTest::newRow("other, Esc") << 0 << 2 << "Esc" << false << 0;
    QTest::newRow("none preselected, pick, Ok") << -1 << 2 << "Tl_Ok" << true << 2;
    QTest::newRow("none preselected, no click, Ok is disabled")
        << -1 << -1 << "Tl_Ok" << false << -1;
}

void RuntimeDialogsTest::pickOptionResult() {
    QFETCH(int, initial);
    QFETCH(int, clicked);
    QFETCH(QString, finishWith);
    QFETCH(bool, expectedResult);
    QFETCH(int, expectedIndex);
    ScriptedHost host;
    QList<bool> checkedAtStart;
    QStringList texts;
    QString groupTitle;
    bool okEnabledBefore = true, okEnabledAfter = false;
    host.dialogActions.enqueue([&](QDialog& dialog) {
        for (QRadioButton* radio : dialog.findChildren<QRadioButton*>()) {
            checkedAtStart << radio->isChecked();
            texts << radio->text();
        }
        groupTitle = dialog.findChild<QGroupBox*>("RadioGroup1")->title();
        auto* ok = dialog.findChild<QPushButton*>("Tl_Ok");
        okEnabledBefore = ok->isEnabled();
        if (clicked >= 0)
            clickOption(dialog, clicked);
        okEnabledAfter = ok->isEnabled();
        return finish(dialog, finishWith);
    });
    int index = initial;
    QCOMPARE(PickOption(books, index, "", "Vyberte knihu faktur"), expectedResult);
    QCOMPARE(index, expectedIndex);
    QCOMPARE(texts, books);
    QCOMPARE(groupTitle, QString("Vyberte knihu faktur"));
    for (int i = 0; i < books.size(); ++i)
        QCOMPARE(checkedAtStart.value(i), i == initial);
    QVERIFY(!okEnabledBefore);
    QCOMPARE(okEnabledAfter, clicked >= 0);
}

QTEST_MAIN(RuntimeDialogsTest)
#include "test_dialogs_runtime.moc"
