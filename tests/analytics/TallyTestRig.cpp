#include "TallyTestRig.h"

#include <filesystem>

#include "analytics/TLANSharedUDID.h"
#include "analytics/TallyStat.h"
#include "analytics/TallyStatApp.h"
#include "analytics/TallyStatCheckUpdate.h"
#include "analytics/TallyStatEnvelope.h"
#include "analytics/TallyStatHosts.h"
#include "analytics/TallyStatInternal.h"
#include "analytics/TallyStatJob.h"
#include "analytics/TallyStatLocation.h"
#include "analytics/TallyStatOnlineConfig.h"
#include "analytics/TallyStatPageView.h"
#include "analytics/TallyStatSession.h"
#include "analytics/TallyStatThrift.h"
#include "platform/foundation/AtomicFile.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/UserDefaults.h"

TallyTestRig::TallyTestRig() {
    resetLibrary();
    m_sim.start();
    TallyStatHosts::setHosts(m_sim.baseUrl(0), m_sim.baseUrl(1));
}

TallyTestRig::~TallyTestRig() {
    settle();
    TallyStatHosts::resetHosts();
}

void TallyTestRig::start(const std::string& version, bool crashCapture) {
    TallyStat::setCrashReportEnabled(crashCapture);
    TallyStat::setAppVersion(version);
    TallyStat::startWithAppkey(kAppKey, 1, "vkjy-sim");
}

void TallyTestRig::resetLibrary() {
    TallyStatSession::sharedInstance().resetToUnstarted();
    TallyStatApp::sharedInstance().resetToUnstarted();
    TallyStatInternal::sharedInstance().resetToUnstarted();
    TallyStatEnvelope::sharedInstance().removeEnvelope();
    TallyStatCheckUpdate::sharedInstance().resetToUnstarted();
    TallyStatOnlineConfig::sharedInstance().resetToUnstarted();
    TallyStatPageView::sharedInstance().resetToUnstarted();
    TallyStatThrift::resetToUnstarted();
    TallyStatLocation::sharedInstance().take();
    TLANSharedUDID::resetProcessCache();
}

bool TallyTestRig::runUntil(const std::function<bool()>& condition, double seconds) {
    return RunLoop::runUntil(condition, seconds);
}

bool TallyTestRig::settle() {
    // A launch still running may start an upload, and must not outlive the test's home.
    TallyStatSession::sharedInstance().waitForLaunches();
    TallyStatInternal& cache = TallyStatInternal::sharedInstance();
    return runUntil([&] {
        TallyStatJob& job = TallyStatJob::sharedInstance();
        std::lock_guard<std::recursive_mutex> guard(job.lock());
        return !job.jobRunning() && cache.sendLogQueue().operationCount() == 0 &&
               cache.saveQueue().operationCount() == 0 && cache.otherQueue().operationCount() == 0;
    });
}

int64_t TallyTestRig::defaultInteger(const char* key) const {
    return UserDefaults::standardUserDefaults().integerForKey(key);
}

bool TallyTestRig::envelopeFileExists() const {
    std::error_code ignored;
    return std::filesystem::exists(TallyStatEnvelope::envelopeFile(), ignored);
}

std::optional<Bytes> TallyTestRig::envelopeFileBytes() const {
    return AtomicFile::read(TallyStatEnvelope::envelopeFile());
}
