#include "chart/HQDrawManager.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "chart/ChartPaint.h"
#include "chart/ChartScale.h"
#include "chart/ChartStyle.h"
#include "chart/ChartTouch.h"
#include "chart/HQBackGroundView.h"
#include "chart/HQCoordinateOfFenShiOutput.h"
#include "chart/HQCoordinateOfKDJOutput.h"
#include "chart/HQCoordinateOfKLineOutput.h"
#include "chart/HQCoordinateOfMACDOutput.h"
#include "chart/HQDataCalculation.h"
#include "chart/HQDataConversion.h"
#include "chart/HQDrawContent.h"
#include "chart/HQDrawManagerDelegate.h"
#include "chart/VariableAboutDevice.h"
#include "platform/graphics/Gradient.h"
#include "platform/graphics/GraphicsContext.h"
#include "platform/ui/Touch.h"
#include "quote/QuoteRecords.h"

namespace {

constexpr uint32_t kKLineKind = 1;
constexpr uint32_t kFenShiKind = 0;
constexpr double kVolumeLabelHeight = 12;
constexpr const char* kNoValue = "--";
constexpr const char* kBlankValue = "  ";
constexpr const char* kZeroLabel = "0.00";

const std::vector<std::shared_ptr<KLineDataItem>> kNoBars;

// "+1.23%" above 0, "-1.23%" or "0.00%" otherwise.
std::string changeText(double percent) {
    char text[64];
    std::snprintf(text, sizeof text, percent > 0 ? "+%.2lf%%" : "%.2lf%%", percent);
    return text;
}

Color changeColor(double percent) {
    if (percent > 0) {
        return chartstyle::red();
    }
    return percent < 0 ? chartstyle::fallGreen() : chartstyle::white();
}

template <typename T>
std::vector<std::shared_ptr<T>> converted(const ConversionOutput& output) {
    const auto* items = std::get_if<std::vector<std::shared_ptr<T>>>(&output);
    return items ? *items : std::vector<std::shared_ptr<T>>{};
}

Point at(const std::shared_ptr<HQPoint>& point) {
    return point ? Point{point->x, point->y} : Point{};
}

float yOf(const std::shared_ptr<HQPoint>& point) {
    return point ? point->y : 0;
}

std::shared_ptr<VerTicalAxisTitleInfo> volumeLabel(double y, double width, long value) {
    auto label = std::make_shared<VerTicalAxisTitleInfo>();
    label->font = chartstyle::arial(9);
    label->textAlignment = 2;
    label->color = chartstyle::white();
    label->frame = Rect{0, y, width, kVolumeLabelHeight};
    label->title = std::to_string(value);
    return label;
}

}  // namespace

HQDrawManager::HQDrawManager(std::shared_ptr<VariableAboutDevice> variableInfo)
    : View(variableInfo ? variableInfo->drawViewFrame() : Rect{}),
      m_type(variableInfo ? static_cast<int>(variableInfo->typeOfHQ()) : 0),
      m_variableInfo(std::move(variableInfo)) {
    DrawManageInit();
}

HQDrawManager::~HQDrawManager() {
    // The layers may outlive this view until the next run-loop turn.
    for (HQDrawContent* layer : {m_DrawLineView, m_DrawCurrentDataView}) {
        if (layer) {
            layer->setDelegate(nullptr);
        }
    }
}

void HQDrawManager::DrawManageInit() {
    const Rect bounds{0, 0, frame().width, frame().height};
    m_DrawBackgroundView = addSubview(std::make_unique<HQBackGroundView>(bounds, m_variableInfo));
    m_DrawLineView = addSubview(std::make_unique<HQDrawContent>(bounds));
    m_DrawLineView->setTag(kLineLayerTag);
    m_DrawLineView->setDelegate(this);
    m_DrawCurrentDataView = addSubview(std::make_unique<HQDrawContent>(bounds));
    m_DrawCurrentDataView->setTag(kCurrentDataLayerTag);
    m_DrawCurrentDataView->setDelegate(this);
}

void HQDrawManager::setVariableInfo(std::shared_ptr<VariableAboutDevice> variableInfo) {
    m_variableInfo = std::move(variableInfo);
    m_DrawBackgroundView->setVariableInfo(m_variableInfo);
    reSetNeedsDisPlay();
}

void HQDrawManager::resetViewFrame(const Rect& rect) {
    m_DrawBackgroundView->setFrame(rect);
    m_DrawLineView->setFrame(rect);
    m_DrawCurrentDataView->setFrame(rect);
    m_DrawBackgroundView->setNeedsDisplay();
}

void HQDrawManager::resetLineLayers() {
    if (m_showIndicatorCross) {
        m_showIndicatorCross = false;
        sendHidIndicatorCross();
    }
    const Rect frame = m_variableInfo ? m_variableInfo->drawViewFrame() : Rect{};
    resetViewFrame(Rect{0, 0, frame.width, frame.height});
}

void HQDrawManager::reSetNeedsDisPlay() {
    m_DrawBackgroundView->setNeedsDisplay();
    KLineLayersNeedsDisplay();
}

void HQDrawManager::KLineLayersNeedsDisplay() {
    m_DrawLineView->setNeedsDisplay();
    m_DrawCurrentDataView->setNeedsDisplay();
}

void HQDrawManager::sendHidIndicatorCross() {
    if (m_delegate) {
        m_delegate->addGestureRecognizerWhenHidIndicatorCross();
    }
}

int HQDrawManager::decimals() const {
    return m_commoInfo ? m_commoInfo->leastPrice : 0;
}

const std::vector<std::shared_ptr<KLineDataItem>>& HQDrawManager::klineBars() const {
    const auto* replies = std::get_if<KLineReplies>(&m_drawData);
    if (!replies || replies->empty() || !replies->front()) {
        return kNoBars;
    }
    return replies->front()->klineDataItemsArray;
}

void HQDrawManager::resetLayersData() {
    if (!m_variableInfo) {
        return;
    }
    if (m_variableInfo->typeOfHQ() != kKLineKind) {
        if (!m_FenShiDataItemArray.empty()) {
            FenShiResetDrawData();
        }
        return;
    }
    const auto status = m_variableInfo->searchCommodotyStatusItem();
    const auto& statusSave = m_variableInfo->statusSaveClass();
    if (!status || status->periodButtonArray.empty() || !statusSave) {
        return;
    }
    const auto index = static_cast<size_t>(statusSave->toolBarSelectedButtonCount);
    if (index >= status->periodButtonArray.size() || !status->periodButtonArray[index]) {
        return;
    }
    const auto& replies = status->periodButtonArray[index]->KLineDataArray;
    if (!replies.empty()) {
        KLineResetDrawLineDataSelf(replies);
    }
}

void HQDrawManager::KLineResetDrawLineDataSelf(const KLineReplies& replies) {
    m_drawData = replies;
    if (!m_variableInfo) {
        return;
    }
    m_commoInfo = m_variableInfo->currentCommodity();
    buildKLineWindow(klineBars());
}

