#include <gtest/gtest.h>

#include <filesystem>

#include "FakeDeviceFacts.h"
#include "TallyEntryFields.h"
#include "TallyTestRig.h"
#include "analytics/TallyStat.h"
#include "analytics/TallyStatApp.h"
#include "analytics/TallyStatEnvelope.h"
#include "analytics/TallyStatInternal.h"
#include "analytics/TallyStatJob.h"
#include "analytics/TallyStatPageView.h"
#include "analytics/TallyStatSession.h"
#include "analytics/TallyStatThrift.h"
#include "platform/foundation/AtomicFile.h"
#include "platform/foundation/Timer.h"
#include "platform/foundation/UserDefaults.h"
#include "platform/ui/Application.h"

namespace {

// Started with its first upload done; the device facts are the test's own until it ends.
class TallyStatRulesTest : public ::testing::Test {
protected:
    void SetUp() override {
        rig.start();
        ASSERT_TRUE(rig.runUntil([&] { return !rig.uploads().empty(); }));
        ASSERT_TRUE(rig.settle());
    }
    void TearDown() override { TLANDeviceFacts::install(nullptr); }

    void usePolicy(int policy) {
        UserDefaults::standardUserDefaults().setInteger(policy, "report_policy");
        TallyStatApp::sharedInstance().setReportPolicy(policy);
    }
    std::shared_ptr<FakeFacts> phoneWith(std::optional<std::vector<TLANNetworkInterface>> list) {
        auto facts = std::make_shared<FakeFacts>();
        facts->interfaces = std::move(list);
        TLANDeviceFacts::install(facts);
        return facts;
    }
    size_t uploadedEvents() const {
        size_t count = 0;
        for (const SimAnalyticsRequest& upload : rig.uploads()) {
            for (const SimThriftValue& message : upload.entry
                                                     ? upload.entry->listAt(kEntryInstantMessages)
                                                     : std::vector<SimThriftValue>{}) {
                count += message.listAt(kMessageEvents).size();
            }
        }
        return count;
    }

    TallyTestRig rig;
    Application application;
};

}  // namespace

TEST_F(TallyStatRulesTest, shouldCapASessionLongerThan7200SecondsAt3600) {
    TallyStatSession& session = TallyStatSession::sharedInstance();
    TallyStatInternal& cache = TallyStatInternal::sharedInstance();
    const std::pair<double, double> cases[] = {{7200.5, 7200}, {7201.5, 3600}, {0.4, 0}};
    for (const auto& [seconds, reported] : cases) {
        session.waitForLaunches();
        cache.setLastLaunchTime(Timer::now() - seconds);
        application.resignActive();
        EXPECT_EQ(session.duration(), reported) << seconds;
        application.becomeActive();
    }
    EXPECT_EQ(TallyStatSession::cappedDuration(7200.99), 7200);
}

TEST_F(TallyStatRulesTest, shouldRecordOnlyPageViewsOfAWholeSecondOrMore) {
    TallyStatPageView& pages = TallyStatPageView::sharedInstance();
    pages.takePageViews();
    TallyStatPageView::beginLogPageView("快");
    TallyStatPageView::endLogPageView("快");
    TallyStatPageView::logPageView("零", 0);
    TallyStatPageView::logPageView("一", 1);
    const double start = Timer::now();
    TallyStatPageView::beginLogPageView("慢");
    ASSERT_TRUE(rig.runUntil([&] { return Timer::now() - start >= 1.1; }, 5.0));
    TallyStatPageView::endLogPageView("慢");
    EXPECT_EQ(pages.takePageViews(),
              (std::vector<TallyStatPageView::PageView>{{"一", 1}, {"慢", 1}}));
}

TEST_F(TallyStatRulesTest, shouldUploadUnderPolicySevenOnlyOnceInTheBackground) {
    usePolicy(7);
    rig.sim().clearRequests();
    TallyStat::event("foreground");
    EXPECT_FALSE(TallyStatJob::shouldCommitJob(TallyStatJob::Event));
    application.resignActive();
    ASSERT_TRUE(rig.runUntil([&] { return !rig.uploads().empty(); }));
    ASSERT_TRUE(rig.settle());
    EXPECT_EQ(uploadedEvents(), 1u);
}

TEST_F(TallyStatRulesTest, shouldSendNothingWithoutANetworkAndKeepTheRecords) {
    usePolicy(0);
    phoneWith(std::nullopt);
    rig.sim().clearRequests();
    EXPECT_FALSE(TallyStatJob::shouldCommitJob(TallyStatJob::Launch));
    TallyStat::event("offline");
    ASSERT_TRUE(rig.settle());
    EXPECT_TRUE(rig.uploads().empty());
    EXPECT_EQ(TallyStatInternal::sharedInstance().events.size(), 1u);

    phoneWith(std::vector<TLANNetworkInterface>{{"lo", true, true}, {"en1", false, false}});
    EXPECT_FALSE(TallyStatJob::shouldCommitJob(TallyStatJob::Event));
}

