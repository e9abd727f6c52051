#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

#include "TradeLoginScreenTest.h"
#include "platform/foundation/Text.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/Button.h"
#include "platform/ui/TextField.h"
#include "shell/VKJYNavigationBarView.h"
#include "shell/VKJYTabBarHelper.h"
#include "sim/trade/SimTradeLedger.h"
#include "sim/trade/SimTradeServer.h"
#include "trade/common/PXTradeScreenFactory.h"
#include "trade/core/PXTradeData.h"
#include "trade/core/PXTradeModule.h"
#include "trade/core/PXTradePeiZhi.h"
#include "trade/core/PXTradeTimerManger.h"
#include "trade/login/PXJYCaptchaButton.h"
#include "trade/login/PXJYRootViewController.h"
#include "trade/login/PXJYSavedAccounts.h"
#include "trade/login/PXJYSimpleLoginVC.h"
#include "trade/login/PXJYTradeLoginVC.h"
#include "trade/login/PXTradeHomeView.h"

namespace {
constexpr const char* kPassword = "111111";

// A screen the home opens, recording what it was handed.
class OpenedScreen : public ViewController {
public:
    explicit OpenedScreen(PXTradeScreenArgs args) : args(std::move(args)) {}
    PXTradeScreenArgs args;
};
}  // namespace

class PXJYRootViewControllerTest : public TradeLoginScreenTest {
protected:
    // Logs the account in on the login screen the trade tab brings up, after saving others.
    PXJYRootViewController* logInThroughTheTradeTab(const std::string& account,
                                                    const std::vector<std::string>& saved = {}) {
        PXJYTradeLoginVC* screen = openLoginScreen();
        if (!screen) {
            return nullptr;
        }
        for (const auto& other : saved) {
            PXJYSavedAccounts::ofApplication().addAccount({"01", "01", other});
        }
        logInOnScreen(screen, account, kPassword);
        EXPECT_TRUE(runUntilHome()) << alertTexts();
        return top<PXJYRootViewController>();
    }
    // The menu's "查询" entry, opening a stand-in screen.
    void openTheQueryEntry(PXJYRootViewController& root) {
        PXTradeScreenFactory::registerScreen(
            "PXJYChaXunViewController",
            [](const PXTradeScreenArgs& a) { return std::make_unique<OpenedScreen>(a); });
        ASSERT_TRUE(driver.tap(root.navigationBarView()->menuButton()));
        ASSERT_TRUE(driver.tapText("查询"));
        driver.settle();
        PXTradeScreenFactory::registerScreen("PXJYChaXunViewController", nullptr);
    }
    // The holdings row of the account's own holding of that commodity.
    std::optional<IndexPath> rowOf(PXTradeHomeView& home, const std::string& code) {
        const auto& rows = home.commodityAllKeys();
        const auto held = tradeModule().PXJYData().chiCangHuiZongXinXi().size();
        for (size_t i = 0; i < std::min(held, rows.size()); ++i) {
            if (rows[i]->commodityCode == code) {
                return IndexPath{*home.loggedInSection(), static_cast<int>(i) + 2};
            }
        }
        return std::nullopt;
    }
    std::string ticketOf(const std::string& code) {
        for (const auto& [number, ticket] : tradeModule().PXJYData().chiCangMingXiXinXi()) {
            if (ticket->commodityCode == code) {
                return number;
            }
        }
        return {};
    }
    std::string equityShown() {
        View* title = driver.viewWithText("当前权益");
        if (!title) {
            return {};
        }
        for (View* sibling : title->superview()->subviews()) {
            if (sibling->frame().y > title->frame().y &&
                std::abs(sibling->frame().x - title->frame().x) < 1) {
                return driver.textOf(sibling);
            }
        }
        return {};
    }
};

TEST_F(PXJYRootViewControllerTest, shouldShowTheAccountFiguresOfTheSimulatorsAccount) {
    PXJYRootViewController* root = logInThroughTheTradeTab("100000000000002");
    ASSERT_TRUE(root);
    const double balance = *tradeServer("01", "01").ledger().balance("100000000000002");
    EXPECT_EQ(equityShown(), Text::format("%.2f", balance));
    EXPECT_TRUE(driver.viewWithText("0.00%"));
    EXPECT_TRUE(driver.viewWithText("浮动盈亏"));
    PXTradeHomeView* home = root->tradeHomeView();
    EXPECT_EQ(home->chiCangListView()->numberOfRows(0),
              static_cast<int>(home->commodityAllKeys().size()) + 2);
}

