#include <gtest/gtest.h>

#include <cmath>

#include "platform/foundation/Json.h"
#include "support/PropertyListPrinter.h"

namespace {

Json::Value envelope() {
    Json::Value request = Json::Value::object();
    request["id"] = "0C4F1A";
    request["name"] = "logon";
    request["USER_ID"] = "8000/1";
    request["NAME"] = "黄金 \"9999\"";
    request["EMPTY"] = "";
    Json::Value body = Json::Value::object();
    body["version"] = "1.0";
    body["REQ"] = request;
    Json::Value root = Json::Value::object();
    root["VUZI"] = body;
    return root;
}

}  // namespace

TEST(Json, shouldWritePrettyOutputByteForByte) {
    EXPECT_EQ(Json::write(envelope(), true),
              "{\n"
              "  \"VUZI\" : {\n"
              "    \"version\" : \"1.0\",\n"
              "    \"REQ\" : {\n"
              "      \"id\" : \"0C4F1A\",\n"
              "      \"name\" : \"logon\",\n"
              "      \"USER_ID\" : \"8000\\/1\",\n"
              "      \"NAME\" : \"黄金 \\\"9999\\\"\",\n"
              "      \"EMPTY\" : \"\"\n"
              "    }\n"
              "  }\n"
              "}");
}

TEST(Json, shouldWriteEveryKindPrettyAndCompact) {
    Json::Value value = Json::Value::object();
    value["list"] = Json::Value::array({1, -2, 2.5, true, nullptr});
    value["emptyList"] = Json::Value::array();
    value["emptyObject"] = Json::Value::object();
    value["whole"] = 3.0;
    value["control"] = "a\tb\nc\\d\x01";
    EXPECT_EQ(Json::write(value, true),
              "{\n"
              "  \"list\" : [\n"
              "    1,\n"
              "    -2,\n"
              "    2.5,\n"
              "    true,\n"
              "    null\n"
              "  ],\n"
              "  \"emptyList\" : [\n\n  ],\n"
              "  \"emptyObject\" : {\n\n  },\n"
              "  \"whole\" : 3,\n"
              "  \"control\" : \"a\\tb\\nc\\\\d\\u0001\"\n"
              "}");
    EXPECT_EQ(Json::write(value),
              "{\"list\":[1,-2,2.5,true,null],\"emptyList\":[],\"emptyObject\":{},\"whole\":3,"
              "\"control\":\"a\\tb\\nc\\\\d\\u0001\"}");
    EXPECT_EQ(Json::write(Json::Value("a/b")), "\"a\\/b\"");
    EXPECT_EQ(Json::write(Json::Value(0.1)), "0.1");
}

TEST(Json, shouldRefuseToWriteWhatJsonCannotHold) {
    EXPECT_FALSE(Json::write(Json::Value(std::nan(""))));
    EXPECT_FALSE(Json::write(Json::Value(INFINITY), true));
    Json::Value badText = Json::Value::object();
    badText["k"] = std::string("\xff\xfe");
    EXPECT_FALSE(Json::write(badText));
}

TEST(Json, shouldParseKeepingKeyOrderAndReadEscapes) {
    Json::Parsed parsed = Json::parse(R"({"z":1,"a":{"y":"\/\u9ec4\u91d1","b":[true,null,1.5]}})");
    ASSERT_TRUE(parsed.ok()) << parsed.error;
    std::vector<std::string> keys;
    for (const auto& [key, item] : parsed.value.items()) {
        keys.push_back(key);
    }
    EXPECT_EQ(keys, (std::vector<std::string>{"z", "a"}));
    EXPECT_EQ(parsed.value["a"]["y"], "/黄金");
    Json::Parsed again = Json::parse(*Json::write(parsed.value, true));
    ASSERT_TRUE(again.ok());
    EXPECT_EQ(again.value, parsed.value);
    EXPECT_EQ(Json::parse(*Json::write(envelope(), true)).value, envelope());
}

TEST(Json, shouldReportParseErrorsAsValues) {
    std::string deep(100000, '[');
    for (std::string text : {std::string(), std::string("{"), std::string(R"({"a":1,})"),
                             std::string("[1 2]"), std::string("{'a':1}"), std::string("nul"),
                             std::string("\"\xff\""), std::string("{} trailing"), deep}) {
        Json::Parsed parsed = Json::parse(text);
        EXPECT_FALSE(parsed.ok()) << text.substr(0, 20);
        EXPECT_FALSE(parsed.error.empty());
        EXPECT_TRUE(parsed.value.is_null());
    }
}

TEST(Json, shouldConvertToAndFromLooselyTypedValues) {
    Json::Parsed parsed =
        Json::parse(R"({"retcode":"0","list":[{"PRI":"12.5","QTY":3}],"ok":true,"none":null})");
    ASSERT_TRUE(parsed.ok());
    PropertyList reply = Json::toPropertyList(parsed.value);
    EXPECT_EQ(reply.keys(), (std::vector<std::string>{"retcode", "list", "ok", "none"}));
    EXPECT_EQ(reply["list"].at(0)["QTY"].asInteger(), 3);
    EXPECT_EQ(reply["list"].at(0)["PRI"].toDouble(), 12.5);
    EXPECT_TRUE(reply["none"].isNull());
    EXPECT_EQ(reply["ok"].asBool(), true);
    Json::Value back = Json::fromPropertyList(reply);
    EXPECT_EQ(back, parsed.value);
    PropertyList withData;
    withData.set("blob", Bytes{1});
    EXPECT_TRUE(Json::fromPropertyList(withData)["blob"].is_null());
}
