#include <gtest/gtest.h>

#include "TallyTestRig.h"
#include "analytics/TLANUtil.h"
#include "analytics/TallyStat.h"
#include "analytics/TallyStatApp.h"
#include "analytics/TallyStatJob.h"
#include "platform/foundation/Timer.h"
#include "platform/foundation/UserDefaults.h"

namespace {

// Decisions are taken after the first launch, with the policy stored as the service would.
class TallyStatSchedulerTest : public ::testing::Test {
protected:
    void SetUp() override {
        rig.start();
        ASSERT_TRUE(rig.runUntil([&] { return !rig.uploads().empty(); }));
        ASSERT_TRUE(rig.settle());
    }

    void usePolicy(int policy) { defaults().setInteger(policy, "report_policy"); }
    static UserDefaults& defaults() { return UserDefaults::standardUserDefaults(); }

    TallyTestRig rig;
};

}  // namespace

TEST(TallyStatPolicyMapping, shouldMapRequestedPoliciesOntoKnownOnes) {
    const std::vector<std::pair<int, int>> table = {{0, 1}, {1, 1}, {2, 1}, {3, 1}, {4, 3},
                                                    {5, 1}, {6, 6}, {7, 7}, {8, 1}, {-2, 1}};
    for (const auto& [requested, stored] : table) {
        EXPECT_EQ(TallyStatApp::mapReportPolicy(requested), stored) << requested;
    }
}

TEST(TallyStatSettings, shouldClampTheSendIntervalAndKeepNonBlankVersions) {
    TempHome home;
    TallyStat::setLogSendInterval(89.9);
    EXPECT_EQ(TallyStatApp::sharedInstance().logSendInterval(), 90);
    TallyStat::setLogSendInterval(86400);
    EXPECT_EQ(TallyStatApp::sharedInstance().logSendInterval(), 86400);
    TallyStat::setLogSendInterval(86401);
    EXPECT_EQ(TallyStatApp::sharedInstance().logSendInterval(), 90);
    TallyStat::setAppVersion("2.3.0");
    TallyStat::setAppVersion("   ");
    TallyStat::setAppVersion("");
    EXPECT_EQ(TLANUtil::appVersionString(), "2.3.0");
}

TEST(TallyStatSettings, shouldStoreThePolicyOfTheDefaultsMappedAtStart) {
    TallyTestRig rig;
    UserDefaults::standardUserDefaults().setInteger(4, "report_policy");
    TallyStat::setCrashReportEnabled(false);
    TallyStat::startWithAppkey("key", 1, "");
    EXPECT_EQ(TallyStatApp::sharedInstance().channel(), "App Store");
    UserDefaults::standardUserDefaults().removeObjectForKey("report_policy");
    EXPECT_EQ(TallyStatApp::sharedInstance().reportPolicy(), 3);
}

TEST(TallyStatSettings, shouldNotStartWithABlankKey) {
    TallyTestRig rig;
    TallyStat::startWithAppkey("  ", 1, "chan");
    EXPECT_EQ(TallyStatApp::sharedInstance().appid(), "");
    EXPECT_EQ(TallyStatApp::sharedInstance().channel(), "App Store");
}

TEST_F(TallyStatSchedulerTest, shouldUploadAtLaunchOnlyUnderTheApplicationsPolicy) {
    usePolicy(1);
    EXPECT_TRUE(TallyStatJob::shouldCommitJob(TallyStatJob::Launch));
    EXPECT_FALSE(TallyStatJob::shouldCommitJob(TallyStatJob::Terminate));
    EXPECT_FALSE(TallyStatJob::shouldCommitJob(TallyStatJob::Event));
}

TEST_F(TallyStatSchedulerTest, shouldTreatAPolicyOutsideTheTableAsTheDefault) {
    for (int policy : {5, 8, 42, -1}) {
        usePolicy(policy);
        EXPECT_TRUE(TallyStatJob::shouldCommitJob(TallyStatJob::Launch)) << policy;
        EXPECT_FALSE(TallyStatJob::shouldCommitJob(TallyStatJob::Event)) << policy;
    }
    EXPECT_FALSE(TallyStatJob::shouldCommitJob(7));
}

TEST_F(TallyStatSchedulerTest, shouldUploadOnceADayUnderTheDailyPolicy) {
    usePolicy(3);
    defaults().setString(TLANUtil::dateString(), "lastPostDate");
    EXPECT_FALSE(TallyStatJob::shouldCommitJob(TallyStatJob::Launch));
    defaults().setString("2001-01-01", "lastPostDate");
    EXPECT_TRUE(TallyStatJob::shouldCommitJob(TallyStatJob::Launch));
}

TEST_F(TallyStatSchedulerTest, shouldUploadLaunchesAndEventsOnWiFiUnderPolicyFour) {
    usePolicy(4);
    EXPECT_TRUE(TallyStatJob::shouldCommitJob(TallyStatJob::Launch));
    EXPECT_TRUE(TallyStatJob::shouldCommitJob(TallyStatJob::Event));
    EXPECT_FALSE(TallyStatJob::shouldCommitJob(TallyStatJob::Terminate));
}

TEST_F(TallyStatSchedulerTest, shouldUploadAfterTheIntervalUnderPolicySix) {
    usePolicy(6);
    defaults().removeObjectForKey("lastPostInterval");
    EXPECT_TRUE(TallyStatJob::shouldCommitJob(TallyStatJob::Terminate));
    defaults().setDouble(Timer::now(), "lastPostInterval");
    EXPECT_FALSE(TallyStatJob::shouldCommitJob(TallyStatJob::Terminate));
    EXPECT_FALSE(TallyStatJob::shouldCommitJob(TallyStatJob::Launch));
    defaults().setDouble(Timer::now() - 100, "lastPostInterval");
    EXPECT_TRUE(TallyStatJob::shouldCommitJob(TallyStatJob::Event));
    EXPECT_FALSE(TallyStatJob::shouldCommitJob(TallyStatJob::Terminate));
}

TEST_F(TallyStatSchedulerTest, shouldUploadOnlyInTheBackgroundUnderPolicySeven) {
    usePolicy(7);
    EXPECT_FALSE(TallyStatJob::shouldCommitJob(TallyStatJob::Launch));
    EXPECT_FALSE(TallyStatJob::shouldCommitJob(TallyStatJob::Event));
}

TEST_F(TallyStatSchedulerTest, shouldApplyTheStoredIntervalOfTheService) {
    usePolicy(6);
    defaults().setInteger(30, "tally_report_interval");
    defaults().setDouble(Timer::now() - 40, "lastPostInterval");
    EXPECT_TRUE(TallyStatJob::shouldCommitJob(TallyStatJob::Launch));
    EXPECT_EQ(TallyStatApp::sharedInstance().logSendInterval(), 30);
}

TEST_F(TallyStatSchedulerTest, shouldNotStartAnUploadForEventsUnderPolicyOne) {
    usePolicy(1);
    TallyStat::event("tap");
    ASSERT_TRUE(rig.settle());
    EXPECT_EQ(rig.uploads().size(), 1u);
}
