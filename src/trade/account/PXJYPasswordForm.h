#pragma once

// The rules of the trading password change form: the checks of the three entries in their
// order, the match tick, the typing limit and the whole change_password request body. Plain
// values; any thread.

#include <optional>
#include <string>

#include "trade/core/PXTradeTypes.h"

class PXJYPasswordForm {
public:
    static constexpr std::size_t kMinimumLength = 6;
    static constexpr std::size_t kMaximumLength = 16;

    // What a refused form shows and which entries it empties.
    struct Refusal {
        std::string message;
        bool clearsOld = false;
        bool clearsNew = false;  // the new and the repeated entries
    };

    // Nothing when the entries may be sent.
    static std::optional<Refusal> check(const std::string& oldPassword,
                                        const std::string& newPassword, const std::string& again);
    // The tick: both new entries long enough and equal.
    static bool matches(const std::string& newPassword, const std::string& again);
    // An edit starting at that character position may go in.
    static bool acceptsEditAt(std::size_t location) { return location < kMaximumLength; }
    // passwordType "0" login password, "1" phone password.
    static JYDict envelope(const std::string& requestId, const std::string& userId,
                           const std::string& passwordType, const std::string& oldPassword,
                           const std::string& newPassword, const std::string& sessionId);
};
