#include "chart/VariableAboutDevice.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "chart/ChartLayoutTables.h"
#include "chart/ChartStyle.h"
#include "chart/ChartTime.h"
#include "platform/foundation/SystemInfo.h"
#include "quote/QuoteRecords.h"

using namespace chartlayout;

namespace {

constexpr uint32_t kPhoneDevice = 0;
constexpr uint32_t kFenShiKind = 0;
constexpr uint32_t kKLineKind = 1;
constexpr double kFirstNewLayoutVersion = 7.0;

using LayoutOperation = void (VariableAboutDevice::*)();
using V = VariableAboutDevice;

// The layout run of each case: chart kind, screen state, screen, operations.
struct LayoutCase {
    uint32_t kind;
    int state;
    int screen;
    std::array<LayoutOperation, 8> operations;
};

constexpr LayoutCase kLayoutCases[] = {
    {kKLineKind,
     kWide,
     kInch4,
     {&V::setTopButtonInfoAboutWideScreen, &V::setDrawViewInfoAboutKLineWideScreenIphone5,
      &V::setKLineBottomViewInfoAboutWideScreenIphone5,
      &V::setVerticalAxisInfoArrayAboutKLineWideScreen,
      &V::setCurrentShowDataInfoAboutKLineWideScreenIphone5,
      &V::setCurrentShowTimeInfoAboutKLineWideScreenIphone5,
      &V::setIndicatorCrossDataInitAboutKLine}},
    {kKLineKind,
     kWide,
     kInch35,
     {&V::setTopButtonInfoAboutWideScreen, &V::setDrawViewInfoAboutKLineWideScreenIphone,
      &V::setKLineBottomViewInfoAboutWideScreenIphone,
      &V::setVerticalAxisInfoArrayAboutKLineWideScreen,
      &V::setCurrentShowDataInfoAboutKLineWideScreenIphone,
      &V::setCurrentShowTimeInfoAboutKLineWideScreenIphone,
      &V::setIndicatorCrossDataInitAboutKLine}},
    {kKLineKind,
     kNormal,
     kInch4,
     {&V::setDrawViewInfoAboutKLineNormalIphone5, &V::setKLineBottomViewInfoAboutNormal,
      &V::setVerticalAxisInfoArrayAboutKLineNormal, &V::setCurrentShowDataInfoAboutKLineNormal,
      &V::setCurrentShowTimeInfoAboutKLineNormal, &V::setPageControlButtonInfoAboutNormal,
      &V::setIndicatorCrossDataInitAboutKLine}},
    {kKLineKind,
     kNormal,
     kInch35,
     {&V::setDrawViewInfoAboutKLineNormalIphone, &V::setKLineBottomViewInfoAboutNormal,
      &V::setVerticalAxisInfoArrayAboutKLineNormal, &V::setCurrentShowDataInfoAboutKLineNormal,
      &V::setCurrentShowTimeInfoAboutKLineNormal, &V::setPageControlButtonInfoAboutNormal,
      &V::setIndicatorCrossDataInitAboutKLine}},
    {kFenShiKind,
     kWide,
     kInch4,
     {&V::setKLineBottomViewInfoAboutWideScreenIphone5, &V::setTopButtonInfoAboutWideScreen,
      &V::setDrawViewInfoAboutFenShiWideScreenIphone5,
      &V::setTimeCoordinateDrawInfoArrayAboutWideScreen,
      &V::setVerticalAxisInfoArrayAboutFenShiWideScreen,
      &V::setVerticalAxisRightInfoArrayAboutFenShiWideScreen,
      &V::setIndicatorCrossDataInitAboutFenShiWideScreen}},
    {kFenShiKind,
     kWide,
     kInch35,
     {&V::setKLineBottomViewInfoAboutWideScreenIphone, &V::setTopButtonInfoAboutWideScreen,
      &V::setDrawViewInfoAboutFenShiWideScreenIphone,
      &V::setTimeCoordinateDrawInfoArrayAboutWideScreen,
      &V::setVerticalAxisInfoArrayAboutFenShiWideScreen,
      &V::setVerticalAxisRightInfoArrayAboutFenShiWideScreen,
      &V::setIndicatorCrossDataInitAboutFenShiWideScreen}},
    {kFenShiKind,
     kNormal,
     kInch4,
     {&V::setKLineBottomViewInfoAboutNormal, &V::setDrawViewInfoAboutFenShiNormalIphone5,
      &V::setTimeCoordinateDrawInfoArrayAboutNormal, &V::setVerticalAxisInfoArrayAboutFenShiNormal,
      &V::setVerticalAxisRightInfoArrayAboutFenShiNormal,
      &V::setCurrentShowDataInfoAboutFenShiNormal, &V::setPageControlButtonInfoAboutNormal,
      &V::setIndicatorCrossDataInitAboutFenShiNormal}},
    {kFenShiKind,
     kNormal,
     kInch35,
     {&V::setKLineBottomViewInfoAboutNormal, &V::setDrawViewInfoAboutFenShiNormalIphone,
      &V::setTimeCoordinateDrawInfoArrayAboutNormal, &V::setVerticalAxisInfoArrayAboutFenShiNormal,
      &V::setVerticalAxisRightInfoArrayAboutFenShiNormal,
      &V::setCurrentShowDataInfoAboutFenShiNormal, &V::setPageControlButtonInfoAboutNormal,
      &V::setIndicatorCrossDataInitAboutFenShiNormal}},
};

Color color(const TRgb& c) {
    return chartstyle::rgb(c.r, c.g, c.b);
}

// What an empty object pointer reads as: zeros.
const HQFSDrawPram& orZero(const std::shared_ptr<HQFSDrawPram>& p) {
    static const HQFSDrawPram zero;
    return p ? *p : zero;
}
const StatusSaveClass& orZero(const std::shared_ptr<StatusSaveClass>& p) {
    static const StatusSaveClass zero;
    return p ? *p : zero;
}
const CoordinateSystemInfo& orZero(const std::shared_ptr<CoordinateSystemInfo>& p) {
    static const CoordinateSystemInfo zero;
    return p ? *p : zero;
}
const DrawRect& orZero(const std::shared_ptr<DrawRect>& p) {
    static const DrawRect zero;
    return p ? *p : zero;
}

bool systemBelow7() {
    return std::strtod(SystemInfo::osVersion().c_str(), nullptr) < kFirstNewLayoutVersion;
}

std::shared_ptr<CoordinateSystemInfo> coordinateSystem(const Point& origin, const GridTable& grid) {
    auto info = std::make_shared<CoordinateSystemInfo>();
    info->originalPoint = origin;
    info->firstDottedLineY = grid.firstDottedLineY;
    info->dottedLineNumber = grid.dottedLineNumber;
    info->dottedLineInterval = grid.dottedLineInterval;
    info->activeLintCount = grid.activeLintCount;
    return info;
}

std::shared_ptr<AboutDrawInfo> drawInfo(const GradeTable& grades, uint32_t grade) {
    auto info = std::make_shared<AboutDrawInfo>();
    info->firstPointX = grades.firstPointX[grade];
    info->ColumnInterval = kColumnInterval[grade];
    info->pointCount = grades.pointCount[grade];
    return info;
}

Color positionColor(int index, int lineCount) {
    if (index < lineCount / 2) {
        return chartstyle::red();
    }
    return index == lineCount / 2 ? chartstyle::white() : chartstyle::fallGreen();
}

std::shared_ptr<ButtonInfo> button(const Rect& frame, bool selected) {
    auto info = std::make_shared<ButtonInfo>();
    info->frame = frame;
    info->selectState = selected;
    return info;
}

std::shared_ptr<ImageViewInfo> imageView(const Rect& frame, const char* image) {
    auto info = std::make_shared<ImageViewInfo>();
    info->frame = frame;
    info->image = image;
    return info;
}

std::shared_ptr<LabelInfo> label(const TRect& frame, float arialSize) {
    auto info = std::make_shared<LabelInfo>();
    info->frame = toRect(frame);
    info->color = chartstyle::white();
    info->font = chartstyle::arial(arialSize);
    return info;
}

// The console log of the time axis, as "(21:00, 23:00, ...)".
void logTimeLabels(const std::vector<std::shared_ptr<TimeCoordinateDrawInfo>>& labels) {
    std::string line = "(";
    for (const auto& label : labels) {
        line += (line.size() > 1 ? ", " : "") + label->title;
    }
    std::fprintf(stderr, "%s)\n", line.c_str());
}

std::string timeLabelTitle(std::optional<int> start, int label) {
    return start && label < kTimeLabelCount
               ? charttime::hourMinuteText(*start + kTimeLabelMinutes[label])
               : std::string();
}

}  // namespace

