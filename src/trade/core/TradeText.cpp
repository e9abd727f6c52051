#include "trade/core/TradeText.h"

#include <cstdio>

#include "platform/foundation/DateFormat.h"
#include "platform/foundation/Text.h"

std::string TradeText::textOf(const JYDict& value) {
    if (value.is_string()) {
        return value.get<std::string>();
    }
    if (value.is_number_unsigned()) {
        return std::to_string(value.get<uint64_t>());
    }
    if (value.is_number_integer()) {
        return std::to_string(value.get<int64_t>());
    }
    if (value.is_number_float()) {
        return Text::fromDouble(value.get<double>());
    }
    if (value.is_boolean()) {
        return value.get<bool>() ? "1" : "0";
    }
    return {};
}

std::string TradeText::textAt(const JYDict& dict, const std::string& key) {
    if (!dict.is_object()) {
        return {};
    }
    const auto it = dict.find(key);
    return it == dict.end() ? std::string() : textOf(*it);
}

bool TradeText::has(const JYDict& dict, const std::string& key) {
    return dict.is_object() && dict.contains(key);
}

std::string TradeText::escapedUrl(const std::string& address) {
    static const std::string unsafe = " \"<>\\^`{|}";
    std::string result;
    for (const char c : address) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x80 || byte < 0x20 || unsafe.find(c) != std::string::npos) {
            char escape[4];
            std::snprintf(escape, sizeof escape, "%%%02X", byte);
            result += escape;
        } else {
            result += c;
        }
    }
    return result;
}

std::string TradeText::localTimeText(int64_t secondsSince1970) {
    return DateFormat("yyyy-MM-dd HH:mm:ss").format(static_cast<double>(secondsSince1970));
}
