#include "SentShownCheck.h"

#include <cmath>
#include <cstdlib>

#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "platform/ui/ScreenDriver.h"
#include "platform/ui/TextField.h"
#include "support/SimProcess.h"
#include "trade/close/PXJYShiJiaZhuanRangView.h"
#include "trade/close/PXJYZhiJiaPingCangView.h"
#include "trade/close/PXJYZhuanRangZYMSView.h"
#include "trade/core/PXTradeCommodity.h"
#include "trade/core/PXTradeData.h"
#include "trade/core/PXTradeModule.h"
#include "trade/open/PXJYGuaPaiView.h"
#include "trade/open/PXJYShiJiaJianCangView.h"
#include "trade/open/PXJYTiaoJianZhaiPaiViewZYMS.h"
#include "trade/open/PXJYZhaiPaiViewZYMS.h"
#include "trade/open/PXJYZhiJiaJianCangView.h"
#include "trade/quick/PXFastTradeVCZYMS.h"
#include "trade/quick/PXFastTradeViewController.h"

namespace {
const char* const kNames = "order_s,order_x,order_mp,order_list,set_loss_profit";
// A reading older than this many taps on sending buttons no longer explains an order.
constexpr size_t kReadingsKept = 12;

std::string trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(' ');
    const size_t last = text.find_last_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
}

// The red picture marks the chosen one of a pair (side, transfer mode).
bool chosen(const Button* button) {
    return button && button->backgroundImage().name() == "anniuhong.png";
}

bool ticked(const Button* button) {
    return button && button->backgroundImage().name() == "xuan_press.png";
}

std::optional<std::string> sideOf(const Button* buy, const Button* sell) {
    if (chosen(buy) == chosen(sell)) {
        return std::nullopt;
    }
    return chosen(buy) ? "1" : "2";
}

std::optional<std::string> sideText(const std::string& text) {
    if (text.find("购入") != std::string::npos) {
        return "1";
    }
    if (text.find("售出") != std::string::npos) {
        return "2";
    }
    return std::nullopt;
}

// A price as sent: digits with at most one point, not empty.
std::optional<double> priceValue(const std::string& text) {
    if (text.empty() || text.front() == '.' ||
        text.find_first_not_of("0123456789.") != std::string::npos ||
        text.find('.') != text.rfind('.')) {
        return std::nullopt;
    }
    return std::strtod(text.c_str(), nullptr);
}

// A stop as sent: "" or "0" for none.
bool sameStop(const std::string& shown, const std::string& sent) {
    const auto a = priceValue(shown.empty() ? "0" : shown);
    const auto b = priceValue(sent.empty() ? "0" : sent);
    return a && b ? std::fabs(*a - *b) < 1e-9 : shown == sent;
}

std::string field(const nlohmann::json& fields, const char* key) {
    const auto found = fields.find(key);
    return found != fields.end() && found->is_string() ? found->get<std::string>() : std::string();
}

std::string shownOrNothing(const std::optional<std::string>& value) {
    return value ? "'" + *value + "'" : std::string("-");
}

bool within(const View* hit, const View* button) {
    return hit && button && (hit == button || hit->isDescendantOf(button));
}

// What the opening forms share.
SentShownCheck::Reading openingForm(const ScreenDriver& driver, PXJianCangFormView& form,
                                    const char* kind) {
    SentShownCheck::Reading reading;
    reading.form = kind;
    if (driver.isVisible(form.commodityNameButton())) {
        reading.commodity = trimmed(form.commodityNameButton()->currentTitle());
    } else if (driver.isVisible(form.commodityNameLabel())) {
        reading.commodity = trimmed(form.commodityNameLabel()->text());
    }
    reading.side = sideOf(form.buyButton(), form.sellButton());
    reading.quantity = form.shuLiang()->text();
    return reading;
}

// What the transfer forms share: by commodity the commodity, by number the holding.
SentShownCheck::Reading transferForm(PXZhuanRangFormView& form, const char* kind) {
    SentShownCheck::Reading reading;
    reading.form = kind;
    reading.settle = "2";
    const bool byCommodity = chosen(form.SPbutton());
    const std::string name = trimmed(form.commodityNameButton()->currentTitle());
    if (byCommodity || !name.empty()) {
        reading.commodity = name;
    }
    reading.holding = byCommodity ? std::string() : trimmed(form.danHaoButton()->currentTitle());
    reading.side = sideText(form.maiMaiFangXiangL()->text());
    reading.quantity = form.shuLiang()->text();
    return reading;
}
}  // namespace

std::string SentShownCheck::Reading::describe() const {
    return form + " showed commodity " + shownOrNothing(commodity) + " side " +
           shownOrNothing(side) + " lots " + shownOrNothing(quantity) + " price " +
           shownOrNothing(price) + " holding " + shownOrNothing(holding) + " stops " +
           shownOrNothing(stopLoss) + "/" + shownOrNothing(stopProfit);
}

SentShownCheck::SentShownCheck(const ScreenDriver& driver, SimProcess& exchange)
    : m_driver(driver), m_exchange(exchange), m_received(exchange, kNames) {}

