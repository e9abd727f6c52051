#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "analytics/TLANDeviceFacts.h"

// Device facts a test sets field by field: a phone (not a simulator) with no network interface
// listed until the test gives some.
class FakeFacts : public TLANDeviceFacts {
public:
    std::string machineName = "iPhone5,2";
    std::string model = "iPhone";
    std::optional<std::vector<TLANNetworkInterface>> interfaces;
    TLANScreen screen;
    TLANOrientation deviceOrientation = TLANOrientation::Portrait;
    long offset = 0;
    std::map<std::string, std::string> info;

    std::string machine() const override { return machineName; }
    std::string modelName() const override { return model; }
    std::string osVersion() const override { return "7.0"; }
    std::optional<std::vector<TLANNetworkInterface>> networkInterfaces() const override {
        return interfaces;
    }
    std::optional<std::string> carrierName() const override { return std::nullopt; }
    std::optional<std::string> advertisingIdentifier() const override { return "AD-ID"; }
    std::optional<std::string> vendorIdentifier() const override { return std::nullopt; }
    TLANScreen mainScreen() const override { return screen; }
    TLANOrientation orientation() const override { return deviceOrientation; }
    std::optional<bool> isPadIdiom() const override { return std::nullopt; }
    long gmtOffsetSeconds() const override { return offset; }
    std::optional<std::string> countryCode() const override { return "CN"; }
    std::vector<std::string> preferredLanguages() const override { return {"zh-Hans", "en"}; }
    std::optional<std::string> infoString(const std::string& key) const override {
        auto found = info.find(key);
        return found == info.end() ? std::nullopt : std::optional<std::string>(found->second);
    }
};
