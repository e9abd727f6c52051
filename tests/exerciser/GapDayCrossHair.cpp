#include "GapDayCrossHair.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "ExerciseRandom.h"
#include "chart/ChartDrawingRecords.h"
#include "chart/ChartLayoutRecords.h"
#include "chart/ChartStateRecords.h"
#include "chart/HQDrawManager.h"
#include "chart/HQMarketChartManager.h"
#include "chart/IndicatorCrossClass.h"
#include "chart/VariableAboutDevice.h"
#include "market/VKJYMarketChartController.h"
#include "market/VKJYMarketUIViewController.h"
#include "platform/ui/ScreenDriver.h"
#include "platform/ui/TableView.h"
#include "quote/QuoteRecords.h"

namespace {
// The simulated exchange's commodity that rests from 11:30 to 13:30.
constexpr const char* kResting = "红木";
constexpr double kMinutesOfDay = 1440;
// Two records further apart than this many minutes leave a gap between them.
constexpr double kGapMinutes = 1.5;
// A pick or a chart request takes its time on a busy line.
constexpr double kChartDrawn = 15;
constexpr double kScreenShown = 5;

bool isResting(VKJYMarketChartController& screen) {
    const auto& chosen = screen.SelectedCommodityInfo();
    return chosen && chosen->CommodityName == kResting;
}

double minuteWidth(const HQDrawManager& chart) {
    return chart.variableInfo()->drawRectOfMain()->width / kMinutesOfDay;
}

std::vector<double> pointXs(const HQDrawManager& chart) {
    std::vector<double> xs;
    for (const auto& item : chart.fenShiData()) {
        xs.push_back(item->fenshiPoint ? item->fenshiPoint->x
                                       : std::numeric_limits<double>::quiet_NaN());
    }
    return xs;
}

// The record after the day's widest gap; 0 when the records follow one another.
size_t widestGap(const HQDrawManager& chart) {
    const std::vector<double> xs = pointXs(chart);
    size_t widest = 0;
    for (size_t i = 1; i < xs.size(); ++i) {
        if (widest == 0 || xs[i] - xs[i - 1] > xs[widest] - xs[widest - 1]) {
            widest = i;
        }
    }
    const bool gap = widest > 0 && xs[widest] - xs[widest - 1] > kGapMinutes * minuteWidth(chart);
    return gap ? widest : 0;
}

// The records begin at the left edge, where the chart puts the start of trading.
bool fromTheStart(const HQDrawManager& chart) {
    const auto& first = chart.fenShiData().front()->fenshiPoint;
    return first && first->x - chart.variableInfo()->drawRectOfMain()->x < minuteWidth(chart);
}

std::string clockText(int minuteOfDay) {
    const int wrapped = ((minuteOfDay % 1440) + 1440) % 1440;
    char text[8];
    std::snprintf(text, sizeof text, "%02d:%02d", wrapped / 60, wrapped % 60);
    return text;
}

// "HH:mm" of a record's "HHmm" (leading zeros may be missing).
std::string recordMinute(const FenShiDataItem& record) {
    const int time = std::atoi(record.fenShiTime.c_str());
    return clockText(time / 100 * 60 + time % 100);
}
}  // namespace

GapDayCrossHair::GapDayCrossHair(ScreenDriver& driver, Hooks hooks)
    : m_driver(driver), m_hooks(std::move(hooks)) {}

int GapDayCrossHair::weight() const {
    if (m_hooks.alertUp()) {
        return 0;
    }
    VKJYMarketChartController* screen = m_hooks.quoteScreen();
    if (!screen) {
        return m_hooks.marketList() ? 8 : 0;
    }
    HQMarketChartManager* chart = screen->chartManager();
    if (!chart) {
        return 0;
    }
    if (!isResting(*screen)) {
        return chart->stateOfScreen() == 0 ? 4 : 0;
    }
    // Past the exchange's midnight the new day has no gap until its afternoon.
    HQDrawManager* fenShi = chart->drawViewManagerFenShi();
    const bool gapOnShow = chart->variableAboutDevice()->typeOfHQ() == 0 && fenShi &&
                           m_driver.isVisible(fenShi) && widestGap(*fenShi) > 0;
    return gapOnShow ? 30 : 3;
}

