// The client on the quote screen for ten minutes (or the seconds given as the first argument)
// against `vkjy-sim` run as a separate process with its clock running, the live quote asked for
// every second. Resident memory (anonymous, with swap) and open file descriptors of the client are
// sampled every 10 s; prints every sample, then start, peak and end. Target: flat, the end within 5
// % of the value after the first minute. A plain program, not a benchmark loop: one long run is the
// measure.

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QGuiApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "market/VKJYCommodityCell.h"
#include "market/VKJYMarketChartController.h"
#include "market/VKJYMarketScreens.h"
#include "market/VKJYMarketUIViewController.h"
#include "platform/foundation/PropertyList.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/UserDefaults.h"
#include "platform/graphics/Image.h"
#include "platform/ui/Label.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/Screen.h"
#include "platform/ui/ScreenDriver.h"
#include "platform/ui/TabBarController.h"
#include "platform/ui/TableView.h"
#include "platform/ui/View.h"
#include "shell/CUIApplication.h"
#include "shell/VKJYAppDelegate.h"
#include "shell/VKJYTabBarHelper.h"

namespace fs = std::filesystem;

namespace {
const std::string kResources = VKJY_SOURCE_RESOURCES;
constexpr int kSampleSeconds = 10;
// 2026-12-04 14:30 in UTC+8: inside the trading day, so the quotes move.
constexpr const char* kStartMs = "1796365800000";

struct Sample {
    int second = 0;
    long rssKb = 0;
    long fds = 0;
    std::string price;  // the quote screen's last price, to show it kept refreshing
};

fs::path freshFolder(const std::string& stem) {
    std::string pattern = (fs::temp_directory_path() / (stem + "-XXXXXX")).string();
    return mkdtemp(pattern.data());
}

// Starts the simulator with its clock running and gives its directory lines.
std::vector<std::string> startSimulator(const fs::path& folder, pid_t* pid) {
    const std::string output = (folder / "sim.out").string();
    *pid = fork();
    if (*pid == 0) {
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        const int fd = open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        dup2(fd, STDOUT_FILENO);
        execl(VKJY_SIM_EXECUTABLE, VKJY_SIM_EXECUTABLE, "--start-ms", kStartMs, "--directory-ports",
              "0", "0", "--analytics-ports", "0", "0", "--control-port", "0",
              static_cast<char*>(nullptr));
        _exit(127);
    }
    for (int tries = 0; tries < 200; ++tries) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        std::ifstream in(output);
        for (std::string line; std::getline(in, line);) {
            std::istringstream words(line);
            std::string kind, first, second;
            if (words >> kind >> first >> second && kind == "directory") {
                return {first, second};
            }
        }
    }
    return {};
}

fs::path resourcesFor(const std::vector<std::string>& directory) {
    const fs::path folder = freshFolder("vkjy-soak-resources");
    fs::create_directory_symlink(fs::path(kResources) / "directory", folder / "directory");
    fs::create_directory_symlink(fs::path(kResources) / "images", folder / "images");
    fs::copy(fs::path(kResources) / "trade", folder / "trade", fs::copy_options::recursive);
    auto info = PropertyList::readFile(kResources + "/Info.plist");
    info->set("DirectoryServerUrl1", directory.at(0));
    info->set("DirectoryServerUrl2", directory.at(1));
    info->writeFile((folder / "Info.plist").string());
    return folder;
}

// Anonymous resident memory (the heap, where a leak grows) plus what of it went to swap: on a
// busy machine shared library and font pages come and go from the resident set, and pages of
// an idle process move to swap, either of which would read as a changing footprint.
long residentKb() {
    std::ifstream status("/proc/self/status");
    long kb = 0;
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("RssAnon:", 0) == 0 || line.rfind("VmSwap:", 0) == 0) {
            kb += std::strtol(line.c_str() + line.find(':') + 1, nullptr, 10);
        }
    }
    return kb;
}

long openDescriptors() {
    return std::distance(fs::directory_iterator("/proc/self/fd"), fs::directory_iterator{});
}

