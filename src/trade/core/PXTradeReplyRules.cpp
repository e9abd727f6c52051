#include "trade/core/PXTradeReplyRules.h"

#include "platform/foundation/Text.h"
#include "trade/core/TradeText.h"

namespace {

const std::string* lookUp(const PXTradeReplyRule& rule, const std::string& text, bool byInteger) {
    const std::string wanted = byInteger ? std::to_string(Text::intValue(text)) : text;
    for (const auto& [code, result] : rule.table) {
        if (code == wanted) {
            return &result;
        }
    }
    return nullptr;
}

std::string money(const std::string& text) {
    return Text::format("%.2f", Text::doubleValue(text));
}

}  // namespace

void applyReplyRules(const PXTradeReplyRules& rules, const JYDict& element, JYDict& target) {
    for (const PXTradeReplyRule& rule : rules) {
        const std::string& from = rule.from.empty() ? rule.key : rule.from;
        if (!TradeText::has(element, from)) {
            continue;
        }
        const std::string text = TradeText::textAt(element, from);
        switch (rule.kind) {
            case PXTradeReplyRule::Copy:
                target[rule.key] = text;
                break;
            case PXTradeReplyRule::Money:
                target[rule.key] = money(text);
                break;
            case PXTradeReplyRule::Code:
            case PXTradeReplyRule::Letter:
            case PXTradeReplyRule::CodeOr:
            case PXTradeReplyRule::LetterOr: {
                const bool byInteger =
                    rule.kind == PXTradeReplyRule::Code || rule.kind == PXTradeReplyRule::CodeOr;
                const bool withDefault = rule.kind == PXTradeReplyRule::CodeOr ||
                                         rule.kind == PXTradeReplyRule::LetterOr;
                const std::string* found = lookUp(rule, text, byInteger);
                if (found) {
                    target[rule.key] = *found;
                } else if (withDefault && !rule.table.empty()) {
                    target[rule.key] = rule.table.back().second;
                }
                break;
            }
            case PXTradeReplyRule::MoneyOrDash:
                target[rule.key] = text == "0" ? std::string("--") : money(text);
                break;
            case PXTradeReplyRule::DashWhenEmpty:
                target[rule.key] = text.empty() ? std::string("--") : text;
                break;
            case PXTradeReplyRule::Fee: {
                const std::string fee = money(text);
                target[rule.key] = fee == "0.00" ? fee : "-" + fee;
                break;
            }
        }
    }
}
