#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/foundation/Paths.h"
#include "platform/foundation/UserDefaults.h"
#include "support/PropertyListPrinter.h"
#include "support/TempHome.h"

TEST(UserDefaults, shouldReadAbsentKeysAsEmpty) {
    TempHome home;
    UserDefaults& defaults = UserDefaults::standardUserDefaults();
    EXPECT_FALSE(defaults.contains("TKNB"));
    EXPECT_EQ(defaults.stringForKey("TKNB"), "");
    EXPECT_EQ(defaults.integerForKey("RefreshTrade"), 0);
    EXPECT_EQ(defaults.doubleForKey("ratio"), 0);
    EXPECT_FALSE(defaults.boolForKey("hasShowGuidePage"));
    EXPECT_TRUE(defaults.dataForKey("tlSignature").empty());
    EXPECT_TRUE(defaults.arrayForKey("list").isNull());
    EXPECT_TRUE(defaults.dictionaryForKey("online_params").isNull());
    EXPECT_TRUE(defaults.objectForKey("anything").isNull());
}

TEST(UserDefaults, shouldKeepEveryKindForANewInstanceOnTheSameHome) {
    TempHome home;
    PropertyList list = PropertyList::array();
    list.append("12_1");
    PropertyList params;
    params.set("b", "2");
    params.set("a", 1);
    {
        UserDefaults defaults;
        defaults.setString("abc123", "TKNB");
        defaults.setInteger(42, "tlSerialNum");
        defaults.setDouble(2.5, "interval");
        defaults.setBool(true, "hasShowGuidePage");
        defaults.setData(Bytes(32, 7), "tlSignature");
        defaults.setObject(list, "watch");
        defaults.setObject(params, "online_params");
        defaults.setObject(PropertyList::date(1700000000), "lastPostDate");
        EXPECT_TRUE(defaults.synchronize());
    }
    UserDefaults reopened;
    EXPECT_EQ(reopened.path(), Paths::preferences() + "/vkjy.plist");
    EXPECT_EQ(reopened.stringForKey("TKNB"), "abc123");
    EXPECT_EQ(reopened.integerForKey("tlSerialNum"), 42);
    EXPECT_EQ(reopened.doubleForKey("interval"), 2.5);
    EXPECT_TRUE(reopened.boolForKey("hasShowGuidePage"));
    EXPECT_EQ(reopened.dataForKey("tlSignature"), Bytes(32, 7));
    EXPECT_EQ(reopened.arrayForKey("watch"), list);
    EXPECT_EQ(reopened.dictionaryForKey("online_params").keys(),
              (std::vector<std::string>{"b", "a"}));
    EXPECT_EQ(reopened.objectForKey("lastPostDate").asDate(), 1700000000.0);
    EXPECT_TRUE(reopened.arrayForKey("online_params").isNull());
}

TEST(UserDefaults, shouldConvertStoredTextsAndNumbersAsThePlatformDoes) {
    TempHome home;
    UserDefaults& defaults = UserDefaults::standardUserDefaults();
    defaults.setString("10", "timeoutTime");
    defaults.setString("3abc", "PromptType");
    defaults.setString("YES", "DebugPreference");
    defaults.setInteger(1, "prompt");
    EXPECT_EQ(defaults.integerForKey("timeoutTime"), 10);
    EXPECT_EQ(defaults.integerForKey("PromptType"), 3);
    EXPECT_TRUE(defaults.boolForKey("DebugPreference"));
    EXPECT_EQ(defaults.stringForKey("prompt"), "1");
    EXPECT_EQ(defaults.doubleForKey("timeoutTime"), 10.0);
}

TEST(UserDefaults, shouldRemoveKeysAndWriteEachChangeAtOnce) {
    TempHome home;
    UserDefaults& defaults = UserDefaults::standardUserDefaults();
    defaults.setString("8000123", "JYUserName");
    defaults.setString("gone soon", "password");
    defaults.removeObjectForKey("password");
    defaults.setObject(PropertyList(), "JYUserName2");
    UserDefaults other;
    EXPECT_EQ(other.stringForKey("JYUserName"), "8000123");
    EXPECT_FALSE(other.contains("password"));
    EXPECT_FALSE(other.contains("JYUserName2"));
}

