#include "FormUpsets.h"

#include <nlohmann/json.hpp>

#include "ExerciseRandom.h"
#include "platform/foundation/HttpClient.h"
#include "platform/foundation/WeakLink.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "platform/ui/ScreenDriver.h"
#include "platform/ui/TableView.h"
#include "platform/ui/TableViewCell.h"
#include "platform/ui/Window.h"
#include "support/SimProcess.h"
#include "trade/close/PXJYZhiJiaPingCangView.h"
#include "trade/close/PXZhuanRangFormView.h"
#include "trade/core/PXTradeCommodity.h"
#include "trade/core/PXTradeData.h"
#include "trade/core/PXTradeModule.h"
#include "trade/core/TradeText.h"
#include "trade/open/PXJYJianCangZYMSVC.h"
#include "trade/open/PXJYZhaiPaiViewZYMS.h"
#include "trade/open/PXJianCangFormView.h"

namespace {
// Long enough for the client's next price or holdings refresh.
constexpr double kRefreshSeconds = 2.5;
constexpr int kLargestMove = 30;
// Long enough for the queries the switch sends to reach the exchange and wait there.
constexpr double kHeldSeconds = 1.5;
constexpr double kReleasedSeconds = 5;
const char* const kBookQuery = "faes_sellingbuying_query";

template <typename T>
T* anyOf(const std::vector<T*>& items, ExerciseRandom& random) {
    return items.empty() ? nullptr : items[random.below(items.size())];
}

bool isTab(const Button* button) {
    const std::string picture = button->backgroundImage().name();
    return picture.rfind("zhouqi", 0) == 0 || picture.rfind("fenshi", 0) == 0;
}

bool isCurrentTab(const Button* button) {
    return button->backgroundImage().name().find("_press") != std::string::npos;
}

PXJYJianCangZYMSVC* delistingScreen(const View* view) {
    for (; view; view = view->superview()) {
        if (auto* screen = dynamic_cast<PXJYJianCangZYMSVC*>(view->viewController())) {
            return screen;
        }
    }
    return nullptr;
}

std::set<std::string> listingsOf(const PXJYJianCangZYMSVC& screen) {
    std::set<std::string> numbers;
    for (const JYDict& row : screen.guaPaiInfoArray()) {
        numbers.insert(TradeText::textAt(row, "OR_N"));
    }
    return numbers;
}
}  // namespace

FormUpsets::FormUpsets(ScreenDriver& driver, SimProcess& exchange, Hands hands)
    : m_driver(driver), m_exchange(exchange), m_hands(std::move(hands)) {}

int FormUpsets::weight() const {
    if (m_driver.visibleAlert() || !PXTradeModule::shared().tradeLogin()) {
        return 0;
    }
    const bool form = !m_driver.visibleViewsOfClass<PXJianCangFormView>().empty() ||
                      !m_driver.visibleViewsOfClass<PXZhuanRangFormView>().empty() ||
                      !m_driver.visibleViewsOfClass<PXJYZhiJiaPingCangView>().empty();
    return form ? 8 : 0;
}

void FormUpsets::act(ExerciseRandom& random) {
    if (random.chance(0.8)) {
        typeLots(random);
    }
    const Choices before = choices();
    m_lastPicker.reset();
    switch (random.weighted({3, 3, 2, 1, 2})) {
        case 0:
            moveThePrice(random);
            checkChoicesKept(before, "a price refresh", true);
            break;
        case 1:
            pickOnAnotherTab(random);
            checkChoicesKept(before, "a pick on the other tab", false);
            break;
        case 2:
            closeTheHolding(random);
            break;
        case 3:
            takeTheListing(random);
            break;
        default:
            handOverAndBack(random);
    }
    if (random.chance(0.6)) {
        sendTheForm(random);
    }
}

