#include <gtest/gtest.h>

#include <filesystem>

#include "base/SQLiteDatabase.h"
#include "platform/foundation/Paths.h"
#include "quote/HQDataCache.h"
#include "quote/HQKLineIndicators.h"
#include "support/TempFolder.h"
#include "support/TempHome.h"

namespace {

using Bars = std::vector<std::shared_ptr<KLineDataItem>>;

std::shared_ptr<KLineDataItem> bar(int64_t date, float close) {
    auto b = std::make_shared<KLineDataItem>();
    b->date = date;
    b->open = close - 0.5f;
    b->close = close;
    b->highest = close + 1;
    b->lowest = close - 1;
    return b;
}

std::vector<std::shared_ptr<ReturnKLineData>> reply(const Bars& bars) {
    auto series = std::make_shared<ReturnKLineData>();
    series->commodityNum = 300;
    series->commodityPeriod = 6;
    series->klineDataItemsArray = bars;
    return {series};
}

SubmissionPackage package(const char* requestType) {
    SubmissionPackage p;
    p.MarketID = "1";
    p.DiskID = "2";
    p.CommodityID = "300";
    p.period = "6";
    p.panleix = 1;
    p.klineRequestType = requestType;
    return p;
}

Bars dates(int64_t from, int64_t to, float closeBase) {
    Bars out;
    for (int64_t d = from; d <= to; ++d) {
        out.push_back(bar(d, closeBase + static_cast<float>(d)));
    }
    return out;
}

class HQDataCacheTest : public ::testing::Test {
protected:
    std::string path() const { return m_folder.file("SHANGPIN.db"); }
    Bars stored() {
        HQDataBase database(path());
        auto found = database.searchPartDataFromKLineForm(package(HQDataCache::kRequestAll));
        return found ? found->back()->klineDataItemsArray : Bars{};
    }
    std::vector<int64_t> storedDates() {
        std::vector<int64_t> out;
        for (const auto& b : stored()) {
            out.push_back(b->date);
        }
        return out;
    }
    bool insert(const Bars& bars, const char* requestType) {
        HQDataCache cache(path());
        return cache.insertKLineData(reply(bars), package(requestType));
    }

    TempFolder m_folder;
};

}  // namespace

TEST_F(HQDataCacheTest, shouldReplaceEverythingOnFirstRequest) {
    ASSERT_TRUE(insert(dates(1, 5, 10), HQDataCache::kRequestFirst));
    EXPECT_EQ(storedDates(), (std::vector<int64_t>{1, 2, 3, 4, 5}));
    ASSERT_TRUE(insert(dates(3, 4, 20), HQDataCache::kRequestFirst));
    EXPECT_EQ(storedDates(), (std::vector<int64_t>{3, 4}));
    EXPECT_FLOAT_EQ(stored()[0]->close, 23);
}

TEST_F(HQDataCacheTest, shouldDropStoredLastBarAndAppendOnNewRequest) {
    ASSERT_TRUE(insert(dates(1, 5, 10), HQDataCache::kRequestFirst));
    Bars fetched = dates(5, 7, 100);
    ASSERT_TRUE(insert(fetched, HQDataCache::kRequestNew));
    const Bars now = stored();
    ASSERT_EQ(now.size(), 7u);
    EXPECT_FLOAT_EQ(now[3]->close, 14);
    EXPECT_FLOAT_EQ(now[4]->close, 105);
    // The fetched records carry the indicators of the merged series.
    Bars expected = dates(1, 4, 10);
    for (const auto& b : dates(5, 7, 100)) {
        expected.push_back(b);
    }
    HQKLineIndicators::compute(expected);
    ASSERT_TRUE(fetched[2]->MACDKDJ);
    EXPECT_NEAR(fetched[2]->MACDKDJ->dif, expected[6]->MACDKDJ->dif, 1e-9);
    EXPECT_NEAR(fetched[2]->PMAGroup->PMA5Data->value, expected[6]->PMAGroup->PMA5Data->value,
                1e-9);
    EXPECT_NEAR(now[6]->MACDKDJ->KValue, expected[6]->MACDKDJ->KValue, 1e-9);
}

