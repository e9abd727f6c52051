#include <cmath>

#include "sim/TradeSimFixture.h"

namespace {
constexpr double kUnit = 10;  // goods per lot of a whole-number commodity
constexpr double kMarginRate = 0.1;
constexpr double kFeeRate = 0.0006;

Fields marketOrder(const std::string& side, const std::string& settle, const std::string& qty,
                   const std::string& price = "", const std::string& diff = "") {
    return {{"BUY_SELL", side}, {"COMMODITY_ID", "AG"},   {"PRICE", price},
            {"QTY", qty},       {"SETTLE_BASIS", settle}, {"DOT_DIFF", diff},
            {"CLOSEMODE", "1"}, {"HOLDING_ID", ""},       {"OTHER_ID", "F002"}};
}

Fields conditional(const std::string& side, const std::string& price, const std::string& qty,
                   const std::string& loss = "0", const std::string& profit = "0") {
    return {{"BUY_SELL", side},     {"COMMODITY_ID", "AG"}, {"PRICE", price},
            {"QTY", qty},           {"STOP_LOSS", loss},    {"STOP_PROFIT", profit},
            {"VALIDITY_TYPE", "0"}, {"OTHER_ID", "F002"}};
}
}  // namespace

class TradeOrderTest : public TradeSimTest {
protected:
    SimQuote agQuote() { return liveQuote("AG"); }
    Json firm(const TradeClient& trade) {
        return trade.session("/trade", "firm_info", {}).records()[0];
    }
    Json details(const TradeClient& trade) {
        return trade
            .session("/trade", "holding_detail_query",
                     {{"COMMODITY_ID", ""}, {"MARKET_ID", "1"}, {"RECCNT", "0"}})
            .records();
    }
};

TEST_F(TradeOrderTest, shouldOpenThenCloseChangingHoldingsAndFundsByTheRightAmounts) {
    TradeClient bob = loggedIn(kBob);
    ASSERT_DOUBLE_EQ(money(firm(bob)["EQT"]), 1000000.00);
    // A buy pays the quote's buy price; the holding is valued, and closed, at its sell price.
    const double buy = static_cast<double>(agQuote().buyPrice);

    Reply open = bob.session("/trade", "order_s", marketOrder("1", "1", "3"));
    ASSERT_EQ(open.retcode(), 0) << open.body;
    const double openFee = buy * 3 * kUnit * kFeeRate;
    Json info = firm(bob);
    EXPECT_NEAR(money(info["EQT"]), 1000000.00 - openFee, 0.006);
    EXPECT_NEAR(money(info["RM"]), buy * 3 * kUnit * kMarginRate, 0.006);
    Json summary = bob.session("/trade", "holding_query", {{"COMMODITY_ID", ""}}).records();
    ASSERT_EQ(summary.size(), 1u);
    EXPECT_EQ(summary[0]["CO_I"], "AG");
    EXPECT_EQ(summary[0]["TY"], "1");
    EXPECT_EQ(summary[0]["QTY"], "3");
    Json held = details(bob);
    ASSERT_EQ(held.size(), 1u);
    EXPECT_EQ(held[0]["C_QTY"], "3");
    EXPECT_DOUBLE_EQ(money(held[0]["PR"]), buy);
    EXPECT_DOUBLE_EQ(money(held[0]["FL_P"]), (agQuote().sellPrice - buy) * 3 * kUnit);
    EXPECT_EQ(held[0]["OTHER_ID"], "F002");

    movePrice("AG", 50);
    const double sell = static_cast<double>(agQuote().sellPrice);
    Reply close = bob.session("/trade", "order_s", marketOrder("2", "2", "3"));
    ASSERT_EQ(close.retcode(), 0) << close.body;
    const double profit = (sell - buy) * 3 * kUnit;
    const double closeFee = sell * 3 * kUnit * kFeeRate;
    info = firm(bob);
    EXPECT_NEAR(money(info["EQT"]), 1000000.00 - openFee + profit - closeFee, 0.011);
    EXPECT_NEAR(money(info["PL"]), profit, 0.006);
    EXPECT_DOUBLE_EQ(money(info["RM"]), 0);
    EXPECT_TRUE(details(bob).empty());

    Json deals = bob.session("/trade", "tradequery", {{"STARTNUM", "1"}}).records();
    ASSERT_EQ(deals.size(), 2u);
    EXPECT_EQ(deals[0]["SE_F"], "2");
    EXPECT_EQ(deals[0]["FI_I"], "F002");
    EXPECT_NEAR(money(deals[0]["LIQPL"]), profit, 0.006);
    EXPECT_EQ(deals[1]["SE_F"], "1");
}

