#include "sim/TradeSimFixture.h"

namespace {
Json newestDeal(TradeClient& trade) {
    return trade.session("/trade", "tradequery", {{"STARTNUM", "1"}}).records()[0];
}

struct FillCase {
    const char* name;
    const char* side;  // "1" buy, "2" sell
    int64_t move;      // ticks the market moves after the price was read
    const char* diff;  // DOT_DIFF
    bool fills;
};

class TradeFillTest : public TradeSimTest, public ::testing::WithParamInterface<FillCase> {
protected:
    SimQuote ag() { return liveQuote("AG"); }
    // What an order of `side` is priced at: a buy at the buy price, a sell at the sell price.
    int64_t sidePrice(const std::string& side) {
        return side == "1" ? ag().buyPrice : ag().sellPrice;
    }
    Reply order(TradeClient& trade, const std::string& side, const std::string& settle,
                const std::string& qty, int64_t price, const std::string& diff) {
        return trade.session("/trade", "order_s",
                             {{"BUY_SELL", side},
                              {"COMMODITY_ID", "AG"},
                              {"PRICE", std::to_string(price)},
                              {"QTY", qty},
                              {"SETTLE_BASIS", settle},
                              {"DOT_DIFF", diff},
                              {"CLOSEMODE", "1"},
                              {"HOLDING_ID", ""},
                              {"OTHER_ID", "F002"}});
    }
};
}  // namespace

TEST_P(TradeFillTest, shouldFillAtTheSidesLivePriceWithinDotDiffAndRefuseBeyondIt) {
    const FillCase& c = GetParam();
    TradeClient bob = loggedIn(kBob);
    const std::string other = std::string(c.side) == "1" ? "2" : "1";
    // Something to close first, at the price shown to the client.
    ASSERT_EQ(order(bob, other, "1", "2", sidePrice(other), "0").retcode(), 0);

    for (const char* settle : {"1", "2"}) {
        const int64_t shown = sidePrice(c.side);
        movePrice("AG", c.move);
        Reply reply = order(bob, c.side, settle, "1", shown, c.diff);
        if (!c.fills) {
            EXPECT_EQ(reply.rep()["message"], "价格已变动,超出可接受点差") << settle;
            movePrice("AG", -c.move);
            continue;
        }
        ASSERT_EQ(reply.retcode(), 0) << settle << " " << reply.body;
        const Json deal = newestDeal(bob);
        EXPECT_EQ(deal["PR"], std::to_string(sidePrice(c.side))) << settle;
        EXPECT_EQ(deal["TY"], c.side);
        EXPECT_EQ(deal["SE_F"], settle);
        movePrice("AG", -c.move);
    }
}

INSTANTIATE_TEST_SUITE_P(DotDiff, TradeFillTest,
                         ::testing::Values(FillCase{"BuyUnmoved", "1", 0, "0", true},
                                           FillCase{"BuyUpByDiff", "1", 3, "3", true},
                                           FillCase{"BuyDownByDiff", "1", -3, "3", true},
                                           FillCase{"BuyBeyondDiff", "1", 4, "3", false},
                                           FillCase{"BuyBelowDiff", "1", -4, "3", false},
                                           FillCase{"SellUnmoved", "2", 0, "0", true},
                                           FillCase{"SellDownByDiff", "2", -3, "3", true},
                                           FillCase{"SellBeyondDiff", "2", -4, "3", false},
                                           FillCase{"SellAnyMoveWithoutDiff", "2", 1, "0", false}),
                         [](const ::testing::TestParamInfo<FillCase>& info) {
                             return std::string(info.param.name);
                         });

// The customer buys at the higher price and sells at the lower: a lot just bought is valued below
// its price, and a round trip at a still quote costs the spread and both fees.
TEST_F(TradeSimTest, shouldValueABoughtHoldingAtTheSellPriceAndLoseTheSpreadOnARoundTrip) {
    TradeClient bob = loggedIn(kBob);
    auto equity = [&bob] {
        return cents(bob.session("/trade", "firm_info", {}).records()[0]["EQT"]);
    };
    const int64_t equityBefore = equity();
    const SimQuote before = liveQuote("AG");
    ASSERT_EQ(
        bob.session(
               "/trade", "order_s",
               {{"BUY_SELL", "1"}, {"COMMODITY_ID", "AG"}, {"QTY", "1"}, {"SETTLE_BASIS", "1"}})
            .retcode(),
        0);
    Json report =
        bob.session("/notice", "report_customerhold_query", {{"STARTNUM", "1"}}).records();
    ASSERT_EQ(report.size(), 1u);
    // One lot of a whole-number commodity is 10 units of goods.
    EXPECT_EQ(report[0]["HOLD_PRICE"], std::to_string(before.buyPrice));
    EXPECT_EQ(report[0]["CLEAR_PRICE"], std::to_string(before.sellPrice));
    EXPECT_EQ(report[0]["HOLD_PL"],
              std::to_string((before.sellPrice - before.buyPrice) * 10) + ".00");
    const Json held =
        bob.session("/trade", "holding_detail_query", {{"COMMODITY_ID", "AG"}}).records()[0];
    EXPECT_EQ(held["FL_P"], report[0]["HOLD_PL"]);
    EXPECT_LT(cents(held["FL_P"]), 0);
    const int64_t openFee = cents(newestDeal(bob)["COMM"]);
    ASSERT_EQ(bob.session("/trade", "order_s",
                          {{"BUY_SELL", "2"},
                           {"COMMODITY_ID", "AG"},
                           {"QTY", "1"},
                           {"SETTLE_BASIS", "2"},
                           {"CLOSEMODE", "1"}})
                  .retcode(),
              0);
    const Json closed = newestDeal(bob);
    EXPECT_EQ(closed["LIQPL"], held["FL_P"]);
    const int64_t fees = openFee + cents(closed["COMM"]);
    EXPECT_GT(fees, 0);
    EXPECT_EQ(equity() - equityBefore, cents(closed["LIQPL"]) - fees);
    EXPECT_LT(equity() - equityBefore, -fees);
}
