#include <gtest/gtest.h>

#include <filesystem>

#include "platform/foundation/AtomicFile.h"
#include "support/FileSizeLimit.h"
#include "support/TempFolder.h"

namespace {

std::size_t entriesIn(const std::string& folder) {
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) {
        ++count;
    }
    return count;
}

}  // namespace

TEST(AtomicFile, shouldReplaceTheWholeFileAndReadItBack) {
    TempFolder folder;
    std::string path = folder.file("chooseCommodity.plist");
    ASSERT_TRUE(AtomicFile::write(path, std::string_view("first, longer content")));
    ASSERT_TRUE(AtomicFile::write(path, std::string_view("second")));
    EXPECT_EQ(AtomicFile::read(path), (Bytes{'s', 'e', 'c', 'o', 'n', 'd'}));
    EXPECT_EQ(entriesIn(folder.path()), 1u);
    EXPECT_EQ(std::filesystem::status(path).permissions() & std::filesystem::perms::others_read,
              std::filesystem::perms::others_read);
}

TEST(AtomicFile, shouldKeepTheOldFileWhenAWriteFailsPartWay) {
    TempFolder folder;
    std::string path = folder.file("defaults.plist");
    ASSERT_TRUE(AtomicFile::write(path, std::string_view("old")));
    {
        FileSizeLimit limit(1000);
        EXPECT_FALSE(AtomicFile::write(path, Bytes(5000, 'x')));
    }
    EXPECT_EQ(AtomicFile::read(path), (Bytes{'o', 'l', 'd'}));
    EXPECT_EQ(entriesIn(folder.path()), 1u);
}

TEST(AtomicFile, shouldFailWithoutAFolderOrOverAFolder) {
    TempFolder folder;
    EXPECT_FALSE(AtomicFile::write(folder.file("missing/file"), std::string_view("x")));
    std::filesystem::create_directories(folder.file("occupied/child"));
    EXPECT_FALSE(AtomicFile::write(folder.file("occupied"), std::string_view("x")));
    EXPECT_TRUE(std::filesystem::is_directory(folder.file("occupied/child")));
    EXPECT_EQ(entriesIn(folder.path()), 1u);
    EXPECT_FALSE(AtomicFile::read(folder.file("occupied")));
    EXPECT_FALSE(AtomicFile::read(folder.file("absent")));
}
