#include <gtest/gtest.h>

#include <set>

#include "FundsScreenTest.h"
#include "platform/ui/Button.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Label.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/ScreenDriver.h"
#include "platform/ui/TabBarController.h"
#include "platform/ui/TableView.h"
#include "platform/ui/TextField.h"
#include "shell/VKJYCommonViewUtil.h"
#include "shell/VKJYNavigationBarView.h"
#include "shell/VKJYTabBarHelper.h"
#include "sim/trade/SimTradeServer.h"
#include "trade/account/PXJYBankListFetch.h"
#include "trade/account/PXJYBankListView.h"
#include "trade/account/PXJYChuRuJinCaoZuoVC.h"
#include "trade/account/PXJYChuRuJinViewController.h"
#include "trade/account/PXJYFundsWire.h"
#include "trade/account/PXJYXiuGaiZiJinMiMaVC.h"
#include "trade/account/PXJYYuEChaXunVC.h"
#include "trade/core/PXTradeData.h"
#include "trade/core/PXTradeModule.h"
#include "trade/login/PXJYRootViewController.h"
#include "trade/login/PXJYSwitchingAccountView.h"
#include "trade/login/PXJYTradeLoginVC.h"

namespace {
constexpr int kPasswordEntry = 2;
constexpr int kTransferEntry = 3;
constexpr int kBalanceEntry = 4;
const char* const kOtherAccount = "100000000000003";
}  // namespace

class FundsHomeTest : public FundsScreenTest {
protected:
    // The fund password screen opened from the home, the old and the new password typed.
    PXJYXiuGaiZiJinMiMaVC* openPasswordChange(PXJYChuRuJinViewController& home) {
        auto* change = openEntryAs<PXJYXiuGaiZiJinMiMaVC>(home, kPasswordEntry);
        if (change) {
            typeInto(change->oldPasswordTextField(), kFundPassword);
            typeInto(change->newPasswordTextField(), "654321");
        }
        return change;
    }
    // The balance query opened from the home, the bank chosen and the fund password typed.
    PXJYYuEChaXunVC* openBalanceQuery(const char* bank) {
        PXJYChuRuJinViewController* home = openHome();
        auto* query = home ? openEntryAs<PXJYYuEChaXunVC>(*home, kBalanceEntry) : nullptr;
        if (!query || !chooseBank(query->selectBank(), query->bankListView(), bank)) {
            return nullptr;
        }
        typeInto(query->passwordTextField(), kFundPassword);
        return query;
    }
};

TEST_F(FundsHomeTest, fetchesTheBanksEachTimeItIsShownAndOpensEveryEntry) {
    PXJYChuRuJinViewController* home = openHome();
    ASSERT_TRUE(home);
    EXPECT_TRUE(home->bankInfo());
    EXPECT_EQ(sent("money_userinfo_query"), 1);
    EXPECT_EQ(lastRequest("money_userinfo_query")["USER_ID"], kAccount);
    EXPECT_EQ(tradeModule().PXJYData().yinHangXinXi().size(), 2u);
    for (const char* title :
         {"出入金查询", "修改资金密码", "出入金操作", "银行余额查询", "市场资金信息"}) {
        EXPECT_TRUE(driver.viewWithText(title)) << title;
    }
    snapshot("home");
    const char* screens[] = {"出入金查询", "修改资金密码", "出入金操作", "银行余额查询",
                             "市场资金信息"};
    for (int tag = 1; tag <= 5; ++tag) {
        ViewController* screen = openEntry(*home, tag);
        ASSERT_TRUE(screen) << tag;
        EXPECT_EQ(screen->title(), screens[tag - 1]);
        EXPECT_TRUE(screen->hidesBottomBarWhenPushed());
        waitIdle();
        if (driver.visibleAlert()) {
            answerAlert();
        }
        tradeNavigation()->popViewController(false);
        ASSERT_TRUE(waitIdle());
        EXPECT_EQ(sent("money_userinfo_query"), tag + 1) << "back from entry " << tag;
    }
}

