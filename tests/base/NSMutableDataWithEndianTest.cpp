#include <gtest/gtest.h>

#include "base/NSMutableDataWithEndian.h"

namespace {

Bytes written(void (*write)(NSMutableDataWithEndian&)) {
    NSMutableDataWithEndian data;
    write(data);
    return data.bytes();
}

struct WireCase {
    const char* name;
    void (*write)(NSMutableDataWithEndian&);
    Bytes expected;
};

class WireFieldBytes : public testing::TestWithParam<WireCase> {};

TEST_P(WireFieldBytes, shouldWriteMostSignificantByteFirst) {
    EXPECT_EQ(written(GetParam().write), GetParam().expected) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    EachWidthAndSign, WireFieldBytes,
    testing::Values(
        WireCase{"int8 -128", [](auto& d) { d.appendInt8(-128); }, {0x80}},
        WireCase{"uint8 255", [](auto& d) { d.appendUInt8(255); }, {0xFF}},
        WireCase{"int16 -2", [](auto& d) { d.appendInt16(-2); }, {0xFF, 0xFE}},
        WireCase{"int16 37", [](auto& d) { d.appendInt16(37); }, {0x00, 0x25}},
        WireCase{"uint16 0x1234", [](auto& d) { d.appendUInt16(0x1234); }, {0x12, 0x34}},
        WireCase{"int32 -1", [](auto& d) { d.appendInt32(-1); }, {0xFF, 0xFF, 0xFF, 0xFF}},
        WireCase{"int32 0x01020304",
                 [](auto& d) { d.appendInt32(0x01020304); },
                 {0x01, 0x02, 0x03, 0x04}},
        WireCase{"uint32 0xDEADBEEF",
                 [](auto& d) { d.appendUInt32(0xDEADBEEF); },
                 {0xDE, 0xAD, 0xBE, 0xEF}},
        WireCase{"int64 -2",
                 [](auto& d) { d.appendInt64(-2); },
                 {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE}},
        WireCase{"int64 1700000000123 ms",
                 [](auto& d) { d.appendInt64(1700000000123); },
                 {0x00, 0x00, 0x01, 0x8B, 0xCF, 0xE5, 0x68, 0x7B}},
        WireCase{"uint64 0x0102030405060708",
                 [](auto& d) { d.appendUInt64(0x0102030405060708ULL); },
                 {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08}},
        WireCase{"double 1.0",
                 [](auto& d) { d.appendDouble(1.0); },
                 {0x3F, 0xF0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}},
        WireCase{"double -2.5",
                 [](auto& d) { d.appendDouble(-2.5); },
                 {0xC0, 0x04, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}},
        WireCase{"double 0.1",
                 [](auto& d) { d.appendDouble(0.1); },
                 {0x3F, 0xB9, 0x99, 0x99, 0x99, 0x99, 0x99, 0x9A}},
        WireCase{"string padded",
                 [](auto& d) { d.appendFixedString("AB", 4); },
                 {0x41, 0x42, 0x00, 0x00}},
        WireCase{
            "string cut", [](auto& d) { d.appendFixedString("ABCDE", 3); }, {0x41, 0x42, 0x43}},
        WireCase{"string cut before a whole character",
                 [](auto& d) { d.appendFixedString("中文", 4); },
                 {0xE4, 0xB8, 0xAD, 0x00}},
        WireCase{"empty string", [](auto& d) { d.appendFixedString("", 2); }, {0x00, 0x00}},
        WireCase{"fields in order",
                 [](auto& d) {
                     d.appendInt16(37);
                     d.appendUInt8(4);
                     d.appendInt32(-3);
                 },
                 {0x00, 0x25, 0x04, 0xFF, 0xFF, 0xFF, 0xFD}}));

TEST(NSMutableDataWithEndianReading, shouldReadBackEveryFieldFromHandWrittenBytes) {
    NSMutableDataWithEndian data(Bytes{
        0x80, 0xFF, 0xFF, 0xFE, 0x12, 0x34, 0xFF, 0xFF, 0xFF, 0xFD, 0xDE, 0xAD, 0xBE, 0xEF, 0xFF,
        0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08,
        0xC0, 0x04, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x41, 0x00, 0x43, 0x00, 0xE4, 0xB8, 0xAD});
    EXPECT_EQ(data.readInt8(), -128);
    EXPECT_EQ(data.readUInt8(), 0xFF);
    EXPECT_EQ(data.readUInt8(), 0xFF);
    EXPECT_EQ(data.readUInt8(), 0xFE);
    EXPECT_EQ(data.readUInt16(), 0x1234);
    EXPECT_EQ(data.readInt32(), -3);
    EXPECT_EQ(data.readUInt32(), 0xDEADBEEFu);
    EXPECT_EQ(data.readInt64(), -2);
    EXPECT_EQ(data.readUInt64(), 0x0102030405060708ULL);
    EXPECT_EQ(data.readDouble(), -2.5);
    EXPECT_EQ(data.readFixedString(4), "A") << "the text ends at the first zero byte";
    EXPECT_EQ(data.readFixedString(3), "中");
    EXPECT_EQ(data.remaining(), 0u);
    EXPECT_FALSE(data.failed());
}

TEST(NSMutableDataWithEndianReading, shouldReadSignedSixteenBitFieldsWithTheirSign) {
    NSMutableDataWithEndian data(Bytes{0xFF, 0xFE, 0x80, 0x00});
    EXPECT_EQ(data.readInt16(), -2);
    EXPECT_EQ(data.readInt16(), -32768);
}

TEST(NSMutableDataWithEndianReading, shouldRoundTripWhatItWrites) {
    NSMutableDataWithEndian data;
    data.appendInt64(-1700000000123);
    data.appendDouble(3141.5926);
    data.appendFixedString("白银", 10);
    data.appendBytes(Bytes{1, 2, 3});
    NSMutableDataWithEndian reply(data.bytes());
    EXPECT_EQ(reply.readInt64(), -1700000000123);
    EXPECT_EQ(reply.readDouble(), 3141.5926);
    EXPECT_EQ(reply.readFixedString(10), "白银");
    EXPECT_EQ(reply.readBytes(3), (Bytes{1, 2, 3}));
}

TEST(NSMutableDataWithEndianReading, shouldFailAReadPastTheEndAndKeepItsPlace) {
    NSMutableDataWithEndian data(Bytes{0x00, 0x25, 0x01, 0x02, 0x03});
    EXPECT_EQ(data.readInt16(), 37);
    EXPECT_EQ(data.readInt32(), std::nullopt) << "three bytes left for a four-byte field";
    EXPECT_TRUE(data.failed());
    EXPECT_EQ(data.position(), 2u);
    EXPECT_EQ(data.readUInt16(), 0x0102) << "a shorter field still fits";
    EXPECT_EQ(data.readInt64(), std::nullopt);
    EXPECT_EQ(data.readDouble(), std::nullopt);
    EXPECT_EQ(data.readFixedString(2), std::nullopt);
    EXPECT_EQ(data.readBytes(2), std::nullopt);
    EXPECT_EQ(data.readUInt8(), 0x03);
    EXPECT_EQ(data.readInt8(), std::nullopt);
    EXPECT_TRUE(data.failed()) << "the failure stays for a check at the end of a record";
}

TEST(NSMutableDataWithEndianReading, shouldRefuseAHugeLengthWithoutOverflowing) {
    NSMutableDataWithEndian data(Bytes{0x01});
    EXPECT_EQ(data.readBytes(SIZE_MAX), std::nullopt);
    EXPECT_EQ(data.readFixedString(SIZE_MAX), std::nullopt);
    EXPECT_EQ(data.readUInt8(), 0x01);
}

TEST(NSMutableDataWithEndianReading, shouldReadNothingFromAnEmptyBuffer) {
    NSMutableDataWithEndian data;
    EXPECT_EQ(data.readUInt8(), std::nullopt);
    EXPECT_EQ(data.readFixedString(0), "");
    EXPECT_EQ(data.readBytes(0), Bytes{});
}

}  // namespace
