#include "trade/account/PXJYTradeSettings.h"

namespace {
enum Sing { kPromptType = 1, kRefreshTrade, kTimeout, kPrompt, kFastPrompt };

std::string promptTypeText(const std::string& value, const char* soundText) {
    if (value == "1") {
        return "无任何提示";
    }
    if (value == "2") {
        return "仅弹出窗口";
    }
    return soundText;
}

std::string yesNo(const std::string& value) {
    return value == "1" ? "是" : "否";
}

std::string titleWithUnits(int sing, const std::string& value, const char* separator) {
    switch (sing) {
        case kPromptType:
            return promptTypeText(value, "弹出窗口，并响铃");
        case kRefreshTrade:
            return value + separator + "秒";
        case kTimeout:
            return value + separator + "分钟";
        default:
            return yesNo(value);
    }
}
}  // namespace

const std::vector<PXJYTradeSettings::Row>& PXJYTradeSettings::rows() {
    static const std::vector<Row> table = {
        {"成交提醒方式:", "PromptType", {"1", "2", "3"}},
        {"行情刷新间隔:", "RefreshTrade", {"1", "3", "5", "10", "30"}},
        {"屏幕超时:", "timeoutTime", {"1", "3", "5", "10", "30", "60"}},
        {"下单提示:", "prompt", {"1", "2"}},
        {"速摘速转下单提示:", "fastPrompt", {"1", "2"}},
    };
    return table;
}

const PXJYTradeSettings::Row& PXJYTradeSettings::row(int sing) {
    return rows().at(static_cast<size_t>(sing - 1));
}

std::string PXJYTradeSettings::buttonTitle(int sing, const std::string& value) {
    return titleWithUnits(sing, value, "");
}

std::string PXJYTradeSettings::chosenTitle(int sing, const std::string& value) {
    return titleWithUnits(sing, value, " ");
}

std::string PXJYTradeSettings::listText(int sing, const std::string& value) {
    if (sing == kPromptType) {
        return promptTypeText(value, " 弹出窗口,并响铃");
    }
    return titleWithUnits(sing, value, " ");
}
