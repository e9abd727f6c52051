#include <gtest/gtest.h>

#include "TallyTestRig.h"
#include "analytics/TallyStat.h"
#include "analytics/TallyStatEvent.h"
#include "analytics/TallyStatInternal.h"
#include "platform/foundation/KeyedArchiver.h"
#include "platform/foundation/KeyedUnarchiver.h"

namespace {

PropertyList attributes(int count) {
    PropertyList dictionary = PropertyList::dictionary();
    for (int i = 0; i < count; ++i) {
        dictionary.set("k" + std::to_string(i), "v" + std::to_string(i));
    }
    return dictionary;
}

class TallyStatEventTest : public ::testing::Test {
protected:
    TallyTestRig rig;
    TallyStatInternal& cache = TallyStatInternal::sharedInstance();
};

}  // namespace

TEST_F(TallyStatEventTest, shouldAcceptEventIdsUpTo128Bytes) {
    EXPECT_TRUE(TallyStatEvent::validEventID(std::string(128, 'a')));
    EXPECT_FALSE(TallyStatEvent::validEventID(std::string(129, 'a')));
    std::string wide;
    for (int i = 0; i < 43; ++i) {
        wide += "金";
    }
    EXPECT_FALSE(TallyStatEvent::validEventID(wide));
    EXPECT_FALSE(TallyStatEvent::validEventID("   "));
}

TEST_F(TallyStatEventTest, shouldParkEventsRecordedBeforeTheFirstLaunch) {
    TallyStat::event("open", "market");
    ASSERT_EQ(cache.events.size(), 1u);
    ASSERT_EQ(cache.tmpContainer.size(), 1u);
    const auto event = cache.events.snapshot().front();
    EXPECT_EQ(event->event_id, "open");
    EXPECT_EQ(event->label, "market");
    EXPECT_EQ(event->acc, 1);
}

TEST_F(TallyStatEventTest, shouldLeaveCountAndLabelOutOfAttributesWhenAbsent) {
    TallyStat::eventAcc("tap", 0);
    const TLANJsonValue json = cache.events.snapshot().front()->attributes();
    EXPECT_EQ(json.find("acc"), nullptr);
    EXPECT_EQ(json.find("label"), nullptr);
    EXPECT_EQ(json["tag"], TLANJsonValue("tap"));
}

TEST_F(TallyStatEventTest, shouldCutALongLabelOnlyInTheAttributes) {
    TallyStat::event("tap", std::string(300, 'x'));
    const auto event = cache.events.snapshot().front();
    EXPECT_EQ(event->label.size(), 300u);
    EXPECT_EQ(event->attributes()["label"].string().size(), 256u);
}

TEST_F(TallyStatEventTest, shouldRecordLabelledDurationsOnlyWithinTheRange) {
    TallyStat::eventDurations("load", "quote", 0);
    TallyStat::eventDurations("load", "quote", 7200000);
    EXPECT_EQ(cache.events.size(), 0u);
    TallyStat::eventDurations("load", "quote", 7199999);
    ASSERT_EQ(cache.events.size(), 1u);
    EXPECT_EQ(cache.events.snapshot().front()->du, 7199999);
}

TEST_F(TallyStatEventTest, shouldEndTheMostRecentBeginFirst) {
    TallyStat::beginEvent("load", "chart");
    TallyStat::beginEvent("load", "chart");
    TallyStat::endEvent("load", "chart");
    EXPECT_EQ(cache.events.size(), 1u);
    EXPECT_NE(cache.popEventBegin("loadchart"), nullptr);
    EXPECT_EQ(cache.popEventBegin("loadchart"), nullptr);
}

TEST_F(TallyStatEventTest, shouldKeepTenAttributesAndTheCounter) {
    TallyStat::eventAttributes("buy", attributes(12));
    PropertyList counted = attributes(10);
    counted.set("__ct__", "2");
    TallyStat::eventAttributes("sell", counted);
    const auto records = cache.ekv.snapshot();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0]->values.size(), 10u);
    EXPECT_EQ(records[1]->values.size(), 11u);
}

