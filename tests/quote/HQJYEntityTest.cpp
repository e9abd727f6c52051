#include <gtest/gtest.h>

#include "quote/HQJYEntity.h"
#include "quote/VKJYHangQingDataClass.h"

namespace {

std::shared_ptr<commodityInfo> commodity(int16_t id, const std::string& code,
                                         int32_t letterCase = 1) {
    auto c = std::make_shared<commodityInfo>();
    c->CommodityID = id;
    c->CommodityCode = code;
    c->CommodityCodeLetterCase = letterCase;
    return c;
}

std::shared_ptr<DiskInfo> disk(int16_t id, int16_t own,
                               std::vector<std::shared_ptr<commodityInfo>> commodities) {
    auto d = std::make_shared<DiskInfo>();
    d->DiskID = id;
    d->ownDiskID = own;
    d->commodityInfoArray = std::move(commodities);
    return d;
}

HQJYEntity entityWithCatalogue() {
    auto market = std::make_shared<MarketInfo>();
    market->MarketID = 7;
    market->diskInfoArray = {disk(2, 1, {commodity(9, "AG")}), disk(2, 0, {commodity(1, "AG")}),
                             disk(3, 0, {commodity(300, "PT"), commodity(301, "zn", 0)})};
    auto item = std::make_shared<MarketItem>();
    item->MarketInfoArray = {market};
    HQJYEntity entity;
    entity.setCommodityInfoArray({item});
    return entity;
}

}  // namespace

TEST(HQJYEntity, shouldFindCommodityByHouseOwnPanelAndCode) {
    auto entity = entityWithCatalogue();
    auto found = entity.getHQproductInfoWithHouseCode(7, 2, std::string("AG"));
    ASSERT_TRUE(found);
    EXPECT_EQ(found->CommodityID, 1);  // the subordinate disk 2 is skipped
    EXPECT_FALSE(entity.getHQproductInfoWithHouseCode(7, 2, std::string("ag")));
    EXPECT_FALSE(entity.getHQproductInfoWithHouseCode(8, 2, std::string("AG")));
    EXPECT_FALSE(entity.getHQproductInfoWithHouseCode(7, 2, std::string()));
    EXPECT_FALSE(entity.getHQproductInfoWithHouseCode(7, 2, std::nullopt));
}

TEST(HQJYEntity, shouldFindATradingCodeInAnotherLetterCaseOnlyWhereTheQuoteAllowsIt) {
    auto entity = entityWithCatalogue();
    const auto found = entity.getHQproductInfoWithHouseCode(7, 3, std::string("ZN"));
    ASSERT_TRUE(found);
    EXPECT_EQ(found->CommodityID, 301);
    EXPECT_FALSE(entity.getHQproductInfoWithHouseCode(7, 3, std::string("pt")));
}

TEST(HQJYEntity, shouldListPanelCommoditiesOrNothing) {
    auto entity = entityWithCatalogue();
    auto list = entity.getHQproductInfoWithHouseCode(7, 3);
    ASSERT_TRUE(list);
    ASSERT_EQ(list->size(), 2u);
    EXPECT_EQ(list->front()->CommodityID, 300);
    EXPECT_FALSE(entity.getHQproductInfoWithHouseCode(7, 4));
}

TEST(HQJYEntity, shouldFindTheQuoteOfTheCommodityByServerMarketPanelAndNumber) {
    HQJYEntity entity;
    auto quoteOf = [](int16_t number, int16_t disk) {
        auto quote = std::make_shared<YiKouJia>();
        quote->commodityNum = number;
        quote->MarketID = 7;
        quote->DiskID = disk;
        quote->hpIndex = 1;
        return quote;
    };
    const auto truncated = quoteOf(44, 3);  // 300 cut to 8 bits
    const auto otherPanel = quoteOf(300, 2);
    const auto own = quoteOf(300, 3);
    entity.setCommodityYiKouJiaArray({nullptr, truncated, otherPanel, own});
    auto shown = commodity(300, "PT");
    shown->MarketID = 7;
    shown->DiskID = 3;
    shown->panindex = 1;
    EXPECT_EQ(entity.getHQyikoujiaWithCode(*shown), own);
    shown->panindex = 0;
    EXPECT_FALSE(entity.getHQyikoujiaWithCode(*shown));
}

TEST(HQJYEntity, shouldReadWatchListFromSharedQuoteState) {
    HQJYEntity entity;
    VKJYHangQingDataClass::setCurrent(nullptr);
    EXPECT_FALSE(entity.getCommodityChooseList());
    auto state = std::make_shared<VKJYHangQingDataClass>();
    state->setHQChooseCommodityIDArray({"12_0", "300_1"});
    VKJYHangQingDataClass::setCurrent(state);
    EXPECT_EQ(entity.getCommodityChooseList(), (std::vector<std::string>{"12_0", "300_1"}));
    VKJYHangQingDataClass::setCurrent(nullptr);
}

TEST(VKJYHangQingDataClass, shouldCountOnlyBatchReplyTypes) {
    VKJYHangQingDataClass state;
    for (const char* type : {"panJYTime", "jyspaninfo", "jyspaninfo", "shiChangXinXix",
                             "allyikoujia", "shiChangXinXi"}) {
        state.countReply(type);
    }
    EXPECT_EQ(state.TimeCount(), 1);
    EXPECT_EQ(state.jyspanInfoCount(), 2);
    EXPECT_EQ(state.marketInfoCount(), 1);
    EXPECT_TRUE(state.canRefreshYiKouJia());
}