VKJYMarketUIViewController* marketList() {
    auto* app = VKJYAppDelegate::shared();
    auto* tabs = app ? app->tabBarHelper().tabBarController() : nullptr;
    auto* stack = tabs && !tabs->viewControllers().empty()
                      ? dynamic_cast<NavigationController*>(tabs->viewControllers().front())
                      : nullptr;
    return stack && !stack->viewControllers().empty()
               ? dynamic_cast<VKJYMarketUIViewController*>(stack->viewControllers().front())
               : nullptr;
}

VKJYMarketChartController* quoteScreen() {
    auto* list = marketList();
    auto* stack = list ? list->navigationController() : nullptr;
    return stack ? dynamic_cast<VKJYMarketChartController*>(stack->topViewController()) : nullptr;
}

bool showsLivePrices() {
    auto* list = marketList();
    if (!list || !list->isViewLoaded() || list->CommodityInfoListTableView()->isHidden()) {
        return false;
    }
    auto* cell =
        dynamic_cast<VKJYCommodityCell*>(list->CommodityInfoListTableView()->cellForRow({1, 0}));
    return cell && cell->commodityPriceLabel()->text() != "--";
}

bool openQuoteScreen(ScreenDriver& driver) {
    return RunLoop::runUntil(showsLivePrices, 30) &&
           driver.tapRow(*marketList()->CommodityInfoListTableView(), {1, 0}) &&
           RunLoop::runUntil([] { return quoteScreen() != nullptr; }, 10);
}

void print(const char* what, const Sample& sample) {
    std::printf("%-22s t=%4ds  heap %7ld kB  fds %4ld  price %s\n", what, sample.second,
                sample.rssKb, sample.fds, sample.price.c_str());
}
}  // namespace

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 600;
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication qt(argc, argv);
    const fs::path work = freshFolder("vkjy-soak");
    pid_t simPid = -1;
    const auto directory = startSimulator(work, &simPid);
    if (directory.size() != 2) {
        std::fprintf(stderr, "soak: the simulator did not start\n");
        return 1;
    }
    setenv("VKJY_RESOURCES", resourcesFor(directory).c_str(), 1);
    setenv("VKJY_HOME", (work / "home").c_str(), 1);
    Image::setResourceDirectory(kResources + "/images");
    View::setAnimationSpeed(0);
    UserDefaults::standardUserDefaults().setBool(true, "hasShowGuidePage");
    UserDefaults::standardUserDefaults().setBool(false, "showAddHelpGuide");
    VKJYMarketUIViewController::registerAsMarketRoot();
    registerVKJYMarketScreens();

    int status = 0;
    {
        Screen screen({320, 568}, 1);
        ScreenDriver driver(screen);
        CUIApplication app;
        VKJYAppDelegate delegate;
        app.setDelegate(&delegate);
        app.finishLaunching();
        if (!openQuoteScreen(driver)) {
            std::fprintf(stderr, "soak: the quote screen did not open\n");
            status = 1;
        }
        std::vector<Sample> samples;
        for (int at = 0; status == 0 && at <= seconds; at += kSampleSeconds) {
            if (at > 0) {
                RunLoop::runUntil([] { return false; }, kSampleSeconds);
            }
            const auto* quote = quoteScreen();
            samples.push_back({at, residentKb(), openDescriptors(),
                               quote ? quote->yikoujiaLabel()->text() : std::string("gone")});
            print("sample", samples.back());
            std::fflush(stdout);
        }
        if (!samples.empty()) {
            const Sample& minute = samples.at(std::min<size_t>(6, samples.size() - 1));
            const auto peak = *std::max_element(
                samples.begin(), samples.end(),
                [](const Sample& a, const Sample& b) { return a.rssKb < b.rssKb; });
            print("start", samples.front());
            print("after the first minute", minute);
            print("peak", peak);
            print("end", samples.back());
            const double growth = 100.0 * (samples.back().rssKb - minute.rssKb) / minute.rssKb;
            std::printf(
                "memory end vs first minute: %+.1f %% (target within 5 %%); fds %ld -> %ld\n",
                growth, minute.fds, samples.back().fds);
        }
        app.setDelegate(nullptr);
    }
    kill(simPid, SIGTERM);
    waitpid(simPid, nullptr, 0);
    fs::remove_all(work);
    return status;
}
