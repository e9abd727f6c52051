#include "trade/quick/PXJYSimpleJianCangVC.h"

#include "platform/ui/Button.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Label.h"
#include "shell/VKJYNavigationBarView.h"
#include "trade/common/PXTradeFormat.h"
#include "trade/core/PXTradeData.h"
#include "trade/core/PXTradeModule.h"
#include "trade/quick/PXQuickScreenKit.h"

void PXJYSimpleJianCangVC::loadView() {
    PXJYJianCangViewController::loadView();
    // One form, chosen by the caller: the bar shows a title instead of the tabs.
    SJbutton()->setHidden(true);
    ZJbutton()->setHidden(true);
    navigationBarView()->title()->setAlpha(1);
    for (PXJianCangFormView* form : {static_cast<PXJianCangFormView*>(shiJianView()),
                                     static_cast<PXJianCangFormView*>(zhiJianView())}) {
        form->commodityNameButton()->setAlpha(0);
        form->commodityNameLabel()->setAlpha(1);
        form->commodityNameLabel()->setHidden(false);
        PXQuickScreenKit::lockAccount(form->switchingAccountView());
    }
}

void PXJYSimpleJianCangVC::viewWillAppear(bool animated) {
    PXJYJianCangViewController::viewWillAppear(animated);
    const bool market = m_shiJia_ZhiJia == 1;
    navigationBarView()->title()->setText(market ? " 摘牌" : "条件摘牌");
    if (market) {
        SJbuttonAction();
        shiJianView()->buyButtonAction();
    } else {
        ZJbuttonAction();
        zhiJianView()->buyButtonAction();
    }
    setShiJiaZhiJiaViewValue();
}

void PXJYSimpleJianCangVC::setShiJiaZhiJiaViewValue() {
    const auto& commodities = PXTradeModule::shared().PXJYData().shangPinXinXi();
    const auto found = commodities.find(m_commodityCode);
    if (found == commodities.end() || !found->second) {
        showUnknownCommodity();
        return;
    }
    setPXJianCangViewValue(m_commodityCode);
    shiJianView()->commodityNameLabel()->setText(found->second->commodityName);
    zhiJianView()->commodityNameLabel()->setText(found->second->commodityName);
}

void PXJYSimpleJianCangVC::showUnknownCommodity() {
    setPXJianCangViewValue(m_commodityCode);
    // Without the commodity's limits the ranges read 0 to 0, so the forms refuse every order.
    for (PXJianCangFormView* form : {static_cast<PXJianCangFormView*>(shiJianView()),
                                     static_cast<PXJianCangFormView*>(zhiJianView())}) {
        form->commodityNameLabel()->setText(PXTradeFormat::kMissing);
        form->fanWei()->setText(PXTradeFormat::kMissing);
    }
    shiJianView()->jiaGeZ()->setText(PXTradeFormat::kMissing);
    zhiJianView()->ZJfanWei()->setText("(<=--,>=--)");
}
