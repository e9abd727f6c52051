#include "DayTurnRaces.h"

#include <cstdlib>

#include "ExerciseRandom.h"
#include "QuoteScreenRules.h"
#include "chart/ChartStateRecords.h"
#include "chart/HQMarketChartManager.h"
#include "chart/HQRefreshControl.h"
#include "chart/VariableAboutDevice.h"
#include "market/VKJYCommodityTableView.h"
#include "market/VKJYMarketChartController.h"
#include "platform/foundation/Timer.h"
#include "platform/ui/Button.h"
#include "platform/ui/ScreenDriver.h"
#include "platform/ui/TableView.h"
#include "quote/QuoteRecords.h"
#include "support/SimProcess.h"

namespace {
// Each turn moves the exchange's clock by about a day, which keeps it busy for a second or two.
constexpr int kWeight = 2;
// The chart refreshes every 5 s; a pick or a tap sends at once. Slow lines only make it later.
constexpr double kHeldWithin = 30;
// A big move of the clock keeps the exchange busy for a while; the chart settles after it.
constexpr double kSettled = 60;
// Past the client's 10 s time-out of a chart request.
constexpr double kPastTheTimeOut = 12;
// The K-line periods' buttons: the one before them is "分时".
constexpr int kFirstKLineTag = HQMarketChartManager::kFenShiButtonTag + 1;
constexpr int kLastKLineTag = HQMarketChartManager::kFenShiButtonTag + 20;
constexpr int kLogin = 2;
constexpr int kKLine = 30;
constexpr int kFenShi = 32;
constexpr int kManyDayKLine = 33;
constexpr int kManyDayFenShi = 34;
constexpr int kServerTime = 35;
}  // namespace

DayTurnRaces::DayTurnRaces(ScreenDriver& driver, SimProcess& exchange, Hooks hooks)
    : m_driver(driver), m_exchange(exchange), m_hooks(std::move(hooks)) {}

int DayTurnRaces::weight() const {
    const VKJYMarketChartController* screen = m_hooks.quoteScreen();
    return screen && screen->chartManager() && !m_hooks.alertUp() ? kWeight : 0;
}

void DayTurnRaces::act(ExerciseRandom& random) {
    toTheEve();
    VKJYMarketChartController* screen = m_hooks.quoteScreen();
    HQMarketChartManager* chart = screen ? screen->chartManager() : nullptr;
    if (!chart || !screen->SelectedCommodityInfo()) {
        return m_hooks.journal("day turn: the quote screen went");
    }
    const int server = screen->SelectedCommodityInfo()->panindex;
    const bool kLine = chart->variableAboutDevice()->typeOfHQ() != 0;
    switch (random.below(5)) {
        case 0:
            return duringARenewal(server, kLine, random.chance(0.5));
        case 1:
            return duringAFailure(server, kLine, random);
        case 2:
            return duringAPick(server, random);
        case 3:
            return duringAPeriodChange(server, random);
        default:
            return duringASessionLoss(server, kLine);
    }
}

// The next refresh is answered 2003; the day turns while the renewal logs in again, and the
// renewal itself may be refused too (a second failure).
void DayTurnRaces::duringARenewal(int server, bool kLine, bool refused) {
    m_hooks.journal(std::string("day turn during a renewal: the next refresh is answered 2003") +
                    (refused ? ", and so is the renewal" : ""));
    const auto lost = [this, server](int protocol) {
        post("/control/quote/lost?server=" + std::to_string(server) +
             "&protocol=" + std::to_string(protocol));
    };
    turnWhileHeld(
        server, {kLogin}, [&] { lost(kLine ? kKLine : kServerTime); },
        [&] {
            if (refused) {
                lost(kServerTime);
            }
        });
}

// The refresh waits while the day turns, then fails: spoiled, refused 2003, or answered after
// the client gave up on it.
void DayTurnRaces::duringAFailure(int server, bool kLine, ExerciseRandom& random) {
    const int protocol = kLine ? kKLine : kFenShi;
    const char* kFaults[] = {"short-head", "lost", "late"};
    const std::string fault = kFaults[random.below(3)];
    m_hooks.journal("day turn during a failing refresh (" + fault + ")");
    const std::string query =
        "?server=" + std::to_string(server) + "&protocol=" + std::to_string(protocol);
    turnWhileHeld(
        server, {protocol}, [] {},
        [&] {
            if (fault == "late") {
                m_driver.runFor(kPastTheTimeOut);
            } else if (fault == "lost") {
                post("/control/quote/lost" + query);
            } else {
                post("/control/quote/malform" + query + "&kind=" + fault);
            }
        });
}