TEST_F(TradeOrderTest, shouldCloseOneHoldingByItsNumber) {
    TradeClient bob = loggedIn(kBob);
    ASSERT_EQ(bob.session("/trade", "order_s", marketOrder("1", "1", "2")).retcode(), 0);
    ASSERT_EQ(bob.session("/trade", "order_s", marketOrder("1", "1", "4")).retcode(), 0);
    Json held = details(bob);
    ASSERT_EQ(held.size(), 2u);
    const std::string second = held[1]["H_ID"];
    Fields order = marketOrder("2", "2", "3");
    order[6] = {"CLOSEMODE", "2"};
    order[7] = {"HOLDING_ID", second};
    ASSERT_EQ(bob.session("/trade", "order_s", order).retcode(), 0);
    held = details(bob);
    ASSERT_EQ(held.size(), 2u);
    EXPECT_EQ(held[0]["C_QTY"], "2");
    EXPECT_EQ(held[1]["C_QTY"], "1");
    order[2] = {"QTY", "2"};
    EXPECT_NE(bob.session("/trade", "order_s", order).retcode(), 0);
}

TEST_F(TradeOrderTest, shouldRefuseOrdersOutsideTheRules) {
    TradeClient bob = loggedIn(kBob);
    const std::string far = std::to_string(agQuote().buyPrice - 20);
    EXPECT_EQ(
        bob.session("/trade", "order_s", marketOrder("1", "1", "1", far, "5")).rep()["message"],
        "价格已变动,超出可接受点差");
    EXPECT_NE(bob.session("/trade", "order_s", marketOrder("1", "1", "0")).retcode(), 0);
    EXPECT_NE(bob.session("/trade", "order_s", marketOrder("1", "1", "101")).retcode(), 0);
    EXPECT_NE(bob.session("/trade", "order_s", marketOrder("1", "2", "1")).retcode(), 0);
    Fields big = marketOrder("1", "1", "100");
    big[1] = {"COMMODITY_ID", "SN"};
    EXPECT_EQ(bob.session("/trade", "order_s", big).rep()["message"], "可用资金不足");
    Fields book = marketOrder("1", "1", "1");
    book[1] = {"COMMODITY_ID", "NI"};
    EXPECT_NE(bob.session("/trade", "order_s", book).retcode(), 0);
    EXPECT_TRUE(details(bob).empty());
}

// A quote-mode price off the tick grid, stops included, is refused alike and changes nothing.
TEST_F(TradeOrderTest, shouldRefuseEveryPriceOffTheTickGridWithOneText) {
    TradeClient bob = loggedIn(kBob);
    ASSERT_EQ(bob.session("/trade", "order_s", marketOrder("1", "1", "1")).retcode(), 0);
    const std::string id = details(bob)[0]["H_ID"];
    const int64_t buy = agQuote().buyPrice;
    const std::string on = std::to_string(buy - 50);
    const std::string off = on + ".5";
    const struct {
        const char* name;
        Fields fields;
    } cases[] = {
        {"order_s", marketOrder("1", "1", "1", std::to_string(buy) + ".5", "5")},
        {"order_x", conditional("1", off, "1")},
        {"order_x", conditional("1", on, "1", std::to_string(buy - 100) + ".5")},
        {"order_x", conditional("1", on, "1", "0", std::to_string(buy) + ".5")},
        {"set_loss_profit",
         {{"H_ID", id},
          {"COMMODITY_ID", "AG"},
          {"TY", "1"},
          {"STOP_LOSS", off},
          {"STOP_PROFIT", "0"}}},
    };
    for (const auto& c : cases) {
        Reply refused = bob.session("/trade", c.name, c.fields);
        EXPECT_NE(refused.retcode(), 0) << c.name;
        EXPECT_EQ(refused.rep()["message"], "价格不是最小变动价位的整数倍") << c.name;
    }
    EXPECT_EQ(details(bob).size(), 1u);
    EXPECT_TRUE(bob.session("/trade", "my_order_query", {}).records().empty());
}

