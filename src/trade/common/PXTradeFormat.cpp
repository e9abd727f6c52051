#include "trade/common/PXTradeFormat.h"

#include <cmath>

#include "platform/foundation/Text.h"
#include "trade/core/PXTradePeiZhi.h"

namespace {
const std::string kRangeHead = "(数量范围:";
const std::string kRangeTail = ")";

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
    return kRangeHead + minimum + "-" + maximum + kRangeTail;
}

PXTradeFormat::QuantityRange PXTradeFormat::parseQuantityRange(const std::string& label) {
    if (label.size() < kRangeHead.size() + kRangeTail.size() ||
        label.compare(0, kRangeHead.size(), kRangeHead) != 0 ||
        label.compare(label.size() - kRangeTail.size(), kRangeTail.size(), kRangeTail) != 0) {
        return {};
    }
    const std::string inner =
        label.substr(kRangeHead.size(), label.size() - kRangeHead.size() - kRangeTail.size());
    const auto dash = inner.find('-');
    if (dash == std::string::npos) {
        return {};
    }
    return {Text::intValue(inner.substr(0, dash)), Text::intValue(inner.substr(dash + 1))};
}

bool PXTradeFormat::quantityInRange(int quantity, const std::string& label) {
    const QuantityRange range = parseQuantityRange(label);
    return quantity >= range.minimum && quantity <= range.maximum;
}
