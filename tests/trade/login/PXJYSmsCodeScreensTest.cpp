#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "TradeLoginScreenTest.h"
#include "platform/foundation/HttpClient.h"
#include "platform/foundation/Paths.h"
#include "platform/foundation/Timer.h"
#include "platform/foundation/UserDefaults.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "platform/ui/TextField.h"
#include "shell/VKJYCommonViewUtil.h"
#include "shell/VKJYNavigationBarView.h"
#include "sim/trade/SimTradeServer.h"
#include "trade/login/PXJYRegisterUserVC.h"
#include "trade/login/PXJYRetrieveAccountVC.h"
#include "trade/login/PXJYRetrievePasswordVC.h"
#include "trade/login/PXJYTradeLoginVC.h"

namespace fs = std::filesystem;

namespace {
constexpr const char* kNewPhone = "13900000001";
constexpr const char* kRegisteredPhone = "13800000001";  // account 100000000000001
}  // namespace

class PXJYSmsCodeScreensTest : public TradeLoginScreenTest {
protected:
    // The login screen with the service of this link slid in.
    PXJYSmsCodeVC* openService(const std::string& link) {
        login = openLoginScreen();
        if (!login) {
            return nullptr;
        }
        EXPECT_TRUE(driver.tapText(link));
        PXJYSmsCodeVC* shown = nullptr;
        driver.runUntil([&] {
            for (PXJYSmsCodeVC* screen :
                 {static_cast<PXJYSmsCodeVC*>(login->createUserVC()),
                  static_cast<PXJYSmsCodeVC*>(login->resetPasswordVC()),
                  static_cast<PXJYSmsCodeVC*>(login->retrieveAccountVC())}) {
                if (screen->isShown() && VKJYCommonViewUtil::activityCount() == 0) {
                    shown = screen;
                }
            }
            return shown != nullptr;
        });
        EXPECT_TRUE(shown) << "no service screen slid in for " << link;
        return shown;
    }
    std::string smsCode(const std::string& phone) {
        return sim.trade().accountServices().smsCode(phone).value_or("");
    }
    // Taps the code button and waits for the reply.
    void requestCode(PXJYSmsCodeVC* screen) {
        ASSERT_TRUE(driver.tap(screen->captchaButton()));
        EXPECT_FALSE(screen->captchaButton()->isEnabled());
        ASSERT_TRUE(driver.runUntil([&] { return !screen->isRequestOut(); }));
    }
    bool runUntilAlert() {
        return driver.runUntil([&] { return driver.visibleAlert() != nullptr; }, 8);
    }
    std::vector<std::string> accountCommands() {
        std::vector<std::string> commands;
        for (const auto& request : received()) {
            const auto start = request.body.find("<CMD>");
            if (request.path.rfind("/account/", 0) == 0 && start != std::string::npos) {
                const auto end = request.body.find("</CMD>", start);
                commands.push_back(request.body.substr(start + 5, end - start - 5));
            }
        }
        return commands;
    }

    PXJYTradeLoginVC* login = nullptr;
};

