#pragma once

// "持牌汇总": the account's holdings summed by commodity and side, the chosen summary's record
// in a panel that slides in, and from there its transfer at the market price, by commodity or
// by one of its holding numbers (picked in a list that slides in over everything), with an
// optional reverse delisting; an order-book summary goes to the order-book transfer screen
// instead. The summaries are queried each time the screen shows; the list follows the store
// at every price refresh. One order at a time. A chosen summary that closes is shown as nothing,
// in its record as on its form. Shown again after another logon, it forgets the summary chosen
// and what its panels held. Pushed by the query menu; owned by the trade tab's
// navigation stack. Main thread.

#include <memory>
#include <optional>
#include <string>

#include "platform/ui/AlertView.h"
#include "platform/ui/ViewController.h"
#include "shell/VKJYNavigationBarViewDelegate.h"
#include "trade/close/PXHoldingChoice.h"
#include "trade/close/PXJYChiCangDanHaoListView.h"
#include "trade/close/PXJYChiCangShangPinListView.h"
#include "trade/close/PXJYShiJiaZhuanRangView.h"
#include "trade/common/PXTradeShownAccount.h"
#include "trade/common/PXTradeWhileShown.h"
#include "trade/core/PXTradeNetworkManger.h"

class Button;
class PXCommodityInformationView;
class PXJianCangAccountSwitch;
class PXJYChiCangHuiZong;
class PXJYHuiZongListView;
class PXJYQueryOrders;

class PXJYHuiZongViewController : public ViewController,
                                  public VKJYNavigationBarViewDelegate,
                                  public PXJYChiCangShangPinListViewDelegate,
                                  public PXJYChiCangDanHaoListViewDelegate,
                                  public PXJYShiJiaZhuanRangViewDelegate,
                                  public AlertViewDelegate,
                                  public PXTradeNetworkMangerDelegate {
public:
    static constexpr const char* kClassName = "PXJYHuiZongViewController";

    PXJYHuiZongViewController();
    ~PXJYHuiZongViewController() override;

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;

    const std::shared_ptr<PXJYChiCangHuiZong>& huiZongCommodity() const { return m_huiZong; }
    const std::optional<std::string>& newDanHao() const { return m_newDanHao; }
    PXJYChiCangShangPinListView* chiCangShangPinListView() const { return m_list; }
    View* huiZongDetailView() const { return m_detailView; }
    PXJYHuiZongListView* showView() const { return m_showView; }
    Button* HZSJPingCangButton() const { return m_transferButton; }
    View* ZYMSView() const { return m_ZYMSView; }
    Button* guaPingButton() const { return m_guaPingButton; }
    View* pingCangView() const { return m_pingCangView; }
    PXCommodityInformationView* commodityInformationView() const { return m_board; }
    PXJYShiJiaZhuanRangView* SJPCView() const { return m_SJPCView; }
    PXJYChiCangDanHaoListView* chiCangDanHaoListView() const { return m_numbers; }

    void getChiCangHuiZong();
    void getChiCangMingXi();
    void setShangPinListViewInfo();
    void JYRefreshView();
    void setHuiZongDetailValue();
    void fillByCommodity(const PXTradeData& trade);
    void addHuiZongDetailView();
    void removeHuiZongDetailView();
    void HZSJPingCangButtonAction();
    void removePingCangView();
    void guaPingButtonAction();

    void VKJYNavBackAction() override;
    void PXChangeAnCommodity(const std::shared_ptr<PXJYChiCangHuiZong>& summary) override;
    void PXChangeAnDanHao(const std::string& number) override;
    void PXSJPCAddChiCangDanHaoListView() override;
    void PXSJPCRefreshShiJiaPingCangView() override;
    void PXShiJiaPingCangClick(const JYDict& order, bool fanXiangJianCangSign) override;
    void alertViewClickedButtonAtIndex(AlertView& alert, int buttonIndex) override;

    void orderSent(PXTradeNetworkManger* manager) override;
    void requestFailed(PXTradeNetworkManger* manager, int errorCode) override;
    void dataAnalysisFinished(PXTradeNetworkManger* manager, const PXTradeResult* data) override;
    void dataAnalysisFailed(PXTradeNetworkManger* manager, int errorCode) override;

private:
    void initHuiZongDetailView();
    void initPingCangView();
    void setZYMSViewAlpha();
    void showDetail(const PXTradeData& trade);
    void showNumbers();
    void forgetAccount();
    // At a showing, and at a tap refused after another logon: the switchers' account, and
    // what the screen shows of the account, brought up to the logon in force.
    void showAccount();
    void finished(const PXTradeNetworkManger& reply, const std::string& message);
    // Ends the query or the order the reply answers. False for a query a newer one of its kind
    // has voided: its reply or failure tells nothing.
    bool requestEnded(const PXTradeNetworkManger& reply);

    std::shared_ptr<PXJYChiCangHuiZong> m_huiZong;
    std::optional<std::string> m_newDanHao;
    // The transfer form's holding by commodity: the summary's, until it goes.
    PXHoldingChoice m_transferHolding;
    bool m_XIADANSUCCESS = false;
    std::unique_ptr<PXJYQueryOrders> m_orders;
    std::unique_ptr<PXJianCangAccountSwitch> m_accountSwitch;
    PXTradeWhileShown m_whileShown;
    PXTradeShownAccount m_shownAccount{[this] { forgetAccount(); }, {}, [this] { showAccount(); }};

    PXJYChiCangShangPinListView* m_list = nullptr;
    View* m_detailView = nullptr;
    PXJYHuiZongListView* m_showView = nullptr;
    Button* m_transferButton = nullptr;
    View* m_ZYMSView = nullptr;
    Button* m_guaPingButton = nullptr;
    View* m_pingCangView = nullptr;
    PXCommodityInformationView* m_board = nullptr;
    PXJYShiJiaZhuanRangView* m_SJPCView = nullptr;
    PXJYChiCangDanHaoListView* m_numbers = nullptr;
};
