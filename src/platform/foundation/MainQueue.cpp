#include "platform/foundation/MainQueue.h"

#include <QCoreApplication>
#include <QMetaObject>

void MainQueue::post(std::function<void()> work) {
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || !work) {
        return;
    }
    // Queued calls to one receiver are delivered in posting order, whatever thread posts them.
    QMetaObject::invokeMethod(app, std::move(work), Qt::QueuedConnection);
}
