#include "TradeTestHost.h"

#include "quote/QuoteRecords.h"

std::vector<std::string> TradeTestHost::allJysCodeWithEnvAndLL() {
    std::vector<std::string> codes;
    for (const auto& [platform, environments] : directory) {
        codes.push_back(platform);
    }
    return codes;
}

std::vector<std::string> TradeTestHost::allEnvCodeWithLL(const std::string& platform) {
    std::vector<std::string> codes;
    const auto it = directory.find(platform);
    if (it == directory.end()) {
        return codes;
    }
    for (const auto& [environment, businesses] : it->second) {
        codes.push_back(environment);
    }
    return codes;
}

std::optional<std::vector<PXTradeLine>> TradeTestHost::llArray(const std::string& platform,
                                                               const std::string& environment,
                                                               const std::string& type) {
    const auto p = directory.find(platform);
    if (p == directory.end()) {
        return std::nullopt;
    }
    const auto e = p->second.find(environment);
    if (e == p->second.end()) {
        return std::nullopt;
    }
    const auto t = e->second.find(type);
    if (t == e->second.end()) {
        return std::nullopt;
    }
    return t->second;
}

void TradeTestHost::setTradeCommodityList(const void* marketList,
                                          const std::vector<std::shared_ptr<commodityInfo>>& list) {
    std::vector<std::string> codes;
    for (const auto& info : list) {
        codes.push_back(info->CommodityCode);
    }
    handedCommodities.emplace_back(marketList, codes);
}
