#include <gtest/gtest.h>
#include <net/if.h>
#include <sys/utsname.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/foundation/SystemInfo.h"
#include "platform/foundation/SystemSound.h"

namespace {

std::string readLine(const std::filesystem::path& path) {
    std::ifstream in(path);
    std::string line;
    std::getline(in, line);
    return line;
}

// The address the system itself lists first for a non-loopback interface (up, if upOnly).
std::optional<std::string> firstInterfaceAddress(bool upOnly) {
    constexpr const char* kNet = "/sys/class/net";
    constexpr int kLoopbackType = 772;
    std::vector<std::pair<int, std::string>> candidates;
    if (!std::filesystem::exists(kNet)) {
        return std::nullopt;
    }
    for (const auto& entry : std::filesystem::directory_iterator(kNet)) {
        std::string address = readLine(entry.path() / "address");
        unsigned long flags = std::stoul(readLine(entry.path() / "flags"), nullptr, 16);
        if (std::stoi(readLine(entry.path() / "type")) == kLoopbackType ||
            (upOnly && !(flags & IFF_UP)) || address.size() != 17 ||
            address == "00:00:00:00:00:00") {
            continue;
        }
        std::transform(address.begin(), address.end(), address.begin(), ::toupper);
        candidates.emplace_back(std::stoi(readLine(entry.path() / "ifindex")), address);
    }
    if (candidates.empty()) {
        return std::nullopt;
    }
    return std::min_element(candidates.begin(), candidates.end())->second;
}

std::optional<std::string> expectedAddress() {
    if (auto address = firstInterfaceAddress(true)) {
        return address;
    }
    return firstInterfaceAddress(false);
}

class SystemInfoTest : public ::testing::Test {
protected:
    void TearDown() override { SystemInfo::resetOverrides(); }
};

}  // namespace

TEST_F(SystemInfoTest, shouldReportThePhoneDefaultsWithoutOverrides) {
    utsname name{};
    ASSERT_EQ(uname(&name), 0);
    EXPECT_EQ(SystemInfo::osVersion(), "7.0");
    EXPECT_EQ(SystemInfo::screenMode(), (SystemInfo::ScreenMode{640, 1136}));
    EXPECT_EQ(SystemInfo::deviceModel(), std::string(name.machine));
}

TEST_F(SystemInfoTest, shouldReadTheHardwareAddressOfTheFirstInterfaceThatIsUp) {
    std::optional<std::string> expected = expectedAddress();
    EXPECT_EQ(SystemInfo::macAddressText(), expected);
    EXPECT_EQ(SystemInfo::macAddress().has_value(), expected.has_value());
}

TEST_F(SystemInfoTest, shouldWriteAnOverriddenAddressAsUpperCaseHexPairs) {
    SystemInfo::setMacAddress(SystemInfo::MacAddress{0x02, 0xfc, 0x0a, 0xbe, 0x00, 0x01});
    EXPECT_EQ(SystemInfo::macAddressText(), "02:FC:0A:BE:00:01");
    SystemInfo::setMacAddress(std::nullopt);
    EXPECT_FALSE(SystemInfo::macAddress().has_value());
    EXPECT_FALSE(SystemInfo::macAddressText().has_value());
    SystemInfo::resetOverrides();
    EXPECT_EQ(SystemInfo::macAddressText(), expectedAddress());
}

TEST_F(SystemInfoTest, shouldReportOverriddenModelVersionAndScreen) {
    SystemInfo::setDeviceModel("iPhone5,2");
    SystemInfo::setOsVersion("6.1");
    SystemInfo::setScreenMode(SystemInfo::kThreeAndAHalfInchScreen);
    EXPECT_EQ(SystemInfo::deviceModel(), "iPhone5,2");
    EXPECT_EQ(SystemInfo::osVersion(), "6.1");
    EXPECT_EQ(SystemInfo::screenMode(), (SystemInfo::ScreenMode{640, 960}));
    SystemInfo::resetOverrides();
    EXPECT_EQ(SystemInfo::osVersion(), "7.0");
    EXPECT_EQ(SystemInfo::screenMode(), SystemInfo::kFourInchScreen);
}

TEST(SystemSound, shouldRecordEverySoundAskedForUntilCleared) {
    SystemSound::clearRecorded();
    SystemSound::play(1007);
    SystemSound::play(1007);
    SystemSound::play(1000);
    EXPECT_EQ(SystemSound::playedSounds(), (std::vector<std::uint32_t>{1007, 1007, 1000}));
    SystemSound::clearRecorded();
    EXPECT_TRUE(SystemSound::playedSounds().empty());
}
