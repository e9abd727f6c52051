#pragma once
// How the query replies' record elements become result dictionaries: one rule per result key,
// taken in order. Used by PXTradeDataAnalysis only. Pure functions, any thread.

#include <string>
#include <utility>
#include <vector>

#include "trade/core/PXTradeTypes.h"

struct PXTradeReplyRule {
    enum Kind {
        Copy,           // the value's text
        Money,          // "%.2f" of the value
        Code,           // integer value looked up in the table; absent from it: no entry
        Letter,         // exact text looked up in the table; absent from it: no entry
        CodeOr,         // as Code, with the last table entry's text for any other value
        LetterOr,       // as Letter, likewise
        MoneyOrDash,    // "--" when the text is "0", else Money
        DashWhenEmpty,  // "--" for the empty text, else Copy
        Fee,            // Money with a leading "-" unless it is "0.00"
    };
    Kind kind;
    std::string key;
    std::string from;  // reply key; the result key when empty
    std::vector<std::pair<std::string, std::string>> table = {};
};

using PXTradeReplyRules = std::vector<PXTradeReplyRule>;

// Applies the rules to one reply element, adding the result keys to target. A reply key that
// is absent adds nothing.
void applyReplyRules(const PXTradeReplyRules& rules, const JYDict& element, JYDict& target);
