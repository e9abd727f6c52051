#pragma once

// The quote records: the catalogue (markets, disks, commodities, trading times), live quotes with
// their book and trades, and the chart series (K-line bars with indicators, time-sharing days).
// Plain values, shared between screens by std::shared_ptr; made by HQDataAnalysis on the main
// thread (or by a history download on a worker, which hands them back through MainQueue).

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/graphics/Color.h"

struct FenShiDataItem;  // a point of the chart engine, held by TradingDayNum for it

struct commodityInfo {
    int16_t CommodityID = 0;
    int16_t MarketID = 0;
    int16_t DiskID = 0;
    std::string CommodityCode;
    std::string CommodityName;
    int32_t panindex = 0;                 // quote-server index whose reply carried the commodity
    int32_t leastPrice = 0;               // decimals of its prices
    uint8_t productJYtype = 0;            // 4: order-book mode
    int32_t CommodityCodeLetterCase = 0;  // 1: trading codes match exactly
    std::vector<std::string> tagArray;
};

struct DiskInfo {
    int16_t DiskID = 0;
    int16_t ownDiskID = 0;  // 0: a panel in its own right, else the disk it belongs to
    uint8_t DiskType = 0;
    std::vector<std::shared_ptr<commodityInfo>> commodityInfoArray;
};

struct MarketInfo {
    int16_t MarketID = 0;
    int32_t MarketIndex = 0;  // quote-server index that serves the market
    std::vector<std::shared_ptr<DiskInfo>> diskInfoArray;
};

struct MarketItem {
    std::vector<std::shared_ptr<MarketInfo>> MarketInfoArray;
};

struct PanJYTime {
    int16_t MarketID = 0;
    int16_t DiskID = 0;
    int32_t panindex = 0;
    int64_t JYStart = 0;  // ms since 1970
};

// A quote-server entry of the directory's address list.
struct HQHousePlate {
    int hpIndex = 0;
    std::string zuID;
};

struct SeverProtocol {
    int16_t requestDataTime = 0;  // chart refresh interval in seconds, 0 when none given
};

struct wuDangSell {
    double wuDangSellPrice = 0;  // 0 for an empty level
    int32_t wuDangGPCount = 0;
    int32_t wuDangZPCount = 0;
};

struct wuDangBuy {
    double wuDangBuyPrice = 0;
    int32_t wuDangGPCount = 0;
    int32_t wuDangZPCount = 0;
};

struct wuDang {
    int32_t WDNum = 0;
    std::vector<std::shared_ptr<wuDangSell>> sellPriceAry;
    std::vector<std::shared_ptr<wuDangBuy>> buyPriceAry;
};

struct fenbi {
    int32_t fbIndex = 0;  // equal serials mean the same trade
    int64_t fbTime = 0;   // ms since 1970
    double fbPrice = 0;
    int32_t fbcjl = 0;
};

struct YiKouJia {
    // 16 bits like CommodityID: an 8-bit identifier would lose every commodity above 255.
    int16_t commodityNum = 0;
    int16_t MarketID = 0;
    int16_t DiskID = 0;
    int32_t hpIndex = 0;  // quote-server index whose reply carried the quote
    uint8_t spType = 0;
    int16_t pkLegth = 0;  // 0 when the reply carried no prices
    double newPrice = 0;
    double buyPrice = 0;
    double sellPrice = 0;
    double heigthestPrice = 0;
    double lowestPrice = 0;
    double todayOpen = 0;
    double yesterdayClose = 0;
    double addPrice = 0;  // newPrice - yesterdayClose
    std::string addPriceStr;
    std::string zhangfuStr;
    Color textColor = Color::whiteColor();  // of the change: red above 0, green below, white at 0
    Color HighColor = Color::whiteColor();  // of the highest price against yesterday's close
    Color LowColor = Color::whiteColor();
    uint8_t leastChPrice = 0;  // decimals of book and trade prices
    int32_t gpNum = 0;
    int32_t gpNumSell = 0;
    int64_t latestPriceTime = 0;  // ms since 1970
    std::vector<std::shared_ptr<::fenbi>> fenbi;
    int16_t fenbiNum = 0;
    std::shared_ptr<wuDang> wudang = std::make_shared<wuDang>();
    int32_t pankouxuhao = 0;
};

struct PMADataItem {
    double value = 0;
};

struct PMAGroupItem {
    std::shared_ptr<PMADataItem> PMA5Data;
    std::shared_ptr<PMADataItem> PMA10Data;
    std::shared_ptr<PMADataItem> PMA20Data;
    std::shared_ptr<PMADataItem> PMA30Data;
};

struct MACDKDJGroupItem {
    double dif = 0;
    double dea = 0;
    double macd = 0;
    double KValue = 0;
    double DValue = 0;
    double JValue = 0;
};

struct KLineDataItem {
    int64_t date = 0;  // ms since 1970, start of the bar
    float open = 0;
    float close = 0;
    float highest = 0;
    float lowest = 0;
    std::shared_ptr<PMAGroupItem> PMAGroup;
    std::shared_ptr<MACDKDJGroupItem> MACDKDJ;
    std::string showOpen;
    std::string showHighest;
    std::string showLowest;
    std::string showClose;
    std::string zhangfu;
};

struct KXianURL {
    std::string URLPath;
};

struct FenShiURL {
    std::string URLPath;
};

struct ReturnKLineData {
    int16_t commodityNum = 0;
    int16_t commodityPeriod = 0;
    std::vector<std::shared_ptr<KLineDataItem>> klineDataItemsArray;  // oldest first
    std::vector<std::shared_ptr<KXianURL>> URLArray;
};

struct KPeriodDataItem {
    uint8_t periodID = 0;
    std::string periodName;
};

struct FenShiRecordNum {
    std::string fenShiTime;  // "HHmm" in the server's zone
    double leastPrice = 0;   // the minute's latest price
    double averagePrice = 0;
    int32_t xianShou = 0;
};

struct TradingDayNum {
    std::string tradingDay;  // "yyyyMMdd" in the server's zone
    std::vector<std::shared_ptr<FenShiRecordNum>> fenShiRecordNumArray;
    std::vector<std::shared_ptr<FenShiDataItem>> fenShiDataItemArray;  // set by the chart engine
};

struct CommodityFenShiDataItem {
    int16_t commodityID = 0;
    int16_t utcOffsetMinutes = 0;  // east of UTC: the zone of its day and minute texts
    double yesterdayClose = 0;
    double todayOpen = 0;
    double highestPrice = 0;
    int64_t highestPriceTime = 0;
    double lowestPrice = 0;
    int64_t lowestPriceTime = 0;
    std::vector<std::shared_ptr<TradingDayNum>> tradingDayNumArray;  // day 0 is the day shown
    std::vector<std::shared_ptr<FenShiURL>> URLArray;
};
