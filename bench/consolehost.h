#pragma once
// A dialog host for the command-line tools: every message goes to standard error and is
// remembered, so a measurement can tell that the program reported a problem.

#include "dialogs/dialoghost.h"

#include <QStringList>

namespace bench {

class ConsoleHost : public dialogs::DialogHost {
public:
    dialogs::Answer message(const dialogs::Message& message) override;
    bool openDocument(const QString& target, const QString& parameters) override;
    int exec(QDialog& dialog) override;
    bool saveFile(dialogs::SaveFileRequest& request) override;
    bool inputText(const QString& caption, const QString& prompt, QString& value) override;
    void beep() override {}

    // Messages shown since the last call, then forgotten.
    QStringList takeMessages();

private:
    QStringList messages_;
};

} // namespace bench