FormUpsets::Choices FormUpsets::choices() const {
    Choices found;
    for (auto* form : m_driver.visibleViewsOfClass<PXJianCangFormView>()) {
        const bool named = m_driver.isVisible(form->commodityNameButton());
        found.push_back({WeakLink<View>(form),
                         {named ? form->commodityNameButton()->currentTitle()
                                : form->commodityNameLabel()->text(),
                          "", form->shuLiang()->text()}});
    }
    for (auto* form : m_driver.visibleViewsOfClass<PXZhuanRangFormView>()) {
        found.push_back({WeakLink<View>(form),
                         {form->commodityNameButton()->currentTitle(),
                          form->danHaoButton()->currentTitle(), form->shuLiang()->text()}});
    }
    for (auto* form : m_driver.visibleViewsOfClass<PXJYZhiJiaPingCangView>()) {
        found.push_back({WeakLink<View>(form), {"", form->commodityDanHao()->currentTitle(), ""}});
    }
    return found;
}

// A choice made or replaced, or lots lost under an unchanged choice; a choice emptied may have
// vanished (a stop the price reached closes the holding).
void FormUpsets::checkChoicesKept(const Choices& before, const std::string& upset,
                                  bool openingForms) {
    const Choices after = choices();
    for (const auto& [form, was] : before) {
        // The opening screen has one commodity for both its tabs, picked on either.
        if (!openingForms && dynamic_cast<PXJianCangFormView*>(form.get())) {
            continue;
        }
        for (const auto& [same, now] : after) {
            if (!form || form.get() != same.get()) {
                continue;
            }
            // The form the pick was made on changes by the person's own choice.
            View* picker = m_lastPicker.get();
            if (picker && picker->isDescendantOf(same.get())) {
                continue;
            }
            // A blank and "--" both show nothing chosen.
            const auto replaced = [](const std::string& a, const std::string& b) {
                return b.find_first_not_of(' ') != std::string::npos && b != "--" && a != b;
            };
            const bool chosenKept = was.commodity == now.commodity && was.holding == now.holding;
            if (replaced(was.commodity, now.commodity) || replaced(was.holding, now.holding) ||
                (chosenKept && was.lots != now.lots)) {
                m_hands.violation(upset + " changed a form on show: commodity '" + was.commodity +
                                  "' -> '" + now.commodity + "', holding '" + was.holding +
                                  "' -> '" + now.holding + "', lots '" + was.lots + "' -> '" +
                                  now.lots + "'");
            }
        }
    }
}

void FormUpsets::typeLots(ExerciseRandom& random) {
    std::vector<TextField*> fields;
    for (auto* form : m_driver.visibleViewsOfClass<PXJianCangFormView>()) {
        fields.push_back(form->shuLiang());
    }
    for (auto* form : m_driver.visibleViewsOfClass<PXZhuanRangFormView>()) {
        fields.push_back(form->shuLiang());
    }
    for (TextField* field : fields) {
        if (m_driver.reaches(field)) {
            return m_hands.keys(field, std::to_string(1 + random.below(2)));
        }
    }
}

// What the form shows now goes, as a person who did not notice the change would send it.
void FormUpsets::sendTheForm(ExerciseRandom& random) {
    std::vector<Button*> buttons;
    for (auto* form : m_driver.visibleViewsOfClass<PXJianCangFormView>()) {
        buttons.push_back(form->jianCangButton());
    }
    for (auto* form : m_driver.visibleViewsOfClass<PXZhuanRangFormView>()) {
        buttons.push_back(form->zhuanRangButton());
    }
    for (auto* form : m_driver.visibleViewsOfClass<PXJYZhiJiaPingCangView>()) {
        buttons.push_back(form->pingCangButton());
    }
    for (Button* button : buttons) {
        if (m_driver.reaches(button) && !m_driver.visibleAlert()) {
            m_hands.tap(button, "send");
            m_driver.settle();
            break;
        }
    }
    AlertView* confirmation = m_driver.visibleAlert();
    if (!confirmation || confirmation->numberOfButtons() < 2 ||
        confirmation->message().find("商品:") == std::string::npos || !random.chance(0.7)) {
        return;
    }
    for (int index = 0; index < confirmation->numberOfButtons(); ++index) {
        if (confirmation->buttonTitleAtIndex(index) == "确定") {
            m_hands.tap(confirmation->buttonAtIndex(index), "confirm");
            m_driver.settle();
            return;
        }
    }
}

std::string FormUpsets::environment() const {
    PXTradeModule& module = PXTradeModule::shared();
    return "jys=" + module.defaultString("platform_code") +
           "&env=" + module.defaultString("environment_code");
}

