#include <gtest/gtest.h>

#include "base/UIButton_indexPath.h"
#include "base/UIViewFrame.h"
#include "platform/ui/UiFixture.h"

namespace {

TEST(UIViewFrameTest, shouldReadBottomHeightAndWidthOfTheFrame) {
    View view(Rect{10, 44, 300, 216});
    EXPECT_EQ(UIViewFrame::bottom(view), 260);
    EXPECT_EQ(UIViewFrame::height(view), 216);
    EXPECT_EQ(UIViewFrame::width(view), 300);
}

class RowButtons : public UiTest {};

TEST_F(RowButtons, shouldHandTheirRowBackToTheAction) {
    std::vector<int> tappedRows;
    for (int row = 0; row < 3; ++row) {
        auto button = UIButton_indexPath::buttonWithType(Button::Type::Custom);
        button->setFrame({250, 10.0 + 60 * row, 52, 24});
        button->setIndexPath({0, row});
        button->addTarget(TouchUpInside, [&](Control& sender) {
            tappedRows.push_back(static_cast<UIButton_indexPath&>(sender).indexPath().row);
        });
        add(std::move(button));
    }
    driver.tapAt({270, 20 + 120});
    driver.tapAt({270, 20});
    EXPECT_EQ(tappedRows, (std::vector<int>{2, 0}));
}

}  // namespace
