#include "trade/account/PXTradeAccountScreens.h"

#include "trade/account/PXJYAccountInfoViewController.h"
#include "trade/account/PXJYGongGaoViewController.h"
#include "trade/account/PXJYTradeOthersController.h"
#include "trade/account/PXTradeFundsScreens.h"
#include "trade/common/PXTradeScreenFactory.h"

namespace {
template <typename T>
void registerScreen(const char* className) {
    PXTradeScreenFactory::registerScreen(
        className, [](const PXTradeScreenArgs&) { return std::make_unique<T>(); });
}
}  // namespace

void registerPXTradeAccountScreens() {
    registerScreen<PXJYGongGaoViewController>("PXJYGongGaoViewController");
    registerScreen<PXJYAccountInfoViewController>("PXJYAccountInfoViewController");
    registerScreen<PXJYTradeOthersController>("PXJYTradeOthersController");
    registerPXTradeFundsScreens();
}
