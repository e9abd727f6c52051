#include "platform/pace/PacedTime.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <new>
#include <shared_mutex>
#include <thread>

namespace {

constexpr double kNsPerSecond = 1e9;

int64_t steadyNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Lives in memory a simulator process may share: plain fields under a spin lock, the steady
// clock being one for every process of the machine.
struct State {
    std::atomic<int> locked{0};
    double scale = 1;
    int64_t originNs = 0;  // when the scale was last set
    double pacedAtOrigin = 0;
    double runningAtOrigin = 0;
    int64_t stillSinceNs = 0;  // 0 while time runs; else the last change of a count
    int64_t spanStillNs = 0;   // what the present still span stood still before that change
    int64_t stillDoneNs = 0;   // what stood still since the origin, before that change
    int64_t travelling = 0;
    int64_t held = 0;

    void lock() {
        while (locked.exchange(1, std::memory_order_acquire) != 0) {
            std::this_thread::yield();
        }
    }
    void unlock() { locked.store(0, std::memory_order_release); }

    int64_t stillNs(int64_t now) const {
        if (stillSinceNs == 0) {
            return stillDoneNs;
        }
        const auto longest = static_cast<int64_t>(PacedTime::kLongestStillSeconds * kNsPerSecond);
        const auto overlap =
            static_cast<int64_t>(PacedTime::kLongestOverlapSeconds * kNsPerSecond);
        const int64_t since = std::min(now - stillSinceNs, longest);
        return stillDoneNs + std::min(since, std::max<int64_t>(overlap - spanStillNs, 0));
    }
    double runningSince(int64_t now) const {
        return static_cast<double>(now - originNs - stillNs(now)) / kNsPerSecond;
    }
    double paced(int64_t now) const { return pacedAtOrigin + scale * runningSince(now); }
    // Whether the paced clock does not move now: a still span within its bounds.
    bool standing(int64_t now) const {
        return stillSinceNs != 0 && stillNs(now) - stillDoneNs == now - stillSinceNs;
    }
    double running(int64_t now) const { return runningAtOrigin + runningSince(now); }

    // Starts, goes on with or ends a still span as the counts now say.
    void settle(int64_t now) {
        const bool stand = scale != 1 && travelling > held;
        if (stand && stillSinceNs == 0) {
            stillSinceNs = now;
            spanStillNs = 0;
        } else if (stand) {
            // A request left or was answered: the bound on a span without change starts again.
            const int64_t done = stillNs(now);
            spanStillNs += done - stillDoneNs;
            stillDoneNs = done;
            stillSinceNs = now;
        } else if (stillSinceNs != 0) {
            stillDoneNs = stillNs(now);
            stillSinceNs = 0;
        }
    }
};

State g_ownState{.originNs = steadyNs()};
std::atomic<State*> g_state{&g_ownState};
int g_sharedFd = -1;
// Held shared by every reader and writer, alone by the one who moves the state into memory that
// another process can map.
std::shared_mutex g_moving;

template <typename Read>
auto withState(Read read) {
    std::shared_lock moving(g_moving);
    State& state = *g_state.load();
    state.lock();
    auto result = read(state, steadyNs());
    state.unlock();
    return result;
}

void count(int64_t travelling, int64_t held) {
    withState([&](State& state, int64_t now) {
        state.travelling += travelling;
        state.held += held;
        state.settle(now);
        return 0;
    });
}

State* mapState(int fd) {
    void* memory = mmap(nullptr, sizeof(State), PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    return memory == MAP_FAILED ? nullptr : static_cast<State*>(memory);
}

// Moves the state into memory another process can map, once.
void share() {
    std::unique_lock moving(g_moving);
    if (g_sharedFd >= 0) {
        return;
    }
    const int fd = memfd_create("paced-time", MFD_CLOEXEC);
    if (fd < 0 || ftruncate(fd, sizeof(State)) != 0) {
        if (fd >= 0) {
            close(fd);
        }
        return;
    }
    State* shared = mapState(fd);
    if (!shared) {
        close(fd);
        return;
    }
    State* own = g_state.load();
    own->lock();
    new (shared) State;
    shared->scale = own->scale;
    shared->originNs = own->originNs;
    shared->pacedAtOrigin = own->pacedAtOrigin;
    shared->runningAtOrigin = own->runningAtOrigin;
    shared->stillSinceNs = own->stillSinceNs;
    shared->stillDoneNs = own->stillDoneNs;
    shared->spanStillNs = own->spanStillNs;
    shared->travelling = own->travelling;
    shared->held = own->held;
    g_state = shared;
    own->unlock();
    g_sharedFd = fd;
}

}  // namespace

double PacedTime::seconds() {
    return withState([](State& state, int64_t now) { return state.paced(now); });
}

double PacedTime::runningSeconds() {
    return withState([](State& state, int64_t now) { return state.running(now); });
}

void PacedTime::setScale(double scale) {
    scale = scale > 0 ? scale : 1;
    if (scale != 1) {
        share();
    }
    withState([scale](State& state, int64_t now) {
        state.pacedAtOrigin = state.paced(now);
        state.runningAtOrigin = state.running(now);
        state.originNs = now;
        state.stillDoneNs = 0;
        state.stillSinceNs = 0;
        state.scale = scale;
        state.settle(now);
        return 0;
    });
}

double PacedTime::scale() {
    return withState([](State& state, int64_t) { return state.scale; });
}

bool PacedTime::still() {
    return withState([](State& state, int64_t now) { return state.standing(now); });
}

std::string PacedTime::sharedPath() {
    if (scale() == 1) {
        return {};
    }
    std::shared_lock moving(g_moving);
    if (g_sharedFd < 0) {
        return {};
    }
    return "/proc/" + std::to_string(getpid()) + "/fd/" + std::to_string(g_sharedFd);
}

bool PacedTime::join(const std::string& path) {
    const int fd = open(path.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    State* shared = mapState(fd);
    if (!shared) {
        close(fd);
        return false;
    }
    std::unique_lock moving(g_moving);
    g_state = shared;
    if (g_sharedFd >= 0) {
        close(g_sharedFd);
    }
    g_sharedFd = fd;
    return true;
}

PacedTime::Travel::Travel() {
    count(1, 0);
}

PacedTime::Travel::~Travel() {
    count(-1, 0);
}

PacedTime::Hold::Hold() {
    count(0, 1);
}

PacedTime::Hold::~Hold() {
    end();
}

void PacedTime::Hold::end() {
    if (m_holding) {
        m_holding = false;
        count(0, -1);
    }
}
