#include "chart/HQHistoryFiles.h"

#include <zlib.h>

#include <algorithm>
#include <cstdlib>

#include "base/Base64Codec.h"
#include "base/NSDataAES128.h"
#include "platform/foundation/HttpClient.h"
#include "quote/QuoteRecords.h"

namespace {

constexpr size_t kSignLength = 3;
constexpr size_t kMostKLineFiles = 4;
constexpr int kAutoDetectHeader = 15 + 32;

std::string fileName(const std::string& url) {
    const auto slash = url.rfind('/');
    return slash == std::string::npos ? url : url.substr(slash + 1);
}

}  // namespace

std::optional<Bytes> HQHistoryFiles::uncompressZippedData(const Bytes& data) {
    if (data.empty()) {
        return data;
    }
    const size_t half = data.size() / 2 + 1;
    Bytes out(data.size() + half);
    z_stream stream{};
    stream.next_in = const_cast<Bytef*>(data.data());
    stream.avail_in = static_cast<uInt>(data.size());
    if (inflateInit2(&stream, kAutoDetectHeader) != Z_OK) {
        return std::nullopt;
    }
    for (;;) {
        if (stream.total_out >= out.size()) {
            out.resize(out.size() + half);
        }
        stream.next_out = out.data() + stream.total_out;
        stream.avail_out = static_cast<uInt>(out.size() - stream.total_out);
        const int status = inflate(&stream, Z_SYNC_FLUSH);
        if (status == Z_STREAM_END) {
            break;
        }
        // A stream that stops short makes no progress: it is broken, not long.
        if (status != Z_OK || (stream.avail_in == 0 && stream.avail_out > 0)) {
            inflateEnd(&stream);
            return std::nullopt;
        }
    }
    if (inflateEnd(&stream) != Z_OK) {
        return std::nullopt;
    }
    out.resize(stream.total_out);
    return out;
}

std::optional<Bytes> HQHistoryFiles::keyForFile(const std::string& url,
                                                const std::vector<HQZipSecEntry>& keys) {
    const std::string sign = fileName(url).substr(0, kSignLength);
    std::optional<Bytes> key;
    for (const auto& entry : keys) {
        const auto found = entry.find("secSign");
        const auto sec = entry.find("sec");
        if (found == entry.end() || sec == entry.end() || found->second != sign) {
            continue;
        }
        key = Base64Codec::decodeString(sec->second);
    }
    return key;
}

std::optional<Bytes> HQHistoryFiles::fetchFile(const std::string& url,
                                               const std::vector<HQZipSecEntry>& keys) {
    HttpRequest request;
    request.url = url;
    const HttpResponse response = HttpClient::sendSynchronously(request);
    if (response.failed() || response.statusCode != 200 || response.body.empty()) {
        return std::nullopt;
    }
    const auto key = keyForFile(url, keys);
    if (!key) {
        return std::nullopt;
    }
    const auto plain = NSDataAES128::SpecialAES128DecryptWithKey(response.body, *key);
    return plain ? uncompressZippedData(*plain) : std::nullopt;
}

std::vector<std::string> HQHistoryFiles::kLineFileUrls(const ReturnKLineData& reply) {
    std::vector<std::string> urls;
    for (auto it = reply.URLArray.rbegin();
         it != reply.URLArray.rend() && urls.size() < kMostKLineFiles; ++it) {
        if (*it) {
            urls.push_back((*it)->URLPath);
        }
    }
    return urls;
}

void HQHistoryFiles::joinOlderBars(ReturnKLineData& reply, const std::vector<KLineSeries>& files) {
    auto& bars = reply.klineDataItemsArray;
    if (bars.empty() || !bars.front()) {
        return;
    }
    const int64_t first = bars.front()->date;
    for (const auto& file : files) {
        if (file.empty() || !file.front()) {
            continue;
        }
        for (const auto& bar : file.front()->klineDataItemsArray) {
            if (bar && bar->date < first) {
                bars.push_back(bar);
            }
        }
    }
    std::stable_sort(bars.begin(), bars.end(),
                     [](const auto& a, const auto& b) { return a->date < b->date; });
}

bool HQHistoryFiles::joinFenShiDay(CommodityFenShiDataItem& reply, CommodityFenShiDataItem& file) {
    if (reply.tradingDayNumArray.empty() || file.tradingDayNumArray.empty() ||
        !reply.tradingDayNumArray.front() || !file.tradingDayNumArray.front()) {
        return false;
    }
    auto& replyRecords = reply.tradingDayNumArray.front()->fenShiRecordNumArray;
    auto& fileRecords = file.tradingDayNumArray.front()->fenShiRecordNumArray;
    if (!replyRecords.empty() && replyRecords.front()) {
        const int from = std::atoi(replyRecords.front()->fenShiTime.c_str());
        std::erase_if(fileRecords, [from](const auto& record) {
            return !record || std::atoi(record->fenShiTime.c_str()) >= from;
        });
    }
    fileRecords.insert(fileRecords.end(), replyRecords.begin(), replyRecords.end());
    replyRecords = fileRecords;
    return true;
}