void GapDayCrossHair::act(ExerciseRandom& random) {
    if (VKJYMarketChartController* screen = restingOnShow()) {
        tapTheDay(*screen, random);
    }
}

VKJYMarketChartController* GapDayCrossHair::restingOnShow() {
    VKJYMarketChartController* screen = m_hooks.quoteScreen();
    if (screen && isResting(*screen)) {
        return screen;
    }
    if (screen) {
        m_hooks.back();
        m_driver.runUntil(
            [&] { return m_hooks.marketList() && m_hooks.marketList()->isAppeared(); },
            kScreenShown);
    }
    VKJYMarketUIViewController* list = m_hooks.marketList();
    if (!list || !list->isAppeared() || !openTheRestingCommodity(*list)) {
        return nullptr;
    }
    m_driver.runUntil(
        [&] {
            VKJYMarketChartController* opened = m_hooks.quoteScreen();
            return opened && isResting(*opened) && opened->chartManager();
        },
        kScreenShown);
    screen = m_hooks.quoteScreen();
    return screen && isResting(*screen) && screen->chartManager() ? screen : nullptr;
}

bool GapDayCrossHair::openTheRestingCommodity(VKJYMarketUIViewController& list) {
    TableView* table = list.CommodityInfoListTableView();
    // The table's first section holds the watched tiles; the panels follow it.
    for (int section = 1; table && section < table->numberOfSections(); ++section) {
        const auto* rows = list.getCommodityInfoArrayBySection(section - 1);
        for (size_t row = 0; rows && row < rows->size(); ++row) {
            if ((*rows)[row] && (*rows)[row]->CommodityName == kResting) {
                m_hooks.journal(std::string("gap day: open the quote screen of ") + kResting);
                return m_driver.tapRow(*table, {section, static_cast<int>(row)});
            }
        }
    }
    m_hooks.journal(std::string("gap day: the market list has no ") + kResting);
    return false;
}

HQDrawManager* GapDayCrossHair::timeSharingOnShow(VKJYMarketChartController& screen) {
    HQMarketChartManager* chart = screen.chartManager();
    if (chart->variableAboutDevice()->typeOfHQ() != 0) {
        View* button = chart->viewWithTag(HQMarketChartManager::kFenShiButtonTag);
        if (!button || !m_driver.isVisible(button)) {
            return nullptr;
        }
        m_hooks.journal("gap day: the time-sharing chart");
        m_driver.tap(button);
    }
    HQDrawManager* fenShi = nullptr;
    m_driver.runUntil(
        [&] {
            VKJYMarketChartController* shown = m_hooks.quoteScreen();
            HQMarketChartManager* c = shown ? shown->chartManager() : nullptr;
            fenShi = c && c->variableAboutDevice()->typeOfHQ() == 0 ? c->drawViewManagerFenShi()
                                                                    : nullptr;
            // The latest minutes come first, the day's file from its first minute after them.
            return fenShi && m_driver.isVisible(fenShi) && !fenShi->fenShiData().empty() &&
                   (widestGap(*fenShi) > 0 || fromTheStart(*fenShi));
        },
        kChartDrawn);
    return fenShi && m_driver.isVisible(fenShi) && !fenShi->fenShiData().empty() ? fenShi : nullptr;
}

void GapDayCrossHair::tapTheDay(VKJYMarketChartController& screen, ExerciseRandom& random) {
    HQDrawManager* chart = timeSharingOnShow(screen);
    if (!chart) {
        return m_hooks.journal("gap day: no time-sharing day on show");
    }
    const std::optional<double> x = fingerX(*chart, random);
    if (!x) {
        return m_hooks.journal("gap day: the day on show has no gap");
    }
    const auto& area = *chart->variableInfo()->drawRectOfMain();
    const double y = area.y + area.height * random.between(0.2, 0.8);
    if (chart->showIndicatorCross() && !tapAt(*chart, area.x + area.width / 2, y)) {
        return;
    }
    m_hooks.journal("gap day: tap the time-sharing chart over " + minuteAt(*chart, *x));
    if (!tapAt(*chart, *x, y)) {
        return;
    }
    m_finger = Finger{chart, *x};
    const std::optional<double> to = random.chance(0.4) ? fingerX(*chart, random) : std::nullopt;
    if (!to) {
        return;
    }
    m_hooks.journal("gap day: slide the cross-hair on to " + minuteAt(*chart, *to));
    m_driver.drag(chart->convertPointToWindow({*x, y}), chart->convertPointToWindow({*to, y}), 4,
                  0.5);
    m_finger = Finger{chart, *to};
}

