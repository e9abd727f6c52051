#include <gtest/gtest.h>

#include <cmath>

#include "support/ScopedEnvironment.h"
#include "trade/common/PXTradeFormat.h"

namespace {

struct PriceCase {
    double value;
    const char* step;
    const char* text;
};

TEST(PXTradeFormat, pricesFollowTheCommodityStep) {
    const PriceCase cases[] = {
        {1234.6, "1", "1235"},    {1234.4, "1", "1234"},   {3.14159, "0.01", "3.14"},
        {3.14159, "0.5", "3.14"}, {7, "", "7.00"},         {-0.001, "0.01", "0.00"},
        {-0.4, "1", "0"},         {-2.5, "0.01", "-2.50"}, {0, "1", "0"},
        {NAN, "0.01", "--"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PXTradeFormat::priceText(c.value, c.step), c.text) << c.value << " " << c.step;
    }
}

TEST(PXTradeFormat, percentagesCarryTheirSignAndZeroIsMissing) {
    EXPECT_EQ(PXTradeFormat::percentText(1.256), "+1.26%");
    EXPECT_EQ(PXTradeFormat::percentText(-0.5), "-0.50%");
    EXPECT_EQ(PXTradeFormat::percentText(0), "--");
    EXPECT_EQ(PXTradeFormat::percentText(0.004), "--");
    EXPECT_EQ(PXTradeFormat::percentText(-0.004), "--");
    EXPECT_EQ(PXTradeFormat::percentText(INFINITY), "--");
}

// A paste or an input method's commit inserts several characters at once: each is checked.
TEST(PXTradeFormat, priceInputChecksEveryInsertedCharacter) {
    struct Case {
        const char* current;
        const char* inserted;
        bool accepted;
    };
    const Case cases[] = {
        {"", ".", false},      {"1", ".", true},     {"1.", ".", false},  {"0", "5", false},
        {"0", ".", true},      {"", "a", false},     {"", "1abc", false}, {"", "12.5", true},
        {"", "1.2.3", false},  {"12", "", true},     {"", "05", false},   {"", "5", true},
        {"1.5", ".", false},   {"12", "a", false},   {"", "0", true},     {"10", "0", true},
        {"", "999abc", false}, {"0.5", "9x", false}, {"", "0.5", true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PXTradeFormat::acceptsPriceInput(c.current, c.inserted), c.accepted)
            << "'" << c.current << "' + '" << c.inserted << "'";
    }
}

struct RangeCase {
    const char* label;
    int minimum;
    int maximum;
};

TEST(PXTradeFormat, replyTimesReadInTheDevicesZoneAndMissingOnesShowDashes) {
    struct Case {
        const char* zone;
        const char* milliseconds;
        const char* pattern;
        const char* text;
    };
    const Case cases[] = {
        {"<+09>-9", "1796365800000", "yyyy-MM-dd HH:mm:ss", "2026-12-04 15:30:00"},
        {"<-05>5", "1796365800999", "yyyy-MM-dd HH:mm:ss", "2026-12-04 01:30:00"},
        {"<+00>0", "1796365800000", "yyyy-MM-dd", "2026-12-04"},
        {"<+00>0", "", "yyyy-MM-dd HH:mm:ss", "--"},
        {"<+00>0", "0", "yyyy-MM-dd HH:mm:ss", "--"},
        {"<+00>0", "-1", "yyyy-MM-dd HH:mm:ss", "--"},
        {"<+00>0", "soon", "yyyy-MM-dd HH:mm:ss", "--"},
    };
    for (const Case& c : cases) {
        ScopedEnvironment zone("TZ", c.zone);
        EXPECT_EQ(PXTradeFormat::timeText(c.milliseconds, c.pattern), c.text)
            << c.zone << " " << c.milliseconds;
    }
}

TEST(PXTradeFormat, quantityRangeIsReadBackFromItsLabel) {
    const RangeCase cases[] = {
        {"(数量范围:1-100)", 1, 100},
        {"(数量范围:5-5)", 5, 5},
        {"", 0, 0},
        {"(", 0, 0},
        {"()", 0, 0},
        {"(数量范围:-)", 0, 0},
        {"(数量范围:10)", 0, 0},
        {"数量范围:1-100", 0, 0},
        {"(摘牌范围:1-7)", 1, 7},
        {"(摘牌范围:1--3)", 1, -3},
        {"(摘牌范围:1-0)", 1, 0},
    };
    for (const auto& c : cases) {
        const auto range = PXTradeFormat::parseQuantityRange(c.label);
        EXPECT_EQ(range.minimum, c.minimum) << c.label;
        EXPECT_EQ(range.maximum, c.maximum) << c.label;
    }
    EXPECT_EQ(PXTradeFormat::quantityRangeText("1", "100"), "(数量范围:1-100)");
}

TEST(PXTradeFormat, quantityPassesAtBothEndsOfTheRangeOnly) {
    const std::string label = PXTradeFormat::quantityRangeText("1", "100");
    EXPECT_FALSE(PXTradeFormat::quantityInRange(0, label));
    EXPECT_TRUE(PXTradeFormat::quantityInRange(1, label));
    EXPECT_TRUE(PXTradeFormat::quantityInRange(100, label));
    EXPECT_FALSE(PXTradeFormat::quantityInRange(101, label));
    EXPECT_FALSE(PXTradeFormat::quantityInRange(5, ""));
    EXPECT_FALSE(PXTradeFormat::quantityInRange(1, "(摘牌范围:1--3)"));
}

TEST(PXTradeFormat, spreadPassesOnlyAsWholeTicksWithinTheBounds) {
    const struct {
        const char* spread;
        bool passes;
    } cases[] = {{"0", true},   {"50", true},  {"51", false},  {"", false},   {"abc", false},
                 {"5a", false}, {"-1", false}, {"2.5", false}, {" 5", false}, {"007", true}};
    for (const auto& c : cases) {
        EXPECT_EQ(PXTradeFormat::spreadInRange(c.spread, "0", "50"), c.passes) << c.spread;
    }
}

}  // namespace
