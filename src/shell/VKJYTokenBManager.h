#pragma once

// Keeps token B, which the trading login hands out, in the user default "TKNB".
// Owned by the application delegate. Main thread.

#include <optional>
#include <string>

class VKJYTokenBManager {
public:
    static constexpr const char* kTokenBKey = "TKNB";

    // The stored token; nothing when none is stored.
    std::optional<std::string> tokenB() const;
    // Stores it and writes the defaults to disk.
    void saveTokenB(const std::string& token);
};
