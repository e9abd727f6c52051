#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "MarketFixture.h"
#include "chart/HQDrawManager.h"
#include "chart/HQMarketChartManager.h"
#include "chart/HQMarketWMManager.h"
#include "chart/VariableAboutDevice.h"
#include "market/VKJYCommodityTableView.h"
#include "market/VKJYCustomButton.h"
#include "market/VKJYMarketChartController.h"
#include "market/VKJYMarketUIViewController.h"
#include "market/VKJYWatchList.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/SystemInfo.h"
#include "platform/foundation/UserDefaults.h"
#include "platform/graphics/Font.h"
#include "platform/graphics/TextLayout.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/Button.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Label.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/TableView.h"
#include "quote/QuoteRecords.h"
#include "shell/VKJYFastTradeViewControllerFactory.h"

namespace {
constexpr int kLiveQuoteProtocol = 38;
constexpr int kQuoteLoginProtocol = 2;

// Big-endian fields of a request body.
int64_t field(const std::vector<uint8_t>& body, size_t offset, size_t size) {
    int64_t value = static_cast<int8_t>(body.at(offset));
    for (size_t i = 1; i < size; ++i) {
        value = value * 256 + body.at(offset + i);
    }
    return value;
}

// A quick-trade panel that records how it was prepared.
class RecordingPanel : public VKJYFastTradePanel {
public:
    static inline int made = 0;
    static inline bool lastShanJian = false;
    static inline VKJYFastTradePanel::MarketAndDisk lastMarketAndDisk;
    static inline int closings = 0;

    RecordingPanel() { ++made; }
    void addTradeViewCommodity(bool isShanJian, std::shared_ptr<commodityInfo>,
                               MarketAndDisk marketandDiskDic) override {
        lastShanJian = isShanJian;
        lastMarketAndDisk = std::move(marketandDiskDic);
    }
    void closeTradeView() override { ++closings; }
};

class QuoteScreenTest : public MarketTest {
protected:
    explicit QuoteScreenTest(Size size = {320, 568}) : MarketTest(size) {}

    void SetUp() override {
        launchToList();
        screen = openQuoteScreen(1, 0);
        ASSERT_NE(screen, nullptr);
    }

    // The screen goes and the requests still out end, so nothing they hold outlives the test.
    void TearDown() override {
        if (auto* list = market(); list && list->navigationController()) {
            list->navigationController()->popToRootViewController(false);
        }
        driver.runFor(0.5);
    }

    std::vector<uint8_t> lastLiveQuoteBody() {
        std::vector<uint8_t> body;
        for (const auto& record : sim.quoteServer(0).requestLog()) {
            if (record.protocol == kLiveQuoteProtocol) {
                body = record.body;
            }
        }
        return body;
    }

    // The live-quote requests the server took for that commodity, in order. A request of the
    // commodity left and the first of the one picked can leave in one turn, on two connections,
    // and the server may take them in either order; those of one commodity it takes in order,
    // each sent after the answer whose marks it carries.
    std::vector<std::vector<uint8_t>> liveQuoteBodiesOf(int commodity) {
        std::vector<std::vector<uint8_t>> bodies;
        for (const auto& record : sim.quoteServer(0).requestLog()) {
            if (record.protocol == kLiveQuoteProtocol && field(record.body, 4, 2) == commodity) {
                bodies.push_back(record.body);
            }
        }
        return bodies;
    }
    static bool carriesMarks(const std::vector<uint8_t>& body) {
        return field(body, 6, 4) != 0 || field(body, 10, 4) != 0 || field(body, 14, 4) != 0;
    }

    bool chartDrawn() const {
        auto* fenShi = screen->chartManager()->drawViewManagerFenShi();
        return fenShi && !fenShi->fenShiData().empty();
    }

