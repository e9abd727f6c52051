#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>

#include "ChartTestSupport.h"
#include "chart/ActivityView.h"
#include "chart/ChartScale.h"
#include "chart/HQDrawManager.h"
#include "chart/HQMarketChartManager.h"
#include "chart/HQRefreshControl.h"
#include "platform/foundation/DateFormat.h"
#include "platform/foundation/DayLog.h"
#include "platform/foundation/Paths.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/WeakLink.h"
#include "platform/ui/Application.h"
#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "platform/ui/Screen.h"
#include "platform/ui/ScreenDriver.h"
#include "platform/ui/ViewController.h"
#include "platform/ui/Window.h"
#include "quote/HQDataBase.h"
#include "quote/HQNetworkManger.h"
#include "support/SimExchangeFixture.h"
#include "support/TempHome.h"
#include "widgets/UIViewToast.h"

using namespace charttest;

namespace {

constexpr int kManyDayFenShi = 34;
constexpr int kKLineProtocol = 30;
constexpr int kManyDayKLine = 33;
constexpr int kFenShiProtocol = 32;
constexpr int kLogin = 2;
constexpr int kServerTime = 35;

// Big-endian fields of a logged request body.
struct Fields {
    const std::vector<uint8_t>& body;
    int64_t at(size_t offset, size_t size) const {
        int64_t value = static_cast<int8_t>(body.at(offset));
        for (size_t i = 1; i < size; ++i) {
            value = value * 256 + body.at(offset + i);
        }
        return value;
    }
};

// Waits for the one answer of a quote request made by the test itself.
class OneAnswer : public HQNetworkMangerDelegate {
public:
    void dataAnalysisFinished(HQNetworkManger*, const HQReplyData& reply) override {
        data = reply;
        done = true;
    }
    void dataAnalysisFailed(HQNetworkManger*, int) override { done = true; }
    void requestFailed(HQNetworkManger*, int) override { done = true; }
    HQReplyData data;
    bool done = false;
};

HQReplyData ask(std::shared_ptr<SubmissionPackage> package, const std::string& type) {
    auto answer = std::make_shared<OneAnswer>();
    auto manager = HQNetworkManger::create();
    manager->setDelegate(answer);
    manager->needDataFromNetWork(std::move(package), type, 0);
    manager.reset();
    EXPECT_TRUE(RunLoop::runUntil([&] { return answer->done; }, 20)) << type;
    return answer->data;
}

// The wide screen hides the status bar, as the quote screen does when it turns.
class WideController : public ViewController {
public:
    bool prefersStatusBarHidden() const override { return true; }
};

}  // namespace

// The chart manager of one commodity on a headless phone screen against the simulated quote
// server: logged in, with the catalogue of the server's first panel.
class ChartManagerSimTest : public SimExchangeFixture {
protected:
    void SetUp() override {
        SimExchangeFixture::SetUp();
        m_home = std::make_unique<TempHome>();
        m_state = std::make_shared<VKJYHangQingDataClass>();
        m_state->setLineResolver([this](int index) {
            return index == 0 ? sim().quoteLineUrls(0) : std::vector<std::string>{};
        });
        VKJYHangQingDataClass::setCurrent(m_state);
        View::setAnimationSpeed(0);
        ask(nullptr, "shiChangXinXi");
        const SimQuoteServerDef& server = *sim().catalogue().server(0);
        auto panel = std::make_shared<SubmissionPackage>();
        panel->MarketID = std::to_string(server.markets.front().id);
        panel->DiskID = std::to_string(server.markets.front().disks.front().id);
        const auto reply = ask(panel, "shiChangXinXix");
        const auto* markets = std::get_if<std::vector<std::shared_ptr<MarketItem>>>(&reply);
        ASSERT_TRUE(markets && !markets->empty());
        m_catalogue = *markets;
        m_commodity = m_catalogue.front()
                          ->MarketInfoArray.front()
                          ->diskInfoArray.front()
                          ->commodityInfoArray.front();
        // The panel's start of trading, as the market list hands it on.
        const auto timeReply = ask(panel, "panJYTime");
        const auto* time = std::get_if<std::shared_ptr<PanJYTime>>(&timeReply);
        ASSERT_TRUE(time && *time);
        m_state->setTradingStart((*time)->JYStart);
        quoteServer().clearRequestLog();
    }

    void TearDown() override {
        closeChart();
        // Requests still out end, so nothing they hold outlives the test.
        RunLoop::runFor(0.3);
        View::setAnimationSpeed(1);
        VKJYHangQingDataClass::setCurrent(nullptr);
        m_home.reset();
        SimExchangeFixture::TearDown();
    }

    SimQuoteServer& quoteServer() { return sim().quoteServer(0); }

    // Opens the chart as the quote screen does and waits for the time-sharing day.
    void openChart(bool fourInch = true) {
        m_facts = std::make_unique<DeviceFacts>(fourInch);
        m_screen = std::make_unique<Screen>(Size{320, fourInch ? 568.0 : 480.0}, 1);
        m_window = std::make_unique<Window>(m_screen->bounds());
        m_window->setBackgroundColor(Color::blackColor());
        m_window->makeKeyAndVisible();
        m_driver = std::make_unique<ScreenDriver>(*m_screen);
        auto quote = std::make_shared<YiKouJia>();
        m_chart =
            std::make_shared<HQMarketChartManager>(m_catalogue, m_commodity, 0, 0, "", "", quote);
        m_window->addSubview(m_chart);
        m_chart->setFrame(Rect{0, 64, m_chart->frame().width, m_chart->frame().height});
        m_chart->requestZipSec();
        ASSERT_TRUE(RunLoop::runUntil(
            [&] { return !m_chart->drawViewManagerFenShi()->fenShiData().empty(); }, 20));
    }

    void closeChart() {
        if (m_chart) {
            m_chart->removeFromSuperview();
            m_chart.reset();
        }
        m_driver.reset();
        m_window.reset();
        m_screen.reset();
        m_facts.reset();
    }

    std::shared_ptr<PeriodStatusInfo> period() const { return m_chart->searchPeriodStatusInfo(); }

    // The chart layers carry tags from 8000 up too: period buttons are found as buttons.
    Button* periodButton(int tag) const {
        for (Button* button : m_driver->viewsOfClass<Button>()) {
            if (button->tag() == tag) {
                return button;
            }
        }
        return nullptr;
    }

    // Taps the first K-line period and waits until its history is stored and refreshing.
    void openMinutePeriod() {
        ASSERT_TRUE(m_driver->tap(periodButton(10001)));
        ASSERT_TRUE(RunLoop::runUntil([&] { return m_chart->KLineRefresh() != nullptr; }, 30));
    }

    std::vector<std::shared_ptr<KLineDataItem>> heldBars() const {
        return period()->KLineDataArray.front()->klineDataItemsArray;
    }

    std::vector<std::shared_ptr<KLineDataItem>> storedBars() const {
        SubmissionPackage package;
        package.MarketID = std::to_string(m_commodity->MarketID);
        package.DiskID = std::to_string(m_commodity->DiskID);
        package.CommodityID = std::to_string(m_commodity->CommodityID);
        package.period = std::to_string(period()->periodItem->periodID);
        package.panleix = 0;
        const auto stored = HQDataBase().searchPartDataFromKLineForm(package);
        return stored && !stored->empty() ? stored->back()->klineDataItemsArray
                                          : std::vector<std::shared_ptr<KLineDataItem>>{};
    }

