#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

#include "MarketFixture.h"
#include "analytics/TallyStatPageView.h"
#include "market/VKJYCustomButton.h"
#include "market/VKJYMarketActivityView.h"
#include "market/VKJYMarketChartController.h"
#include "market/VKJYMarketDataRoad.h"
#include "market/VKJYMarketHeaderView.h"
#include "market/VKJYMarketHelpOverlay.h"
#include "market/VKJYMarketScreenFactory.h"
#include "market/VKJYMarketUIViewController.h"
#include "market/VKJYWatchList.h"
#include "platform/foundation/SystemInfo.h"
#include "platform/foundation/UserDefaults.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/TableView.h"
#include "quote/VKJYHangQingDataClass.h"
#include "shell/VKJYTabBarHelper.h"

namespace {
constexpr int kQuoteLoginProtocol = 2;
}  // namespace

TEST_F(MarketTest, shouldShowOneSectionPerPanelWithPricesThatMoveWithTheMarket) {
    launchToList();
    EXPECT_EQ(sectionTitles(), (std::vector<std::string>{"华东现货|实盘", "华东现货|模拟",
                                                         "华东现货|", "西部商品|实盘", "|", "|"}));
    EXPECT_EQ(rowNames(1), (std::vector<std::string>{"白银", "黄金", "铜", "镍", "铂金", "锌"}));
    // The log-in told the exchange's zone: no chart opened from here dates a bar in the device's.
    EXPECT_EQ(VKJYHangQingDataClass::current()->exchangeUtcOffsetMinutes(),
              sim.market().utcOffsetMinutes());
    EXPECT_TRUE(driver.saveSnapshot(snapshotPath("list-568")));
    advanceSimulator(120);
    EXPECT_TRUE(runUntilPricesMove(1, 0));
    driver.runFor(1.1);
    delegate->tabBarHelper().selectTradeTab();
    const auto pages = TallyStatPageView::sharedInstance().pageViews();
    ASSERT_FALSE(pages.empty());
    EXPECT_EQ(pages.back().first, "行情");
}

TEST_F(MarketTest, shouldTagMergedNamesAndStartWithTheDirectorysWatchEntries) {
    launchToList();
    EXPECT_EQ(rowNames(4), (std::vector<std::string>{"钯金(西部)", "锡(西部)"}));
    EXPECT_EQ(tileNames(), (std::vector<std::string>{"白银", "黄金"}));
    EXPECT_EQ(VKJYWatchList::readFile(), (std::vector<std::string>{"1_0", "2_0"}));
}

TEST_F(MarketTest, shouldAddTheDirectorysWatchEntriesPastTheLimitAtTheFirstLaunch) {
    const std::vector<std::string> full = {"3_0",  "4_0",  "5_0", "300_0",
                                           "12_0", "11_0", "6_0", "8_1"};
    writeWatchFile(full);
    launchToList();
    auto withDefaults = full;
    withDefaults.insert(withDefaults.end(), {"1_0", "2_0"});
    EXPECT_EQ(VKJYWatchList::readFile(), withDefaults);
    EXPECT_EQ(tileNames().size(), 10u);
    EXPECT_TRUE(driver.saveSnapshot(snapshotPath("list-ten-tiles-568")));
}

