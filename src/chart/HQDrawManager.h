#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "chart/ChartDrawingRecords.h"
#include "chart/HQCalculationResult.h"
#include "chart/HQDrawContentDelegate.h"
#include "platform/graphics/Color.h"
#include "platform/graphics/Font.h"
#include "platform/ui/View.h"

class HQBackGroundView;
class HQCoordinateOutputFactroy;
class HQDataCalculation;
class HQDataConversion;
class HQDrawContent;
class HQDrawManagerDelegate;
class VariableAboutDevice;
struct CommodityFenShiDataItem;
struct commodityInfo;
struct KLineDataItem;
struct PeriodStatusInfo;
struct ReturnKLineData;
struct YiKouJia;

// One chart view, time-sharing or K-line by its layout object's chart kind.
// It keeps the data handed in, converts the visible part of it into screen
// points (the window of K-line bars at the period's scroll offset, or the
// first trading day), sets the axis labels and the header texts, and paints
// itself through three layers: the grid (tag 8000), the series with the axis
// labels (9000), and the header with the cross-hair (9001). Every rebuild
// ends with finite coordinates, whatever the data. Made and owned by the chart
// manager, which shares the layout object with it; the delegate is not owned.
// Main thread only.
class HQDrawManager : public View, public HQDrawContentDelegate {
public:
    using KLineReplies = std::vector<std::shared_ptr<ReturnKLineData>>;
    using FenShiReplies = std::vector<std::shared_ptr<CommodityFenShiDataItem>>;
    // K-line replies of the period, or time-sharing replies, as handed in.
    using DrawData = std::variant<std::monostate, KLineReplies, FenShiReplies>;
    using AxisLabels = std::vector<std::shared_ptr<VerTicalAxisTitleInfo>>;

    static constexpr int kLineLayerTag = 9000;
    // Not 10000: that is the "分时" period button's tag, and lookups by tag must find the button.
    static constexpr int kCurrentDataLayerTag = 9001;

    explicit HQDrawManager(std::shared_ptr<VariableAboutDevice> variableInfo);
    ~HQDrawManager() override;

    // Layers and frames.
    void DrawManageInit();
    void resetViewFrame(const Rect& rect);
    void resetLineLayers();
    void reSetNeedsDisPlay();
    void KLineLayersNeedsDisplay();

    // Data windows.
    void resetLayersData();
    void KLineResetDrawLineDataSelf(const KLineReplies& replies);
    void FenShiResetDrawDataWithCommodity(const FenShiReplies& replies,
                                          std::shared_ptr<commodityInfo> commodity);
    void FenShiResetDrawData();
    void setKLineDataToNil();
    void setFenShiDataToNil();
    void HiddenKLineLayers(bool flag);
    void HiddenFenShiLayers(bool flag);
    // 0 shows MACD in the indicator area, 1 KDJ.
    void setQuotaShowInfo(int quota);
    void setFenShiYiKouJia(std::shared_ptr<YiKouJia> quote);
    void resetVerticalAxisSecondaryOne();

    // Header and cross-hair texts; k indexes the converted arrays, -1 the newest.
    void KLineSetCurrentShowLayerDataWithNum(int k);
    void setKLineCurrentShowData(int k);
    void setFenShiCurrentShowData(const std::shared_ptr<FenShiDataItem>& item, bool compute);
    // The point's value with the decimals, "--" without a point.
    static std::string PointValue(const std::shared_ptr<HQPoint>& point, int decimals);
    // Red above the reference, green below, white when equal or either is 0.
    static Color judgeColorWithData(double value, double reference);
    void setKLineIndicatorPoint();
    void setFenShiIndicatorPoint();

    // Touches: a tap shows or hides the cross-hair, a drag moves it or, in the wide K-line
    // chart, scrolls the bars. A cancelled touch puts back what it had changed.
    void touchesBegan(const TouchSet& touches, const Event& event) override;
    void touchesMoved(const TouchSet& touches, const Event& event) override;
    void touchesEnded(const TouchSet& touches, const Event& event) override;
    void touchesCancelled(const TouchSet& touches, const Event& event) override;
    // The plotting area, with the indicator area below it for the K-line chart; edges inside.
    bool pointInMainRect(Point point) const;
    void getIndicatorCrossPointInDataByTouchPoint(Point point);

