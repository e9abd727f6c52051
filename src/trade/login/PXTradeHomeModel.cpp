#include "trade/login/PXTradeHomeModel.h"

#include <algorithm>
#include <set>

#include "base/UIColorJudgeDataColor.h"
#include "platform/foundation/Text.h"
#include "quote/HQJYEntity.h"
#include "quote/QuoteRecords.h"
#include "trade/core/PXTradeData.h"
#include "trade/core/PXTradePeiZhi.h"
#include "trade/core/TradeText.h"

namespace {
constexpr const char* kNoFigure = "--";
constexpr double kRiskReference = 100.0;

PXTradeHomeModel::Figure plain(const std::string& text) {
    return {text, Color::white(0.8)};
}

// "--" unchanged (white), else the value in the format, coloured by the rule.
template <typename ColorRule>
PXTradeHomeModel::Figure figure(const std::string& value, const char* format, ColorRule rule) {
    if (value == kNoFigure) {
        return {value, Color::whiteColor()};
    }
    const double number = Text::doubleValue(value);
    return {Text::format(format, number), rule(number)};
}

std::string priceText(const std::string& format, double price) {
    return Text::format(format.c_str(), price);
}
}  // namespace

PXTradeSummaryList PXTradeHomeModel::commodityAllKeys(const PXTradeData& store,
                                                      const HQJYEntity* quotes,
                                                      const std::string& platform,
                                                      const std::string& environment) {
    PXTradeSummaryList rows = store.chiCangHuiZongXinXi();
    std::set<std::string> held;
    for (const auto& summary : rows) {
        if (summary) {
            held.insert(summary->commodityCode);
        }
    }
    if (!quotes) {
        return rows;
    }
    const auto commodities = quotes->getHQproductInfoWithHouseCode(Text::intValue(platform),
                                                                   Text::intValue(environment));
    const auto watched = quotes->getCommodityChooseList().value_or(std::vector<std::string>());
    for (const auto& commodity :
         commodities.value_or(std::vector<std::shared_ptr<commodityInfo>>())) {
        const std::string key = Text::format("%d_%d", commodity->CommodityID, commodity->panindex);
        if (std::find(watched.begin(), watched.end(), key) == watched.end()) {
            continue;
        }
        for (const std::string& code : store.tradeCodesOf(*commodity)) {
            // The trading code is what the holdings carry; the quote code may differ in case.
            if (held.count(code)) {
                continue;
            }
            held.insert(code);
            auto placeholder = std::make_shared<PXJYChiCangHuiZong>();
            placeholder->commodityCode = code;
            for (std::string* field :
                 {&placeholder->fuDongYingKui, &placeholder->chiCangBaoZhengJin,
                  &placeholder->buySellSign, &placeholder->shuLiang, &placeholder->jianCangJunJia,
                  &placeholder->pingJunChiCangJia, &placeholder->dongJieShuLiang,
                  &placeholder->jiaoYiShouXuFei}) {
                *field = kNoFigure;
            }
            rows.push_back(placeholder);
        }
    }
    return rows;
}

PXTradeHomeModel::Figures PXTradeHomeModel::figures(const JYDict& fengXianLu) {
    const std::string equity = TradeText::textAt(fengXianLu, "c_value");
    return {equity == kNoFigure ? plain(equity)
                                : plain(Text::format("%.2f", Text::doubleValue(equity))),
            figure(TradeText::textAt(fengXianLu, "m_flv"), "%.2f",
                   [](double v) { return UIColorJudgeDataColor::getLableColorWithData(v); }),
            figure(TradeText::textAt(fengXianLu, "r_value"), "%.2f%%", [](double v) {
                return UIColorJudgeDataColor::judgeColorWithData(v, kRiskReference);
            })};
}

PXTradeHomeModel::RowTexts PXTradeHomeModel::rowTexts(const PXJYChiCangHuiZong& summary,
                                                      const PXTradeData& store,
                                                      const JYDict& fuDongYingKui,
                                                      bool commodityInfoChange) {
    const auto commodityIt = store.shangPinXinXi().find(summary.commodityCode);
    const auto commodity =
        commodityIt != store.shangPinXinXi().end() ? commodityIt->second : nullptr;
    RowTexts texts;
    texts.name = commodity ? commodity->commodityName : summary.commodityCode;
    const std::string& sign = summary.buySellSign;
    if (commodityInfoChange) {
        texts.second = plain(summary.shuLiang);
        texts.third = plain(sign == "1" ? "购入" : sign == "2" ? "售出" : sign);
        const auto perCommodity = fuDongYingKui.find(summary.commodityCode);
        const bool known = perCommodity != fuDongYingKui.end() && perCommodity->is_object() &&
                           perCommodity->contains(sign);
        const std::string value = known ? TradeText::textAt(*perCommodity, sign) : "0";
        texts.fourth = figure(value, "%.2f", [](double v) {
            return UIColorJudgeDataColor::getLableColorWithData(v);
        });
        return texts;
    }
    const std::string format =
        PXTradePeiZhi::getPointNum(commodity ? commodity->zuiXiaoBianDongJia : std::string());
    texts.second = summary.pingJunChiCangJia == kNoFigure
                       ? plain(kNoFigure)
                       : plain(priceText(format, Text::doubleValue(summary.pingJunChiCangJia)));
    const auto priceIt = store.zuiXinYiKouJia().find(summary.commodityCode);
    const PXTradeYiKouJia none;
    const PXTradeYiKouJia& price =
        priceIt != store.zuiXinYiKouJia().end() && priceIt->second ? *priceIt->second : none;
    if (sign != "1" && sign != "2") {
        return texts;
    }
    texts.third = plain(std::to_string(sign == "1" ? price.gpNum : price.gpNumSell));
    const double transfer = sign == "1" ? price.commoditySellPrice : price.commodityBuyPrice;
    texts.fourth = {priceText(format, transfer),
                    UIColorJudgeDataColor::judgeColorWithData(transfer, price.yesterdayClose)};
    return texts;
}

std::vector<double> PXTradeHomeModel::headerHeights(const std::vector<PXJYSavedAccount>& accounts) {
    std::vector<double> heights;
    for (size_t i = 0; i < accounts.size(); ++i) {
        const bool sameAsBefore = i > 0 &&
                                  accounts[i].platformCode == accounts[i - 1].platformCode &&
                                  accounts[i].environmentCode == accounts[i - 1].environmentCode;
        heights.push_back(sameAsBefore ? kSameEnvironmentHeaderHeight : kFirstHeaderHeight);
    }
    return heights;
}
