#include "dialogs/dialogy.h"

#include <QDialog>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace dialogs {

namespace {

Answer show(MessageKind kind, const QString& caption, const QString& text, int questionKind = 0) {
    return host().message(Message{kind, captionOrTitle(caption), text, questionKind});
}

} // namespace

void ShowInfo(const QString& text) {
    show(MessageKind::Info, QString(), text);
}

void ShowInfoTitled(const QString& caption, const QString& text) {
    show(MessageKind::Info, caption, text);
}

void ShowWarning(const QString& caption, const QString& text) {
    show(MessageKind::Warning, caption, text);
}

void ShowError(const QString& text) {
    show(MessageKind::Error, QString(), text);
}

Answer AskQuestion(const QString& caption, const QString& text, int kind) {
    if (kind < 1 || kind > 4)
        return Answer::None;
    return show(MessageKind::Question, caption, text, kind);
}

void ShowTextWindow(const QString& caption, const QString& text, bool verticalScrollBar) {
    QDialog window;
    window.setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    window.setWindowTitle(captionOrTitle(caption));
    window.setFixedSize(450, 250);
    auto* memo = new QPlainTextEdit(&window);
    memo->setReadOnly(true);
    memo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    memo->setWordWrapMode(QTextOption::WordWrap);
    memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo->setVerticalScrollBarPolicy(verticalScrollBar ? Qt::ScrollBarAlwaysOn
                                                       : Qt::ScrollBarAlwaysOff);
    memo->setPlainText(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(memo);
    host().exec(window);
}

bool OpenDocument(const QString& target, const QString& parameters) {
    return host().openDocument(target, parameters);
}

} // namespace dialogs