// Headers scroll away with their rows: the top inset follows the offset down to -40, so a header
// the table holds at its top floats out of sight; a pull past the top leaves the inset alone.
TEST_F(MarketTest, shouldScrollSectionHeadersAwayWithTheirRowsAtEveryOffset) {
    launchToList();
    TableView* table = market()->CommodityInfoListTableView();
    const double tableTop = driver.visibleRect(table).y;
    // Offset, top inset, and where section 1's header is drawn below the table's top (none:
    // out of sight). One line of tiles above it: 108 high.
    struct Case {
        std::string name;
        double offset;
        double inset;
        std::optional<double> headerAt;
    };
    for (const auto& [name, offset, inset, headerAt] :
         std::vector<Case>{{"0", 0, 0, 108},
                           {"20", 20, -20, 88},
                           {"40", 40, -40, 68},
                           {"100", 100, -40, 8},
                           {"300", 300, -40, std::nullopt},
                           {"top", 0, 0, 108},
                           {"pull", -30, 0, 138}}) {
        table->setContentOffset({0, offset});
        table->layoutIfNeeded();
        EXPECT_EQ(table->contentInset().top, inset) << name;
        const Rect header = driver.visibleRect(table->headerView(1));
        EXPECT_EQ(header.isEmpty() ? std::nullopt : std::optional(header.y - tableTop), headerAt)
            << name;
        if (TableViewCell* tiles = table->cellForRow({0, 0})) {
            EXPECT_EQ(tiles->convertPointToWindow({0, 0}).y - tableTop, -offset) << name;
        }
        EXPECT_TRUE(driver.saveSnapshot(snapshotPath("list-offset-" + name + "-568")));
    }
    table->setContentOffset({0, 100});
    driver.drag({160, 300}, {160, 400});
    EXPECT_EQ(table->contentOffset().y, 0);
    EXPECT_EQ(table->contentInset().top, 0);
    // A flick past the top, with few move events.
    for (int moves : {2, 3}) {
        table->setContentOffset({0, 100});
        driver.drag({160, 220}, {160, 400}, moves, 0.05 * moves);
        EXPECT_EQ(table->contentOffset().y, 0) << moves << " moves";
        EXPECT_EQ(table->contentInset().top, 0) << moves << " moves";
    }
}

TEST_F(MarketTest, shouldKeepAWatchEntryAddedBySwipeAfterARestart) {
    launchToList();
    EXPECT_EQ(swipeAndPress(3, 0), "添加");
    EXPECT_EQ(toastText(), "添加成功");
    EXPECT_EQ(VKJYWatchList::readFile(), (std::vector<std::string>{"1_0", "2_0", "11_0"}));
    EXPECT_EQ(tileNames(), (std::vector<std::string>{"白银", "黄金", "钴"}));
    quit();
    launch();
    ASSERT_TRUE(runUntilTabBar());
    ASSERT_TRUE(runUntilListShows());
    EXPECT_EQ(tileNames(), (std::vector<std::string>{"白银", "黄金", "钴"}));
    EXPECT_EQ(swipeAndPress(3, 0), "删除");
    EXPECT_EQ(toastText(), "该商品已删除");
    EXPECT_EQ(VKJYWatchList::readFile(), (std::vector<std::string>{"1_0", "2_0"}));
}

// Each toast is its own label: the first one's fade-out does not hide a second shown meanwhile.
TEST_F(MarketTest, shouldKeepASecondToastOnWhileTheFirstFadesOut) {
    launchToList();
    View::setAnimationSpeed(1);  // the fixture's instant fades would leave no meanwhile
    EXPECT_EQ(swipeAndPress(3, 0, false), "添加");
    Label* first = toastLabels().back();
    ASSERT_TRUE(driver.runUntil([&] { return first->alpha() == 0; }, 2));
    EXPECT_EQ(swipeAndPress(3, 0, false), "删除");
    const auto toasts = toastLabels();
    ASSERT_EQ(toasts.size(), 2u);
    EXPECT_EQ(toasts[0]->text(), "添加成功");
    EXPECT_EQ(toasts[1]->text(), "该商品已删除");
    ASSERT_TRUE(driver.runUntil([&] { return toasts[0]->isHidden(); }, 2));
    EXPECT_FALSE(toasts[1]->isHidden());
    EXPECT_GT(toasts[1]->presentationAlpha(), 0);
}

TEST_F(MarketTest, shouldRefuseANinthWatchEntryAndLeaveTheFileAlone) {
    writeWatchFile({"1_0", "2_0", "300_0", "5_0", "6_0", "7_0", "8_1", "9_1"});
    launchToList();
    EXPECT_EQ(tileNames().size(), 8u);
    EXPECT_EQ(swipeAndPress(3, 0), "添加");
    AlertView* alert = driver.visibleAlert();
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(alert->message(), "商品个数已达上限");
    EXPECT_TRUE(driver.tapAlertButton("确定"));
    EXPECT_EQ(VKJYWatchList::readFile().size(), 8u);
    EXPECT_EQ(VKJYHangQingDataClass::current()->canRefreshYiKouJia(), true);
    EXPECT_EQ(market()->headView()->frame().height, 324);
}

