#include "trade/account/PXJYTransferHistory.h"

#include "platform/foundation/Text.h"
#include "trade/core/TradeText.h"

void PXJYTransferHistory::replace(std::vector<JYDict> page) {
    m_records = std::move(page);
    m_ended = m_records.empty();
}

void PXJYTransferHistory::append(std::vector<JYDict> page) {
    m_ended = page.empty();
    for (auto& record : page) {
        m_records.push_back(std::move(record));
    }
}

bool PXJYTransferHistory::hasMore() const {
    const long long count = Text::longLongValue(total("TTLREC"));
    return !m_ended && static_cast<long long>(m_records.size()) < count;
}

std::string PXJYTransferHistory::nextStartNum() const {
    return std::to_string(kFirstRow + static_cast<std::int64_t>(m_records.size()));
}

std::string PXJYTransferHistory::total(const std::string& key) const {
    return m_records.empty() ? std::string() : TradeText::textAt(m_records.front(), key);
}
