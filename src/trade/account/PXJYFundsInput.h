#pragma once

// What the funds screens let a person type: a fund password of at most six digits and an
// amount in yuan with at most two decimals. Each edit is judged by the text it would leave, so
// pasted text obeys the same rules as typed text. Plain functions; any thread.

#include <cstddef>
#include <string>

class PXJYFundsInput {
public:
    static constexpr std::size_t kPasswordLength = 6;

    // The text after replacing `length` characters at `location` (character positions).
    static std::string edited(const std::string& text, std::size_t location, std::size_t length,
                              const std::string& replacement);
    static bool isDigits(const std::string& text);
    static std::size_t characters(const std::string& text);

    // At most six digits.
    static bool isPasswordInProgress(const std::string& text);
    // A password that may be sent: exactly six digits.
    static bool isCompletePassword(const std::string& text);
    // What may stand in the amount field while typing: empty, or a number that starts with a
    // non-zero digit, with at most one point and two digits after it ("12." included).
    static bool isAmountInProgress(const std::string& text);
    // An amount that may be sent: as above, but not ending with the point.
    static bool isCompleteAmount(const std::string& text);
};
