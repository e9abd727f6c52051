#pragma once

// What the market screens show of a commodity's live quote: the price text with the
// commodity's own number of decimals (one decimal is shown as two; the chart keeps its own
// rule), the change text and the colour of both. "--" in white without a quote, without prices, or,
// for the change, without yesterday's close. A plain value.

#include <string>

#include "platform/graphics/Color.h"

struct commodityInfo;
struct YiKouJia;

struct VKJYQuoteTexts {
    static constexpr const char* kMissing = "--";

    std::string price = kMissing;
    std::string change = kMissing;
    Color color = Color::whiteColor();
    // Yesterday's close is known: the colour says rise or fall.
    bool hasChange = false;

    static VKJYQuoteTexts of(const commodityInfo& commodity, const YiKouJia* quote);
    static std::string priceText(const commodityInfo& commodity, double price);
    // The decimals the market screens and the quote header show for the commodity.
    static int decimalsOf(const commodityInfo& commodity);
};
