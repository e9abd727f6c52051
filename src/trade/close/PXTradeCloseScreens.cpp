#include "trade/close/PXTradeCloseScreens.h"

#include "trade/close/PXJYPingCangViewController.h"
#include "trade/close/PXJYZhuanRangZYMSVC.h"
#include "trade/common/PXTradeScreenFactory.h"

void registerPXTradeCloseScreens() {
    PXTradeScreenFactory::registerScreen(
        "PXJYPingCangViewController",
        [](const PXTradeScreenArgs&) { return std::make_unique<PXJYPingCangViewController>(); });
    // Handed a summary (transfer by commodity) or a holding number (by number).
    PXTradeScreenFactory::registerScreen(
        "PXJYZhuanRangZYMSVC",
        [](const PXTradeScreenArgs& args) -> std::unique_ptr<ViewController> {
            auto screen = std::make_unique<PXJYZhuanRangZYMSVC>();
            screen->setHuiZongCommodity(args.summary);
            screen->setNowDanHaoID(args.holdingNumber);
            return screen;
        });
}
