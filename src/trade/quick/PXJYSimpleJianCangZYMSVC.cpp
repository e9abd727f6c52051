#include "trade/quick/PXJYSimpleJianCangZYMSVC.h"

#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "trade/common/PXTradeFormat.h"
#include "trade/core/PXTradeData.h"
#include "trade/core/PXTradeModule.h"
#include "trade/quick/PXQuickScreenKit.h"

void PXJYSimpleJianCangZYMSVC::loadView() {
    PXJYJianCangZYMSVC::loadView();
    for (PXJianCangFormView* form : {static_cast<PXJianCangFormView*>(zhaiPaiView()),
                                     static_cast<PXJianCangFormView*>(tiaoJianZhaiPaiView())}) {
        form->commodityNameButton()->setAlpha(0);
        form->commodityNameLabel()->setAlpha(1);
        form->commodityNameLabel()->setHidden(false);
        PXQuickScreenKit::lockAccount(form->switchingAccountView());
    }
}

void PXJYSimpleJianCangZYMSVC::setPXJianCangZYMSViewValue(const std::string& code) {
    view();
    const auto& commodities = PXTradeModule::shared().PXJYData().shangPinXinXi();
    const auto found = commodities.find(code);
    const bool served =
        found != commodities.end() && found->second && found->second->shangPinJiaoYiMoShi == "4";
    const std::string name = served ? found->second->commodityName : PXTradeFormat::kMissing;
    for (PXJianCangFormView* form : {static_cast<PXJianCangFormView*>(zhaiPaiView()),
                                     static_cast<PXJianCangFormView*>(tiaoJianZhaiPaiView())}) {
        form->commodityNameLabel()->setText(name);
        if (!served) {
            // Ranges of 0 to 0: both forms refuse every order.
            form->fanWei()->setText(PXTradeFormat::kMissing);
        }
    }
    if (served) {
        PXJYJianCangZYMSVC::setPXJianCangZYMSViewValue(code);
    }
}
