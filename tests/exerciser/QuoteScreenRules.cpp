#include "QuoteScreenRules.h"

#include <cxxabi.h>

#include <cmath>
#include <cstdlib>
#include <typeinfo>

#include "ExerciseJournal.h"
#include "ExerciseRandom.h"
#include "chart/ChartStateRecords.h"
#include "chart/HQDrawManager.h"
#include "chart/HQMarketChartManager.h"
#include "chart/HQMarketWMManager.h"
#include "chart/HQRefreshControl.h"
#include "chart/IndicatorCrossClass.h"
#include "chart/VariableAboutDevice.h"
#include "market/VKJYCommodityTableView.h"
#include "market/VKJYMarketChartController.h"
#include "market/VKJYMarketUIViewController.h"
#include "platform/foundation/Timer.h"
#include "platform/foundation/WeakLink.h"
#include "platform/ui/ActivityIndicator.h"
#include "platform/ui/Button.h"
#include "platform/ui/ScreenDriver.h"
#include "platform/ui/TableView.h"
#include "platform/ui/Window.h"
#include "quote/QuoteRecords.h"
#include "support/SimProcess.h"

namespace {
// A pick or a reply takes its second to reach every part of the screen; the live quote comes
// every second.
constexpr double kSettling = 6;
// The longest a chart may rest without its timer: a history file on its way, a refresh interval.
constexpr double kRestWithoutTimer = 12;
constexpr int kFirstPeriodTag = 10000;
constexpr int kLastPeriodTag = 10000 + 20;
// The simulated exchange keeps UTC+8.
constexpr int64_t kExchangeOffsetMs = 8 * 3600 * 1000;
constexpr double kEdge = 0.5;
// The chart asks again every 5 s; its answer comes within a second more.
constexpr double kChartRefresh = 7;
constexpr int kKLineProtocol = 30;
constexpr int kServerTimeProtocol = 35;

std::string typeName(const void* object, const std::type_info& type) {
    int status = 0;
    char* readable = abi::__cxa_demangle(type.name(), nullptr, nullptr, &status);
    std::string name = status == 0 && readable ? readable : type.name();
    std::free(readable);
    return object ? name : "nothing";
}

std::string rectText(const Rect& r) {
    return "(" + std::to_string(static_cast<int>(r.x)) + "," +
           std::to_string(static_cast<int>(r.y)) + " " + std::to_string(static_cast<int>(r.width)) +
           "x" + std::to_string(static_cast<int>(r.height)) + ")";
}

std::string pointText(Point p) {
    return "(" + std::to_string(p.x) + "," + std::to_string(p.y) + ")";
}

bool inside(const Rect& r, const Rect& area) {
    return r.minX() >= area.minX() - kEdge && r.maxX() <= area.maxX() + kEdge &&
           r.minY() >= area.minY() - kEdge && r.maxY() <= area.maxY() + kEdge;
}

bool shown(const View* view) {
    for (const View* v = view; v; v = v->superview()) {
        if (v->isHidden() || v->alpha() < 0.01) {
            return false;
        }
    }
    return true;
}

}  // namespace

int64_t QuoteScreenRules::untilMidnight(int64_t exchangeNowMs) {
    const int64_t local = exchangeNowMs + kExchangeOffsetMs;
    return kDayMs - ((local % kDayMs) + kDayMs) % kDayMs;
}

bool QuoteScreenRules::running(const HQRefreshControl* control) {
    return control && control->timer() && control->timer()->isValid();
}

QuoteScreenRules::QuoteScreenRules(ScreenDriver& driver, SimProcess& exchange,
                                   ExerciseRandom& random, ExerciseJournal& journal, Hooks hooks)
    : m_driver(driver),
      m_exchange(exchange),
      m_random(random),
      m_journal(journal),
      m_hooks(std::move(hooks)) {}

int QuoteScreenRules::weight() const {
    if (m_hooks.alertUp()) {
        return 0;
    }
    if (m_hooks.quoteScreen()) {
        return 25;
    }
    return m_hooks.marketList() ? 8 : 0;
}

void QuoteScreenRules::act() {
    VKJYMarketChartController* screen = m_hooks.quoteScreen();
    if (!screen || !screen->chartManager()) {
        return openAQuoteScreen();
    }
    switch (m_random.weighted({6, 5, 6, 2, 1, 2, 4})) {
        case 0:
            return turn(*screen);
        case 1:
            return quickPicks(*screen);
        case 2:
            return periodTaps(*screen);
        case 3:
            return failAChartRequest(*screen);
        case 4:
            return clockOverMidnight();
        case 5:
            return refuseTheRenewal(*screen);
        default:
            return crossHairThenALeap(*screen);
    }
}

