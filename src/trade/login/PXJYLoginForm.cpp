#include "trade/login/PXJYLoginForm.h"

#include <algorithm>
#include <vector>

namespace {
constexpr std::size_t kRunLength = 4;
constexpr std::size_t kMemberCodeLength = 3;
}  // namespace

std::string PXJYLoginForm::withoutSpaces(const std::string& text) {
    std::string result = text;
    result.erase(std::remove(result.begin(), result.end(), ' '), result.end());
    return result;
}

std::size_t PXJYLoginForm::characters(const std::string& text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char byte) {
        return (static_cast<unsigned char>(byte) & 0xC0) != 0x80;
    }));
}

// Runs count characters, not bytes: a pasted multi-byte character cut in two would come back
// from the field as replacement characters, each longer than the byte it replaced, and the
// field re-groups on every change.
std::string PXJYLoginForm::stringByReplacingOccurrencesOfSpace(const std::string& text) {
    const std::string digits = withoutSpaces(text);
    std::string grouped;
    std::size_t characters = 0;
    for (const char byte : digits) {
        const bool continuation = (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
        if (!continuation) {
            if (characters > 0 && characters % kRunLength == 0) {
                grouped += ' ';
            }
            ++characters;
        }
        grouped += byte;
    }
    if (characters > 0 && characters % kRunLength == 0) {
        grouped += ' ';
    }
    return grouped;
}

std::optional<std::string> PXJYLoginForm::textAfterKey(Field field, const std::string& text,
                                                       const std::string& key) {
    switch (field) {
        case Field::Account:
            if (text.size() >= kAccountTextLength) {
                return std::nullopt;
            }
            return stringByReplacingOccurrencesOfSpace(text) + key;
        case Field::Captcha:
            if (text.size() >= kCaptchaLength) {
                return std::nullopt;
            }
            return text + key;
        case Field::Other:
            break;
    }
    return text + key;
}

std::optional<std::string> PXJYLoginForm::passwordAndCaptcha(const std::string& password,
                                                             const std::string& captcha,
                                                             bool captchaShown) {
    if (password.empty()) {
        return "密码输入不能为空";
    }
    if (isShortPassword(password)) {
        return "密码的长度不能小于6位";
    }
    if (!captchaShown) {
        return std::nullopt;
    }
    if (captcha.empty()) {
        return "验证码输入不能为空";
    }
    if (captcha.size() != kCaptchaLength) {
        return "请输入4位验证码";
    }
    return std::nullopt;
}

std::optional<std::string> PXJYLoginForm::loginYanZheng(const std::string& account,
                                                        const std::string& password,
                                                        const std::string& captcha,
                                                        bool captchaShown) {
    if (account.size() < kAccountTextLength) {
        return "用户名输入有误!用户名不能小于15位";
    }
    if (account.size() > kAccountTextLength) {
        return "用户名输入有误!用户名不能大于15位";
    }
    return passwordAndCaptcha(password, captcha, captchaShown);
}

std::optional<std::string> PXJYLoginForm::checkUserInput(const std::string& account,
                                                         const std::string& password,
                                                         const std::string& captcha,
                                                         bool captchaShown) {
    if (account.empty()) {
        return "请输入用户名";
    }
    if (account.size() != kAccountTextLength) {
        return "切换账户，用户名输入有误!";
    }
    return passwordAndCaptcha(password, captcha, captchaShown);
}

bool PXJYLoginForm::hasMemberRight(const std::vector<std::string>& memberCodes,
                                   const std::string& account) {
    const std::string prefix = account.substr(0, kMemberCodeLength);
    return std::find(memberCodes.begin(), memberCodes.end(), prefix) != memberCodes.end();
}
