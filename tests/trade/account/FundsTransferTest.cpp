#include <gtest/gtest.h>

#include "FundsScreenTest.h"
#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "platform/ui/TabBarController.h"
#include "platform/ui/TextField.h"
#include "shell/VKJYCommonViewUtil.h"
#include "shell/VKJYTabBarHelper.h"
#include "sim/trade/SimTradeServer.h"
#include "trade/account/PXJYBankListView.h"
#include "trade/account/PXJYChuRuJinCaoZuoVC.h"
#include "trade/account/PXJYChuRuJinViewController.h"
#include "trade/account/PXJYZiJinXinXiVC.h"

namespace {
constexpr int kTransferEntry = 3;
constexpr int kMarketFundsEntry = 5;
}  // namespace

class FundsTransferTest : public FundsScreenTest {
protected:
    void SetUp() override {
        FundsScreenTest::SetUp();
        home = openHome();
        ASSERT_TRUE(home);
        form = openEntryAs<PXJYChuRuJinCaoZuoVC>(*home, kTransferEntry);
        ASSERT_TRUE(form);
    }

    // Fills the form and confirms; true when the confirmation was answered "确定".
    bool transfer(const std::string& amount, const std::string& password) {
        typeInto(form->moneyTextField(), amount);
        typeInto(form->passwordTextField(), password);
        driver.tapText("确定");
        if (!waitAlert() ||
            driver.visibleAlert()->tag() != PXJYChuRuJinCaoZuoVC::kConfirmAlertTag) {
            return false;
        }
        answerAlert("确定");
        return waitIdle() && waitAlert();
    }

    std::string shownUsableFunds(PXJYZiJinXinXiVC& funds) {
        driver.runUntil([&] { return !funds.MarketFundInformationArray().empty(); });
        return funds.MarketFundInformationArray().front().value("UF", "");
    }

    PXJYChuRuJinViewController* home = nullptr;
    PXJYChuRuJinCaoZuoVC* form = nullptr;
};

TEST_F(FundsTransferTest, depositAndWithdrawalMoveTheSimulatorsMoneyAndTheMarketFunds) {
    const double account = balance();
    const double bank = bankFunds();
    ASSERT_TRUE(chooseBank(form->selectBank(), form->bankListView(), kBankName));
    EXPECT_TRUE(driver.viewWithText("注:可操作时间段为(090000 - 160000)"));
    snapshot("transfer-filled");
    ASSERT_TRUE(transfer("100.5", kFundPassword));
    EXPECT_EQ(alertMessage(), "转账类型：入金\n转账金额：￥100.5");
    answerAlert();
    EXPECT_DOUBLE_EQ(balance(), account + 100.5);
    EXPECT_DOUBLE_EQ(bankFunds(), bank - 100.5);
    const JYDict req = lastRequest("money_transfer");
    EXPECT_EQ(req["BANK_ID"], kBankId);
    EXPECT_EQ(req["TYPE"], "I");
    EXPECT_EQ(req["AMOUNT"], "100.5");
    EXPECT_EQ(req["PWD"], kFundPassword);
    EXPECT_EQ(form->moneyTextField()->text(), "");
    EXPECT_EQ(form->selecedBank().value("BANK_ID", ""), kBankId);

    driver.tapText("出金");
    ASSERT_TRUE(transfer("40", kFundPassword));
    EXPECT_EQ(alertMessage(), "转账类型：出金\n转账金额：￥40");
    answerAlert();
    EXPECT_DOUBLE_EQ(balance(), account + 60.5);
    EXPECT_DOUBLE_EQ(bankFunds(), bank - 60.5);

    form->VKJYNavBackAction();
    driver.settle();
    auto* funds = openEntryAs<PXJYZiJinXinXiVC>(*home, kMarketFundsEntry);
    ASSERT_TRUE(funds);
    ASSERT_TRUE(waitIdle());
    const std::string usable = shownUsableFunds(*funds);
    EXPECT_FALSE(usable.empty());
    EXPECT_TRUE(driver.viewWithText(usable)) << "the usable funds are not shown";
    EXPECT_TRUE(driver.viewWithText("  账户资金信息"));
    EXPECT_TRUE(driver.viewWithText(kAccount));
    snapshot("market-funds");
    const double usableBefore = std::stod(usable);

    funds->VKJYNavBackAction();
    driver.settle();
    form = openEntryAs<PXJYChuRuJinCaoZuoVC>(*home, kTransferEntry);
    ASSERT_TRUE(form);
    ASSERT_TRUE(chooseBank(form->selectBank(), form->bankListView(), kBankName));
    ASSERT_TRUE(transfer("1000", kFundPassword));
    answerAlert();
    form->VKJYNavBackAction();
    driver.settle();
    funds = openEntryAs<PXJYZiJinXinXiVC>(*home, kMarketFundsEntry);
    ASSERT_TRUE(funds);
    ASSERT_TRUE(waitIdle());
    EXPECT_DOUBLE_EQ(std::stod(shownUsableFunds(*funds)), usableBefore + 1000);
}

