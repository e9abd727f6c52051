#include <gtest/gtest.h>

#include "market/VKJYCatalogueSections.h"

namespace {
std::shared_ptr<commodityInfo> commodity(int16_t id, const std::string& code, int32_t server,
                                         int16_t market, int16_t disk) {
    auto c = std::make_shared<commodityInfo>();
    c->CommodityID = id;
    c->CommodityCode = code;
    c->panindex = server;
    c->MarketID = market;
    c->DiskID = disk;
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

// Market 1 of server 0 lists AG in two panels of its own (as a live and a simulated one do);
// market 5 is the only one of server 1.
VKJYCatalogueSections::Items catalogue() {
    auto first = std::make_shared<MarketInfo>();
    first->MarketID = 1;
    first->diskInfoArray = {disk(1, 0, {commodity(1, "AG", 0, 1, 1), commodity(2, "AU", 0, 1, 1)}),
                            disk(2, 1, {commodity(9, "ZZ", 0, 1, 2)}),
                            disk(3, 0, {commodity(12, "AG", 0, 1, 3)})};
    auto second = std::make_shared<MarketInfo>();
    second->MarketID = 5;
    second->diskInfoArray = {
        disk(7, 0, {commodity(3, "PT", 1, 5, 7), commodity(4, "AU", 1, 5, 7)})};
    auto item = std::make_shared<MarketItem>();
    item->MarketInfoArray = {first, second};
    return {item};
}
}  // namespace

TEST(VKJYCatalogueSectionsTest, shouldListOnePanelInItsOwnRightPerSection) {
    const auto items = catalogue();
    const auto sections = VKJYCatalogueSections::sections(items);
    ASSERT_EQ(sections.size(), 3u);
    EXPECT_EQ(sections[2].market->MarketID, 5);
    EXPECT_EQ(sections[2].disk->DiskID, 7);
    const auto* rows = VKJYCatalogueSections::commoditiesOfSection(items, 2);
    ASSERT_NE(rows, nullptr);
    EXPECT_EQ((*rows)[0]->CommodityCode, "PT");
    EXPECT_EQ(VKJYCatalogueSections::commoditiesOfSection(items, 3), nullptr);
    EXPECT_EQ(VKJYCatalogueSections::commoditiesOfSection(items, -1), nullptr);
    EXPECT_EQ(VKJYCatalogueSections::commoditiesOfSection({}, 0), nullptr);
}

TEST(VKJYCatalogueSectionsTest, shouldFindThePanelOfTheCommodityItselfNotOfItsCode) {
    const auto items = catalogue();
    const auto simulated = commodity(12, "AG", 0, 1, 3);
    const auto found = VKJYCatalogueSections::marketAndDisk(items, *simulated);
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(found->at("MARKETID"), 1);
    EXPECT_EQ(found->at("DISKID"), 3);
    EXPECT_EQ(VKJYCatalogueSections::sectionOf(items, *simulated), 1);
    EXPECT_EQ(VKJYCatalogueSections::sectionOf(items, *commodity(4, "AU", 1, 5, 7)), 2);
    EXPECT_FALSE(VKJYCatalogueSections::marketAndDisk(items, *commodity(9, "ZZ", 0, 1, 2)));
    EXPECT_EQ(VKJYCatalogueSections::sectionOf(items, *commodity(9, "ZZ", 0, 1, 2)), -1);
}
