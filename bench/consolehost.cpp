#include "bench/consolehost.h"

#include <QDialog>
#include <cstdio>

namespace bench {

dialogs::Answer ConsoleHost::message(const dialogs::Message& message) {
    const QString text = message.caption + QStringLiteral(": ") + message.text;
    std::fprintf(stderr, "%s\n", qPrintable(text));
    messages_ << text;
    // Questions are declined: a measurement never changes data by answering yes.
    return message.kind == dialogs::MessageKind::Question ? dialogs::Answer::No
                                                          : dialogs::Answer::Ok;
}

bool ConsoleHost::openDocument(const QString&, const QString&) {
    return false;
}

int ConsoleHost::exec(QDialog&) {
    return QDialog::Rejected;
}

bool ConsoleHost::saveFile(dialogs::SaveFileRequest&) {
    return false;
}

bool ConsoleHost::inputText(const QString&, const QString&, QString&) {
    return false;
}

QStringList ConsoleHost::takeMessages() {
    QStringList taken;
    taken.swap(messages_);
    return taken;
}

} // namespace bench
