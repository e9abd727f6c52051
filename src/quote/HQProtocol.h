#pragma once

// Numbers of the quote-server protocol (docs/quote-protocol.md) shared by the request builder,
// the parser and the manager.

#include <cstddef>
#include <cstdint>

struct HQProtocol {
    static constexpr size_t kHeadSize = 10;
    static constexpr int16_t kPricePartLength = 49;
    static constexpr int kMaxScale = 8;
    static constexpr int kSessionExpired = 2003;

    static constexpr uint16_t kServerProtocol = 1;
    static constexpr uint16_t kLogin = 2;
    static constexpr uint16_t kMarketList = 10;
    static constexpr uint16_t kCommodityList = 11;
    static constexpr uint16_t kTradingTime = 12;
    static constexpr uint16_t kKLine = 30;
    static constexpr uint16_t kKLinePeriods = 31;
    static constexpr uint16_t kFenShi = 32;
    static constexpr uint16_t kManyDayKLine = 33;
    static constexpr uint16_t kManyDayFenShi = 34;
    static constexpr uint16_t kServerTime = 35;
    static constexpr uint16_t kZipSec = 36;
    static constexpr uint16_t kAllQuotes = 37;
    static constexpr uint16_t kOneQuote = 38;
};
