#include "chart/HQMarketChartManager.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "chart/ActivityView.h"
#include "chart/ChartPaint.h"
#include "chart/ChartScale.h"
#include "chart/ChartSeries.h"
#include "chart/ChartStyle.h"
#include "chart/ChartTime.h"
#include "chart/HQDrawManager.h"
#include "chart/HQFSDrawPram.h"
#include "chart/HQHistoryFiles.h"
#include "chart/HQMarketChartManagerDelegate.h"
#include "chart/HQMarketWMManager.h"
#include "chart/HQRefreshControl.h"
#include "chart/VariableAboutDevice.h"
#include "platform/foundation/GlobalQueue.h"
#include "platform/foundation/MainQueue.h"
#include "platform/foundation/Timer.h"
#include "platform/graphics/Image.h"
#include "platform/graphics/TextLayout.h"
#include "platform/ui/Button.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Label.h"
#include "platform/ui/PinchGestureRecognizer.h"
#include "platform/ui/SwipeGestureRecognizer.h"
#include "quote/HQCommodityMatch.h"
#include "quote/HQDataBase.h"
#include "quote/HQDataCache.h"
#include "quote/HQNetworkManger.h"
#include "quote/QuoteRecords.h"
#include "quote/SubmissionPackage.h"
#include "quote/VKJYHangQingDataClass.h"
#include "shell/UIShiPeiClass.h"
#include "shell/VKJYAppDelegate.h"
#include "shell/VKJYDirectoryServerEnvModel.h"
#include "shell/VKJYDirectoryServerJysModel.h"
#include "shell/VKJYDirectoryServerModel.h"
#include "shell/VKJYDirectoryServerYwsysModel.h"
#include "shell/VKJYMarketDirectoryNames.h"
#include "shell/VKJYNormalAppKeyPropertyModel.h"
#include "widgets/UIViewToast.h"

namespace {

constexpr uint32_t kFenShiKind = 0;
constexpr uint32_t kKLineKind = 1;
constexpr int kSessionLostCode = 2003;
constexpr int kDefaultRefreshSeconds = 10;
constexpr double kPeriodLockSeconds = 1.0;
constexpr double kCommodityLockSeconds = 0.5;
constexpr double kTopMarkerSeconds = 0.5;
constexpr double kQuotaPanelSeconds = 0.6;
constexpr double kQuotaMarkerSeconds = 0.1;
constexpr uint32_t kMaxGrade = 6;
// A pinch changes the zoom by one grade for each 0.2 of scale.
constexpr float kPinchStep = 0.2f;
constexpr float kPinchRestLow = 0.99f;
constexpr float kPinchRestHigh = 1.01f;
constexpr int kVisibleBarButtons = 6;
constexpr const char* kRequestFirst = "klineRequestFirst";
constexpr const char* kRequestNew = "klineRequestNew";
constexpr const char* kRequestAll = "klineRequestAll";
constexpr const char* kNoKLineData = "暂无K线数据";
constexpr const char* kNoFenShiData = "暂无分时数据";
constexpr const char* kRenewalType = "requestSessionAgain";

// The chart-wide steps of the data road, as against the series requests of one commodity.
bool isRoadStep(const std::string& type) {
    return type == "zipsec" || type == "KlinePeriod" || type == kRenewalType;
}

bool hasSidePanel(const std::shared_ptr<YiKouJia>& quote) {
    return quote && (quote->spType == 2 || quote->spType == 4 || quote->spType == 5);
}

std::string number(int value) {
    return std::to_string(value);
}

// A bar that goes leaves the view tree and forgets its view.
void removeBar(WeakLink<View>& bar) {
    if (View* view = bar.get()) {
        view->removeFromSuperview();
    }
    bar.reset();
}

// Minutes after the exchange's midnight at which the item's commodity starts trading.
int tradingStartOf(const commodityStatusItem& item) {
    const auto start = item.commodity ? charttime::tradingStartMinutesOf(*item.commodity)
                                      : charttime::tradingStartMinutes();
    return start.value_or(0);
}

bool sameCommodity(const std::shared_ptr<commodityInfo>& a,
                   const std::shared_ptr<commodityInfo>& b) {
    return a && b && HQCommodityMatch::sameCommodity(*a, *b);
}

void setViewHidden(View* view, bool hidden) {
    if (view) {
        view->setHidden(hidden);
    }
}

}  // namespace

// Hands quote replies to the chart manager while it lives; the network
// manager owns this relay until its request ends.
class HQMarketChartManager::Relay : public HQNetworkMangerDelegate {
public:
    explicit Relay(HQMarketChartManager* owner) : m_owner(owner) {}
    void forget() { m_owner = nullptr; }
    HQMarketChartManager* owner() const { return m_owner; }

    void dataAnalysisFinished(HQNetworkManger* manager, const HQReplyData& data) override {
        if (m_owner) {
            m_owner->roadStepEnded(isRoadStep(manager->typeNW()));
            m_owner->dataAnalysisFinished(manager, data);
        }
    }
    void dataAnalysisFailed(HQNetworkManger* manager, int errorCode) override {
        if (m_owner) {
            m_owner->roadStepEnded(isRoadStep(manager->typeNW()));
            m_owner->dataAnalysisFailed(manager, errorCode);
        }
    }
    void requestFailed(HQNetworkManger* manager, int errorCode) override {
        if (m_owner) {
            m_owner->roadStepEnded(isRoadStep(manager->typeNW()));
            m_owner->requestFailed(manager, errorCode);
        }
    }
    void requestSessionAgainFinished() override {
        if (m_owner) {
            m_owner->roadStepEnded(true);
            m_owner->requestSessionAgainFinished();
        }
    }

private:
    HQMarketChartManager* m_owner;
};

HQMarketChartManager::HQMarketChartManager(Catalogue catalogue,
                                           std::shared_ptr<commodityInfo> chosen,
                                           uint32_t screenState, uint32_t device,
                                           std::string loginID, std::string,
                                           std::shared_ptr<YiKouJia> price)
    : m_commodityInfoArray(std::move(catalogue)),
      m_selectedCommodityInfo(std::move(chosen)),
      m_SelectedCommodityYKJInfo(std::move(price)),
      m_loginID(std::move(loginID)),
      m_stateOfScreen(screenState),
      m_device(device),
      m_relay(std::make_shared<Relay>(this)) {
    initIndicatorView();
    initENVNameAndHouseName();
    marketChartManagerInit();
    m_variableAboutDevice->setCurrentCommodity(m_selectedCommodityInfo);
    SetCommodityStatusInfoArray();
}

HQMarketChartManager::~HQMarketChartManager() {
    m_relay->forget();
    stopRefreshControlCanBegin(false);
    for (const auto& view : {m_drawViewManagerFenShi, m_drawViewManagerKLine}) {
        if (view) {
            view->setDelegate(nullptr);
        }
    }
}

uint32_t HQMarketChartManager::chartKind() const {
    return m_variableAboutDevice->typeOfHQ();
}

int HQMarketChartManager::decimals() const {
    return m_selectedCommodityInfo ? m_selectedCommodityInfo->leastPrice : 0;
}

void HQMarketChartManager::initIndicatorView() {
    auto activity = std::make_unique<ActivityView>(Rect{0, 0, 100, 70});
    activity->setCenter(center());
    m_MyActivity = addSubview(std::move(activity));
}

void HQMarketChartManager::initENVNameAndHouseName() {
    auto* app = VKJYAppDelegate::shared();
    const auto model = app ? app->directoryServerModel() : nullptr;
    if (!model || !model->ywsys()) {
        return;
    }
    for (const auto& exchange : model->ywsys()->jysArray) {
        if (!exchange) {
            continue;
        }
        m_houseNameAry.push_back({{exchange->code, exchange->jysn}});
        for (const auto& env : exchange->envArray) {
            if (env) {
                m_plateNameAry.push_back({{exchange->code, {{env->envCode, env->envN}}}});
            }
        }
    }
}

void HQMarketChartManager::marketChartManagerInit() {
    const uint32_t drawType = hasSidePanel(m_SelectedCommodityYKJInfo) ? 4 : 0;
    m_variableAboutDevice = std::make_shared<VariableAboutDevice>(
        m_stateOfScreen, kFenShiKind, m_device, std::make_shared<HQFSDrawPram>(drawType));
    // Sized from the start, so the host places it and the loading indicator is centred on it.
    const Rect root = m_variableAboutDevice->rootViewFrame();
    setFrame(Rect{0, 0, root.width, root.height});
    drawViewManager();
}

void HQMarketChartManager::drawViewManager() {
    if (chartKind() == kKLineKind) {
        m_variableAboutDevice->setScreenState(m_stateOfScreen, kKLineKind);
        m_drawViewManagerKLine = std::make_shared<HQDrawManager>(m_variableAboutDevice);
        m_drawViewManagerKLine->setDelegate(this);
        // An indicator chosen before this chart existed is the one it shows.
        m_drawViewManagerKLine->setQuotaShowInfo(chosenIndicator());
        addSubview(m_drawViewManagerKLine);
        if (m_stateOfScreen == 0 && !m_swipeRight) {
            addSwipe(SwipeGestureRecognizer::Right);
        }
        addGestureRecognizer(
            std::make_unique<PinchGestureRecognizer>([this](GestureRecognizer& pinch) {
                pinchOpenGestureRecognizer(static_cast<PinchGestureRecognizer&>(pinch));
            }));
    } else {
        m_variableAboutDevice->setScreenState(m_stateOfScreen, kFenShiKind);
        initDrawViewManagerFenShi();
        if (m_stateOfScreen == 0 && !m_swipeLeft) {
            addSwipe(SwipeGestureRecognizer::Left);
        }
    }
    marketChartManagerInitAboutIphoneWideScreen();
}

