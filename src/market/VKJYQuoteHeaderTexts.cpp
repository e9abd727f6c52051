#include "market/VKJYQuoteHeaderTexts.h"

#include <cstdio>

#include "base/UIColorJudgeDataColor.h"
#include "chart/ChartScale.h"
#include "market/VKJYQuoteTexts.h"
#include "quote/QuoteRecords.h"

namespace {
constexpr const char* kMissing = "--";

std::string amplitudeText(const YiKouJia& quote) {
    const auto rate =
        static_cast<float>((quote.heigthestPrice - quote.lowestPrice) / quote.yesterdayClose);
    char text[64];
    std::snprintf(text, sizeof text, "+%.2f%%", static_cast<double>(rate) * 100);
    return text;
}
}  // namespace

VKJYQuoteHeaderTexts VKJYQuoteHeaderTexts::of(const commodityInfo& commodity,
                                              const YiKouJia* quote) {
    VKJYQuoteHeaderTexts texts;
    texts.change.text = std::string(kMissing) + " " + kMissing;
    if (!quote || quote->pkLegth == 0) {
        return texts;
    }
    const int decimals = VKJYQuoteTexts::decimalsOf(commodity);
    const double close = quote->yesterdayClose;
    const bool judged = close != 0;
    auto figure = [&](double value) {
        Figure f{chartscale::priceText(value, decimals), Color::whiteColor()};
        if (judged) {
            f.color = UIColorJudgeDataColor::judgeColorWithData(value, close);
        }
        return f;
    };
    texts.price = figure(quote->newPrice);
    texts.buy = figure(quote->buyPrice);
    texts.sell = figure(quote->sellPrice);
    texts.highest = figure(quote->heigthestPrice);
    texts.lowest = figure(quote->lowestPrice);
    texts.open = figure(quote->todayOpen);
    texts.yesterdayClose = figure(close);
    if (!judged) {
        return texts;
    }
    texts.change = {chartscale::priceText(quote->addPrice, decimals) + " " + quote->zhangfuStr,
                    texts.price.color};
    texts.amplitude = {amplitudeText(*quote), Color::rgb(255, 0, 0)};
    return texts;
}
