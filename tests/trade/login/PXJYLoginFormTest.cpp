#include <gtest/gtest.h>

#include "platform/foundation/Text.h"
#include "trade/login/PXJYLoginForm.h"
#include "trade/login/PXJYSmsCodeRules.h"

namespace {
using Field = PXJYLoginForm::Field;

struct GroupingCase {
    std::string typed;
    std::string shown;
};

void PrintTo(const GroupingCase& c, std::ostream* os) {
    *os << '"' << c.typed << '"';
}

class AccountGroupingTest : public ::testing::TestWithParam<GroupingCase> {};

TEST_P(AccountGroupingTest, writesASpaceAfterEveryCompleteRunOfFour) {
    EXPECT_EQ(PXJYLoginForm::stringByReplacingOccurrencesOfSpace(GetParam().typed),
              GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(Runs, AccountGroupingTest,
                         ::testing::Values(GroupingCase{"", ""}, GroupingCase{"123", "123"},
                                           GroupingCase{"1234", "1234 "},
                                           GroupingCase{"12345", "1234 5"},
                                           GroupingCase{"12 34 5", "1234 5"},
                                           GroupingCase{"100000000000001", "1000 0000 0000 001"},
                                           GroupingCase{"1234567890123456", "1234 5678 9012 3456 "},
                                           GroupingCase{"账号12345", "账号12 345"},
                                           GroupingCase{"交易账号", "交易账号 "}));

TEST(PXJYLoginFormTest, shouldKeepAPastedTextWholeAndItsLengthWhenGroupedAgainAndAgain) {
    std::string pasted;
    for (int i = 0; i < 50; ++i) {
        pasted += "交易a€";
    }
    std::string shown = PXJYLoginForm::stringByReplacingOccurrencesOfSpace(pasted);
    const std::string once = shown;
    for (int edit = 0; edit < 20; ++edit) {
        shown = PXJYLoginForm::stringByReplacingOccurrencesOfSpace(shown);
    }
    EXPECT_TRUE(Text::isValidUtf8(shown));
    EXPECT_EQ(shown, once);
    EXPECT_EQ(PXJYLoginForm::withoutSpaces(shown), pasted);
}

TEST(PXJYLoginFormTest, shouldTakeFifteenDigitsAndRefuseTheSixteenth) {
    std::string text;
    for (int i = 0; i < 15; ++i) {
        auto next = PXJYLoginForm::textAfterKey(Field::Account, text, std::to_string(i % 10));
        ASSERT_TRUE(next) << "digit " << i;
        text = *next;
    }
    EXPECT_EQ(text, "0123 4567 8901 234");
    EXPECT_FALSE(PXJYLoginForm::textAfterKey(Field::Account, text, "5"));
}

TEST(PXJYLoginFormTest, shouldInsertTheSpaceBeforeTheFifthDigitAndAllowBackingOverIt) {
    EXPECT_EQ(PXJYLoginForm::textAfterKey(Field::Account, "1234", "5"), "1234 5");
    // After backspace removed the space the next key regroups first.
    EXPECT_EQ(PXJYLoginForm::textAfterKey(Field::Account, "1234", "9"), "1234 9");
}

TEST(PXJYLoginFormTest, shouldTakeFourCaptchaDigitsAndAnyKeyElsewhere) {
    EXPECT_EQ(PXJYLoginForm::textAfterKey(Field::Captcha, "123", "4"), "1234");
    EXPECT_FALSE(PXJYLoginForm::textAfterKey(Field::Captcha, "1234", "5"));
    EXPECT_EQ(PXJYLoginForm::textAfterKey(Field::Other, "123456789012345678", "9"),
              "1234567890123456789");
}

struct CheckCase {
    std::string account;
    std::string password;
    std::string captcha;
    bool captchaShown;
    std::optional<std::string> fullScreen;
    std::optional<std::string> switchScreen;
};

void PrintTo(const CheckCase& c, std::ostream* os) {
    *os << c.fullScreen.value_or("ok");
}

class LoginChecksTest : public ::testing::TestWithParam<CheckCase> {};

TEST_P(LoginChecksTest, shouldStopAtTheFirstFailingCheck) {
    const CheckCase& c = GetParam();
    EXPECT_EQ(PXJYLoginForm::loginYanZheng(c.account, c.password, c.captcha, c.captchaShown),
              c.fullScreen);
    EXPECT_EQ(PXJYLoginForm::checkUserInput(c.account, c.password, c.captcha, c.captchaShown),
              c.switchScreen);
}

const std::string kAccount = "1000 0000 0000 001";

INSTANTIATE_TEST_SUITE_P(
    Messages, LoginChecksTest,
    ::testing::Values(
        CheckCase{"", "111111", "1234", true, "用户名输入有误!用户名不能小于15位", "请输入用户名"},
        CheckCase{"1000 0000 0000 00", "111111", "1234", true, "用户名输入有误!用户名不能小于15位",
                  "切换账户，用户名输入有误!"},
        CheckCase{"1000 0000 0000 0011", "111111", "1234", true,
                  "用户名输入有误!用户名不能大于15位", "切换账户，用户名输入有误!"},
        CheckCase{kAccount, "", "1234", true, "密码输入不能为空", "密码输入不能为空"},
        CheckCase{kAccount, "12345", "1234", true, "密码的长度不能小于6位",
                  "密码的长度不能小于6位"},
        // Two characters, six bytes.
        CheckCase{kAccount, "密码", "1234", true, "密码的长度不能小于6位", "密码的长度不能小于6位"},
        CheckCase{kAccount, "111111", "", true, "验证码输入不能为空", "验证码输入不能为空"},
        CheckCase{kAccount, "111111", "123", true, "请输入4位验证码", "请输入4位验证码"},
        CheckCase{kAccount, "111111", "1234", true, std::nullopt, std::nullopt},
        // An environment without captcha asks for none.
        CheckCase{kAccount, "111111", "", false, std::nullopt, std::nullopt}));

TEST(PXJYLoginFormTest, shouldCountTheCharactersOfANewPasswordNotItsBytes) {
    EXPECT_EQ(PXJYSmsCodeRules::newPasswordProblem("密码", "密码"), "新密码不得少于6位!");
    EXPECT_EQ(PXJYSmsCodeRules::newPasswordProblem("交易密码六位", "交易密码六位"), std::nullopt);
}

TEST(PXJYLoginFormTest, shouldAllowAnAccountWhoseMemberCodeIsListed) {
    EXPECT_TRUE(PXJYLoginForm::hasMemberRight({"F001", "100"}, kAccount));
    EXPECT_FALSE(PXJYLoginForm::hasMemberRight({"F001", "200"}, kAccount));
    EXPECT_FALSE(PXJYLoginForm::hasMemberRight({}, kAccount));
}
}  // namespace
