#include "market/VKJYQuoteTexts.h"

#include "chart/ChartScale.h"
#include "quote/QuoteRecords.h"

int VKJYQuoteTexts::decimalsOf(const commodityInfo& commodity) {
    return commodity.leastPrice == 1 ? 2 : commodity.leastPrice;
}

std::string VKJYQuoteTexts::priceText(const commodityInfo& commodity, double price) {
    return chartscale::priceText(price, decimalsOf(commodity));
}

VKJYQuoteTexts VKJYQuoteTexts::of(const commodityInfo& commodity, const YiKouJia* quote) {
    VKJYQuoteTexts texts;
    if (!quote || quote->pkLegth == 0) {
        return texts;
    }
    texts.price = priceText(commodity, quote->newPrice);
    if (quote->yesterdayClose == 0) {
        return texts;
    }
    texts.change = quote->zhangfuStr;
    texts.color = quote->textColor;
    texts.hasChange = true;
    return texts;
}