void HQDrawManager::buildKLineWindow(const std::vector<std::shared_ptr<KLineDataItem>>& bars) {
    const auto marked = markedPoint(kKLineKind);
    const auto period = m_variableInfo->getCurrentPeriodStatusInfo();
    const int offset = period ? period->offset : 0;
    const auto& columns = m_variableInfo->drawInfoOfMain();
    const int perScreen = columns ? static_cast<int>(columns->pointCount) : 0;
    const chartscale::KLineWindow window =
        chartscale::klineWindow(static_cast<int>(bars.size()), offset, perScreen);
    if (window.count == 0) {
        // Another period's or commodity's bars must not stay on screen.
        clearKLineWindow();
        return;
    }
    const std::vector<std::shared_ptr<KLineDataItem>> shown(
        bars.begin() + window.start, bars.begin() + window.start + window.count);

    m_DataCalculation = std::make_shared<HQDataCalculation>(shown, m_variableInfo,
                                                            HQDataCalculation::kMainPriceChart);
    m_result = std::make_shared<HQCalculationResult>(*m_DataCalculation->getCalculationResult());
    const auto& mainSystem = m_variableInfo->coordinateSystemInfoOfMain();
    const int lineCount = mainSystem ? mainSystem->dottedLineNumber : 0;
    if (decimals() == 0) {
        chartscale::widenToWholeNumbers(*m_result, lineCount);
    }
    m_KLineFactroy = std::make_shared<HQCoordinateOfKLineOutput>();
    m_KLineConversion = m_KLineFactroy->factroyMothod();
    m_KLineConversion->setOffset(offset);
    m_coordinateKLineData = converted<KLineDrawDataItem>(
        m_KLineConversion->dataConversionToCoordinateType(0, shown, m_result, *m_variableInfo));
    setMainAxisLabels(*m_result);

    m_DataCalculation->setDataType(HQDataCalculation::kMACDChart);
    m_result = std::make_shared<HQCalculationResult>(*m_DataCalculation->getCalculationResult());
    m_MACDFactroy = std::make_shared<HQCoordinateOfMACDOutput>();
    m_MACDConversion = m_MACDFactroy->factroyMothod();
    m_MACDConversion->setOffset(offset);
    m_MACDData = converted<MACDDrawDataItem>(
        m_MACDConversion->dataConversionToCoordinateType(0, shown, m_result, *m_variableInfo));
    m_KDJFactroy = std::make_shared<HQCoordinateOfKDJOutput>();
    m_KDJConversion = m_KDJFactroy->factroyMothod();
    m_KDJConversion->setOffset(offset);
    m_KDJData = converted<KDJDrawDataItem>(
        m_KDJConversion->dataConversionToCoordinateType(0, shown, nullptr, *m_variableInfo));
    setMACDLabelTexts(*m_result);
    m_VerticalAxisSecondaryOneKDJArray = {"100", "50", "0"};
    resetVerticalAxisSecondaryOne();

    if (const auto& header = m_variableInfo->currentShowDataLayerInfo()) {
        header->setSecondaryOneTimeDataByDataArray(
            {bars[window.start] ? bars[window.start]->date : 0,
             bars[window.newestShown] ? bars[window.newestShown]->date : 0});
    }
    followMarkedPoint(kKLineKind, marked);
    setKLineCurrentShowData(m_indicatorCrossPointNum);
    const auto& statusSave = m_variableInfo->statusSaveClass();
    m_isMACD = statusSave && statusSave->iphoneKLineZhiBiaoMACDButtonSelected;
    KLineLayersNeedsDisplay();
}

void HQDrawManager::clearKLineWindow() {
    m_coordinateKLineData.clear();
    m_MACDData.clear();
    m_KDJData.clear();
    m_VerticalAxisMainData.clear();
    m_VerticalAxisSecondaryOneData.clear();
    m_result = std::make_shared<HQCalculationResult>();
    if (m_showIndicatorCross) {
        m_showIndicatorCross = false;
        sendHidIndicatorCross();
    }
    m_indicatorCrossPointNum = -1;
    // A fresh layout run puts the "--" placeholders back into the header.
    resetVerticalAxisSecondaryOne();
}

void HQDrawManager::setMainAxisLabels(const HQCalculationResult& range) {
    const auto& system = m_variableInfo->coordinateSystemInfoOfMain();
    const auto texts =
        chartscale::priceLabelTexts(range, system ? system->dottedLineNumber : 0, decimals());
    const auto& entries = m_variableInfo->VerticalAxisMainInfoArray();
    m_VerticalAxisMainData.clear();
    for (size_t i = 0; i < texts.size() && i < entries.size(); ++i) {
        if (!entries[i]) {
            continue;
        }
        entries[i]->title = texts[i];
        m_VerticalAxisMainData.push_back(entries[i]);
    }
}

void HQDrawManager::setMACDLabelTexts(const HQCalculationResult& range) {
    const auto& system = m_variableInfo->coordinateSystemInfoOfSecondaryOne();
    const int lineCount = system ? system->dottedLineNumber : 0;
    const double step = lineCount > 0 ? (range.highest - range.lowest) / lineCount : 0;
    m_VerticalAxisSecondaryOneMACDArray.clear();
    const size_t count = m_variableInfo->VerticalAxisSecondaryOneInfoArray().size();
    for (size_t i = 0; i < count; ++i) {
        m_VerticalAxisSecondaryOneMACDArray.push_back(
            chartscale::axisText(range.highest - i * step, 2));
    }
}

void HQDrawManager::resetVerticalAxisSecondaryOne() {
    if (!m_variableInfo) {
        return;
    }
    if (m_coordinateKLineData.empty()) {
        // The layout is shared with the other chart and laid out for the one on show: laid out
        // again from here while this chart is away, it would blank the other chart's header.
        const uint32_t kind = m_variableInfo->typeOfHQ();
        if (kind == static_cast<uint32_t>(m_type)) {
            m_variableInfo->setScreenState(m_variableInfo->stateOfScreen(), kind);
        }
        m_DrawCurrentDataView->setNeedsDisplay();
        return;
    }
    m_VerticalAxisSecondaryOneData.clear();
    const auto& statusSave = m_variableInfo->statusSaveClass();
    const CoordinateSystemInfo system = m_variableInfo->coordinateSystemInfoOfSecondaryOne()
                                            ? *m_variableInfo->coordinateSystemInfoOfSecondaryOne()
                                            : CoordinateSystemInfo{};
    const auto& entries = m_variableInfo->VerticalAxisSecondaryOneInfoArray();
    const bool macd = statusSave && statusSave->iphoneKLineZhiBiaoMACDButtonSelected;
    const auto textAt = [](const std::vector<std::string>& texts, size_t i) {
        return i < texts.size() ? texts[i] : std::string();
    };
    if (macd && !m_MACDData.empty()) {
        const float zeroY = yOf(m_MACDData.front()->ZeroPoint);
        for (size_t i = 0; i < entries.size(); ++i) {
            VerTicalAxisTitleInfo& entry = *entries[i];
            entry.title = textAt(m_VerticalAxisSecondaryOneMACDArray, i);
            if (i == 0) {
                entry.frame.y = system.firstDottedLineY;
            }
            if (i == 1) {
                entry.frame.y = zeroY - entry.frame.height / 2;
                entry.title = kZeroLabel;
            }
            // A top or bottom label reading 0.00 carries the zero itself.
            if (textAt(m_VerticalAxisSecondaryOneMACDArray, i) == kZeroLabel &&
                entries.size() > 1) {
                entries[1]->title.clear();
                entry.title = kZeroLabel;
            }
            if (entries[0]->title == kZeroLabel && entries.size() > 1) {
                entries[1]->title.clear();
            }
            m_VerticalAxisSecondaryOneData.push_back(entries[i]);
        }
        fitZeroLabel(zeroY);
    } else if (!macd && !m_KDJData.empty()) {
        for (size_t i = 0; i < entries.size(); ++i) {
            VerTicalAxisTitleInfo& entry = *entries[i];
            entry.title = textAt(m_VerticalAxisSecondaryOneKDJArray, i);
            if (i == 1) {
                entry.frame.y =
                    system.firstDottedLineY + system.dottedLineInterval - entry.frame.height / 2;
            }
            m_VerticalAxisSecondaryOneData.push_back(entries[i]);
        }
    }
    reSetNeedsDisPlay();
}

