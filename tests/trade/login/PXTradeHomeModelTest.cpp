#include <gtest/gtest.h>

#include "quote/HQJYEntity.h"
#include "quote/VKJYHangQingDataClass.h"
#include "support/TempHome.h"
#include "trade/core/PXTradeData.h"
#include "trade/core/PXTradeHost.h"
#include "trade/core/PXTradeModule.h"
#include "trade/login/PXTradeHomeModel.h"

namespace {
const Color kRed = Color::rgb(255, 0, 0);
const Color kGreen = Color::rgb(59, 210, 53);
const Color kWhite = Color::whiteColor();

struct FigureCase {
    std::string value;
    std::string shown;
    Color color;
};

void PrintTo(const FigureCase& c, std::ostream* os) {
    *os << c.value;
}

class RiskRateTest : public ::testing::TestWithParam<FigureCase> {};

TEST_P(RiskRateTest, isShownAsAPercentColouredAgainstOneHundred) {
    const auto figures = PXTradeHomeModel::figures(
        {{"c_value", "1"}, {"m_flv", "0"}, {"r_value", GetParam().value}});
    EXPECT_EQ(figures.risk.text, GetParam().shown);
    EXPECT_EQ(figures.risk.color, GetParam().color);
}

INSTANTIATE_TEST_SUITE_P(Values, RiskRateTest,
                         ::testing::Values(FigureCase{"85.5", "85.50%", kGreen},
                                           FigureCase{"120", "120.00%", kRed},
                                           FigureCase{"100", "100.00%", kWhite},
                                           FigureCase{"--", "--", kWhite}));

TEST(PXTradeHomeModelTest, shouldShowEquityAndFloatingProfitWithTwoDecimals) {
    auto figures = PXTradeHomeModel::figures(
        {{"c_value", "1000123.456"}, {"m_flv", "-12.5"}, {"r_value", "0"}});
    EXPECT_EQ(figures.equity.text, "1000123.46");
    EXPECT_EQ(figures.floating.text, "-12.50");
    EXPECT_EQ(figures.floating.color, kGreen);
    figures = PXTradeHomeModel::figures({{"c_value", "--"}, {"m_flv", "--"}, {"r_value", "--"}});
    EXPECT_EQ(figures.equity.text, "--");
    EXPECT_EQ(figures.floating.text, "--");
}

TEST(PXTradeHomeModelTest, shouldGiveALongHeaderWhereThePlatformOrEnvironmentChanges) {
    const std::vector<PXJYSavedAccount> accounts = {
        {"01", "01", "a"}, {"01", "01", "b"}, {"01", "02", "c"}, {"02", "02", "d"}};
    EXPECT_EQ(PXTradeHomeModel::headerHeights(accounts), (std::vector<double>{55, 30, 55, 55}));
}

class HoldingsRowsTest : public ::testing::Test {
protected:
    HoldingsRowsTest() {
        quoteSide->setHqjyEntity(std::make_shared<HQJYEntity>());
        VKJYHangQingDataClass::setCurrent(quoteSide);
    }
    ~HoldingsRowsTest() override { VKJYHangQingDataClass::setCurrent(nullptr); }

    void addTradeCommodity(const std::string& code, const std::string& name) {
        auto commodities = module.PXJYData().shangPinXinXi();
        auto commodity = std::make_shared<PXTradeCommodity>();
        commodity->commodityName = name;
        commodity->zuiXiaoBianDongJia = "1";
        commodities[code] = commodity;
        module.PXJYData().setShangPinXinXi(commodities);
    }
    // A quote commodity of market 1, panel 1, watched when asked.
    void addQuoteCommodity(const std::string& code, int id, int letterCase, bool watched) {
        HQJYEntity& entity = *quoteSide->hqjyEntity();
        auto catalogue = entity.commodityInfoArray();
        if (catalogue.empty()) {
            auto disk = std::make_shared<DiskInfo>();
            disk->DiskID = 1;
            auto market = std::make_shared<MarketInfo>();
            market->MarketID = 1;
            market->diskInfoArray.push_back(disk);
            catalogue.push_back(std::make_shared<MarketItem>());
            catalogue.front()->MarketInfoArray.push_back(market);
        }
        auto info = std::make_shared<commodityInfo>();
        info->CommodityID = static_cast<int16_t>(id);
        info->CommodityCode = code;
        info->CommodityCodeLetterCase = letterCase;
        catalogue.front()
            ->MarketInfoArray.front()
            ->diskInfoArray.front()
            ->commodityInfoArray.push_back(info);
        entity.setCommodityInfoArray(catalogue);
        if (watched) {
            quoteSide->HQChooseCommodityIDArray().push_back(std::to_string(id) + "_0");
        }
    }
    PXTradeSummaryList rows() {
        return PXTradeHomeModel::commodityAllKeys(module.PXJYData(), quoteSide->hqjyEntity().get(),
                                                  "01", "1");
    }

