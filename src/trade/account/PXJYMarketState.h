#pragma once

// The words of the market state code that the heartbeat reports ("S_Type"). Pure; any thread.

#include <optional>
#include <string>

class PXJYMarketState {
public:
    // Nothing for 1 and for codes outside 0 to 7: the screen keeps what it showed.
    static std::optional<std::string> text(int code);
};