VariableAboutDevice::VariableAboutDevice(uint32_t screenState, uint32_t hqType, uint32_t device,
                                         std::shared_ptr<HQFSDrawPram> fsDrawPram)
    : m_device(device),
      m_stateOfScreen(screenState),
      m_typeOfHQ(hqType),
      m_FSDrawPram(std::move(fsDrawPram)) {
    setAllDefaultStatus();
    variableInitAboutDeviceWithScreenState(screenState, hqType);
}

bool VariableAboutDevice::isFourInchScreen() {
    return SystemInfo::screenMode() == SystemInfo::kFourInchScreen;
}

void VariableAboutDevice::setAllDefaultStatus() {
    auto status = std::make_shared<StatusSaveClass>();
    status->FenShiButtonSelected = true;
    status->iphoneKLineZhiBiaoMACDButtonSelected = true;
    status->ipadTopQuShiButtonSelected = true;
    status->ipadKlineSecondaryOneMACDButtonSelected = true;
    m_statusSaveClass = std::move(status);
}

void VariableAboutDevice::setScreenState(uint32_t screenState, uint32_t hqType) {
    variableInitAboutDeviceWithScreenState(screenState, hqType);
}

void VariableAboutDevice::variableInitAboutDeviceWithScreenState(uint32_t screenState,
                                                                 uint32_t hqType) {
    m_stateOfScreen = screenState;
    m_typeOfHQ = hqType;
    setAllClassToNil();
    if (m_device != kPhoneDevice) {
        return;
    }
    const int screen = isFourInchScreen() ? kInch4 : kInch35;
    for (const LayoutCase& layout : kLayoutCases) {
        if (layout.kind != hqType || static_cast<uint32_t>(layout.state) != screenState ||
            layout.screen != screen) {
            continue;
        }
        const TSize size = kRootSize[layout.state][screen];
        m_rootViewFrame = Rect{0, 0, size.width, size.height};
        m_backgroundColor = color(kChartBackground);
        const StatusSaveClass& status = orZero(m_statusSaveClass);
        if (hqType == kKLineKind) {
            m_drawViewFrame = toRect(kKLineDrawView[layout.state][screen]);
            if (layout.state == kNormal) {
                m_drawViewFrame.x = status.FenShiButtonSelected ? kPageWidth : 0;
            }
        } else {
            const HQFSDrawPram& pram = orZero(m_FSDrawPram);
            const Rect views[2][2] = {
                {pram.dottedLineIntervalNormalIP4, pram.dottedLineIntervalNormalIP5},
                {pram.dottedLineIntervalWideIP4, pram.dottedLineIntervalWideIP5}};
            m_drawViewFrame = views[layout.state][screen];
            if (layout.state == kNormal && status.KLineButtonSelected) {
                m_drawViewFrame.x -= kPageWidth;
            }
        }
        for (LayoutOperation operation : layout.operations) {
            if (operation) {
                (this->*operation)();
            }
        }
        return;
    }
}

