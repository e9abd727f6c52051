#include "market/VKJYMarketChartController.h"

#include <cmath>
#include <numbers>

#include "analytics/TallyStat.h"
#include "chart/HQMarketChartManager.h"
#include "chart/HQMarketWMManager.h"
#include "market/VKJYCommodityTableView.h"
#include "market/VKJYCustomButton.h"
#include "market/VKJYMarketContext.h"
#include "market/VKJYMarketScreenFactory.h"
#include "market/VKJYMarketStyle.h"
#include "market/VKJYQuoteHeaderTexts.h"
#include "market/VKJYWatchList.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/PropertyList.h"
#include "platform/foundation/Timer.h"
#include "platform/foundation/UserDefaults.h"
#include "platform/foundation/WeakLink.h"
#include "platform/graphics/TextLayout.h"
#include "platform/ui/Button.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Label.h"
#include "platform/ui/NavigationController.h"
#include "quote/HQCommodityMatch.h"
#include "quote/HQNetworkManger.h"
#include "quote/HQNetworkMangerDelegate.h"
#include "quote/QuoteRecords.h"
#include "quote/VKJYHangQingDataClass.h"
#include "shell/MotionTween.h"
#include "shell/VKJYFastTradeViewControllerFactory.h"
#include "shell/VKJYTradingDirectionFactory.h"

// Replies reach the screen only while it lives: the screen drops its link when it goes.
struct VKJYMarketChartController::Link {
    VKJYMarketChartController* screen = nullptr;
};

namespace {
constexpr const char* kLiveQuoteType = "oneyikoujia";
constexpr const char* kRenewalType = "requestSessionAgain";
constexpr double kWideAnimationSeconds = 0.3;
constexpr double kToastFadeSeconds = 0.5;
constexpr double kArrowSeconds = 1.5;
constexpr double kArrowX = 240;
constexpr double kArrowSize = 20;
// Counted up from the bottom of the application's rectangle, where it points at the toolbar.
constexpr double kArrowRestAboveBottom = 54;
constexpr double kSwitchPressSeconds = 0.5;
constexpr double kSwitchSwipeSeconds = 0.45;

// The answer of one live-quote request or of a session renewal, handed to the screen while it
// lives. Every end of a renewal, success or failure, lets a later one go.
class LiveQuoteReceiver : public HQNetworkMangerDelegate {
public:
    enum class Kind { Quote, Renewal };

    LiveQuoteReceiver(std::weak_ptr<VKJYMarketChartController::Link> link, Kind kind,
                      uint64_t number = 0)
        : m_link(std::move(link)), m_kind(kind), m_number(number) {}

    void dataAnalysisFinished(HQNetworkManger* manager, const HQReplyData& data) override {
        if (auto* screen = screenOf(); screen && m_kind == Kind::Quote) {
            screen->liveQuoteAnswered(m_number, manager->typeNW(), data);
        }
    }
    void dataAnalysisFailed(HQNetworkManger*, int errorCode) override {
        auto* screen = screenOf();
        if (!screen) {
            return;
        }
        if (m_kind == Kind::Renewal) {
            return screen->sessionRenewalFailed();
        }
        screen->liveQuoteFailed(errorCode);
    }
    // A live quote lost on the way is asked again at the next tick.
    void requestFailed(HQNetworkManger*, int) override {
        if (auto* screen = screenOf(); screen && m_kind == Kind::Renewal) {
            screen->sessionRenewalFailed();
        }
    }
    void requestSessionAgainFinished() override {
        if (auto* screen = screenOf()) {
            screen->sessionRenewed();
        }
    }

private:
    VKJYMarketChartController* screenOf() const {
        auto link = m_link.lock();
        return link ? link->screen : nullptr;
    }

    std::weak_ptr<VKJYMarketChartController::Link> m_link;
    Kind m_kind;
    uint64_t m_number;
};

Label* addLabel(View& parent, const Rect& frame, const Font& font,
                TextAlignment alignment = TextAlignment::Center, const std::string& text = "--") {
    auto label = std::make_unique<Label>(frame, text);
    label->setBackgroundColor(Color::clearColor());
    label->setTextColor(Color::whiteColor());
    label->setFont(font);
    label->setTextAlignment(alignment);
    return parent.addSubview(std::move(label));
}

void addRule(View& parent, const Rect& frame, const std::string& image) {
    parent.addSubview(
        std::make_unique<ImageView>(frame, Image::named(image).resizable({0, 0, 0, 0})));
}

Button* addImageButton(View& parent, const Rect& frame, const std::string& image,
                       std::function<void()> action) {
    auto button = std::make_unique<Button>(frame);
    button->setImage(Image::named(image));
    button->addTarget(TouchUpInside, [action = std::move(action)](Control&) { action(); });
    return parent.addSubview(std::move(button));
}

void show(Label* label, const VKJYQuoteHeaderTexts::Figure& figure) {
    label->setText(figure.text);
    label->setTextColor(figure.color);
}

Font boldFont(double size) {
    return Font::named("Helvetica-Bold", size);
}
}  // namespace

