#include "DealLedger.h"

#include <algorithm>

DealLedger::DealLedger(std::vector<Account> accounts, Reader read, size_t soundsPlayed)
    : m_accounts(std::move(accounts)), m_read(std::move(read)), m_soundsHeard(soundsPlayed) {}

DealLedger::Outcome DealLedger::check(const std::optional<Account>& loggedIn, size_t soundsPlayed) {
    Outcome outcome;
    if (m_lastLoggedIn && m_lastLoggedIn != loggedIn) {
        outcome.newDeals += newDealsOf(*m_lastLoggedIn);
    }
    if (loggedIn) {
        outcome.newDeals += newDealsOf(*loggedIn);
    }
    // An account that logs in during the next event has a read from before its login: a deal
    // booked after that is new, not its baseline.
    for (const Account& account : m_accounts) {
        if (account != m_lastLoggedIn && account != loggedIn) {
            newDealsOf(account);
        }
    }
    m_lastLoggedIn = loggedIn;
    m_toAnnounce += outcome.newDeals;
    outcome.notYetAnnounced = m_toAnnounce;
    // The sounds played were counted over (the client started again).
    if (soundsPlayed < m_soundsHeard) {
        m_soundsHeard = 0;
    }
    outcome.sounds = soundsPlayed - m_soundsHeard;
    m_soundsHeard = soundsPlayed;
    m_toAnnounce -= static_cast<int>(outcome.sounds);
    if (m_toAnnounce < 0) {
        outcome.announcedTwice = -m_toAnnounce;
        m_toAnnounce = 0;
    }
    return outcome;
}

void DealLedger::startFrom(const Account& account) {
    newDealsOf(account);
    // An account still logged in may announce what it had not yet until the new logon replaces
    // it; logged out, no session is left to.
    if (!m_lastLoggedIn) {
        m_toAnnounce = 0;
    }
}

int DealLedger::newDealsOf(const Account& account) {
    std::optional<Books> now = m_read(account);
    if (!now) {
        return 0;
    }
    auto known = m_deals.find(account);
    // A restarted exchange starts its books over: a new baseline.
    const bool baseline =
        known == m_deals.end() ||
        !std::includes(now->begin(), now->end(), known->second.begin(), known->second.end());
    const int fresh = baseline ? 0 : static_cast<int>(now->size() - known->second.size());
    m_deals[account] = std::move(*now);
    return fresh;
}
