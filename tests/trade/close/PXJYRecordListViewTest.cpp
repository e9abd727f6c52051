#include <gtest/gtest.h>

#include "base/UIColorJudgeDataColor.h"
#include "platform/ui/Label.h"
#include "platform/ui/TableViewCell.h"
#include "trade/close/PXJYHuiZongListView.h"
#include "trade/close/PXJYWeiTuoListView.h"
#include "trade/common/PXTradeViewKit.h"

namespace {

// The value label of a row: the second label of its content.
Color valueColour(PXJYRecordListView& list, int row) {
    auto cell = list.cellForRow(*list.listView(), IndexPath{0, row});
    const auto views = cell->contentView()->subviews();
    return static_cast<Label*>(views.at(1))->textColor();
}

TEST(PXJYRecordListView, onlyTheClassesColouredRowTakesTheColourOfItsSign) {
    PXJYHuiZongListView list({0, 0, 320, 400});
    list.creatListView();
    list.setExplanationArray({"商 品:", "r1", "r2", "r3", "r4", "r5", "实时盈亏:", "已交订金"});
    const std::pair<std::string, Color> cases[] = {
        {"-3.50", UIColorJudgeDataColor::getLableColorWithData(-1.0)},
        {"12.00", UIColorJudgeDataColor::getLableColorWithData(1.0)},
        {"0.00", Color::whiteColor()},
        {"--", Color::whiteColor()}};
    for (const auto& [value, colour] : cases) {
        list.setDataArray({"白银", "购入", "2", "5189", "5190", value, value, "100.00"});
        list.listView()->reloadData();
        EXPECT_EQ(valueColour(list, 6), colour) << value;
        EXPECT_EQ(valueColour(list, 5), PXTradeViewKit::valueGrey()) << value;
    }
}

TEST(PXJYRecordListView, anOrderListColoursNothingAndAnEmptyListHasNoRows) {
    PXJYWeiTuoListView list({0, 0, 320, 400});
    list.creatListView();
    EXPECT_EQ(list.numberOfRows(*list.listView(), 0), 0);
    list.setExplanationArray({"单 号:", "盈亏"});
    list.setDataArray({"1001", "-5"});
    list.listView()->reloadData();
    EXPECT_EQ(list.numberOfRows(*list.listView(), 0), 2);
    EXPECT_EQ(valueColour(list, 1), PXTradeViewKit::valueGrey());
}

}  // namespace
