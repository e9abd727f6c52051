#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "chart/ChartDrawingRecords.h"
#include "chart/ChartLayoutRecords.h"
#include "chart/ChartStateRecords.h"
#include "chart/CurrentShowDataLayerInfo.h"
#include "chart/HQFSDrawPram.h"
#include "chart/IndicatorCrossClass.h"
#include "platform/graphics/Color.h"
#include "platform/graphics/Geometry.h"

namespace chartlayout {
struct FenShiAxisTable;
struct HeaderRowTable;
struct DateLabelsTable;
struct CrossBoxTable;
struct PeriodBarTable;
}  // namespace chartlayout

struct commodityInfo;
struct KPeriodDataItem;

// The chart engine's layout object: every fixed geometry of the charts for the
// current chart kind (0 time-sharing, 1 K-line), screen state (0 normal,
// 1 wide) and phone screen, rebuilt by each layout run from the tables, plus
// the state all chart parts share (button selection, per-commodity state,
// current commodity, period list). Made once by the chart manager and shared
// with both chart views; main thread only (the history download reads the
// shared state without a lock).
class VariableAboutDevice {
public:
    using AxisLabels = std::vector<std::shared_ptr<VerTicalAxisTitleInfo>>;

    // The time axis starts at the start of trading of the current shared
    // quote state (VKJYHangQingDataClass::current()).
    VariableAboutDevice(uint32_t screenState, uint32_t hqType, uint32_t device,
                        std::shared_ptr<HQFSDrawPram> fsDrawPram);

    void setAllDefaultStatus();
    // The layout run; device codes other than 0 get no tables.
    void variableInitAboutDeviceWithScreenState(uint32_t screenState, uint32_t hqType);
    void setScreenState(uint32_t screenState, uint32_t hqType);
    void setAllClassToNil();
    // The state of the current commodity; empty when none.
    std::shared_ptr<commodityStatusItem> searchCommodotyStatusItem() const;
    // The one lookup of a commodity's chart state: by CommodityID, MarketID, DiskID and quote
    // server (panindex) together; empty when none.
    std::shared_ptr<commodityStatusItem> searchCommodotyStatusItemByNumbers(int marketID,
                                                                            int diskID,
                                                                            int commodityID,
                                                                            int panel) const;
    // The selected period's state, or a fresh one (grade 1) when there is none.
    std::shared_ptr<PeriodStatusInfo> getCurrentPeriodStatusInfo() const;
    Point getPointX(float x, float y) const { return Point{x, y}; }

    void setDrawViewInfoAboutFenShiNormalIphone();
    void setDrawViewInfoAboutFenShiNormalIphone5();
    void setDrawViewInfoAboutFenShiWideScreenIphone();
    void setDrawViewInfoAboutFenShiWideScreenIphone5();
    void setDrawViewInfoAboutKLineNormalIphone();
    void setDrawViewInfoAboutKLineNormalIphone5();
    void setDrawViewInfoAboutKLineWideScreenIphone();
    void setDrawViewInfoAboutKLineWideScreenIphone5();
    void setPageControlButtonInfoAboutNormal();
    void setTimeCoordinateDrawInfoArrayAboutNormal();
    void setTimeCoordinateDrawInfoArrayAboutWideScreen();
    // Titles the laid-out time axis from the start of trading as it reads now: the exchange's
    // zone may only be told after the layout ran. True when a title changed.
    bool retitleTimeLabels();
    void setVerticalAxisInfoArrayAboutFenShiNormal();
    void setVerticalAxisRightInfoArrayAboutFenShiNormal();
    void setVerticalAxisInfoArrayAboutFenShiWideScreen();
    void setVerticalAxisRightInfoArrayAboutFenShiWideScreen();
    void setVerticalAxisInfoArrayAboutKLineNormal();
    void setVerticalAxisInfoArrayAboutKLineWideScreen();
    void setCurrentShowDataInfoAboutFenShiNormal();
    void setCurrentShowDataInfoAboutKLineNormal();
    void setCurrentShowDataInfoAboutKLineWideScreenIphone();
    void setCurrentShowDataInfoAboutKLineWideScreenIphone5();
    void setCurrentShowTimeInfoAboutKLineNormal();
    void setCurrentShowTimeInfoAboutKLineWideScreenIphone();
    void setCurrentShowTimeInfoAboutKLineWideScreenIphone5();
    void setIndicatorCrossDataInitAboutFenShiNormal();
    void setIndicatorCrossDataInitAboutFenShiWideScreen();
    void setIndicatorCrossDataInitAboutKLine();
    void setTopButtonInfoAboutWideScreen();
    void setTopCommodityInfoAboutWideScreen();
    void setTopYiKouJiaInfoAboutWideScreen();
    void setKLineBottomViewInfoAboutNormal();
    void setKLineBottomViewInfoAboutWideScreenIphone();
    void setKLineBottomViewInfoAboutWideScreenIphone5();
    // One "分时" button tagged 10000, then one per period tagged 10001 on.
    void setBottomButtonsWithArray(const std::vector<std::shared_ptr<KPeriodDataItem>>& periods,
                                   int layoutCode);
    void setBottomButtonsInfoOfKLine();

