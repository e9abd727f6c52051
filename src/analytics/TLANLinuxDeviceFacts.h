#pragma once

#include "analytics/TLANDeviceFacts.h"

// The device facts of this desktop stand-in for a phone: the machine and network from the
// kernel, the screen, model and system version from SystemInfo, the language, country and time
// zone from the process environment, the application's values from its Info.plist. A desktop
// has no cellular carrier and no advertising identifier; its vendor identifier is a random UUID
// made once per install and kept in the user defaults. Stateless; any thread.
class TLANLinuxDeviceFacts : public TLANDeviceFacts {
public:
    static constexpr const char* kVendorIdentifierKey = "TLANIdentifierForVendor";

    std::string machine() const override;
    std::string modelName() const override;
    std::string osVersion() const override;
    std::optional<std::vector<TLANNetworkInterface>> networkInterfaces() const override;
    std::optional<std::string> carrierName() const override { return std::nullopt; }
    std::optional<std::string> advertisingIdentifier() const override { return std::nullopt; }
    std::optional<std::string> vendorIdentifier() const override;
    TLANScreen mainScreen() const override;
    TLANOrientation orientation() const override { return TLANOrientation::Portrait; }
    std::optional<bool> isPadIdiom() const override { return false; }
    long gmtOffsetSeconds() const override;
    std::optional<std::string> countryCode() const override;
    std::vector<std::string> preferredLanguages() const override;
    std::optional<std::string> infoString(const std::string& key) const override;
};
