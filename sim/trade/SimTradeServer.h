#pragma once

// The trading server of one environment: its lines (each a loopback HTTP server carrying the
// three businesses at "/trade", "/notice" and "/funds", plus the account services), the JSON
// envelope, the heartbeat, the captcha frame and the line-test probe, in front of the
// environment's ledger. Tests can spoil the next reply. Owned by SimTradeService; requests run
// on the lines' threads, the control methods on any thread.

#include <atomic>
#include <condition_variable>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "sim/core/SimHttpLine.h"
#include "sim/trade/SimBeatSwap.h"
#include "sim/trade/SimTradeLedger.h"

class SimAccountServices;

// One request a line received, as it came: the path, the "req" name (empty for the captcha and
// the XML services) and the body.
struct SimTradeReceived {
    std::string path;
    std::string name;
    std::string body;
};

class SimTradeServer {
public:
    static constexpr int kLineCount = 2;
    // Requests kept for received(); older ones are dropped, so a long run holds no more.
    static constexpr size_t kKeptRequests = 4096;
    // A reply takes well under this from the line to the client's run loop, even under load.
    static constexpr int64_t kCrossingMs = 2000;

    SimTradeServer(const SimTradeEnvironment& env, SimMarket& market, uint64_t seed,
                   SimAccountServices& accounts);
    ~SimTradeServer();

    // Line i listens on ports[i], or on a free port when that is 0 or missing.
    bool start(const std::vector<int>& ports = {});
    void stop();
    const SimTradeEnvironment& environment() const { return m_ledger.environment(); }
    SimTradeLedger& ledger() { return m_ledger; }
    size_t lineCount() const { return m_lines.size(); }
    SimHttpLine& line(size_t i) { return *m_lines.at(i); }
    // "http://127.0.0.1:<port>" of a line.
    std::string lineBase(size_t i) const;
    // The address of business "1", "2" or "3" on a line; empty for another business.
    std::string businessUrl(const std::string& ywType, size_t line) const;

    // The nth next request of this name (an order's follow-up, say) is answered with this
    // return code instead, other requests untouched. An empty name takes whatever request comes
    // next, a client's heartbeat included: a random fault, never a test's aimed step.
    void answerCodeNext(int code, const std::string& name, int nth = 1);
    // The next request of this name (any, when empty) is answered with a body that is not JSON.
    void malformNext(const std::string& name);
    // Replies to requests of this name wait (received, not yet acted on) until released, while
    // other requests answer at once: a slow order beside quick queries. The XML services and the
    // line-test probe are named by their CMD ("GETVERSION"). stop() releases all.
    void holdReplies(const std::string& name);
    // Requests of this name are acted on at once but their replies wait until released: an
    // answer still on its way back to the client.
    void holdAnswers(const std::string& name);
    // Only the next request of this name is acted on at once with its reply waiting until
    // released; later ones answer at once and overtake it.
    void holdNextAnswer(const std::string& name);
    // Whether that held answer is waiting: its request has been acted on.
    bool nextAnswerHeld(const std::string& name) const;
    // Requests of this name, those held now included, are not acted on: their connection
    // closes unanswered, as on a line that broke, until released.
    void dropReplies(const std::string& name);
    // Releases every kind of hold, and a drop.
    void releaseReplies(const std::string& name);
    // The next two heartbeats are answered in the other order (SimBeatSwap).
    SimBeatSwap& beatSwap() { return m_beatSwap; }
    // Requests that reach a line up to this long after the client was answered that their
    // session ended crossed that answer: the ledger does not count them as acting for an ended
    // session (SimTradeLedger::judgeSession).
    void setCrossingMs(int64_t ms) { m_crossingMs = ms; }
    int requestCount(const std::string& name) const;
    // Every fault set and not yet spent or released, its lines' included, one line of text each.
    std::vector<std::string> armedFaults() const;
    // Every "req" name received since the start with its count (kept whole, unlike received()).
    std::map<std::string, int> requestCounts() const;
    // The latest requests of every line since the start (or the last clear), in arrival order,
    // at most kKeptRequests.
    std::vector<SimTradeReceived> received() const;
    // The kept requests from the `from`th received since the start (counting from 0), and in
    // `total` how many came so far: a caller that asks often misses none.
    std::vector<SimTradeReceived> receivedFrom(size_t from, size_t& total) const;
    void clearReceived();

    // One request as a line answers it: the reply body.
    std::string reply(const std::string& path, const std::string& name, const std::string& body);

private:
    std::string jsonReply(SimTradeLink link, const std::string& name, const std::string& body);
    std::optional<std::string> spoiled(const std::string& name);
    std::string answer(const std::string& path, const std::string& name, const std::string& body);
    void judgeSession(const std::string& name, const std::string& body);
    void waitWhileHeld(const std::set<std::string>& held, const std::string& name);
    bool dropping(const std::string& name) const;
    // The holds on this request's answer: the next-answer hold once it takes it.
    const std::set<std::string>& answerHolds(const std::string& name);

    SimTradeLedger m_ledger;
    SimAccountServices& m_accounts;
    std::vector<std::unique_ptr<SimHttpLine>> m_lines;
    mutable std::mutex m_mutex;
    std::optional<int> m_codeNext;
    std::string m_codeNextName;
    int m_codeNextSkip = 0;
    std::optional<std::string> m_malformNext;
    std::set<std::string> m_held;
    std::set<std::string> m_heldAnswers;
    std::set<std::string> m_holdNextAnswer;
    std::set<std::string> m_heldNextAnswers;
    std::set<std::string> m_dropped;
    std::atomic<int64_t> m_crossingMs{kCrossingMs};
    std::condition_variable m_released;
    SimBeatSwap m_beatSwap;
    std::map<std::string, int> m_requestCounts;
    std::deque<SimTradeReceived> m_received;
    size_t m_receivedTotal = 0;
};
