#include <gtest/gtest.h>

#include "trade/core/PXTradeCommodity.h"
#include "trade/open/PXJianCangRules.h"

namespace {

const std::string kRange = "(数量范围:1-100)";

std::string refusalOf(const std::optional<PXJianCangRefusal>& refusal) {
    return refusal ? refusal->title + "/" + refusal->message : "pass";
}

struct MarketCase {
    const char* quantity;
    const char* range;
    const char* price;
    bool spreadTicked;
    const char* spread;
    const char* expected;
};

TEST(PXJianCangRules, marketOrderChecksRunInTheirOrder) {
    const MarketCase cases[] = {
        {"", kRange.c_str(), "5187", false, "50", "提示/请输入正确的交易数量"},
        {"0", kRange.c_str(), "5187", false, "50", "提示/请输入正确的交易数量"},
        {"1", kRange.c_str(), "5187", false, "50", "pass"},
        {"100", kRange.c_str(), "5187", false, "50", "pass"},
        {"101", kRange.c_str(), "5187", false, "50", "提示/请输入正确的交易数量"},
        {"5", "", "5187", false, "50", "提示/请输入正确的交易数量"},
        {"5", kRange.c_str(), "--", false, "50", "提示/当前行情价格有误"},
        {"5", kRange.c_str(), "0", false, "50", "提示/当前行情价格有误"},
        {"5", kRange.c_str(), "0.00", false, "50", "提示/当前行情价格有误"},
        {"5", kRange.c_str(), "5187", true, "50", "点差输入有误/点差范围(10 ~ 40)"},
        {"5", kRange.c_str(), "5187", true, "9", "点差输入有误/点差范围(10 ~ 40)"},
        {"5", kRange.c_str(), "5187", true, "10", "pass"},
        {"5", kRange.c_str(), "5187", true, "40", "pass"},
    };
    for (const auto& c : cases) {
        PXJianCangRules::MarketInput input{c.quantity, c.range, c.price, c.spreadTicked,
                                           c.spread,   "10",    "40"};
        EXPECT_EQ(refusalOf(PXJianCangRules::checkMarketOrder(input)), c.expected)
            << c.quantity << " " << c.price << " " << c.spread;
    }
}

struct ConditionalCase {
    const char* limit;
    const char* band;
    int side;
    const char* stopLoss;  // nullptr: not ticked
    const char* takeProfit;
    const char* expected;
};

TEST(PXJianCangRules, conditionalOrderIsCheckedAgainstBandAndRanges) {
    const char* band = "(<=99.50,>=100.50)";
    const ConditionalCase cases[] = {
        {"", band, 1, nullptr, nullptr, "条件价格不能为空"},
        {"100.00", band, 1, nullptr, nullptr, "请输入正确的交易价格"},
        {"99.50", band, 1, nullptr, nullptr, "pass"},
        {"100.50", band, 1, nullptr, nullptr, "pass"},
        {"0", band, 1, nullptr, nullptr, "请输入正确的交易价格"},
        {"99", "(<=--,>=--)", 1, nullptr, nullptr, "当前行情价格有误"},
        {"99", "", 1, nullptr, nullptr, "当前行情价格有误"},
        {"99", "(<=-0.50,>=0.50)", 1, nullptr, nullptr, "当前行情价格有误"},
        // Buy: stop-loss at or below "<98.00", take-profit at or above ">101.00".
        {"99", band, 1, "", nullptr, "止损价格有误"},
        {"99", band, 1, "98.50", nullptr, "止损价格有误"},
        {"99", band, 1, "98.00", nullptr, "pass"},
        {"99", band, 1, "0", nullptr, "止损价格有误"},
        {"99", band, 1, nullptr, "100.99", "止盈价格有误"},
        {"99", band, 1, nullptr, "101.00", "pass"},
        {"99", band, 1, "97", "102", "pass"},
        // Sell: the ranges turn round.
        {"101", band, 2, "100.50", nullptr, "止损价格有误"},
        {"101", band, 2, "102", nullptr, "pass"},
        {"101", band, 2, nullptr, "101.50", "止盈价格有误"},
        {"101", band, 2, nullptr, "99", "pass"},
    };
    for (const auto& c : cases) {
        PXJianCangRules::ConditionalInput input;
        input.quantity = "3";
        input.rangeLabel = kRange;
        input.limitPrice = c.limit;
        input.bandLabel = c.band;
        input.side = c.side;
        input.stopLossTicked = c.stopLoss != nullptr;
        input.stopLoss = c.stopLoss ? c.stopLoss : "";
        input.stopLossLabel = c.side == 1 ? "<98.00" : ">102.00";
        input.takeProfitTicked = c.takeProfit != nullptr;
        input.takeProfit = c.takeProfit ? c.takeProfit : "";
        input.takeProfitLabel = c.side == 1 ? ">101.00" : "<99.00";
        const auto refusal = PXJianCangRules::checkConditionalOrder(input);
        EXPECT_EQ(refusal ? refusal->message : "pass", c.expected)
            << c.limit << " " << c.band << " side " << c.side;
    }
}

TEST(PXJianCangRules, hostLabelsFollowTheQuoteTheSideAndTheLimitPrice) {
    PXTradeCommodity gold;
    gold.zuiXiaoBianDongJia = "0.01";
    gold.XJJianCangSellDianCha = "50";
    gold.XJJianCangBuyDianCha = "30";
    gold.zhiSunXiaDanDianCha = "100";
    gold.zhiYingXiaDanDianCha = "200";
    auto buy = PXJianCangRules::conditionalLabels(gold, 1, "380.00", true, 380.10, 380.50);
    EXPECT_EQ(buy.band, "(<=380.00,>=380.40)");
    EXPECT_EQ(buy.takeProfit, ">382.40");
    EXPECT_EQ(buy.stopLoss, "<379.40");
    auto sell = PXJianCangRules::conditionalLabels(gold, 2, "", true, 380.10, 380.50);
    EXPECT_EQ(sell.takeProfit, "<-2.40");
    EXPECT_EQ(sell.stopLoss, ">0.60");
    EXPECT_EQ(PXJianCangRules::conditionalLabels(gold, 1, "", false, 0, 0).band, "(<=--,>=--)");
}

TEST(PXJianCangRules, depositMultipliesQuantityPriceUnitAndRate) {
    PXTradeCommodity silver;
    silver.tradeUnit = "10";
    silver.baoZhengJinXIShu = "0.1";
    EXPECT_EQ(PXJianCangRules::depositText("3", 5187, &silver), "当前摘牌所需订金为15561.00元");
    EXPECT_EQ(PXJianCangRules::depositText("", 5187, &silver), "当前摘牌所需订金为0.00元");
    EXPECT_EQ(PXJianCangRules::depositText("3", 5187, nullptr), "当前摘牌所需订金为0.00元");
}

}  // namespace

