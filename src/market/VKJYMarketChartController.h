#pragma once

// The quote screen of one commodity: a navigation strip (watch toggle, exchange, commodity
// title opening the commodity pop-over), the live-quote header, the chart engine below it and a
// toolbar (back, the two quick-trade entries, wide screen, refresh). While it is shown it asks
// for the commodity's live quote every second and feeds each answer to the header and the chart
// engine; the cycle pauses while the screen is covered and ends when the screen goes. A lost
// quote session (2003) is renewed. Pushed by the market list, owned by its navigation stack;
// owns the chart engine, the pop-over and an open quick-trade panel. Main thread.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "chart/HQMarketChartManagerDelegate.h"
#include "market/VKJYCatalogueSections.h"
#include "market/VKJYCommodityTableViewDelegate.h"
#include "market/VKJYLiveQuoteCycle.h"
#include "platform/ui/ViewController.h"
#include "quote/HQReplyData.h"
#include "shell/VKJYFastTradeDelegate.h"

class Button;
class HQMarketChartManager;
class ImageView;
class Label;
class MotionTweenOperation;
class MotionTweenPeriod;
class Timer;
class VKJYCommodityTableView;
class VKJYCustomButton;
class VKJYFastTradePanel;
struct MarketItem;
struct YiKouJia;
struct commodityInfo;

