#include <gtest/gtest.h>

#include <algorithm>
#include <nlohmann/json.hpp>

#include "AccountScreenTest.h"
#include "platform/foundation/PropertyList.h"
#include "platform/graphics/Font.h"
#include "platform/ui/Button.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Label.h"
#include "platform/ui/TableView.h"
#include "platform/ui/TextField.h"
#include "shell/VKJYCommonViewUtil.h"
#include "shell/VKJYNavigationBarView.h"
#include "trade/account/PXJYAccountInfoViewController.h"
#include "trade/account/PXJYChangeThePasswordVC.h"
#include "trade/common/PXTradeViewKit.h"
#include "trade/core/PXTradeData.h"
#include "trade/core/PXTradeModule.h"
#include "trade/core/PXTradeTimerManger.h"
#include "trade/login/PXJYCaptchaButton.h"
#include "trade/login/PXJYLoginForm.h"
#include "trade/login/PXJYSimpleLoginVC.h"
#include "trade/login/PXJYTradeLoginVC.h"
#include "trade/login/PXTradeLoginScreens.h"

namespace {
const char* const kOther = "100000000000002";
const char* const kDemo = "200000000000001";

class AccountInfoTest : public AccountScreenTest {
protected:
    // Saves two more accounts: one in the logged-in environment, one in the demo environment.
    void saveMoreAccounts() {
        auto file = *PropertyList::readFile(accountsPath());
        PropertyList* platform = file.find("01");
        platform->find("01")->set(kOther, "0");
        PropertyList demo = PropertyList::dictionary();
        demo.set(kDemo, "0");
        platform->set("02", demo);
        ASSERT_TRUE(file.writeFile(accountsPath()));
    }
    std::string accountsPath() const { return delegate->accountInfoFilePath(); }
    PropertyList savedAccounts() const {
        return PropertyList::readFile(accountsPath()).value_or(PropertyList());
    }
    PXJYAccountInfoViewController* openAccounts() {
        screen = open<PXJYAccountInfoViewController>("PXJYAccountInfoViewController");
        return screen;
    }
    IndexPath rowOf(const std::string& name) {
        const auto& environments = screen->allAccountArray();
        for (size_t s = 0; s < environments.size(); ++s) {
            const auto& names = environments[s].second;
            for (size_t r = 0; r < names.size(); ++r) {
                if (names[r] == name) {
                    return IndexPath{static_cast<int>(s), static_cast<int>(r)};
                }
            }
        }
        ADD_FAILURE() << name << " is not listed";
        return {};
    }
    // Swipes the row left and taps one of the buttons it uncovers.
    void swipeAndTap(const std::string& name, const std::string& button) {
        TableView& table = *screen->tableView();
        const Rect row = table.convertRect(table.rectForRow(rowOf(name)), nullptr);
        const double y = row.y + row.height / 2;
        driver.swipe({260, y}, {60, y});
        driver.settle();
        EXPECT_EQ(screen->frontView(rowOf(name))->frame().x, -130);
        driver.tapAt({button == "删除" ? 220.0 : 285.0, y});
        driver.settle();
    }
    void typeInto(TextField* field, const std::string& text) {
        ASSERT_TRUE(driver.tap(field));
        driver.typeText(text);
    }

