#pragma once

#include <deque>
#include <limits>
#include <map>
#include <string>
#include <vector>

// Holds the simulator to one request of each one-shot kind (an order, a transfer, a
// withdrawal, a fund or password change, a logoff) per confirming event: a tap on a control, a
// key, the idle log-out. Each confirming event grants one request of every kind; a grant lapses
// once the client has had nothing in flight, plus the time a stalled line keeps a request from
// reaching the simulator. The simulator's totals are compared at every check. Pure; one owner.
class ConfirmationLedger {
public:
    explicit ConfirmationLedger(std::vector<std::string> kinds);

    void confirmed(double now);
    // Nothing of the client is in flight: open grants lapse at now + lateness.
    void quiet(double now, double lateness);
    // The simulator's totals by kind; one line for each request that found no grant.
    std::vector<std::string> received(const std::map<std::string, int>& totals, double now);

private:
    static constexpr double kOpen = std::numeric_limits<double>::infinity();

    std::vector<std::string> m_kinds;
    std::map<std::string, std::deque<double>> m_lapses;
    std::map<std::string, int> m_seen;
    double m_lastCheck = -kOpen;
};
