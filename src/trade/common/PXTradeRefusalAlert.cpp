#include "trade/common/PXTradeRefusalAlert.h"

#include "trade/common/PXTradeMessage.h"
#include "trade/core/PXTradeNetworkManger.h"

namespace {
// The facade's tag of its session-lost dialog.
constexpr int kSessionLostAlertTag = 5554;
}  // namespace

void PXTradeRefusalAlert::show(const PXTradeNetworkManger& manager) {
    if (manager.alertViewTag() == kSessionLostAlertTag) {
        return;
    }
    PXTradeMessage::show(manager.JY_ErrorMessage());
}
