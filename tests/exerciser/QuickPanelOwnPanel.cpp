#include "QuickPanelOwnPanel.h"

#include <algorithm>
#include <cctype>

#include "ExerciseRandom.h"
#include "market/VKJYCustomButton.h"
#include "market/VKJYMarketChartController.h"
#include "market/VKJYMarketUIViewController.h"
#include "platform/foundation/Text.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/ScreenDriver.h"
#include "platform/ui/TableView.h"
#include "quote/QuoteRecords.h"
#include "trade/core/PXTradeData.h"
#include "trade/core/PXTradeModule.h"
#include "trade/core/PXTradePeiZhi.h"
#include "trade/quick/PXFastTradeViewController.h"

namespace {
constexpr double kPanelSeconds = 20;

// The quote code names the trading code exactly under flag 1, without regard to case otherwise.
bool names(const commodityInfo& commodity, const std::string& code) {
    if (commodity.CommodityCodeLetterCase == 1) {
        return commodity.CommodityCode == code;
    }
    const auto lower = [](std::string text) {
        std::transform(text.begin(), text.end(), text.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        return text;
    };
    return lower(commodity.CommodityCode) == lower(code);
}

}  // namespace

PXFastTradeViewController* QuickPanelOwnPanel::shownPanel(VKJYMarketChartController* screen) {
    auto* panel = screen ? dynamic_cast<PXFastTradeViewController*>(screen->tradeVC()) : nullptr;
    return panel && panel->isShown() ? panel : nullptr;
}

QuickPanelOwnPanel::QuickPanelOwnPanel(ScreenDriver& driver, Hooks hooks)
    : m_driver(driver), m_hooks(std::move(hooks)) {}

int QuickPanelOwnPanel::weight() const {
    if (m_driver.visibleAlert() || !PXTradeModule::shared().tradeLogin()) {
        return 0;
    }
    if (VKJYMarketChartController* screen = m_hooks.quoteScreen()) {
        const bool ready = !screen->tradeVC() && screen->SelectedCommodityInfo() &&
                           m_driver.isVisible(screen->buyButton());
        return ready ? 8 : 0;
    }
    return m_hooks.marketList() ? 5 : 2;
}

void QuickPanelOwnPanel::act(ExerciseRandom& random) {
    if (VKJYMarketChartController* screen = m_hooks.quoteScreen()) {
        return tapAnEntry(*screen, random);
    }
    if (!m_hooks.marketList()) {
        return m_hooks.showMarketTab();
    }
    openFromAnySection(random);
}

void QuickPanelOwnPanel::openFromAnySection(ExerciseRandom& random) {
    VKJYMarketUIViewController* list = m_hooks.marketList();
    TableView* table = list ? list->CommodityInfoListTableView() : nullptr;
    const int sections = table ? table->numberOfSections() : 0;
    if (sections <= 0) {
        return;
    }
    const int section = static_cast<int>(random.below(static_cast<size_t>(sections)));
    const int rows = table->numberOfRows(section);
    if (rows <= 0) {
        return;
    }
    const int row = static_cast<int>(random.below(static_cast<size_t>(rows)));
    m_hooks.journal("quick entry: open the quote screen of row " + std::to_string(section) + "/" +
                    std::to_string(row));
    m_driver.tapRow(*table, {section, row});
}

void QuickPanelOwnPanel::tapAnEntry(VKJYMarketChartController& screen, ExerciseRandom& random) {
    const commodityInfo shown = *screen.SelectedCommodityInfo();
    const bool delist = random.chance(0.5);
    View* entry = delist ? static_cast<View*>(screen.buyButton()) : screen.sellButton();
    if (!m_hooks.tap(entry, std::string(delist ? "速摘" : "速转") + " on " + describe(shown))) {
        return;
    }
    m_driver.runUntil(
        [&] {
            VKJYMarketChartController* top = m_hooks.quoteScreen();
            return !top || shownPanel(top) || m_driver.visibleAlert();
        },
        kPanelSeconds);
    AlertView* alert = m_driver.visibleAlert();
    if (alert && alert->message() == PXFastTradeViewController::kNotTradable &&
        PXTradeModule::shared().tradeLogin() && accountTrades(shown)) {
        m_hooks.violation("the quick panel refused " + describe(shown) +
                          ", a commodity of the logged-in account's own panel");
    }
}

void QuickPanelOwnPanel::check() {
    VKJYMarketChartController* screen = m_hooks.quoteScreen();
    PXFastTradeViewController* panel = shownPanel(screen);
    if (!panel || !screen->SelectedCommodityInfo() || !PXTradeModule::shared().tradeLogin()) {
        return;
    }
    const commodityInfo& shown = *screen->SelectedCommodityInfo();
    if (!accountTrades(shown) || !names(shown, panel->commodityCode())) {
        m_hooks.violation("a quick panel trades '" + panel->commodityCode() + "' over " +
                          describe(shown) + ", which the logged-in account's panel (" +
                          PXTradeModule::shared().PXJYPeiZhi().platformCODE() + ", " +
                          PXTradeModule::shared().PXJYPeiZhi().environmentCODE() +
                          ") does not list");
    }
}

bool QuickPanelOwnPanel::accountTrades(const commodityInfo& commodity) {
    PXTradeModule& module = PXTradeModule::shared();
    const PXTradePeiZhi& peiZhi = module.PXJYPeiZhi();
    if (Text::intValue(peiZhi.platformCODE()) != commodity.MarketID ||
        Text::intValue(peiZhi.environmentCODE()) != commodity.DiskID) {
        return false;
    }
    const auto& traded = module.PXJYData().shangPinXinXi();
    return std::any_of(traded.begin(), traded.end(),
                       [&](const auto& entry) { return names(commodity, entry.first); });
}

std::string QuickPanelOwnPanel::describe(const commodityInfo& commodity) {
    return commodity.CommodityName + " (" + commodity.CommodityCode + ", market " +
           std::to_string(commodity.MarketID) + ", panel " + std::to_string(commodity.DiskID) +
           ", server " + std::to_string(commodity.panindex) + ")";
}
