#include <gtest/gtest.h>

#include "quote/HQDataAnalysis.h"
#include "quote/HQDataAnalysisDelegate.h"
#include "quote/WireBytes.h"

namespace {

constexpr int64_t k1430Local = 1796365800000;   // 2026-12-04 14:30 at UTC+8
constexpr int64_t kDayStart = 1796313600000;    // 2026-12-04 00:00 at UTC+8

// Quote entry of commodity 300: scale 2, base 380.00, new 380.25, buy 380.20, sell 380.30,
// highest 380.50, lowest 379.00, open 380.00, yesterday's close 380.00.
WireBytes& quoteEntry(WireBytes& w) {
    w.i16(300).u8(2).i16(49).u8(2).i32(38000);
    for (int offset : {25, 20, 30, 50, -100, 0, 0}) {
        w.i32(offset);
    }
    return w.i32(5).i32(6).i64(k1430Local);
}

Bytes quoteListBody() {
    WireBytes w;
    w.i16(1).i16(1).u16(2);
    quoteEntry(w);
    w.i16(7).u8(2).i16(0);  // no prices
    return w.bytes;
}

Bytes oneQuoteBody() {
    WireBytes w;
    w.i16(1).i16(4);
    quoteEntry(w);
    w.i32(88).u8(1).i32(41);
    w.u8(2).i32(30).i32(10).i32(4).i32(-38000).i32(0).i32(0);  // an ask and an empty level
    w.u8(1).i32(20).i32(7).i32(2);
    w.u16(2).i32(901).i64(k1430Local).i32(25).i32(3).i32(902).i64(k1430Local + 1000).i32(-5).i32(1);
    return w.bytes;
}

WireBytes& fenShiItem(WireBytes& w, bool withUrl) {
    w.i16(2).i16(480).u8(2).i32(38000);
    w.i32(0).i32(10).i32(50).i64(k1430Local).i32(-100).i64(kDayStart);
    w.u8(1).i64(kDayStart).u16(2);
    w.i64(kDayStart + 60000).i32(10).i32(10).i32(120);
    w.i64(k1430Local).i32(25).i32(12).i32(80);
    if (withUrl) {
        return w.u16(1).str("http://127.0.0.1:1/history/f5T_fs_2_20261204.dat");
    }
    return w.u16(0);
}

Bytes fenShiBody() {
    WireBytes w;
    w.u16(1);
    return fenShiItem(w, true).bytes;
}

WireBytes& series(WireBytes& w) {
    w.i16(2).i16(6).u8(2).i32(38000).i32(2);
    w.i64(kDayStart - 86400000).i32(0).i32(25).i32(50).i32(-10);
    return w.i64(kDayStart).i32(25).i32(-5).i32(30).i32(-20);
}

Bytes kLineBody() {
    WireBytes w;
    w.u16(1);
    series(w).u16(2).str("http://h/history/k7Q_kx_2_6_2015.dat").str("http://h/history/m2X_kx_2_6_2016.dat");
    return w.bytes;
}

Bytes marketListBody() {
    return WireBytes().u16(1).i16(1).u16(2).i16(1).i16(0).u8(1).i16(3).i16(1).u8(0).bytes;
}

Bytes commodityListBody() {
    return WireBytes()
        .i16(1).i16(4).u16(2)
        .i16(4).str("NI").str("镍").u8(0).u8(4).u8(1)
        .i16(5).str("zn").str("锌").u8(1).u8(4).u8(0)
        .bytes;
}

Bytes zipSecBody() { return WireBytes().u16(1).str("k7Q").str("AAECAwQFBgcICQoLDA0ODw==").bytes; }

Bytes periodsBody() { return WireBytes().u8(2).u8(1).str("1分").u8(6).str("日").bytes; }

Bytes tradingTimeBody() { return WireBytes().i16(1).i16(2).i64(kDayStart).bytes; }

template <typename T>
T only(const std::optional<HQReplyData>& data) {
    EXPECT_TRUE(data.has_value());
    if (!data || !std::holds_alternative<T>(*data)) {
        ADD_FAILURE() << "reply data of another kind";
        return T{};
    }
    return std::get<T>(*data);
}

struct TypedBody {
    const char* type;
    Bytes body;
};

std::vector<TypedBody> everyReply() {
    return {{"jyspaninfo", marketListBody()}, {"shiChangXinXix", commodityListBody()},
            {"panJYTime", tradingTimeBody()}, {"allyikoujia", quoteListBody()},
            {"oneyikoujia", oneQuoteBody()},  {"zipsec", zipSecBody()},
            {"KlinePeriod", periodsBody()},  {"fenshi", fenShiBody()},
            {"manydayfenshi", fenShiBody()}, {"Kline", kLineBody()},
            {"manydaykxian", kLineBody()}};
}

class FenShiListener : public HQDataAnalysisDelegate {
public:
    void dataAnalysisFinished(HQDataAnalysis* parser) override {
        finished = parser->manyDayZipFenShiDic().count("data") == 1;
    }
    void dataAnalysisFailed(const std::string& text, HQDataAnalysis*) override { message = text; }

