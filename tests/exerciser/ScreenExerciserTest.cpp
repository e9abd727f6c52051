#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "ScreenExerciser.h"

namespace {
constexpr int kEventsPerSeed = 1500;

class ScreenExerciserTest : public ScreenExerciser,
                            public ::testing::WithParamInterface<uint64_t> {};

TEST_P(ScreenExerciserTest, shouldKeepEveryRuleThroughRandomEventsAndFaults) {
    exercise(GetParam(), kEventsPerSeed);
}

INSTANTIATE_TEST_SUITE_P(FixedSeeds, ScreenExerciserTest, ::testing::Values(11, 161, 173));

// scripts/exercise: one seed and event count from the environment, registered only when given.
class SeedOfTheCommandLine : public ScreenExerciser {
public:
    SeedOfTheCommandLine(uint64_t seed, int events) : m_seed(seed), m_events(events) {}
    void TestBody() override { exercise(m_seed, m_events); }

private:
    uint64_t m_seed;
    int m_events;
};

const bool kRegistered = [] {
    const char* seed = std::getenv("VKJY_EXERCISE_SEED");
    const char* events = std::getenv("VKJY_EXERCISE_EVENTS");
    if (!seed || !events) {
        return false;
    }
    const uint64_t chosenSeed = std::strtoull(seed, nullptr, 10);
    const int chosenEvents = std::atoi(events);
    ::testing::RegisterTest("ScreenExerciserRun", ("seed" + std::string(seed)).c_str(), nullptr,
                            nullptr, __FILE__, __LINE__, [=]() -> ScreenExerciser* {
                                return new SeedOfTheCommandLine(chosenSeed, chosenEvents);
                            });
    return true;
}();
}  // namespace
