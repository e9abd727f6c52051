#include "platform/foundation/Timer.h"
#include "platform/ui/UiFixture.h"
#include "widgets/UIViewToast.h"

namespace {

class Toasts : public UiTest {};

TEST_F(Toasts, shouldShowTheMessageAtTheBottomCentreOfTheView) {
    View* host = add(std::make_unique<View>(Rect{0, 64, 320, 400}));
    UIViewToast* toast = UIViewToast::makeToast(*host, "暂无分时数据");
    driver.settle();
    ASSERT_NE(driver.viewWithText("暂无分时数据"), nullptr);
    EXPECT_EQ(toast->superview(), host);
    const Rect frame = toast->frame();
    EXPECT_NEAR(frame.midX(), 160, 0.5);
    EXPECT_NEAR(frame.maxY(), 390, 0.5);
    EXPECT_LT(frame.width, 320 * 0.8 + 0.5);
    EXPECT_TRUE(near(driver.colorAt({160, 64 + frame.y + 2}), 0, 0, 0) ||
                near(driver.colorAt({160, 64 + frame.y + 2}), 51, 51, 51));
}

TEST_F(Toasts, shouldWrapALongMessageWithinTheView) {
    View* host = add(std::make_unique<View>(Rect{0, 0, 320, 480}));
    UIViewToast* toast = UIViewToast::makeToast(
        *host, "您长时间未操作,已自动退出交易系统!请重新登录后继续交易,谢谢您的使用。");
    EXPECT_LE(toast->frame().width, 320 * 0.8 + 0.5);
    EXPECT_GT(toast->frame().height, 40) << "two lines or more";
    EXPECT_LE(toast->frame().maxY(), 480);
}

TEST_F(Toasts, shouldGoAwayByItselfAfterThreeSeconds) {
    View* host = add(std::make_unique<View>(Rect{0, 0, 320, 480}));
    const double shownAt = Timer::now();
    UIViewToast::makeToast(*host, "请求网络失败");
    EXPECT_TRUE(driver.runUntil([&] { return driver.viewWithText("请求网络失败") == nullptr; }, 6));
    EXPECT_GE(Timer::now() - shownAt, UIViewToast::kDurationSeconds - 0.05);
    EXPECT_TRUE(host->subviews().empty());
}

}  // namespace
