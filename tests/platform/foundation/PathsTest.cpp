#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "platform/foundation/Paths.h"
#include "support/ScopedEnvironment.h"
#include "support/TempFolder.h"
#include "support/TempHome.h"

TEST(Paths, shouldCreateTheStandardFoldersUnderTheHome) {
    TempHome home;
    EXPECT_EQ(Paths::home(), home.path());
    EXPECT_EQ(Paths::documents(), home.path() + "/Documents");
    EXPECT_EQ(Paths::library(), home.path() + "/Library");
    EXPECT_EQ(Paths::caches(), home.path() + "/Library/Caches");
    EXPECT_EQ(Paths::preferences(), home.path() + "/Library/Preferences");
    EXPECT_EQ(Paths::temporary(), home.path() + "/tmp");
    for (const char* folder : {"Documents", "Library/Caches", "Library/Preferences", "tmp"}) {
        EXPECT_TRUE(std::filesystem::is_directory(home.path() + "/" + folder)) << folder;
    }
    EXPECT_EQ(Paths::join(Paths::documents(), "Logs"), home.path() + "/Documents/Logs");
}

TEST(Paths, shouldFollowTheHomeWhenItChanges) {
    std::string first;
    {
        TempHome home;
        first = Paths::documents();
    }
    TempHome second;
    EXPECT_NE(Paths::documents(), first);
    EXPECT_EQ(Paths::documents(), second.path() + "/Documents");
}

TEST(Paths, shouldFallBackToTheUserDataFolder) {
    TempFolder data;
    ScopedEnvironment noHome("VKJY_HOME", nullptr);
    {
        ScopedEnvironment xdg("XDG_DATA_HOME", data.path().c_str());
        EXPECT_EQ(Paths::home(), data.path() + "/vkjy");
    }
    ScopedEnvironment noXdg("XDG_DATA_HOME", nullptr);
    ScopedEnvironment user("HOME", data.path().c_str());
    EXPECT_EQ(Paths::temporary(), data.path() + "/.local/share/vkjy/tmp");
    EXPECT_TRUE(std::filesystem::is_directory(data.path() + "/.local/share/vkjy/tmp"));
}

TEST(Paths, shouldGiveEveryTestAnEmptyTemporaryHomeOfItsOwn) {
    const char* given = std::getenv("VKJY_HOME");
    ASSERT_NE(given, nullptr) << "a test must never run in the user's real home";
    const std::filesystem::path home(given);
    EXPECT_EQ(home.parent_path(), std::filesystem::temp_directory_path());
    ASSERT_TRUE(std::filesystem::is_directory(home));
    EXPECT_TRUE(std::filesystem::is_empty(home)) << "nothing left behind by another test";
    EXPECT_EQ(Paths::home(), home.string());
}
