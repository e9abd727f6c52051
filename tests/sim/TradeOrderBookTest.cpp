#include "sim/TradeSimFixture.h"

namespace {
Fields listing(const std::string& side, const std::string& price, const std::string& qty,
               const std::string& settle = "1", const std::string& autoDelist = "2") {
    return {{"BUY_SELL", side}, {"COMMODITY_ID", "NI"},   {"PRICE", price},
            {"QTY", qty},       {"SETTLE_BASIS", settle}, {"LIST_ID", ""},
            {"CLOSEMODE", "1"}, {"HOLDING_ID", ""},       {"A_N", ""},
            {"P_P", ""},        {"LIST_PICK", "1"},       {"P_F", autoDelist}};
}

Fields delisting(const std::string& side, const std::string& price, const std::string& qty,
                 const std::string& listRest = "0") {
    return {{"BUY_SELL", side},    {"COMMODITY_ID", "NI"}, {"PRICE", price},   {"QTY", qty},
            {"SETTLE_BASIS", "1"}, {"ISLIST", listRest},   {"CLOSEMODE", "1"}, {"HOLDING_ID", ""}};
}

Fields book(const std::string& side) {
    return {{"COMMODITY_ID", "NI"}, {"STARTNUM", "1"},  {"RECCNT", ""},
            {"TY", side},           {"SORTFLD", "PRI"}, {"ISDESC", side == "1" ? "1" : "0"}};
}
}  // namespace

class TradeOrderBookTest : public TradeSimTest {
protected:
    int64_t close() { return liveQuote("NI").yesterdayClose; }
    Json held(const TradeClient& trade) {
        return trade.session("/trade", "holding_detail_query", {{"COMMODITY_ID", "NI"}}).records();
    }
};

TEST_F(TradeOrderBookTest, shouldLetAnotherFirmTakeAListingByDelisting) {
    TradeClient alice = loggedIn(kAlice);
    TradeClient bob = loggedIn(kBob);
    const std::string price = std::to_string(close());
    Reply beat = bob.heartbeat({{"curlogon", "1"}, {"lastid", "0"}, {"CO_I", "NI"}});
    const std::string sellTime = beat.json["UPT"];

    ASSERT_EQ(alice.session("/trade", "order_list", listing("2", price, "5")).retcode(), 0);
    Json sells = bob.session("/trade", "faes_sellingbuying_query", book("2")).records();
    ASSERT_EQ(sells.size(), 1u);
    EXPECT_EQ(sells[0]["PRI"], price);
    EXPECT_EQ(sells[0]["UT_QTY"], "5");
    EXPECT_EQ(sells[0]["TR_I"], "F001");
    m_exchange->clock().advance(1000);
    beat = bob.heartbeat({{"curlogon", "0"}, {"lastid", "0"}, {"CO_I", "NI"}});
    EXPECT_GT(std::stoll(beat.json["UPT"].get<std::string>()), std::stoll(sellTime));

    Reply taken = bob.session("/trade", "order_mp", delisting("1", price, "3"));
    ASSERT_EQ(taken.retcode(), 0) << taken.body;
    Json bobs = held(bob);
    ASSERT_EQ(bobs.size(), 1u);
    EXPECT_EQ(bobs[0]["TY"], "1");
    EXPECT_EQ(bobs[0]["C_QTY"], "3");
    EXPECT_EQ(bobs[0]["OTHER_ID"], "F001");
    Json alices = held(alice);
    ASSERT_EQ(alices.size(), 1u);
    EXPECT_EQ(alices[0]["TY"], "2");
    EXPECT_EQ(alices[0]["C_QTY"], "3");
    EXPECT_EQ(alices[0]["OTHER_ID"], "F002");
    sells = bob.session("/trade", "faes_sellingbuying_query", book("2")).records();
    ASSERT_EQ(sells.size(), 1u);
    EXPECT_EQ(sells[0]["UT_QTY"], "2");
    EXPECT_EQ(sells[0]["T_QTY"], "3");
    Json orders = alice.session("/trade", "my_order_query", {{"COMMODITY_ID", "NI"}}).records();
    EXPECT_EQ(orders[0]["STA"], "4");

    ASSERT_EQ(bob.session("/trade", "order_mp", delisting("1", price, "2")).retcode(), 0);
    Reply empty = bob.session("/trade", "faes_sellingbuying_query", book("2"));
    EXPECT_EQ(empty.rep()["RESULTLIST"], "");
    EXPECT_EQ(alice.session("/trade", "my_order_query", {}).records()[0]["STA"], "2");
    EXPECT_EQ(bob.session("/trade", "order_mp", delisting("1", price, "1")).rep()["message"],
              "没有可摘的挂牌");
}

