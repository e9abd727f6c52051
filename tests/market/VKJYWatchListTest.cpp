#include <gtest/gtest.h>

#include "market/VKJYWatchList.h"
#include "platform/foundation/AtomicFile.h"
#include "platform/foundation/PropertyList.h"
#include "quote/QuoteRecords.h"
#include "support/TempHome.h"

namespace {
std::vector<std::string> fileKeys() {
    return VKJYWatchList::readFile();
}
}  // namespace

class VKJYWatchListTest : public ::testing::Test {
protected:
    TempHome home;
    std::vector<std::string> keys;
    VKJYWatchList list{keys};
};

TEST_F(VKJYWatchListTest, shouldKeyACommodityByIdentifierAndServer) {
    commodityInfo c;
    c.CommodityID = 300;
    c.panindex = 1;
    EXPECT_EQ(VKJYWatchList::keyOf(c), "300_1");
}

TEST_F(VKJYWatchListTest, shouldReadAMissingOrUnreadableFileAsAnEmptyList) {
    list.reload();
    EXPECT_TRUE(list.keys().empty());
    ASSERT_TRUE(AtomicFile::write(VKJYWatchList::filePath(), std::string_view("not a plist")));
    list.reload();
    EXPECT_TRUE(list.keys().empty());
}

TEST_F(VKJYWatchListTest, shouldWriteEveryChangeToTheLibraryFile) {
    EXPECT_EQ(list.add("1_0"), VKJYWatchList::AddResult::Added);
    EXPECT_EQ(list.add("9_1"), VKJYWatchList::AddResult::Added);
    EXPECT_NE(VKJYWatchList::filePath().find("/Library/chooseCommodity.plist"), std::string::npos);
    EXPECT_EQ(fileKeys(), (std::vector<std::string>{"1_0", "9_1"}));
    EXPECT_TRUE(list.remove("1_0"));
    EXPECT_FALSE(list.remove("1_0"));
    EXPECT_EQ(fileKeys(), (std::vector<std::string>{"9_1"}));
}

TEST_F(VKJYWatchListTest, shouldRefuseADuplicateAndANinthEntry) {
    for (int i = 1; i <= 8; ++i) {
        ASSERT_EQ(list.add(std::to_string(i) + "_0"), VKJYWatchList::AddResult::Added);
    }
    EXPECT_EQ(list.add("3_0"), VKJYWatchList::AddResult::AlreadyListed);
    EXPECT_EQ(list.add("9_0"), VKJYWatchList::AddResult::Full);
    EXPECT_EQ(fileKeys().size(), 8u);
    // Held commodities and the directory's first entries pass the limit, still once each.
    EXPECT_EQ(list.add("9_0", VKJYWatchList::Limit::Lifted), VKJYWatchList::AddResult::Added);
    EXPECT_EQ(list.add("3_0", VKJYWatchList::Limit::Lifted),
              VKJYWatchList::AddResult::AlreadyListed);
    EXPECT_EQ(fileKeys().size(), 9u);
    EXPECT_EQ(fileKeys().back(), "9_0");
    EXPECT_EQ(list.add("10_0"), VKJYWatchList::AddResult::Full);
}

TEST_F(VKJYWatchListTest, shouldRemoveEveryCopyOfAKeyAnOlderFileRepeats) {
    PropertyList old = PropertyList::array();
    for (const char* key : {"1_0", "2_0", "1_0"}) {
        old.append(key);
    }
    ASSERT_TRUE(old.writeFile(VKJYWatchList::filePath()));
    list.reload();
    EXPECT_EQ(list.keys().size(), 3u);
    EXPECT_TRUE(list.remove("1_0"));
    EXPECT_EQ(fileKeys(), (std::vector<std::string>{"2_0"}));
}
