#include <gtest/gtest.h>

#include "ChartTestSupport.h"

using namespace charttest;

namespace {

std::vector<std::shared_ptr<KPeriodDataItem>> periods(int count) {
    std::vector<std::shared_ptr<KPeriodDataItem>> result;
    for (int i = 0; i < count; ++i) {
        auto period = std::make_shared<KPeriodDataItem>();
        period->periodID = static_cast<uint8_t>(i + 1);
        period->periodName = "P" + std::to_string(i + 1);
        result.push_back(period);
    }
    return result;
}

}  // namespace

TEST(TopBarLayout, shouldPlaceTheSwitchAtTheRightOfEachWideScreen) {
    for (const auto& [fourInch, width, switchX] :
         {std::tuple{false, 480.0, 395.0}, std::tuple{true, 568.0, 483.0}}) {
        const auto device = layout(kKLine, kWide, fourInch);
        const auto& top = *device->topRectInfo();
        EXPECT_EQ(top.navigationBarFrame, Rect(0, 0, width, 44));
        EXPECT_EQ(*top.backgroundColor, Color::rgb(41, 41, 51));
        EXPECT_EQ(top.buttonViewBackgroundImage->frame, Rect(switchX, 11, 74, 21));
        EXPECT_EQ(top.buttonViewBackgroundImage->image, "kxian-anniu.png");
        EXPECT_EQ(top.fenshiButton->frame, Rect(switchX, 11, 37, 21));
        EXPECT_EQ(top.fenshiButton->title, "分时");
        EXPECT_TRUE(top.fenshiButton->selectState);
        EXPECT_EQ(top.klineButton->frame, Rect(switchX + 37, 11, 37, 21));
        EXPECT_EQ(top.klineButton->title, "K线");
        EXPECT_EQ(*top.klineButton->font, Font::named("Arial", 12));
        EXPECT_EQ(top.topButtonSelectedImageView->frame, top.fenshiButton->frame);
        EXPECT_EQ(top.topButtonSelectedImageView->image, "kxian-anniu_press.png");
    }
}

TEST(TopBarLayout, shouldMoveTheSelectionMarkerUnderKLineWhenItIsSelected) {
    DeviceFacts facts(true);
    auto device = layout(kKLine, kWide, true);
    device->statusSaveClass()->FenShiButtonSelected = false;
    device->statusSaveClass()->KLineButtonSelected = true;
    device->setScreenState(kWide, kKLine);
    const auto& top = *device->topRectInfo();
    EXPECT_TRUE(top.klineButton->selectState);
    EXPECT_EQ(top.topButtonSelectedImageView->frame, top.klineButton->frame);
}

TEST(TopBarLayout, shouldDescribeTheCommodityTitleAndThePriceBox) {
    const auto device = layout(kFenShi, kWide, false);
    const auto& commodity = *device->topRectInfo()->commodityViewInfo;
    EXPECT_EQ(commodity.titleButton->frame, Rect(110, 11, 100, 24));
    EXPECT_EQ(*commodity.titleButton->font, Font::named("Arial", 15));
    EXPECT_EQ(commodity.backButton->frame, Rect(0, 6, 46, 31));
    EXPECT_EQ(commodity.backButton->titleImage, "hengping.png");
    EXPECT_EQ(commodity.listImageViewInfo->frame, Rect(190, 16, 12, 12));
    EXPECT_EQ(commodity.listImageViewInfo->image, "caidan.png");
    const auto& price = *device->topRectInfo()->yikoujiaViewInfo;
    EXPECT_EQ(price.viewFrame, Rect(230, 9, 120, 21));
    EXPECT_EQ(price.priceLabelInfo->frame, Rect(0, 0, 46, 21));
    EXPECT_EQ(*price.priceLabelInfo->font, Font::named("Arial", 18));
    EXPECT_EQ(price.addPriceLabelInfo->frame, Rect(66, 0, 40, 10));
    EXPECT_EQ(price.zhangfuLabelInfo->frame, Rect(66, 10, 40, 10));
    EXPECT_EQ(price.UpImageString, "yikoujiaUp.png");
    EXPECT_EQ(price.downImageString, "yikoujiaDown.png");
    EXPECT_EQ(price.normalImageString, "ping.png");
    EXPECT_EQ(price.imageFrame, Rect(48, 0, 16, 21));
}

