#include <gtest/gtest.h>

#include "OpenScreenTest.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/TextField.h"
#include "shell/VKJYCommonViewUtil.h"
#include "support/session/SimQuoteLookup.h"
#include "trade/common/PXCommodityInformationView.h"
#include "trade/common/PXTradeFormat.h"
#include "trade/core/PXTradeData.h"
#include "trade/core/PXTradeModule.h"

namespace {

using QuoteModeOpening = OpenScreenTest;

TEST_F(QuoteModeOpening, opensFromTheFactoryWithAnEmptyBoardAndUnfilledForms) {
    ASSERT_NE(openScreen(), nullptr);
    EXPECT_EQ(driver.viewsWithText("--").size(), 10u);
    EXPECT_EQ(screen->shiJianView()->commodityNameButton()->currentTitle(), "");
    EXPECT_EQ(screen->shiJianView()->fanWei()->text(), "");
    EXPECT_EQ(screen->shiJianView()->jiaGeZ()->text(), "");
    EXPECT_TRUE(driver.isVisible(screen->shiJianView()->jianCangButton()));
    EXPECT_FALSE(driver.isVisible(screen->zhiJianView()->jianCangButton()));
    snapshot("opened");
}

TEST_F(QuoteModeOpening, marketOrderInEachDirectionSendsTheQuotePriceAndOpensAHolding) {
    setDefault("prompt", "1");
    const int buyBefore = heldLots("AG", "1");
    const int sellBefore = heldLots("AG", "2");
    for (const int side : {1, 2}) {
        ASSERT_NE(openScreen(), nullptr);
        PXJYShiJiaJianCangView& form = *screen->shiJianView();
        pick(form, "AG");
        if (side == 2) {
            ASSERT_TRUE(driver.tap(form.sellButton()));
        }
        const auto quote = SimQuoteLookup::prices(sim, "AG");
        const std::string price =
            PXTradeFormat::priceText(side == 1 ? quote.buyPrice : quote.sellPrice, "1");
        EXPECT_EQ(form.jiaGeZ()->text(), price);
        typeQuantity(form, "2");
        ASSERT_TRUE(driver.tap(form.jianCangButton()));
        EXPECT_EQ(alertMessage(),
                  "   商品:白银\n   商品价格:" + price +
                      "\n   商品数量:2\n   方式:" + (side == 1 ? "摘牌购入" : "摘牌售出"));
        if (side == 1) {
            snapshot("confirmation");
        }
        ASSERT_TRUE(driver.tapAlertButton("确定"));
        ASSERT_TRUE(driver.runUntil([&] { return alertMessage() == "下单成功"; }, 10))
            << alertMessage();
        EXPECT_EQ(VKJYCommonViewUtil::activityCount(), 0);
        EXPECT_NE(tradeNavigation()->topViewController(), screen);
        ASSERT_TRUE(driver.tapAlertButton("确定"));

        const auto orders = received("order_s");
        ASSERT_EQ(orders.size(), static_cast<size_t>(side));
        const auto& order = orders.back();
        EXPECT_EQ(reqValue(order, "BUY_SELL"), std::to_string(side));
        EXPECT_EQ(reqValue(order, "COMMODITY_ID"), "AG");
        EXPECT_EQ(reqValue(order, "PRICE"), price);
        EXPECT_EQ(reqValue(order, "QTY"), "2");
        EXPECT_EQ(reqValue(order, "SETTLE_BASIS"), "1");
        EXPECT_EQ(reqValue(order, "DOT_DIFF"), "10");
        EXPECT_EQ(reqValue(order, "OTHER_ID"), "F001");
        EXPECT_EQ(reqValue(order, "USER_ID"), loggedIn.account);
        EXPECT_FALSE(reqValue(order, "SESSION_ID").empty());
    }
    // The next heartbeat reports the deals and the store re-reads the holdings.
    EXPECT_TRUE(driver.runUntil(
        [&] {
            return heldLots("AG", "1") == buyBefore + 2 && heldLots("AG", "2") == sellBefore + 2;
        },
        10))
        << heldLots("AG", "1") << " " << heldLots("AG", "2");
}

}  // namespace