TEST_F(FundsTransferTest, aWrongFundPasswordMovesNothing) {
    const double account = balance();
    ASSERT_TRUE(chooseBank(form->selectBank(), form->bankListView(), kBankName));
    ASSERT_TRUE(transfer("10", "123456"));
    EXPECT_EQ(alertMessage(), "资金密码错误");
    answerAlert();
    EXPECT_DOUBLE_EQ(balance(), account);
    EXPECT_EQ(form->moneyTextField()->text(), "10") << "a refused transfer keeps the fields";
}

TEST_F(FundsTransferTest, refusesTheThirdPartyBankForDepositsBothWays) {
    ASSERT_TRUE(chooseBank(form->selectBank(), form->bankListView(), kThirdPartyName));
    ASSERT_TRUE(waitAlert());
    EXPECT_EQ(alertMessage(), "本版本暂不支持第三方支付入金功能");
    snapshot("transfer-third-party-refused");
    answerAlert();
    EXPECT_EQ(form->selectBank()->title(), "选择银行");

    driver.tapText("出金");
    ASSERT_TRUE(chooseBank(form->selectBank(), form->bankListView(), kThirdPartyName));
    EXPECT_FALSE(driver.visibleAlert()) << "withdrawals may go through it";
    EXPECT_EQ(form->selectBank()->title(), kThirdPartyName);

    // Leaving the trade tab and coming back reopens on deposit and drops the bank, unasked.
    delegate->tabBarHelper().tabBarController()->setSelectedIndex(0);
    driver.settle();
    tradeNavigation();
    EXPECT_FALSE(driver.visibleAlert()) << alertMessage();
    EXPECT_EQ(form->selectBank()->title(), "选择银行");
    driver.tapText("出金");
    ASSERT_TRUE(chooseBank(form->selectBank(), form->bankListView(), kThirdPartyName));

    driver.tapText("入金");
    ASSERT_TRUE(waitAlert());
    EXPECT_EQ(alertMessage(), "本版本暂不支持第三方支付入金功能");
    answerAlert();
    EXPECT_EQ(form->selectBank()->title(), "选择银行");
    typeInto(form->moneyTextField(), "10");
    typeInto(form->passwordTextField(), kFundPassword);
    driver.tapText("确定");
    ASSERT_TRUE(waitAlert());
    EXPECT_EQ(alertMessage(), "请选择银行");
    answerAlert();
    EXPECT_EQ(sent("money_transfer"), 0);
}

TEST_F(FundsTransferTest, refusesPastedAndMalformedInputAndSendsNothing) {
    ASSERT_TRUE(chooseBank(form->selectBank(), form->bankListView(), kBankName));
    TextField* amount = form->moneyTextField();
    TextField* password = form->passwordTextField();
    for (const char* pasted : {"12a", "1.2.3", "0.5", "12.345", "-3", "1e5"}) {
        amount->setText("");
        pasteInto(amount, pasted);
        EXPECT_EQ(amount->text(), "") << pasted;
    }
    amount->setText("");
    typeInto(amount, "012.3.45");
    EXPECT_EQ(amount->text(), "12.34") << "a leading zero, a second point and a third decimal";
    pasteInto(password, "1234567");
    EXPECT_EQ(password->text(), "");
    pasteInto(password, "12ab56");
    EXPECT_EQ(password->text(), "");
    typeInto(password, "2222229");
    EXPECT_EQ(password->text(), kFundPassword);

    amount->setText("");
    typeInto(amount, "12.");
    driver.tapText("确定");
    ASSERT_TRUE(waitAlert());
    EXPECT_EQ(alertMessage(), "请输入正确的金额");
    answerAlert();
    EXPECT_EQ(sent("money_transfer"), 0);
}

