#pragma once

// The answer of the last funds transfer history query that found transfers: every record the
// server sent (the query asks for all of them at once) and the totals it puts on the first
// record. Plain values; any thread.

#include <cstdint>
#include <string>
#include <vector>

#include "trade/core/PXTradeTypes.h"

class PXJYTransferHistory {
public:
    // "start_num" "0" asks the server for every row of the range in one answer.
    static constexpr std::int64_t kEveryRow = 0;

    const std::vector<JYDict>& records() const { return m_records; }
    // A new answer with records takes the place of the last one.
    void replace(std::vector<JYDict> records) { m_records = std::move(records); }
    // A total ("IMS", "OMS", "TTLREC") of the answer.
    std::string total(const std::string& key) const;

private:
    std::vector<JYDict> m_records;
};