void QuoteScreenRules::openAQuoteScreen() {
    VKJYMarketUIViewController* list = m_hooks.marketList();
    TableView* table = list ? list->CommodityInfoListTableView() : nullptr;
    if (!table || table->numberOfSections() <= 0) {
        return m_journal.add("quote screen: no market list to open one from");
    }
    const int section = static_cast<int>(m_random.below(size_t(table->numberOfSections())));
    const int rows = table->numberOfRows(section);
    if (rows <= 0) {
        return m_journal.add("quote screen: section " + std::to_string(section) + " is empty");
    }
    const int row = static_cast<int>(m_random.below(size_t(rows)));
    m_journal.add("open the quote screen of row " + std::to_string(section) + "/" +
                  std::to_string(row));
    m_driver.tapRow(*table, {section, row});
}

bool QuoteScreenRules::tap(View* view, const std::string& what) {
    if (!view || !m_driver.isVisible(view)) {
        m_journal.add(what + ": nothing to tap");
        return false;
    }
    m_journal.add(what);
    return m_driver.tap(view);
}

void QuoteScreenRules::turn(VKJYMarketChartController& screen) {
    HQMarketChartManager* chart = screen.chartManager();
    if (chart->stateOfScreen() == 0) {
        tap(screen.zhuanpingButton(), "turn wide");
    } else {
        tap(chart->commodityBackButton(), "turn back");
    }
}

// Two or three picks from the title's list, each right after the other.
void QuoteScreenRules::quickPicks(VKJYMarketChartController& first) {
    const int picks = 2 + static_cast<int>(m_random.below(2));
    for (int i = 0; i < picks; ++i) {
        VKJYMarketChartController* screen = i == 0 ? &first : m_hooks.quoteScreen();
        HQMarketChartManager* chart = screen ? screen->chartManager() : nullptr;
        if (!chart) {
            return;
        }
        Button* title = chart->stateOfScreen() != 0 ? chart->commodityTitleButton()
                                                    : screen->commodityNameButton();
        if (!tap(title, "quick pick: the title")) {
            return;
        }
        TableView* list = screen->commodityListTableView()
                              ? screen->commodityListTableView()->ComTableView()
                              : nullptr;
        if (!list || list->numberOfSections() <= 0) {
            return m_journal.add("quick pick: no list");
        }
        const int section = static_cast<int>(m_random.below(size_t(list->numberOfSections())));
        const int rows = list->numberOfRows(section);
        if (rows <= 0) {
            return m_journal.add("quick pick: section " + std::to_string(section) + " is empty");
        }
        const int row = static_cast<int>(m_random.below(size_t(rows)));
        m_journal.add("quick pick: row " + std::to_string(section) + "/" + std::to_string(row));
        m_driver.tapRow(*list, {section, row});
    }
}

// Two or three period buttons, each right after the other.
void QuoteScreenRules::periodTaps(VKJYMarketChartController& screen) {
    HQMarketChartManager* chart = screen.chartManager();
    std::vector<Button*> buttons;
    for (Button* button : m_driver.viewsOfClass<Button>()) {
        if (button->tag() >= kFirstPeriodTag && button->tag() <= kLastPeriodTag &&
            button->isDescendantOf(chart) && m_driver.isVisible(button)) {
            buttons.push_back(button);
        }
    }
    if (buttons.empty()) {
        return m_journal.add("period taps: no period bar");
    }
    const int taps = 2 + static_cast<int>(m_random.below(2));
    std::vector<int> tags;
    for (int i = 0; i < taps; ++i) {
        tags.push_back(buttons[m_random.below(buttons.size())]->tag());
    }
    for (int tag : tags) {
        for (Button* button : m_driver.viewsOfClass<Button>()) {
            if (button->tag() == tag && m_hooks.quoteScreen() &&
                button->isDescendantOf(m_hooks.quoteScreen()->chartManager()) &&
                m_driver.isVisible(button)) {
                tap(button, "period tap " + std::to_string(tag - kFirstPeriodTag));
                break;
            }
        }
    }
}