TEST_F(MarketTest, shouldMoveTheDeleteMarkToTheLastLongPressedTileAndDeleteFromIt) {
    writeWatchFile({"1_0", "2_0", "6_0"});
    launchToList();
    VKJYMarketHeaderView* header = market()->headView();
    driver.longPress(header->tile(0)->convertPointToWindow({50, 50}), 1.3);
    ASSERT_TRUE(market()->headView()->tile(0)->showsDeleteMark());
    driver.longPress(market()->headView()->tile(2)->convertPointToWindow({50, 50}), 1.3);
    header = market()->headView();
    EXPECT_FALSE(header->tile(0)->showsDeleteMark());
    EXPECT_TRUE(header->tile(2)->showsDeleteMark());
    EXPECT_TRUE(VKJYHangQingDataClass::current()->canRefreshYiKouJia());
    EXPECT_TRUE(driver.saveSnapshot(snapshotPath("tiles-delete-mark-568")));
    ASSERT_TRUE(driver.tap(header->tile(2)->DelectedButton()));
    driver.settle();
    EXPECT_EQ(toastText(), "删除成功");
    EXPECT_EQ(tileNames(), (std::vector<std::string>{"白银", "黄金"}));
    EXPECT_EQ(VKJYWatchList::readFile(), (std::vector<std::string>{"1_0", "2_0"}));
    EXPECT_EQ(VKJYHangQingDataClass::current()->delectedCommodityButton(), nullptr);
    // The mark goes with its commodity, not to the one that takes its place.
    driver.longPress(market()->headView()->tile(0)->convertPointToWindow({50, 50}), 1.3);
    ASSERT_TRUE(driver.tap(market()->headView()->tile(0)->DelectedButton()));
    driver.settle();
    EXPECT_EQ(tileNames(), (std::vector<std::string>{"黄金"}));
    EXPECT_FALSE(market()->headView()->tile(0)->showsDeleteMark());
    EXPECT_EQ(VKJYHangQingDataClass::current()->delectedCommodityButton(), nullptr);
}

TEST_F(MarketTest, shouldOnlyEndDeleteModeWhenARowIsTapped) {
    launchToList();
    driver.longPress(market()->headView()->tile(1)->convertPointToWindow({50, 50}), 1.3);
    ASSERT_NE(VKJYHangQingDataClass::current()->delectedCommodityButton(), nullptr);
    ASSERT_TRUE(driver.tapRow(*market()->CommodityInfoListTableView(), {1, 1}));
    EXPECT_EQ(VKJYHangQingDataClass::current()->delectedCommodityButton(), nullptr);
    EXPECT_FALSE(market()->headView()->tile(1)->showsDeleteMark());
    EXPECT_EQ(market()->marketController(), nullptr);
}

TEST_F(MarketTest, shouldShowBothHelpPagesOnceOverTheWholeWindow) {
    setGuideShown();
    launch();
    ASSERT_TRUE(runUntilTabBar());
    ASSERT_TRUE(
        driver.runUntil([&] { return !driver.viewsOfClass<VKJYMarketHelpOverlay>().empty(); }, 5));
    auto* first = driver.viewsOfClass<VKJYMarketHelpOverlay>().front();
    EXPECT_EQ(first->imageName(), "push.png");
    EXPECT_EQ(first->frame().height, 568);
    ASSERT_TRUE(runUntilListShows());
    EXPECT_TRUE(driver.saveSnapshot(snapshotPath("help-push-568")));
    driver.tapAt({160, 300});
    driver.settle();
    auto overlays = driver.viewsOfClass<VKJYMarketHelpOverlay>();
    ASSERT_EQ(overlays.size(), 1u);
    EXPECT_EQ(overlays.front()->imageName(), "longpress.png");
    EXPECT_TRUE(driver.saveSnapshot(snapshotPath("help-longpress-568")));
    driver.tapAt({160, 300});
    driver.settle();
    EXPECT_TRUE(driver.viewsOfClass<VKJYMarketHelpOverlay>().empty());
    EXPECT_FALSE(
        UserDefaults::standardUserDefaults().boolForKey(VKJYMarketUIViewController::kShowHelpKey));
}