TEST_F(PXJYSmsCodeScreensTest, shouldOpenAnAccountWhoseNumberThenLogsIn) {
    auto* screen = dynamic_cast<PXJYRegisterUserVC*>(openService("开户"));
    ASSERT_TRUE(screen);
    EXPECT_EQ(screen->NavTitle()->text(), "实盘开户");
    EXPECT_EQ(screen->advertising()->text(),
              "免费开通实盘,立即赠送十万模拟资金,零风险把握财富人生。");
    snapshot("open-account");
    typeOnKeypad(screen->phoneNumberTextField(), kNewPhone);
    requestCode(screen);
    EXPECT_FALSE(screen->ssid().empty());
    screen->timer()->fire();
    EXPECT_EQ(screen->captchaButton()->currentTitle(), "59秒后可以重新获取");
    typeOnKeypad(screen->captchaTextField(), smsCode(kNewPhone));
    dismissKeyboard();
    snapshot("open-account-code");
    ASSERT_TRUE(driver.tapText("开通"));
    // A second tap while the verification is out sends nothing more.
    screen->openAccountAction();
    ASSERT_TRUE(runUntilAlert());
    AlertView* done = driver.visibleAlert();
    EXPECT_EQ(done->title(), "开户成功");
    const std::string message = done->message();
    const auto at = message.find("交易账号:");
    ASSERT_NE(at, std::string::npos);
    const std::string account = message.substr(at + std::string("交易账号:").size(), 15);
    EXPECT_NE(message.find("交易密码:111111"), std::string::npos);
    EXPECT_EQ(accountCommands(), (std::vector<std::string>{"CREATEUSER"}));
    ASSERT_TRUE(driver.tapAlertButton("确定"));
    driver.settle();
    EXPECT_FALSE(screen->isShown());
    EXPECT_EQ(screen->phoneNumberTextField()->text(), "");

    logInOnScreen(login, account, "111111");
    EXPECT_TRUE(runUntilHome()) << alertTexts();
}

TEST_F(PXJYSmsCodeScreensTest, shouldShowBusyWhenATapComesWhileACodeRequestTravels) {
    auto* screen = dynamic_cast<PXJYRegisterUserVC*>(openService("开户"));
    ASSERT_TRUE(screen);
    typeOnKeypad(screen->phoneNumberTextField(), kNewPhone);
    requestCode(screen);
    typeOnKeypad(screen->captchaTextField(), smsCode(kNewPhone));
    dismissKeyboard();
    while (screen->timer()) {
        screen->timer()->fire();
    }
    ASSERT_TRUE(screen->captchaButton()->isEnabled());

    for (size_t i = 0; i < tradeServer("01", "01").lineCount(); ++i) {
        tradeServer("01", "01").line(i).setDelayMs(1500);
    }
    ASSERT_TRUE(driver.tap(screen->captchaButton()));
    ASSERT_TRUE(screen->isRequestOut());
    ASSERT_TRUE(driver.tapText("开通"));
    EXPECT_EQ(VKJYCommonViewUtil::activityCount(), 1) << "the tap must not vanish silently";
    snapshot("open-account-code-travelling");
    ASSERT_TRUE(driver.runUntil([&] { return !screen->isRequestOut(); }, 10));
    EXPECT_EQ(VKJYCommonViewUtil::activityCount(), 0);
    EXPECT_TRUE(accountCommands().empty()) << "the dropped tap sent nothing";
}

TEST_F(PXJYSmsCodeScreensTest, shouldRefuseAWrongAndAnExpiredCode) {
    auto* screen = dynamic_cast<PXJYRegisterUserVC*>(openService("开户"));
    ASSERT_TRUE(screen);
    typeOnKeypad(screen->phoneNumberTextField(), "1390000000");
    ASSERT_TRUE(driver.tap(screen->captchaButton()));
    EXPECT_EQ(alertTexts(), "提示|输入手机号有误！");
    ASSERT_TRUE(driver.tapAlertButton("确定"));
    EXPECT_TRUE(screen->captchaButton()->isEnabled());

    typeOnKeypad(screen->phoneNumberTextField(), "2");
    requestCode(screen);
    const std::string code = smsCode("13900000002");
    typeOnKeypad(screen->captchaTextField(), code == "000000" ? "111111" : "000000");
    dismissKeyboard();
    ASSERT_TRUE(driver.tapText("开通"));
    ASSERT_TRUE(runUntilAlert());
    EXPECT_EQ(alertTexts(), "提示|验证失败");
    ASSERT_TRUE(driver.tapAlertButton("确定"));
    EXPECT_EQ(VKJYCommonViewUtil::activityCount(), 0);

    sim.clock().advance(6 * 60 * 1000);
    screen->captchaTextField()->setText(code);
    ASSERT_TRUE(driver.tapText("开通"));
    ASSERT_TRUE(runUntilAlert());
    EXPECT_EQ(alertTexts(), "提示|验证失败");
    ASSERT_TRUE(driver.tapAlertButton("确定"));
    EXPECT_TRUE(accountCommands().empty());

    // The count-down ends at its sixtieth tick; the case took a few of them on its own.
    for (int left = screen->timeoutNum(); left > 0; --left) {
        ASSERT_TRUE(screen->timer()) << left << " ticks left";
        screen->timer()->fire();
    }
    EXPECT_TRUE(screen->captchaButton()->isEnabled());
    EXPECT_EQ(screen->captchaButton()->currentTitle(), "获取验证码");
    EXPECT_FALSE(screen->timer());
}

