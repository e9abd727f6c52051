#pragma once
// Reading the texts of JSON values as the trading side stores them, escaping addresses and
// writing local times.
// Pure functions, any thread.

#include <cstdint>
#include <string>

#include "trade/core/PXTradeTypes.h"

class TradeText {
public:
    // The text form of a JSON leaf: a text stays, a number becomes its decimal text, a flag
    // "1" or "0", null and containers the empty text.
    static std::string textOf(const JYDict& value);
    // textOf of dict[key]; empty when dict is not an object or lacks the key.
    static std::string textAt(const JYDict& dict, const std::string& key);
    static bool has(const JYDict& dict, const std::string& key);
    // Percent-escapes what may not stand in a URL (non-ASCII bytes, blanks, quotes, brackets)
    // as UTF-8, leaving the URL's own delimiters as they are.
    static std::string escapedUrl(const std::string& address);
    // Local time "yyyy-MM-dd HH:mm:ss" of a time in whole seconds since 1970.
    static std::string localTimeText(int64_t secondsSince1970);
};
