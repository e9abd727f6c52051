#pragma once
// The listing screen ("挂牌") of the order-book mode: the order-book price board over the
// listing form. Opened for one commodity (a holding's shortcut; commodity and account fixed)
// or with the choice open (the trade home's menu). It asks for the open orders of the
// commodity to bound the quantity, fills the board on every price refresh and sends the
// listing. Shown again after another logon, it refills at once, forgetting a commodity that
// account does not trade. Owned by the navigation controller. Main thread.

#include <cstdint>
#include <memory>
#include <string>

#include "platform/ui/ViewController.h"
#include "shell/VKJYNavigationBarViewDelegate.h"
#include "trade/common/PXTradeBusyOverlay.h"
#include "trade/common/PXTradeOrderGate.h"
#include "trade/common/PXTradeShownAccount.h"
#include "trade/common/PXTradeWhileShown.h"
#include "trade/core/PXTradeNetworkManger.h"
#include "trade/open/PXJYGuaPaiView.h"
#include "trade/open/PXJianCangOpenOrders.h"

class PXCommodityInformationViewZYMS;
class PXJianCangAccountSwitch;
class PXTradeReplyRelay;
class VKJYNavigationBarView;

class PXJYGuaPaiViewController : public ViewController,
                                 public VKJYNavigationBarViewDelegate,
                                 public PXJYGuaPaiViewDelegate,
                                 public PXTradeNetworkMangerDelegate {
public:
    PXJYGuaPaiViewController();
    ~PXJYGuaPaiViewController() override;

    void viewDidLoad() override;
    void loadView() override;
    void viewWillAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;

    // One commodity, fixed: the open-orders query, then the form filled for it.
    void addSimpleGuaPaiView();
    // The commodity and the account left to choose.
    void addGuaPaiView();
    void setNowCommodityCode(const std::string& code) { m_nowCommodityCode = code; }
    void JYRefreshView();
    void setShiJiaZhiJiaViewValue(const std::string& code);

    void PXChangeCommodity(const std::string& code) override;
    void PXGuaPaiButtonClick(const JYDict& request) override;
    void VKJYNavBackAction() override;

    void requestFailed(PXTradeNetworkManger* manager, int errorCode) override;
    void dataAnalysisFinished(PXTradeNetworkManger* manager, const PXTradeResult* data) override;
    void dataAnalysisFailed(PXTradeNetworkManger* manager, int errorCode) override;

    PXCommodityInformationViewZYMS* commodityInformationView() const { return m_board; }
    PXJYGuaPaiView* guaPaiView() const { return m_guaPaiView; }
    const std::string& nowCommodityCode() const { return m_nowCommodityCode; }
    int weiTuoDan() const { return m_openOrders.lots(); }

private:
    void addForm();
    void getWeiTuoDanInfo(const std::string& code);
    void setGuaPaiView();
    // At a refresh: keeps the range that of the account logged in.
    void followAccount();
    // At a showing, and at a tap refused after another logon: the switcher's account and the
    // range of the account logged in, asked again when its open orders failed.
    void showAccount();
    // A tap found no range.
    void rangeWanted();
    void requestEnded(const PXTradeNetworkManger& manager);
    // An open-orders reply that a newer query made void.
    bool isVoid(const PXTradeNetworkManger& reply) const;

    VKJYNavigationBarView* m_navigationBarView = nullptr;
    PXCommodityInformationViewZYMS* m_board = nullptr;
    PXJYGuaPaiView* m_guaPaiView = nullptr;
    PXJianCangOpenOrders m_openOrders;
    std::string m_nowCommodityCode;
    std::shared_ptr<PXTradeReplyRelay> m_relay;
    std::unique_ptr<PXJianCangAccountSwitch> m_accountSwitch;
    PXTradeBusyOverlay m_openOrdersBusy;
    PXTradeOrderGate m_listing;
    PXTradeWhileShown m_whileShown;
    PXTradeShownAccount m_shownAccount{
        [this] { setShiJiaZhiJiaViewValue(m_nowCommodityCode); }, {}, [this] { showAccount(); }};
};
