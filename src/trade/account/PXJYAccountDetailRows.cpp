#include "trade/account/PXJYAccountDetailRows.h"

#include "base/UIColorJudgeDataColor.h"
#include "platform/foundation/Text.h"
#include "trade/core/TradeText.h"

namespace {
const char* const kDash = "--";

std::string money(const std::string& text) {
    return Text::format("%.2f", Text::doubleValue(text));
}

std::string moneyOrDash(const std::string& text) {
    return text == kDash ? text : money(text);
}

// Names and status arrive with the login; until then the row shows "--".
std::string textOrDash(const JYDict& dict, const char* key) {
    const std::string text = TradeText::textAt(dict, key);
    return text.empty() ? kDash : text;
}

std::optional<Color> resultColor(const std::string& text) {
    if (text == kDash) {
        return std::nullopt;
    }
    const double value = Text::doubleValue(text);
    if (value < 0) {
        return Color::greenColor();
    }
    if (value > 0) {
        return Color::redColor();
    }
    return std::nullopt;
}
}  // namespace

std::string PXJYAccountDetailRows::feeText(const std::string& fee) {
    const std::string shown = money(fee);
    if (shown == "0.00" || shown == "-0.00") {
        return "0.00";
    }
    return Text::format("%.2f", -Text::doubleValue(fee));
}

std::vector<PXJYAccountDetailRows::Row> PXJYAccountDetailRows::rows(const JYDict& account,
                                                                    const JYDict& risk) {
    auto at = [&account](const char* key) { return TradeText::textAt(account, key); };
    auto figure = [&risk](const char* key) { return TradeText::textAt(risk, key); };
    const std::string floating = figure("m_flv");
    const std::string rate = figure("r_value");
    std::optional<Color> rateColor;
    if (rate != kDash) {
        rateColor = UIColorJudgeDataColor::judgeColorWithData(Text::doubleValue(rate), 100);
    }
    return {
        {"账号名称:", textOrDash(account, "FN"), std::nullopt},
        {"登录账户:", textOrDash(account, "FI"), std::nullopt},
        {"账号状态:", textOrDash(account, "C_STA"), std::nullopt},
        {"当前权益:", moneyOrDash(figure("c_value")), std::nullopt},
        {"期初权益:", moneyOrDash(figure("v_QC")), std::nullopt},
        {"浮动盈亏:", moneyOrDash(floating), resultColor(floating)},
        {"风险率", rate == kDash ? rate : money(rate) + "%", rateColor},
        {"当日盈亏合计:", money(at("PL")), std::nullopt},
        {"当日手续费合计:", feeText(at("FEE")), std::nullopt},
        {"已交订金:", money(at("RM")), std::nullopt},
        {"可用资金:", moneyOrDash(figure("BZJ_value")), std::nullopt},
        {"上日交收滞纳金:", money(at("CD")), std::nullopt},
        {"冻结订金:", money(at("OR_F_M")), std::nullopt},
        {"冻结手续费:", money(at("OR_F_F")), std::nullopt},
        {"当日出入金:", money(at("IOF")), std::nullopt},
    };
}
