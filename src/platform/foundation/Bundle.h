#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/foundation/Bytes.h"
#include "platform/foundation/PropertyList.h"

// The application's resources: the folder $VKJY_RESOURCES when set, else "resources" beside
// the executable, else "../resources" from it. Holds Info.plist, request templates, images and
// strings. Looked up on every call; any thread.
class Bundle {
public:
    static constexpr const char* kInfoFileName = "Info.plist";

    static std::string resourcePath();
    // Where resources are looked for without the variable, for an executable in that folder.
    static std::string resourcePathBeside(const std::string& executableFolder);
    // The file "name.type" (or "name" when type is empty): directly in the folder or at that
    // relative path, else the first file of that name in a subfolder. Nothing when absent.
    static std::optional<std::string> pathForResource(std::string_view name,
                                                      std::string_view type = {});
    static std::optional<Bytes> contentsOfResource(std::string_view name,
                                                   std::string_view type = {});
    // Info.plist as a dictionary; an empty dictionary when missing or unreadable.
    static PropertyList infoDictionary();
    static PropertyList objectForInfoDictionaryKey(std::string_view key);
};
