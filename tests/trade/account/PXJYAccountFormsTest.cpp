#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include "platform/foundation/DateFormat.h"
#include "platform/foundation/PropertyList.h"
#include "support/TempFolder.h"
#include "trade/account/PXJYAccountDetailRows.h"
#include "trade/account/PXJYGongGaoQuery.h"
#include "trade/account/PXJYMarketState.h"
#include "trade/account/PXJYPasswordForm.h"
#include "trade/account/PXJYTradeSettings.h"
#include "trade/common/PXTradeQueryDay.h"
#include "trade/login/PXJYSavedAccounts.h"

namespace {
struct PasswordCase {
    const char* oldPassword;
    const char* newPassword;
    const char* again;
    std::optional<std::string> message;
    bool clearsOld;
    bool clearsNew;
};

std::string valueOf(const std::vector<PXJYAccountDetailRows::Row>& rows, const std::string& label) {
    for (const auto& row : rows) {
        if (row.label == label) {
            return row.value;
        }
    }
    return "<missing>";
}
}  // namespace

TEST(PXJYPasswordFormTest, shouldCheckTheOldThenTheNewLengthThenTheRepetition) {
    const PasswordCase cases[] = {
        {"12345", "abcdef", "abcdef", "密码有误", true, false},
        {"123456", "abcde", "abcde", "密码的长度不能小于6位", false, true},
        {"123456", "abcdef", "abcdeg", "新密码两次输入不相符", false, true},
        // The repeated entry has no length rule of its own.
        {"123456", "abcdef", "abc", "新密码两次输入不相符", false, true},
        {"123456", "abcdef", "abcdef", std::nullopt, false, false},
        // Characters, not bytes.
        {"密码密码密码", "新密码新密码", "新密码新密码", std::nullopt, false, false},
    };
    for (const PasswordCase& c : cases) {
        const auto refusal = PXJYPasswordForm::check(c.oldPassword, c.newPassword, c.again);
        ASSERT_EQ(refusal.has_value(), c.message.has_value()) << c.oldPassword << c.newPassword;
        if (refusal) {
            EXPECT_EQ(refusal->message, *c.message);
            EXPECT_EQ(refusal->clearsOld, c.clearsOld);
            EXPECT_EQ(refusal->clearsNew, c.clearsNew);
        }
    }
    EXPECT_TRUE(PXJYPasswordForm::matches("abcdef", "abcdef"));
    EXPECT_FALSE(PXJYPasswordForm::matches("abcde", "abcde"));
    EXPECT_TRUE(PXJYPasswordForm::acceptsEdit(15, 0, 1));
    EXPECT_FALSE(PXJYPasswordForm::acceptsEdit(16, 0, 1));
    EXPECT_TRUE(PXJYPasswordForm::acceptsEdit(16, 0, 0)) << "deleting is always allowed";
    EXPECT_FALSE(PXJYPasswordForm::acceptsEdit(0, 0, 20)) << "nor can a paste pass the limit";
}

TEST(PXJYPasswordFormTest, shouldBuildTheWholeChangePasswordEnvelope) {
    const JYDict body = PXJYPasswordForm::envelope("ID1", "100", "1", "oldpw1", "newpw1", "S9");
    EXPECT_EQ(body.dump(),
              R"({"VUZI":{"version":"1.0","REQ":{"id":"ID1","name":"change_password",)"
              R"("USER_ID":"100","PWD_TYPE":"1","OLD_PASSWORD":"oldpw1","NEW_PASSWORD":"newpw1",)"
              R"("SESSION_ID":"S9"}}})");
}

TEST(PXJYTradeSettingsTest, shouldNameEveryValueAsButtonAndListShowIt) {
    EXPECT_EQ(PXJYTradeSettings::buttonTitle(1, "2"), "仅弹出窗口");
    EXPECT_EQ(PXJYTradeSettings::buttonTitle(1, "7"), "弹出窗口，并响铃");
    EXPECT_EQ(PXJYTradeSettings::listText(1, "3"), " 弹出窗口,并响铃");
    EXPECT_EQ(PXJYTradeSettings::buttonTitle(2, "5"), "5秒");
    EXPECT_EQ(PXJYTradeSettings::chosenTitle(2, "5"), "5 秒");
    EXPECT_EQ(PXJYTradeSettings::buttonTitle(3, "10"), "10分钟");
    EXPECT_EQ(PXJYTradeSettings::chosenTitle(3, "30"), "30 分钟");
    EXPECT_EQ(PXJYTradeSettings::buttonTitle(4, "1"), "是");
    EXPECT_EQ(PXJYTradeSettings::buttonTitle(5, "x"), "否");
    EXPECT_EQ(PXJYTradeSettings::row(3).key, "timeoutTime");
    EXPECT_EQ(PXJYTradeSettings::row(3).choices.size(), 6u);
}

TEST(PXJYMarketStateTest, shouldNameTheKnownStatesAndKeepTheOthers) {
    EXPECT_EQ(PXJYMarketState::text(0), "初始化完成");
    EXPECT_EQ(PXJYMarketState::text(5), "交易中");
    EXPECT_EQ(PXJYMarketState::text(7), "交易结束");
    for (int kept : {1, -1, 8}) {
        EXPECT_EQ(PXJYMarketState::text(kept), std::nullopt) << kept;
    }
}

TEST(PXJYAccountDetailRowsTest, shouldShowTheFeeAsMoneyTakenAndNeverADoubleMinus) {
    EXPECT_EQ(PXJYAccountDetailRows::feeText("1.5"), "-1.50");
    EXPECT_EQ(PXJYAccountDetailRows::feeText("0"), "0.00");
    EXPECT_EQ(PXJYAccountDetailRows::feeText("-1.5"), "1.50");
    EXPECT_EQ(PXJYAccountDetailRows::feeText("-0.001"), "0.00");
    EXPECT_EQ(PXJYAccountDetailRows::feeText(""), "0.00");
}

