#include "platform/foundation/Timer.h"

#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <mutex>

#include "platform/pace/PacedTime.h"

namespace {

// Fire dates further away than this count as "never" (the distant future pauses a timer).
constexpr double kNeverSeconds = 1.0e9;
// A far fire date is reached in steps no longer than this, which QTimer can hold.
constexpr double kLongestArmSeconds = 3600.0;
// While time stands still a due timer looks again this often: it cannot fire until time runs.
constexpr double kStillLookSeconds = 0.005;
// Matches the phone platform: an interval of zero or less becomes a tenth of a millisecond.
constexpr double kShortestIntervalSeconds = 0.0001;
constexpr double kDistantFuture = 64092211200.0;  // 4001-01-01

double wallClockNow() {
    return std::chrono::duration<double>(std::chrono::system_clock::now().time_since_epoch())
        .count();
}

// Timer::now() at a scale other than 1: the wall clock when the scale was set, moved on by the
// paced clock since.
struct Pace {
    double wallAtStart = 0;
    double pacedAtStart = 0;
};

std::mutex& paceMutex() {
    static std::mutex mutex;
    return mutex;
}

Pace& pace() {
    static Pace current;
    return current;
}

Pace currentPace() {
    std::lock_guard lock(paceMutex());
    return pace();
}

}  // namespace

struct Timer::Impl {
    double interval = 0;
    bool repeats = false;
    bool valid = true;
    bool paused = false;
    double next = 0;  // on the paced clock
    double pausedDate = 0;
    std::shared_ptr<Action> action;
    QTimer* qtimer = nullptr;

    ~Impl() { delete qtimer; }

    void arm() {
        if (!valid || paused) {
            qtimer->stop();
            return;
        }
        const double ahead = next - PacedTime::seconds();
        double wait = std::clamp(ahead / PacedTime::scale(), 0.0, kLongestArmSeconds);
        if (ahead > 0 && PacedTime::still()) {
            wait = std::max(wait, kStillLookSeconds);
        }
        qtimer->start(static_cast<int>(std::ceil(wait * 1000.0)));
    }

    void runAction() {
        // Keeps the action alive even if the owner drops the timer from inside it.
        std::shared_ptr<Action> keep = action;
        (*keep)();
    }

    void onTimeout() {
        if (!valid || paused) {
            return;
        }
        const double now = PacedTime::seconds();
        if (now < next) {
            arm();
            return;
        }
        if (repeats) {
            next += interval;
            // Missed firings are skipped, not delivered in a burst.
            if (next <= now) {
                next = now + interval;
            }
        }
        runAction();
        if (!repeats) {
            valid = false;
        }
        // Re-armed only now, so a loop spun inside the action cannot fire it again; a fire
        // date set by the action stands.
        arm();
    }
};

std::unique_ptr<Timer> Timer::scheduledTimer(double intervalSeconds, bool repeats, Action action) {
    auto impl = std::make_shared<Impl>();
    impl->interval = std::max(intervalSeconds, kShortestIntervalSeconds);
    impl->repeats = repeats;
    impl->action = std::make_shared<Action>(action ? std::move(action) : Action([] {}));
    impl->next = PacedTime::seconds() + impl->interval;
    impl->qtimer = new QTimer;
    impl->qtimer->setSingleShot(true);
    impl->qtimer->setTimerType(Qt::PreciseTimer);
    std::weak_ptr<Impl> weak = impl;
    QObject::connect(impl->qtimer, &QTimer::timeout, [weak] {
        std::shared_ptr<Impl> self = weak.lock();
        if (!self) {
            return;
        }
        self->onTimeout();
        if (self.use_count() == 1) {
            // The owner dropped the timer from its action: the QTimer is still delivering
            // this timeout, so let Qt finish with it before it goes.
            self->qtimer->deleteLater();
            self->qtimer = nullptr;
        }
    });
    impl->arm();
    return std::unique_ptr<Timer>(new Timer(std::move(impl)));
}

Timer::Timer(std::shared_ptr<Impl> impl) : m_impl(std::move(impl)) {}

Timer::~Timer() {
    invalidate();
}

void Timer::invalidate() {
    m_impl->valid = false;
    m_impl->qtimer->stop();
}

bool Timer::isValid() const {
    return m_impl->valid;
}

void Timer::fire() {
    if (!m_impl->valid) {
        return;
    }
    std::shared_ptr<Impl> self = m_impl;
    self->runAction();
    if (!self->repeats) {
        self->valid = false;
        self->qtimer->stop();
    }
}

void Timer::setFireDate(double secondsSince1970) {
    if (!m_impl->valid) {
        return;
    }
    double wait = secondsSince1970 - now();
    m_impl->paused = wait > kNeverSeconds;
    m_impl->pausedDate = secondsSince1970;
    if (!m_impl->paused) {
        m_impl->next = PacedTime::seconds() + std::max(wait, 0.0);
    }
    m_impl->arm();
}

double Timer::fireDate() const {
    if (m_impl->paused) {
        return m_impl->pausedDate;
    }
    return now() + (m_impl->next - PacedTime::seconds());
}

double Timer::timeInterval() const {
    return m_impl->interval;
}

bool Timer::repeats() const {
    return m_impl->repeats;
}

double Timer::now() {
    if (PacedTime::scale() == 1) {
        return wallClockNow();
    }
    const Pace p = currentPace();
    return p.wallAtStart + (PacedTime::seconds() - p.pacedAtStart);
}

void Timer::setTimeScale(double scale) {
    std::lock_guard lock(paceMutex());
    PacedTime::setScale(scale);
    pace() = Pace{wallClockNow(), PacedTime::seconds()};
}

double Timer::timeScale() {
    return PacedTime::scale();
}

double Timer::distantFuture() {
    return kDistantFuture;
}