TEST_F(PXJYRootViewControllerTest, shouldListTheHoldingsAndOpenARowIntoItsOrderButtons) {
    PXJYRootViewController* root = logInThroughTheTradeTab("100000000000001");
    ASSERT_TRUE(root);
    PXTradeHomeView* home = root->tradeHomeView();
    const auto& summaries = tradeModule().PXJYData().chiCangHuiZongXinXi();
    ASSERT_FALSE(summaries.empty());
    const auto& commodity =
        tradeModule().PXJYData().shangPinXinXi().at(summaries[0]->commodityCode);
    EXPECT_TRUE(driver.viewWithText(commodity->commodityName));
    EXPECT_TRUE(driver.viewWithText(summaries[0]->shuLiang));

    ASSERT_TRUE(driver.tapRow(*home->chiCangListView(), {0, 1}));
    EXPECT_FALSE(home->commodityInfoChange());
    EXPECT_TRUE(driver.viewWithText("持牌均价"));

    PXTradeScreenFactory::registerScreen("PXJYSimplePingCangVC", [](const PXTradeScreenArgs& args) {
        return std::make_unique<OpenedScreen>(args);
    });
    ASSERT_TRUE(driver.tapRow(*home->chiCangListView(), {0, 2}));
    EXPECT_EQ(home->selectedCellIndexPath(), (IndexPath{0, 2}));
    snapshot("home-opened-row");
    ASSERT_TRUE(driver.tapText("转让"));
    driver.settle();
    auto* opened = top<OpenedScreen>();
    ASSERT_TRUE(opened);
    ASSERT_TRUE(opened->args.summary);
    EXPECT_EQ(opened->args.summary->commodityCode, summaries[0]->commodityCode);
    EXPECT_EQ(opened->args.commodityCode, summaries[0]->commodityCode);
    EXPECT_FALSE(home->selectedCellIndexPath());

    // The open row is its holding's: another device's deal listed before it moves it down with
    // its buttons, and the holding's going closes it rather than opening the row that moves up.
    tradeNavigation()->popViewController(false);
    driver.settle();
    ASSERT_TRUE(driver.runUntil([&] { return !tradeModule().PXJYPeiZhi().shiFoGangDengLu(); }, 5));
    SimTradeLedger& ledger = tradeServer("01", "01").ledger();
    ASSERT_EQ(ledger.orderElsewhere("100000000000001", "CU", 1, 1).value("retcode", -1), 0);
    ASSERT_TRUE(driver.runUntil([&] { return rowOf(*home, "CU").has_value(); }, 8));
    ASSERT_TRUE(driver.tapRow(*home->chiCangListView(), *rowOf(*home, "CU")));
    ASSERT_EQ(ledger.orderElsewhere("100000000000001", "PT", 1, 1).value("retcode", -1), 0);
    ASSERT_TRUE(driver.runUntil([&] { return rowOf(*home, "PT").has_value(); }, 8));
    ASSERT_LT(rowOf(*home, "PT")->row, rowOf(*home, "CU")->row);
    EXPECT_EQ(home->selectedCellIndexPath(), rowOf(*home, "CU"));
    snapshot("home-opened-row-moved");
    ASSERT_TRUE(driver.tapText("转让"));
    driver.settle();
    ASSERT_TRUE(top<OpenedScreen>() && top<OpenedScreen>()->args.summary);
    EXPECT_EQ(top<OpenedScreen>()->args.summary->commodityCode, "CU");

    tradeNavigation()->popViewController(false);
    driver.settle();
    ASSERT_TRUE(driver.tapRow(*home->chiCangListView(), *rowOf(*home, "PT")));
    ASSERT_TRUE(ledger.closeElsewhere("100000000000001", std::stoll(ticketOf("PT"))));
    ASSERT_TRUE(driver.runUntil([&] { return !rowOf(*home, "PT"); }, 8));
    EXPECT_FALSE(home->selectedCellIndexPath());
}

// Another device closes the holding listed above the pressed one: the pressed holding opens.
TEST_F(PXJYRootViewControllerTest, shouldOpenThePressedHoldingWhenTheRowsMoveUnderTheFinger) {
    PXJYRootViewController* root = logInThroughTheTradeTab("100000000000001");
    ASSERT_TRUE(root);
    PXTradeHomeView* home = root->tradeHomeView();
    SimTradeLedger& ledger = tradeServer("01", "01").ledger();
    for (const char* code : {"PT", "CU"}) {
        ASSERT_EQ(ledger.orderElsewhere("100000000000001", code, 1, 1).value("retcode", -1), 0);
    }
    ASSERT_TRUE(driver.runUntil([&] { return rowOf(*home, "PT") && rowOf(*home, "CU"); }, 8));
    ASSERT_LT(rowOf(*home, "PT")->row, rowOf(*home, "CU")->row);
    const auto at = driver.rowPoint(*home->chiCangListView(), *rowOf(*home, "CU"));
    ASSERT_TRUE(at);
    driver.longPress(*at, 0, [&] {
        ASSERT_TRUE(ledger.closeElsewhere("100000000000001", std::stoll(ticketOf("PT"))));
        ASSERT_TRUE(driver.runUntil([&] { return !rowOf(*home, "PT"); }, 8));
    });
    EXPECT_EQ(home->selectedCellIndexPath(), rowOf(*home, "CU"));
}

