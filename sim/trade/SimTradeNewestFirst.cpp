#include "sim/trade/SimTradeNewestFirst.h"

#include <algorithm>

SimTradeNewestFirst::SimTradeNewestFirst(std::vector<const std::vector<size_t>*> lists, size_t from)
    : m_lists(std::move(lists)), m_from(from) {
    for (const auto* list : m_lists) {
        m_first.push_back(static_cast<size_t>(std::lower_bound(list->begin(), list->end(), from) -
                                              list->begin()));
        m_left.push_back(list->size() - m_first.back());
        m_size += m_left.back();
    }
}

size_t SimTradeNewestFirst::countFrom(size_t position) const {
    size_t count = 0;
    for (const auto* list : m_lists) {
        count += static_cast<size_t>(
            list->end() - std::lower_bound(list->begin(), list->end(), std::max(position, m_from)));
    }
    return count;
}

// The newest `rank` positions are skipped by finding the greatest position that still has
// more than `rank` positions at or above it.
void SimTradeNewestFirst::seek(size_t rank) {
    m_nextRank = rank;
    if (rank >= m_size) {
        return;
    }
    size_t low = m_from;
    size_t high = 0;
    for (const auto* list : m_lists) {
        high = list->empty() ? high : std::max(high, list->back());
    }
    while (low < high) {
        const size_t middle = low + (high - low + 1) / 2;
        if (countFrom(middle) > rank) {
            low = middle;
        } else {
            high = middle - 1;
        }
    }
    for (size_t i = 0; i < m_lists.size(); ++i) {
        const auto& list = *m_lists[i];
        const auto last =
            static_cast<size_t>(std::upper_bound(list.begin(), list.end(), low) - list.begin());
        m_left[i] = last > m_first[i] ? last - m_first[i] : 0;
    }
}

size_t SimTradeNewestFirst::newestLeft(size_t list) const {
    return (*m_lists[list])[m_first[list] + m_left[list] - 1];
}

size_t SimTradeNewestFirst::next() {
    size_t best = m_lists.size();
    for (size_t i = 0; i < m_lists.size(); ++i) {
        if (m_left[i] > 0 && (best == m_lists.size() || newestLeft(i) > newestLeft(best))) {
            best = i;
        }
    }
    const size_t position = newestLeft(best);
    --m_left[best];
    ++m_nextRank;
    return position;
}

size_t SimTradeNewestFirst::at(size_t rank) {
    if (rank != m_nextRank) {
        seek(rank);
    }
    return next();
}
