#include <algorithm>

#include "sim/TradeSimFixture.h"

// Deal and order pages of a busy account: every filter, first row and count the screens send
// gives the rows the account's books hold, newest first.
namespace {

struct PageCase {
    const char* name;
    Fields fields;
};

Fields order(const std::string& code, const std::string& side, const std::string& settle,
             const std::string& qty) {
    return {{"BUY_SELL", side}, {"COMMODITY_ID", code},   {"PRICE", ""},
            {"QTY", qty},       {"SETTLE_BASIS", settle}, {"DOT_DIFF", ""},
            {"CLOSEMODE", "1"}, {"HOLDING_ID", ""},       {"OTHER_ID", "F001"}};
}

std::string field(const Fields& fields, const std::string& key) {
    for (const auto& [name, value] : fields) {
        if (name == key) {
            return value;
        }
    }
    return {};
}

// The rows of `all` (newest first) that a page of `fields` should hold.
std::vector<int64_t> expectedPage(const std::vector<int64_t>& all, const Fields& fields,
                                  size_t pageSize) {
    const std::string start = field(fields, "STARTNUM");
    const std::string count = field(fields, "RECCNT");
    const size_t first = start.empty() ? 0 : std::stoul(start) - 1;
    size_t rows = count.empty() ? (start.empty() ? all.size() : pageSize) : std::stoul(count);
    std::vector<int64_t> page;
    for (size_t i = first; i < all.size() && page.size() < rows; ++i) {
        page.push_back(all[i]);
    }
    return page;
}

}  // namespace

class TradePagingTest : public TradeSimTest {
protected:
    std::vector<int64_t> numbers(const Json& rows, const char* key) {
        std::vector<int64_t> out;
        for (const auto& row : rows) {
            out.push_back(std::stoll(row[key].get<std::string>()));
        }
        return out;
    }
};

TEST_F(TradePagingTest, shouldPageFilteredDealsNewestFirstFromAnyRow) {
    TradeClient trade = loggedIn("200000000000002");
    // Deals of both sides and settlements in two commodities, interleaved.
    for (int round = 0; round < 6; ++round) {
        for (const std::string code : {"AU", "CU"}) {
            const std::string side = round % 2 == 0 ? "1" : "2";
            ASSERT_EQ(trade.session("/trade", "order_s", order(code, side, "1", "2")).retcode(), 0);
            ASSERT_EQ(
                trade.session("/trade", "order_s", order(code, side == "1" ? "2" : "1", "2", "1"))
                    .retcode(),
                0);
        }
    }
    const Json booked = server().ledger().books("200000000000002")["deals"];
    ASSERT_EQ(booked.size(), 24u);
    const int64_t middle = booked[10]["no"];
    const std::vector<PageCase> cases = {
        {"every deal", {}},
        {"first page", {{"STARTNUM", "1"}}},
        {"second page", {{"STARTNUM", "11"}}},
        {"a count from the middle", {{"STARTNUM", "7"}, {"RECCNT", "5"}}},
        {"past the end", {{"STARTNUM", "30"}}},
        {"bought", {{"BUY_SELL", "1"}}},
        {"closing sells from the third", {{"BUY_SELL", "2"}, {"OR_OC", "2"}, {"STARTNUM", "3"}}},
        {"one commodity, second page",
         {{"COMMODITY_ID", "CU"}, {"STARTNUM", "2"}, {"RECCNT", "3"}}},
        {"opening copper sells", {{"COMMODITY_ID", "CU"}, {"OR_OC", "1"}, {"BUY_SELL", "2"}}},
        {"after a deal", {{"LAST_TRADE_ID", std::to_string(middle)}}},
        {"after a deal, gold, from the second",
         {{"LAST_TRADE_ID", std::to_string(middle)}, {"COMMODITY_ID", "AU"}, {"STARTNUM", "2"}}},
        {"an unknown commodity", {{"COMMODITY_ID", "XX"}}},
    };
    for (const PageCase& each : cases) {
        SCOPED_TRACE(each.name);
        std::vector<int64_t> all;
        for (auto deal = booked.rbegin(); deal != booked.rend(); ++deal) {
            const std::string code = field(each.fields, "COMMODITY_ID");
            const std::string side = field(each.fields, "BUY_SELL");
            const std::string settle = field(each.fields, "OR_OC");
            const std::string after = field(each.fields, "LAST_TRADE_ID");
            if ((code.empty() || (*deal)["commodity"] == code) &&
                (side.empty() || std::to_string((*deal)["side"].get<int>()) == side) &&
                (settle.empty() || std::to_string((*deal)["settle"].get<int>()) == settle) &&
                (after.empty() || (*deal)["no"].get<int64_t>() > std::stoll(after))) {
                all.push_back((*deal)["no"]);
            }
        }
        const Reply reply = trade.session("/trade", "tradequery", each.fields);
        ASSERT_EQ(reply.retcode(), 0);
        EXPECT_EQ(reply.rep()["TTLREC"], std::to_string(all.size()));
        EXPECT_EQ(numbers(reply.records(), "TR_N"), expectedPage(all, each.fields, 10));
    }
}

