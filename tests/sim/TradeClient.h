#pragma once

// A hand-written trading client for the simulator's tests: builds request bodies the way
// docs/trading-protocol.md describes them, with its own OpenSSL calls, and reads the replies
// as plain JSON. Shares nothing with sim/ or src/trade.

#include <httplib.h>

#include <cstdint>
#include <map>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

using Json = nlohmann::ordered_json;
using Fields = std::vector<std::pair<std::string, std::string>>;

std::vector<uint8_t> testMd5(const std::string& text);
std::vector<uint8_t> testAes(const std::vector<uint8_t>& key, const std::vector<uint8_t>& input,
                             bool encrypt);
std::string testBase64(const std::vector<uint8_t>& bytes);
std::vector<uint8_t> testUnbase64(const std::string& text);
// CLT_TOKEN of an account, password and LOGONTIME text.
std::string testClientToken(const std::string& user, const std::string& password,
                            const std::string& time);

struct Reply {
    int status = 0;  // HTTP status, -1 when no answer came
    std::string body;
    Json json;  // the parsed body, discarded when it is not JSON
    // VUZI/REP of a JSON reply.
    const Json& rep() const;
    int retcode() const;
    // The records of RESULTLIST/REC.
    Json records() const;
};

class TradeClient {
public:
    // `lineBase` is "http://127.0.0.1:<port>" of one trading line.
    explicit TradeClient(std::string lineBase) : m_base(std::move(lineBase)) {}

    Reply post(const std::string& path, const std::string& body,
               const std::string& contentType = "application/x-www-form-urlencoded",
               double timeoutSeconds = 5) const;
    // One enveloped request on `link` ("/trade", "/notice" or "/funds").
    Reply call(const std::string& link, const std::string& name, const Fields& fields) const;
    // The same after USER_ID and SESSION_ID of the logged-in account.
    Reply session(const std::string& link, const std::string& name, const Fields& fields) const;
    Reply heartbeat(const Fields& fields) const;

    // Sends "logon" (with a captcha code when given) and keeps the session of a success.
    Reply logon(const std::string& user, const std::string& password, const std::string& time,
                const std::string& captchaCode = "", const std::string& captchaId = "");

    const std::string& user() const { return m_user; }
    const std::string& sessionId() const { return m_session; }
    const std::string& base() const { return m_base; }

private:
    std::string m_base;
    std::string m_user;
    std::string m_session;
};