    // The heartbeats a server received, with the session (or another field) each carried.
    static std::vector<std::string> beatSessions(SimTradeServer& server,
                                                 const char* field = "sessionid") {
        std::vector<std::string> sessions;
        for (const auto& request : server.received()) {
            if (request.name == "SYS_TIME_QUERY") {
                sessions.push_back(nlohmann::json::parse(request.body).value(field, ""));
            }
        }
        return sessions;
    }
    // Two more heartbeats reach the server.
    bool beatsOn(SimTradeServer& server) {
        const size_t beats = beatSessions(server).size();
        return driver.runUntil([&] { return beatSessions(server).size() >= beats + 2; }, 8);
    }
    // None does for several heartbeat periods.
    bool beatsRest(SimTradeServer& server) {
        const size_t beats = beatSessions(server).size();
        return !driver.runFor(5, [&] { return beatSessions(server).size() > beats; });
    }
    // "+" on the bar, then the environment chosen on the login screen it pushes.
    PXJYTradeLoginVC* addAccountIn(const std::string& environment) {
        driver.tapAt({287, PXTradeViewKit::appViewRect().y + 22});
        PXJYTradeLoginVC* login = nullptr;
        const auto ready = [&] {
            login = dynamic_cast<PXJYTradeLoginVC*>(topScreen());
            return login && VKJYCommonViewUtil::activityCount() == 0;
        };
        if (!driver.runUntil(ready) || !driver.tap(login->environmentB()) ||
            !driver.tapText(environment) || !driver.runUntil(ready)) {
            ADD_FAILURE() << "no login screen on " << environment;
            return nullptr;
        }
        return login;
    }
    void logInOn(PXJYTradeLoginVC* login) {
        typeInto(login->passWordTextField(), "111111");
        driver.pressReturn();
        if (login->captchaShown()) {
            // The captcha asked for at showing may still be on its way.
            const PXJYCaptchaButton& captcha = *login->captchaButton();
            ASSERT_TRUE(driver.runUntil([&] { return !captcha.isLoading(); }));
            typeOnKeypad(login->captchaTextField(), captchaCode(captcha.validString()));
        }
        ASSERT_TRUE(driver.tap(login->loginButton()));
    }
    std::string sessionID() const { return tradeModule().PXJYData().tradeSession()->JYsessionID; }

    PXJYAccountInfoViewController* screen = nullptr;
};
}  // namespace

TEST_F(AccountInfoTest, shouldListSavedAccountsKeepTheHeartbeatAndOpenTheLoggedInDetail) {
    saveMoreAccounts();
    ASSERT_TRUE(openAccounts());
    ASSERT_EQ(screen->allAccountArray().size(), 2u);
    EXPECT_TRUE(driver.viewWithText("实盘"));
    EXPECT_TRUE(driver.viewWithText("模拟"));
    EXPECT_TRUE(driver.viewWithText("账号:" + loggedIn.account));
    EXPECT_EQ(driver.viewsOfClass<ImageView>().size() > 0, true);
    snapshot("accounts");

    EXPECT_FALSE(tradeModule().PXJYTimerManger().JY_Timer()) << "no price refresh under the list";
    const size_t beats = received("SYS_TIME_QUERY").size();
    ASSERT_TRUE(driver.runUntil([&] { return received("SYS_TIME_QUERY").size() >= beats + 2; }, 8))
        << "the heartbeat keeps the session alive while the list shows";

    ASSERT_TRUE(driver.tapRow(*screen->tableView(), rowOf(loggedIn.account)));
    ASSERT_TRUE(driver.runUntil([&] { return received("firm_info").size() == 2; }, 10));
    ASSERT_TRUE(driver.runUntil([&] { return driver.viewWithText("张三") != nullptr; }, 10));
    EXPECT_EQ(screen->accountDetailView()->frame().x, 0);
    EXPECT_EQ(screen->accountDetailView()->rows().size(), 15u);
    EXPECT_TRUE(tradeModule().PXJYTimerManger().JY_Timer()) << "prices refresh under the panel";
    snapshot("account-detail");
    driver.tapAt({27, 42});
    driver.settle();
    EXPECT_EQ(screen->accountDetailView()->frame().x, 320);
    EXPECT_FALSE(tradeModule().PXJYTimerManger().JY_Timer());

    // Another account's row offers a switch first.
    ASSERT_TRUE(driver.tapRow(*screen->tableView(), rowOf(kDemo)));
    EXPECT_EQ(alertMessage(), "查看非登录账号信息需先切换账户，确认切换账户？");
    answerAlert("取消");
}

