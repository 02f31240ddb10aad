#pragma once
// Key filter of a rate box: digits, the dot and Backspace pass; any other character is
// swallowed with a beep. Keys without a character (arrows, Tab, Enter) are left alone.

#include <QObject>

class TNastaveniRateFilter : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
