#include "trade/common/PXTradeRefusalAlert.h"

#include "trade/common/PXTradeMessage.h"
#include "trade/core/PXTradeNetworkManger.h"

void PXTradeRefusalAlert::show(PXTradeNetworkManger& manager) {
    if (manager.reLoginShown()) {
        manager.leaveTellingToReLogin();
        return;
    }
    PXTradeMessage::show(manager.JY_ErrorMessage());
}