void FormUpsets::post(const std::string& path) {
    const auto reply = m_exchange.post(path);
    m_hands.note("the exchange: " + (reply.status == 200 ? std::string("done") : reply.body));
}

void FormUpsets::waitForARefresh() {
    m_driver.runFor(kRefreshSeconds);
}

// The commodity a form on show stands for, else any the account may trade.
std::string FormUpsets::shownCode() const {
    for (auto* form : m_driver.visibleViewsOfClass<PXJianCangFormView>()) {
        if (!form->commodityCode().empty()) {
            return form->commodityCode();
        }
    }
    for (auto* form : m_driver.visibleViewsOfClass<PXZhuanRangFormView>()) {
        if (!form->commodityCode().empty()) {
            return form->commodityCode();
        }
    }
    for (auto* form : m_driver.visibleViewsOfClass<PXJYZhiJiaPingCangView>()) {
        if (!form->commodityCode().empty()) {
            return form->commodityCode();
        }
    }
    const auto& store = PXTradeModule::shared().PXJYData().shangPinXinXi();
    return store.empty() ? std::string() : store.begin()->first;
}

std::string FormUpsets::shownHolding() const {
    for (auto* form : m_driver.visibleViewsOfClass<PXZhuanRangFormView>()) {
        if (form->danHaoID()) {
            return *form->danHaoID();
        }
    }
    for (auto* form : m_driver.visibleViewsOfClass<PXJYZhiJiaPingCangView>()) {
        if (form->danHaoID()) {
            return *form->danHaoID();
        }
    }
    return {};
}

// The live price moves while the form is half filled; the next refresh brings it.
void FormUpsets::moveThePrice(ExerciseRandom& random) {
    const std::string code = shownCode();
    const int delta =
        (random.chance(0.5) ? 1 : -1) * static_cast<int>(1 + random.below(kLargestMove));
    m_hands.note("upset: the price of " + code + " moves " + std::to_string(delta));
    post("/control/trade/price?" + environment() + "&commodity=" + code +
         "&delta=" + std::to_string(delta));
    waitForARefresh();
}

// The other tab's form takes a pick, and the first tab comes back.
void FormUpsets::pickOnAnotherTab(ExerciseRandom& random) {
    Button* current = nullptr;
    Button* other = nullptr;
    for (Button* button : m_driver.viewsOfClass<Button>()) {
        if (m_driver.reaches(button) && isTab(button)) {
            (isCurrentTab(button) ? current : other) = button;
        }
    }
    if (!current || !other) {
        return m_hands.note("upset: no other tab");
    }
    m_hands.note("upset: a pick on the other tab");
    // A pick may hand the form over to another screen, which takes the tabs away.
    const WeakLink<Button> first = current;
    m_hands.tap(other, "tab");
    m_driver.settle();
    if (Button* picker = anyOf(pickers(false), random)) {
        pick(picker, random, {});
    }
    m_hands.tap(m_driver.reaches(first.get()) ? first.get() : nullptr, "tab back");
    m_driver.settle();
}

// The holding the form names (or another of the account's) is closed from elsewhere.
void FormUpsets::closeTheHolding(ExerciseRandom& random) {
    PXTradeModule& module = PXTradeModule::shared();
    const std::string account = module.defaultString("JYUserName");
    std::string holding = random.chance(0.8) ? shownHolding() : std::string();
    if (holding.empty()) {
        const auto reply =
            m_exchange.get("/control/trade/books?" + environment() + "&account=" + account);
        const auto books = nlohmann::json::parse(reply.body, nullptr, false);
        if (books.is_object() && !books["holdings"].empty()) {
            const auto& all = books["holdings"];
            holding = std::to_string(all[random.below(all.size())]["id"].get<int64_t>());
        }
    }
    if (holding.empty()) {
        return m_hands.note("upset: no holding to close");
    }
    m_hands.note("upset: holding " + holding + " is closed from elsewhere");
    post("/control/trade/close?" + environment() + "&account=" + account + "&holding=" + holding);
    waitForARefresh();
}

