#pragma once

// The rules of the SMS-code screens, without views: which phone numbers, accounts, codes and new
// passwords are taken, the messages that refuse the others, and the texts built from the
// replies. Plain functions; any thread.

#include <optional>
#include <string>

#include "trade/core/PXTradeTypes.h"

class PXJYSmsCodeRules {
public:
    static constexpr std::size_t kPhoneLength = 11;
    static constexpr std::size_t kAccountLength = 15;
    static constexpr std::size_t kResetCodeLength = 6;
    static constexpr std::size_t kShortestCode = 4;

    static bool checkTel(const std::string& phone) { return phone.size() == kPhoneLength; }
    static bool checkAccount(const std::string& account) {
        return account.size() == kAccountLength;
    }
    // A code was asked for (an SSID came back) and enough digits are typed.
    static bool codeLooksSent(const std::string& ssid, const std::string& code) {
        return !ssid.empty() && code.size() >= kShortestCode;
    }
    // The reset screen's "下一步": what is wrong with the code as typed, if anything (the
    // service judges the code itself with the reset).
    static std::optional<std::string> resetCodeProblem(const std::string& code);
    // The reset itself: what is wrong with the two entries, if anything.
    static std::optional<std::string> newPasswordProblem(const std::string& password,
                                                         const std::string& again);

    static std::string firstText(const PXTradeResult* data);
    static JYDict firstDict(const PXTradeResult* data);
    static std::string openedAccountText(const JYDict& account);
    static std::string retrievedAccountText(const JYDict& account);
    static std::string codeSentText(const JYDict& verification);
};
