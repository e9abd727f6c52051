#pragma once

// The state of the announcement query form apart from its views: the validity filter ("1"
// valid, "2" expired), the publication and expiry ranges (days as PXTradeQueryDay holds
// them), the number of the next record to ask for, and the list and content requests built
// from them. Plain value; main thread.

#include <optional>
#include <string>

#include "trade/core/PXTradeTypes.h"

class PXJYGongGaoQuery {
public:
    PXJYGongGaoQuery();

    // All four days become today.
    void resetDays();
    // Nothing when the ranges may be asked for (the expiry range only for expired
    // announcements), else the message to show.
    std::optional<std::string> check() const;
    // The list query from record startNum on.
    JYDict listRequest(const std::string& userId, const std::string& sessionId,
                       const std::string& title, int startNum) const;
    // The content query of a list record.
    JYDict detailRequest(const JYDict& record, const std::string& userId,
                         const std::string& sessionId) const;

    const std::string& effective() const { return m_effective; }
    void setEffective(std::string value) { m_effective = std::move(value); }
    bool expired() const { return m_effective == "2"; }
    int startNum() const { return m_startNum; }
    void setStartNum(int value) { m_startNum = value; }

    // Days: publication start and end, expiry start and end.
    double startDate = 0;
    double endDate = 0;
    double startDateInvalid = 0;
    double endDateInvalid = 0;

private:
    std::string m_effective = "1";
    int m_startNum = 0;
};