void HQMarketChartManager::initDrawViewManagerFenShi() {
    m_drawViewManagerFenShi = std::make_shared<HQDrawManager>(m_variableAboutDevice);
    m_drawViewManagerFenShi->setDelegate(this);
    m_WMManager = nullptr;
    if (hasSidePanel(m_SelectedCommodityYKJInfo)) {
        m_WMManager = m_drawViewManagerFenShi->addSubview(std::make_unique<HQMarketWMManager>(
            m_commodityInfoArray, m_selectedCommodityInfo, 0, 0));
        m_WMManager->setFrame(sidePanelFrame(2));
        m_WMManager->setupViews(tradingMode());
    }
    addSubview(m_drawViewManagerFenShi);
}

int HQMarketChartManager::tradingMode() const {
    return m_selectedCommodityInfo ? m_selectedCommodityInfo->productJYtype : 0;
}

// Along the right edge of the time-sharing chart, a little shorter than it.
Rect HQMarketChartManager::sidePanelFrame(double heightLess) const {
    const Rect chart = m_drawViewManagerFenShi->frame();
    const double width = HQMarketWMManager::kPanelWidth;
    return Rect{chart.width - width, 1, width, chart.height - heightLess};
}

void HQMarketChartManager::SetCommodityStatusInfoArray() {
    auto items = m_variableAboutDevice->CommodityStatusInfoArray();
    if (!m_commodityInfoArray.empty() && m_commodityInfoArray.back()) {
        for (const auto& market : m_commodityInfoArray.back()->MarketInfoArray) {
            for (const auto& disk : market->diskInfoArray) {
                for (const auto& commodity : disk->commodityInfoArray) {
                    auto item = std::make_shared<commodityStatusItem>();
                    item->commodity = commodity;
                    items.push_back(std::move(item));
                }
            }
        }
    }
    m_variableAboutDevice->setCommodityStatusInfoArray(std::move(items));
}

void HQMarketChartManager::layoutSubviews() {
    const Rect root = m_variableAboutDevice->rootViewFrame();
    const Rect wanted{root.x, frame().y, root.width, root.height};
    if (frame() != wanted) {
        setFrame(wanted);
    }
    // A message still up when the screen turned stays at the bottom of the chart on show.
    for (View* child : subviews()) {
        if (auto* toast = dynamic_cast<UIViewToast*>(child)) {
            toast->placeAtBottomOf(*this);
        }
    }
}

void HQMarketChartManager::setScreenState(uint32_t state) {
    m_stateOfScreen = state;
    resetDrawRect();
}

// The one layout of the manager: every turn of the screen and every change of chart kind ends
// here, so both chart views and the side panel are placed for the state and kind on show, and
// none keeps the place an earlier state gave it.
void HQMarketChartManager::resetDrawRect() {
    const uint32_t shown = chartKind();
    auto& status = *m_variableAboutDevice->statusSaveClass();
    status.FenShiButtonSelected = shown == kFenShiKind;
    status.KLineButtonSelected = shown == kKLineKind;
    if (!chartView(shown)) {
        drawViewManager();
    }
    if (m_stateOfScreen != 0) {
        removeGestureRecognizerWhenShowIndicatorCross();
    } else {
        addGestureRecognizerWhenHidIndicatorCross();
    }
    const bool unscrolled = m_stateOfScreen == 0 && forgetScrolling();
    placeChart(shown == kKLineKind ? kFenShiKind : kKLineKind, false);
    placeChart(shown, true);
    const Rect root = m_variableAboutDevice->rootViewFrame();
    setFrame(Rect{frame().x, frame().y, root.width, root.height});
    // The panel's tables are built for its size.
    if (m_WMManager && m_WMManager->frame() != sidePanelFrame(1)) {
        m_WMManager->setFrame(sidePanelFrame(1));
        m_WMManager->recreateViews(tradingMode());
    }
    HQDrawManager& view = *chartView(shown);
    view.setVariableInfo(m_variableAboutDevice);
    marketChartManagerInitAboutIphoneWideScreen();
    view.resetLineLayers();
    view.resetLayersData();
    // The scroll had stopped the refresh; back at the newest bar the chart asks for it at once.
    if (unscrolled && m_CanStartRefreshControl) {
        getKLineDataFromNetWorkByButtonInfo();
        startRefreshControl();
    }
}

HQDrawManager* HQMarketChartManager::chartView(uint32_t kind) const {
    return (kind == kKLineKind ? m_drawViewManagerKLine : m_drawViewManagerFenShi).get();
}

// At its layout frame for the screen, hidden unless on show; the layout is left set for the
// kind placed. A chart that goes keeps no cross-hair, which would refuse the swipes.
void HQMarketChartManager::placeChart(uint32_t kind, bool onShow) {
    HQDrawManager* view = chartView(kind);
    if (!view) {
        return;
    }
    m_variableAboutDevice->setScreenState(m_stateOfScreen, kind);
    view->setFrame(m_variableAboutDevice->drawViewFrame());
    view->setHidden(!onShow);
    if (!onShow) {
        view->resetLineLayers();
    }
}

// The normal screen cannot scroll: every period goes back to its newest bars. True when the
// period on show was scrolled.
bool HQMarketChartManager::forgetScrolling() {
    const auto shown = chartKind() == kKLineKind ? searchPeriodStatusInfo() : nullptr;
    const bool scrolled = shown && shown->offset != 0;
    for (const auto& item : m_variableAboutDevice->CommodityStatusInfoArray()) {
        if (!item) {
            continue;
        }
        for (const auto& period : item->periodButtonArray) {
            if (period) {
                period->offset = 0;
            }
        }
    }
    return scrolled;
}

void HQMarketChartManager::marketChartManagerInitAboutIphoneWideScreen() {
    m_MyActivity->setCenter(Point{bounds().width / 2, bounds().height / 2});
    navigationBarInit();
    bottomInitAboutIphoneWideScreen();
    if (m_pagecontrol) {
        bringSubviewToFront(m_pagecontrol.get());
    }
    bringSubviewToFront(m_MyActivity);
}

void HQMarketChartManager::navigationBarInit() {
    topButtonInitAboutIphoneWideScreen();
    secondaryOneTopButtonInitAboutIphoneWideScreen();
    if (m_secondaryOneNavigationBar) {
        bringSubviewToFront(m_secondaryOneNavigationBar.get());
    }
}

Button* HQMarketChartManager::createButtonWithInfo(const std::shared_ptr<ButtonInfo>& info,
                                                   std::function<void(Button&)> action,
                                                   View& parent) {
    if (!info) {
        return nullptr;
    }
    auto button = std::make_unique<Button>(info->frame);
    if (!info->normalImag.empty()) {
        button->setBackgroundImage(Image::named(info->normalImag), StateNormal);
    }
    if (!info->selectedImag.empty()) {
        button->setBackgroundImage(Image::named(info->selectedImag), StateSelected);
    }
    button->setTitle(info->title);
    if (info->titleNormalColor) {
        button->setTitleColor(*info->titleNormalColor, StateNormal);
    }
    if (info->titleSelectedColor) {
        button->setTitleColor(*info->titleSelectedColor, StateSelected);
    }
    if (info->font) {
        button->titleLabel()->setFont(*info->font);
    }
    button->setTag(info->tag);
    button->setSelected(info->selectState);
    button->addTarget(TouchUpInside, [action = std::move(action)](Control& control) {
        action(static_cast<Button&>(control));
    });
    return parent.addSubview(std::move(button));
}

Label* HQMarketChartManager::createLabelWithInfo(const std::shared_ptr<LabelInfo>& info,
                                                 View& parent) {
    if (!info) {
        return nullptr;
    }
    auto label = std::make_unique<Label>(info->frame, info->title);
    label->setTextAlignment(chartpaint::textAlignment(info->textAlignment));
    label->setTextColor(info->color.value_or(chartstyle::white()));
    label->setFont(info->font.value_or(chartstyle::system(12)));
    label->setBackgroundColor(Color::clearColor());
    return parent.addSubview(std::move(label));
}

void HQMarketChartManager::pagecontrolInitAboutIphoneNormalScreen() {
    removeBar(m_pagecontrol);
    m_fenshiPointButton.reset();
    m_KLinePointButton.reset();
    const auto page = m_variableAboutDevice->pageControl();
    if (!page) {
        return;
    }
    auto made = std::make_unique<View>(page->frame);
    made->setBackgroundColor(page->backgroundColor.value_or(Color::clearColor()));
    View& dots = *addSubview(std::move(made));
    m_pagecontrol = &dots;
    Button* fenshiDot = createButtonWithInfo(
        page->fenshiButton, [this](Button&) { swipeRightGestureRecognizer(); }, dots);
    Button* klineDot = createButtonWithInfo(
        page->KLineButton, [this](Button&) { swipeLeftGestureRecognizer(); }, dots);
    m_fenshiPointButton = fenshiDot;
    m_KLinePointButton = klineDot;
    const bool fenShiShown = fenshiDot && fenshiDot->isSelected();
    for (auto [dot, lit] : {std::pair{fenshiDot, fenShiShown}, std::pair{klineDot, !fenShiShown}}) {
        if (dot) {
            dot->setCornerRadius(3);
            dot->setBackgroundColor(lit ? Color::lightGrayColor() : Color::darkGrayColor());
        }
    }
}

// Every view of the top bar goes with it: none of its references outlives a rebuild or the
// return to the normal screen.
void HQMarketChartManager::removeTopBar() {
    removeBar(m_TopNavigationBar);
    m_commodityBackButton.reset();
    m_commodityTitleButton.reset();
    m_houseNameLabel.reset();
    m_commodityListImageView.reset();
    m_yikoujiaView.reset();
    m_yikoujiaLabel.reset();
    m_AddPriceLabel.reset();
    m_zhangfuLabel.reset();
    m_yikoujiaImageView.reset();
}

