#include "base/TMBSUtil.h"

#include "platform/crypto/Aes128Ecb.h"
#include "platform/crypto/Base64.h"
#include "platform/crypto/Md5.h"

namespace {

constexpr char kTokenSeparator = '|';

bool isSpaceCodePoint(char32_t c) {
    return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x85 || c == 0xA0 || c == 0x1680 ||
           (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F ||
           c == 0x205F || c == 0x3000;
}

// Length of the UTF-8 sequence starting at `pos` when it encodes white space, else 0.
size_t spaceLengthAt(std::string_view text, size_t pos) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[pos + i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80) {
        return isSpaceCodePoint(lead) ? 1 : 0;
    }
    size_t length = (lead & 0xE0) == 0xC0 ? 2 : (lead & 0xF0) == 0xE0 ? 3 : 0;
    if (length == 0 || pos + length > text.size()) {
        return 0;
    }
    char32_t c = length == 2 ? (lead & 0x1F) : (lead & 0x0F);
    for (size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) {
            return 0;
        }
        c = (c << 6) | (byte(i) & 0x3F);
    }
    return isSpaceCodePoint(c) ? length : 0;
}

// Start of the UTF-8 sequence that ends just before `end`.
size_t sequenceStartBefore(std::string_view text, size_t end) {
    size_t start = end - 1;
    while (start > 0 && end - start < 4 &&
           (static_cast<unsigned char>(text[start]) & 0xC0) == 0x80) {
        --start;
    }
    return start;
}

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
    size_t begin = 0;
    while (begin < text.size()) {
        const size_t length = spaceLengthAt(text, begin);
        if (length == 0) {
            break;
        }
        begin += length;
    }
    size_t end = text.size();
    while (end > begin) {
        const size_t start = sequenceStartBefore(text, end);
        if (spaceLengthAt(text, start) != end - start) {
            break;
        }
        end = start;
    }
    return std::string(text.substr(begin, end - begin));
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