void HQDrawManager::fitZeroLabel(float zeroY) {
    const auto& entries = m_variableInfo->VerticalAxisSecondaryOneInfoArray();
    if (entries.size() < 3 || entries[1]->title.empty()) {
        return;
    }
    // On a short indicator area the zero line runs close to the top or bottom label.
    VerTicalAxisTitleInfo& zero = *entries[1];
    const auto y = chartscale::labelBesideLine(zeroY, zero.frame.height, entries[0]->frame.maxY(),
                                               entries[2]->frame.y);
    if (!y) {
        zero.title.clear();
        return;
    }
    zero.frame.y = *y;
}

void HQDrawManager::FenShiResetDrawDataWithCommodity(const FenShiReplies& replies,
                                                     std::shared_ptr<commodityInfo> commodity) {
    if (replies.empty() || !m_variableInfo) {
        return;
    }
    const auto marked = markedPoint(kFenShiKind);
    m_drawData = replies;
    m_commoInfo = std::move(commodity);
    const auto& first = replies.front();
    m_FenShiDataItemArray.clear();
    if (first && !first->tradingDayNumArray.empty() && first->tradingDayNumArray.front()) {
        m_FenShiDataItemArray = first->tradingDayNumArray.front()->fenShiDataItemArray;
    }
    const auto status = m_variableInfo->searchCommodotyStatusItem();
    const HQCalculationResult held =
        status && status->result ? *status->result : HQCalculationResult{};
    m_result = std::make_shared<HQCalculationResult>(
        chartscale::stretchedAboutClose(held, first ? first->yesterdayClose : 0));
    m_FenShiFactroy = std::make_shared<HQCoordinateOfFenShiOutput>();
    m_FenShiConversion = m_FenShiFactroy->factroyMothod();
    auto points = converted<FenShiDrawDataItem>(m_FenShiConversion->dataConversionToCoordinateType(
        0, m_FenShiDataItemArray, m_result, *m_variableInfo));
    if (status) {
        (m_variableInfo->stateOfScreen() != 0 ? status->WidthFenShiData
                                              : status->NormalFenShiData) = std::move(points);
    }
    rebuildFenShiWindow(marked);
}

void HQDrawManager::FenShiResetDrawData() {
    if (!m_variableInfo) {
        return;
    }
    rebuildFenShiWindow(markedPoint(kFenShiKind));
}

void HQDrawManager::rebuildFenShiWindow(std::optional<int64_t> marked) {
    const auto status = m_variableInfo->searchCommodotyStatusItem();
    const auto first =
        status && !status->FenShiDataArray.empty() ? status->FenShiDataArray.front() : nullptr;
    if (!first) {
        clearFenShiWindow();
        return;
    }
    const double yesterdayClose = first->yesterdayClose;
    const HQCalculationResult held = status->result ? *status->result : HQCalculationResult{};
    m_result = std::make_shared<HQCalculationResult>(
        chartscale::stretchedAboutClose(held, yesterdayClose));
    m_FenShiDataItemArray.clear();
    if (!first->tradingDayNumArray.empty() && first->tradingDayNumArray.front()) {
        m_FenShiDataItemArray = first->tradingDayNumArray.front()->fenShiDataItemArray;
    }
    auto& cache =
        m_variableInfo->stateOfScreen() != 0 ? status->WidthFenShiData : status->NormalFenShiData;
    if (cache.size() != m_FenShiDataItemArray.size()) {
        if (!m_FenShiConversion) {
            m_FenShiFactroy = std::make_shared<HQCoordinateOfFenShiOutput>();
            m_FenShiConversion = m_FenShiFactroy->factroyMothod();
        }
        cache = converted<FenShiDrawDataItem>(m_FenShiConversion->dataConversionToCoordinateType(
            0, m_FenShiDataItemArray, m_result, *m_variableInfo));
    }
    m_fenShiData = cache;
    m_commoInfo = m_variableInfo->currentCommodity();
    setFenShiAxisLabels(yesterdayClose);
    followMarkedPoint(kFenShiKind, marked);
    setFenShiHeaderToCurrentRow();
    if (!m_fenShiData.empty()) {
        m_DrawLineView->setNeedsDisplay();
    }
}

void HQDrawManager::clearFenShiWindow() {
    m_fenShiData.clear();
    m_FenShiDataItemArray.clear();
    m_VerticalAxisMainData.clear();
    m_result = std::make_shared<HQCalculationResult>();
    if (m_showIndicatorCross) {
        m_showIndicatorCross = false;
        sendHidIndicatorCross();
    }
    m_indicatorCrossPointNum = -1;
    // The layout is the K-line chart's while that one is on show.
    if (m_variableInfo->typeOfHQ() != kFenShiKind) {
        return;
    }
    // A fresh layout run puts the "--" placeholders back into the header.
    m_variableInfo->setScreenState(m_variableInfo->stateOfScreen(), m_variableInfo->typeOfHQ());
    reSetNeedsDisPlay();
}

void HQDrawManager::setFenShiAxisLabels(double yesterdayClose) {
    const HQCalculationResult& range = *m_result;
    setMainAxisLabels(range);
    const auto& system = m_variableInfo->coordinateSystemInfoOfMain();
    const int lineCount = system ? system->dottedLineNumber : 0;
    const auto& right = m_variableInfo->VerticalAxisMainRightInfoArray();
    const auto percents = chartscale::percentLabelTexts(range, lineCount, yesterdayClose);
    for (size_t i = 0; i < percents.size() && i < right.size(); ++i) {
        if (right[i]) {
            right[i]->title = percents[i];
            m_VerticalAxisMainData.push_back(right[i]);
        }
    }
    const CoordinateSystemInfo grid = system ? *system : CoordinateSystemInfo{};
    const float areaTop =
        m_variableInfo->drawRectOfMain() ? m_variableInfo->drawRectOfMain()->y : 0;
    const double top = areaTop + lineCount * grid.dottedLineInterval;
    const double bottom = grid.originalPoint.y;
    const double width = grid.originalPoint.x - 2;
    const auto highest = static_cast<long>(range.xianShouHighest);
    const auto lowest = static_cast<long>(range.xianShouLowest);
    m_VerticalAxisMainData.push_back(volumeLabel(top, width, highest));
    m_VerticalAxisMainData.push_back(volumeLabel(bottom - kVolumeLabelHeight, width, lowest));
    m_VerticalAxisMainData.push_back(
        volumeLabel(top + (bottom - top) * 0.5, width,
                    static_cast<long>(range.xianShouHighest + range.xianShouLowest) / 2));
}

