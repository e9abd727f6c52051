#include <gtest/gtest.h>

#include "AccountScreenTest.h"
#include "base/UIButton_indexPath.h"
#include "platform/foundation/PropertyList.h"
#include "trade/account/PXJYAccountInfoViewController.h"
#include "trade/account/PXJYGongGaoViewController.h"
#include "trade/account/PXJYTradeOthersController.h"
#include "trade/core/PXTradeModule.h"
#include "trade/core/PXTradeTimerManger.h"
#include "trade/login/PXJYRootViewController.h"
#include "trade/login/PXJYSimpleLoginVC.h"
#include "trade/login/PXJYTradeLoginVC.h"
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

TEST_F(TradeHomeMenuTest, shouldOpenTheLoginScreensFromTheAccountList) {
    auto file = *PropertyList::readFile(delegate->accountInfoFilePath());
    file.find("01")->find("01")->set("100000000000002", "0");
    ASSERT_TRUE(file.writeFile(delegate->accountInfoFilePath()));
    auto* accounts = open<PXJYAccountInfoViewController>("PXJYAccountInfoViewController");
    ASSERT_TRUE(accounts);

    // The other account's switch button: the switch-account login, prefilled.
    const auto buttons = driver.viewsOfClass<UIButton_indexPath>();
    UIButton_indexPath* login = nullptr;
    for (auto* button : buttons) {
        if (button->backgroundImage().name() == "quan.png") {
            login = button;
        }
    }
    ASSERT_TRUE(login);
    ASSERT_TRUE(driver.tap(login));
    driver.settle();
    auto* simple = dynamic_cast<PXJYSimpleLoginVC*>(topScreen());
    ASSERT_TRUE(simple);
    EXPECT_TRUE(simple->hidesBottomBarWhenPushed());
    EXPECT_EQ(simple->selectedAccount(),
              (PXJYSavedAccount{loggedIn.platform, loggedIn.environment, "100000000000002"}));
    tradeNavigation()->popViewController(false);
    driver.settle();

    // The bar's "+": the main login screen.
    driver.tapAt({287, 42});
    driver.settle();
    EXPECT_TRUE(dynamic_cast<PXJYTradeLoginVC*>(topScreen()));
}