    bool finished = false;
    std::string message;
};

}  // namespace

TEST(HQDataAnalysis, shouldReadQuoteListPricesFromBasePlusScaledOffsets) {
    HQDataAnalysis parser;
    auto quotes = only<std::vector<std::shared_ptr<YiKouJia>>>(
        parser.analysisData("allyikoujia", quoteListBody(), 1));
    ASSERT_EQ(quotes.size(), 2u);
    const YiKouJia& q = *quotes[0];
    EXPECT_EQ(q.commodityNum, 300);
    EXPECT_EQ(q.MarketID, 1);
    EXPECT_EQ(q.DiskID, 1);
    EXPECT_EQ(q.hpIndex, 1);
    EXPECT_EQ(q.pkLegth, 49);
    EXPECT_DOUBLE_EQ(q.newPrice, 380.25);
    EXPECT_DOUBLE_EQ(q.buyPrice, 380.20);
    EXPECT_DOUBLE_EQ(q.sellPrice, 380.30);
    EXPECT_DOUBLE_EQ(q.heigthestPrice, 380.50);
    EXPECT_DOUBLE_EQ(q.lowestPrice, 379.00);
    EXPECT_DOUBLE_EQ(q.yesterdayClose, 380.00);
    EXPECT_DOUBLE_EQ(q.addPrice, 0.25);
    EXPECT_EQ(q.addPriceStr, "0.25");
    EXPECT_EQ(q.zhangfuStr, "+0.07%");
    EXPECT_EQ(q.textColor, Color::rgb(255, 0, 0));
    EXPECT_EQ(q.HighColor, Color::rgb(255, 0, 0));
    EXPECT_EQ(q.LowColor, Color::rgb(59, 210, 53));
    EXPECT_EQ(q.leastChPrice, 2);
    EXPECT_EQ(q.gpNum, 5);
    EXPECT_EQ(q.gpNumSell, 6);
    EXPECT_EQ(q.latestPriceTime, k1430Local);
    EXPECT_EQ(quotes[1]->commodityNum, 7);
    EXPECT_EQ(quotes[1]->pkLegth, 0);
    EXPECT_DOUBLE_EQ(quotes[1]->newPrice, 0);
}

TEST(HQDataAnalysis, shouldReadOneQuoteWithBookAndTrades) {
    HQDataAnalysis parser;
    auto quote = only<std::shared_ptr<YiKouJia>>(parser.analysisData("oneyikoujia", oneQuoteBody(), 0));
    ASSERT_TRUE(quote);
    EXPECT_EQ(quote->DiskID, 4);
    EXPECT_EQ(quote->pankouxuhao, 88);
    EXPECT_EQ(quote->wudang->WDNum, 41);
    ASSERT_EQ(quote->wudang->sellPriceAry.size(), 2u);
    EXPECT_DOUBLE_EQ(quote->wudang->sellPriceAry[0]->wuDangSellPrice, 380.30);
    EXPECT_EQ(quote->wudang->sellPriceAry[0]->wuDangGPCount, 10);
    EXPECT_EQ(quote->wudang->sellPriceAry[0]->wuDangZPCount, 4);
    EXPECT_DOUBLE_EQ(quote->wudang->sellPriceAry[1]->wuDangSellPrice, 0);
    ASSERT_EQ(quote->wudang->buyPriceAry.size(), 1u);
    EXPECT_DOUBLE_EQ(quote->wudang->buyPriceAry[0]->wuDangBuyPrice, 380.20);
    ASSERT_EQ(quote->fenbiNum, 2);
    ASSERT_EQ(quote->fenbi.size(), 2u);
    EXPECT_EQ(quote->fenbi[1]->fbIndex, 902);
    EXPECT_EQ(quote->fenbi[1]->fbTime, k1430Local + 1000);
    EXPECT_DOUBLE_EQ(quote->fenbi[1]->fbPrice, 379.95);
    EXPECT_EQ(quote->fenbi[1]->fbcjl, 1);
}