TEST_F(TallyStatRulesTest, shouldSendOnCellularExceptUnderTheWiFiPolicy) {
    phoneWith(std::vector<TLANNetworkInterface>{{"pdp_ip0", true, false}});
    usePolicy(4);
    EXPECT_FALSE(TallyStatJob::shouldCommitJob(TallyStatJob::Launch));
    EXPECT_FALSE(TallyStatJob::shouldCommitJob(TallyStatJob::Event));
    usePolicy(0);
    EXPECT_TRUE(TallyStatJob::shouldCommitJob(TallyStatJob::Event));
    phoneWith(std::vector<TLANNetworkInterface>{{"en0", true, false}});
    usePolicy(4);
    EXPECT_TRUE(TallyStatJob::shouldCommitJob(TallyStatJob::Launch));
}

TEST_F(TallyStatRulesTest, shouldDropAnUnreadableKeptEnvelopeAndUploadAfresh) {
    std::filesystem::create_directories(
        std::filesystem::path(TallyStatEnvelope::envelopeFile()).parent_path());
    ASSERT_TRUE(
        AtomicFile::write(TallyStatEnvelope::envelopeFile(), std::string_view("\xff\xfe garbage")));
    rig.sim().clearRequests();
    TallyStat::event("after-damage");
    application.resignActive();
    application.becomeActive();
    ASSERT_TRUE(rig.runUntil([&] { return !rig.uploads().empty(); }));
    ASSERT_TRUE(rig.settle());
    const SimAnalyticsRequest upload = rig.uploads().front();
    EXPECT_EQ(upload.problem, "");
    ASSERT_TRUE(upload.entry);
    EXPECT_EQ(uploadedEvents(), 1u);
    EXPECT_FALSE(rig.envelopeFileExists());
}

TEST_F(TallyStatRulesTest, shouldSendWhatFitsOfAnOversizedEntryAndKeepTheRest) {
    TallyStatInternal& cache = TallyStatInternal::sharedInstance();
    cache.removeInstanceData();
    // Labels that do not compress, so the entry's size is the labels' size.
    uint32_t seed = 12345;
    const auto noise = [&seed](size_t length) {
        std::string text;
        for (size_t i = 0; i < length; ++i) {
            seed = seed * 1103515245 + 12345;
            text.push_back(static_cast<char>('!' + (seed >> 16) % 90));
        }
        return text;
    };
    constexpr size_t kRecords = 80;
    for (size_t i = 0; i < kRecords; ++i) {
        auto record = std::make_shared<TLANEvent>();
        record->event_id = "big";
        record->label = noise(4000);
        cache.events.add(record);
    }
    std::optional<Bytes> entity = TallyStatThrift::sharedInstance().entityData();
    ASSERT_TRUE(entity);
    EXPECT_LT(entity->size(), TallyStatThrift::kMaxEntityBytes);
    size_t marked = 0;
    for (const auto& record : cache.events.snapshot()) {
        marked += record->sendingFlag ? 1 : 0;
    }
    EXPECT_GT(marked, 0u);
    EXPECT_LT(marked, kRecords);
    cache.removeMarkedRecords();
    EXPECT_EQ(cache.events.size(), kRecords - marked);

    // One record too large on its own goes; the others stay.
    auto huge = std::make_shared<TLANEvent>();
    huge->event_id = "huge";
    huge->label = noise(TallyStatThrift::kMaxEntityBytes * 2);
    cache.removeInstanceData();
    cache.events.add(huge);
    auto small = std::make_shared<TLANEvent>();
    small->event_id = "small";
    cache.events.add(small);
    entity = TallyStatThrift::sharedInstance().entityData();
    ASSERT_TRUE(entity);
    ASSERT_EQ(cache.events.size(), 1u);
    EXPECT_EQ(cache.events.snapshot().front()->event_id, "small");
    EXPECT_TRUE(cache.events.snapshot().front()->sendingFlag);
}

TEST(TallyStatFirstLaunch, shouldBeginTheFirstSessionOneSecondAfterTheStartWhenNothingElseDoes) {
    TallyTestRig rig;
    const double started = Timer::now();
    rig.start();
    EXPECT_FALSE(TallyStatSession::sharedInstance().launchHasBegan());
    ASSERT_TRUE(rig.runUntil([] { return TallyStatSession::sharedInstance().launchHasBegan(); }));
    EXPECT_GE(Timer::now() - started, 0.9);
    ASSERT_TRUE(rig.runUntil([&] { return !rig.uploads().empty(); }));
}
