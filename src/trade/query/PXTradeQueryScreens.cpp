#include "trade/query/PXTradeQueryScreens.h"

#include "trade/common/PXTradeScreenFactory.h"
#include "trade/query/PXJYChaXunViewController.h"
#include "trade/query/PXJYHuiZongViewController.h"
#include "trade/query/PXJYMingXiViewController.h"
#include "trade/query/PXTradeBaoBiaoController.h"

void registerPXTradeQueryScreens() {
    PXTradeScreenFactory::registerScreen(
        PXJYChaXunViewController::kClassName,
        [](const PXTradeScreenArgs&) { return std::make_unique<PXJYChaXunViewController>(); });
    PXTradeScreenFactory::registerScreen(
        PXTradeBaoBiaoController::kClassName,
        [](const PXTradeScreenArgs&) { return std::make_unique<PXTradeBaoBiaoController>(); });
    // Filtered to one commodity and side by the position summaries; "" for all.
    PXTradeScreenFactory::registerScreen(
        PXJYMingXiViewController::kClassName, [](const PXTradeScreenArgs& args) {
            auto screen = std::make_unique<PXJYMingXiViewController>();
            screen->setRequestCommodity(args.commodityCode);
            screen->setBuySellSign(args.buySellSign);
            return screen;
        });
    PXTradeScreenFactory::registerScreen(
        PXJYHuiZongViewController::kClassName,
        [](const PXTradeScreenArgs&) { return std::make_unique<PXJYHuiZongViewController>(); });
}
