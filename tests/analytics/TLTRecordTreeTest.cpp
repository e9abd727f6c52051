#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TextBytes.h"
#include "analytics/TLANTxJsonParser.h"
#include "analytics/TLEnvelope.h"
#include "analytics/TLTResponse.h"
#include "analytics/TLTUALogEntry.h"
#include "platform/crypto/Md5.h"
#include "platform/foundation/KeyedArchiver.h"
#include "platform/foundation/KeyedUnarchiver.h"

namespace {

Bytes join(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

// A field header: type code and big-endian id.
Bytes header(uint8_t type, uint16_t id) {
    return {type, static_cast<uint8_t>(id >> 8), static_cast<uint8_t>(id)};
}

Bytes i32(int32_t value) {
    auto v = static_cast<uint32_t>(value);
    return {static_cast<uint8_t>(v >> 24), static_cast<uint8_t>(v >> 16),
            static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v)};
}

Bytes string(const std::string& s) {
    return join({i32(static_cast<int32_t>(s.size())), text(s)});
}

TLTUALogEntry fullEntry() {
    TLTUALogEntry entry;
    entry.setClient_stats(TLTClientStats(3, 1, 350));
    TLTAppInfo app;
    app.setKey("KEY");
    app.setVersion("2.1");
    app.setPackage_name("");
    app.setSdk_type(1);
    app.setSdk_version("3.1.2");
    app.setChannel("App Store");
    entry.setApp_info(app);
    TLTDeviceInfo device;
    device.setDevice_id(std::string(40, 'a'));
    device.setMac_address("02:00:00:00:00:00");
    device.setModel("x86_64");
    device.setOs("iOS");
    device.setOs_version("7.0");
    device.setResolution(TLTResolution(1136, 640));
    device.setDevice_manutime(-5);
    entry.setDevice_info(device);
    TLTMiscInfo misc;
    misc.setTime_zone(8);
    misc.setLanguage("zh-Hans");
    misc.setLatitude(31.25);
    misc.setAccess_type(2);
    entry.setMisc_info(misc);
    entry.setActivate_msg(TLTActivateMsg(1700000000123));
    TLTEvent event("buy", TLTMap<TLTPropertyValue>{{"buy", TLTPropertyValue("", 0)}}, 12, 1,
                   1700000000000);
    TLTPropertyValue number;
    number.setLong_value(-7);
    TLTEvent kv;
    kv.setName("kv");
    kv.setProperties(TLTMap<TLTPropertyValue>{{"n", number}, {"other", TLTPropertyValue()}});
    entry.setInstant_msgs(std::vector<TLTInstantMsg>{
        TLTInstantMsg("S1", std::vector<TLTError>{TLTError(5, "crash \xE4\xB8\xAD")},
                      std::vector<TLTEvent>{event, kv})});
    TLTSession session;
    session.setId("S1");
    session.setStart_time(1000);
    session.setEnd_time(4000);
    session.setDuration(3000);
    session.setPages(std::vector<TLTPage>{TLTPage("行情", 3000)});
    session.setLocations(std::vector<TLTLocation>{TLTLocation(31.2, 121.5, 99000)});
    session.setTraffic(TLTTraffic(10, 20));
    entry.setSessions(std::vector<TLTSession>{session});
    TLTImprint imprint;
    imprint.setProperty(TLTMap<TLTImprintValue>{{"a", TLTImprintValue("1", -2, "g")}});
    imprint.setVersion(4);
    imprint.setChecksum(imprint.generatedChecksum());
    entry.setImprint(imprint);
    TLTIdJournal journal;
    journal.setDomain("idfv");
    journal.setOld_id(std::nullopt);
    journal.setNew_id("V");
    journal.setTs(17);
    entry.setId_tracking(TLTIdTracking(TLTMap<TLTIdSnapshot>{{"idfv", TLTIdSnapshot("V", 17, 1)}},
                                       std::vector<TLTIdJournal>{journal}, "checksum"));
    return entry;
}

TLEnvelope fullEnvelope() {
    return TLEnvelope("V1.0", "KEY", std::string(64, 'c'), 1, 0x5F5E1000, 10, Bytes{0x78, 0x9C},
                      std::string(64, 'd'), std::string(32, 'e'));
}

TEST(TLEnvelopeBytes, shouldMatchTheHandComputedLayout) {
    Bytes expected = join({header(0x0B, 1),
                           string("V1.0"),
                           header(0x0B, 2),
                           string("KEY"),
                           header(0x0B, 3),
                           string(std::string(64, 'c')),
                           header(0x08, 4),
                           i32(1),
                           header(0x08, 5),
                           i32(0x5F5E1000),
                           header(0x08, 6),
                           i32(10),
                           header(0x0B, 7),
                           i32(2),
                           Bytes{0x78, 0x9C},
                           header(0x0B, 8),
                           string(std::string(64, 'd')),
                           header(0x0B, 9),
                           string(std::string(32, 'e')),
                           Bytes{0x00}});
    auto bytes = fullEnvelope().toBytes();
    ASSERT_TRUE(bytes.has_value());
    EXPECT_EQ(*bytes, expected);
    Bytes start = {0x0B, 0x00, 0x01, 0x00, 0x00, 0x00, 0x04,
                   0x56, 0x31, 0x2E, 0x30, 0x0B, 0x00, 0x02};
    EXPECT_EQ(Bytes(bytes->begin(), bytes->begin() + 14), start);
    EXPECT_EQ(Bytes(bytes->end() - 33, bytes->end()), join({text(std::string(32, 'e')), {0}}));
    EXPECT_EQ(bytes->size(), 11u + 10 + 71 + 7 * 3 + 9 + 71 + 39 + 1);

    TLEnvelope read;
    ASSERT_TRUE(read.readBytes(*bytes));
    EXPECT_EQ(read, fullEnvelope());
    EXPECT_EQ(read.description().rfind("TLEnvelope(version:\"V1.0\",address:\"KEY\"", 0), 0u);
}

TEST(TLEnvelopeBytes, shouldLeaveANullEntityOffTheWire) {
    TLEnvelope envelope = fullEnvelope();
    envelope.setEntity(std::nullopt);
    EXPECT_TRUE(envelope.entityIsSet());
    auto bytes = envelope.toBytes();
    ASSERT_TRUE(bytes.has_value());
    EXPECT_EQ(bytes->size(), 11u + 10 + 71 + 7 * 3 + 71 + 39 + 1);
}

TEST(TLTImprintChecksum, shouldDigestTheVersionAloneForAnEmptyImprint) {
    TLTImprint imprint;
    imprint.setProperty(TLTMap<TLTImprintValue>{});
    imprint.setVersion(3);
    EXPECT_EQ(imprint.generatedChecksum(), "eccbc87e4b5ce2fe28308fd9f2a7baf3");
    EXPECT_FALSE(imprint.hasValidChecksum());
    imprint.setChecksum("eccbc87e4b5ce2fe28308fd9f2a7baf3");
    EXPECT_TRUE(imprint.hasValidChecksum());
    imprint.setChecksum("ECCBC87E4B5CE2FE28308FD9F2A7BAF3");
    EXPECT_FALSE(imprint.hasValidChecksum());
    imprint.unsetProperty();
    imprint.setChecksum(imprint.generatedChecksum());
    EXPECT_FALSE(imprint.hasValidChecksum());
}

TEST(TLTImprintChecksum, shouldVisitNamesCaseInsensitivelyWithSignedTimes) {
    TLTImprint imprint;
    TLTImprintValue nullGuid;
    nullGuid.setValue("vb");
    nullGuid.setTs(-12);
    imprint.setProperty(TLTMap<TLTImprintValue>{
        {"b", nullGuid}, {"A", TLTImprintValue("va", 1, "ga")}, {"c", TLTImprintValue()}});
    imprint.setVersion(-2);
    EXPECT_EQ(imprint.generatedChecksum(), Md5::lowerHex("Ava1gabvb-12(null)c(null)0(null)-2"));
}

TEST(TLTRecordTree, shouldReadBackAnEqualLogEntry) {
    TLTUALogEntry entry = fullEntry();
    auto bytes = entry.toBytes();
    ASSERT_TRUE(bytes.has_value());
    TLTUALogEntry read;
    ASSERT_TRUE(read.readBytes(*bytes));
    EXPECT_EQ(read.toBytes(), bytes);
    // The null old_id was flagged but never written, so it arrives unflagged.
    EXPECT_FALSE(read.id_tracking()->journals()->front().old_idIsSet());
    TLTUALogEntry expected = entry;
    TLTIdTracking tracking = *expected.id_tracking();
    std::vector<TLTIdJournal> journals = *tracking.journals();
    journals.front().unsetOld_id();
    tracking.setJournals(journals);
    expected.setId_tracking(tracking);
    EXPECT_EQ(read, expected);
}

TEST(TLTRecordTree, shouldSkipAListFieldThatArrivesAsAnotherType) {
    TLTUALogEntry entry;
    ASSERT_TRUE(entry.readBytes(join({header(0x0C, 7),
                                      header(0x08, 1),
                                      i32(5),
                                      {0x00},
                                      header(0x0F, 6),
                                      {0x0C},
                                      i32(0),
                                      {0x00}})));
    EXPECT_FALSE(entry.sessionsIsSet());
    EXPECT_TRUE(entry.instant_msgsIsSet());
    EXPECT_TRUE(entry.instant_msgs()->empty());
}

TEST(TLTRecordTree, shouldSurviveAKeyedArchiveRoundTrip) {
    TLTUALogEntry entry = fullEntry();
    Bytes archive = KeyedArchiver::archivedData(entry);
    auto read = KeyedUnarchiver::unarchiveObject<TLTUALogEntry>(archive);
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(*read, entry);
    EXPECT_TRUE(read->id_tracking()->journals()->front().old_idIsSet());
    EXPECT_FALSE(read->id_tracking()->journals()->front().old_id().has_value());

    auto envelope =
        KeyedUnarchiver::unarchiveObject<TLEnvelope>(KeyedArchiver::archivedData(fullEnvelope()));
    ASSERT_NE(envelope, nullptr);
    EXPECT_EQ(*envelope, fullEnvelope());
}

TEST(TLTRecordTree, shouldDecodeClientStatsWithoutTheirDefaults) {
    TLTClientStats empty;
    empty.unsetSuccessful_requests();
    empty.unsetFailed_requests();
    auto read =
        KeyedUnarchiver::unarchiveObject<TLTClientStats>(KeyedArchiver::archivedData(empty));
    ASSERT_NE(read, nullptr);
    EXPECT_FALSE(read->successful_requestsIsSet());
    EXPECT_FALSE(read->failed_requestsIsSet());
    EXPECT_EQ(read->toBytes(), (Bytes{0x00}));
}

TEST(TLTRecordTree, shouldDescribeEveryFieldOfAnApplicationRecord) {
    TLTAppInfo app;
    app.setKey("K");
    EXPECT_EQ(app.description(),
              "AppInfo(key:\"K\",version:\"(null)\",version_index:0,package_name:\"(null)\","
              "sdk_type:0,sdk_version:\"(null)\",channel:\"(null)\",wrapper_type:\"(null)\","
              "wrapper_version:\"(null)\")");
}

// A small deterministic generator so failures repeat.
uint32_t nextRandom(uint32_t& state) {
    state = state * 1664525u + 1013904223u;
    return state >> 8;
}

template <class R>
void feedTruncationsAndNoise(const Bytes& valid) {
    for (size_t length = 0; length < valid.size(); ++length) {
        R record;
        EXPECT_FALSE(record.readBytes(Bytes(valid.begin(), valid.begin() + length))) << length;
    }
    uint32_t state = 7;
    for (int round = 0; round < 3000; ++round) {
        Bytes noise = valid;
        for (int flips = 0; flips < 4; ++flips) {
            noise[nextRandom(state) % noise.size()] = static_cast<uint8_t>(nextRandom(state));
        }
        R record;
        record.readBytes(noise);
        Bytes random(nextRandom(state) % 64);
        for (uint8_t& byte : random) {
            byte = static_cast<uint8_t>(nextRandom(state));
        }
        record.readBytes(random);
    }
}

TEST(TLTRecordRobustness, shouldFailOnTruncatedOrCorruptedBytesWithoutCrashing) {
    feedTruncationsAndNoise<TLTUALogEntry>(*fullEntry().toBytes());
    feedTruncationsAndNoise<TLEnvelope>(*fullEnvelope().toBytes());
    TLTResponse response(1, "ok", *fullEntry().imprint());
    feedTruncationsAndNoise<TLTResponse>(*response.toBytes());
}

TEST(TLTRecordRobustness, shouldDecodeGarbageArchivesAsNothing) {
    Bytes archive = KeyedArchiver::archivedData(fullEntry());
    uint32_t state = 11;
    for (int round = 0; round < 300; ++round) {
        Bytes noise = archive;
        noise[nextRandom(state) % noise.size()] = static_cast<uint8_t>(nextRandom(state));
        KeyedUnarchiver::unarchiveObject<TLTUALogEntry>(noise);
    }
    EXPECT_EQ(KeyedUnarchiver::unarchiveObject<TLTUALogEntry>(text("junk")), nullptr);
}

TEST(TLANTxJsonRobustness, shouldFailOnRandomTextWithoutCrashing) {
    uint32_t state = 3;
    const std::string alphabet = "{}[],:\"\\u0123456789abcdefnrtl-+.eE \t\x01\xC3\xA9";
    for (int round = 0; round < 3000; ++round) {
        std::string json;
        size_t length = nextRandom(state) % 40;
        for (size_t i = 0; i < length; ++i) {
            json += alphabet[nextRandom(state) % alphabet.size()];
        }
        TLANTxJsonParser parser;
        auto value = parser.fragmentWithString(json);
        EXPECT_EQ(value.has_value(), parser.errorTrace().empty()) << json;
    }
}

}  // namespace