    void expectHeldAsStored() const {
        const auto held = heldBars();
        const auto stored = storedBars();
        ASSERT_EQ(held.size(), stored.size());
        for (size_t i = 0; i < held.size(); ++i) {
            ASSERT_EQ(held[i]->date, stored[i]->date) << i;
            ASSERT_FLOAT_EQ(held[i]->close, stored[i]->close) << i;
        }
    }

    // One trade in the minute in progress (its volume grows), then its price half way back to
    // yesterday's close: inside the day's range, so the range stays.
    void tradeInTheNewestMinute() {
        sim().clock().advance(1000);
        const auto quote = sim().market().quote(m_commodity->panindex, m_commodity->CommodityID);
        ASSERT_TRUE(quote);
        sim().market().movePrice(m_commodity->panindex, m_commodity->CommodityID,
                                 (quote->yesterdayClose - quote->newPrice) / 2);
    }

    std::vector<int> protocols() const {
        std::vector<int> seen;
        for (const auto& record : sim().quoteServer(0).requestLog()) {
            seen.push_back(record.protocol);
        }
        return seen;
    }

    std::vector<uint8_t> lastBodyOf(int protocol) const {
        std::vector<uint8_t> body;
        for (const auto& record : sim().quoteServer(0).requestLog()) {
            if (record.protocol == protocol) {
                body = record.body;
            }
        }
        return body;
    }

    bool waitForRequest(int protocol, size_t countBefore) {
        return RunLoop::runUntil(
            [&] { return static_cast<size_t>(quoteServer().requestCount(protocol)) > countBefore; },
            20);
    }

    // Taps the chart at a share of its plotting area's width.
    void tapChart(HQDrawManager& view, double across) {
        const auto& area = *m_chart->variableAboutDevice()->drawRectOfMain();
        m_driver->tapAt(view.convertPointToWindow(
            Point{area.x + area.width * across, area.y + area.height / 2}));
    }

    Point crossHair() const {
        return m_chart->variableAboutDevice()->indicatorCrossData()->IndicatorCrossPoint;
    }

    bool toastShows(const std::string& text) const {
        for (auto* toast : m_driver->viewsOfClass<UIViewToast>()) {
            if (toast->message() == text) {
                return true;
            }
        }
        return false;
    }

    SimExchange& sim() const {
        return const_cast<ChartManagerSimTest*>(this)->SimExchangeFixture::sim();
    }

    Application m_app;
    std::unique_ptr<TempHome> m_home;
    std::shared_ptr<VKJYHangQingDataClass> m_state;
    HQMarketChartManager::Catalogue m_catalogue;
    std::shared_ptr<commodityInfo> m_commodity;
    std::unique_ptr<DeviceFacts> m_facts;
    std::unique_ptr<Screen> m_screen;
    std::unique_ptr<Window> m_window;
    std::unique_ptr<ScreenDriver> m_driver;
    std::shared_ptr<HQMarketChartManager> m_chart;
};

TEST_F(ChartManagerSimTest, shouldAskForKeysPeriodsAndTheDayWhenOpened) {
    openChart();
    const auto seen = protocols();
    ASSERT_GE(seen.size(), 3u);
    EXPECT_EQ(std::vector<int>(seen.begin(), seen.begin() + 3),
              (std::vector<int>{36, 31, kManyDayFenShi}));
    const Fields manyDay{lastBodyOf(kManyDayFenShi)};
    EXPECT_EQ(manyDay.at(0, 2), m_commodity->MarketID);
    EXPECT_EQ(manyDay.at(2, 2), m_commodity->DiskID);
    EXPECT_EQ(manyDay.at(4, 2), m_commodity->CommodityID);
    EXPECT_FALSE(m_chart->zipSecDataArray().empty());
    EXPECT_FALSE(m_chart->MyActivity()->isAnimating());
    EXPECT_EQ(periodButton(10000)->currentTitle(), "分时");
    EXPECT_EQ(periodButton(10001)->currentTitle(), "1分");
    ASSERT_NE(m_chart->FenShiRefresh(), nullptr);
    EXPECT_DOUBLE_EQ(m_chart->FenShiRefresh()->timer()->timeInterval(),
                     SimQuoteServer::kRequestDataTime);

    const int before = quoteServer().requestCount(kFenShiProtocol);
    m_chart->FenShiRefresh()->refreshNotify();
    ASSERT_TRUE(waitForRequest(kFenShiProtocol, static_cast<size_t>(before)));
    const Fields fenShi{lastBodyOf(kFenShiProtocol)};
    EXPECT_EQ(fenShi.at(4, 2), m_commodity->CommodityID);
    EXPECT_EQ(fenShi.at(6, 4), 2000);
    EXPECT_GT(fenShi.at(10, 8), 0);
    EXPECT_EQ(fenShi.at(18, 1), 1);
}

TEST_F(ChartManagerSimTest, shouldLoadAPeriodAndMergeTheNextBarOnRefresh) {
    openChart();
    openMinutePeriod();
    const Fields first{lastBodyOf(kManyDayKLine)};
    EXPECT_EQ(first.at(6, 1), 1);    // period
    EXPECT_EQ(first.at(7, 4), 600);  // bars
    EXPECT_EQ(first.at(11, 8), -1);  // the newest
    EXPECT_EQ(first.at(19, 1), 0);   // direction
    EXPECT_EQ(first.at(20, 2), 30);  // history files
    expectHeldAsStored();
    EXPECT_FALSE(m_chart->drawViewManagerKLine()->coordinateKLineData().empty());

    const auto before = heldBars();
    sim().clock().advance(60 * 1000);
    const int asked = quoteServer().requestCount(kKLineProtocol);
    m_chart->KLineRefresh()->refreshNotify();
    ASSERT_TRUE(RunLoop::runUntil(
        [&] { return heldBars().size() > before.size() && !period()->KLineRequesting; }, 20));
    EXPECT_EQ(quoteServer().requestCount(kKLineProtocol), asked + 1);
    const Fields next{lastBodyOf(kKLineProtocol)};
    EXPECT_EQ(next.at(7, 4), 3000);
    EXPECT_EQ(next.at(11, 8), before.back()->date);
    EXPECT_EQ(next.at(19, 1), 1);
    const auto bars = heldBars();
    EXPECT_EQ(bars.size(), before.size() + 1);
    double sum = 0;
    for (size_t i = bars.size() - 5; i < bars.size(); ++i) {
        sum += bars[i]->close;
    }
    ASSERT_TRUE(bars.back()->PMAGroup && bars.back()->PMAGroup->PMA5Data);
    EXPECT_NEAR(bars.back()->PMAGroup->PMA5Data->value, sum / 5, 1e-6);
    expectHeldAsStored();
}

