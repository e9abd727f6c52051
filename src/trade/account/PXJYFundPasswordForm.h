#pragma once

// The rules of the fund password change: the checks of the three entries in their order, with
// the entries each refusal empties, and the tick shown when the two new entries agree. Plain
// values; any thread.

#include <optional>
#include <string>

class PXJYFundPasswordForm {
public:
    struct Refusal {
        std::string message;
        bool clearsOld = false;
        bool clearsNew = false;  // the new and the repeated entries
    };

    // Nothing when the change may be sent.
    static std::optional<Refusal> check(const std::string& oldPassword,
                                        const std::string& newPassword, const std::string& again);
    static bool matches(const std::string& newPassword, const std::string& again);
};
