#include "trade/common/PXPriceBoardFigures.h"

#include "base/UIColorJudgeDataColor.h"
#include "platform/foundation/Text.h"
#include "trade/common/PXTradeFormat.h"
#include "trade/core/PXTradeData.h"

namespace {
using Cell = PXPriceBoardFigures::Cell;

Cell priceAgainst(double price, double reference, const std::string& step) {
    return {PXTradeFormat::priceText(price, step),
            UIColorJudgeDataColor::judgeColorWithData(price, reference)};
}

// A share of the previous close in percent, "--" without a previous close. Both percentages
// are coloured by their two-decimal text, so a change too small to show reads "--" in white.
Cell percentOfClose(double amount, double close) {
    if (close == 0) {
        return {};
    }
    const double percent = amount / close * 100;
    return {PXTradeFormat::percentText(percent),
            UIColorJudgeDataColor::getLableColorWithData(
                std::string_view(Text::format("%.2f", percent)))};
}
}  // namespace

PXPriceBoardFigures PXPriceBoardFigures::make(const PXTradeYiKouJia* prices,
                                              const std::string& step) {
    PXPriceBoardFigures figures;
    if (!prices) {
        return figures;
    }
    const double close = prices->yesterdayClose;
    figures.kaiPanJ = priceAgainst(prices->todayOpen, close, step);
    figures.zuoShouJ.text = PXTradeFormat::priceText(close, step);
    figures.zhengFuL =
        percentOfClose(prices->commodityTopPrice - prices->commodityLowerPrice, close);
    figures.zuiGaoL = priceAgainst(prices->commodityTopPrice, close, step);
    figures.zuiDiL = priceAgainst(prices->commodityLowerPrice, close, step);
    figures.buyl = priceAgainst(prices->commodityBuyPrice, close, step);
    figures.sellL = priceAgainst(prices->commoditySellPrice, close, step);
    figures.dangQianJia = priceAgainst(prices->commodityNewPrice, close, step);
    figures.zhangFu.text = PXTradeFormat::priceText(prices->commodityNewPrice - close, step);
    figures.zhangFu.color =
        UIColorJudgeDataColor::getLableColorWithData(std::string_view(figures.zhangFu.text));
    figures.zhangFuBi = percentOfClose(prices->commodityNewPrice - close, close);
    return figures;
}

PXPriceBoardFigures PXPriceBoardFigures::fromStore(const PXTradeData& store,
                                                   const std::string& code) {
    const auto price = store.zuiXinYiKouJia().find(code);
    const auto commodity = store.shangPinXinXi().find(code);
    const PXTradeYiKouJia* prices =
        price != store.zuiXinYiKouJia().end() ? price->second.get() : nullptr;
    const std::string step = commodity != store.shangPinXinXi().end() && commodity->second
                                 ? commodity->second->zuiXiaoBianDongJia
                                 : std::string();
    return make(prices, step);
}
