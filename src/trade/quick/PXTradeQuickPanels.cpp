#include "trade/quick/PXTradeQuickPanels.h"

#include "shell/VKJYFastTradeViewControllerFactory.h"
#include "trade/quick/PXFastTradeVCZYMS.h"
#include "trade/quick/PXFastTradeViewController.h"

void registerPXTradeQuickPanels() {
    VKJYFastTradeViewControllerFactory::registerPanels(
        [] { return std::make_unique<PXFastTradeViewController>(); },
        [] { return std::make_unique<PXFastTradeVCZYMS>(); });
}