TEST(PeriodBarLayout, shouldGiveEachCaseItsBarFrames) {
    struct Case {
        uint32_t state;
        bool fourInch;
        Rect frame;
        Rect quotaNormal;
        Rect quotaChoose;
        Rect scroll;
    };
    for (const Case& c : {Case{kNormal,
                               false,
                               {0, 0, 320, 33},
                               {235, 33, 45, 165},
                               {280, 0, 20, 33},
                               {10, 0, 270, 33}},
                          Case{kWide,
                               false,
                               {0, 44, 480, 33},
                               {370, 77, 70, 165},
                               {440, 0, 20, 33},
                               {20, 0, 420, 33}},
                          Case{kWide,
                               true,
                               {0, 44, 568, 33},
                               {434, 77, 80, 165},
                               {514, 0, 20, 33},
                               {34, 0, 480, 33}}}) {
        const auto device = layout(kKLine, c.state, c.fourInch);
        const auto& bar = *device->bottomRectInfo();
        EXPECT_EQ(bar.frame, c.frame);
        EXPECT_EQ(bar.periodFrame, Rect(0, 0, c.frame.width, 33));
        EXPECT_EQ(bar.quotaNormalFrame, c.quotaNormal);
        EXPECT_EQ(bar.quotaChooseFrame, c.quotaChoose);
        EXPECT_EQ(bar.periodScrollFrame, c.scroll);
        EXPECT_EQ(*bar.bgColor, Color::rgb(17, 17, 17));
    }
}

TEST(PeriodBarLayout, shouldHoldOnlyTheTimeSharingButtonWithoutPeriods) {
    const auto device = layout(kKLine, kNormal, true);
    const auto& buttons = device->bottomRectInfo()->periodButtonArray;
    ASSERT_EQ(buttons.size(), 1u);
    EXPECT_EQ(buttons[0]->title, "分时");
    EXPECT_EQ(buttons[0]->tag, 10000);
    EXPECT_EQ(buttons[0]->frame, Rect(0, 0, 45, 33));
    EXPECT_FALSE(buttons[0]->KPerioditem);
}

TEST(PeriodBarLayout, shouldStackButtonsFromTheSeventhOnInAColumn) {
    DeviceFacts facts(true);
    auto device = layout(kKLine, kWide, true);
    device->setPeriodButtonInfoArray(periods(7));
    device->setScreenState(kWide, kKLine);
    const auto& buttons = device->bottomRectInfo()->periodButtonArray;
    ASSERT_EQ(buttons.size(), 8u);
    EXPECT_EQ(buttons[1]->title, "P1");
    EXPECT_EQ(buttons[1]->KPerioditem, device->periodButtonInfoArray()[0]);
    EXPECT_EQ(buttons[5]->frame, Rect(400, 0, 80, 33));
    EXPECT_EQ(buttons[6]->tag, 10006);
    EXPECT_EQ(buttons[6]->frame, Rect(0, 0, 80, 33));
    EXPECT_EQ(buttons[7]->tag, 10007);
    EXPECT_EQ(buttons[7]->frame, Rect(0, 33, 80, 33));
    EXPECT_EQ(*buttons[7]->titleNormalColor, Color::rgb(102, 102, 102));
    EXPECT_EQ(*buttons[7]->titleSelectedColor, Color::whiteColor());
    EXPECT_EQ(*buttons[7]->font, Font::system(15));
}

TEST(PeriodBarLayout, shouldSizeButtonsByLayoutCode) {
    auto device = layout(kKLine, kNormal, false);
    for (const auto& [code, width] :
         {std::pair{2, 45.0}, std::pair{4, 70.0}, std::pair{6, 80.0}, std::pair{9, 45.0}}) {
        device->bottomRectInfo()->periodButtonArray.clear();
        device->setBottomButtonsWithArray(periods(2), code);
        EXPECT_EQ(device->bottomRectInfo()->periodButtonArray[2]->frame,
                  Rect(2 * width, 0, width, 33));
    }
    device->setBottomButtonsInfoOfKLine();
    EXPECT_EQ(device->bottomRectInfo()->periodScrollFrame, Rect(10, 0, 300, 33));
}
