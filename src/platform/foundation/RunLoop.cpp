#include "platform/foundation/RunLoop.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEvent>
#include <QEventLoop>
#include <QTimer>

#include "platform/foundation/Timer.h"

namespace {

// Wakes a blocked loop now and then so predicates fed by worker threads are seen promptly.
constexpr int kWakeIntervalMs = 5;

}  // namespace

bool RunLoop::runUntil(const std::function<bool()>& predicate, double deadlineSeconds) {
    QDeadlineTimer deadline(static_cast<qint64>(deadlineSeconds * 1000.0 / Timer::timeScale()),
                            Qt::PreciseTimer);
    QTimer wake;
    wake.setInterval(kWakeIntervalMs);
    wake.start();
    while (!predicate()) {
        if (deadline.hasExpired()) {
            return predicate();
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
        // Objects released with deleteLater would otherwise wait for a top-level loop.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return true;
}

int RunLoop::run() {
    return QCoreApplication::exec();
}

void RunLoop::quit(int exitCode) {
    QCoreApplication::exit(exitCode);
}
