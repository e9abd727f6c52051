#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "FundsScreenTest.h"
#include "platform/foundation/DateFormat.h"
#include "platform/ui/TextField.h"
#include "sim/trade/SimTradeServer.h"
#include "trade/account/PXJYChangeThePasswordVC.h"
#include "trade/account/PXJYChuRuJinViewController.h"
#include "trade/account/PXJYGongGaoViewController.h"
#include "trade/account/PXJYTradeOthersController.h"
#include "trade/account/PXJYXiuGaiZiJinMiMaVC.h"
#include "trade/common/PXTradeScreenFactory.h"
#include "widgets/LoadMoreTableView.h"

namespace {
// The funds, more and announcement screens with a page and more of announcements published.
class AccountChangedTapTest : public FundsScreenTest {
protected:
    static constexpr const char* kOtherAccount = "100000000000003";
    static constexpr int kNotices = 25;
    static constexpr size_t kPage = 20;

    void SetUp() override {
        // Published from the exchange's midnight on, so that today's range holds them all.
        const DateFormat exchangeDay("yyyy-MM-dd", DateFormat::Zone::fixed(8 * 3600));
        const double midnight = *exchangeDay.parse(exchangeDay.format(DateFormat::now()));
        for (int i = 1; i <= kNotices; ++i) {
            tradeServer().ledger().publishNotice("公告" + std::to_string(i), "<p>通知</p>",
                                                 DateFormat::milliseconds(midnight) + i * 60000);
        }
        FundsScreenTest::SetUp();
    }

    template <typename T>
    T* push(const std::string& className) {
        auto made = PXTradeScreenFactory::create(className);
        made->setHidesBottomBarWhenPushed(true);
        return dynamic_cast<T*>(pushOnTradeTab(std::move(made)));
    }

    void typeAll(const std::vector<TextField*>& fields, const std::vector<std::string>& texts) {
        ASSERT_EQ(fields.size(), texts.size());
        for (size_t i = 0; i < fields.size(); ++i) {
            fields[i]->setText("");
            typeInto(fields[i], texts[i]);
        }
    }

    static bool allEmpty(const std::vector<TextField*>& fields) {
        for (TextField* field : fields) {
            if (!field->text().empty()) {
                return false;
            }
        }
        return true;
    }

    void pullUp(LoadMoreTableView& table) {
        table.setContentOffset({0, table.maximumContentOffset().y});
        driver.drag({160, 420}, {160, 220});
    }
};
}  // namespace

// Another account logs on while a form is on show: the tap that would send sends nothing and
// says why, what the form held for the account before is gone (the form stays), and the next
// tap, made for the account logged in now, goes.
TEST_F(AccountChangedTapTest, aTapAfterAnotherLogonSendsNothingSaysWhyAndTheNextGoes) {
    PXJYXiuGaiZiJinMiMaVC* fund = nullptr;
    PXJYChangeThePasswordVC* trading = nullptr;
    PXJYGongGaoViewController* notices = nullptr;
    const auto fundFields = [&] {
        return std::vector<TextField*>{fund->oldPasswordTextField(), fund->newPasswordTextField(),
                                       fund->aginPasswordTextField()};
    };
    const auto tradingFields = [&] { return driver.visibleViewsOfClass<TextField>(); };
    struct Form {
        const char* name;
        const char* request;
        std::function<void()> fill;
        std::function<void()> tap;
        std::function<bool()> forgotten;
        int sendsToGoAgain;
    };
    const Form forms[] = {
        {"fund password", "money_modpwd",
         [&] {
             if (!fund) {
                 PXJYChuRuJinViewController* home = openHome();
                 ASSERT_TRUE(home);
                 fund = openEntryAs<PXJYXiuGaiZiJinMiMaVC>(*home, 2);
                 ASSERT_TRUE(fund);
             }
             typeAll(fundFields(), {"999999", "654321", "654321"});
         },
         [&] { driver.tapText("确  定"); }, [&] { return allEmpty(fundFields()); }, 1},
        {"trading password", "change_password",
         [&] {
             if (!trading) {
                 auto* menu = push<PXJYTradeOthersController>("PXJYTradeOthersController");
                 ASSERT_TRUE(menu);
                 ASSERT_TRUE(driver.tapText("    修改密码"));
                 driver.settle();
                 trading = menu->modifyTradePasswordVC();
             }
             typeAll(tradingFields(), {"999999", "abc12345", "abc12345"});
         },
         [&] { driver.tapText("确  定"); },
         [&] { return trading->view()->frame().x == 0 && allEmpty(tradingFields()); }, 1},
        {"announcement next page", "notice_list_query",
         [&] {
             if (!notices) {
                 notices = push<PXJYGongGaoViewController>("PXJYGongGaoViewController");
                 ASSERT_TRUE(notices);
             }
             ASSERT_TRUE(driver.tapText("确  定"));
             ASSERT_TRUE(driver.runUntil([&] { return notices->dataList().size() == kPage; }));
             driver.settle();
         },
         [&] { pullUp(*notices->listTableView()); },
         [&] { return notices->dataList().empty() && notices->listView()->frame().x == 320; },
         2},
    };
    const char* accounts[] = {kOtherAccount, kAccount};
    int round = 0;
    for (const Form& form : forms) {
        SCOPED_TRACE(form.name);
        const char* account = accounts[round++ % 2];
        form.fill();
        ASSERT_TRUE(logInAs(account));
        form.tap();
        EXPECT_TRUE(waitAlert());
        EXPECT_EQ(alertMessage(), "账户已切换，请重新操作");
        snapshot(std::string("account-changed-") + std::to_string(round));
        answerAlert();
        EXPECT_TRUE(form.forgotten());
        EXPECT_EQ(sent(form.request), 0);

        form.fill();
        form.tap();
        EXPECT_TRUE(driver.runUntil([&] { return sent(form.request) == form.sendsToGoAgain; }));
        EXPECT_EQ(lastRequest(form.request)["USER_ID"], account);
        waitIdle();
        if (driver.visibleAlert()) {
            EXPECT_NE(alertMessage(), "账户已切换，请重新操作");
            answerAlert();
        }
        tradeNavigation()->popToRootViewController(false);
        driver.settle();
    }
}
