#include "sim/TradeSimFixture.h"

namespace {
Fields transfer(const std::string& type, const std::string& amount, const std::string& pwd,
                const std::string& bank = "900") {
    return {{"BANK_ID", bank}, {"TYPE", type}, {"AMOUNT", amount}, {"PWD", pwd}};
}
}  // namespace

class TradeFundsTest : public TradeSimTest {
protected:
    double equity(const TradeClient& trade) {
        return money(trade.session("/trade", "firm_info", {}).records()[0]["EQT"]);
    }
    double bank(const TradeClient& trade, const std::string& pwd = kFundPassword) {
        Reply reply =
            trade.session("/funds", "money_bankfunds", {{"BANK_ID", "900"}, {"PWD", pwd}});
        return reply.retcode() == 0 ? money(reply.rep()["BANK_FUNDS"]) : -1;
    }
};

TEST_F(TradeFundsTest, shouldMoveMoneyBetweenBankAndAccountWithTheFundPassword) {
    TradeClient bob = loggedIn(kBob);
    EXPECT_DOUBLE_EQ(bank(bob), 500000.00);
    EXPECT_EQ(bank(bob, "000000"), -1);

    Reply wrong = bob.session("/funds", "money_transfer", transfer("I", "1000.50", "000000"));
    EXPECT_EQ(wrong.rep()["message"], "资金密码错误");
    EXPECT_DOUBLE_EQ(equity(bob), 1000000.00);

    ASSERT_EQ(
        bob.session("/funds", "money_transfer", transfer("I", "1000.50", kFundPassword)).retcode(),
        0);
    EXPECT_DOUBLE_EQ(equity(bob), 1001000.50);
    EXPECT_DOUBLE_EQ(bank(bob), 498999.50);

    ASSERT_EQ(
        bob.session("/funds", "money_transfer", transfer("O", "2000", kFundPassword)).retcode(), 0);
    EXPECT_DOUBLE_EQ(equity(bob), 999000.50);
    EXPECT_DOUBLE_EQ(bank(bob), 500999.50);

    EXPECT_NE(
        bob.session("/funds", "money_transfer", transfer("O", "2000000", kFundPassword)).retcode(),
        0);
    EXPECT_NE(
        bob.session("/funds", "money_transfer", transfer("I", "600000", kFundPassword)).retcode(),
        0);
    EXPECT_NE(bob.session("/funds", "money_transfer", transfer("I", "-5", kFundPassword)).retcode(),
              0);
    EXPECT_NE(
        bob.session("/funds", "money_transfer", transfer("I", "1.234", kFundPassword)).retcode(),
        0);
    EXPECT_NE(bob.session("/funds", "money_transfer", transfer("X", "5", kFundPassword)).retcode(),
              0);
    EXPECT_NE(
        bob.session("/funds", "money_transfer", transfer("I", "5", kFundPassword, "777")).retcode(),
        0);

    Reply history =
        bob.session("/funds", "money_iom_query", {{"ST", ""}, {"ET", ""}, {"STARTNUM", "0"}});
    EXPECT_EQ(history.rep()["TTLREC"], "3");
    EXPECT_EQ(history.rep()["IMS"], "1001000.50");
    EXPECT_EQ(history.rep()["OMS"], "2000.00");
    Json rows = history.records();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0]["TT"], "O");
    EXPECT_EQ(rows[0]["AM"], "2000.00");
    EXPECT_EQ(rows[1]["TT"], "I");
}

TEST_F(TradeFundsTest, shouldRefuseAWithdrawalBeyondTheAvailableFunds) {
    TradeClient bob = loggedIn(kBob);
    Fields order = {{"BUY_SELL", "1"}, {"COMMODITY_ID", "SN"}, {"QTY", "5"}, {"SETTLE_BASIS", "1"}};
    ASSERT_EQ(bob.session("/trade", "order_s", order).retcode(), 0);
    const double available = money(bob.session("/trade", "firm_info", {}).records()[0]["UF"]);
    ASSERT_LT(available, 1000000.00);
    char text[32];
    std::snprintf(text, sizeof(text), "%.2f", available + 1);
    EXPECT_EQ(bob.session("/funds", "money_transfer", transfer("O", text, kFundPassword))
                  .rep()["message"],
              "可出金额不足");
}

TEST_F(TradeFundsTest, shouldChangeTheFundPasswordOnlyWithTheOldOne) {
    TradeClient bob = loggedIn(kBob);
    EXPECT_NE(
        bob.session("/funds", "money_modpwd", {{"OPWD", "000000"}, {"NPWD", "654321"}}).retcode(),
        0);
    ASSERT_EQ(bob.session("/funds", "money_modpwd", {{"OPWD", kFundPassword}, {"NPWD", "654321"}})
                  .retcode(),
              0);
    EXPECT_EQ(bank(bob), -1);
    EXPECT_DOUBLE_EQ(bank(bob, "654321"), 500000.00);
}

TEST_F(TradeFundsTest, shouldListBanksAndMarketFunds) {
    TradeClient bob = loggedIn(kBob);
    Json banks = bob.session("/funds", "money_userinfo_query", {}).records();
    ASSERT_EQ(banks.size(), 2u);
    EXPECT_EQ(banks[0]["BANK_ID"], "900");
    // The trading account, then one record per bank, each field as the funds screen shows it.
    Json funds = bob.session("/funds", "money_marketfundsinfo_query", {}).records();
    ASSERT_EQ(funds.size(), 3u);
    EXPECT_EQ(funds[0]["AP"], "M");
    EXPECT_EQ(funds[0]["EQ"], "1000000.00");
    EXPECT_EQ(funds[0]["COM"], "1000000.00");
    EXPECT_EQ(funds[1]["BANK_ID"], "900");
    EXPECT_EQ(funds[1]["COM"], "500000.00");
    Fields out = {{"BANK_ID", "900"}, {"TYPE", "O"}, {"AMOUNT", "1000.50"}, {"PWD", kFundPassword}};
    ASSERT_EQ(bob.session("/funds", "money_transfer", out).retcode(), 0);
    funds = bob.session("/funds", "money_marketfundsinfo_query", {}).records();
    EXPECT_EQ(funds[0]["EQ"], "1000000.00");
    EXPECT_EQ(funds[0]["IOF"], "-1000.50");
    EXPECT_EQ(funds[0]["COM"], "998999.50");
    EXPECT_EQ(funds[0]["UF"], "998999.50");
    EXPECT_EQ(funds[1]["EQ"], "500000.00");
    EXPECT_EQ(funds[1]["IOF"], "1000.50");
    EXPECT_EQ(funds[1]["COM"], "501000.50");
}

TEST_F(TradeFundsTest, shouldChangeTheTradingPasswordForTheNextLogin) {
    TradeClient bob = loggedIn(kBob);
    Fields change = {{"PWD_TYPE", "0"}, {"OLD_PASSWORD", "000000"}, {"NEW_PASSWORD", "abcdef"}};
    EXPECT_NE(bob.session("/trade", "change_password", change).retcode(), 0);
    change[1] = {"OLD_PASSWORD", kPassword};
    ASSERT_EQ(bob.session("/trade", "change_password", change).retcode(), 0);
    EXPECT_NE(client().logon(kBob, kPassword, nextLogonTime()).retcode(), 0);
    EXPECT_EQ(client().logon(kBob, "abcdef", nextLogonTime()).retcode(), 0);
}
