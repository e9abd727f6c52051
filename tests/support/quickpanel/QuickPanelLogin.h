#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "platform/foundation/WeakLink.h"

class ScreenDriver;
class VKJYAppDelegate;
class VKJYMarketChartController;
class ViewController;

// A login made away from the trade tab, as a person makes it on 行情: the market list, the quote
// screen of a commodity, its "速摘" quick panel and the panel's account switcher, with the switch
// screen it pushes over the quote screen. Made before the shell launches, since it registers the
// market tab's screens and the quick panels, and kept for the whole case. Main thread.
class QuickPanelLogin {
public:
    // The captcha code the simulator handed out under an identifier.
    using CaptchaCode = std::function<std::string(const std::string& uuid)>;

    QuickPanelLogin(ScreenDriver& driver, CaptchaCode captchaCode);
    ~QuickPanelLogin();
    QuickPanelLogin(const QuickPanelLogin&) = delete;
    QuickPanelLogin& operator=(const QuickPanelLogin&) = delete;

    // On 行情, the quote screen of that commodity, its "速摘" panel and, in the panel's switcher,
    // the saved account of that number, logged in there with the seeded password (and the
    // captcha, where its environment asks for one). Succeeds once the quote screen shows again
    // with the login in force and nothing busy; the trade tab is left as it was.
    ::testing::AssertionResult logIn(VKJYAppDelegate& app, const std::string& commodityName,
                                     const std::string& account);

private:
    VKJYMarketChartController* openChart(VKJYAppDelegate& app, const std::string& name);

    ScreenDriver& m_driver;
    CaptchaCode m_captchaCode;
    // The market tab's stack, whose quote screen goes with the case.
    WeakLink<ViewController> m_market;
};