void VariableAboutDevice::setAllClassToNil() {
    m_topRectInfo.reset();
    m_drawInfoOfMain.reset();
    m_drawRectOfMain.reset();
    m_coordinateSystemInfoOfMain.reset();
    m_drawRectOfSecondaryOne.reset();
    m_drawInfoOfSecondaryOne.reset();
    m_coordinateSystemInfoOfSecondaryOne.reset();
    m_drawRectOfSecondaryTwo.reset();
    m_drawInfoOfSecondaryTwo.reset();
    m_coordinateSystemInfoOfSecondaryTwo.reset();
    m_TimeCoordinateDrawInfoArray.clear();
    m_secondaryOneTopRectInfo.reset();
    m_secondaryTwoTopRectInfo.reset();
    m_bottomRectInfo.reset();
    m_pageControl.reset();
    m_currentShowDataLayerInfo.reset();
}

std::shared_ptr<commodityStatusItem> VariableAboutDevice::searchCommodotyStatusItem() const {
    if (!m_currentCommodity) {
        return nullptr;
    }
    const commodityInfo& current = *m_currentCommodity;
    return searchCommodotyStatusItemByNumbers(current.MarketID, current.DiskID, current.CommodityID,
                                              current.panindex);
}

std::shared_ptr<commodityStatusItem> VariableAboutDevice::searchCommodotyStatusItemByNumbers(
    int marketID, int diskID, int commodityID, int panel) const {
    for (const auto& item : m_CommodityStatusInfoArray) {
        if (!item || !item->commodity) {
            continue;
        }
        const commodityInfo& c = *item->commodity;
        // The three numbers name a commodity on one quote server only; the
        // catalogue holds the markets of every server.
        if (c.CommodityID == commodityID && c.MarketID == marketID && c.DiskID == diskID &&
            c.panindex == panel) {
            return item;
        }
    }
    return nullptr;
}

std::shared_ptr<PeriodStatusInfo> VariableAboutDevice::getCurrentPeriodStatusInfo() const {
    const auto item = searchCommodotyStatusItem();
    const int32_t index = orZero(m_statusSaveClass).toolBarSelectedButtonCount;
    if (item && index >= 0 && static_cast<size_t>(index) < item->periodButtonArray.size() &&
        item->periodButtonArray[index]) {
        return item->periodButtonArray[index];
    }
    return std::make_shared<PeriodStatusInfo>();
}

// Chart areas.

