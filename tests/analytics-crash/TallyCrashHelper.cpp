#include <sys/stat.h>

#include <QGuiApplication>
#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>

#include "analytics/TLANFiles.h"
#include "analytics/TallyStat.h"
#include "analytics/TallyStatCheckUpdate.h"
#include "analytics/TallyStatHosts.h"
#include "analytics/TallyStatInternal.h"
#include "analytics/TallyStatJob.h"
#include "analytics/TallyStatSession.h"
#include "analytics/TallyUncaughtExceptionHandler.h"
#include "platform/foundation/RunLoop.h"
#include "platform/ui/Application.h"
#include "support/FileSizeLimit.h"

namespace {

constexpr double kStepDeadline = 20.0;

bool jobIdle() {
    TallyStatJob& job = TallyStatJob::sharedInstance();
    std::lock_guard<std::recursive_mutex> guard(job.lock());
    return !job.jobRunning();
}

// Without turning the run loop, as if the main thread were busy: until the update answer has
// come or the check has ended, so that the next step meets its hand-off to the main thread.
void waitForTheUpdateAnswer() {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!TallyStatCheckUpdate::sharedInstance().updateInfo().find("update") &&
           TallyStatInternal::sharedInstance().otherQueue().operationCount() > 0 &&
           std::chrono::steady_clock::now() < deadline) {
        std::this_thread::yield();
    }
}

void dieNow() {
    std::fflush(stdout);
    std::raise(SIGKILL);
}

// A fault landed on the next write (or, for a kill, removal) of one write point: "full" (the
// disk is full for that write), "short" (it is cut short half-way), "kill-before", "kill-after".
// It reports "L POINT" as it lands. After a full or short write the process dies right after
// the next write of that file: nothing else may make good what the fault spoiled.
class ArmedFault {
public:
    void arm(const std::string& point, const std::string& fault) {
        std::lock_guard guard(m_mutex);
        m_point = point;
        m_fault = fault;
        m_phase = Phase::Armed;
        TLANFiles::setHook([this](const TLANFiles::Write& write) { land(write); });
    }

private:
    enum class Phase { Armed, Landed, Spoiled };

    void land(const TLANFiles::Write& write) {
        std::lock_guard guard(m_mutex);
        if (m_point != TLANFiles::name(write.point)) {
            return;
        }
        if (m_phase == Phase::Spoiled && write.done) {
            dieNow();
        }
        if (m_phase == Phase::Landed && write.done) {
            m_limit.reset();
            m_phase = Phase::Spoiled;
            if (m_fault == "kill-after") {
                dieNow();
            }
        }
        const bool kill = m_fault.starts_with("kill");
        if (m_phase != Phase::Armed || write.done ||
            (!kill && write.kind == TLANFiles::Kind::Remove)) {
            return;
        }
        std::printf("L %s\n", m_point.c_str());
        m_phase = Phase::Landed;
        if (m_fault == "kill-before") {
            dieNow();
        }
        // The whole write fails, or half of it lands, at the end of the file it grows.
        struct stat status {};
        const rlim_t size =
            write.kind == TLANFiles::Kind::Append && ::stat(write.path.c_str(), &status) == 0
                ? static_cast<rlim_t>(status.st_size)
                : 0;
        m_limit.emplace(m_fault == "full" ? 0 : size + write.bytes / 2);
    }

    std::mutex m_mutex;
    std::string m_point;
    std::string m_fault;
    Phase m_phase = Phase::Armed;
    std::optional<FileSizeLimit> m_limit;
};

void crashBySignal() {
    // A low address rather than null: the sanitizers would stop a null store themselves.
    auto* nowhere = reinterpret_cast<volatile int*>(uintptr_t{8});
    *nowhere = 42;
}

