#include <gtest/gtest.h>

#include <optional>

#include "quote/VKJYHangQingDataClass.h"

namespace {

constexpr int64_t kMidnightAtUtcPlus8 = 1796313600000;  // 2026-12-04 00:00 at UTC+8

struct StartCase {
    std::optional<int64_t> start;
    std::optional<int> zone;
    const char* shown;
};

}  // namespace

// The start of trading reads in the exchange's zone, whatever the device's is, and not at all
// while the start or the zone is unknown.
TEST(VKJYHangQingDataClass, shouldGiveTheStartOfTradingInTheExchangesZone) {
    for (const StartCase& c :
         {StartCase{kMidnightAtUtcPlus8, 480, "00:00"},
          StartCase{kMidnightAtUtcPlus8 + 59999, 480, "00:00"},
          StartCase{kMidnightAtUtcPlus8, 540, "01:00"},
          StartCase{kMidnightAtUtcPlus8, -300, "11:00"},
          StartCase{kMidnightAtUtcPlus8, std::nullopt, ""}, StartCase{std::nullopt, 480, ""}}) {
        VKJYHangQingDataClass state;
        state.setTradingStart(c.start);
        if (c.zone) {
            state.setExchangeUtcOffsetMinutes(*c.zone);
        }
        EXPECT_EQ(state.startTime(), c.shown)
            << c.start.value_or(-1) << " at " << c.zone.value_or(-1);
    }
}
