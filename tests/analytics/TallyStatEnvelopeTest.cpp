#include <gtest/gtest.h>

#include <filesystem>

#include "analytics/TLANUtil.h"
#include "analytics/TallyStatApp.h"
#include "analytics/TallyStatEnvelope.h"
#include "analytics/TallyStatInternal.h"
#include "analytics/TallyStatThrift.h"
#include "platform/foundation/AtomicFile.h"
#include "platform/foundation/UserDefaults.h"
#include "sim/analytics/SimAnalyticsService.h"
#include "sim/analytics/SimThrift.h"
#include "support/TempHome.h"

namespace {

constexpr int64_t kDay = 86400;

class TallyStatEnvelopeTest : public ::testing::Test {
protected:
    TallyStatEnvelopeTest() {
        TallyStatApp::sharedInstance().setAppid("5f2c9a7e01d34b8c");
        cache.removeInstanceData();
    }

    // One pending event, so there is something to send.
    std::optional<Bytes> buildEnvelope() {
        auto event = std::make_shared<TLANEvent>();
        event->event_id = "open";
        cache.events.add(event);
        return TallyStatEnvelope::sharedInstance().loadEnvelopeData();
    }

    static void ageEnvelopeFile(int64_t seconds) {
        const auto path = TallyStatEnvelope::envelopeFile();
        std::filesystem::last_write_time(
            path, std::filesystem::file_time_type::clock::now() - std::chrono::seconds(seconds));
    }

    static std::string text(const Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); }

    TempHome home;
    TallyStatInternal& cache = TallyStatInternal::sharedInstance();
};

}  // namespace

TEST_F(TallyStatEnvelopeTest, shouldLayOutTheEnvelopeAsABareBinaryStruct) {
    std::optional<Bytes> bytes = buildEnvelope();
    ASSERT_TRUE(bytes);
    const Bytes head = {0x0B, 0x00, 0x01, 0x00, 0x00, 0x00, 0x04,
                        'V',  '1',  '.',  '0',  0x0B, 0x00, 0x02};
    ASSERT_GT(bytes->size(), head.size() + 33);
    EXPECT_TRUE(std::equal(head.begin(), head.end(), bytes->begin()));
    TallyStatEnvelope& envelope = TallyStatEnvelope::sharedInstance();
    const std::string tail = text(Bytes(bytes->end() - 33, bytes->end() - 1));
    EXPECT_EQ(tail, envelope.checksum());
    EXPECT_EQ(bytes->back(), 0);
}

TEST_F(TallyStatEnvelopeTest, shouldCheckTheEnvelopeAsTheServiceRecomputesIt) {
    std::optional<Bytes> bytes = buildEnvelope();
    ASSERT_TRUE(bytes);
    const std::string signature =
        TLANUtil::bytesToHexString(TallyStatEnvelope::sharedInstance().signature().data(), 32);
    std::map<std::string, std::string> headers = {
        {"Msg-Type", "envelope"},
        {"Content-Type", "envelope"},
        {"X-Tally-Sdk", "iOS/3.1.2 a/2.0 m/1 " + TLANUtil::md5("5f2c9a7e01d34b8c")}};
    std::optional<SimThriftValue> envelope;
    std::optional<SimThriftValue> entry;
    EXPECT_EQ(SimAnalyticsService::checkEnvelope(headers, text(*bytes), envelope, entry), "");
    ASSERT_TRUE(envelope);
    EXPECT_EQ(envelope->textAt(3), signature);
    EXPECT_EQ(envelope->integerAt(4), 1);
    EXPECT_EQ(envelope->integerAt(6), TallyStatEnvelope::sharedInstance().length());
}

