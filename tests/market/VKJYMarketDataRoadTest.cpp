#include <gtest/gtest.h>

#include <algorithm>

#include "market/VKJYMarketDataRoad.h"
#include "market/VKJYMarketDataRoadListener.h"
#include "platform/foundation/RunLoop.h"
#include "quote/HQJYEntity.h"
#include "quote/HQNetworkManger.h"
#include "quote/QuoteRecords.h"
#include "quote/SubmissionPackage.h"
#include "quote/VKJYHangQingDataClass.h"
#include "support/SimExchangeFixture.h"

namespace {
constexpr int kTradingTimeProtocol = 12;

class Listener : public VKJYMarketDataRoadListener {
public:
    int completions = 0;
    int failures = 0;
    void marketRoadCatalogueComplete() override { ++completions; }
    void marketRoadFailed() override { ++failures; }
};
}  // namespace

class VKJYMarketDataRoadTest : public SimExchangeFixture {
protected:
    void SetUp() override {
        SimExchangeFixture::SetUp();
        state->setLineResolver([this](int server) { return sim().quoteLineUrls(server); });
        state->setHqjyEntity(std::make_shared<HQJYEntity>());
        VKJYHangQingDataClass::setCurrent(state);
        road->setListener(&listener);
    }
    void TearDown() override {
        road->setListener(nullptr);
        VKJYHangQingDataClass::setCurrent(nullptr);
        SimExchangeFixture::TearDown();
    }
    bool runUntilBuilt() {
        return RunLoop::runUntil([this] { return !road->isBusy(); }, 10);
    }

    std::shared_ptr<VKJYHangQingDataClass> state = std::make_shared<VKJYHangQingDataClass>();
    std::vector<int> servers{0, 1};
    std::shared_ptr<VKJYMarketDataRoad> road = std::make_shared<VKJYMarketDataRoad>(
        VKJYMarketDataRoad::Setup{state, [this] { return servers; }, {}});
    Listener listener;
};

TEST_F(VKJYMarketDataRoadTest, shouldBuildOneCatalogueWhenARetryOvertakesTheFirstBuild) {
    road->start();
    road->retry();
    ASSERT_TRUE(runUntilBuilt());
    EXPECT_EQ(listener.completions, 1);
    EXPECT_EQ(road->catalogue().markets().size(), 3u);
    EXPECT_EQ(road->catalogue().sections().size(), 6u);
    EXPECT_EQ(road->catalogue().commodityCount(), 18);
    EXPECT_EQ(state->hqjyEntity()->commodityInfoArray().size(), 1u);
    // A touch on the bare screen builds nothing more once there is a catalogue.
    road->startIfIdle();
    EXPECT_FALSE(road->isBuilding());
}

TEST_F(VKJYMarketDataRoadTest, shouldKnowEachPanelsTradingTimeOnceEveryPanelAnswered) {
    road->start();
    ASSERT_TRUE(runUntilBuilt());
    EXPECT_FALSE(road->isTimeEnd());
    road->requestJYTime();
    ASSERT_TRUE(RunLoop::runUntil([this] { return road->isTimeEnd(); }, 10));
    const auto& first = road->catalogue().sections().front().disk->commodityInfoArray.front();
    ASSERT_TRUE(state->panelTradingStart(*first));
    EXPECT_GT(*state->panelTradingStart(*first), 0);
    commodityInfo elsewhere = *first;
    elsewhere.DiskID = 99;
    EXPECT_FALSE(state->panelTradingStart(elsewhere));
}

