#include "base/NSStringUtil.h"

#include "base/Base64Codec.h"
#include "base/NSDataAES128.h"
#include "base/TMBSUtil.h"
#include "platform/crypto/Md5.h"
#include "platform/foundation/SystemInfo.h"

namespace {

constexpr std::string_view kNullText = "(null)";

}  // namespace

std::string NSStringUtil::md5(std::string_view text) {
    return Md5::upperHex(text);
}

std::optional<Bytes> NSStringUtil::md5Decoded(std::string_view keyText,
                                              std::string_view base64Text) {
    const auto cipher = Base64Codec::decodeString(base64Text);
    if (!cipher) {
        return std::nullopt;
    }
    return NSDataAES128::SpecialAES128DecryptWithKey(*cipher, Md5::digest(keyText));
}

bool NSStringUtil::isEmptyString(std::optional<std::string_view> text) {
    if (!text || *text == kNullText) {
        return true;
    }
    return TMBSUtil::trimWithString(*text).empty();
}

std::optional<std::string> NSStringUtil::macaddress() {
    return SystemInfo::macAddressText();
}