// The listing the delisting form chose (or one of the account's own) is taken by another firm.
void FormUpsets::takeTheListing(ExerciseRandom& random) {
    std::string listing;
    for (auto* form : m_driver.visibleViewsOfClass<PXJYZhaiPaiViewZYMS>()) {
        listing = form->selectedGuaPaiDanHao();
    }
    if (listing.empty()) {
        const auto reply = m_exchange.get("/control/trade/books?" + environment() + "&account=" +
                                          PXTradeModule::shared().defaultString("JYUserName"));
        const auto books = nlohmann::json::parse(reply.body, nullptr, false);
        std::vector<int64_t> open;
        for (const auto& order : books.is_object() ? books["orders"] : nlohmann::json::array()) {
            const int status = order["status"].get<int>();
            if (order["kind"].get<int>() == 2 && (status == 1 || status == 4)) {
                open.push_back(order["no"].get<int64_t>());
            }
        }
        listing = open.empty() ? std::string() : std::to_string(open[random.below(open.size())]);
    }
    if (listing.empty()) {
        return m_hands.note("upset: no listing to take");
    }
    m_hands.note("upset: listing " + listing + " is taken by another firm");
    post("/control/trade/take?" + environment() + "&listing=" + listing);
    waitForARefresh();
}

// A commodity of the order book hands the form over to its screen; a pick there, and back.
void FormUpsets::handOverAndBack(ExerciseRandom& random) {
    Button* picker = anyOf(pickers(true), random);
    if (!picker) {
        return m_hands.note("upset: no commodity picker");
    }
    m_hands.note("upset: an order-book commodity picked");
    pick(picker, random, orderBookNames());
    m_driver.settle();
    if (random.chance(0.5)) {
        if (Button* there = anyOf(pickers(false), random)) {
            pick(there, random, {});
        }
    }
    if (random.chance(0.6)) {
        m_hands.back();
        m_driver.settle();
    }
}

int FormUpsets::bookWeight() const {
    const bool delisting =
        !m_driver.visibleAlert() && !m_driver.visibleViewsOfClass<PXJYZhaiPaiViewZYMS>().empty();
    return delisting && PXTradeModule::shared().tradeLogin() ? 15 : 0;
}

// The listing query's replies wait at the exchange while the side or the commodity changes
// (now and then twice), then come all at once.
void FormUpsets::holdTheBookReply(ExerciseRandom& random) {
    const auto forms = m_driver.visibleViewsOfClass<PXJYZhaiPaiViewZYMS>();
    const WeakLink<PXJYJianCangZYMSVC> screen =
        forms.empty() ? nullptr : delistingScreen(forms.front());
    if (!screen) {
        return m_hands.note("upset: no order-book delisting screen");
    }
    const std::string code = screen->nowCommodityCode();
    const int side = screen->zhaiPaiView()->XiaDan_FangXiang();
    const std::set<std::string> shown = listingsOf(*screen.get());
    const std::string held = environment() + "&name=" + kBookQuery;
    m_hands.note("upset: the book's replies are held at the exchange");
    post("/control/trade/hold?" + held);
    switchTheBook(random);
    if (random.chance(0.4)) {
        switchTheBook(random);
    }
    m_driver.runFor(kHeldSeconds);
    m_hands.note("the book's replies are let go");
    post("/control/trade/release?" + held);
    m_driver.runUntil([] { return HttpClient::exchangesInFlight() == 0; }, kReleasedSeconds);
    m_driver.settle();
    if (screen && m_driver.isVisible(screen->zhaiPaiView()) && !m_driver.visibleAlert()) {
        checkTheBook(code, side, shown);
    }
}

void FormUpsets::switchTheBook(ExerciseRandom& random) {
    const auto forms = m_driver.visibleViewsOfClass<PXJYZhaiPaiViewZYMS>();
    PXJYZhaiPaiViewZYMS* form = forms.empty() ? nullptr : forms.front();
    if (!form) {
        return m_hands.note("the delisting form has gone");
    }
    if (random.chance(0.5)) {
        Button* other = form->XiaDan_FangXiang() == 1 ? form->sellButton() : form->buyButton();
        m_hands.tap(m_driver.reaches(other) ? other : nullptr, "side");
        m_driver.settle();
        return;
    }
    Button* picker = form->commodityNameButton();
    if (!picker->isEnabled() || !m_driver.reaches(picker)) {
        return m_hands.note("the commodity picker is shut");
    }
    pick(picker, random, orderBookNames());
}

