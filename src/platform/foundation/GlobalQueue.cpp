#include "platform/foundation/GlobalQueue.h"

#include <QThreadPool>

#include <memory>

#include "platform/pace/PacedTime.h"

namespace {

// Whether the calling thread runs the pool's work, and the hand-over of the answer it holds.
thread_local bool t_inWork = false;
thread_local std::shared_ptr<PacedTime::Travel> t_handOver;

}  // namespace

void GlobalQueue::post(std::function<void()> work) {
    if (!work) {
        return;
    }
    // The global pool is drained by the application object's destructor, so no worker outlives
    // the run loop it reports to.
    // Time stands still from the post: a worker slow to start on a loaded machine would
    // otherwise let a timer overtake the request the work is about to make.
    auto start = std::make_shared<PacedTime::Travel>();
    QThreadPool::globalInstance()->start([work = std::move(work), start]() mutable {
        t_inWork = true;
        t_handOver = std::move(start);
        work();
        t_inWork = false;
        t_handOver.reset();
    });
}

void GlobalQueue::answerInHand() {
    if (t_inWork && !t_handOver) {
        t_handOver = std::make_shared<PacedTime::Travel>();
    }
}

void GlobalQueue::awaitingAnswer() {
    t_handOver.reset();
}

std::shared_ptr<void> GlobalQueue::handOver() {
    return t_handOver;
}
