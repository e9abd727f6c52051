#include "platform/foundation/GlobalQueue.h"

#include <QThreadPool>

void GlobalQueue::post(std::function<void()> work) {
    if (!work) {
        return;
    }
    // The global pool is drained by the application object's destructor, so no worker outlives
    // the run loop it reports to.
    QThreadPool::globalInstance()->start(std::move(work));
}
