#include "platform/foundation/SystemInfo.h"

#include <sys/utsname.h>

#include <QNetworkInterface>
#include <algorithm>
#include <cstdio>
#include <mutex>

namespace {

constexpr const char* kDefaultOsVersion = "7.0";

struct Overrides {
    std::optional<std::optional<SystemInfo::MacAddress>> macAddress;
    std::optional<std::string> deviceModel;
    std::optional<std::string> osVersion;
    std::optional<SystemInfo::ScreenMode> screenMode;
};

std::mutex& overridesMutex() {
    static std::mutex mutex;
    return mutex;
}

Overrides& overrides() {
    static Overrides values;
    return values;
}

std::optional<SystemInfo::MacAddress> parseHardwareAddress(const QString& text) {
    QStringList parts = text.split(':');
    if (parts.size() != 6) {
        return std::nullopt;
    }
    SystemInfo::MacAddress address{};
    for (int i = 0; i < 6; ++i) {
        bool ok = false;
        address[i] = static_cast<std::uint8_t>(parts[i].toUInt(&ok, 16));
        if (!ok) {
            return std::nullopt;
        }
    }
    bool allZero = std::all_of(address.begin(), address.end(), [](auto b) { return b == 0; });
    if (allZero) {
        return std::nullopt;
    }
    return address;
}

std::optional<SystemInfo::MacAddress> firstMacAddress(bool upOnly) {
    for (const QNetworkInterface& interface : QNetworkInterface::allInterfaces()) {
        QNetworkInterface::InterfaceFlags flags = interface.flags();
        if (flags.testFlag(QNetworkInterface::IsLoopBack)) {
            continue;
        }
        if (upOnly && !flags.testFlag(QNetworkInterface::IsUp)) {
            continue;
        }
        if (auto address = parseHardwareAddress(interface.hardwareAddress())) {
            return address;
        }
    }
    return std::nullopt;
}

// The interface in use comes first, so that an idle virtual one listed before it is passed over.
std::optional<SystemInfo::MacAddress> readMacAddress() {
    if (auto address = firstMacAddress(true)) {
        return address;
    }
    return firstMacAddress(false);
}

// Interfaces do not change their hardware address while we run: read it once.
std::optional<SystemInfo::MacAddress> systemMacAddress() {
    static const std::optional<SystemInfo::MacAddress> address = readMacAddress();
    return address;
}

std::string systemMachine() {
    utsname name{};
    if (uname(&name) != 0) {
        return {};
    }
    return name.machine;
}

}  // namespace

std::optional<SystemInfo::MacAddress> SystemInfo::macAddress() {
    {
        std::lock_guard lock(overridesMutex());
        if (overrides().macAddress) {
            return *overrides().macAddress;
        }
    }
    return systemMacAddress();
}

std::optional<std::string> SystemInfo::macAddressText() {
    std::optional<MacAddress> address = macAddress();
    if (!address) {
        return std::nullopt;
    }
    const MacAddress& a = *address;
    char text[18];
    std::snprintf(text, sizeof(text), "%02X:%02X:%02X:%02X:%02X:%02X", a[0], a[1], a[2], a[3], a[4],
                  a[5]);
    return std::string(text);
}

std::string SystemInfo::deviceModel() {
    std::lock_guard lock(overridesMutex());
    return overrides().deviceModel.value_or(systemMachine());
}

std::string SystemInfo::osVersion() {
    std::lock_guard lock(overridesMutex());
    return overrides().osVersion.value_or(kDefaultOsVersion);
}

SystemInfo::ScreenMode SystemInfo::screenMode() {
    std::lock_guard lock(overridesMutex());
    return overrides().screenMode.value_or(kFourInchScreen);
}

void SystemInfo::setMacAddress(std::optional<MacAddress> address) {
    std::lock_guard lock(overridesMutex());
    overrides().macAddress = address;
}

void SystemInfo::setDeviceModel(std::string model) {
    std::lock_guard lock(overridesMutex());
    overrides().deviceModel = std::move(model);
}

void SystemInfo::setOsVersion(std::string version) {
    std::lock_guard lock(overridesMutex());
    overrides().osVersion = std::move(version);
}

void SystemInfo::setScreenMode(ScreenMode mode) {
    std::lock_guard lock(overridesMutex());
    overrides().screenMode = mode;
}

void SystemInfo::resetOverrides() {
    std::lock_guard lock(overridesMutex());
    overrides() = Overrides{};
}
