#include <gtest/gtest.h>

#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/SystemInfo.h"
#include "platform/ui/ActivityIndicator.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/Button.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Label.h"
#include "platform/ui/Screen.h"
#include "platform/ui/ScreenDriver.h"
#include "platform/ui/Window.h"
#include "quote/QuoteRecords.h"
#include "shell/CUIApplication.h"
#include "shell/Factory/VKJYScreenFactory.h"
#include "shell/MotionTween.h"
#include "shell/RWDZ/RWDZFuWuViewController.h"
#include "shell/RWDZ/RWDZGuideViewController.h"
#include "shell/RWDZ/RWDZTabBarController.h"
#include "shell/RWDZ/RWDZWelcomeViewController.h"
#include "shell/UIShiPeiClass.h"
#include "shell/VKDZ/VKDZFuWuViewController.h"
#include "shell/VKDZ/VKDZGuideViewController.h"
#include "shell/VKDZ/VKDZTabBarController.h"
#include "shell/VKDZ/VKDZWelcomeViewController.h"
#include "shell/VKJYActivityHold.h"
#include "shell/VKJYActivityOverlayView.h"
#include "shell/VKJYCommonViewUtil.h"
#include "shell/VKJYFastTradeDelegate.h"
#include "shell/VKJYFastTradeViewControllerFactory.h"
#include "shell/VKJYNavigationBarView.h"
#include "shell/VKJYNavigationBarViewDelegate.h"
#include "shell/VKJYTradingDirectionFactory.h"

namespace {
// The application class with one key window on a 4-inch headless screen.
class ShellViewTest : public ::testing::Test {
protected:
    ShellViewTest() : window(std::make_unique<Window>(screen.bounds())), driver(screen) {
        View::setAnimationSpeed(0);
        window->makeKeyAndVisible();
    }
    ~ShellViewTest() override {
        driver.settle();
        View::setAnimationSpeed(1);
    }

    CUIApplication app;
    Screen screen{{320, 568}, 1};
    std::unique_ptr<Window> window;
    ScreenDriver driver;
};

struct NavRecorder : VKJYNavigationBarViewDelegate {
    int back = 0;
    int menu = 0;
    void VKJYNavBackAction() override { ++back; }
    void VKJYNavMenuAction() override { ++menu; }
};

class RecordingPanel : public VKJYFastTradePanel {
public:
    explicit RecordingPanel(std::string kind) : kind(std::move(kind)) {}
    void addTradeViewCommodity(bool isShanJian, std::shared_ptr<commodityInfo> commodity,
                               MarketAndDisk marketAndDisk) override {
        shanJian = isShanJian;
        this->commodity = std::move(commodity);
        this->marketAndDisk = std::move(marketAndDisk);
    }
    void closeTradeView() override {}
    std::string kind;
    bool shanJian = false;
    std::shared_ptr<commodityInfo> commodity;
    MarketAndDisk marketAndDisk;
};
}  // namespace

TEST_F(ShellViewTest, shouldTakeTheTouchesUntilEveryHoldIsReleased) {
    int taps = 0;
    auto button = std::make_unique<Button>(Rect(100, 200, 120, 44));
    button->setTitle("下单");
    button->addTarget(TouchUpInside, [&](Control&) { ++taps; });
    window->addSubview(std::move(button));
    VKJYActivityHold first = VKJYActivityHold::raise();
    VKJYActivityHold second = VKJYActivityHold::raise();
    EXPECT_EQ(VKJYCommonViewUtil::activityCount(), 2);
    // Two requests share one overlay: the window is not darkened twice.
    EXPECT_EQ(driver.viewsOfClass<VKJYActivityOverlayView>().size(), 1u);
    EXPECT_TRUE(driver.saveSnapshot(std::string(VKJY_SNAPSHOT_DIR) + "/activity.png"));
    first.release();
    first.release();  // released twice: the other hold's overlay stays
    EXPECT_EQ(VKJYCommonViewUtil::activityCount(), 1);
    driver.tapAt({160, 222});
    EXPECT_EQ(taps, 0);  // the overlay takes the touch
    {
        VKJYActivityHold moved = std::move(second);
        EXPECT_FALSE(second.isRaised());
        EXPECT_EQ(VKJYCommonViewUtil::activityCount(), 1);
    }
    EXPECT_EQ(VKJYCommonViewUtil::activityCount(), 0);
    driver.settle();
    driver.tapAt({160, 222});
    EXPECT_EQ(taps, 1);
}

