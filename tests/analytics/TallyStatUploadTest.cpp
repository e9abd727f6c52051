#include <gtest/gtest.h>

#include <set>
#include <thread>

#include "TallyEntryFields.h"
#include "TallyTestRig.h"
#include "analytics/TLANJournal.h"
#include "analytics/TLANWorkGate.h"
#include "analytics/TallyStat.h"
#include "analytics/TallyStatInternal.h"
#include "analytics/TallyStatJob.h"
#include "analytics/TallyStatSession.h"
#include "platform/foundation/HttpClient.h"
#include "platform/foundation/KeyedUnarchiver.h"
#include "platform/foundation/Timer.h"
#include "platform/ui/Application.h"

namespace {

constexpr int16_t kEnvelopeSerial = 4;
constexpr int16_t kEnvelopeLength = 6;
constexpr int16_t kEntryActivate = 5;
constexpr int16_t kEntryImprint = 8;
constexpr int16_t kEntryIdTracking = 9;
constexpr int16_t kTrackingJournals = 2;

class TallyStatUploadTest : public ::testing::Test {
protected:
    TallyTestRig rig;
    Application application;

    // Waits for the n-th upload request and for the job it belongs to.
    void waitForUploads(size_t count) {
        ASSERT_TRUE(rig.runUntil([&] { return rig.uploads().size() >= count; }));
        ASSERT_TRUE(rig.settle());
    }

    // Ends the session and begins the next one, as the platform tells the application.
    void deactivateAndReactivate() {
        application.resignActive();
        application.becomeActive();
    }

    // The terminate records in the cache file.
    static std::vector<std::shared_ptr<TLANTerminate>> cachedTerminates() {
        std::optional<PropertyList> cache =
            PropertyList::readFile(TallyStatInternal::cacheFilePath());
        std::optional<Bytes> archive;
        if (cache) {
            archive = (*cache)["body"]["terminate"].asData();
        }
        return archive ? KeyedUnarchiver::unarchiveObjects<TLANTerminate>(*archive)
                       : std::vector<std::shared_ptr<TLANTerminate>>{};
    }

    // The events a process killed now would leave: in the cache file or in the record journal.
    static std::set<std::string> eventsOnDisk() {
        std::set<std::string> ids;
        std::optional<PropertyList> cache =
            PropertyList::readFile(TallyStatInternal::cacheFilePath());
        std::optional<Bytes> archive;
        if (cache) {
            archive = (*cache)["body"]["event"].asData();
        }
        if (archive) {
            for (const auto& event : KeyedUnarchiver::unarchiveObjects<TLANEvent>(*archive)) {
                ids.insert(event->event_id);
            }
        }
        for (const auto& event : TLANJournal::read().events) {
            ids.insert(event->event_id);
        }
        return ids;
    }

    // Holds the upload of the first launch, with an event in it.
    void holdTheFirstUpload() {
        rig.sim().holdUploads();
        rig.start();
        TallyStat::event("sent");
        application.becomeActive();
        ASSERT_TRUE(rig.runUntil([&] { return rig.sim().heldUploads() == 1; }));
    }

    ~TallyStatUploadTest() override {
        TallyStatSession::sharedInstance().waitForLaunches();
        TallyStatSession::setBeforeLaunchHook({});
        TLANJournal::setBeforeAppendHook({});
    }
};

}  // namespace