// A refresh that only updates the newest minute or bar draws it at once, not when the next
// minute comes: each is drawn as a full rebuild would draw it.
TEST_F(ChartManagerSimTest, shouldRedrawTheNewestMinuteAndBarThatARefreshUpdates) {
    openChart();
    HQDrawManager& fenShi = *m_chart->drawViewManagerFenShi();
    const auto item = m_chart->searchCommodotyStatusItem();
    const HQCalculationResult range = *item->result;
    const size_t minutes = fenShi.fenShiData().size();
    const int volume = fenShi.FenShiDataItemArray().back()->xianShou;
    const auto newestPoint = [&] {
        const FenShiDrawDataItem& p = *fenShi.fenShiData().back();
        return std::vector<float>{p.fenshiPoint->y, p.chengJiaoLiangPoint->y};
    };
    const auto before = newestPoint();
    tradeInTheNewestMinute();
    m_chart->FenShiRefresh()->refreshNotify();
    ASSERT_TRUE(RunLoop::runUntil(
        [&] { return fenShi.FenShiDataItemArray().back()->xianShou != volume; }, 20));
    ASSERT_EQ(fenShi.fenShiData().size(), minutes);
    ASSERT_EQ(item->result->highest, range.highest);
    ASSERT_EQ(item->result->lowest, range.lowest);
    const auto drawn = newestPoint();
    EXPECT_NE(drawn, before);
    fenShi.FenShiResetDrawDataWithCommodity(item->FenShiDataArray, item->commodity);
    EXPECT_EQ(drawn, newestPoint());

    openMinutePeriod();
    HQDrawManager& kLine = *m_chart->drawViewManagerKLine();
    const size_t bars = heldBars().size();
    tradeInTheNewestMinute();
    const int asked = quoteServer().requestCount(kKLineProtocol);
    m_chart->KLineRefresh()->refreshNotify();
    ASSERT_TRUE(RunLoop::runUntil(
        [&] {
            return quoteServer().requestCount(kKLineProtocol) > asked && !period()->KLineRequesting;
        },
        20));
    ASSERT_EQ(heldBars().size(), bars);
    const auto quote = *sim().market().quote(m_commodity->panindex, m_commodity->CommodityID);
    EXPECT_FLOAT_EQ(heldBars().back()->close,
                    static_cast<float>(quote.newPrice * std::pow(10.0, -m_commodity->leastPrice)));
    const KLineDrawDataItem candle = *kLine.coordinateKLineData().back();
    EXPECT_EQ(candle.klineData, heldBars().back());
    kLine.KLineResetDrawLineDataSelf(period()->KLineDataArray);
    EXPECT_EQ(candle.closePiont, kLine.coordinateKLineData().back()->closePiont);
}

// A cross-hair stays on the minute or bar it marks, on the scale of a new high and as a new bar
// moves the window.
TEST_F(ChartManagerSimTest, shouldKeepTheCrossHairOnItsMinuteAndBarThroughRedraws) {
    openChart();
    HQDrawManager& fenShi = *m_chart->drawViewManagerFenShi();
    tapChart(fenShi, 0.1);
    ASSERT_TRUE(fenShi.showIndicatorCross());
    const int minute = fenShi.indicatorCrossPointNum();
    const std::string time = fenShi.FenShiDataItemArray().at(minute)->fenShiTime;
    const auto item = m_chart->searchCommodotyStatusItem();
    const double highest = item->result->highest;
    const auto quote = *sim().market().quote(m_commodity->panindex, m_commodity->CommodityID);
    sim().clock().advance(1000);
    const int64_t reach =
        std::max(quote.highest - quote.yesterdayClose, quote.yesterdayClose - quote.lowest);
    sim().market().movePrice(m_commodity->panindex, m_commodity->CommodityID,
                             quote.yesterdayClose + 2 * reach + 10 - quote.newPrice);
    m_chart->FenShiRefresh()->refreshNotify();
    ASSERT_TRUE(RunLoop::runUntil([&] { return item->result->highest != highest; }, 20));
    ASSERT_TRUE(fenShi.showIndicatorCross());
    ASSERT_EQ(fenShi.indicatorCrossPointNum(), minute);
    EXPECT_EQ(fenShi.FenShiDataItemArray().at(minute)->fenShiTime, time);
    const HQPoint& point = *fenShi.fenShiData().at(minute)->fenshiPoint;
    EXPECT_EQ(crossHair(), (Point{point.x, point.y}));

    openMinutePeriod();
    HQDrawManager& kLine = *m_chart->drawViewManagerKLine();
    tapChart(kLine, 0.5);
    ASSERT_TRUE(kLine.showIndicatorCross());
    const int64_t date = kLine.coordinateKLineData().at(kLine.indicatorCrossPointNum())->date;
    const size_t bars = heldBars().size();
    sim().clock().advance(60 * 1000);
    m_chart->KLineRefresh()->refreshNotify();
    ASSERT_TRUE(RunLoop::runUntil([&] { return heldBars().size() > bars; }, 20));
    ASSERT_TRUE(kLine.showIndicatorCross());
    const auto& marked = *kLine.coordinateKLineData().at(kLine.indicatorCrossPointNum());
    EXPECT_EQ(marked.date, date);
    EXPECT_EQ(crossHair(), (Point{marked.highestPiont.x, marked.closePiont.y}));
}

TEST_F(ChartManagerSimTest, shouldSwitchBackToTimeSharingAndOnToAnotherPeriod) {
    openChart();
    openMinutePeriod();
    ASSERT_TRUE(m_driver->tap(periodButton(10000)));
    EXPECT_EQ(m_chart->variableAboutDevice()->typeOfHQ(), 0u);
    EXPECT_EQ(m_chart->KLineRefresh(), nullptr);
    EXPECT_TRUE(m_driver->isVisible(m_chart->drawViewManagerFenShi()));
    EXPECT_DOUBLE_EQ(m_chart->drawViewManagerFenShi()->frame().x, 0);
    const int asked = quoteServer().requestCount(kManyDayKLine);
    // A second period within a second of the first is refused: tap until the lock opens.
    ASSERT_TRUE(RunLoop::runUntil(
        [&] {
            if (m_chart->currentButton() != periodButton(10002)) {
                m_driver->tap(periodButton(10002));
            }
            return quoteServer().requestCount(kManyDayKLine) > asked;
        },
        10));
    EXPECT_EQ(Fields{lastBodyOf(kManyDayKLine)}.at(6, 1), 2);  // "5分"
    EXPECT_EQ(m_chart->currentButton(), periodButton(10002));
    EXPECT_TRUE(RunLoop::runUntil([&] { return m_chart->KLineRefresh() != nullptr; }, 30));
}

