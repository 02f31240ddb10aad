#include "dialogs/linklabel.h"

#include "dialogs/dialogy.h"

#include <QMouseEvent>

namespace dialogs {

LinkLabel::LinkLabel(const QString& hostName, QWidget* parent) : QLabel(hostName, parent) {
    QPalette maroon = palette();
    maroon.setColor(QPalette::WindowText, QColor(128, 0, 0));
    setPalette(maroon);
    setCursor(Qt::PointingHandCursor);
    setUnderline(true);
}

void LinkLabel::enterEvent(QEnterEvent* event) {
    setUnderline(false);
    QLabel::enterEvent(event);
}

void LinkLabel::leaveEvent(QEvent* event) {
    setUnderline(true);
    QLabel::leaveEvent(event);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        OpenDocument(QStringLiteral("http://") + text(), QString());
    QLabel::mouseReleaseEvent(event);
}

void LinkLabel::setUnderline(bool on) {
    QFont f = font();
    f.setUnderline(on);
    setFont(f);
}

} // namespace dialogs