VKJYMarketChartController::VKJYMarketChartController(Items commodityArray,
                                                     std::shared_ptr<commodityInfo> commodity,
                                                     std::shared_ptr<YiKouJia> yikoujia)
    : m_commodityArray(std::move(commodityArray)),
      m_commodity(std::move(commodity)),
      m_initialYiKouJia(std::move(yikoujia)),
      m_link(std::make_shared<Link>(Link{this})) {
    readWatchList();
}

VKJYMarketChartController::~VKJYMarketChartController() {
    m_link->screen = nullptr;
    NotificationCenter::defaultCenter().removeObserver(this);
    MotionTween::sharedInstance().removeTweenOperation(m_activeTweenOperation);
    if (m_chartManager) {
        m_chartManager->setDelegate(nullptr);
        m_chartManager->setLeftSwipeHandle(nullptr);
        m_chartManager->setRightSwipeHandle(nullptr);
    }
    if (m_commodityList) {
        m_commodityList->setDelegate(nullptr);
    }
    if (m_tradeVC) {
        m_tradeVC->setDelegate(nullptr);
    }
}

void VKJYMarketChartController::registerScreen() {
    VKJYMarketScreenFactory::registerScreen(
        VKJYMarketScreenFactory::kMarketChartController, [](const VKJYMarketScreenArgs& args) {
            return std::make_unique<VKJYMarketChartController>(args.commodityArray, args.commodity,
                                                               args.yikoujia);
        });
}

void VKJYMarketChartController::loadView() {
    const Rect area = VKJYMarketContext::appViewRect();
    setView(std::make_shared<View>(Rect{0, 0, area.width, area.y + area.height}));
}

void VKJYMarketChartController::viewDidLoad() {
    view()->setClipsToBounds(true);
    view()->setBackgroundColor(VKJYMarketStyle::listColor());
    refrashDanYiKouJia();
    navigationItemsInit();
    chartSwitchInit();
    topCurrentShowDataViewInit();
    addChartManager();
    toolbarItemsInit();
    auto list = std::make_unique<VKJYCommodityTableView>(m_commodityArray, m_commodity);
    list->setHidden(true);
    list->setDelegate(this);
    m_commodityList = view()->addSubview(std::move(list));
    view()->setBackgroundColor(Color::rgb(17, 17, 17));
    m_ykjIsFromJiaoYi = false;
    addGuideHelp();
    if (VKJYMarketContext::isBelowSeven()) {
        NotificationCenter::defaultCenter().addObserver(
            this, kWideScreenNotification, nullptr,
            [this](const std::string&, const void*, const PropertyList&) { wide(); });
    }
}

void VKJYMarketChartController::viewWillAppear(bool) {
    m_pushFastView = true;
    TallyStat::beginLogPageView(kPageName);
    readWatchList();
    showWatchState();
    followSwipes();
}

void VKJYMarketChartController::viewDidAppear(bool) {
    if (m_chartManager) {
        m_chartManager->stopRefreshControlCanBegin(true);
        m_chartManager->requestZipSec();
    }
    if (m_timer) {
        m_timer->setFireDate(Timer::now());
    }
}

void VKJYMarketChartController::viewWillDisappear(bool) {
    TallyStat::endLogPageView(kPageName);
}

void VKJYMarketChartController::viewDidDisappear(bool) {
    if (m_timer) {
        m_timer->setFireDate(Timer::distantFuture());
    }
    // A covered chart asks for nothing; its next appearance starts the road again.
    if (m_chartManager) {
        m_chartManager->stopRefreshControlCanBegin(false);
    }
}

bool VKJYMarketChartController::prefersStatusBarHidden() const {
    return m_chartManager && m_chartManager->stateOfScreen() != 0;
}

