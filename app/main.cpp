#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "VkjyOptions.h"
#include "analytics/TallyStatStartupAnalytics.h"
#include "market/VKJYMarketScreens.h"
#include "market/VKJYMarketUIViewController.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/SystemInfo.h"
#include "platform/ui/Screen.h"
#include "shell/CUIApplication.h"
#include "shell/VKJYAppDelegate.h"
#include "shell/VKJYResourcesCheck.h"
#include "trade/account/PXTradeAccountScreens.h"
#include "trade/close/PXTradeCloseScreens.h"
#include "trade/login/PXTradeLoginScreens.h"
#include "trade/open/PXTradeOpenScreens.h"
#include "trade/query/PXTradeQueryScreens.h"
#include "trade/quick/PXTradeQuickPanels.h"
#include "trade/quick/PXTradeQuickScreens.h"

namespace {
bool hasDisplay() {
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x11 && *x11) || (wayland && *wayland);
}
}  // namespace

// vkjy: the client. Runs the application shell in a phone-sized desktop window, or offscreen
// when there is no display or --headless is given.
int main(int argc, char** argv) {
    std::string error;
    auto options = VkjyOptions::parse(std::vector<std::string>(argv + 1, argv + argc), &error);
    if (!options) {
        std::fprintf(stderr, "vkjy: %s\n%s\n", error.c_str(), VkjyOptions::usage());
        return 2;
    }
    if (options->help) {
        std::printf("%s\n\nStarts the client against the servers its Info.plist names.\n\n%s\n",
                    VkjyOptions::usage(), VkjyOptions::optionsText());
        return 0;
    }
    if (auto problem = VKJYResourcesCheck::problem()) {
        std::fprintf(stderr, "vkjy: %s\n", problem->c_str());
        return 1;
    }
    if (!options->home.empty()) {
        setenv("VKJY_HOME", options->home.c_str(), 1);
    }
    if (options->headless || !hasDisplay()) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        std::printf("vkjy: no display, running offscreen (stop with Ctrl-C)\n");
        std::fflush(stdout);
    }
    QGuiApplication qt(argc, argv);
    SystemInfo::setScreenMode(options->fourInch ? SystemInfo::kFourInchScreen
                                                : SystemInfo::kThreeAndAHalfInchScreen);
    registerPXTradeLoginScreens();
    registerPXTradeOpenScreens();
    registerPXTradeCloseScreens();
    registerPXTradeQuickScreens();
    registerPXTradeAccountScreens();
    registerPXTradeQueryScreens();
    registerPXTradeQuickPanels();
    CUIApplication application;
    VKJYMarketUIViewController::registerAsMarketRoot();
    registerVKJYMarketScreens();
    Screen screen(options->fourInch ? Size{320, 568} : Size{320, 480}, options->scale);
    VKJYAppDelegate delegate(std::make_shared<TallyStatStartupAnalytics>());
    application.setDelegate(&delegate);
    application.finishLaunching();
    screen.showWindow("澜石金银");
    return RunLoop::run();
}
