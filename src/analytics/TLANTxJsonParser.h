#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "analytics/TLANJsonValue.h"
#include "analytics/TLANTxJsonBase.h"

// Reads the UTF-8 text of an analytics reply into dictionaries, lists, texts, exact decimal
// numbers, booleans and null. The text ends at its first NUL byte. Every failure gives no
// value and leaves the error trace. Made per call; not shared between threads.
class TLANTxJsonParser : public TLANTxJsonBase {
public:
    // A dictionary or a list; nothing otherwise. A missing input is error 12.
    std::optional<TLANJsonValue> objectWithString(const std::optional<std::string>& text);
    // Any one JSON value.
    std::optional<TLANJsonValue> fragmentWithString(const std::optional<std::string>& text);

private:
    bool scanValue(TLANJsonValue& value);
    bool scanRestOfTrue(TLANJsonValue& value);
    bool scanRestOfFalse(TLANJsonValue& value);
    bool scanRestOfNull(TLANJsonValue& value);
    bool scanRestOfArray(TLANJsonValue& value);
    bool scanRestOfDictionary(TLANJsonValue& value);
    bool scanRestOfString(std::string& value);
    bool scanUnicodeChar(std::string& value);
    bool scanHexQuad(uint32_t& value);
    bool scanNumber(TLANJsonValue& value);
    bool scanIsAtEnd();

    bool scanWord(std::string_view rest, std::string_view error);
    bool scanStringEscape(std::string& value);
    void skipWhitespace();
    char peek() const { return m_c < m_text.size() ? m_text[m_c] : '\0'; }

    std::string_view m_text;
    size_t m_c = 0;
};