// The open row follows its account's section: the section of another saved account before it
// going moves the logged-in account up, and its open row with it.
TEST_F(PXJYRootViewControllerTest, shouldKeepTheOpenRowUnderItsAccountWhenASectionGoes) {
    PXJYRootViewController* root = logInThroughTheTradeTab("100000000000001", {"100000000000002"});
    ASSERT_TRUE(root);
    PXTradeHomeView* home = root->tradeHomeView();
    ASSERT_EQ(home->loggedInSection(), 1);
    ASSERT_TRUE(driver.tapRow(*home->chiCangListView(), {1, 2}));
    ASSERT_TRUE(PXJYSavedAccounts::ofApplication().removeAccount({"01", "01", "100000000000002"}));
    ASSERT_TRUE(driver.runUntil([&] { return home->loggedInSection() == 0; }, 5));
    EXPECT_EQ(home->selectedCellIndexPath(), (IndexPath{0, 2}));
    EXPECT_TRUE(driver.viewWithText("转让"));
}

// A price refresh rebuilds the list while the finger is down; the press still acts.
TEST_F(PXJYRootViewControllerTest, shouldActOnAPressThatAPriceRefreshLandsIn) {
    PXJYRootViewController* root = logInThroughTheTradeTab("100000000000001", {"100000000000002"});
    ASSERT_TRUE(root);
    PXTradeScreenFactory::registerScreen("PXJYSimplePingCangVC", [](const PXTradeScreenArgs& a) {
        return std::make_unique<OpenedScreen>(a);
    });
    auto pressAcrossARefresh = [&](View* view) {
        ASSERT_TRUE(view);
        driver.longPress(driver.visibleRect(view).center(), 0, [&] {
            tradeModule().post("JYRefreshTimer");
            driver.settle();
        });
        driver.settle();
    };
    ASSERT_TRUE(driver.tapRow(*root->tradeHomeView()->chiCangListView(), {1, 2}));
    pressAcrossARefresh(driver.viewWithText("转让"));
    EXPECT_TRUE(top<OpenedScreen>());
    tradeNavigation()->popViewController(false);
    driver.settle();
    const Rect other = root->tradeHomeView()->chiCangListView()->rectForHeader(0);
    pressAcrossARefresh(
        root->tradeHomeView()->chiCangListView()->headerView(0)->hitTest({290, other.height - 15}));
    EXPECT_TRUE(top<PXJYSimpleLoginVC>());
}

TEST_F(PXJYRootViewControllerTest, shouldOpenTheMenuAndMarkANewAnnouncement) {
    PXJYRootViewController* root = logInThroughTheTradeTab("100000000000002");
    ASSERT_TRUE(root);
    // Published after the first heartbeat has told the client the latest announcement.
    ASSERT_TRUE(driver.runUntil(
        [&] { return !tradeModule().PXJYTimerManger().transactionReporting().is_null(); }, 8));
    tradeServer("01", "01").ledger().publishNotice("新公告", "<p>内容</p>");
    ASSERT_TRUE(driver.runUntil([&] { return tradeModule().PXJYTimerManger().xinGongGao(); }, 8));
    ASSERT_TRUE(driver.tap(root->navigationBarView()->menuButton()));
    EXPECT_TRUE(root->isMenuOpen());
    EXPECT_EQ(root->messageRedView()->alpha(), 1);
    std::vector<std::string> entries;
    for (View* view : root->menuListView()->subviews()) {
        if (auto* button = dynamic_cast<Button*>(view); button && driver.isVisible(button)) {
            entries.push_back(button->currentTitle());
        }
    }
    EXPECT_EQ(entries, (std::vector<std::string>{"摘牌", "转让", "挂牌", "公告", "查询", "出入金",
                                                 "报表", "账户", "更多", "取消"}));
    snapshot("home-menu");
    // Not registered yet: nothing opens.
    ASSERT_TRUE(driver.tapText("公告"));
    EXPECT_EQ(top<PXJYRootViewController>(), root);
    EXPECT_EQ(root->messageRedView()->alpha(), 0);
    EXPECT_FALSE(tradeModule().PXJYTimerManger().xinGongGao());
    ASSERT_TRUE(driver.tapText("取消"));
    EXPECT_FALSE(root->isMenuOpen());

    // Opening an entry leaves the menu up: the home comes back with it still open.
    openTheQueryEntry(*root);
    ASSERT_TRUE(top<OpenedScreen>());
    tradeNavigation()->popViewController(false);
    driver.settle();
    EXPECT_TRUE(root->isMenuOpen());
}

