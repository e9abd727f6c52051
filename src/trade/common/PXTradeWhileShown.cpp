#include "trade/common/PXTradeWhileShown.h"

#include "trade/core/PXTradeModule.h"

PXTradeWhileShown::~PXTradeWhileShown() {
    // The module may already be gone when the last screen is torn down with the application.
    if (PXTradeModule::hasShared()) {
        stop();
    }
}

void PXTradeWhileShown::start(std::vector<std::pair<std::string, Handler>> handlers) {
    if (isListening()) {
        return;
    }
    for (auto& [name, handler] : handlers) {
        m_tokens.push_back(PXTradeModule::shared().observe(
            name, [handler = std::move(handler)](const void*) { handler(); }));
    }
}

void PXTradeWhileShown::stop() {
    for (uint64_t token : m_tokens) {
        PXTradeModule::shared().stopObserving(token);
    }
    m_tokens.clear();
}