void VariableAboutDevice::setFenShiArea(int state, int screen) {
    const HQFSDrawPram& pram = orZero(m_FSDrawPram);
    const Rect rects[2][2] = {{pram.drawRectNormalIP4, pram.drawRectNormalIP5},
                              {pram.drawRectWideIP4, pram.drawRectWideIP5}};
    const Point origins[2][2] = {{pram.originalPointNormalIP4, pram.originalPointNormalIP5},
                                 {pram.originalPointWideIP4, pram.originalPointWideIP5}};
    m_drawRectOfMain = DrawRect::drawRectWithCGRect(rects[state][screen]);
    m_coordinateSystemInfoOfMain =
        coordinateSystem(origins[state][screen], kFenShiGrid[state][screen]);
}

void VariableAboutDevice::setKLineArea(int state, int screen) {
    const KLineAreaTable& area = kKLineAreas[state][screen];
    m_drawRectOfMain = DrawRect::drawRectWithCGRect(toRect(area.mainRect));
    m_coordinateSystemInfoOfMain = coordinateSystem(toPoint(area.mainOrigin), area.mainGrid);
    m_drawRectOfSecondaryOne = DrawRect::drawRectWithCGRect(toRect(area.indicatorRect));
    m_coordinateSystemInfoOfSecondaryOne =
        coordinateSystem(toPoint(area.indicatorOrigin), area.indicatorGrid);
    // A grade past the tables would read beyond them; the nearest grade is shown.
    const uint32_t grade = std::min<uint32_t>(getCurrentPeriodStatusInfo()->grade, kGradeCount - 1);
    const GradeTable& grades = state == kNormal ? kGradeNormal : kGradeWide[screen];
    m_drawInfoOfMain = drawInfo(grades, grade);
    m_drawInfoOfSecondaryOne = drawInfo(grades, grade);
}

void VariableAboutDevice::setDrawViewInfoAboutFenShiNormalIphone() {
    setFenShiArea(kNormal, kInch35);
}
void VariableAboutDevice::setDrawViewInfoAboutFenShiNormalIphone5() {
    setFenShiArea(kNormal, kInch4);
}
void VariableAboutDevice::setDrawViewInfoAboutFenShiWideScreenIphone() {
    setFenShiArea(kWide, kInch35);
}
void VariableAboutDevice::setDrawViewInfoAboutFenShiWideScreenIphone5() {
    setFenShiArea(kWide, kInch4);
}
void VariableAboutDevice::setDrawViewInfoAboutKLineNormalIphone() {
    setKLineArea(kNormal, kInch35);
}
void VariableAboutDevice::setDrawViewInfoAboutKLineNormalIphone5() {
    setKLineArea(kNormal, kInch4);
}
void VariableAboutDevice::setDrawViewInfoAboutKLineWideScreenIphone() {
    setKLineArea(kWide, kInch35);
}
void VariableAboutDevice::setDrawViewInfoAboutKLineWideScreenIphone5() {
    setKLineArea(kWide, kInch4);
}

void VariableAboutDevice::setPageControlButtonInfoAboutNormal() {
    const StatusSaveClass& status = orZero(m_statusSaveClass);
    auto page = std::make_shared<PageControlView>();
    page->frame =
        Rect{0, m_rootViewFrame.height - kPageControlHeight, kPageControlWidth, kPageControlHeight};
    page->backgroundColor = chartstyle::clear();
    page->fenshiButton = button(toRect(kPageFenShiDot), status.FenShiButtonSelected);
    page->KLineButton = button(toRect(kPageKLineDot), status.KLineButtonSelected);
    m_pageControl = std::move(page);
}

// Time axis of the time-sharing chart.

void VariableAboutDevice::setTimeLabels(bool wide) {
    m_TimeCoordinateDrawInfoArray.clear();
    const DrawRect& area = orZero(m_drawRectOfMain);
    const HQFSDrawPram& pram = orZero(m_FSDrawPram);
    const std::optional<int> start = charttime::tradingStartMinutes();
    const float pointY = orZero(m_coordinateSystemInfoOfMain).originalPoint.y + kTimeLabelDrop;
    for (int i = 0; i < kTimeLabelCount; ++i) {
        auto info = std::make_shared<TimeCoordinateDrawInfo>();
        const int minutes = kTimeLabelMinutes[i];
        if (i < kTimeLabelCount - 1) {
            info->pointX = area.x + area.width * minutes / charttime::kMinutesPerDay;
        } else {
            info->pointX = wide ? area.x + area.width : static_cast<float>(pram.TimeTitleLast);
        }
        info->title = timeLabelTitle(start, i);
        info->Wide = static_cast<float>(pram.TimeTitleWidthNormal);
        info->pointY = pointY;
        info->LineHeight = kTimeLabelLineHeight;
        info->titleFrame =
            Rect{info->pointX + info->Wide, pointY + info->LineHeight - pram.TimeTitleSize.height,
                 pram.TimeTitleSize.width, pram.TimeTitleSize.height};
        info->titleFont = pram.TimeTitleFont;
        m_TimeCoordinateDrawInfoArray.push_back(std::move(info));
    }
    logTimeLabels(m_TimeCoordinateDrawInfoArray);
}