TEST_F(FundsHomeTest, hostsTheAccountSwitcherAndComesBackFromItsLoginScreen) {
    PXJYChuRuJinViewController* home = openHome();
    ASSERT_TRUE(home);
    PXJYSwitchingAccountView* switcher = home->switchingAccountView();
    EXPECT_EQ(ScreenDriver::textOf(switcher->zhangHu()), kAccount);
    // The account is cut at its head, never shrunk.
    EXPECT_EQ(switcher->zhangHu()->fittedFont().name(), "Helvetica-Bold");
    EXPECT_EQ(switcher->zhangHu()->fittedFont().size(), 14);
    EXPECT_EQ(switcher->zhangHu()->lineBreakMode(), LineBreakMode::TruncateHead);
    ASSERT_TRUE(driver.tap(switcher->accountButton()));
    ASSERT_TRUE(driver.isVisible(driver.viewWithText("添加账号")));
    snapshot("home-switcher");
    const int fetched = sent("money_userinfo_query");
    ASSERT_TRUE(driver.tapText("添加账号"));
    PXJYTradeLoginVC* login = nullptr;
    ASSERT_TRUE(driver.runUntil([&] {
        login = dynamic_cast<PXJYTradeLoginVC*>(topScreen());
        return login && VKJYCommonViewUtil::activityCount() == 0;
    }));
    ASSERT_TRUE(driver.tap(login->navigationBarView()->backButton()));
    ASSERT_TRUE(driver.runUntil([&] { return topScreen() == home; }));
    ASSERT_TRUE(waitIdle());
    EXPECT_EQ(sent("money_userinfo_query"), fetched + 1) << "back on the home, the banks again";
    EXPECT_TRUE(home->bankInfo());
}

// A refused entry asks for the banks again: the refusal and, while the server stays away, the
// new failure are told; once it is back, the next refused tap brings the banks and the entry opens.
TEST_F(FundsHomeTest, anUnreachableServerClosesTheMenuAndARefusedTapAsksAgain) {
    for (size_t i = 0; i < tradeServer().lineCount(); ++i) {
        tradeServer().line(i).refuse();
    }
    PXJYChuRuJinViewController* home = openHome();
    ASSERT_TRUE(home);
    ASSERT_TRUE(waitAlert());
    EXPECT_EQ(alertMessage(), "请求网络失败");
    answerAlert();
    EXPECT_FALSE(home->bankInfo());
    // Every alert on show, in the order they are answered.
    const auto told = [&] {
        std::multiset<std::string> messages;
        while (waitIdle() && driver.visibleAlert()) {
            messages.insert(alertMessage());
            answerAlert(driver.visibleAlert()->buttonTitleAtIndex(0));
        }
        return messages;
    };
    const std::multiset<std::string> refusedAndFailed{"请先获取银行信息", "请求网络失败"};
    for (int tag = 1; tag <= 5; ++tag) {
        EXPECT_FALSE(openEntry(*home, tag)) << tag;
        if (tag == 1) {
            snapshot("home-no-banks");
        }
        EXPECT_EQ(told(), refusedAndFailed) << tag;
    }
    for (size_t i = 0; i < tradeServer().lineCount(); ++i) {
        tradeServer().line(i).resume();
    }
    EXPECT_FALSE(openEntry(*home, kTransferEntry));
    EXPECT_EQ(told(), std::multiset<std::string>{"请先获取银行信息"});
    EXPECT_TRUE(home->bankInfo());
    EXPECT_TRUE(openEntry(*home, kTransferEntry));
}

