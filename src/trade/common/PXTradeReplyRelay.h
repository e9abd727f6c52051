#pragma once
// The delegate a trading screen hands its request facade. A facade keeps its delegate alive
// until the reply is in, so a screen is never the delegate itself: the relay forwards the
// replies to the screen only while the screen exists and has not let go (detach, when it
// leaves) and while the reply handler exists. A reply that comes later does nothing. Made by the
// screen; main thread.

#include <memory>

#include "platform/foundation/WeakLink.h"
#include "platform/ui/Responder.h"
#include "trade/core/PXTradeNetworkManger.h"

class PXTradeReplyRelay : public PXTradeNetworkMangerDelegate {
public:
    // owner: the screen whose life bounds the forwarding; target: its reply handler.
    static std::shared_ptr<PXTradeReplyRelay> create(Responder& owner,
                                                     PXTradeNetworkMangerDelegate& target);
    // A new request facade whose replies reach target through a relay of owner.
    static std::shared_ptr<PXTradeNetworkManger> newManager(Responder& owner,
                                                            PXTradeNetworkMangerDelegate& target);

    // A new request facade answering through this relay, so one detach lets go of every reply.
    static std::shared_ptr<PXTradeNetworkManger> newManager(
        const std::shared_ptr<PXTradeReplyRelay>& relay);

    void detach() { m_target = {}; }
    bool isAttached() const { return m_target && m_owner; }

    void orderSent(PXTradeNetworkManger* manager) override;
    void requestFailed(PXTradeNetworkManger* manager, int errorCode) override;
    void dataAnalysisFinished(PXTradeNetworkManger* manager, const PXTradeResult* data) override;
    void dataAnalysisFailed(PXTradeNetworkManger* manager, int errorCode) override;

private:
    PXTradeReplyRelay(Responder& owner, PXTradeNetworkMangerDelegate& target);
    PXTradeNetworkMangerDelegate* target() const { return m_owner ? m_target.get() : nullptr; }

    WeakLink<Responder> m_owner;
    WeakLink<PXTradeNetworkMangerDelegate> m_target;
};
