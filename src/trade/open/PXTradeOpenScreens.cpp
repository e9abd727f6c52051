#include "trade/open/PXTradeOpenScreens.h"

#include "trade/common/PXTradeScreenFactory.h"
#include "trade/open/PXJYGuaPaiViewController.h"
#include "trade/open/PXJYJianCangViewController.h"
#include "trade/open/PXJYJianCangZYMSVC.h"

void registerPXTradeOpenScreens() {
    PXTradeScreenFactory::registerScreen(
        "PXJYJianCangViewController",
        [](const PXTradeScreenArgs&) { return std::make_unique<PXJYJianCangViewController>(); });
    // Made for one order-book commodity, whose queries start at once.
    PXTradeScreenFactory::registerScreen(
        "PXJYJianCangZYMSVC", [](const PXTradeScreenArgs& args) -> std::unique_ptr<ViewController> {
            auto screen = std::make_unique<PXJYJianCangZYMSVC>();
            screen->setPXJianCangZYMSViewValue(args.commodityCode);
            return screen;
        });
    // For one commodity when the caller names it, else with the commodity to choose.
    PXTradeScreenFactory::registerScreen(
        "PXJYGuaPaiViewController",
        [](const PXTradeScreenArgs& args) -> std::unique_ptr<ViewController> {
            auto screen = std::make_unique<PXJYGuaPaiViewController>();
            if (args.commodityCode.empty()) {
                screen->addGuaPaiView();
                return screen;
            }
            screen->setNowCommodityCode(args.commodityCode);
            screen->addSimpleGuaPaiView();
            return screen;
        });
}