void HQDrawManager::setFenShiHeaderToCurrentRow() {
    if (m_variableInfo->typeOfHQ() != kFenShiKind || m_FenShiDataItemArray.empty()) {
        return;
    }
    const bool atCross =
        m_showIndicatorCross && m_indicatorCrossPointNum >= 0 &&
        static_cast<size_t>(m_indicatorCrossPointNum) < m_FenShiDataItemArray.size();
    setFenShiCurrentShowData(
        atCross ? m_FenShiDataItemArray[m_indicatorCrossPointNum] : m_FenShiDataItemArray.back(),
        atCross);
}

void HQDrawManager::setKLineDataToNil() {
    m_coordinateKLineData.clear();
    m_MACDData.clear();
    m_KDJData.clear();
    m_result.reset();
    reSetNeedsDisPlay();
}

void HQDrawManager::setFenShiDataToNil() {
    m_fenShiData.clear();
    m_result.reset();
    m_FenShiDataItemArray.clear();
    reSetNeedsDisPlay();
}

void HQDrawManager::HiddenKLineLayers(bool) {
    m_drawData = std::monostate{};
    if (m_variableInfo && m_variableInfo->currentShowDataLayerInfo()) {
        m_variableInfo->currentShowDataLayerInfo()->setMainDataByDataArray({}, {});
    }
    m_showIndicatorCross = false;
    sendHidIndicatorCross();
}

void HQDrawManager::HiddenFenShiLayers(bool) {
    setFenShiCurrentShowData(nullptr, true);
    m_showIndicatorCross = false;
    sendHidIndicatorCross();
}

void HQDrawManager::setQuotaShowInfo(int quota) {
    if (quota == 0) {
        m_isMACD = true;
        m_DrawBackgroundView->setIsKDJ(false);
    } else if (quota == 1) {
        m_isMACD = false;
        m_DrawBackgroundView->setIsKDJ(true);
    }
    resetVerticalAxisSecondaryOne();
}

void HQDrawManager::setFenShiYiKouJia(std::shared_ptr<YiKouJia> quote) {
    m_yikoujia = std::move(quote);
    if (m_variableInfo && !m_FenShiDataItemArray.empty()) {
        setFenShiHeaderToCurrentRow();
    }
}

std::string HQDrawManager::PointValue(const std::shared_ptr<HQPoint>& point, int decimals) {
    return point ? chartscale::priceText(point->Value, decimals) : kNoValue;
}

Color HQDrawManager::judgeColorWithData(double value, double reference) {
    if (value == 0 || reference == 0 || value == reference) {
        return chartstyle::white();
    }
    return value > reference ? chartstyle::red() : chartstyle::fallGreen();
}

void HQDrawManager::KLineSetCurrentShowLayerDataWithNum(int k) {
    if (!m_variableInfo || m_coordinateKLineData.empty()) {
        return;
    }
    const size_t last = m_coordinateKLineData.size() - 1;
    const size_t index = k < 0 ? last : std::min(static_cast<size_t>(k), last);
    const auto& bar = m_coordinateKLineData[index];
    const auto macd = index < m_MACDData.size() ? m_MACDData[index] : nullptr;
    const auto kdj = index < m_KDJData.size() ? m_KDJData[index] : nullptr;
    std::vector<std::string> mainTexts;
    const auto& statusSave = m_variableInfo->statusSaveClass();
    if (m_variableInfo->stateOfScreen() != 0) {
        const auto& periods = m_variableInfo->periodButtonInfoArray();
        const auto selected =
            statusSave ? static_cast<size_t>(statusSave->toolBarSelectedButtonCount) : 0;
        mainTexts.push_back(selected < periods.size() && periods[selected]
                                ? periods[selected]->periodName
                                : std::string());
        mainTexts.emplace_back(kBlankValue);
    }
    const int places = decimals();
    for (const auto* average :
         {&bar->PMA5Point, &bar->PMA10Point, &bar->PMA20Point, &bar->PMA30Point}) {
        mainTexts.push_back(PointValue(*average, places));
    }
    const auto& header = m_variableInfo->currentShowDataLayerInfo();
    if (header) {
        header->setMainDataByDataArray(mainTexts, {});
        header->setSecondaryOneDataByDataArray(
            {kBlankValue, PointValue(macd ? macd->DifPoint : nullptr, 2),
             PointValue(macd ? macd->DeaPoint : nullptr, 2),
             PointValue(macd ? macd->MACDPoint : nullptr, 2)},
            {});
        header->setSecondaryOneKDJDataByDataArray({kBlankValue,
                                                   PointValue(kdj ? kdj->KPoint : nullptr, 2),
                                                   PointValue(kdj ? kdj->DPoint : nullptr, 2),
                                                   PointValue(kdj ? kdj->JPoint : nullptr, 2)});
    }
    m_DrawCurrentDataView->setNeedsDisplay();
}

void HQDrawManager::setKLineCurrentShowData(int k) {
    if (!m_variableInfo || m_coordinateKLineData.empty()) {
        return;
    }
    const size_t last = m_coordinateKLineData.size() - 1;
    const size_t index = k < 0 ? last : std::min(static_cast<size_t>(k), last);
    const auto& bar = m_coordinateKLineData[index]->klineData;
    if (!bar) {
        KLineSetCurrentShowLayerDataWithNum(static_cast<int>(index));
        return;
    }
    const int places = decimals();
    bar->showOpen = chartscale::priceText(bar->open, places);
    bar->showHighest = chartscale::priceText(bar->highest, places);
    bar->showLowest = chartscale::priceText(bar->lowest, places);
    bar->showClose = chartscale::priceText(bar->close, places);

    std::optional<double> reference;
    if (index > 0 && m_coordinateKLineData[index - 1]->klineData) {
        reference = m_coordinateKLineData[index - 1]->klineData->close;
    } else if (index == 0) {
        const auto& bars = klineBars();
        const auto found = std::find(bars.begin(), bars.end(), bar);
        if (found != bars.end() && found != bars.begin() && *(found - 1)) {
            reference = (*(found - 1))->close;
        }
    }
    std::vector<Color> colors(6, chartstyle::white());
    bar->zhangfu = "0.00%";
    if (reference) {
        const double c = *reference;
        colors = {chartstyle::white(), judgeColorWithData(bar->open, c),
                  judgeColorWithData(bar->highest, c), judgeColorWithData(bar->lowest, c),
                  judgeColorWithData(bar->close, c)};
        // Without a previous close there is no change to show.
        const double percent = c != 0 ? (bar->close - c) * 100 / c : 0;
        bar->zhangfu = c != 0 ? changeText(percent) : kNoValue;
        colors.push_back(changeColor(percent));
    }
    if (const auto& cross = m_variableInfo->indicatorCrossData()) {
        cross->setDataToIndicatorCrossItemArrayFromItem(bar.get(), colors);
    }
    KLineSetCurrentShowLayerDataWithNum(static_cast<int>(index));
}

