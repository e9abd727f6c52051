#include <gtest/gtest.h>

#include "MarketFixture.h"
#include "market/VKJYEditChooseCommodityCell.h"
#include "market/VKJYMarketCommodityEditController.h"
#include "market/VKJYMarketDataRoad.h"
#include "market/VKJYMarketUIViewController.h"
#include "market/VKJYWatchList.h"
#include "platform/foundation/UserDefaults.h"
#include "platform/ui/Button.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Label.h"
#include "platform/ui/TableView.h"
#include "quote/QuoteRecords.h"
#include "quote/VKJYHangQingDataClass.h"
#include "shell/VKJYNavigationBarView.h"

namespace {
constexpr int kCommodityListProtocol = 11;

class EditorTest : public MarketTest {
protected:
    explicit EditorTest(Size size = {320, 568}) : MarketTest(size) {}

    void openEditor() {
        launchToList();
        enterEditor();
    }

    void enterEditor() {
        ASSERT_TRUE(driver.tapText("增减商品"));
        driver.settle();
        editor = dynamic_cast<VKJYMarketCommodityEditController*>(topScreen());
        ASSERT_NE(editor, nullptr);
        ASSERT_TRUE(driver.isVisible(editor->CommodityTableview()));
    }

    VKJYEditChooseCommodityCell* row(IndexPath indexPath) const {
        TableView* table = editor->CommodityTableview();
        table->scrollToRow(indexPath, TableViewScrollPosition::Middle, false);
        return dynamic_cast<VKJYEditChooseCommodityCell*>(table->cellForRow(indexPath));
    }

    bool tapRow(IndexPath indexPath) {
        return driver.tapRow(*editor->CommodityTableview(), indexPath);
    }

    VKJYMarketCommodityEditController* editor = nullptr;
};

class ShortEditorTest : public EditorTest {
protected:
    ShortEditorTest() : EditorTest({320, 480}) {}
};
}  // namespace

TEST_F(EditorTest, shouldAddAndRemoveEntriesAndShowThemInTheListAfterGoingBack) {
    openEditor();
    EXPECT_EQ(editor->navView()->title()->text(), "编辑自选");
    const auto before = editor->chooseCommodityIDArray();
    ASSERT_EQ(before.size(), 2u);
    EXPECT_TRUE(driver.saveSnapshot(snapshotPath("editor-568")));

    // Panel 1 lists AG, AU, CU, NI, PT, zn: platinum is the fifth row.
    auto* platinum = row({0, 4});
    ASSERT_NE(platinum, nullptr);
    const std::string added = VKJYWatchList::keyOf(*platinum->CommodityInfo());
    ASSERT_FALSE(platinum->isChosen());
    ASSERT_TRUE(tapRow({0, 4}));
    EXPECT_TRUE(row({0, 4})->isChosen());
    EXPECT_EQ(row({0, 4})->commodityNameLabel()->textColor(), Color::whiteColor());
    EXPECT_EQ(VKJYWatchList::readFile(), before) << "nothing is written before leaving";

    const std::string removed = before.front();
    IndexPath watched{-1, -1};
    for (int r = 0; r < editor->CommodityTableview()->numberOfRows(0); ++r) {
        if (VKJYWatchList::keyOf(*row({0, r})->CommodityInfo()) == removed) {
            watched = {0, r};
        }
    }
    ASSERT_GE(watched.row, 0);
    ASSERT_TRUE(tapRow(watched));
    EXPECT_FALSE(row(watched)->isChosen());

    ASSERT_TRUE(driver.tap(editor->navView()->backButton()));
    ASSERT_TRUE(driver.runUntil([&] { return topScreen() == market(); }, 5));
    const auto keys = VKJYWatchList::readFile();
    EXPECT_EQ(keys, (std::vector<std::string>{before[1], added}));
    ASSERT_TRUE(driver.runUntil([&] { return tileNames().size() == 2; }, 5));
    EXPECT_EQ(tileNames().back(), "铂金");
}

// The second tap lands where the editor's first row is sliding in: it reaches nothing.
TEST_F(EditorTest, shouldNotEditTheListWithTheSecondTapOfADoubleTapThatOpensIt) {
    launchToList();
    const auto before = VKJYWatchList::readFile();
    View* add = driver.viewWithText("增减商品");
    ASSERT_NE(add, nullptr);
    driver.tapAt(driver.visibleRect(add).center(), 2);
    driver.settle();
    editor = dynamic_cast<VKJYMarketCommodityEditController*>(topScreen());
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->chooseCommodityIDArray(), before);
    ASSERT_TRUE(driver.tap(editor->navView()->backButton()));
    ASSERT_TRUE(driver.runUntil([&] { return topScreen() == market(); }, 5));
    EXPECT_EQ(VKJYWatchList::readFile(), before);
}