void VKJYMarketChartController::readWatchList() {
    m_chooseIDs = VKJYWatchList::readFile();
}

void VKJYMarketChartController::showWatchState() {
    if (!m_chooseCommodityButton || !m_commodity) {
        return;
    }
    const bool watched = VKJYWatchList(m_chooseIDs).contains(VKJYWatchList::keyOf(*m_commodity));
    m_chooseCommodityButton->setImage(Image::named(watched ? "delete.png" : "add.png"));
}

void VKJYMarketChartController::navigationItemsInit() {
    auto strip = std::make_unique<View>(Rect{0, kStripY, view()->bounds().width, kStripHeight});
    strip->setBackgroundColor(VKJYMarketStyle::listColor());
    m_navigationView = view()->addSubview(std::move(strip));
    view()->addSubview(
        std::make_unique<ImageView>(Rect{0, 63, 320, 1}, Image::named("click@2x.png")));
    m_chooseCommodityButton = addImageButton(*m_navigationView, {5, 9, 26, 26}, "add.png",
                                             [this] { chooseCommodityButtonPressed(); });
    const auto names = VKJYMarketContext::directoryNames();
    std::string exchange;
    // The commodity's own market: the server index is no position in the list of markets.
    if (!VKJYMarketContext::hidesExchangeNames() && m_commodity) {
        exchange = names.exchangeName(m_commodity->MarketID);
    }
    m_marketNameLabel = addLabel(*m_navigationView, {35, 0, 80, 42}, Font::system(10),
                                 TextAlignment::Center, exchange);
    auto title = std::make_unique<Button>();
    title->setTitleColor(Color::whiteColor());
    title->titleLabel()->setFont(boldFont(12));
    title->addTarget(TouchUpInside,
                     [this](Control& c) { commodityNameButtonPressed(dynamic_cast<Button*>(&c)); });
    m_commodityNameButton = m_navigationView->addSubview(std::move(title));
    m_imageButton = addImageButton(*m_navigationView, {0, 16, 12, 12}, "caidan.png",
                                   [this] { commodityNameButtonPressed(m_imageButton); });
    addRule(*m_navigationView, {0, kStripHeight - 0.5, 320, 1}, "xian-hengxian.png");
    layOutTitle(false);
}

void VKJYMarketChartController::chartSwitchInit() {
    const double w = m_navigationView->bounds().width;
    m_chartSwitch = std::make_unique<View>(m_navigationView->frame());
    m_chartSwitch->addSubview(
        std::make_unique<ImageView>(Rect{w - 85, 11, 74, 21}, Image::named("kxian-anniu.png")));
    m_switchMark = m_chartSwitch->addSubview(std::make_unique<ImageView>(
        Rect{w - 85, 11, 37, 21}, Image::named("kxian-anniu_press.png")));
    auto tab = [&](double x, const std::string& title, std::function<void()> action) {
        auto button = std::make_unique<Button>(Rect{x, 11, 37, 21});
        button->setTitle(title);
        button->setTitleColor(Color::whiteColor());
        button->titleLabel()->setFont(Font::named("Arial", 12));
        button->addTarget(TouchUpInside, [action = std::move(action)](Control&) { action(); });
        return m_chartSwitch->addSubview(std::move(button));
    };
    m_fenshiButton = tab(w - 85, "分时", [this] { fenshiButtonPressed(); });
    m_klineButton = tab(w - 48, "K线", [this] { klineButtonPressed(); });
}

void VKJYMarketChartController::fenshiButtonPressed() {
    if (isAnimating() || !m_chartManager) {
        return;
    }
    slideSwitchMark(m_fenshiButton, kSwitchPressSeconds);
    m_chartManager->swipeRightGestureRecognizer();
}

void VKJYMarketChartController::klineButtonPressed() {
    if (isAnimating() || !m_chartManager) {
        return;
    }
    slideSwitchMark(m_klineButton, kSwitchPressSeconds);
    m_chartManager->swipeLeftGestureRecognizer();
}

void VKJYMarketChartController::followSwipes() {
    if (!m_chartManager) {
        return;
    }
    m_chartManager->setLeftSwipeHandle(
        [this] { slideSwitchMark(m_klineButton, kSwitchSwipeSeconds); });
    m_chartManager->setRightSwipeHandle(
        [this] { slideSwitchMark(m_fenshiButton, kSwitchSwipeSeconds); });
}

