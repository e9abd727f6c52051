#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Helpers of the trading side's account services: template keys, trimming and the client token
// of the logon request. Stateless; any thread.
class TMBSUtil {
public:
    // Placeholder keys in order of appearance: the text is split at every "$"; each piece after
    // the first gives the text between its first "(" and the first ")" after it.
    static std::vector<std::string> getXmlModelKeysArrayFromString(std::string_view templateText);
    // Without leading and trailing white space and line ends (Unicode spaces included).
    static std::string trimWithString(std::string_view text);
    // The logon request's "CLT_TOKEN": Base64 of AES-128 ECB/PKCS7 over "<userId>|<longtime>",
    // keyed with the raw MD5 digest of userId followed by password. Secret: never log it.
    // Nothing only when encryption itself fails.
    static std::optional<std::string> getClientTokenWithUserId(std::string_view userId,
                                                               std::string_view password,
                                                               std::string_view longtime);
};
