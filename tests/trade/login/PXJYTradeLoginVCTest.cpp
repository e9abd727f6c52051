#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <ostream>

#include "TradeLoginScreenTest.h"
#include "platform/foundation/Paths.h"
#include "platform/foundation/PropertyList.h"
#include "platform/foundation/SystemSound.h"
#include "platform/foundation/Text.h"
#include "platform/foundation/UserDefaults.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/Button.h"
#include "platform/ui/TextField.h"
#include "shell/VKJYAppDelegate.h"
#include "shell/VKJYCommonViewUtil.h"
#include "shell/VKJYNavigationBarView.h"
#include "shell/VKJYTabBarHelper.h"
#include "sim/trade/SimTradeServer.h"
#include "trade/core/PXTradeData.h"
#include "trade/core/PXTradeModule.h"
#include "trade/core/PXTradePeiZhi.h"
#include "trade/login/PXJYCaptchaButton.h"
#include "trade/login/PXJYRootViewController.h"
#include "trade/login/PXJYTradeLoginVC.h"

namespace {
constexpr const char* kAccount = "100000000000001";
constexpr const char* kPassword = "111111";

nlohmann::json requestOf(const SimTradeReceived& received) {
    return nlohmann::json::parse(received.body)["VUZI"]["REQ"];
}

std::vector<std::string> withoutHeartbeats(std::vector<std::string> names) {
    std::erase(names, "SYS_TIME_QUERY");
    return names;
}
}  // namespace

using PXJYTradeLoginVCTest = TradeLoginScreenTest;

TEST_F(PXJYTradeLoginVCTest, shouldLogInWithTheCaptchaAndStartTheHeartbeat) {
    PXJYTradeLoginVC* screen = openLoginScreen();
    ASSERT_TRUE(screen);
    EXPECT_EQ(screen->platformB()->currentTitle(), "华东现货");
    snapshot("login-captcha");
    const std::string uuid = screen->captchaButton()->validString();
    const std::string code = captchaOnDisplay(screen->captchaButton());

    logInOnScreen(screen, kAccount, kPassword);
    ASSERT_TRUE(runUntilHome()) << alertTexts();
    ASSERT_TRUE(driver.runUntil(
        [&] {
            const auto names = receivedNames();
            return std::count(names.begin(), names.end(), "SYS_TIME_QUERY") >= 2;
        },
        8));

    const auto names = receivedNames();
    ASSERT_GE(names.size(), 10u);
    // Both lines are probed at once and the captcha is asked for when the first answers, so the
    // slower probe may reach the server before or after the captcha request.
    EXPECT_EQ(names[0], "probe");
    std::vector<std::string> opening(names.begin(), names.begin() + 3);
    std::sort(opening.begin(), opening.end());
    EXPECT_EQ(opening, (std::vector<std::string>{"captcha", "probe", "probe"}));
    // The session's first heartbeat is the chain's own, sent before the holdings are read.
    const std::vector<std::string> chain = {
        "logon",         "commodity_query",      "other_firm_query", "SYS_TIME_QUERY",
        "holding_query", "holding_detail_query", "firm_info"};
    EXPECT_EQ(std::vector<std::string>(names.begin() + 3, names.begin() + 10), chain);
    const auto requests = received();
    const auto logon = requestOf(requests[3]);
    EXPECT_EQ(logon["USER_ID"], kAccount);
    EXPECT_EQ(logon["PASSWORD"], "");
    EXPECT_EQ(logon["VALID_UUID"], uuid);
    EXPECT_EQ(logon["VALID_CODE"], code);
    std::vector<std::string> curlogon;
    for (const auto& request : requests) {
        if (request.name == "SYS_TIME_QUERY") {
            curlogon.push_back(nlohmann::json::parse(request.body).value("curlogon", ""));
        }
    }
    ASSERT_GE(curlogon.size(), 2u);
    EXPECT_EQ(curlogon[0], "1");
    EXPECT_EQ(curlogon[1], "0");
    snapshot("home");
}