TEST_F(TallyStatEnvelopeTest, shouldMakeTheInstallSignatureFromTheFirstEnvelope) {
    EXPECT_FALSE(UserDefaults::standardUserDefaults().contains("tlSignature"));
    ASSERT_TRUE(buildEnvelope());
    TallyStatEnvelope& envelope = TallyStatEnvelope::sharedInstance();
    EXPECT_EQ(UserDefaults::standardUserDefaults().dataForKey("tlSignature").size(), 32u);
    const Bytes guid = envelope.guid();
    for (size_t index : {0, 1, 30, 31}) {
        EXPECT_EQ(guid[index], 0) << index;
    }
    EXPECT_TRUE(envelope.verifyChecksum());
    EXPECT_TRUE(envelope.verifyTimestamp());
    EXPECT_EQ(envelope.checksum(),
              SimThrift::md5Hex(
                  TLANUtil::bytesToHexString(envelope.signature().data(), 32) +
                  std::to_string(envelope.serialNum()) + std::to_string(envelope.timestamp()) +
                  std::to_string(envelope.length()) + TLANUtil::bytesToHexString(guid.data(), 32)));
}

TEST_F(TallyStatEnvelopeTest, shouldResendAThirteenDayOldEnvelopeByteForByte) {
    std::optional<Bytes> first = buildEnvelope();
    ASSERT_TRUE(first);
    ageEnvelopeFile(13 * kDay);
    std::optional<Bytes> again = TallyStatEnvelope::sharedInstance().loadEnvelopeData();
    ASSERT_TRUE(again);
    EXPECT_EQ(*again, *first);
}

TEST_F(TallyStatEnvelopeTest, shouldDropAFifteenDayOldEnvelopeAndAdvanceTheSerial) {
    ASSERT_TRUE(buildEnvelope());
    ageEnvelopeFile(15 * kDay);
    EXPECT_FALSE(TallyStatEnvelope::sharedInstance().loadEnvelopeData());
    EXPECT_FALSE(std::filesystem::exists(TallyStatEnvelope::envelopeFile()));
    EXPECT_EQ(UserDefaults::standardUserDefaults().integerForKey("tlSerialNum"), 2);
}

TEST_F(TallyStatEnvelopeTest, shouldDropAKeptEnvelopeThatIsTooLarge) {
    ASSERT_TRUE(AtomicFile::write(TallyStatEnvelope::envelopeFile(), Bytes(0x40000, 7)));
    EXPECT_FALSE(TallyStatEnvelope::sharedInstance().loadEnvelopeData());
    EXPECT_FALSE(std::filesystem::exists(TallyStatEnvelope::envelopeFile()));
}

TEST_F(TallyStatEnvelopeTest, shouldDropARecordThatCanNeverFitOneUpload) {
    auto error = std::make_shared<TLANError>();
    std::string noise;
    for (int j = 0; j < 120000; ++j) {
        noise += TLANUtil::md5(std::to_string(j)).substr(0, 4);
    }
    error->context = noise;
    cache.errors.add(error);
    EXPECT_FALSE(TallyStatEnvelope::sharedInstance().loadEnvelopeData());
    EXPECT_EQ(cache.errors.size(), 0u);
    EXPECT_EQ(UserDefaults::standardUserDefaults().integerForKey("tlSerialNum"), 1);
}

TEST(TallyStatThriftImprint, shouldComputeTheChecksumTheServiceComputes) {
    TempHome home;
    TLTImprint imprint;
    imprint.setProperty(TLTMap<TLTImprintValue>{{"beta", TLTImprintValue("x", 2, "g2")},
                                                {"Alpha", TLTImprintValue("y", 1, "g1")}});
    imprint.setVersion(5);
    EXPECT_EQ(TallyStatThrift::generateImprintChecksum(imprint),
              SimThrift::imprintChecksum({{"Alpha", "y", 1, "g1"}, {"beta", "x", 2, "g2"}}, 5));
    imprint.setChecksum(TallyStatThrift::generateImprintChecksum(imprint));
    EXPECT_TRUE(TallyStatThrift::validateImprintChecksum(imprint));
    EXPECT_FALSE(TallyStatThrift::validateImprintChecksum(std::nullopt));
}

