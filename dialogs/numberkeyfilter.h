#pragma once
// Key filter of a number box: digits, "-", "." and backspace pass; any other character key is
// discarded with a beep. Keys that produce no character (arrows, Enter, Tab) are left alone.

#include <QObject>

namespace dialogs {

class NumberKeyFilter : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace dialogs