void HQDrawManager::setFenShiCurrentShowData(const std::shared_ptr<FenShiDataItem>& item,
                                             bool compute) {
    if (!m_variableInfo || m_variableInfo->typeOfHQ() == kKLineKind) {
        return;
    }
    std::vector<Color> colors;
    if (item) {
        const double y = item->yesterdayClose;
        const auto status = m_variableInfo->searchCommodotyStatusItem();
        const auto first =
            status && !status->FenShiDataArray.empty() ? status->FenShiDataArray.front() : nullptr;
        const int places = decimals();
        item->ShowKaipan = first ? chartscale::priceText(first->todayOpen, places) : kNoValue;
        item->showXianshou = std::to_string(item->xianShou);
        item->ShowHighestPrice =
            m_yikoujia ? chartscale::priceText(m_yikoujia->heigthestPrice, places) : kNoValue;
        item->ShowLowestPrice =
            m_yikoujia ? chartscale::priceText(m_yikoujia->lowestPrice, places) : kNoValue;
        Color change = chartstyle::white();
        if (compute || !m_yikoujia) {
            const double percent = y != 0 ? (item->price - y) * 100 / y : 0;
            item->zhangfu = y != 0 ? changeText(percent) : kNoValue;
            change = changeColor(percent);
        } else {
            item->ShowPrice = chartscale::priceText(m_yikoujia->newPrice, places);
            item->zhangfu = m_yikoujia->zhangfuStr;
            change = m_yikoujia->textColor;
        }
        colors = {chartstyle::white(), judgeColorWithData(item->price, y),
                  chartstyle::rgb(225, 176, 8), change, chartstyle::red()};
    }
    const auto& cross = m_variableInfo->indicatorCrossData();
    if (cross && cross->isTopNavigationBar) {
        if (const auto& header = m_variableInfo->currentShowDataLayerInfo()) {
            header->setMainDataByItem(item.get(), colors);
        }
    } else if (cross) {
        cross->setDataToIndicatorCrossItemArrayFromItem(item.get(), colors);
    }
    m_DrawCurrentDataView->setNeedsDisplay();
}

void HQDrawManager::setKLineIndicatorPoint() {
    if (m_coordinateKLineData.empty()) {
        return;
    }
    const size_t count = m_coordinateKLineData.size();
    if (static_cast<size_t>(static_cast<unsigned>(m_indicatorCrossPointNum)) >= count) {
        m_indicatorCrossPointNum = static_cast<int>(count - 1);
        m_showIndicatorCross = false;
        sendHidIndicatorCross();
    }
    const auto& bar = m_coordinateKLineData[m_indicatorCrossPointNum];
    if (const auto& cross = m_variableInfo->indicatorCrossData()) {
        cross->IndicatorCrossPoint = Point{bar->highestPiont.x, bar->closePiont.y};
    }
}

void HQDrawManager::setFenShiIndicatorPoint() {
    if (m_indicatorCrossPointNum < 0 ||
        static_cast<size_t>(m_indicatorCrossPointNum) >= m_fenShiData.size()) {
        return;
    }
    if (const auto& cross = m_variableInfo->indicatorCrossData()) {
        cross->IndicatorCrossPoint = at(m_fenShiData[m_indicatorCrossPointNum]->fenshiPoint);
    }
}

std::optional<int64_t> HQDrawManager::pointKey(uint32_t kind, int index) const {
    if (index < 0) {
        return std::nullopt;
    }
    const auto i = static_cast<size_t>(index);
    if (kind == kKLineKind) {
        return i < m_coordinateKLineData.size() ? std::optional(m_coordinateKLineData[i]->date)
                                                : std::nullopt;
    }
    if (i >= m_FenShiDataItemArray.size() || !m_FenShiDataItemArray[i]) {
        return std::nullopt;
    }
    const FenShiDataItem& minute = *m_FenShiDataItemArray[i];
    return int64_t{minute.date} * 10000 + std::atoi(minute.fenShiTime.c_str());
}

std::optional<int64_t> HQDrawManager::markedPoint(uint32_t kind) const {
    return m_showIndicatorCross ? pointKey(kind, m_indicatorCrossPointNum) : std::nullopt;
}

// The one rule of every rebuild: the cross-hair stays on the point it marked, wherever the new
// window or scale puts it, and goes with that point.
void HQDrawManager::followMarkedPoint(uint32_t kind, std::optional<int64_t> marked) {
    const size_t count = kind == kKLineKind
                             ? m_coordinateKLineData.size()
                             : std::min(m_fenShiData.size(), m_FenShiDataItemArray.size());
    m_indicatorCrossPointNum = -1;
    for (size_t i = 0; marked && i < count; ++i) {
        if (pointKey(kind, static_cast<int>(i)) == marked) {
            m_indicatorCrossPointNum = static_cast<int>(i);
            break;
        }
    }
    if (m_showIndicatorCross && m_indicatorCrossPointNum < 0) {
        m_showIndicatorCross = false;
        sendHidIndicatorCross();
    }
    if (kind == kKLineKind) {
        setKLineIndicatorPoint();
    } else {
        setFenShiIndicatorPoint();
    }
}

void HQDrawManager::sendShowIndicatorCross() {
    if (m_delegate) {
        m_delegate->removeGestureRecognizerWhenShowIndicatorCross();
    }
}

void HQDrawManager::touchesBegan(const TouchSet& touches, const Event& event) {
    const Touch* touch = touches.front();
    const Point at = touch->locationInView(this);
    m_startPiontX = static_cast<int>(at.x);
    m_startPiontY = static_cast<int>(at.y);
    m_startTimer = touch->timestamp();
    const auto period = scrolledPeriod();
    const uint32_t kind = m_variableInfo ? m_variableInfo->typeOfHQ() : kFenShiKind;
    m_touchStart = {m_showIndicatorCross, markedPoint(kind), period ? period->offset : 0};
    if (m_delegate) {
        m_delegate->drawViewTouchesBegin(touches, event);
    }
}

void HQDrawManager::touchesEnded(const TouchSet& touches, const Event&) {
    const Touch* touch = touches.front();
    const Point at = touch->locationInView(this);
    m_endPointX = static_cast<int>(at.x);
    m_endPointY = static_cast<int>(at.y);
    m_endTimer = touch->timestamp();
    if (!charttouch::isTap(touch->tapCount(), m_endTimer - m_startTimer,
                           m_startPiontX - m_endPointX) ||
        !pointInMainRect(at)) {
        return;
    }
    if (m_showIndicatorCross) {
        hideIndicatorCrossByTap();
        return;
    }
    getIndicatorCrossPointInDataByTouchPoint(at);
}

