#pragma once

// One simulated trading environment (an exchange's environment of the directory): its accounts,
// sessions, captchas, commodities, orders, funds and announcements, and the answer to every
// trading request of docs/trading-protocol.md that reaches its lines. Any thread may call any
// method: a request that works on its own account alone runs beside requests of other accounts
// (the state shared, that account locked); the order book, logons and every control method hold
// the whole state. Owned by SimTradeServer.

#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>
#include <limits>
#include <map>
#include <mutex>
#include <optional>
#include <shared_mutex>
#include <string>
#include <variant>

#include "sim/core/SimMarket.h"
#include "sim/core/SimRandom.h"
#include "sim/trade/SimTradeCrypto.h"
#include "sim/trade/SimTradeRecords.h"

// The link a request belongs to: "1" trade, "2" notices and reports, "3" funds.
enum class SimTradeLink { Trade = 1, Notice = 2, Funds = 3 };

class SimTradeLedger {
public:
    // A session unused this long ends with 10001.
    static constexpr int64_t kDefaultIdleMs = 30 * 60 * 1000;
    static constexpr const char* kPhonePassword = "333333";

    SimTradeLedger(const SimTradeEnvironment& env, SimMarket& market, uint64_t seed);

    const SimTradeEnvironment& environment() const { return m_env; }

    // The REP object answering a JSON request that arrived on `link`.
    SimJson handle(SimTradeLink link, const std::string& name, const SimJson& request);
    // The flat reply to a heartbeat.
    SimJson heartbeat(const SimJson& request);
    // The reply frame to a captcha request body.
    SimBytes captcha(const SimBytes& request);

    // Judges a request that reached a line at `arrived`: one that carries a session this ledger
    // ended and said so (its logoff answered, or a request of it refused for it) more than
    // `crossingMs` before, or an empty session where one is needed, acts for a session the
    // client knows has ended. Sooner, the request crossed that answer on the way.
    // Times are real seconds in which time ran (PacedTime::runningSeconds): under a test clock
    // time stands still while either the answer or the crossing request travels, so however
    // slow the machine, a request that crossed the answer arrives within the allowance.
    void judgeSession(const std::string& name, const std::string& session,
                      double arrived, int64_t crossingMs);
    // How many requests judgeSession found acting for an ended session, and the names of the
    // latest of them.
    int endedSessionRequests();
    std::vector<std::string> latestEndedSessionRequests();
    // The client's thread, held by its tester, runs again now: an answer it was given while held
    // was read no sooner, so what crosses that answer is judged from now.
    void clientResumed();

    // Test controls.
    bool expireSessions(const std::string& account);
    // A logon of the account from another device: its live session ends with 1004. False for an
    // unknown account.
    bool logonElsewhere(const std::string& account);
    void setIdleLimitMs(int64_t ms);
    int64_t publishNotice(const std::string& title, const std::string& html);
    // The same, sent at that time (ms) instead of now: tests date announcements on the
    // device's calendar without moving the market's clock.
    int64_t publishNotice(const std::string& title, const std::string& html, int64_t sendTime);
    // `price` in currency units; refused unless it is a whole number of ticks.
    // A market opening (order_s) of the account made on another device, outside any session of
    // the client: the reply the device would get.
    SimJson orderElsewhere(const std::string& account, const std::string& commodity, int side,
                           int qty);
    // Any request of the account made on another device, such as a conditional order (order_x)
    // or stops (set_loss_profit) left waiting: the reply the device would get.
    SimJson requestElsewhere(const std::string& account, const std::string& name,
                             const SimJson& request);
    bool listForFirm(const std::string& firm, const std::string& commodity, int side, double price,
                     int qty);
    // A holding closed whole from elsewhere, and a listing taken by another firm (see
    // SimTradeOrders).
    bool closeElsewhere(const std::string& account, int64_t holdingId);
    // Lots of either trading mode opened for the account from elsewhere at the live price; false
    // for an unknown account or commodity, or without a price.
    bool holdElsewhere(const std::string& account, const std::string& commodity, int side, int qty);
    bool takeListing(int64_t no, const std::string& firm);
    // The server loses (false) or regains (true) the live price of a trading code, as when its
    // feed from the quote side stops; false for an unknown code.
    bool setLivePrice(const std::string& code, bool live);
    // The quote commodity behind a trading code of this environment, or none.
    std::optional<int16_t> quoteId(const std::string& code);
    // Each trading code's latest price as the quote side serves it, as a price text.
    SimJson livePrices();
    // The code of a captcha still waiting for its logon.
    std::optional<std::string> captchaCode(const std::string& uuid);
    // In currency units (exact for whole cents).
    std::optional<double> balance(const std::string& account);
    std::optional<double> bankFunds(const std::string& account, const std::string& bankId);
    // The account's books for tests that run the simulator as a process: money (balance,
    // available, margin, banks) as texts of the protocol, holdings with lots left, every order
    // and deal, whether it has a live session and its id ("session", empty when none). Null for
    // an unknown account.
    SimJson books(const std::string& account);
    // The open listings of a commodity's side, every firm's, in the order and with the fields of
    // the book query's rows.
    SimJson listingBook(const std::string& commodity, int side);

