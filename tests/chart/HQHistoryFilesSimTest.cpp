#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "chart/HQHistoryFiles.h"
#include "platform/foundation/DayLog.h"
#include "platform/foundation/Paths.h"
#include "quote/QuoteRecords.h"
#include "support/SimExchangeFixture.h"
#include "support/TempHome.h"

namespace {

constexpr int16_t kSilver = 1;
constexpr int kMinute = 1;

}  // namespace

// History files as the simulated quote server serves them, fetched the way the chart does.
class HistoryFilesSimTest : public SimExchangeFixture {
protected:
    void SetUp() override {
        SimExchangeFixture::SetUp();
        for (const auto& key : sim().historyFiles().keys()) {
            m_keys.push_back({{"secSign", key.sign}, {"sec", key.base64}});
        }
    }

    std::string url(const std::string& name) {
        std::string line = sim().quoteLineUrls(0).front();
        return line.substr(0, line.rfind('/')) + "/history/" + name;
    }

    std::string minuteFile(const std::string& day) {
        return sim().historyFiles().kLineName(kSilver, kMinute, day, std::stoi(day));
    }

    static std::string dayLog() {
        std::string text;
        const auto folder = Paths::join(Paths::documents(), DayLog::kDirectoryName);
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            std::ifstream file(entry.path());
            text += std::string(std::istreambuf_iterator<char>(file), {});
        }
        return text;
    }

    TempHome m_home;
    std::vector<HQZipSecEntry> m_keys;
};

TEST_F(HistoryFilesSimTest, shouldOpenZlibAndGzipFilesThatOverlapTheirNeighbours) {
    // Odd days come gzip-wrapped, even days zlib-wrapped.
    const auto older = HQHistoryFiles::fetchKLineFile(url(minuteFile("20261202")), m_keys);
    const auto newer = HQHistoryFiles::fetchKLineFile(url(minuteFile("20261203")), m_keys);
    ASSERT_TRUE(older.ok()) << older.failure;
    ASSERT_TRUE(newer.ok()) << newer.failure;
    const auto& olderBars = older.content.front()->klineDataItemsArray;
    const auto& newerBars = newer.content.front()->klineDataItemsArray;
    ASSERT_GT(olderBars.size(), 30u);
    // The newer file starts with the older file's last 30 bars.
    for (size_t i = 0; i < 30; ++i) {
        EXPECT_EQ(newerBars[i]->date, olderBars[olderBars.size() - 30 + i]->date) << i;
        EXPECT_FLOAT_EQ(newerBars[i]->close, olderBars[olderBars.size() - 30 + i]->close) << i;
    }
    ReturnKLineData reply;
    reply.klineDataItemsArray = {newerBars.back()};
    HQHistoryFiles::joinOlderBars(reply, {newer.content, older.content});
    EXPECT_EQ(reply.klineDataItemsArray.size(), olderBars.size() + newerBars.size() - 30);
    for (size_t i = 1; i < reply.klineDataItemsArray.size(); ++i) {
        ASSERT_LT(reply.klineDataItemsArray[i - 1]->date, reply.klineDataItemsArray[i]->date);
    }
}

TEST_F(HistoryFilesSimTest, shouldReportEachFileItCannotUseInTheDayLog) {
    const std::string damaged = minuteFile("20261201");
    sim().quoteServer(0).damageHistoryFile(damaged, true);
    struct Case {
        std::string name;
        std::vector<HQZipSecEntry> keys;
        std::string failure;
    };
    const std::vector<Case> cases = {
        {damaged, m_keys, "cannot be inflated"},
        {minuteFile("20261130"), {}, "no key for its sign"},
        {sim().historyFiles().kLineName(kSilver, kMinute, "19990101", 0), m_keys, "HTTP 404"},
        {sim().historyFiles().fenShiName(kSilver, "20261204"), m_keys, "not a K-line file"},
    };
    for (const Case& c : cases) {
        const auto file = HQHistoryFiles::fetchKLineFile(url(c.name), c.keys);
        EXPECT_EQ(file.failure, c.failure) << c.name;
        EXPECT_TRUE(file.content.empty()) << c.name;
        EXPECT_NE(dayLog().find("history file " + c.name + ": " + c.failure), std::string::npos)
            << c.name;
    }
    sim().quoteServer(0).damageHistoryFile(damaged, false);
    EXPECT_TRUE(HQHistoryFiles::fetchKLineFile(url(damaged), m_keys).ok());
}

TEST_F(HistoryFilesSimTest, shouldGiveUpAFileThatDoesNotComeInTime) {
    sim().quoteServer(0).line(0).setDelayMs(5000);
    const auto file = HQHistoryFiles::fetchFile(url(minuteFile("20261202")), m_keys, 0.3);
    sim().quoteServer(0).line(0).setDelayMs(0);
    EXPECT_EQ(file.failure, "The request timed out.");
}
