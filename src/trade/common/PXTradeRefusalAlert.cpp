#include "trade/common/PXTradeRefusalAlert.h"

#include "trade/common/PXTradeMessage.h"
#include "trade/core/PXTradeNetworkManger.h"

void PXTradeRefusalAlert::show(const PXTradeNetworkManger& manager) {
    if (manager.reLoginShown()) {
        return;
    }
    PXTradeMessage::show(manager.JY_ErrorMessage());
}