    // Drawing.
    void drawRectWithView(HQDrawContent& view, GraphicsContext& context, const Rect& rect) override;
    void drawDrawLineViewWithCGContextRef(GraphicsContext& context, const Rect& rect);
    void drawDrawCurrentDataViewWithCGContextRef(GraphicsContext& context, const Rect& rect);
    void drawFenShiDataCGContextRef(GraphicsContext& context, const Rect& rect);
    void drawJunJiaLineInContext(GraphicsContext& context);
    void drawFenShiLineInContext(GraphicsContext& context);
    void drawChengJiaoLiangInContext(GraphicsContext& context);
    void drawVerticalAxisCGContextRef(GraphicsContext& context, const Rect& rect);
    void drawFenShiCurrentDataCGContextRef(GraphicsContext& context, const Rect& rect);
    // The text primitive: character wrap, alignment 0 left, 1 centre, 2 right.
    void drawCGContext(GraphicsContext& context, const std::string& text,
                       const std::optional<Color>& color, const std::optional<Font>& font,
                       const Rect& frame, int textAlignment);
    void drawKLineDataCGContextRef(GraphicsContext& context, const Rect& rect);
    void drawKLineInContext(GraphicsContext& context);
    // Colour flag 0 rise, 1 fall.
    void drawLinearGradientContext(GraphicsContext& context, const Rect& rect, int colorFlag);
    void drawPMAInContext(GraphicsContext& context);
    void drawMACDInContext(GraphicsContext& context);
    void drawKDJInContext(GraphicsContext& context);
    void drawKLineCurrentDataCGContextRef(GraphicsContext& context, const Rect& rect);
    void drawIndicatorCrossCGContextRef(GraphicsContext& context, const Rect& rect);

    // Properties.
    int type() const { return m_type; }
    void setType(int type) { m_type = type; }
    const std::shared_ptr<VariableAboutDevice>& variableInfo() const { return m_variableInfo; }
    void setVariableInfo(std::shared_ptr<VariableAboutDevice> variableInfo);
    HQDrawManagerDelegate* delegate() const { return m_delegate; }
    void setDelegate(HQDrawManagerDelegate* delegate) { m_delegate = delegate; }
    const DrawData& drawData() const { return m_drawData; }
    const std::shared_ptr<commodityInfo>& commoInfo() const { return m_commoInfo; }
    const std::shared_ptr<HQDataCalculation>& DataCalculation() const { return m_DataCalculation; }
    const std::shared_ptr<HQCalculationResult>& result() const { return m_result; }
    const std::vector<std::shared_ptr<KLineDrawDataItem>>& coordinateKLineData() const {
        return m_coordinateKLineData;
    }
    const std::vector<std::shared_ptr<MACDDrawDataItem>>& MACDData() const { return m_MACDData; }
    const std::vector<std::shared_ptr<KDJDrawDataItem>>& KDJData() const { return m_KDJData; }
    const std::vector<std::shared_ptr<FenShiDataItem>>& FenShiDataItemArray() const {
        return m_FenShiDataItemArray;
    }
    const std::vector<std::shared_ptr<FenShiDrawDataItem>>& fenShiData() const {
        return m_fenShiData;
    }
    const AxisLabels& VerticalAxisMainData() const { return m_VerticalAxisMainData; }
    const AxisLabels& VerticalAxisSecondaryOneData() const {
        return m_VerticalAxisSecondaryOneData;
    }
    const std::vector<std::string>& VerticalAxisSecondaryOneMACDArray() const {
        return m_VerticalAxisSecondaryOneMACDArray;
    }
    const std::vector<std::string>& VerticalAxisSecondaryOneKDJArray() const {
        return m_VerticalAxisSecondaryOneKDJArray;
    }
    bool showIndicatorCross() const { return m_showIndicatorCross; }
    void setShowIndicatorCross(bool show) { m_showIndicatorCross = show; }
    int indicatorCrossPointNum() const { return m_indicatorCrossPointNum; }
    void setIndicatorCrossPointNum(int index) { m_indicatorCrossPointNum = index; }
    bool isMACD() const { return m_isMACD; }
    void setIsMACD(bool isMACD) { m_isMACD = isMACD; }
    const std::shared_ptr<YiKouJia>& yikoujia() const { return m_yikoujia; }
    HQBackGroundView* DrawBackgroundView() const { return m_DrawBackgroundView; }
    HQDrawContent* DrawLineView() const { return m_DrawLineView; }
    HQDrawContent* DrawCurrentDataView() const { return m_DrawCurrentDataView; }

private:
    void buildKLineWindow(const std::vector<std::shared_ptr<KLineDataItem>>& bars);
    void clearKLineWindow();
    void clearFenShiWindow();
    void setMainAxisLabels(const HQCalculationResult& range);
    void setMACDLabelTexts(const HQCalculationResult& range);
    void fitZeroLabel(float zeroY);
    void setFenShiAxisLabels(double yesterdayClose);
    void setFenShiHeaderToCurrentRow();
    void rebuildFenShiWindow(std::optional<int64_t> marked);
    // What the cross-hair marks, by identity: a bar by its date, a minute by its day and time.
    std::optional<int64_t> pointKey(uint32_t kind, int index) const;
    std::optional<int64_t> markedPoint(uint32_t kind) const;
    void followMarkedPoint(uint32_t kind, std::optional<int64_t> marked);
    int decimals() const;
    const std::vector<std::shared_ptr<KLineDataItem>>& klineBars() const;
    void sendHidIndicatorCross();
    void sendShowIndicatorCross();
    void hideIndicatorCrossByTap();
    void showKLineCrossAt(Point point);
    void showFenShiCrossAt(Point point);
    void scrollKLineTo(int x);
    void restoreTouchStart();
    std::shared_ptr<PeriodStatusInfo> scrolledPeriod() const;
    void drawHeaderItems(GraphicsContext& context,
                         const std::vector<std::shared_ptr<CurrentDataItem>>& items,
                         int titleAlignment);

