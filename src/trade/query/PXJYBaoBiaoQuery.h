#pragma once

// The report screen's query and its pages, without views. A query names a report kind and the
// day texts of its range; its pages are asked for 20 at a time from record 1 on. The rows shown
// belong to one query: a new query empties them before the form's checks, so a query refused
// (by the form, by the server, or for want of records) shows no rows of an earlier one, and
// later pages always continue the query whose rows are shown. Plain state; main thread.

#include <optional>
#include <string>
#include <vector>

#include "trade/core/PXTradeTypes.h"

class PXJYBaoBiaoQuery {
public:
    static constexpr int kNoKind = -1;
    static constexpr int kKindCount = 5;

    // The five kinds' titles, in kind order.
    static const std::vector<std::string>& titles();
    // The title of a kind, "" for none.
    static std::string title(int kind);
    // The kind of a reply's request kind (the facade's typeNW), kNoKind for another request.
    static int kindOfReply(const std::string& typeNW);

    struct Page {
        int kind = kNoKind;
        std::string startDay;
        std::string endDay;
        int startNum = 1;
    };

    // A new query is coming: the rows go, and the answer to any request in flight is void.
    void clear();
    // The first page of a new query; it becomes the request in flight.
    Page begin(int kind, const std::string& startDay, const std::string& endDay);
    // The next page of the query shown; nothing when no rows are shown.
    std::optional<Page> more();
    // The request fields of a page added to base: "s_time", "e_time" (00:00 UTC of each day,
    // in ms) and "start_num".
    static JYDict request(JYDict base, const Page& page);

    // A page of records answered the request in flight. False when it held none (nothing
    // changes); otherwise it adds to the rows.
    bool accept(std::vector<JYDict> page);
    // The request in flight failed: nothing changes.
    void fail() { m_inFlight.reset(); }

    bool isLoading() const { return m_inFlight.has_value(); }
    // The kind of the rows shown (kNoKind before the first rows).
    int kind() const { return m_shown.kind; }
    // The record number the next page starts at.
    int startNum() const { return m_shown.startNum; }
    const std::vector<JYDict>& records() const { return m_records; }

private:
    Page m_shown;
    std::optional<Page> m_inFlight;
    std::vector<JYDict> m_records;
};
