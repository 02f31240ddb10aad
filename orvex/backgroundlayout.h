#pragma once
// A report laid out in a worker thread, its pages handed to the GUI thread as they are done,
// so that a preview shows the first page while the rest is still being laid out.

#include "orvex/layoutengine.h"

#include <QMap>
#include <QMutex>
#include <QObject>
#include <QStringList>
#include <QVector>
#include <atomic>
#include <memory>

class QThread;

namespace orvex {

class BackgroundLayout : public QObject {
    Q_OBJECT
public:
    // Starts at once; the hooks in the input are called in the worker after each page is
    // handed on.
    explicit BackgroundLayout(LayoutInput input, QObject* parent = nullptr);
    // Stops the layout after the page it is on and waits for the worker.
    ~BackgroundLayout() override;

signals:
    void pagesReady(const QVector<orvex::PreparedPage>& pages);
    // Pages handed on before with "…" for the count of all pages, now with the count.
    void pagesUpdated(const QMap<int, orvex::PreparedPage>& pages); // by their indexes
    void finished(const QStringList& warnings);                     // after the last pagesReady

private:
    void run(LayoutInput input);
    void deliver(); // in the GUI thread

    std::unique_ptr<QThread> thread_;
    std::atomic<bool> stop_{false};
    QMutex mutex_; // guards what follows
    QVector<PreparedPage> pending_;
    QMap<int, PreparedPage> updated_;
    QStringList warnings_;
    bool finishPending_ = false;
};

} // namespace orvex
