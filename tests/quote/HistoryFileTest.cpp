#include <gtest/gtest.h>
#include <zlib.h>

#include "base/Base64Codec.h"
#include "base/NSDataAES128.h"
#include "platform/foundation/HttpClient.h"
#include "quote/HQDataAnalysis.h"
#include "quote/HQDataAnalysisDelegate.h"
#include "quote/QuoteSimTest.h"

namespace {

using Series = std::vector<std::shared_ptr<ReturnKLineData>>;
using FenShi = std::vector<std::shared_ptr<CommodityFenShiDataItem>>;

// zlib or gzip, whichever the stream starts with.
std::optional<Bytes> inflateAny(const Bytes& packed) {
    z_stream stream{};
    if (inflateInit2(&stream, 47) != Z_OK) {
        return std::nullopt;
    }
    Bytes out(packed.size() * 8 + 1024);
    stream.next_in = const_cast<Bytef*>(packed.data());
    stream.avail_in = static_cast<uInt>(packed.size());
    int result = Z_OK;
    while (result == Z_OK) {
        if (stream.total_out == out.size()) {
            out.resize(out.size() * 2);
        }
        stream.next_out = out.data() + stream.total_out;
        stream.avail_out = static_cast<uInt>(out.size() - stream.total_out);
        result = inflate(&stream, Z_SYNC_FLUSH);
    }
    out.resize(stream.total_out);
    inflateEnd(&stream);
    if (result != Z_STREAM_END) {
        return std::nullopt;
    }
    return out;
}

class FenShiFileListener : public HQDataAnalysisDelegate {
public:
    void dataAnalysisFinished(HQDataAnalysis* parser) override {
        items = parser->manyDayZipFenShiDic().at("data");
    }
    FenShi items;
};

class HistoryFileTest : public QuoteSimTest {
protected:
    void SetUp() override {
        QuoteSimTest::SetUp();
        logIn(0);
        m_keys = dataOf<std::vector<HQZipSecEntry>>(chartRequest(commodity(1, 1, 2), "zipsec"));
    }

    // Fetches a file and opens it with the key its name's first three characters choose.
    std::optional<Bytes> open(const std::string& url, bool withKeyOfAnotherFile = false) {
        HttpRequest get;
        get.url = url;
        const HttpResponse response = HttpClient::sendSynchronously(get);
        EXPECT_EQ(response.statusCode, 200) << url;
        const std::string name = url.substr(url.find_last_of('/') + 1);
        std::optional<Bytes> key;
        for (const auto& entry : m_keys) {
            const bool match = entry.at("secSign") == name.substr(0, 3);
            if (match != withKeyOfAnotherFile) {
                key = Base64Codec::decodeString(entry.at("sec"));
            }
        }
        if (!key) {
            return std::nullopt;
        }
        auto plain = NSDataAES128::SpecialAES128DecryptWithKey(response.body, *key);
        return plain ? inflateAny(*plain) : std::nullopt;
    }

    std::vector<HQZipSecEntry> m_keys;
};

}  // namespace

TEST_F(HistoryFileTest, shouldOpenKLineFilesOlderThanTheReplyInZlibAndGzip) {
    auto package = commodity(1, 1, 2);
    package->period = "6";
    package->numberOfRequest = "3000";
    package->requestTime = "-1";
    package->direction = "0";
    package->searchDayCount = "30";
    const auto series = dataOf<Series>(chartRequest(package, "manydaykxian"));
    ASSERT_EQ(series.size(), 1u);
    const auto& urls = series[0]->URLArray;
    ASSERT_GE(urls.size(), 2u);
    const int64_t replyFirst = series[0]->klineDataItemsArray.front()->date;
    for (size_t i = urls.size() - 2; i < urls.size(); ++i) {
        const auto inflated = open(urls[i]->URLPath);
        ASSERT_TRUE(inflated) << urls[i]->URLPath;
        const auto file = HQDataAnalysis().analysisManyDayKXianZipData(*inflated);
        ASSERT_TRUE(file) << urls[i]->URLPath;
        const auto& bars = (*file)[0]->klineDataItemsArray;
        ASSERT_FALSE(bars.empty());
        EXPECT_LT(bars.front()->date, replyFirst);
        EXPECT_EQ((*file)[0]->commodityNum, 2);
        EXPECT_EQ((*file)[0]->commodityPeriod, 6);
        EXPECT_TRUE(std::is_sorted(bars.begin(), bars.end(),
                                   [](const auto& a, const auto& b) { return a->date < b->date; }));
    }
    EXPECT_FALSE(open(urls.back()->URLPath, true));
}

TEST_F(HistoryFileTest, shouldOpenTodaysTimeSharingFileUpToNow) {
    const auto items = dataOf<FenShi>(chartRequest(commodity(1, 1, 2), "manydayfenshi"));
    ASSERT_EQ(items.size(), 1u);
    ASSERT_EQ(items[0]->URLArray.size(), 1u);
    const auto inflated = open(items[0]->URLArray[0]->URLPath);
    ASSERT_TRUE(inflated);
    FenShiFileListener listener;
    HQDataAnalysis parser;
    parser.setDelegate(&listener);
    parser.analysisManyDayFenShiZipData(*inflated);
    ASSERT_EQ(listener.items.size(), 1u);
    const auto& day = *listener.items[0]->tradingDayNumArray.at(0);
    EXPECT_EQ(day.tradingDay, "20261204");
    ASSERT_EQ(day.fenShiRecordNumArray.size(), 14u * 60 + 31);
    EXPECT_EQ(day.fenShiRecordNumArray.front()->fenShiTime, "0000");
    EXPECT_EQ(day.fenShiRecordNumArray.back()->fenShiTime, "1430");
    const auto& latest = items[0]->tradingDayNumArray.at(0)->fenShiRecordNumArray;
    EXPECT_DOUBLE_EQ(day.fenShiRecordNumArray.back()->leastPrice, latest.back()->leastPrice);
    EXPECT_DOUBLE_EQ(day.fenShiRecordNumArray.back()->averagePrice, latest.back()->averagePrice);
}