TEST(HQDataAnalysis, shouldRefuseBookOrTradesWithoutPriceFrame) {
    WireBytes w;
    w.i16(1).i16(4).i16(300).u8(2).i16(0).i32(0).u8(1).i32(1).u8(0).u8(0).u16(0);
    HQDataAnalysis parser;
    EXPECT_FALSE(parser.analysisData("oneyikoujia", w.bytes, 0));
    EXPECT_NE(parser.errorMessage().find("类HQDataAnalysis.cpp:"), std::string::npos);
    EXPECT_TRUE(parser.errorMessage().ends_with("行"));

    WireBytes noBook;
    noBook.i16(1).i16(4).i16(300).u8(2).i16(0).i32(0).u8(0).u16(0);
    auto quote = only<std::shared_ptr<YiKouJia>>(HQDataAnalysis().analysisData("oneyikoujia", noBook.bytes, 0));
    ASSERT_TRUE(quote);
    EXPECT_TRUE(quote->wudang->sellPriceAry.empty());
    EXPECT_TRUE(quote->fenbi.empty());
}

TEST(HQDataAnalysis, shouldReadTimeSharingDaysAndMinutesInServerZone) {
    HQDataAnalysis parser;
    auto items = only<HQDataAnalysis::FenShiItems>(parser.analysisData("fenshi", fenShiBody(), 0));
    ASSERT_EQ(items.size(), 1u);
    const CommodityFenShiDataItem& item = *items[0];
    EXPECT_EQ(item.commodityID, 2);
    EXPECT_DOUBLE_EQ(item.yesterdayClose, 380.00);
    EXPECT_DOUBLE_EQ(item.todayOpen, 380.10);
    EXPECT_DOUBLE_EQ(item.highestPrice, 380.50);
    EXPECT_EQ(item.highestPriceTime, k1430Local);
    EXPECT_DOUBLE_EQ(item.lowestPrice, 379.00);
    ASSERT_EQ(item.tradingDayNumArray.size(), 1u);
    const TradingDayNum& day = *item.tradingDayNumArray[0];
    EXPECT_EQ(day.tradingDay, "20261204");
    ASSERT_EQ(day.fenShiRecordNumArray.size(), 2u);
    EXPECT_EQ(day.fenShiRecordNumArray[0]->fenShiTime, "0001");
    EXPECT_EQ(day.fenShiRecordNumArray[1]->fenShiTime, "1430");
    EXPECT_DOUBLE_EQ(day.fenShiRecordNumArray[1]->leastPrice, 380.25);
    EXPECT_DOUBLE_EQ(day.fenShiRecordNumArray[1]->averagePrice, 380.12);
    EXPECT_EQ(day.fenShiRecordNumArray[1]->xianShou, 80);
    ASSERT_EQ(item.URLArray.size(), 1u);
    EXPECT_EQ(item.URLArray[0]->URLPath, "http://127.0.0.1:1/history/f5T_fs_2_20261204.dat");
}

TEST(HQDataAnalysis, shouldFormatDayAndMinuteTextsAcrossZones) {
    EXPECT_EQ(HQDataAnalysis::dayText(k1430Local, 480), "20261204");
    EXPECT_EQ(HQDataAnalysis::minuteText(k1430Local, 480), "1430");
    EXPECT_EQ(HQDataAnalysis::dayText(kDayStart, 0), "20261203");
    EXPECT_EQ(HQDataAnalysis::minuteText(kDayStart, 0), "1600");
    EXPECT_EQ(HQDataAnalysis::dayText(-60000, 0), "19691231");
    EXPECT_EQ(HQDataAnalysis::minuteText(-60000, 0), "2359");
}

