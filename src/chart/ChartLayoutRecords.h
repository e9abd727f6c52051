#pragma once

// Records from which the chart manager builds its buttons, image views and
// bars; the layout tables fill them per device and screen state. Plain records
// shared by std::shared_ptr; main thread only.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "chart/ChartDrawingRecords.h"
#include "chart/HQValueClass.h"
#include "platform/graphics/Color.h"
#include "platform/graphics/Font.h"
#include "platform/graphics/Geometry.h"

struct KPeriodDataItem;
struct PeriodStatusInfo;

struct ButtonInfo : HQValueClass {
    bool selectState = false;
    Rect frame;
    std::string title;
    std::string normalImag;  // image names; empty for no background picture
    std::string selectedImag;
    std::string titleImage;
    std::optional<Color> titleNormalColor;
    std::optional<Color> titleSelectedColor;
    std::optional<Font> font;
    int32_t tag = 0;
    std::shared_ptr<PeriodStatusInfo> statusInfo;
    std::shared_ptr<KPeriodDataItem> KPerioditem;

    // Copies what a button is made from; titleImage, statusInfo and
    // KPerioditem stay. Without a source the copied fields are cleared.
    void setButtonInfo(const ButtonInfo* other);
};

struct ImageViewInfo : HQValueClass {
    Rect frame;
    std::string image;
};

struct CommodityViewInfo : HQValueClass {
    std::shared_ptr<ButtonInfo> titleButton;
    std::shared_ptr<ButtonInfo> backButton;
    std::shared_ptr<ImageViewInfo> listImageViewInfo;
};

// Price bar of the wide screen; the label frames are relative to viewFrame.
struct YiKouJiaViewInfo : HQValueClass {
    Rect viewFrame;
    std::shared_ptr<LabelInfo> priceLabelInfo;
    std::shared_ptr<LabelInfo> addPriceLabelInfo;
    std::shared_ptr<LabelInfo> zhangfuLabelInfo;
    std::string UpImageString;
    std::string downImageString;
    std::string normalImageString;
    Rect imageFrame;
};

struct TopRectInfo : HQValueClass {
    std::optional<Color> backgroundColor;
    Rect navigationBarFrame;
    std::shared_ptr<ButtonInfo> fenshiButton;
    std::shared_ptr<ButtonInfo> klineButton;
    std::shared_ptr<ImageViewInfo> buttonViewBackgroundImage;
    std::shared_ptr<ImageViewInfo> topButtonSelectedImageView;
    std::shared_ptr<CommodityViewInfo> commodityViewInfo;
    std::shared_ptr<YiKouJiaViewInfo> yikoujiaViewInfo;
};

// The bars under the K-line chart: period buttons and the indicator bar.
struct BottomRectInfo : HQValueClass {
    Rect frame;
    std::optional<Color> bgColor;
    Rect periodFrame;
    Rect periodScrollFrame;
    Rect quotaNormalFrame;
    Rect quotaChooseFrame;
    Rect quotaScrollFrame;
    Size periodScrollSize;
    Size quotaScrollSize;
    std::string selectedImage;
    std::shared_ptr<ButtonInfo> periodButton;
    std::shared_ptr<ButtonInfo> quotaButton;
    std::vector<std::shared_ptr<ButtonInfo>> periodButtonArray;
    std::vector<std::shared_ptr<ButtonInfo>> quotaButtonArray;
};

// Page switch of the normal screen.
struct PageControlView : HQValueClass {
    Rect frame;
    std::optional<Color> backgroundColor;
    std::shared_ptr<ButtonInfo> fenshiButton;
    std::shared_ptr<ButtonInfo> KLineButton;
};

struct ToolBarRectInfoAboutIpad : HQValueClass {
    Rect toolBarFrame;
    Rect SelectedButtonImageViewFrame;
    Rect backgroundImageViewFrame;
    std::string toolBarBackgroundImg;
    std::string toolBarSelectedOnImg;
    std::vector<std::shared_ptr<ButtonInfo>> toolBarButtonArray;
    float leftCapWidth = 0;
    float topCapHeight = 0;
};