TEST_F(TallyStatUploadTest, shouldUploadOnceWithSerialOneAtFirstStart) {
    rig.start();
    waitForUploads(1);
    ASSERT_TRUE(rig.runUntil([&] { return rig.defaultInteger("tlSuccessfulRequests") == 1; }));

    const std::vector<SimAnalyticsRequest> uploads = rig.uploads();
    ASSERT_EQ(uploads.size(), 1u);
    const SimAnalyticsRequest& upload = uploads.front();
    EXPECT_EQ(upload.host, 0);
    EXPECT_EQ(upload.problem, "");
    ASSERT_TRUE(upload.envelope && upload.entry);
    EXPECT_EQ(upload.envelope->integerAt(kEnvelopeSerial), 1);
    EXPECT_GT(upload.envelope->integerAt(kEnvelopeLength), 0);
    EXPECT_NE(upload.entry->field(kEntryActivate), nullptr);
    const SimThriftValue* tracking = upload.entry->field(kEntryIdTracking);
    ASSERT_NE(tracking, nullptr);
    EXPECT_FALSE(tracking->listAt(kTrackingJournals).empty());

    EXPECT_EQ(rig.defaultInteger("tlSerialNum"), 2);
    EXPECT_FALSE(rig.envelopeFileExists());
    EXPECT_EQ(rig.defaultInteger("tlFailedRequests"), 0);
}

TEST_F(TallyStatUploadTest, shouldCarryThePageOfTheEndedSessionInTheNextUpload) {
    rig.start();
    waitForUploads(1);
    TallyStat::beginLogPageView("行情");
    const double shown = Timer::now();
    rig.runUntil([&] { return Timer::now() - shown >= 3.2; }, 5);
    TallyStat::endLogPageView("行情");
    deactivateAndReactivate();
    waitForUploads(2);

    const SimAnalyticsRequest second = rig.uploads().at(1);
    EXPECT_EQ(second.problem, "");
    ASSERT_TRUE(second.entry);
    EXPECT_EQ(second.envelope->integerAt(kEnvelopeSerial), 2);
    EXPECT_EQ(second.entry->field(kEntryActivate), nullptr);
    const std::vector<SimThriftValue>& sessions = second.entry->listAt(kEntrySessions);
    ASSERT_EQ(sessions.size(), 1u);
    const std::vector<SimThriftValue>& pages = sessions.front().listAt(5);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages.front().textAt(1), "行情");
    EXPECT_EQ(pages.front().integerAt(2), 3000);
    // Journals went out with the first accepted upload and are not repeated.
    EXPECT_TRUE(second.entry->field(kEntryIdTracking)->listAt(kTrackingJournals).empty());
}

TEST_F(TallyStatUploadTest, shouldSendIdenticalBytesToFallbackWhenPrimaryAnswers500) {
    rig.sim().setLogAnswer(0, SimLogAnswer::Status500);
    rig.start();
    waitForUploads(2);

    const std::vector<SimAnalyticsRequest> uploads = rig.uploads();
    ASSERT_EQ(uploads.size(), 2u);
    EXPECT_EQ(uploads[0].host, 0);
    EXPECT_EQ(uploads[1].host, 1);
    EXPECT_EQ(uploads[0].body, uploads[1].body);
    EXPECT_EQ(uploads[1].problem, "");
    EXPECT_EQ(rig.defaultInteger("tlFailedRequests"), 1);
    EXPECT_EQ(rig.defaultInteger("tlSuccessfulRequests"), 1);
    EXPECT_FALSE(rig.envelopeFileExists());
}

TEST_F(TallyStatUploadTest, shouldKeepEnvelopeWhenBothHostsAreDownAndResendItByteForByte) {
    rig.sim().refuse(0);
    rig.sim().refuse(1);
    rig.start();
    ASSERT_TRUE(rig.runUntil([&] { return rig.defaultInteger("tlFailedRequests") == 2; }));
    ASSERT_TRUE(rig.settle());
    ASSERT_TRUE(rig.envelopeFileExists());
    const std::optional<Bytes> kept = rig.envelopeFileBytes();
    ASSERT_TRUE(kept);
    EXPECT_EQ(rig.defaultInteger("tlSerialNum"), 1);

    ASSERT_TRUE(rig.sim().resume(0));
    ASSERT_TRUE(rig.sim().resume(1));
    deactivateAndReactivate();
    waitForUploads(1);

    const SimAnalyticsRequest resent = rig.uploads().front();
    EXPECT_EQ(resent.body, std::string(kept->begin(), kept->end()));
    EXPECT_EQ(resent.problem, "");
    EXPECT_FALSE(rig.envelopeFileExists());
    EXPECT_EQ(rig.defaultInteger("tlSerialNum"), 2);
}

