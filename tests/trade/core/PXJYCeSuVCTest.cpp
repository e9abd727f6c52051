#include <gtest/gtest.h>

#include <atomic>
#include <regex>

#include "TradeCoreTest.h"
#include "trade/core/PXJYCeSuVC.h"
#include "trade/core/PXTradeData.h"

namespace {

struct CeSuRecorder : PXJYCeSuVCDelegate {
    int calls = 0;
    bool hadTable = false;
    std::map<std::string, std::string> table;
    void PXCeSuFinished(const std::map<std::string, std::string>* timesDic) override {
        ++calls;
        hadTable = timesDic != nullptr;
        if (timesDic) {
            table = *timesDic;
        }
    }
};

class PXJYCeSuVCTest : public TradeCoreTest {
protected:
    PXJYCeSuVCTest() : m_tester(PXJYCeSuVC::create(module())) {
        m_tester->setDelegate(&m_recorder);
        // A line that answers only after 1.5 s, so a 1 s probe gives up on it.
        m_slow.server().Post("/slow", [this](const httplib::Request&, httplib::Response& reply) {
            ++m_slowHits;
            LoopbackHttpServer::holdAnswerFor(1.5);
            reply.set_content("late", "text/plain");
        });
        m_slow.start();
    }
    ~PXJYCeSuVCTest() override { m_tester->setDelegate(nullptr); }

    void setTradeLines(std::vector<PXTradeLine> lines) {
        m_host.setLines("01", "1", "1", std::move(lines));
        module().PXJYData().setTradeLinkType("");
    }
    std::string refused() const {
        return "http://127.0.0.1:" + std::to_string(LoopbackHttpServer::refusedPort()) + "/x";
    }

    CeSuRecorder m_recorder;
    std::shared_ptr<PXJYCeSuVC> m_tester;
    std::atomic<int> m_slowHits{0};
    LoopbackHttpServer m_slow;
};

}  // namespace

TEST_F(PXJYCeSuVCTest, shouldChooseTheFirstLineToAnswerAndIgnoreLaterAnswers) {
    setTradeLines({{"S", "slow", m_slow.url("/slow")}, {"F", "fast", m_server.url("/trade ")}});
    m_tester->ziDongCeSu();
    ASSERT_TRUE(runUntil([&] { return m_recorder.calls == 1; }));
    EXPECT_FALSE(m_recorder.hadTable);
    EXPECT_EQ(module().PXJYData().tradeLinkType(), "F");
    EXPECT_FALSE(runFor(1.5, [&] { return m_recorder.calls > 1; }));
    EXPECT_EQ(module().PXJYData().tradeLinkType(), "F");
    const CapturedRequest probe = m_server.requests().at(0);
    EXPECT_EQ(probe.path, "/trade");
    EXPECT_EQ(probe.contentType, "application/x-www-form-urlencoded");
    EXPECT_NE(probe.body.find("<CMD>GETVERSION</CMD>"), std::string::npos);
    EXPECT_EQ(probe.contentLength, std::to_string(probe.body.size()));
}

TEST_F(PXJYCeSuVCTest, shouldPickARandomLineWhenNoneAnswersAndReportOnce) {
    setTradeLines({{"A", "", refused()}, {"B", "", refused()}, {"C", "", m_slow.url("/slow")}});
    m_tester->ziDongCeSu();
    ASSERT_TRUE(runUntil([&] { return m_recorder.calls == 1; }, 3.0));
    const std::string chosen = module().PXJYData().tradeLinkType();
    EXPECT_TRUE(chosen == "A" || chosen == "B" || chosen == "C") << chosen;
    EXPECT_FALSE(runFor(0.5, [&] { return m_recorder.calls > 1; }));
}

TEST_F(PXJYCeSuVCTest, shouldTakeASingleLineWithoutProbingAndKeepTheLineWithoutAny) {
    setTradeLines({{"ONLY", "", m_server.url("/trade")}});
    m_tester->ziDongCeSu();
    EXPECT_EQ(m_recorder.calls, 1);
    EXPECT_EQ(module().PXJYData().tradeLinkType(), "ONLY");
    EXPECT_EQ(m_server.count(), 0u);

    m_host.directory.clear();
    m_tester->ziDongCeSu();
    EXPECT_EQ(m_recorder.calls, 2);
    EXPECT_EQ(module().PXJYData().tradeLinkType(), "ONLY");
}

TEST_F(PXJYCeSuVCTest, shouldTimeEveryLineInAManualRunAndMarkFailedOnes) {
    // "E" answers with an HTTP error status: an answer all the same.
    setTradeLines({{"F", "", m_server.url("/trade")},
                   {"X", "", refused()},
                   {"E", "", m_server.url("/no-such-path")}});
    m_tester->shouDongCeSu();
    ASSERT_TRUE(runUntil([&] { return m_recorder.calls == 1; }));
    EXPECT_TRUE(m_recorder.hadTable);
    ASSERT_EQ(m_recorder.table.size(), 3u);
    for (const char* answered : {"F", "E"}) {
        EXPECT_TRUE(
            std::regex_match(m_recorder.table.at(answered), std::regex("[0-9]+\\.[0-9]{2}秒")))
            << answered << " " << m_recorder.table.at(answered);
    }
    EXPECT_EQ(m_recorder.table.at("X"), "30");
    EXPECT_EQ(module().PXJYData().tradeLinkType(), "");
}

TEST_F(PXJYCeSuVCTest, shouldWaitForTheSlowLineInAManualRun) {
    setTradeLines({{"F", "", m_server.url("/trade")}, {"S", "", m_slow.url("/slow")}});
    m_tester->shouDongCeSu();
    ASSERT_TRUE(runUntil([&] { return m_recorder.calls == 1; }, 5.0));
    const double slow = std::stod(m_recorder.table.at("S"));
    const double fast = std::stod(m_recorder.table.at("F"));
    EXPECT_GE(slow, 1.4);
    EXPECT_LT(fast, slow);
}

TEST_F(PXJYCeSuVCTest, shouldReportAnEmptyTableAtOnceWhenThereIsNoLine) {
    m_host.directory.clear();
    m_tester->shouDongCeSu();
    EXPECT_EQ(m_recorder.calls, 1);
    EXPECT_TRUE(m_recorder.hadTable);
    EXPECT_TRUE(m_recorder.table.empty());
}

TEST_F(PXJYCeSuVCTest, shouldIgnoreALateAnswerOfAnEarlierRunAfterThePlatformChanged) {
    LoopbackHttpServer late;
    late.server().Post("/late", [](const httplib::Request&, httplib::Response& reply) {
        LoopbackHttpServer::holdAnswerFor(0.4);
        reply.set_content("late", "text/plain");
    });
    late.start();
    setTradeLines({{"A", "", late.url("/late")}, {"F", "", m_server.url("/trade")}});
    m_tester->ziDongCeSu();
    ASSERT_TRUE(runUntil([&] { return m_recorder.calls == 1; }));
    EXPECT_EQ(module().PXJYData().tradeLinkType(), "F");

    // The new platform's lines all fail at once, before line A of the old one answers.
    setTradeLines({{"X", "", refused()}, {"Y", "", refused()}});
    m_tester->ziDongCeSu();
    ASSERT_TRUE(runUntil([&] { return m_recorder.calls == 2; }, 3.0));
    const std::string chosen = module().PXJYData().tradeLinkType();
    EXPECT_TRUE(chosen == "X" || chosen == "Y") << chosen;
    EXPECT_FALSE(runFor(1.0, [&] { return m_recorder.calls > 2; }));
    EXPECT_EQ(module().PXJYData().tradeLinkType(), chosen);
}
