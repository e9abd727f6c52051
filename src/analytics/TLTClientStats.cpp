#include "analytics/TLTClientStats.h"

#include <utility>

TLTClientStats::TLTClientStats() {
    setSuccessful_requests(0);
    setFailed_requests(0);
}

TLTClientStats::TLTClientStats(int32_t successful_requests, int32_t failed_requests,
                               int32_t last_request_spent_ms) {
    m_successful_requests.set(successful_requests);
    m_failed_requests.set(failed_requests);
    m_last_request_spent_ms.set(last_request_spent_ms);
}
