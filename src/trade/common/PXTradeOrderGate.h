#pragma once
// One request at a time on a trading screen (an order, a form, a query): shut from the moment a
// request is on its way until its reply is in, with the busy overlay up and the button that sent
// it disabled meanwhile. Only the reply of the request that shut it (answer, refusal, failure or
// time-out) opens it: another request answering or failing meanwhile leaves it shut, and a newer
// request begun while it is shut takes it over, making the older one's reply void. Owned by its
// screen; a screen that goes away with a request outstanding takes the overlay with it. Main
// thread.

#include <memory>

#include "platform/foundation/WeakLink.h"
#include "platform/ui/Control.h"
#include "shell/VKJYActivityHold.h"

class PXTradeNetworkManger;

class PXTradeOrderGate {
public:
    PXTradeOrderGate() = default;
    PXTradeOrderGate(const PXTradeOrderGate&) = delete;
    PXTradeOrderGate& operator=(const PXTradeOrderGate&) = delete;
    ~PXTradeOrderGate();

    bool isOutstanding() const { return m_outstanding; }
    // This request left: shuts the gate, raises the overlay and disables the trigger, if given.
    void began(const PXTradeNetworkManger& request, Control* trigger = nullptr);
    // A reply came: opens the gate, lowering its overlay, when it is the reply of the request
    // that shut it. True when it did.
    bool endedBy(const PXTradeNetworkManger& reply);
    // The screen is done with the order (it leaves): opens the gate whatever is outstanding.
    void ended();

private:
    bool m_outstanding = false;
    std::weak_ptr<const PXTradeNetworkManger> m_request;
    WeakLink<Control> m_trigger;
    VKJYActivityHold m_overlay;
};
