#include "AccountOnShow.h"

#include <algorithm>
#include <cctype>
#include <nlohmann/json.hpp>
#include <vector>

#include "ExerciseRandom.h"
#include "QuickPanelOwnPanel.h"
#include "market/VKJYCustomButton.h"
#include "market/VKJYMarketChartController.h"
#include "market/VKJYMarketUIViewController.h"
#include "platform/foundation/HttpClient.h"
#include "platform/ui/AlertView.h"
#include "quote/QuoteRecords.h"
#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "platform/ui/ScreenDriver.h"
#include "platform/ui/TabBar.h"
#include "platform/ui/TableView.h"
#include "platform/ui/TableViewCell.h"
#include "shell/VKJYCommonViewUtil.h"
#include "shell/VKJYNavigationBarView.h"
#include "support/SimProcess.h"
#include "trade/account/PXJYChuRuJinCaoZuoVC.h"
#include "trade/account/PXJYYuEChaXunVC.h"
#include "trade/core/PXTradeData.h"
#include "trade/core/PXTradeModule.h"
#include "trade/login/PXJYRootViewController.h"
#include "trade/login/PXJYSimpleLoginVC.h"
#include "trade/login/PXJYSwitchingAccountView.h"
#include "trade/login/PXJYTradeLoginVC.h"
#include "trade/quick/PXFastTradeViewController.h"

namespace {
// Wall-time guards of waits for the client's answer to a touch, which takes a fraction of a
// second; a wait that runs out only ends the event early.
constexpr double kScreenSeconds = 8;
constexpr double kLoginSeconds = 20;
constexpr const char* kSwitchConfirmation = "切换账号将会注销已登录账号!";
// Requests that name an order, a holding or a listing, and the keys that do.
constexpr const char* kNamingRequests =
    "order_wd,order_list_wd,order_s,order_list,order_mp,set_loss_profit,withdraw_loss_profit";
const char* const kNumberKeys[] = {"ORDER_NO", "HOLDING_ID", "H_ID", "LIST_ID"};
// Record numbers have four digits or more; lots and levels have fewer.
constexpr size_t kShortestNumber = 4;

bool busy() {
    return VKJYCommonViewUtil::activityCount() > 0;
}

bool isNumber(const std::string& text) {
    return text.size() >= kShortestNumber &&
           std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c); });
}

std::string numberText(const nlohmann::json& value) {
    return value.is_number_integer() ? std::to_string(value.get<int64_t>())
           : value.is_string()       ? value.get<std::string>()
                                     : std::string();
}

const TableViewCell* cellOf(const View* view) {
    for (const View* up = view; up; up = up->superview()) {
        if (const auto* cell = dynamic_cast<const TableViewCell*>(up)) {
            return cell;
        }
    }
    return nullptr;
}
}  // namespace

AccountOnShow::AccountOnShow(ScreenDriver& driver, SimProcess& exchange, Hands hands)
    : m_driver(driver),
      m_exchange(exchange),
      m_hands(std::move(hands)),
      m_received(exchange, kNamingRequests) {}

int AccountOnShow::weight() const {
    if (m_driver.visibleAlert() || !PXTradeModule::shared().tradeLogin()) {
        return 0;
    }
    // A login screen on the stack has stopped the trading timers until it answers: the user
    // cannot leave it for another tab.
    const size_t depth = m_hands.tradeStackDepth();
    return onALoginScreen() ? 0 : depth > 1 ? 20 : depth == 1 ? 6 : 0;
}

bool AccountOnShow::onALoginScreen() const {
    ViewController* top = m_hands.topScreen();
    return dynamic_cast<PXJYSimpleLoginVC*>(top) || dynamic_cast<PXJYTradeLoginVC*>(top);
}

std::optional<AccountOnShow::Account> AccountOnShow::loggedIn() {
    PXTradeModule& module = PXTradeModule::shared();
    if (!module.tradeLogin()) {
        return std::nullopt;
    }
    return Account{"jys=" + module.defaultString("platform_code") +
                       "&env=" + module.defaultString("environment_code"),
                   module.defaultString("JYUserName")};
}

