#pragma once
// Transfer of one quote-mode holding summary from the trade home's holdings row: the market
// transfer and the stop-loss/take-profit tabs of the transfer screen, fixed to the summary's
// commodity (no commodity picker, account fixed), the holding-number picker listing only the
// numbers of that commodity and side. The summary's holding details are asked for as soon as
// it arrives. A success stays on screen until its message is dismissed, then the screen
// leaves. Made by the trade home through the screen factory; owned by the navigation
// controller. Main thread.

#include <memory>
#include <string>

#include "platform/ui/AlertView.h"
#include "trade/close/PXJYPingCangViewController.h"
#include "trade/common/PXTradeBusyOverlay.h"

class PXJYSimplePingCangVC : public PXJYPingCangViewController, public AlertViewDelegate {
public:
    void loadView() override;
    void viewWillAppear(bool animated) override;

    // The summary to transfer; fills the forms and asks for its holding details.
    void setZhuanRangVCCommodity(std::shared_ptr<PXJYChiCangHuiZong> summary);
    void getChiCangMingXi();

    void PXSJPCAddChiCangDanHaoListView() override;
    void PXZJPCremoveChiCangDanHaoView() override;

    void requestFailed(PXTradeNetworkManger* manager, int errorCode) override;
    void dataAnalysisFinished(PXTradeNetworkManger* manager, const PXTradeResult* data) override;
    void dataAnalysisFailed(PXTradeNetworkManger* manager, int errorCode) override;
    void alertViewClickedButtonAtIndex(AlertView& alert, int buttonIndex) override;

protected:
    std::vector<std::string> numbersForTab() const override;
    bool handToOrderBook(const std::string& code, const PXTradeScreenArgs& args,
                         bool byCommodity) override;
    void leaveWith(const std::string& message) override;
    std::string boardCode(const std::string& formCode) const override;

private:
    PXTradeBusyOverlay m_detailsBusy;
    // The commodity the screen is fixed to, that of the summary handed in.
    std::string m_commodityCode;
};