// The open menu lies over the lower holdings rows: a tap there meets the menu, not the row.
TEST_F(PXJYRootViewControllerTest, shouldLeaveARowTheOpenMenuCoversClosed) {
    PXJYRootViewController* root = logInThroughTheTradeTab("100000000000001");
    ASSERT_TRUE(root);
    TableView* table = root->tradeHomeView()->chiCangListView();
    ASSERT_TRUE(driver.tap(root->navigationBarView()->menuButton()));
    const std::optional<Point> at = driver.rowPoint(*table, {0, 2});
    ASSERT_TRUE(at);
    ASSERT_TRUE(driver.visibleRect(root->menuListView()).contains(*at));
    driver.tapAt(*at);
    EXPECT_FALSE(root->tradeHomeView()->selectedCellIndexPath());
    EXPECT_TRUE(root->isMenuOpen());
    ASSERT_TRUE(driver.tapText("取消"));
    ASSERT_TRUE(driver.tapRow(*table, {0, 2}));
    EXPECT_EQ(root->tradeHomeView()->selectedCellIndexPath(), (IndexPath{0, 2}));
}

TEST_F(PXJYRootViewControllerTest, shouldClearTheStoreAndOfferTheLoginAgainWhenTheSessionExpires) {
    ASSERT_TRUE(logInThroughTheTradeTab("100000000000002"));
    ASSERT_TRUE(tradeServer("01", "01").ledger().expireSessions("100000000000002"));
    ASSERT_TRUE(driver.runUntil([&] { return driver.visibleAlert() != nullptr; }, 8));
    EXPECT_EQ(alertTexts(), "提示|您的当前登录状态已失效,请重新登录!");
    EXPECT_EQ(driver.visibleAlert()->buttonTitleAtIndex(0), "重新登录");
    EXPECT_EQ(driver.visibleAlert()->buttonTitleAtIndex(1), "取消");
    EXPECT_FALSE(tradeModule().tradeLogin());
    EXPECT_TRUE(tradeModule().PXJYData().shangPinXinXi().empty());
    EXPECT_TRUE(tradeModule().PXJYData().tradeSession()->JYsessionID.empty());
    snapshot("session-lost-dialog");
    ASSERT_TRUE(driver.tapAlertButton("重新登录"));
    PXJYTradeLoginVC* screen = nullptr;
    ASSERT_TRUE(driver.runUntil([&] { return (screen = top<PXJYTradeLoginVC>()) != nullptr; }));
    EXPECT_EQ(tradeNavigation()->viewControllers().size(), 2u);
}

// From another tab too, "重新登录" brings up the login screen, not a screen of the lost session
// left waiting on the trade tab.
TEST_F(PXJYRootViewControllerTest, shouldOfferTheLoginFromAnotherTabWhenTheSessionExpires) {
    PXJYRootViewController* root = logInThroughTheTradeTab("100000000000002");
    ASSERT_TRUE(root);
    openTheQueryEntry(*root);
    ASSERT_TRUE(top<OpenedScreen>());
    delegate->tabBarHelper().selectHangQingTab();
    driver.settle();
    ASSERT_TRUE(tradeServer("01", "01").ledger().expireSessions("100000000000002"));
    ASSERT_TRUE(driver.runUntil([&] { return driver.visibleAlert() != nullptr; }, 8));
    ASSERT_TRUE(driver.tapAlertButton("重新登录"));
    EXPECT_TRUE(delegate->tabBarHelper().hasSelectedTradeTab());
    EXPECT_TRUE(driver.runUntil([&] { return top<PXJYTradeLoginVC>() != nullptr; }));
    EXPECT_EQ(tradeNavigation()->viewControllers().size(), 2u);
}

TEST_F(PXJYRootViewControllerTest, shouldEndAnIdleSessionWithItsOwnMessage) {
    ASSERT_TRUE(logInThroughTheTradeTab("100000000000002"));
    SimTradeServer& server = tradeServer("01", "01");
    server.ledger().setIdleLimitMs(60 * 1000);
    sim.clock().advance(61 * 1000);
    ASSERT_TRUE(driver.runUntil([&] { return driver.visibleAlert() != nullptr; }, 8));
    EXPECT_EQ(alertTexts(), "提示|长时间未操作登录状态已失效,请重新登录!");
    EXPECT_FALSE(tradeModule().tradeLogin());
    ASSERT_TRUE(driver.tapAlertButton("取消"));
    driver.settle();
    EXPECT_FALSE(delegate->tabBarHelper().hasSelectedTradeTab());
}
