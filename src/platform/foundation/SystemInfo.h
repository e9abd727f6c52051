#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

// Facts about the device the program runs on, as the phone platform would report them, each
// of which tests (or the application's start-up) may override. Any thread.
class SystemInfo {
public:
    using MacAddress = std::array<std::uint8_t, 6>;
    // The main screen's current mode in pixels, portrait.
    struct ScreenMode {
        int width = 0;
        int height = 0;
        bool operator==(const ScreenMode&) const = default;
    };
    static constexpr ScreenMode kFourInchScreen{640, 1136};
    static constexpr ScreenMode kThreeAndAHalfInchScreen{640, 960};

    // The first non-loopback interface with a hardware address, preferring one that is up;
    // nothing when there is none.
    static std::optional<MacAddress> macAddress();
    // The same as upper-case hex pairs joined by ":"; nothing when there is no address.
    static std::optional<std::string> macAddressText();
    // The machine identifier (the processor architecture on a desktop).
    static std::string deviceModel();
    // The system version text, "7.0" unless overridden; callers read it as a number.
    static std::string osVersion();
    static ScreenMode screenMode();

    // An override holds until resetOverrides(). setMacAddress(std::nullopt) means "no address".
    static void setMacAddress(std::optional<MacAddress> address);
    static void setDeviceModel(std::string model);
    static void setOsVersion(std::string version);
    static void setScreenMode(ScreenMode mode);
    static void resetOverrides();
};