// The next chart reply of one kind comes spoiled from the commodity's quote server.
void QuoteScreenRules::failAChartRequest(VKJYMarketChartController& screen) {
    static const int kProtocols[] = {30, 32, 33, 34};  // Kline, fenshi, manydaykxian, manydayfenshi
    static const char* kKinds[] = {"short-head", "cut-body", "extra-byte"};
    const int protocol = kProtocols[m_random.below(4)];
    const char* kind = kKinds[m_random.below(3)];
    const int server =
        screen.SelectedCommodityInfo() ? screen.SelectedCommodityInfo()->panindex : 0;
    m_journal.add("fault: the next chart reply of protocol " + std::to_string(protocol) +
                  " from quote server " + std::to_string(server) + " is spoiled (" + kind + ")");
    const auto reply = m_exchange.post("/control/quote/malform?server=" + std::to_string(server) +
                                       "&protocol=" + std::to_string(protocol) + "&kind=" + kind);
    if (reply.status != 200) {
        m_journal.add("the exchange: " + reply.body);
    }
}

// The chart's next refresh is answered 2003, and so is the server-time step of the session
// renewal that follows; the series go with the lost session.
void QuoteScreenRules::refuseTheRenewal(VKJYMarketChartController& screen) {
    HQMarketChartManager& chart = *screen.chartManager();
    const bool kLine = chart.variableAboutDevice()->typeOfHQ() != 0;
    const int server =
        screen.SelectedCommodityInfo() ? screen.SelectedCommodityInfo()->panindex : 0;
    m_journal.add("fault: the next " + std::string(kLine ? "K-line" : "time-sharing") +
                  " refresh of quote server " + std::to_string(server) +
                  " and its session renewal are answered 2003");
    for (int protocol : {kLine ? kKLineProtocol : kServerTimeProtocol, kServerTimeProtocol}) {
        m_exchange.post("/control/quote/lost?server=" + std::to_string(server) +
                        "&protocol=" + std::to_string(protocol));
    }
    // A chart that does not refresh (scrolled away from its newest bars) never meets them.
    m_driver.runFor(kChartRefresh, [&] {
        VKJYMarketChartController* shown = m_hooks.quoteScreen();
        return !shown || !shown->chartManager() || !shown->chartManager()->KLinePeriodNotEmpty();
    });
}

// A tap shows the cross-hair; the price then leaps, and the next refresh redraws the line on
// its new scale.
void QuoteScreenRules::crossHairThenALeap(VKJYMarketChartController& screen) {
    HQMarketChartManager& chart = *screen.chartManager();
    HQDrawManager* draw = chart.variableAboutDevice()->typeOfHQ() == 0
                              ? chart.drawViewManagerFenShi()
                              : chart.drawViewManagerKLine();
    const auto& chosen = screen.SelectedCommodityInfo();
    if (!draw || !m_driver.isVisible(draw) || !chosen) {
        return m_journal.add("cross-hair: no chart on show");
    }
    const Rect area = m_driver.visibleRect(draw);
    const Point at{area.x + area.width * m_random.between(0.1, 0.9),
                   area.y + area.height * m_random.between(0.2, 0.6)};
    const int delta = (m_random.chance(0.7) ? 1 : -1) * static_cast<int>(100 + m_random.below(400));
    m_journal.add("cross-hair at (" + std::to_string(int(at.x)) + "," + std::to_string(int(at.y)) +
                  "), then the price of " + chosen->CommodityCode + " leaps " +
                  std::to_string(delta));
    m_driver.tapAt(at);
    m_driver.settle();
    const WeakLink<HQDrawManager> line = draw;
    // The newest point of the line, and how many there are.
    const auto drawn = [line]() -> std::pair<size_t, double> {
        const HQDrawManager* d = line.get();
        if (d && !d->coordinateKLineData().empty()) {
            return {d->coordinateKLineData().size(), d->coordinateKLineData().back()->closePiont.y};
        }
        if (d && !d->fenShiData().empty() && d->fenShiData().back()->fenshiPoint) {
            return {d->fenShiData().size(), d->fenShiData().back()->fenshiPoint->y};
        }
        return {0, 0};
    };
    const auto before = drawn();
    for (const auto& lines : m_exchange.tradeLines()) {
        m_exchange.post("/control/trade/price?jys=" + lines.exchange + "&env=" + lines.environment +
                        "&commodity=" + chosen->CommodityCode + "&delta=" + std::to_string(delta));
    }
    m_driver.runFor(kChartRefresh, [&] { return drawn() != before; });
}

// To two minutes before the exchange's midnight, or from there over it.
void QuoteScreenRules::clockOverMidnight() {
    const int64_t toMidnight = untilMidnight(m_exchange.nowMs());
    const int64_t step = toMidnight > 3 * kMinuteMs
                             ? toMidnight - 2 * kMinuteMs
                             : toMidnight + kMinuteMs * (1 + int64_t(m_random.below(3)));
    m_journal.add("the exchange's clock moves " + std::to_string(step) + " ms" +
                  (step > toMidnight ? ", over its midnight" : ", to 23:58"));
    m_exchange.advance(step);
}

