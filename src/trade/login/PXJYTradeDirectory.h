#pragma once

// What the login screens read of the directory answer and the app-key properties: the
// platforms and environments that can be chosen, their names, whether an environment asks for
// a login captcha or the member-rights check, and whether the platform chooser is hidden.
// Unknown codes give empty names, a captcha and no rights check. Class operations over the
// application delegate; main thread.

#include <string>
#include <vector>

class PXJYTradeDirectory {
public:
    static std::vector<std::string> platformCodes();
    static std::vector<std::string> environmentCodes(const std::string& platform);
    static std::string platformName(const std::string& platform);
    static std::string environmentName(const std::string& platform, const std::string& environment);
    // Environments of type 2 log in without a captcha.
    static bool needsCaptcha(const std::string& platform, const std::string& environment);
    // Environments of category "3" log in only for members with trading rights.
    static bool needsMemberRights(const std::string& platform, const std::string& environment);
    // The app-key property "IOSPLATFORM" "2" hides the platform chooser and exchange names.
    static bool hidesPlatform();
};
