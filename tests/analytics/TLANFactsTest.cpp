#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <regex>
#include <set>
#include <string>

#include "FakeDeviceFacts.h"
#include "analytics/TLANDeviceFacts.h"
#include "analytics/TLANProtocolData.h"
#include "analytics/TLANSettings.h"
#include "analytics/TLANUtil.h"

namespace {

class VersionSettings : public TLANSettings {
public:
    explicit VersionSettings(std::optional<std::string> version) : m_version(std::move(version)) {}
    std::string appid() const override { return "KEY"; }
    std::optional<std::string> appVersion() const override { return m_version; }

private:
    std::optional<std::string> m_version;
};

class FactsTest : public testing::Test {
protected:
    void SetUp() override {
        facts = std::make_shared<FakeFacts>();
        TLANDeviceFacts::install(facts);
    }
    void TearDown() override {
        TLANDeviceFacts::install(nullptr);
        TLANSettings::install(nullptr);
    }

    std::shared_ptr<FakeFacts> facts;
};

TEST_F(FactsTest, shouldReportWiFiOnASimulatorWhateverTheInterfaces) {
    facts->model = "iPhone Simulator";
    EXPECT_EQ(TLANUtil::accessString(), "WiFi");
    facts->model = "iPhone";
    facts->machineName = "x86_64";
    EXPECT_EQ(TLANUtil::accessString(), "WiFi");
}

TEST_F(FactsTest, shouldTellTheNetworkKindFromTheInterfaces) {
    facts->interfaces =
        std::vector<TLANNetworkInterface>{{"lo0", true, true}, {"pdp_ip0", true, false}};
    EXPECT_EQ(TLANUtil::accessString(), "CellNetwork");
    facts->interfaces->push_back({"en0", true, false});
    EXPECT_EQ(TLANUtil::accessString(), "WiFi");
    facts->interfaces =
        std::vector<TLANNetworkInterface>{{"lo0", true, true}, {"en0", false, false}};
    EXPECT_EQ(TLANUtil::accessString(), "");
    facts->interfaces = std::nullopt;
    EXPECT_EQ(TLANUtil::accessString(), "");
}

TEST_F(FactsTest, shouldCutTimeZonesTowardZero) {
    struct Case {
        long offset;
        std::string text;
    };
    for (Case c : {Case{8 * 3600, "8"}, Case{-(3 * 3600 + 1800), "-3"}, Case{-1800, "0"},
                   Case{5 * 3600 + 2700, "5"}, Case{-(9 * 3600 + 1800), "-9"}}) {
        facts->offset = c.offset;
        EXPECT_EQ(TLANUtil::timezoneString(), c.text);
        EXPECT_EQ(std::to_string(TLANUtil::timezone()), c.text);
    }
}

TEST_F(FactsTest, shouldNameScreenHeightFirstInPixels) {
    facts->screen = {320, 568, 2.0, 640, 1136};
    EXPECT_EQ(TLANUtil::resolutionString(), "1136 x 640");
    facts->screen = {320, 480, 2.0, std::nullopt, std::nullopt};
    EXPECT_EQ(TLANUtil::resolutionString(), "960 x 640");
    EXPECT_EQ(TLANUtil::resolutionWidth(), 640);
    EXPECT_EQ(TLANUtil::resolutionHeight(), 960);
    facts->screen = {320.7, 480.9, std::nullopt, std::nullopt, std::nullopt};
    EXPECT_EQ(TLANUtil::resolutionString(), "480 x 320");
    EXPECT_EQ(TLANUtil::resolutionWidth(), 320);
}

TEST_F(FactsTest, shouldAnswerOrientationAndIdiom) {
    EXPECT_EQ(TLANProtocolData::orientationString(), "0");
    facts->deviceOrientation = TLANOrientation::PortraitUpsideDown;
    EXPECT_EQ(TLANProtocolData::orientationString(), "0");
    facts->deviceOrientation = TLANOrientation::Unknown;
    EXPECT_EQ(TLANProtocolData::orientationString(), "1");
    EXPECT_FALSE(TLANUtil::isPad());
}

TEST_F(FactsTest, shouldFallBackToEmptyTexts) {
    EXPECT_EQ(TLANUtil::carrierString(), "");
    EXPECT_EQ(TLANUtil::idfv(), "");
    EXPECT_EQ(TLANUtil::idfa(), "AD-ID");
    EXPECT_EQ(TLANUtil::appPackageNameString(), "");
    EXPECT_EQ(TLANUtil::languageString(), "zh-Hans");
    EXPECT_EQ(TLANUtil::countryString(), "CN");
    EXPECT_EQ(TLANUtil::returnCheck(std::nullopt), "");
    EXPECT_EQ(TLANUtil::deviceMacAddressString(), "02:00:00:00:00:00");
    EXPECT_EQ(TLANUtil::sdkVersionString(), "3.1.2");
    EXPECT_EQ(TLANUtil::osString(), "iOS");
    EXPECT_EQ(TLANUtil::deviceModelString(), "iPhone5,2");
}

TEST_F(FactsTest, shouldPreferTheVersionHandedInOverTheBundleVersion) {
    facts->info = {{"CFBundleVersion", "100"},
                   {"CFBundleShortVersionString", "1.0"},
                   {"CFBundleIdentifier", "com.vkjy.app"},
                   {"CFBundleDisplayName", "VK"}};
    EXPECT_EQ(TLANUtil::appVersionString(), "100");
    TLANSettings::install(std::make_shared<VersionSettings>(""));
    EXPECT_EQ(TLANUtil::appVersionString(), "100");
    TLANSettings::install(std::make_shared<VersionSettings>("2.1"));
    EXPECT_EQ(TLANUtil::appVersionString(), "2.1");
    EXPECT_EQ(TLANUtil::appShortVersionString(), "1.0");
    EXPECT_EQ(TLANUtil::appPackageNameString(), "com.vkjy.app");
    EXPECT_EQ(TLANUtil::appDisplayNameString(), "VK");
}

TEST_F(FactsTest, shouldMakeNewUpperCaseSessionIdsAndUuids) {
    std::set<std::string> seen;
    for (int i = 0; i < 20; ++i) {
        std::string id = TLANUtil::sessionId();
        EXPECT_TRUE(std::regex_match(id, std::regex("[0-9A-F]{32}"))) << id;
        seen.insert(id);
    }
    EXPECT_EQ(seen.size(), 20u);
    std::string uuid = TLANProtocolData::UUIDString();
    EXPECT_TRUE(std::regex_match(
        uuid, std::regex("[0-9A-F]{8}-[0-9A-F]{4}-4[0-9A-F]{3}-[89AB][0-9A-F]{3}-[0-9A-F]{12}")))
        << uuid;
    EXPECT_TRUE(std::regex_match(TLANProtocolData::UUIDMD5String(), std::regex("[0-9A-F]{32}")));
    EXPECT_TRUE(std::regex_match(TLANUtil::dateString(), std::regex(R"(\d{4}-\d\d-\d\d)")));
    EXPECT_TRUE(std::regex_match(TLANUtil::timeString(), std::regex(R"(\d\d:\d\d:\d\d)")));
}

TEST_F(FactsTest, shouldCutToWholeCharactersOrReturnTheTextUnchanged) {
    const std::string text =
        "a\xE4\xB8\xAD"
        "b";  // "a中b"
    EXPECT_EQ(TLANUtil::getString(text, 3), "a");
    EXPECT_EQ(TLANUtil::getString(text, 4), "a\xE4\xB8\xAD");
    EXPECT_EQ(TLANUtil::getString(text, 0), text);
    EXPECT_EQ(TLANUtil::getString(text, 100), text);
    EXPECT_EQ(TLANUtil::getString("\xE4\xB8\xAD", 2), "\xE4\xB8\xAD");
    EXPECT_EQ(TLANUtil::getString("", 5), "");
}

}  // namespace
