#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

// The exerciser's deal rule: no deal of the books is announced (its sound) more than once. Keeps
// every account's deals as last read and the deals not yet announced; reads the books through
// the function it is given. Owned by its checker; main thread.
class DealLedger {
public:
    // Number, commodity, lots.
    using Deal = std::tuple<long long, std::string, int>;
    using Books = std::set<Deal>;
    // The environment ("jys=..&env=..") and the account.
    using Account = std::pair<std::string, std::string>;
    // An account's deals now; nothing when the exchange does not answer for it.
    using Reader = std::function<std::optional<Books>(const Account&)>;
    struct Outcome {
        int newDeals = 0;
        size_t sounds = 0;
        // Before this check's sounds were taken off.
        int notYetAnnounced = 0;
        int announcedTwice = 0;
    };

    // `accounts`: every account that may log in; `soundsPlayed`: the deal sounds before the run.
    DealLedger(std::vector<Account> accounts, Reader read, size_t soundsPlayed);

    // After every event: the account logged in now and the deal sounds played so far.
    Outcome check(const std::optional<Account>& loggedIn, size_t soundsPlayed);
    // Before that account's login, right after a check: its deals so far are known. Logged out,
    // no session is left to announce what it had not yet; while another account is still logged
    // in, its session may.
    void startFrom(const Account& account);

private:
    // The deals the account gained since its last read; its first read is a baseline.
    int newDealsOf(const Account& account);

    std::vector<Account> m_accounts;
    Reader m_read;
    std::map<Account, Books> m_deals;
    // Logged in at the last check: an event can hear a deal of its and then switch or log out.
    std::optional<Account> m_lastLoggedIn;
    int m_toAnnounce = 0;
    size_t m_soundsHeard = 0;
};
