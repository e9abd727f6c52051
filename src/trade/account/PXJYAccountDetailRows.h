#pragma once

// The fifteen rows of the account detail panel: labels, value texts from the account
// information (the firm_info reply) and the store's risk figures, and the colour of the
// floating result and the risk rate. Pure; any thread.

#include <optional>
#include <string>
#include <vector>

#include "platform/graphics/Color.h"
#include "trade/core/PXTradeTypes.h"

class PXJYAccountDetailRows {
public:
    struct Row {
        std::string label;
        std::string value;
        // The value's own colour; nothing for the panel's grey.
        std::optional<Color> color;
    };

    static std::vector<Row> rows(const JYDict& account, const JYDict& risk);
    // The day's fee as the panel shows it: the money it took off the account, so a charge of
    // 1.5 reads "-1.50" and a refund of 1.5 reads "1.50".
    static std::string feeText(const std::string& fee);
};
