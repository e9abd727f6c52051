#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "analytics/TLANRecords.h"
#include "platform/foundation/AtomicFile.h"
#include "platform/foundation/KeyedUnarchiver.h"
#include "platform/foundation/Paths.h"
#include "platform/foundation/PropertyList.h"
#include "platform/foundation/UserDefaults.h"
#include "quote/HQDataAnalysis.h"
#include "quote/HQDataAnalysisDelegate.h"
#include "trade/core/PXTradeDataAnalysis.h"
#include "trade/core/PXTradeHost.h"
#include "trade/core/PXTradeModule.h"

namespace {

Bytes damaged(const std::string& name) {
    std::ifstream file(std::string(VKJY_DAMAGED_INPUTS) + "/" + name, std::ios::binary);
    EXPECT_TRUE(file) << name;
    return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

struct TradeOutcome : PXTradeDataAnalysisDelegate {
    int finished = 0;
    int failed = 0;
    std::string message;
    void dataAnalysisFinished(PXTradeDataAnalysis*) override { ++finished; }
    void dataAnalysisFailed(const std::string&, PXTradeDataAnalysis* parser) override {
        ++failed;
        message = parser->JY_ErrorMessage();
    }
};

struct FenShiOutcome : HQDataAnalysisDelegate {
    int finished = 0;
    int failed = 0;
    void dataAnalysisFinished(HQDataAnalysis*) override { ++finished; }
    void dataAnalysisFailed(const std::string&, HQDataAnalysis*) override { ++failed; }
};

std::vector<std::filesystem::path> keptAside(const std::string& path) {
    std::vector<std::filesystem::path> kept;
    const std::filesystem::path original(path);
    for (const auto& entry : std::filesystem::directory_iterator(original.parent_path())) {
        if (entry.path().filename().string().rfind(original.filename().string() + ".damaged-", 0) ==
            0) {
            kept.push_back(entry.path());
        }
    }
    return kept;
}

std::string dayLogText() {
    std::string text;
    const std::string folder = Paths::join(Paths::documents(), "Logs");
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        std::ifstream file(entry.path(), std::ios::binary);
        text.append(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }
    return text;
}

}  // namespace

TEST(DamagedInputTest, aTradingReplyNested100000DeepIsUnreadableNotAStackOverflow) {
    const Bytes bytes = damaged("trade_deep_nesting_100k_asan_stack_overflow.bin");
    const std::string body(bytes.begin(), bytes.end());
    PXTradeHost host;
    PXTradeModule module(host);
    for (const bool holdings : {true, false}) {
        TradeOutcome outcome;
        PXTradeDataAnalysis parser(module);
        parser.setDelegate(&outcome);
        if (holdings) {
            parser.analysisChiCangHuiZongJY(body);
        } else {
            parser.analysisChengJiaoHuiBaoPXJY(body);
        }
        EXPECT_EQ(outcome.finished, 0);
        EXPECT_EQ(outcome.failed, 1);
        EXPECT_EQ(outcome.message, "服务器返回数据失败！");
    }
}

TEST(DamagedInputTest, aTradingReplyOfRealDepthIsStillRead) {
    PXTradeHost host;
    PXTradeModule module(host);
    TradeOutcome outcome;
    PXTradeDataAnalysis parser(module);
    parser.setDelegate(&outcome);
    parser.analysisChiCangHuiZongJY(
        "{\"VUZI\":{\"REP\":{\"retcode\":0,\"TTLREC\":1,\"RESULTLIST\":{\"REC\":[{\"CO_I\":"
        "\"AG\",\"X\":[[[[1]]]]}]}}}}");
    EXPECT_EQ(outcome.finished, 1);
    ASSERT_TRUE(parser.JY_analysisedData());
    EXPECT_EQ(parser.JY_analysisedData()->size(), 1u);
}

TEST(DamagedInputTest, aPlistWithNulInAUtf16KeyIsUnreadableNotAnAbort) {
    EXPECT_FALSE(PropertyList::parse(damaged("plist_nul_in_utf16_key.bplist")));
}

TEST(DamagedInputTest, aPlistWithNulInAUtf16KeyAsUserDefaultsIsKeptAsideAndDefaultsStartEmpty) {
    const std::string path = Paths::join(Paths::preferences(), UserDefaults::kFileName);
    std::filesystem::create_directories(Paths::preferences());
    ASSERT_TRUE(AtomicFile::write(path, damaged("plist_nul_in_utf16_key.bplist")));
    UserDefaults::resetStandardUserDefaults();

    UserDefaults& defaults = UserDefaults::standardUserDefaults();
    EXPECT_FALSE(defaults.contains("a"));
    const auto kept = keptAside(path);
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(*AtomicFile::read(kept.front().string()), damaged("plist_nul_in_utf16_key.bplist"));
    EXPECT_NE(dayLogText().find(kept.front().filename().string()), std::string::npos);

    defaults.setString("1", "prompt");
    UserDefaults::resetStandardUserDefaults();
    EXPECT_EQ(UserDefaults::standardUserDefaults().stringForKey("prompt"), "1");
    EXPECT_EQ(keptAside(path).size(), 1u);
}

TEST(DamagedInputTest, aPlistWhoseObjectsShareReferencesIsRefusedWithinItsBudget) {
    EXPECT_FALSE(PropertyList::parse(damaged("plist_dag_bomb_d22.bplist")));
}

TEST(DamagedInputTest, aKeyedArchiveWhoseObjectsShareReferencesReadsWithinItsBudget) {
    const Bytes file = damaged("keyedarchive_dag_bomb_event_d22.bin");
    // Byte 0 chose the event list of the analytics cache.
    ASSERT_EQ(file.front(), 2);
    const Bytes archive(file.begin() + 1, file.end());
    std::size_t described = 0;
    for (const auto& event : KeyedUnarchiver::unarchiveObjects<TLANEvent>(archive)) {
        described += event->attributes().toPropertyList().description().size();
    }
    // 2^22 leaves would describe in far more than 100 MB.
    EXPECT_LT(described, std::size_t(100) << 20);
    const PropertyList value = KeyedUnarchiver::unarchiveValue(archive);
    EXPECT_LT(value.description().size(), std::size_t(100) << 20);
}

TEST(DamagedInputTest, aQuoteReplyWithExtremeTimesIsMalformed) {
    for (const char* name :
         {"quote_fenshi_day_start_int64max.bin", "quote_fenshi_minute_time_int64max.bin",
          "quote_fenshi_minute_time_int64min.bin"}) {
        const Bytes reply = damaged(name);
        HQDataAnalysis parser;
        const auto head = parser.analysisHead(reply);
        ASSERT_TRUE(head) << name;
        const auto body = parser.analysisBody(head->protocol, reply);
        ASSERT_TRUE(body) << name;
        EXPECT_FALSE(parser.analysisData("fenshi", *body, 0)) << name;
        EXPECT_FALSE(parser.errorMessage().empty()) << name;
    }
}

TEST(DamagedInputTest, aHistoryFileWithExtremeTimesIsMalformed) {
    for (const char* name :
         {"history_fenshi_day_start_int64max.bin", "history_fenshi_minute_time_int64max.bin"}) {
        const Bytes file = damaged(name);
        // Byte 0: bit 0 the time-sharing parser, bit 1 clear: the rest is the inflated file.
        ASSERT_EQ(file.front(), 1) << name;
        FenShiOutcome outcome;
        HQDataAnalysis parser;
        parser.setDelegate(&outcome);
        parser.analysisManyDayFenShiZipData(Bytes(file.begin() + 1, file.end()));
        EXPECT_EQ(outcome.failed, 1) << name;
        EXPECT_EQ(outcome.finished, 0) << name;
        EXPECT_TRUE(parser.manyDayZipFenShiDic().empty()) << name;
    }
}

TEST(DamagedInputTest, timeTextsOfTimesOutsideTheCalendarAreEmpty) {
    EXPECT_EQ(HQDataAnalysis::dayText(INT64_MAX, 480), "");
    EXPECT_EQ(HQDataAnalysis::minuteText(INT64_MIN, -720), "");
    // 2020-01-01 00:30 UTC, seen from UTC+8.
    EXPECT_EQ(HQDataAnalysis::dayText(1577838600000, 480), "20200101");
    EXPECT_EQ(HQDataAnalysis::minuteText(1577838600000, 480), "0830");
}
