#include "trade/login/PXTradeLoginScreens.h"

#include "shell/VKJYTabRootFactory.h"
#include "trade/common/PXTradeScreenFactory.h"
#include "trade/login/PXJYRootViewController.h"
#include "trade/login/PXJYSimpleLoginVC.h"
#include "trade/login/PXJYTradeLoginVC.h"

void registerPXTradeLoginScreens() {
    VKJYTabRootFactory::setTradeRootMaker(
        [] { return std::make_unique<PXJYRootViewController>(); });
    PXTradeScreenFactory::registerScreen("PXJYTradeLoginVC", [](const PXTradeScreenArgs&) {
        return std::make_unique<PXJYTradeLoginVC>();
    });
    PXTradeScreenFactory::registerScreen("PXJYSimpleLoginVC", [](const PXTradeScreenArgs& args) {
        auto screen = std::make_unique<PXJYSimpleLoginVC>();
        const auto field = [&args](const char* key) {
            const auto found = args.selectedAccount.find(key);
            return found == args.selectedAccount.end() ? std::string() : found->second;
        };
        screen->setSelectedAccount(
            {field("platform_code"), field("environment_code"), field("JYUserName")});
        return screen;
    });
}
