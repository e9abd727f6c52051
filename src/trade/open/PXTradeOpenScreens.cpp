#include "trade/open/PXTradeOpenScreens.h"

#include "trade/common/PXTradeScreenFactory.h"
#include "trade/open/PXJYJianCangViewController.h"

void registerPXTradeOpenScreens() {
    PXTradeScreenFactory::registerScreen(
        "PXJYJianCangViewController",
        [](const PXTradeScreenArgs&) { return std::make_unique<PXJYJianCangViewController>(); });
}