namespace {

TEST(PXJianCangRules, orderBookDelistingNeedsAListingAndALotCountWithinIt) {
    const std::string range = "(摘牌范围:1-7)";
    auto message = [&](bool refused, const char* price, const char* quantity) {
        return refusalOf(PXJianCangRules::checkDelisting(refused, price, quantity, range));
    };
    EXPECT_EQ(message(true, "", ""), "提示/该商品不允许此交易");
    EXPECT_EQ(message(false, "", "3"), "提示/摘牌价不能为空");
    EXPECT_EQ(message(false, "12.5", "0"), "提示/请输入正确的交易数量");
    EXPECT_EQ(message(false, "12.5", "8"), "提示/请输入正确的交易数量");
    EXPECT_EQ(message(false, "12.5", "1"), "pass");
    EXPECT_EQ(message(false, "12.5", "7"), "pass");
}

TEST(PXJianCangRules, conditionalDelistingRefusesOnlyAMissingOrZeroPrice) {
    const std::string range = "(摘牌范围:1-5)";
    const struct {
        const char* quantity;
        const char* price;
        std::string label;
        const char* expected;
    } cases[] = {
        {"", "", range, "提示/请输入正确的交易数量"},
        {"6", "12.5", range, "提示/请输入正确的交易数量"},
        {"1", "12.5", "(摘牌范围:1-0)", "提示/请输入正确的交易数量"},
        {"1", "12.5", "(摘牌范围:1--4)", "提示/请输入正确的交易数量"},
        // No range known for the commodity: its open orders could not be asked.
        {"1", "12.5", "", "提示/获取数据失败"},
        {"5", "", range, "提示/请输入交易价格"},
        {"5", "0.", range, "提示/请输入正确的交易价格"},
        // Off the quote grid or not, the exchange judges the price.
        {"5", "12.25", range, "pass"},
        {"5", "12.5", range, "pass"},
        {"5", "0.5", range, "pass"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(refusalOf(PXJianCangRules::checkConditionalDelisting(false, c.quantity, c.label,
                                                                       c.price)),
                  c.expected)
            << c.quantity << " " << c.price << " " << c.label;
    }
    EXPECT_EQ(refusalOf(PXJianCangRules::checkConditionalDelisting(true, "", "", "")),
              "提示/该商品不允许此交易");
}

TEST(PXJianCangRules, aListingRefusesOnlyAMissingOrZeroPrice) {
    const std::string range = "(挂牌范围:1-5)";
    const struct {
        bool chosen;
        const char* quantity;
        const char* price;
        const char* expected;
    } cases[] = {
        {false, "1", "12.5", "提示/请选择商品"},
        {true, "6", "12.5", "提示/请输入正确的交易数量"},
        {true, "5", "", "提示/条件价格不能为空"},
        {true, "5", "0", "提示/请输入正确的交易价格"},
        {true, "5", "12.25", "pass"},
        {true, "1", "12", "pass"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(refusalOf(PXJianCangRules::checkListing(c.chosen, c.quantity, range, c.price)),
                  c.expected)
            << c.chosen << " " << c.quantity << " " << c.price;
    }
    EXPECT_EQ(refusalOf(PXJianCangRules::checkListing(true, "1", "", "12")), "提示/获取数据失败");
}

TEST(PXJianCangRules, orderBookRangeLeavesRoomForHoldingsAndOpenOrders) {
    PXTradeCommodity nickel;
    nickel.DBZuiXiaoKeWeiTuoLiang = "1";
    nickel.ZuiDaChiCangLiang = "20";
    EXPECT_EQ(PXJianCangRules::orderBookRangeText(nickel, 10, 5), "(摘牌范围:1-5)");
    EXPECT_EQ(PXJianCangRules::orderBookRangeText(nickel, 15, 8), "(摘牌范围:1-0)");
}

}  // namespace
