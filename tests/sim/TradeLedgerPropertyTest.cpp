#include <random>

#include "sim/TradeSimFixture.h"

// Seeded random days of trading over two accounts; after every step each account's books must
// reconcile to the cent from its own replies alone.
namespace {

struct Traded {
    std::string code;
    int64_t centsPerTick;   // one lot moving one tick
    int64_t centsPerPrice;  // a price text read as cents, per tick
};

// Commodities of the demo environment traded at quote prices.
const std::vector<Traded> kTraded = {
    {"AG", 1000, 100}, {"AU", 1, 1}, {"CU", 1000, 100}, {"SN", 1000, 100}};

class TradeLedgerPropertyTest : public TradeSimTest, public ::testing::WithParamInterface<int> {
protected:
    struct Book {
        TradeClient* trade = nullptr;
        int64_t marketLots = 0;  // lots of every acknowledged market order
    };

    SimQuote quote(const Traded& item) { return liveQuote(item.code); }
    const Traded& traded(const std::string& code) {
        for (const auto& item : kTraded) {
            if (item.code == code) {
                return item;
            }
        }
        return kTraded.front();
    }
    Json rows(TradeClient& trade, const std::string& link, const std::string& name) {
        return trade.session(link, name, {{"STARTNUM", ""}, {"RECCNT", ""}}).records();
    }
    int pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(m_random); }

    void step(Book& book);
    void marketOpen(Book& book);
    void conditional(Book& book);
    void close(Book& book, bool byHolding);
    void cancel(Book& book);
    void stops(Book& book);
    void transfer(Book& book);
    void reconcile(Book& book, int stepNumber);

    std::mt19937 m_random;
};

void TradeLedgerPropertyTest::marketOpen(Book& book) {
    const Traded& item = kTraded[static_cast<size_t>(pick(static_cast<int>(kTraded.size())))];
    const std::string side = pick(2) == 0 ? "1" : "2";
    const SimQuote live = quote(item);
    const int64_t price = side == "1" ? live.buyPrice : live.sellPrice;
    const int qty = 1 + pick(5);
    Reply reply = book.trade->session("/trade", "order_s",
                                      {{"BUY_SELL", side},
                                       {"COMMODITY_ID", item.code},
                                       {"PRICE", ""},
                                       {"QTY", std::to_string(qty)},
                                       {"SETTLE_BASIS", "1"},
                                       {"DOT_DIFF", "0"},
                                       {"CLOSEMODE", "1"},
                                       {"HOLDING_ID", ""},
                                       {"OTHER_ID", "F001"}});
    if (reply.retcode() == 0) {
        book.marketLots += qty;
        const Json deal =
            book.trade->session("/trade", "tradequery", {{"STARTNUM", "1"}}).records()[0];
        EXPECT_EQ(cents(deal["PR"]), price * item.centsPerPrice)
            << "a " << side << " of " << item.code << " fills at its side's price";
    }
}

void TradeLedgerPropertyTest::conditional(Book& book) {
    const Traded& item = kTraded[static_cast<size_t>(pick(static_cast<int>(kTraded.size())))];
    const std::string side = pick(2) == 0 ? "1" : "2";
    const SimQuote live = quote(item);
    const int64_t base = side == "1" ? live.buyPrice : live.sellPrice;
    const int64_t limit = base + (side == "1" ? -1 : 1) * pick(6);
    const int64_t loss = pick(2) == 0 ? 0 : limit + (side == "1" ? -40 : 40);
    book.trade->session("/trade", "order_x",
                        {{"BUY_SELL", side},
                         {"COMMODITY_ID", item.code},
                         {"PRICE", std::to_string(limit)},
                         {"QTY", std::to_string(1 + pick(3))},
                         {"STOP_LOSS", std::to_string(loss)},
                         {"STOP_PROFIT", "0"},
                         {"VALIDITY_TYPE", "0"},
                         {"OTHER_ID", "F001"}});
}