void HQMarketChartManager::topButtonInitAboutIphoneWideScreen() {
    removeTopBar();
    const auto top = m_variableAboutDevice->topRectInfo();
    if (!top) {
        return;
    }
    auto made = std::make_unique<View>(top->navigationBarFrame);
    made->setBackgroundColor(top->backgroundColor.value_or(Color::clearColor()));
    View& bar = *addSubview(std::move(made));
    m_TopNavigationBar = &bar;
    const auto commodityView = top->commodityViewInfo;
    const auto emptyButton = std::make_shared<ButtonInfo>();

    Button* back = createButtonWithInfo(
        commodityView ? commodityView->backButton : emptyButton,
        [this](Button&) { removeMarketChartManagerFromSuperView(); }, bar);
    m_commodityBackButton = back;
    Rect backFrame = back->frame();
    backFrame.x = 20;
    back->setFrame(backFrame);
    if (commodityView && commodityView->backButton &&
        !commodityView->backButton->titleImage.empty()) {
        back->setImage(Image::named(commodityView->backButton->titleImage));
    }

    auto label = std::make_unique<Label>(Rect{back->frame().maxX() + 10, 0, 0, 40});
    label->setBackgroundColor(Color::clearColor());
    label->setNumberOfLines(0);
    label->setFont(chartstyle::system(12));
    label->setTextColor(chartstyle::white());
    m_houseNameLabel = bar.addSubview(std::move(label));

    Button* title = createButtonWithInfo(
        commodityView ? commodityView->titleButton : emptyButton,
        [this](Button& button) { commodityTitleButtonPressed(button); }, bar);
    m_commodityTitleButton = title;
    title->titleLabel()->setFont(chartstyle::system(14));

    const auto listImage = commodityView ? commodityView->listImageViewInfo : nullptr;
    m_commodityListImageView = bar.addSubview(std::make_unique<ImageView>(
        Rect{title->frame().maxX() + 5, 19, 12, 12},
        listImage && !listImage->image.empty() ? Image::named(listImage->image) : Image()));

    if (const auto quoteInfo = top->yikoujiaViewInfo) {
        addQuoteArea(bar, *quoteInfo);
    }
    fillTopBar();
    if (m_yikoujia) {
        setYiKouJiaByYiKouJiaItem(m_yikoujia);
    }

    makeTopSwitch(*top);
    const auto& status = *m_variableAboutDevice->statusSaveClass();
    if (status.FenShiButtonSelected) {
        setViewHidden(m_drawViewManagerFenShi.get(), false);
        setViewHidden(m_drawViewManagerKLine.get(), true);
        setViewHidden(m_periodView.get(), true);
        setViewHidden(m_quotaView.get(), true);
    } else if (status.KLineButtonSelected) {
        setViewHidden(m_drawViewManagerFenShi.get(), true);
        setViewHidden(m_drawViewManagerKLine.get(), false);
        setViewHidden(m_periodView.get(), false);
    }
    if (m_topButtonSelectedImageView) {
        Button* selected =
            m_fenshiButton && m_fenshiButton->isSelected() ? m_fenshiButton : m_klineButton;
        if (selected) {
            const Point marker = m_topButtonSelectedImageView->center();
            m_topButtonSelectedImageView->setCenter(Point{selected->center().x, marker.y});
        }
    }
}

// The exchange and the commodity on show, laid out from the back button on: at every build of
// the bar and at every pick, which may bring another exchange.
void HQMarketChartManager::fillTopBar() {
    Label* house = m_houseNameLabel.get();
    Button* title = m_commodityTitleButton.get();
    if (!house || !title || !m_commodityBackButton) {
        return;
    }
    const std::string name = exchangeName();
    auto* app = VKJYAppDelegate::shared();
    const bool showHouse = !app || app->normalAppPropertyModel().iOSPlatform() != "2";
    house->setText(showHouse ? name : std::string());
    // Sized to the name even when it is not shown, so the title keeps its place.
    const double width =
        TextLayout::measure(name, house->font(), Size{0, 40}, LineBreakMode::WordWrap).width;
    house->setFrame(Rect{m_commodityBackButton->frame().maxX() + 10, 0, width, 40});
    Rect titleFrame = title->frame();
    titleFrame.x = house->frame().maxX() + 20;
    title->setFrame(titleFrame);
    autoCommodityTitleWide();
}

std::string HQMarketChartManager::exchangeName() const {
    std::string name;
    if (!m_selectedCommodityInfo) {
        return name;
    }
    for (const auto& names : m_houseNameAry) {
        for (const auto& [code, exchange] : names) {
            if (VKJYMarketDirectoryNames::codeNames(code, m_selectedCommodityInfo->MarketID)) {
                name = exchange;
            }
        }
    }
    return name;
}

// The live quote of the top bar, hidden until the first quote fills it.
void HQMarketChartManager::addQuoteArea(View& bar, const YiKouJiaViewInfo& info) {
    const Rect marker = m_commodityListImageView->frame();
    auto made = std::make_unique<View>(
        Rect{marker.maxX() + 20, info.viewFrame.y, info.viewFrame.width, info.viewFrame.height});
    made->setBackgroundColor(Color::clearColor());
    made->setHidden(true);
    View& area = *bar.addSubview(std::move(made));
    m_yikoujiaView = &area;
    Label* price = createLabelWithInfo(info.priceLabelInfo, area);
    if (price) {
        price->setFont(chartstyle::system(14));
    }
    m_yikoujiaLabel = price;
    m_AddPriceLabel = createLabelWithInfo(info.addPriceLabelInfo, area);
    m_zhangfuLabel = createLabelWithInfo(info.zhangfuLabelInfo, area);
    m_yikoujiaImageView = area.addSubview(std::make_unique<ImageView>(info.imageFrame));
}

// The chart switch of the wide top bar is made once and kept out of the view tree: the period
// bar does its work on screen.
void HQMarketChartManager::makeTopSwitch(const TopRectInfo& top) {
    if (!m_topSwitch) {
        m_topSwitch = std::make_unique<View>(top.navigationBarFrame);
        for (auto [info, view] :
             {std::pair{top.buttonViewBackgroundImage, &m_topButtonBgImageView},
              std::pair{top.topButtonSelectedImageView, &m_topButtonSelectedImageView}}) {
            if (info) {
                *view = m_topSwitch->addSubview(
                    std::make_unique<ImageView>(info->frame, Image::named(info->image)));
            }
        }
        m_fenshiButton = createButtonWithInfo(
            top.fenshiButton, [this](Button& b) { fenshiButtonPressed(b); }, *m_topSwitch);
        m_klineButton = createButtonWithInfo(
            top.klineButton, [this](Button& b) { klineButtonPressed(b); }, *m_topSwitch);
    }
    const auto& status = *m_variableAboutDevice->statusSaveClass();
    if (m_fenshiButton) {
        m_fenshiButton->setSelected(status.FenShiButtonSelected);
    }
    if (m_klineButton) {
        m_klineButton->setSelected(status.KLineButtonSelected);
    }
}

void HQMarketChartManager::autoCommodityTitleWide() {
    Button* title = m_commodityTitleButton.get();
    ImageView* marker = m_commodityListImageView.get();
    if (!title || !marker || !m_selectedCommodityInfo) {
        return;
    }
    const Rect frame = title->frame();
    const Size size =
        TextLayout::measure(m_selectedCommodityInfo->CommodityName, title->titleLabel()->font(),
                            Size{0, frame.height}, LineBreakMode::CharWrap);
    title->setTitle(m_selectedCommodityInfo->CommodityName);
    title->setFrame(Rect{frame.x, frame.y, size.width, size.height});
    const Rect button = title->frame();
    marker->setFrame(Rect{button.maxX() + 5, button.y + 3, 12, 12});
    if (View* quote = m_yikoujiaView.get()) {
        const Rect area = m_variableAboutDevice->topRectInfo()->yikoujiaViewInfo->viewFrame;
        quote->setFrame(Rect{marker->frame().maxX() + 20, area.y, area.width, area.height});
    }
}

void HQMarketChartManager::secondaryOneTopButtonInitAboutIphoneWideScreen() {
    removeBar(m_secondaryOneNavigationBar);
    const auto strip = m_variableAboutDevice->secondaryOneTopRectInfo();
    if (!strip) {
        return;
    }
    auto view = std::make_unique<View>(strip->navigationBarFrame);
    view->setBackgroundColor(Color::clearColor());
    m_secondaryOneNavigationBar = addSubview(std::move(view));
}

// The period bar and its drop-down panel go together, with every reference into them.
void HQMarketChartManager::removePeriodBar() {
    removeBar(m_bottomView);
    removeBar(m_quotaView);
    m_periodView.reset();
    m_periodScrollView.reset();
    m_quotaScrollView.reset();
    m_quotaButton.reset();
    m_currentButton.reset();
}

void HQMarketChartManager::bottomInitAboutIphoneWideScreen() {
    removePeriodBar();
    const auto bottom = m_variableAboutDevice->bottomRectInfo();
    if (!bottom) {
        return;
    }
    auto made = std::make_unique<View>(bottom->frame);
    made->setClipsToBounds(false);
    View& bar = *addSubview(std::move(made));
    m_bottomView = &bar;
    auto period = std::make_unique<View>(bottom->periodFrame);
    period->setBackgroundColor(bottom->bgColor.value_or(Color::clearColor()));
    View& periods = *bar.addSubview(std::move(period));
    m_periodView = &periods;
    m_periodScrollView = periods.addSubview(std::make_unique<View>(bottom->periodScrollFrame));
    auto quota = std::make_unique<View>(bottom->quotaNormalFrame);
    quota->setBackgroundColor(Color::lightGrayColor());
    quota->setHidden(true);
    m_quotaView = addSubview(std::move(quota));
    auto holder = std::make_unique<View>(bottom->quotaChooseFrame);
    auto dropDown = std::make_unique<Button>(
        Rect{0, 0, bottom->quotaChooseFrame.width, bottom->quotaChooseFrame.height});
    dropDown->setImage(Image::named("hq_up.png"), StateNormal);
    dropDown->setImage(Image::named("hq_down.png"), StateSelected);
    dropDown->addTarget(TouchUpInside,
                        [this](Control& control) { zanKaiLB(static_cast<Button&>(control)); });
    m_quotaButton = holder->addSubview(std::move(dropDown));
    m_quotaScrollView = bar.addSubview(std::move(holder));
    setBottomScrollViewPeriodButtons();
    bringSubviewToFront(&bar);
}

