#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "market/VKJYCommodityCell.h"
#include "market/VKJYMarketCatalogue.h"
#include "market/VKJYMarketHeaderView.h"
#include "market/VKJYMarketUIViewController.h"
#include "platform/foundation/PropertyList.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/UserDefaults.h"
#include "platform/graphics/Image.h"
#include "platform/ui/Label.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/Screen.h"
#include "platform/ui/TabBarController.h"
#include "platform/ui/TableView.h"
#include "platform/ui/View.h"
#include "quote/HQDataAnalysis.h"
#include "shell/CUIApplication.h"
#include "shell/VKJYAppDelegate.h"
#include "shell/VKJYTabBarHelper.h"
#include "sim/core/SimExchange.h"

namespace fs = std::filesystem;

namespace {
const std::string kResources = VKJY_SOURCE_RESOURCES;

QGuiApplication& qt() {
    static int argc = 1;
    static char name[] = "bench";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* app = [] {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        return new QGuiApplication(argc, argv);
    }();
    return *app;
}

fs::path freshFolder(const std::string& stem) {
    std::string pattern = (fs::temp_directory_path() / (stem + "-XXXXXX")).string();
    return mkdtemp(pattern.data());
}

// Resources whose Info.plist names the simulator's directory lines.
fs::path resourcesFor(const SimExchange& sim) {
    const fs::path folder = freshFolder("vkjy-bench-resources");
    for (const char* sub : {"directory", "images", "trade"}) {
        fs::create_directory_symlink(fs::path(kResources) / sub, folder / sub);
    }
    auto info = PropertyList::readFile(kResources + "/Info.plist");
    const auto urls = sim.directoryUrls();
    info->set("DirectoryServerUrl1", urls.at(0));
    info->set("DirectoryServerUrl2", urls.at(1));
    info->writeFile((folder / "Info.plist").string());
    return folder;
}

VKJYMarketUIViewController* marketList() {
    auto* app = VKJYAppDelegate::shared();
    auto* tabs = app ? app->tabBarHelper().tabBarController() : nullptr;
    if (!tabs || tabs->viewControllers().empty()) {
        return nullptr;
    }
    auto* stack = dynamic_cast<NavigationController*>(tabs->viewControllers().front());
    return stack && !stack->viewControllers().empty()
               ? dynamic_cast<VKJYMarketUIViewController*>(stack->viewControllers().front())
               : nullptr;
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
}  // namespace

// From the application object to the market list showing live prices: directory, server
// lists, tab bar, every quote server's markets and panels, the first quotes. A fresh app home
// each time (guide seen, no help pages); the simulator runs on loopback. Target: under 300 ms.
static void BM_StartUpToLiveList(benchmark::State& state) {
    qt();
    View::setAnimationSpeed(0);
    SimExchange sim(SimExchange::testOptions());
    if (!sim.start()) {
        state.SkipWithError("the simulator could not start");
        return;
    }
    const fs::path resources = resourcesFor(sim);
    setenv("VKJY_RESOURCES", resources.c_str(), 1);
    Image::setResourceDirectory(kResources + "/images");
    VKJYMarketUIViewController::registerAsMarketRoot();
    for (auto _ : state) {
        state.PauseTiming();
        const fs::path home = freshFolder("vkjy-bench-home");
        setenv("VKJY_HOME", home.c_str(), 1);
        UserDefaults::resetStandardUserDefaults();
        UserDefaults::standardUserDefaults().setBool(true, "hasShowGuidePage");
        UserDefaults::standardUserDefaults().setBool(false, "showAddHelpGuide");
        Screen screen({320, 568}, 1);
        state.ResumeTiming();
        {
            CUIApplication app;
            VKJYAppDelegate delegate;
            app.setDelegate(&delegate);
            app.finishLaunching();
            if (!RunLoop::runUntil(showsLivePrices, 10)) {
                state.SkipWithError("the list showed no live prices");
            }
            state.PauseTiming();
            app.setDelegate(nullptr);
        }
        RunLoop::runUntil([] { return false; }, 0.05);
        fs::remove_all(home);
        state.ResumeTiming();
    }
    sim.stop();
    fs::remove_all(resources);
}
BENCHMARK(BM_StartUpToLiveList)->Unit(benchmark::kMillisecond)->Iterations(10);

namespace {
constexpr int kPanels = 10;
constexpr int kPerPanel = 50;

void put16(Bytes& out, int value) {
    out.push_back(static_cast<uint8_t>((value >> 8) & 0xff));
    out.push_back(static_cast<uint8_t>(value & 0xff));
}

void put32(Bytes& out, int64_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<uint8_t>((value >> shift) & 0xff));
    }
}