TEST(TallyStatThriftResponse, shouldMergeAnAcceptedImprintIntoTheStoredOne) {
    TempHome home;
    TallyStatThrift& thrift = TallyStatThrift::sharedInstance();
    const std::string first =
        SimThrift::response(1, "ok", {{"a", "1", 1, "g"}, {"b", "1", 1, "g"}}, 4, true);
    ASSERT_TRUE(thrift.isResponseOK(Bytes(first.begin(), first.end())));
    const std::string second =
        SimThrift::response(1, "ok", {{"b", "2", 2, "g"}, {"c", "3", 3, "g"}}, 5, true);
    ASSERT_TRUE(thrift.isResponseOK(Bytes(second.begin(), second.end())));

    TLTImprint stored;
    ASSERT_TRUE(stored.readBytes(UserDefaults::standardUserDefaults().dataForKey("tlImprint")));
    EXPECT_EQ(stored.version(), 5);
    ASSERT_TRUE(stored.property());
    EXPECT_EQ(stored.property()->size(), 3u);
    EXPECT_EQ(stored.property()->find("b")->value(), std::optional<std::string>("2"));
    EXPECT_TRUE(TallyStatThrift::validateImprintChecksum(stored));
}

TEST(TallyStatThriftResponse, shouldRefuseCutShortAndRefusingAnswers) {
    TempHome home;
    TallyStatThrift& thrift = TallyStatThrift::sharedInstance();
    const std::string whole = SimThrift::response(1, "ok", {}, 0, true);
    for (size_t length = 0; length < whole.size(); ++length) {
        EXPECT_FALSE(thrift.isResponseOK(Bytes(whole.begin(), whole.begin() + length))) << length;
    }
    const std::string refused = SimThrift::response(0, "no", {}, 0, true);
    EXPECT_FALSE(thrift.isResponseOK(Bytes(refused.begin(), refused.end())));
    EXPECT_TRUE(thrift.isResponseOK(Bytes(whole.begin(), whole.end())));
}

TEST(TallyStatThriftEntry, shouldGroupEventsErrorsAndKeyValueEventsBySession) {
    TempHome home;
    TallyStatInternal& cache = TallyStatInternal::sharedInstance();
    cache.removeInstanceData();
    auto event = std::make_shared<TLANEvent>();
    event->event_id = "tap";
    event->label = "buy";
    cache.events.add(event);
    auto error = std::make_shared<TLANError>();
    error->context = "crash";
    cache.errors.add(error);
    cache.ekv.add(std::make_shared<TLANEkv>(
        "order", "", PropertyList(PropertyList::Dictionary{{"code", PropertyList("AG")}})));
    auto terminate = std::make_shared<TLANTerminate>(5);
    terminate->pageViews = {{"A", 3}, {"B", 0}};
    terminate->latitude = 31.2;
    terminate->longitude = 121.5;
    terminate->gps_time = 1700000000000;  // already milliseconds
    cache.terminates.add(terminate);

    std::optional<Bytes> bytes = TallyStatThrift::sharedInstance().toData();
    ASSERT_TRUE(bytes);
    std::optional<TLTUALogEntry> entry = TallyStatThrift::sharedInstance().fromData(*bytes);
    ASSERT_TRUE(entry && entry->instant_msgs() && entry->sessions());
    const std::vector<TLTInstantMsg>& messages = *entry->instant_msgs();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].id(), messages[1].id());
    EXPECT_EQ(messages[0].events()->size(), 1u);
    EXPECT_FALSE(messages[0].errors());
    EXPECT_EQ(messages[1].errors()->size(), 1u);
    ASSERT_TRUE(messages[1].events());
    EXPECT_EQ(messages[1].events()->front().name(), std::optional<std::string>("order"));
    const std::vector<TLTPage>& pages = *entry->sessions()->front().pages();
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[0].duration(), 3000);
    EXPECT_EQ(pages[1].duration(), 0);
    EXPECT_EQ(entry->sessions()->front().duration(), 5000);
    ASSERT_TRUE(entry->sessions()->front().locations());
    EXPECT_EQ(entry->sessions()->front().locations()->front().ts(), 1700000000000);
    EXPECT_TRUE(event->sendingFlag && error->sendingFlag && terminate->sendingFlag);
}
