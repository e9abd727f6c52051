#include "trade/quick/PXFastTradeViewController.h"

#include "platform/foundation/MainQueue.h"
#include "platform/foundation/SystemInfo.h"
#include "platform/foundation/Text.h"
#include "platform/ui/Application.h"
#include "platform/ui/Button.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Label.h"
#include "platform/ui/NavigationController.h"
#include "shell/VKJYAppDelegate.h"
#include "shell/VKJYFastTradeDelegate.h"
#include "shell/VKJYNormalAppKeyPropertyModel.h"
#include "trade/common/PXTradeClosingRules.h"
#include "trade/common/PXTradeFormat.h"
#include "trade/common/PXTradeMessage.h"
#include "trade/common/PXTradeRefusalAlert.h"
#include "trade/common/PXTradeReplyRelay.h"
#include "trade/common/PXTradeViewKit.h"
#include "trade/core/PXTradeData.h"
#include "trade/core/PXTradeModule.h"
#include "trade/core/PXTradePeiZhi.h"
#include "trade/login/PXJYSwitchingAccountView.h"
#include "trade/login/PXJYTradeLoginVC.h"
#include "trade/open/PXJianCangAccountSwitch.h"
#include "trade/quick/PXFastTradeRules.h"

namespace {
const char* const kBoldFont = "Helvetica-Bold";
const char* const kOpenTag = "PXShiJiaJianCang";
const char* const kCloseTag = "PXShiJiaPingCang";
const char* const kKeyTitles[] = {"1", "2", "3", "X", "4", "5", "6", "0", "7", "8", "9", "."};
constexpr int kQuantityTag = 1112;

Color keyGrey() {
    return Color::rgb(204, 204, 204);
}

Color boxBlack() {
    return Color::rgb(0, 0, 0);
}
}  // namespace

PXFastTradeViewController::PXFastTradeViewController() {
    m_relay = PXTradeReplyRelay::create(*this, *this);
    m_accountSwitch = std::make_unique<PXJianCangAccountSwitch>(*this);
}

PXFastTradeViewController::~PXFastTradeViewController() {
    m_relay->detach();
    if (auto* login = m_loginScreen.get(); login && login->delegate() == this) {
        login->setDelegate(nullptr);
    }
}

PXTradeModule& PXFastTradeViewController::trade() {
    return PXTradeModule::shared();
}

bool PXFastTradeViewController::fourInch() const {
    return SystemInfo::screenMode() == SystemInfo::kFourInchScreen;
}

// Building.

PXFastTradeViewController::Layout PXFastTradeViewController::layout(bool fourInch) const {
    return {110, 25, fourInch ? 225.0 : 165.0, 5};
}

void PXFastTradeViewController::loadView() {
    const Rect area = PXTradeViewKit::appViewRect();
    const double height = area.y + area.height;
    auto root = std::make_shared<View>(Rect{area.x, height + 20, area.width, height});
    root->setBackgroundColor(Color::clearColor());
    const bool four = fourInch();
    const Layout geometry = layout(four);
    auto background =
        std::make_unique<View>(Rect{0, area.y + geometry.backgroundTop, area.width, height});
    background->setBackgroundColor(PXTradeViewKit::background());
    m_backgroundView = root->addSubview(std::move(background));
    buildRows(*m_backgroundView, four);
    buildKeypad(*m_backgroundView, geometry.keypadTop, four);
    // Added after the rows and the keypad, so its open list lies over them.
    const Rect bar{85, geometry.accountTop, 180, 30};
    m_switchingAccountView =
        m_backgroundView->addSubview(std::make_unique<PXJYSwitchingAccountView>(bar));
    m_switchingAccountView->initSwitchingAccountView(bar);
    m_accountSwitch->add(m_switchingAccountView);
    closedHandle(geometry.handleTop);
    setView(root);
}

