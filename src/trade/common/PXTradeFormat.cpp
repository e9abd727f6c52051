#include "trade/common/PXTradeFormat.h"

#include <algorithm>
#include <cmath>

#include "platform/foundation/DateFormat.h"
#include "platform/foundation/Text.h"
#include "trade/core/PXTradePeiZhi.h"

namespace {

std::string unsignedZero(std::string text) {
    if (text.size() > 1 && text.front() == '-' &&
        text.find_first_not_of("0.", 1) == std::string::npos) {
        text.erase(0, 1);
    }
    return text;
}
}  // namespace

std::string PXTradeFormat::priceText(double value, const std::string& zuiXiaoBianDongJia) {
    if (!std::isfinite(value)) {
        return kMissing;
    }
    return unsignedZero(Text::format(PXTradePeiZhi::getPointNum(zuiXiaoBianDongJia), value));
}

bool PXTradeFormat::acceptsPriceInput(const std::string& current, const std::string& inserted) {
    std::string text = current;
    for (const char c : inserted) {
        const bool digit = c >= '0' && c <= '9';
        if (!digit && c != '.') {
            return false;
        }
        if (c == '.' && (text.empty() || text.find('.') != std::string::npos)) {
            return false;
        }
        if (digit && text == "0") {
            return false;
        }
        text.push_back(c);
    }
    return true;
}

std::string PXTradeFormat::timeText(const std::string& milliseconds, const char* pattern) {
    const long long value = Text::longLongValue(milliseconds);
    if (value <= 0) {
        return kMissing;
    }
    return DateFormat(pattern).format(static_cast<double>(value) / 1000.0);
}

std::string PXTradeFormat::percentText(double value) {
    if (!std::isfinite(value)) {
        return kMissing;
    }
    // Zero is judged on the two-decimal text, so a change too small to show reads "--".
    const std::string number = unsignedZero(Text::format("%.2f", value));
    if (Text::doubleValue(number) == 0) {
        return kMissing;
    }
    return (value > 0 ? "+" : "") + number + "%";
}

std::string PXTradeFormat::quantityRangeText(const std::string& minimum,
                                             const std::string& maximum) {
    return "(数量范围:" + minimum + "-" + maximum + ")";
}

PXTradeFormat::QuantityRange PXTradeFormat::parseQuantityRange(const std::string& label) {
    // "(caption:minimum-maximum)"; the maximum may be negative when nothing is left to order.
    if (label.size() < 2 || label.front() != '(' || label.back() != ')') {
        return {};
    }
    const std::string inner = label.substr(1, label.size() - 2);
    const auto colon = inner.find(':');
    if (colon == std::string::npos) {
        return {};
    }
    const std::string bounds = inner.substr(colon + 1);
    const auto dash = bounds.find('-');
    if (dash == std::string::npos || dash == 0) {
        return {};
    }
    return {Text::intValue(bounds.substr(0, dash)), Text::intValue(bounds.substr(dash + 1))};
}

bool PXTradeFormat::quantityInRange(int quantity, const std::string& label) {
    const QuantityRange range = parseQuantityRange(label);
    return quantity >= range.minimum && quantity <= range.maximum;
}

bool PXTradeFormat::spreadInRange(const std::string& spread, const std::string& minimum,
                                  const std::string& maximum) {
    const bool digits = !spread.empty() && std::all_of(spread.begin(), spread.end(),
                                                       [](char c) { return c >= '0' && c <= '9'; });
    if (!digits) {
        return false;
    }
    const int value = Text::intValue(spread);
    return value >= Text::intValue(minimum) && value <= Text::intValue(maximum);
}
