#include "dialogs/qtdialoghost.h"

#include "dialogs/filefilter.h"
#include "dialogs/win1250validator.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QUrl>
#include <utility>

namespace dialogs {

namespace {

// Every cancel button of the program reads the same, whatever Qt's translation says.
const QString cancelText = QStringLiteral("Storno");

QMessageBox::Icon iconOf(const Message& message) {
    switch (message.kind) {
    case MessageKind::Info:
        return QMessageBox::Information;
    case MessageKind::Warning:
        return QMessageBox::Warning;
    case MessageKind::Error:
        return QMessageBox::Critical;
    case MessageKind::Question:
        // Kinds 2 and 4 carry the exclamation mark, 1 and 3 the question mark.
        return message.questionKind % 2 == 0 ? QMessageBox::Warning : QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons buttonsOf(const Message& message) {
    if (message.kind != MessageKind::Question)
        return QMessageBox::Ok;
    if (message.questionKind >= 3)
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    return QMessageBox::Yes | QMessageBox::No;
}

// Fixed Czech captions as the platform's own boxes have them, whatever Qt's translation says.
void setButtonTexts(QMessageBox& box) {
    const std::pair<QMessageBox::StandardButton, const char*> texts[] = {
        {QMessageBox::Yes, "&Ano"},
        {QMessageBox::No, "&Ne"},
        {QMessageBox::Cancel, nullptr},
        {QMessageBox::Ok, "OK"}};
    for (const auto& [which, text] : texts) {
        if (QAbstractButton* button = box.button(which))
            button->setText(text ? QString::fromUtf8(text) : cancelText);
    }
}

Answer answerOf(int button) {
    switch (button) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::Cancel:
        return Answer::Cancel;
    case QMessageBox::Ok:
        return Answer::Ok;
    default:
        return Answer::None;
    }
}

QUrl urlOf(const QString& target) {
    if (QFileInfo::exists(target))
        return QUrl::fromLocalFile(QFileInfo(target).absoluteFilePath());
    return QUrl::fromUserInput(target);
}

} // namespace

Answer QtDialogHost::message(const Message& message) {
    QMessageBox box(iconOf(message), message.caption, message.text, buttonsOf(message),
                    QApplication::activeWindow());
    // Questions preselect No, so Enter never confirms by accident.
    box.setDefaultButton(message.kind == MessageKind::Question ? QMessageBox::No : QMessageBox::Ok);
    setButtonTexts(box);
    return answerOf(box.exec());
}

bool QtDialogHost::openDocument(const QString& target, const QString& parameters) {
    if (target.isEmpty())
        return false;
    // Parameters only make sense for a program; anything else is opened by its associated one.
    if (!parameters.isEmpty())
        return QProcess::startDetached(target, QProcess::splitCommand(parameters));
    return QDesktopServices::openUrl(urlOf(target));
}

int QtDialogHost::exec(QDialog& dialog) {
    return dialog.exec();
}

bool QtDialogHost::saveFile(SaveFileRequest& request) {
    QFileDialog dialog(QApplication::activeWindow(), request.caption, request.directory);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setLabelText(QFileDialog::Reject, cancelText);
    const QStringList filters = qtNameFilters(request.filter);
    dialog.setNameFilters(filters);
    if (request.filterIndex >= 1 && request.filterIndex <= filters.size())
        dialog.selectNameFilter(filters[request.filterIndex - 1]);
    dialog.setDefaultSuffix(request.defaultExtension);
    // A name typed without extension gets the one of the file type chosen, not always the first.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& f) {
        const QString extension = filterExtension(f);
        if (!extension.isEmpty())
            dialog.setDefaultSuffix(extension);
    });
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.promptOverwrite);
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    request.fileName = dialog.selectedFiles().constFirst();
    request.filterIndex = filters.indexOf(dialog.selectedNameFilter()) + 1;
    return true;
}

bool QtDialogHost::inputText(const QString& caption, const QString& prompt, QString& value) {
    QInputDialog dialog(QApplication::activeWindow());
    dialog.setWindowTitle(captionOrTitle(caption));
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setLabelText(prompt);
    dialog.setTextValue(value);
    dialog.setCancelButtonText(cancelText);
    if (QLineEdit* edit = dialog.findChild<QLineEdit*>())
        installWin1250Filter(edit);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    value = dialog.textValue();
    return true;
}

void QtDialogHost::beep() {
    QApplication::beep();
}

} // namespace dialogs