TEST_F(FundsTransferTest, checksInOrderAndCancelSendsNothing) {
    driver.tapText("确定");
    ASSERT_TRUE(waitAlert());
    EXPECT_EQ(alertMessage(), "请选择银行");
    answerAlert();
    ASSERT_TRUE(chooseBank(form->selectBank(), form->bankListView(), kBankName));
    driver.tapText("确定");
    ASSERT_TRUE(waitAlert());
    EXPECT_EQ(alertMessage(), "金额不能为空");
    answerAlert();
    typeInto(form->moneyTextField(), "5");
    typeInto(form->passwordTextField(), "22222");
    driver.tapText("确定");
    ASSERT_TRUE(waitAlert());
    EXPECT_EQ(alertMessage(), "密码有误");
    answerAlert();
    typeInto(form->passwordTextField(), "2");
    driver.tapText("确定");
    ASSERT_TRUE(waitAlert());
    EXPECT_EQ(alertMessage(), "转账类型:入金\n 转账金额:5");
    snapshot("transfer-confirm");
    answerAlert("取消");
    EXPECT_EQ(sent("money_transfer"), 0);
    EXPECT_EQ(form->moneyTextField()->text(), "5");
}

TEST_F(FundsTransferTest, aLostSessionIsToldOnceByTheReloginDialog) {
    ASSERT_TRUE(chooseBank(form->selectBank(), form->bankListView(), kBankName));
    tradeServer().answerCodeNext(1004, "money_transfer");
    ASSERT_TRUE(transfer("10", kFundPassword));
    EXPECT_EQ(alertMessage(), "您的当前登录状态已失效,请重新登录!");
    EXPECT_EQ(driver.visibleAlert()->buttonTitleAtIndex(0), "重新登录");
    EXPECT_EQ(driver.viewsOfClass<AlertView>().size(), 1u) << "the text is shown once";
}

// Another account logs on while the form is on show, once with the confirmation up and once
// before 确定: neither tap sends, each says why, and the form, refilled with the banks of the
// account logged in now, takes the next transfer.
TEST_F(FundsTransferTest, aTapAfterAnotherLogonSendsNothingAndSaysWhy) {
    const auto fill = [&] {
        ASSERT_TRUE(chooseBank(form->selectBank(), form->bankListView(), kBankName));
        typeInto(form->moneyTextField(), "5");
        typeInto(form->passwordTextField(), kFundPassword);
    };
    const auto refusedAfterLogonOf = [&](const std::string& account) {
        ASSERT_TRUE(waitAlert());
        EXPECT_EQ(alertMessage(), "账户已切换，请重新操作");
        snapshot("transfer-account-changed");
        answerAlert();
        ASSERT_TRUE(waitIdle());
        EXPECT_EQ(lastRequest("money_userinfo_query")["USER_ID"], account);
    };
    fill();
    driver.tapText("确定");
    ASSERT_TRUE(waitAlert());
    ASSERT_TRUE(logInAs("100000000000003"));
    answerAlert("确定");
    refusedAfterLogonOf("100000000000003");

    fill();
    ASSERT_TRUE(logInAs(kAccount));
    driver.tapText("确定");
    refusedAfterLogonOf(kAccount);

    fill();
    driver.tapText("确定");
    ASSERT_TRUE(waitAlert());
    EXPECT_EQ(driver.visibleAlert()->tag(), PXJYChuRuJinCaoZuoVC::kConfirmAlertTag);
    EXPECT_EQ(sent("money_transfer"), 0);
}

TEST_F(FundsTransferTest, aDeadLineShowsTheNetworkFailureAndKeepsTheForm) {
    ASSERT_TRUE(chooseBank(form->selectBank(), form->bankListView(), kBankName));
    for (size_t i = 0; i < tradeServer().lineCount(); ++i) {
        tradeServer().line(i).refuse();
    }
    ASSERT_TRUE(transfer("10", kFundPassword));
    EXPECT_EQ(alertMessage(), "请求网络失败");
    answerAlert();
    EXPECT_EQ(form->moneyTextField()->text(), "10");
    EXPECT_EQ(VKJYCommonViewUtil::activityCount(), 0);
}

