#include "trade/account/PXJYFundsInput.h"

namespace {
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Byte offset of a character position, clamped to the end.
std::size_t byteOffset(const std::string& text, std::size_t characters) {
    std::size_t offset = 0;
    while (offset < text.size() && characters > 0) {
        ++offset;
        while (offset < text.size() && (static_cast<unsigned char>(text[offset]) & 0xC0) == 0x80) {
            ++offset;
        }
        --characters;
    }
    return offset;
}
}  // namespace

std::string PXJYFundsInput::edited(const std::string& text, std::size_t location,
                                   std::size_t length, const std::string& replacement) {
    const std::size_t from = byteOffset(text, location);
    const std::size_t to = byteOffset(text, location + length);
    return text.substr(0, from) + replacement + text.substr(to);
}

bool PXJYFundsInput::isDigits(const std::string& text) {
    for (char c : text) {
        if (!isDigit(c)) {
            return false;
        }
    }
    return true;
}

std::size_t PXJYFundsInput::characters(const std::string& text) {
    std::size_t count = 0;
    for (unsigned char c : text) {
        count += (c & 0xC0) != 0x80;
    }
    return count;
}

bool PXJYFundsInput::isPasswordInProgress(const std::string& text) {
    return text.size() <= kPasswordLength && isDigits(text);
}

bool PXJYFundsInput::isCompletePassword(const std::string& text) {
    return text.size() == kPasswordLength && isDigits(text);
}

bool PXJYFundsInput::isAmountInProgress(const std::string& text) {
    if (text.empty()) {
        return true;
    }
    if (text[0] < '1' || text[0] > '9') {
        return false;
    }
    const std::size_t point = text.find('.');
    if (point == std::string::npos) {
        return isDigits(text);
    }
    const std::string whole = text.substr(0, point);
    const std::string cents = text.substr(point + 1);
    return isDigits(whole) && isDigits(cents) && cents.size() <= 2;
}

bool PXJYFundsInput::isCompleteAmount(const std::string& text) {
    return !text.empty() && text.back() != '.' && isAmountInProgress(text);
}
