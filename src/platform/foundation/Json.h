#pragma once

#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>

#include "platform/foundation/PropertyList.h"

// JSON text to values and back, keeping object keys in their order. Output matches the phone
// platform's serializer: compact, or pretty with two-space indents and "key" : value; "/" is
// escaped as "\/", other text stays raw UTF-8; an empty container prints as "{\n\n}" or
// "[\n\n]" when pretty; a real with no fraction prints as an integer. Stateless; any thread.
class Json {
public:
    using Value = nlohmann::ordered_json;

    // Nesting deeper than this is refused on reading and on writing.
    static constexpr int kMaxDepth = 512;

    struct Parsed {
        Value value;
        std::string error;  // empty when the text was read
        bool ok() const { return error.empty(); }
    };

    static Parsed parse(std::string_view text);
    // Whether no array or object in the text nests deeper than maxDepth (strings are skipped).
    static bool nestingWithin(std::string_view text, int maxDepth);
    // Nothing when a number is not finite, a text is not valid UTF-8 or nesting is too deep.
    static std::optional<std::string> write(const Value& value, bool pretty = false);

    // Loosely typed values: objects become dictionaries, arrays arrays, null null. A property
    // list's data, dates and UIDs have no JSON form and become null.
    static PropertyList toPropertyList(const Value& value);
    static Value fromPropertyList(const PropertyList& value);
};
