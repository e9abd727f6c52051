#include "analytics/TLTInstantMsg.h"

#include <utility>

TLTInstantMsg::TLTInstantMsg(std::optional<std::string> id,
                             std::optional<std::vector<TLTError>> errors,
                             std::optional<std::vector<TLTEvent>> events) {
    m_id.set(std::move(id));
    m_errors.set(std::move(errors));
    m_events.set(std::move(events));
}