TEST_F(AccountInfoTest, shouldDeleteAccountsKeepEmptiedEnvironmentsAndLogOffOnce) {
    saveMoreAccounts();
    ASSERT_TRUE(openAccounts());
    swipeAndTap(kDemo, "删除");
    EXPECT_EQ(screen->allAccountArray().size(), 1u);
    const PropertyList afterDemo = savedAccounts();
    EXPECT_TRUE(afterDemo["01"]["02"].isDictionary());
    EXPECT_EQ(afterDemo["01"]["02"].size(), 0u) << "the emptied environment stays";
    EXPECT_TRUE(received("logoff").empty());

    swipeAndTap(loggedIn.account, "删除");
    EXPECT_EQ(alertMessage(), "确定要删除当前登录账户吗?");
    snapshot("accounts-delete-logged-in");
    answerAlert("确定");
    ASSERT_TRUE(driver.runUntil([&] { return !received("logoff").empty(); }, 10));
    EXPECT_EQ(reqValue(received("logoff")[0], "USER_ID"), loggedIn.account);
    EXPECT_FALSE(tradeModule().tradeLogin());
    EXPECT_EQ(tradeNavigation()->viewControllers().size(), 1u);
    const PropertyList after = savedAccounts();
    EXPECT_FALSE(after["01"]["01"].contains(loggedIn.account));
    EXPECT_TRUE(after["01"]["01"].contains(kOther));
}

TEST_F(AccountInfoTest, shouldLogOffOnlyOnceWhenTheLastAccountIsDeleted) {
    ASSERT_TRUE(openAccounts());
    swipeAndTap(loggedIn.account, "删除");
    answerAlert("确定");
    ASSERT_TRUE(driver.runUntil([&] { return !received("logoff").empty(); }, 10));
    driver.runFor(1);
    EXPECT_EQ(received("logoff").size(), 1u);
    EXPECT_EQ(tradeNavigation()->viewControllers().size(), 1u);
    EXPECT_TRUE(savedAccounts()["01"]["01"].isDictionary());
}

// On a stalled line the detail's queries queue on the device behind those the line holds; once
// the deletion has ended the session here, none of them may still go out, but its logoff does.
TEST_F(AccountInfoTest, shouldSendNoQueuedQueryOfTheSessionTheDeletionEnded) {
    constexpr size_t kAsked = 8;
    ASSERT_TRUE(openAccounts());
    const std::string session = sessionID();
    tradeServer().holdReplies("firm_info");
    for (size_t asked = 0; asked < kAsked; asked += 2) {
        ASSERT_TRUE(driver.tapRow(*screen->tableView(), rowOf(loggedIn.account)));
        driver.tapAt({27, 42});
        driver.settle();
    }
    // Whatever the device lets through at once has reached the line.
    EXPECT_FALSE(driver.runFor(0.5, [&] { return received("firm_info").size() >= kAsked; }));
    const size_t onTheLine = received("firm_info").size();
    ASSERT_LT(onTheLine, kAsked) << "the device keeps some queued";

    swipeAndTap(loggedIn.account, "删除");
    answerAlert("确定");
    tradeServer().releaseReplies("firm_info");
    ASSERT_TRUE(driver.runUntil([&] { return !received("logoff").empty(); }, 10));
    EXPECT_EQ(reqValue(received("logoff")[0], "SESSION_ID"), session);
    EXPECT_FALSE(driver.runFor(1, [&] { return received("firm_info").size() > onTheLine; }));
    EXPECT_EQ(alertMessage(), "") << "nothing speaks for the screen the deletion closed";
}

