#include "analytics/TallyStatJob.h"

#include <cstdint>

#include "analytics/TLANUtil.h"
#include "analytics/TallyStatApp.h"
#include "analytics/TallyStatInternal.h"
#include "analytics/TallyStatSession.h"
#include "platform/foundation/Timer.h"
#include "platform/foundation/UserDefaults.h"

namespace {

// Rows: job kind; columns: report policy 0 to 4. Only the low byte is read.
constexpr int32_t kPolicyTable[TallyStatJob::kJobRows][TallyStatJob::kPolicyColumns] = {
    {1, 1, 0, 1, 1}, {0, 0, 1, 0, 0}, {1, 0, 0, 0, 1}, {1, 1, 0, 1, 1}, {0, 0, 0, 0, 0}};

constexpr int kDefaultPolicy = 1;

bool intervalPolicyAnswer(int kind) {
    UserDefaults& defaults = UserDefaults::standardUserDefaults();
    if (!defaults.contains("lastPostInterval")) {
        return true;
    }
    if (kind == TallyStatJob::Terminate) {
        return false;
    }
    const double elapsed = Timer::now() - defaults.doubleForKey("lastPostInterval");
    return elapsed > TallyStatApp::sharedInstance().logSendInterval();
}

}  // namespace

TallyStatJob& TallyStatJob::sharedInstance() {
    static TallyStatJob* instance = new TallyStatJob();
    return *instance;
}

void TallyStatJob::preparePerformJob(int kind) {
    if (sharedInstance().ready() && shouldCommitJob(kind)) {
        TallyStatInternal::sharedInstance().beginPerformJob();
    }
}

bool TallyStatJob::ready() {
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    return TallyStatSession::sharedInstance().launchHasBegan() && !m_jobRunning;
}

bool TallyStatJob::shouldCommitJob(int kind) {
    TallyStatSession& session = TallyStatSession::sharedInstance();
    int policy = TallyStatApp::sharedInstance().reportPolicy();
    if (session.appBeKilling()) {
        return false;
    }
    if (policy == 7) {
        return session.appInBackGround();
    }
    const std::string access = TLANUtil::accessString();
    if (access.empty() || !session.launchHasBegan()) {
        return false;
    }
    loadReportIntervalFromCache();
    if (policy == 6) {
        return intervalPolicyAnswer(kind);
    }
    // A stored policy outside the table (negative, 5, 8 or more) counts as the default.
    if (policy < 0 || policy >= kPolicyColumns) {
        policy = kDefaultPolicy;
    }
    if (kind < 0 || kind >= kJobRows) {
        return false;
    }
    if (policy == 4 && access != "WiFi") {
        return false;
    }
    if (policy == 3 && kind == Launch) {
        return TLANUtil::dateString() !=
               UserDefaults::standardUserDefaults().stringForKey("lastPostDate");
    }
    return (kPolicyTable[kind][policy] & 0xFF) != 0;
}

void TallyStatJob::loadReportIntervalFromCache() {
    UserDefaults& defaults = UserDefaults::standardUserDefaults();
    if (defaults.contains("tally_report_interval")) {
        TallyStatApp::sharedInstance().setLogSendIntervalValue(
            static_cast<double>(defaults.integerForKey("tally_report_interval")));
    }
}