TEST_F(MarketTest, shouldFailOverToTheNextLineOfAQuoteServer) {
    sim.quoteServer(1).line(0).refuse();
    launchToList();
    EXPECT_EQ(sectionTitles().size(), 6u);
    EXPECT_EQ(rowNames(5), (std::vector<std::string>{"红木", "银币"}));
    EXPECT_TRUE(driver.runUntil([&] { return priceText(5, 0) != "--"; }, 5));
    EXPECT_EQ(delegate->hqDataClass()->workingLineForServer(1), 1u);
}

TEST_F(MarketTest, shouldGiveTheSameSectionsAfterRetryWhenEveryLineWasDead) {
    for (int server = 0; server < 2; ++server) {
        for (std::size_t line = 0; line < sim.quoteServer(server).lineCount(); ++line) {
            sim.quoteServer(server).line(line).refuse();
        }
    }
    ASSERT_TRUE(launchToTabBar());
    ASSERT_TRUE(driver.runUntil([&] { return driver.visibleAlert() != nullptr; }, 15));
    AlertView* alert = driver.visibleAlert();
    EXPECT_EQ(alert->tag(), VKJYMarketUIViewController::kFailureAlertTag);
    EXPECT_EQ(alert->message(), "获取数据失败");
    EXPECT_EQ(alert->buttonTitleAtIndex(0), "重试");
    EXPECT_EQ(alert->buttonTitleAtIndex(1), "退出");
    for (int server = 0; server < 2; ++server) {
        for (std::size_t line = 0; line < sim.quoteServer(server).lineCount(); ++line) {
            ASSERT_TRUE(sim.quoteServer(server).line(line).resume());
        }
    }
    ASSERT_TRUE(driver.tapAlertButton("重试"));
    ASSERT_TRUE(runUntilListShows());
    EXPECT_EQ(sectionTitles(), (std::vector<std::string>{"华东现货|实盘", "华东现货|模拟",
                                                         "华东现货|", "西部商品|实盘", "|", "|"}));
    EXPECT_EQ(rowNames(1), (std::vector<std::string>{"白银", "黄金", "铜", "镍", "铂金", "锌"}));
    EXPECT_EQ(market()->dataRoad().catalogue().markets().size(), 3u);
    EXPECT_EQ(driver.visibleAlert(), nullptr);
}

// Every server answers, but no market list can be read: told as a failure, not an empty list.
TEST_F(MarketTest, shouldTellAndRetryWhenNoServersMarketListCanBeRead) {
    constexpr int kMarketListProtocol = 10;
    sim.quoteServer(0).malformNext(kMarketListProtocol, SimMalform::ShortHead);
    sim.quoteServer(1).malformNext(kMarketListProtocol, SimMalform::CutBody);
    ASSERT_TRUE(launchToTabBar());
    TableView* table = market()->CommodityInfoListTableView();
    ASSERT_TRUE(driver.runUntil(
        [&] { return driver.visibleAlert() != nullptr || driver.isVisible(table); }, 15));
    AlertView* alert = driver.visibleAlert();
    ASSERT_NE(alert, nullptr) << "an empty list shown as a success";
    EXPECT_EQ(alert->tag(), VKJYMarketUIViewController::kFailureAlertTag);
    EXPECT_EQ(alert->message(), "获取数据失败");
    EXPECT_EQ(alert->buttonTitleAtIndex(0), "重试");
    EXPECT_FALSE(driver.isVisible(table));
    EXPECT_EQ(market()->view()->viewWithTag(VKJYMarketActivityView::kTag), nullptr);
    driver.settle();
    EXPECT_TRUE(driver.saveSnapshot(snapshotPath("list-failure-alert-568")));
    ASSERT_TRUE(driver.tapAlertButton("重试"));
    ASSERT_TRUE(runUntilListShows());
    EXPECT_EQ(sectionTitles().size(), 6u);
    EXPECT_EQ(tileNames(), (std::vector<std::string>{"白银", "黄金"}));
    EXPECT_EQ(driver.visibleAlert(), nullptr);
}