    // True when the main screen's mode is 640 x 1136 pixels.
    static bool isFourInchScreen();

    const std::optional<Color>& backgroundColor() const { return m_backgroundColor; }
    void setBackgroundColor(std::optional<Color> value) { m_backgroundColor = std::move(value); }
    uint32_t device() const { return m_device; }
    void setDevice(uint32_t value) { m_device = value; }
    uint32_t stateOfScreen() const { return m_stateOfScreen; }
    void setStateOfScreen(uint32_t value) { m_stateOfScreen = value; }
    uint32_t typeOfHQ() const { return m_typeOfHQ; }
    void setTypeOfHQ(uint32_t value) { m_typeOfHQ = value; }
    const std::shared_ptr<DrawRect>& drawRectOfMain() const { return m_drawRectOfMain; }
    void setDrawRectOfMain(std::shared_ptr<DrawRect> value) { m_drawRectOfMain = std::move(value); }
    const std::shared_ptr<AboutDrawInfo>& drawInfoOfMain() const { return m_drawInfoOfMain; }
    void setDrawInfoOfMain(std::shared_ptr<AboutDrawInfo> value) {
        m_drawInfoOfMain = std::move(value);
    }
    const std::shared_ptr<CoordinateSystemInfo>& coordinateSystemInfoOfMain() const {
        return m_coordinateSystemInfoOfMain;
    }
    void setCoordinateSystemInfoOfMain(std::shared_ptr<CoordinateSystemInfo> value) {
        m_coordinateSystemInfoOfMain = std::move(value);
    }
    const std::vector<std::shared_ptr<TimeCoordinateDrawInfo>>& TimeCoordinateDrawInfoArray()
        const {
        return m_TimeCoordinateDrawInfoArray;
    }
    void setTimeCoordinateDrawInfoArray(
        std::vector<std::shared_ptr<TimeCoordinateDrawInfo>> value) {
        m_TimeCoordinateDrawInfoArray = std::move(value);
    }
    const std::shared_ptr<DrawRect>& drawRectOfSecondaryOne() const {
        return m_drawRectOfSecondaryOne;
    }
    void setDrawRectOfSecondaryOne(std::shared_ptr<DrawRect> value) {
        m_drawRectOfSecondaryOne = std::move(value);
    }
    const std::shared_ptr<AboutDrawInfo>& drawInfoOfSecondaryOne() const {
        return m_drawInfoOfSecondaryOne;
    }
    void setDrawInfoOfSecondaryOne(std::shared_ptr<AboutDrawInfo> value) {
        m_drawInfoOfSecondaryOne = std::move(value);
    }
    const std::shared_ptr<CoordinateSystemInfo>& coordinateSystemInfoOfSecondaryOne() const {
        return m_coordinateSystemInfoOfSecondaryOne;
    }
    void setCoordinateSystemInfoOfSecondaryOne(std::shared_ptr<CoordinateSystemInfo> value) {
        m_coordinateSystemInfoOfSecondaryOne = std::move(value);
    }
    const std::shared_ptr<DrawRect>& drawRectOfSecondaryTwo() const {
        return m_drawRectOfSecondaryTwo;
    }
    void setDrawRectOfSecondaryTwo(std::shared_ptr<DrawRect> value) {
        m_drawRectOfSecondaryTwo = std::move(value);
    }
    const std::shared_ptr<AboutDrawInfo>& drawInfoOfSecondaryTwo() const {
        return m_drawInfoOfSecondaryTwo;
    }
    void setDrawInfoOfSecondaryTwo(std::shared_ptr<AboutDrawInfo> value) {
        m_drawInfoOfSecondaryTwo = std::move(value);
    }
    const std::shared_ptr<CoordinateSystemInfo>& coordinateSystemInfoOfSecondaryTwo() const {
        return m_coordinateSystemInfoOfSecondaryTwo;
    }
    void setCoordinateSystemInfoOfSecondaryTwo(std::shared_ptr<CoordinateSystemInfo> value) {
        m_coordinateSystemInfoOfSecondaryTwo = std::move(value);
    }
    const std::shared_ptr<TopRectInfo>& topRectInfo() const { return m_topRectInfo; }
    void setTopRectInfo(std::shared_ptr<TopRectInfo> value) { m_topRectInfo = std::move(value); }
    const std::shared_ptr<TopRectInfo>& secondaryOneTopRectInfo() const {
        return m_secondaryOneTopRectInfo;
    }
    void setSecondaryOneTopRectInfo(std::shared_ptr<TopRectInfo> value) {
        m_secondaryOneTopRectInfo = std::move(value);
    }
    const std::shared_ptr<TopRectInfo>& secondaryTwoTopRectInfo() const {
        return m_secondaryTwoTopRectInfo;
    }
    void setSecondaryTwoTopRectInfo(std::shared_ptr<TopRectInfo> value) {
        m_secondaryTwoTopRectInfo = std::move(value);
    }
    const std::shared_ptr<BottomRectInfo>& bottomRectInfo() const { return m_bottomRectInfo; }
    void setBottomRectInfo(std::shared_ptr<BottomRectInfo> value) {
        m_bottomRectInfo = std::move(value);
    }
    const std::shared_ptr<PageControlView>& pageControl() const { return m_pageControl; }
    void setPageControl(std::shared_ptr<PageControlView> value) {
        m_pageControl = std::move(value);
    }
    const std::shared_ptr<CurrentShowDataLayerInfo>& currentShowDataLayerInfo() const {
        return m_currentShowDataLayerInfo;
    }
    void setCurrentShowDataLayerInfo(std::shared_ptr<CurrentShowDataLayerInfo> value) {
        m_currentShowDataLayerInfo = std::move(value);
    }
    const std::shared_ptr<IndicatorCrossClass>& indicatorCrossData() const {
        return m_indicatorCrossData;
    }
    void setIndicatorCrossData(std::shared_ptr<IndicatorCrossClass> value) {
        m_indicatorCrossData = std::move(value);
    }
    const std::shared_ptr<StatusSaveClass>& statusSaveClass() const { return m_statusSaveClass; }
    void setStatusSaveClass(std::shared_ptr<StatusSaveClass> value) {
        m_statusSaveClass = std::move(value);
    }
    const AxisLabels& VerticalAxisMainInfoArray() const { return m_VerticalAxisMainInfoArray; }
    void setVerticalAxisMainInfoArray(AxisLabels value) {
        m_VerticalAxisMainInfoArray = std::move(value);
    }
    const AxisLabels& VerticalAxisMainRightInfoArray() const {
        return m_VerticalAxisMainRightInfoArray;
    }
    void setVerticalAxisMainRightInfoArray(AxisLabels value) {
        m_VerticalAxisMainRightInfoArray = std::move(value);
    }
    const AxisLabels& VerticalAxisSecondaryOneInfoArray() const {
        return m_VerticalAxisSecondaryOneInfoArray;
    }
    void setVerticalAxisSecondaryOneInfoArray(AxisLabels value) {
        m_VerticalAxisSecondaryOneInfoArray = std::move(value);
    }
    const AxisLabels& VerticalAxisSecondaryTwoInfoArray() const {
        return m_VerticalAxisSecondaryTwoInfoArray;
    }
    void setVerticalAxisSecondaryTwoInfoArray(AxisLabels value) {
        m_VerticalAxisSecondaryTwoInfoArray = std::move(value);
    }
    const std::vector<std::shared_ptr<KPeriodDataItem>>& periodButtonInfoArray() const {
        return m_periodButtonInfoArray;
    }
    void setPeriodButtonInfoArray(std::vector<std::shared_ptr<KPeriodDataItem>> value) {
        m_periodButtonInfoArray = std::move(value);
    }
    const std::vector<std::shared_ptr<commodityStatusItem>>& CommodityStatusInfoArray() const {
        return m_CommodityStatusInfoArray;
    }
    void setCommodityStatusInfoArray(std::vector<std::shared_ptr<commodityStatusItem>> value) {
        m_CommodityStatusInfoArray = std::move(value);
    }
    const std::shared_ptr<commodityInfo>& currentCommodity() const { return m_currentCommodity; }
    void setCurrentCommodity(std::shared_ptr<commodityInfo> value) {
        m_currentCommodity = std::move(value);
    }
    const std::shared_ptr<HQFSDrawPram>& FSDrawPram() const { return m_FSDrawPram; }
    void setFSDrawPram(std::shared_ptr<HQFSDrawPram> value) { m_FSDrawPram = std::move(value); }
    Rect rootViewFrame() const { return m_rootViewFrame; }
    void setRootViewFrame(Rect value) { m_rootViewFrame = value; }
    Rect drawViewFrame() const { return m_drawViewFrame; }
    void setDrawViewFrame(Rect value) { m_drawViewFrame = value; }

private:
    void setFenShiArea(int state, int screen);
    void setKLineArea(int state, int screen);
    void setTimeLabels(bool wide);
    void setFenShiAxis(const chartlayout::FenShiAxisTable& table, AxisLabels& labels) const;
    std::vector<std::shared_ptr<CurrentDataItem>> headerRow(
        const chartlayout::HeaderRowTable& row) const;
    void setKLineHeader(const chartlayout::HeaderRowTable& main,
                        const chartlayout::HeaderRowTable& macd,
                        const chartlayout::HeaderRowTable& kdj);
    void setDateLabels(const chartlayout::DateLabelsTable& table);
    void setCrossBox(const chartlayout::CrossBoxTable& table);
    void setPeriodBar(const chartlayout::PeriodBarTable& table);

