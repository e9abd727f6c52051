#include "platform/foundation/Paths.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace {

constexpr const char* kHomeVariable = "VKJY_HOME";
constexpr const char* kAppFolder = "vkjy";

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

std::string userHome() {
    std::string home = environment("HOME");
    if (!home.empty()) {
        return home;
    }
    const passwd* entry = getpwuid(getuid());
    return entry && entry->pw_dir ? std::string(entry->pw_dir) : std::string("/tmp");
}

std::string homeFolder() {
    std::string home = environment(kHomeVariable);
    if (!home.empty()) {
        return home;
    }
    std::string data = environment("XDG_DATA_HOME");
    if (data.empty()) {
        data = Paths::join(Paths::join(userHome(), ".local"), "share");
    }
    return Paths::join(data, kAppFolder);
}

std::string ensured(const std::string& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    return folder;
}

}  // namespace

std::string Paths::home() {
    return ensured(homeFolder());
}

std::string Paths::documents() {
    return ensured(join(homeFolder(), "Documents"));
}

std::string Paths::library() {
    return ensured(join(homeFolder(), "Library"));
}

std::string Paths::caches() {
    return ensured(join(join(homeFolder(), "Library"), "Caches"));
}

std::string Paths::preferences() {
    return ensured(join(join(homeFolder(), "Library"), "Preferences"));
}

std::string Paths::temporary() {
    return ensured(join(homeFolder(), "tmp"));
}

std::string Paths::join(std::string_view folder, std::string_view name) {
    return (std::filesystem::path(folder) / std::filesystem::path(name)).string();
}
