#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "chart/HQDrawManagerDelegate.h"
#include "chart/RefreshControlDelegate.h"
#include "platform/foundation/WeakLink.h"
#include "platform/ui/View.h"
#include "quote/HQNetworkMangerDelegate.h"
#include "quote/HQReplyData.h"

class ActivityView;
class Button;
class HQDataBase;
class HQDrawManager;
class HQMarketWMManager;
class HQRefreshControl;
class ImageView;
class Label;
class PinchGestureRecognizer;
class SwipeGestureRecognizer;
class VariableAboutDevice;
class HQMarketChartManagerDelegate;
struct ButtonInfo;
struct CommodityFenShiDataItem;
struct commodityInfo;
struct commodityStatusItem;
struct KPeriodDataItem;
struct LabelInfo;
struct MarketItem;
struct PeriodStatusInfo;
struct ReturnKLineData;
struct SubmissionPackage;
struct TopRectInfo;
struct YiKouJia;
struct YiKouJiaViewInfo;

// The chart engine for one chosen commodity: the root view holding the
// time-sharing and K-line chart views, the wide screen's top bar, the period
// bar with its drop-down panel and the loading indicator; the chart state of
// every commodity of the catalogue; the data road that asks the quote server
// for the history keys, the periods and the series on show and merges the
// replies; and the refresh timers. Made and owned by the quote screen, which
// is its delegate (not owned). Replies and history downloads that come back
// after the manager is gone are dropped. Main thread only.
class HQMarketChartManager : public View,
                             public HQDrawManagerDelegate,
                             public RefreshControlDelegate {
public:
    using Catalogue = std::vector<std::shared_ptr<MarketItem>>;
    using KLineReplies = std::vector<std::shared_ptr<ReturnKLineData>>;
    using FenShiReplies = std::vector<std::shared_ptr<CommodityFenShiDataItem>>;
    static constexpr int kFenShiButtonTag = 10000;

    // The host passes screen state 0, device 0, no login id and no line-test address.
    HQMarketChartManager(Catalogue catalogue, std::shared_ptr<commodityInfo> chosen,
                         uint32_t screenState, uint32_t device, std::string loginID,
                         std::string ceSuURL, std::shared_ptr<YiKouJia> price);
    ~HQMarketChartManager() override;

    // Called by the host.
    HQMarketChartManagerDelegate* delegate() const { return m_delegate; }
    void setDelegate(HQMarketChartManagerDelegate* delegate) { m_delegate = delegate; }
    uint32_t stateOfScreen() const { return m_stateOfScreen; }
    void setScreenState(uint32_t state);
    // Starts the data road: the history keys, then the periods, then the chart on show.
    void requestZipSec();
    // Section and row of the catalogue's panels (panels in their own right only). A pick made
    // while a change is still settling is taken when the lock opens (the last one wins); the
    // delegate hears of every commodity the chart turns to.
    void changeCommodityWithIndexPath(int section, int row);
    void stopRefreshControlCanBegin(bool canBegin);
    void setYiKouJiaByYiKouJiaItem(std::shared_ptr<YiKouJia> quote);
    View* quotaView() const { return m_quotaView.get(); }
    // The book and trade panel beside the time-sharing chart; null for quote kinds without one.
    HQMarketWMManager* WMManager() const { return m_WMManager; }
    void setLeftSwipeHandle(std::function<void()> handle) { m_leftSwipeHandle = std::move(handle); }
    void setRightSwipeHandle(std::function<void()> handle) {
        m_rightSwipeHandle = std::move(handle);
    }

    // Layout.
    void layoutSubviews() override;
    void resetDrawRect();
    void marketChartManagerInit();
    void drawViewManager();
    void initDrawViewManagerFenShi();
    void initIndicatorView();
    void initENVNameAndHouseName();
    void SetCommodityStatusInfoArray();

    // Bars.
    void marketChartManagerInitAboutIphoneWideScreen();
    void navigationBarInit();
    void topButtonInitAboutIphoneWideScreen();
    void autoCommodityTitleWide();
    void secondaryOneTopButtonInitAboutIphoneWideScreen();
    void bottomInitAboutIphoneWideScreen();
    void setBottomScrollViewPeriodButtons();
    void zanKaiLB(Button& button);
    Button* createButtonWithInfo(const std::shared_ptr<ButtonInfo>& info,
                                 std::function<void(Button&)> action, View& parent);
    Label* createLabelWithInfo(const std::shared_ptr<LabelInfo>& info, View& parent);
    void removeMarketChartManagerFromSuperView();
    void commodityTitleButtonPressed(Button& button);
    // Page dots of the normal screen; no screen shows them (the period bar switches charts).
    void pagecontrolInitAboutIphoneNormalScreen();
    View* pagecontrol() const { return m_pagecontrol.get(); }
    Button* fenshiPointButton() const { return m_fenshiPointButton.get(); }
    Button* KLinePointButton() const { return m_KLinePointButton.get(); }

    // Lookups.
    std::shared_ptr<commodityStatusItem> searchCommodotyStatusItem() const;
    // The state of a request's commodity and period, by its numbers and quote server: replies
    // and failures find their own state by the rule the chart on show is found by.
    std::shared_ptr<commodityStatusItem> searchCommodotyStatusItemByCommodityID(
        const SubmissionPackage& package) const;
    std::shared_ptr<PeriodStatusInfo> searchPeriodStatusInfo() const;
    std::shared_ptr<PeriodStatusInfo> searchPeriodStatusInfoByCommodityID(
        const SubmissionPackage& package) const;
    std::vector<std::shared_ptr<commodityInfo>> getCommodityInfoArrayBySection(int section) const;

    // Switching charts and periods.
    void toolBarButtonPressed(Button& button);
    void changeLayersByToolBarButtonPressed(Button& button);
    void fenshiViewHidden(bool hidden);
    void KLineViewHidden(bool hidden);
    void startRefreshControl();
    // The wide top bar's chart buttons (built but not shown: the period bar switches).
    void fenshiButtonPressed(Button& sender);
    void klineButtonPressed(Button& sender);

    // Gestures: in the normal screen a right swipe shows MACD and a left swipe KDJ below the
    // K-line chart; in the wide screen a pinch changes the K-line zoom grade.
    void swipeRightGestureRecognizer();
    void swipeLeftGestureRecognizer();
    void pinchOpenGestureRecognizer(PinchGestureRecognizer& pinch);
    void addGestureRecognizerWhenHidIndicatorCross() override;
    void removeGestureRecognizerWhenShowIndicatorCross() override;
    void drawViewTouchesBegin(const TouchSet& touches, const Event& event) override;
    // The indicator chooser of the period bar: no bar builds its buttons (they and the marker
    // stay empty), so only the flags and the K-line chart's indicator change.
    void quotaButtonPressed(Button& sender);
    void quotaMACDButtonPressed(Button& sender);
    void quotaKDJButtonPressed(Button& sender);
    void quotabuttonBackImageMoveAnimation(const Rect& rect);
    SwipeGestureRecognizer* swipeLeft() const { return m_swipeLeft; }
    SwipeGestureRecognizer* swipeRight() const { return m_swipeRight; }
    Button* fenshiButton() const { return m_fenshiButton; }
    Button* klineButton() const { return m_klineButton; }
    ImageView* topButtonSelectedImageView() const { return m_topButtonSelectedImageView; }

    // Data road.
    void refreshAllData();
    void requestDataFromNet();
    void requestAllFenShi();
    void requestFenShiDataWithPackage(std::shared_ptr<SubmissionPackage> package);
    void manyDayMiniteTimeRequest();
    void getKLineDataFromNetWorkByButtonInfo();
    void requestKLineDataWithPackage(std::shared_ptr<SubmissionPackage> package);
    void needRequestDataWithPackage(std::shared_ptr<SubmissionPackage> package,
                                    const std::string& type);
    void SetBottomButtonsWithArray(const std::vector<std::shared_ptr<KPeriodDataItem>>& periods);
    void notificationRefreshFinish(int kind, const std::shared_ptr<SubmissionPackage>& package);
    // Quote replies, relayed while this manager lives.
    void dataAnalysisFinished(HQNetworkManger* manager, const HQReplyData& data);
    void dataAnalysisFailed(HQNetworkManger* manager, int errorCode);
    void requestFailed(HQNetworkManger* manager, int errorCode);
    void requestSessionAgainFinished();
    void RefreshUIWithType(int type) override;
    void stopKLineAutoRefresh(bool stop) override;

    // Series.
    void KLineResetDrawData(const KLineReplies& data, std::shared_ptr<SubmissionPackage> package);
    void turnDataToDrawManager(const KLineReplies& series,
                               std::shared_ptr<SubmissionPackage> package);
    void FenShiResetDrawData(const FenShiReplies& data, std::shared_ptr<SubmissionPackage> package);
    // Many-day history.
    void requestMoreKLineData(const KLineReplies& data, std::shared_ptr<SubmissionPackage> package);
    void FSDataHeBing(const FenShiReplies& data, std::shared_ptr<SubmissionPackage> package);

    // State.
    const std::shared_ptr<VariableAboutDevice>& variableAboutDevice() const {
        return m_variableAboutDevice;
    }
    const std::shared_ptr<commodityInfo>& selectedCommodityInfo() const {
        return m_selectedCommodityInfo;
    }
    HQDrawManager* drawViewManagerFenShi() const { return m_drawViewManagerFenShi.get(); }
    HQDrawManager* drawViewManagerKLine() const { return m_drawViewManagerKLine.get(); }
    ActivityView* MyActivity() const { return m_MyActivity; }
    HQRefreshControl* FenShiRefresh() const { return m_FenShiRefresh.get(); }
    HQRefreshControl* KLineRefresh() const { return m_KLineRefresh.get(); }
    View* TopNavigationBar() const { return m_TopNavigationBar.get(); }
    View* bottomView() const { return m_bottomView.get(); }
    View* periodView() const { return m_periodView.get(); }
    Button* currentButton() const { return m_currentButton.get(); }
    Button* quotaButton() const { return m_quotaButton.get(); }
    Button* commodityBackButton() const { return m_commodityBackButton.get(); }
    Button* commodityTitleButton() const { return m_commodityTitleButton.get(); }
    Label* houseNameLabel() const { return m_houseNameLabel.get(); }
    View* yikoujiaView() const { return m_yikoujiaView.get(); }
    Label* yikoujiaLabel() const { return m_yikoujiaLabel.get(); }
    // The live quote last handed in.
    const std::shared_ptr<YiKouJia>& yikoujia() const { return m_yikoujia; }
    Label* AddPriceLabel() const { return m_AddPriceLabel.get(); }
    Label* zhangfuLabel() const { return m_zhangfuLabel.get(); }
    bool KLinePeriodNotEmpty() const { return m_KLinePeriodNotEmpty; }
    bool NeedToNotification() const { return m_NeedToNotification; }
    const std::vector<HQZipSecEntry>& zipSecDataArray() const { return m_zipSecDataArray; }
    // The history keys, the periods, a session renewal or a K-line history download on their
    // way: the chart waits for them rather than for its refresh.
    int roadStepsOut() const { return m_roadStepsOut; }

private:
    class Relay;

    void stopRefresh();
    void makeTimerFor(std::unique_ptr<HQRefreshControl>& control, int seconds, uint32_t type);
    HQDrawManager* chartView(uint32_t kind) const;
    void placeChart(uint32_t kind, bool onShow);
    bool forgetScrolling();
    Rect sidePanelFrame(double heightLess) const;
    void switchToFenShi(Button& button);
    void switchToKLine(Button& button);
    void removeTopBar();
    void addQuoteArea(View& bar, const YiKouJiaViewInfo& info);
    void fillTopBar();
    // The exchange of the shown commodity's market, by the directory's codes.
    std::string exchangeName() const;
    void removePeriodBar();
    // The button of the bar standing for that period; null when there is none.
    Button* periodButtonFor(const View& parent, const std::shared_ptr<ButtonInfo>& info) const;
    void makeTopSwitch(const TopRectInfo& top);
    void moveTopMarker(double centerX, double seconds, std::function<void()> then);
    void addSwipe(int direction);
    // 0 MACD, 1 KDJ under the K-line chart.
    void chooseIndicator(int quota);
    int chosenIndicator() const;
    void chooseIndicatorButton(Button& sender, Button* other, int quota);
    void keepScrollWithinBars(PeriodStatusInfo& period) const;
    void handleFailure(HQNetworkManger* manager, const std::string& type,
                       const std::shared_ptr<SubmissionPackage>& package);
    void resetAllStatus();
    void fillCommodityNumbers(SubmissionPackage& package, const commodityInfo& commodity) const;
    void showToast(const std::string& message);
    // "暂无K线数据" once for the commodity and period on show: its refresh keeps asking.
    void tellNoKLineOnce(const SubmissionPackage& package);
    void layOutQuoteBar(Label& price, ImageView& arrow, Label& change, Label& ratio);
    void mergeKLineHistory(const ReturnKLineData& reply, const std::vector<KLineReplies>& files,
                           const std::shared_ptr<SubmissionPackage>& package);
    void mergeFenShiHistory(const FenShiReplies& data, const FenShiReplies& file,
                            const std::shared_ptr<SubmissionPackage>& package);
    int tradingMode() const;
    uint32_t chartKind() const;
    int decimals() const;
    // Whether a reply or failure of this package is for what the chart shows: the chart kind,
    // the commodity and, for the K-line chart, the period. Anything else may only update what
    // is held, never the screen.
    bool isOnShow(const SubmissionPackage& package, uint32_t kind) const;
    // The load of what is on show ended, with data, with none or failed: the indicator stops
    // and the refresh of the chart on show runs again.
    void endLoadOnShow();
    void askAtTheNextRefresh();
    void openCommodityLock();
    void roadStepEnded(bool roadStep);
    std::weak_ptr<Relay> relay() const { return m_relay; }

    Catalogue m_commodityInfoArray;
    std::shared_ptr<commodityInfo> m_selectedCommodityInfo;
    std::shared_ptr<YiKouJia> m_SelectedCommodityYKJInfo;
    std::string m_loginID;
    uint32_t m_stateOfScreen = 0;
    uint32_t m_device = 0;
    HQMarketChartManagerDelegate* m_delegate = nullptr;
    std::shared_ptr<VariableAboutDevice> m_variableAboutDevice;
    std::shared_ptr<HQDrawManager> m_drawViewManagerFenShi;
    std::shared_ptr<HQDrawManager> m_drawViewManagerKLine;
    HQMarketWMManager* m_WMManager = nullptr;
    std::unique_ptr<HQRefreshControl> m_FenShiRefresh;
    std::unique_ptr<HQRefreshControl> m_KLineRefresh;
    ActivityView* m_MyActivity = nullptr;
    WeakLink<View> m_TopNavigationBar;
    WeakLink<Button> m_commodityBackButton;
    WeakLink<Button> m_commodityTitleButton;
    WeakLink<Label> m_houseNameLabel;
    WeakLink<ImageView> m_commodityListImageView;
    WeakLink<View> m_yikoujiaView;
    WeakLink<Label> m_yikoujiaLabel;
    WeakLink<Label> m_AddPriceLabel;
    WeakLink<Label> m_zhangfuLabel;
    WeakLink<ImageView> m_yikoujiaImageView;
    // Holds the top bar's chart buttons and their marker outside the view tree.
    std::unique_ptr<View> m_topSwitch;
    Button* m_fenshiButton = nullptr;
    Button* m_klineButton = nullptr;
    ImageView* m_topButtonBgImageView = nullptr;
    ImageView* m_topButtonSelectedImageView = nullptr;
    SwipeGestureRecognizer* m_swipeLeft = nullptr;
    SwipeGestureRecognizer* m_swipeRight = nullptr;
    float m_ChangeValue = 0;
    WeakLink<Button> m_periodButton;
    WeakLink<Button> m_quotaMACDButton;
    WeakLink<Button> m_quotaKDJButton;
    WeakLink<ImageView> m_quotaImageView;
    WeakLink<View> m_secondaryOneNavigationBar;
    WeakLink<View> m_pagecontrol;
    WeakLink<Button> m_fenshiPointButton;
    WeakLink<Button> m_KLinePointButton;
    WeakLink<View> m_bottomView;
    WeakLink<View> m_periodView;
    WeakLink<View> m_periodScrollView;
    WeakLink<View> m_quotaView;
    WeakLink<View> m_quotaScrollView;
    WeakLink<Button> m_quotaButton;
    WeakLink<Button> m_currentButton;
    std::function<void()> m_leftSwipeHandle;
    std::function<void()> m_rightSwipeHandle;
    bool m_canChangeCommodity = true;
    bool m_canChangePeriod = true;
    bool m_NeedToNotification = true;
    bool m_CanStartRefreshControl = true;
    bool m_isMoreData = false;
    bool m_KLinePeriodNotEmpty = false;
    bool m_restartRoad = false;
    bool m_renewingSession = false;
    int m_roadStepsOut = 0;
    // The server, market, panel, commodity and period whose lack of bars was told; cleared by
    // the user's pick of a period or commodity, which tells again.
    std::string m_noKLineTold;
    std::vector<HQZipSecEntry> m_zipSecDataArray;
    FenShiReplies m_zipFSAry;
    std::vector<std::map<std::string, std::string>> m_houseNameAry;
    std::vector<std::map<std::string, std::map<std::string, std::string>>> m_plateNameAry;
    std::unique_ptr<HQDataBase> m_db;
    std::shared_ptr<YiKouJia> m_yikoujia;
    std::unique_ptr<class Timer> m_periodLock;
    std::unique_ptr<class Timer> m_commodityLock;
    // Section and row picked while the commodity lock was closed.
    std::optional<std::pair<int, int>> m_pendingCommodity;
    std::shared_ptr<Relay> m_relay;
};