TEST_F(AccountInfoTest, shouldChangeTheLoginPasswordAndLogInWithTheNewOne) {
    ASSERT_TRUE(openAccounts());
    swipeAndTap(loggedIn.account, "修改密码");
    PXJYChangeThePasswordVC* panel = screen->modifyTradePasswordVC();
    EXPECT_EQ(panel->view()->frame().x, 0);
    auto fields = driver.viewsOfClass<TextField>();
    ASSERT_EQ(fields.size(), 3u);
    for (const char* title : {"请输入原密码:", "请输入新密码:", "请重输新密码:"}) {
        const auto* label = dynamic_cast<Label*>(driver.viewWithText(title));
        ASSERT_TRUE(label) << title;
        EXPECT_EQ(label->font(), Font::named("Helvetica-Bold", 16)) << title;
        EXPECT_EQ(label->textColor(), Color::whiteColor()) << title;
    }
    for (const TextField* field : fields) {
        EXPECT_EQ(field->placeholderColor(), Color::rgb(49, 49, 51)) << field->placeholder();
    }
    snapshot("password-empty");

    // The server refuses a wrong old password; the entries stay.
    typeInto(fields[0], "999999");
    typeInto(fields[1], "abc12345");
    typeInto(fields[2], "abc12345");
    snapshot("password-typed");
    ASSERT_TRUE(driver.tapText("确  定"));
    ASSERT_TRUE(waitForAlert());
    EXPECT_EQ(alertMessage(), "原密码错误");
    answerAlert("确定");
    EXPECT_EQ(fields[1]->text(), "abc12345");

    fields[0]->setText("");
    typeInto(fields[0], loggedIn.password);
    ASSERT_TRUE(driver.tapText("确  定"));
    ASSERT_TRUE(waitForAlert());
    EXPECT_EQ(alertMessage(), "修改密码成功");
    answerAlert("确定");
    const auto sent = received("change_password");
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(reqValue(sent[1], "PWD_TYPE"), "0");
    EXPECT_EQ(reqValue(sent[1], "OLD_PASSWORD"), loggedIn.password);
    EXPECT_EQ(reqValue(sent[1], "NEW_PASSWORD"), "abc12345");
    EXPECT_EQ(reqValue(sent[1], "USER_ID"), loggedIn.account);
    EXPECT_FALSE(reqValue(sent[1], "SESSION_ID").empty());
    EXPECT_EQ(panel->view()->frame().x, 320);
    EXPECT_EQ(fields[0]->text(), "") << "the form is reset after a change";

    TradeSessionAccount again = loggedIn;
    again.password = "abc12345";
    EXPECT_TRUE(logIn(again));
}

TEST_F(AccountInfoTest, shouldCheckThePasswordEntriesOnThePhone) {
    ASSERT_TRUE(openAccounts());
    swipeAndTap(loggedIn.account, "修改密码");
    auto fields = driver.viewsOfClass<TextField>();
    ASSERT_EQ(fields.size(), 3u);
    typeInto(fields[0], "12345");
    typeInto(fields[1], "abcdef");
    typeInto(fields[2], "abcdef");
    ASSERT_TRUE(driver.tapText("确  定"));
    EXPECT_EQ(alertMessage(), "密码有误");
    answerAlert("确定");
    EXPECT_EQ(fields[0]->text(), "");
    EXPECT_EQ(fields[1]->text(), "abcdef");
    ASSERT_TRUE(driver.tap(fields[0]));
    for (char c : std::string("12345678901234567890")) {
        driver.typeText(std::string(1, c));
    }
    EXPECT_EQ(fields[0]->text(), "1234567890123456") << "typing stops at 16";
    ASSERT_TRUE(driver.tapText("电话密码"));
    EXPECT_EQ(screen->modifyTradePasswordVC()->passWordType(), "1");
    EXPECT_EQ(fields[0]->text(), "");
    EXPECT_TRUE(received("change_password").empty());
}