TEST_F(TradeOrderBookTest, shouldTakeTheCheapestSellListingsFirstAndListTheRest) {
    TradeClient bob = loggedIn(kBob);
    const int64_t base = close();
    ASSERT_TRUE(server().ledger().listForFirm("F009", "NI", 2, static_cast<double>(base + 5), 2));
    ASSERT_TRUE(server().ledger().listForFirm("F009", "NI", 2, static_cast<double>(base), 1));
    Json sells = bob.session("/trade", "faes_sellingbuying_query", book("2")).records();
    ASSERT_EQ(sells.size(), 2u);
    EXPECT_EQ(sells[0]["PRI"], std::to_string(base));

    ASSERT_EQ(
        bob.session("/trade", "order_mp", delisting("1", std::to_string(base), "2", "1")).retcode(),
        0);
    Json mine = held(bob);
    ASSERT_EQ(mine.size(), 1u);
    EXPECT_EQ(mine[0]["C_QTY"], "1");
    Json buys = bob.session("/trade", "faes_sellingbuying_query", book("1")).records();
    ASSERT_EQ(buys.size(), 1u);
    EXPECT_EQ(buys[0]["UT_QTY"], "1");
    const std::string number = buys[0]["OR_N"];
    EXPECT_NE(bob.session("/trade", "order_wd", {{"ORDER_NO", number}}).retcode(), 0);
    ASSERT_EQ(bob.session("/trade", "order_list_wd", {{"ORDER_NO", number}}).retcode(), 0);
    EXPECT_EQ(bob.session("/trade", "faes_sellingbuying_query", book("1")).rep()["RESULTLIST"], "");
    EXPECT_EQ(bob.session("/trade", "my_order_query", {}).records()[0]["STA"], "5");
}

TEST_F(TradeOrderBookTest, shouldTransferAHoldingThroughAListing) {
    TradeClient alice = loggedIn(kAlice);
    TradeClient bob = loggedIn(kBob);
    const std::string price = std::to_string(close());
    ASSERT_EQ(alice.session("/trade", "order_list", listing("2", price, "4")).retcode(), 0);
    ASSERT_EQ(bob.session("/trade", "order_mp", delisting("1", price, "4")).retcode(), 0);

    EXPECT_NE(bob.session("/trade", "order_list", listing("2", price, "5", "2")).retcode(), 0);
    ASSERT_EQ(bob.session("/trade", "order_list", listing("2", price, "3", "2")).retcode(), 0);
    EXPECT_EQ(held(bob)[0]["F_QTY"], "3");
    ASSERT_EQ(alice.session("/trade", "order_mp", delisting("1", price, "3")).retcode(), 0);
    Json mine = held(bob);
    ASSERT_EQ(mine.size(), 1u);
    EXPECT_EQ(mine[0]["C_QTY"], "1");
    EXPECT_EQ(mine[0]["F_QTY"], "0");
    Json alices = held(alice);
    int sold = 0, bought = 0;
    for (const auto& rec : alices) {
        (rec["TY"] == "2" ? sold : bought) += std::stoi(rec["C_QTY"].get<std::string>());
    }
    EXPECT_EQ(sold, 4);
    EXPECT_EQ(bought, 3);
}

TEST_F(TradeOrderBookTest, shouldRefuseListingsOffTheTickOrBeyondTheLimits) {
    TradeClient alice = loggedIn(kAlice);
    const int64_t base = close();
    EXPECT_EQ(alice.session("/trade", "order_list", listing("2", std::to_string(base) + ".5", "1"))
                  .rep()["message"],
              "价格不是最小报价单位的整数倍");
    EXPECT_EQ(
        alice.session("/trade", "order_list", listing("2", std::to_string(base * 12 / 10), "1"))
            .rep()["message"],
        "价格超出涨跌停板");
    Fields quoteMode = listing("2", std::to_string(base), "1");
    quoteMode[1] = {"COMMODITY_ID", "AG"};
    EXPECT_NE(alice.session("/trade", "order_list", quoteMode).retcode(), 0);
}

TEST_F(TradeOrderBookTest, shouldRefuseOrdersWithoutALivePriceAsHavingNoQuote) {
    TradeClient alice = loggedIn(kAlice);
    const std::string base = std::to_string(close());
    ASSERT_TRUE(server().ledger().setLivePrice("NI", false));
    ASSERT_TRUE(server().ledger().setLivePrice("AG", false));
    const Fields market = {{"BUY_SELL", "1"},  {"COMMODITY_ID", "AG"}, {"PRICE", ""},
                           {"QTY", "1"},       {"SETTLE_BASIS", "1"},  {"DOT_DIFF", ""},
                           {"CLOSEMODE", "1"}, {"HOLDING_ID", ""},     {"OTHER_ID", ""}};
    const struct {
        const char* name;
        Fields fields;
        const char* message;
    } cases[] = {
        {"order_list", listing("2", base, "1"), "暂无行情"},
        {"order_mp", delisting("1", base, "1", "1"), "暂无行情"},
        {"order_s", market, "暂无行情"},
        // A price off the grid is a fault of the request, whatever the market does.
        {"order_list", listing("2", base + ".5", "1"), "价格不是最小报价单位的整数倍"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " " + c.message);
        Reply refused = alice.session("/trade", c.name, c.fields);
        EXPECT_NE(refused.retcode(), 0);
        EXPECT_EQ(refused.rep()["message"], std::string(c.message));
    }
    EXPECT_TRUE(alice.session("/trade", "my_order_query", {}).records().empty());

    ASSERT_TRUE(server().ledger().setLivePrice("NI", true));
    EXPECT_EQ(alice.session("/trade", "order_list", listing("2", base, "1")).retcode(), 0);
    EXPECT_FALSE(server().ledger().setLivePrice("XX", false));
}