// A bank list answered with no bank is an answer: the forms open their pickers with no row and
// say "请选择银行", and neither a showing nor a tap asks for the banks again.
TEST_F(FundsHomeTest, aBankListAnsweredEmptyIsAnAnswer) {
    PXJYChuRuJinViewController* home = openHome();
    ASSERT_TRUE(home);
    auto asked = PXTradeNetworkManger::create();
    asked->getbankInfo(PXJYFundsWire::common());
    ASSERT_TRUE(driver.runUntil([&] { return sent("money_userinfo_query") == 2; }));
    PXJYBankListFetch answer(*home);
    const PXTradeResult noBank;
    answer.dataAnalysisFinished(asked.get(), &noBank);
    ASSERT_TRUE(tradeModule().PXJYData().yinHangXinXi().empty());

    const auto pickAndSend = [&](Button* picker, PXJYBankListView* list, const char* send) {
        const int asked = sent("money_userinfo_query");
        ASSERT_TRUE(driver.tap(picker));
        EXPECT_TRUE(list->isShown());
        EXPECT_EQ(static_cast<TableView*>(list)->numberOfRows(0), 0);
        ASSERT_TRUE(driver.tapText(send));
        ASSERT_TRUE(waitAlert());
        EXPECT_EQ(alertMessage(), "请选择银行");
        answerAlert();
        EXPECT_EQ(sent("money_userinfo_query"), asked);
    };
    auto* form = openEntryAs<PXJYChuRuJinCaoZuoVC>(*home, kTransferEntry);
    ASSERT_TRUE(form);
    ASSERT_TRUE(waitIdle());
    EXPECT_EQ(sent("money_userinfo_query"), 2) << "the form's showing asks again";
    pickAndSend(form->selectBank(), form->bankListView(), "确定");
    snapshot("transfer-no-bank");
    tradeNavigation()->popViewController(false);
    ASSERT_TRUE(waitIdle());
    ASSERT_EQ(sent("money_userinfo_query"), 3);
    answer.dataAnalysisFinished(asked.get(), &noBank);
    auto* query = openEntryAs<PXJYYuEChaXunVC>(*home, kBalanceEntry);
    ASSERT_TRUE(query);
    pickAndSend(query->selectBank(), query->bankListView(), "查询");
}

// The transfer form and the balance query wait above the home while another account logs in
// away from the trade tab; back there, each lists the banks of the account logged in now, fetched
// for it, instead of an empty list.
TEST_F(FundsHomeTest, aFormAboveTheHomeListsTheBanksOfAnAccountLoggedInElsewhere) {
    PXJYChuRuJinViewController* home = openHome();
    ASSERT_TRUE(home);
    const auto comeBackAfterALoginOf = [&](const std::string& account) {
        delegate->tabBarHelper().tabBarController()->setSelectedIndex(0);
        driver.settle();
        TradeSessionAccount other;
        other.account = account;
        ASSERT_TRUE(logIn(other));
        tradeServer().clearReceived();
        tradeNavigation();
        ASSERT_TRUE(waitIdle());
        EXPECT_FALSE(driver.visibleAlert()) << alertMessage();
        EXPECT_EQ(sent("money_userinfo_query"), 1);
        EXPECT_EQ(lastRequest("money_userinfo_query")["USER_ID"], account);
    };

    auto* form = openEntryAs<PXJYChuRuJinCaoZuoVC>(*home, kTransferEntry);
    ASSERT_TRUE(form);
    comeBackAfterALoginOf("100000000000003");
    EXPECT_TRUE(chooseBank(form->selectBank(), form->bankListView(), kBankName));
    EXPECT_EQ(form->selectBank()->title(), kBankName);
    snapshot("transfer-after-login-elsewhere");

    tradeNavigation()->popViewController(false);
    ASSERT_TRUE(waitIdle());
    auto* query = openEntryAs<PXJYYuEChaXunVC>(*home, kBalanceEntry);
    ASSERT_TRUE(query);
    comeBackAfterALoginOf(kAccount);
    EXPECT_TRUE(chooseBank(query->selectBank(), query->bankListView(), kBankName));
    EXPECT_EQ(query->selectBank()->title(), kBankName);

    // The refill after another logon fails: the bank picker asks again, opening no empty list.
    delegate->tabBarHelper().tabBarController()->setSelectedIndex(0);
    driver.settle();
    TradeSessionAccount other;
    other.account = "100000000000003";
    ASSERT_TRUE(logIn(other));
    tradeServer().answerCodeNext(-1, "money_userinfo_query");
    tradeNavigation();
    ASSERT_TRUE(waitIdle());
    ASSERT_TRUE(waitAlert());
    answerAlert();
    const int asked = sent("money_userinfo_query");
    ASSERT_TRUE(driver.tap(query->selectBank()));
    EXPECT_FALSE(query->bankListView()->isShown());
    ASSERT_TRUE(waitIdle());
    EXPECT_EQ(sent("money_userinfo_query"), asked + 1);
    EXPECT_TRUE(chooseBank(query->selectBank(), query->bankListView(), kBankName));
}