    static std::shared_ptr<YiKouJia> quoteOf(const commodityInfo& commodity, double price) {
        auto quote = std::make_shared<YiKouJia>();
        quote->pkLegth = 40;
        quote->newPrice = price;
        quote->hpIndex = commodity.panindex;
        quote->MarketID = commodity.MarketID;
        quote->DiskID = commodity.DiskID;
        quote->commodityNum = commodity.CommodityID;
        return quote;
    }

    VKJYMarketChartController* screen = nullptr;
};

class ShortQuoteScreenTest : public QuoteScreenTest {
protected:
    ShortQuoteScreenTest() : QuoteScreenTest({320, 480}) {}
};

// The quote screen of 钯金(西部), in the west market's panel (2, 1), which opens at 09:00; the
// east market's first panel (1, 1) opens at midnight.
class PanelStartsQuoteScreenTest : public QuoteScreenTest {
protected:
    void SetUp() override {
        sim.quoteServer(0).setTradingStartMinutes(2, 1, 9 * 60);
        launchToList();
        screen = openQuoteScreen(4, 0);
        ASSERT_NE(screen, nullptr);
    }

    std::vector<std::string> axisTitles() const {
        std::vector<std::string> titles;
        for (const auto& label :
             screen->chartManager()->variableAboutDevice()->TimeCoordinateDrawInfoArray()) {
            titles.push_back(label->title);
        }
        return titles;
    }
};
}  // namespace

TEST_F(QuoteScreenTest, shouldShowTheLiveQuoteOfTheTappedRowAndFollowTheSimulatorsTicks) {
    EXPECT_EQ(screen->commodityNameButton()->currentTitle(), "白银");
    EXPECT_TRUE(screen->hidesBottomBarWhenPushed());
    EXPECT_TRUE(driver.runUntil([&] { return chartDrawn(); }, 20));
    EXPECT_NE(screen->zuoshouLabel()->text(), "--");
    EXPECT_EQ(screen->zhenfuLabel()->text().front(), '+');
    EXPECT_EQ(screen->zhenfuLabel()->textColor(), Color::rgb(255, 0, 0));
    const std::string before = screen->yikoujiaLabel()->text();
    advanceSimulator(120);
    EXPECT_TRUE(driver.runUntil([&] { return screen->yikoujiaLabel()->text() != before; }, 10));
    EXPECT_TRUE(driver.saveSnapshot(snapshotPath("quote-screen-fenshi-568")));

    ASSERT_TRUE(driver.tap(
        screen->chartManager()->viewWithTag(HQMarketChartManager::kFenShiButtonTag + 1)));
    EXPECT_TRUE(driver.runUntil(
        [&] {
            return !screen->chartManager()->drawViewManagerKLine()->coordinateKLineData().empty();
        },
        20));
    driver.settle();
    EXPECT_TRUE(driver.saveSnapshot(snapshotPath("quote-screen-kline-568")));
}

// The header shows the screen's own live quote, not the older one the list held: "--" until the
// first live quote answers.
TEST_F(QuoteScreenTest, shouldShowDashesInTheHeaderUntilTheFirstLiveQuoteAnswers) {
    market()->navigationController()->popToRootViewController(false);
    sim.quoteServer(0).failInTransport(kLiveQuoteProtocol, true);
    ASSERT_TRUE(driver.tapRow(*market()->CommodityInfoListTableView(), {1, 0}));
    auto* opened = dynamic_cast<VKJYMarketChartController*>(topScreen());
    ASSERT_TRUE(opened);
    ASSERT_TRUE(driver.runUntil([&] { return opened->isAppeared(); }));
    EXPECT_EQ(opened->yikoujiaLabel()->text(), "--");
    EXPECT_EQ(opened->zuoshouLabel()->text(), "--");
    sim.quoteServer(0).failInTransport(kLiveQuoteProtocol, false);
    EXPECT_TRUE(driver.runUntil([&] { return opened->yikoujiaLabel()->text() != "--"; }, 10));
}

