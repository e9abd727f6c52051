#include <gtest/gtest.h>
#include <httplib.h>

#include <chrono>
#include <future>
#include <thread>
#include <nlohmann/json.hpp>

#include "platform/pace/PacedTime.h"
#include "sim/trade/SimTradeServer.h"
#include "sim/trade/SimTradeService.h"
#include "support/SimExchangeFixture.h"
#include "support/TestClock.h"

namespace {

class SimControlRoutesTest : public SimExchangeFixture {
protected:
    std::string post(const std::string& path) {
        httplib::Client client(sim().controlUrl());
        auto result = client.Post(path.c_str());
        return result ? std::to_string(result->status) + " " + result->body : "no answer";
    }
    std::string armed() {
        auto result = httplib::Client(sim().controlUrl()).Get("/control/armed");
        return result ? result->body : "no answer";
    }
};

}  // namespace

TEST_F(SimControlRoutesTest, shouldMoveTheClock) {
    const int64_t before = sim().clock().nowMs();
    EXPECT_EQ(post("/control/advance?ms=2500"), "200 ok");
    EXPECT_EQ(sim().clock().nowMs(), before + 2500);
    EXPECT_EQ(post("/control/advance"), "400 ms missing");
}

TEST_F(SimControlRoutesTest, shouldRefuseAndRestoreALine) {
    const std::string line = sim().quoteServer(1).line(1).baseUrl();
    EXPECT_EQ(armed(), "");
    EXPECT_EQ(post("/control/quote/line?server=1&line=1&state=refuse"), "200 ok");
    EXPECT_FALSE(httplib::Client(line).Post("/quote"));
    EXPECT_EQ(armed(), "quote 1: line 1 refuses\n");
    EXPECT_EQ(post("/control/quote/line?server=1&line=1&state=normal"), "200 ok");
    EXPECT_EQ(armed(), "");
    auto answer =
        httplib::Client(line).Post("/quote", std::string(10, '\0'), "application/oct-stream");
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->status, 200);
    EXPECT_EQ(post("/control/quote/line?server=1&line=1&state=late&delayMs=1"), "200 ok");
    EXPECT_EQ(sim().quoteServer(1).line(1).delayMs(), 1);
    EXPECT_EQ(post("/control/quote/line?server=7&line=0&state=refuse"), "400 unknown server");
    EXPECT_EQ(post("/control/quote/line?server=0&line=0&state=sideways"), "400 unknown state");
}

// As on a loaded machine: no hold, so test time stands still while a line works.
TEST_F(SimControlRoutesTest, shouldWorkOnEachRequestOfEveryServiceInRealTimeWhileTestTimeStands) {
    TestClock clock(20);
    EXPECT_EQ(post("/control/work?ms=300"), "200 ok");
    for (SimHttpLine* line : {&sim().quoteServer(1).line(1), &sim().directory().line(0),
                              &sim().trade().server(0).line(1)}) {
        const auto start = std::chrono::steady_clock::now();
        const double pacedStart = PacedTime::seconds();
        ASSERT_TRUE(httplib::Client(line->baseUrl()).Get("/"));
        EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(300))
            << line->baseUrl();
        EXPECT_LT(PacedTime::seconds() - pacedStart, 3)
            << "time ran while " << line->baseUrl() << " worked";
    }
    SimHttpLine& last = sim().trade().server(sim().trade().serverCount() - 1).line(0);
    EXPECT_EQ(last.workMs(), 300);
    EXPECT_EQ(post("/control/work?ms=0"), "200 ok");
    EXPECT_EQ(last.workMs(), 0);
    EXPECT_EQ(post("/control/work"), "400 ms missing");
}

