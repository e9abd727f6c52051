#pragma once
// What the client knows of the exchange's sessions, kept in one place and asked by everything
// that sends, beats, puts a login back or tells a failure.
//
// The session in force is named by an epoch that changes whenever it ends or a newer logon
// replaces it; a session whose epoch has passed is over. A request that leaves can end the
// session in force before it is answered: its logoff, or a logon of its own account on its own
// server (the exchange ends the account's session the moment it takes the new logon). From the
// moment such a request leaves until its fate is known the session is over for whoever asks:
// nothing goes out under it and no refusal of it is told. Answered, or unanswered (a time-out, a
// dropped line: it may have acted), it stays over; refused outright or never sent, it goes on.
// Owned by PXTradeData, which carries out what an end means for the account; main thread.

#include <cstdint>
#include <optional>
#include <set>
#include <string>

class PXTradeSessionLedger {
public:
    // The epoch of the session in force.
    uint64_t epoch() const { return m_epoch; }
    // An epoch never handed out before.
    uint64_t newEpoch() { return ++m_issued; }
    // The session in force, of that id, gives way to the one of epoch next: a newer logon's, the
    // logged-out state's, or one put back (the only way an earlier epoch comes back).
    void endInForce(const std::string& idInForce, uint64_t next);
    // Whether the session of that id has ended and no logon has handed it out again.
    bool hasEnded(const std::string& sessionID, const std::string& idInForce) const;

    // A request that ends the session of that epoch left, and its fate is known.
    void endingSent(uint64_t epoch);
    void endingSettled(uint64_t epoch);
    // A request ending the session in force is on its way.
    bool ending() const { return m_ending.count(m_epoch) > 0; }
    // The session of that epoch is over, or going: its replies change nothing, its failures are
    // not told, and nothing more is sent under it.
    bool isOver(uint64_t epoch) const { return epoch != m_epoch || ending(); }
    // Whether a request carrying that session id, of the session of that epoch, may leave. An
    // empty id (logged out, never logged in) is as over as an old one.
    bool mayGoOut(const std::string& sessionID, const std::string& idInForce) const;

    // The login of the session in force ran to its end: the timers may beat under it.
    void loginRanToEnd() { m_wholeEpoch = m_epoch; }
    bool mayBeat() const { return m_wholeEpoch == m_epoch && !ending(); }

    // The re-login dialog tells the loss of that epoch's session, until it is answered or a
    // newer session comes.
    void setLossTold(uint64_t epoch) { m_lossTold = epoch; }
    void clearLossTold() { m_lossTold.reset(); }
    bool lossToldOf(uint64_t epoch) const { return m_lossTold == epoch; }
    // The exchange answered a request of that epoch's session as lost after the session had
    // stopped being in force here: it is over there too, and is never put back.
    void setLostAtExchange(uint64_t epoch) { m_lostAtExchange.insert(epoch); }
    bool lostAtExchange(uint64_t epoch) const { return m_lostAtExchange.count(epoch) > 0; }

private:
    uint64_t m_epoch = 0;
    uint64_t m_issued = 0;
    uint64_t m_wholeEpoch = 0;
    std::multiset<uint64_t> m_ending;
    std::set<std::string> m_endedSessions;
    std::optional<uint64_t> m_lossTold;
    std::set<uint64_t> m_lostAtExchange;
};