TEST_F(QuoteScreenTest, shouldSendTheContinuationMarksOfTheLastReply) {
    ASSERT_TRUE(driver.runUntil([&] { return screen->liveQuoteCycle().fbIndex() > 0; }, 10));
    const int before = sim.quoteServer(0).requestCount(kLiveQuoteProtocol);
    ASSERT_TRUE(driver.runUntil(
        [&] { return sim.quoteServer(0).requestCount(kLiveQuoteProtocol) > before + 1; }, 5));
    const auto body = lastLiveQuoteBody();
    EXPECT_EQ(field(body, 4, 2), screen->SelectedCommodityInfo()->CommodityID);
    EXPECT_GT(field(body, 10, 4), 0);
}

TEST_F(QuoteScreenTest, shouldSwitchCommodityFromThePickerAndRestartWithFreshMarks) {
    ASSERT_TRUE(driver.runUntil([&] { return screen->liveQuoteCycle().fbIndex() > 0; }, 10));
    // At load the title is 30 points taller than its text and the menu icon meets its edge.
    const Size text = TextLayout::measure("白银", Font::named("Helvetica-Bold", 12), {0, 44},
                                          LineBreakMode::WordWrap, 1);
    EXPECT_EQ(screen->commodityNameButton()->bounds(), (Rect{0, 0, text.width, text.height + 30}));
    EXPECT_DOUBLE_EQ(screen->ImageButton()->frame().x,
                     screen->commodityNameButton()->frame().maxX());
    ASSERT_TRUE(driver.tap(screen->commodityNameButton()));
    VKJYCommodityTableView* picker = screen->commodityListTableView();
    ASSERT_TRUE(driver.isVisible(picker));
    EXPECT_FALSE(screen->chartManager()->isUserInteractionEnabled());
    const Rect title = screen->commodityNameButton()->frame();
    EXPECT_DOUBLE_EQ(picker->frame().y, title.y + title.height + 20);
    EXPECT_DOUBLE_EQ(picker->frame().midX(), title.midX());
    ASSERT_EQ(picker->ComTableView()->numberOfRows(0), 6);
    EXPECT_TRUE(driver.saveSnapshot(snapshotPath("quote-screen-picker-568")));

    sim.quoteServer(0).clearRequestLog();
    ASSERT_TRUE(driver.tapRow(*picker->ComTableView(), {0, 4}));
    EXPECT_TRUE(picker->isHidden());
    EXPECT_EQ(screen->SelectedCommodityInfo()->CommodityName, "铂金");
    EXPECT_EQ(screen->commodityNameButton()->currentTitle(), "铂金");
    // A pick lays the title out to its text, with the icon 2 points to its right.
    const Size picked = TextLayout::measure("铂金", Font::named("Helvetica-Bold", 12), {0, 44},
                                            LineBreakMode::WordWrap, 1);
    EXPECT_EQ(screen->commodityNameButton()->bounds(), (Rect{0, 0, picked.width, picked.height}));
    EXPECT_DOUBLE_EQ(screen->ImageButton()->frame().x,
                     screen->commodityNameButton()->frame().maxX() + 2);
    EXPECT_TRUE(driver.saveSnapshot(snapshotPath("quote-screen-picked-568")));
    EXPECT_TRUE(screen->chartManager()->isUserInteractionEnabled());
    std::vector<std::vector<uint8_t>> bodies;
    ASSERT_TRUE(driver.runUntil(
        [&] {
            bodies = liveQuoteBodiesOf(screen->SelectedCommodityInfo()->CommodityID);
            return !bodies.empty();
        },
        5));
    ASSERT_EQ(bodies.front().size(), 18u);
    EXPECT_FALSE(carriesMarks(bodies.front()));
}

