#include <gtest/gtest.h>
#include <zlib.h>

#include "ChartTestSupport.h"
#include "chart/ChartScale.h"
#include "chart/ChartSeries.h"
#include "chart/ChartStateRecords.h"
#include "chart/HQHistoryFiles.h"

using namespace charttest;

namespace {

std::vector<std::shared_ptr<KLineDataItem>> closes(const std::vector<float>& values,
                                                   int64_t firstDate = 1) {
    std::vector<std::shared_ptr<KLineDataItem>> bars;
    for (size_t i = 0; i < values.size(); ++i) {
        bars.push_back(
            bar(values[i], values[i], values[i], values[i], firstDate + static_cast<int64_t>(i)));
    }
    return bars;
}

std::vector<std::shared_ptr<ReturnKLineData>> series(
    std::vector<std::shared_ptr<KLineDataItem>> bars) {
    auto reply = std::make_shared<ReturnKLineData>();
    reply->klineDataItemsArray = std::move(bars);
    return {reply};
}

std::shared_ptr<CommodityFenShiDataItem> fenShi(
    double yesterdayClose, const std::vector<std::pair<std::string, double>>& minutes,
    const std::string& day = "20261204") {
    auto item = std::make_shared<CommodityFenShiDataItem>();
    item->yesterdayClose = yesterdayClose;
    auto trading = std::make_shared<TradingDayNum>();
    trading->tradingDay = day;
    for (const auto& [time, price] : minutes) {
        auto record = std::make_shared<FenShiRecordNum>();
        record->fenShiTime = time;
        record->leastPrice = price;
        record->averagePrice = price;
        record->xianShou = 10;
        trading->fenShiRecordNumArray.push_back(record);
    }
    item->tradingDayNumArray = {trading};
    return item;
}

}  // namespace

TEST(ChartSeries, shouldAverageTheLastClosesOnceEnoughBarsPrecede) {
    std::vector<float> values;
    for (int i = 1; i <= 31; ++i) {
        values.push_back(static_cast<float>(i));
    }
    values[2] = -4;  // counts as 0
    auto bars = closes(values);
    chartseries::computeAverages(bars, 0);
    EXPECT_FALSE(bars[3]->PMAGroup->PMA5Data);
    // Bars 1..5 with the third counting 0: (1 + 2 + 0 + 4 + 5) / 5.
    EXPECT_DOUBLE_EQ(bars[4]->PMAGroup->PMA5Data->value, 12.0 / 5);
    EXPECT_DOUBLE_EQ(bars[9]->PMAGroup->PMA10Data->value, (55.0 - 3) / 10);
    EXPECT_FALSE(bars[28]->PMAGroup->PMA30Data);
    EXPECT_DOUBLE_EQ(bars[29]->PMAGroup->PMA30Data->value, (465.0 - 3) / 30);
    EXPECT_DOUBLE_EQ(bars[30]->PMAGroup->PMA30Data->value, (495.0 - 3) / 30);
    // A second pass keeps present values.
    bars[30]->close = 1000;
    chartseries::computeAverages(bars, 0);
    EXPECT_DOUBLE_EQ(bars[30]->PMAGroup->PMA5Data->value, (27.0 + 28 + 29 + 30 + 31) / 5);
}

TEST(ChartSeries, shouldReplaceTheSeriesWithAFirstReply) {
    PeriodStatusInfo period;
    period.KLineDataArray = series(closes({1, 2, 3}));
    const auto reply = series(closes({7, 8}, 50));
    EXPECT_EQ(chartseries::mergeKLineReply(period, reply, "klineRequestFirst"),
              chartseries::KLineMerge::Replaced);
    EXPECT_EQ(period.KLineDataArray, reply);
}

struct MergeCase {
    const char* name;
    int64_t firstFetchedDate;
    std::vector<int64_t> expectedDates;
};

class KLineMergeTest : public ::testing::TestWithParam<MergeCase> {};

// The held series follows the store: bars from the reply's first date on are replaced.
TEST_P(KLineMergeTest, shouldKeepTheSeriesAsTheStoreKeepsIt) {
    const MergeCase c = GetParam();
    PeriodStatusInfo period;
    period.KLineDataArray = series(closes({1, 2, 3}, 10));  // dates 10, 11, 12
    EXPECT_EQ(chartseries::mergeKLineReply(period, series(closes({5, 6}, c.firstFetchedDate)),
                                           "klineRequestNew"),
              chartseries::KLineMerge::Appended);
    std::vector<int64_t> dates;
    for (const auto& b : period.KLineDataArray.front()->klineDataItemsArray) {
        dates.push_back(b->date);
    }
    EXPECT_EQ(dates, c.expectedDates);
}