void PXFastTradeViewController::buildRows(View& background, bool four) {
    const double y1 = four ? 25 + 60 : (25 + 50) * 0.9;
    const double y2 = four ? y1 + 60 : (y1 + 65) * 0.9;
    addRowLabel(background, {15, 25, 75, 30}, "交易账户:");
    addRowLabel(background, {15, y1, 75, 30}, "方      式:");
    addSideButtons(background, four ? y1 - 5 : y1, four ? 40 : 32);
    addRowLabel(background, {15, y2, 75, 30}, "数      量:");
    const Rect box{100, y2 - 1, 80, four ? 35.0 : 30.0};
    m_shuLiangTextField = addField(background, box, kQuantityTag, "1");
    // The one field takes the keypad at once; no touch is needed first.
    m_editingField = m_shuLiangTextField;
    auto range = std::make_unique<Label>(Rect{box.x + box.width + 5 + 5, y2 - 1, 165, 30});
    range->setFont(Font::named(kBoldFont, 14));
    range->setTextColor(Color::whiteColor());
    m_fanWei = background.addSubview(std::move(range));
}

Label* PXFastTradeViewController::addRowLabel(View& parent, const Rect& frame,
                                              const std::string& text) {
    return parent.addSubview(PXTradeViewKit::label(frame, text, 16, Color::whiteColor()));
}

TextField* PXFastTradeViewController::addField(View& parent, const Rect& box, int tag,
                                               const std::string& text) {
    // The black box is five points wider than asked, the field lies on it.
    auto black = std::make_unique<View>(Rect{box.x, box.y, box.width + 5, box.height});
    black->setBackgroundColor(boxBlack());
    parent.addSubview(std::move(black));
    auto field = std::make_unique<TextField>(Rect{box.x + 5, box.y, box.width - 5, box.height});
    field->setTag(tag);
    field->setText(text);
    field->setTextColor(keyGrey());
    field->setFont(Font::named(kBoldFont, 16));
    field->setInputView(std::make_shared<View>());
    field->setDelegate(this);
    return parent.addSubview(std::move(field));
}

void PXFastTradeViewController::addSideButtons(View& parent, double y, double height) {
    auto make = [&](const std::string& title, const std::string& arrow, double x) {
        auto button = std::make_unique<Button>(Rect{x, y, 85, height});
        button->setTitle(title);
        button->setTitleColor(Color::whiteColor());
        button->titleLabel()->setFont(Font::named(kBoldFont, 16));
        button->setContentHorizontalAlignment(ContentAlignment::Right);
        button->setTitleEdgeInsets({0, -12, 0, 12});
        button->addSubview(std::make_unique<ImageView>(
            Rect{85 / 2.0 - 15 - 8.8, height / 2 - 5.6, 17.6, 11.2}, Image::named(arrow)));
        return parent.addSubview(std::move(button));
    };
    m_buyButton = make("购入", "mairu_press.png", 100);
    m_buyButton->addTarget(TouchUpInside, [this](Control&) { buyButtonActionFT(); });
    m_sellButton = make("售出", "maichu_press.png", 200);
    m_sellButton->addTarget(TouchUpInside, [this](Control&) { sellButtonActionFT(); });
    setSide(m_side);
}

void PXFastTradeViewController::buildKeypad(View& background, double top, bool four) {
    auto pad = std::make_unique<View>(Rect{10, top, 300, 175});
    pad->setBackgroundColor(Color::clearColor());
    View& area = *background.addSubview(std::move(pad));
    const double rowStep = four ? 45 : 38;
    const double keyHeight = four ? 40 : 37;
    for (int i = 0; i < 12; ++i) {
        auto key = std::make_unique<Button>(Rect{(i % 4) * 76.0, (i / 4) * rowStep, 71, keyHeight});
        key->setTag(i);
        key->setTitle(kKeyTitles[i]);
        key->setTitleColor(keyGrey());
        key->titleLabel()->setFont(Font::named(kBoldFont, 20));
        key->setBackgroundImage(PXTradeViewKit::stretchable("anniu.png"));
        const std::string title = kKeyTitles[i];
        key->addTarget(TouchUpInside, [this, title](Control&) { setTextFieldText(title); });
        m_keys.push_back(area.addSubview(std::move(key)));
    }
    auto lower = [&](double x) {
        auto button = std::make_unique<Button>(Rect{x, four ? 135.0 : 115.0, 147, keyHeight});
        button->setTitleColor(Color::whiteColor());
        button->titleLabel()->setFont(Font::named(kBoldFont, 14));
        button->setBackgroundImage(PXTradeViewKit::stretchable("anniuhong.png"));
        return area.addSubview(std::move(button));
    };
    m_more = lower(0);
    m_more->addTarget(TouchUpInside, [this](Control&) { moreButtonAction(); });
    m_xiaDan = lower(152);
    m_xiaDan->addTarget(TouchUpInside, [this](Control&) { xiaDanButtonAction(); });
}