void QuoteScreenRules::check() {
    if (m_hooks.alertUp() || !m_hooks.quoteScreen() || !m_hooks.quoteScreen()->chartManager()) {
        return;
    }
    // Each look finds the screen again: a reply may take it away meanwhile.
    std::string why;
    const auto agrees = [&] {
        VKJYMarketChartController* screen = m_hooks.quoteScreen();
        why = screen && screen->chartManager() ? commodityDisagreement(*screen) : "";
        return why.empty();
    };
    if (!m_driver.runUntil(agrees, kSettling)) {
        return m_hooks.violation("the quote screen names more than one commodity: " + why);
    }
    VKJYMarketChartController* screen = m_hooks.quoteScreen();
    if (!screen || !screen->chartManager()) {
        return;
    }
    if (const std::string outside = viewOutside(*screen->chartManager()); !outside.empty()) {
        return m_hooks.violation(outside);
    }
    std::string off;
    const auto onTheLine = [&] {
        VKJYMarketChartController* s = m_hooks.quoteScreen();
        off = s && s->chartManager() ? crossHairOff(*s->chartManager()) : "";
        return off.empty();
    };
    if (!m_driver.runUntil(onTheLine, kSettling)) {
        return m_hooks.violation(off);
    }
    const auto stalled = [&] {
        VKJYMarketChartController* s = m_hooks.quoteScreen();
        HQMarketChartManager* chart = s ? s->chartManager() : nullptr;
        return chart && s->isAppeared() && !m_hooks.alertUp() && chart->roadStepsOut() == 0 &&
               (atRest(*chart) || (!chart->KLinePeriodNotEmpty() && !requesting(*chart))) &&
               !refreshing(*chart);
    };
    if (stalled() && !m_driver.runUntil([&] { return !stalled(); }, kRestWithoutTimer)) {
        HQMarketChartManager* chart = m_hooks.quoteScreen()->chartManager();
        m_hooks.violation(
            std::string("the ") +
            (chart->variableAboutDevice()->typeOfHQ() == 0 ? "time-sharing" : "K-line") +
            " chart rests without its refresh timer" +
            (chart->KLinePeriodNotEmpty() ? "" : ", its series gone"));
    }
}

std::string QuoteScreenRules::commodityDisagreement(VKJYMarketChartController& screen) const {
    const auto& chosen = screen.SelectedCommodityInfo();
    HQMarketChartManager& chart = *screen.chartManager();
    if (!chosen) {
        return {};
    }
    const int16_t id = chosen->CommodityID;
    const std::string name = chosen->CommodityName + " (" + std::to_string(id) + ")";
    const bool wide = chart.stateOfScreen() != 0;
    Button* title = wide ? chart.commodityTitleButton() : screen.commodityNameButton();
    if (title && title->currentTitle() != chosen->CommodityName) {
        return "the title shows '" + title->currentTitle() + "', the screen holds " + name;
    }
    if (!chart.selectedCommodityInfo() || chart.selectedCommodityInfo()->CommodityID != id) {
        return "the chart's commodity is " +
               (chart.selectedCommodityInfo()
                    ? std::to_string(chart.selectedCommodityInfo()->CommodityID)
                    : std::string("none")) +
               ", the title's " + name;
    }
    if (chart.yikoujia() && chart.yikoujia()->commodityNum != id) {
        return "the live quote is of " + std::to_string(chart.yikoujia()->commodityNum) +
               ", the title's " + name;
    }
    const uint32_t kind = chart.variableAboutDevice()->typeOfHQ();
    HQDrawManager* fenShi = chart.drawViewManagerFenShi();
    if (kind == 0 && fenShi && m_driver.isVisible(fenShi) &&
        !fenShi->FenShiDataItemArray().empty() &&
        static_cast<int16_t>(fenShi->FenShiDataItemArray().back()->commodityTag) != id) {
        return "the time-sharing chart draws " +
               std::to_string(fenShi->FenShiDataItemArray().back()->commodityTag) +
               ", the title's " + name;
    }
    HQDrawManager* kLine = chart.drawViewManagerKLine();
    const auto* series =
        kLine ? std::get_if<HQDrawManager::KLineReplies>(&kLine->drawData()) : nullptr;
    if (kind == 1 && m_driver.isVisible(kLine) && series && !series->empty() && series->front() &&
        series->front()->commodityNum != id) {
        return "the K-line chart draws " + std::to_string(series->front()->commodityNum) +
               ", the title's " + name;
    }
    HQMarketWMManager* panel = chart.WMManager();
    const auto& traded = panel ? panel->content().yiKouJia() : nullptr;
    // A panel no live quote has fed yet (number 0, every figure "--") names no commodity while
    // the screen has none either (a quote line down, say).
    const bool unfed = traded && traded->commodityNum == 0 && !chart.yikoujia();
    if (panel && m_driver.isVisible(panel) && traded && traded->commodityNum != id && !unfed) {
        return "the side panel is fed " + std::to_string(traded->commodityNum) + ", the title's " +
               name;
    }
    return {};
}