    TempHome home;
    PXTradeHost host;
    PXTradeModule module{host};
    std::shared_ptr<VKJYHangQingDataClass> quoteSide = std::make_shared<VKJYHangQingDataClass>();
};

TEST_F(HoldingsRowsTest, shouldAddAPlaceholderForAWatchedTradableCommodityNotHeld) {
    addTradeCommodity("AG", "白银");
    addTradeCommodity("CU", "铜");
    auto held = std::make_shared<PXJYChiCangHuiZong>();
    held->commodityCode = "CU";
    held->buySellSign = "1";
    held->shuLiang = "3";
    module.PXJYData().setChiCangHuiZongXinXi({held});
    addQuoteCommodity("ag", 7, 0, true);
    addQuoteCommodity("CU", 8, 1, true);

    const auto list = rows();
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0], held);
    EXPECT_EQ(list[1]->commodityCode, "AG");
    EXPECT_EQ(list[1]->shuLiang, "--");
    EXPECT_EQ(list[1]->buySellSign, "--");

    const auto texts = PXTradeHomeModel::rowTexts(*list[1], module.PXJYData(),
                                                  module.PXJYData().FuDongYingKui(), true);
    EXPECT_EQ(texts.name, "白银");
    EXPECT_EQ(texts.second.text, "--");
    EXPECT_EQ(texts.third.text, "--");
    EXPECT_EQ(texts.fourth.text, "0.00");
}

TEST_F(HoldingsRowsTest, shouldAddNoPlaceholderForAHeldCommodityWhateverTheQuoteCodesCase) {
    addTradeCommodity("AG", "白银");
    auto held = std::make_shared<PXJYChiCangHuiZong>();
    held->commodityCode = "AG";
    held->buySellSign = "2";
    module.PXJYData().setChiCangHuiZongXinXi({held});
    // Two watched quote records that both match the one trading code.
    addQuoteCommodity("ag", 7, 0, true);
    addQuoteCommodity("Ag", 8, 0, true);
    EXPECT_EQ(rows(), PXTradeSummaryList{held});

    module.PXJYData().setChiCangHuiZongXinXi({});
    const auto placeholders = rows();
    ASSERT_EQ(placeholders.size(), 1u);
    EXPECT_EQ(placeholders[0]->commodityCode, "AG");
}

TEST_F(HoldingsRowsTest, shouldMatchExactlyWhereTheQuoteCodeKeepsItsCase) {
    addTradeCommodity("AG", "白银");
    addQuoteCommodity("ag", 7, 1, true);
    addQuoteCommodity("AU", 9, 0, false);
    EXPECT_TRUE(rows().empty());
}

TEST_F(HoldingsRowsTest, shouldShowPricesInTheCommoditysFormatInTheSecondColumnSet) {
    addTradeCommodity("CU", "铜");
    PXJYChiCangHuiZong held;
    held.commodityCode = "CU";
    held.buySellSign = "2";
    held.pingJunChiCangJia = "5021.7";
    auto price = std::make_shared<PXTradeYiKouJia>();
    price->commodityBuyPrice = 5030.2;
    price->yesterdayClose = 5040;
    price->gpNumSell = 4;
    module.PXJYData().setZuiXinYiKouJia({{"CU", price}});

    const auto texts = PXTradeHomeModel::rowTexts(held, module.PXJYData(), JYDict::object(), false);
    EXPECT_EQ(texts.second.text, "5022");
    EXPECT_EQ(texts.third.text, "4");
    EXPECT_EQ(texts.fourth.text, "5030");
    EXPECT_EQ(texts.fourth.color, kGreen);
}
}  // namespace
