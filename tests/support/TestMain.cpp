#include <gtest/gtest.h>

#include <QGuiApplication>
#include <cstdlib>

#include "platform/ui/Screen.h"
#include "support/FreshHomePerTest.h"
#include "support/FreshQuoteStatePerTest.h"

namespace {

// 2026-01-05 09:30 UTC: what the status bar shows in every picture a test takes.
constexpr double kHeldScreenClock = 1767605400;

}  // namespace

// Leak reports from system libraries that keep allocations for the life of the process.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libQt6\nleak:libfontconfig\nleak:libdbus\nleak:libglib\n";
}

// Every test program gets one GUI application object: the run loop, timers, network replies
// and font rendering all need it. Tests run with the offscreen platform and the source tree's
// resources unless the environment says otherwise, each test in a fresh temporary home and
// with nothing known of the exchange. The status bar's clock stands still, so that two pictures
// of the same screen are the same on whichever side of a minute they were taken.
int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("VKJY_RESOURCES", VKJY_TEST_RESOURCES, 0);
    QGuiApplication app(argc, argv);
    Screen::holdClock(kHeldScreenClock);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new FreshHomePerTest);
    ::testing::UnitTest::GetInstance()->listeners().Append(new FreshQuoteStatePerTest);
    return RUN_ALL_TESTS();
}