TEST_F(TallyStatUploadTest, shouldCountEmptyAnswerAsFailureAndKeepTheEnvelope) {
    rig.sim().setLogAnswer(0, SimLogAnswer::Empty200);
    rig.sim().setLogAnswer(1, SimLogAnswer::Empty200);
    rig.start();
    waitForUploads(2);
    EXPECT_EQ(rig.defaultInteger("tlFailedRequests"), 2);
    EXPECT_TRUE(rig.envelopeFileExists());
    EXPECT_EQ(rig.defaultInteger("tlSerialNum"), 1);
}

TEST_F(TallyStatUploadTest, shouldGiveUpARefusedEnvelopeAndBuildANewOneNextTime) {
    rig.sim().setLogAnswer(0, SimLogAnswer::RespCodeZero);
    rig.sim().setLogAnswer(1, SimLogAnswer::RespCodeZero);
    rig.start();
    waitForUploads(2);
    EXPECT_FALSE(rig.envelopeFileExists());
    EXPECT_EQ(rig.defaultInteger("tlSerialNum"), 3);

    rig.sim().setLogAnswer(0, SimLogAnswer::Accept);
    deactivateAndReactivate();
    waitForUploads(3);
    const SimAnalyticsRequest fresh = rig.uploads().at(2);
    EXPECT_EQ(fresh.problem, "");
    EXPECT_EQ(fresh.envelope->integerAt(kEnvelopeSerial), 3);
    EXPECT_NE(fresh.body, rig.uploads().at(0).body);
}

TEST_F(TallyStatUploadTest, shouldTreatACutShortAnswerAsRefused) {
    rig.sim().setLogAnswer(0, SimLogAnswer::Truncated);
    rig.sim().setLogAnswer(1, SimLogAnswer::Truncated);
    rig.start();
    waitForUploads(2);
    EXPECT_EQ(rig.defaultInteger("tlSuccessfulRequests"), 0);
    EXPECT_EQ(rig.defaultInteger("tlFailedRequests"), 2);
}

TEST_F(TallyStatUploadTest, shouldEchoTheImprintOfAnAcceptedAnswer) {
    rig.sim().setImprint({{"b_flag", "on", 1700000000000, "g-1"}, {"A_level", "3", 5, "g-2"}}, 7);
    rig.start();
    waitForUploads(1);
    deactivateAndReactivate();
    waitForUploads(2);

    const SimAnalyticsRequest second = rig.uploads().at(1);
    const SimThriftValue* imprint = second.entry->field(kEntryImprint);
    ASSERT_NE(imprint, nullptr);
    EXPECT_EQ(imprint->integerAt(2), 7);
    EXPECT_EQ(imprint->field(1)->entries.size(), 2u);
    EXPECT_EQ(imprint->textAt(3),
              SimThrift::imprintChecksum(
                  {{"A_level", "3", 5, "g-2"}, {"b_flag", "on", 1700000000000, "g-1"}}, 7));
}

TEST_F(TallyStatUploadTest, shouldNotStoreAnImprintWithAWrongChecksum) {
    rig.sim().setImprint({{"flag", "on", 1, "g"}}, 2, false);
    rig.start();
    waitForUploads(1);
    EXPECT_EQ(rig.defaultInteger("tlSuccessfulRequests"), 1);
    deactivateAndReactivate();
    waitForUploads(2);
    EXPECT_EQ(rig.uploads().at(1).entry->field(kEntryImprint), nullptr);
}