// Two picks within the chart's commodity lock: the second is taken when the lock opens, and the
// title, the live quote, the chart and its side panel name one commodity all along.
TEST_F(QuoteScreenTest, shouldShowTheLastOfTwoQuickPicksEverywhere) {
    ASSERT_TRUE(driver.runUntil([&] { return chartDrawn(); }, 20));
    HQMarketChartManager& chart = *screen->chartManager();
    const auto& rows =
        *screen->getCommodityInfoArrayBySection(chart.selectedCommodityInfo()->panindex);
    const auto pick = [&](const std::string& name) {
        int row = 0;
        while (rows[static_cast<size_t>(row)]->CommodityName != name) {
            ++row;
        }
        ASSERT_TRUE(driver.tap(screen->commodityNameButton()));
        ASSERT_TRUE(driver.tapRow(*screen->commodityListTableView()->ComTableView(), {0, row}));
    };
    const auto agree = [&] {
        return screen->SelectedCommodityInfo() == chart.selectedCommodityInfo() &&
               screen->commodityNameButton()->currentTitle() ==
                   chart.selectedCommodityInfo()->CommodityName;
    };
    pick("铂金");
    pick("铜");
    const auto& drawn = chart.drawViewManagerFenShi()->FenShiDataItemArray();
    const auto quoted = [&] {
        const auto& quote = chart.WMManager()->content().yiKouJia();
        return quote ? quote->commodityNum : -1;
    };
    bool agreed = true;
    ASSERT_TRUE(driver.runUntil(
        [&] {
            agreed = agreed && agree();
            const int id = chart.selectedCommodityInfo()->CommodityID;
            return chart.selectedCommodityInfo()->CommodityName == "铜" && !drawn.empty() &&
                   drawn.back()->commodityTag == id && quoted() == id;
        },
        20));
    EXPECT_TRUE(agreed);
    EXPECT_EQ(screen->commodityNameButton()->currentTitle(), "铜");
    // The live quote goes on asking for it, with the marks of its own answers.
    const int id = chart.selectedCommodityInfo()->CommodityID;
    EXPECT_TRUE(driver.runUntil(
        [&] {
            const auto bodies = liveQuoteBodiesOf(id);
            return std::any_of(bodies.begin(), bodies.end(), carriesMarks);
        },
        20));
}

// Until the first live quote of a commodity picked comes, nothing of the one left shows: the
// header reads "--", the side panel lists no trade and the wide top bar hides its quote.
TEST_F(QuoteScreenTest, shouldShowNothingOfTheCommodityLeftUntilThePickedOnesQuote) {
    HQMarketChartManager& chart = *screen->chartManager();
    const auto& panel = chart.WMManager()->content();
    ASSERT_TRUE(driver.runUntil([&] { return !panel.mingXiArray().empty(); }, 20));
    auto& line = sim.quoteServer(0).line(0);
    line.setDelayMs(1000);
    ASSERT_TRUE(driver.tap(screen->commodityNameButton()));
    ASSERT_TRUE(driver.tapRow(*screen->commodityListTableView()->ComTableView(), {0, 4}));
    EXPECT_EQ(screen->yikoujiaLabel()->text(), "--");
    EXPECT_EQ(screen->zuoshouLabel()->text(), "--");
    EXPECT_TRUE(panel.mingXiArray().empty());
    EXPECT_EQ(panel.tradeRow(9).price, "-");
    const int picked = chart.selectedCommodityInfo()->CommodityID;
    EXPECT_EQ(panel.yiKouJia()->commodityNum, picked);
    line.setDelayMs(0);
    ASSERT_TRUE(driver.runUntil([&] { return !panel.mingXiArray().empty(); }, 20));
    EXPECT_NE(screen->yikoujiaLabel()->text(), "--");
    EXPECT_EQ(panel.yiKouJia()->commodityNum, picked);

    ASSERT_TRUE(driver.tap(screen->zhuanpingButton()));
    driver.settle();
    ASSERT_TRUE(driver.runUntil([&] { return driver.isVisible(chart.yikoujiaView()); }, 10));
    line.setDelayMs(1000);
    ASSERT_TRUE(driver.tap(chart.commodityTitleButton()));
    ASSERT_TRUE(driver.tapRow(*screen->commodityListTableView()->ComTableView(), {0, 0}));
    // Taken when the chart's lock opens, within the quote's round trip.
    ASSERT_TRUE(
        driver.runUntil([&] { return chart.selectedCommodityInfo()->CommodityID != picked; }, 5));
    EXPECT_FALSE(driver.isVisible(chart.yikoujiaView()));
    line.setDelayMs(0);
    EXPECT_TRUE(driver.runUntil([&] { return driver.isVisible(chart.yikoujiaView()); }, 10));
    // The commodity on show picked again keeps its figures.
    driver.runFor(0.6);
    line.setDelayMs(1000);
    ASSERT_TRUE(driver.tap(chart.commodityTitleButton()));
    ASSERT_TRUE(driver.tapRow(*screen->commodityListTableView()->ComTableView(), {0, 0}));
    EXPECT_TRUE(driver.isVisible(chart.yikoujiaView()));
    EXPECT_FALSE(panel.mingXiArray().empty());
    line.setDelayMs(0);
}