void VKJYMarketChartController::slideSwitchMark(Button* to, double seconds) {
    ImageView* mark = m_switchMark;
    const double x = to->center().x;
    View::animate(seconds, [mark, x] { mark->setCenter({x, mark->center().y}); });
}

// The loaded title is 30 points taller than its text, with the menu icon at its right edge; a
// pick lays it out to its text's size, with the icon 2 points to the right.
void VKJYMarketChartController::layOutTitle(bool picked) {
    const std::string name = m_commodity ? m_commodity->CommodityName : "";
    const Size size =
        TextLayout::measure(name, boldFont(12), {0, kStripHeight}, LineBreakMode::WordWrap, 1);
    m_commodityNameButton->setTitle(name);
    m_commodityNameButton->setBounds({0, 0, size.width, size.height + (picked ? 0 : 30)});
    m_commodityNameButton->setCenter({m_navigationView->bounds().width / 2, kStripHeight / 2});
    const Rect title = m_commodityNameButton->frame();
    m_imageButton->setFrame({title.maxX() + (picked ? 2 : 0), 16, 12, 12});
}

void VKJYMarketChartController::topCurrentShowDataViewInit() {
    auto header = std::make_unique<View>(Rect{0, 64, view()->bounds().width, kHeaderHeight});
    header->setBackgroundColor(VKJYMarketStyle::listColor());
    m_headerView = view()->addSubview(std::move(header));
    View& h = *m_headerView;
    h.addSubview(std::make_unique<ImageView>(Rect{30, 0, 83, 83}, Image::named("lashen.png")));
    m_yikoujiaLabel = addLabel(h, {3, 20, 140, 38}, boldFont(16));
    m_addPriceLabel = addLabel(h, {3, 55, 140, 15}, boldFont(10));
    addRule(h, {165, 0, 1, 85}, "xian-shuxian.png");
    addRule(h, {245, 0, 1, 85}, "xian-shuxian.png");
    addQuotePanels(h);
    addRule(h, {0, 85, 320, 1}, "xian-hengxian.png");
    addDayFigures(h);
}

void VKJYMarketChartController::addQuotePanels(View& header) {
    const Font font = boldFont(14);
    const bool orderBook = m_commodity && m_commodity->productJYtype == 4;
    if (!orderBook) {
        const std::string app = VKJYMarketContext::vkAppName();
        addLabel(header, {170, 9, 70, 15}, font, TextAlignment::Center,
                 VKJYTradingDirectionFactory::highPriceText(app));
        addLabel(header, {250, 9, 70, 15}, font, TextAlignment::Center,
                 VKJYTradingDirectionFactory::lowPriceText(app));
        m_buyPriceLabel = addLabel(header, {170, 24, 70, 15}, font);
        m_sellPriceLabel = addLabel(header, {250, 24, 70, 15}, font);
    }
    const double captionY = orderBook ? kHeaderHeight * 0.25 : 47;
    addLabel(header, {170, captionY, 70, 15}, font, TextAlignment::Center, "最高价");
    addLabel(header, {250, captionY, 70, 15}, font, TextAlignment::Center, "最低价");
    m_highestLabel = addLabel(header, {170, captionY + 15, 70, 15}, font);
    m_lowestLabel = addLabel(header, {250, captionY + 15, 70, 15}, font);
}

void VKJYMarketChartController::addDayFigures(View& header) {
    const Font caption = Font::system(10);
    const Font value = boldFont(10);
    addLabel(header, {5, 92, 35, 15}, caption, TextAlignment::Left, "开盘:");
    m_kaipanLabel = addLabel(header, {40, 92, 65, 15}, value, TextAlignment::Left);
    addLabel(header, {110, 92, 35, 15}, caption, TextAlignment::Left, "昨收:");
    m_zuoshouLabel = addLabel(header, {145, 92, 65, 15}, value, TextAlignment::Left);
    addLabel(header, {215, 92, 35, 15}, caption, TextAlignment::Left, "振幅:");
    m_zhenfuLabel = addLabel(header, {250, 92, 65, 15}, value, TextAlignment::Left);
    m_zhenfuLabel->setTextColor(Color::rgb(255, 0, 0));
}

void VKJYMarketChartController::addChartManager() {
    auto manager = std::make_unique<HQMarketChartManager>(m_commodityArray, m_commodity, 0, 0, "",
                                                          "", m_initialYiKouJia);
    const Rect own = manager->frame();
    manager->setFrame({0, MarketChartViewY, own.width, own.height});
    manager->setDelegate(this);
    m_chartManager = view()->addSubview(std::move(manager));
}

