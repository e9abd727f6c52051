#include <gtest/gtest.h>

#include <fstream>

#include "platform/foundation/PropertyList.h"
#include "support/TempFolder.h"
#include "trade/login/PXJYSavedAccounts.h"

namespace {
class PXJYSavedAccountsTest : public ::testing::Test {
protected:
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

TEST_F(PXJYSavedAccountsTest, shouldLeaveAFileThatIsNoDictionaryAlone) {
    ASSERT_TRUE(PropertyList::array().writeFile(path));
    EXPECT_FALSE(accounts.addAccount({"01", "01", "100000000000001"}));
    EXPECT_TRUE(PropertyList::readFile(path)->isArray());
    EXPECT_TRUE(accounts.allAccounts().empty());
}
}  // namespace
