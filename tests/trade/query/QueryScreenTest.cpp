#include "QueryScreenTest.h"

#include "platform/foundation/HttpClient.h"
#include "platform/foundation/Text.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/NavigationController.h"
#include "shell/VKJYCommonViewUtil.h"
#include "sim/core/SimHttpLine.h"
#include "sim/trade/SimTradeServer.h"
#include "support/session/SimQuoteLookup.h"
#include "trade/core/PXTradeCommodity.h"
#include "trade/core/PXTradeData.h"
#include "trade/core/PXTradeModule.h"
#include "trade/core/PXTradeTimerManger.h"
#include "trade/login/PXJYRootViewController.h"
#include "trade/login/PXTradeLoginScreens.h"
#include "trade/query/PXJYChaXunViewController.h"
#include "trade/query/PXTradeQueryScreens.h"

void QueryScreenTest::SetUp() {
    registerPXTradeLoginScreens();
    registerPXTradeQueryScreens();
    ASSERT_TRUE(launchShell());
    ASSERT_TRUE(logIn());
    // Stopped once the login has started it, and any beat in flight answered below: a late one
    // that reports a test's deals would refresh the holdings behind the screen's back.
    tradeModule().PXJYTimerManger().stopJYHeartTimer();
    // The trade home refreshes the account when it first appears; that refresh is answered
    // before the log starts, so it neither mixes with a screen's requests nor overwrites the
    // store with figures older than a test's deals.
    ASSERT_TRUE(tradeNavigation());
    ASSERT_TRUE(driver.runUntil([] { return HttpClient::exchangesInFlight() == 0; }));
    driver.settle();
    tradeServer().clearReceived();
}

PXJYChaXunViewController* QueryScreenTest::openMenu() {
    auto* home = dynamic_cast<PXJYRootViewController*>(tradeNavigation()->topViewController());
    if (!home) {
        ADD_FAILURE() << "the trade home is not at the root of the trade tab";
        return nullptr;
    }
    home->headerClick(kQueryMenuEntry);
    driver.settle();
    return dynamic_cast<PXJYChaXunViewController*>(topScreen());
}

ViewController* QueryScreenTest::openRow(PXJYChaXunViewController& menu, int tag) {
    ViewController* before = topScreen();
    EXPECT_TRUE(driver.tap(menu.view()->viewWithTag(tag)));
    driver.settle();
    ViewController* after = topScreen();
    return after == before ? nullptr : after;
}

ViewController* QueryScreenTest::topScreen() {
    NavigationController* navigation = tradeNavigation();
    return navigation ? navigation->topViewController() : nullptr;
}

bool QueryScreenTest::waitIdle() {
    const bool idle = driver.runUntil([] { return VKJYCommonViewUtil::activityCount() == 0; });
    driver.settle();
    return idle;
}

bool QueryScreenTest::waitAlert() {
    return driver.runUntil([this] { return driver.visibleAlert() != nullptr; });
}

std::string QueryScreenTest::alertMessage() const {
    AlertView* alert = driver.visibleAlert();
    return alert ? alert->message() : std::string();
}

bool QueryScreenTest::answerAlert(const std::string& button) {
    const bool tapped = driver.tapAlertButton(button);
    driver.settle();
    return tapped;
}

std::string QueryScreenTest::quoteModeCommodity() {
    for (const auto& [code, commodity] : tradeModule().PXJYData().shangPinXinXi()) {
        if (commodity && commodity->shangPinJiaoYiMoShi != "4") {
            return code;
        }
    }
    ADD_FAILURE() << "no quote-mode commodity";
    return {};
}

void QueryScreenTest::makeDeals(const std::string& commodity, int count, const std::string& side) {
    const std::string session = tradeModule().PXJYData().tradeSession()->JYsessionID;
    for (int i = 0; i < count; ++i) {
        const SimJson request = {{"USER_ID", loggedIn.account},
                                 {"BUY_SELL", side},
                                 {"COMMODITY_ID", commodity},
                                 {"PRICE", ""},
                                 {"QTY", "1"},
                                 {"SETTLE_BASIS", "1"},
                                 {"DOT_DIFF", ""},
                                 {"CLOSEMODE", ""},
                                 {"HOLDING_ID", ""},
                                 {"OTHER_ID", ""},
                                 {"SESSION_ID", session}};
        const SimJson reply =
            tradeServer().ledger().handle(SimTradeLink::Trade, "order_s", request);
        ASSERT_EQ(reply.value("retcode", -1), 0) << reply.dump();
    }
}

void QueryScreenTest::placeOrder(const std::string& commodity, double ofPrice) {
    const double price = SimQuoteLookup::prices(sim, commodity).sellPrice * ofPrice;
    const SimJson request = {{"USER_ID", loggedIn.account},
                             {"BUY_SELL", "1"},
                             {"COMMODITY_ID", commodity},
                             {"PRICE", Text::format("%.0f", price)},
                             {"QTY", "1"},
                             {"STOP_LOSS", ""},
                             {"STOP_PROFIT", ""},
                             {"VALIDITY_TYPE", "0"},
                             {"OTHER_ID", ""},
                             {"SESSION_ID", tradeModule().PXJYData().tradeSession()->JYsessionID}};
    const SimJson reply = tradeServer().ledger().handle(SimTradeLink::Trade, "order_x", request);
    ASSERT_EQ(reply.value("retcode", -1), 0) << reply.dump();
}

void QueryScreenTest::moveTheMarket(const std::string& commodity, double factor) {
    const int server = tradeServer().environment().quoteServer;
    const auto id = tradeServer().ledger().quoteId(commodity);
    const auto quote = id ? sim.market().quote(server, *id) : std::nullopt;
    ASSERT_TRUE(quote) << commodity;
    const auto delta = static_cast<int64_t>(static_cast<double>(quote->newPrice) * (factor - 1));
    ASSERT_TRUE(sim.market().movePrice(server, *id, delta));
}

std::vector<std::string> QueryScreenTest::sentValues(const std::string& name,
                                                     const std::string& key) {
    std::vector<std::string> values;
    for (const auto& request : tradeServer().received()) {
        if (request.name == name) {
            values.push_back(JYDict::parse(request.body)["VUZI"]["REQ"].value(key, ""));
        }
    }
    return values;
}

int QueryScreenTest::sent(const std::string& name) {
    int count = 0;
    for (const auto& request : tradeServer().received()) {
        count += request.name == name;
    }
    return count;
}

JYDict QueryScreenTest::lastRequest(const std::string& name) {
    JYDict req = JYDict::object();
    for (const auto& request : tradeServer().received()) {
        if (request.name == name) {
            req = JYDict::parse(request.body)["VUZI"]["REQ"];
        }
    }
    return req;
}

void QueryScreenTest::snapshot(const std::string& name) {
    driver.settle();
    EXPECT_TRUE(driver.saveSnapshot(snapshotPath("query-" + name)));
}

void QueryScreenTest::refuseEveryLine() {
    for (size_t i = 0; i < tradeServer().lineCount(); ++i) {
        tradeServer().line(i).refuse();
    }
}

void QueryScreenTest::expectNetworkFailureToldOnce() {
    ASSERT_TRUE(driver.runUntil([] {
        return HttpClient::exchangesInFlight() == 0 && VKJYCommonViewUtil::activityCount() == 0;
    }));
    driver.settle();
    EXPECT_EQ(alertMessage(), "请求网络失败");
    answerAlert();
    EXPECT_EQ(driver.visibleAlert(), nullptr) << alertMessage();
}
