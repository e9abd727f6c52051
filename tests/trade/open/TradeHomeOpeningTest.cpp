#include <gtest/gtest.h>

#include "OpenScreenTest.h"
#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "platform/ui/NavigationController.h"
#include "shell/VKJYNavigationBarView.h"
#include "shell/VKJYTabRootFactory.h"
#include "support/session/SimQuoteLookup.h"
#include "trade/common/PXTradeFormat.h"
#include "trade/login/PXJYRootViewController.h"
#include "trade/login/PXJYSwitchingAccountView.h"
#include "trade/login/PXJYTradeLoginVC.h"
#include "trade/login/PXTradeLoginScreens.h"

namespace {

// The trade tab's own root, so the opening screen is reached the way a user reaches it.
class TradeHomeOpening : public OpenScreenTest {
protected:
    void SetUp() override {
        registerPXTradeLoginScreens();
        OpenScreenTest::SetUp();
    }
    void TearDown() override {
        VKJYTabRootFactory::setTradeRootMaker(nullptr);
        OpenScreenTest::TearDown();
    }
};

TEST_F(TradeHomeOpening, theHomeMenuOpensTheScreenAndAnOrderComesBackAsAHolding) {
    setDefault("prompt", "2");
    NavigationController* navigation = tradeNavigation();
    auto* home = dynamic_cast<PXJYRootViewController*>(navigation->topViewController());
    ASSERT_NE(home, nullptr);
    driver.settle();
    ASSERT_TRUE(driver.tap(home->navigationBarView()->menuButton()));
    ASSERT_TRUE(driver.tapText("摘牌"));
    driver.settle();
    screen = dynamic_cast<PXJYJianCangViewController*>(navigation->topViewController());
    ASSERT_NE(screen, nullptr);

    // The account row shows the logged-in account.
    PXJYShiJiaJianCangView& form = *screen->shiJianView();
    ASSERT_NE(form.switchingAccountView(), nullptr);
    EXPECT_NE(form.switchingAccountView()->zhangHu()->text().find("0001"), std::string::npos)
        << form.switchingAccountView()->zhangHu()->text();

    const int before = heldLots("PT", "1");
    pick(form, "PT");
    typeQuantity(form, "1");
    ASSERT_TRUE(driver.tap(form.jianCangButton()));
    ASSERT_TRUE(driver.runUntil([&] { return alertMessage() == "下单成功"; }, 10))
        << alertMessage();
    EXPECT_EQ(navigation->topViewController(), home);
    ASSERT_TRUE(driver.tapAlertButton("确定"));
    ASSERT_TRUE(driver.runUntil([&] { return heldLots("PT", "1") == before + 1; }, 10));
    EXPECT_TRUE(driver.runUntil([&] { return driver.viewWithText("铂金") != nullptr; }, 5));
    snapshot("home-after-order");
}

TEST_F(TradeHomeOpening, addingAnAccountFromTheFormPushesTheLoginAndComesBack) {
    ASSERT_NE(openScreen(), nullptr);
    PXJYSwitchingAccountView* switcher = screen->shiJianView()->switchingAccountView();
    ASSERT_TRUE(driver.tap(switcher->accountButton()));
    driver.settle();
    EXPECT_FALSE(switcher->isHidden());
    snapshot("account-list");
    ASSERT_TRUE(driver.tapText("添加账号"));
    driver.settle();
    auto* login = dynamic_cast<PXJYTradeLoginVC*>(tradeNavigation()->topViewController());
    ASSERT_NE(login, nullptr);
    login->navigationBarView()->delegate()->VKJYNavBackAction();
    driver.settle();
    EXPECT_EQ(tradeNavigation()->topViewController(), screen);
}

}  // namespace
