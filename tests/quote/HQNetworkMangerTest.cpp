#include <gtest/gtest.h>

#include <chrono>

#include "platform/foundation/MainQueue.h"
#include "platform/foundation/RunLoop.h"
#include "quote/HQDataBase.h"
#include "quote/HQDataCache.h"
#include "quote/QuoteSimTest.h"

namespace {
using Markets = std::vector<std::shared_ptr<MarketItem>>;
using Quotes = std::vector<std::shared_ptr<YiKouJia>>;
using Series = std::vector<std::shared_ptr<ReturnKLineData>>;
using FenShi = std::vector<std::shared_ptr<CommodityFenShiDataItem>>;

constexpr int64_t kTodayStart = 1796313600000;  // 2026-12-04 00:00 at UTC+8, the sim's day

double price(int64_t units, int decimals) {
    double value = static_cast<double>(units);
    for (int i = 0; i < decimals; ++i) {
        value /= 10;
    }
    return value;
}
}  // namespace

TEST_F(QuoteSimTest, shouldRunSessionChainAndDeliverMarketListAsJyspaninfo) {
    const QuoteCall call = request(nullptr, "shiChangXinXi", 0);
    ASSERT_EQ(call.kind, QuoteCall::Finished);
    EXPECT_EQ(call.typeNW, "jyspaninfo");
    const auto markets = dataOf<Markets>(call);
    ASSERT_EQ(markets.size(), 1u);
    const auto& list = markets[0]->MarketInfoArray;
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0]->MarketID, 1);
    EXPECT_EQ(list[0]->MarketIndex, 0);
    ASSERT_EQ(list[0]->diskInfoArray.size(), 5u);
    EXPECT_EQ(list[0]->diskInfoArray[2]->ownDiskID, 1);
    EXPECT_EQ(list[0]->diskInfoArray[3]->DiskType, 0);
    EXPECT_EQ(m_state->severProtocol().requestDataTime, SimQuoteServer::kRequestDataTime);
    EXPECT_NE(m_state->sessionForServer(0), 0u);
    EXPECT_EQ(sim().quoteServer(0).requestCount(1), 1);
    EXPECT_EQ(sim().quoteServer(0).requestCount(2), 1);
    EXPECT_EQ(sim().quoteServer(0).requestCount(10), 1);
    // The log-in asks the server time, so the exchange's zone is known before any chart asks.
    EXPECT_EQ(sim().quoteServer(0).requestCount(35), 1);
    EXPECT_EQ(call.exchangeUtcOffsetMinutes, sim().market().utcOffsetMinutes());
    // The counter moves after the delegate has seen the reply.
    EXPECT_EQ(call.jyspanInfoCount, 0);
    EXPECT_EQ(m_state->jyspanInfoCount(), 1);
}

TEST_F(QuoteSimTest, shouldReadThePackageOnlyWhenTheRequestStarts) {
    logIn(0);
    auto package = panel(9, 9);
    auto recorder = std::make_shared<QuoteRecorder>(m_state);
    auto manager = HQNetworkManger::create();
    manager->setDelegate(recorder);
    manager->needDataFromNetWork(package, "shiChangXinXix", 0);
    std::weak_ptr<HQNetworkManger> watched = manager;
    manager.reset();
    package->MarketID = "1";
    package->DiskID = "1";
    EXPECT_TRUE(recorder->calls.empty());
    ASSERT_TRUE(RunLoop::runUntil([&] { return !recorder->calls.empty(); }, 30));
    const auto markets = dataOf<Markets>(recorder->calls[0]);
    ASSERT_EQ(markets.size(), 1u);
    EXPECT_EQ(markets[0]->MarketInfoArray[0]->diskInfoArray[0]->commodityInfoArray.size(), 6u);
    EXPECT_EQ(recorder->calls[0].package, package);
    EXPECT_EQ(recorder->calls[0].marketInfoCount, 0);
    EXPECT_EQ(m_state->marketInfoCount(), 1);
    // One callback only, and the manager lets go of itself and its delegate afterwards.
    RunLoop::runUntil([&] { return watched.expired(); }, 5);
    EXPECT_TRUE(watched.expired());
    EXPECT_EQ(recorder.use_count(), 1);
    EXPECT_EQ(recorder->calls.size(), 1u);
}

