#include "trade/core/TradeLogMask.h"

#include <algorithm>
#include <cctype>

namespace {

const char* const kMask = "******";

const char* const kSecretKeys[] = {"PWD",          "OPWD",    "NPWD",    "OLD_PASSWORD",
                                   "NEW_PASSWORD", "TPWD",    "PPWD",    "PASSWORD",
                                   "CLT_TOKEN",    "CLT_KEY", "SRV_KEY", "TKNB"};

bool isSecret(std::string key) {
    std::transform(key.begin(), key.end(), key.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return std::any_of(std::begin(kSecretKeys), std::end(kSecretKeys),
                       [&](const char* secret) { return key == secret; });
}

bool isNameChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

// Characters of a JSON number, flag or null.
bool isBareValueChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '+' || c == '.';
}

// Contents of secret XML elements ("<PWD>x</PWD>"); also catches secrets in bodies that are no
// JSON. A plain scan: bodies can be large, and nothing here may recurse per character.
std::string maskMarkup(const std::string& text) {
    std::string result;
    size_t position = 0;
    while (position < text.size()) {
        const size_t open = text.find('<', position);
        if (open == std::string::npos) {
            break;
        }
        size_t nameEnd = open + 1;
        while (nameEnd < text.size() && isNameChar(text[nameEnd])) {
            ++nameEnd;
        }
        const std::string name = text.substr(open + 1, nameEnd - open - 1);
        // The start tag may carry attributes ("<TPWD enc=\"1\">"); an empty element has no value.
        const size_t tagEnd = nameEnd < text.size() ? text.find('>', nameEnd) : std::string::npos;
        const bool startTag =
            tagEnd != std::string::npos &&
            (text[nameEnd] == '>' ||
             (std::isspace(static_cast<unsigned char>(text[nameEnd])) && text[tagEnd - 1] != '/'));
        if (!startTag || name.empty() || !isSecret(name)) {
            result.append(text, position, nameEnd - position);
            position = nameEnd;
            continue;
        }
        const size_t close = text.find('<', tagEnd);
        const size_t contentEnd = close == std::string::npos ? text.size() : close;
        result.append(text, position, tagEnd + 1 - position);
        result += kMask;
        position = contentEnd;
    }
    result.append(text, std::min(position, text.size()), std::string::npos);
    return result;
}

// "KEY" : "value" pairs of JSON text that did not parse as a whole.
std::string maskJsonText(const std::string& text) {
    std::string result;
    size_t position = 0;
    while (position < text.size()) {
        const size_t quote = text.find('"', position);
        if (quote == std::string::npos) {
            break;
        }
        size_t keyEnd = quote + 1;
        while (keyEnd < text.size() && isNameChar(text[keyEnd])) {
            ++keyEnd;
        }
        size_t cursor = keyEnd + 1;
        auto skipBlanks = [&] {
            while (cursor < text.size() && std::isspace(static_cast<unsigned char>(text[cursor]))) {
                ++cursor;
            }
        };
        const bool quotedKey = keyEnd < text.size() && text[keyEnd] == '"';
        skipBlanks();
        const bool colon = cursor < text.size() && text[cursor] == ':';
        ++cursor;
        skipBlanks();
        const bool quotedValue = cursor < text.size() && text[cursor] == '"';
        // A secret may also come as a bare number ("PWD": 123456).
        const bool bareValue = cursor < text.size() && isBareValueChar(text[cursor]);
        if (!quotedKey || !colon || !(quotedValue || bareValue) ||
            !isSecret(text.substr(quote + 1, keyEnd - quote - 1))) {
            result.append(text, position, quote + 1 - position);
            position = quote + 1;
            continue;
        }
        if (bareValue) {
            size_t valueEnd = cursor;
            while (valueEnd < text.size() && isBareValueChar(text[valueEnd])) {
                ++valueEnd;
            }
            result.append(text, position, cursor - position);
            result += kMask;
            position = valueEnd;
            continue;
        }
        size_t valueEnd = cursor + 1;
        while (valueEnd < text.size() && text[valueEnd] != '"') {
            valueEnd += text[valueEnd] == '\\' ? 2 : 1;
        }
        result.append(text, position, cursor + 1 - position);
        result += kMask;
        position = std::min(valueEnd, text.size());
    }
    result.append(text, std::min(position, text.size()), std::string::npos);
    return result;
}

}  // namespace

std::string maskTradeSecrets(const std::string& body) {
    return maskMarkup(maskJsonText(body));
}