// Plays one life of the application, step by step (words separated by blanks):
//   a          comes to the foreground      b   leaves it
//   l          waits for its launch         i   waits until no upload runs
//   e:ID       records the event ID         p:NAME  records a two-second page view NAME
//   u          asks for the update check    w   waits for its answer with the loop held
//   S          crashes by signal            K   is killed
//   X          is closed (leaves the foreground and terminates)
//   Q          quits (terminates as it is, as 退出 on an alert does); the process ends with the
//              script
//   H          reports "H" and waits to be killed by the caller
//   F          finds the disk full from now      G   finds space again
//   f:POINT:FAULT  lands FAULT on the next write of POINT (see ArmedFault)
// Each record is reported on stdout ("E ID", "P NAME") once the library has it.
int playLife(Application& application, const std::string& script) {
    static ArmedFault armed;
    std::optional<FileSizeLimit> diskFull;
    size_t at = 0;
    while (at < script.size()) {
        const size_t end = std::min(script.find(' ', at), script.size());
        const std::string step = script.substr(at, end - at);
        at = end + 1;
        if (step == "a") {
            application.becomeActive();
        } else if (step == "b") {
            application.resignActive();
        } else if (step == "l") {
            RunLoop::runUntil([] { return TallyStatSession::sharedInstance().launchHasBegan(); },
                              kStepDeadline);
            TallyStatSession::sharedInstance().waitForLaunches();
        } else if (step == "i") {
            RunLoop::runUntil(jobIdle, kStepDeadline);
        } else if (step.rfind("e:", 0) == 0) {
            TallyStat::event(step.substr(2));
            std::printf("E %s\n", step.substr(2).c_str());
        } else if (step.rfind("p:", 0) == 0) {
            TallyStat::logPageView(step.substr(2), 2);
            std::printf("P %s\n", step.substr(2).c_str());
        } else if (step == "S") {
            std::fflush(stdout);
            RunLoop::runUntil(TallyUncaughtExceptionHandler::installed, kStepDeadline);
            crashBySignal();
        } else if (step == "K") {
            dieNow();
        } else if (step == "F") {
            diskFull.emplace(0);
        } else if (step == "G") {
            diskFull.reset();
        } else if (step.rfind("f:", 0) == 0) {
            const size_t colon = step.find(':', 2);
            armed.arm(step.substr(2, colon - 2), step.substr(colon + 1));
        } else if (step == "u") {
            TallyStat::checkUpdate("澜石金银", "忽略", "更新");
        } else if (step == "w") {
            waitForTheUpdateAnswer();
        } else if (step == "X" || step == "Q") {
            application.setTerminateHandler([](int) {});
            if (step == "X") {
                application.resignActive();
            }
            application.terminate();
        } else if (step == "H") {
            std::printf("H\n");
            std::fflush(stdout);
            RunLoop::runFor(3600);
        }
        std::fflush(stdout);
    }
    return 0;
}

}  // namespace

// usage: tally_crash_helper PRIMARY FALLBACK VERSION exception|segv|events-segv
//        tally_crash_helper PRIMARY FALLBACK VERSION life SCRIPT
// Starts the library (app home and resources from the environment). A life plays SCRIPT (see
// playLife). Otherwise it waits until the crash handlers are in and the first launch and its
// upload are done, then crashes the chosen way; events-segv first records two events and a finished
// page view that no save reaches.
int main(int argc, char** argv) {
    const bool life = argc == 6 && std::string(argv[4]) == "life";
    if (argc != 5 && !life) {
        std::fprintf(stderr, "usage: tally_crash_helper PRIMARY FALLBACK VERSION MODE [SCRIPT]\n");
        return 2;
    }
    QGuiApplication qtApplication(argc, argv);
    Application application;
    TallyStatHosts::setHosts(argv[1], argv[2]);
    TallyStat::setAppVersion(argv[3]);
    TallyStat::startWithAppkey("5f2c9a7e01d34b8c", 1, "vkjy-sim");
    if (life) {
        return playLife(application, argv[5]);
    }
    const bool launched = RunLoop::runUntil(
        [] {
            return TallyUncaughtExceptionHandler::installed() &&
                   TallyStatSession::sharedInstance().launchHasBegan();
        },
        20);
    // The launch marks its start before it begins its upload: records made before both end
    // would race its envelope.
    TallyStatSession::sharedInstance().waitForLaunches();
    if (!launched || !RunLoop::runUntil(jobIdle, 20)) {
        return 3;
    }
    const std::string mode = argv[4];
    if (mode == "exception") {
        throw std::runtime_error("boom from the helper");
    }
    if (mode == "events-segv") {
        TallyStat::event("before-crash");
        TallyStat::event("before-crash", "second");
        TallyStat::logPageView("崩溃前", 4);
    }
    if (mode == "segv" || mode == "events-segv") {
        crashBySignal();
    }
    return 4;
}
