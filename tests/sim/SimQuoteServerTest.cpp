#include <gtest/gtest.h>
#include <httplib.h>

#include "sim/quote/SimWire.h"
#include "support/SimExchangeFixture.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes request(uint16_t protocol, uint32_t session, const Bytes& body = {}) {
    SimWireWriter w;
    w.u16(protocol);
    w.u32(session);
    w.u32(static_cast<uint32_t>(body.size()));
    w.bytes(body);
    return w.data();
}

uint32_t sessionFrom(const Bytes& reply) {
    SimWireReader r(reply.data() + 10, reply.size() - 10);
    return r.u32();
}

class SimQuoteServerTest : public SimExchangeFixture {
protected:
    Bytes ask(int server, const Bytes& bytes) {
        return sim().quoteServer(server).handle(bytes, "http://127.0.0.1:1");
    }
    uint32_t logIn(int server) {
        return sessionFrom(ask(server, request(2, 0, {0x00, 0x00, 0x00, 0x00, 0x00})));
    }
};

}  // namespace

TEST(SimWire, shouldWriteBigEndianFieldsAndLengthPrefixedText) {
    SimWireWriter w;
    w.i16(-2);
    w.u32(0x01020304);
    w.i64(-1);
    w.str("银");
    EXPECT_EQ(w.data(), (Bytes{0xFF, 0xFE, 0x01, 0x02, 0x03, 0x04, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                               0xFF, 0xFF, 0xFF, 0x00, 0x03, 0xE9, 0x93, 0xB6}));
    SimWireReader r(w.data().data(), w.size());
    EXPECT_EQ(r.i16(), -2);
    EXPECT_EQ(r.u32(), 0x01020304u);
    EXPECT_EQ(r.i64(), -1);
    EXPECT_EQ(r.str(), "银");
    EXPECT_TRUE(r.exhausted());
    EXPECT_EQ(r.u8(), 0);
    EXPECT_TRUE(r.failed());
}

TEST_F(SimQuoteServerTest, shouldAnswerServerProtocolWithHandComputedBytes) {
    EXPECT_EQ(ask(0, request(1, 0)),
              (Bytes{0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x02, 0x00, 0x05}));
}

TEST_F(SimQuoteServerTest, shouldRefuseDataWithoutSessionAs2003WithEmptyBody) {
    EXPECT_EQ(ask(0, request(10, 0)),
              (Bytes{0x00, 0x0A, 0x00, 0x00, 0x07, 0xD3, 0x00, 0x00, 0x00, 0x00}));
}

TEST_F(SimQuoteServerTest, shouldListMarketsOfTheSecondServerExactly) {
    const uint32_t session = logIn(1);
    EXPECT_NE(session, 0u);
    EXPECT_EQ(
        ask(1, request(10, session)),
        (Bytes{0x00, 0x0A, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x01, 0x00,
               0x03, 0x00, 0x02, 0x00, 0x01, 0x00, 0x00, 0x01, 0x00, 0x02, 0x00, 0x00, 0x00}));
}

TEST_F(SimQuoteServerTest, shouldAnswerMalformedUnknownAndRefusedRequestsWithCodes) {
    const uint32_t session = logIn(0);
    Bytes wrongLength = request(11, session, {0x00, 0x01, 0x00, 0x01});
    wrongLength.pop_back();
    auto code = [](const Bytes& reply) {
        SimWireReader r(reply.data(), reply.size());
        r.u16();
        return r.i32();
    };
    EXPECT_EQ(code(ask(0, wrongLength)), 1);
    EXPECT_EQ(code(ask(0, request(11, session, {0x00, 0x01, 0x00, 0x01, 0x00}))), 1);
    EXPECT_EQ(code(ask(0, request(99, session))), 2);
    EXPECT_EQ(code(ask(0, request(11, session, {0x00, 0x01, 0x00, 0x09}))), 3);
    EXPECT_EQ(code(ask(0, request(2, 0, {0x01, 0x00, 0x01, 'a', 0x00, 0x00}))), 4);
    EXPECT_EQ(code(ask(0, request(11, session, {0x00, 0x01, 0x00, 0x01}))), 0);
    // Each refusal asked for answers one request 2003; the session lives on.
    httplib::Client control(sim().controlUrl());
    for (int refusals = 0; refusals < 2; ++refusals) {
        ASSERT_TRUE(control.Post("/control/quote/lost?server=0&protocol=11"));
    }
    for (int32_t expected : {2003, 2003, 0}) {
        EXPECT_EQ(code(ask(0, request(11, session, {0x00, 0x01, 0x00, 0x01}))), expected);
    }
    sim().quoteServer(0).expireSessions();
    EXPECT_EQ(code(ask(0, request(11, session, {0x00, 0x01, 0x00, 0x01}))), 2003);
}

