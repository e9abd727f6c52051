#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <regex>
#include <string>

#include "analytics/TLANSettings.h"
#include "analytics/TLANUtils.h"
#include "analytics/TallyLog.h"
#include "support/TempFolder.h"

namespace {

class LoggingSettings : public TLANSettings {
public:
    bool logEnabled() const override { return true; }
};

class ToolboxTest : public testing::Test {
protected:
    void TearDown() override {
        TLANUtils::setOpenLog(false);
        TLANUtils::setPrefix(std::nullopt);
        TLANSettings::install(nullptr);
    }
};

TEST_F(ToolboxTest, shouldWriteTheConsoleLogOnlyWhenOpen) {
    testing::internal::CaptureStdout();
    TLANUtils::outLog("hidden %d", 1);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");

    TLANUtils::setOpenLog(true);
    testing::internal::CaptureStdout();
    TLANUtils::outLog(nullptr);
    std::string nilLine = testing::internal::GetCapturedStdout();
    EXPECT_TRUE(
        std::regex_match(nilLine, std::regex(R"(\[\d\d:\d\d:\d\d\.\d{3}\( *\d+\)\] - nil\n)")))
        << nilLine;

    TLANUtils::setPrefix("Tag");
    testing::internal::CaptureStdout();
    TLANUtils::outLog("rate %d%%", 5);
    std::string line = testing::internal::GetCapturedStdout();
    EXPECT_NE(line.find("] - Tag rate 5% \n"), std::string::npos) << line;
}

TEST_F(ToolboxTest, shouldWriteTallyLogOnlyWhileTheSwitchIsOn) {
    testing::internal::CaptureStderr();
    tallyLog("upload %@ took %d ms", "ok", 12);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    TLANSettings::install(std::make_shared<LoggingSettings>());
    testing::internal::CaptureStderr();
    tallyLog("upload %@ took %d ms", "ok", 12);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Tally: upload ok took 12 ms\n");
}

TEST_F(ToolboxTest, shouldReadDictionaryValuesSafely) {
    TLANJsonValue dictionary = TLANJsonValue::dictionary();
    dictionary.set("text", "abc");
    dictionary.set("number", 7);
    dictionary.set("null", TLANJsonValue());
    dictionary.set("pure", " 12");
    dictionary.set("impure", "12a");
    dictionary.set("inner", TLANJsonValue::dictionary());
    dictionary.set("list", TLANJsonValue::Array{1, "a"});

    EXPECT_EQ(TLANUtils::getStringFromDictionary(dictionary, "text"), "abc");
    EXPECT_EQ(TLANUtils::getStringFromDictionary(dictionary, "number"), "7");
    EXPECT_EQ(TLANUtils::getStringFromDictionary(dictionary, "null"), "");
    EXPECT_EQ(TLANUtils::getStringFromDictionary(dictionary, "missing"), "");
    EXPECT_EQ(TLANUtils::getStringFromDictionary(dictionary, ""), "");
    EXPECT_EQ(TLANUtils::getStringFromDictionary(TLANJsonValue("x"), "text"), "");
    EXPECT_EQ(TLANUtils::getStringFromDictionary(dictionary, "list"), "[1,\"a\"]");

    EXPECT_EQ(TLANUtils::getIntergerFromDictionary(dictionary, "pure"), 12);
    EXPECT_EQ(TLANUtils::getIntergerFromDictionary(dictionary, "impure"), 2147483647);
    EXPECT_EQ(TLANUtils::getIntergerFromDictionary(dictionary, "number"), 7);
    EXPECT_EQ(TLANUtils::getIntergerFromDictionary(dictionary, "text"), 2147483647);

    EXPECT_EQ(TLANUtils::getDictionaryFromDictionary(dictionary, "inner"),
              TLANJsonValue::dictionary());
    EXPECT_EQ(TLANUtils::getDictionaryFromDictionary(dictionary, "text").type(),
              TLANJsonValue::Type::Dictionary);
}

TEST_F(ToolboxTest, shouldTellPureIntegersAndReals) {
    EXPECT_TRUE(TLANUtils::isPureInt("12"));
    EXPECT_TRUE(TLANUtils::isPureInt("  -12 "));
    EXPECT_FALSE(TLANUtils::isPureInt("12a"));
    EXPECT_FALSE(TLANUtils::isPureInt("1.5"));
    EXPECT_FALSE(TLANUtils::isPureInt(""));
    EXPECT_TRUE(TLANUtils::isPureFloat("1.5"));
    EXPECT_TRUE(TLANUtils::isPureFloat(" .5e-3"));
    EXPECT_TRUE(TLANUtils::isPureFloat("7"));
    EXPECT_FALSE(TLANUtils::isPureFloat("."));
    EXPECT_FALSE(TLANUtils::isPureFloat("1e"));
}

TEST_F(ToolboxTest, shouldCutTextsToWholeCharactersWithinAByteLimit) {
    const std::string text = "ab\xE4\xB8\xAD\xE6\x96\x87";  // "ab中文"
    EXPECT_FALSE(TLANUtils::subString("", TLANUtils::TextEncoding::Utf8, 3).has_value());
    EXPECT_EQ(TLANUtils::subString(text, TLANUtils::TextEncoding::Utf8, 0), text);
    EXPECT_EQ(TLANUtils::subString(text, TLANUtils::TextEncoding::Utf8, 4), "ab");
    EXPECT_EQ(TLANUtils::subString(text, TLANUtils::TextEncoding::Utf8, 5), "ab\xE4\xB8\xAD");
    EXPECT_EQ(TLANUtils::subString(text, TLANUtils::TextEncoding::Utf8, 8), text);
    EXPECT_EQ(TLANUtils::subString(text, TLANUtils::TextEncoding::Utf16, 6), "ab\xE4\xB8\xAD");
    EXPECT_EQ(TLANUtils::subString("\xE4\xB8\xAD", TLANUtils::TextEncoding::Utf8, 2),
              "\xE4\xB8\xAD");
}

TEST_F(ToolboxTest, shouldDrawRandomNumbersWithinTheBounds) {
    for (int i = 0; i < 200; ++i) {
        uint32_t value = TLANUtils::getRand(5, 7);
        EXPECT_GE(value, 5u);
        EXPECT_LE(value, 7u);
    }
    EXPECT_EQ(TLANUtils::getRand(9, 9), 9u);
    TLANUtils::getRand(0, 0xFFFFFFFFu);
    EXPECT_EQ(TLANUtils::utilsVersion(), "1.2.4");
}

TEST_F(ToolboxTest, shouldFindResourcesOnlyInsideAnExistingBundle) {
    TempFolder resources;
    std::filesystem::create_directories(resources.file("Tally.bundle"));
    std::ofstream(resources.file("Tally.bundle/logo.png")) << "png";
    const char* previous = std::getenv("VKJY_RESOURCES");
    std::string saved = previous ? previous : "";
    setenv("VKJY_RESOURCES", resources.path().c_str(), 1);
    EXPECT_EQ(TLANUtils::getBundleRes("logo.png", "Tally"),
              resources.file("Tally.bundle/logo.png"));
    EXPECT_FALSE(TLANUtils::getBundleRes("missing.png", "Tally").has_value());
    EXPECT_FALSE(TLANUtils::getBundleRes("logo.png", "Other").has_value());
    EXPECT_FALSE(TLANUtils::getBundleRes(std::nullopt, "Tally").has_value());
    if (previous) {
        setenv("VKJY_RESOURCES", saved.c_str(), 1);
    } else {
        unsetenv("VKJY_RESOURCES");
    }
}

}  // namespace
