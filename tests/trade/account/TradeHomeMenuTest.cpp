#include <gtest/gtest.h>

#include "AccountScreenTest.h"
#include "trade/account/PXJYAccountInfoViewController.h"
#include "trade/account/PXJYGongGaoViewController.h"
#include "trade/account/PXJYTradeOthersController.h"
#include "trade/core/PXTradeModule.h"
#include "trade/core/PXTradeTimerManger.h"
#include "trade/login/PXJYRootViewController.h"
#include "trade/login/PXTradeLoginScreens.h"

namespace {
// The trade tab as the client shows it: the trade home at its root.
class TradeHomeMenuTest : public AccountScreenTest {
protected:
    void SetUp() override {
        registerPXTradeLoginScreens();
        AccountScreenTest::SetUp();
    }
};
}  // namespace

TEST_F(TradeHomeMenuTest, shouldOpenTheAnnouncementAccountAndMoreScreensFromTheHomeMenu) {
    auto* home = dynamic_cast<PXJYRootViewController*>(tradeNavigation()->topViewController());
    ASSERT_TRUE(home);
    struct Entry {
        int tag;
        std::function<bool(ViewController*)> isScreen;
    };
    const Entry entries[] = {
        {3, [](ViewController* c) { return dynamic_cast<PXJYGongGaoViewController*>(c); }},
        {7, [](ViewController* c) { return dynamic_cast<PXJYAccountInfoViewController*>(c); }},
        {8, [](ViewController* c) { return dynamic_cast<PXJYTradeOthersController*>(c); }},
    };
    for (const Entry& entry : entries) {
        tradeModule().PXJYTimerManger().setXinGongGao(true);
        home->headerClick(entry.tag);
        driver.settle();
        ViewController* top = topScreen();
        EXPECT_TRUE(entry.isScreen(top)) << entry.tag;
        EXPECT_TRUE(top->hidesBottomBarWhenPushed()) << entry.tag;
        EXPECT_EQ(tradeModule().PXJYTimerManger().xinGongGao(), entry.tag != 3) << entry.tag;
        tradeNavigation()->popToRootViewController(false);
        driver.settle();
    }
}
