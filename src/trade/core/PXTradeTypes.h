#pragma once
// Value types shared by the trading client: dictionaries of texts as the server and the screens
// exchange them, and the result array a reply parser hands back. Plain values, any thread.

#include <map>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <variant>
#include <vector>

class PXTradeCommodity;
class PXJYChiCangHuiZong;
class PXJYChiCangMingXi;

// A dictionary of texts (nested arrays and dictionaries where a reply has them). Key order is
// the order of insertion, which keeps request bodies readable; no reader depends on it.
using JYDict = nlohmann::ordered_json;

using PXTradeCommodityMap = std::map<std::string, std::shared_ptr<PXTradeCommodity>>;
using PXTradeTicketMap = std::map<std::string, std::shared_ptr<PXJYChiCangMingXi>>;
using PXTradeSummaryList = std::vector<std::shared_ptr<PXJYChiCangHuiZong>>;

// One element of a parsed reply: a text, a dictionary, the commodity or ticket dictionary of
// the store, or one holding summary.
using PXTradeElement = std::variant<std::string, JYDict, PXTradeCommodityMap, PXTradeTicketMap,
                                    std::shared_ptr<PXJYChiCangHuiZong>>;
using PXTradeResult = std::vector<PXTradeElement>;

// A trading server: a platform, one of its environments and the trading line chosen there.
struct PXTradeTarget {
    std::string platformCODE;
    std::string environmentCODE;
    std::string tradeLinkType;
};
