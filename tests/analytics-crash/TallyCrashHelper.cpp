#include <QGuiApplication>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <stdexcept>
#include <string>

#include "analytics/TallyStat.h"
#include "analytics/TallyStatHosts.h"
#include "analytics/TallyStatJob.h"
#include "analytics/TallyStatSession.h"
#include "analytics/TallyUncaughtExceptionHandler.h"
#include "platform/foundation/RunLoop.h"
#include "platform/ui/Application.h"

// usage: tally_crash_helper PRIMARY FALLBACK VERSION exception|segv|events-segv
// Starts the library (app home and resources from the environment), waits until the crash
// handlers are in and the first launch is recorded, then crashes the chosen way; events-segv
// first records two events and a finished page view that no save reaches.
int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: tally_crash_helper PRIMARY FALLBACK VERSION MODE\n");
        return 2;
    }
    QGuiApplication qtApplication(argc, argv);
    Application application;
    TallyStatHosts::setHosts(argv[1], argv[2]);
    TallyStat::setAppVersion(argv[3]);
    TallyStat::startWithAppkey("5f2c9a7e01d34b8c", 1, "vkjy-sim");
    const bool ready = RunLoop::runUntil(
        [] {
            TallyStatJob& job = TallyStatJob::sharedInstance();
            std::lock_guard<std::recursive_mutex> guard(job.lock());
            return TallyUncaughtExceptionHandler::installed() &&
                   TallyStatSession::sharedInstance().launchHasBegan() && !job.jobRunning();
        },
        20);
    if (!ready) {
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
        // A low address rather than null: the sanitizers would stop a null store themselves.
        auto* nowhere = reinterpret_cast<volatile int*>(uintptr_t{8});
        *nowhere = 42;
    }
    return 4;
}
