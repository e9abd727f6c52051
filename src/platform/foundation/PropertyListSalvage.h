#pragma once

#include <string_view>

#include "platform/foundation/PropertyList.h"

// What can still be read of a damaged XML property list whose root is a dictionary: each entry
// of the root is read on its own, so one spoilt value costs only its own key, and a dictionary
// value that cannot be read whole is read the same way, entry by entry, at every depth. Reading
// stops where the markup itself is lost (a file cut short, a key without a value); entries
// before that point are kept. Plain function, any thread.
class PropertyListSalvage {
public:
    // The readable entries of the root dictionary in file order; empty when there are none or
    // the text is not an XML dictionary.
    static PropertyList xmlDictionary(std::string_view text);
};
