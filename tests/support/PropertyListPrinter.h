#pragma once

#include <optional>
#include <ostream>

#include "platform/foundation/PropertyList.h"

// Lets GoogleTest print property-list values in failure messages.
inline void PrintTo(const PropertyList& value, std::ostream* out) {
    *out << value.description();
}

inline void PrintTo(const std::optional<PropertyList>& value, std::ostream* out) {
    *out << (value ? value->description() : "nothing");
}
