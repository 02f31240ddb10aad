#pragma once
// Every message box, question, text window, save dialog, prompt and modal window of the
// program goes through one replaceable host, so tests can script the user's answers.

#include <QString>
#include <QStringList>
#include <functional>

class QDialog;

namespace dialogs {

enum class MessageKind { Info, Warning, Error, Question };

// Button codes as the platform reports them.
enum class Answer { None = 0, Ok = 1, Cancel = 2, Yes = 6, No = 7 };

struct Message {
    MessageKind kind = MessageKind::Info;
    QString caption; // already resolved: never empty
    QString text;
    int questionKind = 0; // 1..4 for questions (icon and buttons), 0 otherwise
};

struct SaveFileRequest {
    QString caption;
    QString filter;      // "Dokument XML|*.xml|Database CSV|*.csv"
    int filterIndex = 1; // 1-based, as chosen by the user on return
    QString fileName;    // proposed name; the chosen path on return
    QString defaultExtension;
    QString directory;
    bool promptOverwrite = true;
};

class DialogHost {
public:
    virtual ~DialogHost() = default;
    virtual Answer message(const Message& message) = 0;
    // Shell "open" of a file or web address; true when the request was accepted.
    virtual bool openDocument(const QString& target, const QString& parameters) = 0;
    // Shows a modal window; returns QDialog::Accepted or QDialog::Rejected.
    virtual int exec(QDialog& dialog) = 0;
    // False when the user cancelled.
    virtual bool saveFile(SaveFileRequest& request) = 0;
    // One-line text prompt; false when cancelled.
    virtual bool inputText(const QString& caption, const QString& prompt, QString& value) = 0;
    virtual void beep() = 0;
};

// The host in force; the production host (real Qt dialogs) unless a test installed another.
DialogHost& host();
// Installs a host (not owned); nullptr restores the production host.
void setHost(DialogHost* host);

// The application title that an empty caption stands for: the title set at start-up, else the
// application name.
QString applicationTitle();
void setApplicationTitle(const QString& title);
// The caption itself, or the application title when it is empty.
QString captionOrTitle(const QString& caption);

} // namespace dialogs