void SentShownCheck::beforeTap(const View* hit) {
    learnCommodityNames();
    for (Reading& reading : readForms(hit)) {
        reading.tap = ++m_taps;
        m_readings.push_back(std::move(reading));
    }
    while (!m_readings.empty() && m_readings.front().tap + kReadingsKept < m_taps) {
        m_readings.erase(m_readings.begin());
    }
}

void SentShownCheck::exchangeRestarted() {
    m_received.restart();
}

// The form whose sending button the tap reaches, as it stands.
std::vector<SentShownCheck::Reading> SentShownCheck::readForms(const View* hit) const {
    std::vector<Reading> readings;
    const ScreenDriver& driver = m_driver;
    for (auto* form : driver.visibleViewsOfClass<PXJYShiJiaJianCangView>()) {
        if (within(hit, form->jianCangButton())) {
            Reading reading = openingForm(driver, *form, "market opening");
            reading.names = {"order_s"};
            reading.settle = "1";
            reading.price = form->jiaGeZ()->text();
            readings.push_back(reading);
        }
    }
    for (auto* form : driver.visibleViewsOfClass<PXJYZhiJiaJianCangView>()) {
        if (within(hit, form->jianCangButton())) {
            Reading reading = openingForm(driver, *form, "conditional opening");
            reading.names = {"order_x"};
            reading.price = form->zhiJiaL()->text();
            reading.stopLoss = ticked(form->zhiSunbutton()) ? form->zhiS()->text() : "0";
            reading.stopProfit = ticked(form->zhiYingButton()) ? form->zhiY()->text() : "0";
            readings.push_back(reading);
        }
    }
    for (auto* form : driver.visibleViewsOfClass<PXJYZhaiPaiViewZYMS>()) {
        if (within(hit, form->jianCangButton())) {
            Reading reading = openingForm(driver, *form, "order-book delisting");
            reading.names = {"order_mp"};
            reading.price = form->jiaGeZ()->text();
            readings.push_back(reading);
        }
    }
    for (auto* form : driver.visibleViewsOfClass<PXJYTiaoJianZhaiPaiViewZYMS>()) {
        if (within(hit, form->jianCangButton())) {
            Reading reading = openingForm(driver, *form, "order-book conditional delisting");
            reading.names = {"order_mp"};
            reading.price = form->jiaGeZ()->text();
            readings.push_back(reading);
        }
    }
    for (auto* form : driver.visibleViewsOfClass<PXJYGuaPaiView>()) {
        if (within(hit, form->jianCangButton())) {
            Reading reading = openingForm(driver, *form, "listing");
            reading.names = {"order_list"};
            reading.settle = "1";
            reading.price = form->zhiJiaL()->text();
            readings.push_back(reading);
        }
    }
    for (auto* form : driver.visibleViewsOfClass<PXJYShiJiaZhuanRangView>()) {
        if (within(hit, form->zhuanRangButton())) {
            Reading reading = transferForm(*form, "market transfer");
            reading.names = {"order_s"};
            reading.price = form->zhuanRangJiaGe()->text();
            readings.push_back(reading);
            // The reverse delisting follows the transfer: same commodity, side and price.
            if (ticked(form->fanXiangJCButton())) {
                reading.form = "reverse delisting of the market transfer";
                reading.settle = "1";
                reading.holding.reset();
                reading.quantity = form->FXJCShuLiang()->text();
                readings.push_back(reading);
            }
        }
    }
    for (auto* form : driver.visibleViewsOfClass<PXJYZhuanRangZYMSView>()) {
        if (within(hit, form->zhuanRangButton())) {
            Reading reading = transferForm(*form, "order-book transfer");
            reading.names = {"order_list"};
            reading.price = form->zhuanRangJiaGe()->text();
            readings.push_back(reading);
        }
    }
    for (auto* form : driver.visibleViewsOfClass<PXJYZhiJiaPingCangView>()) {
        if (within(hit, form->pingCangButton())) {
            Reading reading;
            reading.form = "conditional transfer";
            reading.names = {"set_loss_profit"};
            reading.holding = trimmed(driver.isVisible(form->commodityDanHao())
                                          ? form->commodityDanHao()->currentTitle()
                                          : form->commodityDanHaoLabel()->text());
            reading.commodity = trimmed(form->commodity()->text());
            reading.side = sideText(form->maiMaiFangXiang()->text());
            reading.stopLoss = ticked(form->zhiSunButton()) ? form->zhiSunJia()->text() : "0";
            reading.stopProfit = ticked(form->zhiYingButton()) ? form->zhiYingJia()->text() : "0";
            readings.push_back(reading);
        }
    }
    const auto& held = PXTradeModule::shared().PXJYData().chiCangMingXiXinXi();
    for (Reading& reading : readings) {
        reading.holdingGone = reading.holding && !reading.holding->empty() &&
                              !PXTradeData::find(held, *reading.holding);
    }
    // The quick panels: the chart's commodity, at the live price of the header.
    for (const View* view = hit; view; view = view->superview()) {
        auto* panel = dynamic_cast<PXFastTradeViewController*>(view->viewController());
        if (!panel || !within(hit, panel->xiaDan())) {
            continue;
        }
        Reading reading;
        reading.side = sideOf(panel->buyButton(), panel->sellButton());
        reading.quantity = panel->shuLiangTextField()->text();
        if (auto* book = dynamic_cast<PXFastTradeVCZYMS*>(panel)) {
            reading.form = "order-book quick panel";
            reading.names = {"order_mp", "order_list"};
            reading.price = book->jiaGeTextField()->text();
        } else {
            reading.form = "quick panel";
            reading.names = {"order_s"};
            reading.settle = panel->xiaDan()->currentTitle() == "速转" ? "2" : "1";
        }
        readings.push_back(reading);
        break;
    }
    return readings;
}