void HQMarketChartManager::setBottomScrollViewPeriodButtons() {
    const auto bottom = m_variableAboutDevice->bottomRectInfo();
    View* strip = m_periodScrollView.get();
    View* panel = m_quotaView.get();
    if (!bottom || !strip || !panel) {
        return;
    }
    // Button 0 is the time-sharing chart; the K-line periods, counted from 0, follow it.
    const int count = m_variableAboutDevice->statusSaveClass()->toolBarSelectedButtonCount;
    const int selected = chartKind() == kKLineKind ? count + 1 : 0;
    m_currentButton.reset();
    std::vector<View*> kept;
    for (size_t i = 0; i < bottom->periodButtonArray.size(); ++i) {
        View& parent = i < kVisibleBarButtons ? *strip : *panel;
        const auto& info = bottom->periodButtonArray[i];
        // A button still standing for its period stays, so that a press on it across the period
        // list's reply acts.
        Button* button = periodButtonFor(parent, info);
        if (button) {
            button->setFrame(info->frame);
        } else {
            button = createButtonWithInfo(
                info, [this](Button& b) { toolBarButtonPressed(b); }, parent);
        }
        if (!button) {
            continue;
        }
        kept.push_back(button);
        button->setSelected(static_cast<int>(i) == selected);
        if (static_cast<int>(i) == selected) {
            m_currentButton = button;
        }
    }
    for (View* parent : {strip, panel}) {
        for (View* old : parent->subviews()) {
            if (std::find(kept.begin(), kept.end(), old) == kept.end()) {
                old->removeFromSuperview();
            }
        }
    }
}

Button* HQMarketChartManager::periodButtonFor(const View& parent,
                                              const std::shared_ptr<ButtonInfo>& info) const {
    for (View* child : parent.subviews()) {
        auto* button = dynamic_cast<Button*>(child);
        if (info && button && button->tag() == info->tag &&
            button->title(StateNormal) == info->title) {
            return button;
        }
    }
    return nullptr;
}

void HQMarketChartManager::zanKaiLB(Button& button) {
    button.setSelected(!button.isSelected());
    setViewHidden(m_quotaView.get(), !button.isSelected());
}

void HQMarketChartManager::removeMarketChartManagerFromSuperView() {
    setViewHidden(m_quotaView.get(), true);
    if (m_delegate) {
        m_delegate->returnButtonPressedAboutWideScreen();
    }
}

void HQMarketChartManager::commodityTitleButtonPressed(Button& button) {
    if (m_delegate) {
        m_delegate->commodityNameButtonPressed(&button);
    }
}

std::shared_ptr<commodityStatusItem> HQMarketChartManager::searchCommodotyStatusItem() const {
    return m_variableAboutDevice->searchCommodotyStatusItem();
}

// The whole identifier: commodities above 255 exist.
std::shared_ptr<commodityStatusItem> HQMarketChartManager::searchCommodotyStatusItemByCommodityID(
    const SubmissionPackage& package) const {
    return m_variableAboutDevice->searchCommodotyStatusItemByNumbers(
        std::atoi(package.MarketID.c_str()), std::atoi(package.DiskID.c_str()),
        std::atoi(package.CommodityID.c_str()), package.panleix);
}

std::shared_ptr<PeriodStatusInfo> HQMarketChartManager::searchPeriodStatusInfo() const {
    const auto item = searchCommodotyStatusItem();
    const auto index =
        static_cast<size_t>(m_variableAboutDevice->statusSaveClass()->toolBarSelectedButtonCount);
    if (!item || index >= item->periodButtonArray.size()) {
        return nullptr;
    }
    return item->periodButtonArray[index];
}

std::shared_ptr<PeriodStatusInfo> HQMarketChartManager::searchPeriodStatusInfoByCommodityID(
    const SubmissionPackage& package) const {
    const auto item = searchCommodotyStatusItemByCommodityID(package);
    if (!item) {
        return nullptr;
    }
    for (const auto& period : item->periodButtonArray) {
        if (period && period->periodItem &&
            number(period->periodItem->periodID) == package.period) {
            return period;
        }
    }
    return nullptr;
}

std::vector<std::shared_ptr<commodityInfo>> HQMarketChartManager::getCommodityInfoArrayBySection(
    int section) const {
    if (m_commodityInfoArray.empty() || !m_commodityInfoArray.back()) {
        return {};
    }
    int n = 0;
    for (const auto& market : m_commodityInfoArray.back()->MarketInfoArray) {
        for (const auto& disk : market->diskInfoArray) {
            if (disk->ownDiskID != 0) {
                continue;
            }
            if (n++ == section) {
                return disk->commodityInfoArray;
            }
        }
    }
    return {};
}

// The panel closes and its arrow goes back to closed, still usable: a press that switches nothing
// (the period on show, the lock closed) rebuilds no bar that would bring a fresh arrow.
void HQMarketChartManager::toolBarButtonPressed(Button& button) {
    if (m_quotaButton) {
        m_quotaButton->setSelected(false);
    }
    setViewHidden(m_quotaView.get(), true);
    if (button.tag() == kFenShiButtonTag) {
        if (!button.isSelected()) {
            switchToFenShi(button);
        }
        return;
    }
    const bool switching = chartKind() == kFenShiKind;
    // The wide screen keeps the time-sharing chart in place under the K-line one: every period
    // tap there lays the K-line chart out again, within the lock too.
    if (switching || m_stateOfScreen != 0) {
        switchToKLine(button);
    }
    // The lock spaces period changes on the K-line chart; a tap that has just brought that chart
    // back must choose its period, or the chart would wait on no request and no timer.
    if (!m_canChangePeriod && !switching) {
        return;
    }
    m_canChangePeriod = false;
    m_periodLock =
        Timer::scheduledTimer(kPeriodLockSeconds, false, [this] { m_canChangePeriod = true; });
    if (button.isSelected()) {
        return;
    }
    m_MyActivity->stopAnimating();
    if (m_currentButton) {
        m_currentButton->setSelected(false);
    }
    m_currentButton = &button;
    button.setSelected(true);
    m_variableAboutDevice->statusSaveClass()->toolBarSelectedButtonCount =
        button.tag() - kFenShiButtonTag - 1;
    m_noKLineTold.clear();
    if (m_drawViewManagerKLine) {
        m_drawViewManagerKLine->setKLineDataToNil();
        m_variableAboutDevice->setScreenState(m_variableAboutDevice->stateOfScreen(), chartKind());
        m_drawViewManagerKLine->KLineLayersNeedsDisplay();
        m_drawViewManagerKLine->HiddenKLineLayers(true);
    }
    stopRefresh();
    m_MyActivity->startAnimating();
    changeLayersByToolBarButtonPressed(button);
}

void HQMarketChartManager::switchToFenShi(Button& button) {
    m_MyActivity->stopAnimating();
    if (m_currentButton) {
        m_currentButton->setSelected(false);
    }
    m_currentButton = &button;
    button.setSelected(true);
    m_variableAboutDevice->statusSaveClass()->toolBarSelectedButtonCount = 0;
    const auto quoteState = VKJYHangQingDataClass::current();
    if (quoteState) {
        quoteState->setManagerIsAnimating(true);
    }
    m_variableAboutDevice->setTypeOfHQ(kFenShiKind);
    resetDrawRect();
    fenshiViewHidden(true);
    m_KLineRefresh.reset();
    if (const auto item = searchCommodotyStatusItem()) {
        m_drawViewManagerFenShi->FenShiResetDrawDataWithCommodity(item->FenShiDataArray,
                                                                  item->commodity);
    }
    m_NeedToNotification = true;
    requestAllFenShi();
    if (quoteState) {
        quoteState->setManagerIsAnimating(false);
    }
}

void HQMarketChartManager::switchToKLine(Button&) {
    const auto quoteState = VKJYHangQingDataClass::current();
    if (quoteState) {
        quoteState->setManagerIsAnimating(true);
    }
    KLineViewHidden(true);
    fenshiViewHidden(true);
    m_FenShiRefresh.reset();
    m_variableAboutDevice->setTypeOfHQ(kKLineKind);
    resetDrawRect();
    const auto bottom = m_variableAboutDevice->bottomRectInfo();
    if (bottom && !bottom->periodButtonArray.empty()) {
        m_NeedToNotification = true;
    }
    if (quoteState) {
        quoteState->setManagerIsAnimating(false);
    }
}

void HQMarketChartManager::changeLayersByToolBarButtonPressed(Button& button) {
    auto& status = *m_variableAboutDevice->statusSaveClass();
    if (button.currentTitle() == "分时") {
        m_variableAboutDevice->setTypeOfHQ(kFenShiKind);
        resetDrawRect();
        if (!m_drawViewManagerFenShi) {
            initDrawViewManagerFenShi();
        }
        setViewHidden(m_drawViewManagerFenShi.get(), false);
        KLineViewHidden(true);
        setViewHidden(m_drawViewManagerKLine.get(), true);
        status.FenShiButtonSelected = true;
        status.KLineButtonSelected = false;
    } else {
        m_variableAboutDevice->setScreenState(m_stateOfScreen, kKLineKind);
        if (!m_drawViewManagerKLine) {
            drawViewManager();
        }
        setViewHidden(m_drawViewManagerFenShi.get(), true);
        setViewHidden(m_drawViewManagerKLine.get(), false);
        status.KLineButtonSelected = true;
        status.FenShiButtonSelected = false;
        m_NeedToNotification = true;
        getKLineDataFromNetWorkByButtonInfo();
    }
    if (m_currentButton) {
        m_currentButton->setSelected(true);
    }
    marketChartManagerInitAboutIphoneWideScreen();
}

