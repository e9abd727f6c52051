#include <gtest/gtest.h>

#include "market/VKJYMarketCatalogue.h"

namespace {
struct Item {
    int16_t id;
    std::string code;
};

struct Panel {
    int16_t id;
    int16_t own;
    uint8_t type;
    std::vector<Item> items;
};

std::shared_ptr<commodityInfo> commodity(int server, int16_t market, int16_t disk, const Item& i) {
    auto c = std::make_shared<commodityInfo>();
    c->CommodityID = i.id;
    c->CommodityCode = i.code;
    c->CommodityName = "C" + std::to_string(i.id);
    c->MarketID = market;
    c->DiskID = disk;
    c->panindex = server;
    return c;
}

std::shared_ptr<MarketInfo> market(int server, int16_t id, const std::vector<Panel>& panels) {
    auto m = std::make_shared<MarketInfo>();
    m->MarketID = id;
    m->MarketIndex = server;
    for (const auto& p : panels) {
        auto d = std::make_shared<DiskInfo>();
        d->DiskID = p.id;
        d->ownDiskID = p.own;
        d->DiskType = p.type;
        for (const auto& i : p.items) {
            d->commodityInfoArray.push_back(commodity(server, id, p.id, i));
        }
        m->diskInfoArray.push_back(d);
    }
    return m;
}

VKJYMarketCatalogue catalogueOf(std::vector<std::shared_ptr<MarketInfo>> markets) {
    MarketItem item;
    item.MarketInfoArray = std::move(markets);
    VKJYMarketCatalogue catalogue;
    catalogue.addMarkets(item);
    return catalogue;
}

std::vector<int> diskIds(const VKJYMarketCatalogue& catalogue) {
    std::vector<int> ids;
    for (const auto& panel : catalogue.allPanels()) {
        ids.push_back(panel.disk->DiskID);
    }
    return ids;
}

std::vector<std::string> names(const DiskInfo& disk) {
    std::vector<std::string> result;
    for (const auto& c : disk.commodityInfoArray) {
        result.push_back(c->CommodityName);
    }
    return result;
}

std::shared_ptr<YiKouJia> quote(int16_t market, int16_t disk, int16_t id, double price) {
    auto q = std::make_shared<YiKouJia>();
    q->MarketID = market;
    q->DiskID = disk;
    q->commodityNum = id;
    q->newPrice = price;
    q->pkLegth = 49;
    return q;
}
}  // namespace

TEST(VKJYMarketCatalogueTest, shouldKeepOwnersAndFreePanelsAndDropSubordinatesAndRepeaters) {
    auto catalogue = catalogueOf({market(0, 1,
                                         {{1, 0, 1, {{1, "AG"}, {2, "AU"}}},
                                          {2, 0, 1, {{1, "AG"}, {3, "CU"}}},
                                          {3, 1, 1, {{2, "AU"}}},
                                          {4, 0, 0, {{4, "NI"}}},
                                          {5, 0, 1, {{6, "PD"}}}})});
    catalogue.merge([](int16_t, int16_t disk) { return disk == 5 ? "T" : ""; });
    catalogue.reindex();
    EXPECT_EQ(diskIds(catalogue), (std::vector<int>{1, 4, 5}));
    EXPECT_EQ(names(*catalogue.allPanels()[0].disk), (std::vector<std::string>{"C1", "C2"}));
    EXPECT_EQ(names(*catalogue.allPanels()[2].disk), (std::vector<std::string>{"C6(T)"}));
    EXPECT_EQ(catalogue.sections().size(), 3u);
    EXPECT_EQ(catalogue.commodityCount(), 4);
}

TEST(VKJYMarketCatalogueTest, shouldShareARepeatedCommodityOutToTheFirstFreePanelWithBothTags) {
    auto catalogue = catalogueOf(
        {market(0, 1, {{1, 0, 1, {{5, "ZN"}, {7, "SN"}}}, {2, 0, 1, {{5, "ZN"}, {8, "YB"}}}})});
    catalogue.merge([](int16_t, int16_t disk) { return disk == 1 ? "A" : "B"; });
    const auto panels = catalogue.allPanels();
    ASSERT_EQ(panels.size(), 2u);
    EXPECT_EQ(names(*panels[0].disk), (std::vector<std::string>{"C5(A)", "C7(A)"}));
    EXPECT_EQ(names(*panels[1].disk), (std::vector<std::string>{"C8(B)"}));
    EXPECT_EQ(panels[0].disk->commodityInfoArray[0]->tagArray,
              (std::vector<std::string>{"A", "B"}));
}

