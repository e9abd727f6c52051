#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "analytics/TLTField.h"
#include "analytics/TLTRecord.h"

// How the client's earlier uploads went; the one record with defaults.
// Wire struct "ClientStats"; one value and one "is set" flag per field. Plain value, any thread.
class TLTClientStats : public TLTRecord<TLTClientStats> {
public:
    static constexpr const char* kStructName = "ClientStats";
    static constexpr const char* kClassName = "TLTClientStats";

    // Fields 1 and 2 start at 0 and flagged; the other constructors start unset.
    TLTClientStats();
    // Sets and flags every field.
    TLTClientStats(int32_t successful_requests, int32_t failed_requests,
                   int32_t last_request_spent_ms);

    int32_t successful_requests() const { return m_successful_requests.value; }
    void setSuccessful_requests(int32_t value) { m_successful_requests.set(value); }
    bool successful_requestsIsSet() const { return m_successful_requests.isSet; }
    void unsetSuccessful_requests() { m_successful_requests.unset(); }

    int32_t failed_requests() const { return m_failed_requests.value; }
    void setFailed_requests(int32_t value) { m_failed_requests.set(value); }
    bool failed_requestsIsSet() const { return m_failed_requests.isSet; }
    void unsetFailed_requests() { m_failed_requests.unset(); }

    int32_t last_request_spent_ms() const { return m_last_request_spent_ms.value; }
    void setLast_request_spent_ms(int32_t value) { m_last_request_spent_ms.set(value); }
    bool last_request_spent_msIsSet() const { return m_last_request_spent_ms.isSet; }
    void unsetLast_request_spent_ms() { m_last_request_spent_ms.unset(); }

    bool operator==(const TLTClientStats&) const = default;

private:
    friend class TLTWire;

    template <class Self>
    static auto fieldsOf(Self& self) {
        return std::tuple{tltField("successful_requests", 1, self.m_successful_requests),
                          tltField("failed_requests", 2, self.m_failed_requests),
                          tltField("last_request_spent_ms", 3, self.m_last_request_spent_ms)};
    }

    TLTField<int32_t> m_successful_requests;
    TLTField<int32_t> m_failed_requests;
    TLTField<int32_t> m_last_request_spent_ms;
};
