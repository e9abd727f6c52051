#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

#include "analytics/TLANTxJsonParser.h"
#include "analytics/TLANTxJsonWriter.h"
#include "platform/foundation/PropertyList.h"

namespace {

std::string lastError(const TLANTxJsonBase& coder) {
    return coder.errorTrace().empty() ? "" : coder.errorTrace().back()->description;
}

std::string firstError(const TLANTxJsonBase& coder) {
    return coder.errorTrace().empty() ? "" : coder.errorTrace().front()->description;
}

struct ParseFailure {
    std::string text;
    int code;
    std::string message;
};

class TLANTxJsonParserFailure : public testing::TestWithParam<ParseFailure> {};

TEST_P(TLANTxJsonParserFailure, shouldFailWithTheNamedErrorFirst) {
    TLANTxJsonParser parser;
    EXPECT_FALSE(parser.fragmentWithString(GetParam().text).has_value());
    ASSERT_FALSE(parser.errorTrace().empty());
    EXPECT_EQ(parser.errorTrace().front()->code, GetParam().code);
    EXPECT_EQ(firstError(parser), GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TLANTxJsonParserFailure,
    testing::Values(ParseFailure{"[1,2,]", 9, "Trailing comma disallowed in array"},
                    ParseFailure{"{\"a\":1,}", 9, "Trailing comma disallowed in object"},
                    ParseFailure{"01", 2, "Leading 0 disallowed in number"},
                    ParseFailure{"+1", 2, "Leading + disallowed in number"},
                    ParseFailure{"-a", 2, "No digits after initial minus"},
                    ParseFailure{"1.", 2, "No digits after decimal point"},
                    ParseFailure{"1e+", 2, "No digits after exponent"},
                    ParseFailure{"1e999", 2, "Failed creating decimal instance"},
                    ParseFailure{"abc", 3, "Unrecognised leading character"},
                    ParseFailure{"tru", 3, "Expected 'true'"},
                    ParseFailure{"fals", 3, "Expected 'false'"},
                    ParseFailure{"nul", 3, "Expected 'null'"},
                    ParseFailure{"", 11, "Unexpected end of string"},
                    ParseFailure{"  ", 11, "Unexpected end of string"},
                    ParseFailure{"[1", 11, "End of input while parsing array"},
                    ParseFailure{"[1,", 11, "End of input while parsing array"},
                    ParseFailure{"{\"a\":1", 11, "End of input while parsing object"},
                    ParseFailure{"{1:2}", 3, "Object key string expected"},
                    ParseFailure{"{\"a\" 1}", 3, "Expected ':' separating key and value"},
                    ParseFailure{"[1 2]", 3, "Expected ',' or ']' while parsing array"},
                    ParseFailure{"\"a\tb\"", 5, "Unescaped control character '0x9'"},
                    ParseFailure{"\"\\x\"", 8, "Illegal escape sequence '0x78'"},
                    ParseFailure{"\"abc", 11, "Unexpected EOF while parsing string"},
                    ParseFailure{"\"\\u12G4\"", 6, "Missing hex digit in quad"},
                    ParseFailure{"\"\\ud83d\"", 6, "Missing low character in surrogate pair"},
                    ParseFailure{"\"\\ud83d\\u0041\"", 6, "Invalid low surrogate char"},
                    ParseFailure{"\"\\ude00\"", 6, "Invalid high character in surrogate pair"},
                    ParseFailure{"\"\xff\"", 3, "Invalid UTF-8 in string"},
                    ParseFailure{"[1] x", 10, "Garbage after JSON"}));

TEST(TLANTxJsonParser, shouldAddContextErrorsAfterTheCause) {
    TLANTxJsonParser parser;
    EXPECT_FALSE(parser.objectWithString("{\"k\":[abc]}").has_value());
    ASSERT_EQ(parser.errorTrace().size(), 3u);
    EXPECT_EQ(parser.errorTrace()[1]->description, "Expected value while parsing array");
    EXPECT_EQ(lastError(parser), "Object value expected for key: k");
    EXPECT_EQ(parser.errorTrace()[2]->underlying, parser.errorTrace()[1]);

    EXPECT_FALSE(parser.fragmentWithString("\"\\u00\"").has_value());
    EXPECT_EQ(lastError(parser), "Broken unicode character");
}

TEST(TLANTxJsonParser, shouldReadFiveHundredTwelveNestedListsButNotMore) {
    TLANTxJsonParser parser;
    std::string deep512 = std::string(512, '[') + std::string(512, ']');
    EXPECT_TRUE(parser.objectWithString(deep512).has_value());
    std::string deep513 = std::string(513, '[') + std::string(513, ']');
    EXPECT_FALSE(parser.objectWithString(deep513).has_value());
    EXPECT_EQ(firstError(parser), "Nested too deep");
    EXPECT_EQ(parser.errorTrace().front()->code, 7);
}

TEST(TLANTxJsonParser, shouldReadEscapesAndSurrogatePairs) {
    TLANTxJsonParser parser;
    auto value = parser.fragmentWithString("\"\\u00e9\\ud83d\\ude00\\n\\/\\\"\\\\\\t\"");
    ASSERT_TRUE(value.has_value());
    EXPECT_EQ(value->string(), "\xC3\xA9\xF0\x9F\x98\x80\n/\"\\\t");
    EXPECT_EQ(parser.fragmentWithString("\"\\u00E9\"")->string(), "\xC3\xA9");
}

TEST(TLANTxJsonParser, shouldKeepDecimalsExactAndValuesTyped) {
    TLANTxJsonParser parser;
    auto value = parser.objectWithString(
        " { \"a\" : 1.10 , \"b\" : [ true , false , null , -0.5e-3 , 120 ] , \"a\" : 1.10 } ");
    ASSERT_TRUE(value.has_value());
    EXPECT_EQ(value->entries().size(), 2u);
    EXPECT_EQ((*value)["a"].number(), TLANDecimal::fromJsonText("1.1").value());
    EXPECT_EQ((*value)["a"].number().text(), "1.1");
    const auto& list = (*value)["b"].items();
    ASSERT_EQ(list.size(), 5u);
    EXPECT_TRUE(list[0].boolean());
    EXPECT_EQ(list[1].type(), TLANJsonValue::Type::Boolean);
    EXPECT_TRUE(list[2].isNull());
    EXPECT_EQ(list[3].number().text(), "-0.0005");
    EXPECT_EQ(list[4].number().toInt64(), 120);
}

TEST(TLANTxJsonParser, shouldReportNilInputAndNonContainers) {
    TLANTxJsonParser parser;
    EXPECT_FALSE(parser.objectWithString(std::nullopt).has_value());
    EXPECT_EQ(parser.errorTrace().back()->code, 12);
    EXPECT_EQ(lastError(parser), "Input was 'nil'");
    EXPECT_FALSE(parser.objectWithString("\"text\"").has_value());
    EXPECT_EQ(lastError(parser), "Valid fragment, but not JSON");
    ASSERT_EQ(parser.errorTrace().size(), 1u);
    EXPECT_TRUE(parser.fragmentWithString("\"text\"").has_value());
    EXPECT_TRUE(parser.errorTrace().empty());
}

TEST(TLANTxJsonParser, shouldNeverCrashOnTruncatedInput) {
    std::string json = "{\"a\":[1,2.5e3,\"x\\u00e9\\ud83d\\ude00\",{\"b\":null}],\"c\":true}";
    for (size_t length = 0; length < json.size(); ++length) {
        TLANTxJsonParser parser;
        EXPECT_FALSE(parser.objectWithString(json.substr(0, length)).has_value()) << length;
        EXPECT_FALSE(parser.errorTrace().empty());
    }
    TLANTxJsonParser parser;
    EXPECT_TRUE(parser.objectWithString(json).has_value());
}

class DateLike : public TLANJsonProxy {
public:
    TLANJsonValue proxyForJson() const override { return TLANJsonValue("2026-12-06"); }
};

TEST(TLANTxJsonWriter, shouldWriteCompactJsonInKeyOrder) {
    TLANJsonValue request = TLANJsonValue::dictionary();
    request.set("z", 1);
    request.set("a", TLANJsonValue::Array{true, TLANJsonValue(), "x/y", -2.5});
    request.set("m", TLANJsonValue::dictionary());
    TLANTxJsonWriter writer;
    EXPECT_EQ(writer.stringWithObject(request),
              "{\"z\":1,\"a\":[true,null,\"x/y\",-2.5],\"m\":{}}");
    writer.setSortKeys(true);
    EXPECT_EQ(writer.stringWithObject(request),
              "{\"a\":[true,null,\"x/y\",-2.5],\"m\":{},\"z\":1}");
}

TEST(TLANTxJsonWriter, shouldIndentWhenHumanReadable) {
    TLANJsonValue request = TLANJsonValue::dictionary();
    request.set("a", TLANJsonValue::Array{1, 2});
    request.set("e", TLANJsonValue::array());
    TLANTxJsonWriter writer;
    writer.setHumanReadable(true);
    EXPECT_EQ(writer.stringWithObject(request),
              "{\n  \"a\" : [\n    1,\n    2\n  ],\n  \"e\" : []\n}");
}

TEST(TLANTxJsonWriter, shouldEscapeOnlyQuotesBackslashesAndControls) {
    TLANTxJsonWriter writer;
    EXPECT_EQ(writer.stringWithFragment("a\"b"), "\"a\\\"b\"");
    EXPECT_EQ(writer.stringWithFragment("a\tb"), "\"a\\tb\"");
    EXPECT_EQ(writer.stringWithFragment(std::string("\x01\b\f\n\r\\/\xE4\xB8\xAD", 10)),
              "\"\\u0001\\b\\f\\n\\r\\\\/\xE4\xB8\xAD\"");
    EXPECT_EQ(writer.stringWithFragment("\x1f"), "\"\\u001f\"");
}

TEST(TLANTxJsonWriter, shouldRefuseUnsupportedValuesWithTheirKey) {
    TLANJsonValue request = TLANJsonValue::dictionary();
    request.set("when", TLANJsonValue::unsupported("Date"));
    TLANTxJsonWriter writer;
    EXPECT_FALSE(writer.stringWithObject(request).has_value());
    ASSERT_EQ(writer.errorTrace().size(), 2u);
    EXPECT_EQ(firstError(writer), "JSON serialisation not supported for Date");
    EXPECT_EQ(lastError(writer), "Unsupported value for key when in object");
    EXPECT_EQ(writer.errorTrace().back()->code, 1);

    EXPECT_FALSE(writer.stringWithObject("text").has_value());
    EXPECT_EQ(lastError(writer), "Not valid type for JSON");
    EXPECT_FALSE(writer.stringWithFragment(TLANJsonValue(std::nan(""))).has_value());
}

TEST(TLANTxJsonWriter, shouldWriteProxiesAndLimitDepth) {
    TLANTxJsonWriter writer;
    TLANJsonValue list = TLANJsonValue::Array{TLANJsonValue(std::make_shared<DateLike>())};
    EXPECT_EQ(writer.stringWithObject(list), "[\"2026-12-06\"]");

    TLANJsonValue deep = TLANJsonValue::array();
    for (int i = 0; i < 512; ++i) {
        deep = TLANJsonValue::Array{deep};
    }
    EXPECT_FALSE(writer.stringWithObject(deep).has_value());
    EXPECT_EQ(firstError(writer), "Nested too deep");
    writer.setMaxDepth(0);
    EXPECT_TRUE(writer.stringWithObject(deep).has_value());
}

TEST(TLANTxJson, shouldRoundTripWhatItWrites) {
    TLANTxJsonParser parser;
    std::string json =
        "{\"s\":\"\\u0001\\\"\xE4\xB8\xAD\",\"n\":[0,-1.25,1e+2],\"o\":{\"x\":null}}";
    auto value = parser.objectWithString(json);
    ASSERT_TRUE(value.has_value());
    TLANTxJsonWriter writer;
    auto written = writer.stringWithObject(*value);
    ASSERT_TRUE(written.has_value());
    EXPECT_EQ(*written,
              "{\"s\":\"\\u0001\\\"\xE4\xB8\xAD\",\"n\":[0,-1.25,100],\"o\":{\"x\":null}}");
    EXPECT_EQ(parser.objectWithString(*written), value);
}

}  // namespace

namespace {

TEST(TLANJsonValue, shouldConvertToAndFromPropertyLists) {
    TLANTxJsonParser parser;
    auto value = parser.objectWithString(
        "{\"policy\":6,\"ratio\":1.5,\"on\":true,\"name\":\"x\",\"list\":[1,null],\"none\":null}");
    ASSERT_TRUE(value.has_value());
    PropertyList plist = value->toPropertyList();
    EXPECT_EQ(plist["policy"].asInteger(), 6);
    EXPECT_EQ(plist["ratio"].asReal(), 1.5);
    EXPECT_EQ(plist["on"].asBool(), true);
    EXPECT_EQ(plist["name"].asString(), "x");
    EXPECT_EQ(plist["list"].size(), 2u);

    PropertyList request = PropertyList::dictionary();
    request.set("appkey", "K");
    request.set("count", 3);
    request.set("when", PropertyList::date(0));
    TLANTxJsonWriter writer;
    EXPECT_FALSE(writer.stringWithObject(TLANJsonValue::fromPropertyList(request)).has_value());
    request.remove("when");
    EXPECT_EQ(writer.stringWithObject(TLANJsonValue::fromPropertyList(request)),
              "{\"appkey\":\"K\",\"count\":3}");
}

}  // namespace
