#include "trade/account/PXJYFundPasswordForm.h"

#include "trade/account/PXJYFundsInput.h"

namespace {
bool isShort(const std::string& password) {
    return PXJYFundsInput::characters(password) < PXJYFundsInput::kPasswordLength;
}
}  // namespace

std::optional<PXJYFundPasswordForm::Refusal> PXJYFundPasswordForm::check(
    const std::string& oldPassword, const std::string& newPassword, const std::string& again) {
    if (isShort(oldPassword)) {
        return Refusal{"密码有误", true, false};
    }
    if (newPassword == oldPassword) {
        return Refusal{"请输入与旧密码不同的新密码", false, true};
    }
    if (newPassword.empty() || again.empty()) {
        return Refusal{"请输入密码", false, false};
    }
    if (isShort(newPassword) || isShort(again)) {
        return Refusal{"密码的长度不能小于6位", false, true};
    }
    if (newPassword != again) {
        return Refusal{"新密码两次输入不相符", false, true};
    }
    return std::nullopt;
}

bool PXJYFundPasswordForm::matches(const std::string& newPassword, const std::string& again) {
    return !isShort(newPassword) && !isShort(again) && newPassword == again;
}
