#include "trade/core/PXTradeSessionLedger.h"

void PXTradeSessionLedger::endInForce(const std::string& idInForce, uint64_t next) {
    if (!idInForce.empty()) {
        m_endedSessions.insert(idInForce);
    }
    m_epoch = next;
    m_lossTold.reset();
}

bool PXTradeSessionLedger::hasEnded(const std::string& sessionID,
                                    const std::string& idInForce) const {
    return sessionID != idInForce && m_endedSessions.count(sessionID) > 0;
}

void PXTradeSessionLedger::endingSent(uint64_t epoch) {
    m_ending.insert(epoch);
}

void PXTradeSessionLedger::endingSettled(uint64_t epoch) {
    const auto found = m_ending.find(epoch);
    if (found != m_ending.end()) {
        m_ending.erase(found);
    }
}

bool PXTradeSessionLedger::mayGoOut(const std::string& sessionID,
                                    const std::string& idInForce) const {
    if (sessionID.empty() || hasEnded(sessionID, idInForce)) {
        return false;
    }
    return sessionID != idInForce || !ending();
}