class VKJYMarketChartController : public ViewController,
                                  public HQMarketChartManagerDelegate,
                                  public VKJYFastTradeDelegate,
                                  public VKJYCommodityTableViewDelegate {
public:
    static constexpr const char* kPageName = "行情";
    static constexpr const char* kEverLaunchGuideKey = "everLaunchguide";
    static constexpr const char* kFirstGuideKey = "firstguide";
    static constexpr const char* kWideScreenNotification = "widescreen";
    static constexpr const char* kAddedText = "添加成功";
    static constexpr const char* kRemovedText = "删除成功";
    static constexpr const char* kFullMessage = "商品个数已达上限";
    static constexpr double kRefreshSeconds = 1.0;
    static constexpr int kSessionLostCode = 2003;
    static constexpr double kStripY = 20;
    static constexpr double kStripHeight = 44;
    static constexpr double kHeaderHeight = 110;
    static constexpr double kToolbarHeight = 49;
    static constexpr double MarketChartViewY = 64 + kHeaderHeight;

    using Items = std::vector<std::shared_ptr<MarketItem>>;

    VKJYMarketChartController(Items commodityArray, std::shared_ptr<commodityInfo> commodity,
                              std::shared_ptr<YiKouJia> yikoujia);
    ~VKJYMarketChartController() override;

    static void registerScreen();

    void loadView() override;
    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void viewDidAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;
    void viewDidDisappear(bool animated) override;
    bool prefersStatusBarHidden() const override;

    // Live quote.
    void setYikoujiaLabel(std::shared_ptr<YiKouJia> quote);
    void refrashDanYiKouJia();
    void requestDanCommodityYiKouJia();
    VKJYCatalogueSections::MarketAndDisk getMarketandDisk() const;
    const std::vector<std::shared_ptr<commodityInfo>>* getCommodityInfoArrayBySection(
        int section) const;

    // Toolbar and strip.
    void backButtonPressed();
    void buyButtonPressed();
    void sellButtonPressed();
    void zhuanpingButtonPressed();
    void shuaxinButtonPressed();
    void chooseCommodityButtonPressed();
    void initTradeView(int isShanJian);
    // The "widescreen" notice of older systems: back to the normal screen.
    void wide();
    // The strip's time-sharing / K-line switch, kept off screen: the chart engine's swipes
    // choose its indicator, and the switch's mark follows them.
    void fenshiButtonPressed();
    void klineButtonPressed();

    // Chart engine, quick-trade panel and pop-over.
    void returnButtonPressedAboutWideScreen() override;
    void commodityNameButtonPressed(Button* button) override;
    void closedFastTradeView() override;
    void refreshYikoujiaViewFromJiaoYi(std::shared_ptr<YiKouJia> quote) override;
    void selectedCommodityInfoIndexPath(IndexPath indexPath,
                                        std::shared_ptr<commodityInfo> commodity) override;
    void commodityOnShowChanged(const std::shared_ptr<commodityInfo>& commodity) override;
    void touchesEnded(const TouchSet& touches, const Event& event) override;

    // Replies of the live-quote requests while the screen lives.
    void liveQuoteAnswered(uint64_t number, const std::string& type, const HQReplyData& data);
    void liveQuoteFailed(int errorCode);
    void sessionRenewed();
    void sessionRenewalFailed();

    // State.
    const std::shared_ptr<commodityInfo>& SelectedCommodityInfo() const { return m_commodity; }
    const VKJYLiveQuoteCycle& liveQuoteCycle() const { return m_cycle; }
    const std::vector<std::string>& chooseCommodityIDArray() const { return m_chooseIDs; }
    bool ykjIsFromJiaoYi() const { return m_ykjIsFromJiaoYi; }
    Timer* requestYiKouJiaTimer() const { return m_timer.get(); }
    HQMarketChartManager* chartManager() const { return m_chartManager; }
    VKJYFastTradePanel* tradeVC() const { return m_tradeVC; }

    // Views.
    View* navigationView() const { return m_navigationView; }
    Button* ChooseCommodityButton() const { return m_chooseCommodityButton; }
    Label* marketNameLabel() const { return m_marketNameLabel; }
    Button* commodityNameButton() const { return m_commodityNameButton; }
    Button* ImageButton() const { return m_imageButton; }
    View* topCurrentShowDataView() const { return m_headerView; }
    Label* yikoujiaLabel() const { return m_yikoujiaLabel; }
    Label* addPriceLabel() const { return m_addPriceLabel; }
    Label* buyPriceLabel() const { return m_buyPriceLabel; }
    Label* sellPriceLabel() const { return m_sellPriceLabel; }
    Label* highestLabel() const { return m_highestLabel; }
    Label* lowestLabel() const { return m_lowestLabel; }
    Label* kaipanLabel() const { return m_kaipanLabel; }
    Label* zuoshouLabel() const { return m_zuoshouLabel; }
    Label* zhenfuLabel() const { return m_zhenfuLabel; }
    View* toolBarView() const { return m_toolBarView; }
    Button* backButton() const { return m_backButton; }
    VKJYCustomButton* buyButton() const { return m_buyButton; }
    VKJYCustomButton* sellButton() const { return m_sellButton; }
    Button* zhuanpingButton() const { return m_zhuanpingButton; }
    Button* shuaxinButton() const { return m_shuaxinButton; }
    VKJYCommodityTableView* commodityListTableView() const { return m_commodityList; }
    ImageView* tanTiaoImgV() const { return m_tanTiaoImgV; }
    Button* fenshiButton() const { return m_fenshiButton; }
    Button* klineButton() const { return m_klineButton; }
    ImageView* switchMark() const { return m_switchMark; }
    Label* addDeleteLabel() const { return m_addDeleteLabel; }

    // What a request holds of the screen: cleared when the screen goes.
    struct Link;

private:
    void navigationItemsInit();
    void topCurrentShowDataViewInit();
    void addQuotePanels(View& header);
    void addDayFigures(View& header);
    void toolbarItemsInit();
    void chartSwitchInit();
    void followSwipes();
    void slideSwitchMark(Button* to, double seconds);
    double arrowRestY() const;
    void addChartManager();
    void layOutTitle(bool picked);
    void showWatchState();
    void readWatchList();
    void adddefaultPng(const std::string& text);
    void turnWide();
    void turnNormal(bool fromNotice);
    void addGuideHelp();
    void bounceOutTapped();
    void update(MotionTweenPeriod& period);
    void removetiaodongView();
    void renewSession();
    bool isAnimating() const;
    void openPopover(Button* button);
    void closePopover();
    void closePopoverOnTurn();

    Items m_commodityArray;
    std::shared_ptr<commodityInfo> m_commodity;
    std::shared_ptr<YiKouJia> m_initialYiKouJia;
    std::vector<std::string> m_chooseIDs;
    VKJYLiveQuoteCycle m_cycle;
    std::unique_ptr<Timer> m_timer;
    std::shared_ptr<Link> m_link;
    bool m_renewingSession = false;
    bool m_ykjIsFromJiaoYi = false;
    bool m_pushFastView = true;
    std::shared_ptr<MotionTweenOperation> m_activeTweenOperation;

    View* m_navigationView = nullptr;
    Button* m_chooseCommodityButton = nullptr;
    Label* m_marketNameLabel = nullptr;
    Button* m_commodityNameButton = nullptr;
    Button* m_imageButton = nullptr;
    View* m_headerView = nullptr;
    Label* m_yikoujiaLabel = nullptr;
    Label* m_addPriceLabel = nullptr;
    Label* m_buyPriceLabel = nullptr;
    Label* m_sellPriceLabel = nullptr;
    Label* m_highestLabel = nullptr;
    Label* m_lowestLabel = nullptr;
    Label* m_kaipanLabel = nullptr;
    Label* m_zuoshouLabel = nullptr;
    Label* m_zhenfuLabel = nullptr;
    HQMarketChartManager* m_chartManager = nullptr;
    View* m_toolBarView = nullptr;
    Button* m_backButton = nullptr;
    VKJYCustomButton* m_buyButton = nullptr;
    VKJYCustomButton* m_sellButton = nullptr;
    Button* m_zhuanpingButton = nullptr;
    Button* m_shuaxinButton = nullptr;
    VKJYCommodityTableView* m_commodityList = nullptr;
    ImageView* m_tanTiaoImgV = nullptr;
    Label* m_addDeleteLabel = nullptr;
    VKJYFastTradePanel* m_tradeVC = nullptr;
    std::unique_ptr<View> m_chartSwitch;
    ImageView* m_switchMark = nullptr;
    Button* m_fenshiButton = nullptr;
    Button* m_klineButton = nullptr;
};
