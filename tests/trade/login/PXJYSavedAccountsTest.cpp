#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/foundation/PropertyList.h"
#include "support/TempFolder.h"
#include "support/TempHome.h"
#include "trade/login/PXJYSavedAccounts.h"

namespace {
class PXJYSavedAccountsTest : public ::testing::Test {
protected:
    TempHome home;  // the day log of a damaged file goes there
    TempFolder folder;
    std::string path = folder.file("AccountsMessage.plist");
    PXJYSavedAccounts accounts{path};
};

TEST_F(PXJYSavedAccountsTest, shouldCreateEachLevelOnceAndKeepTheOrderOfAdding) {
    ASSERT_TRUE(accounts.addAccount({"01", "01", "100000000000002"}));
    ASSERT_TRUE(accounts.addAccount({"01", "01", "100000000000001"}));
    ASSERT_TRUE(accounts.addAccount({"01", "02", "200000000000001"}));
    ASSERT_TRUE(accounts.addAccount({"02", "01", "300000000000001"}));
    ASSERT_TRUE(accounts.addAccount({"01", "01", "100000000000002"}));

    EXPECT_EQ(accounts.accounts("01", "01"),
              (std::vector<std::string>{"100000000000002", "100000000000001"}));
    const std::vector<PXJYSavedAccount> all = {{"01", "01", "100000000000002"},
                                               {"01", "01", "100000000000001"},
                                               {"01", "02", "200000000000001"},
                                               {"02", "01", "300000000000001"}};
    EXPECT_EQ(accounts.allAccounts(), all);
    auto file = PropertyList::readFile(path);
    ASSERT_TRUE(file);
    EXPECT_EQ((*file)["01"]["01"]["100000000000001"].toString(), "0");
}

TEST_F(PXJYSavedAccountsTest, shouldListOnlyEnvironmentsThatHoldAccounts) {
    auto skeleton = PropertyList::dictionary();
    auto platform = PropertyList::dictionary();
    platform.set("01", PropertyList::dictionary());
    platform.set("02", PropertyList::dictionary());
    skeleton.set("01", platform);
    ASSERT_TRUE(skeleton.writeFile(path));
    ASSERT_TRUE(accounts.addAccount({"01", "02", "200000000000001"}));

    const auto environments = accounts.environments("01");
    ASSERT_EQ(environments.size(), 1u);
    EXPECT_EQ(environments[0].first, "02");
    EXPECT_TRUE(accounts.environments("09").empty());
}

// A damaged file is never written over: what it still holds is saved with the new account and
// the file itself is kept beside.
TEST_F(PXJYSavedAccountsTest, shouldSaveANewAccountBesideWhatADamagedFileStillHolds) {
    struct Case {
        const char* what;
        std::string stored;
        std::vector<PXJYSavedAccount> after;
    };
    const Case cases[] = {
        {"a file that is no dictionary",
         R"(<?xml version="1.0" encoding="UTF-8"?><plist version="1.0"><array/></plist>)",
         {{"01", "01", "100000000000001"}}},
        {"a file cut short",
         R"(<?xml version="1.0" encoding="UTF-8"?><plist version="1.0"><dict><key>01</key>)"
         R"(<dict><key>01</key><dict><key>100000000000002</key><string>0</string><key>1000)",
         {{"01", "01", "100000000000002"}, {"01", "01", "100000000000001"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder here;
        const std::string file = here.file("AccountsMessage.plist");
        {
            std::ofstream out(file, std::ios::binary);
            out << c.stored;
        }
        PXJYSavedAccounts saved(file);
        ASSERT_TRUE(saved.addAccount({"01", "01", "100000000000001"}));
        EXPECT_EQ(PXJYSavedAccounts(file).allAccounts(), c.after);
        size_t kept = 0;
        for (const auto& entry : std::filesystem::directory_iterator(here.path())) {
            kept += entry.path().filename().string().starts_with("AccountsMessage.plist.damaged-");
        }
        EXPECT_EQ(kept, 1u);
    }
}
}  // namespace