TEST_F(TallyStatUploadTest, shouldSaveTheSessionWhenTerminatingStraightFromTheForeground) {
    rig.start();
    waitForUploads(1);
    TallyStat::logPageView("行情", 3);
    TallyStat::event("quit");
    application.setTerminateHandler([](int) {});
    application.terminate();

    std::optional<PropertyList> cache = PropertyList::readFile(TallyStatInternal::cacheFilePath());
    ASSERT_TRUE(cache);
    const std::optional<Bytes> terminated = (*cache)["body"]["terminate"].asData();
    ASSERT_TRUE(terminated);
    const auto terminates = KeyedUnarchiver::unarchiveObjects<TLANTerminate>(*terminated);
    ASSERT_EQ(terminates.size(), 1u);
    EXPECT_EQ(terminates.front()->pageViews, (std::vector<TLANTerminate::PageView>{{"行情", 3}}));
    const std::optional<Bytes> recorded = (*cache)["body"]["event"].asData();
    ASSERT_TRUE(recorded);
    const auto events = KeyedUnarchiver::unarchiveObjects<TLANEvent>(*recorded);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events.front()->event_id, "quit");
}

TEST_F(TallyStatUploadTest, shouldHaveTheSessionOnDiskWhenTheApplicationTerminates) {
    rig.start();
    waitForUploads(1);
    TallyStat::logPageView("交易", 2);
    application.setTerminateHandler([](int) {});
    application.resignActive();
    application.terminate();

    std::optional<PropertyList> cache = PropertyList::readFile(TallyStatInternal::cacheFilePath());
    ASSERT_TRUE(cache);
    const std::optional<Bytes> archive = (*cache)["body"]["terminate"].asData();
    ASSERT_TRUE(archive);
    const auto terminates = KeyedUnarchiver::unarchiveObjects<TLANTerminate>(*archive);
    // Leaving the foreground and terminating each close the session; only the first has pages.
    ASSERT_GE(terminates.size(), 1u);
    EXPECT_EQ(terminates.front()->pageViews, (std::vector<TLANTerminate::PageView>{{"交易", 2}}));
    EXPECT_TRUE(terminates.back() == terminates.front() || terminates.back()->pageViews.empty());
    EXPECT_TRUE(TallyStatSession::sharedInstance().appBeKilling());
}

// The process ends right after: an upload still sending would run on into its tear-down.
TEST_F(TallyStatUploadTest, shouldHaveEndedTheUploadUnderWayWhenTheTerminateReturns) {
    holdTheFirstUpload();
    application.setTerminateHandler([](int) {});
    application.terminate();
    EXPECT_EQ(HttpClient::exchangesInFlight(), 0u);
    // The next test finds the upload ended, as a new process would.
    rig.sim().release();
    TLANWorkGate::reopen();
    EXPECT_TRUE(rig.settle());
}

TEST_F(TallyStatUploadTest, shouldReportNoSessionWhenMinimisedAndClosedBeforeTheFirstLaunch) {
    rig.start();
    application.setTerminateHandler([](int) {});
    application.resignActive();
    // The first launch's second comes while the window is minimised.
    TallyStatSession& session = TallyStatSession::sharedInstance();
    session.ensureFirstLaunch();
    session.waitForLaunches();
    EXPECT_FALSE(session.launchHasBegan());

    application.becomeActive();
    waitForUploads(1);
    EXPECT_TRUE(rig.uploads().front().entry->listAt(kEntrySessions).empty());
    // Closing the window leaves the foreground, then terminates: one session, as long as it was.
    application.resignActive();
    application.terminate();
    const auto terminates = cachedTerminates();
    ASSERT_EQ(terminates.size(), 1u);
    EXPECT_LT(terminates.front()->duration, 60);
}

