#include <gtest/gtest.h>

#include <ostream>

#include "TradeLoginScreenTest.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/Button.h"
#include "shell/VKJYCommonViewUtil.h"
#include "shell/VKJYNavigationBarView.h"
#include "trade/account/PXJYTradeOthersController.h"
#include "trade/account/PXTradeAccountScreens.h"
#include "trade/common/PXTradeMessage.h"
#include "trade/core/PXTradeModule.h"
#include "trade/login/PXJYRootViewController.h"
#include "trade/login/PXJYTradeLoginVC.h"

namespace {
// The line test's probe, held at the exchange: the login screen's line test stays on its way
// until its one-second limit.
constexpr const char* kProbe = "GETVERSION";

struct PhoneScreen {
    const char* name;
    Size size;
};

void PrintTo(const PhoneScreen& screen, std::ostream* out) {
    *out << screen.name;
}

class LoginScreenAfterLogoffTest : public TradeLoginScreenTest,
                                   public ::testing::WithParamInterface<PhoneScreen> {
protected:
    LoginScreenAfterLogoffTest() : TradeLoginScreenTest(GetParam().size) {}
    void SetUp() override {
        TradeLoginScreenTest::SetUp();
        registerPXTradeAccountScreens();
    }
    void TearDown() override {
        tradeServer().releaseReplies(kProbe);
        TradeLoginScreenTest::TearDown();
    }

    // From the trade home through its menu to "更多", as a person goes.
    bool openMoreMenu() {
        auto* root = top<PXJYRootViewController>();
        if (!root || !driver.tap(root->navigationBarView()->menuButton())) {
            return false;
        }
        driver.settle();
        if (!driver.tapText("更多")) {
            return false;
        }
        return driver.runUntil([&] { return top<PXJYTradeOthersController>() != nullptr; });
    }
};
}  // namespace

// The logoff's message comes up as the trade tab goes back to its root, and the login screen
// its root brings up starts its line test a moment later: the message stays readable and its
// button answers while the line test runs.
TEST_P(LoginScreenAfterLogoffTest, shouldAnswerTheLogoffMessageWhileTheLineTestRuns) {
    ASSERT_TRUE(launchAndLogIn());
    ASSERT_TRUE(openMoreMenu());
    tradeServer().holdReplies(kProbe);
    ASSERT_TRUE(driver.tapText("    退出登录"));
    ASSERT_TRUE(driver.tapAlertButton("退出登录"));

    PXJYTradeLoginVC* login = nullptr;
    ASSERT_TRUE(driver.runUntil([&] {
        login = top<PXJYTradeLoginVC>();
        return login && driver.visibleAlert() && VKJYCommonViewUtil::activityCount() > 0;
    }));
    EXPECT_EQ(alertTexts(), "提示|注销成功");
    EXPECT_FALSE(tradeModule().tradeLogin());
    snapshot(std::string("logoff-message-over-line-test-") + GetParam().name);

    ASSERT_TRUE(driver.tapAlertButton("确定")) << "the line test's overlay covers the message";
    EXPECT_EQ(VKJYCommonViewUtil::activityCount(), 1) << "the line test is still on its way";

    // A message raised while the line test runs goes over its overlay.
    PXTradeMessage::show("请求网络失败");
    EXPECT_TRUE(driver.tapAlertButton("确定"));
    EXPECT_EQ(VKJYCommonViewUtil::activityCount(), 1);
    EXPECT_TRUE(driver.runUntil([&] { return driver.visibleAlert() == nullptr; }));

    tradeServer().releaseReplies(kProbe);
    EXPECT_TRUE(driver.runUntil([&] { return loginScreenReady(login); }));
}

INSTANTIATE_TEST_SUITE_P(Screens, LoginScreenAfterLogoffTest,
                         ::testing::Values(PhoneScreen{"568", {320, 568}},
                                           PhoneScreen{"480", {320, 480}}),
                         [](const auto& info) { return std::string("h") + info.param.name; });
