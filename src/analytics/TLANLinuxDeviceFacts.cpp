#include "analytics/TLANLinuxDeviceFacts.h"

#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>

#include <cstdlib>
#include <ctime>
#include <mutex>

#include "analytics/TLANProtocolData.h"
#include "platform/foundation/Bundle.h"
#include "platform/foundation/SystemInfo.h"
#include "platform/foundation/Text.h"
#include "platform/foundation/UserDefaults.h"

namespace {

// "zh_CN.UTF-8@euro" -> "zh-CN"; nothing for the C and POSIX locales.
std::optional<std::string> languageTag(std::string locale) {
    locale = locale.substr(0, locale.find_first_of(".@"));
    if (locale.empty() || locale == "C" || locale == "POSIX") {
        return std::nullopt;
    }
    return Text::replacingAll(locale, "_", "-");
}

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string localeName() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        std::string value = environment(name);
        if (!value.empty()) {
            return value;
        }
    }
    return "";
}

}  // namespace

std::string TLANLinuxDeviceFacts::machine() const {
    return SystemInfo::deviceModel();
}

std::optional<std::vector<TLANNetworkInterface>> TLANLinuxDeviceFacts::networkInterfaces() const {
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) != 0) {
        return std::nullopt;
    }
    std::vector<TLANNetworkInterface> interfaces;
    for (ifaddrs* entry = list; entry != nullptr; entry = entry->ifa_next) {
        if (entry->ifa_addr == nullptr || entry->ifa_name == nullptr) {
            continue;
        }
        interfaces.push_back({entry->ifa_name, entry->ifa_addr->sa_family == AF_INET,
                              (entry->ifa_flags & IFF_LOOPBACK) != 0});
    }
    freeifaddrs(list);
    return interfaces;
}

long TLANLinuxDeviceFacts::gmtOffsetSeconds() const {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local.tm_gmtoff;
}

std::optional<std::string> TLANLinuxDeviceFacts::countryCode() const {
    std::optional<std::string> tag = languageTag(localeName());
    if (!tag || tag->find('-') == std::string::npos) {
        return std::nullopt;
    }
    return tag->substr(tag->find('-') + 1);
}

std::vector<std::string> TLANLinuxDeviceFacts::preferredLanguages() const {
    std::vector<std::string> languages;
    for (const std::string& entry : Text::split(environment("LANGUAGE"), ":")) {
        if (std::optional<std::string> tag = languageTag(entry)) {
            languages.push_back(*tag);
        }
    }
    if (languages.empty()) {
        if (std::optional<std::string> tag = languageTag(localeName())) {
            languages.push_back(*tag);
        }
    }
    return languages;
}

std::string TLANLinuxDeviceFacts::modelName() const {
    return SystemInfo::deviceModel();
}

std::string TLANLinuxDeviceFacts::osVersion() const {
    return SystemInfo::osVersion();
}

std::optional<std::string> TLANLinuxDeviceFacts::vendorIdentifier() const {
    // One identifier even when two threads ask first at once.
    static std::mutex creation;
    std::lock_guard<std::mutex> guard(creation);
    UserDefaults& defaults = UserDefaults::standardUserDefaults();
    std::string identifier = defaults.stringForKey(kVendorIdentifierKey);
    if (identifier.empty()) {
        identifier = TLANProtocolData::UUIDString();
        defaults.setString(identifier, kVendorIdentifierKey);
    }
    return identifier;
}

TLANScreen TLANLinuxDeviceFacts::mainScreen() const {
    constexpr double kScale = 2.0;
    SystemInfo::ScreenMode mode = SystemInfo::screenMode();
    TLANScreen screen;
    screen.boundsWidth = mode.width / kScale;
    screen.boundsHeight = mode.height / kScale;
    screen.scale = kScale;
    screen.currentModeWidth = mode.width;
    screen.currentModeHeight = mode.height;
    return screen;
}

std::optional<std::string> TLANLinuxDeviceFacts::infoString(const std::string& key) const {
    return Bundle::objectForInfoDictionaryKey(key).asString();
}