// The two charts share one layout: a refresh or the end of a scroll of the chart not on show
// asks and times nothing, and the labels of the chart on show keep their texts.
TEST_F(ChartManagerSimTest, shouldDrawAndRefreshOnlyTheChartOnShow) {
    openChart();
    openMinutePeriod();
    ASSERT_TRUE(m_driver->tap(periodButton(10000)));
    ASSERT_TRUE(RunLoop::runUntil([&] { return !period()->KLineRequesting; }, 20));
    m_chart->getKLineDataFromNetWorkByButtonInfo();
    m_chart->stopKLineAutoRefresh(false);
    EXPECT_FALSE(period()->KLineRequesting);
    EXPECT_EQ(m_chart->KLineRefresh(), nullptr);

    ASSERT_TRUE(m_driver->tap(periodButton(10001)));
    const auto item = m_chart->searchCommodotyStatusItem();
    ASSERT_TRUE(
        RunLoop::runUntil([&] { return m_chart->KLineRefresh() && !item->FenShiRequesting; }, 30));
    const auto titles = [this] {
        std::vector<std::string> texts;
        for (const auto& label : m_chart->drawViewManagerKLine()->VerticalAxisMainData()) {
            texts.push_back(label->title);
        }
        return texts;
    };
    const auto kLineLabels = titles();
    m_chart->requestAllFenShi();
    EXPECT_FALSE(item->FenShiRequesting);
    EXPECT_EQ(titles(), kLineLabels);
}

// Taps within the lock: the last one decides what is lit, drawn, asked for and refreshed.
TEST_F(ChartManagerSimTest, shouldFollowTheLastOfQuickTapsBetweenPeriodsAndTimeSharing) {
    openChart();
    for (int tag : {10002, 10000, 10003}) {
        ASSERT_TRUE(m_driver->tap(periodButton(tag)));
    }
    EXPECT_EQ(m_chart->currentButton(), periodButton(10003));
    EXPECT_EQ(periodButton(10003)->currentTitle(), "15分");
    ASSERT_TRUE(RunLoop::runUntil(
        [&] {
            return m_chart->KLineRefresh() &&
                   !m_chart->drawViewManagerKLine()->coordinateKLineData().empty();
        },
        30));
    EXPECT_EQ(m_chart->variableAboutDevice()->typeOfHQ(), 1u);
    EXPECT_EQ(m_chart->FenShiRefresh(), nullptr);
    // The earlier 5分 request may reach the server after this one.
    bool asked = false;
    for (const auto& record : quoteServer().requestLog()) {
        asked = asked || (record.protocol == kManyDayKLine && Fields{record.body}.at(6, 1) == 3);
    }
    EXPECT_TRUE(asked);
    EXPECT_EQ(period()->periodItem->periodID, 3);
    EXPECT_EQ(m_chart->currentButton(), periodButton(10003));
}

// A press that switches nothing closes the period panel and leaves its arrow opening it again.
TEST_F(ChartManagerSimTest, shouldOpenThePeriodPanelAgainAfterAPressThatSwitchesNothing) {
    openChart();
    const auto panelOpensAgainAfter = [&](int tag) {
        EXPECT_TRUE(m_driver->tap(m_chart->quotaButton()));
        EXPECT_TRUE(m_driver->tap(periodButton(tag)));
        EXPECT_FALSE(m_driver->isVisible(m_chart->quotaView()));
        EXPECT_TRUE(m_chart->quotaButton()->isEnabled());
        EXPECT_TRUE(m_driver->tap(m_chart->quotaButton()));
        const bool opens = m_driver->isVisible(m_chart->quotaView());
        m_driver->tap(m_chart->quotaButton());
        return opens;
    };
    EXPECT_TRUE(panelOpensAgainAfter(10000)) << "分时 on show";
    openMinutePeriod();
    RunLoop::runFor(1.5);  // past the period lock
    EXPECT_TRUE(panelOpensAgainAfter(10001)) << "1分 on show";
    // That press renewed the lock: 5分 is refused.
    EXPECT_TRUE(panelOpensAgainAfter(10002)) << "within the period lock";
    EXPECT_EQ(m_chart->currentButton(), periodButton(10001));
}

TEST_F(ChartManagerSimTest, shouldClearTheRequestAfterAnEmptyIncrementalReply) {
    openChart();
    openMinutePeriod();
    const size_t held = heldBars().size();
    quoteServer().emptyNextKLine();
    const int asked = quoteServer().requestCount(kKLineProtocol);
    m_chart->KLineRefresh()->refreshNotify();
    ASSERT_TRUE(waitForRequest(kKLineProtocol, static_cast<size_t>(asked)));
    ASSERT_TRUE(RunLoop::runUntil([&] { return !period()->KLineRequesting; }, 20));
    EXPECT_EQ(heldBars().size(), held);
    EXPECT_FALSE(toastShows("暂无K线数据"));
    m_chart->KLineRefresh()->refreshNotify();
    EXPECT_TRUE(waitForRequest(kKLineProtocol, static_cast<size_t>(asked + 1)));
}

// A period without bars is told once while on show, though each refresh asks for it again; a new
// pick of a period tells again.
TEST_F(ChartManagerSimTest, shouldTellAPeriodWithoutBarsOncePerPick) {
    constexpr const char* kNoBars = "暂无K线数据";
    for (int periodID : {1, 2}) {
        quoteServer().setBarless(periodID, true);
    }
    openChart();
    const auto clearToasts = [&] {
        for (auto* toast : m_driver->viewsOfClass<UIViewToast>()) {
            toast->removeFromSuperview();
        }
    };
    const auto pickAndTell = [&](int tag) {
        RunLoop::runFor(1.2);  // past the lock that spaces period changes
        clearToasts();
        EXPECT_TRUE(m_driver->tap(periodButton(tag)));
        return RunLoop::runUntil([&] { return toastShows(kNoBars) && m_chart->KLineRefresh(); },
                                 20);
    };
    ASSERT_TRUE(pickAndTell(10001));
    clearToasts();
    for (int tick = 0; tick < 2; ++tick) {
        const int asked = quoteServer().requestCount(kManyDayKLine);
        m_chart->KLineRefresh()->refreshNotify();
        ASSERT_TRUE(waitForRequest(kManyDayKLine, static_cast<size_t>(asked)));
        ASSERT_TRUE(RunLoop::runUntil([&] { return !period()->KLineRequesting; }, 20));
        EXPECT_FALSE(toastShows(kNoBars)) << "refresh " << tick;
    }
    EXPECT_TRUE(pickAndTell(10002));
    EXPECT_TRUE(pickAndTell(10001));
}

TEST_F(ChartManagerSimTest, shouldRenewTheSessionAndAskForThePeriodsAgainAfter2003) {
    openChart();
    const auto before = m_chart->searchCommodotyStatusItem();
    quoteServer().answerSessionLostOnce(0);
    quoteServer().clearRequestLog();
    m_chart->FenShiRefresh()->refreshNotify();
    ASSERT_TRUE(RunLoop::runUntil(
        [&] {
            const auto item = m_chart->searchCommodotyStatusItem();
            return item != before && !m_chart->drawViewManagerFenShi()->fenShiData().empty();
        },
        20));
    const auto seen = protocols();
    ASSERT_GE(seen.size(), 6u);
    // The refused server-time step, the renewal with the exchange's zone, the periods, the day
    // from the start.
    EXPECT_EQ(std::vector<int>(seen.begin(), seen.begin() + 6),
              (std::vector<int>{35, 1, 2, 35, 31, kManyDayFenShi}));
    EXPECT_TRUE(m_chart->KLinePeriodNotEmpty());
}