TEST_F(QuoteSimTest, shouldParseCatalogueAndTradingTimeFromTheSimulator) {
    logIn(0);
    const auto markets = dataOf<Markets>(request(panel(1, 1), "shiChangXinXix", 0));
    ASSERT_EQ(markets.size(), 1u);
    const auto& commodities = markets[0]->MarketInfoArray[0]->diskInfoArray[0]->commodityInfoArray;
    ASSERT_EQ(commodities.size(), 6u);
    EXPECT_EQ(commodities[2]->CommodityID, 300);
    EXPECT_EQ(commodities[2]->CommodityCode, "PT");
    EXPECT_EQ(commodities[2]->CommodityName, "铂金");
    EXPECT_EQ(commodities[2]->leastPrice, 2);
    EXPECT_EQ(commodities[2]->panindex, 0);

    const auto orderBook = dataOf<Markets>(request(panel(1, 4), "shiChangXinXix", 0));
    const auto& books = orderBook[0]->MarketInfoArray[0]->diskInfoArray[0]->commodityInfoArray;
    ASSERT_EQ(books.size(), 2u);
    EXPECT_EQ(books[0]->productJYtype, 4);
    EXPECT_EQ(books[1]->CommodityCode, "zn");
    EXPECT_EQ(books[1]->CommodityCodeLetterCase, 0);

    const QuoteCall time = request(panel(1, 4), "panJYTime", 0);
    const auto jyTime = dataOf<std::shared_ptr<PanJYTime>>(time);
    ASSERT_TRUE(jyTime);
    EXPECT_EQ(jyTime->JYStart, kTodayStart);
    EXPECT_EQ(jyTime->DiskID, 4);
    EXPECT_EQ(m_state->TimeCount(), 1);
}

TEST_F(QuoteSimTest, shouldParsePanelQuotesMatchingTheMarketModel) {
    logIn(0);
    const auto quotes = dataOf<Quotes>(request(panel(1, 1), "allyikoujia", 0));
    ASSERT_EQ(quotes.size(), 6u);
    const YiKouJia& platinum = *quotes[2];
    EXPECT_EQ(platinum.commodityNum, 300);
    EXPECT_EQ(platinum.hpIndex, 0);
    const SimQuote model = *sim().market().quote(0, 300);
    EXPECT_DOUBLE_EQ(platinum.newPrice, price(model.newPrice, 2));
    EXPECT_DOUBLE_EQ(platinum.yesterdayClose, price(model.yesterdayClose, 2));
    EXPECT_DOUBLE_EQ(platinum.heigthestPrice, price(model.highest, 2));
    EXPECT_DOUBLE_EQ(platinum.sellPrice, price(model.sellPrice, 2));
    EXPECT_EQ(platinum.latestPriceTime, model.time);
    EXPECT_EQ(platinum.pkLegth, 49);

    auto silver = dataOf<Quotes>(request(panel(1, 1), "allyikoujia", 0))[0];
    EXPECT_EQ(silver->commodityNum, 1);
    EXPECT_EQ(silver->leastChPrice, 0);
}

TEST_F(QuoteSimTest, shouldContinueBookAndTradesFromTheGivenNumbers) {
    logIn(0);
    auto package = commodity(1, 1, 4);
    const auto first = dataOf<std::shared_ptr<YiKouJia>>(request(package, "oneyikoujia", 0));
    ASSERT_TRUE(first);
    EXPECT_EQ(first->fenbiNum, 10);
    ASSERT_EQ(first->wudang->sellPriceAry.size(), 5u);
    EXPECT_GT(first->wudang->sellPriceAry[2]->wuDangSellPrice, 0);
    EXPECT_DOUBLE_EQ(first->wudang->sellPriceAry[3]->wuDangSellPrice, 0);
    EXPECT_NE(first->pankouxuhao, 0);
    EXPECT_GT(first->gpNum, 0);

    auto next = commodity(1, 1, 4);
    next->wuDangID = std::to_string(first->wudang->WDNum);
    next->fenBiID = std::to_string(first->fenbi.back()->fbIndex);
    next->pankouxuhao = std::to_string(first->pankouxuhao);
    const auto same = dataOf<std::shared_ptr<YiKouJia>>(request(next, "oneyikoujia", 0));
    EXPECT_EQ(same->fenbiNum, 0);
    EXPECT_TRUE(same->wudang->sellPriceAry.empty());
    EXPECT_DOUBLE_EQ(same->newPrice, first->newPrice);

    sim().clock().advance(3000);
    const auto later = dataOf<std::shared_ptr<YiKouJia>>(request(next, "oneyikoujia", 0));
    ASSERT_EQ(later->fenbiNum, 3);
    EXPECT_EQ(later->fenbi[0]->fbIndex, first->fenbi.back()->fbIndex + 1);
    EXPECT_EQ(later->fenbi[2]->fbTime, first->fenbi.back()->fbTime + 3000);
    EXPECT_FALSE(later->wudang->buyPriceAry.empty());
    EXPECT_EQ(later->wudang->WDNum, first->wudang->WDNum + 3);
}