TEST(PXJYAccountDetailRowsTest, shouldShowDashesWhereTheRiskCannotBeComputed) {
    const JYDict account = {{"FN", "张三"}, {"FI", "100"}, {"C_STA", "正常"}, {"RM", "0"}};
    const JYDict risk = {{"m_flv", "--"},
                         {"v_QC", "1000"},
                         {"c_value", "--"},
                         {"BZJ_value", "--"},
                         {"r_value", "--"}};
    const auto rows = PXJYAccountDetailRows::rows(account, risk);
    ASSERT_EQ(rows.size(), 15u);
    EXPECT_EQ(valueOf(rows, "当前权益:"), "--");
    EXPECT_EQ(valueOf(rows, "浮动盈亏:"), "--");
    EXPECT_EQ(valueOf(rows, "风险率"), "--");
    EXPECT_EQ(valueOf(rows, "可用资金:"), "--");
    EXPECT_EQ(valueOf(rows, "期初权益:"), "1000.00");
    EXPECT_EQ(valueOf(rows, "冻结订金:"), "0.00");
    EXPECT_FALSE(rows[5].color.has_value());
    EXPECT_FALSE(rows[6].color.has_value());
    // Before the first account reply the names still have a row each.
    const auto empty = PXJYAccountDetailRows::rows(JYDict::object(), risk);
    EXPECT_EQ(valueOf(empty, "账号名称:"), "--");
}

TEST(PXJYAccountDetailRowsTest, shouldColourTheRiskRateAgainstOneHundredPercent) {
    struct Case {
        const char* rate;
        Color color;
    };
    const Case cases[] = {{"100", Color::whiteColor()},
                          {"99.99", Color::rgb(59, 210, 53)},
                          {"100.01", Color::rgb(255, 0, 0)}};
    for (const Case& c : cases) {
        const JYDict risk = {{"m_flv", "-3"}, {"r_value", c.rate}};
        const auto rows = PXJYAccountDetailRows::rows(JYDict::object(), risk);
        EXPECT_EQ(rows[6].color, c.color) << c.rate;
        EXPECT_EQ(rows[6].value, std::string(c.rate).find('.') == std::string::npos
                                     ? std::string(c.rate) + ".00%"
                                     : std::string(c.rate) + "%");
        EXPECT_EQ(rows[5].color, Color::greenColor());
    }
}

TEST(PXJYSavedAccountsTest, shouldKeepAnEmptiedEnvironmentAndLeaveAnUnreadableFileAlone) {
    TempFolder folder;
    const std::string path = folder.file("AccountsMessage.plist");
    PropertyList file = PropertyList::dictionary();
    PropertyList platform = PropertyList::dictionary();
    PropertyList real = PropertyList::dictionary();
    real.set("A1", "0");
    real.set("A2", "0");
    PropertyList demo = PropertyList::dictionary();
    demo.set("D1", "0");
    platform.set("01", real);
    platform.set("02", demo);
    file.set("01", platform);
    ASSERT_TRUE(file.writeFile(path));
    const PXJYSavedAccounts saved(path);

    ASSERT_TRUE(saved.removeAccount({"01", "02", "D1"}));
    EXPECT_EQ(saved.environments("01").size(), 1u);
    const auto after = PropertyList::readFile(path);
    ASSERT_TRUE(after);
    EXPECT_TRUE((*after)["01"]["02"].isDictionary());
    EXPECT_EQ((*after)["01"]["02"].size(), 0u);
    // An account that is not there changes nothing, but the file is still written.
    EXPECT_TRUE(saved.removeAccount({"09", "01", "A1"}));
    EXPECT_EQ(saved.accounts("01", "01"), (std::vector<std::string>{"A1", "A2"}));

    EXPECT_FALSE(PXJYSavedAccounts(folder.file("missing.plist")).removeAccount({"01", "01", "A1"}));
    EXPECT_FALSE(std::filesystem::exists(folder.file("missing.plist")));
}

TEST(PXJYGongGaoQueryTest, shouldSendTheExpiryRangeOnlyForExpiredAnnouncements) {
    PXJYGongGaoQuery query;
    query.startDate = *DateFormat("yyyy-MM-dd", DateFormat::Zone::gmt()).parse("2014-05-06");
    query.endDate = query.startDate;
    query.startDateInvalid = query.startDate;
    query.endDateInvalid = query.startDate;
    JYDict valid = query.listRequest("U", "S", "", 41);
    EXPECT_EQ(
        valid.dump(),
        R"({"userid":"U","session_id":"S","effective":"1","type":"","s_time":"1399334400000",)"
        R"("e_time":"1399334400000","e_st":"0","e_et":"0","title":"","start_num":"41"})");
    query.setEffective("2");
    JYDict expired = query.listRequest("U", "S", "第", 1);
    EXPECT_EQ(expired["e_st"], "1399334400000");
    EXPECT_EQ(expired["title"], "第");

    // The publication range is checked first, then the expiry range.
    query.endDateInvalid = DateFormat::addingDays(query.startDateInvalid, -1);
    EXPECT_EQ(query.check(), "开始日期不能在结束日期之后");
    query.setEffective("1");
    EXPECT_EQ(query.check(), std::nullopt);
    const JYDict record = {{"ID", "7"}, {"TYPE", "2"}};
    EXPECT_EQ(query.detailRequest(record, "U", "S").dump(),
              R"({"userid":"U","session_id":"S","notice_id":"7","type":"2","effective":"1"})");
}
