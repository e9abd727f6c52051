#include "market/VKJYLiveQuoteCycle.h"

#include <algorithm>
#include <string>

#include "quote/QuoteRecords.h"
#include "quote/SubmissionPackage.h"

VKJYLiveQuoteCycle::Request VKJYLiveQuoteCycle::nextRequest(const commodityInfo& commodity) {
    auto package = std::make_shared<SubmissionPackage>();
    package->MarketID = std::to_string(commodity.MarketID);
    package->DiskID = std::to_string(commodity.DiskID);
    package->CommodityID = std::to_string(commodity.CommodityID);
    package->wuDangID = std::to_string(m_wdIndex);
    package->fenBiID = std::to_string(m_fbIndex);
    package->pankouxuhao = std::to_string(m_pankouxuhao);
    return {std::move(package), ++m_lastSent};
}

bool VKJYLiveQuoteCycle::take(uint64_t number, const YiKouJia& reply) {
    if (number <= m_lastTaken || number > m_lastSent) {
        return false;
    }
    m_lastTaken = number;
    if (!reply.fenbi.empty()) {
        // The count may disagree with the trades that were read: the last one read wins then.
        const auto count = static_cast<std::size_t>(std::max<int16_t>(reply.fenbiNum, 0));
        const std::size_t last = std::min(count, reply.fenbi.size());
        const auto& trade = reply.fenbi[last == 0 ? reply.fenbi.size() - 1 : last - 1];
        if (trade) {
            m_fbIndex = trade->fbIndex;
        }
    }
    if (reply.wudang &&
        (!reply.wudang->sellPriceAry.empty() || !reply.wudang->buyPriceAry.empty())) {
        m_wdIndex = reply.wudang->WDNum;
    }
    if (reply.pankouxuhao != 0) {
        m_pankouxuhao = reply.pankouxuhao;
    }
    return true;
}

void VKJYLiveQuoteCycle::reset() {
    m_wdIndex = 0;
    m_fbIndex = 0;
    m_pankouxuhao = 0;
    m_lastTaken = m_lastSent;
}