TEST_F(QuoteSimTest, shouldFindCommodityAbove255OnTheSecondServer) {
    logIn(1);
    const auto quote =
        dataOf<std::shared_ptr<YiKouJia>>(request(commodity(3, 2, 10, 1), "oneyikoujia", 1));
    ASSERT_TRUE(quote);
    EXPECT_EQ(quote->commodityNum, 10);
    EXPECT_EQ(quote->hpIndex, 1);
    logIn(0);
    const auto platinum =
        dataOf<std::shared_ptr<YiKouJia>>(request(commodity(1, 1, 300), "oneyikoujia", 0));
    ASSERT_TRUE(platinum);
    EXPECT_EQ(platinum->commodityNum, 300);
}

TEST_F(QuoteSimTest, shouldParseChartRequestsOfTheChartEngine) {
    logIn(0);
    const auto keys =
        dataOf<std::vector<HQZipSecEntry>>(chartRequest(commodity(1, 1, 2), "zipsec"));
    ASSERT_EQ(keys.size(), sim().historyFiles().keys().size());
    EXPECT_EQ(keys[0].at("secSign"), sim().historyFiles().keys()[0].sign);
    EXPECT_EQ(keys[0].at("sec"), sim().historyFiles().keys()[0].base64);

    const auto periods =
        dataOf<std::vector<std::shared_ptr<KPeriodDataItem>>>(chartRequest(nullptr, "KlinePeriod"));
    ASSERT_EQ(periods.size(), 9u);
    EXPECT_EQ(periods[5]->periodID, 6);
    EXPECT_EQ(periods[5]->periodName, "日");

    auto first = commodity(1, 1, 2);
    first->period = "6";
    first->numberOfRequest = "3000";
    first->requestTime = "-1";
    first->direction = "0";
    first->searchDayCount = "30";
    first->klineRequestType = HQDataCache::kRequestFirst;
    const auto series = dataOf<Series>(chartRequest(first, "manydaykxian"));
    ASSERT_EQ(series.size(), 1u);
    const auto& bars = series[0]->klineDataItemsArray;
    ASSERT_EQ(bars.size(), 3000u);
    EXPECT_EQ(bars.back()->date, kTodayStart);
    EXPECT_EQ(series[0]->commodityPeriod, 6);
    EXPECT_FALSE(series[0]->URLArray.empty());
    EXPECT_LE(series[0]->URLArray.size(), 30u);
    EXPECT_FALSE(bars.back()->MACDKDJ);  // a first reply is not stored by the manager

    const auto model = sim().market().bars(0, 2, 6);
    EXPECT_FLOAT_EQ(bars.back()->close, static_cast<float>(price(model.back().close, 2)));
    EXPECT_FLOAT_EQ(bars.front()->open,
                    static_cast<float>(price(model[model.size() - 3000].open, 2)));
}