// The keys and a session renewal on their way are requests of the chart out, until they end.
TEST_F(ChartManagerSimTest, shouldCountTheRoadsStepsOnTheirWay) {
    constexpr int kKeyList = 36;
    openChart();
    quoteServer().answerSessionLostOnce(kServerTime);
    for (const int held : {kKeyList, kLogin}) {
        quoteServer().holdRequests(held, true);
    }
    m_chart->requestZipSec();
    ASSERT_TRUE(RunLoop::runUntil([&] { return quoteServer().heldRequests(kKeyList) == 1; }, 20));
    EXPECT_EQ(m_chart->roadStepsOut(), 1);
    quoteServer().holdRequests(kKeyList, false);
    ASSERT_TRUE(RunLoop::runUntil([&] { return quoteServer().heldRequests(kLogin) == 1; }, 20));
    EXPECT_EQ(m_chart->roadStepsOut(), 1);
    quoteServer().holdRequests(kLogin, false);
    EXPECT_TRUE(RunLoop::runUntil([&] { return m_chart->roadStepsOut() == 0; }, 20));
}

// The period list coming again (after a renewal) keeps the bar's buttons: a press on one across
// it acts.
TEST_F(ChartManagerSimTest, shouldActOnAPeriodPressedAcrossThePeriodListsReply) {
    constexpr int kPeriods = 31;
    openChart();
    quoteServer().answerSessionLostOnce(kServerTime);
    quoteServer().holdRequests(kPeriods, true);
    m_chart->FenShiRefresh()->refreshNotify();
    ASSERT_TRUE(RunLoop::runUntil([&] { return quoteServer().heldRequests(kPeriods) == 1; }, 20));
    const WeakLink<Button> pressed = periodButton(10001);
    m_driver->longPress(m_driver->visibleRect(pressed.get()).center(), 0.3, [&] {
        quoteServer().holdRequests(kPeriods, false);
        EXPECT_TRUE(RunLoop::runUntil([&] { return m_chart->KLinePeriodNotEmpty(); }, 20));
        EXPECT_TRUE(pressed && pressed->isTracking() && pressed->isDescendantOf(m_window.get()));
    });
    EXPECT_TRUE(RunLoop::runUntil(
        [&] { return m_chart->variableAboutDevice()->typeOfHQ() == 1 && m_chart->KLineRefresh(); },
        20));
}

// A chart covered while its request is out asks for nothing when that request finds the session
// lost: no renewal, no reload, no refresh. Its next appearance starts the road, once.
TEST_F(ChartManagerSimTest, shouldAskNothingWhileCoveredAndStartOnceWhenShownAgain) {
    openChart();
    const auto before = m_chart->searchCommodotyStatusItem();
    quoteServer().answerSessionLostOnce(0);
    quoteServer().clearRequestLog();
    m_chart->FenShiRefresh()->refreshNotify();
    m_chart->stopRefreshControlCanBegin(false);
    ASSERT_TRUE(
        RunLoop::runUntil([&] { return m_chart->searchCommodotyStatusItem() != before; }, 20));
    EXPECT_EQ(m_chart->FenShiRefresh(), nullptr);
    m_chart->stopRefreshControlCanBegin(true);
    m_chart->requestZipSec();
    ASSERT_TRUE(RunLoop::runUntil(
        [&] {
            return !m_chart->drawViewManagerFenShi()->fenShiData().empty() &&
                   m_chart->FenShiRefresh() && !m_chart->MyActivity()->isAnimating();
        },
        20));
    EXPECT_EQ(protocols(), (std::vector<int>{kServerTime, 36, 31, kManyDayFenShi}));
    // A road that failed before the screen came back is not started a second time by the refresh.
    m_chart->stopRefreshControlCanBegin(false);
    quoteServer().failInTransport(36, true);
    m_chart->stopRefreshControlCanBegin(true);
    m_chart->requestZipSec();
    ASSERT_TRUE(RunLoop::runUntil([&] { return m_chart->FenShiRefresh() != nullptr; }, 20));
    quoteServer().failInTransport(36, false);
    const int minutes = quoteServer().requestCount(kFenShiProtocol);
    m_chart->requestZipSec();
    ASSERT_TRUE(waitForRequest(kFenShiProtocol, static_cast<size_t>(minutes)));
    ASSERT_TRUE(RunLoop::runUntil(
        [&] { return !m_chart->searchCommodotyStatusItem()->FenShiRequesting; }, 20));
    const int roads = quoteServer().requestCount(36);
    m_chart->FenShiRefresh()->refreshNotify();
    ASSERT_TRUE(waitForRequest(kFenShiProtocol, static_cast<size_t>(minutes + 1)));
    EXPECT_EQ(quoteServer().requestCount(36), roads);
}

// Another market of the same server that lists a commodity under the same number: the chart asks
// for, keeps and draws the chosen one's series all the same.
TEST_F(ChartManagerSimTest, shouldDrawTheChosenCommodityWhenAnotherMarketUsesItsNumber) {
    auto twin = std::make_shared<commodityInfo>(*m_commodity);
    twin->MarketID = 99;
    twin->CommodityName = "其他";
    auto disk = std::make_shared<DiskInfo>();
    disk->DiskID = m_commodity->DiskID;
    disk->commodityInfoArray = {twin};
    auto market = std::make_shared<MarketInfo>();
    market->MarketID = twin->MarketID;
    market->MarketIndex = m_commodity->panindex;
    market->diskInfoArray = {disk};
    auto& markets = m_catalogue.back()->MarketInfoArray;
    markets.insert(markets.begin(), market);
    openChart();
    EXPECT_EQ(m_chart->searchCommodotyStatusItem()->commodity, m_commodity);
    EXPECT_EQ(Fields{lastBodyOf(kManyDayFenShi)}.at(0, 2), m_commodity->MarketID);
}

// A lost session whose renewal fails, in transport or refused with 2003, takes the K-line chart's
// periods with it: the chart still refreshes, its next refresh starts the road again and draws the
// period once more, and a later 2003 renews the session again.
TEST_F(ChartManagerSimTest, shouldRefreshTheKLineChartAgainAfterTheSessionsRenewalFailed) {
    openChart();
    openMinutePeriod();
    const auto reloaded = [&] {
        return period() && !m_chart->drawViewManagerKLine()->coordinateKLineData().empty() &&
               m_chart->KLineRefresh();
    };
    quoteServer().answerSessionLostOnce(kKLineProtocol);
    quoteServer().failInTransport(kLogin, true);
    m_chart->KLineRefresh()->refreshNotify();
    ASSERT_TRUE(RunLoop::runUntil([&] { return toastShows("请求网络失败"); }, 20));
    quoteServer().failInTransport(kLogin, false);
    ASSERT_NE(m_chart->KLineRefresh(), nullptr);
    m_chart->KLineRefresh()->refreshNotify();
    ASSERT_TRUE(RunLoop::runUntil(reloaded, 20));

    quoteServer().answerSessionLostOnce(kKLineProtocol);
    quoteServer().answerSessionLostOnce(kServerTime);
    const int refused = quoteServer().requestCount(kServerTime);
    m_chart->KLineRefresh()->refreshNotify();
    ASSERT_TRUE(RunLoop::runUntil(
        [&] {
            return quoteServer().requestCount(kServerTime) > refused && !period() &&
                   m_chart->KLineRefresh();
        },
        20));
    m_chart->KLineRefresh()->refreshNotify();
    ASSERT_TRUE(RunLoop::runUntil(reloaded, 20));

    const int logins = quoteServer().requestCount(kLogin);
    quoteServer().answerSessionLostOnce(kKLineProtocol);
    m_chart->KLineRefresh()->refreshNotify();
    EXPECT_TRUE(waitForRequest(kLogin, static_cast<size_t>(logins)));
    ASSERT_TRUE(RunLoop::runUntil(reloaded, 20));

    // Another period chosen while the periods are gone: nothing to ask, yet the chart reloads.
    quoteServer().answerSessionLostOnce(kKLineProtocol);
    quoteServer().answerSessionLostOnce(kServerTime);
    m_chart->KLineRefresh()->refreshNotify();
    ASSERT_TRUE(RunLoop::runUntil([&] { return !period() && m_chart->KLineRefresh(); }, 20));
    RunLoop::runFor(1.2);  // past the lock that spaces period changes
    ASSERT_TRUE(m_driver->tap(periodButton(10002)));
    EXPECT_TRUE(RunLoop::runUntil(reloaded, 30));
}

