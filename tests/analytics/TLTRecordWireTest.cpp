#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TextBytes.h"
#include "analytics/TLEnvelope.h"
#include "analytics/TLTAppInfo.h"
#include "analytics/TLTClientStats.h"
#include "analytics/TLTDeviceInfo.h"
#include "analytics/TLTIdSnapshot.h"
#include "analytics/TLTIdTracking.h"
#include "analytics/TLTMiscInfo.h"
#include "analytics/TLTResponse.h"
#include "analytics/TLTUALogEntry.h"

namespace {

Bytes hex(const std::string& text) {
    Bytes bytes;
    std::string digits;
    for (char c : text) {
        if (c != ' ') {
            digits += c;
        }
    }
    for (size_t i = 0; i + 1 < digits.size(); i += 2) {
        bytes.push_back(static_cast<uint8_t>(std::stoi(digits.substr(i, 2), nullptr, 16)));
    }
    return bytes;
}

Bytes concat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

template <class R>
Bytes bytesOf(const R& record) {
    auto bytes = record.toBytes();
    EXPECT_TRUE(bytes.has_value());
    return bytes.value_or(Bytes{});
}

TEST(TLTRecordWire, shouldWriteOnlyTheFieldStopForAnEmptyRecord) {
    EXPECT_EQ(bytesOf(TLTIdSnapshot()), hex("00"));
    EXPECT_EQ(bytesOf(TLTResponse()), hex("00"));
    EXPECT_EQ(bytesOf(TLTUALogEntry()), hex("00"));
}

TEST(TLTRecordWire, shouldWriteSnapshotFieldsInIdOrderAsHandComputed) {
    TLTIdSnapshot snapshot;
    snapshot.setVersion(2);
    snapshot.setIdentity("abc");
    snapshot.setTs(1);
    EXPECT_EQ(bytesOf(snapshot), hex("0B 0001 00000003 616263"
                                     "0A 0002 0000000000000001"
                                     "08 0003 00000002"
                                     "00"));
}

TEST(TLTRecordWire, shouldFlagANullStringButLeaveItOffTheWire) {
    TLTIdJournal journal;
    journal.setDomain("idfv");
    journal.setOld_id(std::nullopt);
    journal.setNew_id("X");
    EXPECT_TRUE(journal.old_idIsSet());
    EXPECT_EQ(bytesOf(journal), hex("0B 0001 00000004 69646676  0B 0003 00000001 58  00"));
}

TEST(TLTRecordWire, shouldKeepAnUnsetNumberButNotWriteIt) {
    TLTIdSnapshot snapshot("abc", 7, 2);
    snapshot.unsetTs();
    EXPECT_EQ(snapshot.ts(), 7);
    EXPECT_FALSE(snapshot.tsIsSet());
    EXPECT_EQ(snapshot.description(), "IdSnapshot(identity:\"abc\",ts:7,version:2)");
    EXPECT_EQ(bytesOf(snapshot), hex("0B 0001 00000003 616263 08 0003 00000002 00"));
}

TEST(TLTRecordWire, shouldDropAnObjectValueWhenUnset) {
    TLTIdSnapshot snapshot;
    snapshot.setIdentity("abc");
    snapshot.unsetIdentity();
    EXPECT_FALSE(snapshot.identity().has_value());
    EXPECT_EQ(snapshot.description(), "IdSnapshot(identity:\"(null)\",ts:0,version:0)");
}

TEST(TLTRecordWire, shouldWriteAndReadBackAnEmptyFlaggedCollection) {
    TLTIdTracking tracking;
    tracking.setSnapshots(TLTMap<TLTIdSnapshot>{});
    tracking.setJournals(std::vector<TLTIdJournal>{});
    Bytes bytes = bytesOf(tracking);
    EXPECT_EQ(bytes, hex("0D 0001 0B 0C 00000000  0F 0002 0C 00000000  00"));

    TLTIdTracking read;
    ASSERT_TRUE(read.readBytes(bytes));
    EXPECT_TRUE(read.snapshotsIsSet());
    ASSERT_TRUE(read.snapshots().has_value());
    EXPECT_TRUE(read.snapshots()->empty());
    ASSERT_TRUE(read.journals().has_value());
    EXPECT_TRUE(read.journals()->empty());
    EXPECT_FALSE(read.checksumIsSet());
    EXPECT_EQ(read, tracking);
}

TEST(TLTRecordWire, shouldWriteMapEntriesInInsertionOrder) {
    TLTIdTracking tracking;
    tracking.setSnapshots(
        TLTMap<TLTIdSnapshot>{{"mc", TLTIdSnapshot("m", 1, 1)}, {"idfv", TLTIdSnapshot()}});
    tracking.setChecksum("checksum");
    Bytes expected =
        concat({hex("0D 0001 0B 0C 00000002"), hex("00000002"), text("mc"), hex("0B 0001 00000001"),
                text("m"), hex("0A 0002 0000000000000001 08 0003 00000001 00"), hex("00000004"),
                text("idfv"), hex("00"), hex("0B 0003 00000008"), text("checksum"), hex("00")});
    EXPECT_EQ(bytesOf(tracking), expected);
}

TEST(TLTRecordWire, shouldSkipAFieldWhoseTypeDiffersFromTheTable) {
    TLTIdSnapshot snapshot;
    snapshot.setTs(99);
    ASSERT_TRUE(snapshot.readBytes(hex("08 0002 00000005  08 0003 00000004 00")));
    EXPECT_EQ(snapshot.ts(), 99);
    EXPECT_EQ(snapshot.version(), 4);
    EXPECT_TRUE(snapshot.versionIsSet());
}

TEST(TLTRecordWire, shouldSkipUnknownFieldsWithNestedCollections) {
    // Field 40 carries a struct holding a list of structs and a map of string to list.
    Bytes unknown = concat({hex("0C 0028"), hex("0F 0001 0C 00000002 08 0001 00000001 00 00"),
                            hex("0D 0002 0B 0F 00000001 00000001"), text("k"),
                            hex("08 00000002 00000001 00000002"), hex("00")});
    Bytes bytes = concat({unknown, hex("0B 0001 00000001"), text("z"), hex("00")});
    TLTIdSnapshot snapshot;
    ASSERT_TRUE(snapshot.readBytes(bytes));
    EXPECT_EQ(snapshot.identity(), "z");
    EXPECT_FALSE(snapshot.tsIsSet());
    EXPECT_FALSE(snapshot.versionIsSet());
}

TEST(TLTRecordWire, shouldReadMapEntriesWhateverTypesTheHeaderDeclares) {
    Bytes bytes = concat({hex("0D 0001 08 08 00000001 00000001"), text("a"),
                          hex("0B 0001 00000001"), text("v"), hex("00 00")});
    TLTImprint imprint;
    ASSERT_TRUE(imprint.readBytes(bytes));
    ASSERT_TRUE(imprint.property().has_value());
    ASSERT_NE(imprint.property()->find("a"), nullptr);
    EXPECT_EQ(imprint.property()->find("a")->value(), "v");
}

TEST(TLTRecordWire, shouldKeepTheLaterValueOfARepeatedField) {
    TLTResponse response;
    ASSERT_TRUE(response.readBytes(hex("08 0001 00000002 08 0001 00000001 00")));
    EXPECT_EQ(response.resp_code(), 1);
}

TEST(TLTRecordWire, shouldLeaveResponseCodeZeroWhenItArrivesMistyped) {
    TLTResponse response;
    ASSERT_TRUE(response.readBytes(hex("0A 0001 0000000000000001 00")));
    EXPECT_EQ(response.resp_code(), 0);
    EXPECT_FALSE(response.resp_codeIsSet());
}

TEST(TLTRecordWire, shouldFailAndKeepWhatWasReadWhenDataEndsEarly) {
    TLTIdSnapshot snapshot;
    EXPECT_FALSE(snapshot.readBytes(hex("0B 0001 00000003 616263 0A 0002 0000")));
    EXPECT_EQ(snapshot.identity(), "abc");
    EXPECT_FALSE(snapshot.tsIsSet());
}

TEST(TLTRecordWire, shouldRefuseAStringLongerThanTheInput) {
    TLTIdSnapshot snapshot;
    EXPECT_FALSE(snapshot.readBytes(hex("0B 0001 7FFFFFFF 61 00")));
    EXPECT_FALSE(snapshot.readBytes(hex("0B 0001 FFFFFFFF 00")));
}

TEST(TLTRecordWire, shouldWriteADoubleAsBigEndianIeee) {
    TLTMiscInfo misc;
    misc.setLatitude(1.5);
    EXPECT_EQ(bytesOf(misc), hex("04 0004 3FF8000000000000 00"));
    EXPECT_NE(misc.description().find("latitude:1.500000"), std::string::npos);
}

TEST(TLTRecordWire, shouldStartClientStatsWithBothCountersFlagged) {
    TLTClientStats stats;
    EXPECT_EQ(bytesOf(stats), hex("08 0001 00000000 08 0002 00000000 00"));
    TLTClientStats read;
    ASSERT_TRUE(read.readBytes(hex("08 0003 0000015E 00")));
    EXPECT_TRUE(read.successful_requestsIsSet());
    EXPECT_EQ(read.last_request_spent_ms(), 350);
    TLTClientStats full(1, 0, 350);
    EXPECT_EQ(bytesOf(full), hex("08 0001 00000001 08 0002 00000000 08 0003 0000015E 00"));
}

TEST(TLTRecordWire, shouldWriteAnEmptyTextAsALengthOfZero) {
    TLTAppInfo app;
    app.setKey("K");
    app.setPackage_name("");
    app.setSdk_type(1);
    EXPECT_EQ(bytesOf(app), hex("0B 0001 00000001 4B  0B 0004 00000000  08 0005 00000001  00"));
}

TEST(TLTRecordWire, shouldKeepDeviceFieldsTheClientNeverFills) {
    Bytes bytes = concat({hex("0B 000C 00000001"), text("b"), hex("0A 000E 00000000000007E2"),
                          hex("0B 0011 00000001"), text("n"), hex("00")});
    TLTDeviceInfo device;
    ASSERT_TRUE(device.readBytes(bytes));
    EXPECT_EQ(device.device_board(), "b");
    EXPECT_EQ(device.device_manutime(), 2018);
    EXPECT_EQ(device.device_name(), "n");
    EXPECT_EQ(bytesOf(device), bytes);
}

}  // namespace
