#include "UiFixture.h"
#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "platform/ui/TableView.h"

namespace {

// Two sections of commodity rows; the watch section's rows can be removed by swiping.
class Commodities : public TableViewDataSource, public TableViewDelegate {
public:
    std::vector<std::vector<std::string>> rows{{"白银", "黄金"}, {}};
    int made = 0;
    int asked = 0;
    bool keyed = false;
    CallLog log;

    Commodities() {
        for (int i = 0; i < 40; ++i) {
            rows[1].push_back("商品" + std::to_string(i));
        }
    }
    int numberOfSections(TableView&) override { return static_cast<int>(rows.size()); }
    int numberOfRows(TableView&, int section) override {
        return static_cast<int>(rows[static_cast<std::size_t>(section)].size());
    }
    std::shared_ptr<TableViewCell> cellForRow(TableView& table, IndexPath ip) override {
        ++asked;
        auto cell = table.dequeueReusableCell("Cell");
        if (!cell) {
            ++made;
            cell = std::make_shared<TableViewCell>(TableViewCell::Style::Default, "Cell");
            Label* name = cell->textLabel();
            cell->contentView()->addSubview(
                button("买", [this, name] { log.add("buy " + name->text()); }));
        }
        cell->textLabel()->setText(
            rows[static_cast<std::size_t>(ip.section)][static_cast<std::size_t>(ip.row)]);
        return cell;
    }
    std::string keyForRow(TableView&, IndexPath ip) override {
        return keyed ? rows[static_cast<std::size_t>(ip.section)][static_cast<std::size_t>(ip.row)]
                     : std::string();
    }
    std::shared_ptr<View> viewForHeader(TableView& table, int section) override {
        auto header = table.dequeueReusableHeaderView("Header");
        if (!header) {
            header = std::make_shared<TableViewHeaderFooterView>("Header");
            header->setBackgroundColor(Color::rgb(59, 59, 71));
            header->addSubview(std::make_unique<Label>(Rect{0, 0, 250, 30}));
            header->addSubview(button("展开", [this, title = header->subviews().front()] {
                log.add("open " + ScreenDriver::textOf(title));
            }));
        }
        static_cast<Label*>(header->subviews().front())->setText(section == 0 ? "自选" : "全部");
        return header;
    }
    static std::unique_ptr<Button> button(const std::string& title, std::function<void()> act) {
        auto button = std::make_unique<Button>(Rect{260, 0, 60, 30});
        button->setTitle(title);
        button->addTarget(TouchUpInside, [act](Control&) { act(); });
        return button;
    }
    std::optional<double> heightForHeader(TableView&, int) override { return 30; }
    std::optional<double> heightForRow(TableView&, IndexPath ip) override {
        return ip.section == 0 ? 60 : 44;
    }
    void didSelectRow(TableView&, IndexPath ip) override {
        log.add("select " + std::to_string(ip.section) + "." + std::to_string(ip.row));
    }
    bool canEditRow(TableView&, IndexPath ip) override { return ip.section == 0; }
    std::string titleForDeleteConfirmationButton(TableView&, IndexPath) override { return "添加"; }
    void willBeginEditingRow(TableView&, IndexPath ip) override {
        log.add("willBegin " + std::to_string(ip.row));
    }
    void didEndEditingRow(TableView&, IndexPath ip) override {
        log.add("didEnd " + std::to_string(ip.row));
    }
    void commitEditingStyle(TableView& table, TableViewCellEditingStyle, IndexPath ip) override {
        log.add("commit " + std::to_string(ip.row));
        auto& watch = rows[0];
        watch.erase(watch.begin() + ip.row);
        table.reloadData();
    }
};

}  // namespace

class Tables : public UiTest {
protected:
    Tables() {
        table = add(std::make_unique<TableView>(Rect{0, 64, 320, 440}));
        table->setDataSource(&data);
        table->setDelegate(&data);
        table->layoutIfNeeded();
    }
    TableView* table;
    Commodities data;
};

TEST_F(Tables, shouldLayOutSectionsHeadersAndRows) {
    EXPECT_EQ(table->numberOfSections(), 2);
    EXPECT_EQ(table->numberOfRows(1), 40);
    EXPECT_EQ(table->rectForRow({0, 1}), (Rect{0, 90, 320, 60}));
    EXPECT_EQ(table->rectForHeader(1), (Rect{0, 150, 320, 30}));
    EXPECT_EQ(table->rectForRow({1, 0}).y, 180);
    EXPECT_EQ(table->contentSize().height, 180 + 40 * 44);
    ASSERT_NE(driver.viewWithText("黄金"), nullptr);
    ASSERT_NE(driver.viewWithText("全部"), nullptr);
}

