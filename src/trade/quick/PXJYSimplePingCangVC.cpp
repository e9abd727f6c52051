#include "trade/quick/PXJYSimplePingCangVC.h"

#include "trade/common/PXTradeMessage.h"
#include "trade/core/PXTradeData.h"
#include "trade/core/PXTradeModule.h"
#include "trade/core/PXTradeRecords.h"
#include "trade/quick/PXQuickScreenKit.h"
#include "widgets/GlossAlertView.h"

void PXJYSimplePingCangVC::loadView() {
    PXJYPingCangViewController::loadView();
    SJPCView()->setCommodityNameButtonEnabled(false);
    SJPCView()->fixCommodity();
    PXQuickScreenKit::lockAccount(SJPCView()->switchingAccountView());
    PXQuickScreenKit::lockAccount(ZJPCView()->switchingAccountView());
}

void PXJYSimplePingCangVC::viewWillAppear(bool animated) {
    PXJYPingCangViewController::viewWillAppear(animated);
    // Back on screen the transfer starts over on the market tab by commodity; the form asks for
    // its refill.
    SJbuttonAction();
    SJPCView()->shangPinButtonActionSJPC();
}

void PXJYSimplePingCangVC::setZhuanRangVCCommodity(std::shared_ptr<PXJYChiCangHuiZong> summary) {
    view();
    m_commodityCode = summary ? summary->commodityCode : std::string();
    setHuiZongCommodity(std::move(summary));
    setNowDanHaoID("");
    setPingCangValue();
    getChiCangMingXi();
}

void PXJYSimplePingCangVC::getChiCangMingXi() {
    if (!huiZongCommodity()) {
        return;
    }
    auto manager = newManager();
    m_detailsBusy.began(manager.get());
    manager->getJYChiCangMingXi(huiZongCommodity()->commodityCode);
}

void PXJYSimplePingCangVC::PXSJPCAddChiCangDanHaoListView() {
    getChiCangMingXi();
    slideInNumberPicker();
}

void PXJYSimplePingCangVC::PXZJPCremoveChiCangDanHaoView() {
    slideInNumberPicker();
}

std::vector<std::string> PXJYSimplePingCangVC::numbersForTab() const {
    std::vector<std::string> numbers;
    const auto& summary = huiZongCommodity();
    if (!summary) {
        return numbers;
    }
    for (const auto& [number, ticket] : PXTradeModule::shared().PXJYData().chiCangMingXiXinXi()) {
        if (ticket && ticket->commodityCode == summary->commodityCode &&
            ticket->buySellSign == summary->buySellSign) {
            numbers.push_back(number);
        }
    }
    return numbers;
}

// The board shows the one commodity of the screen, also before a number is picked.
std::string PXJYSimplePingCangVC::boardCode(const std::string& formCode) const {
    return m_commodityCode.empty() ? formCode : m_commodityCode;
}

bool PXJYSimplePingCangVC::handToOrderBook(const std::string&, const PXTradeScreenArgs&, bool) {
    return false;
}

void PXJYSimplePingCangVC::leaveWith(const std::string& message) {
    orderEnded();
    setNowDanHaoID("");
    auto alert = std::make_unique<GlossAlertView>(PXTradeMessage::kTitle, message, this, "确定");
    alert->setStyle(GlossAlertView::kStyleAllWhite);
    AlertView::show(std::move(alert));
}

void PXJYSimplePingCangVC::alertViewClickedButtonAtIndex(AlertView&, int) {
    VKJYNavBackAction();
}

void PXJYSimplePingCangVC::dataAnalysisFinished(PXTradeNetworkManger* manager,
                                                const PXTradeResult* data) {
    m_detailsBusy.ended(manager);
    PXJYPingCangViewController::dataAnalysisFinished(manager, data);
}

void PXJYSimplePingCangVC::requestFailed(PXTradeNetworkManger* manager, int errorCode) {
    m_detailsBusy.ended(manager);
    PXJYPingCangViewController::requestFailed(manager, errorCode);
}

void PXJYSimplePingCangVC::dataAnalysisFailed(PXTradeNetworkManger* manager, int errorCode) {
    m_detailsBusy.ended(manager);
    PXJYPingCangViewController::dataAnalysisFailed(manager, errorCode);
}