void PXFastTradeViewController::closedHandle(double top) {
    m_backgroundView->addSubview(
        std::make_unique<ImageView>(Rect{145, top, 40, 12}, Image::named("xiasanjiao.png")));
    auto handle = std::make_unique<Button>(Rect{145, -5, 40, 25});
    handle->addTarget(TouchUpInside, [this](Control&) { closeTradeView(); });
    m_closeButton = m_backgroundView->addSubview(std::move(handle));
}

Button* PXFastTradeViewController::key(const std::string& title) const {
    for (Button* button : m_keys) {
        if (button->currentTitle() == title) {
            return button;
        }
    }
    return nullptr;
}

// Opening.

void PXFastTradeViewController::addTradeViewCommodity(bool isShanJian,
                                                      std::shared_ptr<commodityInfo> commodity,
                                                      MarketAndDisk marketandDiskDic) {
    view();
    m_HQSelectedCommodity = std::move(commodity);
    m_marketandDiskDic = std::move(marketandDiskDic);
    m_xiaDanType = isShanJian ? 1 : 2;
    if (trade().tradeLogin()) {
        addFastTradeView();
        return;
    }
    addTradeLoginView();
}

void PXFastTradeViewController::addTradeLoginView() {
    NavigationController* navigation = navigationController();
    if (!navigation) {
        endUnshown();
        return;
    }
    auto login = std::make_unique<PXJYTradeLoginVC>();
    login->setDelegate(this);
    m_loginScreen = navigation->pushViewController(std::move(login), true);
}

void PXFastTradeViewController::PXJYLoginSuccess() {
    addFastTradeView();
}

void PXFastTradeViewController::PXJYLoginBackAction() {
    endUnshown();
}

void PXFastTradeViewController::addFastTradeView() {
    if (!findTradeCommodity()) {
        PXTradeMessage::show(kNotTradable);
        endUnshown();
        return;
    }
    m_switchingAccountView->reloadTableView();
    setTradeButtonInTradeView();
    commodityMatched();
}

bool PXFastTradeViewController::findTradeCommodity() {
    if (!m_HQSelectedCommodity) {
        return false;
    }
    const PXTradePeiZhi& peiZhi = trade().PXJYPeiZhi();
    const auto code = PXFastTradeRules::findTradeCommodity(
        trade().PXJYData(), peiZhi.platformCODE(), peiZhi.environmentCODE(), *m_HQSelectedCommodity,
        m_marketandDiskDic);
    if (!code) {
        return false;
    }
    m_commodityCode = *code;
    return true;
}

void PXFastTradeViewController::setTradeButtonInTradeView() {
    if (!kindAllowed()) {
        endUnshown();
        return;
    }
    if (m_xiaDanType == 1) {
        m_buyButton->setEnabled(true);
        m_sellButton->setEnabled(true);
    } else if (!prepareTransferSides()) {
        PXTradeMessage::show(kNothingHeld);
        endUnshown();
        return;
    }
    m_xiaDan->setTitle(orderTitle());
    m_more->setTitle(switchTitle());
    const double top = PXTradeViewKit::appViewRect().y;
    slideTo(top, nullptr);
    m_shown = true;
    panelShown();
    JYRefreshView();
    fastViewDidAppear();
}

std::string PXFastTradeViewController::orderTitle() const {
    return m_xiaDanType == 1 ? "速摘" : "速转";
}

std::string PXFastTradeViewController::switchTitle() const {
    return m_xiaDanType == 1 ? "去速转" : "去速摘";
}

// The holdings check compares with the matched trading code: it is the code the range and the
// order use, so a quote code written in another letter case still finds its holdings.
bool PXFastTradeViewController::prepareTransferSides() {
    const auto holdings =
        PXFastTradeRules::holdingsOf(trade().PXJYData().chiCangHuiZongXinXi(), m_commodityCode);
    if (!holdings.buy && !holdings.sell) {
        return false;
    }
    const bool bothSides = holdings.buy && holdings.sell;
    m_buyButton->setEnabled(bothSides);
    m_sellButton->setEnabled(bothSides);
    if (!bothSides) {
        setSide(holdings.buy ? 2 : 1);
    }
    m_sidesAccount = accountInForce();
    return true;
}

