#include "sim/TradeSimFixture.h"

#include <algorithm>

namespace {
uint64_t little(const std::string& body, size_t at, int width) {
    uint64_t value = 0;
    for (int i = width - 1; i >= 0; --i) {
        value = (value << 8) | static_cast<uint8_t>(body[at + static_cast<size_t>(i)]);
    }
    return value;
}

bool take(const std::string& body, size_t& at, size_t count, std::string& out) {
    if (at + count > body.size()) {
        return false;
    }
    out = body.substr(at, count);
    at += count;
    return true;
}
}  // namespace

double money(const Json& value) {
    return std::stod(value.get<std::string>());
}

int64_t cents(const Json& value) {
    std::string text = value.is_string() ? value.get<std::string>() : value.dump();
    const bool negative = !text.empty() && text[0] == '-';
    if (negative) {
        text.erase(0, 1);
    }
    const auto dot = text.find('.');
    std::string fraction = dot == std::string::npos ? "" : text.substr(dot + 1);
    fraction.resize(2, '0');
    const int64_t whole = std::stoll(text.substr(0, dot));
    const int64_t amount = whole * 100 + std::stoll(fraction);
    return negative ? -amount : amount;
}

bool readCaptchaFrame(const std::string& body, CaptchaFrame& frame) {
    size_t at = 0;
    if (body.size() < 4) {
        return false;
    }
    frame.tag = static_cast<int>(little(body, 0, 2));
    at = 4;
    if (!take(body, at, little(body, 2, 2), frame.version) || at + 10 > body.size()) {
        return false;
    }
    frame.code = static_cast<int64_t>(little(body, at, 8));
    const size_t messageLength = little(body, at + 8, 2);
    at += 10;
    if (!take(body, at, messageLength, frame.message)) {
        return false;
    }
    if (frame.code != 0) {
        return at == body.size();
    }
    if (at + 4 > body.size()) {
        return false;
    }
    const size_t imageLength = little(body, at, 4);
    at += 4;
    if (!take(body, at, imageLength, frame.image) || at + 2 > body.size()) {
        return false;
    }
    const size_t idLength = little(body, at, 2);
    at += 2;
    return take(body, at, idLength, frame.id) && at == body.size();
}

void TradeSimTest::SetUp() {
    m_exchange = std::make_unique<SimExchange>(SimExchange::testOptions());
    ASSERT_TRUE(m_exchange->start());
}

void TradeSimTest::TearDown() {
    m_exchange->stop();
}

SimTradeServer& TradeSimTest::server(const std::string& env, const std::string& jys) {
    return *m_exchange->trade().server(jys, env);
}

TradeClient TradeSimTest::client(const std::string& env, size_t line) {
    return TradeClient(server(env).lineBase(line));
}

std::string TradeSimTest::nextLogonTime() {
    return std::to_string(++m_logonTime);
}

std::pair<std::string, std::string> TradeSimTest::captcha(const TradeClient& client) {
    const std::string request(
        "\x04\x00\x03\x00"
        "1.0",
        7);
    Reply reply = client.post("/trade", request, "binary");
    CaptchaFrame frame;
    EXPECT_TRUE(readCaptchaFrame(reply.body, frame));
    auto code = server(kEast).ledger().captchaCode(frame.id);
    return {frame.id, code.value_or("")};
}

TradeClient TradeSimTest::loggedIn(const std::string& account, const std::string& env) {
    TradeClient trade = client(env);
    std::string code, id;
    if (env == kEast) {
        std::tie(id, code) = captcha(trade);
    }
    Reply reply = trade.logon(account, kPassword, nextLogonTime(), code, id);
    EXPECT_EQ(reply.retcode(), 0) << reply.body;
    EXPECT_FALSE(trade.sessionId().empty());
    return trade;
}

SimQuote TradeSimTest::liveQuote(const std::string& commodity, const std::string& env) {
    auto id = server(env).ledger().quoteId(commodity);
    EXPECT_TRUE(id) << "no commodity " << commodity;
    auto quote = m_exchange->market().quote(server(env).environment().quoteServer, id.value_or(0));
    return quote.value_or(SimQuote{});
}

void TradeSimTest::movePrice(const std::string& commodity, int64_t units, const std::string& env) {
    const int quoteServer = server(env).environment().quoteServer;
    auto id = server(env).ledger().quoteId(commodity);
    ASSERT_TRUE(id) << "no commodity " << commodity;
    ASSERT_TRUE(m_exchange->market().movePrice(quoteServer, *id, units));
}

void TradeSimTest::toTheExchangeMidnight(int64_t offsetMs) {
    constexpr int64_t kDay = 86400000;
    for (const char* env : {kEast, kDemo}) {
        server(env).ledger().setIdleLimitMs(2 * kDay);
    }
    SimClock& clock = m_exchange->clock();
    const int64_t now = clock.nowMs();
    const int64_t midnight =
        SimClock::dayStart(now, m_exchange->market().utcOffsetMinutes()) + kDay;
    clock.advance(std::max<int64_t>(0, midnight + offsetMs - now));
}
