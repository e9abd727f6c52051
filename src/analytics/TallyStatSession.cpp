#include "analytics/TallyStatSession.h"

#include <QCoreApplication>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "analytics/TLANJournal.h"
#include "analytics/TLANUtil.h"
#include "analytics/TLANWorkGate.h"
#include "analytics/TallyLog.h"
#include "analytics/TallyStatApp.h"
#include "analytics/TallyStatInternal.h"
#include "analytics/TallyStatJob.h"
#include "analytics/TallyStatLocation.h"
#include "analytics/TallyStatPageView.h"
#include "analytics/TallyUncaughtExceptionHandler.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/Text.h"
#include "platform/foundation/Timer.h"
#include "platform/foundation/UserDefaults.h"
#include "platform/ui/Application.h"

namespace {

constexpr double kFirstLaunchDelaySeconds = 1.0;

std::mutex& launchMutex() {
    static std::mutex mutex;
    return mutex;
}

std::condition_variable& launchDone() {
    static std::condition_variable done;
    return done;
}

}  // namespace

TallyStatSession& TallyStatSession::sharedInstance() {
    static TallyStatSession* instance = new TallyStatSession();
    return *instance;
}

void TallyStatSession::startWithAppkey(const std::string& appKey) {
    startWithAppkey(appKey, 1, "");
}

void TallyStatSession::startWithAppkey(const std::string& appKey, int reportPolicy,
                                       const std::string& channelId) {
    TallyStatApp& app = TallyStatApp::sharedInstance();
    tallyLog("analytics sdk version %@ , app version %@", kSdkVersion,
             TLANUtil::appVersionString());
    if (Text::trimmed(appKey).empty()) {
        app.noAppKeyException();
        return;
    }
    app.setAppid(appKey);
    TLANJournal::takeFolder();
    postGotAppkeyNotification();
    if (!Text::trimmed(channelId).empty()) {
        app.setChannel(channelId);
    }
    app.setReportPolicy(updateReportPolicy(reportPolicy));
    TallyStatSession& session = sharedInstance();
    session.addObserverForSession();
    session.m_firstLaunchTimer = Timer::scheduledTimer(
        kFirstLaunchDelaySeconds, false, [] { sharedInstance().ensureFirstLaunch(); });
}

int TallyStatSession::updateReportPolicy(int policy) {
    UserDefaults& defaults = UserDefaults::standardUserDefaults();
    if (defaults.contains("report_policy")) {
        return static_cast<int>(defaults.integerForKey("report_policy"));
    }
    return policy;
}

void TallyStatSession::postGotAppkeyNotification() {
    NotificationCenter::defaultCenter().post(kGotAppkeyNotification);
}

void TallyStatSession::addObserverForSession() {
    if (!m_observerAdded.exchange(true)) {
        // An end of the application object without a terminate notice ends the work as well.
        qAddPostRoutine(TLANWorkGate::close);
        NotificationCenter& center = NotificationCenter::defaultCenter();
        center.addObserver(
            this, Application::kDidBecomeActiveNotification, nullptr,
            [](const std::string& name, const void*, const PropertyList&) { startSession(name); });
        for (const char* name : {Application::kWillResignActiveNotification,
                                 Application::kWillTerminateNotification}) {
            center.addObserver(this, name, nullptr,
                               [](const std::string& posted, const void*, const PropertyList&) {
                                   stopSession(posted == Application::kWillTerminateNotification
                                                   ? kWillTerminateName
                                                   : posted);
                               });
        }
    }
    TallyStatApp::setCrashReportEnabled(TallyStatApp::sharedInstance().postCrashReportEnabled());
}

void TallyStatSession::ensureFirstLaunch() {
    // Minimised before the first launch: the session begins when the application comes back.
    if (!m_firstStartSessionHasFinished && !m_appInBackGround) {
        startSession("");
    }
}

void TallyStatSession::startSession(const std::string&) {
    sharedInstance().beginSession();
}

void TallyStatSession::stopSession(const std::string& notificationName) {
    sharedInstance().endSession(notificationName);
}

void TallyStatSession::beginSession() {
    TallyStatInternal& cache = TallyStatInternal::sharedInstance();
    // The records of the session that just ended must reach the cache file before the lists
    // are emptied and the file is read back; a quick return to the foreground would lose them.
    cache.saveQueue().waitUntilAllOperationsAreFinished();
    m_appInBackGround = false;
    m_firstStartSessionHasFinished = true;
    // The records stay listed (the cache file mirrors them, and an upload under way removes
    // those it carried once accepted): the launch merges the file without listing any twice.
    cache.removeOpenEvents();
    appLaunch();
}

