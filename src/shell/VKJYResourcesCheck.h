#pragma once

// What keeps the resources folder from starting the client: the folder is missing, its
// Info.plist cannot be read, or it names no directory server. Class operations; any thread.

#include <optional>
#include <string>

class VKJYResourcesCheck {
public:
    // One line naming the path and what is wrong with it; nothing when the client can start.
    static std::optional<std::string> problem();
    static std::optional<std::string> problemOf(const std::string& resourcePath);
};
