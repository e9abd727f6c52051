#include <gtest/gtest.h>

#include "TradeCoreTest.h"
#include "trade/core/PXTradeCommodity.h"
#include "trade/core/PXTradeData.h"

namespace {

class PXTradeOrderCheckTest : public TradeCoreTest {
protected:
    PXTradeOrderCheckTest() {
        auto record = std::make_shared<PXTradeCommodity>();
        record->commodityCode = "AG";
        record->buyShiJianQuanXian = "0";
        record->sellShiJianQuanXian = "1";
        record->buyXianJianQuanXian = "1";
        record->sellShiPingQuanXian = "1";
        record->sellZhiSunQuanXian = "1";
        module().PXJYData().setShangPinXinXi({{"AG", record}});
        setDefault("prompt", "1");
        setDefault("fastPrompt", "2");
    }
    JYDict order(const std::string& sign) const {
        return {{"commodityid", "AG"}, {"commodityName", "白银"}, {"sign", sign},
                {"price", "101.5"},    {"number", "3"},           {"stoploss", "90"},
                {"stopprofit", "120"}, {"userid", "U"},           {"session_id", "S"}};
    }
};

}  // namespace

TEST_F(PXTradeOrderCheckTest, shouldRefuseAnOrderWithoutTheRightAndSendNothing) {
    auto manager = newManager();
    manager->SJJianCang(order("1"), false);
    ASSERT_EQ(m_host.alerts.size(), 1u);
    EXPECT_EQ(m_host.alerts[0].alert.title, "提示");
    EXPECT_EQ(m_host.alerts[0].alert.message, "此商品没有够入摘牌权限");
    EXPECT_EQ(m_host.alerts[0].alert.buttons, std::vector<std::string>{"确定"});
    EXPECT_FALSE(m_host.alerts[0].onButton);
    EXPECT_FALSE(runFor(0.3, [&] { return m_server.count() > 0; }));
    EXPECT_TRUE(m_delegate->calls.empty());
}

TEST_F(PXTradeOrderCheckTest, shouldConfirmOrdinaryOrdersAndSendOnlyOnTheFirstButton) {
    auto manager = newManager();
    manager->ZJJianCang(order("1"));
    ASSERT_EQ(m_host.alerts.size(), 1u);
    EXPECT_EQ(m_host.alerts[0].alert.message,
              "   商品:白银\n   商品价格:101.5\n   商品数量:3\n   方式:摘牌购入");
    EXPECT_EQ(m_host.alerts[0].alert.buttons, (std::vector<std::string>{"确定", "取消"}));
    EXPECT_EQ(m_host.alerts[0].alert.tag, 5556);
    m_host.alerts[0].onButton(1);
    EXPECT_FALSE(runFor(0.3, [&] { return m_server.count() > 0; }));
    // Cancelled: the order waits, unsent, until the next one replaces it.
    EXPECT_EQ(manager->postDic().value("commodityid", ""), "AG");
    EXPECT_EQ(manager->requestType(), "PXZhiJiaJianCang");

    manager->ZJJianCang(order("1"));
    m_host.alerts[1].onButton(0);
    ASSERT_TRUE(waitForCalls(1));
    EXPECT_EQ(m_server.requests().at(0).name, "order_x");
    const JYDict req = JYDict::parse(m_server.requests().at(0).body)["VUZI"]["REQ"];
    EXPECT_EQ(req["PRICE"], "101.5");
    EXPECT_EQ(req["STOP_LOSS"], "90");
    EXPECT_EQ(req["SESSION_ID"], "S");
    EXPECT_EQ(m_delegate->calls[0].typeNW, "PXZhiJiaJianCang");
    EXPECT_FALSE(m_delegate->calls[0].hasData);
    EXPECT_TRUE(manager->postDic().empty());
}

