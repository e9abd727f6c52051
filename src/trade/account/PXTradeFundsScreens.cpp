#include "trade/account/PXTradeFundsScreens.h"

#include "trade/account/PXJYChuRuJinViewController.h"
#include "trade/common/PXTradeScreenFactory.h"

void registerPXTradeFundsScreens() {
    PXTradeScreenFactory::registerScreen(
        PXJYChuRuJinViewController::kClassName,
        [](const PXTradeScreenArgs&) { return std::make_unique<PXJYChuRuJinViewController>(); });
}
