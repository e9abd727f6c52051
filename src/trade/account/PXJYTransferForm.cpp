#include "trade/account/PXJYTransferForm.h"

#include "trade/account/PXJYFundsInput.h"
#include "trade/core/TradeText.h"

namespace {
bool isEmptyRecord(const JYDict& bank) {
    return !bank.is_object() || bank.empty();
}
}  // namespace

bool PXJYTransferForm::refusesDeposit(const JYDict& bank) {
    return !isEmptyRecord(bank) && TradeText::textAt(bank, "BANK_ID") == kThirdPartyBankId;
}

std::optional<std::string> PXJYTransferForm::check(const JYDict& bank, const std::string& type,
                                                   const std::string& amount,
                                                   const std::string& password) {
    if (isEmptyRecord(bank)) {
        return "请选择银行";
    }
    // The bank may have been chosen under withdrawal before the type changed.
    if (type == kDeposit && refusesDeposit(bank)) {
        return kThirdPartyRefusal;
    }
    if (amount.empty()) {
        return "金额不能为空";
    }
    if (!PXJYFundsInput::isCompleteAmount(amount)) {
        return "请输入正确的金额";
    }
    if (!PXJYFundsInput::isCompletePassword(password)) {
        return "密码有误";
    }
    return std::nullopt;
}

std::string PXJYTransferForm::timePeriodText(const JYDict& bank) {
    if (isEmptyRecord(bank)) {
        return "注:可操作时间段为(--:--:-- - --:--:--)";
    }
    return "注:可操作时间段为(" + TradeText::textAt(bank, "ST") + " - " +
           TradeText::textAt(bank, "ET") + ")";
}

std::string PXJYTransferForm::confirmationText(const std::string& type, const std::string& amount) {
    const char* kind = type == kDeposit ? "入金" : "出金";
    return std::string("转账类型:") + kind + "\n 转账金额:" + amount;
}

std::string PXJYTransferForm::successText(const std::string& type, const std::string& amount) {
    const char* kind = type == kDeposit ? "入金" : "出金";
    return std::string("转账类型：") + kind + "\n转账金额：￥" + amount;
}

JYDict PXJYTransferForm::request(JYDict common, const JYDict& bank, const std::string& type,
                                 const std::string& amount, const std::string& password) {
    JYDict query = std::move(common);
    query["bank_id"] = TradeText::textAt(bank, "BANK_ID");
    query["in_out"] = type;
    query["amount"] = amount;
    query["pswd"] = password;
    return query;
}
