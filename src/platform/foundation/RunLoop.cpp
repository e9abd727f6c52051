#include "platform/foundation/RunLoop.h"

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QTimer>

#include "platform/foundation/MainQueue.h"
#include "platform/foundation/Timer.h"
#include "platform/pace/PacedTime.h"

namespace {

// Wakes a blocked loop now and then so predicates fed by worker threads are seen promptly.
constexpr int kWakeIntervalMs = 5;
// Passes a span's end lets posted work run in, for work that posts more of itself.
constexpr int kLastPasses = 8;

// Spins until predicate() holds or over() does; returns whether the predicate held.
bool spin(const std::function<bool()>& predicate, const std::function<bool()>& over) {
    QTimer wake;
    wake.setInterval(kWakeIntervalMs);
    wake.start();
    while (!predicate()) {
        if (over()) {
            return predicate();
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
        // Objects released with deleteLater would otherwise wait for a top-level loop.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return true;
}

}  // namespace

bool RunLoop::runUntil(const std::function<bool()>& predicate, double deadlineSeconds) {
    // Spans in which time stood still, the exchange working on a request, do not count.
    const double end = PacedTime::runningSeconds() + deadlineSeconds;
    return spin(predicate, [end] { return PacedTime::runningSeconds() >= end; });
}

bool RunLoop::runFor(double seconds, const std::function<bool()>& predicate) {
    const double end = Timer::now() + seconds;
    auto held = [&predicate] { return predicate && predicate(); };
    // While paced time stands still a request made within the span is on its way: the span has
    // not ended for what it brings.
    auto over = [end] { return Timer::now() >= end && !PacedTime::still(); };
    for (;;) {
        if (spin(held, over)) {
            return true;
        }
        // A loop held up past the span's end has timers due within it still waiting: they fire
        // before the caller looks, as they would have on time, what they post runs, and the
        // requests they make are awaited.
        for (int pass = 0; pass < kLastPasses; ++pass) {
            QCoreApplication::processEvents(QEventLoop::AllEvents);
            if (!MainQueue::pending()) {
                break;
            }
        }
        if (held() || !PacedTime::still()) {
            return held();
        }
    }
}

int RunLoop::run() {
    return QCoreApplication::exec();
}

void RunLoop::quit(int exitCode) {
    QCoreApplication::exit(exitCode);
}