TEST_F(PXTradeOrderCheckTest, shouldLetAConfirmationLeaveWithItsSessionAndSendNothing) {
    module().PXJYData().tradeSession()->JYsessionID = "S";
    // Replaced by a newer logon, or ended by a log-out or a lost session (which also empties
    // the commodities, so it comes last).
    const std::function<void()> enders[] = {
        [&] {
            newManager()->fenPeiDengLuShuJu({{"session", "S2"}});
        },
        [&] { module().PXJYData().clearAllTradeData(); }};
    for (const auto& end : enders) {
        m_host.alerts.clear();
        auto manager = newManager();
        manager->ZJJianCang(order("1"));
        ASSERT_EQ(m_host.alerts.size(), 1u);
        ASSERT_EQ(m_host.alerts[0].alert.tag, 5556);
        EXPECT_FALSE(m_host.alerts[0].leftWithSession);
        end();
        EXPECT_TRUE(m_host.alerts[0].leftWithSession);
        // Even answered, it sends nothing.
        m_host.alerts[0].onButton(0);
    }
    EXPECT_FALSE(runFor(0.5, [&] { return m_server.count() > 0; }));
    EXPECT_TRUE(m_delegate->ordersSent.empty());
    EXPECT_TRUE(m_delegate->calls.empty());
}

TEST_F(PXTradeOrderCheckTest, shouldSendFastTradeOrdersAtOnceUnderTheDefaultSetting) {
    auto manager = newManager();
    manager->SJJianCang(order("2"), true);
    EXPECT_TRUE(m_host.alerts.empty());
    ASSERT_TRUE(waitForCalls(1));
    EXPECT_EQ(m_server.requests().at(0).name, "order_s");
    EXPECT_EQ(m_delegate->calls[0].typeNW, "PXShiJiaJianCang");

    setDefault("fastPrompt", "1");
    manager->SJPingCang(order("2"), true);
    ASSERT_EQ(m_host.alerts.size(), 1u);
    EXPECT_EQ(m_host.alerts[0].alert.message,
              "   商品:白银\n   商品价格:101.5\n   商品数量:3\n   方式:转让售出");
}

TEST_F(PXTradeOrderCheckTest, shouldWriteTheClosingConfirmationTexts) {
    JYDict reverse = order("1");
    reverse["fanShouJianCangNum"] = "2";
    EXPECT_EQ(PXTradeNetworkManger::confirmationText(reverse, 1, 2),
              "   商品:白银\n   商品价格:101.5\n   商品数量:3\n   方式:转让购入\n    反向摘牌:2手");
    EXPECT_EQ(PXTradeNetworkManger::confirmationText(order("2"), 2, 2),
              "   商品:白银\n   商品数量:3\n   止损价:90\n   止盈价:120\n   方式:转让售出");
    EXPECT_EQ(PXTradeNetworkManger::confirmationText(order("2"), 1, 1),
              "   商品:白银\n   商品价格:101.5\n   商品数量:3\n   方式:摘牌售出");
}

TEST_F(PXTradeOrderCheckTest, shouldCheckStopsWithTheStopRules) {
    setDefault("prompt", "2");
    auto manager = newManager();
    JYDict stops = order("2");
    stops["stopprofit"] = "0";
    manager->ZJPingCang(stops);
    EXPECT_TRUE(m_host.alerts.empty());
    ASSERT_TRUE(waitForCalls(1));
    EXPECT_EQ(m_server.requests().at(0).name, "set_loss_profit");

    module().PXJYData().shangPinXinXi().at("AG")->sellZhiSunQuanXian = "0";
    stops["stoploss"] = "0.5";
    manager->ZJPingCang(stops);
    ASSERT_EQ(m_host.alerts.size(), 1u);
    EXPECT_EQ(m_host.alerts[0].alert.message, "此商品没有售出止损权限");
}

TEST_F(PXTradeOrderCheckTest, shouldCallAnOddSignAnError) {
    auto manager = newManager();
    manager->SJJianCang(order("7"), false);
    ASSERT_EQ(m_host.alerts.size(), 1u);
    EXPECT_EQ(m_host.alerts[0].alert.message, "错误");
}

TEST_F(PXTradeOrderCheckTest, shouldAnnounceOnlyOrdersThatGoOutAndBeforeTheyAreSent) {
    m_delegate->requestCount = [this] { return m_server.count(); };
    auto manager = newManager();
    manager->SJJianCang(order("1"), false);
    EXPECT_TRUE(m_delegate->ordersSent.empty());

    manager->ZJJianCang(order("1"));
    m_host.alerts.back().onButton(1);
    EXPECT_TRUE(m_delegate->ordersSent.empty());

    manager->ZJJianCang(order("1"));
    m_host.alerts.back().onButton(0);
    ASSERT_TRUE(waitForCalls(1));
    EXPECT_EQ(m_delegate->ordersSent, std::vector<size_t>{0});
}