void TradeLedgerPropertyTest::close(Book& book, bool byHolding) {
    Json held = rows(*book.trade, "/trade", "holding_detail_query");
    if (held.empty()) {
        return;
    }
    const Json& one = held[static_cast<size_t>(pick(static_cast<int>(held.size())))];
    const int free =
        std::stoi(one["C_QTY"].get<std::string>()) - std::stoi(one["F_QTY"].get<std::string>());
    if (free <= 0) {
        return;
    }
    const int qty = 1 + pick(free);
    const std::string side = one["TY"] == "1" ? "2" : "1";
    Reply reply =
        book.trade->session("/trade", "order_s",
                            {{"BUY_SELL", side},
                             {"COMMODITY_ID", one["CO_I"]},
                             {"PRICE", ""},
                             {"QTY", std::to_string(qty)},
                             {"SETTLE_BASIS", "2"},
                             {"DOT_DIFF", ""},
                             {"CLOSEMODE", byHolding ? "2" : "1"},
                             {"HOLDING_ID", byHolding ? one["H_ID"].get<std::string>() : ""},
                             {"OTHER_ID", "F001"}});
    if (reply.retcode() == 0) {
        book.marketLots += qty;
    }
}

void TradeLedgerPropertyTest::cancel(Book& book) {
    for (const auto& order : rows(*book.trade, "/trade", "my_order_query")) {
        if (order["STA"] == "1" && order["O_T"] == "1") {
            EXPECT_EQ(
                book.trade->session("/trade", "order_wd", {{"ORDER_NO", order["OR_N"]}}).retcode(),
                0);
            return;
        }
    }
}

void TradeLedgerPropertyTest::stops(Book& book) {
    Json held = rows(*book.trade, "/trade", "holding_detail_query");
    if (held.empty()) {
        return;
    }
    const Json& one = held[static_cast<size_t>(pick(static_cast<int>(held.size())))];
    const Traded& item = traded(one["CO_I"]);
    const SimQuote live = quote(item);
    const bool bought = one["TY"] == "1";
    const int64_t closing = bought ? live.sellPrice : live.buyPrice;
    const int64_t gap = 6 + pick(20);
    book.trade->session("/trade", "set_loss_profit",
                        {{"H_ID", one["H_ID"]},
                         {"COMMODITY_ID", one["CO_I"]},
                         {"TY", one["TY"]},
                         {"STOP_LOSS", std::to_string(bought ? closing - gap : closing + gap)},
                         {"STOP_PROFIT", "0"}});
}

void TradeLedgerPropertyTest::transfer(Book& book) {
    const bool in = pick(2) == 0;
    const std::string amount = std::to_string(1 + pick(5000)) + "." + std::to_string(10 + pick(90));
    book.trade->session(
        "/funds", "money_transfer",
        {{"BANK_ID", "900"}, {"TYPE", in ? "I" : "O"}, {"AMOUNT", amount}, {"PWD", kFundPassword}});
}

void TradeLedgerPropertyTest::step(Book& book) {
    switch (pick(9)) {
        case 0:
        case 1:
            return marketOpen(book);
        case 2:
            return conditional(book);
        case 3:
            return close(book, false);
        case 4:
            return close(book, true);
        case 5:
            return cancel(book);
        case 6:
            return stops(book);
        case 7:
            return transfer(book);
        default: {
            const Traded& item =
                kTraded[static_cast<size_t>(pick(static_cast<int>(kTraded.size())))];
            movePrice(item.code, pick(17) - 8);
            m_exchange->clock().advance(pick(3000));
        }
    }
}

