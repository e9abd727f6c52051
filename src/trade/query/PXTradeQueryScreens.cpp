#include "trade/query/PXTradeQueryScreens.h"

#include "trade/common/PXTradeScreenFactory.h"
#include "trade/query/PXJYChaXunViewController.h"

void registerPXTradeQueryScreens() {
    PXTradeScreenFactory::registerScreen(
        PXJYChaXunViewController::kClassName,
        [](const PXTradeScreenArgs&) { return std::make_unique<PXJYChaXunViewController>(); });
}