TEST_F(QuoteSimTest, shouldStoreIncrementalKLineBeforeDeliveringItWithIndicators) {
    logIn(0);
    auto package = commodity(1, 1, 2);
    package->period = "1";
    package->numberOfRequest = "3000";
    package->requestTime = std::to_string(kTodayStart + 14 * 3600000);  // 14:00 local
    package->direction = "1";
    package->klineRequestType = HQDataCache::kRequestNew;
    const auto series = dataOf<Series>(chartRequest(package, "Kline"));
    ASSERT_EQ(series.size(), 1u);
    const auto& bars = series[0]->klineDataItemsArray;
    ASSERT_EQ(bars.size(), 31u);  // 14:00 to the minute in progress at 14:30
    EXPECT_EQ(bars.front()->date, kTodayStart + 14 * 3600000);
    ASSERT_TRUE(bars.back()->MACDKDJ);
    ASSERT_TRUE(bars.back()->PMAGroup->PMA30Data);
    HQDataBase store;
    auto stored = store.searchPartDataFromKLineForm(*package);
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->back()->klineDataItemsArray.size(), 31u);
    EXPECT_DOUBLE_EQ(stored->back()->klineDataItemsArray.back()->MACDKDJ->dif,
                     bars.back()->MACDKDJ->dif);
}

TEST_F(QuoteSimTest, shouldAskServerTimeBeforeTimeSharingFromALocalMinute) {
    logIn(0);
    auto package = commodity(1, 1, 2);
    package->protocolNum = "32";
    package->period = "1";
    package->numberOfRequest = "2000";
    package->requestTime = "202612041420";
    package->direction = "1";
    const int asked = sim().quoteServer(0).requestCount(35);
    const QuoteCall call = chartRequest(package, "fenshi");
    const auto items = dataOf<FenShi>(call);
    EXPECT_EQ(call.typeNW, "fenshi");
    EXPECT_EQ(sim().quoteServer(0).requestCount(35), asked + 1);
    ASSERT_EQ(items.size(), 1u);
    ASSERT_EQ(items[0]->tradingDayNumArray.size(), 1u);
    const auto& day = *items[0]->tradingDayNumArray[0];
    EXPECT_EQ(day.tradingDay, "20261204");
    ASSERT_EQ(day.fenShiRecordNumArray.size(), 11u);
    EXPECT_EQ(day.fenShiRecordNumArray.front()->fenShiTime, "1420");
    EXPECT_EQ(day.fenShiRecordNumArray.back()->fenShiTime, "1430");
    const SimQuote model = *sim().market().quote(0, 2);
    EXPECT_DOUBLE_EQ(items[0]->yesterdayClose, price(model.yesterdayClose, 2));
    EXPECT_DOUBLE_EQ(day.fenShiRecordNumArray.back()->leastPrice, price(model.newPrice, 2));
}

TEST_F(QuoteSimTest, shouldAnswerManyDayTimeSharingWithLatestMinutesAndTodaysFile) {
    logIn(0);
    const auto items = dataOf<FenShi>(chartRequest(commodity(1, 1, 2), "manydayfenshi"));
    ASSERT_EQ(items.size(), 1u);
    const auto& records = items[0]->tradingDayNumArray.at(0)->fenShiRecordNumArray;
    ASSERT_EQ(records.size(), 30u);
    EXPECT_EQ(records.front()->fenShiTime, "1401");
    ASSERT_EQ(items[0]->URLArray.size(), 1u);
    EXPECT_NE(items[0]->URLArray[0]->URLPath.find("/history/f5T_fs_2_20261204.dat"),
              std::string::npos);
}

// The chart reads minute times in the exchange's zone: the client keeps the zone that server
// time and time-sharing replies carry, before the reply reaches the chart. The zone learnt at
// log-in is replaced by another first, to see which replies carry one.
struct ZoneCase {
    const char* type;
    const char* requestTime;
    bool tellsZone;
};

class ExchangeZoneTest : public QuoteSimTest, public ::testing::WithParamInterface<ZoneCase> {};

TEST_P(ExchangeZoneTest, shouldKeepTheExchangesZoneFromTheRepliesThatCarryIt) {
    const ZoneCase c = GetParam();
    logIn(0);
    constexpr int kOtherZone = -300;
    m_state->setExchangeUtcOffsetMinutes(kOtherZone);
    auto package = commodity(1, 1, 2);
    package->period = "1";
    package->numberOfRequest = "10";
    package->requestTime = c.requestTime;
    package->direction = "1";
    const QuoteCall call = chartRequest(package, c.type);
    EXPECT_EQ(call.kind, QuoteCall::Finished);
    EXPECT_EQ(call.exchangeUtcOffsetMinutes,
              c.tellsZone ? sim().market().utcOffsetMinutes() : kOtherZone);
}

