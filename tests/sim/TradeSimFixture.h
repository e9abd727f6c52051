#pragma once

// Starts the simulated exchange in-process (manual clock, seed 1) and hands out hand-written
// trading clients for its environments, logged in when asked.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "sim/TradeClient.h"
#include "sim/core/SimExchange.h"

// The demo environment's two seeded trading accounts, of firms F001 and F002.
inline constexpr const char* kAlice = "200000000000001";
inline constexpr const char* kBob = "200000000000002";

struct CaptchaFrame {
    int tag = 0;
    std::string version;
    int64_t code = -1;
    std::string message;
    std::string image;
    std::string id;
};

// An exact decimal text of a reply ("-12.5", "3.07", "42") in cents.
int64_t cents(const Json& value);
// A decimal text of a reply as a number.
double money(const Json& value);

// Reads a captcha reply frame; false when its lengths run past its end.
bool readCaptchaFrame(const std::string& body, CaptchaFrame& frame);

class TradeSimTest : public ::testing::Test {
protected:
    static constexpr const char* kPassword = "111111";
    static constexpr const char* kFundPassword = "222222";
    // Real environment with captcha, and the environment of type 2 without.
    static constexpr const char* kEast = "01";
    static constexpr const char* kDemo = "02";

    void SetUp() override;
    void TearDown() override;

    SimTradeServer& server(const std::string& env = kDemo, const std::string& jys = kEast);
    TradeClient client(const std::string& env = kDemo, size_t line = 0);
    // A client logged in to `account`; fails the test when the logon is refused.
    TradeClient loggedIn(const std::string& account, const std::string& env = kDemo);
    // A captcha of the captcha environment: its identifier and the code it shows.
    std::pair<std::string, std::string> captcha(const TradeClient& client);
    std::string nextLogonTime();
    void movePrice(const std::string& commodity, int64_t units, const std::string& env = kDemo);
    // The live quote of a trading code of an environment (its own quote panel's instrument).
    SimQuote liveQuote(const std::string& commodity, const std::string& env = kDemo);
    // Moves the exchange's clock to its next midnight (UTC+8) plus `offsetMs` (before it when
    // negative); sessions stay live however far it goes.
    void toTheExchangeMidnight(int64_t offsetMs);

    std::unique_ptr<SimExchange> m_exchange;
    int64_t m_logonTime = 1764800000000;
};
