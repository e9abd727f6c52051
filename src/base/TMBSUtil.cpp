#include "base/TMBSUtil.h"

#include "platform/crypto/Aes128Ecb.h"
#include "platform/crypto/Base64.h"
#include "platform/crypto/Md5.h"
#include "platform/foundation/Text.h"

namespace {

constexpr char kTokenSeparator = '|';

}  // namespace

std::vector<std::string> TMBSUtil::getXmlModelKeysArrayFromString(std::string_view templateText) {
    std::vector<std::string> keys;
    size_t dollar = templateText.find('$');
    while (dollar != std::string_view::npos) {
        const size_t next = templateText.find('$', dollar + 1);
        const std::string_view piece = templateText.substr(dollar + 1, next - dollar - 1);
        const size_t open = piece.find('(');
        const size_t close = open == std::string_view::npos ? open : piece.find(')', open + 1);
        if (close != std::string_view::npos) {
            keys.emplace_back(piece.substr(open + 1, close - open - 1));
        }
        dollar = next;
    }
    return keys;
}

std::string TMBSUtil::trimWithString(std::string_view text) {
    return Text::trimmed(text);
}

std::optional<std::string> TMBSUtil::getClientTokenWithUserId(std::string_view userId,
                                                              std::string_view password,
                                                              std::string_view longtime) {
    std::string keyMaterial(userId);
    keyMaterial.append(password);
    const Bytes key = Md5::digest(keyMaterial);
    std::string plain(userId);
    plain += kTokenSeparator;
    plain.append(longtime);
    const auto cipher = Aes128Ecb::encrypt(Bytes(plain.begin(), plain.end()), key);
    if (!cipher) {
        return std::nullopt;
    }
    return Base64::encode(*cipher);
}