TEST(HQDataAnalysis, shouldReadKLineBarsAndHistoryAddresses) {
    HQDataAnalysis parser;
    auto list = only<HQDataAnalysis::KLineSeries>(parser.analysisData("Kline", kLineBody(), 0));
    ASSERT_EQ(list.size(), 1u);
    const ReturnKLineData& s = *list[0];
    EXPECT_EQ(s.commodityNum, 2);
    EXPECT_EQ(s.commodityPeriod, 6);
    ASSERT_EQ(s.klineDataItemsArray.size(), 2u);
    EXPECT_EQ(s.klineDataItemsArray[1]->date, kDayStart);
    EXPECT_FLOAT_EQ(s.klineDataItemsArray[1]->open, 380.25f);
    EXPECT_FLOAT_EQ(s.klineDataItemsArray[1]->close, 379.95f);
    EXPECT_FLOAT_EQ(s.klineDataItemsArray[1]->highest, 380.30f);
    EXPECT_FLOAT_EQ(s.klineDataItemsArray[1]->lowest, 379.80f);
    ASSERT_EQ(s.URLArray.size(), 2u);
    EXPECT_EQ(s.URLArray[1]->URLPath, "http://h/history/m2X_kx_2_6_2016.dat");
}

TEST(HQDataAnalysis, shouldReadCatalogueRecordsWithServerIndex) {
    auto markets = only<std::vector<std::shared_ptr<MarketItem>>>(
        HQDataAnalysis().analysisData("jyspaninfo", marketListBody(), 1));
    ASSERT_EQ(markets.size(), 1u);
    ASSERT_EQ(markets[0]->MarketInfoArray.size(), 1u);
    const MarketInfo& market = *markets[0]->MarketInfoArray[0];
    EXPECT_EQ(market.MarketIndex, 1);
    ASSERT_EQ(market.diskInfoArray.size(), 2u);
    EXPECT_EQ(market.diskInfoArray[1]->DiskID, 3);
    EXPECT_EQ(market.diskInfoArray[1]->ownDiskID, 1);
    EXPECT_EQ(market.diskInfoArray[1]->DiskType, 0);

    auto panel = only<std::vector<std::shared_ptr<MarketItem>>>(
        HQDataAnalysis().analysisData("shiChangXinXix", commodityListBody(), 1));
    ASSERT_EQ(panel.size(), 1u);
    const auto& commodities = panel[0]->MarketInfoArray[0]->diskInfoArray[0]->commodityInfoArray;
    ASSERT_EQ(commodities.size(), 2u);
    EXPECT_EQ(commodities[1]->CommodityCode, "zn");
    EXPECT_EQ(commodities[1]->CommodityName, "锌");
    EXPECT_EQ(commodities[1]->leastPrice, 1);
    EXPECT_EQ(commodities[1]->productJYtype, 4);
    EXPECT_EQ(commodities[1]->CommodityCodeLetterCase, 0);
    EXPECT_EQ(commodities[1]->MarketID, 1);
    EXPECT_EQ(commodities[1]->DiskID, 4);
    EXPECT_EQ(commodities[1]->panindex, 1);
    EXPECT_TRUE(commodities[1]->tagArray.empty());

    auto time = only<std::shared_ptr<PanJYTime>>(
        HQDataAnalysis().analysisData("panJYTime", tradingTimeBody(), 1));
    ASSERT_TRUE(time);
    EXPECT_EQ(time->DiskID, 2);
    EXPECT_EQ(time->panindex, 1);
    EXPECT_EQ(time->JYStart, kDayStart);
}

TEST(HQDataAnalysis, shouldReadKeysAndPeriods) {
    auto keys = only<std::vector<HQZipSecEntry>>(HQDataAnalysis().analysisData("zipsec", zipSecBody(), 0));
    ASSERT_EQ(keys.size(), 1u);
    EXPECT_EQ(keys[0].at("secSign"), "k7Q");
    EXPECT_EQ(keys[0].at("sec"), "AAECAwQFBgcICQoLDA0ODw==");
    auto periods = only<std::vector<std::shared_ptr<KPeriodDataItem>>>(
        HQDataAnalysis().analysisData("KlinePeriod", periodsBody(), 0));
    ASSERT_EQ(periods.size(), 2u);
    EXPECT_EQ(periods[1]->periodID, 6);
    EXPECT_EQ(periods[1]->periodName, "日");
}

TEST(HQDataAnalysis, shouldRefuseEveryTruncatedOrLengthenedReply) {
    for (const auto& [type, body] : everyReply()) {
        for (size_t length = 0; length < body.size(); ++length) {
            HQDataAnalysis parser;
            const Bytes cut(body.begin(), body.begin() + static_cast<std::ptrdiff_t>(length));
            EXPECT_FALSE(parser.analysisData(type, cut, 0)) << type << " cut to " << length;
            EXPECT_FALSE(parser.errorMessage().empty());
        }
        Bytes longer = body;
        longer.push_back(0);
        EXPECT_FALSE(HQDataAnalysis().analysisData(type, longer, 0)) << type;
        EXPECT_TRUE(HQDataAnalysis().analysisData(type, body, 0)) << type;
    }
}

