#pragma once

// The application's properties handed out by the directory server for its app key
// ("GetAppKeyProperties"): "IOSPLATFORM" and "CUOHECODES" among them. Starts empty; filled once
// at start-up. Owned by the application delegate. Main thread.

#include <map>
#include <string>
#include <vector>

struct VKJYDirectoryReply;

class VKJYNormalAppKeyPropertyModel {
public:
    static constexpr const char* kIOSPlatformKey = "IOSPLATFORM";
    static constexpr const char* kCuoHeCodesKey = "CUOHECODES";

    // Takes the PROP entries of a successful reply; a later key replaces an earlier one.
    void fillWithReply(const VKJYDirectoryReply& reply);
    void setProperty(const std::string& key, const std::string& value);
    // The text of a property, empty when absent.
    std::string propertyForKey(const std::string& key) const;
    bool hasProperty(const std::string& key) const { return m_properties.count(key) != 0; }

    // "2" hides the platform chooser and the exchange names in headers.
    std::string iOSPlatform() const { return propertyForKey(kIOSPlatformKey); }
    // "CUOHECODES" split at ","; empty when absent.
    std::vector<std::string> cuoHeCodeArray() const;
    // Whether the commodity trades by matching: its code is among "CUOHECODES".
    bool isCuoHeCommodity(const std::string& code) const;

private:
    std::map<std::string, std::string> m_properties;
};
