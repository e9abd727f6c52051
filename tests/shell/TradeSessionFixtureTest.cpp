#include <gtest/gtest.h>

#include "platform/foundation/PropertyList.h"
#include "platform/foundation/UserDefaults.h"
#include "sim/trade/SimTradeServer.h"
#include "support/session/TradeSessionFixture.h"
#include "trade/core/PXTradeData.h"
#include "trade/core/PXTradeModule.h"

namespace {
std::vector<std::string> requestNames(const std::vector<SimTradeReceived>& received) {
    std::vector<std::string> names;
    for (const auto& request : received) {
        names.push_back(request.name.empty() ? request.path : request.name);
    }
    return names;
}
}  // namespace

using TradeSessionFixtureTest = TradeSessionFixture;

TEST_F(TradeSessionFixtureTest, logsInWithTheSimulatorsCaptchaAndKeepsTheAccount) {
    ASSERT_TRUE(launchAndLogIn());
    EXPECT_TRUE(tradeModule().tradeLogin());
    EXPECT_FALSE(tradeModule().PXJYData().shangPinXinXi().empty());
    EXPECT_EQ(UserDefaults::standardUserDefaults().stringForKey("JYUserName"), "100000000000001");
    auto accounts = PropertyList::readFile(delegate->accountInfoFilePath());
    ASSERT_TRUE(accounts);
    EXPECT_TRUE((*accounts)["01"]["01"].contains("100000000000001"));

    auto names = requestNames(tradeServer().received());
    const std::vector<std::string> chain = {
        "logon",         "commodity_query",      "other_firm_query", "SYS_TIME_QUERY",
        "holding_query", "holding_detail_query", "firm_info"};
    ASSERT_GE(names.size(), chain.size());
    EXPECT_EQ(std::vector<std::string>(names.end() - 7, names.end()), chain);
}

TEST_F(TradeSessionFixtureTest, logsInWithoutCaptchaWhereTheEnvironmentHasNone) {
    ASSERT_TRUE(launchShell());
    ASSERT_TRUE(logIn({"200000000000001", "111111", "01", "02"}));
    for (const auto& request : tradeServer().received()) {
        EXPECT_FALSE(request.path == "/trade" && request.name.empty() &&
                     request.body.rfind("<", 0) != 0)
            << "a captcha was asked for";
    }
}
