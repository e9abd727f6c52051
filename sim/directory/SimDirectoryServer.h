#pragma once

// The simulated directory server of docs/directory-protocol.md: two lines (the client's
// "DirectoryServerUrl1" and "DirectoryServerUrl2") that answer "GetDirectory",
// "GetAppKeyProperties" and "GetUserManageUrl" from the shared catalogue: two exchanges with
// environments and businesses "1", "2" and "3" of two lines each, the quote-server groups and
// entries (the first group starts with a dead line), the SMS service, the first-launch
// commodities and the app-key properties. Tests can make the next requests fail or answer a
// code other than "0", and stop a line. Owned by SimExchange; handlers run on the lines'
// threads, the control methods on any thread.

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "sim/core/SimCatalogue.h"
#include "sim/core/SimHttpLine.h"

class SimDirectoryServer {
public:
    static constexpr const char* kAppKey = "VKJYDEMO2026";
    static constexpr const char* kPath = "/directory";
    // Refused on every machine: nothing may listen on port 1 without privileges.
    static constexpr const char* kDeadLineUrl = "http://127.0.0.1:1/quote";
    // Ports of the standalone simulator; the client's Info.plist names them.
    static constexpr int kDefaultPort1 = 18801;
    static constexpr int kDefaultPort2 = 18802;

    // The line addresses of a quote server, by index.
    using QuoteLines = std::function<std::vector<std::string>(int serverIndex)>;
    // The address of line `line` (0, 1) of business `ywType` of an environment; the trading
    // service fills it in. Empty: the directory names a path of its own line that answers 404.
    using BusinessLine =
        std::function<std::string(const std::string& jysCode, const std::string& envCode,
                                  const std::string& ywType, int line)>;

    SimDirectoryServer(const SimCatalogue& catalogue, QuoteLines quoteLines);
    ~SimDirectoryServer();

    // Ports 0: free ones.
    bool start(int port1 = 0, int port2 = 0);
    void stop();
    // "http://127.0.0.1:<port>/directory" of both lines.
    std::vector<std::string> urls() const;
    SimHttpLine& line(size_t i) { return *m_lines.at(i); }
    size_t lineCount() const { return m_lines.size(); }

    void setBusinessLine(BusinessLine businessLine);
    // The XML account services: a request with a "CMD" sent to the directory address, and the
    // SMS service's "/sms/reqcode" and "/sms/verifycode", are answered by it.
    using AccountServices =
        std::function<std::string(const std::string& path, const std::string& body)>;
    void setAccountServices(AccountServices services);

    // The next `count` requests, on any line, are answered with HTTP 503.
    void failNext(int count);
    // The next `count` requests are answered with this CODE and no further part.
    void answerCodeNext(int count, const std::string& code);
    int requestCount() const { return m_requests; }
    // Every fault set and not yet spent, its lines' included, one line of text each.
    std::vector<std::string> armedFaults() const;

    // The reply body to one request body, as a line answers it.
    std::string reply(const std::string& requestBody, const std::string& lineBase);
    // The account services' reply, or empty when none are set.
    std::string accountReply(const std::string& path, const std::string& body);

private:
    bool takeFailure();
    std::string directory(const std::string& lineBase);
    std::string appKeyProperties() const;
    std::string userManageUrl(const std::string& lineBase) const;
    std::string businessLineUrl(const std::string& jys, const std::string& env,
                                const std::string& yw, int line, const std::string& lineBase);

    const SimCatalogue& m_catalogue;
    QuoteLines m_quoteLines;
    BusinessLine m_businessLine;
    AccountServices m_accountServices;
    std::vector<std::unique_ptr<SimHttpLine>> m_lines;
    std::atomic<int> m_requests{0};
    mutable std::mutex m_mutex;
    int m_failNext = 0;
    int m_codeNext = 0;
    std::string m_code;
};
