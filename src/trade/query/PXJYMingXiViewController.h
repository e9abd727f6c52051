#pragma once

// "持牌明细": the account's holding tickets one holding number a row (all of them, or those of
// one commodity and side when a position summary opens it), the chosen ticket's record in a
// panel that slides in, and from there its transfer at the market price (by that number, with
// an optional reverse delisting), a stop-loss and take-profit on it, the withdrawal of the stop
// or target it carries, or, for an order-book commodity, the order-book transfer screen. After
// every success the holdings are queried again. One order or withdrawal at a time. Shown again
// after another logon, it forgets the tickets and the one chosen before it queries. Pushed by
// the query menu and by the position summary details; owned by the trade tab's navigation
// stack. Main thread.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/foundation/WeakLink.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/ViewController.h"
#include "shell/VKJYNavigationBarViewDelegate.h"
#include "trade/close/PXJYChiCangDanHaoListView.h"
#include "trade/close/PXJYShiJiaZhuanRangView.h"
#include "trade/close/PXJYZhiJiaPingCangView.h"
#include "trade/common/PXTradeShownAccount.h"
#include "trade/common/PXTradeWhileShown.h"
#include "trade/core/PXTradeNetworkManger.h"

class Button;
class Label;
class PXCommodityInformationView;
class PXJianCangAccountSwitch;
class PXJYMingXiListView;
class PXJYQueryOrders;

class PXJYMingXiViewController : public ViewController,
                                 public VKJYNavigationBarViewDelegate,
                                 public PXJYChiCangDanHaoListViewDelegate,
                                 public PXJYShiJiaZhuanRangViewDelegate,
                                 public PXJYZhiJiaPingCangViewDelegate,
                                 public AlertViewDelegate,
                                 public PXTradeNetworkMangerDelegate {
public:
    static constexpr const char* kClassName = "PXJYMingXiViewController";
    static constexpr int kStopLossAlertTag = 1105;
    static constexpr int kTakeProfitAlertTag = 1106;

    PXJYMingXiViewController();
    ~PXJYMingXiViewController() override;

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;

    // The commodity sent with the query ("" all) and the side kept from its answer ("" both).
    const std::string& requestCommodity() const { return m_requestCommodity; }
    void setRequestCommodity(const std::string& code) { m_requestCommodity = code; }
    const std::string& buySellSign() const { return m_buySellSign; }
    void setBuySellSign(const std::string& sign) { m_buySellSign = sign; }

    PXJYChiCangDanHaoListView* chiCangDanHaoListView() const { return m_list; }
    View* mingXiDetailView() const { return m_detailView; }
    PXJYMingXiListView* showListView() const { return m_showListView; }
    Button* SJPingCangButton() const { return m_SJPingCangButton; }
    Button* ZJPingCangButton() const { return m_ZJPingCangButton; }
    Button* CXZhiSunDan() const { return m_CXZhiSunDan; }
    Button* CXZhiYingDan() const { return m_CXZhiYingDan; }
    View* ZYMSView() const { return m_ZYMSView; }
    Button* guaPingButton() const { return m_guaPingButton; }
    View* pingCangView() const { return m_pingCangView; }
    Label* pingCangTitle() const { return m_pingCangTitle; }
    PXCommodityInformationView* commodityInformationView() const { return m_board; }
    PXJYShiJiaZhuanRangView* SJPCView() const { return m_SJPCView; }
    PXJYZhiJiaPingCangView* ZJPCView() const { return m_ZJPCView; }
    const std::optional<std::string>& danHaoID() const { return m_danHaoID; }

    void getChiCangMingXi();
    void JYRefreshView();
    void setMingXiDetailValue();
    void addMingXiDetailView();
    void removeMingXiDetailView();
    void SJPingCangButtonAction();
    void ZJPingCangButtonAction();
    void removePingCangView();
    void CXZhiSunDanButtonAction();
    void CXZhiYingDanButtonAction();
    void sendCXZhiSunRequest();
    void sendCXZhiYingRequest();
    void guaPingButtonAction();

    void VKJYNavBackAction() override;
    void PXChangeAnDanHao(const std::string& number) override;
    void PXShiJiaPingCangClick(const JYDict& order, bool fanXiangJianCangSign) override;
    void PXZhiJiaPingCangClick(const JYDict& order) override;
    void alertViewClickedButtonAtIndex(AlertView& alert, int buttonIndex) override;

    void orderSent(PXTradeNetworkManger* manager) override;
    void requestFailed(PXTradeNetworkManger* manager, int errorCode) override;
    void dataAnalysisFinished(PXTradeNetworkManger* manager, const PXTradeResult* data) override;
    void dataAnalysisFailed(PXTradeNetworkManger* manager, int errorCode) override;

private:
    void initMingXiDetailView();
    void initPingCangView();
    void setZYMSViewAlpha();
    void setWithdrawButtons();
    void showForm(bool market);
    void askWithdrawal(bool stopLoss);
    void sendWithdrawal(const char* type);
    void showNumbers(const PXTradeResult* data);
    void succeeded(const PXTradeNetworkManger& reply, const std::string& message);
    // The reply's own request ends: its overlay or busy button is released. False for a query
    // a newer one has voided: its reply or failure tells nothing.
    bool requestEnded(const PXTradeNetworkManger& reply);
    void forgetAccount();
    // At a showing, and at a tap refused after another logon: the switchers' account, and
    // what the screen shows of the account, brought up to the logon in force.
    void showAccount();

    std::string m_requestCommodity;
    std::string m_buySellSign;
    std::optional<std::string> m_danHaoID;
    std::string m_commodityCode;
    bool m_XIADANSUCCESS = false;
    bool m_withdrawing = false;
    std::unique_ptr<PXJYQueryOrders> m_orders;
    std::unique_ptr<PXJianCangAccountSwitch> m_accountSwitch;
    PXTradeWhileShown m_whileShown;
    PXTradeShownAccount m_shownAccount{[this] { forgetAccount(); }, {}, [this] { showAccount(); }};

    PXJYChiCangDanHaoListView* m_list = nullptr;
    View* m_detailView = nullptr;
    PXJYMingXiListView* m_showListView = nullptr;
    Button* m_SJPingCangButton = nullptr;
    Button* m_ZJPingCangButton = nullptr;
    Button* m_CXZhiSunDan = nullptr;
    Button* m_CXZhiYingDan = nullptr;
    View* m_ZYMSView = nullptr;
    Button* m_guaPingButton = nullptr;
    View* m_pingCangView = nullptr;
    Label* m_pingCangTitle = nullptr;
    PXCommodityInformationView* m_board = nullptr;
    PXJYShiJiaZhuanRangView* m_SJPCView = nullptr;
    PXJYZhiJiaPingCangView* m_ZJPCView = nullptr;
};
