#pragma once
// The texts every trading screen writes the same way: a price in its commodity's decimals, "--"
// for a figure that is missing, a signed percentage, a reply's time, the quantity-range label
// with its reading back, and what a price field lets the user type. Pure functions; any thread.

#include <string>

class PXTradeFormat {
public:
    static constexpr const char* kMissing = "--";

    struct QuantityRange {
        int minimum = 0;
        int maximum = 0;
    };

    // The value in the commodity's price format ("%.0f" for a price step of "1", else
    // "%.2f"); a value that rounds to zero never shows a minus sign.
    static std::string priceText(double value, const std::string& zuiXiaoBianDongJia);
    // Whether inserting `inserted` at the end of a price field holding `current` keeps it a
    // price. Every inserted character is checked, since a paste or an input method's commit
    // arrives in one piece ("1abc" is refused whole): one point at most, no leading point,
    // nothing but a point after a lone "0".
    static bool acceptsPriceInput(const std::string& current, const std::string& inserted);
    // "+1.25%" above zero, "-1.25%" below, "--" when it rounds to zero or cannot be computed.
    static std::string percentText(double value);
    // A reply's time (milliseconds since 1970, in decimal) in the device's zone as
    // "yyyy-MM-dd HH:mm:ss" (or the given pattern); "--" for a missing or non-positive one.
    // Screens that ask for exchange days use PXTradeQueryDay::replyTimeText instead.
    static std::string timeText(const std::string& milliseconds,
                                const char* pattern = "yyyy-MM-dd HH:mm:ss");
    // "(数量范围:1-100)" from the commodity's order limits as they stand.
    static std::string quantityRangeText(const std::string& minimum, const std::string& maximum);
    // The range a quantity-range label "(caption:minimum-maximum)" shows; a label of another
    // shape (empty, not written yet) reads as 0 to 0, so every quantity is refused.
    static QuantityRange parseQuantityRange(const std::string& label);
    // True when the quantity lies within the label's range, both ends included.
    static bool quantityInRange(int quantity, const std::string& label);
    // True when an accepted price deviation typed in whole ticks lies within the commodity's
    // bounds, both included; an empty or non-numeric text never does, as it would remove the
    // check the deviation stands for.
    static bool spreadInRange(const std::string& spread, const std::string& minimum,
                              const std::string& maximum);
};