// Another device's deal booked after the login has read the holdings, before any heartbeat of
// the session came back, is news to this device: announced once, and its holding fetched.
TEST_F(PXJYTradeLoginVCTest, shouldAnnounceOnceADealMadeElsewhereWhileTheLoginReadsHoldings) {
    PXJYTradeLoginVC* screen = openLoginScreen();
    ASSERT_TRUE(screen);
    SimTradeServer& server = tradeServer("01", "01");
    // The holdings are read and the chain waits at the tickets while the other device deals.
    server.holdReplies("holding_detail_query");
    SystemSound::clearRecorded();
    logInOnScreen(screen, kAccount, kPassword);
    ASSERT_TRUE(driver.runUntil([&] {
        const auto now = receivedNames();
        return std::count(now.begin(), now.end(), "holding_detail_query") == 1;
    }));
    ASSERT_EQ(server.ledger().orderElsewhere(kAccount, "AG", 1, 1).value("retcode", -1), 0);
    server.releaseReplies("holding_detail_query");
    ASSERT_TRUE(runUntilHome()) << alertTexts();

    const auto holdsSilver = [&] {
        const auto& summaries = tradeModule().PXJYData().chiCangHuiZongXinXi();
        return std::any_of(summaries.begin(), summaries.end(),
                           [](const auto& summary) { return summary->commodityCode == "AG"; });
    };
    const auto dealToastShown = [&] {
        const auto texts = driver.visibleTexts();
        return std::any_of(texts.begin(), texts.end(), [](const std::string& text) {
            return text.find("摘牌  购入  1") != std::string::npos;
        });
    };
    EXPECT_TRUE(driver.runUntil(dealToastShown, 8));
    EXPECT_TRUE(driver.runUntil(holdsSilver, 8));
    const auto beats = [&] {
        const auto now = receivedNames();
        return std::count(now.begin(), now.end(), "SYS_TIME_QUERY");
    };
    const auto later = beats() + 3;
    ASSERT_TRUE(driver.runUntil([&] { return beats() >= later; }, 10));
    EXPECT_EQ(SystemSound::playedSounds(), std::vector<uint32_t>{1007});
}

namespace {
struct ChainBeatFault {
    const char* name;
    bool timedOut;  // else refused
};

void PrintTo(const ChainBeatFault& fault, std::ostream* out) {
    *out << fault.name;
}

class ChainBeatFaultTest : public TradeLoginScreenTest,
                           public ::testing::WithParamInterface<ChainBeatFault> {};
}  // namespace

// The chain's own heartbeat refused or never answered: the login still ends at the trade home.
// Deals booked before the timers' first beat took the day's count, one before the logon and one
// while the login read the holdings, are no news, yet the holdings shown hold both.
TEST_P(ChainBeatFaultTest, shouldLogInAndAnnounceNoEarlierDealWhenTheChainsHeartbeatFails) {
    PXJYTradeLoginVC* screen = openLoginScreen();
    ASSERT_TRUE(screen);
    SimTradeServer& server = tradeServer("01", "01");
    ASSERT_EQ(server.ledger().orderElsewhere(kAccount, "AG", 1, 1).value("retcode", -1), 0);
    if (GetParam().timedOut) {
        server.holdReplies("SYS_TIME_QUERY");
    } else {
        server.answerCodeNext(-1, "SYS_TIME_QUERY");
    }
    server.holdReplies("holding_detail_query");
    SystemSound::clearRecorded();
    logInOnScreen(screen, kAccount, kPassword);
    // A time-out takes the client's 20 s, on the test clock.
    const auto ticketsAsked = [&] {
        const auto now = receivedNames();
        return std::count(now.begin(), now.end(), "holding_detail_query") == 1;
    };
    driver.runUntil([&] { return ticketsAsked() || driver.visibleAlert(); }, 30);
    ASSERT_TRUE(ticketsAsked()) << alertTexts();
    ASSERT_EQ(server.ledger().orderElsewhere(kAccount, "AG", 1, 1).value("retcode", -1), 0);
    server.releaseReplies("holding_detail_query");
    ASSERT_TRUE(runUntilHome()) << alertTexts();
    server.releaseReplies("SYS_TIME_QUERY");

    // Bought silver lots as the device holds them, and as the exchange does.
    const auto silverHeld = [&] {
        for (const auto& summary : tradeModule().PXJYData().chiCangHuiZongXinXi()) {
            if (summary->commodityCode == "AG" && summary->buySellSign == "1") {
                return Text::intValue(summary->shuLiang);
            }
        }
        return 0;
    };
    int silverBooked = 0;
    const auto books = server.ledger().books(kAccount);
    for (const auto& holding : books["holdings"]) {
        if (holding["commodity"] == "AG" && holding["side"] == 1) {
            silverBooked += holding["qty"].get<int>();
        }
    }
    EXPECT_TRUE(driver.runUntil([&] { return silverHeld() == silverBooked; }, 8))
        << silverHeld() << " of " << silverBooked;
    const auto beats = [&] {
        const auto now = receivedNames();
        return std::count(now.begin(), now.end(), "SYS_TIME_QUERY");
    };
    const auto later = beats() + 3;
    ASSERT_TRUE(driver.runUntil([&] { return beats() >= later; }, 10));
    for (const std::string& text : driver.visibleTexts()) {
        EXPECT_EQ(text.find("摘牌  购入"), std::string::npos) << text;
    }
    EXPECT_TRUE(SystemSound::playedSounds().empty());
}

