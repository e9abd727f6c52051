#include "RangeOnShowHolds.h"

#include <algorithm>

#include "platform/foundation/Text.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "platform/ui/ScreenDriver.h"
#include "platform/ui/TextField.h"
#include "platform/ui/ViewController.h"
#include "trade/common/PXTradeFormat.h"
#include "trade/core/PXTradeCommodity.h"
#include "trade/core/PXTradeData.h"
#include "trade/core/PXTradeModule.h"
#include "trade/open/PXJianCangFormView.h"
#include "trade/quick/PXFastTradeViewController.h"

namespace {
const char* const kRangedOrders = "order_s,order_mp,order_list";
const char* const kLotsOutOfRange = "委托数量超出范围";
const char* const kAboveLargestHolding = "超出最大持仓量";
const char* const kBookRangeLabel = "(摘牌范围:";
// A reading older than this many taps on sending buttons no longer explains an order.
constexpr size_t kRangeReadingsKept = 12;

bool tapsInside(const View* hit, const View* button) {
    return hit && button && (hit == button || hit->isDescendantOf(button));
}

std::string orderField(const nlohmann::json& fields, const char* key) {
    const auto found = fields.find(key);
    return found != fields.end() && found->is_string() ? found->get<std::string>() : std::string();
}
}  // namespace

RangeOnShowHolds::RangeOnShowHolds(const ScreenDriver& driver, SimProcess& exchange)
    : m_driver(driver), m_received(exchange, kRangedOrders) {}

void RangeOnShowHolds::beforeTap(const View* hit) {
    if (auto reading = readForm(hit)) {
        m_readings.push_back(*reading);
        if (m_readings.size() > kRangeReadingsKept) {
            m_readings.pop_front();
        }
    }
}

std::optional<RangeOnShowHolds::Reading> RangeOnShowHolds::readForm(const View* hit) const {
    for (auto* form : m_driver.viewsOfClass<PXJianCangFormView>()) {
        if (tapsInside(hit, form->jianCangButton())) {
            return Reading{form->commodityCode(), form->shuLiang()->text(), form->fanWei()->text()};
        }
    }
    for (const View* up = hit; up; up = up->superview()) {
        auto* panel = dynamic_cast<PXFastTradeViewController*>(up->viewController());
        if (panel && tapsInside(hit, panel->xiaDan())) {
            return Reading{panel->commodityCode(), panel->shuLiangTextField()->text(),
                           panel->fanWei()->text()};
        }
    }
    return std::nullopt;
}

void RangeOnShowHolds::exchangeRestarted() {
    m_received.restart();
}

void RangeOnShowHolds::readOrders() {
    PXTradeModule& module = PXTradeModule::shared();
    if (module.tradeLogin()) {
        m_environments.insert("jys=" + module.defaultString("platform_code") +
                              "&env=" + module.defaultString("environment_code"));
    }
    for (const auto& environment : m_environments) {
        const nlohmann::json requests = m_received.since(environment);
        if (!requests.empty()) {
            m_lastOrder = requests.back().value("fields", nlohmann::json::object());
        }
    }
}

std::vector<std::string> RangeOnShowHolds::check() {
    readOrders();
    AlertView* alert = m_driver.visibleAlert();
    if (!alert ||
        (alert->message() != kLotsOutOfRange && alert->message() != kAboveLargestHolding)) {
        return {};
    }
    const bool judged =
        std::any_of(m_judged.begin(), m_judged.end(),
                    [&](const WeakLink<AlertView>& seen) { return seen.get() == alert; });
    if (judged) {
        return {};
    }
    m_judged.emplace_back(alert);
    const std::string found = judge(alert->message());
    return found.empty() ? std::vector<std::string>{} : std::vector<std::string>{found};
}

// The latest reading of the order's commodity and lots; a refusal of lots that its range and
// the commodity's per-order bounds allowed is a range on show that was not the account's.
std::string RangeOnShowHolds::judge(const std::string& refusal) const {
    const std::string code = orderField(m_lastOrder, "COMMODITY_ID");
    const std::string quantity = orderField(m_lastOrder, "QTY");
    const auto reading =
        std::find_if(m_readings.rbegin(), m_readings.rend(),
                     [&](const Reading& r) { return r.code == code && r.quantity == quantity; });
    const PXTradeCommodity* commodity =
        PXTradeData::find(PXTradeModule::shared().PXJYData().shangPinXinXi(), code);
    if (reading == m_readings.rend() || !commodity) {
        return {};
    }
    const bool holdingRange = reading->range.rfind(kBookRangeLabel, 0) == 0;
    const int lots = Text::intValue(quantity);
    const bool perOrder = lots >= Text::intValue(commodity->DBZuiXiaoKeWeiTuoLiang) &&
                          lots <= Text::intValue(commodity->DBZuiDaKeWeiTuoLiang);
    if ((refusal == kAboveLargestHolding && !holdingRange) || !perOrder ||
        !PXTradeFormat::quantityInRange(lots, reading->range)) {
        return {};
    }
    return "the exchange refused " + quantity + " lots of " + code + " ('" + refusal +
           "') that the range on show, '" + reading->range + "', allowed";
}
