#include "trade/query/PXJYQueryRecord.h"

#include "trade/account/PXJYFundsWire.h"
#include "trade/common/PXTradeFormat.h"
#include "trade/common/PXTradeQueryDay.h"
#include "trade/core/PXTradeCommodity.h"
#include "trade/core/PXTradeData.h"
#include "trade/core/PXTradeModule.h"
#include "trade/core/TradeText.h"

std::string PXJYQueryRecord::text(const JYDict& record, const std::string& key) {
    if (!TradeText::has(record, key)) {
        return PXTradeFormat::kMissing;
    }
    const std::string value = TradeText::textAt(record, key);
    return value.empty() ? std::string(PXTradeFormat::kMissing) : value;
}

std::string PXJYQueryRecord::reportText(const JYDict& record, const std::string& key) {
    return TradeText::textAt(record, key);
}

std::string PXJYQueryRecord::reportTime(const JYDict& record, const std::string& key) {
    const std::string value = TradeText::textAt(record, key);
    return value.empty() ? std::string() : PXTradeQueryDay::replyTimeText(value);
}

std::string PXJYQueryRecord::day(const JYDict& record, const std::string& key) {
    return PXTradeQueryDay::replyDayText(TradeText::textAt(record, key));
}

std::string PXJYQueryRecord::commodityName(const JYDict& record) {
    const auto& table = PXTradeModule::shared().PXJYData().shangPinXinXi();
    const auto found = table.find(TradeText::textAt(record, "CO_I"));
    if (found == table.end() || !found->second || found->second->commodityName.empty()) {
        return PXTradeFormat::kMissing;
    }
    return found->second->commodityName;
}

std::string PXJYQueryRecord::time(const JYDict& record, const std::string& key) {
    return PXTradeFormat::timeText(TradeText::textAt(record, key));
}

std::vector<JYDict> PXJYQueryRecord::records(const PXTradeResult* data) {
    return PXJYFundsWire::records(data);
}

JYDict PXJYQueryRecord::request() {
    return PXJYFundsWire::common();
}
