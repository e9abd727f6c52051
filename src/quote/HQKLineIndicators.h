#pragma once

// The indicators the K-line cache stores with its bars, over a whole series oldest first:
// moving averages of 5, 10, 20 and 30 closes (absent while fewer bars precede), MACD 12/26/9
// (EMAs seeded with the first close: DIF = EMA12 - EMA26, DEA = EMA9 of DIF seeded with the first
// DIF, MACD = 2 (DIF - DEA)) and KDJ 9/3/3 (RSV over the last 9 bars, fewer at the start, and 50
// when their high equals their low; K = (2 K' + RSV) / 3 and D = (2 D' + K) / 3 seeded with 50;
// J = 3 K - 2 D). Stateless; any thread.

#include <memory>
#include <vector>

#include "quote/QuoteRecords.h"

class HQKLineIndicators {
public:
    // Sets PMAGroup and MACDKDJ of every bar, reusing the records a bar already has.
    static void compute(const std::vector<std::shared_ptr<KLineDataItem>>& bars);
};