// What the screen shows after the held replies came: the side on show, and, when the book
// changed, nothing of the book left; no book at all once the commodity is forgotten.
void FormUpsets::checkTheBook(const std::string& code, int side,
                              const std::set<std::string>& left) {
    const auto forms = m_driver.visibleViewsOfClass<PXJYZhaiPaiViewZYMS>();
    PXJYJianCangZYMSVC* screen = forms.empty() ? nullptr : delistingScreen(forms.front());
    if (!screen) {
        return;
    }
    const int sideNow = screen->zhaiPaiView()->XiaDan_FangXiang();
    const std::string bookSide = sideNow == 1 ? "2" : "1";
    const bool changed = screen->nowCommodityCode() != code || sideNow != side;
    if (screen->nowCommodityCode().empty() && !screen->guaPaiInfoArray().empty()) {
        return m_hands.violation("after held book replies the book shows " +
                                 std::to_string(screen->guaPaiInfoArray().size()) +
                                 " listings under no commodity, left from " + code);
    }
    for (const JYDict& row : screen->guaPaiInfoArray()) {
        const std::string number = TradeText::textAt(row, "OR_N");
        if (TradeText::textAt(row, "TYPE") != bookSide || (changed && left.count(number))) {
            m_hands.violation("after held book replies the book of " + screen->nowCommodityCode() +
                              " (listings of side " + bookSide + ") shows listing " + number +
                              " of side " + TradeText::textAt(row, "TYPE") +
                              ", left from the book of " + code + " for a side-" +
                              std::to_string(side) + " delisting");
            return;
        }
    }
}

std::vector<std::string> FormUpsets::orderBookNames() const {
    std::vector<std::string> names;
    for (const auto& [code, commodity] : PXTradeModule::shared().PXJYData().shangPinXinXi()) {
        if (commodity && commodity->shangPinJiaoYiMoShi == "4") {
            names.push_back(commodity->commodityName);
        }
    }
    return names;
}

std::vector<Button*> FormUpsets::pickers(bool commoditiesOnly) const {
    std::vector<Button*> candidates;
    for (auto* form : m_driver.visibleViewsOfClass<PXJianCangFormView>()) {
        candidates.push_back(form->commodityNameButton());
    }
    for (auto* form : m_driver.visibleViewsOfClass<PXZhuanRangFormView>()) {
        candidates.push_back(form->commodityNameButton());
        if (!commoditiesOnly) {
            candidates.push_back(form->danHaoButton());
        }
    }
    for (auto* form : commoditiesOnly ? std::vector<PXJYZhiJiaPingCangView*>{}
                                      : m_driver.visibleViewsOfClass<PXJYZhiJiaPingCangView>()) {
        candidates.push_back(form->commodityDanHao());
    }
    std::vector<Button*> found;
    for (Button* button : candidates) {
        if (button->isEnabled() && m_driver.reaches(button)) {
            found.push_back(button);
        }
    }
    return found;
}

void FormUpsets::pick(Button* picker, ExerciseRandom& random,
                      const std::vector<std::string>& preferred) {
    m_lastPicker = picker;
    if (!m_hands.tap(picker, "picker")) {
        return;
    }
    m_driver.settle();
    TableView* list = nullptr;
    for (TableView* table : m_driver.viewsOfClass<TableView>()) {
        if (m_driver.isVisible(table) && table->numberOfSections() > 0 &&
            table->numberOfRows(0) > 0) {
            list = table;
        }
    }
    if (!list) {
        return m_hands.note("the picker opened no list");
    }
    for (TableViewCell* cell : list->visibleCells()) {
        for (const std::string& name : preferred) {
            View* row = m_driver.viewWithText(name);
            if (row && row->isDescendantOf(cell) && m_driver.reaches(cell)) {
                m_hands.tap(cell, "row");
                m_driver.settle();
                return;
            }
        }
    }
    const int row = static_cast<int>(random.below(static_cast<size_t>(list->numberOfRows(0))));
    m_hands.note("row 0/" + std::to_string(row) + " of the picker's list");
    m_driver.tapRow(*list, {0, row});
    m_driver.settle();
}