TEST(VKJYMarketCatalogueTest, shouldListAnOwnerNamedByTwoSubordinatesTwice) {
    auto catalogue = catalogueOf(
        {market(0, 1, {{1, 0, 1, {{1, "AG"}}}, {2, 1, 1, {{2, "AU"}}}, {3, 1, 1, {{3, "CU"}}}})});
    catalogue.merge({});
    catalogue.reindex();
    EXPECT_EQ(diskIds(catalogue), (std::vector<int>{1, 1}));
    EXPECT_EQ(catalogue.sections().size(), 2u);
}

TEST(VKJYMarketCatalogueTest, shouldGiveAPanelsSortedListToItsMarketsOnTheAnsweringServerOnly) {
    auto catalogue = catalogueOf({market(1, 3, {{1, 0, 1, {}}}), market(0, 1, {{1, 0, 1, {}}}),
                                  market(0, 3, {{1, 0, 1, {}}})});
    catalogue.sortMarkets();
    EXPECT_EQ(catalogue.markets()[0]->MarketID, 1);
    EXPECT_EQ(catalogue.markets()[1]->MarketIndex, 1);  // equal identifiers keep their order
    const std::vector<std::shared_ptr<commodityInfo>> list = {commodity(1, 3, 1, {9, "HM"}),
                                                              commodity(1, 3, 1, {8, "AB"})};
    EXPECT_TRUE(catalogue.setPanelCommodities(1, 3, 1, list));
    EXPECT_EQ(catalogue.markets()[1]->diskInfoArray[0]->commodityInfoArray[0]->CommodityCode, "AB");
    EXPECT_TRUE(catalogue.markets()[2]->diskInfoArray[0]->commodityInfoArray.empty());
    EXPECT_FALSE(catalogue.setPanelCommodities(2, 3, 1, list));
    EXPECT_TRUE(catalogue.setPanelCommodities(0, 1, 1, {}));
}

TEST(VKJYMarketCatalogueTest, shouldFillOnlyTheSlotsOfTheCommoditiesAReplyNames) {
    auto catalogue =
        catalogueOf({market(0, 1, {{1, 0, 1, {{1, "AG"}, {300, "PT"}}}, {4, 0, 1, {{4, "NI"}}}})});
    catalogue.reindex();
    // A reply longer than its panel, with an unknown entry and one of the next panel.
    const int taken = catalogue.applyQuotes(
        0, {quote(1, 1, 1, 10), quote(1, 1, 300, 11), quote(1, 1, 77, 12), quote(1, 4, 4, 13)});
    EXPECT_EQ(taken, 3);
    const auto table = catalogue.quoteTable();
    ASSERT_EQ(table.size(), 3u);
    EXPECT_EQ(table[1]->newPrice, 11);  // identifiers above 255 find their quote
    EXPECT_EQ(table[2]->newPrice, 13);
    EXPECT_EQ(catalogue.applyQuotes(1, {quote(1, 1, 1, 99)}), 0);  // another server's commodity
    EXPECT_EQ(
        catalogue.currentYiKouJia(*catalogue.allPanels()[0].disk->commodityInfoArray[0])->newPrice,
        10);
}

TEST(VKJYMarketCatalogueTest, shouldForgetQuotesOfCommoditiesThatLeaveTheCatalogue) {
    auto catalogue = catalogueOf({market(0, 1, {{1, 0, 1, {{1, "AG"}, {2, "AU"}}}})});
    catalogue.reindex();
    catalogue.applyQuotes(0, {quote(1, 1, 1, 10), quote(1, 1, 2, 20)});
    EXPECT_TRUE(catalogue.setPanelCommodities(0, 1, 1, {commodity(0, 1, 1, {2, "AU"})}));
    catalogue.reindex();
    EXPECT_EQ(catalogue.commodityCount(), 1);
    EXPECT_EQ(catalogue.quoteTable().size(), 1u);
    EXPECT_EQ(catalogue.applyQuotes(0, {quote(1, 1, 1, 10)}), 0);
}

TEST(VKJYMarketCatalogueTest, shouldFindADirectoryCommodityByMarketPanelAndCode) {
    auto catalogue = catalogueOf({market(0, 1, {{1, 0, 1, {{1, "AG"}}}, {2, 0, 1, {{3, "AG"}}}})});
    ASSERT_NE(catalogue.findCommodity(1, 2, "AG"), nullptr);
    EXPECT_EQ(catalogue.findCommodity(1, 2, "AG")->CommodityID, 3);
    EXPECT_EQ(catalogue.findCommodity(1, 1, "CU"), nullptr);
    EXPECT_EQ(catalogue.findCommodity(2, 1, "AG"), nullptr);
}