void AccountOnShow::act(ExerciseRandom& random) {
    if (m_hands.tradeStackDepth() == 1) {
        return openAScreen(random);
    }
    if (switcherOnShow() && random.chance(0.5)) {
        if (!switchOnTheScreen(random)) {
            return;
        }
    } else {
        m_hands.note("account elsewhere: a screen waits on the trade tab; to 行情");
        m_hands.showTab("行情");
        if (!openAQuickPanel(random)) {
            return;
        }
        logAnotherAccountIn(random);
        answerAnAlert();
        m_hands.showTab("交易");
    }
    checkBanks();
    const std::optional<Account> after = loggedIn();
    m_hands.note("account switched: " + (after ? after->user : std::string("nobody")) +
                 " logged in");
    answerAnAlert();
    m_driver.settle();
    check();
    actOnTheScreen(random);
}

bool AccountOnShow::switchOnTheScreen(ExerciseRandom& random) {
    PXJYSwitchingAccountView* own = switcherOnShow();
    m_hands.note("account switch on the screen itself");
    if (!own || !chooseAnotherAccount(*own, random)) {
        return false;
    }
    logIn();
    return true;
}

// From the trade home: a query list, the reports, a transfer or opening form, or a funds form.
void AccountOnShow::openAScreen(ExerciseRandom& random) {
    auto* home = dynamic_cast<PXJYRootViewController*>(m_hands.topScreen());
    if (!home) {
        return;
    }
    if (!m_driver.isVisible(home->menuListView())) {
        m_hands.tap(home->navigationBarView()->menuButton(), "menu");
        m_driver.settle();
    }
    static const char* const kEntries[] = {"查询", "报表", "转让", "摘牌", "挂牌", "出入金"};
    const char* entry = kEntries[random.below(std::size(kEntries))];
    if (!m_hands.tap(m_driver.viewWithText(entry), std::string("account screens: ") + entry)) {
        return;
    }
    m_driver.runUntil([this] { return !m_driver.visibleAlert() && !busy(); }, kScreenSeconds);
    const char* next = nullptr;
    if (std::string(entry) == "查询") {
        next = random.chance(0.5) ? "订单查询" : "成交查询";
    } else if (std::string(entry) == "出入金") {
        next = random.chance(0.5) ? "出入金操作" : "银行余额查询";
    }
    if (next) {
        m_hands.tap(m_driver.viewWithText(next), std::string("account screens: ") + next);
        m_driver.runUntil([this] { return !m_driver.visibleAlert() && !busy(); }, kScreenSeconds);
    }
}

// A funds form that waited on the stack lists the banks of the account logged in now, fetched
// again for it, or it tells why not: never an empty list in silence.
void AccountOnShow::checkBanks() {
    ViewController* top = m_hands.topScreen();
    if (!dynamic_cast<PXJYChuRuJinCaoZuoVC*>(top) && !dynamic_cast<PXJYYuEChaXunVC*>(top)) {
        return;
    }
    m_driver.runUntil([this] { return m_driver.visibleAlert() || !busy(); }, kScreenSeconds);
    if (m_driver.visibleAlert() || busy() || !loggedIn()) {
        return;
    }
    if (!PXTradeModule::shared().PXJYData().yinHangXinXiAnswered()) {
        m_hands.violation(top->title() + " is back on show after another logon with no bank " +
                          "list answered and no failure told");
    }
}

PXJYSwitchingAccountView* AccountOnShow::switcherOnShow() const {
    for (PXJYSwitchingAccountView* switcher :
         m_driver.visibleViewsOfClass<PXJYSwitchingAccountView>()) {
        if (m_driver.reaches(switcher->accountButton())) {
            return switcher;
        }
    }
    return nullptr;
}