TEST_F(ShellViewTest, shouldKeepAnAlertShownBeforeTheOverlayTappable) {
    int taps = 0;
    struct Recorder : AlertViewDelegate {
        int* taps;
        explicit Recorder(int* taps) : taps(taps) {}
        void alertViewClickedButtonAtIndex(AlertView&, int) override { ++*taps; }
    } recorder(&taps);
    AlertView::show(std::make_unique<AlertView>("提示", "注销成功", &recorder, "确定"));
    VKJYActivityHold busy = VKJYActivityHold::raise();
    ASSERT_TRUE(busy.isRaised());
    EXPECT_TRUE(driver.tapAlertButton("确定"));
    EXPECT_EQ(taps, 1);
    EXPECT_EQ(VKJYCommonViewUtil::activityCount(), 1);
}

TEST_F(ShellViewTest, shouldCoverTheWholeWindowWithATurningSpinner) {
    VKJYActivityHold busy = VKJYActivityHold::raise();
    auto overlays = driver.viewsOfClass<VKJYActivityOverlayView>();
    ASSERT_EQ(overlays.size(), 1u);
    EXPECT_TRUE(overlays[0]->spinner()->isAnimating());
    EXPECT_TRUE(driver.isVisible(overlays[0]->spinner()));
    EXPECT_EQ(overlays[0]->frame().size().width, 320);
    EXPECT_EQ(overlays[0]->frame().size().height, 568);
}

TEST_F(ShellViewTest, shouldShowAToastAndRemoveItWhenItsTimeIsUp) {
    VKJYCommonViewUtil::showToast("已保存", 0.2);
    View* toast = driver.viewWithText("已保存");
    ASSERT_NE(toast, nullptr);
    EXPECT_GT(toast->frame().y, 400);
    EXPECT_TRUE(driver.runUntil([&] { return driver.viewWithText("已保存") == nullptr; }, 3));
}

TEST_F(ShellViewTest, shouldPostScreenTimeOutOnlyWhenATouchBeginsOrEnds) {
    int posts = 0;
    NotificationCenter::defaultCenter().addObserver(
        this, CUIApplication::kScreenTimeOutNotification, nullptr,
        [&](const std::string&, const void*, const PropertyList&) { ++posts; });
    screen.sendTouches({{1, TouchPhase::Began, {50, 50}}}, 1.0);
    EXPECT_EQ(posts, 1);
    screen.sendTouches({{1, TouchPhase::Moved, {60, 60}}}, 1.1);
    screen.sendTouches({{1, TouchPhase::Moved, {70, 70}}}, 1.2);
    EXPECT_EQ(posts, 1);
    screen.sendTouches({{1, TouchPhase::Ended, {70, 70}}}, 1.3);
    EXPECT_EQ(posts, 2);
    screen.sendTouches({{2, TouchPhase::Began, {50, 50}}}, 2.0);
    screen.sendTouches({{2, TouchPhase::Cancelled, {50, 50}}}, 2.1);
    EXPECT_EQ(posts, 3);
    screen.sendKey("1", Key::None, 3.0);
    EXPECT_EQ(posts, 3);
    NotificationCenter::defaultCenter().removeObserver(this);
}