bool VariableAboutDevice::retitleTimeLabels() {
    const std::optional<int> start = charttime::tradingStartMinutes();
    bool changed = false;
    for (size_t i = 0; i < m_TimeCoordinateDrawInfoArray.size(); ++i) {
        std::string title = timeLabelTitle(start, static_cast<int>(i));
        auto& label = *m_TimeCoordinateDrawInfoArray[i];
        changed = changed || label.title != title;
        label.title = std::move(title);
    }
    return changed;
}

void VariableAboutDevice::setTimeCoordinateDrawInfoArrayAboutNormal() {
    setTimeLabels(false);
}
void VariableAboutDevice::setTimeCoordinateDrawInfoArrayAboutWideScreen() {
    setTimeLabels(true);
}

// Value labels.

void VariableAboutDevice::setFenShiAxis(const FenShiAxisTable& table, AxisLabels& labels) const {
    labels.clear();
    const CoordinateSystemInfo& system = orZero(m_coordinateSystemInfoOfMain);
    const int n = system.dottedLineNumber;
    const float width = system.originalPoint.x - 2 + table.widthExtra +
                        (systemBelow7() ? table.widthExtraBelow7 : 0);
    const float x = table.rightSide ? orZero(m_drawRectOfMain).width - table.rightInset : 0;
    // The bottom label rises into the chart, but never onto the label above it: on the short
    // screen the grid lines are closer than a label and its rise. Text taller than its frame
    // counts with its own height.
    const float extent = std::max(table.height, table.fontSize + 2);
    const float raise = std::clamp(system.dottedLineInterval - extent, 0.0f, table.lastLabelRaise);
    for (int i = 0; i <= n; ++i) {
        auto info = std::make_shared<VerTicalAxisTitleInfo>();
        const float y = system.lineY(i) - (i == n ? raise : 0);
        info->frame = Rect{x, y, width, table.height};
        info->font = chartstyle::arial(table.fontSize);
        info->textAlignment = 0;
        info->color = positionColor(i, n);
        labels.push_back(std::move(info));
    }
}

void VariableAboutDevice::setVerticalAxisInfoArrayAboutFenShiNormal() {
    setFenShiAxis(kFenShiAxisNormalLeft, m_VerticalAxisMainInfoArray);
}
void VariableAboutDevice::setVerticalAxisRightInfoArrayAboutFenShiNormal() {
    setFenShiAxis(kFenShiAxisNormalRight, m_VerticalAxisMainRightInfoArray);
}
void VariableAboutDevice::setVerticalAxisInfoArrayAboutFenShiWideScreen() {
    setFenShiAxis(kFenShiAxisWideLeft, m_VerticalAxisMainInfoArray);
}
void VariableAboutDevice::setVerticalAxisRightInfoArrayAboutFenShiWideScreen() {
    setFenShiAxis(kFenShiAxisWideRight, m_VerticalAxisMainRightInfoArray);
}

void VariableAboutDevice::setVerticalAxisInfoArrayAboutKLineNormal() {
    const std::pair<const CoordinateSystemInfo*, AxisLabels*> areas[] = {
        {&orZero(m_coordinateSystemInfoOfMain), &m_VerticalAxisMainInfoArray},
        {&orZero(m_coordinateSystemInfoOfSecondaryOne), &m_VerticalAxisSecondaryOneInfoArray}};
    for (const auto& [system, labels] : areas) {
        labels->clear();
        for (int i = 0; i <= system->dottedLineNumber; ++i) {
            auto info = std::make_shared<VerTicalAxisTitleInfo>();
            const float y =
                i == 0 ? system->firstDottedLineY : system->lineY(i) - kKLineAxisLabelHeight;
            info->frame = Rect{0, y, system->originalPoint.x - 1, kKLineAxisLabelHeight};
            info->title = "  ";
            info->font = chartstyle::arial(kKLineAxisFontSize);
            info->textAlignment = 2;
            info->color = chartstyle::white();
            labels->push_back(std::move(info));
        }
    }
}

void VariableAboutDevice::setVerticalAxisInfoArrayAboutKLineWideScreen() {
    setVerticalAxisInfoArrayAboutKLineNormal();
}

// Headers.