// Another saved account of the switcher's list, or "添加账号" when it lists no other.
bool AccountOnShow::chooseAnotherAccount(PXJYSwitchingAccountView& switcher,
                                         ExerciseRandom& random) {
    if (!m_hands.tap(switcher.accountButton(), "交易账户")) {
        return false;
    }
    TableView* list = switcher.environmentListView();
    std::vector<IndexPath> others;
    for (const IndexPath& row : list->indexPathsForVisibleRows()) {
        const TableViewCell* cell = list->cellForRow(row);
        const std::vector<View*> shown =
            cell ? cell->contentView()->subviews() : std::vector<View*>();
        if (std::none_of(shown.begin(), shown.end(), [](const View* view) {
                return ScreenDriver::textOf(view) == "已登录";
            })) {
            others.push_back(row);
        }
    }
    if (others.empty()) {
        View* add = m_driver.viewWithText("添加账号");
        return add && m_hands.tap(add, "添加账号");
    }
    const IndexPath chosen = others[random.below(others.size())];
    m_hands.note("saved account " + std::to_string(chosen.section) + "/" +
                 std::to_string(chosen.row));
    return m_driver.tapRow(*list, chosen);
}

// On the login screen that came: the exerciser's login, the switch confirmed, then its answer.
void AccountOnShow::logIn() {
    const auto onLogin = [this] { return onALoginScreen(); };
    m_driver.runUntil([&] { return m_driver.visibleAlert() || onLogin(); }, kScreenSeconds);
    if (!onLogin()) {
        return m_hands.note("account elsewhere: no login screen came");
    }
    // The captcha the screen asks for first is what the login types.
    m_driver.runUntil([] { return HttpClient::exchangesInFlight() == 0 && !busy(); },
                      kScreenSeconds);
    m_hands.logIn();
    const auto answered = [&] {
        return m_driver.visibleAlert() ||
               (PXTradeModule::shared().tradeLogin() && !busy() && !onLogin());
    };
    m_driver.runUntil(answered, kLoginSeconds);
    AlertView* alert = m_driver.visibleAlert();
    if (alert && alert->message() == kSwitchConfirmation) {
        m_hands.note("confirm the switch");
        m_driver.tapAlertButton("确定");
        m_driver.runUntil(answered, kLoginSeconds);
    }
}

void AccountOnShow::answerAnAlert() {
    if (AlertView* alert = m_driver.visibleAlert()) {
        m_hands.note("answer '" + alert->message() + "'");
        m_driver.tapAlertButton(alert->buttonTitleAtIndex(alert->cancelButtonIndex()));
        m_driver.settle();
    }
}

bool AccountOnShow::openAQuickPanel(ExerciseRandom& random) {
    VKJYMarketChartController* shown = m_hands.quoteScreen();
    const commodityInfo* commodity = shown ? shown->SelectedCommodityInfo().get() : nullptr;
    if (shown && (!commodity || !QuickPanelOwnPanel::accountTrades(*commodity))) {
        m_hands.note("account elsewhere: back to the list");
        m_hands.back();
    }
    if (!m_hands.quoteScreen() && !openAQuoteScreen(random)) {
        m_hands.note("account elsewhere: no quote screen");
        return false;
    }
    VKJYMarketChartController* screen = m_hands.quoteScreen();
    if (QuickPanelOwnPanel::shownPanel(screen)) {
        return true;
    }
    if (!screen || screen->tradeVC() || !m_driver.isVisible(screen->buyButton()) ||
        !m_hands.tap(screen->buyButton(), "速摘")) {
        m_hands.note("account elsewhere: no 速摘 to tap");
        return false;
    }
    m_driver.runUntil(
        [this] {
            VKJYMarketChartController* top = m_hands.quoteScreen();
            return !top || QuickPanelOwnPanel::shownPanel(top) || m_driver.visibleAlert();
        },
        kScreenSeconds);
    return QuickPanelOwnPanel::shownPanel(m_hands.quoteScreen()) != nullptr;
}

