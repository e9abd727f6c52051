#include "trade/close/PXHoldingChoice.h"

#include "trade/common/PXTradeClosingRules.h"
#include "trade/core/PXTradeData.h"

namespace {
std::string accountOf(const PXTradeData& store) {
    const auto& session = store.tradeSession();
    return session ? session->userID : std::string();
}
}  // namespace

void PXHoldingChoice::choose(std::shared_ptr<PXJYChiCangHuiZong> summary,
                             const PXTradeData& store) {
    m_summary = std::move(summary);
    m_account = accountOf(store);
}

void PXHoldingChoice::forget() {
    m_summary.reset();
}

std::shared_ptr<PXJYChiCangHuiZong> PXHoldingChoice::current(const PXTradeData& store) const {
    if (!m_summary || accountOf(store) != m_account) {
        return nullptr;
    }
    return PXTradeClosingRules::currentSummary(store, *m_summary);
}

bool PXHoldingChoice::forgetIfGone(const PXTradeData& store) {
    if (!m_summary || current(store)) {
        return false;
    }
    forget();
    return true;
}