void VKJYMarketChartController::toolbarItemsInit() {
    const double height = view()->bounds().height;
    const double y = height - kToolbarHeight + (VKJYMarketContext::isBelowSeven() ? 20 : 0);
    auto bar = std::make_unique<View>(Rect{0, y, view()->bounds().width, kToolbarHeight});
    bar->setBackgroundColor(VKJYMarketStyle::listColor());
    m_toolBarView = view()->addSubview(std::move(bar));
    m_backButton = addImageButton(*m_toolBarView, {5, 5, 23, 38}, "fanhui.png",
                                  [this] { backButtonPressed(); });
    auto buy = VKJYCustomButton::ChooseButtonframe({42, 5, 43, 39});
    buy->setImageStr("kuaimai.png", "速摘");
    buy->addTarget([this](VKJYCustomButton&) { buyButtonPressed(); });
    m_buyButton = m_toolBarView->addSubview(std::move(buy));
    auto sell = VKJYCustomButton::ChooseButtonframe({92, 5, 43, 39});
    sell->setImageStr("kuaimai2.png", "速转");
    sell->addTarget([this](VKJYCustomButton&) { sellButtonPressed(); });
    m_sellButton = m_toolBarView->addSubview(std::move(sell));
    m_zhuanpingButton = addImageButton(*m_toolBarView, {230, 5, 43, 39}, "hengping.png",
                                       [this] { zhuanpingButtonPressed(); });
    m_shuaxinButton = addImageButton(*m_toolBarView, {275, 5, 43, 39}, "shuaixin.png",
                                     [this] { shuaxinButtonPressed(); });
}

// Live quote.

void VKJYMarketChartController::setYikoujiaLabel(std::shared_ptr<YiKouJia> quote) {
    if (m_chartManager) {
        m_chartManager->setYiKouJiaByYiKouJiaItem(quote);
    }
    if (!m_commodity || !m_yikoujiaLabel) {
        return;
    }
    const auto texts = VKJYQuoteHeaderTexts::of(*m_commodity, quote.get());
    show(m_yikoujiaLabel, texts.price);
    show(m_addPriceLabel, texts.change);
    if (m_buyPriceLabel) {
        show(m_buyPriceLabel, texts.buy);
        show(m_sellPriceLabel, texts.sell);
    }
    show(m_highestLabel, texts.highest);
    show(m_lowestLabel, texts.lowest);
    show(m_kaipanLabel, texts.open);
    show(m_zuoshouLabel, texts.yesterdayClose);
    show(m_zhenfuLabel, texts.amplitude);
}

void VKJYMarketChartController::refrashDanYiKouJia() {
    if (m_timer || !m_commodity) {
        return;
    }
    m_timer =
        Timer::scheduledTimer(kRefreshSeconds, true, [this] { requestDanCommodityYiKouJia(); });
}

void VKJYMarketChartController::requestDanCommodityYiKouJia() {
    if (!m_commodity) {
        return;
    }
    auto request = m_cycle.nextRequest(*m_commodity);
    auto manager = HQNetworkManger::create();
    manager->setDelegate(std::make_shared<LiveQuoteReceiver>(m_link, LiveQuoteReceiver::Kind::Quote,
                                                             request.number));
    manager->needDataFromNetWork(std::move(request.package), kLiveQuoteType, m_commodity->panindex);
}

void VKJYMarketChartController::liveQuoteAnswered(uint64_t number, const std::string& type,
                                                  const HQReplyData& data) {
    const auto* reply = std::get_if<std::shared_ptr<YiKouJia>>(&data);
    if (type != kLiveQuoteType || !reply || !*reply || !m_cycle.take(number, **reply)) {
        return;
    }
    if (!m_ykjIsFromJiaoYi) {
        setYikoujiaLabel(*reply);
    }
    if (m_chartManager && m_chartManager->WMManager()) {
        m_chartManager->WMManager()->refreshAllTableView(*reply);
    }
}

// Other failures wait for the next tick; a lost session is renewed once at a time.
void VKJYMarketChartController::liveQuoteFailed(int errorCode) {
    if (errorCode == kSessionLostCode) {
        renewSession();
    }
}

