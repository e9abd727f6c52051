#pragma once

#include <string>
#include <vector>

#include "platform/ui/NavigationController.h"
#include "sim/trade/SimTradeServer.h"
#include "support/session/TradeSessionFixture.h"

class PXJYCaptchaButton;
class PXJYTradeLoginVC;
class TextField;

// The shell with the trade tab's screens registered, against the simulator, driven through
// the trade tab: helpers to reach the login screen, type on its keypad and read what the
// simulated trading server received.
class TradeLoginScreenTest : public TradeSessionFixture {
protected:
    explicit TradeLoginScreenTest(Size screenSize = {320, 568});

    // Launches, selects the trade tab and waits until the login screen is ready (line chosen,
    // captcha shown where the environment has one).
    PXJYTradeLoginVC* openLoginScreen();
    bool loginScreenReady(PXJYTradeLoginVC* screen) const;
    // Picks the environment from the chooser's list and waits for the screen to be ready.
    bool chooseEnvironment(PXJYTradeLoginVC* screen, const std::string& name);
    template <typename T>
    T* top() {
        NavigationController* navigation = tradeNavigation();
        return navigation ? dynamic_cast<T*>(navigation->topViewController()) : nullptr;
    }
    // Ends editing the way a person does: "完成" on the keypad, return on the keyboard.
    void dismissKeyboard();
    void typeOnKeypad(TextField* field, const std::string& keys);
    void typeText(TextField* field, const std::string& text);
    // The code of the captcha on display, from the simulator.
    std::string captchaOnDisplay(PXJYCaptchaButton* button, const std::string& platform = "01",
                                 const std::string& environment = "01");
    // Fills the full login screen and taps "登录".
    void logInOnScreen(PXJYTradeLoginVC* screen, const std::string& account,
                       const std::string& password, bool withCaptcha = true);
    bool runUntilHome(double seconds = 10);
    // Request names ("req", or the path for the captcha and XML requests) an environment got.
    std::vector<std::string> receivedNames(const std::string& platform = "01",
                                           const std::string& environment = "01");
    std::vector<SimTradeReceived> received(const std::string& platform = "01",
                                           const std::string& environment = "01");
    std::string alertTexts() const;
    void snapshot(const std::string& name);
};