void VariableAboutDevice::setCurrentShowDataInfoAboutFenShiNormal() {
    auto header = std::make_shared<CurrentShowDataLayerInfo>();
    float x = kFenShiHeaderStartX;
    for (int i = 0; i < kFenShiHeaderCount; ++i) {
        const bool narrow = i == 0 || i == kFenShiHeaderCount - 1;
        if (i == kFenShiHeaderCount - 1) {
            x += kFenShiHeaderLastShift;
        }
        if (i == 1) {
            x += kFenShiHeaderSecondShift;
        }
        auto item = std::make_shared<CurrentDataItem>();
        item->titleFrame = Rect{x, kFenShiHeaderY, kFenShiHeaderTitleWidth, kFenShiHeaderHeight};
        item->titleName = kFenShiHeaderTitles[i];
        item->titleColor = chartstyle::white();
        const float dx = std::trunc(x + kFenShiHeaderTitleWidth);
        const float width = narrow ? kFenShiHeaderNarrowData : kFenShiHeaderWideData;
        item->dataFrame = Rect{dx, kFenShiHeaderY, width, kFenShiHeaderHeight};
        item->dataColor = chartstyle::white();
        item->dataString = i == 0 ? "--:--" : "--";
        item->font = chartstyle::system(kFenShiHeaderFontSize);
        header->MainCurrentDataItemArray.push_back(std::move(item));
        x = std::trunc(dx + width + kFenShiHeaderGap);
    }
    m_currentShowDataLayerInfo = std::move(header);
}

std::vector<std::shared_ptr<CurrentDataItem>> VariableAboutDevice::headerRow(
    const HeaderRowTable& row) const {
    float y = row.y;
    if (row.yFrom == RowY::MainOrigin) {
        y = std::trunc(orZero(m_coordinateSystemInfoOfMain).originalPoint.y + row.y);
    } else if (row.yFrom == RowY::IndicatorOrigin) {
        y = std::trunc(orZero(m_coordinateSystemInfoOfSecondaryOne).originalPoint.y + row.y);
    }
    std::vector<std::shared_ptr<CurrentDataItem>> items;
    float x = row.startX;
    for (int i = 0; i < row.count; ++i) {
        auto item = std::make_shared<CurrentDataItem>();
        item->titleFrame = Rect{x, y, row.titleWidth[i], row.titleHeight};
        item->titleName = row.titles[i];
        item->titleColor = color(row.colors[i]);
        const float dx = std::trunc(x + row.titleWidth[i]);
        item->dataFrame = Rect{dx, y, row.dataWidth[i], row.dataHeight};
        item->dataString = row.data[i];
        item->dataColor = item->titleColor;
        item->font = chartstyle::system(row.fontSize);
        items.push_back(std::move(item));
        x = std::trunc(dx + row.dataWidth[i] + row.gap);
    }
    return items;
}

void VariableAboutDevice::setKLineHeader(const HeaderRowTable& main, const HeaderRowTable& macd,
                                         const HeaderRowTable& kdj) {
    auto header = std::make_shared<CurrentShowDataLayerInfo>();
    header->MainCurrentDataItemArray = headerRow(main);
    header->SecondaryOneCurrentDataItemArray = headerRow(macd);
    header->SecondaryOneCurrentDataKDJItemArray = headerRow(kdj);
    m_currentShowDataLayerInfo = std::move(header);
}

void VariableAboutDevice::setCurrentShowDataInfoAboutKLineNormal() {
    setKLineHeader(kHeaderNormalMain, kHeaderNormalMACD, kHeaderNormalKDJ);
}
void VariableAboutDevice::setCurrentShowDataInfoAboutKLineWideScreenIphone() {
    setKLineHeader(kHeaderWideMain, kHeaderWideMACD[kInch35], kHeaderWideKDJ[kInch35]);
}
void VariableAboutDevice::setCurrentShowDataInfoAboutKLineWideScreenIphone5() {
    setKLineHeader(kHeaderWideMain, kHeaderWideMACD[kInch4], kHeaderWideKDJ[kInch4]);
}

void VariableAboutDevice::setDateLabels(const DateLabelsTable& table) {
    if (!m_currentShowDataLayerInfo) {
        return;
    }
    const float y =
        std::trunc(orZero(m_coordinateSystemInfoOfSecondaryOne).originalPoint.y + table.yOffset);
    std::vector<std::shared_ptr<LabelInfo>> labels;
    for (const auto& [x, alignment] : {std::pair{table.leftX, 0}, std::pair{table.rightX, 2}}) {
        auto info = std::make_shared<LabelInfo>();
        info->frame = Rect{x, y, table.width, table.height};
        info->textAlignment = alignment;
        info->color = chartstyle::white();
        info->font = chartstyle::system(table.fontSize);
        labels.push_back(std::move(info));
    }
    m_currentShowDataLayerInfo->SecondaryOneCurrentDataTimeItemArray = std::move(labels);
}

