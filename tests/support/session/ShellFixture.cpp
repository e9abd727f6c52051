#include "support/session/ShellFixture.h"

#include <filesystem>

#include "platform/foundation/HttpClient.h"
#include "platform/foundation/PropertyList.h"
#include "platform/foundation/SystemInfo.h"
#include "platform/foundation/UserDefaults.h"
#include "platform/graphics/Image.h"
#include "platform/ui/TabBar.h"
#include "platform/ui/TabBarController.h"
#include "platform/ui/View.h"
#include "shell/VKJYFastTradeViewControllerFactory.h"
#include "shell/VKJYTabBarHelper.h"
#include "shell/VKJYTabRootFactory.h"
#include "trade/common/PXTradeScreenFactory.h"

namespace fs = std::filesystem;

namespace {
const std::string kRealResources = VKJY_SOURCE_RESOURCES;

// The screen registrations are process-wide: one case's would otherwise decide what the next
// case's tabs and menus open when the cases run in one program.
void forgetScreenRegistrations() {
    VKJYTabRootFactory::setMarketRootMaker(nullptr);
    VKJYTabRootFactory::setTradeRootMaker(nullptr);
    VKJYFastTradeViewControllerFactory::registerPanels(nullptr, nullptr);
    PXTradeScreenFactory::forgetAll();
}
}  // namespace

ShellTest::ShellTest(Size screenSize) : ShellTest(screenSize, OutOfProcessSimulator{}) {
    EXPECT_TRUE(sim.start());
}

ShellTest::ShellTest(Size screenSize, OutOfProcessSimulator) : screen(screenSize, 1) {
    forgetScreenRegistrations();
    View::setAnimationSpeed(0);
    SystemInfo::setScreenMode(screenSize.height > 480 ? SystemInfo::kFourInchScreen
                                                      : SystemInfo::kThreeAndAHalfInchScreen);
    Image::setResourceDirectory(kRealResources + "/images");
    fs::create_directory_symlink(kRealResources + "/directory", resources.file("directory"));
    fs::create_directory_symlink(kRealResources + "/images", resources.file("images"));
    // Copied, not linked: resources are looked up below the folder without following links.
    fs::copy(kRealResources + "/trade", resources.file("trade"), fs::copy_options::recursive);
    app.setTerminateHandler([this](int code) { terminatedWith = code; });
}

ShellTest::~ShellTest() {
    driver.settle();
    app.setDelegate(nullptr);
    delegate.reset();
    driver.settle();
    // Else each line's stop waits for a connection the client opened and never used.
    HttpClient::closeIdleConnections();
    sim.stop();
    forgetScreenRegistrations();
    SystemInfo::resetOverrides();
    View::setAnimationSpeed(1);
}

void ShellTest::launch(const std::string& vkAppName) {
    const auto urls = sim.directoryUrls();
    launchWithUrls(vkAppName, urls.at(0), urls.at(1));
}

void ShellTest::launchWithUrls(const std::string& vkAppName, const std::string& url1,
                               const std::string& url2) {
    auto info = PropertyList::readFile(kRealResources + "/Info.plist");
    ASSERT_TRUE(info);
    info->set("VKAppName", vkAppName);
    info->set("DirectoryServerUrl1", url1);
    info->set("DirectoryServerUrl2", url2);
    ASSERT_TRUE(info->writeFile(resources.file("Info.plist")));
    delegate = std::make_unique<VKJYAppDelegate>();
    app.setDelegate(delegate.get());
    app.finishLaunching();
}

void ShellTest::setGuideShown() {
    UserDefaults::standardUserDefaults().setBool(true, "hasShowGuidePage");
}

bool ShellTest::tabBarVisible() const {
    if (!delegate) {
        return false;
    }
    auto* tabBar = delegate->tabBarHelper().tabBarController();
    return tabBar && driver.isVisible(tabBar->tabBar());
}

bool ShellTest::runUntilTabBar(double seconds) {
    return driver.runUntil([this] { return tabBarVisible(); }, seconds);
}

std::string ShellTest::snapshotPath(const std::string& name) const {
    const std::string folder = VKJY_SNAPSHOT_DIR;
    fs::create_directories(folder);
    return folder + "/" + name + ".png";
}
