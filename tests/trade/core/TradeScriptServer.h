#pragma once
// A scripted trading server on loopback for the trading-core tests: records every request
// (path, "req" name, headers, body) and answers each request name with the reply a test set,
// or with an accepted empty envelope. Paths: "/trade", "/notice", "/funds" (the three links),
// "/dir" (directory address), "/sms/reqcode" and "/sms/verifycode". Thread-safe.

#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "support/LoopbackHttpServer.h"

struct CapturedRequest {
    std::string path;
    std::string name;  // the "req" query value; empty when there is none
    std::string contentType;
    std::string contentLength;
    std::string body;
};

class TradeScriptServer {
public:
    using Reply = std::function<std::string(const CapturedRequest&)>;
    // A reply of this text drops the line instead of answering.
    static constexpr const char* kDropLine = "<drop the line>";

    TradeScriptServer();

    // Answers requests of that name ("" for requests without "?req=", or the path for the XML
    // services, e.g. "/sms/reqcode").
    void reply(const std::string& name, std::string body);
    void replyWith(const std::string& name, Reply reply);

    std::vector<CapturedRequest> requests() const;
    size_t count() const;
    // The requests of that name, in arrival order.
    std::vector<CapturedRequest> named(const std::string& name) const;
    std::string url(const std::string& path) const { return m_server.url(path); }

private:
    void handle(const httplib::Request& request, httplib::Response& response);

    mutable std::mutex m_mutex;
    std::map<std::string, Reply> m_replies;
    std::vector<CapturedRequest> m_requests;
    LoopbackHttpServer m_server;
};

// The trading envelope of a reply: {"VUZI":{"REP":{<rep>}}} with retcode 0 unless rep has one.
std::string tradeReply(const std::string& repMembers = "");
