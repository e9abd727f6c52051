#include "analytics/TLTWire.h"

std::string TLTWire::describeValue(const std::vector<uint8_t>& value) {
    static const char kDigits[] = "0123456789abcdef";
    std::string text = "<";
    for (uint8_t byte : value) {
        text += kDigits[byte >> 4];
        text += kDigits[byte & 0x0F];
    }
    return text + ">";
}
