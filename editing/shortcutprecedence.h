#pragma once
// While one of the given actions is enabled, its key reaches the action even when a text box
// inside the panel has the focus and would otherwise take the key (Ctrl+C, Shift+Ins, ...).

#include <QList>
#include <QObject>

class QAction;
class QWidget;

class ShortcutPrecedence : public QObject {
    Q_OBJECT
public:
    ShortcutPrecedence(QWidget* panel, const QList<QAction*>& actions, QObject* parent);
    ~ShortcutPrecedence() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* panel_;
    QList<QAction*> actions_;

    bool insidePanel(QObject* watched) const;
};
