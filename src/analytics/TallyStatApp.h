#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "analytics/TLANSettings.h"

// The analytics settings: application key, channel, application version, report policy, log
// switch, send interval and crash-capture flags. One shared instance for the process, made on
// first use and installed as the helpers' settings. Read by every analytics class; any thread
// (texts are guarded by one lock, flags are atomic).
class TallyStatApp : public TLANSettings {
public:
    static constexpr double kMinSendInterval = 90.0;
    static constexpr double kMaxSendInterval = 86400.0;
    static constexpr const char* kDefaultChannel = "App Store";

    static TallyStatApp& sharedInstance();

    // Stored only when not empty after trimming white space.
    static void setAppVersion(const std::string& version);
    // Installs crash capture once when the flag is on.
    static void setCrashReportEnabled(bool enabled);
    static void setLogEnabled(bool enabled);
    // Outside 90..86400 s stores 90.
    static void setLogSendInterval(double seconds);

    std::string appid() const override;
    void setAppid(const std::string& appid);
    std::string channel() const;
    void setChannel(const std::string& channel);
    std::optional<std::string> appVersion() const override;
    void setAppVersionValue(const std::string& version);
    bool logEnabled() const override { return m_logEnabled; }
    void setLogEnabledValue(bool enabled) { m_logEnabled = enabled; }
    double logSendInterval() const { return m_logSendInterval; }
    // Unchecked, as the scheduler applies the stored online value.
    void setLogSendIntervalValue(double seconds) { m_logSendInterval = seconds; }
    bool postCrashReportEnabled() const { return m_postCrashReportEnabled; }
    bool appCrashedHandlerInstalled() const { return m_appCrashedHandlerInstalled; }
    bool appCrashed() const { return m_appCrashed; }
    void setAppCrashed(bool crashed) { m_appCrashed = crashed; }

    // Maps a requested policy onto the ones the scheduler knows.
    void setReportPolicy(int policy);
    static int mapReportPolicy(int policy);
    // The user default "report_policy" when present (unmapped), else the mapped field.
    int reportPolicy() const;

    // Back to the state of a process that has not started the library, for rigs that start it
    // many times in one process; only while no launch, upload or request is running. Installs
    // itself again as the helpers' settings, in case something else was installed meanwhile.
    void resetToUnstarted();

    void noAppKeyException() const;
    std::string description() const;

private:
    TallyStatApp();
    static std::shared_ptr<TallyStatApp>& sharedPointer();

    mutable std::mutex m_mutex;
    std::string m_appid;
    std::string m_channel = kDefaultChannel;
    std::optional<std::string> m_appVersion;
    std::atomic<int> m_reportPolicy{0};
    std::atomic<bool> m_logEnabled{false};
    std::atomic<double> m_logSendInterval{kMinSendInterval};
    std::atomic<bool> m_postCrashReportEnabled{true};
    std::atomic<bool> m_appCrashedHandlerInstalled{false};
    std::atomic<bool> m_appCrashed{false};
};
