#pragma once
// A web link shown as its host name: maroon, underlined except while the mouse is over it;
// a click opens "http://" + the text.

#include <QLabel>

namespace dialogs {

class LinkLabel : public QLabel {
    Q_OBJECT
public:
    explicit LinkLabel(const QString& hostName, QWidget* parent = nullptr);

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void setUnderline(bool on);
};

} // namespace dialogs
