#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "market/VKJYMarketUIViewController.h"
#include "platform/foundation/UserDefaults.h"
#include "quote/HQJYEntity.h"
#include "quote/VKJYHangQingDataClass.h"
#include "shell/VKJYAppDelegate.h"
#include "shell/VKJYDirectoryServerEnvModel.h"
#include "shell/VKJYDirectoryServerJysModel.h"
#include "shell/VKJYDirectoryServerModel.h"
#include "shell/VKJYTabRootFactory.h"
#include "sim/trade/SimTradeCatalogue.h"
#include "support/session/TradeSessionFixture.h"
#include "trade/core/PXTradeData.h"
#include "trade/core/PXTradeModule.h"
#include "trade/core/PXTradeNetworkManger.h"
#include "trade/core/PXTradeRecords.h"

// The client against the simulated exchange: every environment's seeded accounts pass the
// client's own login checks, and every commodity they may trade has a live quote where the
// client's trading side looks it up (the market list's catalogue and quotes, found by exchange,
// environment and code).
namespace {

class MemberRights : public PXTradeNetworkMangerDelegate {
public:
    bool answered = false;
    std::vector<std::string> codes;
    void dataAnalysisFinished(PXTradeNetworkManger*, const PXTradeResult* data) override {
        for (const auto& element : data ? *data : PXTradeResult()) {
            if (const auto* code = std::get_if<std::string>(&element)) {
                codes.push_back(*code);
            }
        }
        answered = true;
    }
    void dataAnalysisFailed(PXTradeNetworkManger*, int) override { answered = true; }
    void requestFailed(PXTradeNetworkManger*, int) override { answered = true; }
};

class SimEnvironmentsTest : public TradeSessionFixture {
protected:
    // The market tab's list fills the commodity lookup the trading side reads.
    SimEnvironmentsTest() { VKJYMarketUIViewController::registerAsMarketRoot(); }
    ~SimEnvironmentsTest() override { VKJYTabRootFactory::setMarketRootMaker(nullptr); }

    std::string envCat(const std::string& platform, const std::string& environment) {
        auto exchange = delegate->directoryServerModel()->jysModelForCode(platform);
        auto env = exchange ? exchange->envModelForCode(environment) : nullptr;
        return env ? env->envCat : "";
    }
    // The member codes the platform's rights list grants, read by the client's own parser.
    std::vector<std::string> memberCodes(const std::string& platform) {
        auto rights = std::make_shared<MemberRights>();
        auto manager = PXTradeNetworkManger::create();
        manager->setDelegate(rights);
        manager->getHuiYuanQuanXian({{"tokenB", ""}, {"platformCode", platform}});
        EXPECT_TRUE(driver.runUntil([&] { return rights->answered; }, 5));
        return rights->codes;
    }
    // The login screen's rule: with environment category 3 the account's first three
    // characters must be among the granted member codes before a logon is sent.
    bool passesMemberCheck(const SimTradeEnvironment& env, const std::string& account) {
        if (envCat(env.jysCode, env.envCode) != "3") {
            return true;
        }
        const auto codes = memberCodes(env.jysCode);
        return std::find(codes.begin(), codes.end(), account.substr(0, 3)) != codes.end();
    }
    static bool mayTrade(const SimTradeEnvironment& env, const SimTradeAccountSeed& seed) {
        for (const auto& firm : env.firms) {
            if (firm.id == seed.firmId) {
                return firm.tradeRight;
            }
        }
        return false;
    }
    bool everyCommodityPriced() {
        const PXTradeData& data = tradeModule().PXJYData();
        for (const auto& [code, commodity] : data.shangPinXinXi()) {
            if (!data.zuiXinYiKouJia().count(code)) {
                return false;
            }
        }
        return !data.shangPinXinXi().empty();
    }
};

}  // namespace

TEST_F(SimEnvironmentsTest, everySeededAccountOfATradingMemberPassesTheClientsChecksAndLogsIn) {
    ASSERT_TRUE(launchShell());
    int checked = 0;
    for (const auto& env : SimTradeCatalogue::standard()) {
        for (const auto& seed : env.accounts) {
            SCOPED_TRACE(env.jysCode + "/" + env.envCode + " " + seed.id);
            const bool passes = passesMemberCheck(env, seed.id);
            EXPECT_EQ(passes, mayTrade(env, seed));
            if (passes) {
                EXPECT_TRUE(
                    logIn({seed.id, SimTradeCatalogue::kPassword, env.jysCode, env.envCode}));
                ++checked;
            }
        }
    }
    EXPECT_EQ(checked, 7);
}

TEST_F(SimEnvironmentsTest, everyTradingCommodityHasALiveQuoteTheClientFinds) {
    UserDefaults::standardUserDefaults().setBool(false, VKJYMarketUIViewController::kShowHelpKey);
    ASSERT_TRUE(launchShell());
    // The market list has built its catalogue and taken every panel's quotes.
    ASSERT_TRUE(driver.runUntil(
        [] {
            auto entity = VKJYHangQingDataClass::current()->hqjyEntity();
            const auto& table =
                entity ? entity->commodityYiKouJiaArray() : HQJYEntity::QuoteTable{};
            return !table.empty() &&
                   std::all_of(table.begin(), table.end(), [](const auto& q) { return q; });
        },
        15));
    for (const auto& env : SimTradeCatalogue::standard()) {
        SCOPED_TRACE(env.jysCode + "/" + env.envCode);
        const auto& seed = env.accounts.front();
        ASSERT_TRUE(logIn({seed.id, SimTradeCatalogue::kPassword, env.jysCode, env.envCode}));
        // The price refresh copies what the client's commodity lookup finds into the store.
        EXPECT_TRUE(driver.runUntil([&] { return everyCommodityPriced(); }, 15));
        const PXTradeData& data = tradeModule().PXJYData();
        for (const auto& [code, commodity] : data.shangPinXinXi()) {
            auto price = data.zuiXinYiKouJia().find(code);
            ASSERT_NE(price, data.zuiXinYiKouJia().end()) << code << " has no quote";
            auto id = sim.trade().server(env.jysCode, env.envCode)->ledger().quoteId(code);
            ASSERT_TRUE(id) << code;
            const SimCommodity& def = *sim.catalogue().commodity(env.quoteServer, *id);
            const SimQuote live = *sim.market().quote(env.quoteServer, *id);
            const double scale = std::pow(10.0, def.decimals);
            EXPECT_DOUBLE_EQ(price->second->commodityBuyPrice, live.buyPrice / scale) << code;
            EXPECT_DOUBLE_EQ(price->second->commoditySellPrice, live.sellPrice / scale) << code;
        }
    }
}
