#include <gtest/gtest.h>

#include "FundsScreenTest.h"
#include "platform/foundation/DateFormat.h"
#include "platform/ui/Button.h"
#include "platform/ui/DatePicker.h"
#include "platform/ui/TextField.h"
#include "shell/VKJYActivityOverlayView.h"
#include "sim/trade/SimTradeServer.h"
#include "trade/account/PXJYBankListView.h"
#include "trade/account/PXJYChuRuJinCaoZuoVC.h"
#include "trade/account/PXJYChuRuJinChaXunVC.h"
#include "trade/account/PXJYChuRuJinViewController.h"
#include "trade/account/PXJYXiuGaiZiJinMiMaVC.h"
#include "trade/account/PXJYYuEChaXunVC.h"
#include "trade/account/PXJYZiJinXinXiVC.h"

namespace {
constexpr double kShortScreen = 480;
}

class FundsSmallScreenTest : public FundsScreenTest {
protected:
    FundsSmallScreenTest() : FundsScreenTest({320, kShortScreen}) {}

    // Every control a person must reach lies on the short screen.
    void expectOnScreen(View* view, const std::string& what) {
        ASSERT_TRUE(view) << what;
        EXPECT_TRUE(driver.isVisible(view)) << what;
        EXPECT_LE(driver.visibleRect(view).maxY(), kShortScreen) << what;
        EXPECT_EQ(driver.visibleRect(view).height, view->frame().height) << what << " is cut";
    }

    // Opens the transfer form and fills it for the first bank, the keyboard put away.
    PXJYChuRuJinCaoZuoVC* fillTransfer(PXJYChuRuJinViewController& home,
                                       const std::string& amount) {
        auto* form = openEntryAs<PXJYChuRuJinCaoZuoVC>(home, 3);
        if (!form || !chooseBank(form->selectBank(), form->bankListView(), kBankName)) {
            ADD_FAILURE() << "no transfer form with a bank";
            return nullptr;
        }
        typeInto(form->moneyTextField(), amount);
        typeInto(form->passwordTextField(), kFundPassword);
        form->view()->endEditing();
        driver.settle();
        return form;
    }

    void back() {
        tradeNavigation()->popViewController(false);
        waitIdle();
    }
};

TEST_F(FundsSmallScreenTest, everyFundsScreenFitsTheShortScreen) {
    PXJYChuRuJinViewController* home = openHome();
    ASSERT_TRUE(home);
    expectOnScreen(driver.viewWithText("市场资金信息"), "the last menu row");
    snapshot("480-home");

    auto* form = fillTransfer(*home, "88.5");
    ASSERT_TRUE(form);
    expectOnScreen(driver.viewWithText("确定"), "the transfer's confirm button");
    snapshot("480-transfer");
    driver.tap(form->selectBank());
    expectOnScreen(form->bankListView(), "the bank list");
    snapshot("480-transfer-banks");
    back();

    auto* balance = openEntryAs<PXJYYuEChaXunVC>(*home, 4);
    ASSERT_TRUE(balance);
    expectOnScreen(driver.viewWithText("查询"), "the balance query button");
    snapshot("480-balance");
    back();

    auto* password = openEntryAs<PXJYXiuGaiZiJinMiMaVC>(*home, 2);
    ASSERT_TRUE(password);
    expectOnScreen(driver.viewWithText("确  定"), "the password change button");
    snapshot("480-fund-password");
    back();

    auto* funds = openEntryAs<PXJYZiJinXinXiVC>(*home, 5);
    ASSERT_TRUE(funds);
    ASSERT_TRUE(waitIdle());
    expectOnScreen(driver.viewWithText("可用资金:"), "the last account row");
    snapshot("480-market-funds");
    back();

    auto* history = openEntryAs<PXJYChuRuJinChaXunVC>(*home, 1);
    ASSERT_TRUE(history);
    driver.tap(history->startDateButton());
    driver.settle();
    expectOnScreen(history->datePicker(), "the date picker");
    expectOnScreen(driver.viewWithText("隐藏"), "the picker's hide button");
    snapshot("480-history-picker");
    // The seeded deposit lies three days before the simulator's day.
    const double seeded = static_cast<double>(sim.clock().nowMs()) / 1000 - 3 * 86400.0;
    const DateFormat exchangeDay("yyyy-MM-dd", DateFormat::Zone::fixed(8 * 3600));
    const DateFormat gmtDay("yyyy-MM-dd", DateFormat::Zone::gmt());
    history->datePicker()->setDate(*gmtDay.parse(exchangeDay.format(seeded)));
    history->datePicker()->sendActions(ValueChanged);
    driver.tapText("隐藏");
    driver.tapText("确  定");
    ASSERT_TRUE(waitIdle());
    ASSERT_TRUE(driver.runUntil([&] { return history->detailView()->frame().x == 0; }));
    snapshot("480-history-detail");
}

TEST_F(FundsSmallScreenTest, aTransferUnderWayCoversTheWholeShortScreen) {
    PXJYChuRuJinViewController* home = openHome();
    ASSERT_TRUE(home);
    auto* form = fillTransfer(*home, "6");
    ASSERT_TRUE(form);
    tradeServer().holdReplies("money_transfer");
    ASSERT_TRUE(driver.tapText("确定"));
    ASSERT_TRUE(waitAlert());
    answerAlert("确定");
    ASSERT_TRUE(driver.runUntil([&] { return sent("money_transfer") == 1; }, 5));
    const auto overlays = driver.viewsOfClass<VKJYActivityOverlayView>();
    ASSERT_EQ(overlays.size(), 1u);
    EXPECT_EQ(driver.visibleRect(overlays.front()).height, kShortScreen);
    EXPECT_FALSE(driver.tap(form->selectBank())) << "the overlay takes the touches";
    snapshot("480-transfer-sending");

    tradeServer().releaseReplies("money_transfer");
    ASSERT_TRUE(waitAlert());
    EXPECT_EQ(alertMessage(), "转账类型：入金\n转账金额：￥6");
    answerAlert();
    EXPECT_TRUE(waitIdle());
}