std::string PXFastTradeViewController::accountInForce() const {
    const auto& session = trade().PXJYData().tradeSession();
    return session ? session->userID : std::string();
}

void PXFastTradeViewController::slideTo(double y, std::function<void()> done) {
    View* panel = view();
    WeakLink<Responder> self(this);
    View::animate(
        kSlideSeconds,
        [panel, y] {
            Rect moved = panel->frame();
            moved.y = y;
            panel->setFrame(moved);
        },
        // The panel comes and goes over the quote screen as a presented screen does: a touch
        // made while it slides (a double tap's second on 买入) reaches nothing.
        [self, done = std::move(done),
         hold = std::make_shared<Application::TransitionHold>()](bool) {
            if (self && done) {
                done();
            }
        });
}

void PXFastTradeViewController::fastViewDidAppear() {
    m_switchingAccountView->reloadTableView();
    // Open until it closes: out of sight during a kind switch it still follows the prices.
    m_listening.start({{"cancellationNotification",
                        [this] {
                            if (!underOwnScreen()) {
                                closeTradeView();
                            }
                        }},
                       {"JYRefreshTimer", [this] { JYRefreshView(); }},
                       {PXTradeModule::kLoginChangedNotification, [this] { followLogin(false); }}});
}

void PXFastTradeViewController::viewWillAppear(bool animated) {
    VKJYFastTradePanel::viewWillAppear(animated);
    followLogin(true);
}

// An open panel trades for the login in force: without one it feeds nothing and sends nothing,
// and for an account that does not list the commodity it would trade another platform's; either
// way it closes and the quote screen takes its header back. A transfer's sides are prepared
// again, as on opening, only for another account: for the one they were prepared for, the side
// stays the user's and a side left with nothing to close shows so. Under a login screen of its
// own it waits for the quote screen to show again: that screen answers to the panel, and a
// switch of account ends one login on the way to the next.
void PXFastTradeViewController::followLogin(bool appearing) {
    if (!m_listening.isListening() || underOwnScreen()) {
        return;
    }
    if (!trade().tradeLogin()) {
        return closeTradeView();
    }
    const bool onShow =
        appearing || (parentViewController() && parentViewController()->isAppeared());
    if (!findTradeCommodity()) {
        return closeSaying(onShow ? kNotTradable : "");
    }
    if (m_xiaDanType == 2 && accountInForce() != m_sidesAccount && !prepareTransferSides()) {
        return closeSaying(onShow ? kNothingHeld : "");
    }
    if (appearing) {
        panelShown();
    }
    JYRefreshView();
}

void PXFastTradeViewController::closeSaying(const std::string& message) {
    if (!message.empty()) {
        PXTradeMessage::show(message);
    }
    closeTradeView();
}

bool PXFastTradeViewController::underOwnScreen() const {
    const ViewController* host = parentViewController();
    const NavigationController* stack = host ? host->navigationController() : nullptr;
    return stack && stack->topViewController() != host;
}

// Filling.

void PXFastTradeViewController::JYRefreshView() {
    if (!trade().tradeLogin() || m_commodityCode.empty()) {
        return;
    }
    setAllObjectForTradeView();
    refreshYiKouJiaView();
}

void PXFastTradeViewController::setAllObjectForTradeView() {
    const auto commodity = tradeCommodity();
    m_commodityName = commodity ? commodity->commodityName : std::string();
    fillPanel();
    m_switchingAccountView->setSwitchingAccountViewValue();
}

