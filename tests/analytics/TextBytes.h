#pragma once

#include <string>

#include "platform/foundation/Bytes.h"

// A text's bytes, as a record writes a string's contents.
inline Bytes text(const std::string& s) {
    return Bytes(s.begin(), s.end());
}