INSTANTIATE_TEST_SUITE_P(Merges, KLineMergeTest,
                         ::testing::Values(MergeCase{"atLastBar", 12, {10, 11, 12, 13}},
                                           MergeCase{"afterAGap", 20, {10, 11, 12, 20, 21}},
                                           MergeCase{"overlapping", 11, {10, 11, 12}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ChartSeries, shouldMergeNothingFromAnEmptyReply) {
    PeriodStatusInfo period;
    period.KLineDataArray = series(closes({1, 2, 3}));
    EXPECT_EQ(chartseries::mergeKLineReply(period, {}, "klineRequestNew"),
              chartseries::KLineMerge::Empty);
    EXPECT_EQ(chartseries::mergeKLineReply(period, series({}), "klineRequestNew"),
              chartseries::KLineMerge::Empty);
    EXPECT_EQ(period.KLineDataArray.front()->klineDataItemsArray.size(), 3u);
}

struct RangeCase {
    double low;
    double high;
    double expectedLow;
    double expectedHigh;
};

class FenShiRangeTest : public ::testing::TestWithParam<RangeCase> {};

TEST_P(FenShiRangeTest, shouldCentreTheDaysRangeOnYesterdaysClose) {
    const RangeCase c = GetParam();
    commodityStatusItem status;
    const auto reply = fenShi(10, {{"0930", c.low}, {"0931", c.high}});
    EXPECT_EQ(chartseries::mergeFenShiReply(status, {reply}, 2),
              chartseries::FenShiMerge::FirstLoad);
    EXPECT_NEAR(status.result->lowest, c.expectedLow, 1e-9);
    EXPECT_NEAR(status.result->highest, c.expectedHigh, 1e-9);
    EXPECT_EQ(status.result->xianShouHighest, 10);
    EXPECT_EQ(status.result->xianShouLowest, 0);  // volumes count from 0, not from the first
    const auto& points = reply->tradingDayNumArray.front()->fenShiDataItemArray;
    ASSERT_EQ(points.size(), 2u);
    EXPECT_EQ(points[1]->ShowPrice, chartscale::priceText(c.high, 2));
    EXPECT_EQ(points[1]->date, 20261204);
}

INSTANTIATE_TEST_SUITE_P(Ranges, FenShiRangeTest,
                         ::testing::Values(RangeCase{9.80, 10.50, 9.50, 10.50},
                                           RangeCase{9.40, 10.20, 9.40, 10.60}));

TEST(ChartSeries, shouldMergeMinutesThatContinueTheHeldDay) {
    commodityStatusItem status;
    chartseries::mergeFenShiReply(status, {fenShi(10, {{"0930", 10}, {"0931", 10.1}})}, 2);
    const auto next = fenShi(10, {{"0931", 10.05}}, "20261205");
    EXPECT_EQ(chartseries::mergeFenShiReply(status, {next}, 2),
              chartseries::FenShiMerge::NewestOnly);
    const auto& day = *status.FenShiDataArray.front()->tradingDayNumArray.front();
    ASSERT_EQ(day.fenShiDataItemArray.size(), 2u);
    EXPECT_DOUBLE_EQ(day.fenShiDataItemArray.back()->price, 10.05);
    EXPECT_EQ(day.tradingDay, "20261205");
    // A reply that does not start at the last held minute leaves the day alone.
    EXPECT_EQ(chartseries::mergeFenShiReply(status, {fenShi(10, {{"0935", 9}, {"0936", 9}})}, 2),
              chartseries::FenShiMerge::FullRedraw);
    EXPECT_EQ(day.fenShiDataItemArray.size(), 2u);
}

std::vector<std::string> shownMinutes(const commodityStatusItem& status) {
    std::vector<std::string> minutes;
    for (const auto& point :
         status.FenShiDataArray.front()->tradingDayNumArray.front()->fenShiDataItemArray) {
        minutes.push_back(point->fenShiTime);
    }
    return minutes;
}

// The reply to "from 23:57 on" holds two days, folded into one as they come.
std::shared_ptr<CommodityFenShiDataItem> overMidnight(double yesterdayClose) {
    auto reply = fenShi(yesterdayClose, {{"2357", 10.2}, {"2358", 10.1}, {"2359", 10}});
    reply->tradingDayNumArray.push_back(
        fenShi(10, {{"0000", 9.5}, {"0001", 9.6}}, "20261205")->tradingDayNumArray.front());
    chartseries::foldDays(*reply);
    return reply;
}

TEST(ChartSeries, shouldShowTheNewDayFromItsFirstMinuteWhenTheExchangesDayTurns) {
    commodityStatusItem status;
    chartseries::mergeFenShiReply(status, {fenShi(9, {{"2356", 10.8}, {"2357", 10.2}})}, 2, 0);
    EXPECT_EQ(chartseries::mergeFenShiReply(status, {overMidnight(10)}, 2, 0),
              chartseries::FenShiMerge::FullRedraw);
    EXPECT_EQ(shownMinutes(status), (std::vector<std::string>{"0000", "0001"}));
    EXPECT_EQ(status.FenShiDataArray.front()->tradingDayNumArray.front()->tradingDay, "20261205");
    EXPECT_DOUBLE_EQ(status.FenShiDataArray.front()->yesterdayClose, 10);
    // The range is the new day's alone, about its own previous close.
    EXPECT_DOUBLE_EQ(status.result->lowest, 9.5);
    EXPECT_DOUBLE_EQ(status.result->highest, 10.5);
    // A session that opened at 21:00 runs on over midnight.
    commodityStatusItem night;
    chartseries::mergeFenShiReply(night, {fenShi(9, {{"2356", 10.8}, {"2357", 10.2}})}, 2, 21 * 60);
    chartseries::mergeFenShiReply(night, {overMidnight(10)}, 2, 21 * 60);
    EXPECT_EQ(shownMinutes(night),
              (std::vector<std::string>{"2356", "2357", "2358", "2359", "0000", "0001"}));
}

TEST(ChartSeries, shouldFoldTheSecondDayIntoTheFirst) {
    auto item = fenShi(10, {{"2100", 1}});
    auto second = fenShi(10, {{"0900", 2}, {"0901", 3}}, "20261205")->tradingDayNumArray.front();
    item->tradingDayNumArray.push_back(second);
    chartseries::foldDays(*item);
    EXPECT_EQ(item->tradingDayNumArray.front()->tradingDay, "20261205");
    EXPECT_EQ(item->tradingDayNumArray.front()->fenShiRecordNumArray.size(), 3u);
    EXPECT_EQ(item->tradingDayNumArray.size(), 2u);
}

TEST(HistoryFiles, shouldInflateZlibAndGzipAndKeepEmptyInput) {
    const std::string text(5000, 'k');
    for (int windowBits : {15, 15 + 16}) {
        z_stream stream{};
        ASSERT_EQ(deflateInit2(&stream, 9, Z_DEFLATED, windowBits, 8, Z_DEFAULT_STRATEGY), Z_OK);
        Bytes packed(6000);
        stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
        stream.avail_in = static_cast<uInt>(text.size());
        stream.next_out = packed.data();
        stream.avail_out = static_cast<uInt>(packed.size());
        ASSERT_EQ(deflate(&stream, Z_FINISH), Z_STREAM_END);
        packed.resize(stream.total_out);
        deflateEnd(&stream);
        const auto plain = HQHistoryFiles::uncompressZippedData(packed);
        ASSERT_TRUE(plain) << windowBits;
        EXPECT_EQ(std::string(plain->begin(), plain->end()), text);
        packed.resize(packed.size() / 2);
        EXPECT_FALSE(HQHistoryFiles::uncompressZippedData(packed)) << windowBits;
    }
    EXPECT_EQ(HQHistoryFiles::uncompressZippedData({}), Bytes{});
}

TEST(HistoryFiles, shouldTakeTheKeyOfTheFilesSign) {
    const std::vector<HQZipSecEntry> keys = {
        {{"secSign", "abc"}, {"sec", "AAAAAAAAAAAAAAAAAAAAAA=="}},
        {{"secSign", "xyz"}, {"sec", "AQEBAQEBAQEBAQEBAQEBAQ=="}}};
    EXPECT_EQ(HQHistoryFiles::keyForFile("http://h/history/xyz_1_6_2025.dat", keys), Bytes(16, 1));
    EXPECT_FALSE(HQHistoryFiles::keyForFile("http://h/history/qqq_1.dat", keys));
}

TEST(HistoryFiles, shouldFetchTheFourNewestKLineFilesNewestFirst) {
    ReturnKLineData reply;
    for (int i = 0; i < 6; ++i) {
        auto url = std::make_shared<KXianURL>();
        url->URLPath = "f" + std::to_string(i);
        reply.URLArray.push_back(url);
    }
    EXPECT_EQ(HQHistoryFiles::kLineFileUrls(reply),
              (std::vector<std::string>{"f5", "f4", "f3", "f2"}));
    reply.URLArray.resize(3);
    EXPECT_EQ(HQHistoryFiles::kLineFileUrls(reply), (std::vector<std::string>{"f2", "f1", "f0"}));
}

TEST(HistoryFiles, shouldAddOnlyFileBarsOlderThanTheReply) {
    ReturnKLineData reply;
    reply.klineDataItemsArray = closes({5, 6}, 100);
    const auto older = series(closes({1, 2, 3}, 98));  // 98, 99, 100
    const auto again = series(closes({4}, 97));
    HQHistoryFiles::joinOlderBars(reply, {older, again});
    std::vector<int64_t> dates;
    for (const auto& b : reply.klineDataItemsArray) {
        dates.push_back(b->date);
    }
    EXPECT_EQ(dates, (std::vector<int64_t>{97, 98, 99, 100, 101}));
}

TEST(HistoryFiles, shouldKeepOneBarPerDateOfOverlappingFilesTheNewestFilesFirst) {
    ReturnKLineData reply;
    reply.klineDataItemsArray = closes({9}, 100);
    const auto newest = series(closes({50, 51, 52}, 95));     // 95, 96, 97
    const auto older = series(closes({30, 31, 32, 33}, 93));  // 93 .. 96
    HQHistoryFiles::joinOlderBars(reply, {newest, older});
    std::vector<std::pair<int64_t, float>> bars;
    for (const auto& b : reply.klineDataItemsArray) {
        bars.push_back({b->date, b->close});
    }
    EXPECT_EQ(bars, (std::vector<std::pair<int64_t, float>>{
                        {93, 30}, {94, 31}, {95, 50}, {96, 51}, {97, 52}, {100, 9}}));
}

std::vector<std::string> minutesOf(const CommodityFenShiDataItem& item) {
    std::vector<std::string> minutes;
    for (const auto& r : item.tradingDayNumArray.front()->fenShiRecordNumArray) {
        minutes.push_back(r->fenShiTime + "=" + std::to_string(static_cast<int>(r->leastPrice)));
    }
    return minutes;
}

TEST(HistoryFiles, shouldPutTheFilesEarlierMinutesBeforeTheReply) {
    auto reply = fenShi(10, {{"0932", 3}, {"0933", 4}});
    auto file = fenShi(10, {{"0930", 1}, {"931", 2}, {"0932", 9}});
    ASSERT_TRUE(HQHistoryFiles::joinFenShiDay(*reply, *file, 9 * 60));
    EXPECT_EQ(minutesOf(*reply), (std::vector<std::string>{"0930=1", "931=2", "0932=3", "0933=4"}));
    CommodityFenShiDataItem empty;
    EXPECT_FALSE(HQHistoryFiles::joinFenShiDay(empty, *file, 9 * 60));
}

TEST(HistoryFiles, shouldJoinANightSessionAcrossMidnightByTimeSinceTheStart) {
    // Trading from 21:00: the evening's minutes come before those after midnight.
    auto reply = fenShi(10, {{"0001", 5}, {"0002", 6}});
    auto file = fenShi(10, {{"2258", 1}, {"2359", 2}, {"0000", 3}, {"0001", 8}});
    ASSERT_TRUE(HQHistoryFiles::joinFenShiDay(*reply, *file, 21 * 60));
    EXPECT_EQ(minutesOf(*reply),
              (std::vector<std::string>{"2258=1", "2359=2", "0000=3", "0001=5", "0002=6"}));
}

TEST(HistoryFiles, shouldGrowTheBufferForTinyInputsAndRefuseOneByte) {
    const std::string text(100000, '0');
    uLongf packedSize = compressBound(text.size());
    Bytes packed(packedSize);
    ASSERT_EQ(compress(packed.data(), &packedSize, reinterpret_cast<const Bytef*>(text.data()),
                       text.size()),
              Z_OK);
    packed.resize(packedSize);
    ASSERT_LT(packed.size(), 200u);
    const auto plain = HQHistoryFiles::uncompressZippedData(packed);
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->size(), text.size());
    EXPECT_FALSE(HQHistoryFiles::uncompressZippedData(Bytes{0x78}));
}
