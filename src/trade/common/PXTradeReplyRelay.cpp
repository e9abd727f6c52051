#include "trade/common/PXTradeReplyRelay.h"

PXTradeReplyRelay::PXTradeReplyRelay(Responder& owner, PXTradeNetworkMangerDelegate& target)
    : m_owner(&owner), m_target(&target) {}

std::shared_ptr<PXTradeReplyRelay> PXTradeReplyRelay::create(Responder& owner,
                                                             PXTradeNetworkMangerDelegate& target) {
    return std::shared_ptr<PXTradeReplyRelay>(new PXTradeReplyRelay(owner, target));
}

std::shared_ptr<PXTradeNetworkManger> PXTradeReplyRelay::newManager(
    Responder& owner, PXTradeNetworkMangerDelegate& target) {
    return newManager(create(owner, target));
}

std::shared_ptr<PXTradeNetworkManger> PXTradeReplyRelay::newManager(
    const std::shared_ptr<PXTradeReplyRelay>& relay) {
    auto manager = PXTradeNetworkManger::create();
    manager->setDelegate(relay);
    return manager;
}

void PXTradeReplyRelay::orderSent(PXTradeNetworkManger* manager) {
    if (auto* handler = target()) {
        handler->orderSent(manager);
    }
}

void PXTradeReplyRelay::requestFailed(PXTradeNetworkManger* manager, int errorCode) {
    if (auto* handler = target()) {
        handler->requestFailed(manager, errorCode);
    }
}

void PXTradeReplyRelay::dataAnalysisFinished(PXTradeNetworkManger* manager,
                                             const PXTradeResult* data) {
    if (auto* handler = target()) {
        handler->dataAnalysisFinished(manager, data);
    }
}

void PXTradeReplyRelay::dataAnalysisFailed(PXTradeNetworkManger* manager, int errorCode) {
    if (auto* handler = target()) {
        handler->dataAnalysisFailed(manager, errorCode);
    }
}
