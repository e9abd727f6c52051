#pragma once

// Value records that carry series rows, plotted points, area geometry and
// labels between the layout tables, the converters and the drawing. Plain
// records shared by std::shared_ptr; a field that may hold no object is an
// empty pointer or std::optional. Main thread only.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "chart/HQPoint.h"
#include "chart/HQValueClass.h"
#include "platform/graphics/Color.h"
#include "platform/graphics/Font.h"
#include "platform/graphics/Geometry.h"

struct KLineDataItem;

// One minute of the time-sharing series as the chart shows it.
struct FenShiDataItem : HQValueClass {
    uint16_t commodityTag = 0;  // identifiers above 255 exist; 8 bits would lose them
    int32_t date = 0;
    std::string fenShiTime;  // hour * 100 + minute as decimal text: "930" is 09:30
    double price = 0;
    std::string ShowPrice;
    double averagePrice = 0;
    std::string ShowAverage;
    double kaipanjia = 0;
    std::string ShowKaipan;
    std::string zhangfu;
    double highestPrice = 0;
    std::string ShowHighestPrice;
    double lowestPrice = 0;
    std::string ShowLowestPrice;
    double yesterdayClose = 0;
    int32_t xianShou = 0;
    std::string showXianshou;
    double leastPrice = 0;
};

struct FenShiDrawDataItem : HQValueClass {
    std::shared_ptr<HQPoint> fenshiPoint;
    std::shared_ptr<HQPoint> junjiaPoint;
    std::shared_ptr<HQPoint> chengJiaoLiangPoint;  // empty when the day has no volume
};

struct KLineDrawDataItem : HQValueClass {
    std::shared_ptr<KLineDataItem> klineData;
    std::shared_ptr<HQPoint> PMA5Point;
    std::shared_ptr<HQPoint> PMA10Point;
    std::shared_ptr<HQPoint> PMA20Point;
    std::shared_ptr<HQPoint> PMA30Point;
    Point openPiont;     // left edge of the body
    Point highestPiont;  // middle of the body
    Point lowestPiont;   // middle of the body
    Point closePiont;    // right edge of the body
    int64_t date = 0;
};

struct MACDDrawDataItem : HQValueClass {
    std::shared_ptr<HQPoint> MACDPoint;
    std::shared_ptr<HQPoint> DifPoint;
    std::shared_ptr<HQPoint> DeaPoint;
    std::shared_ptr<HQPoint> ZeroPoint;
};

struct KDJDrawDataItem : HQValueClass {
    std::shared_ptr<HQPoint> KPoint;
    std::shared_ptr<HQPoint> DPoint;
    std::shared_ptr<HQPoint> JPoint;
};

struct HQIndicatorCrossReturn : HQValueClass {
    Point touchPointCoordinate;
    int32_t index = 0;
};

struct DrawRect : HQValueClass {
    float x = 0;
    float y = 0;
    float width = 0;
    float height = 0;

    static std::shared_ptr<DrawRect> drawRectWithCGRect(const Rect& rect);
};

// Grid and origin of one drawing area; originalPoint is its bottom-left corner.
struct CoordinateSystemInfo : HQValueClass {
    Point originalPoint;
    float firstDottedLineY = 0;
    int32_t dottedLineNumber = 0;
    float dottedLineInterval = 0;
    int32_t activeLintCount = 0;  // one-based number of the grid line drawn solid

    float lineY(int index) const { return firstDottedLineY + index * dottedLineInterval; }
};

// Column spacing of a K-line area for the current zoom grade.
struct AboutDrawInfo : HQValueClass {
    float firstPointX = 0;
    float ColumnInterval = 0;
    float pointCount = 0;
};

struct TimeCoordinateDrawInfo : HQValueClass {
    float pointX = 0;
    float pointY = 0;
    float LineHeight = 0;
    float Wide = 0;
    Rect titleFrame;
    std::optional<Font> titleFont;
    std::string title;
};

struct VerTicalAxisTitleInfo : HQValueClass {
    std::optional<Color> color;
    std::optional<Font> font;
    std::string title;
    int32_t textAlignment = 0;  // 0 left, 1 centre, 2 right
    Rect frame;
};

struct LabelInfo : HQValueClass {
    std::string title;
    std::optional<Color> color;
    std::optional<Font> font;
    int32_t textAlignment = 0;
    Rect frame;
};

// One entry of the current-value header: title, value and unit on a line.
struct CurrentDataItem : HQValueClass {
    std::string titleName;
    std::string dataString;  // "  " marks an entry that shows no value
    std::string unitString;
    std::optional<Font> font;
    std::optional<Color> titleColor;
    std::optional<Color> dataColor;
    std::optional<Color> unitColor;
    Rect titleFrame;
    Rect dataFrame;
    Rect unitFrame;
};
