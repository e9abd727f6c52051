#include "trade/account/PXJYPasswordForm.h"

#include "trade/login/PXJYLoginForm.h"

std::optional<PXJYPasswordForm::Refusal> PXJYPasswordForm::check(const std::string& oldPassword,
                                                                 const std::string& newPassword,
                                                                 const std::string& again) {
    if (PXJYLoginForm::isShortPassword(oldPassword)) {
        return Refusal{"密码有误", true, false};
    }
    if (PXJYLoginForm::isShortPassword(newPassword)) {
        return Refusal{"密码的长度不能小于6位", false, true};
    }
    if (newPassword != again) {
        return Refusal{"新密码两次输入不相符", false, true};
    }
    return std::nullopt;
}

bool PXJYPasswordForm::matches(const std::string& newPassword, const std::string& again) {
    return !PXJYLoginForm::isShortPassword(newPassword) && !PXJYLoginForm::isShortPassword(again) &&
           newPassword == again;
}

JYDict PXJYPasswordForm::envelope(const std::string& requestId, const std::string& userId,
                                  const std::string& passwordType, const std::string& oldPassword,
                                  const std::string& newPassword, const std::string& sessionId) {
    JYDict req = JYDict::object();
    req["id"] = requestId;
    req["name"] = "change_password";
    req["USER_ID"] = userId;
    req["PWD_TYPE"] = passwordType;
    req["OLD_PASSWORD"] = oldPassword;
    req["NEW_PASSWORD"] = newPassword;
    req["SESSION_ID"] = sessionId;
    JYDict body = JYDict::object();
    body["VUZI"]["version"] = "1.0";
    body["VUZI"]["REQ"] = std::move(req);
    return body;
}
