#pragma once

// How the query screens read a reply record: a value that is missing or empty (an unknown
// status code, a field the server left out) shows "--" on the order and deal screens and
// nothing on the reports, a commodity code shows its name from the trading store's commodity
// table, reply times (ms since 1970) show in the device's time zone and clearing days as the
// exchange's dates. Class operations; main thread.

#include <string>
#include <vector>

#include "trade/core/PXTradeTypes.h"

class PXJYQueryRecord {
public:
    // The record's text under key, or "--".
    static std::string text(const JYDict& record, const std::string& key);
    // The record's text under key, or nothing: a report shows what it was sent.
    static std::string reportText(const JYDict& record, const std::string& key);
    // The report time under key as "yyyy-MM-dd HH:mm:ss" on the exchange's clock; nothing when
    // the record lacks it.
    static std::string reportTime(const JYDict& record, const std::string& key);
    // The clearing day under key as the exchange's "yyyy-MM-dd"; nothing without one.
    static std::string day(const JYDict& record, const std::string& key);
    // The name of the commodity under the record's "CO_I", or "--" when it is not in the table.
    static std::string commodityName(const JYDict& record);
    // The time under key as "yyyy-MM-dd HH:mm:ss"; "--" without one.
    static std::string time(const JYDict& record, const std::string& key);
    // The record dictionaries of a parsed reply, in reply order.
    static std::vector<JYDict> records(const PXTradeResult* data);
    // "id", "userid" and "session_id" as every query request starts.
    static JYDict request();
};
