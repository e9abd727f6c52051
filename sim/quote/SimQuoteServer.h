#pragma once

// One simulated quote server: its lines (each a loopback HTTP server), its sessions, and the
// answers to every request of docs/quote-protocol.md, made from the shared market model. It also
// serves the many-day history files by GET. Owned by SimExchange; request handling runs on the
// lines' threads, the control methods on any thread.

#include <condition_variable>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "sim/core/SimCatalogue.h"
#include "sim/core/SimHttpLine.h"
#include "sim/core/SimMarket.h"
#include "sim/core/SimRandom.h"
#include "sim/quote/SimHistoryFiles.h"

class SimWireReader;
class SimWireWriter;

// How the next reply of a protocol is spoiled for a test.
enum class SimMalform {
    ShortHead,  // only the first 5 bytes of the head
    CutBody,    // the body's last byte is missing
    ExtraByte,  // one byte more than the head says
};

class SimQuoteServer {
public:
    static constexpr int16_t kRequestDataTime = 5;

    SimQuoteServer(const SimQuoteServerDef& def, SimMarket& market, const SimHistoryFiles& files,
                   uint64_t seed);
    ~SimQuoteServer();

    // Line i listens on ports[i], or on a free port when that is 0 or missing.
    bool start(const std::vector<int>& ports = {});
    void stop();
    int index() const { return m_def.index; }
    // The group's lines in fail-over order: "http://127.0.0.1:<port>/quote".
    std::vector<std::string> lineUrls() const;
    size_t lineCount() const { return m_lines.size(); }
    SimHttpLine& line(size_t i) { return *m_lines.at(i); }

    // Every session ends: the next request that carries one is answered 2003.
    void expireSessions();
    // The next request of `protocol` (0: any but server protocol and login) is answered 2003;
    // the sessions live on. Each call refuses one more request.
    void answerSessionLostOnce(int protocol);
    // While set, every commodity-list request (11) for this one panel is answered 2003, whatever
    // its session, so no renewal or second try reads it; the sessions live on.
    void refusePanelList(int16_t market, int16_t disk, bool refused);
    // The next K-line reply (30) carries no series.
    void emptyNextKLine();
    // While set, every K-line reply (30, 33) of `period` carries its series with no bars and
    // names no history file, as for a period in which the commodity has not traded yet.
    void setBarless(int period, bool barless);
    // The panel's trading-time reply (12) gives a start `minutes` after the exchange's midnight
    // rather than the midnight: panels that open at other hours.
    void setTradingStartMinutes(int16_t market, int16_t disk, int minutes);
    // While set, every request of `protocol` on every line is answered HTTP 503 with no body,
    // as a line that fails on the way: the client sees a transport failure, not a return code.
    void failInTransport(int protocol, bool failing);
    // While held, requests of `protocol` on every line wait before they are answered (by the
    // clock and the faults of the moment of their release); heldRequests counts those waiting.
    // stop() releases all.
    void holdRequests(int protocol, bool held);
    int heldRequests(int protocol) const;
    // Every request the server answered, in arrival order: protocol and body bytes.
    struct RequestRecord {
        uint16_t protocol = 0;
        std::vector<uint8_t> body;
    };
    std::vector<RequestRecord> requestLog() const;
    void clearRequestLog();
    // The next reply to `protocol` (0: any protocol) is spoiled.
    void malformNext(int protocol, SimMalform kind);
    // Number of requests seen with that protocol.
    int requestCount(int protocol) const;
    // Every fault set and not yet spent or lifted, its lines' included, one line of text each.
    std::vector<std::string> armedFaults() const;

    // One request's reply bytes; `lineBase` is the line's "http://host:port" for file URLs.
    std::vector<uint8_t> handle(const std::vector<uint8_t>& request, const std::string& lineBase);
    // The history file of that name is served damaged (one cipher block inverted), or whole.
    void damageHistoryFile(const std::string& name, bool damaged);
    // A history file's bytes, or nothing for an unknown name.
    std::optional<std::vector<uint8_t>> historyFile(const std::string& name);

private:
    struct Reply {
        int32_t code = 0;
        std::vector<uint8_t> body;
    };

    Reply dispatch(uint16_t protocol, SimWireReader& body, const std::string& lineBase);
    Reply login(SimWireReader& body);
    Reply marketList() const;
    Reply commodityList(SimWireReader& body);
    Reply tradingTime(SimWireReader& body);
    Reply kLine(SimWireReader& body, bool withFiles, const std::string& lineBase);
    Reply periods() const;
    Reply fenShi(SimWireReader& body);
    Reply manyDayFenShi(SimWireReader& body, const std::string& lineBase);
    Reply serverTime() const;
    Reply keyList() const;
    Reply allQuotes(SimWireReader& body);
    Reply oneQuote(SimWireReader& body);

    const SimCommodity* listedCommodity(int16_t market, int16_t disk, int16_t commodity) const;
    void writeQuoteEntry(SimWireWriter& out, const SimCommodity& commodity,
                         const SimQuote& quote) const;
    void writeSeries(SimWireWriter& out, const SimCommodity& commodity, int period,
                     const std::vector<SimBar>& bars) const;
    void writeFenShiItem(SimWireWriter& out, const SimCommodity& commodity,
                         const std::vector<SimBar>& records, const std::vector<std::string>& urls);
    std::string blockOf(int period, int64_t date) const;
    std::string localDay(int64_t ms) const;
    std::vector<uint8_t> spoil(std::vector<uint8_t> reply, uint16_t protocol);
    bool failsInTransport(const std::string& request) const;
    void waitWhileHeld(const std::string& request);

    const SimQuoteServerDef& m_def;
    SimMarket& m_market;
    const SimHistoryFiles& m_files;
    std::vector<std::unique_ptr<SimHttpLine>> m_lines;
    mutable std::mutex m_mutex;
    SimRandom m_sessionRandom;
    std::set<uint32_t> m_sessions;
    std::map<int, SimMalform> m_malform;
    std::map<int, int> m_requestCounts;
    std::multiset<int> m_sessionLostOnce;
    std::set<std::pair<int16_t, int16_t>> m_refusedPanels;
    std::set<int> m_failingInTransport;
    std::set<int> m_held;
    std::map<int, int> m_waiting;
    bool m_stopping = false;
    std::condition_variable m_released;
    bool m_emptyNextKLine = false;
    std::set<int> m_barlessPeriods;
    std::map<std::pair<int16_t, int16_t>, int> m_tradingStartMinutes;
    std::set<std::string> m_damagedFiles;
    std::vector<RequestRecord> m_requestLog;
};