TEST_F(TradeOrderTest, shouldFillAConditionalOrderWhenThePriceReachesIt) {
    TradeClient bob = loggedIn(kBob);
    const int64_t buy = agQuote().buyPrice;
    const std::string limit = std::to_string(buy - 30);
    const std::string loss = std::to_string(buy - 200);
    ASSERT_EQ(bob.session("/trade", "order_x", conditional("1", limit, "2", loss)).retcode(), 0);
    Json orders = bob.session("/trade", "my_order_query", {{"UT", "0"}}).records();
    ASSERT_EQ(orders.size(), 1u);
    EXPECT_EQ(orders[0]["STA"], "1");
    EXPECT_NEAR(money(orders[0]["F_MAR"]), (buy - 30) * 2 * kUnit * kMarginRate, 0.006);
    EXPECT_GT(money(firm(bob)["OR_F"]), 0);
    EXPECT_TRUE(details(bob).empty());

    movePrice("AG", -40);
    Json held = details(bob);
    ASSERT_EQ(held.size(), 1u);
    // Dealt at the market, which fell past the order's price.
    EXPECT_DOUBLE_EQ(money(held[0]["PR"]), static_cast<double>(agQuote().buyPrice));
    EXPECT_LT(agQuote().buyPrice, buy - 30);
    EXPECT_EQ(held[0]["STOP_LOSS"], loss);
    orders = bob.session("/trade", "my_order_query", {}).records();
    EXPECT_EQ(orders[0]["STA"], "2");
    EXPECT_EQ(orders[0]["T_QTY"], "2");
    EXPECT_DOUBLE_EQ(money(firm(bob)["OR_F"]), 0);
    Json deals = bob.session("/trade", "tradequery", {}).records();
    EXPECT_EQ(deals[0]["TR_T"], "6");
}

// An order above the market of its side waits for it to rise, one below for it to fall; none is
// dealt at once, and each is dealt at the market of its side then.
TEST_F(TradeOrderTest, shouldLetAConditionalOrderWaitOnEitherSideOfTheMarket) {
    TradeClient bob = loggedIn(kBob);
    const struct {
        const char* side;
        int64_t beyond;  // the order's price less the market of its side
    } cases[] = {{"1", 30}, {"1", -30}, {"2", 30}, {"2", -30}};
    size_t dealt = 0;
    for (const auto& c : cases) {
        const bool buying = std::string(c.side) == "1";
        auto market = [&] { return buying ? agQuote().buyPrice : agQuote().sellPrice; };
        const int64_t price = market() + c.beyond;
        const std::string what = std::string(c.side) + " " + std::to_string(c.beyond);
        ASSERT_EQ(bob.session("/trade", "order_x", conditional(c.side, std::to_string(price), "1"))
                      .retcode(),
                  0)
            << what;
        movePrice("AG", -c.beyond / 3);
        EXPECT_EQ(details(bob).size(), dealt) << what;
        EXPECT_EQ(bob.session("/trade", "my_order_query", {}).records()[0]["STA"], "1") << what;
        movePrice("AG", c.beyond + c.beyond / 3 + (c.beyond > 0 ? 7 : -7));
        const Json held = details(bob);
        ASSERT_EQ(held.size(), ++dealt) << what;
        EXPECT_DOUBLE_EQ(money(held.back()["PR"]), static_cast<double>(market())) << what;
    }
}

TEST_F(TradeOrderTest, shouldCancelAConditionalOrderAndReleaseItsFunds) {
    TradeClient bob = loggedIn(kBob);
    const std::string limit = std::to_string(agQuote().buyPrice - 30);
    ASSERT_EQ(bob.session("/trade", "order_x", conditional("1", limit, "2")).retcode(), 0);
    const std::string number = bob.session("/trade", "my_order_query", {}).records()[0]["OR_N"];
    EXPECT_NE(bob.session("/trade", "order_list_wd", {{"ORDER_NO", number}}).retcode(), 0);
    ASSERT_EQ(bob.session("/trade", "order_wd", {{"ORDER_NO", number}}).retcode(), 0);
    EXPECT_EQ(bob.session("/trade", "my_order_query", {}).records()[0]["STA"], "3");
    EXPECT_DOUBLE_EQ(money(firm(bob)["OR_F"]), 0);
    EXPECT_NE(bob.session("/trade", "order_wd", {{"ORDER_NO", number}}).retcode(), 0);
    movePrice("AG", -40);
    EXPECT_TRUE(details(bob).empty());
}

