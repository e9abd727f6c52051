#pragma once

// Character classes of the C locale, whatever locale the process runs in: the analytics texts
// are UTF-8 and their bytes above 0x7F are never letters, digits or blanks.
class TLANAscii {
public:
    static constexpr bool isDigit(char c) { return c >= '0' && c <= '9'; }
    static constexpr bool isLetter(char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    }
    static constexpr bool isAlphanumeric(char c) { return isDigit(c) || isLetter(c); }
    // Space, tab, line feed, vertical tab, form feed, carriage return.
    static constexpr bool isSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
};
