#include "shell/VKJYResourcesCheck.h"

#include <filesystem>

#include "platform/foundation/Bundle.h"
#include "platform/foundation/PropertyList.h"

namespace fs = std::filesystem;

namespace {
const char* const kDirectoryKeys[] = {"DirectoryServerUrl1", "DirectoryServerUrl2"};
}  // namespace

std::optional<std::string> VKJYResourcesCheck::problem() {
    return problemOf(Bundle::resourcePath());
}

std::optional<std::string> VKJYResourcesCheck::problemOf(const std::string& resourcePath) {
    std::error_code error;
    if (!fs::is_directory(resourcePath, error)) {
        return "resources " + resourcePath + ": no such folder";
    }
    const std::string infoPath = (fs::path(resourcePath) / Bundle::kInfoFileName).string();
    const std::optional<PropertyList> info = PropertyList::readFile(infoPath);
    if (!info || !info->isDictionary()) {
        return infoPath + ": missing or not a readable property list";
    }
    // The client asks the second line when the first fails, so one of them is enough.
    for (const char* key : kDirectoryKeys) {
        if (!info->value(key).toString().empty()) {
            return std::nullopt;
        }
    }
    return infoPath + ": names no directory server (DirectoryServerUrl1, DirectoryServerUrl2)";
}
