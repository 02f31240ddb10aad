#include "support/scriptedhost.h"

#include <QAbstractButton>
#include <QDialog>
#include <QTest>

ScriptedHost::ScriptedHost() : previous(dialogs::host()) {
    dialogs::setHost(this);
}

ScriptedHost::~ScriptedHost() {
    dialogs::setHost(&previous);
}

int ScriptedHost::click(QDialog& dialog, const QString& buttonName) {
    auto* button = dialog.findChild<QAbstractButton*>(buttonName);
    if (!button)
        qFatal("ScriptedHost::click: no button %s", qPrintable(buttonName));
    QTest::mouseClick(button, Qt::LeftButton);
    return dialog.result();
}

dialogs::Answer ScriptedHost::message(const dialogs::Message& message) {
    messages << message;
    if (message.kind != dialogs::MessageKind::Question)
        return dialogs::Answer::Ok;
    if (answers.isEmpty()) {
        ++unansweredQuestions;
        return dialogs::Answer::No;
    }
    return answers.dequeue();
}

bool ScriptedHost::openDocument(const QString& target, const QString& parameters) {
    openRequests << OpenRequest{target, parameters};
    return openDocumentResult;
}

int ScriptedHost::exec(QDialog& dialog) {
    shownDialogs << dialog.windowTitle();
    dialog.show();
    int result = QDialog::Rejected;
    if (dialogActions.isEmpty()) {
        ++unscriptedDialogs;
        dialog.reject();
        result = dialog.result();
    } else {
        result = dialogActions.dequeue()(dialog);
    }
    dialog.hide();
    return result;
}

bool ScriptedHost::saveFile(dialogs::SaveFileRequest& request) {
    saveRequests << request;
    const std::optional<SaveAnswer> answer =
        saveAnswers.isEmpty() ? std::nullopt : saveAnswers.dequeue();
    if (!answer)
        return false;
    request.fileName = answer->fileName;
    request.filterIndex = answer->filterIndex;
    return true;
}

bool ScriptedHost::inputText(const QString& caption, const QString& prompt, QString& value) {
    prompts << Prompt{caption, prompt, value};
    const std::optional<QString> answer =
        textAnswers.isEmpty() ? std::nullopt : textAnswers.dequeue();
    if (!answer)
        return false;
    value = *answer;
    return true;
}

void ScriptedHost::beep() {
    ++beeps;
}