void HQDrawManager::touchesMoved(const TouchSet& touches, const Event&) {
    const Point at = touches.front()->locationInView(this);
    if (m_showIndicatorCross) {
        getIndicatorCrossPointInDataByTouchPoint(at);
        return;
    }
    scrollKLineTo(static_cast<int>(at.x));
}

// A gesture recognizer took the finger: what the finger did so far was not meant.
void HQDrawManager::touchesCancelled(const TouchSet&, const Event&) {
    restoreTouchStart();
}

void HQDrawManager::restoreTouchStart() {
    const auto period = scrolledPeriod();
    if (period && period->offset != m_touchStart.offset) {
        const bool wasNewest = m_touchStart.offset <= 0;
        const bool isNewest = period->offset <= 0;
        period->offset = m_touchStart.offset;
        resetLayersData();
        if (wasNewest != isNewest && m_delegate) {
            m_delegate->stopKLineAutoRefresh(!wasNewest);
        }
    }
    const uint32_t kind = m_variableInfo ? m_variableInfo->typeOfHQ() : kFenShiKind;
    if (m_showIndicatorCross == m_touchStart.showIndicatorCross &&
        markedPoint(kind) == m_touchStart.marked) {
        return;
    }
    if (!m_touchStart.showIndicatorCross) {
        hideIndicatorCrossByTap();
        return;
    }
    m_showIndicatorCross = true;
    followMarkedPoint(kind, m_touchStart.marked);
    if (kind == kKLineKind) {
        setKLineCurrentShowData(m_indicatorCrossPointNum);
    } else {
        setFenShiHeaderToCurrentRow();
    }
    if (m_showIndicatorCross) {
        sendShowIndicatorCross();
    }
}

std::shared_ptr<PeriodStatusInfo> HQDrawManager::scrolledPeriod() const {
    if (!m_variableInfo || m_variableInfo->typeOfHQ() != kKLineKind) {
        return nullptr;
    }
    return m_variableInfo->getCurrentPeriodStatusInfo();
}

void HQDrawManager::scrollKLineTo(int x) {
    const auto* replies = std::get_if<KLineReplies>(&m_drawData);
    const auto period = scrolledPeriod();
    const auto& columns = m_variableInfo ? m_variableInfo->drawInfoOfMain() : nullptr;
    if (!replies || replies->empty() || !period || !columns ||
        m_variableInfo->stateOfScreen() == 0) {
        return;
    }
    const int bars =
        replies->front() ? static_cast<int>(replies->front()->klineDataItemsArray.size()) : 0;
    const auto step =
        charttouch::scrollKLine(period->offset, m_startPiontX, x, columns->ColumnInterval, bars,
                                static_cast<int>(columns->pointCount));
    if (!step.stepped) {
        return;
    }
    m_startPiontX = x;
    if (step.offset != period->offset) {
        period->offset = step.offset;
        resetLayersData();
    }
    if (step.refresh != charttouch::Refresh::Keep && m_delegate) {
        m_delegate->stopKLineAutoRefresh(step.refresh == charttouch::Refresh::Stop);
    }
}

bool HQDrawManager::pointInMainRect(Point point) const {
    const auto& main = m_variableInfo ? m_variableInfo->drawRectOfMain() : nullptr;
    if (!main) {
        return false;
    }
    double bottom = main->y + main->height;
    if (m_variableInfo->typeOfHQ() != kFenShiKind) {
        const auto& indicator = m_variableInfo->drawRectOfSecondaryOne();
        bottom = indicator ? indicator->y + indicator->height : bottom;
    }
    return charttouch::isInside(point.x, point.y, main->x, main->y, main->x + main->width, bottom);
}

void HQDrawManager::hideIndicatorCrossByTap() {
    if (m_variableInfo && m_variableInfo->typeOfHQ() == kFenShiKind) {
        if (!m_FenShiDataItemArray.empty()) {
            setFenShiCurrentShowData(m_FenShiDataItemArray.back(), false);
        }
    } else {
        KLineSetCurrentShowLayerDataWithNum(-1);
    }
    m_showIndicatorCross = false;
    m_DrawCurrentDataView->setNeedsDisplay();
    sendHidIndicatorCross();
}

void HQDrawManager::getIndicatorCrossPointInDataByTouchPoint(Point point) {
    if (!m_variableInfo) {
        return;
    }
    if (m_variableInfo->typeOfHQ() != kFenShiKind) {
        showKLineCrossAt(point);
    } else {
        showFenShiCrossAt(point);
    }
}

void HQDrawManager::showKLineCrossAt(Point point) {
    const auto& columns = m_variableInfo->drawInfoOfMain();
    if (m_coordinateKLineData.empty() || !columns) {
        return;
    }
    const int column =
        charttouch::klineColumnAt(point.x, columns->firstPointX, columns->ColumnInterval);
    if (column == m_indicatorCrossPointNum && m_showIndicatorCross) {
        return;
    }
    m_indicatorCrossPointNum =
        charttouch::clampIndex(column, static_cast<int>(m_coordinateKLineData.size()));
    setKLineIndicatorPoint();
    m_showIndicatorCross = true;
    setKLineCurrentShowData(m_indicatorCrossPointNum);
    sendShowIndicatorCross();
}

void HQDrawManager::showFenShiCrossAt(Point point) {
    const auto& area = m_variableInfo->drawRectOfMain();
    if (m_fenShiData.empty() || !area) {
        return;
    }
    std::vector<double> pointXs;
    pointXs.reserve(m_fenShiData.size());
    for (const auto& item : m_fenShiData) {
        pointXs.push_back(item->fenshiPoint ? item->fenshiPoint->x
                                            : std::numeric_limits<double>::quiet_NaN());
    }
    m_indicatorCrossPointNum = charttouch::fenShiRecordAt(point.x, pointXs, area->x, area->width);
    setFenShiIndicatorPoint();
    m_showIndicatorCross = true;
    if (static_cast<size_t>(m_indicatorCrossPointNum) < m_FenShiDataItemArray.size()) {
        setFenShiCurrentShowData(m_FenShiDataItemArray[m_indicatorCrossPointNum], true);
    }
    sendShowIndicatorCross();
}

void HQDrawManager::drawRectWithView(HQDrawContent& view, GraphicsContext& context,
                                     const Rect& rect) {
    if (view.tag() == kLineLayerTag) {
        drawDrawLineViewWithCGContextRef(context, rect);
    } else if (view.tag() == kCurrentDataLayerTag) {
        drawDrawCurrentDataViewWithCGContextRef(context, rect);
    }
}

