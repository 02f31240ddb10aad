#pragma once
// A dialog host for tests: records every message, beep, prompt and window, and answers from
// queues. It installs itself on construction and restores the previous host on destruction.

#include "dialogs/dialoghost.h"

#include <QList>
#include <QQueue>
#include <QString>
#include <functional>
#include <optional>

class ScriptedHost : public dialogs::DialogHost {
public:
    struct SaveAnswer {
        QString fileName;
        int filterIndex = 1;
    };
    struct Prompt {
        QString caption;
        QString prompt;
        QString value; // as offered
    };
    struct OpenRequest {
        QString target;
        QString parameters;
    };
    using DialogAction = std::function<int(QDialog&)>;

    ScriptedHost();
    ~ScriptedHost() override;
    ScriptedHost(const ScriptedHost&) = delete;
    ScriptedHost& operator=(const ScriptedHost&) = delete;

    // Answers to questions; an empty queue answers No and counts in unansweredQuestions.
    QQueue<dialogs::Answer> answers;
    // Save dialogs: nullopt or an empty queue cancels.
    QQueue<std::optional<SaveAnswer>> saveAnswers;
    // Text prompts: nullopt or an empty queue cancels.
    QQueue<std::optional<QString>> textAnswers;
    // Modal windows: the next action runs while the window is shown; without one it is rejected.
    QQueue<DialogAction> dialogActions;
    bool openDocumentResult = true;

    QList<dialogs::Message> messages;
    QList<dialogs::SaveFileRequest> saveRequests;
    QList<Prompt> prompts;
    QList<OpenRequest> openRequests;
    QStringList shownDialogs; // window titles, in order
    int unansweredQuestions = 0;
    int unscriptedDialogs = 0;
    int beeps = 0;

    // Clicks the named button of the window and returns the window's result.
    static int click(QDialog& dialog, const QString& buttonName);

    dialogs::Answer message(const dialogs::Message& message) override;
    bool openDocument(const QString& target, const QString& parameters) override;
    int exec(QDialog& dialog) override;
    bool saveFile(dialogs::SaveFileRequest& request) override;
    bool inputText(const QString& caption, const QString& prompt, QString& value) override;
    void beep() override;

private:
    dialogs::DialogHost& previous;
};
