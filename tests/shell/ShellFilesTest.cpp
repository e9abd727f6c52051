#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/foundation/DateFormat.h"
#include "platform/foundation/Paths.h"
#include "platform/foundation/PropertyList.h"
#include "platform/foundation/UserDefaults.h"
#include "shell/AppUncaughtExceptionHandler.h"
#include "shell/VKJYLogDirectory.h"
#include "shell/VKJYResourcesCheck.h"
#include "shell/VKJYTokenBManager.h"
#include "support/TempFolder.h"
#include "support/TempHome.h"

namespace fs = std::filesystem;

namespace {
void touch(const std::string& path) {
    std::ofstream(path) << "x";
}

std::string readAll(const std::string& path) {
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

std::vector<std::string> names(const std::string& folder) {
    std::vector<std::string> found;
    for (const auto& entry : fs::directory_iterator(folder)) {
        found.push_back(entry.path().filename().string());
    }
    std::sort(found.begin(), found.end());
    return found;
}
}  // namespace

TEST(ShellFilesTest, shouldKeepExactlyTodaysAndYesterdaysLogsAtLaunch) {
    TempHome home;
    const std::string logs = VKJYLogDirectory::path();
    fs::create_directories(logs + "/old-folder");
    // Noon on 2026-03-01 local time: yesterday is the last day of February.
    const double now = *DateFormat("yyyy-MM-dd HH:mm").parse("2026-03-01 12:00");
    for (const char* name : {"2026-03-01JYLog.txt", "2026-02-28JYLog.txt", "2026-02-27JYLog.txt",
                             "2026-03-02JYLog.txt", "2026-03-01other.txt", "notes.txt"}) {
        touch(logs + "/" + name);
    }
    EXPECT_EQ(VKJYLogDirectory::prepare(now), 5);
    EXPECT_EQ(names(logs),
              (std::vector<std::string>{"2026-02-28JYLog.txt", "2026-03-01JYLog.txt"}));
}

TEST(ShellFilesTest, shouldCreateTheLogFolderWhenMissing) {
    TempHome home;
    EXPECT_EQ(VKJYLogDirectory::prepare(DateFormat::now()), 0);
    EXPECT_TRUE(fs::is_directory(home.path() + "/Documents/Logs"));
}

TEST(ShellFilesTest, shouldAppendDayLogLinesOnlyWhileDebugPreferenceIsOn) {
    TempHome home;
    const std::string file =
        Paths::join(Paths::join(Paths::documents(), "Logs"),
                    DateFormat("yyyy-MM-dd").format(DateFormat::now()) + "JYLog.txt");
    EXPECT_FALSE(AppUncaughtExceptionHandler::writeDataToNSLogFile("one\n", "JYLog.txt", "Logs"));
    EXPECT_FALSE(fs::exists(file));
    UserDefaults::standardUserDefaults().setBool(true, "DebugPreference");
    EXPECT_TRUE(AppUncaughtExceptionHandler::writeDataToNSLogFile("two\n", "JYLog.txt", "Logs"));
    EXPECT_TRUE(AppUncaughtExceptionHandler::writeDataToNSLogFile("three\n", "JYLog.txt", "Logs"));
    const std::string text = readAll(file);
    // "yyyy-MM-dd HH:mm:ss＋two\n" then the next line
    ASSERT_EQ(text.size(), 2 * (19 + 3) + 4 + 6);
    EXPECT_EQ(text.substr(19, 7), "＋two\n");
    EXPECT_TRUE(DateFormat("yyyy-MM-dd HH:mm:ss").parse(text.substr(0, 19)).has_value());
    EXPECT_EQ(text.substr(26 + 19), "＋three\n");
}

TEST(ShellFilesTest, shouldWriteTheCrashRecordToExceptionTxt) {
    TempHome home;
    ASSERT_TRUE(AppUncaughtExceptionHandler::writeExceptionFile("std::runtime_error", "boom"));
    const std::string text = readAll(home.path() + "/Documents/exception.txt");
    EXPECT_NE(text.find("name: std::runtime_error\nreason: boom\n"), std::string::npos);
}

TEST(ShellFilesTest, shouldKeepTokenBInTheDefaultsAcrossARestart) {
    TempHome home;
    VKJYTokenBManager manager;
    EXPECT_FALSE(manager.tokenB().has_value());
    manager.saveTokenB("tkb-123");
    UserDefaults::resetStandardUserDefaults();
    EXPECT_EQ(VKJYTokenBManager().tokenB(), std::optional<std::string>("tkb-123"));
    EXPECT_EQ(UserDefaults::standardUserDefaults().stringForKey("TKNB"), "tkb-123");
}

TEST(ShellFilesTest, shouldNameTheResourcesPathAndWhatKeepsTheClientFromStarting) {
    TempFolder copy;
    const std::string gone = copy.file("gone");
    EXPECT_EQ(VKJYResourcesCheck::problemOf(gone), "resources " + gone + ": no such folder");
    const std::string info = copy.file("Info.plist");
    const std::string unreadable = info + ": missing or not a readable property list";
    EXPECT_EQ(VKJYResourcesCheck::problemOf(copy.path()), unreadable);
    std::ofstream(info) << "<plist><dict><key>VKAppName";
    EXPECT_EQ(VKJYResourcesCheck::problemOf(copy.path()), unreadable);
    PropertyList plist = PropertyList::dictionary();
    plist.set("DirectoryServerUrl1", "");
    ASSERT_TRUE(plist.writeFile(info));
    EXPECT_EQ(VKJYResourcesCheck::problemOf(copy.path()),
              info + ": names no directory server (DirectoryServerUrl1, DirectoryServerUrl2)");
    plist.set("DirectoryServerUrl2", "http://127.0.0.1:18802");
    ASSERT_TRUE(plist.writeFile(info));
    EXPECT_EQ(VKJYResourcesCheck::problemOf(copy.path()), std::nullopt);
    EXPECT_EQ(VKJYResourcesCheck::problemOf(VKJY_SOURCE_RESOURCES), std::nullopt);
}
