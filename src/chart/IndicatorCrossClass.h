#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "chart/ChartStateRecords.h"
#include "chart/HQValueClass.h"
#include "platform/graphics/Color.h"
#include "platform/graphics/Font.h"
#include "platform/graphics/Geometry.h"

struct FenShiDataItem;
struct KLineDataItem;

// The cross-hair of one chart: where its lines meet, how far they reach and
// the box of values for the touched row. The layout tables create it; the
// chart view fills it. Owned by the layout object; main thread only.
struct IndicatorCrossClass : HQValueClass {
    Rect frame;
    Point IndicatorCrossPoint;
    std::optional<Font> font;  // values are measured with it
    std::vector<std::shared_ptr<IndicatorCrossItem>> IndicatorCrossItemArray;
    std::shared_ptr<IndexViewClass> indexViewSet;
    // Absolute extent of the lines: vertical from top to bottom, horizontal
    // from left to right.
    EdgeInsets IndicatorCrossLineSet;
    bool isTopNavigationBar = false;  // true: rows go to the header instead

    // Values beyond the entries and entries beyond the colours are left alone.
    void setDataToIndicatorCrossItemArrayFromItem(const FenShiDataItem* row,
                                                  const std::vector<Color>& colors);
    void setDataToIndicatorCrossItemArrayFromItem(const KLineDataItem* row,
                                                  const std::vector<Color>& colors);

    static std::string numToString(int32_t value);
    static std::string change(double value);

private:
    void layOutValues(const std::vector<std::string>& values, const std::vector<Color>& colors);
};
