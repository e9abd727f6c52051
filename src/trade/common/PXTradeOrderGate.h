#pragma once
// One order at a time on a trading screen: shut from the moment an order is on its way until
// its answer is in, with the busy overlay up meanwhile. Only the reply of the request that shut
// it (answer, refusal, failure or time-out) opens it: a query answering or failing meanwhile
// leaves it shut. Owned by its screen; a screen that goes away with an order outstanding takes
// the overlay with it. Main thread.

#include <memory>

class PXTradeNetworkManger;

class PXTradeOrderGate {
public:
    PXTradeOrderGate() = default;
    PXTradeOrderGate(const PXTradeOrderGate&) = delete;
    PXTradeOrderGate& operator=(const PXTradeOrderGate&) = delete;
    ~PXTradeOrderGate();

    bool isOutstanding() const { return m_outstanding; }
    // The order of this request left: shuts the gate and raises the overlay.
    void began(const PXTradeNetworkManger& request);
    // A reply came: opens the gate, lowering its overlay, when it is the reply of the request
    // that shut it. True when it did.
    bool endedBy(const PXTradeNetworkManger& reply);
    // The screen is done with the order (it leaves): opens the gate whatever is outstanding.
    void ended();

private:
    bool m_outstanding = false;
    std::weak_ptr<const PXTradeNetworkManger> m_request;
};
