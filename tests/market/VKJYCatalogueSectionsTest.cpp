#include <gtest/gtest.h>

#include "market/VKJYCatalogueSections.h"

namespace {
std::shared_ptr<commodityInfo> commodity(int16_t id, const std::string& code, int32_t server) {
    auto c = std::make_shared<commodityInfo>();
    c->CommodityID = id;
    c->CommodityCode = code;
    c->panindex = server;
    return c;
}

std::shared_ptr<DiskInfo> disk(int16_t id, int16_t owner,
                               std::vector<std::shared_ptr<commodityInfo>> rows) {
    auto d = std::make_shared<DiskInfo>();
    d->DiskID = id;
    d->ownDiskID = owner;
    d->commodityInfoArray = std::move(rows);
    return d;
}

VKJYCatalogueSections::Items catalogue() {
    auto first = std::make_shared<MarketInfo>();
    first->MarketID = 1;
    first->diskInfoArray = {disk(1, 0, {commodity(1, "AG", 0), commodity(2, "AU", 0)}),
                            disk(2, 1, {commodity(9, "ZZ", 0)})};
    auto second = std::make_shared<MarketInfo>();
    second->MarketID = 5;
    second->diskInfoArray = {disk(7, 0, {commodity(3, "PT", 1), commodity(4, "AU", 1)})};
    auto item = std::make_shared<MarketItem>();
    item->MarketInfoArray = {first, second};
    return {item};
}
}  // namespace

TEST(VKJYCatalogueSectionsTest, shouldListOnePanelInItsOwnRightPerSection) {
    const auto items = catalogue();
    const auto sections = VKJYCatalogueSections::sections(items);
    ASSERT_EQ(sections.size(), 2u);
    EXPECT_EQ(sections[1].market->MarketID, 5);
    EXPECT_EQ(sections[1].disk->DiskID, 7);
    const auto* rows = VKJYCatalogueSections::commoditiesOfSection(items, 1);
    ASSERT_NE(rows, nullptr);
    EXPECT_EQ((*rows)[0]->CommodityCode, "PT");
    EXPECT_EQ(VKJYCatalogueSections::commoditiesOfSection(items, 2), nullptr);
    EXPECT_EQ(VKJYCatalogueSections::commoditiesOfSection(items, -1), nullptr);
    EXPECT_EQ(VKJYCatalogueSections::commoditiesOfSection({}, 0), nullptr);
}

TEST(VKJYCatalogueSectionsTest, shouldFindTheMarketAndPanelByCodeOnTheSameServer) {
    const auto items = catalogue();
    const auto found = VKJYCatalogueSections::marketAndDisk(items, *commodity(0, "AU", 1));
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(found->at("MARKETID"), 5);
    EXPECT_EQ(found->at("DISKID"), 7);
    EXPECT_FALSE(VKJYCatalogueSections::marketAndDisk(items, *commodity(0, "ZZ", 0)).has_value());
}