TEST(UserDefaults, shouldOpenTheDefaultsOfTheCurrentHome) {
    std::string firstPath;
    {
        TempHome first;
        UserDefaults::standardUserDefaults().setBool(true, "firstLaunch");
        firstPath = UserDefaults::standardUserDefaults().path();
    }
    TempHome second;
    EXPECT_NE(UserDefaults::standardUserDefaults().path(), firstPath);
    EXPECT_FALSE(UserDefaults::standardUserDefaults().boolForKey("firstLaunch"));
}

TEST(UserDefaults, shouldReportAFailedWriteAndRetryItOnSynchronize) {
    TempHome home;
    UserDefaults& defaults = UserDefaults::standardUserDefaults();
    std::string folder = Paths::preferences();
    std::filesystem::remove_all(folder);
    defaults.setString("kept in memory", "TKNB");
    EXPECT_FALSE(defaults.synchronize());
    EXPECT_EQ(defaults.stringForKey("TKNB"), "kept in memory");
    std::filesystem::create_directories(folder);
    EXPECT_TRUE(defaults.synchronize());
    EXPECT_EQ(UserDefaults().stringForKey("TKNB"), "kept in memory");
}

TEST(UserDefaults, shouldStartEmptyWhenTheFileIsDamaged) {
    TempHome home;
    std::string path = Paths::join(Paths::preferences(), UserDefaults::kFileName);
    FILE* file = std::fopen(path.c_str(), "wb");
    std::fputs("<plist><dict><key>half", file);
    std::fclose(file);
    UserDefaults defaults;
    EXPECT_FALSE(defaults.contains("half"));
    defaults.setInteger(1, "fresh");
    EXPECT_EQ(UserDefaults().integerForKey("fresh"), 1);
}

// A file written by an older build, spoilt in one value and cut short at the end: the settings
// still readable come back and stay after a restart; the damaged file is kept beside it.
TEST(UserDefaults, shouldReadBackWhatADamagedFileStillHolds) {
    TempHome home;
    const std::string path = Paths::join(Paths::preferences(), UserDefaults::kFileName);
    const std::string damaged = R"(<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE plist PUBLIC "-//Apple//DTD PLIST 1.0//EN" "http://www.apple.com/DTDs/PropertyList-1.0.dtd">
<plist version="1.0">
<dict>
	<key>TKNB</key>
	<string>abc123</string>
	<!-- kept by an older build -->
	<key>online_params</key>
	<dict>
		<key>inner</key>
		<dict/>
		<key>interval</key>
		<integer>30</integer>
	</dict>
	<key>spoilt</key>
	<integer>1</strin>
	<key>hasShowGuidePage</key>
	<true/>
	<key>watch</key>
	<array>
		<string>12_1</string>
		<array><string>nested</string></array>
	</array>
	<key>RefreshTrade</key>
	<integer>5</inte)";
    FILE* file = std::fopen(path.c_str(), "wb");
    std::fputs(damaged.c_str(), file);
    std::fclose(file);

    UserDefaults::resetStandardUserDefaults();
    UserDefaults defaults;
    EXPECT_EQ(defaults.stringForKey("TKNB"), "abc123");
    EXPECT_EQ(defaults.dictionaryForKey("online_params")["interval"].toInteger(), 30);
    EXPECT_TRUE(defaults.boolForKey("hasShowGuidePage"));
    EXPECT_EQ(defaults.arrayForKey("watch").size(), 2u);
    EXPECT_FALSE(defaults.contains("spoilt"));
    EXPECT_FALSE(defaults.contains("RefreshTrade"));

    // The next launch reads the settings back without a change having been saved.
    UserDefaults restarted;
    EXPECT_EQ(restarted.stringForKey("TKNB"), "abc123");
    EXPECT_EQ(restarted.arrayForKey("watch").at(1).at(0).toString(), "nested");
    std::vector<std::string> kept;
    for (const auto& entry : std::filesystem::directory_iterator(Paths::preferences())) {
        if (entry.path().filename().string().starts_with("vkjy.plist.damaged-")) {
            std::ifstream in(entry.path());
            kept.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        }
    }
    EXPECT_EQ(kept, std::vector<std::string>{damaged});
}
