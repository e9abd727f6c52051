#pragma once
// The order-book transfer screen: the order-book price board over the transfer form, with the
// two holding pickers sliding in over it. It lists a holding of an order-book commodity for
// transfer ("order_list", settlement "2"), confirming first when the user asks for prompts,
// and hands a quote-mode choice back to the quote-mode transfer screen below it. It refills
// whenever it shows; shown again after another logon (a switch in its own form included), it
// first forgets the holding chosen, which was another account's. Pushed by that screen; owned
// by the navigation controller. Main thread.

#include <memory>
#include <string>

#include "platform/ui/AlertView.h"
#include "platform/ui/ViewController.h"
#include "shell/VKJYNavigationBarViewDelegate.h"
#include "trade/close/PXHoldingChoice.h"
#include "trade/close/PXJYChiCangDanHaoListView.h"
#include "trade/close/PXJYChiCangShangPinListView.h"
#include "trade/close/PXJYZhuanRangZYMSView.h"
#include "trade/common/PXTradeOrderGate.h"
#include "trade/common/PXTradeShownAccount.h"
#include "trade/common/PXTradeWhileShown.h"
#include "trade/core/PXTradeNetworkManger.h"

class PXCommodityInformationViewZYMS;
class PXJianCangAccountSwitch;
class PXJYChiCangHuiZong;
class PXTradeReplyRelay;
class VKJYNavigationBarView;

class PXJYZhuanRangZYMSVC : public ViewController,
                            public VKJYNavigationBarViewDelegate,
                            public PXJYZhuanRangZYMSViewDelegate,
                            public PXJYChiCangShangPinListViewDelegate,
                            public PXJYChiCangDanHaoListViewDelegate,
                            public PXTradeNetworkMangerDelegate,
                            public AlertViewDelegate {
public:
    PXJYZhuanRangZYMSVC();
    ~PXJYZhuanRangZYMSVC() override;

    void loadView() override;
    void viewWillAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;

    // The form's choice, by commodity or by number, taken under the logon in force.
    void setHuiZongCommodity(std::shared_ptr<PXJYChiCangHuiZong> summary);
    const std::shared_ptr<PXJYChiCangHuiZong>& huiZongCommodity() const {
        return m_huiZong.chosen();
    }
    void setNowDanHaoID(const std::string& number);
    const std::string& nowDanHaoID() const { return m_nowDanHaoID; }
    // Built on first use, so a host can switch the form's mode before the push shows it.
    PXJYZhuanRangZYMSView* SJPCView();
    PXCommodityInformationViewZYMS* commodityInformationView() const { return m_board; }
    PXJYChiCangShangPinListView* chiCangShangPinListView() const { return m_shangPinList; }
    PXJYChiCangDanHaoListView* chiCangDanHaoListView() const { return m_danHaoList; }
    bool isOrderOutstanding() const { return m_order.isOutstanding(); }

    void JYRefreshView();
    void setPingCangValue();

    void PXZRAddChiCangShangPinListView() override;
    void PXZRAddChiCangDanHaoListView() override;
    void PXZRRefreshShiJiaPingCangView() override;
    void PXZhuanRangClick(const JYDict& request) override;
    void PXGuaPaiButtonClick(const JYDict& request);
    void PXChangeAnCommodity(const std::shared_ptr<PXJYChiCangHuiZong>& summary) override;
    void PXChangeAnDanHao(const std::string& number) override;
    void VKJYNavBackAction() override;
    VKJYNavigationBarView* navigationBarView() const { return m_navigationBarView; }
    void alertViewClickedButtonAtIndex(AlertView& alert, int buttonIndex) override;

    void requestFailed(PXTradeNetworkManger* manager, int errorCode) override;
    void dataAnalysisFinished(PXTradeNetworkManger* manager, const PXTradeResult* data) override;
    void dataAnalysisFailed(PXTradeNetworkManger* manager, int errorCode) override;

protected:
    // The numbers the holding-number picker lists, and the commodity its detail query names
    // ("" for every commodity).
    virtual std::vector<std::string> pickerNumbers() const;
    virtual std::string detailQueryCode() const;
    // Lets go of every pending reply and pops to the trade home, or only this screen.
    void leave(bool toRoot);

private:
    // `went`: the chosen holding went at this refresh.
    void setAnShangPinSJPCViewValueCommodity(bool went);
    void setAnDanHaoViewValueCommodity();
    void setYiKouJiaBaoJiaBanValue(const std::string& code);
    void writeCommodity(const std::string& code);
    // Hands the choice to the quote-mode screen below and pops to it; false when the choice
    // is of the order-book mode, or nothing suitable lies below.
    bool handBack(bool byCommodity);
    std::shared_ptr<PXTradeNetworkManger> newManager();
    void forgetAccount();
    // At a showing, and at a tap refused after another logon: the switchers' account, and
    // what the screen shows of the account, brought up to the logon in force.
    void showAccount();

    VKJYNavigationBarView* m_navigationBarView = nullptr;
    PXCommodityInformationViewZYMS* m_board = nullptr;
    PXJYZhuanRangZYMSView* m_SJPCView = nullptr;
    PXJYChiCangShangPinListView* m_shangPinList = nullptr;
    PXJYChiCangDanHaoListView* m_danHaoList = nullptr;
    PXHoldingChoice m_huiZong;
    std::string m_nowDanHaoID;
    JYDict m_post_dict = JYDict::object();
    std::shared_ptr<PXTradeReplyRelay> m_relay;
    std::unique_ptr<PXJianCangAccountSwitch> m_accountSwitch;
    PXTradeOrderGate m_order;
    PXTradeWhileShown m_whileShown;
    PXTradeShownAccount m_shownAccount{[this] { forgetAccount(); }, {}, [this] { showAccount(); }};
};
