#pragma once

#include <string>

// Device, application and time facts for the analytics records and requests, asked of the
// installed TLANDeviceFacts at every call (nothing is cached here). Text facts are never null:
// "" stands for "the platform gives nothing". Class operations; any thread.
class TLANProtocolData {
public:
    // Current local date and times: "yyyy-MM-dd", "HH:mm:ss", "HH:mm:ss.SSS".
    static std::string dateString();
    static std::string timeString();
    static std::string timeMSString();
    static std::string latString() { return ""; }
    static std::string lngString() { return ""; }
    static std::string cpuString() { return ""; }
    static std::string osString() { return "iOS"; }
    static std::string osVersionString();
    static std::string deviceModelString();
    static std::string deviceIDVendorString();
    static std::string sharedUDIDString();
    // A new random UUID, upper-case 8-4-4-4-12.
    static std::string UUIDString();
    static std::string UUIDMD5String();
    static std::string md5Value(const std::string& text);
    // "height x width" in pixels.
    static std::string resolutionString();
    // "0" for portrait either way up, "1" otherwise.
    static std::string orientationString();
    static bool isPad();
    // "WiFi", "CellNetwork" or "".
    static std::string accessString();
    static std::string carrierString();
    static std::string appPackageNameString();
    static std::string appDisplayNameString();
    static std::string appBundleVersionString();
    static std::string appShortVersionString();
    static std::string countryString();
    static std::string languageString();
    // Whole hours east of GMT, cut toward zero.
    static std::string timezoneString();
};
