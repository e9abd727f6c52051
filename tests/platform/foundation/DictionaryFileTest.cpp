#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/foundation/DictionaryFile.h"
#include "platform/foundation/Paths.h"
#include "support/PropertyListPrinter.h"
#include "support/TempFolder.h"
#include "support/TempHome.h"

namespace fs = std::filesystem;

namespace {
constexpr const char* kHead = R"(<?xml version="1.0" encoding="UTF-8"?><plist version="1.0">)";

std::string plist(const std::string& body) {
    return kHead + body + "</plist>";
}

std::string textOf(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<fs::path> keptBeside(const std::string& path) {
    std::vector<fs::path> kept;
    const std::string prefix = fs::path(path).filename().string() + ".damaged-";
    for (const auto& entry : fs::directory_iterator(fs::path(path).parent_path())) {
        if (entry.path().filename().string().starts_with(prefix)) {
            kept.push_back(entry.path());
        }
    }
    return kept;
}

std::string dayLog() {
    std::string log;
    const fs::path logs = Paths::join(Paths::documents(), "Logs");
    if (!fs::exists(logs)) {
        return log;
    }
    for (const auto& entry : fs::recursive_directory_iterator(logs)) {
        if (entry.is_regular_file()) {
            log += textOf(entry.path());
        }
    }
    return log;
}

// Saved accounts: two platforms, the first with two environments.
const std::string kAccountsBody =
    "<dict><key>01</key><dict><key>01</key><dict><key>100000000000001</key><string>0</string>"
    "<key>100000000000003</key><string>0</string></dict><key>02</key><dict/></dict>"
    "<key>02</key><dict><key>01</key><dict><key>200000000000001</key><string>0</string>"
    "</dict></dict></dict>";
}  // namespace

TEST(DictionaryFile, shouldReadBackWhatADamagedFileHoldsAtEveryDepthAndKeepTheFileAside) {
    struct Case {
        const char* what;
        std::string stored;
        std::string readBack;  // the plist body of what comes back
        bool damaged;
    };
    const Case cases[] = {
        {"a sound file", plist(kAccountsBody), kAccountsBody, false},
        {"one spoilt account deep inside",
         plist("<dict><key>01</key><dict><key>01</key><dict><key>100000000000001</key>"
               "<string>0</string><key>100000000000002</key><string>0</strin>"
               "<key>100000000000003</key><string>0</string></dict><key>02</key><dict/></dict>"
               "<key>02</key><dict><key>01</key><dict><key>200000000000001</key>"
               "<string>0</string></dict></dict></dict>"),
         kAccountsBody, true},
        {"cut short inside the second platform",
         std::string(kHead) +
             "<dict><key>01</key><dict><key>01</key><dict><key>100000000000001</key>"
             "<string>0</string><key>100000000000003</key><string>0</string></dict>"
             "<key>02</key><dict/></dict><key>02</key><dict><key>01</key><dict>"
             "<key>200000000000001</key><string>0</string><key>2000000",
         kAccountsBody, true},
        {"an array", plist("<array><string>01</string></array>"), "<dict/>", true},
        {"no property list", "AccountsMessage\x01\x02", "<dict/>", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempHome home;
        TempFolder folder;
        const std::string path = folder.file("AccountsMessage.plist");
        {
            std::ofstream out(path, std::ios::binary);
            out << c.stored;
        }
        const std::optional<PropertyList> expected = PropertyList::parse(plist(c.readBack));
        ASSERT_TRUE(expected);

        const DictionaryFile::Contents read =
            DictionaryFile::read(path, "saved accounts", "platforms");
        EXPECT_EQ(read.values, *expected);
        EXPECT_TRUE(read.writable);
        // What was read back is on disk at once, for the next launch.
        EXPECT_EQ(PropertyList::readFile(path), expected);
        const auto kept = keptBeside(path);
        if (!c.damaged) {
            EXPECT_TRUE(kept.empty());
            EXPECT_EQ(dayLog().find("saved accounts"), std::string::npos);
            continue;
        }
        ASSERT_EQ(kept.size(), 1u);
        EXPECT_EQ(textOf(kept.front()), c.stored) << "the damaged file is kept as it was";
        const std::string log = dayLog();
        EXPECT_NE(log.find("saved accounts"), std::string::npos) << log;
        EXPECT_NE(log.find(kept.front().filename().string()), std::string::npos) << log;
    }
}

TEST(DictionaryFile, shouldGiveNothingForAMissingFileAndCreateNone) {
    TempHome home;
    TempFolder folder;
    const std::string path = folder.file("AccountsMessage.plist");
    const DictionaryFile::Contents read = DictionaryFile::read(path, "saved accounts", "platforms");
    EXPECT_EQ(read.values, PropertyList::dictionary());
    EXPECT_TRUE(read.writable);
    EXPECT_FALSE(fs::exists(path));
}