void PXFastTradeViewController::fillPanel() {
    const PXTradeData& store = trade().PXJYData();
    const auto found = store.zuiXinYiKouJia().find(m_commodityCode);
    const PXTradeYiKouJia* prices =
        found != store.zuiXinYiKouJia().end() ? found->second.get() : nullptr;
    const double price =
        !prices ? 0 : (m_side == 1 ? prices->commodityBuyPrice : prices->commoditySellPrice);
    m_price = Text::format("%f", price);
    if (m_xiaDanType == 1) {
        const auto commodity = tradeCommodity();
        m_fanWei->setText(commodity
                              ? PXTradeFormat::quantityRangeText(commodity->DBZuiXiaoKeWeiTuoLiang,
                                                                 commodity->DBZuiDaKeWeiTuoLiang)
                              : PXTradeClosingRules::freeRangeText(0));
        return;
    }
    m_fanWei->setText(PXFastTradeRules::transferRangeText(
        PXFastTradeRules::holdingsOf(store.chiCangHuiZongXinXi(), m_commodityCode), m_side));
}

void PXFastTradeViewController::refreshYiKouJiaView() {
    // Without a quote of its own the header keeps the quote screen's.
    auto quote = trade().PXJYData().getHQYiKouJia(m_commodityCode);
    if (quote && delegate()) {
        delegate()->refreshYikoujiaViewFromJiaoYi(std::move(quote));
    }
}

std::shared_ptr<PXTradeCommodity> PXFastTradeViewController::tradeCommodity() const {
    const auto& all = trade().PXJYData().shangPinXinXi();
    const auto found = all.find(m_commodityCode);
    return found != all.end() ? found->second : nullptr;
}

// Editing.

void PXFastTradeViewController::buyButtonActionFT() {
    setSide(1);
    setAllObjectForTradeView();
}

void PXFastTradeViewController::sellButtonActionFT() {
    setSide(2);
    setAllObjectForTradeView();
}

void PXFastTradeViewController::setSide(int side) {
    m_side = side;
    m_buyButton->setBackgroundImage(
        PXTradeViewKit::stretchable(side == 1 ? "anniuhong.png" : "anniu.png"));
    m_sellButton->setBackgroundImage(
        PXTradeViewKit::stretchable(side == 1 ? "anniu.png" : "anniuhong.png"));
}

bool PXFastTradeViewController::textFieldShouldBeginEditing(TextField& field) {
    m_editingField = &field;
    return true;
}

bool PXFastTradeViewController::isPriceField(const TextField&) const {
    return false;
}

void PXFastTradeViewController::setTextFieldText(const std::string& key) {
    if (!m_editingField) {
        return;
    }
    m_editingField->setText(
        PXFastTradeRules::keyed(m_editingField->text(), key, isPriceField(*m_editingField)));
}

// Switching the kind.

void PXFastTradeViewController::emptyFieldsForSwitch() {
    m_shuLiangTextField->setText("");
}

void PXFastTradeViewController::moreButtonAction() {
    emptyFieldsForSwitch();
    m_shown = false;
    slideTo(view()->frame().height + 20, [this] { bounce1AnimationStopped(); });
}

void PXFastTradeViewController::bounce1AnimationStopped() {
    // Closed while it was out of sight: it stays out.
    if (m_ending) {
        return;
    }
    m_xiaDanType = m_xiaDanType == 1 ? 2 : 1;
    setTradeButtonInTradeView();
}

// Sending.

void PXFastTradeViewController::xiaDanButtonAction() {
    sendOrder();
}

void PXFastTradeViewController::sendOrder() {
    const int quantity = Text::intValue(m_shuLiangTextField->text());
    if (quantity < 1 || !PXTradeFormat::quantityInRange(quantity, m_fanWei->text())) {
        PXTradeMessage::show(PXFastTradeRules::kWrongQuantity);
        return;
    }
    // Without a live price the order would go out at "0.000000".
    if (!PXTradeClosingRules::isPriceSet(m_price)) {
        PXTradeMessage::show(PXFastTradeRules::kWrongPrice);
        return;
    }
    const auto commodity = tradeCommodity();
    if (!commodity || m_orderOutstanding) {
        return;
    }
    JYDict order = JYDict::object();
    order["userid"] = userName();
    order["sign"] = std::to_string(m_side);
    order["commodityid"] = m_commodityCode;
    order["price"] = m_price;
    order["number"] = m_shuLiangTextField->text();
    order["diff"] = commodity->YHBJDianChaMoRenZhi;
    order["closeMode"] = "1";
    order["holdId"] = "";
    order["firmid"] = trade().PXJYData().firmID();
    order["session_id"] = sessionId();
    order["commodityName"] = m_commodityName;
    order["tradeType"] = std::to_string(m_xiaDanType);
    auto manager = newManager();
    if (m_xiaDanType == 1) {
        manager->SJJianCang(order, true);
    } else {
        manager->SJPingCang(order, true);
    }
}

