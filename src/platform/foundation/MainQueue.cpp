#include "platform/foundation/MainQueue.h"

#include <QCoreApplication>
#include <QMetaObject>

#include <atomic>
#include <memory>

#include "platform/foundation/GlobalQueue.h"

namespace {

std::atomic<int> g_pending{0};

// Counts a posted work until it has run, or was dropped with the application.
struct Pending {
    Pending() { ++g_pending; }
    ~Pending() { --g_pending; }
    Pending(const Pending&) = delete;
    Pending& operator=(const Pending&) = delete;
};

}  // namespace

void MainQueue::post(std::function<void()> work) {
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || !work) {
        return;
    }
    // A worker's handling of an answer goes on until this has run (GlobalQueue).
    auto run = [work = std::move(work), handOver = GlobalQueue::handOver(),
                pending = std::make_shared<Pending>()] { work(); };
    // Queued calls to one receiver are delivered in posting order, whatever thread posts them.
    QMetaObject::invokeMethod(app, std::move(run), Qt::QueuedConnection);
}

bool MainQueue::pending() {
    return g_pending.load() > 0;
}
