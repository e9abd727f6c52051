#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/foundation/GlobalQueue.h"
#include "platform/foundation/MainQueue.h"
#include "platform/foundation/RunLoop.h"

TEST(MainQueue, shouldRunPostedWorkOnALaterTurnInPostOrder) {
    std::vector<int> order;
    MainQueue::post([&] { order.push_back(1); });
    MainQueue::post([&] {
        order.push_back(2);
        MainQueue::post([&] { order.push_back(4); });
    });
    MainQueue::post([&] { order.push_back(3); });
    EXPECT_TRUE(order.empty());
    ASSERT_TRUE(RunLoop::runUntil([&] { return order.size() == 4; }, 5));
    EXPECT_EQ(order, (std::vector<int>{1, 2, 3, 4}));
}

TEST(MainQueue, shouldRunWorkPostedFromAnotherThreadOnTheMainThreadInOrder) {
    std::thread::id mainThread = std::this_thread::get_id();
    std::vector<int> order;
    bool allOnMain = true;
    std::thread poster([&] {
        for (int i = 0; i < 50; ++i) {
            MainQueue::post([&, i] {
                allOnMain = allOnMain && std::this_thread::get_id() == mainThread;
                order.push_back(i);
            });
        }
    });
    poster.join();
    ASSERT_TRUE(RunLoop::runUntil([&] { return order.size() == 50; }, 5));
    EXPECT_TRUE(allOnMain);
    for (int i = 0; i < 50; ++i) {
        EXPECT_EQ(order[i], i);
    }
}

TEST(GlobalQueue, shouldRunWorkOffTheMainThreadAndHandResultsBack) {
    std::thread::id mainThread = std::this_thread::get_id();
    std::atomic<int> offMain{0};
    std::vector<int> results;
    for (int i = 0; i < 8; ++i) {
        GlobalQueue::post([&, i] {
            if (std::this_thread::get_id() != mainThread) {
                ++offMain;
            }
            MainQueue::post([&, i] { results.push_back(i * i); });
        });
    }
    ASSERT_TRUE(RunLoop::runUntil([&] { return results.size() == 8; }, 5));
    EXPECT_EQ(offMain.load(), 8);
}

TEST(RunLoop, shouldReportAPredicateThatNeverHoldsAtTheDeadline) {
    EXPECT_FALSE(RunLoop::runUntil([] { return false; }, 0.05));
}

TEST(RunLoop, shouldSeeAFlagSetByAWorkerWithoutAnyEvent) {
    std::atomic<bool> done{false};
    GlobalQueue::post([&] { done = true; });
    EXPECT_TRUE(RunLoop::runUntil([&] { return done.load(); }, 5));
}

TEST(RunLoop, shouldReturnFromRunWithTheCodeGivenToQuit) {
    MainQueue::post([] { RunLoop::quit(7); });
    EXPECT_EQ(RunLoop::run(), 7);
}
