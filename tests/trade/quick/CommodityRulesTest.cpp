#include <gtest/gtest.h>

#include "QuickScreenTest.h"
#include "platform/foundation/Text.h"
#include "platform/ui/Button.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/TableView.h"
#include "trade/common/PXTradeScreenFactory.h"
#include "trade/core/PXTradeCommodity.h"
#include "trade/core/PXTradeData.h"
#include "trade/login/PXJYRootViewController.h"
#include "trade/quick/PXCommodityRuleRows.h"
#include "trade/quick/PXJYCommodityDetailView.h"
#include "trade/quick/PXJYCommodityInfoViewController.h"

namespace {

TEST(CommodityRuleRows, unitAndFeeFollowTheirExamplesAndEveryStepGetsARow) {
    PXTradeCommodity commodity;
    commodity.commodityName = "白银";
    commodity.tradeUnit = "10";
    commodity.commodityUnit = "千克";
    commodity.shouXuFeiXiShu = "0.00123456";
    commodity.yanQiFeiArray = {{{"STEP_L", "1"}, {"STEP_V", "5"}, {"YA_V", "0.0005"}},
                               {{"STEP_L", "6"}, {"STEP_V", "10"}, {"YA_V", "0.001"}}};
    const auto rows = PXCommodityRuleRows::make(commodity);
    ASSERT_EQ(rows.titles.size(), rows.values.size());
    ASSERT_EQ(rows.titles.size(), 16u);
    EXPECT_EQ(rows.titles[3], "交易单位:");
    EXPECT_EQ(rows.values[3], "10.00千克");
    EXPECT_EQ(rows.titles[6], "手续费系数:");
    EXPECT_EQ(rows.values[6], "0.0012");
    EXPECT_EQ(rows.titles[13], "阶梯值:");
    EXPECT_EQ(rows.values[13], "交收滞纳金:");
    EXPECT_EQ(rows.titles[14], "1至5天");
    EXPECT_EQ(rows.values[14], "0.0005");
    EXPECT_EQ(rows.titles[15], "6至10天");
    EXPECT_EQ(rows.values[15], "0.0010");
}

TEST(CommodityRuleRows, theBlankStepOfAReplyWithoutStepsShowsOneRowOfBlanks) {
    PXTradeCommodity commodity;
    commodity.yanQiFeiArray = {{{"STEP_L", " "}, {"STEP_V", " "}, {"YA_V", " "}}};
    const auto rows = PXCommodityRuleRows::make(commodity);
    ASSERT_EQ(rows.titles.size(), 15u);
    EXPECT_EQ(rows.titles.back(), " 至 天");
    EXPECT_EQ(rows.values.back(), "0.0000");
    EXPECT_EQ(rows.values[3], "0.00");
}

class CommodityRules : public QuickScreenTest {
protected:
    explicit CommodityRules(Size size = {320, 568}) : QuickScreenTest(size) {}

    // No menu entry opens the screen; it is pushed the way the menu pushes its screens.
    PXJYCommodityInfoViewController* openRules() {
        PXJYRootViewController* root = home();
        auto screen = PXTradeScreenFactory::create("PXJYCommodityInfoViewController");
        if (!root || !screen) {
            return nullptr;
        }
        screen->setHidesBottomBarWhenPushed(true);
        tradeNavigation()->pushViewController(std::move(screen), true);
        driver.settle();
        return dynamic_cast<PXJYCommodityInfoViewController*>(
            tradeNavigation()->topViewController());
    }
};

TEST_F(CommodityRules, listsTheAccountsCommoditiesByCodeAndATapShowsTheirRules) {
    auto* screen = openRules();
    ASSERT_NE(screen, nullptr);
    EXPECT_FALSE(tabBarVisible());
    std::vector<std::string> codes;
    for (const auto& [code, commodity] : store().shangPinXinXi()) {
        codes.push_back(code);
    }
    ASSERT_FALSE(codes.empty());
    EXPECT_EQ(screen->commodityCodes(), codes);
    EXPECT_EQ(screen->tableView()->numberOfRows(0), static_cast<int>(codes.size()));
    const auto& ag = *store().shangPinXinXi().at("AG");
    EXPECT_NE(driver.viewWithText(ag.commodityName), nullptr);
    snapshot("rules-list");

    const auto row = std::find(codes.begin(), codes.end(), "AG") - codes.begin();
    ASSERT_TRUE(driver.tapRow(*screen->tableView(), IndexPath{0, static_cast<int>(row)}));
    driver.settle();
    PXJYCommodityDetailView& panel = *screen->commodityDetailView();
    EXPECT_TRUE(panel.isShown());
    const auto& titles = panel.AItitleArray();
    const auto& values = panel.AIvalueArray();
    ASSERT_EQ(titles.size(), 14 + ag.yanQiFeiArray.size());
    EXPECT_EQ(values[0], ag.commodityName);
    EXPECT_EQ(values[1], "AG");
    EXPECT_EQ(values[3], Text::format("%.2f", Text::doubleValue(ag.tradeUnit)) + ag.commodityUnit);
    EXPECT_EQ(titles[13], "阶梯值:");
    // The simulator's late-fee steps, one row each.
    ASSERT_FALSE(ag.yanQiFeiArray.empty());
    EXPECT_NE(titles[14].find("至"), std::string::npos);
    EXPECT_TRUE(driver.isVisible(driver.viewWithText("商品名称:")));
    snapshot("rules-detail");

    panel.VKJYNavBackAction();
    driver.settle();
    EXPECT_FALSE(panel.isShown());
}

class CommodityRulesShortScreen : public CommodityRules {
protected:
    CommodityRulesShortScreen() : CommodityRules({320, 480}) {}
};

TEST_F(CommodityRulesShortScreen, theRulesFitTheShortScreen) {
    auto* screen = openRules();
    ASSERT_NE(screen, nullptr);
    ASSERT_TRUE(driver.tapRow(*screen->tableView(), IndexPath{0, 0}));
    driver.settle();
    snapshot("short-rules-detail");
}

}  // namespace