TEST_F(PanelStartsQuoteScreenTest, shouldNameTheExchangeOfTheCommoditysOwnMarket) {
    EXPECT_EQ(screen->marketNameLabel()->text(), "西部商品");
}

// The pop-over lists the panel on show, and a pick there keeps that panel's start of trading:
// the time axis and the minutes start at 09:00.
TEST_F(PanelStartsQuoteScreenTest, shouldListTheShownPanelAndKeepItsStartOfTrading) {
    ASSERT_TRUE(driver.runUntil([&] { return chartDrawn(); }, 20));
    ASSERT_TRUE(driver.tap(screen->commodityNameButton()));
    ASSERT_TRUE(driver.tapRow(*screen->commodityListTableView()->ComTableView(), {0, 1}));
    EXPECT_EQ(screen->SelectedCommodityInfo()->CommodityName, "锡(西部)");
    HQDrawManager& fenShi = *screen->chartManager()->drawViewManagerFenShi();
    ASSERT_TRUE(driver.runUntil(
        [&] {
            return !fenShi.FenShiDataItemArray().empty() &&
                   fenShi.FenShiDataItemArray().back()->commodityTag == 7;
        },
        20));
    EXPECT_EQ(axisTitles(), (std::vector<std::string>{"09:00", "11:00", "15:00", "19:00", "23:00",
                                                      "03:00", "07:00", "09:00"}));
    // The simulator's 14:30, five and a half hours into the panel's day.
    const DrawRect& area = *screen->chartManager()->variableAboutDevice()->drawRectOfMain();
    EXPECT_EQ(fenShi.FenShiDataItemArray().back()->fenShiTime, "1430");
    EXPECT_FLOAT_EQ(fenShi.fenShiData().back()->fenshiPoint->x,
                    static_cast<float>(area.x + area.width * 330 / 1440));
    driver.settle();
    EXPECT_TRUE(driver.saveSnapshot(snapshotPath("quote-screen-picked-panel-568")));
}

