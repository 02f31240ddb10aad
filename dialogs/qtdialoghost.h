#pragma once
// The host used by the running program: real Qt message boxes, file dialog, prompt and beep.

#include "dialogs/dialoghost.h"

namespace dialogs {

class QtDialogHost : public DialogHost {
public:
    Answer message(const Message& message) override;
    bool openDocument(const QString& target, const QString& parameters) override;
    int exec(QDialog& dialog) override;
    bool saveFile(SaveFileRequest& request) override;
    bool inputText(const QString& caption, const QString& prompt, QString& value) override;
    void beep() override;
};

} // namespace dialogs
