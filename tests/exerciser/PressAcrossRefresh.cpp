#include "PressAcrossRefresh.h"

#include "ExerciseRandom.h"
#include "chart/HQMarketChartManager.h"
#include "market/VKJYMarketChartController.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/Timer.h"
#include "platform/foundation/WeakLink.h"
#include "platform/ui/Control.h"
#include "platform/ui/Screen.h"
#include "platform/ui/ScreenDriver.h"
#include "platform/ui/TableView.h"
#include "platform/ui/Window.h"
#include "trade/core/PXTradeData.h"
#include "trade/core/PXTradeModule.h"

namespace {
constexpr double kShortestPress = 0.08;
constexpr double kLongestPress = 0.2;
// A control takes a lift this far outside its bounds as inside.
constexpr double kLiftMargin = 70;

void hold(double seconds) {
    RunLoop::runFor(seconds);
}

bool inAList(const View* view) {
    for (const View* v = view->superview(); v; v = v->superview()) {
        if (dynamic_cast<const TableView*>(v)) {
            return true;
        }
    }
    return false;
}
}  // namespace

PressAcrossRefresh::PressAcrossRefresh(Hands hands) : m(std::move(hands)) {}

std::vector<Control*> PressAcrossRefresh::buttons(bool inLists) const {
    std::vector<Control*> found;
    for (Control* control : m.driver.viewsOfClass<Control>()) {
        if (control->isEnabled() && inAList(control) == inLists && m.driver.reaches(control)) {
            found.push_back(control);
        }
    }
    return found;
}

int PressAcrossRefresh::weight() const {
    if (m.driver.visibleViewsOfClass<TableView>().empty()) {
        return 0;
    }
    return buttons(true).empty() && buttons(false).empty() ? 0 : 12;
}

void PressAcrossRefresh::act(ExerciseRandom& random) {
    std::vector<Control*> offered = buttons(true);
    if (offered.empty() || random.chance(0.3)) {
        offered = buttons(false);
    }
    if (offered.empty() || !m.driver.window()) {
        return;
    }
    Control* pressed = offered[random.below(offered.size())];
    const double seconds = random.between(kShortestPress, kLongestPress);
    const double refreshAt = random.between(0, seconds);
    press(pressed, seconds, refreshAt);
}

void PressAcrossRefresh::press(Control* pressed, double seconds, double refreshAt) {
    Window* window = m.driver.window();
    if (!window) {
        return;
    }
    const Point at = m.driver.visibleRect(pressed).center();
    m.note("press '" + ScreenDriver::textOf(pressed) + "' " +
           std::to_string(static_cast<int>(seconds * 1000)) + " ms at (" +
           std::to_string(static_cast<int>(at.x)) + "," + std::to_string(static_cast<int>(at.y)) +
           "), a refresh after " + std::to_string(static_cast<int>(refreshAt * 1000)) + " ms");
    m.beforeActing(window->hitTest(at));
    const WeakLink<Control> alive(pressed);
    const uint64_t session = PXTradeModule::shared().PXJYData().sessions().epoch();
    const commodityInfo* commodity = commodityOnShow();
    const double down = m.driver.nextTime();
    m.screen.sendTouches({{1, TouchPhase::Began, at}}, down);
    const bool tracking = pressed->isTracking();
    hold(refreshAt);
    if (PXTradeModule::shared().tradeLogin()) {
        PXTradeModule::shared().post("JYRefreshTimer");
    }
    hold(seconds - refreshAt);
    // A session that ends meanwhile takes its panels with it, the button under the finger too.
    const bool sessionEnded = PXTradeModule::shared().PXJYData().sessions().epoch() != session;
    // So does a commodity picked before the press and taken during it: the quote screen's side
    // panel is built again for that commodity's mode, its trade panel closes.
    const commodityInfo* now = commodityOnShow();
    const bool commodityTurned = commodity && now && now != commodity;
    const std::string why =
        tracking && !sessionEnded && !commodityTurned ? lost(alive.get(), window, at) : "";
    m.screen.sendTouches({{1, TouchPhase::Ended, at}}, m.driver.nextTime(seconds));
    if (!why.empty()) {
        m.violation("a press across a refresh was lost: " + why);
    }
}

const commodityInfo* PressAcrossRefresh::commodityOnShow() const {
    VKJYMarketChartController* quote = m.quoteScreen();
    HQMarketChartManager* chart = quote ? quote->chartManager() : nullptr;
    return chart ? chart->selectedCommodityInfo().get() : nullptr;
}

std::string PressAcrossRefresh::lost(Control* pressed, const Window* window, Point at) const {
    if (!pressed) {
        return "the button under the finger was taken away";
    }
    if (!pressed->isEnabled() || !m.driver.isVisible(pressed)) {
        return {};
    }
    if (!pressed->isTracking()) {
        return "the button no longer tracks the finger";
    }
    // Where the button itself takes a lifting finger as inside.
    const Rect reach = pressed->bounds().insetBy(-kLiftMargin, -kLiftMargin);
    if (!pressed->isDescendantOf(window) || !reach.contains(pressed->convertPointFromWindow(at))) {
        return "the button left the finger";
    }
    return {};
}