TEST_F(PXJYSmsCodeScreensTest, shouldNotOpenASecondAccountForARegisteredPhone) {
    auto* screen = dynamic_cast<PXJYRegisterUserVC*>(openService("开户"));
    ASSERT_TRUE(screen);
    typeOnKeypad(screen->phoneNumberTextField(), kRegisteredPhone);
    requestCode(screen);
    typeOnKeypad(screen->captchaTextField(), smsCode(kRegisteredPhone));
    dismissKeyboard();
    ASSERT_TRUE(driver.tapText("开通"));
    ASSERT_TRUE(runUntilAlert());
    EXPECT_EQ(alertTexts(), "提示|该手机号已开户");
    ASSERT_TRUE(driver.tapAlertButton("确定"));
    driver.settle();
    EXPECT_FALSE(screen->isShown());
}

TEST_F(PXJYSmsCodeScreensTest, shouldResetThePasswordWithTheCodeTheServiceChecksOnlyThen) {
    UserDefaults::standardUserDefaults().setBool(true, "DebugPreference");
    login = openLoginScreen();
    ASSERT_TRUE(login);
    typeOnKeypad(login->userNameTextField(), "100000000000001");
    dismissKeyboard();
    ASSERT_TRUE(driver.tapText("忘记密码"));
    auto* screen = login->resetPasswordVC();
    ASSERT_TRUE(driver.runUntil([&] { return screen->isShown(); }));
    EXPECT_EQ(screen->accountTF()->text(), "100000000000001");
    requestCode(screen);
    EXPECT_EQ(alertTexts(), "提示|验证码已发送到您尾号为138****0001的手机上");
    ASSERT_TRUE(driver.tapAlertButton("确定"));
    const std::string code = smsCode(kRegisteredPhone);

    // A wrong code passes "下一步", which sends nothing; the reset carries it and is refused.
    typeOnKeypad(screen->CaptchaTF(), code == "000000" ? "111111" : "000000");
    dismissKeyboard();
    ASSERT_TRUE(driver.runUntil([] { return HttpClient::exchangesInFlight() == 0; }));
    ASSERT_TRUE(driver.tapText("下一步"));
    EXPECT_TRUE(screen->resetView());
    EXPECT_FALSE(screen->isRequestOut());
    EXPECT_EQ(HttpClient::exchangesInFlight(), 0u) << "下一步 sent a request";
    typeText(screen->newPasswordTF(), "654321");
    typeText(screen->againTF(), "654321");
    dismissKeyboard();
    ASSERT_TRUE(driver.tapText("重置密码"));
    ASSERT_TRUE(runUntilAlert());
    EXPECT_EQ(alertTexts(), "提示|验证码错误");
    ASSERT_TRUE(driver.tapAlertButton("确定"));
    driver.settle();
    EXPECT_TRUE(screen->resetView()) << "a refused reset stays on the new password";
    EXPECT_EQ(accountCommands(), (std::vector<std::string>{"PHONEVERIFY", "RESETPASSWORD"}));

    // Back to the code, the right one this time.
    screen->resetViewBackButtonClick();
    driver.settle();
    EXPECT_EQ(screen->CaptchaTF()->text(), "");
    typeOnKeypad(screen->CaptchaTF(), code + "9");
    EXPECT_EQ(screen->CaptchaTF()->text(), code);
    dismissKeyboard();
    ASSERT_TRUE(driver.tapText("下一步"));
    ASSERT_TRUE(screen->resetView());
    // Four characters in eight bytes: short, so emptied with the alert.
    screen->newPasswordTF()->setText("密码12");
    screen->againTF()->setText("密码12");
    ASSERT_TRUE(driver.tapText("重置密码"));
    EXPECT_EQ(alertTexts(), "提示|新密码不得少于6位!");
    ASSERT_TRUE(driver.tapAlertButton("确定"));
    EXPECT_EQ(screen->newPasswordTF()->text(), "");
    typeText(screen->newPasswordTF(), "654321");
    typeText(screen->againTF(), "654320");
    dismissKeyboard();
    ASSERT_TRUE(driver.tapText("重置密码"));
    EXPECT_EQ(alertTexts(), "提示|两次输入不相符,请重新输入!");
    ASSERT_TRUE(driver.tapAlertButton("确定"));
    EXPECT_EQ(screen->againTF()->text(), "");
    typeText(screen->againTF(), "654321");
    dismissKeyboard();
    snapshot("reset-password");
    // Drawn as dots, in the snapshot too.
    EXPECT_TRUE(screen->newPasswordTF()->isSecureTextEntry());
    EXPECT_TRUE(screen->againTF()->isSecureTextEntry());
    ASSERT_TRUE(driver.tapText("重置密码"));
    ASSERT_TRUE(runUntilAlert());
    EXPECT_EQ(alertTexts(), "提示|重置密码成功");
    ASSERT_TRUE(driver.tapAlertButton("确定"));
    driver.settle();
    EXPECT_FALSE(screen->isShown());
    EXPECT_EQ(accountCommands(),
              (std::vector<std::string>{"PHONEVERIFY", "RESETPASSWORD", "RESETPASSWORD"}));

    logInOnScreen(login, "100000000000001", "654321");
    EXPECT_TRUE(runUntilHome()) << alertTexts();
    bool resetLogged = false;
    for (const auto& entry : fs::recursive_directory_iterator(Paths::documents())) {
        std::ifstream file(entry.path());
        std::stringstream text;
        text << file.rdbuf();
        resetLogged = resetLogged || text.str().find("RESETPASSWORD") != std::string::npos;
        EXPECT_EQ(text.str().find("654321"), std::string::npos) << entry.path();
    }
    EXPECT_TRUE(resetLogged) << "the day log holds no reset request";
}