TEST_F(ShellViewTest, shouldSendBackAndMenuTapsToTheBarDelegate) {
    NavRecorder recorder;
    auto bar = std::make_unique<VKJYNavigationBarView>(Rect(0, 20, 320, 44));
    bar->setDelegate(&recorder);
    bar->title()->setText("持仓");
    VKJYNavigationBarView* shown = window->addSubview(std::move(bar));
    EXPECT_NE(driver.viewWithText("持仓"), nullptr);
    ASSERT_TRUE(driver.tap(shown->backButton()));
    EXPECT_EQ(recorder.back, 1);
    ASSERT_TRUE(driver.tap(shown->menuButton()));
    EXPECT_EQ(recorder.menu, 1);
    shown->menuButton()->setAlpha(0);
    shown->menuImageview()->setAlpha(0);
    EXPECT_FALSE(driver.tap(shown->menuButton()));
    EXPECT_EQ(recorder.menu, 1);
    shown->setDelegate(nullptr);
}

TEST(ShellVariantTest, shouldSelectEachBrandVariantsScreens) {
    auto noop = [] {};
    EXPECT_TRUE(dynamic_cast<VKDZWelcomeViewController*>(
        VKJYScreenFactory::createWelcome("VKDZ", noop).get()));
    EXPECT_TRUE(dynamic_cast<VKDZWelcomeViewController*>(
        VKJYScreenFactory::createWelcome("VKDZ_STORE", noop).get()));
    EXPECT_TRUE(dynamic_cast<RWDZWelcomeViewController*>(
        VKJYScreenFactory::createWelcome("RWDZ", noop).get()));
    EXPECT_TRUE(dynamic_cast<VKDZGuideViewController*>(
        VKJYScreenFactory::createGuide("VKDZ_STORE", noop).get()));
    EXPECT_TRUE(
        dynamic_cast<RWDZGuideViewController*>(VKJYScreenFactory::createGuide("RWDZ", noop).get()));
    auto vkdz = VKJYScreenFactory::createTabBar("VKDZ");
    auto rwdz = VKJYScreenFactory::createTabBar("RWDZ");
    EXPECT_TRUE(dynamic_cast<VKDZTabBarController*>(vkdz.get()));
    EXPECT_TRUE(dynamic_cast<RWDZTabBarController*>(rwdz.get()));
    ASSERT_EQ(rwdz->viewControllers().size(), 4u);
    auto* service = rwdz->viewControllers()[3]->childViewControllers().front();
    EXPECT_TRUE(dynamic_cast<RWDZFuWuViewController*>(service));
    EXPECT_TRUE(dynamic_cast<VKDZFuWuViewController*>(
        vkdz->viewControllers()[3]->childViewControllers().front()));
    EXPECT_EQ(rwdz->viewControllers()[0]->tabBarItem().selectedImage.name(),
              "rwdz_tab_hangqing_sel.png");
    EXPECT_EQ(vkdz->viewControllers()[0]->tabBarItem().selectedImage.name(),
              "vkdz_tab_hangqing_sel.png");
}

TEST(ShellVariantTest, shouldCaptionPriceColumnsAlikeForEveryVariant) {
    for (const char* name : {"VKDZ", "VKDZ_STORE", "RWDZ"}) {
        EXPECT_EQ(VKJYTradingDirectionFactory::highPriceText(name), "售出价");
        EXPECT_EQ(VKJYTradingDirectionFactory::lowPriceText(name), "购入价");
    }
}