void VKJYMarketChartController::renewSession() {
    if (m_renewingSession || !m_commodity) {
        return;
    }
    m_renewingSession = true;
    auto manager = HQNetworkManger::create();
    manager->setDelegate(
        std::make_shared<LiveQuoteReceiver>(m_link, LiveQuoteReceiver::Kind::Renewal));
    manager->needDataFromNetWork(nullptr, kRenewalType, m_commodity->panindex);
}

void VKJYMarketChartController::sessionRenewed() {
    m_renewingSession = false;
}

void VKJYMarketChartController::sessionRenewalFailed() {
    m_renewingSession = false;
}

VKJYCatalogueSections::MarketAndDisk VKJYMarketChartController::getMarketandDisk() const {
    if (!m_commodity) {
        return std::nullopt;
    }
    return VKJYCatalogueSections::marketAndDisk(m_commodityArray, *m_commodity);
}

const std::vector<std::shared_ptr<commodityInfo>>*
VKJYMarketChartController::getCommodityInfoArrayBySection(int section) const {
    return VKJYCatalogueSections::commoditiesOfSection(m_commodityArray, section);
}

// Toolbar.

void VKJYMarketChartController::backButtonPressed() {
    UserDefaults::standardUserDefaults().setBool(false, kFirstGuideKey);
    if (m_chartManager) {
        m_chartManager->stopRefreshControlCanBegin(false);
    }
    if (m_timer) {
        m_timer->invalidate();
    }
    if (auto* stack = navigationController()) {
        stack->popViewController(true);
    }
}

void VKJYMarketChartController::buyButtonPressed() {
    if (VKJYMarketContext::tradeLogin()) {
        m_pushFastView = true;
    }
    if (m_pushFastView) {
        m_pushFastView = false;
        initTradeView(1);
    }
}

void VKJYMarketChartController::sellButtonPressed() {
    if (VKJYMarketContext::tradeLogin()) {
        m_pushFastView = true;
    }
    if (m_pushFastView) {
        m_pushFastView = false;
        initTradeView(0);
    }
}

void VKJYMarketChartController::shuaxinButtonPressed() {
    if (m_chartManager) {
        m_chartManager->requestZipSec();
    }
}

void VKJYMarketChartController::initTradeView(int isShanJian) {
    const auto marketAndDisk = getMarketandDisk();
    auto panel = VKJYFastTradeViewControllerFactory::createFastTradeViewController(m_commodity);
    if (!panel || m_tradeVC) {
        return;
    }
    const Rect area = VKJYMarketContext::appViewRect();
    const double height = view()->bounds().height;
    panel->view()->setFrame({area.x, height + 20, area.width, height});
    view()->addSubview(panel->viewShared());
    m_tradeVC = addChildViewController(std::move(panel));
    VKJYFastTradeViewControllerFactory::setupFastTradeViewController(
        *m_tradeVC, this, marketAndDisk, m_commodity, isShanJian == 1);
}

void VKJYMarketChartController::closedFastTradeView() {
    m_ykjIsFromJiaoYi = false;
    if (!m_tradeVC) {
        return;
    }
    m_tradeVC->setDelegate(nullptr);
    m_tradeVC->view()->removeFromSuperview();
    m_tradeVC->removeFromParentViewController();
    m_tradeVC = nullptr;
}

void VKJYMarketChartController::refreshYikoujiaViewFromJiaoYi(std::shared_ptr<YiKouJia> quote) {
    // A panel opened for the commodity left still quotes that one: not this header's.
    if (quote && m_commodity && !HQCommodityMatch::isQuoteOf(*quote, *m_commodity)) {
        return;
    }
    m_ykjIsFromJiaoYi = true;
    setYikoujiaLabel(std::move(quote));
}

// Watch toggle: the same limit as the list and the editor.
void VKJYMarketChartController::chooseCommodityButtonPressed() {
    if (!m_commodity) {
        return;
    }
    readWatchList();
    VKJYWatchList list(m_chooseIDs);
    const std::string key = VKJYWatchList::keyOf(*m_commodity);
    if (list.contains(key)) {
        if (list.remove(key)) {
            adddefaultPng(kRemovedText);
        }
    } else if (list.isFull()) {
        VKJYMarketContext::showNotice(kFullMessage);
    } else if (list.add(key) == VKJYWatchList::AddResult::Added) {
        adddefaultPng(kAddedText);
    }
    showWatchState();
    if (auto state = VKJYHangQingDataClass::current()) {
        state->setCanRefreshYiKouJia(true);
    }
}

