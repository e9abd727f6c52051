#include "trade/account/PXJYGongGaoQuery.h"

#include "trade/common/PXTradeQueryDay.h"
#include "trade/core/TradeText.h"

namespace {
std::string requestTime(double day) {
    return PXTradeQueryDay::requestTime(PXTradeQueryDay::dayText(day));
}
}  // namespace

PXJYGongGaoQuery::PXJYGongGaoQuery() {
    resetDays();
}

void PXJYGongGaoQuery::resetDays() {
    const double today = PXTradeQueryDay::today();
    startDate = endDate = startDateInvalid = endDateInvalid = today;
}

std::optional<std::string> PXJYGongGaoQuery::check() const {
    if (auto refusal = PXTradeQueryDay::checkRange(startDate, endDate)) {
        return refusal;
    }
    if (expired()) {
        return PXTradeQueryDay::checkRange(startDateInvalid, endDateInvalid);
    }
    return std::nullopt;
}

JYDict PXJYGongGaoQuery::listRequest(const std::string& userId, const std::string& sessionId,
                                     const std::string& title, int startNum) const {
    JYDict query = JYDict::object();
    query["userid"] = userId;
    query["session_id"] = sessionId;
    query["effective"] = m_effective;
    query["type"] = "";
    query["s_time"] = requestTime(startDate);
    query["e_time"] = requestTime(endDate);
    query["e_st"] = expired() ? requestTime(startDateInvalid) : "0";
    query["e_et"] = expired() ? requestTime(endDateInvalid) : "0";
    query["title"] = title;
    query["start_num"] = std::to_string(startNum);
    return query;
}

JYDict PXJYGongGaoQuery::detailRequest(const JYDict& record, const std::string& userId,
                                       const std::string& sessionId) const {
    JYDict query = JYDict::object();
    query["userid"] = userId;
    query["session_id"] = sessionId;
    query["notice_id"] = TradeText::textAt(record, "ID");
    query["type"] = TradeText::textAt(record, "TYPE");
    query["effective"] = m_effective;
    return query;
}