// A view shown under the chart (not clipped away inside it, partly on the window) that reaches
// past the chart or the window; empty when none.
std::string QuoteScreenRules::viewOutside(HQMarketChartManager& chart) const {
    Window* window = chart.window();
    if (!window || !shown(&chart)) {
        return {};
    }
    const Rect area = chart.convertRect(chart.bounds(), nullptr);
    const Rect whole = window->bounds();
    for (View* view : m_driver.allViews()) {
        if (view == &chart || !view->isDescendantOf(&chart) || !shown(view)) {
            continue;
        }
        Rect seen = view->convertRect(view->bounds(), nullptr);
        for (View* up = view->superview(); up && up != &chart; up = up->superview()) {
            if (up->clipsToBounds()) {
                seen = seen.intersected(up->convertRect(up->bounds(), nullptr));
            }
        }
        // A view wholly off the window (the chart kind not on show, parked beside it) is not seen.
        if (!seen.intersects(whole) || (inside(seen, area) && inside(seen, whole))) {
            continue;
        }
        return typeName(view, typeid(*view)) + " tag " + std::to_string(view->tag()) + " at " +
               rectText(seen) + " lies outside " +
               (inside(seen, area) ? "the window " + rectText(whole)
                                   : "the chart " + rectText(area)) +
               (chart.stateOfScreen() != 0 ? " (wide)" : " (normal)");
    }
    return {};
}

// A cross-hair on show away from the point of the line it stands for; empty when none.
std::string QuoteScreenRules::crossHairOff(HQMarketChartManager& chart) const {
    for (HQDrawManager* draw : {chart.drawViewManagerFenShi(), chart.drawViewManagerKLine()}) {
        const auto& cross = draw && m_driver.isVisible(draw) && draw->showIndicatorCross()
                                ? draw->variableInfo()->indicatorCrossData()
                                : nullptr;
        if (!cross) {
            continue;
        }
        const bool fenShi = draw == chart.drawViewManagerFenShi();
        const int index = draw->indicatorCrossPointNum();
        const size_t points =
            fenShi ? draw->fenShiData().size() : draw->coordinateKLineData().size();
        const Point shown = cross->IndicatorCrossPoint;
        const std::string what = std::string("the ") + (fenShi ? "time-sharing" : "K-line") +
                                 " cross-hair at " + pointText(shown) + " stands for point " +
                                 std::to_string(index);
        if (index < 0 || static_cast<size_t>(index) >= points) {
            return what + " of " + std::to_string(points);
        }
        Point point;
        if (fenShi && draw->fenShiData()[size_t(index)]->fenshiPoint) {
            const auto& minute = *draw->fenShiData()[size_t(index)]->fenshiPoint;
            point = {minute.x, minute.y};
        } else if (!fenShi) {
            const auto& bar = *draw->coordinateKLineData()[size_t(index)];
            point = {bar.highestPiont.x, bar.closePiont.y};
        }
        if (std::fabs(point.x - shown.x) > kEdge || std::fabs(point.y - shown.y) > kEdge) {
            return what + ", which lies at " + pointText(point);
        }
    }
    return {};
}

bool QuoteScreenRules::atRest(HQMarketChartManager& chart) const {
    const auto item = chart.searchCommodotyStatusItem();
    if (!chart.KLinePeriodNotEmpty() || !item) {
        return false;
    }
    if (chart.variableAboutDevice()->typeOfHQ() == 0) {
        return !item->FenShiRequesting;
    }
    const auto period = chart.searchPeriodStatusInfo();
    return period && !period->KLineRequesting && period->offset == 0;
}

bool QuoteScreenRules::requesting(HQMarketChartManager& chart) const {
    if (chart.variableAboutDevice()->typeOfHQ() == 0) {
        const auto item = chart.searchCommodotyStatusItem();
        return item && item->FenShiRequesting;
    }
    const auto period = chart.searchPeriodStatusInfo();
    return period && period->KLineRequesting;
}

bool QuoteScreenRules::refreshing(HQMarketChartManager& chart) const {
    return chart.variableAboutDevice()->typeOfHQ() == 0 ? running(chart.FenShiRefresh())
                                                        : running(chart.KLineRefresh());
}