    int m_type = 0;
    std::shared_ptr<VariableAboutDevice> m_variableInfo;
    HQDrawManagerDelegate* m_delegate = nullptr;
    DrawData m_drawData;
    std::shared_ptr<commodityInfo> m_commoInfo;
    std::shared_ptr<HQDataCalculation> m_DataCalculation;
    std::shared_ptr<HQCalculationResult> m_result;
    std::shared_ptr<HQCoordinateOutputFactroy> m_KLineFactroy;
    std::shared_ptr<HQCoordinateOutputFactroy> m_MACDFactroy;
    std::shared_ptr<HQCoordinateOutputFactroy> m_KDJFactroy;
    std::shared_ptr<HQCoordinateOutputFactroy> m_FenShiFactroy;
    std::shared_ptr<HQDataConversion> m_KLineConversion;
    std::shared_ptr<HQDataConversion> m_MACDConversion;
    std::shared_ptr<HQDataConversion> m_KDJConversion;
    std::shared_ptr<HQDataConversion> m_FenShiConversion;
    std::vector<std::shared_ptr<KLineDrawDataItem>> m_coordinateKLineData;
    std::vector<std::shared_ptr<MACDDrawDataItem>> m_MACDData;
    std::vector<std::shared_ptr<KDJDrawDataItem>> m_KDJData;
    std::vector<std::shared_ptr<FenShiDataItem>> m_FenShiDataItemArray;
    std::vector<std::shared_ptr<FenShiDrawDataItem>> m_fenShiData;
    AxisLabels m_VerticalAxisMainData;
    AxisLabels m_VerticalAxisSecondaryOneData;
    std::vector<std::string> m_VerticalAxisSecondaryOneMACDArray;
    std::vector<std::string> m_VerticalAxisSecondaryOneKDJArray;
    bool m_showIndicatorCross = false;
    int m_indicatorCrossPointNum = -1;
    int m_startPiontX = 0;
    int m_startPiontY = 0;
    int m_endPointX = 0;
    int m_endPointY = 0;
    double m_startTimer = 0;
    double m_endTimer = 0;
    // What the touch under way may change, as it was when the finger came down.
    struct TouchStart {
        bool showIndicatorCross = false;
        std::optional<int64_t> marked;
        int offset = 0;
    };
    TouchStart m_touchStart;
    bool m_isMACD = false;
    std::shared_ptr<YiKouJia> m_yikoujia;
    HQBackGroundView* m_DrawBackgroundView = nullptr;
    HQDrawContent* m_DrawLineView = nullptr;
    HQDrawContent* m_DrawCurrentDataView = nullptr;
};
