#include "trade/account/PXJYTransferHistory.h"

#include "trade/core/TradeText.h"

std::string PXJYTransferHistory::total(const std::string& key) const {
    return m_records.empty() ? std::string() : TradeText::textAt(m_records.front(), key);
}
