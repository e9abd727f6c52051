#include "ConfirmationLedger.h"

ConfirmationLedger::ConfirmationLedger(std::vector<std::string> kinds)
    : m_kinds(std::move(kinds)) {}

void ConfirmationLedger::confirmed(double) {
    for (const auto& kind : m_kinds) {
        m_lapses[kind].push_back(kOpen);
    }
}

void ConfirmationLedger::quiet(double now, double lateness) {
    for (auto& [kind, lapses] : m_lapses) {
        for (double& lapse : lapses) {
            if (lapse == kOpen) {
                lapse = now + lateness;
            }
        }
    }
}

std::vector<std::string> ConfirmationLedger::received(const std::map<std::string, int>& totals,
                                                      double now) {
    std::vector<std::string> unconfirmed;
    for (const auto& kind : m_kinds) {
        auto total = totals.find(kind);
        const int count = total == totals.end() ? 0 : total->second;
        std::deque<double>& lapses = m_lapses[kind];
        // A request seen now arrived after the previous check: grants lapsed before it are gone.
        while (!lapses.empty() && lapses.front() < m_lastCheck) {
            lapses.pop_front();
        }
        for (int arrived = m_seen[kind]; arrived < count; ++arrived) {
            if (lapses.empty()) {
                unconfirmed.push_back(kind + " received with no confirming tap of its own");
                continue;
            }
            lapses.pop_front();
        }
        m_seen[kind] = count;
    }
    m_lastCheck = now;
    return unconfirmed;
}