TEST(ShellVariantTest, shouldMakeTheOrderBookPanelForOrderBookCommodities) {
    auto quoteOnly = std::make_shared<commodityInfo>();
    EXPECT_EQ(VKJYFastTradeViewControllerFactory::createFastTradeViewController(quoteOnly),
              nullptr);
    VKJYFastTradeViewControllerFactory::registerPanels(
        [] { return std::make_unique<RecordingPanel>("CPMS"); },
        [] { return std::make_unique<RecordingPanel>("ZYMS"); });
    auto orderBook = std::make_shared<commodityInfo>();
    orderBook->productJYtype = 4;
    auto panel = VKJYFastTradeViewControllerFactory::createFastTradeViewController(orderBook);
    ASSERT_TRUE(panel);
    auto* recording = dynamic_cast<RecordingPanel*>(panel.get());
    EXPECT_EQ(recording->kind, "ZYMS");
    auto other = VKJYFastTradeViewControllerFactory::createFastTradeViewController(quoteOnly);
    EXPECT_EQ(dynamic_cast<RecordingPanel*>(other.get())->kind, "CPMS");
    VKJYFastTradeDelegate host;
    VKJYFastTradeViewControllerFactory::setupFastTradeViewController(
        *panel, &host, std::map<std::string, int>{{"MARKETID", 1}, {"DISKID", 2}}, orderBook, true);
    EXPECT_EQ(panel->delegate(), &host);
    EXPECT_TRUE(recording->shanJian);
    EXPECT_EQ(recording->commodity, orderBook);
    EXPECT_EQ(recording->marketAndDisk->at("DISKID"), 2);
    VKJYFastTradeViewControllerFactory::registerPanels({}, {});
}

TEST(ShellVariantTest, shouldGiveTheApplicationRectangleForEachScreen) {
    SystemInfo::setScreenMode(SystemInfo::kFourInchScreen);
    Rect tall = UIShiPeiClass().APPViewRect();
    EXPECT_EQ(tall.y, 20);
    EXPECT_EQ(tall.height, 548);
    SystemInfo::setScreenMode(SystemInfo::kThreeAndAHalfInchScreen);
    Rect shortRect = UIShiPeiClass().APPViewRect();
    EXPECT_EQ(shortRect.width, 320);
    EXPECT_EQ(shortRect.height, 460);
    SystemInfo::resetOverrides();
}

TEST(MotionTweenTest, shouldRunAPeriodToItsEndValueAndStop) {
    std::vector<double> seen;
    auto period = MotionTweenPeriod::periodWithStartValue(100, 246, 0.1);
    MotionTween::sharedInstance().addTweenPeriod(
        period, [&](MotionTweenPeriod& p) { seen.push_back(p.tweenedValue()); },
        MotionTweenTimingFunctionBounceOut);
    ASSERT_TRUE(
        RunLoop::runUntil([] { return MotionTween::sharedInstance().runningCount() == 0; }, 3));
    ASSERT_GE(seen.size(), 2u);
    EXPECT_EQ(seen.back(), 246);
    for (double v : seen) {
        EXPECT_GE(v, 100);
        EXPECT_LE(v, 246.0001);
    }
}

TEST(MotionTweenTest, shouldStopARemovedOperation) {
    int calls = 0;
    auto point = MotionTweenCGPointLerpPeriod::periodWithStartPoint({0, 0}, {10, 20}, 5);
    auto operation =
        MotionTween::sharedInstance().addTweenPeriod(point, [&](MotionTweenPeriod&) { ++calls; });
    RunLoop::runUntil([&] { return calls > 0; }, 2);
    MotionTween::sharedInstance().removeTweenOperation(operation);
    const int after = calls;
    RunLoop::runFor(0.1);
    EXPECT_EQ(calls, after);
    EXPECT_EQ(MotionTween::sharedInstance().runningCount(), 0u);
    point->setProgress(0.5);
    EXPECT_EQ(point->tweenedCGPoint().x, 5);
    EXPECT_EQ(point->tweenedCGPoint().y, 10);
}

TEST(MotionTweenTest, shouldBounceOutFromZeroToOne) {
    EXPECT_DOUBLE_EQ(MotionTweenTimingFunctionBounceOut(0), 0);
    EXPECT_DOUBLE_EQ(MotionTweenTimingFunctionBounceOut(1), 1);
    EXPECT_NEAR(MotionTweenTimingFunctionBounceOut(1 / 2.75), 1, 1e-9);
    EXPECT_NEAR(MotionTweenTimingFunctionBounceOut(0.5), 0.765625, 1e-9);
}
