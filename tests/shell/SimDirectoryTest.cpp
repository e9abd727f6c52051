#include <gtest/gtest.h>
#include <httplib.h>

#include "sim/core/SimExchange.h"

namespace {
std::string request(const std::string& name, const std::string& appKey) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<REQ><NAME>" + name + "</NAME><APPKEY>" +
           appKey + "</APPKEY></REQ>";
}

httplib::Result post(const std::string& baseUrl, const std::string& path, const std::string& body) {
    httplib::Client client(baseUrl);
    return client.Post(path, body, "text/xml; charset=utf-8");
}

class SimDirectoryTest : public ::testing::Test {
protected:
    SimDirectoryTest() { EXPECT_TRUE(sim.start()); }
    std::string lineBase(size_t i) { return sim.directory().line(i).baseUrl(); }
    std::string control(const std::string& pathAndQuery) {
        auto result = httplib::Client(sim.controlUrl()).Post(pathAndQuery);
        return result ? result->body : "no answer";
    }

    SimExchange sim{SimExchange::testOptions()};
};
}  // namespace

TEST_F(SimDirectoryTest, shouldAnswerTheDirectoryWithTheQuoteLinesBehindADeadOne) {
    auto result = post(lineBase(0), "/directory", request("GetDirectory", "VKJYDEMO2026"));
    ASSERT_TRUE(result);
    EXPECT_EQ(result->status, 200);
    const std::string& body = result->body;
    EXPECT_NE(body.find("<CODE>0</CODE>"), std::string::npos);
    const auto dead = body.find("URL=\"http://127.0.0.1:1/quote\"");
    const auto live = body.find("URL=\"" + sim.quoteLineUrls(0)[0] + "\"");
    ASSERT_NE(dead, std::string::npos);
    ASSERT_NE(live, std::string::npos);
    EXPECT_LT(dead, live);
    EXPECT_NE(body.find("<SERVICE TYPE=\"2\">"), std::string::npos);
    EXPECT_NE(body.find("ENVCAT=\"3\" TYPE=\"2\""), std::string::npos);
    EXPECT_NE(body.find("<CMMD ENVCODE=\"01\" CMMDCODE=\"YB\"/>"), std::string::npos);
}

TEST_F(SimDirectoryTest, shouldRefuseUnknownRequestsAndAppKeys) {
    auto unknown = post(lineBase(1), "/directory", request("GetNothing", "VKJYDEMO2026"));
    ASSERT_TRUE(unknown);
    EXPECT_NE(unknown->body.find("<CODE>1</CODE>"), std::string::npos);
    auto badKey = post(lineBase(1), "/directory", request("GetDirectory", "other"));
    ASSERT_TRUE(badKey);
    EXPECT_NE(badKey->body.find("<CODE>2</CODE>"), std::string::npos);
    EXPECT_EQ(badKey->body.find("<YWSYS>"), std::string::npos);
}

TEST_F(SimDirectoryTest, shouldFailAndAnswerCodesOnRequestThroughItsControls) {
    EXPECT_EQ(control("/control/directory/fail?count=1"), "ok");
    auto failed = post(lineBase(0), "/directory", request("GetDirectory", "VKJYDEMO2026"));
    ASSERT_TRUE(failed);
    EXPECT_EQ(failed->status, 503);
    EXPECT_EQ(control("/control/directory/code?count=1&code=9"), "ok");
    auto coded = post(lineBase(1), "/directory", request("GetUserManageUrl", "VKJYDEMO2026"));
    ASSERT_TRUE(coded);
    EXPECT_NE(coded->body.find("<CODE>9</CODE>"), std::string::npos);
    auto normal = post(lineBase(1), "/directory", request("GetUserManageUrl", "VKJYDEMO2026"));
    ASSERT_TRUE(normal);
    EXPECT_NE(normal->body.find("<URL>" + lineBase(1) + "/user</URL>"), std::string::npos);
    EXPECT_EQ(control("/control/directory/line?line=0&state=refuse"), "ok");
    EXPECT_FALSE(post(lineBase(0), "/directory", request("GetDirectory", "VKJYDEMO2026")));
    EXPECT_EQ(control("/control/directory/line?line=0&state=normal"), "ok");
    EXPECT_TRUE(post(lineBase(0), "/directory", request("GetDirectory", "VKJYDEMO2026")));
    EXPECT_EQ(control("/control/directory/code?count=1"), "count or code missing");
}

TEST_F(SimDirectoryTest, shouldListAppKeyProperties) {
    auto result = post(lineBase(0), "/directory", request("GetAppKeyProperties", "VKJYDEMO2026"));
    ASSERT_TRUE(result);
    EXPECT_NE(result->body.find("<PROP KEY=\"CUOHECODES\" VALUE=\"NI,XAG\"/>"), std::string::npos);
}
