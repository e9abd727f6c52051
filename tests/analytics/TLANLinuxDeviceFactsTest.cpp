#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "analytics/TLANLinuxDeviceFacts.h"
#include "analytics/TLANProtocolData.h"
#include "platform/foundation/PropertyList.h"
#include "platform/foundation/SystemInfo.h"
#include "platform/foundation/UserDefaults.h"
#include "support/TempFolder.h"
#include "support/TempHome.h"

namespace {

// Sets environment variables for the life of the object and restores them afterwards.
class ScopedEnvironment {
public:
    void set(const std::string& name, const std::string& value) {
        const char* previous = std::getenv(name.c_str());
        m_saved.push_back({name, previous ? std::optional<std::string>(previous) : std::nullopt});
        setenv(name.c_str(), value.c_str(), 1);
    }
    ~ScopedEnvironment() {
        for (auto it = m_saved.rbegin(); it != m_saved.rend(); ++it) {
            if (it->second) {
                setenv(it->first.c_str(), it->second->c_str(), 1);
            } else {
                unsetenv(it->first.c_str());
            }
        }
    }

private:
    std::vector<std::pair<std::string, std::optional<std::string>>> m_saved;
};

class LinuxFactsTest : public testing::Test {
protected:
    void TearDown() override { SystemInfo::resetOverrides(); }

    TempHome m_home;
    TLANLinuxDeviceFacts m_facts;
};

TEST_F(LinuxFactsTest, shouldKeepOneVendorIdentifierPerInstall) {
    std::optional<std::string> first = m_facts.vendorIdentifier();
    ASSERT_TRUE(first.has_value());
    EXPECT_EQ(first->size(), 36u);
    UserDefaults::resetStandardUserDefaults();
    EXPECT_EQ(m_facts.vendorIdentifier(), first);
    EXPECT_EQ(UserDefaults::standardUserDefaults().stringForKey(
                  TLANLinuxDeviceFacts::kVendorIdentifierKey),
              *first);
    EXPECT_FALSE(m_facts.advertisingIdentifier().has_value());
    EXPECT_FALSE(m_facts.carrierName().has_value());
}

TEST_F(LinuxFactsTest, shouldDescribeThePhoneScreenOfSystemInfo) {
    SystemInfo::setScreenMode(SystemInfo::kThreeAndAHalfInchScreen);
    TLANScreen screen = m_facts.mainScreen();
    EXPECT_EQ(screen.boundsWidth, 320);
    EXPECT_EQ(screen.boundsHeight, 480);
    EXPECT_EQ(screen.scale, 2.0);
    EXPECT_EQ(screen.currentModeHeight, 960);
    SystemInfo::setDeviceModel("iPhone5,2");
    SystemInfo::setOsVersion("7.1");
    EXPECT_EQ(m_facts.machine(), "iPhone5,2");
    EXPECT_EQ(m_facts.osVersion(), "7.1");
}

TEST_F(LinuxFactsTest, shouldTakeLanguageAndCountryFromTheEnvironment) {
    ScopedEnvironment environment;
    environment.set("LC_ALL", "");
    environment.set("LC_MESSAGES", "");
    environment.set("LANG", "zh_CN.UTF-8");
    environment.set("LANGUAGE", "");
    EXPECT_EQ(m_facts.countryCode(), "CN");
    EXPECT_EQ(m_facts.preferredLanguages(), std::vector<std::string>{"zh-CN"});
    environment.set("LANGUAGE", "en_GB:fr");
    EXPECT_EQ(m_facts.preferredLanguages(), (std::vector<std::string>{"en-GB", "fr"}));
    environment.set("LANG", "C");
    environment.set("LANGUAGE", "");
    EXPECT_FALSE(m_facts.countryCode().has_value());
    EXPECT_TRUE(m_facts.preferredLanguages().empty());
}

TEST_F(LinuxFactsTest, shouldReadApplicationValuesFromInfoPlist) {
    TempFolder resources;
    PropertyList info = PropertyList::dictionary();
    info.set("CFBundleIdentifier", "com.vkjy.client");
    info.set("CFBundleVersion", 7);
    ASSERT_TRUE(info.writeFile(resources.file("Info.plist")));
    ScopedEnvironment environment;
    environment.set("VKJY_RESOURCES", resources.path());
    EXPECT_EQ(m_facts.infoString("CFBundleIdentifier"), "com.vkjy.client");
    EXPECT_FALSE(m_facts.infoString("CFBundleVersion").has_value());
    EXPECT_FALSE(m_facts.infoString("CFBundleDisplayName").has_value());
}

TEST_F(LinuxFactsTest, shouldListTheLoopbackInterface) {
    auto interfaces = m_facts.networkInterfaces();
    ASSERT_TRUE(interfaces.has_value());
    bool loopback = false;
    for (const TLANNetworkInterface& interface : *interfaces) {
        loopback = loopback || (interface.loopback && interface.ipv4);
    }
    EXPECT_TRUE(loopback);
}

}  // namespace