// A commodity the account trades, so that the quick panel opens on it.
bool AccountOnShow::openAQuoteScreen(ExerciseRandom& random) {
    VKJYMarketUIViewController* list = m_hands.marketList();
    TableView* table = list ? list->CommodityInfoListTableView() : nullptr;
    std::vector<IndexPath> rows;
    // Section 0 holds the watch tiles; a section below it lists the panel before it.
    for (int section = 1; table && section < table->numberOfSections(); ++section) {
        const auto* commodities = list->getCommodityInfoArrayBySection(section - 1);
        const int count = table->numberOfRows(section);
        for (int row = 0; commodities && count == static_cast<int>(commodities->size()) &&
                          row < count;
             ++row) {
            if (QuickPanelOwnPanel::accountTrades(*(*commodities)[static_cast<size_t>(row)])) {
                rows.push_back({section, row});
            }
        }
    }
    // Logged out, the account trades nothing yet: any commodity leads to its login.
    if (rows.empty() && !PXTradeModule::shared().tradeLogin()) {
        for (int section = 1; table && section < table->numberOfSections(); ++section) {
            for (int row = 0; row < table->numberOfRows(section); ++row) {
                rows.push_back({section, row});
            }
        }
    }
    if (rows.empty()) {
        return false;
    }
    const IndexPath chosen = rows[random.below(rows.size())];
    m_hands.note("account elsewhere: the quote screen of row " + std::to_string(chosen.section) +
                 "/" + std::to_string(chosen.row));
    return m_driver.tapRow(*table, chosen) &&
           m_driver.runUntil([this] { return m_hands.quoteScreen() || !m_hands.marketList(); },
                             kScreenSeconds) &&
           m_hands.quoteScreen();
}

// A saved account from the panel's switcher, or the idle log-out and a login from the panel.
void AccountOnShow::logAnotherAccountIn(ExerciseRandom& random) {
    if (random.chance(0.3)) {
        m_hands.idleLogOut();
        answerAnAlert();
        // The log-out closes the panel; a tap while it slides away reaches nothing.
        m_driver.runUntil(
            [this] {
                VKJYMarketChartController* top = m_hands.quoteScreen();
                return !top || !top->tradeVC();
            },
            kScreenSeconds);
        // Logged out, a quote screen opens one panel per appearance: it appears again.
        m_hands.back();
        if (m_hands.quoteScreen() || !openAQuoteScreen(random)) {
            return;
        }
        VKJYMarketChartController* screen = m_hands.quoteScreen();
        if (!m_driver.isVisible(screen->buyButton()) ||
            !m_hands.tap(screen->buyButton(), "速摘 after the log-out")) {
            return;
        }
        return logIn();
    }
    PXFastTradeViewController* panel = QuickPanelOwnPanel::shownPanel(m_hands.quoteScreen());
    if (panel && chooseAnotherAccount(*panel->switchingAccountView(), random)) {
        logIn();
    }
}

// What a person does next on the screen that waited: a row, a button, or a pull for more.
void AccountOnShow::actOnTheScreen(ExerciseRandom& random) {
    std::vector<View*> offered;
    for (Button* button : m_driver.visibleViewsOfClass<Button>()) {
        if (button->isEnabled() && m_driver.reaches(button)) {
            offered.push_back(button);
        }
    }
    const std::vector<TableView*> tables = m_driver.visibleViewsOfClass<TableView>();
    if (!tables.empty() && random.chance(0.4)) {
        TableView* table = tables[random.below(tables.size())];
        const Rect seen = m_driver.visibleRect(table);
        const Point low{seen.x + seen.width / 2, seen.y + seen.height - 10};
        m_hands.note("account elsewhere: pull for more");
        return m_driver.drag(low, {low.x, seen.y + 10});
    }
    if (!offered.empty()) {
        View* chosen = offered[random.below(offered.size())];
        m_hands.tap(chosen, "account elsewhere: '" + ScreenDriver::textOf(chosen) + "'");
    }
}