TEST_F(TradeOrderTest, shouldCloseAHoldingAtItsStopLoss) {
    TradeClient bob = loggedIn(kBob);
    ASSERT_EQ(bob.session("/trade", "order_s", marketOrder("1", "1", "1")).retcode(), 0);
    const std::string id = details(bob)[0]["H_ID"];
    // A bought holding is closed by selling: its stops watch the sell price.
    const int64_t sell = agQuote().sellPrice;
    Fields stops = {{"H_ID", id},
                    {"COMMODITY_ID", "AG"},
                    {"TY", "1"},
                    {"STOP_LOSS", std::to_string(sell + 1)},
                    {"STOP_PROFIT", "0"}};
    EXPECT_EQ(bob.session("/trade", "set_loss_profit", stops).rep()["message"], "止损价设置不合理");
    stops[3] = {"STOP_LOSS", std::to_string(sell - 20)};
    stops[4] = {"STOP_PROFIT", std::to_string(sell + 500)};
    ASSERT_EQ(bob.session("/trade", "set_loss_profit", stops).retcode(), 0);
    ASSERT_EQ(bob.session("/trade", "withdraw_loss_profit",
                          {{"H_ID", id}, {"COMMODITY_ID", "AG"}, {"TYPE", "2"}})
                  .retcode(),
              0);
    EXPECT_EQ(details(bob)[0]["STOP_PROFIT"], "0");

    movePrice("AG", -25);
    EXPECT_TRUE(details(bob).empty());
    Json deals = bob.session("/trade", "tradequery", {}).records();
    EXPECT_EQ(deals[0]["SE_F"], "2");
    EXPECT_EQ(deals[0]["TR_T"], "3");
}

// What is valid for the day (conditional orders, stops) lasts until the exchange's midnight,
// UTC+8, and not a moment longer: withdrawn as the order query shows, the stops cleared.
TEST_F(TradeOrderTest, shouldEndTheDaysOrdersAndStopsAtTheExchangesMidnight) {
    TradeClient bob = loggedIn(kBob);
    toTheExchangeMidnight(-120000);
    ASSERT_EQ(bob.session("/trade", "order_s", marketOrder("1", "1", "1")).retcode(), 0);
    const std::string id = details(bob)[0]["H_ID"];
    auto stopsOf = [&](int64_t loss, int64_t profit) -> Fields {
        return {{"H_ID", id},
                {"COMMODITY_ID", "AG"},
                {"TY", "1"},
                {"STOP_LOSS", std::to_string(loss)},
                {"STOP_PROFIT", std::to_string(profit)}};
    };
    const int64_t sell = agQuote().sellPrice;
    const int64_t buy = agQuote().buyPrice;
    ASSERT_EQ(bob.session("/trade", "set_loss_profit", stopsOf(sell - 200, sell + 500)).retcode(),
              0);
    ASSERT_EQ(
        bob.session("/trade", "order_x", conditional("1", std::to_string(buy - 30), "2")).retcode(),
        0);
    ASSERT_EQ(bob.session("/trade", "order_x", conditional("2", std::to_string(sell + 100), "1"))
                  .retcode(),
              0);
    // 23:59: still the day, still dealt.
    toTheExchangeMidnight(-60000);
    movePrice("AG", sell + 110 - agQuote().sellPrice);
    ASSERT_EQ(details(bob).size(), 2u);

    toTheExchangeMidnight(60000);
    const Json orders = bob.session("/trade", "my_order_query", {}).records();
    ASSERT_EQ(orders.size(), 2u);
    EXPECT_EQ(orders[0]["STA"], "2");
    EXPECT_EQ(orders[1]["STA"], "3");
    EXPECT_DOUBLE_EQ(money(firm(bob)["OR_F"]), 0);
    for (const auto& held : details(bob)) {
        EXPECT_EQ(held["STOP_LOSS"], "0");
        EXPECT_EQ(held["STOP_PROFIT"], "0");
    }
    // Past the old order's price and the old stop-loss: neither acts on the new day.
    movePrice("AG", sell - 210 - agQuote().sellPrice);
    EXPECT_EQ(details(bob).size(), 2u);
    EXPECT_EQ(bob.session("/trade", "tradequery", {}).records().size(), 2u);

    // What day two sets holds until its own end.
    const int64_t now = agQuote().sellPrice;
    ASSERT_EQ(bob.session("/trade", "set_loss_profit", stopsOf(now - 20, 0)).retcode(), 0);
    toTheExchangeMidnight(-60000);
    movePrice("AG", now - 25 - agQuote().sellPrice);
    EXPECT_EQ(details(bob).size(), 1u);
}
