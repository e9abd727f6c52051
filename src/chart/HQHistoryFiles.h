#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/foundation/Bytes.h"
#include "quote/HQReplyData.h"

struct CommodityFenShiDataItem;
struct ReturnKLineData;

// The many-day history files a first chart reply names: fetched whole,
// decrypted with the key whose sign starts the file name, inflated and
// joined with the reply. Stateless; the fetches block, so they run on a
// background queue.
class HQHistoryFiles {
public:
    using KLineSeries = std::vector<std::shared_ptr<ReturnKLineData>>;
    using FenShiItems = std::vector<std::shared_ptr<CommodityFenShiDataItem>>;

    // zlib or gzip; empty input comes back unchanged, a broken stream as nothing.
    static std::optional<Bytes> uncompressZippedData(const Bytes& data);
    // The key whose "secSign" equals the file name's first three characters (the
    // last such entry wins).
    static std::optional<Bytes> keyForFile(const std::string& url,
                                           const std::vector<HQZipSecEntry>& keys);
    // Fetch, decrypt and inflate one file; nothing when any step fails.
    static std::optional<Bytes> fetchFile(const std::string& url,
                                          const std::vector<HQZipSecEntry>& keys);
    // The files a first K-line reply names, newest first, at most four.
    static std::vector<std::string> kLineFileUrls(const ReturnKLineData& reply);
    // Adds every file bar dated before the reply's first bar and sorts by date.
    static void joinOlderBars(ReturnKLineData& reply, const std::vector<KLineSeries>& files);
    // The file's minutes before the reply's first minute, then the reply's;
    // false when either has no trading day.
    static bool joinFenShiDay(CommodityFenShiDataItem& reply, CommodityFenShiDataItem& file);
};