TEST_F(MarketTest, shouldRenewTheSessionsWhenAServerAnswers2003) {
    launchToList();
    const int logins = sim.quoteServer(0).requestCount(kQuoteLoginProtocol);
    sim.quoteServer(0).expireSessions();
    ASSERT_TRUE(driver.runUntil(
        [&] { return sim.quoteServer(0).requestCount(kQuoteLoginProtocol) > logins; }, 10));
    ASSERT_TRUE(driver.runUntil([&] { return !market()->dataRoad().isBusy(); }, 10));
    EXPECT_EQ(market()->view()->viewWithTag(VKJYMarketActivityView::kTag), nullptr);
    advanceSimulator(120);
    EXPECT_TRUE(runUntilPricesMove(1, 0));
    EXPECT_EQ(driver.visibleAlert(), nullptr);
}

TEST_F(MarketTest, shouldFitTheListHelpAndTilesOnTheShortScreen) {
    SystemInfo::setScreenMode(SystemInfo::kThreeAndAHalfInchScreen);
    Screen shortScreen{{320, 480}, 1};
    ScreenDriver shortDriver{shortScreen};
    setGuideShown();
    launch();
    ASSERT_TRUE(runUntilTabBar());
    ASSERT_TRUE(runUntilListShows());
    auto overlays = driver.viewsOfClass<VKJYMarketHelpOverlay>();
    ASSERT_EQ(overlays.size(), 1u);
    EXPECT_EQ(overlays.front()->frame().height, 480);
    EXPECT_TRUE(shortDriver.saveSnapshot(snapshotPath("help-push-480")));
    shortDriver.tapAt({160, 300});
    shortDriver.settle();
    shortDriver.tapAt({160, 300});
    shortDriver.settle();
    TableView* table = market()->CommodityInfoListTableView();
    EXPECT_EQ(table->frame().y + table->frame().height, 480 - 49);
    EXPECT_TRUE(shortDriver.saveSnapshot(snapshotPath("list-480")));
    shortDriver.longPress(market()->headView()->tile(1)->convertPointToWindow({50, 50}), 1.3);
    EXPECT_TRUE(market()->headView()->tile(1)->showsDeleteMark());
    EXPECT_TRUE(shortDriver.saveSnapshot(snapshotPath("tiles-delete-mark-480")));
    quit();
}

TEST_F(MarketTest, shouldOpenTheRegisteredQuoteScreenAndEditorWithTheirArguments) {
    VKJYMarketScreenArgs chart;
    VKJYMarketScreenArgs editor;
    VKJYMarketScreenFactory::registerScreen(VKJYMarketScreenFactory::kMarketChartController,
                                            [&](const VKJYMarketScreenArgs& args) {
                                                chart = args;
                                                return std::make_unique<ViewController>();
                                            });
    VKJYMarketScreenFactory::registerScreen(VKJYMarketScreenFactory::kCommodityEditController,
                                            [&](const VKJYMarketScreenArgs& args) {
                                                editor = args;
                                                return std::make_unique<ViewController>();
                                            });
    launchToList();
    ASSERT_TRUE(driver.runUntil([&] { return market()->dataRoad().isTimeEnd(); }, 10));
    ASSERT_TRUE(driver.tapRow(*market()->CommodityInfoListTableView(), {1, 1}));
    ASSERT_NE(chart.commodity, nullptr);
    EXPECT_EQ(chart.commodity->CommodityName, "黄金");
    EXPECT_EQ(chart.commodityArray.size(), 1u);
    ASSERT_NE(chart.yikoujia, nullptr);
    EXPECT_EQ(chart.yikoujia->commodityNum, 2);
    const auto state = VKJYHangQingDataClass::current();
    const auto start = state->panelTradingStart(*chart.commodity);
    ASSERT_TRUE(start);
    EXPECT_EQ(state->tradingStart(), start);
    ASSERT_NE(market()->marketController(), nullptr);
    EXPECT_TRUE(market()->marketController()->hidesBottomBarWhenPushed());
    market()->navigationController()->popViewController(false);
    driver.settle();
    ASSERT_TRUE(driver.tapText("增减商品"));
    EXPECT_EQ(editor.chooseCommodityIDArray, (std::vector<std::string>{"1_0", "2_0"}));
    VKJYMarketScreenFactory::registerScreen(VKJYMarketScreenFactory::kMarketChartController, {});
    VKJYMarketScreenFactory::registerScreen(VKJYMarketScreenFactory::kCommodityEditController, {});
}

