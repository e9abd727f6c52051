#pragma once

// The positions held in several ascending, disjoint lists (an account's deals of each side,
// settlement and commodity), read as one list newest first from a given rank, so that a page
// of filtered rows costs the rows it returns, not the older rows before them. A short-lived
// view; the lists must not change while it is in use.

#include <cstddef>
#include <vector>

class SimTradeNewestFirst {
public:
    // Only positions at or above `from` count.
    SimTradeNewestFirst(std::vector<const std::vector<size_t>*> lists, size_t from);

    size_t size() const { return m_size; }
    // The position of rank `rank` (0 is the newest); each call after the first that is one
    // rank further costs one step.
    size_t at(size_t rank);

private:
    size_t countFrom(size_t position) const;
    void seek(size_t rank);
    size_t newestLeft(size_t list) const;
    size_t next();

    std::vector<const std::vector<size_t>*> m_lists;
    size_t m_from = 0;
    size_t m_size = 0;
    // Per list: the index of its first entry at or above m_from, and how many entries from there
    // are still to read, newest first.
    std::vector<size_t> m_first;
    std::vector<size_t> m_left;
    size_t m_nextRank = 0;
};
