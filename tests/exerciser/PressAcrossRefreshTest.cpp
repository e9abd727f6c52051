#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PressAcrossRefresh.h"
#include "acceptance/TradingDayFixture.h"
#include "chart/HQDrawManager.h"
#include "chart/HQMarketChartManager.h"
#include "chart/HQMarketWMManager.h"
#include "market/VKJYCommodityCell.h"
#include "market/VKJYCommodityTableView.h"
#include "market/VKJYMarketChartController.h"
#include "market/VKJYMarketHelpOverlay.h"
#include "market/VKJYMarketUIViewController.h"
#include "platform/foundation/WeakLink.h"
#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "platform/ui/TableView.h"
#include "quote/QuoteRecords.h"

namespace {
class PressAcrossRefreshTest : public TradingDayFixture {
protected:
    // The quote screen of 白银, its chart drawn.
    void openTheQuoteScreen() {
        launchClient();
        ASSERT_TRUE(waitForText("实时行情 随时掌握"));
        for (int page = 0; page < 2; ++page) {
            driver.drag({280, 300}, {40, 300});
            driver.settle();
        }
        ASSERT_TRUE(driver.tapText("立即体验"));
        ASSERT_TRUE(runUntilTabBar());
        auto* list = waitForTop<VKJYMarketUIViewController>();
        ASSERT_NE(list, nullptr);
        TableView& rows = *list->CommodityInfoListTableView();
        // The list's gesture help comes with its first live prices.
        ASSERT_TRUE(waitFor([&] {
            auto* cell = dynamic_cast<VKJYCommodityCell*>(rows.cellForRow({1, 0}));
            const std::string price = cell ? cell->commodityPriceLabel()->text() : "";
            return !price.empty() && price != "--";
        }));
        for (int page = 0; page < 4 && !driver.viewsOfClass<VKJYMarketHelpOverlay>().empty();
             ++page) {
            driver.tapAt({160, 400});
            driver.settle();
        }
        ASSERT_TRUE(driver.tapRow(rows, {1, 0}));
        quote = waitForTop<VKJYMarketChartController>();
        ASSERT_NE(quote, nullptr);
        ASSERT_TRUE(waitFor([&] {
            auto* fenShi = quote->chartManager()->drawViewManagerFenShi();
            return fenShi && !fenShi->fenShiData().empty() && quote->chartManager()->WMManager();
        }));
    }

    void pick(const std::string& name) {
        const auto& rows = *quote->getCommodityInfoArrayBySection(
            quote->chartManager()->selectedCommodityInfo()->panindex);
        int row = 0;
        while (rows[static_cast<size_t>(row)]->CommodityName != name) {
            ++row;
        }
        ASSERT_TRUE(driver.tap(quote->commodityNameButton()));
        ASSERT_TRUE(driver.tapRow(*quote->commodityListTableView()->ComTableView(), {0, row}));
    }

    VKJYMarketChartController* quote = nullptr;
    std::vector<std::string> violations;
    PressAcrossRefresh rule{{driver, screen, [this] { return top<VKJYMarketChartController>(); },
                             [](View*) {}, [](const std::string&) {},
                             [this](const std::string& what) { violations.push_back(what); }}};
};

// The second of two quick picks waits for the chart's commodity lock and lands under a finger on
// the side panel's 明细 button: the panel is built again for 镍's order-book mode, with 五档
// beside 明细. The button went with the commodity left, which no refresh took away.
TEST_F(PressAcrossRefreshTest, shouldExcuseAButtonThatACommodityPickedBeforeThePressReplaced) {
    openTheQuoteScreen();
    ASSERT_FALSE(HasFatalFailure());
    pick("铂金");
    pick("镍");
    HQMarketChartManager& chart = *quote->chartManager();
    ASSERT_EQ(chart.selectedCommodityInfo()->CommodityName, "铂金");
    HQMarketWMManager& panel = *chart.WMManager();
    ASSERT_EQ(panel.wuDangButton(), nullptr);
    const WeakLink<Button> pressed(panel.mingXiButton());
    ASSERT_TRUE(pressed);

    rule.press(pressed.get(), 0.6, 0.1);

    EXPECT_EQ(chart.selectedCommodityInfo()->CommodityName, "镍");
    EXPECT_FALSE(pressed) << "the press no longer spans the held pick";
    EXPECT_NE(panel.wuDangButton(), nullptr);
    EXPECT_TRUE(violations.empty()) << violations.front();
}
}  // namespace
