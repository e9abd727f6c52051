#include <gtest/gtest.h>

#include "trade/core/PXTradeRecords.h"
#include "trade/quick/PXFastTradeRules.h"

namespace {

std::shared_ptr<PXJYChiCangHuiZong> summary(const std::string& code, const std::string& sign,
                                            const std::string& lots,
                                            const std::string& frozen = "0") {
    auto made = std::make_shared<PXJYChiCangHuiZong>();
    made->commodityCode = code;
    made->buySellSign = sign;
    made->shuLiang = lots;
    made->dongJieShuLiang = frozen;
    return made;
}

struct KeyCase {
    std::string text;
    std::string key;
    bool priceField;
    std::string expected;
};

}  // namespace

TEST(PXFastTradeRules, keypadKeepsQuantitiesWholeAndPricesWellFormed) {
    const KeyCase cases[] = {
        {"", "0", false, "0"},    {"0", "5", false, "0"},    {"0", "X", false, ""},
        {"12", ".", false, "12"}, {"12", "3", false, "123"}, {"", "X", false, ""},
        {"", ".", true, ""},      {"0", "5", true, "0"},     {"0", ".", true, "0."},
        {"0.", ".", true, "0."},  {"0.5", "X", true, "0."},  {"215", "0", true, "2150"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PXFastTradeRules::keyed(c.text, c.key, c.priceField), c.expected)
            << "\"" << c.text << "\" + " << c.key << (c.priceField ? " (price)" : "");
    }
}

TEST(PXFastTradeRules, aTransferClosesTheOtherSidesFreeLots) {
    const PXTradeSummaryList summaries = {summary("AG", "1", "3"), summary("AU", "2", "9"),
                                          summary("AG", "1", "5", "2"),
                                          summary("AG", "2", "4", "4")};
    const auto held = PXFastTradeRules::holdingsOf(summaries, "AG");
    ASSERT_NE(held.buy, nullptr);
    EXPECT_EQ(held.buy->shuLiang, "5");
    // Selling closes the bought lots, of which 2 are frozen; the sold lots are all frozen.
    EXPECT_EQ(PXFastTradeRules::transferRangeText(held, 2), "(数量范围:1-3)");
    EXPECT_EQ(PXFastTradeRules::transferRangeText(held, 1), "(数量范围:0-0)");
    EXPECT_EQ(PXFastTradeRules::transferRangeText(PXFastTradeRules::holdingsOf(summaries, "CU"), 2),
              "(数量范围:0-0)");
}
