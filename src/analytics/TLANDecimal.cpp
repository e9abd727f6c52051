#include "analytics/TLANDecimal.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "analytics/TLANAscii.h"

namespace {

constexpr int kMinExponent = -128;
constexpr int kMaxExponent = 127;

}  // namespace

TLANDecimal::TLANDecimal(int64_t value) {
    m_negative = value < 0;
    uint64_t magnitude =
        m_negative ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
    m_digits = std::to_string(magnitude);
    normalize();
}

TLANDecimal TLANDecimal::fromDouble(double value) {
    if (!std::isfinite(value)) {
        return notANumber();
    }
    char text[64];
    auto result = std::to_chars(text, text + sizeof text, value);
    std::string shortest(text, result.ptr);
    return fromJsonText(shortest).value_or(notANumber());
}

TLANDecimal TLANDecimal::notANumber() {
    TLANDecimal nan;
    nan.m_nan = true;
    return nan;
}

std::optional<TLANDecimal> TLANDecimal::fromJsonText(std::string_view text) {
    TLANDecimal number;
    size_t i = 0;
    if (i < text.size() && text[i] == '-') {
        number.m_negative = true;
        ++i;
    }
    std::string digits;
    long long exponent = 0;
    size_t start = i;
    while (i < text.size() && TLANAscii::isDigit(text[i])) {
        digits += text[i++];
    }
    if (i == start) {
        return std::nullopt;
    }
    if (i < text.size() && text[i] == '.') {
        size_t fraction = ++i;
        while (i < text.size() && TLANAscii::isDigit(text[i])) {
            digits += text[i++];
            --exponent;
        }
        if (i == fraction) {
            return std::nullopt;
        }
    }
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        bool negative = i < text.size() && text[i] == '-';
        if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
            ++i;
        }
        size_t expStart = i;
        long long value = 0;
        while (i < text.size() && TLANAscii::isDigit(text[i])) {
            if (value > 1000000) {
                return std::nullopt;
            }
            value = value * 10 + (text[i++] - '0');
        }
        if (i == expStart) {
            return std::nullopt;
        }
        exponent += negative ? -value : value;
    }
    if (i != text.size()) {
        return std::nullopt;
    }
    size_t firstNonZero = digits.find_first_not_of('0');
    number.m_digits = firstNonZero == std::string::npos ? "0" : digits.substr(firstNonZero);
    if (number.m_digits == "0") {
        exponent = 0;
    }
    while (number.m_digits.size() > 1 && number.m_digits.back() == '0') {
        number.m_digits.pop_back();
        ++exponent;
    }
    if (exponent < kMinExponent || exponent > kMaxExponent) {
        return std::nullopt;
    }
    number.m_exponent = static_cast<int>(exponent);
    number.normalize();
    return number;
}

void TLANDecimal::normalize() {
    if (m_digits == "0") {
        m_negative = false;
        m_exponent = 0;
        return;
    }
    while (m_digits.size() > 1 && m_digits.back() == '0') {
        m_digits.pop_back();
        ++m_exponent;
    }
}

std::string TLANDecimal::text() const {
    if (m_nan) {
        return "NaN";
    }
    std::string body;
    if (m_exponent >= 0) {
        body = m_digits + std::string(static_cast<size_t>(m_exponent), '0');
    } else {
        auto fractionDigits = static_cast<size_t>(-m_exponent);
        std::string padded = m_digits.size() <= fractionDigits
                                 ? std::string(fractionDigits - m_digits.size() + 1, '0') + m_digits
                                 : m_digits;
        body = padded.substr(0, padded.size() - fractionDigits) + "." +
               padded.substr(padded.size() - fractionDigits);
    }
    return (m_negative ? "-" : "") + body;
}

std::optional<int64_t> TLANDecimal::toInt64() const {
    if (m_nan || m_exponent < 0) {
        return std::nullopt;
    }
    int64_t value = 0;
    std::string whole = text();
    auto result = std::from_chars(whole.data(), whole.data() + whole.size(), value);
    if (result.ec != std::errc() || result.ptr != whole.data() + whole.size()) {
        return std::nullopt;
    }
    return value;
}

double TLANDecimal::toDouble() const {
    if (m_nan) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    std::string whole = text();
    double value = 0;
    std::from_chars(whole.data(), whole.data() + whole.size(), value);
    return value;
}