// The transfer's line fails only after another account logged on: a failure of an ended logon
// is told by nobody, and the form's overlay goes.
TEST_F(FundsTransferTest, aLineFailureOfATransferOfAnEndedLogonIsNotTold) {
    ASSERT_TRUE(chooseBank(form->selectBank(), form->bankListView(), kBankName));
    typeInto(form->moneyTextField(), "5");
    typeInto(form->passwordTextField(), kFundPassword);
    const auto confirmed = [&] {
        driver.tapText("确定");
        ASSERT_TRUE(waitAlert());
        answerAlert("确定");
    };
    EXPECT_TRUE(lineFailureAfterAnotherLogonUntold(
        "money_transfer", confirmed, [] { return VKJYCommonViewUtil::activityCount() == 0; }));
}

TEST_F(FundsTransferTest, aReplyAfterTheFormClosedDoesNothing) {
    ASSERT_TRUE(chooseBank(form->selectBank(), form->bankListView(), kBankName));
    for (size_t i = 0; i < tradeServer().lineCount(); ++i) {
        tradeServer().line(i).setDelayMs(300);
    }
    const double before = balance();
    typeInto(form->moneyTextField(), "9");
    typeInto(form->passwordTextField(), kFundPassword);
    driver.tapText("确定");
    ASSERT_TRUE(waitAlert());
    answerAlert("确定");
    ASSERT_EQ(VKJYCommonViewUtil::activityCount(), 1);
    // The customer leaves before the reply: the form takes its overlay along, and only the
    // home's bank list, fetched again on its appearing, keeps one up.
    form->VKJYNavBackAction();
    driver.settle();
    EXPECT_EQ(VKJYCommonViewUtil::activityCount(), 1);
    ASSERT_TRUE(driver.runUntil([&] { return balance() == before + 9; }));
    ASSERT_TRUE(waitIdle());
    EXPECT_FALSE(driver.visibleAlert()) << alertMessage();
    EXPECT_EQ(topScreen(), home);
}

TEST_F(FundsTransferTest, sendsOneTransferAtATime) {
    ASSERT_TRUE(chooseBank(form->selectBank(), form->bankListView(), kBankName));
    for (size_t i = 0; i < tradeServer().lineCount(); ++i) {
        tradeServer().line(i).setDelayMs(300);
    }
    typeInto(form->moneyTextField(), "3");
    typeInto(form->passwordTextField(), kFundPassword);
    driver.tapText("确定");
    ASSERT_TRUE(waitAlert());
    answerAlert("确定");
    EXPECT_FALSE(driver.tapText("确定")) << "the overlay takes the tap";
    driver.settle();
    EXPECT_FALSE(driver.visibleAlert()) << "no second confirmation while one is under way";
    ASSERT_TRUE(waitAlert());
    EXPECT_EQ(alertMessage(), "转账类型：入金\n转账金额：￥3");
    EXPECT_EQ(sent("money_transfer"), 1);
}

// The funds home below fetches its banks again (as on every appearance) while a transfer travels;
// the bank list failing must not uncover the form or open it for a second transfer.
TEST_F(FundsTransferTest, aBankListFailingWhileTheTransferTravelsLeavesTheSecondTapUnsent) {
    ASSERT_TRUE(chooseBank(form->selectBank(), form->bankListView(), kBankName));
    const double before = balance();
    tradeServer().holdReplies("money_transfer");
    typeInto(form->moneyTextField(), "5");
    typeInto(form->passwordTextField(), kFundPassword);
    ASSERT_TRUE(driver.tapText("确定"));
    ASSERT_TRUE(waitAlert());
    answerAlert("确定");
    ASSERT_TRUE(driver.runUntil([&] { return sent("money_transfer") == 1; }, 5));

    tradeServer().answerCodeNext(-1, "money_userinfo_query");
    home->getTradeBankInfo();
    ASSERT_TRUE(waitAlert());
    EXPECT_EQ(alertMessage(), "模拟错误");
    answerAlert();
    EXPECT_EQ(VKJYCommonViewUtil::activityCount(), 1) << "the transfer is still on its way";
    snapshot("transfer-sending");
    driver.tapText("确定");
    driver.settle();
    EXPECT_FALSE(driver.visibleAlert()) << alertMessage();
    EXPECT_FALSE(driver.runFor(1, [&] { return sent("money_transfer") > 1; }));

    tradeServer().releaseReplies("money_transfer");
    ASSERT_TRUE(waitAlert());
    EXPECT_EQ(alertMessage(), "转账类型：入金\n转账金额：￥5");
    answerAlert();
    EXPECT_EQ(VKJYCommonViewUtil::activityCount(), 0);
    EXPECT_EQ(sent("money_transfer"), 1);
    EXPECT_DOUBLE_EQ(balance(), before + 5);
}
