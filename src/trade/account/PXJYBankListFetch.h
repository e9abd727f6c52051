#pragma once

// Fetches the customer's bank list ("money_userinfo_query") into the trading store, where the
// transfer form and the balance query list it. The funds home fetches it each time it is shown;
// a form that waited above the home while another account logged on fetches it itself, since the
// store forgets the banks at every logon. A failure is told (network or refusal), never left as
// an empty list; an answer of a logon that has ended, failure or not, changes nothing. Owned by
// its screen; main thread.

#include "trade/common/PXTradeBusyOverlay.h"
#include "trade/core/PXTradeNetworkManger.h"

class ViewController;

class PXJYBankListFetch : public PXTradeNetworkMangerDelegate {
public:
    // screen: whose life bounds the replies.
    explicit PXJYBankListFetch(ViewController& screen);

    void fetch();
    // The store holds no bank list of this logon (a fetch failed, here or on the funds home) and
    // none is on its way: fetched again, at a showing or at a tap that wants a bank. A list that
    // was answered empty is not fetched again.
    void fetchWhenMissing();
    // The banks stored are not this logon's: nothing has arrived since.
    void forget() { m_arrived = false; }
    // Whether this logon's banks are in the store.
    bool arrived() const { return m_arrived; }
    bool onItsWay() const { return m_busy.isBusy(); }

    void requestFailed(PXTradeNetworkManger* manager, int errorCode) override;
    void dataAnalysisFinished(PXTradeNetworkManger* manager, const PXTradeResult* data) override;
    void dataAnalysisFailed(PXTradeNetworkManger* manager, int errorCode) override;

private:
    void forgetIfTold(const PXTradeNetworkManger& failure);

    ViewController& m_screen;
    PXTradeBusyOverlay m_busy;
    bool m_arrived = false;
};
