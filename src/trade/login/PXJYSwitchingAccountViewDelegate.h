#pragma once

#include "trade/login/PXJYSavedAccounts.h"

// The owner of an account switcher pushes the login screens it asks for.
class PXJYSwitchingAccountViewDelegate {
public:
    virtual ~PXJYSwitchingAccountViewDelegate() = default;
    // Push the full login screen (PXJYTradeLoginVC) with the owner as its delegate.
    virtual void PXPushLoginVC() {}
    // Push the switch screen (PXJYSimpleLoginVC) for this account with the owner as delegate.
    virtual void PXPushSimpleLoginVC(const PXJYSavedAccount& /*account*/) {}
};