TEST_F(QuoteScreenTest, shouldTurnWideAndBackWithTheFramesAndRotationOfTheScreen) {
    UserDefaults::standardUserDefaults().setBool(true, VKJYMarketChartController::kFirstGuideKey);
    ASSERT_TRUE(driver.runUntil([&] { return chartDrawn(); }, 20));
    // A pop-over left open under the portrait title goes with the turn.
    ASSERT_TRUE(driver.tap(screen->commodityNameButton()));
    ASSERT_TRUE(driver.tap(screen->zhuanpingButton()));
    driver.settle();
    EXPECT_FALSE(driver.isVisible(screen->commodityListTableView()));
    EXPECT_TRUE(screen->chartManager()->isUserInteractionEnabled());
    View* root = screen->view();
    EXPECT_EQ(root->bounds().width, 568);
    EXPECT_EQ(root->bounds().height, 320);
    EXPECT_EQ(root->center(), (Point{-124 + 284, 124 + 160}));
    EXPECT_EQ(root->transform(), AffineTransform::rotation(M_PI / 2));
    EXPECT_EQ(screen->chartManager()->stateOfScreen(), 1u);
    EXPECT_TRUE(screen->prefersStatusBarHidden());
    EXPECT_TRUE(driver.isVisible(screen->chartManager()->TopNavigationBar()));
    EXPECT_EQ(screen->tanTiaoImgV(), nullptr);
    EXPECT_FALSE(
        UserDefaults::standardUserDefaults().boolForKey(VKJYMarketChartController::kFirstGuideKey));
    EXPECT_TRUE(driver.saveSnapshot(snapshotPath("quote-screen-wide-568")));

    screen->returnButtonPressedAboutWideScreen();
    driver.settle();
    EXPECT_EQ(root->frame(), (Rect{0, 0, 320, 568}));
    EXPECT_TRUE(root->transform().isIdentity());
    EXPECT_EQ(screen->chartManager()->stateOfScreen(), 0u);
    EXPECT_EQ(screen->chartManager()->frame().y, VKJYMarketChartController::MarketChartViewY);
    EXPECT_FALSE(screen->prefersStatusBarHidden());
}

TEST_F(QuoteScreenTest, shouldLeaveAPortraitScreenAloneOnTheForegroundNotice) {
    SystemInfo::setOsVersion("6.1");
    NotificationCenter::defaultCenter().post(VKJYMarketChartController::kWideScreenNotification);
    driver.settle();
    SystemInfo::setOsVersion("7.0");
    EXPECT_EQ(screen->view()->frame(), (Rect{0, 0, 320, 568}));
    EXPECT_TRUE(screen->view()->transform().isIdentity());
}

TEST_F(QuoteScreenTest, shouldToggleTheWatchEntryInTheFileWithinTheLimit) {
    const std::string key = VKJYWatchList::keyOf(*screen->SelectedCommodityInfo());
    writeWatchFile({"91_0", "92_0", "93_0", "94_0", "95_0", "96_0", "97_0"});
    ASSERT_TRUE(driver.tap(screen->ChooseCommodityButton()));
    EXPECT_EQ(VKJYWatchList::readFile().size(), 8u);
    EXPECT_EQ(VKJYWatchList::readFile().back(), key);
    EXPECT_EQ(screen->ChooseCommodityButton()->image().name(), "delete.png");
    ASSERT_NE(screen->addDeleteLabel(), nullptr);
    EXPECT_EQ(screen->addDeleteLabel()->text(), "添加成功");

    ASSERT_TRUE(driver.tap(screen->ChooseCommodityButton()));
    EXPECT_EQ(VKJYWatchList::readFile().size(), 7u);
    EXPECT_EQ(screen->addDeleteLabel()->text(), "删除成功");

    writeWatchFile({"91_0", "92_0", "93_0", "94_0", "95_0", "96_0", "97_0", "98_0"});
    ASSERT_TRUE(driver.tap(screen->ChooseCommodityButton()));
    ASSERT_NE(driver.visibleAlert(), nullptr);
    EXPECT_NE(driver.viewWithText("商品个数已达上限"), nullptr);
    EXPECT_TRUE(driver.tapAlertButton("确定"));
    EXPECT_EQ(VKJYWatchList::readFile().size(), 8u);
    EXPECT_EQ(screen->ChooseCommodityButton()->image().name(), "add.png");
}

