#include <gtest/gtest.h>

#include <memory>

#include "platform/ui/ViewController.h"
#include "trade/common/PXTradeReplyRelay.h"

namespace {

class CountingScreen : public ViewController, public PXTradeNetworkMangerDelegate {
public:
    explicit CountingScreen(int& calls) : m_calls(calls) {}
    void orderSent(PXTradeNetworkManger*) override { ++m_calls; }
    void requestFailed(PXTradeNetworkManger*, int) override { ++m_calls; }
    void dataAnalysisFinished(PXTradeNetworkManger*, const PXTradeResult*) override { ++m_calls; }
    void dataAnalysisFailed(PXTradeNetworkManger*, int) override { ++m_calls; }

private:
    int& m_calls;
};

void replyEverything(PXTradeReplyRelay& relay) {
    relay.orderSent(nullptr);
    relay.requestFailed(nullptr, -1004);
    relay.dataAnalysisFinished(nullptr, nullptr);
    relay.dataAnalysisFailed(nullptr, 1);
}

TEST(PXTradeReplyRelay, forwardsWhileTheScreenLivesAndHoldsOn) {
    int calls = 0;
    auto screen = std::make_unique<CountingScreen>(calls);
    auto relay = PXTradeReplyRelay::create(*screen, *screen);
    replyEverything(*relay);
    EXPECT_EQ(calls, 4);

    relay->detach();
    replyEverything(*relay);
    EXPECT_EQ(calls, 4);
}

TEST(PXTradeReplyRelay, replyAfterTheScreenIsGoneDoesNothing) {
    int calls = 0;
    auto screen = std::make_unique<CountingScreen>(calls);
    auto relay = PXTradeReplyRelay::create(*screen, *screen);
    screen.reset();
    EXPECT_FALSE(relay->isAttached());
    replyEverything(*relay);
    EXPECT_EQ(calls, 0);
}

}  // namespace