INSTANTIATE_TEST_SUITE_P(Replies, ExchangeZoneTest,
                         ::testing::Values(ZoneCase{"Kline", "-1", false},
                                           ZoneCase{"manydayfenshi", "", true},
                                           ZoneCase{"fenshi", "202612041420", true}),
                         [](const auto& info) { return std::string(info.param.type); });

TEST_F(QuoteSimTest, shouldSendChartRequestsToTheServerNamedByPanleix) {
    logIn(1);
    const QuoteCall call = chartRequest(commodity(3, 1, 8, 1), "manydayfenshi");
    const auto items = dataOf<FenShi>(call);
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0]->commodityID, 8);
    EXPECT_EQ(sim().quoteServer(1).requestCount(34), 1);
    EXPECT_EQ(sim().quoteServer(0).requestCount(34), 0);
}

TEST_F(QuoteSimTest, shouldMoveToTheNextLineWhenOneRefuses) {
    logIn(0);
    sim().quoteServer(0).line(0).refuse();
    const QuoteCall call = request(panel(1, 1), "allyikoujia", 0);
    ASSERT_EQ(call.kind, QuoteCall::Finished);
    EXPECT_EQ(m_state->workingLineForServer(0), 1u);
    // The next request starts at the line that worked, so it does not need line 0 back.
    EXPECT_EQ(request(panel(1, 1), "allyikoujia", 0).kind, QuoteCall::Finished);
}

TEST_F(QuoteSimTest, shouldReportRequestFailedOnlyWhenEveryLineOfTheGroupFailed) {
    logIn(0);
    sim().quoteServer(0).line(0).refuse();
    sim().quoteServer(0).line(1).refuse();
    const QuoteCall call = request(panel(1, 1), "panJYTime", 0);
    EXPECT_EQ(call.kind, QuoteCall::RequestFailed);
    EXPECT_EQ(call.code, -1004);
    EXPECT_EQ(call.typeNW, "panJYTime");
    EXPECT_EQ(m_state->TimeCount(), 0);  // a transport failure does not count

    ASSERT_TRUE(sim().quoteServer(0).line(1).resume());
    EXPECT_EQ(request(panel(1, 1), "panJYTime", 0).kind, QuoteCall::Finished);
    EXPECT_EQ(m_state->workingLineForServer(0), 1u);
}

TEST_F(QuoteSimTest, shouldReportTransportFailureOfTheSessionChain) {
    sim().quoteServer(1).line(0).refuse();
    sim().quoteServer(1).line(1).refuse();
    const QuoteCall call = request(nullptr, "shiChangXinXi", 1);
    EXPECT_EQ(call.kind, QuoteCall::RequestFailed);
    EXPECT_EQ(call.typeNW, "shiChangXinXi");
    EXPECT_EQ(m_state->jyspanInfoCount(), 0);
}

TEST_F(QuoteSimTest, shouldReport2003AfterExpiryAndWorkAgainAfterRenewal) {
    logIn(0);
    sim().quoteServer(0).expireSessions();
    const QuoteCall expired = request(panel(1, 1), "shiChangXinXix", 0);
    EXPECT_EQ(expired.kind, QuoteCall::AnalysisFailed);
    EXPECT_EQ(expired.code, 2003);
    EXPECT_EQ(m_state->marketInfoCount(), 1);  // a refused reply still counts toward its batch

    const QuoteCall renewed = request(nullptr, "requestSessionAgain", 0);
    EXPECT_EQ(renewed.kind, QuoteCall::SessionRenewed);
    EXPECT_EQ(sim().quoteServer(0).requestCount(10), 1);  // no market list on renewal
    EXPECT_EQ(sim().quoteServer(0).requestCount(35), 2);  // but the zone again
    EXPECT_EQ(request(panel(1, 1), "allyikoujia", 0).kind, QuoteCall::Finished);
}

