#include <gtest/gtest.h>

#include "QuoteChartTest.h"
#include "chart/CurrentShowDataLayerInfo.h"
#include "chart/HQDrawManager.h"
#include "chart/HQMarketChartManager.h"
#include "chart/IndicatorCrossClass.h"
#include "chart/VariableAboutDevice.h"
#include "market/VKJYMarketChartController.h"
#include "platform/foundation/DateFormat.h"
#include "platform/ui/Button.h"
#include "quote/QuoteRecords.h"
#include "sim/core/SimClock.h"

namespace {

constexpr int kFenShiTag = HQMarketChartManager::kFenShiButtonTag;
constexpr int64_t kDayMs = 24 * 3600 * 1000LL;
constexpr int kMinutesPerDay = 1440;

struct ExchangeTimeCase {
    double height;
    bool wide;
};

// The quote screen late in the exchange's day, after 16:00 at UTC+8 (midnight UTC), when a
// device elsewhere is on another date or hour: whatever the device's zone, the charts place,
// join and show the exchange's times.
class ExchangeTimeTest : public QuoteChartTest,
                         public ::testing::WithParamInterface<ExchangeTimeCase> {
protected:
    ExchangeTimeTest() : QuoteChartTest({320, GetParam().height}) {}

    void SetUp() override {
        advanceSimulator(3 * 3600);  // 14:30 to 17:30 at the exchange
        openQuoteChart();
        if (GetParam().wide) {
            turnWide();
            ASSERT_TRUE(driver.runUntil([&] { return !fenShi()->fenShiData().empty(); }, 20));
        }
    }

    const DrawRect& area() const { return *layout().drawRectOfMain(); }

    std::string exchangeText(const std::string& pattern, int64_t ms) {
        const auto zone = DateFormat::Zone::fixed(sim.market().utcOffsetMinutes() * 60);
        return DateFormat(pattern, zone).format(static_cast<double>(ms / 1000));
    }

    // The simulator's minutes of the exchange's day so far, as "HHmm".
    std::vector<std::string> simulatorsDay() {
        const auto& commodity = *chart()->searchCommodotyStatusItem()->commodity;
        const int64_t today =
            SimClock::dayStart(sim.market().nowMs(), sim.market().utcOffsetMinutes());
        std::vector<std::string> times;
        for (const SimBar& bar : sim.market().minutes(commodity.panindex, commodity.CommodityID,
                                                      today, today + kDayMs)) {
            times.push_back(exchangeText("HHmm", bar.date));
        }
        return times;
    }

    std::vector<std::string> drawnDay() const {
        std::vector<std::string> times;
        for (const auto& minute : fenShi()->FenShiDataItemArray()) {
            times.push_back(minute->fenShiTime);
        }
        return times;
    }

    std::vector<std::string> axisTitles() const {
        std::vector<std::string> titles;
        for (const auto& label : layout().TimeCoordinateDrawInfoArray()) {
            titles.push_back(label->title);
        }
        return titles;
    }

    // The x of a minute after the exchange's midnight, where trading starts.
    double xOfMinute(int minute) const { return area().x + area().width * minute / kMinutesPerDay; }

    // The time the cross-hair shows: in the header on the normal screen, in its box otherwise.
    std::string crossHairTime() const {
        const auto& cross = *layout().indicatorCrossData();
        if (cross.isTopNavigationBar) {
            return layout()
                .currentShowDataLayerInfo()
                ->MainCurrentDataItemArray.front()
                ->dataString;
        }
        return cross.IndicatorCrossItemArray.front()->data;
    }

    std::string snapshot(const std::string& chartName) const {
        const ExchangeTimeCase c = GetParam();
        return snapshotPath("exchange-time-" + chartName + (c.wide ? "-wide-" : "-normal-") +
                            std::to_string(static_cast<int>(c.height)));
    }
};

}  // namespace