void HQDrawManager::drawDrawLineViewWithCGContextRef(GraphicsContext& context, const Rect& rect) {
    context.clearRect(rect);
    if (!m_variableInfo) {
        return;
    }
    if (m_variableInfo->typeOfHQ() == kKLineKind) {
        drawKLineDataCGContextRef(context, rect);
        drawVerticalAxisCGContextRef(context, rect);
    } else if (m_variableInfo->typeOfHQ() == kFenShiKind) {
        drawFenShiDataCGContextRef(context, rect);
        drawVerticalAxisCGContextRef(context, rect);
    }
}

void HQDrawManager::drawDrawCurrentDataViewWithCGContextRef(GraphicsContext& context,
                                                            const Rect& rect) {
    if (!m_variableInfo) {
        return;
    }
    if (m_variableInfo->typeOfHQ() == kKLineKind) {
        drawKLineCurrentDataCGContextRef(context, rect);
    } else if (m_variableInfo->typeOfHQ() == kFenShiKind) {
        drawFenShiCurrentDataCGContextRef(context, rect);
    }
    drawIndicatorCrossCGContextRef(context, rect);
}

void HQDrawManager::drawFenShiDataCGContextRef(GraphicsContext& context, const Rect&) {
    drawJunJiaLineInContext(context);
    drawFenShiLineInContext(context);
    drawChengJiaoLiangInContext(context);
}

void HQDrawManager::drawJunJiaLineInContext(GraphicsContext& context) {
    std::vector<Point> line;
    line.reserve(m_fenShiData.size());
    for (const auto& item : m_fenShiData) {
        line.push_back(at(item->junjiaPoint));
    }
    chartpaint::strokePolyline(context, line, {chartstyle::rgb(225, 176, 8), 1, false, true});
}

void HQDrawManager::drawFenShiLineInContext(GraphicsContext& context) {
    if (m_fenShiData.empty()) {
        return;
    }
    const auto& system = m_variableInfo->coordinateSystemInfoOfMain();
    const double baseY = system ? system->originalPoint.y : 0;
    const double areaTop =
        m_variableInfo->drawRectOfMain() ? m_variableInfo->drawRectOfMain()->y : 0;
    std::vector<Point> line;
    line.reserve(m_fenShiData.size());
    for (const auto& item : m_fenShiData) {
        line.push_back(at(item->fenshiPoint));
    }
    context.save();
    context.beginPath();
    context.moveTo(Point{line.front().x, baseY - 1});
    for (const Point& p : line) {
        context.addLineTo(p);
    }
    context.addLineTo(Point{line.back().x, baseY - 1});
    context.closePath();
    context.clip();
    const Gradient fill({chartstyle::rgb(24, 36, 49).withAlpha(0.3),
                         chartstyle::rgb(136, 179, 239).withAlpha(0.3)});
    context.drawLinearGradient(fill, Point{0, areaTop}, Point{0, baseY}, true, true);
    context.restore();
    chartpaint::strokePolyline(context, line, {chartstyle::rgb(233, 232, 232), 1, false, true});
}

void HQDrawManager::drawChengJiaoLiangInContext(GraphicsContext& context) {
    std::vector<std::pair<Point, Point>> bars;
    for (const auto& item : m_fenShiData) {
        const auto& volume = item->chengJiaoLiangPoint;
        if (volume && volume->y != volume->bottomY) {
            bars.push_back({Point{volume->x, volume->bottomY}, Point{volume->x, volume->y}});
        }
    }
    chartpaint::strokeSegments(context, bars, {chartstyle::red(), 1, false, true});
}

void HQDrawManager::drawVerticalAxisCGContextRef(GraphicsContext& context, const Rect&) {
    if (m_FenShiDataItemArray.empty() && m_coordinateKLineData.empty()) {
        return;
    }
    for (const AxisLabels* labels : {&m_VerticalAxisMainData, &m_VerticalAxisSecondaryOneData}) {
        for (const auto& label : *labels) {
            drawCGContext(context, label->title, label->color, label->font, label->frame,
                          label->textAlignment);
        }
    }
}

void HQDrawManager::drawCGContext(GraphicsContext& context, const std::string& text,
                                  const std::optional<Color>& color,
                                  const std::optional<Font>& font, const Rect& frame,
                                  int textAlignment) {
    if (text.empty() || !font) {
        return;
    }
    context.save();
    context.setLineWidth(1);
    context.setFillColor(color.value_or(chartstyle::white()));
    context.drawText(text, frame, *font, LineBreakMode::CharWrap,
                     chartpaint::textAlignment(textAlignment));
    context.restore();
}

void HQDrawManager::drawHeaderItems(GraphicsContext& context,
                                    const std::vector<std::shared_ptr<CurrentDataItem>>& items,
                                    int titleAlignment) {
    for (const auto& item : items) {
        drawCGContext(context, item->titleName, item->titleColor, item->font, item->titleFrame,
                      titleAlignment);
        drawCGContext(context, item->dataString, item->dataColor, item->font, item->dataFrame, 0);
        drawCGContext(context, item->unitString, item->unitColor, item->font, item->unitFrame, 0);
    }
}

void HQDrawManager::drawFenShiCurrentDataCGContextRef(GraphicsContext& context, const Rect&) {
    const auto& header = m_variableInfo->currentShowDataLayerInfo();
    if (!header) {
        return;
    }
    drawCGContext(context, header->headTitle, header->headTitleColor, header->headTitleFont,
                  header->headTitleFrame, 0);
    drawHeaderItems(context, header->MainCurrentDataItemArray, 0);
    drawHeaderItems(context, header->SecondaryOneCurrentDataItemArray, 0);
    drawHeaderItems(context, header->SecondaryTwoCurrentDataItemArray, 0);
}

void HQDrawManager::drawKLineDataCGContextRef(GraphicsContext& context, const Rect&) {
    drawKLineInContext(context);
    drawPMAInContext(context);
    if (m_isMACD) {
        drawMACDInContext(context);
    } else {
        drawKDJInContext(context);
    }
}

void HQDrawManager::drawKLineInContext(GraphicsContext& context) {
    // Wicks are stroked together per colour after the bodies: a wick crosses only its own
    // body, so the picture is the same as body and wick in turn, at a fraction of the cost.
    std::vector<std::pair<Point, Point>> riseWicks;
    std::vector<std::pair<Point, Point>> fallWicks;
    for (const auto& candle : m_coordinateKLineData) {
        const Point open = candle->openPiont;
        const Point close = candle->closePiont;
        const bool falls = open.y < close.y;
        const Rect body = falls ? Rect{open.x, open.y, close.x - open.x, close.y - open.y}
                                : Rect{open.x, close.y, close.x - open.x, open.y - close.y + 1};
        drawLinearGradientContext(context, body, falls ? 1 : 0);
        (falls ? fallWicks : riseWicks).push_back({candle->highestPiont, candle->lowestPiont});
    }
    chartpaint::strokeSegments(context, riseWicks,
                               {chartstyle::rgb(255, 33, 54), 0.5, false, true});
    chartpaint::strokeSegments(context, fallWicks,
                               {chartstyle::rgb(57, 225, 24), 0.5, false, true});
}

