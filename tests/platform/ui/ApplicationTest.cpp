#include <QCoreApplication>
#include <QMouseEvent>
#include <QWindow>

#include "UiFixture.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/SystemInfo.h"
#include "platform/ui/Button.h"
#include "platform/ui/Event.h"
#include "platform/ui/Touch.h"

namespace {

// Extends dispatch the way the shell's application class does: after the normal dispatch it
// notes every touch that began or ended.
class WatchingApplication : public Application {
public:
    void sendEvent(Event& event) override {
        Application::sendEvent(event);
        if (event.type() != Event::Type::Touches) {
            return;
        }
        for (Touch* t : event.allTouches()) {
            if (t->phase() == TouchPhase::Began || t->phase() == TouchPhase::Ended) {
                ++seen;
            }
        }
    }
    int seen = 0;
};

class Delegate : public ApplicationDelegate {
public:
    bool didFinishLaunching(Application&) override {
        log.add("launched");
        return true;
    }
    void willTerminate(Application&) override { log.add("terminate"); }
    CallLog log;
};

}  // namespace

TEST(ApplicationEvents, shouldLetSubclassSeeEveryTouchAfterNormalDispatch) {
    WatchingApplication app;
    Screen screen;
    Window window(screen.bounds());
    window.makeKeyAndVisible();
    ScreenDriver driver(screen);
    int presses = 0;
    auto* button = window.addSubview(Button::create(Button::Type::Custom, {0, 100, 100, 44}));
    button->addTarget(TouchUpInside, [&](Control&) { ++presses; });
    driver.tap(button);
    driver.drag({200, 300}, {220, 320});
    EXPECT_EQ(presses, 1);
    EXPECT_EQ(app.seen, 4);
    EXPECT_EQ(Application::shared(), &app);
}

TEST(ApplicationEvents, shouldTellDelegateAndPostOnTermination) {
    Application app;
    Delegate delegate;
    app.setDelegate(&delegate);
    int exitCode = -1;
    app.setTerminateHandler([&](int code) { exitCode = code; });
    bool posted = false;
    NotificationCenter::defaultCenter().addObserver(
        &posted, Application::kWillTerminateNotification, nullptr,
        [&](const std::string&, const void*, const PropertyList&) { posted = true; });
    EXPECT_TRUE(app.finishLaunching());
    app.terminate(0);
    NotificationCenter::defaultCenter().removeObserver(&posted);
    EXPECT_EQ(delegate.log.calls, (std::vector<std::string>{"launched", "terminate"}));
    EXPECT_EQ(exitCode, 0);
    EXPECT_TRUE(posted);
}

TEST(ApplicationEvents, shouldHandUrlsToTheHandler) {
    Application app;
    EXPECT_FALSE(app.openURL("tel:4008008888"));
    std::string opened;
    app.setOpenURLHandler([&](const std::string& url) {
        opened = url;
        return true;
    });
    EXPECT_TRUE(app.openURL("tel:4008008888"));
    EXPECT_EQ(opened, "tel:4008008888");
    app.setIdleTimerDisabled(true);
    EXPECT_TRUE(app.isIdleTimerDisabled());
}

TEST(ScreenSizes, shouldFollowSystemScreenMode) {
    SystemInfo::setScreenMode(SystemInfo::kFourInchScreen);
    EXPECT_EQ(Screen::currentModeSize(), (Size{320, 568}));
    SystemInfo::setScreenMode(SystemInfo::kThreeAndAHalfInchScreen);
    EXPECT_EQ(Screen::currentModeSize(), (Size{320, 480}));
    SystemInfo::resetOverrides();
}

class DesktopWindow : public UiTest {};

TEST_F(DesktopWindow, shouldTurnMouseClicksAtScaleIntoTaps) {
    int presses = 0;
    auto* button = add(Button::create(Button::Type::Custom, {100, 200, 100, 44}));
    button->addTarget(TouchUpInside, [&](Control&) { ++presses; });
    Screen big({320, 568}, 2);
    big.showWindow("屏幕");
    QWindow* desktop = big.desktopWindow();
    ASSERT_NE(desktop, nullptr);
    EXPECT_EQ(desktop->size(), QSize(640, 1136));
    QPointF at(300, 440);
    QMouseEvent press(QEvent::MouseButtonPress, at, at, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at, at, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(desktop, &press);
    QCoreApplication::sendEvent(desktop, &release);
    EXPECT_EQ(presses, 1);
}