std::string PXFastTradeViewController::userName() const {
    trade().synchronizeDefaults();
    return trade().defaultString("JYUserName");
}

std::string PXFastTradeViewController::sessionId() const {
    const auto& session = trade().PXJYData().tradeSession();
    return session ? session->JYsessionID : std::string();
}

bool PXFastTradeViewController::isCuoHeCommodity() const {
    const VKJYAppDelegate* app = VKJYAppDelegate::shared();
    return app && app->normalAppPropertyModel().isCuoHeCommodity(m_commodityCode);
}

std::shared_ptr<PXTradeNetworkManger> PXFastTradeViewController::newManager() {
    // One relay for every request, so a closing panel lets go of all their replies at once.
    return PXTradeReplyRelay::newManager(m_relay);
}

void PXFastTradeViewController::beginOrder(const PXTradeNetworkManger& manager) {
    m_orderOutstanding = true;
    m_busy.began(&manager);
}

void PXFastTradeViewController::orderEnded(const PXTradeNetworkManger& manager) {
    m_orderOutstanding = false;
    m_busy.ended(&manager);
}

void PXFastTradeViewController::getChiCangHuiZong() {
    newManager()->getJYChiCangHuiZong("");
}

// Replies.

bool PXFastTradeViewController::isOrderTag(const std::string& typeNW) const {
    return typeNW == kOpenTag || typeNW == kCloseTag;
}

void PXFastTradeViewController::orderSent(PXTradeNetworkManger* manager) {
    if (isOrderTag(manager->requestType())) {
        beginOrder(*manager);
    }
}

bool PXFastTradeViewController::handleReply(PXTradeNetworkManger&, const PXTradeResult*) {
    return false;
}

void PXFastTradeViewController::dataAnalysisFinished(PXTradeNetworkManger* manager,
                                                     const PXTradeResult* data) {
    if (handleReply(*manager, data) || !isOrderTag(manager->typeNW())) {
        return;
    }
    orderEnded(*manager);
    getChiCangHuiZong();
    PXTradeMessage::show("下单成功");
}

// The panel's orders and its open-orders query report failures; other requests as the panel
// decides (the quote panel's holdings refresh waits for the next one).
bool PXFastTradeViewController::failureEnds(const PXTradeNetworkManger& manager) {
    if (isOrderTag(manager.typeNW())) {
        orderEnded(manager);
        return true;
    }
    if (manager.typeNW() == "PXweiTuoChaXun") {
        m_busy.ended(&manager);
        queryFailed(manager);
        return true;
    }
    return reportsFailureOf(manager.typeNW());
}

void PXFastTradeViewController::requestFailed(PXTradeNetworkManger* manager, int) {
    if (failureEnds(*manager)) {
        PXTradeRefusalAlert::showNetworkFailed(*manager);
    }
}

void PXFastTradeViewController::dataAnalysisFailed(PXTradeNetworkManger* manager, int) {
    if (failureEnds(*manager)) {
        PXTradeRefusalAlert::show(*manager);
    }
}

// Closing.

void PXFastTradeViewController::closeTradeView() {
    if (m_ending) {
        return;
    }
    m_ending = true;
    m_shown = false;
    m_listening.stop();
    m_relay->detach();
    slideTo(view()->frame().height + 20, [this] {
        if (VKJYFastTradeDelegate* host = delegate()) {
            // The host drops this panel here; nothing may touch it afterwards.
            host->closedFastTradeView();
            return;
        }
        removeFromParentViewController();
    });
}

void PXFastTradeViewController::endUnshown() {
    if (m_ending) {
        return;
    }
    m_ending = true;
    m_listening.stop();
    m_relay->detach();
    WeakLink<Responder> self(this);
    MainQueue::post([self, this] {
        if (!self) {
            return;
        }
        if (VKJYFastTradeDelegate* host = delegate()) {
            host->closedFastTradeView();
            return;
        }
        removeFromParentViewController();
    });
}