TEST_F(QuoteSimTest, shouldLogInWithPasswordForRegistration) {
    auto login = std::make_shared<LoginPackage>();
    login->userName = "guest";
    login->password = "secret";
    auto recorder = std::make_shared<QuoteRecorder>(m_state);
    auto manager = HQNetworkManger::create();
    manager->setDelegate(recorder);
    manager->loginRequest(login, "Registration", true);
    ASSERT_TRUE(RunLoop::runUntil([&] { return !recorder->calls.empty(); }, 30));
    EXPECT_EQ(recorder->calls[0].kind, QuoteCall::Finished);
    EXPECT_TRUE(std::holds_alternative<std::monostate>(recorder->calls[0].data));
    EXPECT_NE(m_state->sessionForServer(0), 0u);
    EXPECT_EQ(request(panel(1, 1), "allyikoujia", 0).kind, QuoteCall::Finished);

    login->password.clear();
    auto refused = std::make_shared<QuoteRecorder>(m_state);
    auto again = HQNetworkManger::create();
    again->setDelegate(refused);
    again->loginRequest(login, "Registration", true);
    ASSERT_TRUE(RunLoop::runUntil([&] { return !refused->calls.empty(); }, 30));
    EXPECT_EQ(refused->calls[0].kind, QuoteCall::AnalysisFailed);
    EXPECT_EQ(refused->calls[0].code, 4);
}

TEST_F(QuoteSimTest, shouldReportMalformedRepliesAsAnalysisFailureWithCodeZero) {
    logIn(0);
    for (SimMalform kind : {SimMalform::ShortHead, SimMalform::CutBody, SimMalform::ExtraByte}) {
        sim().quoteServer(0).malformNext(37, kind);
        const QuoteCall call = request(panel(1, 1), "allyikoujia", 0);
        EXPECT_EQ(call.kind, QuoteCall::AnalysisFailed);
        EXPECT_EQ(call.code, 0);
        EXPECT_NE(call.errorMessage.find("类HQDataAnalysis.cpp:"), std::string::npos);
    }
    sim().quoteServer(0).malformNext(12, SimMalform::CutBody);
    EXPECT_EQ(request(panel(1, 1), "panJYTime", 0).kind, QuoteCall::AnalysisFailed);
    EXPECT_EQ(m_state->TimeCount(), 1);
    EXPECT_EQ(request(panel(1, 1), "allyikoujia", 0).kind, QuoteCall::Finished);
}

TEST_F(QuoteSimTest, shouldReportFailedServerTimeStepAsSeverTimeWithTheChartPackage) {
    logIn(0);
    sim().quoteServer(0).expireSessions();
    auto package = commodity(1, 1, 2);
    package->protocolNum = "32";
    package->requestTime = "202612041420";
    const QuoteCall call = chartRequest(package, "fenshi");
    EXPECT_EQ(call.kind, QuoteCall::AnalysisFailed);
    EXPECT_EQ(call.code, 2003);
    EXPECT_EQ(call.typeNW, "severTime");
    ASSERT_TRUE(call.package);
    EXPECT_EQ(call.package->FenShiOrKLinePackageWhenRequestSeverTime, package);

    sim().quoteServer(0).line(0).refuse();
    sim().quoteServer(0).line(1).refuse();
    const QuoteCall dead = chartRequest(package, "fenshi");
    EXPECT_EQ(dead.kind, QuoteCall::RequestFailed);
    EXPECT_EQ(dead.typeNW, "severTime");
    EXPECT_EQ(dead.package->FenShiOrKLinePackageWhenRequestSeverTime, package);
}

TEST_F(QuoteSimTest, shouldTimeOutALateReplyAfterTenSeconds) {
    logIn(0);
    sim().quoteServer(0).line(0).refuse();
    sim().quoteServer(0).line(1).setDelayMs(15000);
    const auto started = std::chrono::steady_clock::now();
    const QuoteCall call = request(panel(1, 1), "allyikoujia", 0, 60);
    const double elapsed =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    EXPECT_EQ(call.kind, QuoteCall::RequestFailed);
    EXPECT_EQ(call.code, -1001);
    EXPECT_GE(elapsed, 9.5);
    EXPECT_LT(elapsed, 14.0);
}
