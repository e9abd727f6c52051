#include <gtest/gtest.h>

#include "QueryScreenTest.h"
#include "platform/ui/Label.h"
#include "trade/login/PXJYSwitchingAccountView.h"
#include "trade/login/PXJYSwitchingAccountViewDelegate.h"
#include "trade/login/PXJYTradeLoginVC.h"
#include "trade/query/PXJYChaXunViewController.h"

namespace {
class QueryMenuTest : public QueryScreenTest {};

class QueryMenuSmallScreenTest : public QueryScreenTest {
protected:
    QueryMenuSmallScreenTest() : QueryScreenTest({320, 480}) {}
};

bool shows(ScreenDriver& driver, const std::string& text) {
    for (Label* label : driver.viewsOfClass<Label>()) {
        if (label->text() == text && !label->isHidden()) {
            return true;
        }
    }
    return false;
}
}  // namespace

TEST_F(QueryMenuTest, shouldOpenFromTheTradeHomeMenuWithTheFourRowsAndSendNothing) {
    auto* menu = openMenu();
    ASSERT_TRUE(menu);
    EXPECT_TRUE(menu->hidesBottomBarWhenPushed());
    for (const char* text : {"查询", "当前账号:", "成交查询", "订单查询", "持牌明细", "持牌汇总"}) {
        EXPECT_TRUE(shows(driver, text)) << text;
    }
    for (const char* request : {"tradequery", "my_order_query"}) {
        EXPECT_EQ(sent(request), 0) << request;
    }
    snapshot("menu-568");
}

TEST_F(QueryMenuTest, shouldIgnoreTapsOnTheRowTitles) {
    auto* menu = openMenu();
    ASSERT_TRUE(menu);
    const Rect row = menu->view()->viewWithTag(2)->frame();
    driver.tapAt({40, row.y + row.height / 2});
    driver.settle();
    EXPECT_EQ(topScreen(), menu);
}

TEST_F(QueryMenuTest, shouldRefreshTheAccountWhenBackFromTheLoginScreen) {
    auto* menu = openMenu();
    ASSERT_TRUE(menu);
    menu->switchingAccountView()->delegate()->PXPushLoginVC();
    driver.settle();
    ASSERT_TRUE(dynamic_cast<PXJYTradeLoginVC*>(topScreen()));
    tradeNavigation()->popViewController(false);
    driver.settle();
    EXPECT_EQ(topScreen(), menu);
    EXPECT_TRUE(shows(driver, loggedIn.account));
}

TEST_F(QueryMenuSmallScreenTest, shouldFitTheShortScreen) {
    auto* menu = openMenu();
    ASSERT_TRUE(menu);
    const Rect last = menu->view()->viewWithTag(4)->frame();
    EXPECT_LE(last.y + last.height, 480);
    snapshot("menu-480");
}
