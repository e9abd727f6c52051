#pragma once
// The position summary detail of a quote-mode holding, from the trade home's holdings row: the
// summary's rows, " 转让", which slides in a panel with the price board and the market-price
// transfer form fixed to the summary (with the holding-number picker of its commodity and side,
// and the optional reverse delisting), and "查看明细". A successful transfer (with its reverse
// delisting, when asked for) leaves the screen at once. Made through the screen factory; owned
// by the navigation controller. Main thread.

#include <memory>
#include <string>

#include "trade/close/PXHoldingChoice.h"
#include "trade/close/PXJYChiCangDanHaoListView.h"
#include "trade/close/PXJYShiJiaZhuanRangView.h"
#include "trade/common/PXTradeBusyOverlay.h"
#include "trade/core/PXTradeNetworkManger.h"
#include "trade/quick/PXHuiZongXiangQingScreen.h"

class PXCommodityInformationView;
class PXJianCangAccountSwitch;
class PXTradeReplyRelay;

class PXJYXiangQingVC : public PXHuiZongXiangQingScreen,
                        public PXJYShiJiaZhuanRangViewDelegate,
                        public PXJYChiCangDanHaoListViewDelegate,
                        public PXTradeNetworkMangerDelegate {
public:
    PXJYXiangQingVC();
    ~PXJYXiangQingVC() override;

    // Sets the summary, fills the screen and asks for the summary's holding details.
    void selectedAnCommodity(std::shared_ptr<PXJYChiCangHuiZong> summary) override;
    void setHuiZongDetailValue() override;
    void getChiCangMingXi();
    void HZSJPingCangButtonAction();
    void removePingCangView();

    void PXSJPCAddChiCangDanHaoListView() override;
    void PXSJPCRefreshShiJiaPingCangView() override;
    void PXShiJiaPingCangClick(const JYDict& order, bool fanXiangJianCangSign) override;
    void PXChangeAnDanHao(const std::string& number) override;

    void orderSent(PXTradeNetworkManger* manager) override;
    void requestFailed(PXTradeNetworkManger* manager, int errorCode) override;
    void dataAnalysisFinished(PXTradeNetworkManger* manager, const PXTradeResult* data) override;
    void dataAnalysisFailed(PXTradeNetworkManger* manager, int errorCode) override;

    View* pingCangView() const { return m_pingCangView; }
    bool isPanelShown() const;
    Button* transferButton() const { return m_transferButton; }
    Button* panelBackButton() const { return m_panelBackButton; }
    PXCommodityInformationView* commodityInformationView() const { return m_board; }
    PXJYShiJiaZhuanRangView* SJPCView() const { return m_SJPCView; }
    PXJYChiCangDanHaoListView* chiCangDanHaoListView() const { return m_danHaoList; }
    bool isOrderOutstanding() const { return m_orderOutstanding; }

protected:
    void addButtons(View& root, double top) override;
    void forgetAccount() override;
    void showAccount() override;

private:
    void buildPanel(View& root);
    std::vector<std::string> numbersOfSummary() const;
    std::shared_ptr<PXTradeNetworkManger> newManager();
    void fanShouJianCangClick();
    void leaveWith(const std::string& message);
    void reverseFailed(const std::string& reason);

    Button* m_transferButton = nullptr;
    Button* m_panelBackButton = nullptr;
    View* m_pingCangView = nullptr;
    PXCommodityInformationView* m_board = nullptr;
    PXJYShiJiaZhuanRangView* m_SJPCView = nullptr;
    PXJYChiCangDanHaoListView* m_danHaoList = nullptr;
    // The transfer form's holding by commodity: the summary's, until it goes.
    PXHoldingChoice m_transferHolding;
    std::string m_newDanHao;
    JYDict m_postDic = JYDict::object();
    bool m_fanShou = false;
    bool m_orderOutstanding = false;
    std::shared_ptr<PXTradeReplyRelay> m_relay;
    std::unique_ptr<PXJianCangAccountSwitch> m_accountSwitch;
    PXTradeBusyOverlay m_busy;
};