TEST_F(SimControlRoutesTest, shouldExpireSessionsAndSpoilReplies) {
    EXPECT_EQ(post("/control/quote/expire?server=0"), "200 ok");
    EXPECT_EQ(post("/control/quote/malform?server=0&protocol=1&kind=cut-body"), "200 ok");
    EXPECT_EQ(post("/control/directory/fail?count=2"), "200 ok");
    EXPECT_EQ(armed(),
              "quote 0: the next reply of 1 spoiled\ndirectory: the next 2 answered 503\n");
    auto answer =
        httplib::Client(sim().quoteServer(0).line(0).baseUrl())
            .Post("/quote", std::string(10, '\0').replace(1, 1, "\x01"), "application/oct-stream");
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->body.size(), 11u);
    EXPECT_EQ(armed(), "directory: the next 2 answered 503\n") << "the spoiled reply is spent";
    EXPECT_EQ(post("/control/quote/malform?server=0&kind=melted"), "400 unknown server or kind");
}

TEST_F(SimControlRoutesTest, shouldHoldAProtocolsRequestsUntilReleased) {
    EXPECT_EQ(post("/control/quote/hold?server=0&protocol=1"), "200 ok");
    auto answer = std::async(std::launch::async, [this] {
        return httplib::Client(sim().quoteServer(0).line(0).baseUrl())
            .Post("/quote", std::string(10, '\0').replace(1, 1, "\x01"), "application/oct-stream");
    });
    httplib::Client control(sim().controlUrl());
    const auto held = [&] { return control.Get("/control/quote/held?server=0&protocol=1")->body; };
    while (held() != "1") {
        ASSERT_EQ(answer.wait_for(std::chrono::milliseconds(10)), std::future_status::timeout);
    }
    EXPECT_EQ(post("/control/quote/release?server=0&protocol=1"), "200 ok");
    ASSERT_TRUE(answer.get());
    EXPECT_EQ(held(), "0");
    EXPECT_EQ(post("/control/quote/hold?server=0"), "400 unknown server or protocol");
}

TEST_F(SimControlRoutesTest, shouldListQuoteLines) {
    httplib::Client client(sim().controlUrl());
    auto status = client.Get("/control/status");
    ASSERT_TRUE(status);
    EXPECT_NE(status->body.find("quote 1 " + sim().quoteLineUrls(1)[0]), std::string::npos);
}

TEST_F(SimControlRoutesTest, shouldCountTheTradingRequestsOfAnEnvironmentByName) {
    SimTradeServer* server = sim().trade().server("01", "01");
    ASSERT_NE(server, nullptr);
    httplib::Client line(server->lineBase(0));
    EXPECT_EQ(post("/control/trade/answer?jys=01&env=01&code=1004&name=order_s"), "200 ok");
    EXPECT_EQ(armed(), "trade 01/01: the next order_s answered 1004\n");
    for (const char* path :
         {"/trade?req=order_s", "/trade?req=order_s", "/funds?req=money_transfer"}) {
        ASSERT_TRUE(line.Post(path, "{}", "text/plain"));
    }
    EXPECT_EQ(armed(), "");
    httplib::Client control(sim().controlUrl());
    auto counts = control.Get("/control/trade/requests?jys=01&env=01");
    ASSERT_TRUE(counts);
    EXPECT_EQ(counts->body, R"({"money_transfer":1,"order_s":2})");
    auto unknown = control.Get("/control/trade/requests?jys=01&env=77");
    ASSERT_TRUE(unknown);
    EXPECT_EQ(unknown->status, 400);
}

TEST_F(SimControlRoutesTest, shouldListTheOrdersReceivedAndCloseAHoldingFromElsewhere) {
    SimTradeServer* server = sim().trade().server("01", "01");
    ASSERT_NE(server, nullptr);
    httplib::Client line(server->lineBase(0));
    for (const char* price : {"1", "2"}) {
        const std::string body = std::string(R"({"VUZI":{"REQ":{"PRICE":")") + price + "\"}}}";
        ASSERT_TRUE(line.Post("/trade?req=order_x", body, "text/plain"));
    }
    ASSERT_TRUE(line.Post("/trade?req=holding_query", "{}", "text/plain"));
    httplib::Client control(sim().controlUrl());
    auto received = control.Get("/control/trade/received?jys=01&env=01&from=1&names=order_x");
    ASSERT_TRUE(received);
    EXPECT_EQ(received->body,
              R"({"next":3,"requests":[{"name":"order_x","fields":{"PRICE":"2"}}]})");

    const std::string account = "100000000000001";
    const auto held = server->ledger().books(account)["holdings"];
    ASSERT_EQ(held.size(), 1u);
    const std::string close = "/control/trade/close?jys=01&env=01&account=" + account +
                              "&holding=" + std::to_string(held[0]["id"].get<int64_t>());
    EXPECT_EQ(post(close), "200 ok");
    EXPECT_TRUE(server->ledger().books(account)["holdings"].empty());
    EXPECT_EQ(post(close), "400 no such holding with free lots");
    EXPECT_EQ(post("/control/trade/take?jys=01&env=01&listing=1"), "400 no such open listing");
}