TEST_F(VKJYMarketDataRoadTest, shouldTakeQuotesIntoTheTradingSidesTableOnEveryTick) {
    road->start();
    ASSERT_TRUE(runUntilBuilt());
    road->refrashYiKouJia();
    // The first tick comes a period after the list shows, not at once.
    EXPECT_EQ(road->timerCount(), 0);
    ASSERT_TRUE(RunLoop::runUntil([this] { return road->timerCount() == 1; }, 3));
    ASSERT_TRUE(RunLoop::runUntil(
        [this] {
            const auto& table = state->hqjyEntity()->commodityYiKouJiaArray();
            return std::all_of(table.begin(), table.end(), [](const auto& q) { return q; }) &&
                   !table.empty();
        },
        10));
    EXPECT_EQ(state->hqjyEntity()->commodityYiKouJiaArray().size(), 18u);
    commodityInfo platinum;
    platinum.CommodityID = 300;
    platinum.MarketID = 1;
    platinum.DiskID = 1;
    EXPECT_NE(state->hqjyEntity()->getHQyikoujiaWithCode(platinum), nullptr);
}

TEST_F(VKJYMarketDataRoadTest, shouldReportADeadServerOnceAndStopBuilding) {
    for (int server = 0; server < 2; ++server) {
        for (std::size_t line = 0; line < sim().quoteServer(server).lineCount(); ++line) {
            sim().quoteServer(server).line(line).refuse();
        }
    }
    road->start();
    ASSERT_TRUE(runUntilBuilt());
    EXPECT_EQ(listener.failures, 1);
    EXPECT_TRUE(road->catalogue().empty());
    road->startIfIdle();
    EXPECT_FALSE(road->isBuilding());
}

// Every panel answers with a return code: markets without a commodity are a failure, not a list.
TEST_F(VKJYMarketDataRoadTest, shouldReportAFailureWhenNoPanelGaveItsCommodities) {
    constexpr int kCommodityListProtocol = 11;
    for (int server = 0; server < 2; ++server) {
        for (const auto& market : sim().catalogue().server(server)->markets) {
            for (std::size_t disk = 0; disk < market.disks.size(); ++disk) {
                sim().quoteServer(server).answerSessionLostOnce(kCommodityListProtocol);
            }
        }
    }
    road->start();
    ASSERT_TRUE(runUntilBuilt());
    EXPECT_EQ(listener.failures, 1);
    EXPECT_EQ(listener.completions, 0);
    EXPECT_TRUE(road->catalogue().empty());
    road->retry();
    ASSERT_TRUE(runUntilBuilt());
    EXPECT_EQ(listener.completions, 1);
    EXPECT_EQ(road->catalogue().commodityCount(), 18);
}

// One server's market list answered with a return code: its markets would be missing without a
// word, so the build fails and a retry gives the whole catalogue.
TEST_F(VKJYMarketDataRoadTest, shouldReportAFailureWhenAServersMarketListIsRefused) {
    constexpr int kMarketListProtocol = 10;
    sim().quoteServer(1).answerSessionLostOnce(kMarketListProtocol);
    road->start();
    ASSERT_TRUE(runUntilBuilt());
    EXPECT_EQ(listener.failures, 1);
    EXPECT_TRUE(road->catalogue().empty());
    road->retry();
    ASSERT_TRUE(runUntilBuilt());
    EXPECT_EQ(listener.completions, 1);
    EXPECT_EQ(road->catalogue().commodityCount(), 18);
}

// Every trading-time request lost on the way: the batch still ends, with one failure report.
TEST_F(VKJYMarketDataRoadTest, shouldEndTheTradingTimeBatchWhenItsLastRequestFailsOnTheWay) {
    road->start();
    ASSERT_TRUE(runUntilBuilt());
    for (int server = 0; server < 2; ++server) {
        sim().quoteServer(server).failInTransport(kTradingTimeProtocol, true);
    }
    road->requestJYTime();
    ASSERT_TRUE(RunLoop::runUntil([this] { return listener.failures > 0; }, 20));
    EXPECT_TRUE(RunLoop::runUntil([this] { return road->isTimeEnd(); }, 20));
    EXPECT_EQ(listener.failures, 1);
    const auto& first = road->catalogue().sections().front().disk->commodityInfoArray.front();
    EXPECT_FALSE(state->panelTradingStart(*first));
}

