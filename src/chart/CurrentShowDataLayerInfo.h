#pragma once

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

// The current-value header above the chart areas: one line of entries per
// area plus the date labels of the K-line chart. The layout tables create it;
// the chart view fills it. Owned by the layout object; main thread only.
//
// A colour list may be empty (no colours) or shorter than the values; entries
// past its end keep their colour. Values beyond the entries are ignored.
struct CurrentShowDataLayerInfo : HQValueClass {
    std::string headTitle;
    Rect headTitleFrame;
    std::optional<Color> headTitleColor;
    std::optional<Font> headTitleFont;
    std::vector<std::shared_ptr<CurrentDataItem>> MainCurrentDataItemArray;
    std::vector<std::shared_ptr<CurrentDataItem>> SecondaryOneCurrentDataItemArray;
    std::vector<std::shared_ptr<CurrentDataItem>> SecondaryOneCurrentDataKDJItemArray;
    std::vector<std::shared_ptr<LabelInfo>> SecondaryOneCurrentDataTimeItemArray;
    std::vector<std::shared_ptr<CurrentDataItem>> SecondaryTwoCurrentDataItemArray;

    void setMainDataByItem(const FenShiDataItem* row, const std::vector<Color>& colors);
    // Ignored unless there is exactly one value per main entry.
    void setMainDataByDataArray(const std::vector<std::string>& values,
                                const std::vector<Color>& colors);
    void setSecondaryOneDataByDataArray(const std::vector<std::string>& values,
                                        const std::vector<Color>& colors);
    void setSecondaryOneKDJDataByDataArray(const std::vector<std::string>& values);
    // Dates in milliseconds since 1970, shown in the device's time zone.
    void setSecondaryOneTimeDataByDataArray(const std::vector<int64_t>& dates);
    void setSecondaryTwoDataByDataArray(const std::vector<std::string>& values,
                                        const std::vector<Color>& colors);

    static std::string numToString(int32_t value);
    static std::string change(double value);
    // "930" -> "09:30", "1305" -> "13:05".
    static std::string minuteText(const std::string& fenShiTime);
};
