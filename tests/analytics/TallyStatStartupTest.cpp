#include <gtest/gtest.h>

#include "TallyTestRig.h"
#include "analytics/TallyStatStartupAnalytics.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/Application.h"
#include "platform/ui/Screen.h"
#include "platform/ui/ScreenDriver.h"
#include "platform/ui/Window.h"
#include "shell/VKJYAppDelegate.h"

TEST(TallyStatStartupTest, shouldStartTheLibraryAndCheckForUpdatesFromTheApplicationDelegate) {
    TallyTestRig rig;
    rig.sim().setUpdateReply(R"({"update":"YES","version":"2.4","path":"http://127.0.0.1/2.4"})");
    Application application;
    Screen screen;
    Window window(screen.bounds());
    window.makeKeyAndVisible();
    ScreenDriver driver(screen);

    VKJYAppDelegate delegate(std::make_shared<TallyStatStartupAnalytics>());
    ASSERT_TRUE(driver.runUntil([&] { return driver.visibleAlert() != nullptr; }, 20));
    EXPECT_EQ(driver.visibleAlert()->title(), "澜石金银2.4");
    EXPECT_EQ(driver.visibleAlert()->buttonTitleAtIndex(0), "忽略");
    EXPECT_EQ(driver.visibleAlert()->buttonTitleAtIndex(1), "更新");
    ASSERT_TRUE(rig.runUntil([&] { return !rig.uploads().empty(); }));
    ASSERT_TRUE(rig.settle());

    const SimAnalyticsRequest upload = rig.uploads().front();
    EXPECT_EQ(upload.problem, "");
    EXPECT_EQ(upload.envelope->textAt(2), "5f2c9a7e01d34b8c");
    const std::string update = rig.sim().requests("/api/check_app_update").front().content;
    EXPECT_NE(update.find(R"("channel":"vkjy-sim")"), std::string::npos) << update;
    EXPECT_NE(update.find(R"("current_version":"2.3.0")"), std::string::npos) << update;
}