void AccountOnShow::check() {
    const std::optional<Account> now = loggedIn();
    if (now) {
        m_environments.insert(now->environment);
        if (m_last && *m_last != *now) {
            m_before = m_last;
            m_beforeNumbers.clear();
            const std::set<std::string> own = numbersOf(*now);
            for (const auto& number : numbersOf(*m_before)) {
                if (!own.count(number)) {
                    m_beforeNumbers.insert(number);
                }
            }
        }
        m_last = now;
        checkShown(*now);
    }
    checkSent();
}

void AccountOnShow::exchangeRestarted() {
    m_before.reset();
    m_beforeNumbers.clear();
    m_received.restart();
}

std::set<std::string> AccountOnShow::numbersOf(const Account& account) {
    const auto reply =
        m_exchange.get("/control/trade/books?" + account.environment + "&account=" + account.user);
    const auto books = nlohmann::json::parse(reply.body, nullptr, false);
    std::set<std::string> numbers;
    if (reply.status != 200 || !books.is_object()) {
        return numbers;
    }
    for (const auto& [list, key] : {std::pair{"orders", "no"}, std::pair{"deals", "no"},
                                    std::pair{"holdings", "id"}}) {
        for (const auto& record : books.value(list, nlohmann::json::array())) {
            numbers.insert(numberText(record.value(key, nlohmann::json())));
        }
    }
    return numbers;
}

void AccountOnShow::checkShown(const Account& now) {
    if (!m_before || m_driver.visibleAlert()) {
        return;
    }
    std::vector<std::string> stale;
    for (const auto& number : numbersOnShow()) {
        if (m_beforeNumbers.count(number)) {
            stale.push_back(number);
        }
    }
    // A number the present account got since may be one of another environment's books.
    const std::set<std::string> own = stale.empty() ? std::set<std::string>() : numbersOf(now);
    for (const auto& number : stale) {
        if (!own.count(number)) {
            m_hands.violation(now.user + " is logged in, yet the screen shows " + number +
                              ", a number of " + m_before->user);
        }
    }
}

std::set<std::string> AccountOnShow::numbersOnShow() const {
    std::vector<const Label*> labels;
    for (const Label* label : m_driver.visibleViewsOfClass<Label>()) {
        if (!label->text().empty()) {
            labels.push_back(label);
        }
    }
    std::set<std::string> shown;
    for (const Label* label : labels) {
        if (!isNumber(label->text())) {
            continue;
        }
        const Rect at = m_driver.visibleRect(label);
        const TableViewCell* cell = cellOf(label);
        bool first = cell != nullptr;
        bool captioned = false;
        for (const Label* other : labels) {
            const Rect there = m_driver.visibleRect(other);
            const bool sameRow = std::abs(there.y + there.height / 2 - at.y - at.height / 2) < 4;
            const bool left = there.x + there.width <= at.x + 2;
            first = first && !(left && cellOf(other) == cell);
            captioned = captioned ||
                        (sameRow && left && other->text().find("号") != std::string::npos);
        }
        if (first || captioned) {
            shown.insert(label->text());
        }
    }
    return shown;
}

void AccountOnShow::checkSent() {
    for (const auto& environment : m_environments) {
        for (const auto& request : m_received.since(environment)) {
            const nlohmann::json& fields = request["fields"];
            const Account sender{environment, fields.value("USER_ID", "")};
            std::set<std::string> sent;
            for (const char* key : kNumberKeys) {
                const std::string number = numberText(fields.value(key, nlohmann::json()));
                if (!number.empty()) {
                    sent.insert(number);
                }
            }
            if (sent.empty() || !m_last) {
                continue;
            }
            const std::set<std::string> own = numbersOf(sender);
            for (const Account& other : {*m_last, m_before.value_or(*m_last)}) {
                if (other == sender || other.environment != environment) {
                    continue;
                }
                const std::set<std::string> theirs = numbersOf(other);
                for (const auto& number : sent) {
                    if (theirs.count(number) && !own.count(number)) {
                        m_hands.violation(request.value("name", "") + " of " + sender.user +
                                          " names " + number + ", a number of " + other.user);
                    }
                }
            }
        }
    }
}