bool GapDayCrossHair::tapAt(HQDrawManager& chart, double x, double y) {
    const WeakLink<HQDrawManager> link = &chart;
    const bool before = chart.showIndicatorCross();
    m_driver.tapAt(chart.convertPointToWindow({x, y}));
    if (link && link->showIndicatorCross() != before) {
        return true;
    }
    m_hooks.journal("gap day: the tap did not reach the chart");
    return false;
}

std::optional<double> GapDayCrossHair::fingerX(const HQDrawManager& chart,
                                               ExerciseRandom& random) const {
    const size_t widest = widestGap(chart);
    if (widest == 0) {
        return std::nullopt;
    }
    const std::vector<double> xs = pointXs(chart);
    const double minute = minuteWidth(chart);
    const auto& area = *chart.variableInfo()->drawRectOfMain();
    const bool aboutTheGap = random.chance(0.5);
    const double from = aboutTheGap ? xs[widest - 1] - 20 * minute : xs.front() - 10 * minute;
    const double to = aboutTheGap ? xs[widest] + 40 * minute : xs.back() + 10 * minute;
    return std::clamp(random.between(from, to), double{area.x}, double{area.x + area.width});
}

std::string GapDayCrossHair::minuteAt(const HQDrawManager& chart, double x) const {
    const auto& first = chart.FenShiDataItemArray().front();
    const int time = std::atoi(first->fenShiTime.c_str());
    const double firstX = chart.fenShiData().front()->fenshiPoint->x;
    return clockText(time / 100 * 60 + time % 100 +
                     static_cast<int>(std::floor((x - firstX) / minuteWidth(chart))));
}

std::string GapDayCrossHair::headerMinute(const HQDrawManager& chart) const {
    const auto& cross = chart.variableInfo()->indicatorCrossData();
    if (cross && !cross->isTopNavigationBar) {
        return cross->IndicatorCrossItemArray.empty() ? ""
                                                      : cross->IndicatorCrossItemArray[0]->data;
    }
    const auto& header = chart.variableInfo()->currentShowDataLayerInfo();
    return header && !header->MainCurrentDataItemArray.empty()
               ? header->MainCurrentDataItemArray[0]->dataString
               : "";
}

void GapDayCrossHair::check() {
    const std::optional<Finger> finger = m_finger;
    m_finger.reset();
    VKJYMarketChartController* screen = m_hooks.quoteScreen();
    HQDrawManager* chart = finger ? finger->chart.get() : nullptr;
    if (!chart || m_hooks.alertUp() || !screen || !screen->chartManager() ||
        screen->chartManager()->drawViewManagerFenShi() != chart ||
        chart->variableInfo()->typeOfHQ() != 0 || !chart->showIndicatorCross() ||
        !m_driver.isVisible(chart)) {
        return;
    }
    const std::vector<double> xs = pointXs(*chart);
    const auto& records = chart->FenShiDataItemArray();
    const std::string shown = headerMinute(*chart);
    double nearest = std::numeric_limits<double>::infinity();
    std::optional<double> shownX;
    for (size_t i = 0; i < xs.size() && i < records.size(); ++i) {
        nearest = std::min(nearest, std::fabs(xs[i] - finger->x));
        if (records[i] && recordMinute(*records[i]) == shown) {
            shownX = xs[i];
        }
    }
    const std::string what = "on a time-sharing day with a gap the finger left the chart over " +
                             minuteAt(*chart, finger->x) + " and the header shows '" + shown + "'";
    if (!shownX) {
        return m_hooks.violation(what + ", no minute of the day");
    }
    // The chart counts whole minutes from its left edge: one minute of slack.
    if (std::fabs(*shownX - finger->x) > nearest + 1.01 * minuteWidth(*chart)) {
        m_hooks.violation(what + ", not the minute under the finger");
    }
}
