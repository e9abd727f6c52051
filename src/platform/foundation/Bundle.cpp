#include "platform/foundation/Bundle.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "platform/foundation/AtomicFile.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kResourcesVariable = "VKJY_RESOURCES";
constexpr const char* kResourcesFolder = "resources";

fs::path executableFolder() {
    std::error_code error;
    fs::path executable = fs::read_symlink("/proc/self/exe", error);
    return error ? fs::current_path(error) : executable.parent_path();
}

bool isFolder(const fs::path& path) {
    std::error_code error;
    return fs::is_directory(path, error);
}

bool isFile(const fs::path& path) {
    std::error_code error;
    return fs::is_regular_file(path, error);
}

std::optional<std::string> findBelow(const fs::path& root, const std::string& fileName) {
    std::vector<fs::path> matches;
    std::error_code error;
    fs::recursive_directory_iterator it(root, fs::directory_options::skip_permission_denied, error);
    for (; !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
        if (it->path().filename() == fileName && isFile(it->path())) {
            matches.push_back(it->path());
        }
    }
    if (matches.empty()) {
        return std::nullopt;
    }
    // The shallowest match wins, then the first by name, so the answer never depends on the
    // order the file system lists entries in.
    auto depth = [&](const fs::path& path) { return std::distance(path.begin(), path.end()); };
    std::sort(matches.begin(), matches.end(), [&](const fs::path& a, const fs::path& b) {
        return depth(a) != depth(b) ? depth(a) < depth(b) : a < b;
    });
    return matches.front().string();
}

}  // namespace

std::string Bundle::resourcePath() {
    const char* configured = std::getenv(kResourcesVariable);
    if (configured && *configured) {
        return configured;
    }
    return resourcePathBeside(executableFolder().string());
}

std::string Bundle::resourcePathBeside(const std::string& executableFolder) {
    fs::path folder(executableFolder);
    fs::path beside = folder / kResourcesFolder;
    if (isFolder(beside)) {
        return beside.string();
    }
    fs::path above = folder.parent_path() / kResourcesFolder;
    return isFolder(above) ? above.string() : beside.string();
}

std::optional<std::string> Bundle::pathForResource(std::string_view name, std::string_view type) {
    if (name.empty()) {
        return std::nullopt;
    }
    std::string fileName(name);
    if (!type.empty()) {
        fileName += "." + std::string(type);
    }
    fs::path root(resourcePath());
    fs::path direct = root / fileName;
    if (isFile(direct)) {
        return direct.string();
    }
    return findBelow(root, fs::path(fileName).filename().string());
}

std::optional<Bytes> Bundle::contentsOfResource(std::string_view name, std::string_view type) {
    std::optional<std::string> path = pathForResource(name, type);
    return path ? AtomicFile::read(*path) : std::nullopt;
}

PropertyList Bundle::infoDictionary() {
    std::optional<PropertyList> info =
        PropertyList::readFile((fs::path(resourcePath()) / kInfoFileName).string());
    return info && info->isDictionary() ? *info : PropertyList::dictionary();
}

PropertyList Bundle::objectForInfoDictionaryKey(std::string_view key) {
    return infoDictionary().value(key);
}