void HQMarketChartManager::fenshiViewHidden(bool hidden) {
    if (m_drawViewManagerFenShi) {
        m_drawViewManagerFenShi->HiddenFenShiLayers(hidden);
    }
}

void HQMarketChartManager::KLineViewHidden(bool hidden) {
    if (m_drawViewManagerKLine) {
        m_drawViewManagerKLine->HiddenKLineLayers(hidden);
    }
}

void HQMarketChartManager::moveTopMarker(double centerX, double seconds,
                                         std::function<void()> then) {
    std::weak_ptr<void> alive = linkToken();
    auto finish = [alive, then = std::move(then)](bool) {
        if (!alive.expired()) {
            then();
        }
    };
    WeakLink<ImageView> marker = m_topButtonSelectedImageView;
    View::animate(
        seconds,
        [marker, centerX] {
            if (marker) {
                marker->setCenter(Point{centerX, marker->center().y});
            }
        },
        std::move(finish));
}

void HQMarketChartManager::fenshiButtonPressed(Button& sender) {
    if (!m_fenshiButton || m_fenshiButton->isSelected()) {
        return;
    }
    const double target = sender.center().x;
    if (m_klineButton) {
        m_klineButton->setSelected(false);
    }
    m_KLineRefresh.reset();
    m_variableAboutDevice->setTypeOfHQ(kFenShiKind);
    resetDrawRect();
    m_fenshiButton->setSelected(true);
    moveTopMarker(target, kTopMarkerSeconds, [this] {
        setViewHidden(m_drawViewManagerFenShi.get(), false);
        setViewHidden(m_drawViewManagerKLine.get(), true);
        setViewHidden(m_periodView.get(), true);
        setViewHidden(m_quotaView.get(), true);
        m_MyActivity->stopAnimating();
        m_NeedToNotification = true;
        requestAllFenShi();
        marketChartManagerInitAboutIphoneWideScreen();
    });
}

void HQMarketChartManager::klineButtonPressed(Button& sender) {
    if (!m_klineButton || m_klineButton->isSelected()) {
        return;
    }
    const double target = sender.center().x;
    if (m_fenshiButton) {
        m_fenshiButton->setSelected(false);
    }
    KLineViewHidden(true);
    m_FenShiRefresh.reset();
    m_variableAboutDevice->setTypeOfHQ(kKLineKind);
    resetDrawRect();
    moveTopMarker(target, kTopMarkerSeconds, [this] {
        if (!m_drawViewManagerKLine) {
            drawViewManager();
        }
        if (m_klineButton) {
            m_klineButton->setSelected(true);
        }
        setViewHidden(m_drawViewManagerFenShi.get(), true);
        setViewHidden(m_drawViewManagerKLine.get(), false);
        setViewHidden(m_periodView.get(), false);
        fenshiViewHidden(true);
        const auto bottom = m_variableAboutDevice->bottomRectInfo();
        if (bottom && !bottom->periodButtonArray.empty()) {
            m_noKLineTold.clear();
            m_NeedToNotification = true;
            getKLineDataFromNetWorkByButtonInfo();
        }
        marketChartManagerInitAboutIphoneWideScreen();
    });
}

void HQMarketChartManager::addSwipe(int direction) {
    auto swipe = std::make_unique<SwipeGestureRecognizer>([this, direction](GestureRecognizer&) {
        if (direction == SwipeGestureRecognizer::Right) {
            swipeRightGestureRecognizer();
        } else {
            swipeLeftGestureRecognizer();
        }
    });
    swipe->setDirection(direction);
    auto*& slot = direction == SwipeGestureRecognizer::Right ? m_swipeRight : m_swipeLeft;
    slot = static_cast<SwipeGestureRecognizer*>(addGestureRecognizer(std::move(swipe)));
}

void HQMarketChartManager::addGestureRecognizerWhenHidIndicatorCross() {
    if (m_stateOfScreen != 0) {
        return;
    }
    if (!m_swipeLeft && m_drawViewManagerFenShi) {
        addSwipe(SwipeGestureRecognizer::Left);
    }
    if (!m_swipeRight && m_drawViewManagerKLine) {
        addSwipe(SwipeGestureRecognizer::Right);
    }
}

void HQMarketChartManager::removeGestureRecognizerWhenShowIndicatorCross() {
    for (auto* swipe : {&m_swipeLeft, &m_swipeRight}) {
        if (*swipe) {
            removeGestureRecognizer(*swipe);
            *swipe = nullptr;
        }
    }
}

void HQMarketChartManager::drawViewTouchesBegin(const TouchSet& touches, const Event& event) {
    if (m_delegate) {
        m_delegate->drawViewTouchesBegin(touches, event);
    }
}

int HQMarketChartManager::chosenIndicator() const {
    return m_variableAboutDevice->statusSaveClass()->iphoneKLineZhiBiaoKDJButtonSelected ? 1 : 0;
}

void HQMarketChartManager::chooseIndicator(int quota) {
    auto& status = *m_variableAboutDevice->statusSaveClass();
    status.iphoneKLineZhiBiaoMACDButtonSelected = quota == 0;
    status.iphoneKLineZhiBiaoKDJButtonSelected = quota == 1;
    if (m_drawViewManagerKLine) {
        m_drawViewManagerKLine->setQuotaShowInfo(quota);
    }
}

void HQMarketChartManager::quotaButtonPressed(Button& sender) {
    if (sender.isSelected()) {
        return;
    }
    const auto bottom = m_variableAboutDevice->bottomRectInfo();
    WeakLink<View> panel = m_quotaView;
    auto status = m_variableAboutDevice->statusSaveClass();
    View::animate(kQuotaPanelSeconds, [status, panel, bottom] {
        status->iphoneZhiBiaoButtonSelected = true;
        if (panel && bottom) {
            panel->setFrame(bottom->quotaChooseFrame);
        }
    });
    if (m_periodButton) {
        m_periodButton->setSelected(false);
    }
    if (m_quotaButton) {
        m_quotaButton->setSelected(true);
    }
}

void HQMarketChartManager::quotabuttonBackImageMoveAnimation(const Rect& rect) {
    WeakLink<ImageView> marker = m_quotaImageView;
    View::animate(kQuotaMarkerSeconds, [marker, rect] {
        if (marker) {
            const Rect frame = marker->frame();
            marker->setFrame(Rect{rect.x, frame.y, frame.width, frame.height});
        }
    });
}

void HQMarketChartManager::chooseIndicatorButton(Button& sender, Button* other, int quota) {
    if (sender.isSelected()) {
        return;
    }
    quotabuttonBackImageMoveAnimation(sender.frame());
    sender.setSelected(true);
    if (other) {
        other->setSelected(false);
    }
    chooseIndicator(quota);
}

void HQMarketChartManager::quotaMACDButtonPressed(Button& sender) {
    chooseIndicatorButton(sender, m_quotaKDJButton.get(), 0);
}

void HQMarketChartManager::quotaKDJButtonPressed(Button& sender) {
    chooseIndicatorButton(sender, m_quotaMACDButton.get(), 1);
}

void HQMarketChartManager::swipeRightGestureRecognizer() {
    if (m_stateOfScreen != 0 ||
        (m_drawViewManagerKLine && m_drawViewManagerKLine->showIndicatorCross())) {
        return;
    }
    chooseIndicator(0);
    if (m_rightSwipeHandle) {
        m_rightSwipeHandle();
    }
}

void HQMarketChartManager::swipeLeftGestureRecognizer() {
    if (m_stateOfScreen != 0 ||
        (m_drawViewManagerFenShi && m_drawViewManagerFenShi->showIndicatorCross())) {
        return;
    }
    chooseIndicator(1);
    if (m_leftSwipeHandle) {
        m_leftSwipeHandle();
    }
}

void HQMarketChartManager::pinchOpenGestureRecognizer(PinchGestureRecognizer& pinch) {
    // The recognizer stays on the manager once a K-line chart was made; it zooms that chart only.
    if (m_stateOfScreen == 0 || chartKind() != kKLineKind || !m_drawViewManagerKLine ||
        m_drawViewManagerKLine->showIndicatorCross()) {
        return;
    }
    const auto scale = static_cast<float>(pinch.scale());
    // The recognizer begins only once the fingers have moved, past the resting window.
    if (pinch.state() == GestureRecognizer::State::Began ||
        (scale >= kPinchRestLow && scale <= kPinchRestHigh)) {
        m_ChangeValue = scale;
    }
    const auto period = searchPeriodStatusInfo();
    if (!period) {
        return;
    }
    if (scale - m_ChangeValue > kPinchStep) {
        m_ChangeValue = scale;
        if (period->grade >= kMaxGrade) {
            return;
        }
        ++period->grade;
    } else if (m_ChangeValue - scale > kPinchStep) {
        m_ChangeValue = scale;
        if (period->grade == 0) {
            return;
        }
        --period->grade;
    }
    m_variableAboutDevice->setScreenState(m_stateOfScreen, kKLineKind);
    const bool scrolled = period->offset > 0;
    keepScrollWithinBars(*period);
    m_drawViewManagerKLine->KLineResetDrawLineDataSelf(period->KLineDataArray);
    // The newest bar came into view: the refresh that the scroll stopped runs again.
    if (scrolled && period->offset == 0) {
        stopKLineAutoRefresh(false);
    }
}