TEST_F(MarketTest, shouldEndTheProcessWhenTheFailureAlertSaysQuit) {
    for (int server = 0; server < 2; ++server) {
        for (std::size_t line = 0; line < sim.quoteServer(server).lineCount(); ++line) {
            sim.quoteServer(server).line(line).refuse();
        }
    }
    ASSERT_TRUE(launchToTabBar());
    ASSERT_TRUE(driver.runUntil([&] { return driver.visibleAlert() != nullptr; }, 15));
    ASSERT_TRUE(driver.tapAlertButton("退出"));
    EXPECT_EQ(terminatedWith, 0);
}

TEST_F(MarketTest, shouldClearTheStartTimeForAPanelWithoutATradingTime) {
    constexpr int kTradingTimeProtocol = 12;
    sim.quoteServer(0).malformNext(kTradingTimeProtocol, SimMalform::CutBody);
    launchToList();
    ASSERT_TRUE(driver.runUntil([&] { return market()->dataRoad().isTimeEnd(); }, 10));
    int timed = -1;
    int untimed = -1;
    const auto& sections = market()->dataRoad().catalogue().sections();
    for (std::size_t s = 0; s < sections.size(); ++s) {
        const bool known = VKJYHangQingDataClass::current()
                               ->panelTradingStart(*sections[s].disk->commodityInfoArray.front())
                               .has_value();
        (known ? timed : untimed) = static_cast<int>(s) + 1;
    }
    ASSERT_NE(untimed, -1);
    ASSERT_NE(timed, -1);
    ASSERT_TRUE(driver.tapRow(*market()->CommodityInfoListTableView(), {timed, 0}));
    // The simulator's trading day starts at the exchange's midnight, read in its zone once the
    // chart has its first time-sharing reply.
    const auto state = VKJYHangQingDataClass::current();
    EXPECT_TRUE(driver.runUntil([&] { return state->startTime() == "00:00"; }, 10))
        << state->startTime();
    market()->navigationController()->popViewController(false);
    driver.settle();
    ASSERT_TRUE(driver.tapRow(*market()->CommodityInfoListTableView(), {untimed, 0}));
    EXPECT_EQ(state->tradingStart(), std::nullopt);
    EXPECT_EQ(state->startTime(), "");
    market()->navigationController()->popViewController(false);
    driver.runFor(0.5);
}

// The trading times lost on the way, then a retry: while the retry's own trading times are
// still on their way (slow lines), the rows already open the quote screen.
TEST_F(MarketTest, shouldOpenTheQuoteScreenFromARowAfterTheTradingTimesFailedOnTheWay) {
    for (int server = 0; server < 2; ++server) {
        sim.quoteServer(server).failInTransport(12, true);
    }
    launchToList();
    ASSERT_TRUE(driver.runUntil([&] { return driver.visibleAlert() != nullptr; }, 20));
    EXPECT_EQ(driver.visibleAlert()->message(), "获取数据失败");
    // The other failed times come in under the alert.
    driver.runFor(1);
    for (int server = 0; server < 2; ++server) {
        sim.quoteServer(server).failInTransport(12, false);
        for (std::size_t line = 0; line < sim.quoteServer(server).lineCount(); ++line) {
            sim.quoteServer(server).line(line).setDelayMs(1500);
        }
    }
    const int times = sim.quoteServer(0).requestCount(12);
    ASSERT_TRUE(driver.tapAlertButton("重试"));
    ASSERT_TRUE(driver.runUntil(
        [&] { return !market()->dataRoad().isBuilding() && driver.visibleAlert() == nullptr; },
        20));
    ASSERT_EQ(sim.quoteServer(0).requestCount(12), times) << "the new times are still out";
    ASSERT_TRUE(driver.tapRow(*market()->CommodityInfoListTableView(), {1, 0}));
    driver.settle();
    EXPECT_NE(dynamic_cast<VKJYMarketChartController*>(topScreen()), nullptr);
}