// A quote-list body (docs/quote-protocol.md, protocol 37) for one panel.
Bytes quoteListBody(int disk, int tick) {
    Bytes body;
    put16(body, 1);
    put16(body, disk);
    put16(body, kPerPanel);
    for (int i = 0; i < kPerPanel; ++i) {
        put16(body, disk * 100 + i);
        body.push_back(0);  // spType
        put16(body, 49);
        body.push_back(2);   // scale
        put32(body, 38000);  // base
        const int64_t prices[] = {tick % 50, -1, 1, 60, -60, 0, -10};
        for (int64_t p : prices) {
            put32(body, p);
        }
        put32(body, 10);
        put32(body, 12);
        put32(body, 0);
        put32(body, tick * 1000);
    }
    return body;
}

// The market list's rows over a catalogue, as the screen serves them.
class Rows : public TableViewDataSource, public TableViewDelegate {
public:
    explicit Rows(const VKJYMarketCatalogue& catalogue) : m_catalogue(catalogue) {}
    int numberOfSections(TableView&) override {
        return static_cast<int>(m_catalogue.sections().size());
    }
    int numberOfRows(TableView&, int section) override {
        return static_cast<int>(list(section).size());
    }
    std::shared_ptr<TableViewCell> cellForRow(TableView& table, IndexPath ip) override {
        const auto& commodity = list(ip.section)[static_cast<std::size_t>(ip.row)];
        auto cell =
            table.dequeueReusableCell<VKJYCommodityCell>(VKJYCommodityCell::kReuseIdentifier);
        if (!cell) {
            cell = std::make_shared<VKJYCommodityCell>(commodity);
        }
        cell->setCommodityInfo(commodity, m_catalogue.currentYiKouJia(*commodity));
        return cell;
    }
    std::optional<double> heightForHeader(TableView&, int) override { return 40; }
    std::shared_ptr<View> viewForHeader(TableView&, int) override {
        return std::make_shared<View>(Rect{0, 0, 320, 40});
    }

private:
    const std::vector<std::shared_ptr<commodityInfo>>& list(int section) const {
        return m_catalogue.sections()[static_cast<std::size_t>(section)].disk->commodityInfoArray;
    }
    const VKJYMarketCatalogue& m_catalogue;
};
}  // namespace

// One refresh tick of a 500-commodity catalogue (10 panels of 50): every panel's reply parsed,
// its quotes taken into the table, the table handed on, the visible rows and eight watch tiles
// shown anew.
// Target: under 2 ms.
static void BM_RefreshTickOf500Commodities(benchmark::State& state) {
    qt();
    Image::setResourceDirectory(kResources + "/images");
    MarketItem item;
    auto market = std::make_shared<MarketInfo>();
    market->MarketID = 1;
    for (int d = 1; d <= kPanels; ++d) {
        auto disk = std::make_shared<DiskInfo>();
        disk->DiskID = static_cast<int16_t>(d);
        disk->DiskType = 1;
        for (int i = 0; i < kPerPanel; ++i) {
            auto c = std::make_shared<commodityInfo>();
            c->CommodityID = static_cast<int16_t>(d * 100 + i);
            c->MarketID = 1;
            c->DiskID = static_cast<int16_t>(d);
            c->CommodityName = "商品" + std::to_string(c->CommodityID);
            c->leastPrice = 2;
            disk->commodityInfoArray.push_back(c);
        }
        market->diskInfoArray.push_back(disk);
    }
    item.MarketInfoArray.push_back(market);
    VKJYMarketCatalogue catalogue;
    catalogue.addMarkets(item);
    catalogue.reindex();
    Rows rows(catalogue);
    std::vector<std::shared_ptr<commodityInfo>> watched(
        market->diskInfoArray.front()->commodityInfoArray.begin(),
        market->diskInfoArray.front()->commodityInfoArray.begin() + 8);
    VKJYMarketHeaderView tiles(watched);
    TableView table(Rect{0, 64, 320, 455});
    table.setDataSource(&rows);
    table.setDelegate(&rows);
    table.layoutIfNeeded();
    std::vector<Bytes> bodies;
    int tick = 0;
    for (auto _ : state) {
        state.PauseTiming();
        ++tick;
        bodies.clear();
        for (int d = 1; d <= kPanels; ++d) {
            bodies.push_back(quoteListBody(d, tick));
        }
        state.ResumeTiming();
        // Each panel's reply arrives on its own and is shown at once, as on the screen.
        HQDataAnalysis analysis;
        for (const auto& body : bodies) {
            auto data = analysis.analysisData("allyikoujia", body, 0);
            catalogue.applyQuotes(0, std::get<std::vector<std::shared_ptr<YiKouJia>>>(*data));
            benchmark::DoNotOptimize(catalogue.quoteTable());
            VKJYCommodityCell::refreshVisibleRows(table, catalogue);
            std::vector<std::shared_ptr<YiKouJia>> watchQuotes;
            for (const auto& c : watched) {
                watchQuotes.push_back(catalogue.currentYiKouJia(*c));
            }
            tiles.setYikoujiaArray(watchQuotes);
            table.layoutIfNeeded();
        }
    }
}
BENCHMARK(BM_RefreshTickOf500Commodities)->Unit(benchmark::kMicrosecond);
