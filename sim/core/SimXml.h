#pragma once

// The few XML text helpers the simulated services share: escaping a value and reading the text
// of a flat request element. Pure functions, any thread.

#include <string>

class SimXml {
public:
    static std::string escaped(const std::string& text);
    // Text of the first <tag>...</tag>, entities replaced; the request templates carry no nested
    // markup. Empty when the element is missing.
    static std::string field(const std::string& body, const std::string& tag);
};
