#pragma once

// The rules of the funds transfer form: which bank may take a deposit, the checks made before
// the confirmation (in the order the customer meets them), and the texts of the note, the
// confirmation and the success. Plain values; any thread.

#include <optional>
#include <string>

#include "trade/core/PXTradeTypes.h"

class PXJYTransferForm {
public:
    static constexpr const char* kDeposit = "I";
    static constexpr const char* kWithdrawal = "O";
    // The payment channel this client takes no deposit through.
    static constexpr const char* kThirdPartyBankId = "900";
    static constexpr const char* kThirdPartyRefusal = "本版本暂不支持第三方支付入金功能";

    // A deposit through this bank record is refused.
    static bool refusesDeposit(const JYDict& bank);
    // Nothing when the transfer may be confirmed, else the message to show. A bank record
    // without keys counts as no bank.
    static std::optional<std::string> check(const JYDict& bank, const std::string& type,
                                            const std::string& amount, const std::string& password);
    // "注:可操作时间段为(ST - ET)", dashes before a bank is chosen.
    static std::string timePeriodText(const JYDict& bank);
    static std::string confirmationText(const std::string& type, const std::string& amount);
    static std::string successText(const std::string& type, const std::string& amount);
    // The dictionary of lower-case keys the request facade's setMoneyTransfer takes: the
    // common keys ("id", "userid", "session_id") and the transfer's own.
    static JYDict request(JYDict common, const JYDict& bank, const std::string& type,
                          const std::string& amount, const std::string& password);
};