TEST(HQDataAnalysis, shouldSurviveEveryCorruptedByte) {
    for (const auto& [type, body] : everyReply()) {
        for (size_t at = 0; at < body.size(); ++at) {
            for (uint8_t value : {uint8_t{0x00}, uint8_t{0x7F}, uint8_t{0xFF}}) {
                Bytes corrupted = body;
                corrupted[at] = value;
                HQDataAnalysis parser;
                const auto data = parser.analysisData(type, corrupted, 0);
                EXPECT_EQ(data.has_value(), parser.errorMessage().empty()) << type << " at " << at;
            }
        }
    }
}

TEST(HQDataAnalysis, shouldCheckReplyHeadProtocolAndLength) {
    const Bytes reply = WireBytes().i16(5).reply(1);
    HQDataAnalysis parser;
    EXPECT_EQ(parser.analysisBody(1, reply), (Bytes{0x00, 0x05}));
    EXPECT_FALSE(HQDataAnalysis().analysisBody(2, reply));
    Bytes shorter = reply;
    shorter.pop_back();
    EXPECT_FALSE(HQDataAnalysis().analysisBody(1, shorter));
    EXPECT_FALSE(HQDataAnalysis().analysisHead(Bytes(reply.begin(), reply.begin() + 9)));
    const auto head = HQDataAnalysis().analysisHead(WireBytes().reply(11, 2003));
    ASSERT_TRUE(head);
    EXPECT_EQ(head->protocol, 11);
    EXPECT_EQ(head->code, 2003);
}

TEST(HQDataAnalysis, shouldReadSessionProtocolAndServerTime) {
    EXPECT_EQ(HQDataAnalysis().analysisSeverProtocol(WireBytes().i16(5).bytes)->requestDataTime, 5);
    EXPECT_EQ(HQDataAnalysis().analysisLogin(WireBytes().u32(0xDEADBEEF).bytes), 0xDEADBEEFu);
    const auto time = HQDataAnalysis().analysisServerTime(WireBytes().i64(k1430Local).i16(-300).bytes);
    ASSERT_TRUE(time);
    EXPECT_EQ(time->time, k1430Local);
    EXPECT_EQ(time->utcOffsetMinutes, -300);
    EXPECT_FALSE(HQDataAnalysis().analysisLogin(WireBytes().u16(1).bytes));
}

TEST(HQDataAnalysis, shouldParseHistoryFilesOnlyWhenReadExactly) {
    WireBytes kLineFile;
    series(kLineFile);
    auto bars = HQDataAnalysis().analysisManyDayKXianZipData(kLineFile.bytes);
    ASSERT_TRUE(bars);
    EXPECT_EQ((*bars)[0]->klineDataItemsArray.size(), 2u);
    Bytes withTail = kLineFile.bytes;
    withTail.push_back(1);
    EXPECT_FALSE(HQDataAnalysis().analysisManyDayKXianZipData(withTail));
    EXPECT_FALSE(HQDataAnalysis().analysisManyDayKXianZipData({}));

    WireBytes fenShiFile;
    fenShiFile.u16(1);
    fenShiItem(fenShiFile, false);
    FenShiListener listener;
    HQDataAnalysis parser;
    parser.setDelegate(&listener);
    parser.analysisManyDayFenShiZipData(fenShiFile.bytes);
    EXPECT_TRUE(listener.finished);
    EXPECT_EQ(parser.manyDayZipFenShiDic().at("data").size(), 1u);

    FenShiListener refused;
    HQDataAnalysis withUrls;
    withUrls.setDelegate(&refused);
    withUrls.analysisManyDayFenShiZipData(fenShiBody());
    EXPECT_FALSE(refused.finished);
    EXPECT_FALSE(refused.message.empty());
    EXPECT_TRUE(withUrls.manyDayZipFenShiDic().empty());

    FenShiListener empty;
    HQDataAnalysis nothing;
    nothing.setDelegate(&empty);
    nothing.analysisManyDayFenShiZipData({});
    EXPECT_FALSE(empty.message.empty());
}
