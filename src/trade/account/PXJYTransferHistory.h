#pragma once

// The pages of one funds transfer history query: the records received so far (the first page
// replaces, later pages append), the totals the server puts on a page's first record, and the
// row number the next page starts at. Rows are numbered from 1. Plain values; any thread.

#include <cstdint>
#include <string>
#include <vector>

#include "trade/core/PXTradeTypes.h"

class PXJYTransferHistory {
public:
    static constexpr std::int64_t kFirstRow = 1;

    const std::vector<JYDict>& records() const { return m_records; }
    // A new query's first page.
    void replace(std::vector<JYDict> page);
    // The page that follows the rows held; an empty page ends the query.
    void append(std::vector<JYDict> page);
    // Whether the server holds rows not yet received.
    bool hasMore() const;
    // STARTNUM of the page after the rows held.
    std::string nextStartNum() const;
    // A total ("IMS", "OMS", "TTLREC") of the query.
    std::string total(const std::string& key) const;

private:
    std::vector<JYDict> m_records;
    bool m_ended = false;
};
