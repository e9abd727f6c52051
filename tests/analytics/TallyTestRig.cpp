#include "TallyTestRig.h"

#include <filesystem>

#include "TallyEntryFields.h"
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

namespace {

constexpr int16_t kName = 1;

}  // namespace

std::map<std::string, int> TallyTestRig::acceptedEvents() const {
    std::map<std::string, int> counts;
    for (const SimThriftValue& entry : m_sim.acceptedEntries()) {
        for (const SimThriftValue& message : entry.listAt(kEntryInstantMessages)) {
            for (const SimThriftValue& event : message.listAt(kMessageEvents)) {
                ++counts[event.textAt(kName)];
            }
        }
    }
    return counts;
}

int TallyTestRig::acceptedErrors() const {
    int count = 0;
    for (const SimThriftValue& entry : m_sim.acceptedEntries()) {
        for (const SimThriftValue& message : entry.listAt(kEntryInstantMessages)) {
            count += static_cast<int>(message.listAt(kMessageErrors).size());
        }
    }
    return count;
}

std::map<std::string, int> TallyTestRig::acceptedPages() const {
    std::map<std::string, int> counts;
    for (const SimThriftValue& entry : m_sim.acceptedEntries()) {
        for (const SimThriftValue& session : entry.listAt(kEntrySessions)) {
            for (const SimThriftValue& page : session.listAt(kSessionPages)) {
                ++counts[page.textAt(kName)];
            }
        }
    }
    return counts;
}

std::vector<int64_t> TallyTestRig::acceptedSessionMs() const {
    std::vector<int64_t> durations;
    for (const SimThriftValue& entry : m_sim.acceptedEntries()) {
        for (const SimThriftValue& session : entry.listAt(kEntrySessions)) {
            durations.push_back(session.integerAt(kSessionDuration));
        }
    }
    return durations;
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
