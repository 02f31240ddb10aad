#include "app/outergeometry.h"

#include <QEvent>
#include <QWidget>
#include <QWindow>

namespace {

struct OuterRect {
    QRect rect;
    QSize minimum;
};

void applyOuter(QWidget* window, const OuterRect& outer) {
    const QSize frame = window->frameGeometry().size() - window->geometry().size();
    window->setMinimumSize(outer.minimum - frame);
    window->resize(outer.rect.size() - frame);
    window->move(outer.rect.topLeft());
}

// Applies the rectangle again on the window's first exposure, when the frame is known.
class FirstExposure : public QObject {
public:
    FirstExposure(QWidget* window, const OuterRect& outer)
        : QObject(window), window_(window), outer_(outer) {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == window_ && event->type() == QEvent::Show && window_->windowHandle())
            window_->windowHandle()->installEventFilter(this);
        if (watched == window_->windowHandle() && event->type() == QEvent::Expose &&
            window_->windowHandle()->isExposed()) {
            if (window_->windowState() == Qt::WindowNoState)
                applyOuter(window_, outer_);
            deleteLater();
        }
        return false;
    }

private:
    QWidget* window_;
    OuterRect outer_;
};

} // namespace

QRect centredOuter(const QRect& screen, const QSize& outerSize) {
    return {(screen.width() - outerSize.width()) / 2, (screen.height() - outerSize.height()) / 2,
            outerSize.width(), outerSize.height()};
}

void placeOuter(QWidget* window, const QRect& outer, const QSize& minimumOuter) {
    const OuterRect wanted{outer, minimumOuter};
    applyOuter(window, wanted);
    if (!window->isVisible())
        new FirstExposure(window, wanted);
}