INSTANTIATE_TEST_SUITE_P(LoginChain, ChainBeatFaultTest,
                         ::testing::Values(ChainBeatFault{"refused", false},
                                           ChainBeatFault{"timedOut", true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PXJYTradeLoginVCTest, shouldLogInWithoutCaptchaWhereTheEnvironmentHasNone) {
    PXJYTradeLoginVC* screen = openLoginScreen();
    ASSERT_TRUE(screen);
    ASSERT_TRUE(chooseEnvironment(screen, "模拟"));
    EXPECT_FALSE(screen->captchaShown());
    EXPECT_EQ(screen->loginButtonView()->frame().y, 300);
    EXPECT_FALSE(driver.isVisible(screen->captchaTextField()));
    snapshot("login-without-captcha");

    logInOnScreen(screen, "200000000000001", kPassword, false);
    ASSERT_TRUE(runUntilHome()) << alertTexts();
    const auto names = withoutHeartbeats(receivedNames("01", "02"));
    EXPECT_EQ(std::count(names.begin(), names.end(), "captcha"), 0);
    const auto requests = received("01", "02");
    const auto logon = std::find_if(requests.begin(), requests.end(),
                                    [](const auto& r) { return r.name == "logon"; });
    ASSERT_NE(logon, requests.end());
    EXPECT_EQ(requestOf(*logon)["VALID_CODE"], "");
    EXPECT_EQ(UserDefaults::standardUserDefaults().stringForKey("environment_code"), "02");
}

TEST_F(PXJYTradeLoginVCTest, shouldRefuseAnAccountWithoutMemberRightsBeforeTheLogon) {
    PXJYTradeLoginVC* screen = openLoginScreen();
    ASSERT_TRUE(screen);
    ASSERT_TRUE(chooseEnvironment(screen, "模拟"));
    EXPECT_FALSE(screen->captchaShown());
    logInOnScreen(screen, "900000000000001", kPassword, false);
    ASSERT_TRUE(driver.runUntil([&] { return driver.visibleAlert() != nullptr; }));
    EXPECT_EQ(alertTexts(), "提示|没有交易权限");
    const auto names = receivedNames("01", "02");
    EXPECT_EQ(std::count(names.begin(), names.end(), "logon"), 0);
}

// The rights check and then the logon keep the overlay up and the button off between them: a
// second tap sends nothing, and only the logon's own refusal opens the way for the next try.
TEST_F(PXJYTradeLoginVCTest, shouldSendOneLogonPerTapUntilItsAnswerComes) {
    PXJYTradeLoginVC* screen = openLoginScreen();
    ASSERT_TRUE(screen);
    ASSERT_TRUE(chooseEnvironment(screen, "模拟"));
    SimTradeServer& server = tradeServer("01", "02");
    server.holdReplies("logon");
    logInOnScreen(screen, "200000000000001", kPassword, false);
    ASSERT_TRUE(driver.runUntil([&] { return server.received().back().name == "logon"; }));
    EXPECT_EQ(VKJYCommonViewUtil::activityCount(), 1);
    EXPECT_FALSE(screen->loginButton()->isEnabled());
    EXPECT_FALSE(driver.tap(screen->loginButton()));
    screen->loginJiaoYiAction();

    server.answerCodeNext(-1, "logon");
    server.releaseReplies("logon");
    ASSERT_TRUE(driver.runUntil([&] { return driver.visibleAlert() != nullptr; }));
    EXPECT_EQ(alertTexts(), "登录失败|模拟错误");
    EXPECT_EQ(server.requestCount("logon"), 1);
    EXPECT_EQ(VKJYCommonViewUtil::activityCount(), 0);
    EXPECT_TRUE(screen->loginButton()->isEnabled());
    ASSERT_TRUE(driver.tapAlertButton("确定"));

    logInOnScreen(screen, "200000000000001", kPassword, false);
    ASSERT_TRUE(runUntilHome()) << alertTexts();
    EXPECT_EQ(server.requestCount("logon"), 2);
}

TEST_F(PXJYTradeLoginVCTest, shouldShowTheServersMessageAndANewCaptchaAfterAFailedLogon) {
    PXJYTradeLoginVC* screen = openLoginScreen();
    ASSERT_TRUE(screen);
    const std::string firstCaptcha = screen->captchaButton()->validString();
    logInOnScreen(screen, kAccount, "999999");
    ASSERT_TRUE(driver.runUntil([&] { return driver.visibleAlert() != nullptr; }));
    EXPECT_EQ(driver.visibleAlert()->title(), "登录失败");
    const std::string wrongPassword = driver.visibleAlert()->message();
    EXPECT_FALSE(wrongPassword.empty());
    ASSERT_TRUE(driver.tapAlertButton("确定"));
    ASSERT_TRUE(driver.runUntil([&] { return loginScreenReady(screen); }));
    EXPECT_NE(screen->captchaButton()->validString(), firstCaptcha);
    EXPECT_EQ(screen->captchaTextField()->text(), "");
    EXPECT_EQ(screen->passWordTextField()->text(), "999999");

    screen->passWordTextField()->setText(kPassword);
    typeOnKeypad(screen->captchaTextField(), "0000");
    ASSERT_TRUE(driver.pressKey("完成"));
    ASSERT_TRUE(driver.tap(screen->loginButton()));
    ASSERT_TRUE(driver.runUntil([&] { return driver.visibleAlert() != nullptr; }));
    EXPECT_EQ(driver.visibleAlert()->title(), "登录失败");
    EXPECT_NE(driver.visibleAlert()->message(), wrongPassword);
    ASSERT_TRUE(driver.tapAlertButton("确定"));
    ASSERT_TRUE(driver.runUntil([&] { return loginScreenReady(screen); }));

    // Failed attempts leave nothing behind that blocks the next one.
    logInOnScreen(screen, kAccount, kPassword);
    EXPECT_TRUE(runUntilHome()) << alertTexts();
}

TEST_F(PXJYTradeLoginVCTest, shouldCheckTheInputBeforeSendingAnything) {
    PXJYTradeLoginVC* screen = openLoginScreen();
    ASSERT_TRUE(screen);
    typeOnKeypad(screen->userNameTextField(), "1000000000000011");
    EXPECT_EQ(screen->userNameTextField()->text(), "1000 0000 0000 001");
    ASSERT_TRUE(driver.pressKey("完成"));
    ASSERT_TRUE(driver.tap(screen->loginButton()));
    EXPECT_EQ(alertTexts(), "提示|密码输入不能为空");
    ASSERT_TRUE(driver.tapAlertButton("确定"));
    const auto names = receivedNames();
    EXPECT_EQ(std::count(names.begin(), names.end(), "logon"), 0);
}

TEST_F(PXJYTradeLoginVCTest, shouldKeepTheAccountAndCodesAcrossARestart) {
    PXJYTradeLoginVC* screen = openLoginScreen();
    ASSERT_TRUE(screen);
    logInOnScreen(screen, kAccount, kPassword);
    ASSERT_TRUE(runUntilHome()) << alertTexts();
    const std::string accountsFile = delegate->accountInfoFilePath();

    app.setDelegate(nullptr);
    delegate.reset();
    driver.settle();
    UserDefaults::resetStandardUserDefaults();

    auto accounts = PropertyList::readFile(accountsFile);
    ASSERT_TRUE(accounts);
    EXPECT_EQ((*accounts)["01"]["01"][kAccount].toString(), "0");
    UserDefaults& defaults = UserDefaults::standardUserDefaults();
    EXPECT_EQ(defaults.stringForKey("platform_code"), "01");
    EXPECT_EQ(defaults.stringForKey("environment_code"), "01");
    EXPECT_EQ(defaults.stringForKey("JYUserName"), kAccount);

    screen = openLoginScreen();
    ASSERT_TRUE(screen);
    EXPECT_EQ(screen->userNameTextField()->text(), "1000 0000 0000 001");
}

// A saved-accounts file spoilt in one account and cut short at its end: the login screen offers
// what is still readable, the next login adds to it instead of starting a one-account file, and
// the damaged file stays beside it, as the day log says.
TEST_F(PXJYTradeLoginVCTest, shouldLogInOverADamagedSavedAccountsFileWithoutLosingItsAccounts) {
    const std::string accountsFile =
        Paths::join(Paths::library(), VKJYAppDelegate::kAccountsFileName);
    std::filesystem::create_directories(Paths::library());
    const std::string damaged =
        R"(<?xml version="1.0" encoding="UTF-8"?><plist version="1.0"><dict>)"
        "<key>01</key><dict><key>01</key><dict>"
        "<key>100000000000003</key><string>0</string>"
        "<key>100000000000004</key><string>0</strin>"
        "<key>100000000000002</key><string>0</string>"
        "</dict><key>02</key><dict><key>2000";
    {
        std::ofstream out(accountsFile, std::ios::binary);
        out << damaged;
    }

    PXJYTradeLoginVC* screen = openLoginScreen();
    ASSERT_TRUE(screen);
    EXPECT_EQ(screen->userNameTextField()->text(), "1000 0000 0000 002")
        << "the last account still readable is offered";
    snapshot("login-salvaged-accounts");
    logInOnScreen(screen, kAccount, kPassword);
    ASSERT_TRUE(runUntilHome()) << alertTexts();

    app.setDelegate(nullptr);
    delegate.reset();
    driver.settle();
    const auto accounts = PropertyList::readFile(accountsFile);
    ASSERT_TRUE(accounts);
    EXPECT_EQ((*accounts)["01"]["01"].keys(),
              (std::vector<std::string>{"100000000000003", "100000000000002", kAccount}));
    std::vector<std::filesystem::path> kept;
    for (const auto& entry : std::filesystem::directory_iterator(Paths::library())) {
        if (entry.path().filename().string().starts_with("AccountsMessage.plist.damaged-")) {
            kept.push_back(entry.path());
        }
    }
    ASSERT_EQ(kept.size(), 1u);
    std::ifstream keptFile(kept.front(), std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(keptFile), {}), damaged);
    std::string log;
    for (const auto& entry :
         std::filesystem::recursive_directory_iterator(Paths::join(Paths::documents(), "Logs"))) {
        std::ifstream in(entry.path(), std::ios::binary);
        log.append(std::istreambuf_iterator<char>(in), {});
    }
    EXPECT_NE(log.find("saved accounts"), std::string::npos);
    EXPECT_NE(log.find(kept.front().filename().string()), std::string::npos);
}

TEST_F(PXJYTradeLoginVCTest, shouldGoBackToTheMarketTabAndLeaveTheLiveCodesAlone) {
    PXJYTradeLoginVC* screen = openLoginScreen();
    ASSERT_TRUE(screen);
    const std::string live = tradeModule().PXJYPeiZhi().environmentCODE();
    ASSERT_TRUE(chooseEnvironment(screen, "模拟"));
    EXPECT_EQ(screen->target().environmentCODE, "02");
    EXPECT_EQ(tradeModule().PXJYPeiZhi().environmentCODE(), live);
    ASSERT_TRUE(driver.tap(screen->navigationBarView()->backButton()));
    driver.settle();
    EXPECT_EQ(tradeModule().PXJYPeiZhi().environmentCODE(), live);
    EXPECT_FALSE(delegate->tabBarHelper().hasSelectedTradeTab());
}

// Each chooser keeps its own open flag: the platform list replacing the environment list (the
// open list covers the choosers below it) leaves the environment chooser open, so after the
// platform list is closed its next tap only closes it too, and the one after opens its list.
TEST_F(PXJYTradeLoginVCTest, shouldToggleOnlyItsOwnFlagWhenAChooserIsTapped) {
    PXJYTradeLoginVC* screen = openLoginScreen();
    ASSERT_TRUE(screen);
    const std::pair<Button*, int> taps[] = {{screen->environmentB(), 1},
                                            {screen->platformB(), 2},
                                            {screen->platformB(), 0},
                                            {screen->environmentB(), 0},
                                            {screen->environmentB(), 1}};
    for (const auto& [chooser, shows] : taps) {
        ASSERT_TRUE(driver.tap(chooser)) << chooser->currentTitle();
        EXPECT_EQ(screen->menuTableView()->alpha(), shows ? 1 : 0) << chooser->currentTitle();
        if (shows) {
            EXPECT_EQ(screen->selectType(), shows);
        }
    }
}

class PXJYTradeLoginVCSmallScreenTest : public TradeLoginScreenTest {
protected:
    PXJYTradeLoginVCSmallScreenTest() : TradeLoginScreenTest({320, 480}) {}
};

TEST_F(PXJYTradeLoginVCSmallScreenTest, shouldKeepTheFormUsableOnTheSmallScreen) {
    PXJYTradeLoginVC* screen = openLoginScreen();
    ASSERT_TRUE(screen);
    snapshot("login-captcha-480");
    ASSERT_TRUE(driver.tap(screen->captchaTextField()));
    EXPECT_EQ(screen->backgroundView()->frame().y, -125);
    snapshot("login-captcha-typing-480");
    ASSERT_TRUE(driver.pressKey("完成"));
    EXPECT_EQ(screen->backgroundView()->frame().y, 0);
    // Ending editing again leaves a form that was not raised where it is.
    screen->returnLoginView();
    EXPECT_EQ(screen->backgroundView()->frame().y, 0);
    logInOnScreen(screen, kAccount, kPassword);
    ASSERT_TRUE(runUntilHome()) << alertTexts();
    snapshot("home-480");
}
