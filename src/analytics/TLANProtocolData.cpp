#include "analytics/TLANProtocolData.h"

#include <chrono>
#include <ctime>

#include "analytics/TLANDeviceFacts.h"
#include "analytics/TLANSharedUDID.h"
#include "analytics/TLANUtils.h"
#include "platform/foundation/Text.h"

namespace {

std::shared_ptr<const TLANDeviceFacts> facts() {
    return TLANDeviceFacts::current();
}

std::string localTime(const char* pattern, bool milliseconds) {
    auto now = std::chrono::system_clock::now();
    std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&seconds, &local);
    char text[64];
    std::strftime(text, sizeof text, pattern, &local);
    if (!milliseconds) {
        return text;
    }
    auto millis =
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() %
        1000;
    return Text::format("%s.%03d", text, static_cast<int>(millis));
}

std::string infoString(const char* key) {
    return facts()->infoString(key).value_or("");
}

}  // namespace

std::string TLANProtocolData::dateString() {
    return localTime("%Y-%m-%d", false);
}

std::string TLANProtocolData::timeString() {
    return localTime("%H:%M:%S", false);
}

std::string TLANProtocolData::timeMSString() {
    return localTime("%H:%M:%S", true);
}

std::string TLANProtocolData::osVersionString() {
    return facts()->osVersion();
}

std::string TLANProtocolData::deviceModelString() {
    return facts()->machine();
}

std::string TLANProtocolData::deviceIDVendorString() {
    return facts()->vendorIdentifier().value_or("");
}

std::string TLANProtocolData::sharedUDIDString() {
    return TLANSharedUDID::value();
}

std::string TLANProtocolData::UUIDString() {
    uint8_t bytes[16];
    for (int i = 0; i < 16; i += 4) {
        uint32_t random = TLANUtils::randomUInt32();
        for (int k = 0; k < 4; ++k) {
            bytes[i + k] = static_cast<uint8_t>(random >> (8 * k));
        }
    }
    bytes[6] = static_cast<uint8_t>((bytes[6] & 0x0F) | 0x40);
    bytes[8] = static_cast<uint8_t>((bytes[8] & 0x3F) | 0x80);
    std::string text;
    for (int i = 0; i < 16; ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10) {
            text += '-';
        }
        text += Text::format("%02X", bytes[i]);
    }
    return text;
}

std::string TLANProtocolData::UUIDMD5String() {
    return md5Value(UUIDString());
}

std::string TLANProtocolData::md5Value(const std::string& text) {
    return TLANUtils::md5Value(text);
}

std::string TLANProtocolData::resolutionString() {
    TLANScreen screen = facts()->mainScreen();
    double width = screen.boundsWidth;
    double height = screen.boundsHeight;
    if (screen.currentModeWidth && screen.currentModeHeight) {
        width = *screen.currentModeWidth;
        height = *screen.currentModeHeight;
    } else if (screen.scale) {
        width *= *screen.scale;
        height *= *screen.scale;
    }
    return Text::format("%d x %d", static_cast<int>(height), static_cast<int>(width));
}

std::string TLANProtocolData::orientationString() {
    TLANOrientation orientation = facts()->orientation();
    bool portrait = orientation == TLANOrientation::Portrait ||
                    orientation == TLANOrientation::PortraitUpsideDown;
    return portrait ? "0" : "1";
}

bool TLANProtocolData::isPad() {
    return facts()->isPadIdiom().value_or(false);
}

std::string TLANProtocolData::accessString() {
    std::shared_ptr<const TLANDeviceFacts> device = facts();
    std::string machine = device->machine();
    if (device->modelName() == "iPhone Simulator" || machine == "x86_64" || machine == "i386") {
        return "WiFi";
    }
    bool any = false;
    for (const TLANNetworkInterface& interface :
         device->networkInterfaces().value_or(std::vector<TLANNetworkInterface>{})) {
        if (!interface.ipv4 || interface.loopback) {
            continue;
        }
        if (interface.name == "en0") {
            return "WiFi";
        }
        any = true;
    }
    return any ? "CellNetwork" : "";
}

std::string TLANProtocolData::carrierString() {
    return facts()->carrierName().value_or("");
}

std::string TLANProtocolData::appPackageNameString() {
    return infoString("CFBundleIdentifier");
}

std::string TLANProtocolData::appDisplayNameString() {
    return infoString("CFBundleDisplayName");
}

std::string TLANProtocolData::appBundleVersionString() {
    return infoString("CFBundleVersion");
}

std::string TLANProtocolData::appShortVersionString() {
    return infoString("CFBundleShortVersionString");
}

std::string TLANProtocolData::countryString() {
    return facts()->countryCode().value_or("");
}

std::string TLANProtocolData::languageString() {
    std::vector<std::string> languages = facts()->preferredLanguages();
    return languages.empty() ? "" : languages.front();
}

std::string TLANProtocolData::timezoneString() {
    return Text::format("%ld", facts()->gmtOffsetSeconds() / 3600);
}