void SentShownCheck::learnCommodityNames() {
    for (const auto& [code, commodity] : PXTradeModule::shared().PXJYData().shangPinXinXi()) {
        if (commodity) {
            m_names[code] = commodity->commodityName;
            if (commodity->shangPinJiaoYiMoShi == "4") {
                m_orderBook.insert(code);
            }
        }
    }
}

std::string SentShownCheck::mismatch(const Reading& shown, const std::string& name,
                                     const nlohmann::json& fields,
                                     const std::map<std::string, std::string>& names,
                                     const std::set<std::string>& orderBook) {
    std::string differences;
    const auto differ = [&](const std::string& what, const std::optional<std::string>& seen,
                            const std::string& sent) {
        if (seen && *seen != sent) {
            differences += " " + what + " '" + sent + "' for '" + *seen + "'";
        }
    };
    if (!shown.names.count(name)) {
        return " not a request of the form";
    }
    const bool stops = name == "set_loss_profit";
    const std::string code = field(fields, "COMMODITY_ID");
    const auto known = names.find(code);
    differ("commodity", shown.commodity, known != names.end() ? known->second : code);
    differ("side", shown.side, field(fields, stops ? "TY" : "BUY_SELL"));
    if (stops) {
        differ("holding", shown.holding, field(fields, "H_ID"));
    } else {
        differ("lots", shown.quantity, field(fields, "QTY"));
        differ("settlement", shown.settle, field(fields, "SETTLE_BASIS"));
        const std::string mode = field(fields, "CLOSEMODE");
        const std::string holding = mode == "2" ? field(fields, "HOLDING_ID") : std::string();
        if (name != "order_x" && name != "order_mp") {
            differ("holding", shown.holding, holding);
        }
        const std::string price = field(fields, "PRICE");
        const auto sent = priceValue(price);
        const auto seen = shown.price ? priceValue(*shown.price) : std::nullopt;
        if (!sent) {
            differences += " price '" + price + "' that is no number";
        } else if (shown.price && (!seen || std::fabs(*seen - *sent) > 1e-9)) {
            differences += " price '" + price + "' for '" + *shown.price + "'";
        }
    }
    const bool quoteMode = name == "order_s" || name == "order_x" || stops;
    if (quoteMode && orderBook.count(code)) {
        differences += " commodity '" + code + "' of the order book";
    }
    const std::string holdingSent = field(fields, stops ? "H_ID" : "HOLDING_ID");
    if (shown.holdingGone && !holdingSent.empty()) {
        differences += " holding '" + holdingSent + "' the client no longer holds";
    }
    if (shown.stopLoss && !sameStop(*shown.stopLoss, field(fields, "STOP_LOSS"))) {
        differences +=
            " stop-loss '" + field(fields, "STOP_LOSS") + "' for '" + *shown.stopLoss + "'";
    }
    if (shown.stopProfit && !sameStop(*shown.stopProfit, field(fields, "STOP_PROFIT"))) {
        differences +=
            " take-profit '" + field(fields, "STOP_PROFIT") + "' for '" + *shown.stopProfit + "'";
    }
    return differences;
}

std::vector<std::string> SentShownCheck::check() {
    std::vector<std::string> found;
    learnCommodityNames();
    for (const auto& lines : m_exchange.tradeLines()) {
        const std::string environment = "jys=" + lines.exchange + "&env=" + lines.environment;
        for (const auto& request : m_received.since(environment)) {
            const std::string name = request.value("name", "");
            const nlohmann::json& fields = request["fields"];
            std::string closest;
            bool matched = false;
            for (size_t i = m_readings.size(); i > 0 && !matched; --i) {
                const Reading& reading = m_readings[i - 1];
                const std::string differences =
                    mismatch(reading, name, fields, m_names, m_orderBook);
                matched = differences.empty();
                if (matched) {
                    m_readings.erase(m_readings.begin() + static_cast<std::ptrdiff_t>(i - 1));
                } else if (closest.empty() && reading.names.count(name)) {
                    closest = reading.describe() + "; sent" + differences;
                }
            }
            if (!matched) {
                found.push_back(name + " " + fields.dump() + " is not what its form showed: " +
                                (closest.empty() ? "no form that sends it was tapped" : closest));
            }
        }
    }
    return found;
}
