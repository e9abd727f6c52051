#pragma once

// The read side of one simulated trading environment: commodities, firms, holdings, account
// funds, orders, deals, listing books, the five reports, announcements and the funds queries,
// each as the reply's REP object, with paging by STARTNUM and RECCNT. A short-lived helper over
// the state; the ledger calls it under the account's lock, or the whole state's for the listing
// book.

#include <algorithm>
#include <functional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "sim/trade/SimTradeRecords.h"

class SimTradeQueries {
public:
    // Rows of one page when a query names a first row but no count.
    static constexpr int kPageSize = 20;
    // Deals come in smaller pages.
    static constexpr int kDealPageSize = 10;

    explicit SimTradeQueries(SimTradeState& state) : m_state(state) {}

    SimJson commodities(const SimJson& request) const;
    SimJson otherFirm(const std::string& account) const;
    SimJson holdings(const std::string& account, const SimJson& request) const;
    SimJson holdingDetails(const std::string& account, const SimJson& request) const;
    SimJson firmInfo(const std::string& account) const;
    SimJson orders(const std::string& account, const SimJson& request) const;
    SimJson deals(const std::string& account, const SimJson& request) const;
    SimJson listings(const SimJson& request) const;
    // `kind` is the report's request name.
    SimJson report(const std::string& kind, const std::string& account,
                   const SimJson& request) const;
    SimJson notices(const SimJson& request) const;
    SimJson noticeContent(const SimJson& request) const;
    SimJson marketFunds(const std::string& account) const;
    SimJson banks(const std::string& account) const;
    SimJson transfers(const std::string& account, const SimJson& request) const;

    // Rows of a page as "TTLREC" and "RESULTLIST" -> "REC" of a success reply.
    static SimJson paged(const std::vector<SimJson>& rows, const SimJson& request, int pageSize);
    // The same for `total` rows of which only the page's are built, by `row(i)`.
    static SimJson paged(size_t total, const SimJson& request, int pageSize,
                         const std::function<SimJson(size_t)>& row);

private:
    SimJson commodityRecord(const SimTradeCommodity& item, size_t index) const;
    std::string nameOf(const std::string& code) const;
    int64_t dayStart(int64_t ms) const;
    // [first, end) ms of the days from "ST" to "ET"; open ends where they are missing.
    std::pair<int64_t, int64_t> dayBounds(const SimJson& request) const;
    // The records of a list kept in time order that fall in the request's days.
    template <typename Record>
    std::span<const Record> inRange(const std::vector<Record>& records,
                                    const SimJson& request) const {
        const auto [first, end] = dayBounds(request);
        auto from = std::ranges::lower_bound(records, first, {}, &Record::time);
        auto to = std::ranges::lower_bound(from, records.end(), end, {}, &Record::time);
        return {from, to};
    }
    bool inDays(int64_t ms, const SimJson& request, const char* from, const char* to) const;
    SimJson closedPositions(const std::string& account, const SimJson& request) const;
    SimJson dealReport(const std::string& account, const SimJson& request) const;
    SimJson holdingReport(const std::string& account, const SimJson& request) const;
    SimJson flowReport(const std::string& account, const SimJson& request) const;
    SimJson statementReport(const std::string& account, const SimJson& request) const;

    SimTradeState& m_state;
};