TEST_F(HQDataCacheTest, shouldKeepStoredDatesAndLetFetchedWinOnAllRequest) {
    ASSERT_TRUE(insert(dates(4, 8, 10), HQDataCache::kRequestFirst));
    Bars older = dates(1, 5, 50);
    older.push_back(bar(2, 77));  // two history files covering the same day: the later wins
    ASSERT_TRUE(insert(older, HQDataCache::kRequestAll));
    const Bars now = stored();
    EXPECT_EQ(storedDates(), (std::vector<int64_t>{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_FLOAT_EQ(now[1]->close, 77);
    EXPECT_FLOAT_EQ(now[4]->close, 55);
    EXPECT_FLOAT_EQ(now[5]->close, 16);
    Bars expected = {bar(1, 51), bar(2, 77), bar(3, 53), bar(4, 54),
                     bar(5, 55), bar(6, 16), bar(7, 17), bar(8, 18)};
    HQKLineIndicators::compute(expected);
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_NEAR(now[i]->MACDKDJ->dea, expected[i]->MACDKDJ->dea, 1e-6) << i;
    }
    EXPECT_NEAR(now[7]->PMAGroup->PMA5Data->value, expected[7]->PMAGroup->PMA5Data->value, 1e-6);
}

TEST_F(HQDataCacheTest, shouldReadSameBarsAndIndicatorsAfterReopen) {
    ASSERT_TRUE(insert(dates(1, 12, 10), HQDataCache::kRequestFirst));
    Bars first = stored();
    HQDataBase reopened(path());
    auto again = reopened.searchPartDataFromKLineForm(package(HQDataCache::kRequestNew));
    ASSERT_TRUE(again);
    const ReturnKLineData& series = *again->back();
    EXPECT_EQ(series.commodityNum, 300);
    EXPECT_EQ(series.commodityPeriod, 6);
    ASSERT_EQ(series.klineDataItemsArray.size(), 12u);
    for (size_t i = 0; i < first.size(); ++i) {
        const auto& a = *first[i];
        const auto& b = *series.klineDataItemsArray[i];
        EXPECT_EQ(a.date, b.date);
        EXPECT_FLOAT_EQ(a.highest, b.highest);
        EXPECT_EQ(static_cast<bool>(a.PMAGroup->PMA10Data),
                  static_cast<bool>(b.PMAGroup->PMA10Data));
        EXPECT_DOUBLE_EQ(a.MACDKDJ->JValue, b.MACDKDJ->JValue);
    }
    EXPECT_FALSE(series.klineDataItemsArray[8]->PMAGroup->PMA10Data);
    EXPECT_NEAR(series.klineDataItemsArray[9]->PMAGroup->PMA10Data->value, 15.5, 1e-6);
}

TEST_F(HQDataCacheTest, shouldCreateMissingTableAndAnswerNothing) {
    HQDataBase database(path());
    EXPECT_FALSE(database.searchPartDataFromKLineForm(package(HQDataCache::kRequestNew)));
    SQLiteDatabase check;
    ASSERT_TRUE(check.open(path()).ok());
    auto query =
        check.prepare("SELECT count(*) FROM sqlite_master WHERE name = 'kline_1_2_300_6_1'");
    ASSERT_TRUE(query);
    ASSERT_EQ(query->step(), SQLiteStep::Row);
    EXPECT_EQ(query->columnInt64(0), 1);
}

TEST_F(HQDataCacheTest, shouldNameATableByMarketPanelNumberPeriodAndServerInDigitsOnly) {
    SubmissionPackage p = package(HQDataCache::kRequestAll);
    EXPECT_EQ(HQDataBase::tableName(p), "kline_1_2_300_6_1");
    p.CommodityID = "7; DROP TABLE kline_1_2_300_6_1";
    EXPECT_EQ(HQDataBase::tableName(p), "kline_1_2_7_6_1");
    p.DiskID = "3";
    EXPECT_EQ(HQDataBase::tableName(p), "kline_1_3_7_6_1");
}

TEST(HQDataBase, shouldKeepCacheInTmpUnderTheHome) {
    TempHome home;
    HQDataCache cache;
    ASSERT_TRUE(cache.insertKLineData(reply({bar(1, 2)}), package(HQDataCache::kRequestFirst)));
    EXPECT_TRUE(std::filesystem::exists(home.path() + "/tmp/SHANGPIN.db"));
    EXPECT_EQ(HQDataBase::defaultPath(), home.path() + "/tmp/SHANGPIN.db");
}
