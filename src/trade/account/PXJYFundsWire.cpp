#include "trade/account/PXJYFundsWire.h"

#include "trade/core/PXTradeData.h"
#include "trade/core/PXTradeModule.h"
#include "trade/core/PXTradePeiZhi.h"

JYDict PXJYFundsWire::common() {
    PXTradeModule& module = PXTradeModule::shared();
    module.synchronizeDefaults();
    JYDict query = JYDict::object();
    query["id"] = module.PXJYPeiZhi().getCurrentDateWith();
    query["userid"] = module.defaultString("JYUserName");
    const auto& session = module.PXJYData().tradeSession();
    query["session_id"] = session ? session->JYsessionID : std::string();
    return query;
}

std::vector<JYDict> PXJYFundsWire::records(const PXTradeResult* data) {
    std::vector<JYDict> list;
    if (!data) {
        return list;
    }
    for (const auto& element : *data) {
        if (const auto* record = std::get_if<JYDict>(&element)) {
            list.push_back(*record);
        }
    }
    return list;
}
