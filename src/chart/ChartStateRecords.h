#pragma once

// What the chart holds besides the series: cross-hair box entries, the state
// of every commodity and K-line period, and the remembered button selection.
// Plain records shared by std::shared_ptr; main thread only, except that the
// history download reads the period state without a lock.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "chart/ChartDrawingRecords.h"
#include "chart/HQCalculationResult.h"
#include "chart/HQValueClass.h"
#include "platform/graphics/Color.h"
#include "platform/graphics/Font.h"
#include "platform/graphics/Geometry.h"

struct commodityInfo;
struct CommodityFenShiDataItem;
struct KPeriodDataItem;
struct ReturnKLineData;
struct YiKouJia;

struct IndicatorCrossItem : HQValueClass {
    Rect titleFrame;
    Rect dataFrame;
    std::string title;
    std::string data;
    std::optional<Color> titleColor;
    std::optional<Color> dataColor;
    int32_t dataTextAlignment = 0;
    float WidthBefore = 0;
    std::optional<Font> font;
};

struct IndexViewItem : HQValueClass {
    std::string IndexValue;
    std::optional<Color> IndexColor;
    Rect IndexValueFrame;
    std::optional<Color> IndexbackgroundColor;
    Rect IndexbackgroundFrame;
    std::optional<Font> IndexValueFont;
};

struct IndexViewClass : HQValueClass {
    std::shared_ptr<IndexViewItem> leftView;
    std::shared_ptr<IndexViewItem> rightView;
    std::shared_ptr<IndexViewItem> bottomView;
};

// K-line state of one period of one commodity.
struct PeriodStatusInfo : HQValueClass {
    std::shared_ptr<KPeriodDataItem> periodItem;
    int32_t offset = 0;  // bars scrolled back from the newest
    // Element 0 holds the bars of the period, oldest first.
    std::vector<std::shared_ptr<ReturnKLineData>> KLineDataArray;
    uint32_t grade = 1;  // zoom grade, 0..6
    bool KLineRequesting = false;
    std::string LastRequestDate;
};

// Chart state of one commodity.
struct commodityStatusItem : HQValueClass {
    std::shared_ptr<commodityInfo> commodity;
    std::vector<std::shared_ptr<CommodityFenShiDataItem>> FenShiDataArray;
    std::shared_ptr<HQCalculationResult> result;
    std::vector<std::shared_ptr<PeriodStatusInfo>> periodButtonArray;
    std::vector<std::shared_ptr<FenShiDrawDataItem>> NormalFenShiData;
    std::vector<std::shared_ptr<FenShiDrawDataItem>> WidthFenShiData;
    std::vector<std::shared_ptr<YiKouJia>> yikoujiaData;
    bool FenShiRequesting = false;
};

// Remembered selection of the chart's buttons; the layout object gives it its
// defaults (setAllDefaultStatus).
struct StatusSaveClass : HQValueClass {
    bool FenShiButtonSelected = false;
    bool KLineButtonSelected = false;
    int32_t toolBarSelectedButtonCount = 0;
    bool iphoneZhiBiaoButtonSelected = false;
    bool iphoneKLineZhiBiaoMACDButtonSelected = false;
    bool iphoneKLineZhiBiaoKDJButtonSelected = false;
    Point periodScrollOffset;
    bool ipadTopFullButtonSelected = false;
    bool ipadTopQuShiButtonSelected = false;
    bool ipadTopJunJiaButtonSelected = false;
    bool ipadKlineSecondaryOneMACDButtonSelected = false;
    bool ipadKlineSecondaryOneKDJButtonSelected = false;
    bool iphoneTopFenShiButtonSelected = false;
    bool iphoneTopKLineButtonSelected = false;
    bool ipadKlineSecondaryOneMacdButtonSelected = false;
};