TEST_F(FundsHomeTest, aLostSessionIsToldOnce) {
    tradeServer().answerCodeNext(10001, "money_userinfo_query");
    openHome();
    ASSERT_TRUE(waitAlert());
    EXPECT_EQ(alertMessage(), "长时间未操作登录状态已失效,请重新登录!");
    EXPECT_EQ(driver.viewsOfClass<AlertView>().size(), 1u);
}

// The balance query, then the home's bank list, are refused only after another account logged
// on: neither is a failure of the account logged in now.
TEST_F(FundsHomeTest, aLateRefusalOfAnEndedLogonIsNotTold) {
    auto* query = openBalanceQuery(kBankName);
    ASSERT_TRUE(query);
    const auto refusedAfterLogonOf = [&](const char* request, const char* account, auto ask) {
        tradeServer().holdReplies(request);
        tradeServer().answerCodeNext(-1, request);
        ask();
        ASSERT_TRUE(driver.runUntil([&] { return sent(request) == 1; }));
        ASSERT_TRUE(logInAs(account));
        tradeServer().releaseReplies(request);
        ASSERT_TRUE(waitIdle());
        driver.settle();
        EXPECT_FALSE(driver.visibleAlert()) << request << ": " << alertMessage();
    };
    refusedAfterLogonOf("money_bankfunds", kOtherAccount, [&] { driver.tapText("查询"); });
    // The home waits under the query.
    const auto stack = tradeNavigation()->viewControllers();
    auto* home = dynamic_cast<PXJYChuRuJinViewController*>(stack.at(stack.size() - 2));
    ASSERT_TRUE(home);
    refusedAfterLogonOf("money_userinfo_query", kAccount, [&] { home->getTradeBankInfo(); });
}

// A line failure that reaches the bank list after another logon is as late.
TEST_F(FundsHomeTest, aLateLineFailureOfTheBanksOfAnEndedLogonIsNotTold) {
    PXJYChuRuJinViewController* home = openHome();
    ASSERT_TRUE(home);
    auto asked = PXTradeNetworkManger::create();
    asked->getbankInfo(PXJYFundsWire::common());
    ASSERT_TRUE(logInAs(kOtherAccount));
    PXJYBankListFetch fetch(*home);
    fetch.requestFailed(asked.get(), -1004);
    driver.settle();
    EXPECT_FALSE(driver.visibleAlert()) << alertMessage();
}

TEST_F(FundsHomeTest, queriesTheBalanceOfTheChosenBank) {
    PXJYChuRuJinViewController* home = openHome();
    ASSERT_TRUE(home);
    auto* query = openEntryAs<PXJYYuEChaXunVC>(*home, kBalanceEntry);
    ASSERT_TRUE(query);
    typeInto(query->passwordTextField(), "22222");
    driver.tapText("查询");
    ASSERT_TRUE(waitAlert());
    EXPECT_EQ(alertMessage(), "请选择银行");
    answerAlert();
    EXPECT_EQ(query->passwordTextField()->text(), "");

    ASSERT_TRUE(chooseBank(query->selectBank(), query->bankListView(), kBankName));
    EXPECT_EQ(query->selectBank()->title(), kBankName);
    pasteInto(query->passwordTextField(), "22a");
    ASSERT_TRUE(waitAlert());
    EXPECT_EQ(alertMessage(), "输入只能为数字");
    answerAlert();
    EXPECT_EQ(query->passwordTextField()->text(), "");
    typeInto(query->passwordTextField(), "22222");
    driver.tapText("查询");
    ASSERT_TRUE(waitAlert());
    EXPECT_EQ(alertMessage(), "密码有误");
    answerAlert();
    EXPECT_EQ(query->passwordTextField()->text(), "22222");
    typeInto(query->passwordTextField(), "22");
    EXPECT_EQ(query->passwordTextField()->text(), kFundPassword);
    snapshot("balance-filled");
    driver.tapText("查询");
    ASSERT_TRUE(waitIdle());
    ASSERT_TRUE(waitAlert());
    EXPECT_EQ(alertMessage(), "银行余额：500000.00");
    snapshot("balance-shown");
    answerAlert();
    EXPECT_EQ(query->passwordTextField()->text(), "");
    EXPECT_EQ(lastRequest("money_bankfunds")["BANK_ID"], kBankId);
    EXPECT_EQ(lastRequest("money_bankfunds")["PWD"], kFundPassword);
}