void HQDrawManager::drawLinearGradientContext(GraphicsContext& context, const Rect& rect,
                                              int colorFlag) {
    static const Gradient rise(
        {chartstyle::rgb(167, 0, 24), chartstyle::rgb(255, 33, 54), chartstyle::rgb(167, 0, 20)},
        {0, 0.5, 1});
    static const Gradient fall(
        {chartstyle::rgb(26, 160, 21), chartstyle::rgb(57, 225, 24), chartstyle::rgb(26, 160, 21)},
        {0, 0.5, 1});
    context.save();
    context.clipToRect(rect);
    context.drawLinearGradient(colorFlag == 0 ? rise : fall, Point{rect.minX(), rect.midY()},
                               Point{rect.maxX(), rect.midY()}, false, false);
    context.restore();
}

void HQDrawManager::drawPMAInContext(GraphicsContext& context) {
    using Average = std::shared_ptr<HQPoint> KLineDrawDataItem::*;
    const std::pair<Average, Color> lines[] = {
        {&KLineDrawDataItem::PMA5Point, chartstyle::rgb(255, 255, 255)},
        {&KLineDrawDataItem::PMA10Point, chartstyle::rgb(246, 215, 58)},
        {&KLineDrawDataItem::PMA20Point, chartstyle::rgb(214, 29, 152)},
        {&KLineDrawDataItem::PMA30Point, chartstyle::rgb(29, 139, 216)}};
    for (const auto& [average, color] : lines) {
        std::vector<Point> line;
        line.reserve(m_coordinateKLineData.size());
        for (const auto& candle : m_coordinateKLineData) {
            if (const auto& point = (*candle).*average) {
                line.push_back(at(point));
            }
        }
        chartpaint::strokePolyline(context, line, {color, 1, false, true});
    }
}

void HQDrawManager::drawMACDInContext(GraphicsContext& context) {
    if (m_MACDData.empty()) {
        return;
    }
    const auto& system = m_variableInfo->coordinateSystemInfoOfSecondaryOne();
    const double zeroY = yOf(m_MACDData.front()->ZeroPoint);
    chartpaint::strokeLine(context, Point{system ? system->originalPoint.x : 0, zeroY},
                           Point{m_variableInfo->drawViewFrame().width, zeroY},
                           {chartstyle::rgb(74, 74, 74), 0.5, true, false});
    const size_t count = std::min(m_MACDData.size(), m_coordinateKLineData.size());
    context.save();
    context.setShouldAntialias(true);
    std::vector<Point> dif;
    std::vector<Point> dea;
    for (size_t i = 0; i < count; ++i) {
        const KLineDrawDataItem& candle = *m_coordinateKLineData[i];
        const MACDDrawDataItem& item = *m_MACDData[i];
        dif.push_back(Point{candle.highestPiont.x, yOf(item.DifPoint)});
        dea.push_back(Point{candle.highestPiont.x, yOf(item.DeaPoint)});
        const float barY = yOf(item.MACDPoint);
        const float baseY = yOf(item.ZeroPoint);
        if (barY == baseY) {
            continue;
        }
        context.setFillColor(barY < baseY ? chartstyle::rgb(235, 26, 47)
                                          : chartstyle::rgb(50, 211, 23));
        context.fillRect(Rect{candle.openPiont.x + 2, std::min(barY, baseY),
                              candle.closePiont.x - candle.openPiont.x - 4,
                              std::max(barY, baseY) - std::min(barY, baseY)});
    }
    context.restore();
    chartpaint::strokePolyline(context, dif, {chartstyle::rgb(255, 255, 255), 1, false, true});
    chartpaint::strokePolyline(context, dea, {chartstyle::rgb(210, 183, 49), 1, false, true});
}

void HQDrawManager::drawKDJInContext(GraphicsContext& context) {
    using Line = std::shared_ptr<HQPoint> KDJDrawDataItem::*;
    const std::pair<Line, Color> lines[] = {
        {&KDJDrawDataItem::KPoint, chartstyle::rgb(255, 255, 255)},
        {&KDJDrawDataItem::DPoint, chartstyle::rgb(210, 183, 49)},
        {&KDJDrawDataItem::JPoint, chartstyle::rgb(231, 85, 182)}};
    const size_t count = std::min(m_KDJData.size(), m_coordinateKLineData.size());
    for (const auto& [member, color] : lines) {
        std::vector<Point> line;
        line.reserve(count);
        for (size_t i = 0; i < count; ++i) {
            line.push_back(
                Point{m_coordinateKLineData[i]->highestPiont.x, yOf((*m_KDJData[i]).*member)});
        }
        chartpaint::strokePolyline(context, line, {color, 1, false, true});
    }
}

void HQDrawManager::drawKLineCurrentDataCGContextRef(GraphicsContext& context, const Rect&) {
    const auto& header = m_variableInfo->currentShowDataLayerInfo();
    if (!header) {
        return;
    }
    if (!header->headTitle.empty() && header->headTitleFont) {
        context.save();
        context.setFillColor(header->headTitleColor.value_or(chartstyle::white()));
        context.drawText(header->headTitle, header->headTitleFrame, *header->headTitleFont,
                         LineBreakMode::WordWrap, TextAlignment::Right);
        context.restore();
    }
    drawHeaderItems(context, header->MainCurrentDataItemArray, 2);
    for (const auto& label : header->SecondaryOneCurrentDataTimeItemArray) {
        drawCGContext(context, label->title, label->color, label->font, label->frame,
                      label->textAlignment);
    }
    const auto& statusSave = m_variableInfo->statusSaveClass();
    const bool macd = statusSave && statusSave->iphoneKLineZhiBiaoMACDButtonSelected;
    drawHeaderItems(context,
                    macd ? header->SecondaryOneCurrentDataItemArray
                         : header->SecondaryOneCurrentDataKDJItemArray,
                    2);
}

void HQDrawManager::drawIndicatorCrossCGContextRef(GraphicsContext& context, const Rect&) {
    const auto& cross = m_variableInfo->indicatorCrossData();
    if (!m_showIndicatorCross || !cross) {
        return;
    }
    const Point p = cross->IndicatorCrossPoint;
    const EdgeInsets& reach = cross->IndicatorCrossLineSet;
    chartpaint::strokeSegments(context,
                               {{Point{p.x, reach.top}, Point{p.x, reach.bottom}},
                                {Point{reach.left, p.y}, Point{reach.right, p.y}}},
                               {chartstyle::rgb(238, 101, 0), 0.5, true, false});
    context.save();
    context.setShouldAntialias(false);
    context.setFillColor(chartstyle::rgb(0, 0, 0));
    context.fillRect(cross->frame);
    context.setLineDash(0, {});
    context.setLineWidth(0.5);
    context.setStrokeColor(chartstyle::rgb(70, 69, 68));
    context.strokeRect(cross->frame);
    context.restore();
    for (const auto& item : cross->IndicatorCrossItemArray) {
        drawCGContext(context, item->title, item->titleColor, cross->font, item->titleFrame, 0);
        drawCGContext(context, item->data, item->dataColor, item->font, item->dataFrame,
                      item->dataTextAlignment);
    }
}
