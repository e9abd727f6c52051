#include "platform/crypto/Base64.h"

#include <array>

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

constexpr std::array<int, 256> decodingTable() {
    std::array<int, 256> table{};
    for (int& entry : table) {
        entry = -1;
    }
    for (int i = 0; i < 64; ++i) {
        table[static_cast<unsigned char>(kAlphabet[i])] = i;
    }
    return table;
}

constexpr std::array<int, 256> kDecoding = decodingTable();

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string encodeRaw(const std::uint8_t* data, std::size_t length) {
    std::string text;
    text.reserve((length + 2) / 3 * 4);
    for (std::size_t i = 0; i < length; i += 3) {
        std::uint32_t group = static_cast<std::uint32_t>(data[i]) << 16;
        std::size_t remaining = length - i;
        if (remaining > 1) {
            group |= static_cast<std::uint32_t>(data[i + 1]) << 8;
        }
        if (remaining > 2) {
            group |= data[i + 2];
        }
        text.push_back(kAlphabet[(group >> 18) & 63]);
        text.push_back(kAlphabet[(group >> 12) & 63]);
        text.push_back(remaining > 1 ? kAlphabet[(group >> 6) & 63] : '=');
        text.push_back(remaining > 2 ? kAlphabet[group & 63] : '=');
    }
    return text;
}

}  // namespace

std::string Base64::encode(const Bytes& data) {
    return encodeRaw(data.data(), data.size());
}

std::string Base64::encode(std::string_view text) {
    return encodeRaw(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
}

std::optional<Bytes> Base64::decode(std::string_view text) {
    std::string symbols;
    symbols.reserve(text.size());
    for (char c : text) {
        if (!isBlank(c)) {
            symbols.push_back(c);
        }
    }
    if (symbols.size() % 4 != 0) {
        return std::nullopt;
    }
    Bytes data;
    data.reserve(symbols.size() / 4 * 3);
    for (std::size_t i = 0; i < symbols.size(); i += 4) {
        bool lastGroup = i + 4 == symbols.size();
        int padding = 0;
        std::uint32_t group = 0;
        for (std::size_t j = 0; j < 4; ++j) {
            char c = symbols[i + j];
            if (c == '=') {
                // Padding only at the end of the last group, at most two characters.
                if (!lastGroup || j < 2) {
                    return std::nullopt;
                }
                ++padding;
                group <<= 6;
                continue;
            }
            int value = kDecoding[static_cast<unsigned char>(c)];
            if (value < 0 || padding > 0) {
                return std::nullopt;
            }
            group = group << 6 | static_cast<std::uint32_t>(value);
        }
        data.push_back(static_cast<std::uint8_t>(group >> 16));
        if (padding < 2) {
            data.push_back(static_cast<std::uint8_t>(group >> 8));
        }
        if (padding < 1) {
            data.push_back(static_cast<std::uint8_t>(group));
        }
    }
    return data;
}
