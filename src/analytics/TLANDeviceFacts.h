#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

// One network interface address as the system lists it.
struct TLANNetworkInterface {
    std::string name;
    bool ipv4 = false;
    bool loopback = false;
};

// The main screen: bounds in points, and the scale and current mode where the screen offers
// them.
struct TLANScreen {
    double boundsWidth = 0;
    double boundsHeight = 0;
    std::optional<double> scale;
    std::optional<double> currentModeWidth;
    std::optional<double> currentModeHeight;
};

enum class TLANOrientation { Unknown, Portrait, PortraitUpsideDown, LandscapeLeft, LandscapeRight };

// What the analytics library asks the platform about the device and the application: the one
// seam between its facts and the machine. The default (TLANLinuxDeviceFacts) answers for this
// desktop stand-in of a phone; tests install their own. Implementations are called from any
// thread and must not cache.
class TLANDeviceFacts {
public:
    virtual ~TLANDeviceFacts() = default;

    // The machine identifier ("hw.machine").
    virtual std::string machine() const = 0;
    // The device's model name ("iPhone Simulator" on a simulator).
    virtual std::string modelName() const = 0;
    virtual std::string osVersion() const = 0;
    // Nothing when the interfaces cannot be listed.
    virtual std::optional<std::vector<TLANNetworkInterface>> networkInterfaces() const = 0;
    virtual std::optional<std::string> carrierName() const = 0;
    virtual std::optional<std::string> advertisingIdentifier() const = 0;
    virtual std::optional<std::string> vendorIdentifier() const = 0;
    virtual TLANScreen mainScreen() const = 0;
    virtual TLANOrientation orientation() const = 0;
    // Nothing when the device offers no interface idiom.
    virtual std::optional<bool> isPadIdiom() const = 0;
    // The system time zone's offset from GMT, in seconds.
    virtual long gmtOffsetSeconds() const = 0;
    virtual std::optional<std::string> countryCode() const = 0;
    virtual std::vector<std::string> preferredLanguages() const = 0;
    // A text value of the application's Info.plist.
    virtual std::optional<std::string> infoString(const std::string& key) const = 0;

    // The facts in force; the Linux stand-in until another is installed (null reinstalls it).
    static std::shared_ptr<const TLANDeviceFacts> current();
    static void install(std::shared_ptr<const TLANDeviceFacts> facts);
};
