#include "orvex/backgroundlayout.h"

#include <QThread>

namespace orvex {

BackgroundLayout::BackgroundLayout(LayoutInput input, QObject* parent) : QObject(parent) {
    thread_.reset(QThread::create([this, input = std::move(input)] { run(input); }));
    thread_->start();
}

BackgroundLayout::~BackgroundLayout() {
    stop_ = true;
    thread_->wait();
}

void BackgroundLayout::run(LayoutInput input) {
    const auto hook = std::move(input.pageDone);
    input.pageDone = [this, &hook](const PreparedPage& page, int index) {
        {
            const QMutexLocker lock(&mutex_);
            pending_ << page;
        }
        QMetaObject::invokeMethod(this, &BackgroundLayout::deliver, Qt::QueuedConnection);
        return !stop_ && (!hook || hook(page, index));
    };
    const auto updateHook = std::move(input.pageUpdated);
    // Updates come as the layout ends: the delivery that finishes brings them all at once.
    input.pageUpdated = [this, &updateHook](const PreparedPage& page, int index) {
        {
            const QMutexLocker lock(&mutex_);
            updated_.insert(index, page);
        }
        if (updateHook)
            updateHook(page, index);
    };
    const PreparedReport report = layoutReport(input);
    {
        const QMutexLocker lock(&mutex_);
        warnings_ = report.warnings;
        finishPending_ = true;
    }
    QMetaObject::invokeMethod(this, &BackgroundLayout::deliver, Qt::QueuedConnection);
}

void BackgroundLayout::deliver() {
    QVector<PreparedPage> pages;
    QMap<int, PreparedPage> updated;
    bool done = false;
    QStringList warnings;
    {
        const QMutexLocker lock(&mutex_);
        pages.swap(pending_);
        updated.swap(updated_);
        done = finishPending_;
        warnings = warnings_;
        finishPending_ = false;
    }
    if (!pages.isEmpty())
        emit pagesReady(pages);
    if (!updated.isEmpty())
        emit pagesUpdated(updated); // after pagesReady: they are among those
    if (done)
        emit finished(warnings);
}

} // namespace orvex
