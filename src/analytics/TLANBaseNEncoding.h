#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/foundation/Bytes.h"

// Encodes bytes as text over any ASCII alphabet whose size is a power of two from 2 to 128
// (binary, hexadecimal, RFC 4648 Base32 and Base64, Crockford's Base32) and back.
// A plain value: made by a factory, then configured; any thread once configured.
class TLANBaseNEncoding {
public:
    static std::optional<TLANBaseNEncoding> binaryStringEncoding();
    static std::optional<TLANBaseNEncoding> hexStringEncoding();
    static std::optional<TLANBaseNEncoding> rfc4648Base32StringEncoding();
    static std::optional<TLANBaseNEncoding> rfc4648Base32HexStringEncoding();
    static std::optional<TLANBaseNEncoding> crockfordBase32StringEncoding();
    static std::optional<TLANBaseNEncoding> rfc4648Base64StringEncoding();
    static std::optional<TLANBaseNEncoding> rfc4648Base64WebsafeStringEncoding();
    // Nothing when the alphabet is not ASCII, its size is not a power of two from 2 to 128, or
    // a character occurs twice.
    static std::optional<TLANBaseNEncoding> stringEncodingWithString(std::string_view alphabet);

    // Each character with a value sets the current value; each following one without a value
    // decodes as that value.
    void addDecodeSynonyms(std::string_view synonyms);
    void ignoreCharacters(std::string_view characters);
    bool doPad() const { return m_doPad; }
    void setDoPad(bool doPad) { m_doPad = doPad; }
    void setPaddingChar(char padding);

    std::string encode(const Bytes& data) const;
    std::string encodeString(std::string_view text) const;
    // Nothing for non-ASCII text, an invalid character, a value after padding, or leftover
    // bits that are not zero.
    std::optional<Bytes> decode(std::string_view text) const;
    std::optional<std::string> stringByDecoding(std::string_view text) const;

    std::string description() const;

private:
    static constexpr int8_t kInvalid = -1;
    static constexpr int8_t kPadding = -2;
    static constexpr int8_t kIgnored = -3;

    TLANBaseNEncoding() = default;

    std::string m_alphabet;
    int m_shift = 0;
    unsigned m_mask = 0;
    std::array<int8_t, 128> m_reverse{};
    bool m_doPad = false;
    char m_paddingChar = '\0';
    size_t m_padLen = 0;
};
