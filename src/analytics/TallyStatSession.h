#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <string>

class Timer;

// Starts the analytics library with its key and turns the application's life-cycle
// notifications into sessions: becoming active writes a launch record and begins a session;
// resigning active or terminating writes a terminate record with the session's duration, page
// views and location. One shared instance for the process; notifications arrive on the main
// thread, the launch work runs on a thread of its own; flags are atomic.
class TallyStatSession {
public:
    static constexpr const char* kSdkVersion = "3.1.2";
    static constexpr const char* kGotAppkeyNotification = "tlGotAppkeyNotification";
    static constexpr const char* kWillTerminateName = "UIApplicationWillTerminateNotification";
    static constexpr double kMaxSessionSeconds = 7200;
    static constexpr double kCappedSessionSeconds = 3600;
    // Whole seconds of a session as its terminate record reports them: above the maximum, the
    // capped value.
    static double cappedDuration(double seconds);

    static TallyStatSession& sharedInstance();

    static void startWithAppkey(const std::string& appKey, int reportPolicy,
                                const std::string& channelId);
    static void startWithAppkey(const std::string& appKey);
    // The notification's name ("" when there is none).
    static void startSession(const std::string& notificationName);
    static void stopSession(const std::string& notificationName);
    static void postGotAppkeyNotification();
    static int updateReportPolicy(int policy);

    void appLaunch();
    void appTerminate();
    void ensureFirstLaunch();
    void addObserverForSession();
    // Waits until the launch threads started so far have finished (tests, shutdown).
    void waitForLaunches();

    // Runs on each launch thread before it takes the parked records and reads the cache file,
    // so tests can act inside that window; none by default. Set while no launch runs.
    static void setBeforeLaunchHook(std::function<void()> hook);

    // Back to the state of a process that has not started the library (the life-cycle observers
    // stay), for rigs that start it many times in one process; waits for running launches.
    void resetToUnstarted();

    bool observerAdded() const { return m_observerAdded; }
    bool firstStartSessionHasFinished() const { return m_firstStartSessionHasFinished; }
    bool launchHasBegan() const { return m_launchHasBegan; }
    bool appInBackGround() const { return m_appInBackGround; }
    bool appBeKilling() const { return m_appBeKilling; }
    double duration() const { return m_duration; }
    std::string description() const;

private:
    TallyStatSession() = default;
    void beginSession();
    void endSession(const std::string& notificationName);
    void runLaunch();
    void flushSave();
    static std::function<void()>& beforeLaunchHook();

    std::atomic<bool> m_observerAdded{false};
    std::atomic<bool> m_firstStartSessionHasFinished{false};
    std::atomic<bool> m_launchHasBegan{false};
    std::atomic<bool> m_appInBackGround{false};
    std::atomic<bool> m_appBeKilling{false};
    std::atomic<double> m_duration{0};
    std::atomic<int> m_launchesRunning{0};
    std::unique_ptr<Timer> m_firstLaunchTimer;
};
