#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/foundation/Bytes.h"

// The string type's helpers used by the trading side: digests, the session-material decoder,
// the blank test and the device's hardware address. Stateless; any thread.
class NSStringUtil {
public:
    // MD5 of the UTF-8 bytes as 32 upper-case hexadecimal digits.
    static std::string md5(std::string_view text);
    // Base64-decodes `base64Text` and decrypts it with AES-128 ECB/PKCS7 under the raw MD5
    // digest of `keyText`; nothing when the Base64, the length or the padding is wrong.
    static std::optional<Bytes> md5Decoded(std::string_view keyText, std::string_view base64Text);
    // True for nothing, "(null)", the empty text and text of white space and line ends only.
    static bool isEmptyString(std::optional<std::string_view> text);
    // The network interface's hardware address as six upper-case hex pairs joined by ":"
    // ("00:1A:2B:3C:4D:5E"); nothing when it cannot be read.
    static std::optional<std::string> macaddress();
};