TEST_F(Tables, shouldAskOnlyForVisibleRowsAndReuseCells) {
    int visible = static_cast<int>(table->visibleCells().size());
    EXPECT_LT(visible, 15);
    EXPECT_EQ(data.asked, visible);
    for (double y = 0; y <= 900; y += 20) {
        table->setContentOffset({0, y});
        table->layoutIfNeeded();
    }
    EXPECT_EQ(table->cellForRow({0, 0}), nullptr);
    EXPECT_NE(table->cellForRow({1, 20}), nullptr);
    // Never more cells than fit on screen at once, however far it scrolls.
    EXPECT_LE(data.made, 12);
    EXPECT_GT(data.asked, 2 * data.made);
    EXPECT_EQ(driver.viewWithText("白银"), nullptr);
}

TEST_F(Tables, shouldKeepSectionHeaderAtTopWhileItsRowsScrollUnder) {
    table->setContentOffset({0, 400});
    table->layoutIfNeeded();
    EXPECT_EQ(table->headerView(1)->frame().y, 400);
    table->setContentOffset({0, 100});
    table->layoutIfNeeded();
    EXPECT_EQ(table->headerView(1)->frame().y, 150);
}

TEST_F(Tables, shouldKeepSectionHeaderAtTheTopShiftedByTheTopInset) {
    table->setContentOffset({0, 400});
    table->setContentInset({-30, 0, 0, 0});
    table->layoutIfNeeded();
    EXPECT_EQ(table->headerView(1)->frame().y, 370);
    table->setContentInset({20, 0, 0, 0});
    table->layoutIfNeeded();
    EXPECT_EQ(table->headerView(1)->frame().y, 420);
}

TEST_F(Tables, shouldSelectTappedRowAndTellDelegate) {
    ASSERT_TRUE(driver.tapText("黄金"));
    EXPECT_EQ(data.log.calls, (std::vector<std::string>{"select 0.1"}));
    EXPECT_EQ(table->indexPathForSelectedRow(), (IndexPath{0, 1}));
    EXPECT_TRUE(table->cellForRow({0, 1})->isSelected());
    table->deselectRow({0, 1}, false);
    EXPECT_FALSE(table->cellForRow({0, 1})->isSelected());
}

TEST_F(Tables, shouldScrollByDraggingWithoutSelecting) {
    driver.drag({160, 400}, {160, 200});
    EXPECT_TRUE(data.log.calls.empty());
    EXPECT_NEAR(table->contentOffset().y, 200, 1);
}

TEST_F(Tables, shouldSpringBackAfterDraggingPastTheEnd) {
    class Watcher : public Commodities {
    public:
        double releasedAt = 0;
        void scrollViewDidEndDragging(ScrollView& s, bool) override {
            releasedAt = s.contentOffset().y;
        }
    } watcher;
    table->setDataSource(&watcher);
    table->setDelegate(&watcher);
    driver.drag({160, 200}, {160, 400});
    EXPECT_LT(watcher.releasedAt, -50);
    EXPECT_EQ(table->contentOffset().y, 0);
}

TEST_F(Tables, shouldScrollToRowFromCode) {
    table->scrollToRow({1, 30}, TableViewScrollPosition::Top, false);
    EXPECT_EQ(table->contentOffset().y, table->rectForRow({1, 30}).y);
    EXPECT_NE(table->cellForRow({1, 30}), nullptr);
}

TEST_F(Tables, shouldShowCustomDeleteButtonOnSwipeAndCommitOnTap) {
    Rect row = table->convertRect(table->rectForRow({0, 0}), nullptr);
    driver.swipe({280, row.midY()}, {120, row.midY()});
    ASSERT_EQ(table->editingRow(), (IndexPath{0, 0}));
    Button* button = table->cellForRow({0, 0})->deleteButton();
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->currentTitle(), "添加");
    ASSERT_TRUE(driver.tap(button));
    EXPECT_EQ(data.log.calls, (std::vector<std::string>{"willBegin 0", "commit 0", "didEnd 0"}));
    EXPECT_EQ(table->numberOfRows(0), 1);
    EXPECT_FALSE(table->editingRow());
}

TEST_F(Tables, shouldCloseDeleteButtonOnTapElsewhereWithoutSelecting) {
    Rect row = table->convertRect(table->rectForRow({0, 1}), nullptr);
    driver.swipe({280, row.midY()}, {120, row.midY()});
    ASSERT_TRUE(table->editingRow());
    driver.tapText("白银");
    EXPECT_EQ(data.log.calls, (std::vector<std::string>{"willBegin 1", "didEnd 1"}));
    EXPECT_EQ(table->cellForRow({0, 1})->deleteButton(), nullptr);
}

