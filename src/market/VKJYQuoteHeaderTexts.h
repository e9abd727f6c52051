#pragma once

// What the quote screen's header shows of a live quote: last price, change and change rate,
// buy, sell, highest, lowest, open, yesterday's close and the amplitude, each with its colour.
// Prices carry the commodity's decimals (one decimal is shown as two); figures are coloured
// against yesterday's close, and without a close, prices or quote every figure is white and the
// change and amplitude "--". A plain value, computed without views.

#include <string>

#include "platform/graphics/Color.h"

struct commodityInfo;
struct YiKouJia;

struct VKJYQuoteHeaderTexts {
    struct Figure {
        std::string text = "--";
        Color color = Color::whiteColor();
    };

    Figure price;
    Figure change;
    Figure buy;
    Figure sell;
    Figure highest;
    Figure lowest;
    Figure open;
    Figure yesterdayClose;
    Figure amplitude;

    static VKJYQuoteHeaderTexts of(const commodityInfo& commodity, const YiKouJia* quote);
};