TEST_F(ChartManagerSimTest, shouldShowAFailedLoadAndLoadItAtTheNextRefresh) {
    quoteServer().malformNext(kManyDayFenShi, SimMalform::CutBody);
    m_facts = std::make_unique<DeviceFacts>(true);
    m_screen = std::make_unique<Screen>(Size{320, 568}, 1);
    m_window = std::make_unique<Window>(m_screen->bounds());
    m_window->makeKeyAndVisible();
    m_driver = std::make_unique<ScreenDriver>(*m_screen);
    m_chart = std::make_shared<HQMarketChartManager>(m_catalogue, m_commodity, 0, 0, "", "",
                                                     std::make_shared<YiKouJia>());
    m_window->addSubview(m_chart);
    m_chart->requestZipSec();
    ASSERT_TRUE(RunLoop::runUntil([&] { return toastShows("请求网络失败"); }, 20));
    EXPECT_FALSE(m_chart->MyActivity()->isAnimating());
    ASSERT_NE(m_chart->FenShiRefresh(), nullptr);
    m_chart->FenShiRefresh()->refreshNotify();
    EXPECT_TRUE(RunLoop::runUntil(
        [&] { return !m_chart->drawViewManagerFenShi()->fenShiData().empty(); }, 20));
    EXPECT_EQ(quoteServer().requestCount(kManyDayFenShi), 2);
}

// A failed day request, after a switch back to time-sharing or when the screen comes back,
// leaves the time-sharing chart refreshing, as a failed K-line load leaves its chart.
// A refresh beat that comes while the last time-sharing request is still out asks nothing more:
// the answer out brings the minutes.
TEST_F(ChartManagerSimTest, shouldNotAskTheMinutesAgainWhileTheLastRequestIsOut) {
    openChart();
    const auto item = m_chart->searchCommodotyStatusItem();
    const int before = quoteServer().requestCount(kFenShiProtocol);
    m_chart->FenShiRefresh()->refreshNotify();
    m_chart->FenShiRefresh()->refreshNotify();
    ASSERT_TRUE(waitForRequest(kFenShiProtocol, static_cast<size_t>(before)));
    ASSERT_TRUE(RunLoop::runUntil([&] { return !item->FenShiRequesting; }, 20));
    RunLoop::runFor(1, [&] { return quoteServer().requestCount(kFenShiProtocol) > before + 1; });
    EXPECT_EQ(quoteServer().requestCount(kFenShiProtocol), before + 1);
}

// The chart stays open over the exchange's midnight (the simulated day starts trading at 00:00).
TEST_F(ChartManagerSimTest, shouldDrawTheNewDayFromItsFirstMinuteWhenTheExchangesDayTurns) {
    openChart();
    HQDrawManager& fenShi = *m_chart->drawViewManagerFenShi();
    const auto refreshAfter = [&](int64_t minutes) {
        sim().clock().advance(minutes * 60 * 1000);
        const int before = quoteServer().requestCount(kFenShiProtocol);
        m_chart->FenShiRefresh()->refreshNotify();
        ASSERT_TRUE(waitForRequest(kFenShiProtocol, static_cast<size_t>(before)));
        ASSERT_TRUE(RunLoop::runUntil(
            [&] { return !m_chart->searchCommodotyStatusItem()->FenShiRequesting; }, 20));
    };
    refreshAfter(9 * 60 + 27);  // 14:30 to 23:57
    ASSERT_EQ(fenShi.FenShiDataItemArray().back()->fenShiTime, "2357");
    // A cross-hair on a minute of the day that ends goes with it.
    tapChart(fenShi, 0.9);
    ASSERT_TRUE(fenShi.showIndicatorCross());
    refreshAfter(4);
    EXPECT_FALSE(fenShi.showIndicatorCross());
    EXPECT_EQ(m_chart->variableAboutDevice()
                  ->currentShowDataLayerInfo()
                  ->MainCurrentDataItemArray.front()
                  ->dataString,
              "00:01");
    const auto& minutes = fenShi.FenShiDataItemArray();
    ASSERT_FALSE(minutes.empty());
    EXPECT_EQ(minutes.size(), 2u);
    EXPECT_EQ(minutes.front()->fenShiTime, "0000");
    const auto& points = fenShi.fenShiData();
    ASSERT_EQ(points.size(), minutes.size());
    for (size_t i = 1; i < points.size(); ++i) {
        EXPECT_GT(points[i]->fenshiPoint->x, points[i - 1]->fenshiPoint->x) << i;
    }
}

TEST_F(ChartManagerSimTest, shouldRefreshTheTimeSharingChartAgainAfterItsDayRequestFailed) {
    openChart();
    openMinutePeriod();
    quoteServer().failInTransport(kFenShiProtocol, true);
    ASSERT_TRUE(m_driver->tap(periodButton(10000)));
    EXPECT_TRUE(RunLoop::runUntil([&] { return m_chart->FenShiRefresh() != nullptr; }, 20));
    EXPECT_TRUE(toastShows("请求网络失败"));
    // The refresh failing again while the message shows leaves one message, not two.
    const auto item = m_chart->searchCommodotyStatusItem();
    m_chart->FenShiRefresh()->refreshNotify();
    ASSERT_TRUE(item->FenShiRequesting);
    ASSERT_TRUE(RunLoop::runUntil([&] { return !item->FenShiRequesting; }, 20));
    EXPECT_EQ(m_driver->viewsOfClass<UIViewToast>().size(), 1u);

    // Covered and shown again, as the quote screen tells it.
    m_chart->stopRefreshControlCanBegin(false);
    m_chart->stopRefreshControlCanBegin(true);
    m_chart->requestZipSec();
    EXPECT_TRUE(RunLoop::runUntil(
        [&] { return m_chart->FenShiRefresh() && !m_chart->MyActivity()->isAnimating(); }, 20));
    quoteServer().failInTransport(kFenShiProtocol, false);
}