TEST_F(QuoteScreenTest, shouldOpenOnePanelPerAppearanceWhileLoggedOut) {
    RecordingPanel::made = 0;
    VKJYFastTradeViewControllerFactory::registerPanels(
        [] { return std::make_unique<RecordingPanel>(); },
        [] { return std::make_unique<RecordingPanel>(); });
    ASSERT_TRUE(driver.tap(screen->buyButton()));
    ASSERT_TRUE(driver.tap(screen->buyButton()));
    EXPECT_EQ(RecordingPanel::made, 1);
    ASSERT_NE(screen->tradeVC(), nullptr);
    EXPECT_TRUE(RecordingPanel::lastShanJian);
    ASSERT_TRUE(RecordingPanel::lastMarketAndDisk.has_value());
    EXPECT_EQ(screen->tradeVC()->view()->frame().y, 568 + 20);

    auto quote = quoteOf(*screen->SelectedCommodityInfo(), 1234);
    screen->refreshYikoujiaViewFromJiaoYi(quote);
    EXPECT_TRUE(screen->ykjIsFromJiaoYi());
    advanceSimulator(120);
    driver.runFor(2.5);
    EXPECT_EQ(screen->yikoujiaLabel()->text().substr(0, 4), "1234");
    screen->closedFastTradeView();
    EXPECT_EQ(screen->tradeVC(), nullptr);
    EXPECT_FALSE(screen->ykjIsFromJiaoYi());
    VKJYFastTradeViewControllerFactory::registerPanels({}, {});
}

// A panel left open over a pick goes on quoting the commodity it opened for.
TEST_F(QuoteScreenTest, shouldShowOnlyTheQuotesOfTheCommodityOnShowWhileAPanelIsOpen) {
    VKJYFastTradeViewControllerFactory::registerPanels(
        [] { return std::make_unique<RecordingPanel>(); },
        [] { return std::make_unique<RecordingPanel>(); });
    ASSERT_TRUE(driver.tap(screen->buyButton()));
    const auto left = quoteOf(*screen->SelectedCommodityInfo(), 1234);
    screen->refreshYikoujiaViewFromJiaoYi(left);
    ASSERT_TRUE(driver.tap(screen->commodityNameButton()));
    ASSERT_TRUE(driver.tapRow(*screen->commodityListTableView()->ComTableView(), {0, 4}));
    HQMarketChartManager& chart = *screen->chartManager();
    ASSERT_TRUE(driver.runUntil(
        [&] {
            screen->refreshYikoujiaViewFromJiaoYi(left);
            const auto& shown = *screen->SelectedCommodityInfo();
            return shown.CommodityName == "铂金" && chart.yikoujia() &&
                   chart.yikoujia()->commodityNum == shown.CommodityID;
        },
        20));
    EXPECT_NE(screen->yikoujiaLabel()->text().substr(0, 4), "1234");
    VKJYFastTradeViewControllerFactory::registerPanels({}, {});
}

// A pick still waiting on the chart's lock when the panel opens lands under it.
TEST_F(QuoteScreenTest, shouldCloseAPanelWhenAnotherCommodityShows) {
    VKJYFastTradeViewControllerFactory::registerPanels(
        [] { return std::make_unique<RecordingPanel>(); },
        [] { return std::make_unique<RecordingPanel>(); });
    RecordingPanel::closings = 0;
    const auto pick = [&](int row) {
        ASSERT_TRUE(driver.tap(screen->commodityNameButton()));
        ASSERT_TRUE(driver.tapRow(*screen->commodityListTableView()->ComTableView(), {0, row}));
    };
    pick(0);
    pick(4);
    ASSERT_TRUE(driver.tap(screen->sellButton()));
    EXPECT_TRUE(driver.runUntil([&] { return RecordingPanel::closings == 1; }, 10));
    VKJYFastTradeViewControllerFactory::registerPanels({}, {});
}

TEST_F(QuoteScreenTest, shouldRenewTheQuoteSessionWhenALiveQuoteIsAnswered2003) {
    const int logins = sim.quoteServer(0).requestCount(kQuoteLoginProtocol);
    sim.quoteServer(0).expireSessions();
    ASSERT_TRUE(driver.runUntil(
        [&] { return sim.quoteServer(0).requestCount(kQuoteLoginProtocol) > logins; }, 10));
    const std::string before = screen->yikoujiaLabel()->text();
    advanceSimulator(120);
    EXPECT_TRUE(driver.runUntil([&] { return screen->yikoujiaLabel()->text() != before; }, 10));
}