// Another account logs on while the balance query is on show: 查询 sends nothing and says why,
// and the form, refilled with that account's banks, takes the next query. Banks that fail to
// come are fetched again by the tap that finds none to choose, which says so.
TEST_F(FundsHomeTest, aBalanceQueryAfterAnotherLogonSendsNothingAndSaysWhy) {
    auto* query = openBalanceQuery(kBankName);
    ASSERT_TRUE(query);
    ASSERT_TRUE(logInAs(kOtherAccount));
    tradeServer().holdReplies("money_userinfo_query");
    tradeServer().answerCodeNext(-1, "money_userinfo_query");
    driver.tapText("查询");
    ASSERT_TRUE(waitAlert());
    EXPECT_EQ(alertMessage(), "账户已切换，请重新操作");
    answerAlert();
    tradeServer().releaseReplies("money_userinfo_query");
    ASSERT_TRUE(waitAlert());
    EXPECT_EQ(alertMessage(), "模拟错误");
    answerAlert();
    driver.tapText("查询");
    ASSERT_TRUE(waitAlert());
    EXPECT_EQ(alertMessage(), "请选择银行");
    answerAlert();
    ASSERT_TRUE(waitIdle());
    EXPECT_EQ(sent("money_userinfo_query"), 2);
    EXPECT_EQ(lastRequest("money_userinfo_query")["USER_ID"], kOtherAccount);
    ASSERT_TRUE(chooseBank(query->selectBank(), query->bankListView(), kBankName));
    typeInto(query->passwordTextField(), kFundPassword);
    driver.tapText("查询");
    ASSERT_TRUE(waitIdle());
    EXPECT_EQ(sent("money_bankfunds"), 1);
}

TEST_F(FundsHomeTest, anUnreadableBalanceReplyIsSaid) {
    auto* query = openBalanceQuery(kThirdPartyName);
    ASSERT_TRUE(query);
    tradeServer().malformNext("money_bankfunds");
    driver.tapText("查询");
    ASSERT_TRUE(waitIdle());
    ASSERT_TRUE(waitAlert());
    EXPECT_EQ(alertMessage(), "服务器返回数据失败！");
}

TEST_F(FundsHomeTest, showsDashesForABalanceReplyWithoutTheBalance) {
    PXTradeResult none;
    EXPECT_EQ(PXJYYuEChaXunVC::balanceText(&none), "银行余额：--");
    EXPECT_EQ(PXJYYuEChaXunVC::balanceText(nullptr), "银行余额：--");
    PXTradeResult empty{std::string()};
    EXPECT_EQ(PXJYYuEChaXunVC::balanceText(&empty), "银行余额：--");
    PXTradeResult some{std::string("12.345")};
    EXPECT_EQ(PXJYYuEChaXunVC::balanceText(&some), "银行余额：12.345");
}

TEST_F(FundsHomeTest, aChangedFundPasswordIsTheOneTransfersTake) {
    PXJYChuRuJinViewController* home = openHome();
    ASSERT_TRUE(home);
    auto* change = openPasswordChange(*home);
    ASSERT_TRUE(change);
    typeInto(change->aginPasswordTextField(), "65432");
    EXPECT_EQ(change->rightPasswordImage()->alpha(), 0);
    typeInto(change->aginPasswordTextField(), "1");
    EXPECT_EQ(change->rightPasswordImage()->alpha(), 1);
    typeInto(change->aginPasswordTextField(), "9");
    EXPECT_EQ(change->aginPasswordTextField()->text(), "654321") << "a seventh digit";
    snapshot("fund-password-filled");
    driver.tapText("确  定");
    ASSERT_TRUE(waitIdle());
    ASSERT_TRUE(waitAlert());
    EXPECT_EQ(alertMessage(), "修改成功");
    EXPECT_EQ(topScreen(), home) << "the screen closes itself";
    answerAlert();
    EXPECT_EQ(lastRequest("money_modpwd")["OPWD"], kFundPassword);
    EXPECT_EQ(lastRequest("money_modpwd")["NPWD"], "654321");

    auto* form = openEntryAs<PXJYChuRuJinCaoZuoVC>(*home, kTransferEntry);
    ASSERT_TRUE(form);
    const double before = balance();
    ASSERT_TRUE(chooseBank(form->selectBank(), form->bankListView(), kBankName));
    for (const char* password : {kFundPassword, "654321"}) {
        form->moneyTextField()->setText("");
        form->passwordTextField()->setText("");
        typeInto(form->moneyTextField(), "7");
        typeInto(form->passwordTextField(), password);
        driver.tapText("确定");
        ASSERT_TRUE(waitAlert());
        answerAlert("确定");
        ASSERT_TRUE(waitIdle());
        ASSERT_TRUE(waitAlert());
        EXPECT_EQ(alertMessage(), std::string(password) == kFundPassword
                                      ? "资金密码错误"
                                      : "转账类型：入金\n转账金额：￥7");
        answerAlert();
    }
    EXPECT_DOUBLE_EQ(balance(), before + 7);
}

