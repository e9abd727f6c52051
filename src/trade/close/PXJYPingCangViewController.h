#pragma once
// The quote-mode transfer screen: the price board of the chosen holding's commodity over two
// tabs, the market-price transfer form (" 转让") and the stop-loss and take-profit form
// ("条件转让"), with the held-commodity and holding-number pickers sliding in over it. It fills
// the board and forms on every trading price refresh while visible, hands orders to the request
// facade (rights check and confirmation there), sends the reverse delisting after a transfer
// that asked for one, and hands order-book holdings to the order-book transfer screen. Shown
// again after another logon, it forgets what the forms and pickers held of the other account
// before it refills. Pushed by the trade home; owned by the navigation controller. Main thread.

#include <memory>
#include <string>

#include "platform/ui/ViewController.h"
#include "shell/VKJYNavigationBarViewDelegate.h"
#include "trade/close/PXHoldingChoice.h"
#include "trade/close/PXJYChiCangDanHaoListView.h"
#include "trade/close/PXJYChiCangShangPinListView.h"
#include "trade/close/PXJYShiJiaZhuanRangView.h"
#include "trade/close/PXJYZhiJiaPingCangView.h"
#include "trade/common/PXTradeOrderGate.h"
#include "trade/common/PXTradeScreenFactory.h"
#include "trade/common/PXTradeShownAccount.h"
#include "trade/common/PXTradeWhileShown.h"
#include "trade/core/PXTradeNetworkManger.h"

class Button;
class PXCommodityInformationView;
class PXJianCangAccountSwitch;
class PXJYChiCangHuiZong;
class PXJYChiCangMingXi;
class PXTradeCommodity;
class PXTradeYiKouJia;
class PXTradeReplyRelay;
class VKJYNavigationBarView;

class PXJYPingCangViewController : public ViewController,
                                   public VKJYNavigationBarViewDelegate,
                                   public PXJYShiJiaZhuanRangViewDelegate,
                                   public PXJYZhiJiaPingCangViewDelegate,
                                   public PXJYChiCangShangPinListViewDelegate,
                                   public PXJYChiCangDanHaoListViewDelegate,
                                   public PXTradeNetworkMangerDelegate {
public:
    PXJYPingCangViewController();
    ~PXJYPingCangViewController() override;

    void loadView() override;
    void viewWillAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;

    int shiJia_ZhiJia() const { return m_shiJia_ZhiJia; }
    const std::shared_ptr<PXJYChiCangHuiZong>& huiZongCommodity() const {
        return m_huiZong.chosen();
    }
    // The market form's choice, by commodity or by number: the user's pick, or one handed back
    // by the order-book screen above, taken under the logon in force.
    void setHuiZongCommodity(std::shared_ptr<PXJYChiCangHuiZong> summary);
    const std::string& nowDanHaoID() const { return m_nowDanHaoID; }
    void setNowDanHaoID(const std::string& number);

    VKJYNavigationBarView* navigationBarView() const { return m_navigationBarView; }
    Button* SJbutton() const { return m_SJbutton; }
    Button* ZJbutton() const { return m_ZJbutton; }
    PXCommodityInformationView* commodityInformationView() const { return m_board; }
    PXJYShiJiaZhuanRangView* SJPCView() const { return m_SJPCView; }
    PXJYZhiJiaPingCangView* ZJPCView() const { return m_ZJPCView; }
    PXJYChiCangShangPinListView* chiCangShangPinListView() const { return m_shangPinList; }
    PXJYChiCangDanHaoListView* chiCangDanHaoListView() const { return m_danHaoList; }
    bool isOrderOutstanding() const { return m_order.isOutstanding(); }

    void SJbuttonAction();
    void ZJbuttonAction();
    void JYRefreshView();
    void setPingCangValue();

    void PXSJPCAddChiCangShangPinListView() override;
    void PXSJPCAddChiCangDanHaoListView() override;
    void PXSJPCRefreshShiJiaPingCangView() override;
    void PXShiJiaPingCangClick(const JYDict& order, bool fanXiangJianCangSign) override;
    void PXZJPCremoveChiCangDanHaoView() override;
    void PXZhiJiaPingCangClick(const JYDict& order) override;
    void PXChangeAnCommodity(const std::shared_ptr<PXJYChiCangHuiZong>& summary) override;
    void PXChangeAnDanHao(const std::string& number) override;
    void VKJYNavBackAction() override;

    void orderSent(PXTradeNetworkManger* manager) override;
    void requestFailed(PXTradeNetworkManger* manager, int errorCode) override;
    void dataAnalysisFinished(PXTradeNetworkManger* manager, const PXTradeResult* data) override;
    void dataAnalysisFailed(PXTradeNetworkManger* manager, int errorCode) override;

protected:
    // Hooks of the one-holding variant: which numbers the picker lists, whether an order-book
    // choice goes to its own screen, and how the screen leaves after an order.
    virtual std::vector<std::string> numbersForTab() const;
    virtual bool handToOrderBook(const std::string& code, const PXTradeScreenArgs& args,
                                 bool byCommodity);
    virtual void leaveWith(const std::string& message);
    // The commodity of the price board, given that of the form on show ("" for none).
    virtual std::string boardCode(const std::string& formCode) const { return formCode; }
    std::shared_ptr<PXTradeNetworkManger> newManager();
    void orderEnded() { m_order.ended(); }
    // Lists the numbers for the form on show and slides the picker in; its pick goes to that
    // form.
    void slideInNumberPicker();

private:
    void showTab(bool market);
    void changeShangPin();
    void changeDanHao();
    void fanShouJianCangClick();
    void forgetAccount();
    // At a showing, and at a tap refused after another logon: the switchers' account, and
    // what the screen shows of the account, brought up to the logon in force.
    void showAccount();

    VKJYNavigationBarView* m_navigationBarView = nullptr;
    Button* m_SJbutton = nullptr;
    Button* m_ZJbutton = nullptr;
    PXCommodityInformationView* m_board = nullptr;
    PXJYShiJiaZhuanRangView* m_SJPCView = nullptr;
    PXJYZhiJiaPingCangView* m_ZJPCView = nullptr;
    PXJYChiCangShangPinListView* m_shangPinList = nullptr;
    PXJYChiCangDanHaoListView* m_danHaoList = nullptr;
    int m_shiJia_ZhiJia = 1;
    // The choices of the forms, each written only by a pick on its own form: by commodity and
    // by number on the market form, and the holding of the conditional form.
    PXHoldingChoice m_huiZong;
    std::string m_nowDanHaoID;
    std::string m_stopsDanHaoID;
    int m_numberPickerTab = 1;
    bool m_fanShou = false;
    JYDict m_postDic = JYDict::object();
    std::shared_ptr<PXTradeReplyRelay> m_relay;
    std::unique_ptr<PXJianCangAccountSwitch> m_accountSwitch;
    PXTradeOrderGate m_order;
    PXTradeWhileShown m_whileShown;
    PXTradeShownAccount m_shownAccount{[this] { forgetAccount(); }, {}, [this] { showAccount(); }};
};
