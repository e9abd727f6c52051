#include <gtest/gtest.h>

#include "chart/HQMarketWMManager.h"
#include "platform/ui/Application.h"
#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "platform/ui/Screen.h"
#include "platform/ui/ScreenDriver.h"
#include "platform/ui/TableViewCell.h"
#include "platform/ui/Window.h"
#include "quote/QuoteRecords.h"

namespace {

std::shared_ptr<YiKouJia> bookQuote() {
    auto q = std::make_shared<YiKouJia>();
    q->commodityNum = 5;
    q->yesterdayClose = 200;
    q->wudang->WDNum = 3;
    for (double price : {203.0, 201.0, 202.0}) {
        q->wudang->sellPriceAry.push_back(std::make_shared<wuDangSell>(price, 10, 4));
    }
    for (double price : {199.0, 200.0, 198.0, 197.0, 196.0}) {
        q->wudang->buyPriceAry.push_back(std::make_shared<wuDangBuy>(price, 7, 0));
    }
    q->fenbi.push_back(std::make_shared<fenbi>(1, 0, 201.0, 3));
    return q;
}

}  // namespace

// The panel alone, 100 x 300 at the right of a phone screen.
class HQMarketWMManagerTest : public ::testing::Test {
protected:
    HQMarketWMManager& make(int mode) {
        auto panel = std::make_shared<HQMarketWMManager>(std::vector<std::shared_ptr<MarketItem>>{},
                                                         nullptr, 0, 0);
        panel->setFrame(Rect{220, 100, 100, 300});
        panel->setupViews(mode);
        m_window.addSubview(panel);
        m_panel = panel.get();
        return *panel;
    }

    // Texts of the three labels of a visible row.
    std::vector<std::string> row(TableView* table, int r) {
        m_driver.settle();
        TableViewCell* cell = table->cellForRow(IndexPath{0, r});
        if (!cell) {
            return {};
        }
        std::vector<std::string> texts;
        for (int tag = 1; tag <= 3; ++tag) {
            texts.push_back(ScreenDriver::textOf(cell->contentView()->viewWithTag(tag)));
        }
        return texts;
    }
    Color priceColour(TableView* table, int r) {
        m_driver.settle();
        TableViewCell* cell = table->cellForRow(IndexPath{0, r});
        auto* price = cell ? dynamic_cast<Label*>(cell->contentView()->viewWithTag(2)) : nullptr;
        return price ? price->textColor() : Color::clearColor();
    }

    Application m_app;
    Screen m_screen{Size{320, 568}, 1};
    Window m_window{m_screen.bounds()};
    ScreenDriver m_driver{m_screen};
    HQMarketWMManager* m_panel = nullptr;
};

TEST_F(HQMarketWMManagerTest, shouldSwitchBetweenBookAndTradesInOrderBookMode) {
    m_window.makeKeyAndVisible();
    HQMarketWMManager& panel = make(HQMarketWMManager::kOrderBookMode);
    panel.refreshAllTableView(bookQuote());
    EXPECT_EQ(panel.currentSwitchType(), HQMarketWMManager::kMingXiShown);
    EXPECT_TRUE(m_driver.isVisible(panel.mingXiUIView()));
    EXPECT_FALSE(m_driver.isVisible(panel.wuDangUIView()));
    EXPECT_EQ(panel.wuDangButton()->currentTitleColor(), Color::grayColor());
    // Hidden, the book tables still answer the trade view's ten rows.
    EXPECT_EQ(panel.numberOfRows(*panel.wuDangSellTableView(), 0), 10);

    ASSERT_TRUE(m_driver.tap(panel.wuDangButton()));
    EXPECT_EQ(panel.currentSwitchType(), HQMarketWMManager::kWuDangShown);
    EXPECT_TRUE(m_driver.isVisible(panel.wuDangUIView()));
    EXPECT_FALSE(m_driver.isVisible(panel.mingXiUIView()));
    EXPECT_EQ(panel.wuDangButton()->currentTitleColor(), Color::whiteColor());
    EXPECT_EQ(panel.mingXiButton()->currentTitleColor(), Color::grayColor());
    EXPECT_EQ(panel.numberOfRows(*panel.mingXiTableView(), 0), 0);
    EXPECT_EQ(row(panel.wuDangSellTableView(), 0), (std::vector<std::string>{"5", "-", "-"}));
    EXPECT_EQ(row(panel.wuDangSellTableView(), 2), (std::vector<std::string>{"3", "203", "6"}));
    EXPECT_EQ(row(panel.wuDangSellTableView(), 4), (std::vector<std::string>{"1", "201", "6"}));
    EXPECT_EQ(row(panel.wuDangBuyTableView(), 0), (std::vector<std::string>{"1", "200", "7"}));
    EXPECT_DOUBLE_EQ(*panel.heightForRow(*panel.wuDangBuyTableView(), {}), 27);
    // The bids' mark fills the lower half of the book and ends with the panel.
    const View* bids = m_driver.viewWithText("购");
    ASSERT_NE(bids, nullptr);
    EXPECT_DOUBLE_EQ(bids->convertRect(bids->bounds(), &panel).maxY(), 300);

    // A rebuild for a new frame keeps the book on show.
    panel.setFrame(Rect{220, 100, 100, 280});
    panel.recreateViews(HQMarketWMManager::kOrderBookMode);
    EXPECT_TRUE(m_driver.isVisible(panel.wuDangUIView()));
    EXPECT_EQ(row(panel.wuDangBuyTableView(), 4), (std::vector<std::string>{"5", "196", "7"}));
    ASSERT_TRUE(m_driver.tap(panel.mingXiButton()));
    EXPECT_EQ(row(panel.mingXiTableView(), 0)[1], "201");
    EXPECT_EQ(row(panel.mingXiTableView(), 1), (std::vector<std::string>{"-", "-", "-"}));
    // An empty trade row's dash keeps the price label's own red.
    EXPECT_EQ(priceColour(panel.mingXiTableView(), 1), Color::redColor());
}