// A refused panel stays refused across new sessions until lifted; its neighbours are answered.
TEST_F(SimQuoteServerTest, shouldRefuseOnePanelsListUntilLifted) {
    const auto code = [this](uint32_t session, const Bytes& panel) {
        const Bytes reply = ask(0, request(11, session, panel));
        SimWireReader r(reply.data() + 2, 4);
        return r.i32();
    };
    const Bytes refused{0x00, 0x02, 0x00, 0x01};
    httplib::Client control(sim().controlUrl());
    ASSERT_TRUE(control.Post("/control/quote/panel/refuse?server=0&market=2&disk=1"));
    for (int renewal = 0; renewal < 2; ++renewal) {
        const uint32_t session = logIn(0);
        EXPECT_EQ(code(session, refused), 2003);
        EXPECT_EQ(code(session, {0x00, 0x01, 0x00, 0x01}), 0);
    }
    ASSERT_TRUE(control.Post("/control/quote/panel/refuse?server=0&market=2&disk=1&on=0"));
    EXPECT_EQ(code(logIn(0), refused), 0);
    EXPECT_EQ(control.Post("/control/quote/panel/refuse?server=0&market=2")->status, 400);
}

TEST_F(SimQuoteServerTest, shouldSpoilOnlyTheNextReplyOfTheProtocol) {
    sim().quoteServer(0).malformNext(1, SimMalform::ShortHead);
    EXPECT_EQ(ask(0, request(1, 0)).size(), 5u);
    EXPECT_EQ(ask(0, request(1, 0)).size(), 12u);
    sim().quoteServer(0).malformNext(0, SimMalform::ExtraByte);
    EXPECT_EQ(ask(0, request(1, 0)).size(), 13u);
    EXPECT_EQ(sim().quoteServer(0).requestCount(1), 3);
}

TEST_F(SimQuoteServerTest, shouldFailOnlyTheChosenProtocolOnTheWayWhileAsked) {
    auto& server = sim().quoteServer(1);
    server.failInTransport(1, true);
    for (std::size_t line = 0; line < server.lineCount(); ++line) {
        httplib::Client client(server.line(line).baseUrl());
        auto post = [&](uint16_t protocol) {
            const Bytes body = request(protocol, 0);
            return client.Post("/quote", std::string(body.begin(), body.end()),
                               "application/oct-stream");
        };
        auto failed = post(1);
        ASSERT_TRUE(failed);
        EXPECT_EQ(failed->status, 503);
        EXPECT_TRUE(failed->body.empty());
        auto other = post(10);
        ASSERT_TRUE(other);
        EXPECT_EQ(other->status, 200);
    }
    server.failInTransport(1, false);
    httplib::Client client(server.line(0).baseUrl());
    const Bytes body = request(1, 0);
    auto answered = client.Post("/quote", std::string(body.begin(), body.end()), "text/plain");
    ASSERT_TRUE(answered);
    EXPECT_EQ(answered->status, 200);
    EXPECT_EQ(Bytes(answered->body.begin(), answered->body.end()),
              (Bytes{0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x02, 0x00, 0x05}));
}

TEST_F(SimQuoteServerTest, shouldAnswerABarlessPeriodWithAnEmptySeriesWhileAsked) {
    const uint32_t session = logIn(0);
    // Market 1, disk 1, commodity 1, period 6, 3000 bars, the newest, direction 0, 30 files.
    const Bytes body{0x00, 0x01, 0x00, 0x01, 0x00, 0x01, 0x06, 0x00, 0x00, 0x0b, 0xb8,
                     0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0x00, 0x00, 0x1e};
    // Bar count after head (10), series count (2), commodity, period (4) and price frame (5).
    const auto bars = [](const Bytes& reply) {
        SimWireReader r(reply.data() + 21, 4);
        return r.i32();
    };
    httplib::Client control(sim().controlUrl());
    ASSERT_TRUE(control.Post("/control/quote/barless?server=0&period=6"));
    const Bytes barless = ask(0, request(33, session, body));
    EXPECT_EQ(barless.size(), 27u);
    EXPECT_EQ(bars(barless), 0);
    EXPECT_EQ(Bytes(barless.end() - 2, barless.end()), (Bytes{0x00, 0x00}));
    ASSERT_TRUE(control.Post("/control/quote/barless?server=0&period=6&on=0"));
    EXPECT_EQ(bars(ask(0, request(33, session, body))), 3000);
}

TEST_F(SimQuoteServerTest, shouldPriceQuoteEntriesFromYesterdaysClose) {
    const uint32_t session = logIn(0);
    const Bytes reply = ask(0, request(37, session, {0x00, 0x02, 0x00, 0x01}));
    SimWireReader r(reply.data() + 10, reply.size() - 10);
    EXPECT_EQ(r.i16(), 2);
    EXPECT_EQ(r.i16(), 1);
    EXPECT_EQ(r.u16(), 2);
    EXPECT_EQ(r.i16(), 6);  // PD
    EXPECT_EQ(r.u8(), 2);
    EXPECT_EQ(r.i16(), 49);
    EXPECT_EQ(r.u8(), 2);
    const SimQuote quote = *sim().market().quote(0, 6);
    EXPECT_EQ(r.i32(), quote.yesterdayClose);
    EXPECT_EQ(r.i32(), quote.newPrice - quote.yesterdayClose);
}