// The account detail's query sends no overlay of its own; its failure must not lower the one of
// the password change still on its way, nor open the change for a second request.
TEST_F(AccountInfoTest, shouldKeepThePasswordChangeBusyWhenTheAccountQueryFails) {
    ASSERT_TRUE(openAccounts());
    tradeServer().holdReplies("firm_info");
    tradeServer().answerCodeNext(-1, "firm_info");
    ASSERT_TRUE(driver.tapRow(*screen->tableView(), rowOf(loggedIn.account)));
    ASSERT_TRUE(driver.runUntil([&] { return received("firm_info").size() >= 2; }, 10));
    driver.tapAt({27, 42});
    driver.settle();
    ASSERT_EQ(screen->accountDetailView()->frame().x, 320);

    swipeAndTap(loggedIn.account, "修改密码");
    auto fields = driver.viewsOfClass<TextField>();
    ASSERT_EQ(fields.size(), 3u);
    typeInto(fields[0], loggedIn.password);
    typeInto(fields[1], "abc12345");
    typeInto(fields[2], "abc12345");
    tradeServer().holdReplies("change_password");
    ASSERT_TRUE(driver.tapText("确  定"));
    ASSERT_TRUE(driver.runUntil([&] { return received("change_password").size() == 1; }, 10));

    tradeServer().releaseReplies("firm_info");
    ASSERT_TRUE(waitForAlert());
    EXPECT_EQ(alertMessage(), "模拟错误");
    answerAlert("确定");
    EXPECT_EQ(VKJYCommonViewUtil::activityCount(), 1) << "the change is still on its way";
    driver.tapText("确  定");
    EXPECT_FALSE(driver.runFor(1, [&] { return received("change_password").size() > 1; }));

    tradeServer().releaseReplies("change_password");
    ASSERT_TRUE(waitForAlert());
    EXPECT_EQ(alertMessage(), "修改密码成功");
    answerAlert("确定");
    EXPECT_EQ(VKJYCommonViewUtil::activityCount(), 0);
    EXPECT_EQ(received("change_password").size(), 1u);
    EXPECT_EQ(screen->modifyTradePasswordVC()->view()->frame().x, 320);
}

// Choosing another environment, to switch to its account or to add one, is the screen's own
// business: the session goes on talking to its server until a logon elsewhere has succeeded.
TEST_F(AccountInfoTest, shouldKeepTheSessionOnItsServerUntilALogonElsewhereSucceeds) {
    registerPXTradeLoginScreens();
    saveMoreAccounts();
    ASSERT_TRUE(openAccounts());
    SimTradeServer& real = tradeServer();
    SimTradeServer& demo = tradeServer("01", "02");
    const std::string session = sessionID();

    ASSERT_TRUE(driver.tapRow(*screen->tableView(), rowOf(kDemo)));
    answerAlert("确定");
    ASSERT_TRUE(driver.runUntil([&] { return dynamic_cast<PXJYSimpleLoginVC*>(topScreen()); }));
    // As from every switcher, the timers rest while a login is on show.
    EXPECT_TRUE(beatsRest(real));
    ASSERT_TRUE(driver.tapText("取消"));
    ASSERT_TRUE(driver.runUntil([&] { return topScreen() == screen; }));

    PXJYTradeLoginVC* login = addAccountIn("模拟");
    ASSERT_TRUE(login);
    EXPECT_TRUE(beatsRest(real));
    EXPECT_TRUE(beatSessions(demo).empty());
    EXPECT_EQ(alertMessage(), "");
    EXPECT_TRUE(tradeModule().tradeLogin());

    logInOn(login);
    ASSERT_TRUE(driver.runUntil([&] { return topScreen() == screen; }, 10)) << alertMessage();
    ASSERT_TRUE(driver.runUntil([&] { return !beatSessions(demo).empty(); }, 8));
    const size_t lastOnReal = beatSessions(real).size();
    ASSERT_TRUE(beatsOn(demo));
    EXPECT_EQ(beatSessions(demo).back(), sessionID());
    EXPECT_NE(sessionID(), session);
    EXPECT_EQ(beatSessions(real).size(), lastOnReal);
    EXPECT_EQ(alertMessage(), "");
}