void DayTurnRaces::duringAPick(int server, ExerciseRandom& random) {
    turnWhileHeld(
        server, {kKLine, kFenShi, kManyDayKLine, kManyDayFenShi},
        [&] {
            VKJYMarketChartController* screen = m_hooks.quoteScreen();
            HQMarketChartManager* chart = screen ? screen->chartManager() : nullptr;
            Button* title = !chart                        ? nullptr
                            : chart->stateOfScreen() != 0 ? chart->commodityTitleButton()
                                                          : screen->commodityNameButton();
            if (!title || !m_driver.isVisible(title)) {
                return m_hooks.journal("day turn during a pick: no title to tap");
            }
            m_driver.tap(title);
            TableView* list = screen->commodityListTableView()
                                  ? screen->commodityListTableView()->ComTableView()
                                  : nullptr;
            const int rows = list && list->numberOfSections() > 0 ? list->numberOfRows(0) : 0;
            if (rows <= 0) {
                return m_hooks.journal("day turn during a pick: no list");
            }
            const int row = static_cast<int>(random.below(size_t(rows)));
            m_hooks.journal("day turn during a pick: row 0/" + std::to_string(row));
            m_driver.tapRow(*list, {0, row});
        },
        [] {});
}

void DayTurnRaces::duringAPeriodChange(int server, ExerciseRandom& random) {
    std::vector<Button*> periods;
    VKJYMarketChartController* screen = m_hooks.quoteScreen();
    for (Button* button : m_driver.viewsOfClass<Button>()) {
        if (button->tag() >= kFirstKLineTag && button->tag() <= kLastKLineTag &&
            !button->isSelected() && button->isDescendantOf(screen->chartManager()) &&
            m_driver.isVisible(button)) {
            periods.push_back(button);
        }
    }
    if (periods.empty()) {
        return m_hooks.journal("day turn during a period change: no period to tap");
    }
    Button* period = periods[random.below(periods.size())];
    m_hooks.journal("day turn during a period change: period tap " +
                    std::to_string(period->tag() - kFirstKLineTag + 1));
    turnWhileHeld(
        server, {kKLine, kManyDayKLine}, [&] { m_driver.tap(period); }, [] {});
}

// The exchange forgets its sessions while the day turns under a refresh.
void DayTurnRaces::duringASessionLoss(int server, bool kLine) {
    m_hooks.journal("day turn during a session loss");
    turnWhileHeld(
        server, {kLine ? kKLine : kFenShi}, [] {},
        [&] { post("/control/quote/expire?server=" + std::to_string(server)); });
}

void DayTurnRaces::turnWhileHeld(int server, const std::vector<int>& protocols,
                                 const std::function<void()>& start,
                                 const std::function<void()>& turned) {
    const auto query = [server](int protocol) {
        return "?server=" + std::to_string(server) + "&protocol=" + std::to_string(protocol);
    };
    for (int protocol : protocols) {
        post("/control/quote/hold" + query(protocol));
    }
    start();
    int held = 0;
    // A chart that sends nothing (scrolled away from its newest bars) holds nothing.
    m_driver.runFor(kHeldWithin, [&] {
        for (int protocol : protocols) {
            held = std::atoi(m_exchange.get("/control/quote/held" + query(protocol)).body.c_str())
                       ? protocol
                       : held;
        }
        return held != 0;
    });
    m_hooks.journal(held ? "a request of protocol " + std::to_string(held) + " waits"
                         : "no request came to wait");
    overMidnight();
    turned();
    for (int protocol : protocols) {
        post("/control/quote/release" + query(protocol));
    }
}

// To 23:59 at the exchange, and the chart settled after the move.
void DayTurnRaces::toTheEve() {
    int64_t step =
        QuoteScreenRules::untilMidnight(m_exchange.nowMs()) - QuoteScreenRules::kMinuteMs;
    step += step < 0 ? QuoteScreenRules::kDayMs : 0;
    m_hooks.journal("the exchange's clock moves " + std::to_string(step) + " ms, to 23:59");
    m_exchange.advance(step);
    m_driver.runUntil(
        [this] {
            VKJYMarketChartController* screen = m_hooks.quoteScreen();
            HQMarketChartManager* chart = screen ? screen->chartManager() : nullptr;
            if (!chart || chart->variableAboutDevice()->typeOfHQ() == 0) {
                return !chart || QuoteScreenRules::running(chart->FenShiRefresh());
            }
            // A K-line chart scrolled away from its newest bars does not refresh.
            const auto period = chart->searchPeriodStatusInfo();
            return QuoteScreenRules::running(chart->KLineRefresh()) ||
                   (period && period->offset != 0);
        },
        kSettled);
}

void DayTurnRaces::overMidnight() {
    const int64_t step =
        QuoteScreenRules::untilMidnight(m_exchange.nowMs()) + QuoteScreenRules::kMinuteMs;
    m_hooks.journal("the exchange's clock moves " + std::to_string(step) +
                    " ms, over its midnight");
    m_exchange.advance(step);
}

void DayTurnRaces::post(const std::string& path) {
    const auto reply = m_exchange.post(path);
    if (reply.status != 200) {
        m_hooks.journal("the exchange: " + reply.body);
    }
}
