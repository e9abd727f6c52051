#include "chart/HQHistoryFiles.h"

#include <zlib.h>

#include <algorithm>
#include <unordered_set>

#include "base/Base64Codec.h"
#include "base/NSDataAES128.h"
#include "chart/ChartTime.h"
#include "platform/foundation/DayLog.h"
#include "platform/foundation/HttpClient.h"
#include "quote/HQDataAnalysis.h"
#include "quote/HQDataAnalysisDelegate.h"
#include "quote/QuoteRecords.h"

namespace {

constexpr size_t kSignLength = 3;
constexpr size_t kMostKLineFiles = 4;
constexpr int kAutoDetectHeader = 15 + 32;
constexpr int kHttpOk = 200;

std::string fileName(const std::string& url) {
    const auto slash = url.rfind('/');
    return slash == std::string::npos ? url : url.substr(slash + 1);
}

template <typename Content>
HQHistoryFiles::Result<Content> failed(const std::string& url, const std::string& why) {
    DayLog::append("history file " + fileName(url) + ": " + why + "\n");
    return {Content{}, why};
}

// Keeps the parse result of one time-sharing history file.
class FenShiFileReader : public HQDataAnalysisDelegate {
public:
    void dataAnalysisFinished(HQDataAnalysis* parser) override {
        const auto found = parser->manyDayZipFenShiDic().find("data");
        if (found != parser->manyDayZipFenShiDic().end()) {
            items = found->second;
            parsed = true;
        }
    }
    HQDataAnalysis::FenShiItems items;
    bool parsed = false;
};

}  // namespace

std::optional<Bytes> HQHistoryFiles::uncompressZippedData(const Bytes& data) {
    if (data.empty()) {
        return data;
    }
    // At least one byte, so that a one-byte input still grows the buffer.
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

HQHistoryFiles::Result<Bytes> HQHistoryFiles::fetchFile(const std::string& url,
                                                        const std::vector<HQZipSecEntry>& keys,
                                                        double timeoutSeconds) {
    HttpRequest request;
    request.url = url;
    request.timeoutSeconds = timeoutSeconds;
    const HttpResponse response = HttpClient::sendSynchronously(request);
    if (response.failed()) {
        return failed<Bytes>(url, response.errorText.empty() ? kEmptyData : response.errorText);
    }
    if (response.statusCode != kHttpOk) {
        return failed<Bytes>(url, "HTTP " + std::to_string(response.statusCode));
    }
    if (response.body.empty()) {
        return failed<Bytes>(url, kEmptyData);
    }
    const auto key = keyForFile(url, keys);
    if (!key) {
        return failed<Bytes>(url, "no key for its sign");
    }
    const auto plain = NSDataAES128::SpecialAES128DecryptWithKey(response.body, *key);
    if (!plain) {
        return failed<Bytes>(url, "cannot be decrypted");
    }
    auto inflated = uncompressZippedData(*plain);
    if (!inflated) {
        return failed<Bytes>(url, "cannot be inflated");
    }
    return {std::move(*inflated), {}};
}

HQHistoryFiles::Result<HQHistoryFiles::KLineSeries> HQHistoryFiles::fetchKLineFile(
    const std::string& url, const std::vector<HQZipSecEntry>& keys, double timeoutSeconds) {
    auto file = fetchFile(url, keys, timeoutSeconds);
    if (!file.ok()) {
        return {{}, file.failure};
    }
    HQDataAnalysis parser;
    auto series = parser.analysisManyDayKXianZipData(file.content);
    if (!series || series->empty() || !series->front()) {
        return failed<KLineSeries>(url, "not a K-line file");
    }
    return {std::move(*series), {}};
}

HQHistoryFiles::Result<HQHistoryFiles::FenShiItems> HQHistoryFiles::fetchFenShiFile(
    const std::string& url, const std::vector<HQZipSecEntry>& keys, double timeoutSeconds) {
    auto file = fetchFile(url, keys, timeoutSeconds);
    if (!file.ok()) {
        return {{}, file.failure};
    }
    FenShiFileReader reader;
    HQDataAnalysis parser;
    parser.setDelegate(&reader);
    parser.analysisManyDayFenShiZipData(file.content);
    if (!reader.parsed) {
        return failed<FenShiItems>(url, "not a time-sharing file");
    }
    return {std::move(reader.items), {}};
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
    std::unordered_set<int64_t> added;
    for (const auto& file : files) {
        if (file.empty() || !file.front()) {
            continue;
        }
        for (const auto& bar : file.front()->klineDataItemsArray) {
            if (bar && bar->date < first && added.insert(bar->date).second) {
                bars.push_back(bar);
            }
        }
    }
    std::stable_sort(bars.begin(), bars.end(),
                     [](const auto& a, const auto& b) { return a->date < b->date; });
}

bool HQHistoryFiles::joinFenShiDay(CommodityFenShiDataItem& reply, CommodityFenShiDataItem& file,
                                   int startMinutes) {
    if (reply.tradingDayNumArray.empty() || file.tradingDayNumArray.empty() ||
        !reply.tradingDayNumArray.front() || !file.tradingDayNumArray.front()) {
        return false;
    }
    auto& replyRecords = reply.tradingDayNumArray.front()->fenShiRecordNumArray;
    auto& fileRecords = file.tradingDayNumArray.front()->fenShiRecordNumArray;
    if (!replyRecords.empty() && replyRecords.front()) {
        const auto since = [startMinutes](const std::string& text) {
            return charttime::minutesSinceStart(text, startMinutes);
        };
        const int from = since(replyRecords.front()->fenShiTime);
        std::erase_if(fileRecords, [&](const auto& record) {
            return !record || since(record->fenShiTime) >= from;
        });
    }
    fileRecords.insert(fileRecords.end(), replyRecords.begin(), replyRecords.end());
    replyRecords = fileRecords;
    return true;
}
