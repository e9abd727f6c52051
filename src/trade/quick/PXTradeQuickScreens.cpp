#include "trade/quick/PXTradeQuickScreens.h"

#include "trade/common/PXTradeScreenFactory.h"
#include "trade/quick/PXJYCommodityInfoViewController.h"
#include "trade/quick/PXJYSimpleJianCangVC.h"
#include "trade/quick/PXJYSimpleJianCangZYMSVC.h"
#include "trade/quick/PXJYSimplePingCangVC.h"
#include "trade/quick/PXJYSimplePingCangZYMSVC.h"
#include "trade/quick/PXJYXiangQingVC.h"
#include "trade/quick/PXJYXiangQingZYMSVC.h"

namespace {
using Made = std::unique_ptr<ViewController>;
}

void registerPXTradeQuickScreens() {
    PXTradeScreenFactory::registerScreen("PXJYSimpleJianCangVC",
                                         [](const PXTradeScreenArgs& args) -> Made {
                                             auto screen = std::make_unique<PXJYSimpleJianCangVC>();
                                             screen->setShiJia_ZhiJia(args.shiJiaZhiJia);
                                             screen->setCommodityCode(args.commodityCode);
                                             return screen;
                                         });
    PXTradeScreenFactory::registerScreen("PXJYSimplePingCangVC",
                                         [](const PXTradeScreenArgs& args) -> Made {
                                             auto screen = std::make_unique<PXJYSimplePingCangVC>();
                                             screen->setZhuanRangVCCommodity(args.summary);
                                             return screen;
                                         });
    PXTradeScreenFactory::registerScreen("PXJYXiangQingVC",
                                         [](const PXTradeScreenArgs& args) -> Made {
                                             auto screen = std::make_unique<PXJYXiangQingVC>();
                                             screen->selectedAnCommodity(args.summary);
                                             return screen;
                                         });
    PXTradeScreenFactory::registerScreen(
        "PXJYSimpleJianCangZYMSVC", [](const PXTradeScreenArgs& args) -> Made {
            auto screen = std::make_unique<PXJYSimpleJianCangZYMSVC>();
            screen->setPXJianCangZYMSViewValue(args.commodityCode);
            return screen;
        });
    // A summary (the trade home, the summary query) or one holding number (the detail query).
    PXTradeScreenFactory::registerScreen(
        "PXJYSimplePingCangZYMSVC", [](const PXTradeScreenArgs& args) -> Made {
            auto screen = std::make_unique<PXJYSimplePingCangZYMSVC>();
            if (!args.summary && !args.holdingNumber.empty()) {
                screen->fixToHoldingNumber(args.holdingNumber);
                return screen;
            }
            screen->setHuiZongCommodity(args.summary);
            return screen;
        });
    PXTradeScreenFactory::registerScreen("PXJYXiangQingZYMSVC",
                                         [](const PXTradeScreenArgs& args) -> Made {
                                             auto screen = std::make_unique<PXJYXiangQingZYMSVC>();
                                             screen->selectedAnCommodity(args.summary);
                                             return screen;
                                         });
    PXTradeScreenFactory::registerScreen(
        "PXJYCommodityInfoViewController", [](const PXTradeScreenArgs&) -> Made {
            return std::make_unique<PXJYCommodityInfoViewController>();
        });
}