void VariableAboutDevice::setCurrentShowTimeInfoAboutKLineNormal() {
    setDateLabels(kDateLabelsNormal);
}
void VariableAboutDevice::setCurrentShowTimeInfoAboutKLineWideScreenIphone() {
    setDateLabels(kDateLabelsWide[kInch35]);
}
void VariableAboutDevice::setCurrentShowTimeInfoAboutKLineWideScreenIphone5() {
    setDateLabels(kDateLabelsWide[kInch4]);
}

// Cross-hair.

void VariableAboutDevice::setCrossBox(const CrossBoxTable& table) {
    IndicatorCrossClass& cross = *m_indicatorCrossData;
    cross.isTopNavigationBar = false;
    cross.frame =
        Rect{0, orZero(m_coordinateSystemInfoOfMain).firstDottedLineY + table.yFromFirstLine,
             table.width, table.height};
    cross.font = chartstyle::arial(kCrossBoxFontSize);
    const float dataWidth = cross.frame.x + cross.frame.width - 2;
    float y = cross.frame.y + kCrossItemTop;
    for (int i = 0; i < table.titleCount; ++i) {
        auto item = std::make_shared<IndicatorCrossItem>();
        item->title = table.titles[i];
        item->titleFrame = Rect{kCrossItemX, y, kCrossItemTitleWidth, kCrossItemHeight};
        item->titleColor = chartstyle::white();
        item->dataFrame = Rect{0, y, dataWidth, kCrossItemHeight};
        item->dataColor = chartstyle::white();
        item->dataTextAlignment = 2;
        item->font = cross.font;
        cross.IndicatorCrossItemArray.push_back(std::move(item));
        y += kCrossItemHeight;
    }
    if (!table.timeOfDayItem) {
        return;
    }
    auto time = std::make_shared<IndicatorCrossItem>();
    time->title = "  ";
    time->titleFrame =
        Rect{kCrossItemX, cross.frame.y + kCrossItemTop, kCrossItemTitleWidth, kCrossItemHeight};
    time->titleColor = chartstyle::white();
    time->dataFrame = Rect{0, cross.frame.y + kCrossTimeItemDrop, dataWidth, kCrossTimeItemHeight};
    time->dataColor = chartstyle::white();
    time->dataTextAlignment = 2;
    time->font = chartstyle::arial(kCrossTimeItemFontSize);
    cross.IndicatorCrossItemArray.push_back(std::move(time));
}

void VariableAboutDevice::setIndicatorCrossDataInitAboutFenShiNormal() {
    const DrawRect& area = orZero(m_drawRectOfMain);
    const Point origin = orZero(m_coordinateSystemInfoOfMain).originalPoint;
    m_indicatorCrossData = std::make_shared<IndicatorCrossClass>();
    m_indicatorCrossData->IndicatorCrossLineSet =
        EdgeInsets{area.y, origin.x, origin.y, area.x + area.width};
    m_indicatorCrossData->isTopNavigationBar = true;
}

void VariableAboutDevice::setIndicatorCrossDataInitAboutFenShiWideScreen() {
    setIndicatorCrossDataInitAboutFenShiNormal();
    setCrossBox(kCrossBoxFenShiWide);
}

void VariableAboutDevice::setIndicatorCrossDataInitAboutKLine() {
    const DrawRect& area = orZero(m_drawRectOfMain);
    const CoordinateSystemInfo& main = orZero(m_coordinateSystemInfoOfMain);
    m_indicatorCrossData = std::make_shared<IndicatorCrossClass>();
    m_indicatorCrossData->IndicatorCrossLineSet = EdgeInsets{
        main.firstDottedLineY, main.originalPoint.x,
        orZero(m_coordinateSystemInfoOfSecondaryOne).originalPoint.y, area.x + area.width};
    setCrossBox(kCrossBoxKLine);
}

// Top bar of the wide screen.

void VariableAboutDevice::setTopButtonInfoAboutWideScreen() {
    const float width = m_rootViewFrame.width;
    const StatusSaveClass& status = orZero(m_statusSaveClass);
    m_topRectInfo = std::make_shared<TopRectInfo>();
    m_topRectInfo->navigationBarFrame = Rect{0, 0, width, kTopBarHeight};
    m_topRectInfo->backgroundColor = color(kTopBarBackground);
    setTopCommodityInfoAboutWideScreen();
    setTopYiKouJiaInfoAboutWideScreen();
    const float switchX = width - kSwitchFromRight;
    m_topRectInfo->buttonViewBackgroundImage = imageView(
        Rect{switchX, kSwitchButton.y, kSwitchBackgroundSize.width, kSwitchBackgroundSize.height},
        "kxian-anniu.png");
    const auto switchButton = [&](float x, const char* title, bool selected) {
        auto info =
            button(Rect{x, kSwitchButton.y, kSwitchButton.width, kSwitchButton.height}, selected);
        info->title = title;
        info->titleNormalColor = chartstyle::white();
        info->titleSelectedColor = chartstyle::white();
        info->font = chartstyle::arial(kSwitchFontSize);
        return info;
    };
    m_topRectInfo->fenshiButton = switchButton(switchX, "分时", status.FenShiButtonSelected);
    m_topRectInfo->klineButton =
        switchButton(width - kKLineButtonFromRight, "K线", status.KLineButtonSelected);
    const auto& selected =
        status.FenShiButtonSelected ? m_topRectInfo->fenshiButton : m_topRectInfo->klineButton;
    m_topRectInfo->topButtonSelectedImageView = imageView(selected->frame, "kxian-anniu_press.png");
}