    std::optional<Color> m_backgroundColor;
    uint32_t m_device = 0;
    uint32_t m_stateOfScreen = 0;
    uint32_t m_typeOfHQ = 0;
    std::shared_ptr<DrawRect> m_drawRectOfMain;
    std::shared_ptr<AboutDrawInfo> m_drawInfoOfMain;
    std::shared_ptr<CoordinateSystemInfo> m_coordinateSystemInfoOfMain;
    std::vector<std::shared_ptr<TimeCoordinateDrawInfo>> m_TimeCoordinateDrawInfoArray;
    std::shared_ptr<DrawRect> m_drawRectOfSecondaryOne;
    std::shared_ptr<AboutDrawInfo> m_drawInfoOfSecondaryOne;
    std::shared_ptr<CoordinateSystemInfo> m_coordinateSystemInfoOfSecondaryOne;
    std::shared_ptr<DrawRect> m_drawRectOfSecondaryTwo;
    std::shared_ptr<AboutDrawInfo> m_drawInfoOfSecondaryTwo;
    std::shared_ptr<CoordinateSystemInfo> m_coordinateSystemInfoOfSecondaryTwo;
    std::shared_ptr<TopRectInfo> m_topRectInfo;
    std::shared_ptr<TopRectInfo> m_secondaryOneTopRectInfo;
    std::shared_ptr<TopRectInfo> m_secondaryTwoTopRectInfo;
    std::shared_ptr<BottomRectInfo> m_bottomRectInfo;
    std::shared_ptr<PageControlView> m_pageControl;
    std::shared_ptr<CurrentShowDataLayerInfo> m_currentShowDataLayerInfo;
    std::shared_ptr<IndicatorCrossClass> m_indicatorCrossData;
    std::shared_ptr<StatusSaveClass> m_statusSaveClass;
    AxisLabels m_VerticalAxisMainInfoArray;
    AxisLabels m_VerticalAxisMainRightInfoArray;
    AxisLabels m_VerticalAxisSecondaryOneInfoArray;
    AxisLabels m_VerticalAxisSecondaryTwoInfoArray;
    std::vector<std::shared_ptr<KPeriodDataItem>> m_periodButtonInfoArray;
    std::vector<std::shared_ptr<commodityStatusItem>> m_CommodityStatusInfoArray;
    std::shared_ptr<commodityInfo> m_currentCommodity;
    std::shared_ptr<HQFSDrawPram> m_FSDrawPram;
    Rect m_rootViewFrame;
    Rect m_drawViewFrame;
};