TEST_F(Tables, shouldNotOfferDeleteOnRowsThatCannotBeEdited) {
    Rect row = table->convertRect(table->rectForRow({1, 0}), nullptr);
    driver.swipe({280, row.midY()}, {120, row.midY()});
    EXPECT_FALSE(table->editingRow());
}

TEST_F(Tables, shouldDropSelectionThatNoLongerExistsOnReload) {
    table->selectRow({1, 39}, false, TableViewScrollPosition::None);
    data.rows[1].resize(3);
    table->reloadData();
    EXPECT_FALSE(table->indexPathForSelectedRow());
}

TEST_F(Tables, shouldCloseDeleteButtonWhenTheListScrolls) {
    Rect row = table->convertRect(table->rectForRow({0, 0}), nullptr);
    driver.swipe({280, row.midY()}, {120, row.midY()});
    ASSERT_TRUE(table->editingRow());
    driver.drag({160, 400}, {160, 250});
    EXPECT_FALSE(table->editingRow());
    EXPECT_EQ(data.log.calls.back(), "didEnd 0");
}

TEST_F(Tables, shouldNarrowContentForAccessoryAndPaintNoHighlightWhenAsked) {
    TableViewCell cell(TableViewCell::Style::Default, "Cell");
    cell.setFrame({0, 0, 320, 44});
    cell.setAccessoryType(TableViewCell::AccessoryType::DisclosureIndicator);
    cell.layoutIfNeeded();
    EXPECT_EQ(cell.contentView()->frame().width, 320 - TableViewCell::kAccessoryWidth);

    auto* plain = table->cellForRow({0, 0});
    plain->setSelectionStyle(TableViewCell::SelectionStyle::None);
    plain->setBackgroundColor(Color::whiteColor());
    table->selectRow({0, 0}, false, TableViewScrollPosition::None);
    Point inside = table->convertPoint({300, table->rectForRow({0, 0}).midY()}, nullptr);
    EXPECT_TRUE(near(screen.colorAt(inside), 255, 255, 255));
}

TEST_F(Tables, shouldLetDriverTapRowFarDownTheList) {
    ASSERT_TRUE(driver.tapRow(*table, {1, 35}));
    EXPECT_EQ(data.log.calls, (std::vector<std::string>{"select 1.35"}));
    EXPECT_FALSE(driver.tapRow(*table, {1, 99}));
}

// A refresh reloads while the finger is down: the button under it is the same one after.
TEST_F(Tables, shouldActOnAButtonPressedAcrossAReload) {
    auto pressAcrossAReload = [this](View* pressed) {
        driver.longPress(driver.visibleRect(pressed).center(), 0, [this] {
            table->reloadData();
            driver.settle();
        });
    };
    pressAcrossAReload(table->cellForRow({0, 0})->contentView()->subviews().back());
    pressAcrossAReload(table->headerView(1)->subviews().back());
    EXPECT_EQ(data.log.calls, (std::vector<std::string>{"buy 白银", "open 全部"}));
}

// Rows move under the finger: the press follows what its row showed, and ends with it.
TEST_F(Tables, shouldSelectThePressedItemWhereverAReloadMovesIt) {
    data.keyed = true;
    auto pressWhileGoing = [this](IndexPath pressed, int gone) {
        driver.longPress(driver.visibleRect(table->cellForRow(pressed)).center(), 0, [=, this] {
            auto& rows = data.rows[static_cast<std::size_t>(pressed.section)];
            rows.erase(rows.begin() + gone);
            table->reloadData();
            driver.settle();
        });
    };
    pressWhileGoing({1, 1}, 0);
    pressWhileGoing({1, 1}, 1);
    // The last row of its section goes from under the finger with the one above.
    pressWhileGoing({0, 1}, 0);
    EXPECT_EQ(data.log.calls, (std::vector<std::string>{"select 1.0", "select 0.0"}));
}

TEST_F(Tables, shouldShowNoRowsAndCallNothingOnceItsDataSourceAndDelegateAreGone) {
    auto gone = std::make_unique<Commodities>();
    auto* other = add(std::make_unique<TableView>(Rect{0, 64, 320, 440}));
    other->setDataSource(gone.get());
    other->setDelegate(gone.get());
    other->layoutIfNeeded();
    ASSERT_EQ(other->numberOfRows(1), 40);
    gone.reset();
    other->reloadData();
    other->layoutIfNeeded();
    driver.drag({160, 400}, {160, 200});
    EXPECT_EQ(other->dataSource(), nullptr);
    EXPECT_EQ(other->tableDelegate(), nullptr);
    EXPECT_EQ(other->numberOfSections(), 0);
}