// The answers of a commodity left behind, failed or not, change nothing on screen while the
// next one loads: no message, and its loading indicator runs until its own day is drawn.
TEST_F(ChartManagerSimTest, shouldLeaveTheNextCommodityLoadingWhenTheOneLeftAnswers) {
    openChart();
    const auto rows = m_chart->getCommodityInfoArrayBySection(0);
    const auto& drawn = m_chart->drawViewManagerFenShi()->FenShiDataItemArray();
    for (const bool spoiled : {true, false}) {
        const int next = spoiled ? 2 : 3;
        quoteServer().line(0).setDelayMs(1000);
        if (spoiled) {
            quoteServer().malformNext(kManyDayFenShi, SimMalform::CutBody);
        }
        m_chart->changeCommodityWithIndexPath(0, 1);
        RunLoop::runFor(0.6);
        m_chart->changeCommodityWithIndexPath(0, next);
        bool disturbed = false;
        ASSERT_TRUE(RunLoop::runUntil(
            [&] {
                const bool loaded =
                    !drawn.empty() && drawn.back()->commodityTag == rows[next]->CommodityID;
                disturbed = disturbed || (!loaded && (toastShows("请求网络失败") ||
                                                      !m_chart->MyActivity()->isAnimating()));
                return loaded;
            },
            30));
        quoteServer().line(0).setDelayMs(0);
        EXPECT_FALSE(disturbed) << (spoiled ? "failed" : "answered");
        RunLoop::runFor(0.6);
    }
}

// A late day of a commodity left behind is kept in that commodity's own price format, for when
// it shows again, not in the format of the one on show when it came.
TEST_F(ChartManagerSimTest, shouldKeepALateDayOfACommodityLeftInItsOwnFormat) {
    openChart();
    const auto rows = m_chart->getCommodityInfoArrayBySection(0);
    ASSERT_NE(rows[1]->leastPrice, rows[3]->leastPrice);
    quoteServer().line(0).setDelayMs(1000);
    m_chart->changeCommodityWithIndexPath(0, 1);
    RunLoop::runFor(0.6);
    m_chart->changeCommodityWithIndexPath(0, 3);
    const auto left = m_chart->variableAboutDevice()->searchCommodotyStatusItemByNumbers(
        rows[1]->MarketID, rows[1]->DiskID, rows[1]->CommodityID, rows[1]->panindex);
    ASSERT_TRUE(RunLoop::runUntil([&] { return !left->FenShiDataArray.empty(); }, 30));
    quoteServer().line(0).setDelayMs(0);
    const auto& minutes = left->FenShiDataArray.front()->tradingDayNumArray.front();
    ASSERT_FALSE(minutes->fenShiDataItemArray.empty());
    const FenShiDataItem& newest = *minutes->fenShiDataItemArray.back();
    EXPECT_EQ(newest.ShowPrice, chartscale::priceText(newest.price, rows[1]->leastPrice));
    // The shown commodity's history download ends before the test does.
    EXPECT_TRUE(RunLoop::runUntil([&] { return !m_chart->MyActivity()->isAnimating(); }, 20));
}

TEST_F(ChartManagerSimTest, shouldDrawTheStoredBarsAgainAfterARestart) {
    openChart();
    openMinutePeriod();
    std::vector<int64_t> dates;
    for (const auto& bar : heldBars()) {
        dates.push_back(bar->date);
    }
    closeChart();
    openChart();
    ASSERT_TRUE(m_driver->tap(periodButton(10001)));
    // Drawn from the store at once, before any reply.
    std::vector<int64_t> again;
    for (const auto& bar : heldBars()) {
        again.push_back(bar->date);
    }
    EXPECT_EQ(again, dates);
    EXPECT_FALSE(m_chart->drawViewManagerKLine()->coordinateKLineData().empty());
    EXPECT_TRUE(RunLoop::runUntil([&] { return !period()->KLineRequesting; }, 20));
}

TEST_F(ChartManagerSimTest, shouldBeFreedWhenClosedWithARequestOut) {
    openChart();
    std::weak_ptr<HQMarketChartManager> gone = m_chart;
    m_chart->FenShiRefresh()->refreshNotify();
    const int asked = quoteServer().requestCount(kFenShiProtocol);
    closeChart();
    EXPECT_TRUE(RunLoop::runUntil([&] { return gone.expired(); }, 5));
    RunLoop::runFor(1);
    EXPECT_LE(quoteServer().requestCount(kFenShiProtocol), asked + 1);
}

struct ScreenCase {
    const char* name;
    bool fourInch;
    uint32_t state;
};

class ChartManagerSnapshotTest : public ChartManagerSimTest,
                                 public ::testing::WithParamInterface<ScreenCase> {};

TEST_P(ChartManagerSnapshotTest, shouldShowThePeriodPanelOpen) {
    const ScreenCase c = GetParam();
    openChart(c.fourInch);
    if (c.state == kWide) {
        m_screen = std::make_unique<Screen>(Size{c.fourInch ? 568.0 : 480.0, 320}, 1);
        m_window = std::make_unique<Window>(m_screen->bounds());
        m_window->setRootViewController(std::make_unique<WideController>());
        m_window->setBackgroundColor(Color::blackColor());
        m_window->makeKeyAndVisible();
        m_driver = std::make_unique<ScreenDriver>(*m_screen);
        m_window->addSubview(m_chart);
        m_chart->setScreenState(kWide);
        m_chart->setFrame(Rect{0, 0, m_chart->frame().width, m_chart->frame().height});
    }
    openMinutePeriod();
    auto quote = std::make_shared<YiKouJia>();
    quote->newPrice = 5190.5;
    quote->addPrice = 12.25;
    quote->zhangfuStr = "+0.24%";
    quote->textColor = Color::redColor();
    m_chart->setYiKouJiaByYiKouJiaItem(quote);
    if (c.state == kWide) {
        EXPECT_TRUE(m_driver->isVisible(m_chart->yikoujiaView()));
        EXPECT_EQ(m_chart->AddPriceLabel()->text(),
                  "+" + chartscale::priceText(12.25, m_commodity->leastPrice));
    }
    ASSERT_TRUE(m_driver->tap(m_chart->quotaButton()));
    EXPECT_TRUE(m_driver->isVisible(m_chart->quotaView()));
    EXPECT_TRUE(m_driver->isVisible(periodButton(10009)));
    EXPECT_TRUE(
        m_driver->saveSnapshot(std::string(VKJY_SNAPSHOT_DIR) + "/manager_" + c.name + ".png"));
}

INSTANTIATE_TEST_SUITE_P(Screens, ChartManagerSnapshotTest,
                         ::testing::Values(ScreenCase{"4in_normal", true, kNormal},
                                           ScreenCase{"35in_normal", false, kNormal},
                                           ScreenCase{"4in_wide", true, kWide},
                                           ScreenCase{"35in_wide", false, kWide}),
                         [](const auto& info) { return std::string(info.param.name); });

// Many-day history: the files a first reply names, joined on the main thread.
class ChartHistorySimTest : public ChartManagerSimTest {
protected:
    static std::string localDay(int64_t ms) {
        return DateFormat("yyyyMMdd", DateFormat::Zone::fixed(8 * 3600))
            .format(static_cast<double>(ms / 1000));
    }