TEST_F(TradeOrderBookTest, shouldMatchAnAutoDelistingListingAtOnce) {
    TradeClient bob = loggedIn(kBob);
    const int64_t base = close();
    ASSERT_TRUE(server().ledger().listForFirm("F001", "NI", 1, static_cast<double>(base), 2));
    ASSERT_EQ(bob.session("/trade", "order_list", listing("2", std::to_string(base), "3", "1", "1"))
                  .retcode(),
              0);
    Json mine = held(bob);
    ASSERT_EQ(mine.size(), 1u);
    EXPECT_EQ(mine[0]["TY"], "2");
    EXPECT_EQ(mine[0]["C_QTY"], "2");
    Json sells = bob.session("/trade", "faes_sellingbuying_query", book("2")).records();
    ASSERT_EQ(sells.size(), 1u);
    EXPECT_EQ(sells[0]["UT_QTY"], "1");
    EXPECT_EQ(sells[0]["F_TYPE"], "1");
}

// The maximum holding counts every open order, a transfer listing too, as the client's ranges
// do; the next exchange day counts none of the day's listings, all withdrawn at its midnight.
TEST_F(TradeOrderBookTest, shouldCountEveryOpenListingAgainstTheMaximumHoldingUntilTheDayEnds) {
    // Zinc, cheap enough to hold 490 lots, trades in the real environment.
    const char* const account = "100000000000002";
    TradeClient trader = loggedIn(account, kEast);
    ASSERT_TRUE(server(kEast).ledger().holdElsewhere(account, "zn", 1, 490));
    auto zinc = [](Fields fields) {
        fields[1] = {"COMMODITY_ID", "zn"};
        return fields;
    };
    // One decimal: the close in tenths.
    const int64_t close = liveQuote("zn", kEast).yesterdayClose;
    const std::string price = std::to_string(close / 10) + "." + std::to_string(close % 10);
    ASSERT_EQ(trader.session("/trade", "order_list", zinc(listing("2", price, "5", "2"))).retcode(),
              0);
    EXPECT_EQ(
        trader.session("/trade", "order_list", zinc(listing("1", price, "6"))).rep()["message"],
        "超出最大持仓量");
    ASSERT_EQ(trader.session("/trade", "order_list", zinc(listing("1", price, "5"))).retcode(), 0);
    EXPECT_EQ(trader.session("/trade", "order_mp", zinc(delisting("1", price, "1", "1")))
                  .rep()["message"],
              "超出最大持仓量");

    toTheExchangeMidnight(60000);
    const Json orders = trader.session("/trade", "my_order_query", {}).records();
    ASSERT_EQ(orders.size(), 2u);
    EXPECT_EQ(orders[0]["STA"], "3");
    EXPECT_EQ(orders[1]["STA"], "3");
    const Json held =
        trader.session("/trade", "holding_detail_query", {{"COMMODITY_ID", "zn"}}).records();
    ASSERT_EQ(held.size(), 1u);
    EXPECT_EQ(held[0]["F_QTY"], "0");
    EXPECT_EQ(trader.session("/trade", "order_list", zinc(listing("1", price, "10"))).retcode(), 0);
}

// After the exchange's midnight, with no request of the account since, another firm finds its
// listings withdrawn and its transfer listing's lots free again: none is dealt on a later day.
TEST_F(TradeOrderBookTest, shouldLeaveNoListingOfAnEarlierExchangeDayToAnotherFirm) {
    TradeClient alice = loggedIn(kAlice);
    ASSERT_TRUE(server().ledger().holdElsewhere(kAlice, "NI", 1, 2));
    const std::string price = std::to_string(close());
    ASSERT_EQ(alice.session("/trade", "order_list", listing("2", price, "5")).retcode(), 0);
    ASSERT_EQ(alice.session("/trade", "order_list", listing("2", price, "2", "2")).retcode(), 0);
    const Json listed = alice.session("/trade", "my_order_query", {}).records();
    ASSERT_EQ(listed.size(), 2u);
    const Json holding = held(alice);
    ASSERT_EQ(holding.size(), 1u);

    toTheExchangeMidnight(60000);
    EXPECT_TRUE(server().ledger().closeElsewhere(
        kAlice, std::stoll(holding[0]["H_ID"].get<std::string>())));
    for (const Json& order : listed) {
        EXPECT_FALSE(
            server().ledger().takeListing(std::stoll(order["OR_N"].get<std::string>()), "F009"));
    }
    EXPECT_TRUE(held(alice).empty());
    for (const Json& order : alice.session("/trade", "my_order_query", {}).records()) {
        EXPECT_EQ(order["STA"], "3");
    }
}
