#pragma once
// One order at a time on a trading screen: shut from the moment an order is on its way until
// its answer is in, with the busy overlay up meanwhile. Owned by its screen; a screen that goes
// away with an order outstanding takes the overlay with it. Main thread.

class PXTradeOrderGate {
public:
    PXTradeOrderGate() = default;
    PXTradeOrderGate(const PXTradeOrderGate&) = delete;
    PXTradeOrderGate& operator=(const PXTradeOrderGate&) = delete;
    ~PXTradeOrderGate();

    bool isOutstanding() const { return m_outstanding; }
    // An order left: shuts the gate and raises the overlay.
    void began();
    // The order is answered or failed: opens the gate, lowering the overlay it raised.
    void ended();

private:
    bool m_outstanding = false;
};
