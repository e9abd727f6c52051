#pragma once

// Strict parser of quote-server replies and many-day history files (docs/quote-protocol.md): a
// reply is accepted only when it is read exactly, so a short, long or corrupted one gives nothing
// and errorMessage() names where reading stopped ("类%s:%d行"); no read ever passes the end.
// One parser per reply, made and used on one thread (main, or a history download's worker).

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <source_location>
#include <string>
#include <vector>

#include "platform/foundation/Bytes.h"
#include "quote/HQReplyData.h"

class HQDataAnalysisDelegate;
class NSMutableDataWithEndian;

class HQDataAnalysis {
public:
    struct Head {
        uint16_t protocol = 0;
        int32_t code = 0;
    };
    struct ServerTime {
        int64_t time = 0;
        int16_t utcOffsetMinutes = 0;
    };
    using FenShiItems = std::vector<std::shared_ptr<CommodityFenShiDataItem>>;
    using KLineSeries = std::vector<std::shared_ptr<ReturnKLineData>>;

    // The head of a reply, when it has at least the head's bytes.
    std::optional<Head> analysisHead(const Bytes& reply);
    // The body of a successful reply to `protocol`: nothing when the protocol differs or the
    // head's length does not match the bytes that follow.
    std::optional<Bytes> analysisBody(uint16_t protocol, const Bytes& reply);

    std::optional<SeverProtocol> analysisSeverProtocol(const Bytes& body);
    std::optional<uint32_t> analysisLogin(const Bytes& body);
    std::optional<ServerTime> analysisServerTime(const Bytes& body);
    // A data reply's body as its requester receives it; `serverIndex` marks the records that
    // carry one (MarketIndex, panindex, hpIndex).
    std::optional<HQReplyData> analysisData(const std::string& type, const Bytes& body,
                                            int serverIndex);

    // An inflated many-day K-line file: array whose element 0 holds the file's bars.
    std::optional<KLineSeries> analysisManyDayKXianZipData(const Bytes& bytes);
    // An inflated many-day time-sharing file; tells the delegate before it returns.
    void analysisManyDayFenShiZipData(const Bytes& bytes);
    void setDelegate(HQDataAnalysisDelegate* delegate) { m_delegate = delegate; }
    // {"data": the file's items} after a successful parse, else empty.
    const std::map<std::string, FenShiItems>& manyDayZipFenShiDic() const {
        return m_manyDayZipFenShiDic;
    }

    const std::string& errorMessage() const { return m_errorMessage; }

    // "yyyyMMdd" and "HHmm" of a time in a zone utcOffsetMinutes east of UTC; "" for a time
    // outside years 1..9999.
    static std::string dayText(int64_t ms, int utcOffsetMinutes);
    static std::string minuteText(int64_t ms, int utcOffsetMinutes);

private:
    struct PriceFrame {
        uint8_t scale = 0;
        int32_t base = 0;
        double value(int32_t offset) const;
    };

    bool fail(std::source_location where = std::source_location::current());
    bool finish(NSMutableDataWithEndian& in);
    std::optional<std::string> readText(NSMutableDataWithEndian& in);
    std::optional<PriceFrame> readFrame(NSMutableDataWithEndian& in);
    std::optional<double> readPrice(NSMutableDataWithEndian& in, const PriceFrame& frame);

    std::optional<HQReplyData> marketList(NSMutableDataWithEndian& in, int serverIndex);
    std::optional<HQReplyData> commodityList(NSMutableDataWithEndian& in, int serverIndex);
    std::optional<HQReplyData> tradingTime(NSMutableDataWithEndian& in, int serverIndex);
    std::optional<HQReplyData> quoteList(NSMutableDataWithEndian& in, int serverIndex);
    std::optional<HQReplyData> oneQuote(NSMutableDataWithEndian& in, int serverIndex);
    template <typename Level>
    bool readBookSide(NSMutableDataWithEndian& in, const PriceFrame& frame,
                      std::vector<std::shared_ptr<Level>>& side, double Level::*price);
    std::optional<HQReplyData> zipSec(NSMutableDataWithEndian& in);
    std::optional<HQReplyData> periods(NSMutableDataWithEndian& in);
    std::optional<FenShiItems> fenShiItems(NSMutableDataWithEndian& in);
    std::optional<KLineSeries> kLineSeriesList(NSMutableDataWithEndian& in);

    std::shared_ptr<YiKouJia> quoteEntry(NSMutableDataWithEndian& in,
                                         std::optional<PriceFrame>& frame);
    std::shared_ptr<ReturnKLineData> series(NSMutableDataWithEndian& in, bool withUrls);
    std::shared_ptr<CommodityFenShiDataItem> fenShiItem(NSMutableDataWithEndian& in);
    std::optional<std::vector<std::string>> urls(NSMutableDataWithEndian& in);

    HQDataAnalysisDelegate* m_delegate = nullptr;
    std::map<std::string, FenShiItems> m_manyDayZipFenShiDic;
    std::string m_errorMessage;
};
