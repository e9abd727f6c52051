#include "MarketFixture.h"

#include "market/VKJYCommodityCell.h"
#include "market/VKJYCustomButton.h"
#include "market/VKJYMarketChartController.h"
#include "market/VKJYMarketDataRoad.h"
#include "market/VKJYMarketHeaderView.h"
#include "market/VKJYMarketScreens.h"
#include "market/VKJYMarketUIViewController.h"
#include "market/VKJYWatchList.h"
#include "platform/foundation/PropertyList.h"
#include "platform/foundation/UserDefaults.h"
#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/TabBarController.h"
#include "shell/VKJYTabBarHelper.h"
#include "shell/VKJYTabRootFactory.h"

MarketTest::MarketTest(Size screenSize) : ShellTest(screenSize) {
    VKJYMarketUIViewController::registerAsMarketRoot();
    registerVKJYMarketScreens();
}

MarketTest::~MarketTest() {
    VKJYTabRootFactory::setMarketRootMaker(nullptr);
}

void MarketTest::launchToList(const std::string& vkAppName) {
    ASSERT_TRUE(launchToTabBar(vkAppName));
    ASSERT_TRUE(runUntilListShows());
}

bool MarketTest::launchToTabBar(const std::string& vkAppName) {
    setGuideShown();
    UserDefaults::standardUserDefaults().setBool(false, VKJYMarketUIViewController::kShowHelpKey);
    launch(vkAppName);
    return runUntilTabBar();
}

void MarketTest::quit() {
    driver.settle();
    app.setDelegate(nullptr);
    delegate.reset();
    driver.settle();
}

VKJYMarketUIViewController* MarketTest::market() const {
    auto* tabs = delegate ? delegate->tabBarHelper().tabBarController() : nullptr;
    if (!tabs || tabs->viewControllers().empty()) {
        return nullptr;
    }
    auto* stack = dynamic_cast<NavigationController*>(tabs->viewControllers().front());
    if (!stack || stack->viewControllers().empty()) {
        return nullptr;
    }
    return dynamic_cast<VKJYMarketUIViewController*>(stack->viewControllers().front());
}

bool MarketTest::listShows() const {
    auto* screen = market();
    if (!screen || !screen->isViewLoaded() ||
        !driver.isVisible(screen->CommodityInfoListTableView())) {
        return false;
    }
    // A tall watch grid can push the first row below the screen.
    TableView* table = screen->CommodityInfoListTableView();
    if (table->numberOfSections() < 2 || table->numberOfRows(1) == 0) {
        return false;
    }
    const Point offset = table->contentOffset();
    table->scrollToRow({1, 0}, TableViewScrollPosition::Middle, false);
    auto* cell = dynamic_cast<VKJYCommodityCell*>(table->cellForRow({1, 0}));
    const bool priced = cell && cell->commodityPriceLabel()->text() != "--";
    table->setContentOffset(offset);
    return priced;
}

bool MarketTest::runUntilListShows(double seconds) {
    return driver.runUntil([this] { return listShows(); }, seconds);
}

std::vector<std::string> MarketTest::sectionTitles() const {
    std::vector<std::string> titles;
    TableView* table = market()->CommodityInfoListTableView();
    for (int s = 1; s < table->numberOfSections(); ++s) {
        table->scrollToRow({s, 0}, TableViewScrollPosition::Top, false);
        View* header = table->headerView(s);
        std::vector<std::string> texts;
        for (View* v : header ? header->subviews() : std::vector<View*>{}) {
            if (auto* label = dynamic_cast<Label*>(v)) {
                texts.push_back(label->text());
            }
        }
        titles.push_back(texts.size() == 5 ? texts[0] + "|" + texts[4] : "?");
    }
    table->setContentOffset({0, 0});
    return titles;
}

std::vector<std::string> MarketTest::rowNames(int section) const {
    std::vector<std::string> names;
    TableView* table = market()->CommodityInfoListTableView();
    for (int r = 0; r < table->numberOfRows(section); ++r) {
        table->scrollToRow({section, r}, TableViewScrollPosition::Middle, false);
        auto* cell = dynamic_cast<VKJYCommodityCell*>(table->cellForRow({section, r}));
        names.push_back(cell ? cell->commodityNameLabel()->text() : "?");
    }
    return names;
}

std::string MarketTest::priceText(int section, int row) const {
    TableView* table = market()->CommodityInfoListTableView();
    table->scrollToRow({section, row}, TableViewScrollPosition::Middle, false);
    auto* cell = dynamic_cast<VKJYCommodityCell*>(table->cellForRow({section, row}));
    return cell ? cell->commodityPriceLabel()->text() : "?";
}

std::vector<std::string> MarketTest::tileNames() const {
    std::vector<std::string> names;
    VKJYMarketHeaderView* header = market()->headView();
    for (std::size_t i = 0; header && header->tile(i); ++i) {
        names.push_back(header->tile(i)->CommodityNameLabel()->text());
    }
    return names;
}

std::string MarketTest::swipeAndPress(int section, int row, bool settle) {
    TableView* table = market()->CommodityInfoListTableView();
    table->scrollToRow({section, row}, TableViewScrollPosition::Middle, false);
    const Rect frame = table->convertRect(table->rectForRow({section, row}), nullptr);
    driver.swipe({280, frame.midY()}, {100, frame.midY()});
    TableViewCell* cell = table->cellForRow({section, row});
    Button* button = cell ? cell->deleteButton() : nullptr;
    if (!button) {
        return "";
    }
    const std::string title = button->currentTitle();
    driver.tap(button);
    if (settle) {
        driver.settle();
    }
    return title;
}

bool MarketTest::runUntilPricesMove(int section, int row, double seconds) {
    const std::string before = priceText(section, row);
    return driver.runUntil([&] { return priceText(section, row) != before; }, seconds);
}

void MarketTest::advanceSimulator(int seconds) {
    sim.clock().advance(static_cast<int64_t>(seconds) * 1000);
}

std::vector<Label*> MarketTest::toastLabels() const {
    std::vector<Label*> toasts;
    for (View* v : market()->view()->subviews()) {
        auto* label = dynamic_cast<Label*>(v);
        if (label && label->frame().x == 100 && label->frame().y == 180) {
            toasts.push_back(label);
        }
    }
    return toasts;
}

std::string MarketTest::toastText() const {
    const auto toasts = toastLabels();
    return toasts.empty() ? "" : toasts.back()->text();
}

void MarketTest::writeWatchFile(const std::vector<std::string>& keys) {
    PropertyList list = PropertyList::array();
    for (const auto& key : keys) {
        list.append(key);
    }
    ASSERT_TRUE(list.writeFile(VKJYWatchList::filePath()));
}

ViewController* MarketTest::topScreen() const {
    auto* list = market();
    auto* stack = list ? list->navigationController() : nullptr;
    return stack ? stack->topViewController() : nullptr;
}

VKJYMarketChartController* MarketTest::openQuoteScreen(int section, int row) {
    driver.runUntil([&] { return market()->dataRoad().isTimeEnd(); }, 10);
    if (!driver.tapRow(*market()->CommodityInfoListTableView(), {section, row})) {
        return nullptr;
    }
    auto* screen = dynamic_cast<VKJYMarketChartController*>(topScreen());
    const bool shows =
        screen &&
        driver.runUntil(
            [&] { return screen->isAppeared() && screen->yikoujiaLabel()->text() != "--"; }, 10);
    return shows ? screen : nullptr;
}