TEST_F(PXJYSmsCodeScreensTest, shouldMoveOnWithoutACodeRequestAndRefuseTheResetWithoutOne) {
    auto* screen = dynamic_cast<PXJYRetrievePasswordVC*>(openService("忘记密码"));
    ASSERT_TRUE(screen);
    typeOnKeypad(screen->CaptchaTF(), "123456");
    dismissKeyboard();
    ASSERT_TRUE(driver.tapText("下一步"));
    ASSERT_TRUE(screen->resetView()) << "six digits are enough to go on";
    typeText(screen->newPasswordTF(), "654321");
    typeText(screen->againTF(), "654321");
    dismissKeyboard();
    ASSERT_TRUE(driver.tapText("重置密码"));
    EXPECT_EQ(alertTexts(), "提示|验证码已失效,请重新获取!");
    EXPECT_FALSE(screen->isRequestOut());
    EXPECT_TRUE(accountCommands().empty());
}

TEST_F(PXJYSmsCodeScreensTest, shouldRetrieveTheAccountOfAPhoneAndSayWhenThereIsNone) {
    auto* screen = dynamic_cast<PXJYRetrieveAccountVC*>(openService("忘记账号"));
    ASSERT_TRUE(screen);
    EXPECT_EQ(screen->NavTitle()->text(), "忘记账号");
    for (const auto& [phone, expected] :
         {std::pair<std::string, std::string>{"13800000002",
                                              "找回账号成功|您的交易账号:100000000000002"},
          {"13912345678", "提示|该手机号未开户"}}) {
        if (!screen->isShown()) {
            ASSERT_TRUE(driver.tapText("忘记账号"));
            ASSERT_TRUE(driver.runUntil([&] { return screen->isShown(); }));
        }
        typeOnKeypad(screen->phoneNumberTextField(), phone);
        requestCode(screen);
        typeOnKeypad(screen->captchaTextField(), smsCode(phone));
        dismissKeyboard();
        ASSERT_TRUE(driver.tapText("找回账号"));
        ASSERT_TRUE(runUntilAlert());
        EXPECT_EQ(alertTexts(), expected);
        if (phone == "13800000002") {
            snapshot("retrieve-account-answer");
        }
        ASSERT_TRUE(driver.tapAlertButton("确定"));
        driver.settle();
        EXPECT_FALSE(screen->isShown());
        // A new code may be asked for at once in the test.
        for (int tick = 0; tick < 60 && screen->timer(); ++tick) {
            screen->timer()->fire();
        }
    }
    EXPECT_EQ(accountCommands(), (std::vector<std::string>{"RETRIEVEACCOUNT", "RETRIEVEACCOUNT"}));
}

