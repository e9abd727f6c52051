#include "OrderCommodityCheck.h"

#include <nlohmann/json.hpp>

#include "support/SimProcess.h"
#include "trade/core/PXTradeData.h"
#include "trade/core/PXTradeModule.h"

namespace {
const char* const kOrders = "order_s,order_x,order_mp,order_list,set_loss_profit";

std::string environmentOf(const std::string& exchange, const std::string& environment) {
    return "jys=" + exchange + "&env=" + environment;
}

// Why the order's commodity is wrong against the codes listed; empty when it is right.
std::string unlisted(const std::string& code, const std::set<std::string>& listed) {
    if (code.empty()) {
        return "names no commodity";
    }
    if (!listed.count(code)) {
        return "names commodity '" + code + "', which the client never listed there";
    }
    return {};
}
}  // namespace

OrderCommodityCheck::OrderCommodityCheck(SimProcess& exchange)
    : m_exchange(exchange), m_received(exchange, kOrders) {}

void OrderCommodityCheck::learn() {
    PXTradeModule& module = PXTradeModule::shared();
    if (!module.tradeLogin()) {
        return;
    }
    std::set<std::string>& listed = m_listed[environmentOf(
        module.defaultString("platform_code"), module.defaultString("environment_code"))];
    for (const auto& [code, commodity] : module.PXJYData().shangPinXinXi()) {
        if (commodity) {
            listed.insert(code);
        }
    }
}

void OrderCommodityCheck::exchangeRestarted() {
    m_received.restart();
}

std::vector<std::string> OrderCommodityCheck::check() {
    learn();
    std::vector<std::string> found;
    for (const auto& lines : m_exchange.tradeLines()) {
        const std::string environment = environmentOf(lines.exchange, lines.environment);
        for (const auto& request : m_received.since(environment)) {
            const nlohmann::json& fields = request["fields"];
            const auto code = fields.is_object() ? fields.find("COMMODITY_ID") : fields.end();
            const std::string why =
                unlisted(code != fields.end() && code->is_string() ? code->get<std::string>() : "",
                         m_listed[environment]);
            if (!why.empty()) {
                found.push_back(request.value("name", "") + " " + fields.dump() + " reached " +
                                environment + " and " + why);
            }
        }
    }
    return found;
}
