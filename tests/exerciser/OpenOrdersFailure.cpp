#include "OpenOrdersFailure.h"

#include <algorithm>
#include <cctype>

#include "ExerciseRandom.h"
#include "QuickPanelOwnPanel.h"
#include "market/VKJYCustomButton.h"
#include "market/VKJYMarketChartController.h"
#include "market/VKJYMarketUIViewController.h"
#include "platform/foundation/HttpClient.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "platform/ui/ScreenDriver.h"
#include "platform/ui/TableView.h"
#include "platform/ui/TableViewCell.h"
#include "platform/ui/TextField.h"
#include "quote/QuoteRecords.h"
#include "shell/VKJYAppDelegate.h"
#include "shell/VKJYCommonViewUtil.h"
#include "shell/VKJYNormalAppKeyPropertyModel.h"
#include "support/SimProcess.h"
#include "trade/common/PXCommodityInformationViewZYMS.h"
#include "trade/core/PXTradeCommodity.h"
#include "trade/core/PXTradeData.h"
#include "trade/core/PXTradeModule.h"
#include "trade/core/PXTradeRecords.h"
#include "trade/login/PXJYRootViewController.h"
#include "trade/login/PXTradeHomeView.h"
#include "trade/open/PXJYTiaoJianZhaiPaiViewZYMS.h"
#include "trade/quick/PXFastTradeVCZYMS.h"
#include "trade/quick/PXJYSimpleJianCangZYMSVC.h"

