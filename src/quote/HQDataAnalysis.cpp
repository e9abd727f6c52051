#include "quote/HQDataAnalysis.h"

#include <cmath>
#include <cstdio>

#include "base/NSMutableDataWithEndian.h"
#include "base/UIColorJudgeDataColor.h"
#include "platform/foundation/Text.h"
#include "quote/HQDataAnalysisDelegate.h"
#include "quote/HQProtocol.h"

namespace {
constexpr int64_t kMinuteMs = 60000;
constexpr int64_t kDayMs = 86400000;
constexpr int kMaxBookLevels = 5;

// Times outside years 1..9999 are no real quote time; a record carrying one is malformed (and
// shifting it by the zone offset could overflow).
constexpr int64_t kEarliestMs = -62135596800000;
constexpr int64_t kLatestMs = 253402300799999;

bool isPlausibleTime(int64_t ms) {
    return ms >= kEarliestMs && ms <= kLatestMs;
}

int64_t floorDiv(int64_t a, int64_t b) {
    const int64_t q = a / b;
    return (a % b != 0 && ((a < 0) != (b < 0))) ? q - 1 : q;
}

void civilFromDays(int64_t days, int& year, int& month, int& day) {
    days += 719468;
    const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const auto doe = static_cast<unsigned>(days - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(yoe + era * 400 + (month <= 2));
}

std::string changeRateText(double change, double reference) {
    const double rate = reference != 0 ? change / reference * 100.0 : 0.0;
    return Text::format(rate > 0 ? "+%.2lf%@" : "%.2lf%@", rate, "%");
}
}  // namespace

double HQDataAnalysis::PriceFrame::value(int32_t offset) const {
    return static_cast<double>(static_cast<int64_t>(base) + offset) / std::pow(10.0, scale);
}

std::string HQDataAnalysis::dayText(int64_t ms, int utcOffsetMinutes) {
    if (!isPlausibleTime(ms)) {
        return std::string();
    }
    int year = 0;
    int month = 0;
    int day = 0;
    civilFromDays(floorDiv(ms + utcOffsetMinutes * kMinuteMs, kDayMs), year, month, day);
    return Text::format("%04d%02d%02d", year, month, day);
}

std::string HQDataAnalysis::minuteText(int64_t ms, int utcOffsetMinutes) {
    if (!isPlausibleTime(ms)) {
        return std::string();
    }
    const int64_t local = ms + utcOffsetMinutes * kMinuteMs;
    const int64_t minuteOfDay = floorDiv(local - floorDiv(local, kDayMs) * kDayMs, kMinuteMs);
    return Text::format("%02d%02d", static_cast<int>(minuteOfDay / 60),
                        static_cast<int>(minuteOfDay % 60));
}

bool HQDataAnalysis::fail(std::source_location where) {
    if (m_errorMessage.empty()) {
        std::string file = where.file_name();
        const auto slash = file.find_last_of('/');
        if (slash != std::string::npos) {
            file = file.substr(slash + 1);
        }
        m_errorMessage = Text::format("类%s:%d行", file, static_cast<int>(where.line()));
    }
    return false;
}

bool HQDataAnalysis::finish(NSMutableDataWithEndian& in) {
    if (in.failed() || in.remaining() != 0) {
        return fail();
    }
    return true;
}

std::optional<std::string> HQDataAnalysis::readText(NSMutableDataWithEndian& in) {
    const auto length = in.readUInt16();
    if (!length) {
        return std::nullopt;
    }
    const auto bytes = in.readBytes(*length);
    if (!bytes) {
        return std::nullopt;
    }
    return std::string(bytes->begin(), bytes->end());
}

std::optional<HQDataAnalysis::PriceFrame> HQDataAnalysis::readFrame(NSMutableDataWithEndian& in) {
    const auto scale = in.readUInt8();
    const auto base = in.readInt32();
    if (!scale || !base || *scale > HQProtocol::kMaxScale) {
        return std::nullopt;
    }
    return PriceFrame{*scale, *base};
}

std::optional<double> HQDataAnalysis::readPrice(NSMutableDataWithEndian& in,
                                                const PriceFrame& frame) {
    const auto offset = in.readInt32();
    if (!offset) {
        return std::nullopt;
    }
    return frame.value(*offset);
}

std::optional<HQDataAnalysis::Head> HQDataAnalysis::analysisHead(const Bytes& reply) {
    if (reply.size() < HQProtocol::kHeadSize) {
        fail();
        return std::nullopt;
    }
    NSMutableDataWithEndian in(reply.data(), HQProtocol::kHeadSize);
    Head head;
    head.protocol = in.readUInt16().value_or(0);
    head.code = in.readInt32().value_or(0);
    return head;
}

std::optional<Bytes> HQDataAnalysis::analysisBody(uint16_t protocol, const Bytes& reply) {
    if (reply.size() < HQProtocol::kHeadSize) {
        fail();
        return std::nullopt;
    }
    NSMutableDataWithEndian in(reply);
    const auto replyProtocol = in.readUInt16();
    in.readInt32();
    const auto length = in.readUInt32();
    if (replyProtocol != protocol || !length || *length != in.remaining()) {
        fail();
        return std::nullopt;
    }
    return Bytes(reply.begin() + HQProtocol::kHeadSize, reply.end());
}

std::optional<SeverProtocol> HQDataAnalysis::analysisSeverProtocol(const Bytes& body) {
    NSMutableDataWithEndian in(body);
    SeverProtocol protocol;
    protocol.requestDataTime = in.readInt16().value_or(0);
    if (!finish(in)) {
        return std::nullopt;
    }
    return protocol;
}

std::optional<uint32_t> HQDataAnalysis::analysisLogin(const Bytes& body) {
    NSMutableDataWithEndian in(body);
    const uint32_t session = in.readUInt32().value_or(0);
    if (!finish(in)) {
        return std::nullopt;
    }
    return session;
}

std::optional<HQDataAnalysis::ServerTime> HQDataAnalysis::analysisServerTime(const Bytes& body) {
    NSMutableDataWithEndian in(body);
    ServerTime time;
    time.time = in.readInt64().value_or(0);
    time.utcOffsetMinutes = in.readInt16().value_or(0);
    if (!finish(in)) {
        return std::nullopt;
    }
    return time;
}

std::optional<HQReplyData> HQDataAnalysis::analysisData(const std::string& type, const Bytes& body,
                                                        int serverIndex) {
    NSMutableDataWithEndian in(body);
    std::optional<HQReplyData> data;
    if (type == "jyspaninfo") {
        data = marketList(in, serverIndex);
    } else if (type == "shiChangXinXix") {
        data = commodityList(in, serverIndex);
    } else if (type == "panJYTime") {
        data = tradingTime(in, serverIndex);
    } else if (type == "allyikoujia") {
        data = quoteList(in, serverIndex);
    } else if (type == "oneyikoujia") {
        data = oneQuote(in, serverIndex);
    } else if (type == "zipsec") {
        data = zipSec(in);
    } else if (type == "KlinePeriod") {
        data = periods(in);
    } else if (type == "fenshi" || type == "manydayfenshi") {
        if (auto items = fenShiItems(in)) {
            data = HQReplyData(std::move(*items));
        }
    } else if (type == "Kline" || type == "manydaykxian") {
        if (auto list = kLineSeriesList(in)) {
            data = HQReplyData(std::move(*list));
        }
    } else if (type == "Registration") {
        data = HQReplyData();
    } else {
        fail();
        return std::nullopt;
    }
    if (!data || !finish(in)) {
        fail();
        return std::nullopt;
    }
    return data;
}

std::optional<HQReplyData> HQDataAnalysis::marketList(NSMutableDataWithEndian& in,
                                                      int serverIndex) {
    auto item = std::make_shared<MarketItem>();
    const uint16_t marketCount = in.readUInt16().value_or(0);
    for (uint16_t m = 0; m < marketCount && !in.failed(); ++m) {
        auto market = std::make_shared<MarketInfo>();
        market->MarketID = in.readInt16().value_or(0);
        market->MarketIndex = serverIndex;
        const uint16_t diskCount = in.readUInt16().value_or(0);
        for (uint16_t d = 0; d < diskCount && !in.failed(); ++d) {
            auto disk = std::make_shared<DiskInfo>();
            disk->DiskID = in.readInt16().value_or(0);
            disk->ownDiskID = in.readInt16().value_or(0);
            disk->DiskType = in.readUInt8().value_or(0);
            market->diskInfoArray.push_back(disk);
        }
        item->MarketInfoArray.push_back(market);
    }
    if (in.failed()) {
        fail();
        return std::nullopt;
    }
    return HQReplyData(std::vector<std::shared_ptr<MarketItem>>{item});
}

std::optional<HQReplyData> HQDataAnalysis::commodityList(NSMutableDataWithEndian& in,
                                                         int serverIndex) {
    auto market = std::make_shared<MarketInfo>();
    market->MarketID = in.readInt16().value_or(0);
    market->MarketIndex = serverIndex;
    auto disk = std::make_shared<DiskInfo>();
    disk->DiskID = in.readInt16().value_or(0);
    const uint16_t count = in.readUInt16().value_or(0);
    for (uint16_t i = 0; i < count && !in.failed(); ++i) {
        auto commodity = std::make_shared<commodityInfo>();
        commodity->CommodityID = in.readInt16().value_or(0);
        auto code = readText(in);
        auto name = readText(in);
        commodity->leastPrice = in.readUInt8().value_or(0);
        commodity->productJYtype = in.readUInt8().value_or(0);
        commodity->CommodityCodeLetterCase = in.readUInt8().value_or(0);
        if (!code || !name || in.failed()) {
            fail();
            return std::nullopt;
        }
        commodity->CommodityCode = *code;
        commodity->CommodityName = *name;
        commodity->MarketID = market->MarketID;
        commodity->DiskID = disk->DiskID;
        commodity->panindex = serverIndex;
        disk->commodityInfoArray.push_back(commodity);
    }
    if (in.failed()) {
        fail();
        return std::nullopt;
    }
    market->diskInfoArray.push_back(disk);
    auto item = std::make_shared<MarketItem>();
    item->MarketInfoArray.push_back(market);
    return HQReplyData(std::vector<std::shared_ptr<MarketItem>>{item});
}

std::optional<HQReplyData> HQDataAnalysis::tradingTime(NSMutableDataWithEndian& in,
                                                       int serverIndex) {
    auto time = std::make_shared<PanJYTime>();
    time->MarketID = in.readInt16().value_or(0);
    time->DiskID = in.readInt16().value_or(0);
    time->JYStart = in.readInt64().value_or(0);
    time->panindex = serverIndex;
    if (in.failed()) {
        fail();
        return std::nullopt;
    }
    return HQReplyData(time);
}

std::shared_ptr<YiKouJia> HQDataAnalysis::quoteEntry(NSMutableDataWithEndian& in,
                                                     std::optional<PriceFrame>& frame) {
    auto quote = std::make_shared<YiKouJia>();
    quote->commodityNum = in.readInt16().value_or(0);
    quote->spType = in.readUInt8().value_or(0);
    quote->pkLegth = in.readInt16().value_or(0);
    frame.reset();
    if (in.failed() || (quote->pkLegth != 0 && quote->pkLegth != HQProtocol::kPricePartLength)) {
        fail();
        return nullptr;
    }
    if (quote->pkLegth == 0) {
        return quote;
    }
    frame = readFrame(in);
    if (!frame) {
        fail();
        return nullptr;
    }
    double* prices[] = {&quote->newPrice,       &quote->buyPrice,    &quote->sellPrice,
                        &quote->heigthestPrice, &quote->lowestPrice, &quote->todayOpen,
                        &quote->yesterdayClose};
    for (double* price : prices) {
        *price = readPrice(in, *frame).value_or(0);
    }
    quote->gpNum = in.readInt32().value_or(0);
    quote->gpNumSell = in.readInt32().value_or(0);
    quote->latestPriceTime = in.readInt64().value_or(0);
    if (in.failed()) {
        fail();
        return nullptr;
    }
    quote->leastChPrice = frame->scale;
    quote->addPrice = quote->newPrice - quote->yesterdayClose;
    quote->addPriceStr = Text::format("%.*f", static_cast<int>(frame->scale), quote->addPrice);
    quote->zhangfuStr = changeRateText(quote->addPrice, quote->yesterdayClose);
    quote->textColor = UIColorJudgeDataColor::getLableColorWithData(quote->addPrice);
    quote->HighColor =
        UIColorJudgeDataColor::judgeColorWithData(quote->heigthestPrice, quote->yesterdayClose);
    quote->LowColor =
        UIColorJudgeDataColor::judgeColorWithData(quote->lowestPrice, quote->yesterdayClose);
    return quote;
}

std::optional<HQReplyData> HQDataAnalysis::quoteList(NSMutableDataWithEndian& in, int serverIndex) {
    const int16_t market = in.readInt16().value_or(0);
    const int16_t disk = in.readInt16().value_or(0);
    const uint16_t count = in.readUInt16().value_or(0);
    std::vector<std::shared_ptr<YiKouJia>> quotes;
    for (uint16_t i = 0; i < count && !in.failed(); ++i) {
        std::optional<PriceFrame> frame;
        auto quote = quoteEntry(in, frame);
        if (!quote) {
            return std::nullopt;
        }
        quote->MarketID = market;
        quote->DiskID = disk;
        quote->hpIndex = serverIndex;
        quotes.push_back(quote);
    }
    if (in.failed()) {
        fail();
        return std::nullopt;
    }
    return HQReplyData(std::move(quotes));
}

template <typename Level>
bool HQDataAnalysis::readBookSide(NSMutableDataWithEndian& in, const PriceFrame& frame,
                                  std::vector<std::shared_ptr<Level>>& side, double Level::*price) {
    const uint8_t count = in.readUInt8().value_or(0);
    if (count > kMaxBookLevels) {
        return fail();
    }
    for (uint8_t i = 0; i < count && !in.failed(); ++i) {
        auto level = std::make_shared<Level>();
        (*level).*price = readPrice(in, frame).value_or(0);
        level->wuDangGPCount = in.readInt32().value_or(0);
        level->wuDangZPCount = in.readInt32().value_or(0);
        side.push_back(level);
    }
    return !in.failed() || fail();
}

std::optional<HQReplyData> HQDataAnalysis::oneQuote(NSMutableDataWithEndian& in, int serverIndex) {
    const int16_t market = in.readInt16().value_or(0);
    const int16_t disk = in.readInt16().value_or(0);
    std::optional<PriceFrame> frame;
    auto quote = in.failed() ? nullptr : quoteEntry(in, frame);
    if (!quote) {
        fail();
        return std::nullopt;
    }
    quote->MarketID = market;
    quote->DiskID = disk;
    quote->hpIndex = serverIndex;
    quote->pankouxuhao = in.readInt32().value_or(0);
    const uint8_t hasBook = in.readUInt8().value_or(0);
    if (in.failed() || hasBook > 1 || (hasBook == 1 && !frame)) {
        fail();
        return std::nullopt;
    }
    if (hasBook == 1) {
        quote->wudang->WDNum = in.readInt32().value_or(0);
        if (!readBookSide(in, *frame, quote->wudang->sellPriceAry, &wuDangSell::wuDangSellPrice) ||
            !readBookSide(in, *frame, quote->wudang->buyPriceAry, &wuDangBuy::wuDangBuyPrice)) {
            return std::nullopt;
        }
    }
    const uint16_t tradeCount = in.readUInt16().value_or(0);
    if (tradeCount > 0 && !frame) {
        fail();
        return std::nullopt;
    }
    for (uint16_t i = 0; i < tradeCount && !in.failed(); ++i) {
        auto trade = std::make_shared<::fenbi>();
        trade->fbIndex = in.readInt32().value_or(0);
        trade->fbTime = in.readInt64().value_or(0);
        trade->fbPrice = readPrice(in, *frame).value_or(0);
        trade->fbcjl = in.readInt32().value_or(0);
        quote->fenbi.push_back(trade);
    }
    if (in.failed() || tradeCount > INT16_MAX) {
        fail();
        return std::nullopt;
    }
    quote->fenbiNum = static_cast<int16_t>(tradeCount);
    return HQReplyData(quote);
}

std::optional<HQReplyData> HQDataAnalysis::zipSec(NSMutableDataWithEndian& in) {
    const uint16_t count = in.readUInt16().value_or(0);
    std::vector<HQZipSecEntry> keys;
    for (uint16_t i = 0; i < count && !in.failed(); ++i) {
        auto sign = readText(in);
        auto sec = readText(in);
        if (!sign || !sec) {
            fail();
            return std::nullopt;
        }
        keys.push_back({{"secSign", *sign}, {"sec", *sec}});
    }
    if (in.failed()) {
        fail();
        return std::nullopt;
    }
    return HQReplyData(std::move(keys));
}

std::optional<HQReplyData> HQDataAnalysis::periods(NSMutableDataWithEndian& in) {
    const uint8_t count = in.readUInt8().value_or(0);
    std::vector<std::shared_ptr<KPeriodDataItem>> list;
    for (uint8_t i = 0; i < count && !in.failed(); ++i) {
        auto period = std::make_shared<KPeriodDataItem>();
        period->periodID = in.readUInt8().value_or(0);
        auto name = readText(in);
        if (!name) {
            fail();
            return std::nullopt;
        }
        period->periodName = *name;
        list.push_back(period);
    }
    if (in.failed()) {
        fail();
        return std::nullopt;
    }
    return HQReplyData(std::move(list));
}

std::optional<std::vector<std::string>> HQDataAnalysis::urls(NSMutableDataWithEndian& in) {
    const uint16_t count = in.readUInt16().value_or(0);
    std::vector<std::string> list;
    for (uint16_t i = 0; i < count && !in.failed(); ++i) {
        auto url = readText(in);
        if (!url) {
            fail();
            return std::nullopt;
        }
        list.push_back(*url);
    }
    if (in.failed()) {
        fail();
        return std::nullopt;
    }
    return list;
}

std::shared_ptr<ReturnKLineData> HQDataAnalysis::series(NSMutableDataWithEndian& in,
                                                        bool withUrls) {
    auto series = std::make_shared<ReturnKLineData>();
    series->commodityNum = in.readInt16().value_or(0);
    series->commodityPeriod = in.readInt16().value_or(0);
    const auto frame = readFrame(in);
    const int32_t barCount = in.readInt32().value_or(-1);
    if (!frame || barCount < 0) {
        fail();
        return nullptr;
    }
    for (int32_t i = 0; i < barCount && !in.failed(); ++i) {
        auto bar = std::make_shared<KLineDataItem>();
        bar->date = in.readInt64().value_or(0);
        bar->open = static_cast<float>(readPrice(in, *frame).value_or(0));
        bar->close = static_cast<float>(readPrice(in, *frame).value_or(0));
        bar->highest = static_cast<float>(readPrice(in, *frame).value_or(0));
        bar->lowest = static_cast<float>(readPrice(in, *frame).value_or(0));
        series->klineDataItemsArray.push_back(bar);
    }
    if (in.failed()) {
        fail();
        return nullptr;
    }
    if (!withUrls) {
        return series;
    }
    auto list = urls(in);
    if (!list) {
        return nullptr;
    }
    for (auto& url : *list) {
        series->URLArray.push_back(std::make_shared<KXianURL>(KXianURL{std::move(url)}));
    }
    return series;
}

std::optional<HQDataAnalysis::KLineSeries> HQDataAnalysis::kLineSeriesList(
    NSMutableDataWithEndian& in) {
    const uint16_t count = in.readUInt16().value_or(0);
    KLineSeries list;
    for (uint16_t i = 0; i < count && !in.failed(); ++i) {
        auto one = series(in, true);
        if (!one) {
            return std::nullopt;
        }
        list.push_back(one);
    }
    if (in.failed()) {
        fail();
        return std::nullopt;
    }
    return list;
}

std::shared_ptr<CommodityFenShiDataItem> HQDataAnalysis::fenShiItem(NSMutableDataWithEndian& in) {
    auto item = std::make_shared<CommodityFenShiDataItem>();
    item->commodityID = in.readInt16().value_or(0);
    item->utcOffsetMinutes = in.readInt16().value_or(0);
    const int offset = item->utcOffsetMinutes;
    const auto frame = readFrame(in);
    if (!frame) {
        fail();
        return nullptr;
    }
    item->yesterdayClose = readPrice(in, *frame).value_or(0);
    item->todayOpen = readPrice(in, *frame).value_or(0);
    item->highestPrice = readPrice(in, *frame).value_or(0);
    item->highestPriceTime = in.readInt64().value_or(0);
    item->lowestPrice = readPrice(in, *frame).value_or(0);
    item->lowestPriceTime = in.readInt64().value_or(0);
    const uint8_t dayCount = in.readUInt8().value_or(0);
    for (uint8_t d = 0; d < dayCount && !in.failed(); ++d) {
        auto day = std::make_shared<TradingDayNum>();
        const int64_t dayStart = in.readInt64().value_or(0);
        if (!isPlausibleTime(dayStart)) {
            fail();
            return nullptr;
        }
        day->tradingDay = dayText(dayStart, offset);
        const uint16_t recordCount = in.readUInt16().value_or(0);
        for (uint16_t r = 0; r < recordCount && !in.failed(); ++r) {
            auto record = std::make_shared<FenShiRecordNum>();
            const int64_t minute = in.readInt64().value_or(0);
            if (!isPlausibleTime(minute)) {
                fail();
                return nullptr;
            }
            record->fenShiTime = minuteText(minute, offset);
            record->leastPrice = readPrice(in, *frame).value_or(0);
            record->averagePrice = readPrice(in, *frame).value_or(0);
            record->xianShou = in.readInt32().value_or(0);
            day->fenShiRecordNumArray.push_back(record);
        }
        item->tradingDayNumArray.push_back(day);
    }
    auto list = in.failed() ? std::nullopt : urls(in);
    if (!list) {
        fail();
        return nullptr;
    }
    for (auto& url : *list) {
        item->URLArray.push_back(std::make_shared<FenShiURL>(FenShiURL{std::move(url)}));
    }
    return item;
}

std::optional<HQDataAnalysis::FenShiItems> HQDataAnalysis::fenShiItems(
    NSMutableDataWithEndian& in) {
    const uint16_t count = in.readUInt16().value_or(0);
    FenShiItems items;
    for (uint16_t i = 0; i < count && !in.failed(); ++i) {
        auto item = fenShiItem(in);
        if (!item) {
            return std::nullopt;
        }
        items.push_back(item);
    }
    if (in.failed()) {
        fail();
        return std::nullopt;
    }
    return items;
}

std::optional<HQDataAnalysis::KLineSeries> HQDataAnalysis::analysisManyDayKXianZipData(
    const Bytes& bytes) {
    NSMutableDataWithEndian in(bytes);
    auto one = series(in, false);
    if (!one || !finish(in)) {
        return std::nullopt;
    }
    return KLineSeries{one};
}

void HQDataAnalysis::analysisManyDayFenShiZipData(const Bytes& bytes) {
    NSMutableDataWithEndian in(bytes);
    auto items = fenShiItems(in);
    bool ok = items && finish(in);
    for (const auto& item : ok ? *items : FenShiItems{}) {
        ok = item->URLArray.empty() ? ok : fail();
    }
    if (!ok) {
        if (m_delegate) {
            m_delegate->dataAnalysisFailed(m_errorMessage, this);
        }
        return;
    }
    m_manyDayZipFenShiDic = {{"data", *items}};
    if (m_delegate) {
        m_delegate->dataAnalysisFinished(this);
    }
}
