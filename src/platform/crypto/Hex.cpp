#include "platform/crypto/Hex.h"

namespace {

std::string encode(const Bytes& data, const char* digits) {
    std::string text;
    text.reserve(data.size() * 2);
    for (std::uint8_t byte : data) {
        text.push_back(digits[byte >> 4]);
        text.push_back(digits[byte & 0x0f]);
    }
    return text;
}

int digitValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

}  // namespace

std::string Hex::lower(const Bytes& data) {
    return encode(data, "0123456789abcdef");
}

std::string Hex::upper(const Bytes& data) {
    return encode(data, "0123456789ABCDEF");
}

std::optional<Bytes> Hex::decode(std::string_view text) {
    if (text.size() % 2 != 0) {
        return std::nullopt;
    }
    Bytes data;
    data.reserve(text.size() / 2);
    for (std::size_t i = 0; i < text.size(); i += 2) {
        int high = digitValue(text[i]);
        int low = digitValue(text[i + 1]);
        if (high < 0 || low < 0) {
            return std::nullopt;
        }
        data.push_back(static_cast<std::uint8_t>(high << 4 | low));
    }
    return data;
}
