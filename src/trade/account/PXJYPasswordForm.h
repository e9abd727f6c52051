#pragma once

// The rules of the trading password change form: the checks of the three entries in their
// order, the match tick, the typing limit and the whole change_password request body. Plain
// values; any thread.

#include <optional>
#include <string>

#include "trade/core/PXTradeTypes.h"

class PXJYPasswordForm {
public:
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
    // An edit replacing `replaced` of `length` characters with `inserted` ones may go in: the
    // entry never grows past 16 characters, whether typed or pasted.
    static bool acceptsEdit(std::size_t length, std::size_t replaced, std::size_t inserted) {
        return inserted == 0 || length - replaced + inserted <= kMaximumLength;
    }
    // passwordType "0" login password, "1" phone password.
    static JYDict envelope(const std::string& requestId, const std::string& userId,
                           const std::string& passwordType, const std::string& oldPassword,
                           const std::string& newPassword, const std::string& sessionId);
};
