#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/foundation/Bundle.h"
#include "support/ScopedEnvironment.h"
#include "support/TempFolder.h"

namespace {

void writeFile(const std::string& path, const std::string& text) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

}  // namespace

TEST(Bundle, shouldReadInfoPlistValuesFromTheResourcesFolder) {
    TempFolder resources;
    ScopedEnvironment variable("VKJY_RESOURCES", resources.path().c_str());
    PropertyList info;
    info.set("VKAppName", "VKDZ");
    info.set("DirectoryServerUrl1", "http://127.0.0.1:8080/dir");
    info.set("CFBundleShortVersionString", "2.1.0");
    ASSERT_TRUE(info.writeFile(resources.file("Info.plist")));

    EXPECT_EQ(Bundle::resourcePath(), resources.path());
    EXPECT_EQ(Bundle::infoDictionary(), info);
    EXPECT_EQ(Bundle::objectForInfoDictionaryKey("VKAppName").asString(), "VKDZ");
    EXPECT_TRUE(Bundle::objectForInfoDictionaryKey("Bundle versionlast").isNull());
}

TEST(Bundle, shouldGiveAnEmptyInfoDictionaryWithoutInfoPlist) {
    TempFolder resources;
    ScopedEnvironment variable("VKJY_RESOURCES", resources.path().c_str());
    EXPECT_TRUE(Bundle::infoDictionary().isDictionary());
    EXPECT_EQ(Bundle::infoDictionary().size(), 0u);
    writeFile(resources.file("Info.plist"), "<plist><array><string>not a dictionary");
    EXPECT_EQ(Bundle::infoDictionary().size(), 0u);
}

TEST(Bundle, shouldFindNamedResourcesDirectlyOrInSubfolders) {
    TempFolder resources;
    ScopedEnvironment variable("VKJY_RESOURCES", resources.path().c_str());
    writeFile(resources.file("agreement.txt"), "协议");
    writeFile(resources.file("templates/login.xml"), "<REQ>$(USER)</REQ>");
    writeFile(resources.file("images/deep/anniuhong.png"), "deep");
    writeFile(resources.file("images/anniuhong.png"), "shallow");

    EXPECT_EQ(Bundle::pathForResource("agreement", "txt"), resources.file("agreement.txt"));
    EXPECT_EQ(Bundle::pathForResource("login", "xml"), resources.file("templates/login.xml"));
    EXPECT_EQ(Bundle::pathForResource("templates/login.xml"),
              resources.file("templates/login.xml"));
    EXPECT_EQ(Bundle::pathForResource("anniuhong", "png"), resources.file("images/anniuhong.png"));
    std::string xml = "<REQ>$(USER)</REQ>";
    EXPECT_EQ(Bundle::contentsOfResource("login", "xml"), Bytes(xml.begin(), xml.end()));
    EXPECT_FALSE(Bundle::pathForResource("absent", "xml"));
    EXPECT_FALSE(Bundle::pathForResource("templates"));
    EXPECT_FALSE(Bundle::contentsOfResource("absent"));
    EXPECT_FALSE(Bundle::pathForResource(""));
}

TEST(Bundle, shouldPreferResourcesBesideTheExecutableThenOneFolderUp) {
    TempFolder install;
    std::string bin = install.file("bin");
    std::filesystem::create_directories(bin);
    EXPECT_EQ(Bundle::resourcePathBeside(bin), install.file("bin/resources"));
    std::filesystem::create_directories(install.file("resources"));
    EXPECT_EQ(Bundle::resourcePathBeside(bin), install.file("resources"));
    std::filesystem::create_directories(install.file("bin/resources"));
    EXPECT_EQ(Bundle::resourcePathBeside(bin), install.file("bin/resources"));
}

TEST(Bundle, shouldUseTheExecutablesFolderWithoutTheVariable) {
    ScopedEnvironment variable("VKJY_RESOURCES", nullptr);
    std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe");
    EXPECT_EQ(Bundle::resourcePath(), Bundle::resourcePathBeside(executable.parent_path()));
}
