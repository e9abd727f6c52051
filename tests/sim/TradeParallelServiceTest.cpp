#include <algorithm>
#include <functional>
#include <latch>
#include <random>
#include <thread>

#include "sim/TradeSimFixture.h"

// The ledger serves requests of different accounts at once. Requests that race on one account
// must be accepted exactly as the same requests one after another would be, and every account's
// books must reconcile to the cent after many accounts traded, listed, delisted, moved money and
// hit stops at the same time.
namespace {

constexpr int kRacers = 12;
constexpr int kRounds = 3;

int64_t integer(const Json& value) {
    return std::stoll(value.get<std::string>());
}

Fields marketOrder(const std::string& side, const std::string& settle, const std::string& qty,
                   const std::string& holdingId = "") {
    return {{"BUY_SELL", side},
            {"COMMODITY_ID", "AU"},
            {"PRICE", ""},
            {"QTY", qty},
            {"SETTLE_BASIS", settle},
            {"DOT_DIFF", ""},
            {"CLOSEMODE", holdingId.empty() ? "1" : "2"},
            {"HOLDING_ID", holdingId},
            {"OTHER_ID", "F001"}};
}

// A gold price in quote units (hundredths) as the order's price text.
std::string gold(int64_t units) {
    const std::string cents = std::to_string(100 + units % 100).substr(1);
    return std::to_string(units / 100) + "." + cents;
}

Fields conditional(const std::string& side, int64_t price, int64_t stopLoss,
                   const std::string& qty) {
    return {{"BUY_SELL", side},     {"COMMODITY_ID", "AU"},        {"PRICE", gold(price)},
            {"QTY", qty},           {"STOP_LOSS", gold(stopLoss)}, {"STOP_PROFIT", "0"},
            {"VALIDITY_TYPE", "0"}, {"OTHER_ID", "F001"}};
}

Fields withdrawal(const std::string& amount) {
    return {{"BANK_ID", "900"}, {"TYPE", "O"}, {"AMOUNT", amount}, {"PWD", "222222"}};
}

Fields deposit(const std::string& amount) {
    return {{"BANK_ID", "900"}, {"TYPE", "I"}, {"AMOUNT", amount}, {"PWD", "222222"}};
}

Fields all() {
    return {{"STARTNUM", ""}, {"RECCNT", ""}};
}

// One request that several threads of one account send at the same moment.
struct Race {
    const char* name;
    // Puts the account in the state the race starts from.
    std::function<void(const TradeClient&)> setUp;
    std::string link;
    std::string request;
    std::function<Fields(const TradeClient&)> fields;
};

}  // namespace

class TradeParallelServiceTest : public TradeSimTest {
protected:
    // A new account of the demo environment with `money` moved in from its bank, logged in.
    TradeClient funded(const std::string& money, const std::string& firm = "F001") {
        const std::string phone = "1391234" + std::to_string(1000 + m_accounts++);
        TradeClient trade = loggedIn(server().ledger().createAccount(phone, firm));
        EXPECT_EQ(trade.session("/funds", "money_transfer", deposit(money)).retcode(), 0);
        return trade;
    }

    // The figures a race may change: money, margins, frozen funds, holdings and deal count.
    Json books(const TradeClient& trade) {
        const Json firm = trade.session("/trade", "firm_info", {}).records()[0];
        Json held = Json::array();
        for (const auto& row : trade.session("/trade", "holding_detail_query", all()).records()) {
            held.push_back({row["CO_I"], row["TY"], row["C_QTY"], row["F_QTY"]});
        }
        const Reply deals = trade.session("/trade", "tradequery", all());
        return {{"EQT", firm["EQT"]},   {"UF", firm["UF"]}, {"RM", firm["RM"]},
                {"OR_F", firm["OR_F"]}, {"holdings", held}, {"deals", deals.rep()["TTLREC"]}};
    }

    // Every request answered at once from its own thread; their return codes, sorted.
    std::vector<int> race(const TradeClient& trade, const std::string& link,
                          const std::string& name, const Fields& fields) {
        std::vector<int> codes(kRacers);
        std::latch start(kRacers);
        std::vector<std::thread> threads;
        for (size_t i = 0; i < codes.size(); ++i) {
            threads.emplace_back([&, i] {
                start.arrive_and_wait();
                codes[i] = trade.session(link, name, fields).retcode();
            });
        }
        for (auto& thread : threads) {
            thread.join();
        }
        std::sort(codes.begin(), codes.end());
        return codes;
    }

    std::vector<int> oneAfterAnother(const TradeClient& trade, const std::string& link,
                                     const std::string& name, const Fields& fields) {
        std::vector<int> codes;
        for (int i = 0; i < kRacers; ++i) {
            codes.push_back(trade.session(link, name, fields).retcode());
        }
        std::sort(codes.begin(), codes.end());
        return codes;
    }

