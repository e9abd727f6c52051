#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/foundation/Bytes.h"
#include "quote/HQReplyData.h"

struct CommodityFenShiDataItem;
struct ReturnKLineData;

// The many-day history files a first chart reply names: fetched whole (with a time-out of
// their own), decrypted with the key whose sign starts the file name, inflated, parsed and
// joined with the reply. A file that cannot be used is written to the day log with the reason
// and contributes nothing. Stateless; the fetches block, so they run on a background queue,
// while the joins run where the chart's series live, on the main thread.
class HQHistoryFiles {
public:
    using KLineSeries = std::vector<std::shared_ptr<ReturnKLineData>>;
    using FenShiItems = std::vector<std::shared_ptr<CommodityFenShiDataItem>>;
    static constexpr double kFetchTimeoutSeconds = 15;
    static constexpr const char* kEmptyData = "接收到空数据";

    // One file's content, or why there is none.
    template <typename Content>
    struct Result {
        Content content{};
        std::string failure;
        bool ok() const { return failure.empty(); }
    };

    // zlib or gzip; empty input comes back unchanged, a broken stream as nothing.
    static std::optional<Bytes> uncompressZippedData(const Bytes& data);
    // The key whose "secSign" equals the file name's first three characters (the
    // last such entry wins).
    static std::optional<Bytes> keyForFile(const std::string& url,
                                           const std::vector<HQZipSecEntry>& keys);
    // Fetch, decrypt and inflate one file.
    static Result<Bytes> fetchFile(const std::string& url, const std::vector<HQZipSecEntry>& keys,
                                   double timeoutSeconds = kFetchTimeoutSeconds);
    // Fetch and parse a K-line file (one series) or a time-sharing file (its items).
    static Result<KLineSeries> fetchKLineFile(const std::string& url,
                                              const std::vector<HQZipSecEntry>& keys,
                                              double timeoutSeconds = kFetchTimeoutSeconds);
    static Result<FenShiItems> fetchFenShiFile(const std::string& url,
                                               const std::vector<HQZipSecEntry>& keys,
                                               double timeoutSeconds = kFetchTimeoutSeconds);
    // The files a first K-line reply names, newest first, at most four.
    static std::vector<std::string> kLineFileUrls(const ReturnKLineData& reply);
    // Adds the file bars dated before the reply's first bar, one bar per date (files overlap;
    // the first file given, the newest, wins), and sorts by date.
    static void joinOlderBars(ReturnKLineData& reply, const std::vector<KLineSeries>& files);
    // The file's minutes before the reply's first minute, then the reply's; false when either
    // has no trading day. Minutes are ordered by their distance from the start of trading
    // (`startMinutes` after midnight), so a trading day that runs past midnight joins in order.
    static bool joinFenShiDay(CommodityFenShiDataItem& reply, CommodityFenShiDataItem& file,
                              int startMinutes);
};
