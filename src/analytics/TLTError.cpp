#include "analytics/TLTError.h"

#include <utility>

TLTError::TLTError(int64_t ts, std::optional<std::string> context) {
    m_ts.set(ts);
    m_context.set(std::move(context));
}
