#include <gtest/gtest.h>

#include "OpenFormTest.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/ui/Application.h"
#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "platform/ui/TableView.h"
#include "platform/ui/TextField.h"
#include "trade/common/PXCommodityInformationView.h"
#include "trade/common/PXTradeScreenFactory.h"

namespace {

using OpeningForms = OpenFormTest;

TEST_F(OpeningForms, keypadTypesTheQuantityAndTheDepositFollowsEachKey) {
    ASSERT_NE(openScreen(), nullptr);
    PXJYShiJiaJianCangView& form = *opening->shiJianView();
    pick(form, "AG");
    ASSERT_TRUE(driver->tap(form.shuLiang()));
    ASSERT_TRUE(driver->pressKey("1"));
    EXPECT_EQ(form.dingJin()->text(), "当前摘牌所需订金为5187.00元");
    ASSERT_TRUE(driver->pressKey("2"));
    EXPECT_EQ(form.dingJin()->text(), "当前摘牌所需订金为62244.00元");
    form.didBackspaceKeyPressed();
    EXPECT_EQ(form.shuLiang()->text(), "1");
    EXPECT_EQ(form.dingJin()->text(), "当前摘牌所需订金为5187.00元");
}

TEST_F(OpeningForms, theFormLiftsOverTheKeypadAndComesBackDownOnce) {
    ASSERT_NE(openScreen(), nullptr);
    PXJYShiJiaJianCangView& form = *opening->shiJianView();
    const double lowered = form.frame().y;
    ASSERT_TRUE(driver->tap(form.shuLiang()));
    driver->settle();
    EXPECT_EQ(form.frame().y, lowered - PXJianCangFormView::kLift);
    EXPECT_FALSE(form.commodityNameButton()->isEnabled());
    driver->pressKey("完成");
    driver->settle();
    EXPECT_EQ(form.frame().y, lowered);
    // A stray hide notice must not push the lowered form further down.
    NotificationCenter::defaultCenter().post(Application::kKeyboardWillHideNotification);
    driver->settle();
    EXPECT_EQ(form.frame().y, lowered);
    EXPECT_TRUE(form.commodityNameButton()->isEnabled());
}

TEST_F(OpeningForms, pickingACommodityClearsTheInputButKeepsTheSide) {
    ASSERT_NE(openScreen(), nullptr);
    PXJYShiJiaJianCangView& form = *opening->shiJianView();
    pick(form, "AG");
    ASSERT_TRUE(driver->tap(form.sellButton()));
    EXPECT_EQ(form.jiaGeZ()->text(), "5189");
    form.shuLiang()->setText("7");
    form.changebuttonAction();
    form.zuiDaDianCha()->setText("30");
    ASSERT_TRUE(driver->pressKey("完成"));
    pick(form, "AU");
    EXPECT_EQ(form.XiaDan_FangXiang(), 2);
    EXPECT_EQ(form.shuLiang()->text(), "");
    EXPECT_EQ(form.zuiDaDianCha()->text(), "50");
    EXPECT_FALSE(form.DianCha());
    EXPECT_EQ(form.jiaGeZ()->text(), "380.50");
    EXPECT_EQ(opening->commodityInformationView()->sellL()->text(), "380.50");
    EXPECT_EQ(opening->zhiJianView()->commodityNameButton()->currentTitle(), "黄金");
}

TEST_F(OpeningForms, limitPriceFieldTakesOnlyAPrice) {
    ASSERT_NE(openScreen(), nullptr);
    ASSERT_TRUE(driver->tap(opening->ZJbutton()));
    PXJYZhiJiaJianCangView& form = *opening->zhiJianView();
    pick(form, "AU");
    ASSERT_TRUE(driver->tap(form.zhiJiaL()));
    driver->typeText(".");
    EXPECT_EQ(form.zhiJiaL()->text(), "");
    driver->typeText("0");
    driver->typeText("5");
    EXPECT_EQ(form.zhiJiaL()->text(), "0");
    driver->typeText(".");
    driver->typeText("5");
    driver->typeText(".");
    driver->typeText("x");
    // An input method's commit arrives as one insertion.
    driver->typeText("9abc");
    EXPECT_EQ(form.zhiJiaL()->text(), "0.5");
    EXPECT_EQ(form.dingJin()->text(), "当前摘牌所需订金为0.00元");
}

TEST_F(OpeningForms, stopBoxesNeedALimitPriceFirst) {
    ASSERT_NE(openScreen(), nullptr);
    ASSERT_TRUE(driver->tap(opening->ZJbutton()));
    PXJYZhiJiaJianCangView& form = *opening->zhiJianView();
    pick(form, "AU");
    ASSERT_TRUE(driver->tap(form.zhiSunbutton()));
    EXPECT_EQ(alertMessage(), "条件价格不能为空");
    ASSERT_TRUE(driver->tapAlertButton("确定"));
    EXPECT_FALSE(form.JCZhiSun());
    EXPECT_FALSE(driver->isVisible(form.zhiS()));

    form.zhiJiaL()->setText("379.00");
    ASSERT_TRUE(driver->tap(form.zhiSunbutton()));
    EXPECT_TRUE(form.JCZhiSun());
    EXPECT_TRUE(driver->isVisible(form.SfanWei()));
    form.zhiSunbuttonActionZJ();
    EXPECT_FALSE(form.JCZhiSun());
}

TEST_F(OpeningForms, anOrderBookCommodityOpensItsOwnScreenAndKeepsThisOne) {
    ViewController* pushed = nullptr;
    PXTradeScreenFactory::registerScreen("PXJYJianCangZYMSVC", [&](const PXTradeScreenArgs& args) {
        EXPECT_EQ(args.commodityCode, "NI");
        auto screen = std::make_unique<ViewController>();
        pushed = screen.get();
        return screen;
    });
    ASSERT_NE(openScreen(), nullptr);
    pick(*opening->shiJianView(), "AG");
    pick(*opening->shiJianView(), "NI");
    EXPECT_EQ(navigation->topViewController(), pushed);
    EXPECT_EQ(opening->nowCommodityCode(), "AG");
    EXPECT_EQ(opening->shiJianView()->commodityNameButton()->currentTitle(), "白银");
    PXTradeScreenFactory::registerScreen("PXJYJianCangZYMSVC", nullptr);
}

TEST_F(OpeningForms, boardRefreshesOnThePriceTickWhileVisible) {
    ASSERT_NE(openScreen(), nullptr);
    pick(*opening->shiJianView(), "AG");
    setPrices("AG", 5200, 5202);
    module->post("JYRefreshTimer");
    EXPECT_EQ(opening->commodityInformationView()->buyl()->text(), "5200");
    EXPECT_EQ(opening->shiJianView()->jiaGeZ()->text(), "5200");
    navigation->pushViewController(std::make_unique<ViewController>(), false);
    driver->settle();
    setPrices("AG", 5300, 5302);
    module->post("JYRefreshTimer");
    EXPECT_EQ(opening->commodityInformationView()->buyl()->text(), "5200");
}

using SmallScreenForms = SmallScreenFormTest;

TEST_F(SmallScreenForms, bothTabsFitTheSmallScreen) {
    ASSERT_NE(openScreen(), nullptr);
    pick(*opening->shiJianView(), "AG");
    opening->shiJianView()->shuLiang()->setText("3");
    opening->shiJianView()->dangQianSuoXuDingJin();
    EXPECT_TRUE(driver->isVisible(opening->shiJianView()->jianCangButton()));
    EXPECT_LE(opening->shiJianView()->frame().maxY(), 480);
    snapshot("market-480");
    ASSERT_TRUE(driver->tap(opening->ZJbutton()));
    opening->zhiJianView()->shuLiang()->setText("3");
    opening->zhiJianView()->zhiJiaL()->setText("5180");
    EXPECT_TRUE(driver->isVisible(opening->zhiJianView()->jianCangButton()));
    snapshot("conditional-480");
}

}  // namespace
