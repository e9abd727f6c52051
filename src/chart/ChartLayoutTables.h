#pragma once

// The fixed layout tables of the charts, one table per case, in screen points.
// Index [state][screen]: state 0 normal, 1 wide; screen 0 the 3.5-inch,
// 1 the 4-inch phone. Read by HQFSDrawPram and VariableAboutDevice only.

#include "platform/graphics/Geometry.h"

namespace chartlayout {

// The tables keep one case per line.
// clang-format off

struct TRect {
    float x, y, width, height;
};
struct TPoint {
    float x, y;
};
struct TSize {
    float width, height;
};
struct TRgb {
    int r, g, b;
};

inline Rect toRect(const TRect& r) { return Rect{r.x, r.y, r.width, r.height}; }
inline Point toPoint(const TPoint& p) { return Point{p.x, p.y}; }

constexpr int kNormal = 0;
constexpr int kWide = 1;
constexpr int kInch35 = 0;
constexpr int kInch4 = 1;

// Time-sharing geometry with and without the side panel.
struct FenShiVariant {
    TRect drawRectNormalIP4, drawRectNormalIP5, drawRectWideIP4, drawRectWideIP5;
    TPoint originalPointNormalIP4, originalPointNormalIP5, originalPointWideIP4,
        originalPointWideIP5;
    int timeTitleWidthNormal;
    float timeTitleFontSize;  // Arial
    int timeTitleLast;
    TSize timeTitleSize;
};

constexpr FenShiVariant kFenShiFullWidth{
    {38, 15, 280, 209}, {38, 15, 280, 297}, {58, 0, 422, 272}, {58, 0, 510, 272},
    {38, 198},          {38, 284},          {58, 216},         {58, 216},
    -25,                9,                  320,               {25, 10}};
constexpr FenShiVariant kFenShiSidePanel{
    {0, 15, 200, 165}, {0, 15, 200, 231}, {0, 0, 352, 222}, {0, 0, 440, 222},
    {0, 198},          {0, 284},          {0, 216},         {0, 216},
    0,                 5,                 200,              {15, 8}};
constexpr TRect kFenShiDrawViewNormalIP4{0, 33, 320, 224};
constexpr TRect kFenShiDrawViewNormalIP5{0, 33, 320, 312};
constexpr TRect kFenShiDrawViewWideIP4{0, 77, 480, 243};
constexpr TRect kFenShiDrawViewWideIP5{0, 77, 568, 243};
constexpr int kTimeTitleWidthWide = 3;

constexpr TRgb kChartBackground{17, 17, 17};
constexpr TSize kRootSize[2][2] = {{{320, 257}, {320, 345}}, {{480, 320}, {568, 320}}};
// The normal K-line view's x depends on the selected page (see kPageWidth).
constexpr TRect kKLineDrawView[2][2] = {{{0, 33, 320, 224}, {0, 33, 320, 312}},
                                        {{0, 77, 480, 243}, {0, 77, 568, 243}}};
constexpr float kPageWidth = 320;

struct GridTable {
    float firstDottedLineY;
    int dottedLineNumber;
    float dottedLineInterval;
    int activeLintCount;
};

constexpr GridTable kFenShiGrid[2][2] = {{{15, 8, 17.375f, 5}, {15, 8, 25.625f, 5}},
                                         {{0, 8, 18.875f, 5}, {0, 8, 18.875f, 5}}};

struct KLineAreaTable {
    TRect mainRect;
    TPoint mainOrigin;
    GridTable mainGrid;
    TRect indicatorRect;
    TPoint indicatorOrigin;
    GridTable indicatorGrid;
};

constexpr KLineAreaTable kKLineAreas[2][2] = {
    {{{34, 15, 286, 128}, {34, 143}, {15, 6, 21.33f, 0},
      {34, 158, 286, 32}, {34, 190}, {158, 2, 16, 0}},
     {{34, 15, 286, 198}, {34, 213}, {15, 6, 33, 0},
      {34, 228, 286, 50}, {34, 278}, {228, 2, 25, 0}}},
    {{{60, 25, 420, 146}, {58, 171}, {25, 6, 24.33f, 0},
      {60, 171, 420, 46}, {58, 217}, {171, 2, 23, -1}},
     {{60, 25, 508, 146}, {58, 171}, {25, 6, 24.33f, 0},
      {60, 171, 508, 46}, {58, 217}, {171, 2, 23, -1}}}};

// Zoom grades 0..6: grade 0 shows the most candles.
constexpr int kGradeCount = 7;
constexpr float kColumnInterval[kGradeCount] = {4, 6, 8, 10, 12, 14, 16};
struct GradeTable {
    float pointCount[kGradeCount];
    float firstPointX[kGradeCount];
};
constexpr GradeTable kGradeNormal{{71, 47, 35, 28, 23, 20, 17}, {34, 36, 38, 38, 38, 38, 40}};
constexpr GradeTable kGradeWide[2] = {
    {{104, 70, 52, 42, 35, 30, 26}, {63, 59, 63, 59, 59, 59, 63}},
    {{126, 84, 63, 50, 42, 36, 31}, {61, 61, 61, 65, 61, 61, 66}}};

// Value labels of the time-sharing chart: one table per operation.
struct FenShiAxisTable {
    bool rightSide;         // x = drawRectOfMain.width - rightInset, else 0
    float rightInset;
    float lastLabelRaise;   // the bottom label sits this much higher
    float widthExtra;       // width = origin.x - 2 + widthExtra
    float widthExtraBelow7; // added again on system versions below 7.0
    float height;
    float fontSize;         // Arial
};
constexpr FenShiAxisTable kFenShiAxisNormalLeft{false, 0, 12, 0, 50, 12, 9};
constexpr FenShiAxisTable kFenShiAxisNormalRight{true, 10, 12, 0, 50, 12, 9};
constexpr FenShiAxisTable kFenShiAxisWideLeft{false, 0, 10, 100, 0, 10, 11};
constexpr FenShiAxisTable kFenShiAxisWideRight{true, 15, 10, 100, 0, 10, 11};

// Time axis of the time-sharing chart: eight ticks over 24 hours of trading.
constexpr int kTimeLabelCount = 8;
constexpr int kTimeLabelMinutes[kTimeLabelCount] = {0, 120, 360, 600, 840, 1080, 1320, 1440};
constexpr float kTimeLabelDrop = 2;  // below the main origin
constexpr float kTimeLabelLineHeight = 11;

constexpr float kKLineAxisLabelHeight = 10;
constexpr float kKLineAxisFontSize = 9;

// Time-sharing header of the normal screen.
constexpr int kFenShiHeaderCount = 5;
constexpr const char* kFenShiHeaderTitles[kFenShiHeaderCount] = {"时:", "价:", "均:", "幅:",
                                                                 "量:"};
constexpr float kFenShiHeaderStartX = 2;
constexpr float kFenShiHeaderY = 1;
constexpr float kFenShiHeaderTitleWidth = 10;
constexpr float kFenShiHeaderHeight = 10;
constexpr float kFenShiHeaderNarrowData = 20;  // first and last entries
constexpr float kFenShiHeaderWideData = 45;
constexpr float kFenShiHeaderGap = 2;
constexpr float kFenShiHeaderSecondShift = 5;
constexpr float kFenShiHeaderLastShift = -15;
constexpr float kFenShiHeaderFontSize = 8;

// One row of the K-line header; every list holds one value per entry.
enum class RowY { Fixed, MainOrigin, IndicatorOrigin };
struct HeaderRowTable {
    int count;
    const char* titles[6];
    TRgb colors[6];
    float startX;
    RowY yFrom;
    float y;  // fixed y, or added to the origin's y before truncation
    float titleWidth[6];
    float titleHeight;
    const char* data[6];
    float dataWidth[6];
    float dataHeight;
    float fontSize;  // system font
    float gap;
};

constexpr TRgb kW{255, 255, 255};
constexpr TRgb kGold{185, 165, 30};
constexpr TRgb kPink{200, 30, 94};
constexpr TRgb kBlue{0, 153, 189};
constexpr TRgb kTeal{37, 157, 133};
constexpr TRgb kRed{255, 0, 0};

constexpr HeaderRowTable kHeaderNormalMain{
    4,  {"5MA:", "10MA:", "20MA:", "30MA:"}, {kW, kGold, kPink, kBlue},
    -1, RowY::Fixed, 0, {33, 33, 33, 33}, 14, {"--", "--", "--", "--"}, {42, 42, 42, 42},
    14, 10, 2};
constexpr HeaderRowTable kHeaderNormalMACD{
    4, {"MACD(12,26,9)", "DIFF:", "DEA:", "MACD:"}, {kW, kW, kGold, kTeal},
    2, RowY::MainOrigin, 1, {75, 34, 34, 34}, 14, {"  ", "--", "--", "--"}, {0, 40, 40, 40},
    14, 10, 2};
constexpr HeaderRowTable kHeaderNormalKDJ{
    4, {"KDJ(9,3,3)", "K:", "D:", "J:"}, {kW, kW, kGold, kPink},
    2, RowY::MainOrigin, 0, {60, 16, 16, 16}, 14, {"  ", "--", "--", "--"}, {0, 40, 40, 40},
    14, 10, 2};
constexpr HeaderRowTable kHeaderWideMain{
    6, {"  ", "MA(5,10,20,30)", "5MA:", "10MA:", "20MA:", "30MA:"},
    {kRed, kW, kW, kGold, kPink, kBlue},
    5, RowY::Fixed, 4, {20, 78, 35, 35, 35, 35}, 18, {"--", "  ", "--", "--", "--", "--"},
    {20, 4, 35, 35, 35, 35}, 14, 11, 4};
constexpr HeaderRowTable kHeaderWideMACD[2] = {
    {4, {"MACD(12,26,9)", "DIFF:", "DEA:", "MACD:"}, {kW, kW, kGold, kTeal},
     85, RowY::IndicatorOrigin, 4, {78, 32, 28, 38}, 18, {"  ", "--", "--", "--"},
     {0, 43, 43, 43}, 18, 11, 2},
    {4, {"MACD(12,26,9)", "DIFF:", "DEA:", "MACD:"}, {kW, kW, kGold, kTeal},
     110, RowY::IndicatorOrigin, 4, {78, 38, 38, 38}, 18, {"  ", "--", "--", "--"},
     {0, 43, 43, 43}, 18, 11, 2}};
constexpr HeaderRowTable kHeaderWideKDJ[2] = {
    {4, {"KDJ(9,3,3)", "K:", "D:", "J:"}, {kW, kW, kGold, kPink},
     85, RowY::IndicatorOrigin, 4, {65, 18, 18, 18}, 18, {"  ", "--", "--", "--"},
     {0, 43, 43, 43}, 18, 11, 2},
    {4, {"KDJ(9,3,3)", "K:", "D:", "J:"}, {kW, kW, kGold, kPink},
     110, RowY::IndicatorOrigin, 4, {65, 18, 18, 18}, 18, {"  ", "--", "--", "--"},
     {0, 43, 43, 43}, 18, 11, 2}};

// Date labels under the K-line indicator area; y comes from the indicator
// origin plus yOffset, truncated.
struct DateLabelsTable {
    float yOffset;
    float leftX, rightX, width, height;
    float fontSize;  // system font
};
constexpr DateLabelsTable kDateLabelsNormal{0, 0, 225, 95, 18, 10};
constexpr DateLabelsTable kDateLabelsWide[2] = {{4, 2, 400, 80, 18, 11},
                                                {4, 2, 488, 80, 18, 11}};

// Cross-hair value boxes.
struct CrossBoxTable {
    float yFromFirstLine;  // box y = main firstDottedLineY + this
    float width, height;
    int titleCount;
    const char* titles[6];
    bool timeOfDayItem;
};
constexpr CrossBoxTable kCrossBoxFenShiWide{1, 58, 128, 5, {"时", "价", "均", "幅", "量"}, false};
constexpr CrossBoxTable kCrossBoxKLine{0, 58, 108, 6, {"时", "开", "高", "低", "收", "幅"}, true};
constexpr float kCrossBoxFontSize = 9;  // Arial
constexpr float kCrossItemTop = 2;
constexpr float kCrossItemX = 2;
constexpr float kCrossItemTitleWidth = 14;
constexpr float kCrossItemHeight = 18;
constexpr float kCrossTimeItemDrop = 11;
constexpr float kCrossTimeItemHeight = 10;
constexpr float kCrossTimeItemFontSize = 7;  // Arial

// Top bar of the wide screen; x values from the right are subtracted from W.
constexpr float kTopBarHeight = 44;
constexpr TRgb kTopBarBackground{41, 41, 51};
constexpr float kSwitchFromRight = 85;
constexpr float kKLineButtonFromRight = 48;
constexpr TRect kSwitchButton{0, 11, 37, 21};  // x from the right as above
constexpr TSize kSwitchBackgroundSize{74, 21};
constexpr float kSwitchFontSize = 12;  // Arial
constexpr TRect kCommodityTitleButton{110, 11, 100, 24};
constexpr float kCommodityTitleFontSize = 15;  // Arial
constexpr TRect kCommodityBackButton{0, 6, 46, 31};
constexpr TRect kCommodityListImage{190, 16, 12, 12};
constexpr TRect kPriceBoxFrame{230, 9, 120, 21};
constexpr TRect kPriceLabel{0, 0, 46, 21};
constexpr float kPriceLabelFontSize = 18;  // Arial
constexpr TRect kAddPriceLabel{66, 0, 40, 10};
constexpr TRect kZhangfuLabel{66, 10, 40, 10};
constexpr float kPriceSmallFontSize = 9;  // Arial
constexpr TRect kPriceImage{48, 0, 16, 21};

// Period bar under the charts.
struct PeriodBarTable {
    TRect frame, periodFrame, quotaNormalFrame, quotaChooseFrame, periodScrollFrame;
    int layoutCode;
};
constexpr PeriodBarTable kPeriodBarNormal{
    {0, 0, 320, 33}, {0, 0, 320, 33}, {235, 33, 45, 165}, {280, 0, 20, 33}, {10, 0, 270, 33}, 2};
constexpr PeriodBarTable kPeriodBarWide[2] = {
    {{0, 44, 480, 33}, {0, 0, 480, 33}, {370, 77, 70, 165}, {440, 0, 20, 33}, {20, 0, 420, 33},
     4},
    {{0, 44, 568, 33}, {0, 0, 568, 33}, {434, 77, 80, 165}, {514, 0, 20, 33}, {34, 0, 480, 33},
     6}};
constexpr TRgb kPeriodBarBackground{17, 17, 17};
constexpr int kPeriodButtonsPerRow = 6;
constexpr float kPeriodButtonHeight = 33;
constexpr int kPeriodButtonTagBase = 10000;
constexpr TRgb kPeriodTitleColor{102, 102, 102};
constexpr float kPeriodFontSize = 15;  // system font
constexpr TRect kKLinePeriodScrollFrame{10, 0, 300, 33};

inline float periodButtonWidth(int layoutCode) {
    if (layoutCode == 4) {
        return 70;
    }
    return layoutCode == 6 ? 80 : 45;
}

// Page switch of the normal screen, at the bottom of the root view.
constexpr float kPageControlHeight = 13;
constexpr float kPageControlWidth = 320;
constexpr TRect kPageFenShiDot{150, 3, 6, 6};
constexpr TRect kPageKLineDot{164, 3, 6, 6};

// clang-format on

}  // namespace chartlayout
