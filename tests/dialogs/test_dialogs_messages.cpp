#include "dialogs/dialogy.h"
#include "support/scriptedhost.h"

#include <QAbstractButton>
#include <QDialog>
#include <QPlainTextEdit>
#include <QTest>

using namespace dialogs;

Q_DECLARE_METATYPE(dialogs::MessageKind)
Q_DECLARE_METATYPE(dialogs::Answer)

class MessagesTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { setApplicationTitle("Lumira"); }
    void messageBoxes_data();
    void messageBoxes();
    void questionOutsideKindsShowsNothing_data();
    void questionOutsideKindsShowsNothing();
    void questionReturnsTheAnswer();
    void textWindow_data();
    void textWindow();
    void openDocumentPassesThrough();
};

namespace {

enum class Call { Info, InfoTitled, Warning, Error, Question };

Answer callFunction(Call call, const QString& caption, int kind) {
    switch (call) {
    case Call::Info:
        ShowInfo("text");
        return Answer::Ok;
    case Call::InfoTitled:
        ShowInfoTitled(caption, "text");
        return Answer::Ok;
    case Call::Warning:
        ShowWarning(caption, "text");
        return Answer::Ok;
    case Call::Error:
        ShowError("text");
        return Answer::Ok;
    case Call::Question:
        return AskQuestion(caption, "text", kind);
    }
    return Answer::None;
}

} // namespace

void MessagesTest::messageBoxes_data() {
    QTest::addColumn<int>("call");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("questionKind");
    QTest::addColumn<MessageKind>("kind");
    QTest::addColumn<QString>("shownCaption");

    const auto row = [](const char* name, Call call, const QString& caption, int questionKind,
                        MessageKind kind, const QString& shown) {
        QTest::newRow(name) << int(call) << caption << questionKind << kind << shown;
    };
    row("info", Call::Info, "", 0, MessageKind::Info, "Lumira");
    row("info titled", Call::InfoTitled, "Tisk", 0, MessageKind::Info, "Tisk");
    row("info titled, empty caption", Call::InfoTitled, "", 0, MessageKind::Info, "Lumira");
    row("warning", Call::Warning, "Pozor", 0, MessageKind::Warning, "Pozor");
    row("warning, empty caption", Call::Warning, "", 0, MessageKind::Warning, "Lumira");
    row("error", Call::Error, "", 0, MessageKind::Error, "Lumira");
    for (int kind = 1; kind <= 4; ++kind) {
        const QByteArray name = "question kind " + QByteArray::number(kind);
        row(name.constData(), Call::Question, "Dotaz", kind, MessageKind::Question, "Dotaz");
        const QByteArray untitled = name + ", empty caption";
        row(untitled.constData(), Call::Question, "", kind, MessageKind::Question, "Lumira");
    }
}

void MessagesTest::messageBoxes() {
    QFETCH(int, call);
    QFETCH(QString, caption);
    QFETCH(int, questionKind);
    QFETCH(MessageKind, kind);
    QFETCH(QString, shownCaption);
    ScriptedHost host;
    callFunction(Call(call), caption, questionKind);
    QCOMPARE(host.messages.size(), 1);
    const Message& shown = host.messages.first();
    QCOMPARE(shown.kind, kind);
    QCOMPARE(shown.caption, shownCaption);
    QCOMPARE(shown.text, QString("text"));
    QCOMPARE(shown.questionKind, questionKind);
}

void MessagesTest::questionOutsideKindsShowsNothing_data() {
    QTest::addColumn<int>("kind");
    QTest::newRow("0") << 0;
    QTest::newRow("5") << 5;
    QTest::newRow("-1") << -1;
}

void MessagesTest::questionOutsideKindsShowsNothing() {
    QFETCH(int, kind);
    ScriptedHost host;
    host.answers.enqueue(Answer::Yes);
    QCOMPARE(AskQuestion("Dotaz", "text", kind), Answer::None);
    QVERIFY(host.messages.isEmpty());
    QCOMPARE(host.answers.size(), 1);
}

void MessagesTest::questionReturnsTheAnswer() {
    ScriptedHost host;
    host.answers << Answer::Yes << Answer::Cancel;
    QCOMPARE(AskQuestion("", "a", 1), Answer::Yes);
    QCOMPARE(AskQuestion("", "b", 3), Answer::Cancel);
    QCOMPARE(host.unansweredQuestions, 0);
    QCOMPARE(AskQuestion("", "c", 2), Answer::No);
    QCOMPARE(host.unansweredQuestions, 1);
}

void MessagesTest::textWindow_data() {
    QTest::addColumn<bool>("scrollBar");
    QTest::addColumn<Qt::ScrollBarPolicy>("policy");
    QTest::newRow("with scroll bar") << true << Qt::ScrollBarAlwaysOn;
    QTest::newRow("without scroll bar") << false << Qt::ScrollBarAlwaysOff;
}

void MessagesTest::textWindow() {
    QFETCH(bool, scrollBar);
    QFETCH(Qt::ScrollBarPolicy, policy);
    ScriptedHost host;
    struct Seen {
        QSize size;
        bool fixedSize = false;
        bool readOnly = false;
        QString text;
        Qt::ScrollBarPolicy vertical = Qt::ScrollBarAsNeeded;
        Qt::ScrollBarPolicy horizontal = Qt::ScrollBarAsNeeded;
        bool wraps = false;
        int buttons = -1;
    } seen;
    host.dialogActions.enqueue([&seen](QDialog& window) {
        if (auto* memo = window.findChild<QPlainTextEdit*>()) {
            // The size is the outside of the window, its frame included.
            seen = {window.frameGeometry().size(),
                    window.minimumSize() == window.maximumSize(),
                    memo->isReadOnly(),
                    memo->toPlainText(),
                    memo->verticalScrollBarPolicy(),
                    memo->horizontalScrollBarPolicy(),
                    memo->wordWrapMode() != QTextOption::NoWrap,
                    int(window.findChildren<QAbstractButton*>().size())};
        }
        window.close();
        return window.result();
    });
    ShowTextWindow("", "Řádek 1\r\nŘádek 2", scrollBar);
    QCOMPARE(host.shownDialogs, QStringList{"Lumira"});
    QCOMPARE(seen.size, QSize(450, 250));
    QVERIFY(seen.fixedSize);
    QVERIFY(seen.readOnly);
    QCOMPARE(seen.text, QString("Řádek 1\nŘádek 2"));
    QCOMPARE(seen.vertical, policy);
    QCOMPARE(seen.horizontal, Qt::ScrollBarAlwaysOff);
    QVERIFY(seen.wraps);
    QCOMPARE(seen.buttons, 0);
}

void MessagesTest::openDocumentPassesThrough() {
    ScriptedHost host;
    QVERIFY(OpenDocument("https://example.org/napoveda", ""));
    host.openDocumentResult = false;
    QVERIFY(!OpenDocument("/nonexistent/file.pdf", ""));
    QCOMPARE(host.openRequests.size(), 2);
    QCOMPARE(host.openRequests[0].target, QString("https://example.org/napoveda"));
    QCOMPARE(host.openRequests[0].parameters, QString());
    QVERIFY(host.messages.isEmpty());
}

QTEST_MAIN(MessagesTest)
#include "test_dialogs_messages.moc"