    // Balance = transfers + closed P&L - fees; available = equity + floating - margins - frozen;
    // lots held = lots opened - lots closed; frozen funds = what the open orders hold.
    void reconcile(const TradeClient& trade) {
        SCOPED_TRACE(trade.user());
        const Json firm = trade.session("/trade", "firm_info", {}).records()[0];
        int64_t opened = 0, closed = 0, profit = 0, fees = 0;
        for (const auto& deal : trade.session("/trade", "tradequery", all()).records()) {
            (deal["SE_F"] == "1" ? opened : closed) += integer(deal["QTY"]);
            profit += cents(deal["LIQPL"]);
            fees += cents(deal["COMM"]);
        }
        int64_t moved = 0;
        for (const auto& item : trade.session("/funds", "money_iom_query", all()).records()) {
            moved += cents(item["AM"]) * (item["TT"] == "I" ? 1 : -1);
        }
        int64_t lots = 0, margins = 0, floating = 0;
        for (const auto& held : trade.session("/trade", "holding_detail_query", all()).records()) {
            lots += integer(held["C_QTY"]);
            margins += cents(held["MAR"]);
            floating += cents(held["FL_P"]);
        }
        int64_t frozen = 0;
        for (const auto& order : trade.session("/trade", "my_order_query", all()).records()) {
            if (order["STA"] == "1" || order["STA"] == "4") {
                frozen += cents(order["F_MAR"]) + cents(order["F_FEE"]);
            }
        }
        const int64_t balance = cents(firm["EQT"]);
        EXPECT_EQ(balance, moved + profit - fees);
        EXPECT_EQ(cents(firm["RM"]), margins);
        EXPECT_EQ(cents(firm["HPF"]), floating);
        EXPECT_EQ(cents(firm["OR_F"]), frozen);
        EXPECT_EQ(cents(firm["UF"]), balance + floating - margins - frozen);
        EXPECT_EQ(lots, opened - closed);
    }

    int m_accounts = 0;
};

TEST_F(TradeParallelServiceTest, shouldAcceptRacingRequestsOfOneAccountAsIfSentOneAfterAnother) {
    auto holdingId = [](const TradeClient& trade) {
        const Json held = trade.session("/trade", "holding_detail_query", all()).records();
        return held.empty() ? std::string("0") : held[0]["H_ID"].get<std::string>();
    };
    auto openOrder = [](const TradeClient& trade) {
        const Json orders = trade.session("/trade", "my_order_query", all()).records();
        return orders.empty() ? std::string("0") : orders[0]["OR_N"].get<std::string>();
    };
    auto open = [](const TradeClient& trade) {
        ASSERT_EQ(trade.session("/trade", "order_s", marketOrder("1", "1", "3")).retcode(), 0);
    };
    const std::vector<Race> races = {
        {"closing one holding by its number", open, "/trade", "order_s",
         [&](const TradeClient& trade) { return marketOrder("2", "2", "3", holdingId(trade)); }},
        {"closing more lots than are held", open, "/trade", "order_s",
         [](const TradeClient&) { return marketOrder("2", "2", "2"); }},
        {"cancelling one conditional order",
         [this](const TradeClient& trade) {
             const int64_t price = liveQuote("AU").buyPrice - 500;
             const Fields order = conditional("1", price, price - 100, "2");
             ASSERT_EQ(trade.session("/trade", "order_x", order).retcode(), 0);
         },
         "/trade", "order_wd",
         [&](const TradeClient& trade) {
             return Fields{{"ORDER_NO", openOrder(trade)}};
         }},
        {"withdrawing more than half the money", [](const TradeClient&) {}, "/funds",
         "money_transfer", [](const TradeClient&) { return withdrawal("600"); }},
        {"opening more lots than the funds carry", [](const TradeClient&) {}, "/trade", "order_s",
         [](const TradeClient&) { return marketOrder("1", "1", "20"); }},
    };
    // A few rounds of each, as a round only races when the requests really meet in the ledger.
    for (int round = 0; round < kRounds; ++round) {
        for (const Race& each : races) {
            SCOPED_TRACE(each.name);
            TradeClient racing = funded("1000");
            TradeClient twin = funded("1000");
            each.setUp(racing);
            each.setUp(twin);
            const std::vector<int> raced =
                race(racing, each.link, each.request, each.fields(racing));
            const std::vector<int> sequential =
                oneAfterAnother(twin, each.link, each.request, each.fields(twin));
            EXPECT_EQ(raced, sequential);
            EXPECT_EQ(std::count(raced.begin(), raced.end(), 0), 1) << "one request wins";
            EXPECT_EQ(books(racing), books(twin));
            reconcile(racing);
        }
    }
}