// The chart asks for the views again at each pick, even of the commodity on show.
TEST_F(HQMarketWMManagerTest, shouldActOnAPressAcrossARebuildForTheSameModeAndSize) {
    m_window.makeKeyAndVisible();
    HQMarketWMManager& panel = make(HQMarketWMManager::kOrderBookMode);
    m_driver.longPress(m_driver.visibleRect(panel.wuDangButton()).center(), 0,
                       [&] { panel.recreateViews(HQMarketWMManager::kOrderBookMode); });
    EXPECT_EQ(panel.currentSwitchType(), HQMarketWMManager::kWuDangShown);
}

TEST_F(HQMarketWMManagerTest, shouldShowOnlyTradesInQuoteMode) {
    m_window.makeKeyAndVisible();
    HQMarketWMManager& panel = make(2);
    panel.refreshAllTableView(bookQuote());
    EXPECT_EQ(panel.wuDangButton(), nullptr);
    EXPECT_EQ(m_driver.viewWithText("五档"), nullptr);
    EXPECT_TRUE(m_driver.isVisible(panel.mingXiUIView()));
    EXPECT_DOUBLE_EQ(panel.mingXiButton()->frame().width, 100);
    EXPECT_DOUBLE_EQ(*panel.heightForRow(*panel.mingXiTableView(), {}), 24);
    // The trade table ends with the panel, under its header row: ten rows of 24.
    const Rect table = panel.mingXiTableView()->convertRect(panel.mingXiTableView()->bounds(), &panel);
    EXPECT_DOUBLE_EQ(table.maxY(), 300);
    EXPECT_DOUBLE_EQ(table.height, 240);
    const auto first = row(panel.mingXiTableView(), 0);
    ASSERT_EQ(first.size(), 3u);
    EXPECT_EQ(first[2], "3");
    panel.recreateViews(2);
    EXPECT_EQ(panel.currentSwitchType(), HQMarketWMManager::kMingXiShown);
    EXPECT_EQ(row(panel.mingXiTableView(), 0)[2], "3");

    // Ten falling trades, then another commodity's one: the rows it empties keep their green.
    auto falling = bookQuote();
    falling->commodityNum = 7;
    for (int i = 2; i <= 10; ++i) {
        falling->fenbi.push_back(std::make_shared<fenbi>(i, i, 190.0, 1));
    }
    falling->fenbi.front()->fbPrice = 190;
    panel.refreshAllTableView(falling);
    EXPECT_EQ(priceColour(panel.mingXiTableView(), 5), Color::greenColor());
    auto other = bookQuote();
    other->commodityNum = 6;
    other->fenbi.front()->fbPrice = 190;
    panel.refreshAllTableView(other);
    EXPECT_EQ(row(panel.mingXiTableView(), 5), (std::vector<std::string>{"-", "-", "-"}));
    EXPECT_EQ(priceColour(panel.mingXiTableView(), 5), Color::greenColor());
}
