#include "trade/quick/PXJYSimplePingCangZYMSVC.h"

#include "platform/ui/Button.h"
#include "trade/core/PXTradeData.h"
#include "trade/core/PXTradeModule.h"
#include "trade/core/PXTradeRecords.h"
#include "trade/quick/PXQuickScreenKit.h"

void PXJYSimplePingCangZYMSVC::loadView() {
    PXJYZhuanRangZYMSVC::loadView();
    PXJYZhuanRangZYMSView& form = *SJPCView();
    form.setCommodityNameButtonEnabled(false);
    form.fixCommodity();
    PXQuickScreenKit::lockAccount(form.switchingAccountView());
}

void PXJYSimplePingCangZYMSVC::fixToHoldingNumber(const std::string& number) {
    setNowDanHaoID(number);
    PXJYZhuanRangZYMSView& form = *SJPCView();
    form.danHaoButtonActionSJPC();
    form.SPbutton()->setEnabled(false);
    form.DHbutton()->setEnabled(false);
    form.fixNumber();
}

void PXJYSimplePingCangZYMSVC::VKJYNavBackAction() {
    leave(false);
}

std::pair<std::string, std::string> PXJYSimplePingCangZYMSVC::served() const {
    if (const auto& summary = huiZongCommodity()) {
        return {summary->commodityCode, summary->buySellSign};
    }
    const auto& tickets = PXTradeModule::shared().PXJYData().chiCangMingXiXinXi();
    const auto found = tickets.find(nowDanHaoID());
    if (found == tickets.end() || !found->second) {
        return {};
    }
    return {found->second->commodityCode, found->second->buySellSign};
}

std::vector<std::string> PXJYSimplePingCangZYMSVC::pickerNumbers() const {
    const auto [code, side] = served();
    std::vector<std::string> numbers;
    if (code.empty()) {
        return numbers;
    }
    for (const auto& [number, ticket] : PXTradeModule::shared().PXJYData().chiCangMingXiXinXi()) {
        if (ticket && ticket->commodityCode == code && ticket->buySellSign == side) {
            numbers.push_back(number);
        }
    }
    return numbers;
}

std::string PXJYSimplePingCangZYMSVC::detailQueryCode() const {
    return served().first;
}