TEST_F(TradeParallelServiceTest, shouldKeepEveryAccountReconciledWhileManyTradeAtOnce) {
    constexpr int kFresh = 6;
    constexpr int kSteps = 60;
    // The seeded accounts carry a lot of nickel on the order book: the first of firm F001 lists
    // sells and delists buy listings, the second of firm F002 lists buys and delists sells.
    TradeClient seller = loggedIn("200000000000001");
    TradeClient buyer = loggedIn("200000000000002");
    const int64_t close = liveQuote("NI").yesterdayClose;
    auto nickel = [close](const std::string& side, int64_t offset, const std::string& qty) {
        return Fields{
            {"BUY_SELL", side}, {"COMMODITY_ID", "NI"}, {"PRICE", std::to_string(close + offset)},
            {"QTY", qty},       {"SETTLE_BASIS", "1"},  {"ISLIST", "0"},
            {"CLOSEMODE", "1"}, {"HOLDING_ID", ""},     {"LIST_PICK", "1"},
            {"P_F", "2"}};
    };
    for (int i = 0; i < 2; ++i) {
        ASSERT_EQ(seller.session("/trade", "order_list", nickel("2", 0, "3")).retcode(), 0);
    }
    std::vector<const TradeClient*> traders = {&seller, &buyer};
    std::vector<TradeClient> fresh;
    for (int i = 0; i < kFresh; ++i) {
        fresh.push_back(funded("20000", i % 2 == 0 ? "F001" : "F002"));
    }
    for (const TradeClient& trade : fresh) {
        traders.push_back(&trade);
    }

    std::latch start(static_cast<std::ptrdiff_t>(traders.size()) + 1);
    std::vector<std::thread> threads;
    for (size_t i = 0; i < traders.size(); ++i) {
        threads.emplace_back([&, i] {
            const TradeClient& trade = *traders[i];
            std::mt19937 random(static_cast<unsigned>(i + 1));
            auto pick = [&](int count) { return static_cast<int>(random() % count); };
            start.arrive_and_wait();
            for (int step = 0; step < kSteps; ++step) {
                const std::string side = pick(2) == 0 ? "1" : "2";
                const std::string qty = std::to_string(1 + pick(3));
                const SimQuote live = liveQuote("AU");
                const int64_t near =
                    side == "1" ? live.buyPrice - pick(4) : live.sellPrice + pick(4);
                switch (pick(7)) {
                    case 0:
                    case 1:
                        trade.session("/trade", "order_s", marketOrder(side, "1", qty));
                        break;
                    case 2:
                        trade.session("/trade", "order_s", marketOrder(side, "2", qty));
                        break;
                    case 3:
                        trade.session(
                            "/trade", "order_x",
                            conditional(side, near, side == "1" ? near - 20 : near + 20, qty));
                        break;
                    case 4:
                        if (i == 0) {
                            trade.session("/trade", pick(2) == 0 ? "order_list" : "order_mp",
                                          nickel("2", pick(2), qty));
                        } else if (i == 1) {
                            trade.session("/trade", pick(2) == 0 ? "order_list" : "order_mp",
                                          nickel("1", pick(2) - 1, qty));
                        }
                        break;
                    case 5: {
                        // Only the buyer withdraws listings, so the seller's stay for its delists.
                        const Json orders =
                            trade.session("/trade", "my_order_query", {{"OR_ST", "1"}}).records();
                        if (!orders.empty() && (orders[0]["O_T"] == "1" || i == 1)) {
                            trade.session("/trade",
                                          orders[0]["O_T"] == "2" ? "order_list_wd" : "order_wd",
                                          {{"ORDER_NO", orders[0]["OR_N"]}});
                        }
                        break;
                    }
                    default:
                        trade.session("/funds", "money_transfer",
                                      pick(2) == 0 ? deposit("300") : withdrawal("200"));
                }
            }
        });
    }
    // Prices move under the traders, so conditional orders fill and stops fire as they go;
    // the clock moves five minutes in all, far from the sessions' idle limit.
    threads.emplace_back([&] {
        std::mt19937 random(99);
        start.arrive_and_wait();
        for (int move = 0; move < 300; ++move) {
            movePrice("AU", static_cast<int64_t>(random() % 31) - 15);
            m_exchange->clock().advance(1000);
            std::this_thread::yield();
        }
    });
    for (auto& thread : threads) {
        thread.join();
    }

    int64_t boughtFromBook = 0, soldToBook = 0, deals = 0, conditionalDeals = 0;
    for (const TradeClient* trade : traders) {
        reconcile(*trade);
        for (const auto& deal : trade->session("/trade", "tradequery", all()).records()) {
            ++deals;
            conditionalDeals += deal["TR_T"] == "6";
            if (deal["CO_I"] == "NI") {
                (deal["TY"] == "1" ? boughtFromBook : soldToBook) += integer(deal["QTY"]);
            }
        }
    }
    EXPECT_GT(deals, 100) << "the accounts really traded";
    EXPECT_GT(conditionalDeals, 0) << "conditional orders filled as prices moved";
    EXPECT_GT(boughtFromBook, 0) << "listings were taken";
    EXPECT_EQ(boughtFromBook, soldToBook) << "every lot taken from the book was sold by an account";
}