void VariableAboutDevice::setTopCommodityInfoAboutWideScreen() {
    if (!m_topRectInfo) {
        return;
    }
    auto commodity = std::make_shared<CommodityViewInfo>();
    commodity->titleButton = button(toRect(kCommodityTitleButton), false);
    commodity->titleButton->titleNormalColor = chartstyle::white();
    commodity->titleButton->font = chartstyle::arial(kCommodityTitleFontSize);
    commodity->backButton = button(toRect(kCommodityBackButton), false);
    commodity->backButton->titleImage = "hengping.png";
    commodity->listImageViewInfo = imageView(toRect(kCommodityListImage), "caidan.png");
    m_topRectInfo->commodityViewInfo = std::move(commodity);
}

void VariableAboutDevice::setTopYiKouJiaInfoAboutWideScreen() {
    if (!m_topRectInfo) {
        return;
    }
    auto price = std::make_shared<YiKouJiaViewInfo>();
    price->viewFrame = toRect(kPriceBoxFrame);
    price->priceLabelInfo = label(kPriceLabel, kPriceLabelFontSize);
    price->addPriceLabelInfo = label(kAddPriceLabel, kPriceSmallFontSize);
    price->zhangfuLabelInfo = label(kZhangfuLabel, kPriceSmallFontSize);
    price->UpImageString = "yikoujiaUp.png";
    price->downImageString = "yikoujiaDown.png";
    price->normalImageString = "ping.png";
    price->imageFrame = toRect(kPriceImage);
    m_topRectInfo->yikoujiaViewInfo = std::move(price);
}

// Period bar.

void VariableAboutDevice::setPeriodBar(const PeriodBarTable& table) {
    auto bar = std::make_shared<BottomRectInfo>();
    bar->frame = toRect(table.frame);
    bar->periodFrame = toRect(table.periodFrame);
    bar->quotaNormalFrame = toRect(table.quotaNormalFrame);
    bar->quotaChooseFrame = toRect(table.quotaChooseFrame);
    bar->periodScrollFrame = toRect(table.periodScrollFrame);
    bar->bgColor = color(kPeriodBarBackground);
    m_bottomRectInfo = std::move(bar);
    setBottomButtonsWithArray(m_periodButtonInfoArray, table.layoutCode);
}

void VariableAboutDevice::setKLineBottomViewInfoAboutNormal() {
    setPeriodBar(kPeriodBarNormal);
}
void VariableAboutDevice::setKLineBottomViewInfoAboutWideScreenIphone() {
    setPeriodBar(kPeriodBarWide[kInch35]);
}
void VariableAboutDevice::setKLineBottomViewInfoAboutWideScreenIphone5() {
    setPeriodBar(kPeriodBarWide[kInch4]);
}

void VariableAboutDevice::setBottomButtonsWithArray(
    const std::vector<std::shared_ptr<KPeriodDataItem>>& periods, int layoutCode) {
    if (!m_bottomRectInfo) {
        return;
    }
    const float width = periodButtonWidth(layoutCode);
    for (size_t i = 0; i <= periods.size(); ++i) {
        auto info = std::make_shared<ButtonInfo>();
        if (i == 0) {
            info->title = "分时";
        } else {
            info->KPerioditem = periods[i - 1];
            info->title = periods[i - 1] ? periods[i - 1]->periodName : std::string();
        }
        const int index = static_cast<int>(i);
        info->frame = index < kPeriodButtonsPerRow
                          ? Rect{width * index, 0, width, kPeriodButtonHeight}
                          : Rect{0, kPeriodButtonHeight * (index - kPeriodButtonsPerRow), width,
                                 kPeriodButtonHeight};
        info->titleNormalColor = color(kPeriodTitleColor);
        info->titleSelectedColor = chartstyle::white();
        info->tag = kPeriodButtonTagBase + index;
        info->font = chartstyle::system(kPeriodFontSize);
        m_bottomRectInfo->periodButtonArray.push_back(std::move(info));
    }
}

void VariableAboutDevice::setBottomButtonsInfoOfKLine() {
    if (m_bottomRectInfo) {
        m_bottomRectInfo->periodScrollFrame = toRect(kKLinePeriodScrollFrame);
    }
}