TEST_F(EditorTest, shouldRefuseANinthEntryUntilOneIsRemoved) {
    launchToList();
    std::vector<std::string> keys;
    for (int s = 1; s < market()->commodityInfoArrayCount(); ++s) {
        for (const auto& commodity : *market()->getCommodityInfoArrayBySection(s)) {
            if (keys.size() < 7) {
                keys.push_back(VKJYWatchList::keyOf(*commodity));
            }
        }
    }
    ASSERT_EQ(keys.size(), 7u);
    writeWatchFile(keys);
    VKJYHangQingDataClass::current()->setHQChooseCommodityIDArray(keys);
    market()->initChooseCommodity();
    enterEditor();
    ASSERT_EQ(editor->chooseCommodityIDArray().size(), 7u);
    ASSERT_TRUE(tapRow({0, 0}));
    EXPECT_EQ(editor->chooseCommodityIDArray().size(), 8u);
    ASSERT_TRUE(tapRow({0, 1}));
    ASSERT_NE(driver.visibleAlert(), nullptr);
    EXPECT_NE(driver.viewWithText("商品个数已达上限"), nullptr);
    ASSERT_TRUE(driver.tapAlertButton("确定"));
    EXPECT_FALSE(row({0, 1})->isChosen());
    EXPECT_EQ(editor->chooseCommodityIDArray().size(), 8u);
    ASSERT_TRUE(tapRow({0, 0}));
    ASSERT_TRUE(tapRow({0, 1}));
    EXPECT_TRUE(row({0, 1})->isChosen());
    EXPECT_EQ(driver.visibleAlert(), nullptr);
}

TEST_F(EditorTest, shouldNameEachSectionAfterThePanelItLists) {
    openEditor();
    TableView* table = editor->CommodityTableview();
    ASSERT_EQ(table->numberOfSections(), market()->commodityInfoArrayCount());
    for (int s = 0; s < table->numberOfSections(); ++s) {
        table->scrollToRow({s, 0}, TableViewScrollPosition::Top, false);
        View* header = table->headerView(s);
        ASSERT_NE(header, nullptr) << s;
        EXPECT_EQ(table->numberOfRows(s),
                  static_cast<int>(market()->getCommodityInfoArrayBySection(s)->size()));
    }
    table->scrollToRow({0, 0}, TableViewScrollPosition::Top, false);
    std::vector<std::string> texts;
    for (View* v : table->headerView(0)->subviews()) {
        texts.push_back(ScreenDriver::textOf(v));
    }
    EXPECT_EQ(texts, (std::vector<std::string>{"华东现货", "实盘"}));
}

TEST_F(ShortEditorTest, shouldFitTheEditorOnTheShortScreen) {
    openEditor();
    const Rect table = editor->CommodityTableview()->frame();
    EXPECT_EQ(table.y + table.height, 480);
    editor->CommodityTableview()->setContentOffset({0, 200});
    driver.settle();
    EXPECT_TRUE(driver.saveSnapshot(snapshotPath("editor-scrolled-480")));
}

TEST_F(EditorTest, shouldHideTheTabBarOnlyWhileTheEditorIsShown) {
    openEditor();
    EXPECT_FALSE(tabBarVisible());
    ASSERT_TRUE(driver.tap(editor->navView()->backButton()));
    ASSERT_TRUE(driver.runUntil([&] { return topScreen() == market(); }, 5));
    EXPECT_TRUE(tabBarVisible()) << "the market list came back without its tab bar";
    EXPECT_TRUE(driver.saveSnapshot(snapshotPath("market-after-editor-568")));
    // And the editor again, for a second way in and out.
    ASSERT_NO_FATAL_FAILURE(enterEditor());
    EXPECT_FALSE(tabBarVisible());
    ASSERT_TRUE(driver.tap(editor->navView()->backButton()));
    ASSERT_TRUE(driver.runUntil([&] { return topScreen() == market(); }, 5));
    EXPECT_TRUE(tabBarVisible());
}

TEST_F(ShortEditorTest, shouldGiveTheTabBarBackOnTheShortScreen) {
    openEditor();
    ASSERT_TRUE(driver.tap(editor->navView()->backButton()));
    ASSERT_TRUE(driver.runUntil([&] { return topScreen() == market(); }, 5));
    EXPECT_TRUE(tabBarVisible());
    EXPECT_TRUE(driver.saveSnapshot(snapshotPath("market-after-editor-480")));
}

// Server 1 answers one of its two panels' commodity lists with a return code, so silver coins
// (8_1) or spot silver (10_1) are not listed; a key that names nothing (999_0) is not either.
// All of them stay in the file.
TEST_F(EditorTest, shouldKeepTheKeysOfCommoditiesNotListedWhenItSaves) {
    UserDefaults::standardUserDefaults().setBool(true,
                                                 VKJYMarketUIViewController::kEverLaunchedKey);
    writeWatchFile({"8_1", "1_0", "999_0", "10_1"});
    sim.quoteServer(1).answerSessionLostOnce(kCommodityListProtocol);
    launchToList();
    ASSERT_TRUE(driver.runUntil([&] { return !market()->dataRoad().isBusy(); }, 10));
    ASSERT_EQ(tileNames().size(), 2u);
    ASSERT_EQ(tileNames().front(), "白银");
    enterEditor();
    auto* gold = row({0, 1});
    ASSERT_NE(gold, nullptr);
    ASSERT_EQ(gold->CommodityInfo()->CommodityName, "黄金");
    ASSERT_TRUE(tapRow({0, 1}));
    ASSERT_TRUE(driver.tap(editor->navView()->backButton()));
    ASSERT_TRUE(driver.runUntil([&] { return topScreen() == market(); }, 5));
    EXPECT_EQ(VKJYWatchList::readFile(),
              (std::vector<std::string>{"8_1", "1_0", "999_0", "10_1", "2_0"}));

    // Listed again after a restart, the unlisted commodity has its tile back.
    quit();
    launch();
    ASSERT_TRUE(runUntilTabBar());
    ASSERT_TRUE(runUntilListShows());
    EXPECT_EQ(tileNames(), (std::vector<std::string>{"白银", "黄金", "银币", "现货银"}));
}