// The failure alert's retry starts a new build: a trading time of the old one failing late
// raises no second alert.
TEST_F(VKJYMarketDataRoadTest, shouldIgnoreALateTradingTimeFailureOfTheBuildBeforeARetry) {
    road->start();
    ASSERT_TRUE(runUntilBuilt());
    for (int server = 0; server < 2; ++server) {
        sim().quoteServer(server).failInTransport(kTradingTimeProtocol, true);
    }
    for (std::size_t line = 0; line < sim().quoteServer(1).lineCount(); ++line) {
        sim().quoteServer(1).line(line).setDelayMs(300);
    }
    road->requestJYTime();
    ASSERT_TRUE(RunLoop::runUntil([this] { return listener.failures > 0; }, 20));
    road->retry();
    // Long enough for the slow server's failures to come in over all its lines.
    RunLoop::runFor(3, [this] { return listener.failures > 1; });
    EXPECT_EQ(listener.failures, 1);
}

// A session renewal sent before "重试" that then fails on the way belongs to the build the retry
// replaced: it neither reports a second failure nor ends the new build.
TEST_F(VKJYMarketDataRoadTest, shouldIgnoreARenewalOfTheBuildBeforeARetryFailingLate) {
    constexpr int kServerProtocol = 1;
    constexpr int kAllQuotesProtocol = 37;
    road->start();
    ASSERT_TRUE(runUntilBuilt());
    sim().quoteServer(1).failInTransport(kServerProtocol, true);
    for (std::size_t line = 0; line < sim().quoteServer(1).lineCount(); ++line) {
        sim().quoteServer(1).line(line).setDelayMs(300);
    }
    sim().quoteServer(0).answerSessionLostOnce(kAllQuotesProtocol);
    road->requestAllCommodityYiKouJia();
    ASSERT_TRUE(RunLoop::runUntil([this] { return road->isBusy(); }, 10));
    servers = {0};
    road->retry();
    ASSERT_TRUE(RunLoop::runUntil([this] { return !road->isBusy(); }, 20));
    EXPECT_EQ(listener.failures, 0);
    EXPECT_EQ(listener.completions, 2);
}

// On a slow line the refresh ticks overtake their answers: a panel's answer to an older tick that
// comes after a newer tick's does not put the older prices back (in the list or for trading).
TEST_F(VKJYMarketDataRoadTest, shouldKeepANewerTicksQuotesWhenAnOlderTicksAnswerComesLater) {
    road->start();
    ASSERT_TRUE(runUntilBuilt());
    road->requestAllCommodityYiKouJia();
    road->requestAllCommodityYiKouJia();
    const auto commodity = road->catalogue().sections().front().disk->commodityInfoArray.front();
    std::vector<std::weak_ptr<HQNetworkManger>> managers;
    const auto answer = [&](int tick, double price) {
        auto package = std::make_shared<SubmissionPackage>();
        package->MarketID = std::to_string(commodity->MarketID);
        package->DiskID = std::to_string(commodity->DiskID);
        package->yikoujiaCount = tick;
        auto manager = HQNetworkManger::create();
        manager->needDataFromNetWork(package, "allyikoujia", commodity->panindex);
        managers.push_back(manager);
        auto quote = std::make_shared<YiKouJia>();
        quote->MarketID = commodity->MarketID;
        quote->DiskID = commodity->DiskID;
        quote->commodityNum = commodity->CommodityID;
        quote->hpIndex = commodity->panindex;
        quote->newPrice = price;
        road->finished({VKJYMarketDataRoad::Kind::Quotes, 0, 0, commodity->panindex}, *manager,
                       std::vector<std::shared_ptr<YiKouJia>>{quote});
    };
    answer(2, 12.5);
    answer(1, 11.5);
    EXPECT_EQ(road->catalogue().currentYiKouJia(*commodity)->newPrice, 12.5);
    const auto traded = state->hqjyEntity()->getHQyikoujiaWithCode(*commodity);
    ASSERT_NE(traded, nullptr);
    EXPECT_EQ(traded->newPrice, 12.5);
    EXPECT_TRUE(RunLoop::runUntil(
        [&] {
            return std::all_of(managers.begin(), managers.end(),
                               [](auto& m) { return m.expired(); });
        },
        10));
}