TEST_F(TallyStatUploadTest, shouldKeepTheRecordsWhenTheUploadEndsBeforeANewSessionReadsTheCache) {
    holdTheFirstUpload();
    TallyStat::event("late");
    application.resignActive();
    // The upload ends after the return to the foreground, before the launch reads the cache.
    TallyStatSession::setBeforeLaunchHook([&] {
        rig.sim().release();
        TallyStatJob& job = TallyStatJob::sharedInstance();
        const auto ended = [&] {
            std::lock_guard<std::recursive_mutex> guard(job.lock());
            return !job.jobRunning();
        };
        while (!ended()) {
            std::this_thread::yield();
        }
    });
    application.becomeActive();
    ASSERT_TRUE(rig.runUntil([&] { return rig.sim().acceptedEntries().size() == 2; }));
    ASSERT_TRUE(rig.settle());
    EXPECT_EQ(rig.acceptedEvents(), (std::map<std::string, int>{{"late", 1}, {"sent", 1}}));
    EXPECT_EQ(rig.acceptedSessionMs().size(), 1u);
}

TEST_F(TallyStatUploadTest, shouldKeepOnDiskTheEventsOfTheBackgroundWhileTheLaunchListsThem) {
    rig.start();
    application.becomeActive();
    waitForUploads(1);
    application.resignActive();
    ASSERT_TRUE(rig.settle());
    TallyStat::event("parked-1");
    TallyStat::event("parked-2");
    // A save (an upload ending on its own thread) lands whenever a record is journaled during
    // the launch; a kill right after it must find both events on disk.
    std::vector<std::set<std::string>> onDisk;
    TLANJournal::setBeforeAppendHook([&](const TLANBaseEvent&) {
        TallyStatInternal::sharedInstance().writeCacheFile();
        onDisk.push_back(eventsOnDisk());
    });
    application.becomeActive();
    TallyStatSession::sharedInstance().waitForLaunches();
    TLANJournal::setBeforeAppendHook({});
    ASSERT_FALSE(onDisk.empty());
    for (const std::set<std::string>& ids : onDisk) {
        EXPECT_EQ(ids, (std::set<std::string>{"parked-1", "parked-2"}));
    }
    waitForUploads(2);
    EXPECT_EQ(rig.acceptedEvents(), (std::map<std::string, int>{{"parked-1", 1}, {"parked-2", 1}}));
}

TEST_F(TallyStatUploadTest, shouldLeaveNoFrameOfAnEventThatAnUploadSentAsItWasRecorded) {
    rig.start();
    application.becomeActive();
    waitForUploads(1);
    // An upload runs to its acceptance just as the event is being recorded.
    bool uploaded = false;
    TLANJournal::setBeforeAppendHook([&](const TLANBaseEvent&) {
        if (std::exchange(uploaded, true)) {
            return;
        }
        TallyStatInternal::sharedInstance().beginPerformJob();
        ASSERT_TRUE(rig.settle());
    });
    TallyStat::event("racing");
    ASSERT_TRUE(uploaded);
    // A kill now: what the service holds and what the next start would send, once in all.
    EXPECT_EQ(rig.acceptedEvents()["racing"] + eventsOnDisk().count("racing"), 1u);
}

TEST_F(TallyStatUploadTest, shouldSendOnceAnEventRecordedAsTheFirstLaunchListsItsRecords) {
    // Recorded once the launch has taken the parked records, before its start is marked.
    bool recorded = false;
    TLANJournal::setBeforeAppendHook([&](const TLANBaseEvent&) {
        if (!std::exchange(recorded, true)) {
            TallyStat::event("during");
        }
    });
    rig.start();
    application.becomeActive();
    waitForUploads(1);
    TLANJournal::setBeforeAppendHook({});
    ASSERT_TRUE(recorded);
    EXPECT_EQ(rig.acceptedEvents()["during"] + eventsOnDisk().count("during"), 1u);
    deactivateAndReactivate();
    waitForUploads(2);
    EXPECT_EQ(rig.acceptedEvents()["during"], 1);
}

TEST_F(TallyStatUploadTest, shouldCountOnceAnEventRecordedAsTheFirstLaunchBegins) {
    TallyStatSession::setBeforeLaunchHook([] { TallyStat::event("early"); });
    rig.start();
    application.becomeActive();
    waitForUploads(1);
    EXPECT_EQ(rig.acceptedEvents(), (std::map<std::string, int>{{"early", 1}}));
}
