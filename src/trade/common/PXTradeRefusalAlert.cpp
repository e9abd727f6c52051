#include "trade/common/PXTradeRefusalAlert.h"

#include "trade/common/PXTradeMessage.h"
#include "trade/common/PXTradeShownAccount.h"
#include "trade/core/PXTradeNetworkManger.h"

bool PXTradeRefusalAlert::tells(const PXTradeNetworkManger& failure) {
    return failure.reLoginShown() || PXTradeShownAccount::takes(failure);
}

void PXTradeRefusalAlert::show(PXTradeNetworkManger& manager) {
    if (manager.reLoginShown()) {
        manager.leaveTellingToReLogin();
        return;
    }
    if (tells(manager)) {
        PXTradeMessage::show(manager.JY_ErrorMessage());
    }
}

void PXTradeRefusalAlert::showNetworkFailed(const PXTradeNetworkManger& manager) {
    if (tells(manager)) {
        PXTradeMessage::show(PXTradeMessage::kNetworkFailed);
    }
}
