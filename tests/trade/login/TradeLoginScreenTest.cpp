#include "TradeLoginScreenTest.h"

#include "platform/ui/AlertView.h"
#include "platform/ui/Button.h"
#include "platform/ui/TextField.h"
#include "platform/ui/Window.h"
#include "shell/VKJYCommonViewUtil.h"
#include "trade/core/PXTradeModule.h"
#include "trade/login/PXJYCaptchaButton.h"
#include "trade/login/PXJYRootViewController.h"
#include "trade/login/PXJYTradeLoginVC.h"
#include "trade/login/PXTradeLoginScreens.h"

TradeLoginScreenTest::TradeLoginScreenTest(Size screenSize) : TradeSessionFixture(screenSize) {
    registerPXTradeLoginScreens();
}

bool TradeLoginScreenTest::loginScreenReady(PXJYTradeLoginVC* screen) const {
    return screen && VKJYCommonViewUtil::activityCount() == 0 &&
           (!screen->captchaShown() || (!screen->captchaButton()->isLoading() &&
                                        !screen->captchaButton()->validString().empty()));
}

bool TradeLoginScreenTest::chooseEnvironment(PXJYTradeLoginVC* screen, const std::string& name) {
    return driver.tap(screen->environmentB()) && driver.tapText(name) &&
           driver.runUntil([&] { return loginScreenReady(screen); });
}

PXJYTradeLoginVC* TradeLoginScreenTest::openLoginScreen() {
    if (!launchShell()) {
        return nullptr;
    }
    PXJYTradeLoginVC* screen = nullptr;
    driver.runUntil([&] {
        screen = top<PXJYTradeLoginVC>();
        return loginScreenReady(screen);
    });
    EXPECT_TRUE(loginScreenReady(screen)) << "the login screen did not come up ready";
    return screen;
}

void TradeLoginScreenTest::dismissKeyboard() {
    if (driver.window() && driver.window()->keyboardView() && !driver.pressKey("完成")) {
        driver.pressReturn();
    }
}

void TradeLoginScreenTest::typeOnKeypad(TextField* field, const std::string& keys) {
    dismissKeyboard();
    ASSERT_TRUE(driver.tap(field));
    for (char key : keys) {
        ASSERT_TRUE(driver.pressKey(std::string(1, key))) << "key " << key;
    }
}

void TradeLoginScreenTest::typeText(TextField* field, const std::string& text) {
    dismissKeyboard();
    ASSERT_TRUE(driver.tap(field));
    driver.typeText(text);
}

std::string TradeLoginScreenTest::captchaOnDisplay(PXJYCaptchaButton* button,
                                                   const std::string& platform,
                                                   const std::string& environment) {
    return captchaCode(button->validString(), platform, environment);
}

void TradeLoginScreenTest::logInOnScreen(PXJYTradeLoginVC* screen, const std::string& account,
                                         const std::string& password, bool withCaptcha) {
    screen->userNameTextField()->setText("");
    screen->passWordTextField()->setText("");
    screen->captchaTextField()->setText("");
    typeOnKeypad(screen->userNameTextField(), account);
    typeText(screen->passWordTextField(), password);
    if (withCaptcha) {
        typeOnKeypad(screen->captchaTextField(), captchaOnDisplay(screen->captchaButton()));
        ASSERT_TRUE(driver.pressKey("完成"));
    } else {
        driver.pressReturn();
    }
    ASSERT_TRUE(driver.tap(screen->loginButton()));
}

bool TradeLoginScreenTest::runUntilHome(double seconds) {
    return driver.runUntil(
        [&] {
            return tradeModule().tradeLogin() && top<PXJYRootViewController>() &&
                   VKJYCommonViewUtil::activityCount() == 0;
        },
        seconds);
}

std::vector<SimTradeReceived> TradeLoginScreenTest::received(const std::string& platform,
                                                             const std::string& environment) {
    return tradeServer(platform, environment).received();
}

std::vector<std::string> TradeLoginScreenTest::receivedNames(const std::string& platform,
                                                             const std::string& environment) {
    std::vector<std::string> names;
    for (const auto& request : received(platform, environment)) {
        if (!request.name.empty()) {
            names.push_back(request.name);
        } else if (request.body.rfind("<", 0) == 0) {
            names.push_back("probe");
        } else {
            names.push_back("captcha");
        }
    }
    return names;
}

std::string TradeLoginScreenTest::alertTexts() const {
    AlertView* alert = driver.visibleAlert();
    return alert ? alert->title() + "|" + alert->message() : std::string();
}

void TradeLoginScreenTest::snapshot(const std::string& name) {
    driver.settle();
    EXPECT_TRUE(driver.saveSnapshot(snapshotPath(name)));
}
