#include <gtest/gtest.h>
#include <zlib.h>

#include <string>

#include "analytics/TLANBaseNEncoding.h"
#include "analytics/TLANDeflated.h"
#include "analytics/TLANUtil.h"
#include "analytics/TLANUtils.h"

namespace {

Bytes bytes(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

TEST(TLANDeflated, shouldMakeAValidStreamOfEmptyInput) {
    auto stream = TLANDeflated::deflatedData({});
    ASSERT_TRUE(stream.has_value());
    EXPECT_EQ(stream->size(), 8u);
    EXPECT_EQ(TLANDeflated::inflatedData(*stream, 10), Bytes{});
}

TEST(TLANDeflated, shouldPutThePrefixBeforeAStreamZlibCanUncompress) {
    Bytes source = bytes(std::string(5000, 'x') + "tail");
    auto data = TLANDeflated::deflatedDataPrefixedWith({1, 2, 3}, 9, source);
    ASSERT_TRUE(data.has_value());
    ASSERT_GT(data->size(), 3u);
    EXPECT_EQ(Bytes(data->begin(), data->begin() + 3), (Bytes{1, 2, 3}));
    uLongf length = static_cast<uLongf>(source.size());
    Bytes restored(length);
    ASSERT_EQ(uncompress(restored.data(), &length, data->data() + 3,
                         static_cast<uLong>(data->size() - 3)),
              Z_OK);
    EXPECT_EQ(restored, source);
}

TEST(TLANDeflated, shouldCompressIncompressibleInputAtEveryLevel) {
    Bytes noise(20000);
    uint32_t state = 12345;
    for (uint8_t& byte : noise) {
        state = state * 1103515245 + 12345;
        byte = static_cast<uint8_t>(state >> 24);
    }
    for (int level : {-1, 0, 1, 9}) {
        auto stream = TLANDeflated::deflatedDataPrefixedWith({}, level, noise);
        ASSERT_TRUE(stream.has_value()) << level;
        EXPECT_EQ(TLANDeflated::inflatedData(*stream, noise.size()), noise);
    }
    EXPECT_FALSE(TLANDeflated::deflatedDataPrefixedWith({}, 42, noise).has_value());
}

TEST(TLANDeflated, shouldRefuseBrokenOrOversizedStreams) {
    auto stream = TLANDeflated::deflatedData(bytes(std::string(1000, 'a')));
    ASSERT_TRUE(stream.has_value());
    EXPECT_FALSE(TLANDeflated::inflatedData(*stream, 999).has_value());
    Bytes truncated(stream->begin(), stream->end() - 2);
    EXPECT_FALSE(TLANDeflated::inflatedData(truncated, 5000).has_value());
    EXPECT_FALSE(TLANDeflated::inflatedData(bytes("not zlib"), 5000).has_value());
}

TEST(TLANDigests, shouldMatchPublishedMd5AndSha1Values) {
    EXPECT_EQ(TLANUtil::md5(""), "D41D8CD98F00B204E9800998ECF8427E");
    EXPECT_EQ(TLANUtils::md5Value("abc"), "900150983CD24FB0D6963F7D28E17F72");
    EXPECT_EQ(TLANUtil::md5(std::string("abc\0def", 7)), "900150983CD24FB0D6963F7D28E17F72");
    EXPECT_EQ(TLANUtil::md5BytesWithString("abc"), TLANUtil::md5DataWithData(bytes("abc")));
    EXPECT_EQ(TLANUtil::md5DataWithData(bytes("abc")).size(), 16u);
    EXPECT_EQ(TLANUtil::sha1WithString("abc"), "a9993e364706816aba3e25717850c26c9cd0d89d");
    EXPECT_EQ(TLANUtil::sha1WithData(bytes("abc")), "a9993e364706816aba3e25717850c26c9cd0d89d");
    // "中文" digests all six UTF-8 bytes.
    EXPECT_EQ(TLANUtil::sha1WithString("\xE4\xB8\xAD\xE6\x96\x87"),
              TLANUtil::sha1WithData(Bytes{0xE4, 0xB8, 0xAD, 0xE6, 0x96, 0x87}));
    EXPECT_NE(TLANUtil::sha1WithString("\xE4\xB8\xAD\xE6\x96\x87"),
              TLANUtil::sha1WithString("\xE4\xB8\xAD"));
}

TEST(TLANDigests, shouldWriteLowerCaseHexAndNothingForNoBytes) {
    Bytes data{0x00, 0xAB, 0x7F};
    EXPECT_EQ(TLANUtil::bytesToHexString(data.data(), 3), "00ab7f");
    EXPECT_EQ(TLANUtil::bytesToHexString(data.data(), 0), "");
    EXPECT_EQ(TLANUtil::bytesToHexString(data.data(), -1), "");
}

TEST(TLANUrlEncoding, shouldEncodeADisplayNameWithBlanksAndChineseText) {
    EXPECT_EQ(TLANUtil::urlEncode("VK JY \xE6\xBE\x9C\xE7\x9F\xB3 a-b.c_d~e"),
              "VK%20JY%20%E6%BE%9C%E7%9F%B3%20a-b.c_d~e");
    EXPECT_EQ(TLANUtils::urlEncode("!*'\"();:@&=+$,/?%#[]<>\\^`{|}"),
              "%21%2A%27%22%28%29%3B%3A%40%26%3D%2B%24%2C%2F%3F%25%23%5B%5D%3C%3E%5C%5E%60%7B%7C%"
              "7D");
}

TEST(TLANUrlEncoding, shouldDecodeEscapesAndRefuseBrokenOnes) {
    EXPECT_EQ(TLANUtils::urlDecode("a%20b+%E6%BE%9C"), "a b+\xE6\xBE\x9C");
    EXPECT_FALSE(TLANUtils::urlDecode("a%2").has_value());
    EXPECT_FALSE(TLANUtils::urlDecode("a%zz").has_value());
    EXPECT_FALSE(TLANUtils::urlDecode("%FF").has_value());
}

TEST(TLANUrlEncoding, shouldBuildAndSplitQueryStrings) {
    EXPECT_EQ(TLANUtils::queryStringWithDictionary({}), "");
    EXPECT_EQ(TLANUtils::queryStringWithDictionary({{"a&b", "x y"}, {"c", "="}}),
              "a&b=x%20y&c=%3D");
    auto dictionary = TLANUtils::dictionaryWithQueryString("a=1&b=x%20y&a=2&c=1=2&d&%zz=3&e=");
    ASSERT_EQ(dictionary.size(), 3u);
    EXPECT_EQ(dictionary[0], (std::pair<std::string, std::string>{"a", "2"}));
    EXPECT_EQ(dictionary[1], (std::pair<std::string, std::string>{"b", "x y"}));
    EXPECT_EQ(dictionary[2], (std::pair<std::string, std::string>{"e", ""}));
}

TEST(TLANBase64, shouldEncodeTextAndDataWithPadding) {
    EXPECT_EQ(TLANUtils::base64Encode("abc"), "YWJj");
    EXPECT_EQ(TLANUtils::base64Encode("ab"), "YWI=");
    EXPECT_EQ(TLANUtils::base64EncodeData({0xFF}), "/w==");
}

TEST(TLANJsonWrappers, shouldLogTheErrorTraceOnFailure) {
    testing::internal::CaptureStderr();
    EXPECT_FALSE(TLANUtil::JSONValue("[1,]").has_value());
    EXPECT_FALSE(TLANUtil::JSONFragment(TLANJsonValue::unsupported("Date")).has_value());
    std::string log = testing::internal::GetCapturedStderr();
    EXPECT_NE(log.find("-JSONValue failed. Error trace is: 9: Trailing comma disallowed in array"),
              std::string::npos);
    EXPECT_NE(log.find("-JSONFragment failed. Error trace is: 1: JSON serialisation not "
                       "supported for Date"),
              std::string::npos);
    EXPECT_EQ(TLANUtil::JSONFragment("x"), "\"x\"");
    EXPECT_EQ(TLANUtil::JSONValue("{\"a\":\"b\"}")->operator[]("a").string(), "b");
}

}  // namespace

namespace {

TEST(TLANReaderRobustness, shouldFailOnRandomInputWithoutCrashing) {
    uint32_t state = 5;
    auto next = [&state] {
        state = state * 1664525u + 1013904223u;
        return state >> 8;
    };
    auto base64 = TLANBaseNEncoding::rfc4648Base64StringEncoding();
    auto crockford = TLANBaseNEncoding::crockfordBase32StringEncoding();
    auto stream = TLANDeflated::deflatedData(bytes(std::string(300, 'q') + "end"));
    ASSERT_TRUE(stream.has_value());
    for (int round = 0; round < 2000; ++round) {
        std::string text(next() % 24, ' ');
        for (char& c : text) {
            c = static_cast<char>(next());
        }
        base64->decode(text);
        crockford->decode(text);
        TLANUtils::urlDecode(text);
        TLANUtils::dictionaryWithQueryString(text);
        Bytes corrupted = *stream;
        corrupted[next() % corrupted.size()] = static_cast<uint8_t>(next());
        auto inflated = TLANDeflated::inflatedData(corrupted, 1000);
        EXPECT_TRUE(!inflated || inflated->size() <= 1000);
    }
}

}  // namespace