// More bars to a screen can leave the scroll past the oldest bar, where a drag back moves nothing.
void HQMarketChartManager::keepScrollWithinBars(PeriodStatusInfo& period) const {
    const auto& columns = m_variableAboutDevice->drawInfoOfMain();
    const auto& series = period.KLineDataArray;
    if (!columns || series.empty() || !series.front()) {
        return;
    }
    period.offset =
        chartscale::reachableOffset(static_cast<int>(series.front()->klineDataItemsArray.size()),
                                    period.offset, static_cast<int>(columns->pointCount));
}

void HQMarketChartManager::changeCommodityWithIndexPath(int section, int row) {
    if (!m_canChangeCommodity) {
        m_pendingCommodity = std::pair{section, row};
        return;
    }
    m_canChangeCommodity = false;
    m_commodityLock =
        Timer::scheduledTimer(kCommodityLockSeconds, false, [this] { openCommodityLock(); });
    const auto commodities = getCommodityInfoArrayBySection(section);
    if (row < 0 || static_cast<size_t>(row) >= commodities.size()) {
        return;
    }
    const bool another = !sameCommodity(m_selectedCommodityInfo, commodities[row]);
    m_selectedCommodityInfo = commodities[row];
    // The time axis and the minutes are placed from the start of this commodity's panel.
    if (const auto quoteState = VKJYHangQingDataClass::current()) {
        quoteState->selectTradingStartOf(*m_selectedCommodityInfo);
    }
    // Nothing of the commodity left shows until the new one's first live quote.
    if (another) {
        m_yikoujia.reset();
        setViewHidden(m_yikoujiaView.get(), true);
    }
    if (m_WMManager) {
        if (another) {
            m_WMManager->forgetQuotes(*m_selectedCommodityInfo);
        }
        m_WMManager->recreateViews(tradingMode());
    }
    m_variableAboutDevice->setCurrentCommodity(m_selectedCommodityInfo);
    stopRefresh();
    m_variableAboutDevice->setScreenState(m_stateOfScreen, chartKind());
    for (const auto& view : {m_drawViewManagerFenShi, m_drawViewManagerKLine}) {
        if (view) {
            view->setIndicatorCrossPointNum(0);
        }
    }
    if (m_drawViewManagerFenShi) {
        m_drawViewManagerFenShi->setFenShiDataToNil();
    }
    if (m_drawViewManagerKLine) {
        m_drawViewManagerKLine->setKLineDataToNil();
    }
    fillTopBar();
    if (m_delegate) {
        m_delegate->commodityOnShowChanged(m_selectedCommodityInfo);
    }
    m_noKLineTold.clear();
    m_NeedToNotification = true;
    requestDataFromNet();
}

void HQMarketChartManager::openCommodityLock() {
    m_canChangeCommodity = true;
    if (const auto pick = std::exchange(m_pendingCommodity, std::nullopt)) {
        changeCommodityWithIndexPath(pick->first, pick->second);
    }
}

void HQMarketChartManager::stopRefreshControlCanBegin(bool canBegin) {
    m_CanStartRefreshControl = canBegin;
    stopRefresh();
}

// The timers stop; whether they may start again is the host's to say (the chart covered or not).
void HQMarketChartManager::stopRefresh() {
    for (auto* control : {&m_FenShiRefresh, &m_KLineRefresh}) {
        if (*control) {
            (*control)->stopRefresh();
            control->reset();
        }
    }
}

void HQMarketChartManager::makeTimerFor(std::unique_ptr<HQRefreshControl>& control, int seconds,
                                        uint32_t type) {
    control = std::make_unique<HQRefreshControl>();
    control->setDelegate(this);
    control->setRefreshTime(seconds, type);
}

void HQMarketChartManager::startRefreshControl() {
    if (!m_CanStartRefreshControl) {
        return;
    }
    m_isMoreData = false;
    const auto quoteState = VKJYHangQingDataClass::current();
    const int given = quoteState ? quoteState->severProtocol().requestDataTime : 0;
    // The server may give no interval.
    const int seconds = given > 0 ? given : kDefaultRefreshSeconds;
    if (!m_FenShiRefresh && chartKind() == kFenShiKind) {
        makeTimerFor(m_FenShiRefresh, seconds, kFenShiKind);
        return;
    }
    // Only a chart scrolled away from its newest bars waits; one whose periods went with a lost
    // session refreshes too, so that its next tick asks for them again.
    const auto period = searchPeriodStatusInfo();
    if (!m_KLineRefresh && chartKind() == kKLineKind && (!period || period->offset == 0)) {
        makeTimerFor(m_KLineRefresh, seconds, kKLineKind);
    }
}

// The chart on show has a request out or its timer running. With nothing to ask (its series went
// with a lost session), its next refresh starts the road again, unless a renewal running will.
void HQMarketChartManager::askAtTheNextRefresh() {
    if (!m_KLinePeriodNotEmpty && !m_renewingSession) {
        m_restartRoad = true;
    }
    startRefreshControl();
}

void HQMarketChartManager::requestZipSec() {
    // The road starts again now, not once more at the next refresh.
    m_restartRoad = false;
    auto package = std::make_shared<SubmissionPackage>();
    package->panleix = m_selectedCommodityInfo ? m_selectedCommodityInfo->panindex : 0;
    needRequestDataWithPackage(package, "zipsec");
}

void HQMarketChartManager::roadStepEnded(bool roadStep) {
    if (roadStep && m_roadStepsOut > 0) {
        --m_roadStepsOut;
    }
}

void HQMarketChartManager::needRequestDataWithPackage(std::shared_ptr<SubmissionPackage> package,
                                                      const std::string& type) {
    m_roadStepsOut += isRoadStep(type) ? 1 : 0;
    auto manager = HQNetworkManger::create();
    manager->setDelegate(m_relay);
    manager->needDatasFromNetWork(std::move(package), type);
}

void HQMarketChartManager::refreshAllData() {
    m_MyActivity->setCenter(Point{bounds().width / 2, bounds().height / 2});
    bringSubviewToFront(m_MyActivity);
    m_MyActivity->startAnimating();
    if (m_KLinePeriodNotEmpty) {
        requestDataFromNet();
        return;
    }
    // The period list is the same for every commodity of the server; the package only
    // names the server to ask.
    auto package = std::make_shared<SubmissionPackage>();
    package->panleix = m_selectedCommodityInfo ? m_selectedCommodityInfo->panindex : 0;
    needRequestDataWithPackage(package, "KlinePeriod");
}

void HQMarketChartManager::requestDataFromNet() {
    if (chartKind() != kFenShiKind) {
        KLineViewHidden(true);
        getKLineDataFromNetWorkByButtonInfo();
        return;
    }
    fenshiViewHidden(true);
    requestAllFenShi();
}

void HQMarketChartManager::fillCommodityNumbers(SubmissionPackage& package,
                                                const commodityInfo& commodity) const {
    package.MarketID = number(commodity.MarketID);
    package.DiskID = number(commodity.DiskID);
    package.CommodityID = number(commodity.CommodityID);
    package.panleix = m_selectedCommodityInfo ? m_selectedCommodityInfo->panindex : 0;
}

void HQMarketChartManager::requestAllFenShi() {
    if (chartKind() != kFenShiKind) {
        return;
    }
    const auto item = searchCommodotyStatusItem();
    if (!item || !item->commodity) {
        return askAtTheNextRefresh();
    }
    const auto series = item->FenShiDataArray.empty() ? nullptr : item->FenShiDataArray.front();
    const auto day = series && !series->tradingDayNumArray.empty()
                         ? series->tradingDayNumArray.front()
                         : nullptr;
    auto package = std::make_shared<SubmissionPackage>();
    fillCommodityNumbers(*package, *item->commodity);
    package->protocolNum = "32";
    package->period = "1";
    package->numberOfRequest = "2000";
    if (day && !day->fenShiDataItemArray.empty()) {
        package->requestTime = day->tradingDay + day->fenShiDataItemArray.back()->fenShiTime;
        package->direction = "1";
        m_drawViewManagerFenShi->FenShiResetDrawDataWithCommodity(item->FenShiDataArray,
                                                                  item->commodity);
        // On a slow line the refresh waits for the answer out: two asking from the same minute
        // would answer out of order and the older put back its high and low.
        if (item->FenShiRequesting) {
            return;
        }
    } else {
        m_MyActivity->startAnimating();
        bringSubviewToFront(m_MyActivity);
        package->requestTime = "-1";
        package->direction = "0";
    }
    requestFenShiDataWithPackage(package);
}

void HQMarketChartManager::requestFenShiDataWithPackage(
    std::shared_ptr<SubmissionPackage> package) {
    if (const auto item = searchCommodotyStatusItem()) {
        item->FenShiRequesting = true;
    }
    if (package->requestTime == "-1") {
        manyDayMiniteTimeRequest();
        return;
    }
    needRequestDataWithPackage(std::move(package), "fenshi");
}

void HQMarketChartManager::manyDayMiniteTimeRequest() {
    if (!m_selectedCommodityInfo) {
        return;
    }
    auto package = std::make_shared<SubmissionPackage>();
    fillCommodityNumbers(*package, *m_selectedCommodityInfo);
    needRequestDataWithPackage(package, "manydayfenshi");
}

