#include "analytics/TLTResponse.h"

#include <utility>

TLTResponse::TLTResponse(int32_t resp_code, std::optional<std::string> msg,
                         std::optional<TLTImprint> imprint) {
    m_resp_code.set(resp_code);
    m_msg.set(std::move(msg));
    m_imprint.set(std::move(imprint));
}
