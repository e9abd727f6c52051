#include "TradeCoreTest.h"

#include <cstdlib>

#include "platform/foundation/RunLoop.h"
#include "quote/HQJYEntity.h"
#include "quote/QuoteRecords.h"
#include "trade/core/PXTradeCommodity.h"
#include "trade/core/PXTradeData.h"
#include "trade/core/PXTradePeiZhi.h"

void RecordingTradeDelegate::requestFailed(PXTradeNetworkManger* manager, int errorCode) {
    calls.push_back({"requestFailed", manager->typeNW(), errorCode, false, {}, ""});
}

void RecordingTradeDelegate::dataAnalysisFinished(PXTradeNetworkManger* manager,
                                                  const PXTradeResult* data) {
    calls.push_back(
        {"finished", manager->typeNW(), 0, data != nullptr, data ? *data : PXTradeResult(), ""});
}

void RecordingTradeDelegate::dataAnalysisFailed(PXTradeNetworkManger* manager, int errorCode) {
    calls.push_back(
        {"failed", manager->typeNW(), errorCode, false, {}, manager->JY_ErrorMessage()});
}

TradeCoreTest::TradeCoreTest() : m_delegate(std::make_shared<RecordingTradeDelegate>()) {
    setenv("VKJY_RESOURCES", VKJY_SOURCE_RESOURCES, 0);
    m_host.accountsPath = m_home.path() + "/AccountsMessage.plist";
    m_host.setLines("01", "1", "1", {{"T1", "trade line", m_server.url("/trade")}});
    m_host.setLines("01", "1", "2", {{"N1", "notice line", m_server.url("/notice")}});
    m_host.setLines("01", "1", "3", {{"F1", "funds line", m_server.url("/funds")}});
    m_host.directoryUrl = m_server.url("/dir");
    m_host.smsServiceUrl = m_server.url("/sms");
    m_module = std::make_unique<PXTradeModule>(m_host);
    PXTradeModule::setShared(m_module.get());
    m_module->PXJYData().initGongGongShuJu();
    m_module->PXJYPeiZhi().setPlatformCODE("01");
    m_module->PXJYPeiZhi().setEnvironmentCODE("1");
    m_module->PXJYData().setTradeLinkType("T1");
    m_quoteSide = std::make_shared<VKJYHangQingDataClass>();
    m_quoteSide->setHqjyEntity(std::make_shared<HQJYEntity>());
    VKJYHangQingDataClass::setCurrent(m_quoteSide);
}

TradeCoreTest::~TradeCoreTest() {
    m_module.reset();
    VKJYHangQingDataClass::setCurrent(nullptr);
}

std::shared_ptr<PXTradeNetworkManger> TradeCoreTest::newManager() {
    auto manager = PXTradeNetworkManger::create(*m_module);
    manager->setDelegate(m_delegate);
    return manager;
}

bool TradeCoreTest::runUntil(const std::function<bool()>& condition, double seconds) {
    return RunLoop::runUntil(condition, seconds);
}

bool TradeCoreTest::runFor(double seconds, const std::function<bool()>& condition) {
    return RunLoop::runFor(seconds, condition);
}

bool TradeCoreTest::waitForCalls(size_t n, double seconds) {
    return runUntil([&] { return m_delegate->calls.size() >= n; }, seconds);
}

void TradeCoreTest::setDefault(const std::string& key, const std::string& value) {
    m_module->setDefaultString(key, value);
}

void TradeCoreTest::addQuote(const std::string& code, int id, double newPrice, double buyPrice,
                             double sellPrice, bool withQuote) {
    HQJYEntity& entity = *m_quoteSide->hqjyEntity();
    auto catalogue = entity.commodityInfoArray();
    if (catalogue.empty()) {
        auto disk = std::make_shared<DiskInfo>();
        disk->DiskID = 1;
        auto market = std::make_shared<MarketInfo>();
        market->MarketID = 1;
        market->diskInfoArray.push_back(disk);
        auto item = std::make_shared<MarketItem>();
        item->MarketInfoArray.push_back(market);
        catalogue.push_back(item);
    }
    auto info = std::make_shared<commodityInfo>();
    info->CommodityID = static_cast<int16_t>(id);
    info->CommodityCode = code;
    info->panindex = 0;
    info->MarketID = 1;
    info->DiskID = 1;
    catalogue.front()->MarketInfoArray.front()->diskInfoArray.front()->commodityInfoArray.push_back(
        info);
    entity.setCommodityInfoArray(catalogue);
    if (!withQuote) {
        return;
    }
    auto quotes = entity.commodityYiKouJiaArray();
    auto quote = std::make_shared<YiKouJia>();
    quote->commodityNum = static_cast<int16_t>(id);
    quote->hpIndex = 0;
    quote->MarketID = 1;
    quote->DiskID = 1;
    quote->newPrice = newPrice;
    quote->buyPrice = buyPrice;
    quote->sellPrice = sellPrice;
    quote->heigthestPrice = newPrice + 1;
    quote->lowestPrice = newPrice - 1;
    quote->todayOpen = newPrice;
    quote->yesterdayClose = newPrice - 0.5;
    quote->gpNum = 7;
    quote->gpNumSell = 8;
    quote->latestPriceTime = 1700000000999;
    quotes.push_back(quote);
    entity.setCommodityYiKouJiaArray(quotes);
}

void TradeCoreTest::addCommodity(const std::string& code, const std::string& mode,
                                 const std::string& unit, const std::string& name) {
    auto record = std::make_shared<PXTradeCommodity>();
    record->commodityCode = code;
    record->commodityName = name.empty() ? code : name;
    record->shangPinJiaoYiMoShi = mode;
    record->tradeUnit = unit;
    PXTradeCommodityMap commodities = m_module->PXJYData().shangPinXinXi();
    commodities[code] = record;
    m_module->PXJYData().setShangPinXinXi(commodities);
}
