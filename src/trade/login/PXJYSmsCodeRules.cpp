#include "trade/login/PXJYSmsCodeRules.h"

#include "trade/core/TradeText.h"
#include "trade/login/PXJYLoginForm.h"

std::optional<std::string> PXJYSmsCodeRules::resetCodeProblem(const std::string& code) {
    if (code.empty()) {
        return "验证码输入不能为空！";
    }
    if (code.size() != kResetCodeLength) {
        return "请输入6位验证码！";
    }
    return std::nullopt;
}

std::optional<std::string> PXJYSmsCodeRules::newPasswordProblem(const std::string& password,
                                                                const std::string& again) {
    if (PXJYLoginForm::isShortPassword(password)) {
        return "新密码不得少于6位!";
    }
    if (password != again) {
        return "两次输入不相符,请重新输入!";
    }
    return std::nullopt;
}

std::string PXJYSmsCodeRules::firstText(const PXTradeResult* data) {
    const auto* text = data && !data->empty() ? std::get_if<std::string>(&data->front()) : nullptr;
    return text ? *text : std::string();
}

JYDict PXJYSmsCodeRules::firstDict(const PXTradeResult* data) {
    const auto* dict = data && !data->empty() ? std::get_if<JYDict>(&data->front()) : nullptr;
    return dict ? *dict : JYDict::object();
}

std::string PXJYSmsCodeRules::openedAccountText(const JYDict& account) {
    return "请牢记以下信息:\n交易账号:" + TradeText::textAt(account, "ACCN") +
           "\n交易密码:" + TradeText::textAt(account, "TPWD") +
           "\n电话密码:" + TradeText::textAt(account, "PPWD");
}

std::string PXJYSmsCodeRules::retrievedAccountText(const JYDict& account) {
    return "您的交易账号:" + TradeText::textAt(account, "ACCN");
}

std::string PXJYSmsCodeRules::codeSentText(const JYDict& verification) {
    return "验证码已发送到您尾号为" + TradeText::textAt(verification, "PN") + "的手机上";
}
