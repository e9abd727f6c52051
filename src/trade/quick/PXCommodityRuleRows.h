#pragma once
// The trading rules of one commodity as title/value rows: identity and status, trade unit,
// holding limit, fee and margin rules, order size limits, then the stepped late fees of
// delivery, one row per step. A text the record lacks shows empty and a missing number reads
// as 0, so both columns always have the same length. Pure function; any thread.

#include <string>
#include <vector>

class PXTradeCommodity;

class PXCommodityRuleRows {
public:
    struct Rows {
        std::vector<std::string> titles;
        std::vector<std::string> values;
    };

    static Rows make(const PXTradeCommodity& commodity);
};