TEST_F(FundsHomeTest, theFundPasswordChangeGoesOnceWhileItTravels) {
    PXJYChuRuJinViewController* home = openHome();
    ASSERT_TRUE(home);
    auto* change = openPasswordChange(*home);
    ASSERT_TRUE(change);
    typeInto(change->aginPasswordTextField(), "654321");
    const auto changes = [&] { return sent("money_modpwd"); };
    tradeServer().holdReplies("money_modpwd");
    ASSERT_TRUE(driver.tapText("确  定"));
    ASSERT_TRUE(driver.runUntil([&] { return changes() == 1; }, 5));
    EXPECT_FALSE(change->doneButton()->isEnabled());
    snapshot("fund-password-sending");
    EXPECT_EQ(VKJYCommonViewUtil::activityCount(), 1);
    driver.tap(change->doneButton());
    EXPECT_FALSE(driver.runFor(1, [&] { return changes() > 1; }));
    tradeServer().releaseReplies("money_modpwd");
    ASSERT_TRUE(waitAlert());
    EXPECT_EQ(alertMessage(), "修改成功");
    EXPECT_EQ(changes(), 1);
}

TEST_F(FundsHomeTest, fundPasswordChecksRunInOrder) {
    PXJYChuRuJinViewController* home = openHome();
    ASSERT_TRUE(home);
    auto* change = openEntryAs<PXJYXiuGaiZiJinMiMaVC>(*home, kPasswordEntry);
    ASSERT_TRUE(change);
    pasteInto(change->oldPasswordTextField(), "22a222");
    EXPECT_EQ(change->oldPasswordTextField()->text(), "");
    typeInto(change->oldPasswordTextField(), "22222");
    typeInto(change->newPasswordTextField(), "654321");
    driver.tapText("确  定");
    ASSERT_TRUE(waitAlert());
    EXPECT_EQ(alertMessage(), "密码有误");
    answerAlert();
    EXPECT_EQ(change->oldPasswordTextField()->text(), "");
    EXPECT_EQ(change->newPasswordTextField()->text(), "654321");
    typeInto(change->oldPasswordTextField(), "654321");
    driver.tapText("确  定");
    ASSERT_TRUE(waitAlert());
    EXPECT_EQ(alertMessage(), "请输入与旧密码不同的新密码");
    answerAlert();
    EXPECT_EQ(change->newPasswordTextField()->text(), "");
    EXPECT_EQ(sent("money_modpwd"), 0);
}

TEST_F(FundsHomeTest, opensFromTheTradeHomesMenu) {
    NavigationController* navigation = tradeNavigation();
    ASSERT_TRUE(navigation);
    auto* root = dynamic_cast<PXJYRootViewController*>(navigation->viewControllers().front());
    ASSERT_TRUE(root);
    ASSERT_TRUE(waitIdle());
    ASSERT_TRUE(driver.tap(root->navigationBarView()->menuButton()));
    ASSERT_TRUE(driver.tapText("出入金"));
    PXJYChuRuJinViewController* home = nullptr;
    ASSERT_TRUE(driver.runUntil([&] {
        home = dynamic_cast<PXJYChuRuJinViewController*>(topScreen());
        return home && home->bankInfo();
    }));
    EXPECT_TRUE(home->hidesBottomBarWhenPushed());
    EXPECT_FALSE(tabBarVisible());
}
