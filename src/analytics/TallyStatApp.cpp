#include "analytics/TallyStatApp.h"

#include <cstdlib>

#include "analytics/TLANUtil.h"
#include "analytics/TLANUtils.h"
#include "analytics/TallyStatCrash.h"
#include "platform/foundation/Text.h"
#include "platform/foundation/Timer.h"
#include "platform/foundation/UserDefaults.h"

namespace {
constexpr double kCrashInstallDelaySeconds = 0.01;
}

TallyStatApp::TallyStatApp() = default;

std::shared_ptr<TallyStatApp>& TallyStatApp::sharedPointer() {
    static std::once_flag once;
    static std::shared_ptr<TallyStatApp> instance;
    std::call_once(once, [] {
        instance.reset(new TallyStatApp());
        TLANSettings::install(instance);
    });
    return instance;
}

TallyStatApp& TallyStatApp::sharedInstance() {
    return *sharedPointer();
}

void TallyStatApp::setAppVersion(const std::string& version) {
    if (Text::trimmed(version).empty()) {
        return;
    }
    sharedInstance().setAppVersionValue(version);
}

void TallyStatApp::setCrashReportEnabled(bool enabled) {
    TallyStatApp& app = sharedInstance();
    app.m_postCrashReportEnabled = enabled;
    if (!enabled || app.m_appCrashedHandlerInstalled.exchange(true)) {
        return;
    }
    // Kept for the life of the process: the timer fires once on the next run-loop turns.
    static std::unique_ptr<Timer> installTimer;
    installTimer = Timer::scheduledTimer(kCrashInstallDelaySeconds, false, [] {
        TallyStatCrash::sharedInstance().installUncaughtExceptionHandler();
    });
}

void TallyStatApp::setLogEnabled(bool enabled) {
    sharedInstance().setLogEnabledValue(enabled);
}

void TallyStatApp::setLogSendInterval(double seconds) {
    const bool inRange = seconds >= kMinSendInterval && seconds <= kMaxSendInterval;
    sharedInstance().setLogSendIntervalValue(inRange ? seconds : kMinSendInterval);
}

void TallyStatApp::resetToUnstarted() {
    {
        std::lock_guard<std::mutex> guard(m_mutex);
        m_appid.clear();
        m_channel = kDefaultChannel;
        m_appVersion.reset();
    }
    m_reportPolicy = 0;
    m_logEnabled = false;
    m_logSendInterval = kMinSendInterval;
    // The crash handlers stay installed: they belong to the process.
    m_postCrashReportEnabled = true;
    m_appCrashed = false;
    TLANSettings::install(sharedPointer());
}

std::string TallyStatApp::appid() const {
    std::lock_guard<std::mutex> guard(m_mutex);
    return m_appid;
}

void TallyStatApp::setAppid(const std::string& appid) {
    std::lock_guard<std::mutex> guard(m_mutex);
    m_appid = appid;
}

std::string TallyStatApp::channel() const {
    std::lock_guard<std::mutex> guard(m_mutex);
    return m_channel;
}

void TallyStatApp::setChannel(const std::string& channel) {
    std::lock_guard<std::mutex> guard(m_mutex);
    m_channel = channel;
}

std::optional<std::string> TallyStatApp::appVersion() const {
    std::lock_guard<std::mutex> guard(m_mutex);
    return m_appVersion;
}

void TallyStatApp::setAppVersionValue(const std::string& version) {
    std::lock_guard<std::mutex> guard(m_mutex);
    m_appVersion = version;
}

int TallyStatApp::mapReportPolicy(int policy) {
    switch (policy) {
        case 4:
            return 3;
        case 6:
            return 6;
        case 7:
            return std::strtod(TLANUtil::osVersionString().c_str(), nullptr) < 4.0 ? 1 : 7;
        default:
            return 1;
    }
}

void TallyStatApp::setReportPolicy(int policy) {
    m_reportPolicy = mapReportPolicy(policy);
}

int TallyStatApp::reportPolicy() const {
    UserDefaults& defaults = UserDefaults::standardUserDefaults();
    if (defaults.contains("report_policy")) {
        return static_cast<int>(defaults.integerForKey("report_policy"));
    }
    return m_reportPolicy;
}

void TallyStatApp::noAppKeyException() const {
    TLANUtils::systemLog(
        "Tally: appkey can not be found or not valid. TallyStat methods must be "
        "called after [TallyStat startWithAppkey:]!");
}

std::string TallyStatApp::description() const {
    return Text::format(
        "<%@: logEnabled=%d, postCrashReportEnabled=%d, logSendInterval=%f, "
        "reportPolicy=%d, appVersion=%@, appid=%@, channel=%@>",
        "TallyStatApp", static_cast<int>(logEnabled()), static_cast<int>(postCrashReportEnabled()),
        logSendInterval(), static_cast<int>(m_reportPolicy), TLANUtil::appVersionString(), appid(),
        channel());
}
