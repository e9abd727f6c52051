#include <gtest/gtest.h>

#include "market/VKJYLiveQuoteCycle.h"
#include "quote/QuoteRecords.h"
#include "quote/SubmissionPackage.h"

namespace {
commodityInfo commodity() {
    commodityInfo c;
    c.MarketID = 3;
    c.DiskID = 4;
    c.CommodityID = 12;
    return c;
}

YiKouJia reply(int32_t book, std::vector<int32_t> trades, int16_t fenbiNum, int32_t sequence) {
    YiKouJia q;
    q.wudang->WDNum = book;
    if (book != 0) {
        q.wudang->sellPriceAry.push_back(std::make_shared<wuDangSell>());
    }
    for (int32_t index : trades) {
        auto trade = std::make_shared<fenbi>();
        trade->fbIndex = index;
        q.fenbi.push_back(trade);
    }
    q.fenbiNum = fenbiNum;
    q.pankouxuhao = sequence;
    return q;
}
}  // namespace

TEST(VKJYLiveQuoteCycleTest, shouldSendTheCommodityAndTheMarksOfTheLastReply) {
    VKJYLiveQuoteCycle cycle;
    const auto first = cycle.nextRequest(commodity());
    EXPECT_EQ(first.package->MarketID, "3");
    EXPECT_EQ(first.package->DiskID, "4");
    EXPECT_EQ(first.package->CommodityID, "12");
    EXPECT_EQ(first.package->wuDangID, "0");
    ASSERT_TRUE(cycle.take(first.number, reply(7, {40, 41, 42}, 3, 99)));
    const auto second = cycle.nextRequest(commodity());
    EXPECT_EQ(second.package->wuDangID, "7");
    EXPECT_EQ(second.package->fenBiID, "42");
    EXPECT_EQ(second.package->pankouxuhao, "99");
}

TEST(VKJYLiveQuoteCycleTest, shouldKeepTheMarksOfTheNewestReplyWhenAnOlderOneArrivesLate) {
    VKJYLiveQuoteCycle cycle;
    const auto older = cycle.nextRequest(commodity());
    const auto newer = cycle.nextRequest(commodity());
    ASSERT_TRUE(cycle.take(newer.number, reply(9, {50}, 1, 5)));
    EXPECT_FALSE(cycle.take(older.number, reply(8, {45}, 1, 4)));
    EXPECT_EQ(cycle.wdIndex(), 9);
    EXPECT_EQ(cycle.fbIndex(), 50);
    EXPECT_EQ(cycle.pankouxuhao(), 5);
}

TEST(VKJYLiveQuoteCycleTest, shouldReadTheLastTradeReadWhenTheCountSaysMore) {
    VKJYLiveQuoteCycle cycle;
    const auto request = cycle.nextRequest(commodity());
    ASSERT_TRUE(cycle.take(request.number, reply(0, {10, 11}, 30, 0)));
    EXPECT_EQ(cycle.fbIndex(), 11);
    const auto next = cycle.nextRequest(commodity());
    ASSERT_TRUE(cycle.take(next.number, reply(0, {12, 13}, -1, 0)));
    EXPECT_EQ(cycle.fbIndex(), 13);
}

TEST(VKJYLiveQuoteCycleTest, shouldKeepMarksTheReplyDoesNotCarry) {
    VKJYLiveQuoteCycle cycle;
    const auto first = cycle.nextRequest(commodity());
    ASSERT_TRUE(cycle.take(first.number, reply(7, {42}, 1, 99)));
    const auto second = cycle.nextRequest(commodity());
    ASSERT_TRUE(cycle.take(second.number, reply(0, {}, 0, 0)));
    EXPECT_EQ(cycle.wdIndex(), 7);
    EXPECT_EQ(cycle.fbIndex(), 42);
    EXPECT_EQ(cycle.pankouxuhao(), 99);
}

TEST(VKJYLiveQuoteCycleTest, shouldRefuseRepliesSentBeforeAResetAndStartFromZero) {
    VKJYLiveQuoteCycle cycle;
    const auto first = cycle.nextRequest(commodity());
    ASSERT_TRUE(cycle.take(first.number, reply(7, {42}, 1, 99)));
    const auto pending = cycle.nextRequest(commodity());
    cycle.reset();
    EXPECT_FALSE(cycle.take(pending.number, reply(8, {43}, 1, 100)));
    const auto fresh = cycle.nextRequest(commodity());
    EXPECT_EQ(fresh.package->wuDangID, "0");
    EXPECT_EQ(fresh.package->fenBiID, "0");
    EXPECT_EQ(fresh.package->pankouxuhao, "0");
    EXPECT_TRUE(cycle.take(fresh.number, reply(1, {1}, 1, 1)));
}