void TradeLedgerPropertyTest::reconcile(Book& book, int stepNumber) {
    SCOPED_TRACE("step " + std::to_string(stepNumber) + " of " + book.trade->user());
    TradeClient& trade = *book.trade;
    const Json firm = trade.session("/trade", "firm_info", {}).records()[0];
    int64_t opened = 0, closedLots = 0, systemLots = 0, conditionalLots = 0, profit = 0, fees = 0;
    for (const auto& deal : rows(trade, "/trade", "tradequery")) {
        const int64_t lots = std::stoll(deal["QTY"].get<std::string>());
        (deal["SE_F"] == "1" ? opened : closedLots) += lots;
        systemLots += deal["TR_T"] == "3" ? lots : 0;
        conditionalLots += deal["TR_T"] == "6" ? lots : 0;
        profit += cents(deal["LIQPL"]);
        fees += cents(deal["COMM"]);
    }
    int64_t moved = 0;
    for (const auto& item : rows(trade, "/funds", "money_iom_query")) {
        moved += cents(item["AM"]) * (item["TT"] == "I" ? 1 : -1);
    }
    int64_t margins = 0, floating = 0, heldLots = 0;
    for (const auto& held : rows(trade, "/trade", "holding_detail_query")) {
        const Traded& item = traded(held["CO_I"]);
        const SimQuote live = quote(item);
        const bool bought = held["TY"] == "1";
        const int64_t closing = bought ? live.sellPrice : live.buyPrice;
        const int64_t holdingPrice = cents(held["H_P"]) / item.centsPerPrice;
        const int64_t expected = (bought ? 1 : -1) * (closing - holdingPrice) *
                                 std::stoll(held["C_QTY"].get<std::string>()) * item.centsPerTick;
        EXPECT_EQ(cents(held["FL_P"]), expected) << held.dump();
        margins += cents(held["MAR"]);
        floating += cents(held["FL_P"]);
        heldLots += std::stoll(held["C_QTY"].get<std::string>());
    }
    int64_t frozenMargin = 0, frozenFee = 0;
    for (const auto& order : rows(trade, "/trade", "my_order_query")) {
        if (order["STA"] == "1" || order["STA"] == "4") {
            frozenMargin += cents(order["F_MAR"]);
            frozenFee += cents(order["F_FEE"]);
        }
    }
    const int64_t balance = cents(firm["EQT"]);
    EXPECT_EQ(balance, moved + profit - fees) << "balance = transfers + closed P&L - fees";
    EXPECT_EQ(cents(firm["HPF"]), floating);
    EXPECT_EQ(cents(firm["RM"]), margins);
    EXPECT_EQ(cents(firm["OR_F_M"]), frozenMargin);
    EXPECT_EQ(cents(firm["OR_F_F"]), frozenFee);
    EXPECT_EQ(cents(firm["OT_F"]), margins + frozenMargin + frozenFee);
    EXPECT_EQ(cents(firm["UF"]), balance + floating - margins - frozenMargin - frozenFee);
    EXPECT_EQ(cents(firm["FEE"]), fees);
    EXPECT_EQ(cents(firm["PL"]), profit);
    EXPECT_EQ(cents(firm["IB"]), balance - profit + fees - cents(firm["IOF"]));
    EXPECT_EQ(heldLots, opened - closedLots) << "holdings = opened - closed";
    // The seeded holding's deal and the conditional and stop deals come from no market order.
    const int64_t seeded = trade.user() == "200000000000001" ? 2 : 0;
    EXPECT_EQ(opened + closedLots - conditionalLots - systemLots - seeded, book.marketLots)
        << "deals = acknowledged orders";
}

}  // namespace

TEST_P(TradeLedgerPropertyTest, shouldReconcileEveryAccountToTheCentAfterEveryStep) {
    m_random.seed(static_cast<unsigned>(GetParam()));
    TradeClient alice = loggedIn("200000000000001");
    TradeClient bob = loggedIn("200000000000002");
    std::vector<Book> books = {{&alice, 0}, {&bob, 0}};
    for (int i = 0; i < 120 && !HasFailure(); ++i) {
        Book& book = books[static_cast<size_t>(pick(2))];
        step(book);
        for (Book& each : books) {
            reconcile(each, i);
        }
    }
    // The day really traded: market orders filled, positions closed, money moved.
    for (Book& each : books) {
        EXPECT_GT(each.marketLots, 10);
        const Json firm = each.trade->session("/trade", "firm_info", {}).records()[0];
        EXPECT_NE(cents(firm["PL"]), 0);
        EXPECT_NE(cents(firm["IOF"]), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, TradeLedgerPropertyTest, ::testing::Values(1, 2, 3, 4));