// The other device's opening is in the account's books, without a session of its own.
TEST_F(SimControlRoutesTest, shouldOpenAtMarketForAnAccountAsItsOtherDeviceWould) {
    SimTradeLedger& ledger = sim().trade().server("01", "01")->ledger();
    const size_t before = ledger.books("100000000000001")["deals"].size();
    EXPECT_EQ(post("/control/trade/order?jys=01&env=01&account=100000000000001&commodity=AG"
                   "&side=1&qty=2"),
              "200 ok");
    const auto deals = ledger.books("100000000000001")["deals"];
    ASSERT_EQ(deals.size(), before + 1);
    EXPECT_EQ(deals.back()["commodity"], "AG");
    EXPECT_EQ(deals.back()["qty"], 2);
    EXPECT_EQ(post("/control/trade/order?jys=01&env=01&account=100000000000001&commodity=XX"),
              R"(400 {"retcode":2001,"message":"商品不存在"})");
}

// What the trading side should show: the quote side's price of each code, moved by a control.
TEST_F(SimControlRoutesTest, shouldServeEachCodesLivePriceAsTheQuoteSideHasIt) {
    httplib::Client control(sim().controlUrl());
    const auto priceOfSilver = [&] {
        auto prices = control.Get("/control/trade/prices?jys=01&env=01");
        return prices ? nlohmann::json::parse(prices->body).value("AG", "") : "";
    };
    const std::string before = priceOfSilver();
    ASSERT_FALSE(before.empty());
    EXPECT_EQ(post("/control/trade/price?jys=01&env=01&commodity=AG&delta=7"), "200 ok");
    EXPECT_EQ(std::stod(priceOfSilver()), std::stod(before) + 7);
    EXPECT_EQ(post("/control/quote/lost?server=7&protocol=35"), "400 unknown server");
}

// The tests' own control requests are no request of the client: one that refuses a line waits for
// the line's held heartbeat to lapse, which only running time ends.
TEST_F(SimControlRoutesTest, shouldRefuseALineWhoseHeartbeatIsHeldWhileTimeRuns) {
    TestClock clock(20);
    SimTradeServer& trade = sim().trade().server(0);
    trade.beatSwap().arm({});
    auto beat = std::async(std::launch::async, [&] {
        // As the paced client counts its heartbeat.
        PacedTime::Travel travel;
        httplib::Client client(trade.lineBase(0));
        client.set_read_timeout(60);
        return static_cast<bool>(client.Post("/trade?req=SYS_TIME_QUERY", "{}", "text/plain"));
    });
    const auto armed = std::chrono::steady_clock::now();
    while (!trade.beatSwap().firstWaits() &&
           std::chrono::steady_clock::now() - armed < std::chrono::seconds(30)) {
        std::this_thread::yield();
    }
    ASSERT_TRUE(trade.beatSwap().firstWaits());
    const auto start = std::chrono::steady_clock::now();
    httplib::Client control(sim().controlUrl());
    control.set_read_timeout(60);
    const std::string line = "/control/trade/line?jys=" + trade.environment().jysCode +
                             "&env=" + trade.environment().envCode + "&line=0&state=refuse";
    const auto refused = control.Post(line.c_str());
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->status, 200);
    // The swap's 10 s lapse in half a second when time runs; 30 s when the request stops it.
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(15));
    beat.wait();
}
