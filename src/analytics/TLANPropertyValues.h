#pragma once

#include <cstdint>
#include <string>

#include "analytics/TLANJsonValue.h"

// Reads values of JSON replies leniently, as the platform's number and text conversions do.
// Stateless; any thread.
class TLANPropertyValues {
public:
    // A number's integer part, a text's numeric prefix, a boolean's 0 or 1; else the fallback.
    static int64_t integerValue(const TLANJsonValue* value, int64_t fallback = 0);
    // A text as it is, a number as its decimal text; else "".
    static std::string textValue(const TLANJsonValue* value);
};