// Zinc's price has one decimal: its row and its tile show two.
TEST_F(MarketTest, shouldShowAOneDecimalPriceWithTwoDecimalsInItsRowAndTile) {
    writeWatchFile({"5_0"});
    launchToList();
    ASSERT_EQ(rowNames(1).at(5), "锌");
    ASSERT_TRUE(driver.runUntil([&] { return priceText(1, 5) != "--"; }, 10));
    const auto twoDecimals = [](const std::string& text) {
        const auto dot = text.find('.');
        return dot != std::string::npos && text.size() - dot - 1 == 2;
    };
    EXPECT_TRUE(twoDecimals(priceText(1, 5))) << priceText(1, 5);
    const auto tiles = tileNames();
    const auto zinc = std::find(tiles.begin(), tiles.end(), "锌");
    ASSERT_NE(zinc, tiles.end());
    Label* tilePrice =
        market()->headView()->tile(std::size_t(zinc - tiles.begin()))->CommodityPriceLabel();
    ASSERT_TRUE(driver.runUntil([&] { return tilePrice->text() != "--"; }, 10));
    EXPECT_TRUE(twoDecimals(tilePrice->text())) << tilePrice->text();
}

// A panel whose commodity list was refused is not shown as a panel without commodities: its
// section says so, and a tap there builds the list again.
TEST_F(MarketTest, shouldTellAPanelWhoseListWasRefusedAndBuildAgainOnATap) {
    // 西部商品|实盘, market 2's one panel: a panel with a section of its own (a subordinate
    // panel's refusal shows nowhere, its owner's list being whole). Refused until lifted: the
    // renewal the refusal brings, or a request tried again on another line, reads nothing.
    sim.quoteServer(0).refusePanelList(2, 1, true);
    constexpr int unread = 4;
    ASSERT_TRUE(launchToTabBar());
    TableView* table = market()->CommodityInfoListTableView();
    ASSERT_TRUE(driver.runUntil(
        [&] { return driver.isVisible(table) && !market()->dataRoad().isBusy(); }, 15));
    ASSERT_EQ(sectionTitles().at(unread - 1), "西部商品|实盘");
    const auto* listed = market()->getCommodityInfoArrayBySection(unread - 1);
    ASSERT_TRUE(listed && listed->empty());
    ASSERT_EQ(table->numberOfRows(unread), 1) << "a panel shown without commodities";
    table->scrollToRow({unread, 0}, TableViewScrollPosition::Middle, false);
    EXPECT_TRUE(
        driver.isVisible(driver.viewWithText(VKJYMarketUIViewController::kUnreadPanelText)));
    EXPECT_TRUE(driver.saveSnapshot(snapshotPath("list-unread-panel-568")));
    sim.quoteServer(0).refusePanelList(2, 1, false);
    ASSERT_TRUE(driver.tapRow(*table, {unread, 0}));
    EXPECT_EQ(market()->marketController(), nullptr);
    ASSERT_TRUE(driver.runUntil([&] { return !market()->dataRoad().lacksPanels(); }, 15));
    EXPECT_EQ(sectionTitles().size(), 6u);
    EXPECT_FALSE(rowNames(unread).empty());
    EXPECT_EQ(driver.viewWithText(VKJYMarketUIViewController::kUnreadPanelText), nullptr);
    // The first launch's watch entries of the panel not read come with it.
    EXPECT_EQ(tileNames(), (std::vector<std::string>{"白银", "黄金"}));
}
