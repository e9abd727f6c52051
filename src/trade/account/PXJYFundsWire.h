#pragma once

// What every funds request starts with and what its list replies hand back. The keys:
// "id" (a fresh request id), "userid" (the account of the user default "JYUserName") and
// "session_id" (the session of the trading store). Main thread.

#include <vector>

#include "trade/core/PXTradeTypes.h"

class PXJYFundsWire {
public:
    static JYDict common();
    // The record dictionaries of a parsed reply, in reply order; none for no data.
    static std::vector<JYDict> records(const PXTradeResult* data);
};