    // The simulator's 1-minute bars from the first held bar on.
    std::vector<SimBar> simBarsFromFirstHeld() {
        std::vector<SimBar> bars;
        const int64_t first = heldBars().front()->date;
        for (const SimBar& bar : sim().market().bars(0, m_commodity->CommodityID, 1)) {
            if (bar.date >= first && bar.date <= heldBars().back()->date) {
                bars.push_back(bar);
            }
        }
        return bars;
    }

    std::string minuteFile(const std::string& day) {
        return sim().historyFiles().kLineName(m_commodity->CommodityID, 1, day, std::stoi(day));
    }

    static std::string dayLog() {
        std::string text;
        const auto folder = Paths::join(Paths::documents(), DayLog::kDirectoryName);
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            std::ifstream file(entry.path());
            text += std::string(std::istreambuf_iterator<char>(file), {});
        }
        return text;
    }

    void expectDrawnAsHeld() {
        const auto* series = std::get_if<std::vector<std::shared_ptr<ReturnKLineData>>>(
            &m_chart->drawViewManagerKLine()->drawData());
        ASSERT_TRUE(series && !series->empty());
        const auto& drawn = series->front()->klineDataItemsArray;
        ASSERT_EQ(drawn.size(), heldBars().size());
        EXPECT_EQ(drawn.front()->date, heldBars().front()->date);
        EXPECT_EQ(drawn.back()->date, heldBars().back()->date);
    }
};

TEST_F(ChartHistorySimTest, shouldJoinTheNewestFilesOncePerDateAndStoreWhatItDraws) {
    openChart();
    // The day so far: the file's minutes, then the reply's, each minute once.
    const auto& minutes = m_chart->drawViewManagerFenShi()->fenShiData();
    EXPECT_GT(minutes.size(), 600u);
    openMinutePeriod();
    const auto held = heldBars();
    ASSERT_GT(held.size(), 600u);
    // Every simulator bar over the held range is held once, with its close.
    const auto bars = simBarsFromFirstHeld();
    ASSERT_EQ(held.size(), bars.size());
    for (size_t i = 0; i < held.size(); ++i) {
        ASSERT_EQ(held[i]->date, bars[i].date) << i;
    }
    // The four newest files: back to three days before the newest.
    EXPECT_EQ(localDay(held.front()->date), "20261130");  // the oldest file's 30 earlier bars
    expectHeldAsStored();
    expectDrawnAsHeld();
    EXPECT_TRUE(m_driver->saveSnapshot(std::string(VKJY_SNAPSHOT_DIR) + "/history_long_568.png"));
}

TEST_F(ChartHistorySimTest, shouldKeepTheReplyAndTheOtherFilesWhenOneFileIsDamaged) {
    // The second newest of the four files the first 1-minute reply names.
    const std::string damaged = minuteFile("20261203");
    quoteServer().damageHistoryFile(damaged, true);
    openChart(false);
    openMinutePeriod();
    EXPECT_NE(dayLog().find("history file " + damaged + ": cannot be inflated"), std::string::npos);
    const auto held = heldBars();
    std::map<std::string, size_t> perDay;
    for (size_t i = 0; i < held.size(); ++i) {
        ++perDay[localDay(held[i]->date)];
        if (i > 0) {
            ASSERT_LT(held[i - 1]->date, held[i]->date) << i;
        }
    }
    // Only the 30 bars that the newest file repeats are left of the damaged day.
    EXPECT_EQ(perDay["20261203"], 30u);
    EXPECT_EQ(perDay["20261202"], 1440u);
    EXPECT_GT(perDay["20261204"], 600u);
    expectHeldAsStored();
    expectDrawnAsHeld();
    EXPECT_TRUE(
        m_driver->saveSnapshot(std::string(VKJY_SNAPSHOT_DIR) + "/history_damaged_480.png"));
}

TEST_F(ChartHistorySimTest, shouldDrawTheRepliesMinutesWhenTheDaysFileIsDamaged) {
    const std::string file = sim().historyFiles().fenShiName(m_commodity->CommodityID, "20261204");
    quoteServer().damageHistoryFile(file, true);
    openChart();
    EXPECT_EQ(m_chart->drawViewManagerFenShi()->fenShiData().size(), 30u);
    EXPECT_NE(dayLog().find("history file " + file + ": cannot be inflated"), std::string::npos);
    EXPECT_FALSE(m_chart->MyActivity()->isAnimating());
}

// Late answers for the minute period, after 5分 was chosen: its history is dropped while a newer
// minute request is out, and none of them ends the loading of 5分.
TEST_F(ChartHistorySimTest, shouldDropHistoryOnlyWhileItsOwnPeriodAsksAgain) {
    openChart();
    openMinutePeriod();
    const auto minutePeriod = period();
    const auto heldBefore = minutePeriod->KLineDataArray;
    const auto reply = std::make_shared<ReturnKLineData>(*heldBefore.front());
    reply->klineDataItemsArray.erase(reply->klineDataItemsArray.begin(),
                                     reply->klineDataItemsArray.end() - 10);
    auto package = std::make_shared<SubmissionPackage>();
    package->MarketID = std::to_string(m_commodity->MarketID);
    package->DiskID = std::to_string(m_commodity->DiskID);
    package->CommodityID = std::to_string(m_commodity->CommodityID);
    package->period = "1";
    package->panleix = 0;
    package->klineRequestType = "klineRequestFirst";
    // The line answers late, so 5分 is still loading when the minute answers come.
    quoteServer().line(0).setDelayMs(1000);
    ASSERT_TRUE(m_driver->tap(periodButton(10000)));
    ASSERT_TRUE(m_driver->tap(periodButton(10002)));
    ASSERT_TRUE(m_chart->MyActivity()->isAnimating());
    m_chart->KLineResetDrawData({std::make_shared<ReturnKLineData>()}, package);
    EXPECT_TRUE(m_chart->MyActivity()->isAnimating());
    minutePeriod->KLineRequesting = true;
    // No files to fetch: the stale history is judged at once.
    const auto stale = std::make_shared<ReturnKLineData>(*reply);
    stale->URLArray.clear();
    m_chart->requestMoreKLineData({stale}, package);
    bool endedEarly = false;
    ASSERT_TRUE(RunLoop::runUntil(
        [&] {
            const auto shown = period();
            const bool loaded = shown != minutePeriod && !shown->KLineDataArray.empty() &&
                                !shown->KLineDataArray.front()->klineDataItemsArray.empty();
            endedEarly = endedEarly || (!loaded && !m_chart->MyActivity()->isAnimating());
            return loaded;
        },
        30));
    quoteServer().line(0).setDelayMs(0);
    EXPECT_FALSE(endedEarly);
    EXPECT_EQ(minutePeriod->KLineDataArray, heldBefore);

    minutePeriod->KLineRequesting = false;
    m_chart->requestMoreKLineData({reply}, package);
    ASSERT_TRUE(RunLoop::runUntil([&] { return minutePeriod->KLineDataArray != heldBefore; }, 20));
    EXPECT_GT(minutePeriod->KLineDataArray.front()->klineDataItemsArray.size(), 1440u);
}