namespace {
const char* const kOpenOrdersQuery = "my_order_query";
const char* const kRangeUnknown = "获取数据失败";
// Wall-time guards of waits for the client's answer, which takes a fraction of a second.
constexpr double kFailureSeconds = 8;
// The home's holdings rows start below its figures and column titles.
constexpr int kHomeFirstHolding = 2;
constexpr int kNoHome = -2;
constexpr int kNoOrderBookRow = -1;

bool openOrdersSettled() {
    return HttpClient::exchangesInFlight() == 0 && VKJYCommonViewUtil::activityCount() == 0;
}

bool tradedByBook(const std::string& code) {
    const PXTradeCommodity* commodity =
        PXTradeData::find(PXTradeModule::shared().PXJYData().shangPinXinXi(), code);
    return commodity && commodity->shangPinJiaoYiMoShi == "4";
}

// A commodity of the matching codes never opens the delisting panel.
bool delistedAtOnce(const std::string& code) {
    const VKJYAppDelegate* app = VKJYAppDelegate::shared();
    if (!app) {
        return false;
    }
    const auto lower = [](std::string text) {
        std::transform(text.begin(), text.end(), text.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        return text;
    };
    for (const auto& matching : app->normalAppPropertyModel().cuoHeCodeArray()) {
        if (lower(matching) == lower(code)) {
            return true;
        }
    }
    return false;
}

// The price the board shows, else any: the refusal comes before the price is judged.
std::string boardPriceText(const PXCommodityInformationViewZYMS& board) {
    const std::string shown = board.dangQianJia()->text();
    return shown.empty() || shown == "--" ? std::string("1") : shown;
}
}  // namespace

OpenOrdersFailure::OpenOrdersFailure(ScreenDriver& driver, SimProcess& exchange, Hands hands)
    : m_driver(driver),
      m_exchange(exchange),
      m_hands(std::move(hands)),
      m_received(exchange, std::string(kOpenOrdersQuery) + ",order_mp") {}

int OpenOrdersFailure::weight() const {
    if (m_driver.visibleAlert() || !PXTradeModule::shared().tradeLogin() || !m_hands.lineSteady()) {
        return 0;
    }
    if (orderBookQuoteScreen() || delistableRow()) {
        return 8;
    }
    const int row = orderBookRow();
    return row >= 0 ? 6 : row == kNoOrderBookRow ? 2 : 0;
}

int OpenOrdersFailure::orderBookRow() const {
    auto* home = dynamic_cast<PXJYRootViewController*>(m_hands.topScreen());
    if (!home || !m_driver.isVisible(home->tradeHomeView()->chiCangListView())) {
        return kNoHome;
    }
    const auto& rows = home->tradeHomeView()->commodityAllKeys();
    for (size_t i = 0; i < rows.size(); ++i) {
        if (rows[i] && tradedByBook(rows[i]->commodityCode)) {
            return static_cast<int>(i);
        }
    }
    return kNoOrderBookRow;
}

// Another device of the customer opens a lot, so that the home lists an order-book row.
void OpenOrdersFailure::holdALot() {
    for (const auto& [code, commodity] : PXTradeModule::shared().PXJYData().shangPinXinXi()) {
        if (commodity && commodity->shangPinJiaoYiMoShi == "4" && !delistedAtOnce(code)) {
            m_hands.note("open orders: another device opens a lot of " + code);
            const auto reply =
                m_exchange.post("/control/trade/holding?" + environment() +
                                "&account=" + PXTradeModule::shared().defaultString("JYUserName") +
                                "&commodity=" + code + "&side=1&qty=1");
            return m_hands.note("the exchange: " + (reply.status == 200 ? "done" : reply.body));
        }
    }
}

bool OpenOrdersFailure::delistable(const commodityInfo& commodity) {
    return commodity.productJYtype == 4 && QuickPanelOwnPanel::accountTrades(commodity) &&
           !delistedAtOnce(commodity.CommodityCode);
}

VKJYMarketChartController* OpenOrdersFailure::orderBookQuoteScreen() const {
    VKJYMarketChartController* screen = m_hands.quoteScreen();
    const commodityInfo* shown = screen ? screen->SelectedCommodityInfo().get() : nullptr;
    const bool ready = shown && !screen->tradeVC() && delistable(*shown) &&
                       m_driver.isVisible(screen->buyButton());
    return ready ? screen : nullptr;
}

// Section 0 holds the watch tiles; a section below it lists the panel before it.
std::optional<IndexPath> OpenOrdersFailure::delistableRow() const {
    VKJYMarketUIViewController* list = m_hands.marketList();
    TableView* table = list ? list->CommodityInfoListTableView() : nullptr;
    for (int section = 1; table && section < table->numberOfSections(); ++section) {
        const auto* commodities = list->getCommodityInfoArrayBySection(section - 1);
        const int count = table->numberOfRows(section);
        for (int row = 0;
             commodities && count == static_cast<int>(commodities->size()) && row < count; ++row) {
            if (delistable(*(*commodities)[static_cast<size_t>(row)])) {
                return IndexPath{section, row};
            }
        }
    }
    return std::nullopt;
}

std::string OpenOrdersFailure::environment() const {
    PXTradeModule& module = PXTradeModule::shared();
    return "jys=" + module.defaultString("platform_code") +
           "&env=" + module.defaultString("environment_code");
}

void OpenOrdersFailure::act(ExerciseRandom& random) {
    m_received.since(environment());
    if (const auto row = !orderBookQuoteScreen() ? delistableRow() : std::nullopt) {
        m_hands.note("open orders: the quote screen of row " + std::to_string(row->section) + "/" +
                     std::to_string(row->row));
        m_driver.tapRow(*m_hands.marketList()->CommodityInfoListTableView(), *row);
        m_driver.runUntil([this] { return orderBookQuoteScreen() != nullptr; }, kFailureSeconds);
    }
    if (orderBookQuoteScreen() || orderBookRow() >= 0) {
        failTheNextQuery(random);
    }
    if (orderBookQuoteScreen()) {
        return onTheQuickPanel();
    }
    if (orderBookRow() < 0) {
        return holdALot();
    }
    onTheOneCommodityScreen();
}

void OpenOrdersFailure::failTheNextQuery(ExerciseRandom& random) {
    const bool spoiled = random.chance(0.3);
    m_hands.note(std::string("open orders: the next ") + kOpenOrdersQuery + " is " +
                 (spoiled ? "spoiled" : "refused"));
    const std::string path =
        spoiled ? "/control/trade/malform?" + environment() + "&name=" + kOpenOrdersQuery
                : "/control/trade/answer?" + environment() + "&code=1&name=" + kOpenOrdersQuery;
    const auto reply = m_exchange.post(path);
    if (reply.status != 200) {
        m_hands.note("the exchange: " + reply.body);
    }
}

bool OpenOrdersFailure::failureTold() {
    m_driver.runUntil([this] { return m_driver.visibleAlert() || openOrdersSettled(); },
                      kFailureSeconds);
    m_driver.runUntil([this] { return m_driver.visibleAlert() != nullptr; }, 1);
    AlertView* alert = m_driver.visibleAlert();
    if (!alert || alert->numberOfButtons() != 1) {
        m_hands.note("open orders: no failure told");
        return false;
    }
    m_hands.note("open orders: told '" + alert->message() + "'");
    m_hands.tap(alert->buttonAtIndex(0), "alert");
    m_driver.settle();
    return !m_driver.visibleAlert();
}

void OpenOrdersFailure::onTheOneCommodityScreen() {
    const int row = orderBookRow();
    auto* home = dynamic_cast<PXJYRootViewController*>(m_hands.topScreen());
    if (row < 0 || !home) {
        return;
    }
    PXTradeHomeView& view = *home->tradeHomeView();
    TableView& table = *view.chiCangListView();
    const IndexPath at{view.loggedInSection().value_or(0), row + kHomeFirstHolding};
    Button* shortcut = nullptr;
    // A tap on a row opens its shortcuts, or closes the row open before.
    for (int tries = 0; tries < 2 && !shortcut; ++tries) {
        table.scrollToRow(at, TableViewScrollPosition::Middle, false);
        m_hands.tap(table.cellForRow(at), "order-book holding row");
        m_driver.settle();
        TableViewCell* cell = table.cellForRow(at);
        for (Button* button : m_driver.visibleViewsOfClass<Button>()) {
            if (cell && button->isDescendantOf(cell) && button->currentTitle() == " 摘牌") {
                shortcut = button;
            }
        }
    }
    if (!m_hands.tap(shortcut, "shortcut") || !failureTold()) {
        return;
    }
    auto* screen = dynamic_cast<PXJYSimpleJianCangZYMSVC*>(m_hands.topScreen());
    if (!screen || !m_hands.tap(screen->ZJbutton(), "条件摘牌")) {
        return;
    }
    m_driver.settle();
    PXJYTiaoJianZhaiPaiViewZYMS& form = *screen->tiaoJianZhaiPaiView();
    m_hands.keys(form.shuLiang(), "1");
    m_hands.keys(form.jiaGeZ(), boardPriceText(*form.commodityInformationView()));
    tapWhileUnknown(form.jianCangButton(), "the one-commodity screen");
}

void OpenOrdersFailure::onTheQuickPanel() {
    if (!m_hands.tap(orderBookQuoteScreen()->buyButton(), "速摘") || !failureTold()) {
        return;
    }
    auto* panel =
        dynamic_cast<PXFastTradeVCZYMS*>(QuickPanelOwnPanel::shownPanel(m_hands.quoteScreen()));
    if (!panel || !m_hands.tap(panel->jiaGeTextField(), "price")) {
        return;
    }
    for (char digit : boardPriceText(*panel->commodityInformationView())) {
        m_hands.tap(panel->key(std::string(1, digit)), "key");
    }
    tapWhileUnknown(panel->xiaDan(), "the quick panel");
}

void OpenOrdersFailure::tapWhileUnknown(View* send, const std::string& where) {
    m_received.since(environment());
    if (m_driver.visibleAlert() || !m_hands.tap(send, "order while the open orders are unknown")) {
        return;
    }
    m_driver.settle();
    AlertView* alert = m_driver.visibleAlert();
    const std::string told = alert ? alert->message() : std::string();
    m_driver.runUntil(openOrdersSettled, kFailureSeconds);
    int asked = 0;
    int orders = 0;
    for (const auto& request : m_received.since(environment())) {
        (request.value("name", "") == kOpenOrdersQuery ? asked : orders) += 1;
    }
    if (orders == 0 && !told.empty() && told != kRangeUnknown) {
        // Refused for another want first (a side the commodity does not trade): nothing went.
        m_hands.note(where + " refused first for: " + told);
    } else if (told != kRangeUnknown || orders > 0) {
        m_hands.violation(where + " took an order while its open orders were unknown: told '" +
                          told + "', " + std::to_string(orders) + " order_mp sent");
    } else if (asked == 0) {
        m_hands.violation(where + " refused for want of its open orders but did not ask again");
    }
    if (m_driver.visibleAlert()) {
        m_driver.tapAlertButton(m_driver.visibleAlert()->buttonTitleAtIndex(0));
        m_driver.settle();
    }
}