void VKJYMarketChartController::adddefaultPng(const std::string& text) {
    auto label = std::make_unique<Label>(Rect{0, 80, 80, 40}, text);
    label->setBackgroundColor(Color::blackColor());
    label->setTextColor(Color::whiteColor());
    label->setTextAlignment(TextAlignment::Center);
    label->setAlpha(0);
    m_addDeleteLabel = view()->addSubview(std::move(label));
    VKJYMarketContext::fadeInAndOut(m_addDeleteLabel, kToastFadeSeconds);
}

// Wide screen.

bool VKJYMarketChartController::isAnimating() const {
    auto state = VKJYHangQingDataClass::current();
    return state && state->ManagerIsAnimating();
}

void VKJYMarketChartController::zhuanpingButtonPressed() {
    removetiaodongView();
    if (m_chartManager && m_chartManager->quotaView()) {
        m_chartManager->quotaView()->setHidden(true);
    }
    if (isAnimating() || !m_chartManager) {
        return;
    }
    View::animate(kWideAnimationSeconds, [this] { turnWide(); });
    setNeedsStatusBarAppearanceUpdate();
}

void VKJYMarketChartController::turnWide() {
    closePopoverOnTurn();
    const Rect r = VKJYMarketContext::appViewRect();
    const double offset = VKJYMarketContext::isSmallScreen() ? 80 : 124;
    view()->setFrame({-offset, offset, r.height + 20, r.width});
    view()->setTransform(AffineTransform::rotation(std::numbers::pi / 2));
    const Rect own = m_chartManager->frame();
    m_chartManager->setFrame({0, 0, own.width, own.height});
    m_chartManager->setScreenState(1);
}

void VKJYMarketChartController::returnButtonPressedAboutWideScreen() {
    if (isAnimating() || !m_chartManager) {
        return;
    }
    View::animate(kWideAnimationSeconds, [this] { turnNormal(false); });
    setNeedsStatusBarAppearanceUpdate();
}

// An old system's return to the foreground brings a wide screen back to portrait; a screen
// already in portrait stays as it is.
void VKJYMarketChartController::wide() {
    if (isAnimating() || !m_chartManager || m_chartManager->stateOfScreen() == 0) {
        return;
    }
    View::animate(kWideAnimationSeconds, [this] { turnNormal(true); });
    setNeedsStatusBarAppearanceUpdate();
}

void VKJYMarketChartController::turnNormal(bool fromNotice) {
    closePopoverOnTurn();
    const Rect r = VKJYMarketContext::appViewRect();
    const bool small = VKJYMarketContext::isSmallScreen();
    Rect frame{-124, 124, r.height + 20, r.width};
    if (small) {
        frame = {-80, 80, r.height + 20, r.width};
    }
    if (VKJYMarketContext::isBelowSeven()) {
        frame =
            small ? Rect{-70, 70, r.height + (fromNotice ? 0 : 20), r.width + (fromNotice ? 0 : 20)}
                  : Rect{-117, 117, r.height, r.width};
    }
    view()->setFrame(frame);
    view()->setTransform(AffineTransform::identity());
    const Rect own = m_chartManager->frame();
    m_chartManager->setFrame({0, MarketChartViewY, own.width, own.height});
    m_chartManager->setScreenState(0);
}

// Commodity pop-over.

void VKJYMarketChartController::commodityNameButtonPressed(Button* button) {
    if (!m_commodityList) {
        return;
    }
    if (!m_commodityList->isHidden()) {
        return closePopover();
    }
    openPopover(button);
}

void VKJYMarketChartController::openPopover(Button* button) {
    const bool portrait = !m_chartManager || m_chartManager->stateOfScreen() == 0;
    Point anchor;
    if (portrait && !VKJYMarketContext::isBelowSeven()) {
        const Rect title = m_commodityNameButton->frame();
        anchor = {title.x + title.width / 2, title.y + title.height + kStripY};
    } else if (button) {
        const Rect pressed = button->convertRect(button->bounds(), view());
        anchor = {pressed.x + pressed.width / 2, pressed.y + pressed.height};
    }
    m_commodityList->setArrowsPoint(anchor);
    view()->bringSubviewToFront(m_commodityList);
    if (m_chartManager) {
        m_chartManager->setUserInteractionEnabled(false);
    }
}

// An open pop-over points at a title that the turn takes away.
void VKJYMarketChartController::closePopoverOnTurn() {
    if (m_commodityList && !m_commodityList->isHidden()) {
        closePopover();
    }
}

