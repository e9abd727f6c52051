#include "platform/ui/Label.h"
#include "platform/ui/UiFixture.h"
#include "widgets/LoadMoreTableFooterView.h"
#include "widgets/LoadMoreTableView.h"

namespace {

// A paged list screen: table delegate, data source and pull delegate at once.
class PagedList : public TableViewDataSource,
                  public TableViewDelegate,
                  public LoadMoreTableViewDelegate {
public:
    int numberOfRows(TableView&, int) override { return rows; }
    std::shared_ptr<TableViewCell> cellForRow(TableView& table, IndexPath path) override {
        auto cell = table.dequeueReusableCell("row");
        if (!cell) {
            cell = std::make_shared<TableViewCell>(TableViewCell::Style::Default, "row");
        }
        cell->textLabel()->setText("记录 " + std::to_string(path.row + 1));
        return cell;
    }
    void loadMoreTableViewDidTriggerLoadMore(LoadMoreTableView& table) override {
        log.add(table.isLoadingMore() ? "load more while loading" : "load more while idle");
    }
    void loadMoreTableViewDidTriggerRefresh(LoadMoreTableView&) override { log.add("refresh"); }
    void scrollViewDidEndDragging(ScrollView&, bool) override { ++dragsEnded; }

    int rows = 20;
    int dragsEnded = 0;
    CallLog log;
};

class LoadMoreTables : public UiTest {
protected:
    LoadMoreTables() {
        table = add(std::make_unique<LoadMoreTableView>(Rect{0, 44, 320, 400}));
        table->setDataSource(&list);
        table->setDelegate(&list);
        table->setPullDelegate(&list);
        table->setShowsVerticalScrollIndicator(false);
        table->setBackgroundColor(Color::rgb(41, 41, 51));
        table->setSeparatorColor(Color::rgb(52, 53, 61));
        table->reloadData();
        driver.settle();
    }

    void scrollToEnd() {
        table->setContentOffset({0, table->maximumContentOffset().y});
        driver.settle();
    }
    // Drags the list up by `points` of finger travel inside the table and lets go.
    void pullUp(double points) {
        driver.drag({160, 420}, {160, 420 - points});
        driver.settle();
    }
    std::vector<std::string> triggers() const { return list.log.calls; }

    PagedList list;
    LoadMoreTableView* table = nullptr;
};

using Calls = std::vector<std::string>;

TEST_F(LoadMoreTables, shouldKeepTheFooterBelowTheLastRow) {
    EXPECT_EQ(table->footerView()->frame().y, 20 * 44.0);
    EXPECT_EQ(table->footerView()->prompt(), "上拉加载更多");
    list.rows = 3;
    table->reloadData();
    driver.settle();
    EXPECT_EQ(table->footerView()->frame().y, 400.0) << "a short list keeps it below the table";
}

TEST_F(LoadMoreTables, shouldTriggerOnceWhenPulledPastTheEndAndLetGo) {
    scrollToEnd();
    pullUp(200);
    EXPECT_EQ(triggers(), Calls{"load more while loading"})
        << "the footer is loading by the time the delegate hears of it";
    EXPECT_EQ(list.dragsEnded, 1) << "the caller still gets its own scroll calls";
    EXPECT_EQ(table->footerView()->prompt(), "正在加载...");
    EXPECT_TRUE(driver.isVisible(driver.viewWithText("正在加载...")));

    pullUp(200);
    EXPECT_EQ(triggers().size(), 1u) << "no second trigger while loading";

    table->setLoadMoreTableIsLoadingMore(false);
    driver.settle();
    EXPECT_FALSE(table->isLoadingMore());
    EXPECT_EQ(table->footerView()->prompt(), "上拉加载更多");
    scrollToEnd();
    pullUp(200);
    EXPECT_EQ(triggers().size(), 2u);
}

TEST_F(LoadMoreTables, shouldNotTriggerForAShortPullOrAPullInTheMiddle) {
    pullUp(200);
    scrollToEnd();
    pullUp(100);
    EXPECT_TRUE(triggers().empty()) << "100 points of travel pull the list 50 past its end";
    EXPECT_FALSE(table->isLoadingMore());
    EXPECT_EQ(table->footerView()->prompt(), "上拉加载更多");
}

TEST_F(LoadMoreTables, shouldAskToLetGoOnlyWhilePulledPastTheTrigger) {
    scrollToEnd();
    screen.sendTouches({{1, TouchPhase::Began, {160, 420}}}, 100.0);
    for (int step = 1; step <= 10; ++step) {
        screen.sendTouches({{1, TouchPhase::Moved, {160, 420 - 20.0 * step}}}, 100.0 + step * 0.02);
    }
    EXPECT_EQ(table->footerView()->prompt(), "松开即可加载更多");
    EXPECT_TRUE(triggers().empty()) << "nothing is sent before the finger lifts";
    screen.sendTouches({{1, TouchPhase::Ended, {160, 220}}}, 100.3);
    driver.settle();
    EXPECT_EQ(triggers().size(), 1u);
}

TEST_F(LoadMoreTables, shouldTriggerOnAShortListToo) {
    list.rows = 2;
    table->reloadData();
    driver.settle();
    pullUp(200);
    EXPECT_EQ(triggers().size(), 1u);
}

TEST_F(LoadMoreTables, shouldStartAndEndTheLoadingStateFromCodeWithoutTelling) {
    table->setLoadMoreTableIsLoadingMore(true);
    EXPECT_TRUE(table->isLoadingMore());
    EXPECT_EQ(table->footerView()->prompt(), "正在加载...");
    const double insetWhileLoading = table->contentInset().bottom;
    table->setLoadMoreTableIsLoadingMore(true);
    EXPECT_EQ(table->contentInset().bottom, insetWhileLoading) << "a second YES does nothing";
    table->setLoadMoreTableIsLoadingMore(false);
    table->setLoadMoreTableIsLoadingMore(false);
    EXPECT_FALSE(table->isLoadingMore());
    EXPECT_EQ(table->contentInset().bottom, 0.0);
    EXPECT_TRUE(triggers().empty());
}

TEST_F(LoadMoreTables, shouldShowTheLoadingFooterInASnapshot) {
    scrollToEnd();
    pullUp(200);
    ASSERT_TRUE(driver.saveSnapshot(std::string(VKJY_TEST_OUTPUT_DIR) + "/load-more.png"));
    const Rect footer = table->footerView()->convertRect(table->footerView()->bounds(), nullptr);
    EXPECT_LE(footer.maxY(), 444.5) << "the loading footer rests inside the table";
}

}  // namespace
