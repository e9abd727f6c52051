#pragma once

#include <cstdint>
#include <string>

#include "analytics/TLANJsonValue.h"
#include "platform/foundation/PropertyList.h"

// Moves values between the JSON coder's values and property-list values (user defaults,
// attribute dictionaries), and reads replies leniently as the platform's number and text
// conversions do. Stateless; any thread.
class TLANPropertyValues {
public:
    // Dates and data become unsupported objects, which the writer refuses by class name.
    static TLANJsonValue toJson(const PropertyList& value);
    // Nulls and proxies become null (left out of containers).
    static PropertyList toPropertyList(const TLANJsonValue& value);
    // A number's integer part, a text's numeric prefix, a boolean's 0 or 1; else the fallback.
    static int64_t integerValue(const TLANJsonValue* value, int64_t fallback = 0);
    // A text as it is, a number as its decimal text; else "".
    static std::string textValue(const TLANJsonValue* value);
};