void TallyStatSession::appLaunch() {
    {
        std::lock_guard<std::mutex> guard(launchMutex());
        ++m_launchesRunning;
    }
    std::thread([this] {
        TLANWorkGate::runInside([this] { runLaunch(); });
        std::lock_guard<std::mutex> guard(launchMutex());
        --m_launchesRunning;
        launchDone().notify_all();
    }).detach();
}

void TallyStatSession::runLaunch() {
    if (beforeLaunchHook()) {
        beforeLaunchHook()();
    }
    // The process that owned the folder may have ended since: its files are then left behind.
    TLANJournal::takeFolder();
    TallyStatInternal& cache = TallyStatInternal::sharedInstance();
    cache.listParkedRecords();
    cache.loadCache();
    if (m_launchHasBegan) {
        cache.setSessionID(TLANUtil::sessionId());
    }
    cache.setLastLaunchTime(Timer::now());
    cache.setLastSessionId(cache.sessionID());
    TallyUncaughtExceptionHandler::setCrashSessionId(cache.sessionID());
    cache.launches.add(std::make_shared<TLANLaunch>());
    TLANJournal::beginSession(cache.sessionID(), cache.lastLaunchTime());
    m_launchHasBegan = true;
    TallyStatJob::preparePerformJob(TallyStatJob::Launch);
}

void TallyStatSession::waitForLaunches() {
    std::unique_lock<std::mutex> lock(launchMutex());
    launchDone().wait(lock, [this] { return m_launchesRunning == 0; });
}

void TallyStatSession::resetToUnstarted() {
    TLANWorkGate::reopen();
    waitForLaunches();
    m_firstLaunchTimer.reset();
    m_firstStartSessionHasFinished = false;
    m_launchHasBegan = false;
    m_appInBackGround = false;
    m_appBeKilling = false;
    m_duration = 0;
}

void TallyStatSession::endSession(const std::string& notificationName) {
    // The launch of this session must be recorded (and its start marked) before it ends.
    waitForLaunches();
    if (notificationName == kWillTerminateName) {
        m_appBeKilling = true;
    }
    // No session is under way before the first launch, nor after one has ended (terminating
    // straight after leaving the foreground): there is nothing to end.
    const bool sessionUnderWay = m_launchHasBegan && !m_appInBackGround;
    m_appInBackGround = true;
    if (!sessionUnderWay) {
        flushSave();
        return;
    }
    appTerminate();
    if (!TallyStatApp::sharedInstance().appCrashed()) {
        TallyStatJob::preparePerformJob(TallyStatJob::Terminate);
    }
    TallyStatInternal::sharedInstance().saveCacheAndClean(true);
    flushSave();
}

void TallyStatSession::flushSave() {
    // The process ends after this notification: the save must be done first, and no work of
    // the library may run while it tears down.
    if (m_appBeKilling) {
        TallyStatInternal::sharedInstance().saveQueue().waitUntilAllOperationsAreFinished();
        TLANWorkGate::close();
    }
}

std::function<void()>& TallyStatSession::beforeLaunchHook() {
    static std::function<void()> hook;
    return hook;
}

void TallyStatSession::setBeforeLaunchHook(std::function<void()> hook) {
    beforeLaunchHook() = std::move(hook);
}

void TallyStatSession::appTerminate() {
    TallyStatInternal& cache = TallyStatInternal::sharedInstance();
    auto record = std::make_shared<TLANTerminate>();
    record->pageViews = TallyStatPageView::sharedInstance().takePageViews();
    const double seconds = cappedDuration(Timer::now() - cache.lastLaunchTime());
    record->duration = seconds;
    m_duration = seconds;
    TallyStatLocation::Fix fix = TallyStatLocation::sharedInstance().fix();
    if (fix.latitude != 0 && fix.longitude != 0) {
        record->latitude = fix.latitude;
        record->longitude = fix.longitude;
        record->gps_time = static_cast<int64_t>(fix.gps_time * 1000.0);
        TallyStatLocation::sharedInstance().take();
    }
    cache.terminates.add(record);
    TallyStatInternal::forgetEndedSession();
}

double TallyStatSession::cappedDuration(double seconds) {
    const auto whole = static_cast<double>(Text::truncated(seconds));
    return whole > kMaxSessionSeconds ? kCappedSessionSeconds : whole;
}

std::string TallyStatSession::description() const {
    return Text::format(
        "<%@:   observerAdded=%d, firstStartSessionHasFinished=%d, "
        "launchHasBegan=%d>",
        "TallyStatSession", static_cast<int>(m_observerAdded.load()),
        static_cast<int>(m_firstStartSessionHasFinished.load()),
        static_cast<int>(m_launchHasBegan.load()));
}
