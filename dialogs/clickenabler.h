#pragma once
// Enables a button on the first mouse click anywhere inside a widget (its children included),
// so a choice dialog cannot be confirmed before the user has touched the choice.

#include <QObject>

class QAbstractButton;
class QWidget;

namespace dialogs {

class ClickEnabler : public QObject {
    Q_OBJECT
public:
    ClickEnabler(QWidget* watched, QAbstractButton* button);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAbstractButton* button;
};

} // namespace dialogs
