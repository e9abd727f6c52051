#pragma once

// The logon a funds form (transfer, balance query) was filled under, with that logon's bank
// list. After another logon the form forgets its bank and what was typed, and the new account's
// banks are fetched, when the form shows again or at the first tap that would send: that tap
// sends nothing and says why, and the next one, on the refilled form, goes. Banks that failed
// to come are fetched again at the next showing and at a tap that finds none. Owned by its
// form; main thread.

#include <functional>

#include "trade/account/PXJYBankListFetch.h"
#include "trade/common/PXTradeShownAccount.h"

class ViewController;

class PXJYFundsFormAccount {
public:
    // forget: the form drops its bank and fields.
    PXJYFundsFormAccount(ViewController& form, std::function<void()> forget);

    // On showing.
    void follow() { m_shownAccount.follow(); }
    // Before a send: true, once told, when another account logged on since the form was filled.
    // Otherwise banks missing are fetched again; the form's own check then says what it lacks.
    bool refusesSend();
    // Before the bank list opens: as before a send, and true while the missing banks are on their
    // way, so that no empty list opens; a failure says why.
    bool refusesPick();

private:
    PXJYBankListFetch m_banks;
    PXTradeShownAccount m_shownAccount;
};