void HQMarketChartManager::getKLineDataFromNetWorkByButtonInfo() {
    // The two charts share one layout: stored bars drawn under another would write its labels.
    if (chartKind() != kKLineKind) {
        return;
    }
    const auto item = searchCommodotyStatusItem();
    const auto period = searchPeriodStatusInfo();
    if (!item || !item->commodity || !period || !period->periodItem) {
        return askAtTheNextRefresh();
    }
    auto package = std::make_shared<SubmissionPackage>();
    fillCommodityNumbers(*package, *item->commodity);
    const int periodID = period->periodItem->periodID;
    package->period = number(periodID);
    package->numberOfCommodity = "1";
    package->numberOfRequest = "3000";
    package->protocolNum = "30";
    if (!m_db) {
        m_db = std::make_unique<HQDataBase>();
    }
    const auto stored = m_db->searchPartDataFromKLineForm(*package);
    const auto series = stored && !stored->empty() ? stored->back() : nullptr;
    if (series && !series->klineDataItemsArray.empty()) {
        period->KLineDataArray = {series};
        const std::string last = std::to_string(series->klineDataItemsArray.back()->date);
        package->requestTime = last;
        package->direction = "1";
        package->klineRequestType = kRequestNew;
        if (period->LastRequestDate.empty()) {
            period->LastRequestDate = last;
        }
        package->LastRequestDate = period->LastRequestDate;
        if (m_drawViewManagerKLine) {
            m_drawViewManagerKLine->KLineResetDrawLineDataSelf(period->KLineDataArray);
        }
        if (period->KLineRequesting) {
            return;
        }
        period->KLineRequesting = true;
        requestKLineDataWithPackage(package);
        return;
    }
    const bool longPeriod = periodID >= 6 && periodID <= 9;
    package->numberOfRequest = longPeriod ? "3000" : "600";
    package->requestTime = "-1";
    package->direction = "0";
    package->klineRequestType = kRequestFirst;
    package->protocolNum = "33";
    package->searchDayCount = "30";
    period->KLineRequesting = true;
    requestKLineDataWithPackage(package);
}

void HQMarketChartManager::requestKLineDataWithPackage(std::shared_ptr<SubmissionPackage> package) {
    const bool first = package->requestTime == "-1";
    needRequestDataWithPackage(std::move(package), first ? "manydaykxian" : "Kline");
}

void HQMarketChartManager::SetBottomButtonsWithArray(
    const std::vector<std::shared_ptr<KPeriodDataItem>>& periods) {
    m_variableAboutDevice->setPeriodButtonInfoArray(periods);
    for (const auto& item : m_variableAboutDevice->CommodityStatusInfoArray()) {
        item->periodButtonArray.clear();
        for (const auto& entry : periods) {
            auto period = std::make_shared<PeriodStatusInfo>();
            period->periodItem = entry;
            item->periodButtonArray.push_back(std::move(period));
        }
    }
    m_variableAboutDevice->setScreenState(m_stateOfScreen, chartKind());
    setBottomScrollViewPeriodButtons();
}

void HQMarketChartManager::dataAnalysisFinished(HQNetworkManger* manager, const HQReplyData& data) {
    const std::string& type = manager->typeNW();
    const auto package = manager->submissionPackageNM();
    if (type == "KlinePeriod") {
        const auto* periods = std::get_if<std::vector<std::shared_ptr<KPeriodDataItem>>>(&data);
        SetBottomButtonsWithArray(periods ? *periods
                                          : std::vector<std::shared_ptr<KPeriodDataItem>>{});
        m_KLinePeriodNotEmpty = true;
        requestDataFromNet();
    } else if (type == "manydayfenshi") {
        if (const auto* items = std::get_if<FenShiReplies>(&data)) {
            FSDataHeBing(*items, package);
        }
    } else if (type == "manydaykxian" || type == "Kline") {
        const auto* series = std::get_if<KLineReplies>(&data);
        KLineResetDrawData(series ? *series : KLineReplies{}, package);
    } else if (type == "zipsec") {
        const auto* keys = std::get_if<std::vector<HQZipSecEntry>>(&data);
        m_zipSecDataArray = keys ? *keys : std::vector<HQZipSecEntry>{};
        refreshAllData();
    } else if (type == "fenshi") {
        const auto* items = std::get_if<FenShiReplies>(&data);
        FenShiReplies copy = items ? *items : FenShiReplies{};
        for (const auto& item : copy) {
            chartseries::foldDays(*item);
        }
        FenShiResetDrawData(copy, package);
    }
}

void HQMarketChartManager::resetAllStatus() {
    m_KLinePeriodNotEmpty = false;
    m_variableAboutDevice->setCommodityStatusInfoArray({});
    SetCommodityStatusInfoArray();
    stopRefresh();
    // The held series are gone: the charts show their empty grids until the new ones come.
    if (m_drawViewManagerFenShi) {
        m_drawViewManagerFenShi->FenShiResetDrawData();
    }
    if (m_drawViewManagerKLine) {
        m_drawViewManagerKLine->KLineResetDrawLineDataSelf({});
    }
    // A covered chart asks for nothing: its next appearance finds the session lost and renews it.
    if (m_renewingSession || !m_CanStartRefreshControl) {
        return;
    }
    // Asking again with the lost session would only be refused again: renew it first.
    m_renewingSession = true;
    ++m_roadStepsOut;
    auto manager = HQNetworkManger::create();
    manager->setDelegate(m_relay);
    manager->needDataFromNetWork(nullptr, kRenewalType,
                                 m_selectedCommodityInfo ? m_selectedCommodityInfo->panindex : 0);
}

void HQMarketChartManager::requestSessionAgainFinished() {
    m_renewingSession = false;
    if (m_CanStartRefreshControl) {
        refreshAllData();
    }
}

void HQMarketChartManager::dataAnalysisFailed(HQNetworkManger* manager, int errorCode) {
    // A renewal refused with 2003 ends as any failed renewal does, or the chart would wait on a
    // renewal that no longer runs.
    if (errorCode == kSessionLostCode && manager->typeNW() != kRenewalType) {
        resetAllStatus();
        return;
    }
    handleFailure(manager, manager->typeNW(), manager->submissionPackageNM());
}

void HQMarketChartManager::requestFailed(HQNetworkManger* manager, int) {
    handleFailure(manager, manager->typeNW(), manager->submissionPackageNM());
}

bool HQMarketChartManager::isOnShow(const SubmissionPackage& package, uint32_t kind) const {
    const auto& status = *m_variableAboutDevice->statusSaveClass();
    if (!(kind == kKLineKind ? status.KLineButtonSelected : status.FenShiButtonSelected)) {
        return false;
    }
    const auto current = searchCommodotyStatusItem();
    if (!current || current != searchCommodotyStatusItemByCommodityID(package)) {
        return false;
    }
    if (kind == kFenShiKind) {
        return true;
    }
    const auto period = searchPeriodStatusInfo();
    return period && period->periodItem && number(period->periodItem->periodID) == package.period;
}

void HQMarketChartManager::endLoadOnShow() {
    m_MyActivity->stopAnimating();
    startRefreshControl();
}

void HQMarketChartManager::handleFailure(HQNetworkManger* manager, const std::string& type,
                                         const std::shared_ptr<SubmissionPackage>& package) {
    if (type == "severTime") {
        const auto chartPackage =
            package ? package->FenShiOrKLinePackageWhenRequestSeverTime : nullptr;
        if (chartPackage && chartPackage->protocolNum == "32") {
            handleFailure(manager, "fenshi", chartPackage);
        } else if (chartPackage && chartPackage->protocolNum == "30") {
            handleFailure(manager, "Kline", chartPackage);
        }
        return;
    }
    const bool fenShi = type == "fenshi" || type == "manydayfenshi";
    const bool kLine = type == "Kline" || type == "manydaykxian";
    if ((fenShi || kLine) && package) {
        if (fenShi) {
            if (const auto item = searchCommodotyStatusItemByCommodityID(*package)) {
                item->FenShiRequesting = false;
            }
        } else if (const auto period = searchPeriodStatusInfoByCommodityID(*package)) {
            period->KLineRequesting = false;
        }
        // A failure of a commodity or period left meanwhile is not the user's to see.
        if (!isOnShow(*package, kLine ? kKLineKind : kFenShiKind)) {
            return;
        }
    } else if (type == "zipsec" || type == "KlinePeriod" || type == kRenewalType) {
        if (type == kRenewalType) {
            m_renewingSession = false;
        }
        // The road starts again from the keys at the next refresh.
        m_restartRoad = true;
    }
    // Whatever failed, the chart on show asks again at its next refresh.
    showToast("请求网络失败");
    endLoadOnShow();
}

void HQMarketChartManager::showToast(const std::string& message) {
    // A refresh that keeps failing shows its message afresh instead of piling up copies.
    for (View* child : subviews()) {
        auto* toast = dynamic_cast<UIViewToast*>(child);
        if (toast && toast->message() == message) {
            toast->removeFromSuperview();
        }
    }
    UIViewToast::makeToast(*this, message);
}

void HQMarketChartManager::tellNoKLineOnce(const SubmissionPackage& package) {
    const std::string shown = std::to_string(package.panleix) + "|" + package.MarketID + "|" +
                              package.DiskID + "|" + package.CommodityID + "|" + package.period;
    if (shown == m_noKLineTold) {
        return;
    }
    m_noKLineTold = shown;
    showToast(kNoKLineData);
}

void HQMarketChartManager::RefreshUIWithType(int type) {
    if (m_restartRoad) {
        m_restartRoad = false;
        requestZipSec();
        return;
    }
    if (type == kKLineKind) {
        getKLineDataFromNetWorkByButtonInfo();
    } else if (type == kFenShiKind) {
        m_NeedToNotification = false;
        requestAllFenShi();
    }
}

void HQMarketChartManager::stopKLineAutoRefresh(bool stop) {
    if (stop) {
        if (m_KLineRefresh) {
            m_KLineRefresh->stopRefresh();
            m_KLineRefresh.reset();
        }
        return;
    }
    if (chartKind() != kKLineKind) {
        return;
    }
    getKLineDataFromNetWorkByButtonInfo();
    if (!m_KLineRefresh) {
        makeTimerFor(m_KLineRefresh, kDefaultRefreshSeconds, kKLineKind);
    }
}

void HQMarketChartManager::notificationRefreshFinish(int kind,
                                                     const std::shared_ptr<SubmissionPackage>&) {
    if (!m_NeedToNotification) {
        m_MyActivity->stopAnimating();
        return;
    }
    if (!m_delegate) {
        return;
    }
    m_MyActivity->stopAnimating();
    m_NeedToNotification = false;
    m_delegate->RefreshFinish(kind);
}