void VKJYMarketChartController::closePopover() {
    m_commodityList->setHidden(true);
    if (m_chartManager) {
        m_chartManager->setUserInteractionEnabled(true);
    }
}

void VKJYMarketChartController::touchesEnded(const TouchSet&, const Event&) {
    if (m_commodityList && !m_commodityList->isHidden()) {
        closePopover();
    }
}

void VKJYMarketChartController::selectedCommodityInfoIndexPath(IndexPath indexPath,
                                                               std::shared_ptr<commodityInfo>) {
    const auto* rows = getCommodityInfoArrayBySection(indexPath.section);
    const auto row = static_cast<std::size_t>(indexPath.row);
    if (!rows || indexPath.row < 0 || row >= rows->size() || !(*rows)[row]) {
        return closePopover();
    }
    closePopover();
    // The chart owns the commodity on show: the header follows it when it turns, which may be
    // a moment later for a pick made while the chart still settles on the last one.
    if (m_chartManager) {
        m_chartManager->changeCommodityWithIndexPath(indexPath.section, indexPath.row);
    } else {
        commodityOnShowChanged((*rows)[row]);
    }
}

void VKJYMarketChartController::commodityOnShowChanged(
    const std::shared_ptr<commodityInfo>& commodity) {
    if (!commodity) {
        return;
    }
    const bool another = !m_commodity || !HQCommodityMatch::sameCommodity(*m_commodity, *commodity);
    m_commodity = commodity;
    layOutTitle(true);
    showWatchState();
    // The header reads "--" until another commodity's first live quote, its own; a panel
    // prepared for the commodity left would trade it under this one's name.
    if (another) {
        m_ykjIsFromJiaoYi = false;
        setYikoujiaLabel(nullptr);
        if (m_tradeVC) {
            m_tradeVC->closeTradeView();
        }
    }
    m_cycle.reset();
    requestDanCommodityYiKouJia();
}

// Hint arrow.

void VKJYMarketChartController::addGuideHelp() {
    auto& defaults = UserDefaults::standardUserDefaults();
    if (!defaults.boolForKey(kEverLaunchGuideKey)) {
        defaults.setBool(true, kEverLaunchGuideKey);
        defaults.setBool(true, kFirstGuideKey);
    }
    if (!defaults.boolForKey(kFirstGuideKey)) {
        return;
    }
    bounceOutTapped();
    auto arrow = std::make_unique<ImageView>(Rect{kArrowX, arrowRestY(), kArrowSize, kArrowSize},
                                             Image::named("up.png"));
    arrow->setTransform(AffineTransform::scale(1, -1));
    m_tanTiaoImgV = view()->addSubview(std::move(arrow));
}

void VKJYMarketChartController::bounceOutTapped() {
    auto& tween = MotionTween::sharedInstance();
    tween.removeTweenOperation(m_activeTweenOperation);
    const double h = VKJYMarketContext::appViewRect().height;
    auto period = MotionTweenPeriod::periodWithStartValue(h - 200, arrowRestY(), kArrowSeconds);
    WeakLink<ViewController> self(this);
    m_activeTweenOperation = tween.addTweenPeriod(
        period,
        [self, this](MotionTweenPeriod& p) {
            if (self) {
                update(p);
            }
        },
        MotionTweenTimingFunctionBounceOut);
}

double VKJYMarketChartController::arrowRestY() const {
    return VKJYMarketContext::appViewRect().height - kArrowRestAboveBottom;
}

void VKJYMarketChartController::update(MotionTweenPeriod& period) {
    if (!m_tanTiaoImgV) {
        return;
    }
    if (auto* point = dynamic_cast<MotionTweenCGPointLerpPeriod*>(&period)) {
        return m_tanTiaoImgV->setCenter(point->tweenedCGPoint());
    }
    m_tanTiaoImgV->setFrame({kArrowX, period.tweenedValue(), kArrowSize, kArrowSize});
}

void VKJYMarketChartController::removetiaodongView() {
    UserDefaults::standardUserDefaults().setBool(false, kFirstGuideKey);
    MotionTween::sharedInstance().removeTweenOperation(m_activeTweenOperation);
    m_activeTweenOperation.reset();
    if (m_tanTiaoImgV) {
        m_tanTiaoImgV->removeFromSuperview();
        m_tanTiaoImgV = nullptr;
    }
}