TEST_F(TradePagingTest, shouldPageOrdersByStatusAsTheyFillAndAreCancelled) {
    TradeClient trade = loggedIn("200000000000002");
    const SimQuote live = liveQuote("AU");
    std::vector<int64_t> placedAt;
    for (int i = 0; i < 9; ++i) {
        placedAt.push_back(m_exchange->clock().nowMs());
        const bool buy = i % 3 != 2;
        // Every third order is a sell far above the market; the others buy one tick apart.
        const int64_t price = buy ? live.buyPrice - 3 + i : live.sellPrice + 500;
        const std::string text =
            std::to_string(price / 100) + "." + std::to_string(100 + price % 100).substr(1);
        const Fields fields = {{"BUY_SELL", buy ? "1" : "2"},
                               {"COMMODITY_ID", "AU"},
                               {"PRICE", text},
                               {"QTY", "1"},
                               {"STOP_LOSS", "0"},
                               {"STOP_PROFIT", "0"},
                               {"VALIDITY_TYPE", "0"},
                               {"OTHER_ID", "F001"}};
        ASSERT_EQ(trade.session("/trade", "order_x", fields).retcode(), 0);
        m_exchange->clock().advance(1000);
    }
    // The price falls through some buys, which fill; then two orders are cancelled.
    movePrice("AU", -2);
    trade.session("/trade", "firm_info", {});
    Json booked = server().ledger().books("200000000000002")["orders"];
    for (size_t at : {1u, 2u}) {
        ASSERT_EQ(trade.session("/trade", "order_wd",
                                {{"ORDER_NO", std::to_string(booked[at]["no"].get<int64_t>())}})
                          .retcode() == 0,
                  booked[at]["status"] == 1);
    }
    booked = server().ledger().books("200000000000002")["orders"];
    std::set<int> statuses;
    for (const auto& item : booked) {
        statuses.insert(item["status"].get<int>());
    }
    ASSERT_EQ(statuses, (std::set<int>{1, 2, 3})) << booked.dump();
    const std::vector<PageCase> cases = {
        {"every order", {}},
        {"open ones", {{"OR_ST", "1"}}},
        {"filled ones", {{"OR_ST", "2"}}},
        {"cancelled ones", {{"OR_ST", "3"}}},
        {"open sells", {{"OR_ST", "1"}, {"BUY_SELL", "2"}}},
        {"open buys from the second", {{"OR_ST", "1"}, {"BUY_SELL", "1"}, {"STARTNUM", "2"}}},
        {"a page of two from the third", {{"STARTNUM", "3"}, {"RECCNT", "2"}}},
        {"placed since the fifth", {{"UT", std::to_string(placedAt[4])}}},
        {"listings", {{"OR_TP", "2"}}},
    };
    for (const PageCase& each : cases) {
        SCOPED_TRACE(each.name);
        std::vector<int64_t> all;
        for (size_t i = booked.size(); i-- > 0;) {
            const Json& item = booked[i];
            const std::string status = field(each.fields, "OR_ST");
            const std::string side = field(each.fields, "BUY_SELL");
            const std::string kind = field(each.fields, "OR_TP");
            const std::string since = field(each.fields, "UT");
            if ((status.empty() || std::to_string(item["status"].get<int>()) == status) &&
                (side.empty() || std::to_string(item["side"].get<int>()) == side) &&
                (kind.empty() || std::to_string(item["kind"].get<int>()) == kind) &&
                (since.empty() || placedAt[i] >= std::stoll(since))) {
                all.push_back(item["no"]);
            }
        }
        const Reply reply = trade.session("/trade", "my_order_query", each.fields);
        ASSERT_EQ(reply.retcode(), 0);
        EXPECT_EQ(reply.rep()["TTLREC"], std::to_string(all.size()));
        EXPECT_EQ(numbers(reply.records(), "OR_N"), expectedPage(all, each.fields, 20));
    }
}
