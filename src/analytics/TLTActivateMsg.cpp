#include "analytics/TLTActivateMsg.h"

#include <utility>

TLTActivateMsg::TLTActivateMsg(int64_t ts) {
    m_ts.set(ts);
}
