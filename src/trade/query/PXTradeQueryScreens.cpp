#include "trade/query/PXTradeQueryScreens.h"

#include "trade/common/PXTradeScreenFactory.h"
#include "trade/query/PXJYChaXunViewController.h"
#include "trade/query/PXTradeBaoBiaoController.h"

void registerPXTradeQueryScreens() {
    PXTradeScreenFactory::registerScreen(
        PXJYChaXunViewController::kClassName,
        [](const PXTradeScreenArgs&) { return std::make_unique<PXJYChaXunViewController>(); });
    PXTradeScreenFactory::registerScreen(
        PXTradeBaoBiaoController::kClassName,
        [](const PXTradeScreenArgs&) { return std::make_unique<PXTradeBaoBiaoController>(); });
}
