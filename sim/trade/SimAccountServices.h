#pragma once

// The XML account services of the simulated exchange: the open-account service list, the member
// rights, SMS codes (request and check, giving token B), the phone check and password reset by
// SMS code, and account creation; plus the answer to the line-test probe. Served on every trading
// line ("/account/<exchange>/<environment>", "/sms/reqcode", "/sms/verifycode"); the directory
// server forwards the two requests sent to its own address. Owned by SimTradeService; any thread.

#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "sim/core/SimRandom.h"

class SimMarket;
class SimTradeServer;

class SimAccountServices {
public:
    // SMS codes age by the market's clock.
    SimAccountServices(uint64_t seed, const SimMarket& market);

    static constexpr int64_t kCodeLifetimeMs = 5 * 60 * 1000;

    // The trading servers whose accounts the services manage; set once before serving.
    void setServers(std::vector<SimTradeServer*> servers) { m_servers = std::move(servers); }

    // The reply body to one XML request posted to `path`.
    std::string reply(const std::string& path, const std::string& body);

    // The SMS code last sent to a phone, for tests.
    std::optional<std::string> smsCode(const std::string& phone);

private:
    struct Sms {
        std::string phone;
        std::string code;
        std::string account;  // set by the phone check of a password reset
        SimTradeServer* server = nullptr;
        int64_t sentMs = 0;
    };

    std::string openAccountList();
    std::string memberRights(const std::string& platform);
    std::string requestCode(const std::string& body);
    std::string verifyCode(const std::string& body);
    std::string phoneCheck(const std::string& body);
    std::string resetPassword(const std::string& body);
    std::string createUser(const std::string& path, const std::string& body);
    std::string retrieveAccount(const std::string& path, const std::string& body);
    // The environment named by an account-service path "/account/<exchange>/<environment>".
    SimTradeServer* serverOfPath(const std::string& path) const;
    // The phone verified with this token B (the token is used up), or empty.
    std::string takeToken(const std::string& token);
    bool expired(const Sms& sms) const;
    SimTradeServer* server(const std::string& jys, const std::string& env) const;
    std::string sendCode(const std::string& phone, const std::string& account,
                         SimTradeServer* server);

    const SimMarket& m_market;
    std::vector<SimTradeServer*> m_servers;
    std::mutex m_mutex;
    SimRandom m_random;
    std::map<std::string, Sms> m_sms;                // SSID -> code sent
    std::map<std::string, std::string> m_tokens;     // token B -> verified phone
    std::map<std::string, std::string> m_lastCodes;  // phone -> last code
};
