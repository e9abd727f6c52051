#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/ui/Screen.h"
#include "platform/ui/ScreenDriver.h"
#include "shell/CUIApplication.h"
#include "shell/VKJYAppDelegate.h"
#include "sim/core/SimExchange.h"
#include "support/ScopedEnvironment.h"
#include "support/TempFolder.h"
#include "support/TempHome.h"
#include "support/TestClock.h"

// The client's shell against the in-process simulated exchange: a fresh app home, resources
// whose Info.plist names the simulator's directory lines, a headless 4-inch screen and the
// application class. launch() makes the delegate and finishes launching, as main does. Every
// case starts and ends with no tab roots, trading screens or quick-trade panels registered, and
// runs on the test clock (TestClock): its timers and every span it waits are on that clock.
class ShellTest : public ::testing::Test {
protected:
    // The simulated exchange runs as a separate process the test starts itself (SimProcess);
    // `sim` stays stopped and the test launches with launchWithUrls().
    struct OutOfProcessSimulator {};

    // A 4-inch screen, or the 3.5-inch one for a height of 480.
    explicit ShellTest(Size screenSize = {320, 568});
    ShellTest(Size screenSize, OutOfProcessSimulator);
    ~ShellTest() override;

    // Writes Info.plist (the real one with these values) and launches.
    void launch(const std::string& vkAppName = "VKDZ");
    void launchWithUrls(const std::string& vkAppName, const std::string& url1,
                        const std::string& url2);
    void setGuideShown();
    bool runUntilTabBar(double seconds = 10);
    bool tabBarVisible() const;
    std::string snapshotPath(const std::string& name) const;

    // First, so that the whole case, set-up and tear-down included, runs at its pace.
    TestClock clock;
    TempHome home;
    TempFolder resources;
    SimExchange sim{SimExchange::testOptions()};
    ScopedEnvironment resourcesEnvironment{"VKJY_RESOURCES", resources.path().c_str()};
    CUIApplication app;
    Screen screen;
    ScreenDriver driver{screen};
    std::unique_ptr<VKJYAppDelegate> delegate;
    int terminatedWith = -1;
};
