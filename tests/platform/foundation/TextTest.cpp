#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <optional>

#include "platform/foundation/Text.h"

TEST(Text, shouldFormatTheFormsTheScreensUse) {
    std::string name = "黄金";
    std::optional<std::string> absent;
    long long millis = 1700000000123LL;
    struct Row {
        std::string actual;
        const char* expected;
    };
    const Row rows[] = {
        {Text::format("%@%qi", std::string("00:1A:2B:3C:4D:5E"), millis),
         "00:1A:2B:3C:4D:5E1700000000123"},
        {Text::format("%@%qi", absent, 5LL), "(null)5"},
        {Text::format("商品:%@ 数量:%d", name, 12), "商品:黄金 数量:12"},
        {Text::format("%.2f", 3.14159), "3.14"},
        {Text::format("%.2f", 2.005), "2.00"},
        {Text::format("%.0f", 2.5), "2"},
        {Text::format("%lf|%.2lf", 1.5, 1.0 / 3), "1.500000|0.33"},
        {Text::format("%ld %lld %lu", -3L, -4LL, 5UL), "-3 -4 5"},
        {Text::format("%d%%", 50), "50%"},
        {Text::format("%s-%@", "c text", "at text"), "c text-at text"},
        {Text::format("%02X:%02x", 10, 255), "0A:ff"},
        {Text::format("%5d|%-5d|%05d", 42, 42, 42), "   42|42   |00042"},
        {Text::format("% d % i", 7, -7), " 7 -7"},
        {Text::format("%*d", 4, 1), "   1"},
        {Text::format("%hd", 70000), "4464"},
        {Text::format("%d", 4294967297LL), "1"},
        {Text::format("%d", 2.9), "2"},
        {Text::format("%.2f", 3), "3.00"},
        {Text::format("%@", 12), "12"},
        {Text::format("%@", 2.5), "2.5"},
        {Text::format("%d_%d", 1, 2), "1_2"},
        {Text::format("%i and %u", true, 3u), "1 and 3"},
        {Text::format("%@ %@", "only one"), "only one "},
        {Text::format("%d", 1, 2, 3), "1"},
        {Text::format("%@", nullptr), "(null)"},
        {Text::format("100%"), "100"},
        {Text::format("%y|%q"), "%y|"},
        {Text::format("%c%c", 'O', 'K'), "OK"},
        {Text::format("%08lx", 0xbeefUL), "0000beef"},
        {Text::format("%.4f", -0.00004), "-0.0000"},
        {Text::format("%e", 12345.678), "1.234568e+04"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(row.actual, row.expected);
    }
}

TEST(Text, shouldTakeAFormatBuiltAtRunTime) {
    int decimals = 3;
    std::string pattern = "%." + std::to_string(decimals) + "lf";
    EXPECT_EQ(Text::format(pattern, 1.23456), "1.235");
    EXPECT_EQ(Text::format(Text::format("%%.%dlf", 2), 9.999), "10.00");
}

TEST(Text, shouldReadNumbersByTheirDecimalPrefix) {
    struct Row {
        const char* text;
        int intValue;
        long long longLongValue;
        double doubleValue;
        bool boolValue;
    };
    const Row rows[] = {
        {"12abc", 12, 12, 12, true},
        {"abc", 0, 0, 0, false},
        {"3.5", 3, 3, 3.5, true},
        {"  -7.25xyz", -7, -7, -7.25, true},
        {"+4", 4, 4, 4, true},
        {"", 0, 0, 0, false},
        {"-", 0, 0, 0, false},
        {".5", 0, 0, 0.5, false},
        {"1e3", 1, 1, 1000, true},
        {"1e", 1, 1, 1, true},
        {"2.5E-1kg", 2, 2, 0.25, true},
        {"0x1A", 0, 0, 0, false},
        {"00012", 12, 12, 12, true},
        {"YES", 0, 0, 0, true},
        {"no", 0, 0, 0, false},
        {"true", 0, 0, 0, true},
        {"\t\n 9", 9, 9, 9, true},
        {"1 2", 1, 1, 1, true},
        {"99999999999", INT_MAX, 99999999999LL, 99999999999.0, true},
        {"-99999999999", INT_MIN, -99999999999LL, -99999999999.0, true},
        {"99999999999999999999", INT_MAX, LLONG_MAX, 1e20, true},
        {"1,5", 1, 1, 1, true},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(Text::intValue(row.text), row.intValue) << row.text;
        EXPECT_EQ(Text::longLongValue(row.text), row.longLongValue) << row.text;
        EXPECT_DOUBLE_EQ(Text::doubleValue(row.text), row.doubleValue) << row.text;
        EXPECT_EQ(Text::boolValue(row.text), row.boolValue) << row.text;
    }
    EXPECT_TRUE(std::isinf(Text::doubleValue("1e999")));
}

TEST(Text, shouldParseOnlyWholeIntegers) {
    EXPECT_EQ(Text::parseInteger("42"), 42);
    EXPECT_EQ(Text::parseInteger("-42"), -42);
    EXPECT_EQ(Text::parseInteger("+7"), 7);
    EXPECT_FALSE(Text::parseInteger("42a"));
    EXPECT_FALSE(Text::parseInteger(" 42"));
    EXPECT_FALSE(Text::parseInteger(""));
    EXPECT_FALSE(Text::parseInteger("99999999999999999999"));
}

TEST(Text, shouldCompareIgnoringCase) {
    EXPECT_EQ(Text::compareCaseInsensitive("abc", "ABC"), 0);
    EXPECT_EQ(Text::compareCaseInsensitive("abc", "ABD"), -1);
    EXPECT_EQ(Text::compareCaseInsensitive("b", "A"), 1);
    EXPECT_EQ(Text::compareCaseInsensitive("ab", "AB c"), -1);
    EXPECT_TRUE(Text::equalsCaseInsensitive("Session", "SESSION"));
    EXPECT_FALSE(Text::equalsCaseInsensitive("中", "文"));
}

TEST(Text, shouldTrimBlanksAndLineEndsIncludingWideSpaces) {
    EXPECT_EQ(Text::trimmed("  a b \r\n"), "a b");
    EXPECT_EQ(Text::trimmed("\u3000黄金\u3000"), "黄金");
    EXPECT_EQ(Text::trimmed("\u00a0x\u2028"), "x");
    EXPECT_EQ(Text::trimmed(" \t\n"), "");
    EXPECT_EQ(Text::trimmed("中"), "中");
    EXPECT_EQ(Text::trimmed("\xff "), "\xff");
}

TEST(Text, shouldTellWellFormedUtf8) {
    EXPECT_TRUE(Text::isValidUtf8("黄金 gold"));
    EXPECT_TRUE(Text::isValidUtf8(""));
    EXPECT_FALSE(Text::isValidUtf8("\xff"));
    EXPECT_FALSE(Text::isValidUtf8("\xe9\xbb"));
    EXPECT_FALSE(Text::isValidUtf8("\xc0\xaf"));
    EXPECT_FALSE(Text::isValidUtf8("a\x80"));
}

TEST(Text, shouldSplitJoinAndReplace) {
    EXPECT_EQ(Text::split("12_1", "_"), (std::vector<std::string>{"12", "1"}));
    EXPECT_EQ(Text::split("a__b_", "_"), (std::vector<std::string>{"a", "", "b", ""}));
    EXPECT_EQ(Text::join({"12", "1"}, "_"), "12_1");
    EXPECT_EQ(Text::removingAll(" 1 23 4 ", " "), "1234");
    EXPECT_EQ(Text::replacingAll("$(a)$(a)", "$(a)", "x"), "xx");
}