void HQMarketChartManager::KLineResetDrawData(const KLineReplies& data,
                                              std::shared_ptr<SubmissionPackage> package) {
    const auto period = package ? searchPeriodStatusInfoByCommodityID(*package) : nullptr;
    // Every reply ends the request, also one without bars.
    if (period) {
        period->KLineRequesting = false;
    }
    const std::string type = package ? package->klineRequestType : std::string();
    const auto merge =
        period ? chartseries::mergeKLineReply(*period, data, type) : chartseries::KLineMerge::Empty;
    if (merge == chartseries::KLineMerge::Empty) {
        // The indicator and the message belong to the period on show, not to a late reply of
        // one left meanwhile.
        if (!period || !isOnShow(*package, kKLineKind)) {
            return;
        }
        const bool holdsBars = !period->KLineDataArray.empty() && period->KLineDataArray.front() &&
                               !period->KLineDataArray.front()->klineDataItemsArray.empty();
        endLoadOnShow();
        if (!holdsBars) {
            tellNoKLineOnce(*package);
        }
        notificationRefreshFinish(0, package);
        return;
    }
    turnDataToDrawManager(period->KLineDataArray, package);
}

void HQMarketChartManager::turnDataToDrawManager(const KLineReplies& series,
                                                 std::shared_ptr<SubmissionPackage> package) {
    const std::string type = package ? package->klineRequestType : std::string();
    const auto& bars = series.front()->klineDataItemsArray;
    if (type == kRequestFirst) {
        chartseries::computeAverages(bars, 0);
    }
    if (!package || !isOnShow(*package, kKLineKind)) {
        return;
    }
    m_MyActivity->stopAnimating();
    if (type == kRequestFirst) {
        requestMoreKLineData(series, package);
    } else {
        startRefreshControl();
    }
    if (m_drawViewManagerKLine) {
        m_drawViewManagerKLine->KLineResetDrawLineDataSelf(series);
    }
}

void HQMarketChartManager::FenShiResetDrawData(const FenShiReplies& data,
                                               std::shared_ptr<SubmissionPackage> package) {
    // A time-sharing reply tells the exchange's zone: the axis laid out before it learns its
    // times.
    if (m_variableAboutDevice->retitleTimeLabels() && m_drawViewManagerFenShi) {
        m_drawViewManagerFenShi->reSetNeedsDisPlay();
    }
    const auto item = package ? searchCommodotyStatusItemByCommodityID(*package) : nullptr;
    if (!item) {
        return;
    }
    item->FenShiRequesting = false;
    const bool shown = isOnShow(*package, kFenShiKind);
    if (shown && m_MyActivity->isAnimating()) {
        m_MyActivity->stopAnimating();
        notificationRefreshFinish(1, nullptr);
    }
    // Kept in its own commodity's format and day, whichever commodity is on show when it comes.
    const auto merge = chartseries::mergeFenShiReply(
        *item, data, item->commodity ? item->commodity->leastPrice : decimals(),
        tradingStartOf(*item));
    if (!shown || !m_drawViewManagerFenShi) {
        return;
    }
    startRefreshControl();
    if (merge == chartseries::FenShiMerge::NoDay) {
        return;
    }
    if (merge == chartseries::FenShiMerge::NewestOnly) {
        m_drawViewManagerFenShi->FenShiResetDrawData();
        return;
    }
    const auto current = searchCommodotyStatusItem();
    m_drawViewManagerFenShi->FenShiResetDrawDataWithCommodity(current->FenShiDataArray,
                                                              current->commodity);
}

void HQMarketChartManager::requestMoreKLineData(const KLineReplies& data,
                                                std::shared_ptr<SubmissionPackage> package) {
    if (data.empty() || !data.front() || !package) {
        return;
    }
    const auto reply = data.front();
    const auto urls = HQHistoryFiles::kLineFileUrls(*reply);
    const auto keys = m_zipSecDataArray;
    const std::weak_ptr<Relay> relay = m_relay;
    ++m_roadStepsOut;
    GlobalQueue::post([relay, reply, urls, keys, package] {
        std::vector<HQHistoryFiles::KLineSeries> files;
        for (const auto& url : urls) {
            auto file = HQHistoryFiles::fetchKLineFile(url, keys);
            if (file.ok()) {
                files.push_back(std::move(file.content));
            }
        }
        MainQueue::post([relay, reply, files = std::move(files), package] {
            const auto alive = relay.lock();
            if (alive && alive->owner()) {
                alive->owner()->roadStepEnded(true);
                alive->owner()->mergeKLineHistory(*reply, files, package);
            }
        });
    });
}

// On the main thread, where the chart's series and the K-line store are read.
void HQMarketChartManager::mergeKLineHistory(const ReturnKLineData& reply,
                                             const std::vector<KLineReplies>& files,
                                             const std::shared_ptr<SubmissionPackage>& package) {
    // A newer request of the package's own period makes this history stale; the indicator is
    // that request's, or another period's, to end.
    const auto period = searchPeriodStatusInfoByCommodityID(*package);
    if (!period || period->KLineRequesting) {
        return;
    }
    auto joined = std::make_shared<ReturnKLineData>(reply);
    HQHistoryFiles::joinOlderBars(*joined, files);
    auto storePackage = std::make_shared<SubmissionPackage>(*package);
    storePackage->klineRequestType = kRequestAll;
    HQDataCache cache;
    cache.insertKLineData({joined}, *storePackage);
    KLineResetDrawData({joined}, storePackage);
}

void HQMarketChartManager::FSDataHeBing(const FenShiReplies& data,
                                        std::shared_ptr<SubmissionPackage> package) {
    const std::weak_ptr<Relay> relay = m_relay;
    for (const auto& element : data) {
        if (!element || element->tradingDayNumArray.empty()) {
            MainQueue::post([relay, package] {
                const auto alive = relay.lock();
                HQMarketChartManager* owner = alive ? alive->owner() : nullptr;
                if (owner && package && owner->isOnShow(*package, kFenShiKind)) {
                    owner->showToast(kNoFenShiData);
                    owner->endLoadOnShow();
                }
            });
            continue;
        }
        chartseries::foldDays(*element);
        const std::string url = element->URLArray.empty() || !element->URLArray.back()
                                    ? std::string()
                                    : element->URLArray.back()->URLPath;
        if (url.empty()) {
            // Nothing older to fetch: the reply is the whole day.
            FenShiResetDrawData(data, package);
            continue;
        }
        const auto keys = m_zipSecDataArray;
        GlobalQueue::post([relay, url, keys, data, package] {
            auto file = HQHistoryFiles::fetchFenShiFile(url, keys);
            MainQueue::post([relay, file = std::move(file.content), data, package] {
                const auto alive = relay.lock();
                if (alive && alive->owner()) {
                    alive->owner()->mergeFenShiHistory(data, file, package);
                }
            });
        });
    }
}

void HQMarketChartManager::mergeFenShiHistory(const FenShiReplies& data, const FenShiReplies& file,
                                              const std::shared_ptr<SubmissionPackage>& package) {
    for (const auto& item : file) {
        if (item) {
            chartseries::foldDays(*item);
        }
    }
    const auto reply = data.empty() ? nullptr : data.front();
    const auto older = file.empty() ? nullptr : file.front();
    if (older) {
        m_zipFSAry = file;
    }
    const auto item = package ? searchCommodotyStatusItemByCommodityID(*package) : nullptr;
    if (reply && older && item) {
        HQHistoryFiles::joinFenShiDay(*reply, *older, tradingStartOf(*item));
    }
    // A file that could not be used still leaves the reply's own minutes to draw.
    FenShiResetDrawData(data, package);
}

void HQMarketChartManager::setYiKouJiaByYiKouJiaItem(std::shared_ptr<YiKouJia> quote) {
    if (!searchCommodotyStatusItem() || !quote) {
        return;
    }
    m_yikoujia = quote;
    Label* price = m_yikoujiaLabel.get();
    Label* change = m_AddPriceLabel.get();
    Label* ratio = m_zhangfuLabel.get();
    ImageView* arrow = m_yikoujiaImageView.get();
    View* area = m_yikoujiaView.get();
    if (m_stateOfScreen == 0 || !price || !change || !ratio || !arrow || !area) {
        return;
    }
    const int places = decimals();
    price->setText(chartscale::priceText(quote->newPrice, places));
    if (quote->newPrice == 0) {
        return;
    }
    const auto& info = *m_variableAboutDevice->topRectInfo()->yikoujiaViewInfo;
    const std::string changeText = chartscale::priceText(quote->addPrice, places);
    std::string image = info.normalImageString;
    if (quote->addPrice > 0) {
        image = info.UpImageString;
        change->setText("+" + changeText);
    } else {
        if (quote->addPrice < 0) {
            image = info.downImageString;
        }
        change->setText(changeText);
    }
    ratio->setText(quote->zhangfuStr);
    if (!image.empty()) {
        arrow->setImage(Image::named(image));
    }
    for (Label* label : {price, change, ratio}) {
        label->setTextColor(quote->textColor);
    }
    layOutQuoteBar(*price, *arrow, *change, *ratio);
    area->setHidden(false);
}

// Each label as wide as its text, the four side by side.
void HQMarketChartManager::layOutQuoteBar(Label& price, ImageView& arrow, Label& change,
                                          Label& ratio) {
    for (Label* label : {&price, &change, &ratio}) {
        const Rect frame = label->frame();
        const Size size = TextLayout::measure(label->text(), label->font(), Size{0, frame.height},
                                              LineBreakMode::CharWrap);
        label->setFrame(Rect{frame.x, frame.y, size.width, frame.height});
    }
    const auto after = [](const View& left, View& right) {
        Rect frame = right.frame();
        frame.x = left.frame().maxX() + 3;
        right.setFrame(frame);
    };
    after(price, arrow);
    after(arrow, change);
    after(change, ratio);
}
