#include "ReversedHeartbeats.h"

#include <vector>

#include "ExerciseRandom.h"
#include "platform/ui/ScreenDriver.h"
#include "support/SimProcess.h"
#include "trade/core/PXTradeCommodity.h"
#include "trade/core/PXTradeData.h"
#include "trade/core/PXTradeModule.h"

namespace {
constexpr double kBeat = 2;
const char* const kOrderBookMode = "4";
}  // namespace

ReversedHeartbeats::ReversedHeartbeats(ScreenDriver& driver, SimProcess& exchange,
                                       std::function<void(const std::string&)> journal)
    : m_driver(driver), m_exchange(exchange), m_journal(std::move(journal)) {}

int ReversedHeartbeats::weight() const {
    return PXTradeModule::shared().tradeLogin() ? 2 : 0;
}

void ReversedHeartbeats::act(ExerciseRandom& random) {
    PXTradeModule& module = PXTradeModule::shared();
    // An order at market is refused for a commodity of the order book.
    std::vector<std::string> codes;
    for (const auto& [code, commodity] : module.PXJYData().shangPinXinXi()) {
        if (commodity && commodity->shangPinJiaoYiMoShi != kOrderBookMode) {
            codes.push_back(code);
        }
    }
    if (codes.empty()) {
        return m_journal("fault: no commodity to deal in between reversed heartbeats");
    }
    const std::string& chosen = codes[random.below(codes.size())];
    const std::string query = "jys=" + module.defaultString("platform_code") +
                              "&env=" + module.defaultString("environment_code") +
                              "&account=" + module.defaultString("JYUserName") +
                              "&commodity=" + chosen +
                              "&side=" + std::to_string(1 + random.below(2)) + "&qty=1";
    const auto reply = m_exchange.post("/control/trade/reverse?" + query);
    m_journal("fault: the next two heartbeats answered in the other order, a deal in " + chosen +
              " made on another device between them: " + std::to_string(reply.status));
    // The first beat waits for the second, and the beat after them asks from what the client
    // then holds: its answer names the deal again if the older answer took the state back.
    m_driver.runFor(4 * kBeat);
}