TEST_P(ExchangeTimeTest, shouldPlaceTheWholeDayFromTheExchangesStartOfTrading) {
    EXPECT_EQ(axisTitles(), (std::vector<std::string>{"00:00", "02:00", "06:00", "10:00", "14:00",
                                                      "18:00", "22:00", "00:00"}));
    // The day file's minutes before the reply's and the reply's, each once, in order.
    const auto day = drawnDay();
    ASSERT_EQ(day, simulatorsDay());
    ASSERT_EQ(day.front(), "0000");
    ASSERT_GT(day.size(), 1000u);
    const auto& points = fenShi()->fenShiData();
    ASSERT_EQ(points.size(), day.size());
    for (size_t minute = 0; minute < points.size(); ++minute) {
        ASSERT_FLOAT_EQ(points[minute]->fenshiPoint->x, xOfMinute(static_cast<int>(minute)))
            << day[minute];
    }
    EXPECT_EQ(day[959], "1559");
    EXPECT_LT(points[959]->fenshiPoint->x, points[960]->fenshiPoint->x);

    // A finger on the axis at 12:00 and at 16:00 points at those minutes (to the point a touch
    // is read in) and shows them.
    const double minutesPerPoint = kMinutesPerDay / area().width;
    for (const int minute : {720, 960}) {
        const Point at = fenShi()->convertPointToWindow(
            Point{xOfMinute(minute) + 0.5, area().y + area().height / 2});
        driver.tapAt(at);
        ASSERT_TRUE(fenShi()->showIndicatorCross()) << minute;
        const int pointed = fenShi()->indicatorCrossPointNum();
        EXPECT_NEAR(pointed, minute, minutesPerPoint + 1);
        EXPECT_EQ(crossHairTime(), day[static_cast<size_t>(pointed)].substr(0, 2) + ":" +
                                       day[static_cast<size_t>(pointed)].substr(2));
        driver.settle();
        if (minute == 960) {
            EXPECT_TRUE(driver.saveSnapshot(snapshot("fenshi")));
        }
        driver.tapAt(at);
        EXPECT_FALSE(fenShi()->showIndicatorCross());
    }
}

TEST_P(ExchangeTimeTest, shouldDateTheBarsAtTheExchange) {
    ASSERT_TRUE(driver.tap(periodButton(kFenShiTag + 1)));
    ASSERT_TRUE(driver.runUntil(
        [&] { return !kLine()->coordinateKLineData().empty() && chart()->KLineRefresh(); }, 30));
    const auto& bars = kLine()->coordinateKLineData();
    const auto& dates = layout().currentShowDataLayerInfo()->SecondaryOneCurrentDataTimeItemArray;
    ASSERT_EQ(dates.size(), 2u);
    EXPECT_EQ(dates[0]->title, exchangeText("yy/MM/dd/ HH:mm", bars.front()->date));
    EXPECT_EQ(dates[1]->title, exchangeText("yy/MM/dd/ HH:mm", bars.back()->date));
    EXPECT_EQ(dates[1]->title.substr(0, 13), "26/12/04/ 17:");

    const Point bar = kLine()->convertPointToWindow(
        Point{bars[bars.size() / 2]->highestPiont.x, area().y + area().height / 2});
    driver.tapAt(bar);
    ASSERT_TRUE(kLine()->showIndicatorCross());
    const auto& shown = *bars[static_cast<size_t>(kLine()->indicatorCrossPointNum())];
    const auto& box = layout().indicatorCrossData()->IndicatorCrossItemArray;
    EXPECT_EQ(box[0]->data, "26/12/04");
    EXPECT_EQ(box[6]->data, exchangeText("HH:mm", shown.date));
    driver.settle();
    EXPECT_TRUE(driver.saveSnapshot(snapshot("kline")));
}

INSTANTIATE_TEST_SUITE_P(Screens, ExchangeTimeTest,
                         ::testing::Values(ExchangeTimeCase{568, false},
                                           ExchangeTimeCase{480, false},
                                           ExchangeTimeCase{568, true},
                                           ExchangeTimeCase{480, true}),
                         [](const auto& info) {
                             return std::string(info.param.wide ? "wide" : "normal") +
                                    std::to_string(static_cast<int>(info.param.height));
                         });
