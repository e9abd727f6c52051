#pragma once
// The quote-mode opening screen ("摘牌"): the price board of the chosen commodity over two tabs,
// the market-price form and the conditional form. It fills the board and the forms on every
// trading price refresh while visible, hands a finished order to the request facade (rights
// check and confirmation there), keeps a busy overlay up while the order travels and reports
// the outcome. A commodity of the order-book mode goes to the order-book opening screen. Shown
// again after another logon, it refills at once: the commodity stays if that account trades
// it, else it is forgotten. Pushed by the trade home; owned by the navigation controller. Main
// thread.

#include <memory>
#include <string>

#include "platform/ui/ViewController.h"
#include "shell/VKJYNavigationBarViewDelegate.h"
#include "trade/common/PXTradeOrderGate.h"
#include "trade/common/PXTradeShownAccount.h"
#include "trade/common/PXTradeWhileShown.h"
#include "trade/core/PXTradeNetworkManger.h"
#include "trade/open/PXJYShiJiaJianCangView.h"
#include "trade/open/PXJYZhiJiaJianCangView.h"

class Button;
class PXCommodityInformationView;
class PXJianCangTabs;
class PXTradeCommodity;
class PXJianCangAccountSwitch;
class PXTradeReplyRelay;
class PXTradeYiKouJia;
class VKJYNavigationBarView;

class PXJYJianCangViewController : public ViewController,
                                   public VKJYNavigationBarViewDelegate,
                                   public PXJYShiJiaJianCangViewDelegate,
                                   public PXJYZhiJiaJianCangViewDelegate,
                                   public PXTradeNetworkMangerDelegate {
public:
    PXJYJianCangViewController();
    ~PXJYJianCangViewController() override;

    void loadView() override;
    void viewWillAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;

    void JYRefreshView();
    void SJbuttonAction();
    void ZJbuttonAction();
    void setPXJianCangViewValue(const std::string& code);
    void refreshJianCangView();
    void setJianCangViewAndTiaoJianJianCangViewValue(const PXTradeCommodity* commodity,
                                                     const PXTradeYiKouJia* prices);

    // Both forms.
    void PXChangeCommodity(const std::string& code) override;
    void PXChangeMaiMaiFangXiang(const std::string& code) override;
    void PXShiJiaJianCangClick(const JYDict& order) override;
    void PXZhiJiaJianCangClick(const JYDict& order) override;

    void VKJYNavBackAction() override;

    void orderSent(PXTradeNetworkManger* manager) override;
    void requestFailed(PXTradeNetworkManger* manager, int errorCode) override;
    void dataAnalysisFinished(PXTradeNetworkManger* manager, const PXTradeResult* data) override;
    void dataAnalysisFailed(PXTradeNetworkManger* manager, int errorCode) override;

    VKJYNavigationBarView* navigationBarView() const { return m_navigationBarView; }
    Button* SJbutton() const;
    Button* ZJbutton() const;
    PXCommodityInformationView* commodityInformationView() const { return m_board; }
    PXJYShiJiaJianCangView* shiJianView() const { return m_shiJianView; }
    PXJYZhiJiaJianCangView* zhiJianView() const { return m_zhiJianView; }
    const std::string& nowCommodityCode() const { return m_nowCommodityCode; }
    bool isOrderOutstanding() const { return m_order.isOutstanding(); }

private:
    // At a showing, and at a tap refused after another logon: the switchers' account, and
    // what the screen shows of the account, brought up to the logon in force.
    void showAccount();
    void showTab(bool market);
    // Every way out of a form closes its drop-down.
    void closeCommodityLists();
    void fillForms(const PXTradeCommodity& commodity, const PXTradeYiKouJia* prices);
    void forgetCommodity();
    void sendOrder(const JYDict& order, bool market);

    VKJYNavigationBarView* m_navigationBarView = nullptr;
    std::unique_ptr<PXJianCangTabs> m_tabs;
    PXCommodityInformationView* m_board = nullptr;
    PXJYShiJiaJianCangView* m_shiJianView = nullptr;
    PXJYZhiJiaJianCangView* m_zhiJianView = nullptr;
    std::string m_nowCommodityCode;
    std::shared_ptr<PXTradeReplyRelay> m_relay;
    std::unique_ptr<PXJianCangAccountSwitch> m_accountSwitch;
    PXTradeOrderGate m_order;
    PXTradeWhileShown m_whileShown;
    PXTradeShownAccount m_shownAccount{
        [this] { refreshJianCangView(); }, {}, [this] { showAccount(); }};
};
