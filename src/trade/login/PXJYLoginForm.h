#pragma once

// The rules of the login forms, without views: the account typed on the keypad in runs of four
// digits, what the keypad may still add to a field, the shortest password, and the checks before
// a login is sent (the full login screen's and the switch screen's). Messages are the screens'
// texts. Plain functions; any thread.

#include <optional>
#include <string>
#include <vector>

class PXJYLoginForm {
public:
    enum class Field { Account, Captcha, Other };

    static constexpr std::size_t kAccountTextLength = 18;  // 15 digits in runs of four
    static constexpr std::size_t kCaptchaLength = 4;
    static constexpr std::size_t kPasswordMinimum = 6;

    // Removes every space, then writes a space after every complete run of four digits.
    static std::string stringByReplacingOccurrencesOfSpace(const std::string& text);
    static std::string withoutSpaces(const std::string& text);
    // Characters as a person counts them (Unicode code points), not bytes.
    static std::size_t characters(const std::string& text);
    // Every password form's rule: fewer than six characters is too short.
    static bool isShortPassword(const std::string& password) {
        return characters(password) < kPasswordMinimum;
    }
    // The field's text after the keypad key, or nothing when the field takes no more.
    static std::optional<std::string> textAfterKey(Field field, const std::string& text,
                                                   const std::string& key);
    // The full login screen's checks; the captcha is checked only where the form shows it.
    static std::optional<std::string> loginYanZheng(const std::string& account,
                                                    const std::string& password,
                                                    const std::string& captcha, bool captchaShown);
    // The switch screen's checks, likewise.
    static std::optional<std::string> checkUserInput(const std::string& account,
                                                     const std::string& password,
                                                     const std::string& captcha, bool captchaShown);
    // Whether the member codes allow the account (its first three characters).
    static bool hasMemberRight(const std::vector<std::string>& memberCodes,
                               const std::string& account);

private:
    static std::optional<std::string> passwordAndCaptcha(const std::string& password,
                                                         const std::string& captcha,
                                                         bool captchaShown);
};