// A computer keyboard types into a keypad field only what its keypad could, within its limits.
TEST_F(PXJYSmsCodeScreensTest, shouldTakeFromAComputerKeyboardOnlyWhatTheKeypadTypes) {
    login = openLoginScreen();
    ASSERT_TRUE(login);
    const std::string typed = "ab12345678901234567890c";
    const std::string allDigits = "12345678901234567890";
    typeText(login->userNameTextField(), typed);
    EXPECT_EQ(login->userNameTextField()->text(), "1234 5678 9012 345");
    for (int i = 0; i < 4; ++i) {
        driver.pressBackspace();
    }
    EXPECT_EQ(login->userNameTextField()->text(), "1234 5678 9012");

    struct Case {
        PXJYSmsCodeVC* service;  // none for the login screen's own field
        TextField* field;
        std::string shown;
    };
    auto* opening = login->createUserVC();
    auto* reset = login->resetPasswordVC();
    auto* retrieval = login->retrieveAccountVC();
    const std::vector<Case> cases = {
        {nullptr, login->captchaTextField(), "1234"},
        {opening, opening->phoneNumberTextField(), allDigits},
        {opening, opening->captchaTextField(), allDigits},
        {reset, reset->accountTF(), "123456789012345"},
        {reset, reset->CaptchaTF(), "123456"},
        {retrieval, retrieval->phoneNumberTextField(), allDigits},
        {retrieval, retrieval->captchaTextField(), allDigits},
    };
    const std::map<PXJYSmsCodeVC*, std::string> links = {
        {opening, "开户"}, {reset, "忘记密码"}, {retrieval, "忘记账号"}};
    for (const Case& c : cases) {
        if (c.service && !c.service->isShown()) {
            dismissKeyboard();
            for (const auto& [other, link] : links) {
                if (other->isShown()) {
                    other->createUserViewBackButtonClick();
                }
            }
            driver.settle();
            ASSERT_TRUE(driver.tapText(links.at(c.service)));
            ASSERT_TRUE(driver.runUntil(
                [&] { return c.service->isShown() && VKJYCommonViewUtil::activityCount() == 0; }));
        }
        c.field->setText("");
        typeText(c.field, typed);
        EXPECT_EQ(c.field->text(), c.shown) << c.field->tag();
    }
}

TEST_F(PXJYSmsCodeScreensTest, shouldStopTheCountDownWhenTheLoginScreenGoes) {
    auto* screen = openService("开户");
    ASSERT_TRUE(screen);
    typeOnKeypad(dynamic_cast<PXJYRegisterUserVC*>(screen)->phoneNumberTextField(), kNewPhone);
    requestCode(screen);
    ASSERT_TRUE(screen->timer());
    screen->createUserViewBackButtonClick();
    driver.settle();
    ASSERT_TRUE(driver.tap(login->navigationBarView()->backButton()));
    driver.settle();
    // Ticks that would have come run on without the screen.
    driver.runFor(1.5);
    EXPECT_FALSE(driver.visibleAlert());
}