// A renewal that fails (here its login answer is spoiled) lets the next lost session be renewed.
TEST_F(QuoteScreenTest, shouldRenewTheQuoteSessionAgainAfterARenewalFailed) {
    auto& server = sim.quoteServer(0);
    const int logins = server.requestCount(kQuoteLoginProtocol);
    server.malformNext(kQuoteLoginProtocol, SimMalform::CutBody);
    server.answerSessionLostOnce(kLiveQuoteProtocol);
    ASSERT_TRUE(
        driver.runUntil([&] { return server.requestCount(kQuoteLoginProtocol) > logins; }, 10));
    const int quotes = server.requestCount(kLiveQuoteProtocol);
    ASSERT_TRUE(
        driver.runUntil([&] { return server.requestCount(kLiveQuoteProtocol) > quotes + 1; }, 10));

    const int failed = server.requestCount(kQuoteLoginProtocol);
    server.answerSessionLostOnce(kLiveQuoteProtocol);
    EXPECT_TRUE(
        driver.runUntil([&] { return server.requestCount(kQuoteLoginProtocol) > failed; }, 10));
    const std::string before = screen->yikoujiaLabel()->text();
    advanceSimulator(120);
    EXPECT_TRUE(driver.runUntil([&] { return screen->yikoujiaLabel()->text() != before; }, 10));
}

TEST_F(QuoteScreenTest, shouldPauseWhileCoveredAndSendNothingOnceItIsPopped) {
    std::weak_ptr<void> alive = screen->linkToken();
    ASSERT_TRUE(driver.tap(screen->backButton()));
    ASSERT_TRUE(driver.runUntil([&] { return alive.expired(); }, 5));
    driver.runFor(1.5);
    const size_t seen = sim.quoteServer(0).requestLog().size();
    const int quotes = sim.quoteServer(0).requestCount(kLiveQuoteProtocol);
    driver.runFor(3);
    EXPECT_EQ(sim.quoteServer(0).requestCount(kLiveQuoteProtocol), quotes);
    int chartRequests = 0;
    const auto log = sim.quoteServer(0).requestLog();
    for (size_t i = seen; i < log.size(); ++i) {
        chartRequests += log[i].protocol != 37 ? 1 : 0;
    }
    EXPECT_EQ(chartRequests, 0);
    EXPECT_FALSE(
        UserDefaults::standardUserDefaults().boolForKey(VKJYMarketChartController::kFirstGuideKey));
}

TEST_F(ShortQuoteScreenTest, shouldFitTheQuoteScreenAndTheWideScreenOnTheShortScreen) {
    EXPECT_EQ(screen->toolBarView()->frame().y, 480 - 49);
    EXPECT_TRUE(driver.runUntil([&] { return chartDrawn(); }, 20));
    driver.settle();
    EXPECT_TRUE(driver.saveSnapshot(snapshotPath("quote-screen-fenshi-480")));
    ASSERT_TRUE(driver.tap(screen->zhuanpingButton()));
    driver.settle();
    EXPECT_EQ(screen->view()->center(), (Point{-80 + 240, 80 + 160}));
    EXPECT_EQ(screen->view()->frame(), (Rect{0, 0, 320, 480}));
    EXPECT_TRUE(driver.saveSnapshot(snapshotPath("quote-screen-wide-480")));
    ASSERT_TRUE(driver.tap(screen->chartManager()->commodityTitleButton()));
    EXPECT_TRUE(driver.isVisible(screen->commodityListTableView()));
    EXPECT_TRUE(driver.saveSnapshot(snapshotPath("quote-screen-wide-picker-480")));
}
