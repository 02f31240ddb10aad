#include "dialogs/dialogy.h"

#include <QDialog>
#include <QEvent>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace dialogs {

namespace {

Answer show(MessageKind kind, const QString& caption, const QString& text, int questionKind = 0) {
    return host().message(Message{kind, captionOrTitle(caption), text, questionKind});
}

// The text window measures 450 x 250 on the outside. Its frame is known only once the window is
// on the screen (a window manager may add it later), so the inside follows the frame.
class TextWindow : public QDialog {
public:
    TextWindow() {
        setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
        fitOutside();
    }

protected:
    bool event(QEvent* event) override {
        const bool handled = QDialog::event(event);
        if (event->type() == QEvent::Show || event->type() == QEvent::Move ||
            event->type() == QEvent::WindowActivate)
            fitOutside();
        return handled;
    }

private:
    void fitOutside() {
        const QSize frame = frameGeometry().size() - geometry().size();
        const QSize inside = QSize(450, 250) - frame;
        if (size() != inside || minimumSize() != inside)
            setFixedSize(inside);
    }
};

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
    TextWindow window;
    window.setWindowTitle(captionOrTitle(caption));
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