TEST_F(TallyStatEventTest, shouldAddTheCounterToACopyOfTheAttributes) {
    const PropertyList original = attributes(2);
    TallyStat::eventAttributes("buy", original, 5);
    EXPECT_EQ(original.size(), 2u);
    EXPECT_EQ(cache.ekv.snapshot().front()->values["__ct__"], PropertyList("5"));
}

TEST_F(TallyStatEventTest, shouldDropAttributesThatAreNotTexts) {
    PropertyList mixed = PropertyList::dictionary();
    mixed.set("price", 3);
    mixed.set("code", "AG");
    mixed.set(std::string(200, 'k'), std::string(300, 'v'));
    TallyStat::eventAttributes("buy", mixed);
    const PropertyList values = cache.ekv.snapshot().front()->values;
    EXPECT_FALSE(values.contains("price"));
    EXPECT_EQ(values["code"], PropertyList("AG"));
    EXPECT_EQ(values[std::string(128, 'k')].toString().size(), 256u);
}

TEST_F(TallyStatEventTest, shouldRecordATimedKeyValueEventAtItsEnd) {
    TallyStat::beginEvent("trade", "order-1", attributes(1));
    EXPECT_EQ(cache.ekv.size(), 0u);
    TallyStat::endEventPrimarykey("trade", "order-1");
    ASSERT_EQ(cache.ekv.size(), 1u);
    EXPECT_EQ(cache.ekv.snapshot().front()->key, "order-1");
    TallyStat::endEventPrimarykey("trade", "order-1");
    EXPECT_EQ(cache.ekv.size(), 1u);
}

TEST_F(TallyStatEventTest, shouldRestoreRecordsFromTheirKeyedArchive) {
    auto terminate = std::make_shared<TLANTerminate>(42);
    terminate->pageViews = {{"行情", 3}, {"交易", 1}};
    terminate->latitude = 31.2;
    terminate->longitude = 121.5;
    terminate->gps_time = 1700000000000;
    terminate->sendingFlag = true;
    const Bytes archive =
        KeyedArchiver::archivedData(std::vector<std::shared_ptr<TLANTerminate>>{terminate});
    const auto restored = KeyedUnarchiver::unarchiveObjects<TLANTerminate>(archive);
    ASSERT_EQ(restored.size(), 1u);
    EXPECT_EQ(restored[0]->duration, 42);
    EXPECT_EQ(restored[0]->pageViews, terminate->pageViews);
    EXPECT_EQ(restored[0]->session_id, terminate->session_id);
    EXPECT_TRUE(restored[0]->sendingFlag);
    EXPECT_TRUE(restored[0]->hasGPSInfo());
    EXPECT_TRUE(restored[0]->isEqualToEvent(*terminate));
}

TEST_F(TallyStatEventTest, shouldDropCachedErrorsWhenNoCrashVersionIsKnown) {
    auto error = std::make_shared<TLANError>();
    error->context = "old crash";
    PropertyList body = PropertyList::dictionary();
    body.set("error", KeyedArchiver::archivedData(std::vector<std::shared_ptr<TLANError>>{error}));
    PropertyList file = PropertyList::dictionary();
    file.set("body", body);
    ASSERT_TRUE(file.writeFile(TallyStatInternal::cacheFilePath()));
    cache.loadCache();
    EXPECT_EQ(cache.errors.size(), 0u);
    EXPECT_FALSE(PropertyList::readFile(TallyStatInternal::cacheFilePath()));
}

TEST_F(TallyStatEventTest, shouldDeleteTheCacheFileWhenNothingIsLeftToKeep) {
    TallyStat::event("tap");
    cache.writeCacheFile();
    ASSERT_TRUE(PropertyList::readFile(TallyStatInternal::cacheFilePath()));
    cache.removeInstanceData();
    cache.writeCacheFile();
    EXPECT_FALSE(PropertyList::readFile(TallyStatInternal::cacheFilePath()));
}
