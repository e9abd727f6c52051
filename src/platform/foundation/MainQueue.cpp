#include "platform/foundation/MainQueue.h"

#include <QCoreApplication>
#include <QMetaObject>

#include "platform/foundation/GlobalQueue.h"

void MainQueue::post(std::function<void()> work) {
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || !work) {
        return;
    }
    // A worker's handling of an answer goes on until this has run (GlobalQueue).
    auto run = [work = std::move(work), handOver = GlobalQueue::handOver()] { work(); };
    // Queued calls to one receiver are delivered in posting order, whatever thread posts them.
    QMetaObject::invokeMethod(app, std::move(run), Qt::QueuedConnection);
}
