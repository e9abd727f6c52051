#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// An exact decimal number as the JSON coder reads and writes it: sign, significant digits
// and a power-of-ten exponent, so 1.10 stays 1.1 and never becomes the nearest binary value.
// Not-a-number marks a value no decimal can hold (a non-finite real). Plain value, any thread.
class TLANDecimal {
public:
    TLANDecimal() = default;
    explicit TLANDecimal(int64_t value);
    // Exact decimal form of the shortest text that reads back as the real; NaN when the real is
    // not finite.
    static TLANDecimal fromDouble(double value);
    // Reads a JSON number text ("-12.5e3"); nothing when it is not one or when the exponent lies
    // outside -128..127 once trailing zeros are folded in.
    static std::optional<TLANDecimal> fromJsonText(std::string_view text);
    static TLANDecimal notANumber();

    bool isNaN() const { return m_nan; }
    bool isZero() const { return !m_nan && m_digits == "0"; }
    // Plain positional text without exponent ("0.00012", "12300", "-1.1"); "NaN" for NaN.
    std::string text() const;
    std::optional<int64_t> toInt64() const;
    double toDouble() const;

    bool operator==(const TLANDecimal&) const = default;

private:
    void normalize();

    bool m_negative = false;
    std::string m_digits = "0";
    int m_exponent = 0;
    bool m_nan = false;
};
