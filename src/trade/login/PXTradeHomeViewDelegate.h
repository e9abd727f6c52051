#pragma once

#include <memory>

#include "trade/login/PXJYSavedAccounts.h"

class PXJYChiCangHuiZong;

// The trade home's owner (the trade root) opens what the home asks for.
class PXTradeHomeViewDelegate {
public:
    virtual ~PXTradeHomeViewDelegate() = default;
    // One of the eight order buttons of an opened holdings row (index 0 to 7) for its summary.
    virtual void pushViewControllerDelegate(
        int /*index*/, const std::shared_ptr<PXJYChiCangHuiZong>& /*summary*/) {}
    // Switch to this saved account.
    virtual void PXPushSimpleLoginVC(const PXJYSavedAccount& /*account*/) {}
};