// A logon that goes through while a later query of its login chain fails adds no account: the
// one logged in before stays in force whole, on its own server and under its own name.
TEST_F(AccountInfoTest, shouldKeepTheLoggedInAccountWholeWhenAnAddedLoginFailsHalfWay) {
    registerPXTradeLoginScreens();
    ASSERT_TRUE(openAccounts());
    SimTradeServer& real = tradeServer();
    SimTradeServer& demo = tradeServer("01", "02");
    const std::string session = sessionID();
    PXJYTradeLoginVC* login = addAccountIn("模拟");
    ASSERT_TRUE(login);
    demo.answerCodeNext(-1, "holding_query");
    // The chain waits at the holdings query for more than a heartbeat period.
    demo.holdReplies("holding_query");
    login->userNameTextField()->setText("2000 0000 0000 001");
    logInOn(login);
    const auto holdingsAsked = [&] {
        const auto sent = demo.received();
        return std::any_of(sent.begin(), sent.end(),
                           [](const auto& request) { return request.name == "holding_query"; });
    };
    ASSERT_TRUE(driver.runUntil(holdingsAsked));
    EXPECT_FALSE(driver.runFor(5, [&] { return beatSessions(demo).size() > 1; }));
    demo.releaseReplies("holding_query");
    ASSERT_TRUE(waitForAlert());
    EXPECT_EQ(driver.visibleAlert()->title() + "|" + alertMessage(), "登录失败|模拟错误");
    answerAlert("确定");
    EXPECT_EQ(demo.requestCount("logon"), 1);
    // The timers rest under the login screen and the account list: back to the trade home.
    ASSERT_TRUE(driver.tap(login->navigationBarView()->backButton()));
    ASSERT_TRUE(driver.runUntil([&] { return topScreen() == screen; }));
    tradeNavigation()->popViewController(false);
    driver.settle();

    EXPECT_TRUE(tradeModule().tradeLogin());
    EXPECT_EQ(sessionID(), session);
    EXPECT_EQ(tradeModule().defaultString("JYUserName"), loggedIn.account);
    ASSERT_TRUE(beatsOn(real));
    EXPECT_EQ(beatSessions(real).back(), session);
    EXPECT_EQ(beatSessions(real, "curlogon").back(), "0") << "the live heartbeat started over";
    // The one beat the other server got is the failed login's own, sent before its holdings
    // query; the live heartbeat never went there.
    EXPECT_EQ(beatSessions(demo, "curlogon"), std::vector<std::string>{"1"});
    EXPECT_EQ(alertMessage(), "");
    // The dropped session is over: a request still naming it must not leave.
    const auto sent = demo.received();
    const auto query = std::find_if(sent.begin(), sent.end(), [](const auto& request) {
        return request.name == "holding_query";
    });
    ASSERT_NE(query, sent.end());
    const std::string dropped = reqValue(*query, "SESSION_ID");
    ASSERT_FALSE(dropped.empty());
    EXPECT_TRUE(!tradeModule().PXJYData().mayGoOut(dropped));
}

// While an added account's logon travels nothing goes under the session in force: the timers rest
// under the login screen, and a logon of the account in use ends its session the moment the
// exchange takes it. A slow answer then logs the user in with no loss told in between.
TEST_F(AccountInfoTest, shouldSendNothingAndTellNoLossWhileAnAddedLogonTravels) {
    registerPXTradeLoginScreens();
    struct Case {
        const char* environment;
        std::string account;
    };
    for (const Case& c : {Case{"实盘", loggedIn.account}, Case{"模拟", kDemo}}) {
        SCOPED_TRACE(c.environment);
        ASSERT_TRUE(openAccounts());
        SimTradeServer& real = tradeServer();
        SimTradeServer& target = c.account == kDemo ? tradeServer("01", "02") : real;
        const std::string before = sessionID();
        PXJYTradeLoginVC* login = addAccountIn(c.environment);
        ASSERT_TRUE(login);
        target.holdAnswers("logon");
        login->userNameTextField()->setText(
            PXJYLoginForm::stringByReplacingOccurrencesOfSpace(c.account));
        const int logons = target.requestCount("logon");
        logInOn(login);
        ASSERT_TRUE(driver.runUntil([&] { return target.requestCount("logon") > logons; }));
        EXPECT_TRUE(beatsRest(real));
        EXPECT_EQ(alertMessage(), "");

        target.releaseReplies("logon");
        ASSERT_TRUE(driver.runUntil([&] { return topScreen() == screen; }, 10)) << alertMessage();
        EXPECT_TRUE(tradeModule().tradeLogin());
        EXPECT_NE(sessionID(), before);
        ASSERT_TRUE(beatsOn(target));
        EXPECT_EQ(beatSessions(target).back(), sessionID());
        EXPECT_EQ(alertMessage(), "");
        tradeNavigation()->popViewController(false);
        driver.settle();
    }
}
