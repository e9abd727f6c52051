#include <gtest/gtest.h>

#include "trade/account/PXJYFundPasswordForm.h"
#include "trade/account/PXJYFundsInput.h"
#include "trade/account/PXJYTransferForm.h"
#include "trade/account/PXJYTransferHistory.h"

namespace {
JYDict bank(const std::string& id) {
    return {{"BANK_ID", id}, {"BANK_NAME", "工商银行"}, {"ST", "090000"}, {"ET", "160000"}};
}

JYDict record(const std::string& mid, const std::string& count = "") {
    JYDict r = {{"MID", mid}};
    if (!count.empty()) {
        r["TTLREC"] = count;
        r["IMS"] = "30.00";
        r["OMS"] = "5.00";
    }
    return r;
}
}  // namespace

TEST(PXJYFundsInputTest, editsByCharacterPositions) {
    EXPECT_EQ(PXJYFundsInput::edited("12", 2, 0, "3"), "123");
    EXPECT_EQ(PXJYFundsInput::edited("123", 1, 1, ""), "13");
    EXPECT_EQ(PXJYFundsInput::edited("银行1", 2, 0, "9"), "银行91");
}

TEST(PXJYFundsInputTest, judgesAmountsByTheWholeText) {
    struct Case {
        const char* text;
        bool inProgress;
        bool complete;
    };
    const Case cases[] = {
        {"", true, false},       {"1", true, true},     {"12.", true, false},
        {"12.3", true, true},    {"12.34", true, true}, {"12.345", false, false},
        {"1.2.3", false, false}, {"0", false, false},   {".5", false, false},
        {"0.5", false, false},   {"12a", false, false}, {"1 2", false, false},
        {"100000", true, true},  {"-5", false, false},  {"1,5", false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PXJYFundsInput::isAmountInProgress(c.text), c.inProgress) << c.text;
        EXPECT_EQ(PXJYFundsInput::isCompleteAmount(c.text), c.complete) << c.text;
    }
}

TEST(PXJYFundsInputTest, takesAtMostSixDigitsAsAPassword) {
    EXPECT_TRUE(PXJYFundsInput::isPasswordInProgress("12345"));
    EXPECT_TRUE(PXJYFundsInput::isPasswordInProgress("123456"));
    EXPECT_FALSE(PXJYFundsInput::isPasswordInProgress("1234567"));
    EXPECT_FALSE(PXJYFundsInput::isPasswordInProgress("12a4"));
    EXPECT_FALSE(PXJYFundsInput::isCompletePassword("12345"));
    EXPECT_TRUE(PXJYFundsInput::isCompletePassword("222222"));
}

TEST(PXJYTransferFormTest, checksInTheOrderTheCustomerMeetsThem) {
    struct Case {
        JYDict bank;
        const char* type;
        const char* amount;
        const char* password;
        const char* message;
    };
    const Case cases[] = {
        {JYDict::object(), "I", "", "", "请选择银行"},
        {bank("900"), "I", "10", "222222", "本版本暂不支持第三方支付入金功能"},
        {bank("102"), "I", "", "1", "金额不能为空"},
        {bank("102"), "O", "12.", "222222", "请输入正确的金额"},
        {bank("102"), "I", "10", "22222", "密码有误"},
    };
    for (const Case& c : cases) {
        auto refusal = PXJYTransferForm::check(c.bank, c.type, c.amount, c.password);
        ASSERT_TRUE(refusal) << c.message;
        EXPECT_EQ(*refusal, c.message);
    }
    EXPECT_FALSE(PXJYTransferForm::check(bank("900"), "O", "10.5", "222222"));
    EXPECT_FALSE(PXJYTransferForm::check(bank("102"), "I", "10", "222222"));
}

TEST(PXJYTransferFormTest, writesTheNoteConfirmationSuccessAndRequest) {
    EXPECT_EQ(PXJYTransferForm::timePeriodText(JYDict::object()),
              "注:可操作时间段为(--:--:-- - --:--:--)");
    EXPECT_EQ(PXJYTransferForm::timePeriodText(bank("102")), "注:可操作时间段为(090000 - 160000)");
    EXPECT_EQ(PXJYTransferForm::confirmationText("I", "12.5"), "转账类型:入金\n 转账金额:12.5");
    EXPECT_EQ(PXJYTransferForm::successText("O", "3"), "转账类型：出金\n转账金额：￥3");
    const JYDict common = {{"id", "7"}, {"userid", "u"}, {"session_id", "s"}};
    const JYDict request = PXJYTransferForm::request(common, bank("102"), "O", "3", "222222");
    EXPECT_EQ(request.dump(), R"({"id":"7","userid":"u","session_id":"s","bank_id":"102",)"
                              R"("in_out":"O","amount":"3","pswd":"222222"})");
}

TEST(PXJYFundPasswordFormTest, refusesInOrderAndEmptiesTheNamedFields) {
    struct Case {
        const char* old;
        const char* fresh;
        const char* again;
        const char* message;
        bool clearsOld;
        bool clearsNew;
    };
    const Case cases[] = {
        {"22222", "654321", "654321", "密码有误", true, false},
        {"222222", "222222", "", "请输入与旧密码不同的新密码", false, true},
        {"222222", "654321", "", "请输入密码", false, false},
        {"222222", "6543", "6543", "密码的长度不能小于6位", false, true},
        {"222222", "654321", "654320", "新密码两次输入不相符", false, true},
    };
    for (const Case& c : cases) {
        auto refusal = PXJYFundPasswordForm::check(c.old, c.fresh, c.again);
        ASSERT_TRUE(refusal) << c.message;
        EXPECT_EQ(refusal->message, c.message);
        EXPECT_EQ(refusal->clearsOld, c.clearsOld) << c.message;
        EXPECT_EQ(refusal->clearsNew, c.clearsNew) << c.message;
    }
    EXPECT_FALSE(PXJYFundPasswordForm::check("222222", "654321", "654321"));
    EXPECT_TRUE(PXJYFundPasswordForm::matches("654321", "654321"));
    EXPECT_FALSE(PXJYFundPasswordForm::matches("65432", "65432"));
    EXPECT_FALSE(PXJYFundPasswordForm::matches("654321", "654320"));
}

TEST(PXJYTransferHistoryTest, keepsTheLastAnswerWithItsTotalsFromTheFirstRecord) {
    PXJYTransferHistory history;
    EXPECT_EQ(history.total("IMS"), "");
    history.replace({record("9", "3"), record("8"), record("7")});
    EXPECT_EQ(history.records().size(), 3u);
    EXPECT_EQ(history.total("IMS"), "30.00");
    EXPECT_EQ(history.total("OMS"), "5.00");
    EXPECT_EQ(history.total("TTLREC"), "3");
    history.replace({record("1", "1")});
    EXPECT_EQ(history.records().size(), 1u);
    EXPECT_EQ(history.total("TTLREC"), "1");
}