    // For the account services.
    std::optional<std::string> phoneOf(const std::string& account);
    // The accounts registered with a phone, in account order.
    std::vector<std::string> accountsWithPhone(const std::string& phone);
    bool setPassword(const std::string& account, const std::string& password);
    // A new account for that phone: its id; the passwords are the catalogue's.
    std::string createAccount(const std::string& phone, const std::string& firmId);
    // Deals booked in every account, for load reports.
    size_t dealsHeld();

private:
    // Whether a request works on its own account alone or reaches others (the order book).
    enum class Reach { Account, Exchange };
    using Handler =
        std::function<SimJson(SimTradeLedger&, const std::string& account, const SimJson&)>;
    struct Route {
        SimTradeLink link;
        Handler handler;
        Reach reach = Reach::Account;
    };
    struct Session {
        std::string account;
        int64_t lastSeen = 0;
        int endCode = 0;              // 0 while valid, else the code its requests are answered with
        std::optional<double> told;  // when the client was first answered that it ended
    };
    // Names kept by latestEndedSessionRequests().
    static constexpr size_t kLatestKept = 8;

    void seedState(uint64_t seed);
    void addAccount(const SimTradeAccountSeed& seed);
    void seedAccount(const SimTradeAccountSeed& seed);
    void seedNotices();
    static const std::map<std::string, Route>& routes();
    // Runs `work` for an account under the locks its reach needs.
    SimJson serve(const std::string& account, Reach reach, const std::function<SimJson()>& work);
    // Fills what the live prices reach, holding the whole state only when something is due.
    void sweepReached();
    // Ends the account's valid session (its requests are answered with 1004 from then); false
    // when it had none. Under m_sessionLock.
    bool endSession(const std::string& account);
    // The session the account's next request would be served under; empty when none.
    std::string liveSession(const std::string& account);
    // The account of a valid session, or the code to answer with.
    std::variant<std::string, int> sessionAccount(const std::string& user,
                                                  const std::string& session);
    SimJson logon(const SimJson& request);
    std::string checkLogon(const SimTradeAccount& account, const SimJson& request);
    std::string newSession(const std::string& account, SimBytes& key);

    SimJson beat(const std::string& account, const SimJson& request);
    static SimJson sessionEnded(int code);
    SimJson logoff(const std::string& account);
    SimJson changePassword(const std::string& account, const SimJson& request);
    SimJson transfer(const std::string& account, const SimJson& request);
    SimJson bankBalance(const std::string& account, const SimJson& request);
    SimJson fundPassword(const std::string& account, const SimJson& request);

    const SimTradeEnvironment& m_env;
    // Shared by requests that work on one account (each also takes that account's lock), held
    // alone by everything else.
    std::shared_mutex m_lock;
    SimTradeState m_state;
    SimRandom m_random;
    std::atomic<int64_t> m_idleLimitMs{kDefaultIdleMs};
    std::map<std::string, std::string> m_captchas;  // identifier -> code
    std::mutex m_sessionLock;
    std::map<std::string, Session> m_sessions;
    std::map<std::string, std::string> m_liveSessions;  // account -> its valid session
    int m_endedSessionRequests = 0;
    std::deque<std::string> m_latestEndedSessionRequests;
    double m_clientResumed = std::numeric_limits<double>::lowest();
};
