#include "analytics/TLANPasteboard.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>

#include "analytics/TLANAscii.h"
#include "platform/foundation/PropertyList.h"

namespace {

constexpr const char* kTypeKey = "type";
constexpr const char* kDataKey = "data";

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// Pasteboard names become file names: anything but letters, digits, '.', '-' and '_' would
// let a name leave the folder.
bool isSafeName(const std::string& name) {
    if (name.empty() || name[0] == '.') {
        return false;
    }
    for (char c : name) {
        bool safe = TLANAscii::isAlphanumeric(c) || c == '.' || c == '-' || c == '_';
        if (!safe) {
            return false;
        }
    }
    return true;
}

}  // namespace

TLANPasteboard::Lock::Lock() {
    std::error_code error;
    std::filesystem::create_directories(folder(), error);
    m_descriptor = ::open((folder() + "/.lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (m_descriptor >= 0) {
        while (flock(m_descriptor, LOCK_EX) != 0 && errno == EINTR) {
        }
    }
}

TLANPasteboard::Lock::~Lock() {
    if (m_descriptor >= 0) {
        flock(m_descriptor, LOCK_UN);
        ::close(m_descriptor);
    }
}

std::string TLANPasteboard::folder() {
    std::string configured = environment("VKJY_PASTEBOARDS");
    if (!configured.empty()) {
        return configured;
    }
    std::string data = environment("XDG_DATA_HOME");
    if (data.empty()) {
        data = environment("HOME") + "/.local/share";
    }
    return data + "/vkjy-pasteboards";
}

std::optional<TLANPasteboard> TLANPasteboard::find(const std::string& name) {
    if (!isSafeName(name)) {
        return std::nullopt;
    }
    TLANPasteboard pasteboard(name);
    std::error_code error;
    if (!std::filesystem::exists(pasteboard.path(), error)) {
        return std::nullopt;
    }
    return pasteboard;
}

std::optional<TLANPasteboard> TLANPasteboard::create(const std::string& name) {
    if (std::optional<TLANPasteboard> existing = find(name)) {
        return existing;
    }
    if (!isSafeName(name)) {
        return std::nullopt;
    }
    std::error_code error;
    std::filesystem::create_directories(folder(), error);
    TLANPasteboard pasteboard(name);
    if (!PropertyList::dictionary().writeFile(pasteboard.path(), PropertyList::Format::Binary)) {
        return std::nullopt;
    }
    return pasteboard;
}

std::optional<Bytes> TLANPasteboard::dataForType(const std::string& type) const {
    std::optional<PropertyList> item = PropertyList::readFile(path());
    if (!item || (*item)[kTypeKey].asString() != type) {
        return std::nullopt;
    }
    return (*item)[kDataKey].asData();
}

bool TLANPasteboard::setData(const Bytes& data, const std::string& type) {
    PropertyList item = PropertyList::dictionary();
    item.set(kTypeKey, type);
    item.set(kDataKey, data);
    return item.writeFile(path(), PropertyList::Format::Binary);
}

std::string TLANPasteboard::path() const {
    return folder() + "/" + m_name;
}
