#include "trade/open/PXJianCangFormView.h"

#include <algorithm>

#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/SystemInfo.h"
#include "platform/graphics/Image.h"
#include "platform/ui/Application.h"
#include "platform/ui/Button.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Label.h"
#include "platform/ui/ScrollView.h"
#include "platform/ui/TableViewCell.h"
#include "shell/VKJYAppDelegate.h"
#include "shell/VKJYNormalAppKeyPropertyModel.h"
#include "trade/common/PXTradeFormLift.h"
#include "trade/common/PXTradeMessage.h"
#include "trade/common/PXTradeShownAccount.h"
#include "trade/core/PXTradeData.h"
#include "trade/core/PXTradeModule.h"
#include "trade/core/PXTradePeiZhi.h"
#include "trade/login/PXJYKeypadEditing.h"
#include "trade/login/PXJYSwitchingAccountView.h"
#include "trade/open/PXJianCangRules.h"
#include "widgets/GlossAlertView.h"

namespace {
const char* const kBoldFont = "Helvetica-Bold";
const Color kFormBackground = Color::rgb(41, 41, 51);
const Color kSeparator = Color::rgb(26, 26, 32);
const Color kFieldText = Color::rgb(204, 204, 204);
const double kKeypadHeight = 216;
const double kSendButtonHeight = 50;

Image buttonImage(const char* name) {
    return Image::named(name).stretchable(5, 5);
}
}  // namespace

PXJianCangFormView::PXJianCangFormView(const Rect& frame, CommodityCodes commodityCodes,
                                       Style style)
    : View(frame), m_commodityCodes(std::move(commodityCodes)), m_style(style) {}

PXJianCangFormView::~PXJianCangFormView() {
    NotificationCenter::defaultCenter().removeObserver(this);
    if (m_keypad) {
        m_keypad->setDelegate(nullptr);
    }
}

PXTradeModule& PXJianCangFormView::module() const {
    return PXTradeModule::shared();
}

std::vector<std::string> PXJianCangFormView::tradedCommodityCodes() {
    std::vector<std::string> codes;
    for (const auto& entry : PXTradeModule::shared().PXJYData().shangPinXinXi()) {
        codes.push_back(entry.first);
    }
    return codes;
}

void PXJianCangFormView::buildForm() {
    buildScrollArea();
    buildAccountRow(rowTop(0));
    buildNameRow(rowTop(1));
    const double y = rowTop(2);
    addCaption("数      量:", y);
    buildQuantityField({105, y + 10, 93, 30}, {203, y + 10, 115, 30});
    buildSideRow(rowTop(3));
    addCaption("摘牌价:", rowTop(4));
}

void PXJianCangFormView::buildScrollArea() {
    setBackgroundColor(kFormBackground);
    const bool fourInch = SystemInfo::screenMode() == SystemInfo::kFourInchScreen;
    auto scroll = std::make_unique<ScrollView>(
        Rect{0, m_style.scrollTop, bounds().width,
             fourInch ? m_style.scrollHeight : m_style.smallScrollHeight});
    scroll->setShowsVerticalScrollIndicator(false);
    scroll->setContentSize({bounds().width, m_style.contentHeight});
    m_scrollArea = addSubview(std::move(scroll));
    m_keypad = std::make_shared<PadKeyboardView>(Rect{0, 0, 320, kKeypadHeight});
    m_keypad->setDelegate(this);

    auto& center = NotificationCenter::defaultCenter();
    m_lift = std::make_unique<PXTradeFormLift>(*this, [this] { keyboardMoved(); });
    // A price typed on the system keyboard changes the deposit as much as a keypad key does.
    center.addObserver(this, TextField::kTextDidChangeNotification, nullptr,
                       [this](const std::string&, const void* object, const PropertyList&) {
                           const auto fields = editableFields();
                           if (std::find(fields.begin(), fields.end(), object) != fields.end()) {
                               dangQianSuoXuDingJin();
                           }
                       });
}

void PXJianCangFormView::buildSendButton() {
    auto send = std::make_unique<Button>(
        Rect{0, bounds().height - kSendButtonHeight, bounds().width, kSendButtonHeight});
    send->setBackgroundImage(buttonImage("anniuhong.png"));
    send->setTitle(m_style.orderWord);
    send->setTitleColor(Color::whiteColor());
    send->titleLabel()->setFont(Font::named(kBoldFont, 18));
    send->addTarget(TouchUpInside, [this](Control&) { jianCangbuttonAction(); });
    m_jianCangButton = addSubview(std::move(send));
    // Last in the scroll area, so the open drop-down and the account list lie over every row.
    buildDropDown();
    m_scrollArea->bringSubviewToFront(m_switchingAccountView);
}

Label* PXJianCangFormView::addCaption(const std::string& text, double y, double x, double width,
                                      bool separator) {
    auto caption = std::make_unique<Label>(Rect{x, y + 10, width, 30}, text);
    caption->setFont(Font::named(kBoldFont, 16));
    caption->setTextColor(Color::whiteColor());
    if (separator) {
        auto rule = std::make_unique<View>(Rect{0, y + kRowHeight - 1, bounds().width, 1});
        rule->setBackgroundColor(kSeparator);
        m_scrollArea->addSubview(std::move(rule));
    }
    return m_scrollArea->addSubview(std::move(caption));
}

void PXJianCangFormView::buildAccountRow(double y) {
    addCaption("交易账户:", y);
    const Rect bar{105, y + 9, 195, PXJYSwitchingAccountView::kClosedHeight};
    m_switchingAccountView =
        m_scrollArea->addSubview(std::make_unique<PXJYSwitchingAccountView>(bar));
    m_switchingAccountView->initSwitchingAccountView(bar);
    m_switchingAccountView->setSwitchingAccountViewValue();
}

void PXJianCangFormView::buildNameRow(double y) {
    m_nameRowTop = y;
    addCaption("商品名称:", y);
    auto button = std::make_unique<Button>(Rect{105, y + 10, 195, 30});
    button->setContentHorizontalAlignment(ContentAlignment::Left);
    button->setTitleEdgeInsets({0, 8, 0, -8});
    button->setTitleColor(Color::whiteColor());
    button->titleLabel()->setFont(Font::named(kBoldFont, 16));
    button->setBackgroundColor(Color::rgb(59, 59, 71));
    button->setCornerRadius(4);
    button->addTarget(TouchUpInside, [this](Control&) { commodityNamebuttonAction(); });
    m_commodityNameButton = m_scrollArea->addSubview(std::move(button));
    m_xiaSanJiaoImageView = m_commodityNameButton->addSubview(
        std::make_unique<ImageView>(Rect{175, 11, 14, 9}, Image::named("xiasanjiao.png")));

    auto label = std::make_unique<Label>(Rect{105, y + 10, 195, 30});
    label->setFont(Font::named(kBoldFont, 16));
    label->setTextColor(Color::whiteColor());
    label->setHidden(true);
    m_commodityNameLabel = m_scrollArea->addSubview(std::move(label));
}

void PXJianCangFormView::buildQuantityField(const Rect& fieldFrame, const Rect& rangeFrame) {
    auto field = std::make_unique<TextField>(fieldFrame);
    field->setTag(m_style.quantityTag);
    field->setTextColor(kFieldText);
    field->setFont(Font::named(kBoldFont, 16));
    field->setBackgroundColor(Color::rgb(59, 59, 71));
    field->setCornerRadius(4);
    field->setClearButtonMode(ClearButtonMode::WhileEditing);
    field->setInputView(m_keypad);
    field->setDelegate(this);
    m_shuLiang = m_scrollArea->addSubview(std::move(field));

    auto range = std::make_unique<Label>(rangeFrame);
    range->setFont(Font::named(kBoldFont, 12));
    range->setTextColor(Color::whiteColor());
    range->setAdjustsFontSizeToFitWidth(true);
    range->setMinimumFontSize(9);
    m_fanWei = m_scrollArea->addSubview(std::move(range));
}

Button* PXJianCangFormView::addSideButton(const std::string& title, const std::string& icon,
                                          double x, double y) {
    auto button = std::make_unique<Button>(Rect{x, y + 8, 93, 34});
    button->setTitle(title);
    button->setTitleColor(Color::whiteColor());
    button->titleLabel()->setFont(Font::named(kBoldFont, 16));
    button->setImage(Image::named(icon));
    button->setImageEdgeInsets({2, -4, 2, 4});
    return m_scrollArea->addSubview(std::move(button));
}

void PXJianCangFormView::buildSideRow(double y, bool separator) {
    addCaption(m_style.orderWord == "挂牌" ? "方      式:" : "摘牌方式:", y, 15, 80, separator);
    m_buyButton = addSideButton("购入", "mairu_press.png", 105, y);
    m_buyButton->addTarget(TouchUpInside, [this](Control&) { buyButtonAction(); });
    m_sellButton = addSideButton("售出", "maichu_press.png", 203, y);
    m_sellButton->addTarget(TouchUpInside, [this](Control&) { sellButtonAction(); });
    setSideButtons();
}

void PXJianCangFormView::buildDropDown() {
    auto table = std::make_unique<TableView>(Rect{105, m_nameRowTop + 40, 200, 200});
    table->setRowHeight(45);
    table->setBackgroundColor(m_style.dropDownRowColor);
    table->setDataSource(this);
    table->setDelegate(this);
    table->setAlpha(0);
    m_commodityListView = m_scrollArea->addSubview(std::move(table));
}

void PXJianCangFormView::placeDeposit(double y) {
    auto deposit = std::make_unique<Label>(Rect{15, y, 300, 30}, emptyDepositText());
    deposit->setFont(Font::named(kBoldFont, 14));
    deposit->setTextColor(Color::whiteColor());
    m_dingJin = m_scrollArea->addSubview(std::move(deposit));
}

std::string PXJianCangFormView::emptyDepositText() const {
    return PXJianCangRules::emptyDepositText(m_style.orderWord);
}

void PXJianCangFormView::setSideButtons() {
    const bool buy = m_side == 1;
    m_buyButton->setBackgroundImage(buttonImage(buy ? "anniuhong.png" : "anniu.png"));
    m_sellButton->setBackgroundImage(buttonImage(buy ? "anniu.png" : "anniuhong.png"));
}

void PXJianCangFormView::setSide(int side) {
    m_side = side;
    setSideButtons();
    sideChanged();
}

void PXJianCangFormView::buyButtonAction() {
    setSide(1);
}

void PXJianCangFormView::sellButtonAction() {
    setSide(2);
}

void PXJianCangFormView::fixCommodity() {
    m_commodityFixed = true;
    setNameButton();
}

void PXJianCangFormView::setNameButton() {
    m_commodityNameButton->setEnabled(!m_commodityFixed && !isRaised());
    m_xiaSanJiaoImageView->setAlpha(m_commodityFixed ? 0 : 1);
}

void PXJianCangFormView::keyboardMoved() {
    // The name button goes off while the form is raised; its list goes with it.
    if (isRaised()) {
        closeCommodityList();
    }
    setNameButton();
}

void PXJianCangFormView::commodityNamebuttonAction() {
    if (!m_hide) {
        closeCommodityList();
        return;
    }
    m_hide = false;
    m_listedCodes = m_commodityCodes();
    m_commodityListView->reloadData();
    m_commodityListView->setAlpha(1);
}

void PXJianCangFormView::closeCommodityList() {
    m_hide = true;
    m_commodityListView->setAlpha(0);
}

void PXJianCangFormView::jianCangbuttonAction() {
    if (m_shownAccount && m_shownAccount->refusesTap()) {
        return;
    }
    if (m_fanWei->text().empty() && m_rangeWanted) {
        m_rangeWanted();
    }
    sendOrder();
}

int PXJianCangFormView::numberOfRows(TableView&, int) {
    return static_cast<int>(m_listedCodes.size());
}

std::shared_ptr<TableViewCell> PXJianCangFormView::cellForRow(TableView& table,
                                                              IndexPath indexPath) {
    auto cell = table.dequeueReusableCell("commodity");
    if (!cell) {
        cell = std::make_shared<TableViewCell>(TableViewCell::Style::Default, "commodity");
        cell->setBackgroundColor(m_style.dropDownRowColor);
        cell->textLabel()->setTextColor(Color::whiteColor());
        cell->textLabel()->setFont(Font::named(kBoldFont, 16));
    }
    const std::string& code = m_listedCodes.at(static_cast<size_t>(indexPath.row));
    const auto& store = module().PXJYData().shangPinXinXi();
    const auto found = store.find(code);
    cell->textLabel()->setText(found != store.end() && found->second ? found->second->commodityName
                                                                     : code);
    return cell;
}

void PXJianCangFormView::didSelectRow(TableView&, IndexPath indexPath) {
    const std::string code = m_listedCodes.at(static_cast<size_t>(indexPath.row));
    closeCommodityList();
    commodityChosen(code);
}

void PXJianCangFormView::commodityChosen(const std::string& code) {
    tellCommodity(code);
    cleanView();
}

void PXJianCangFormView::cleanView() {
    m_shuLiang->setText("");
    m_dingJin->setText(emptyDepositText());
}

void PXJianCangFormView::dangQianSuoXuDingJin() {
    const auto record = commodity();
    m_dingJin->setText(PXJianCangRules::depositText(m_shuLiang->text(), depositPrice(),
                                                    record.get(), m_style.orderWord));
}

void PXJianCangFormView::didNumericKeyPressed(Button& key) {
    if (!m_editingField) {
        return;
    }
    m_editingField->setText(m_editingField->text() + key.titleLabel()->text());
    dangQianSuoXuDingJin();
}

void PXJianCangFormView::didBackspaceKeyPressed() {
    PXJYKeypadEditing::backspace(m_editingField);
    dangQianSuoXuDingJin();
}

void PXJianCangFormView::didspecialKey() {
    endAllEditing();
}

bool PXJianCangFormView::textFieldShouldBeginEditing(TextField& field) {
    if (field.inputView() == m_keypad) {
        m_editingField = &field;
    }
    return true;
}

bool PXJianCangFormView::textFieldShouldReturn(TextField&) {
    endAllEditing();
    return true;
}

std::vector<TextField*> PXJianCangFormView::editableFields() const {
    return {m_shuLiang};
}

void PXJianCangFormView::endAllEditing() {
    for (TextField* field : editableFields()) {
        field->resignFirstResponder();
    }
}

void PXJianCangFormView::refuse(const PXJianCangRefusal& refusal) const {
    PXTradeMessage::show(refusal.title, refusal.message);
}

std::shared_ptr<PXTradeCommodity> PXJianCangFormView::commodity() const {
    const auto& store = module().PXJYData().shangPinXinXi();
    const auto found = store.find(m_commodityCode);
    return found != store.end() ? found->second : nullptr;
}

JYDict PXJianCangFormView::orderHead() const {
    PXTradeModule& trade = module();
    trade.synchronizeDefaults();
    JYDict order = JYDict::object();
    order["id"] = trade.PXJYPeiZhi().getCurrentDateWith();
    order["userid"] = trade.defaultString("JYUserName");
    order["sign"] = std::to_string(m_side);
    order["commodityid"] = m_commodityCode;
    return order;
}

bool PXJianCangFormView::isCuoHeCommodity() const {
    const VKJYAppDelegate* app = VKJYAppDelegate::shared();
    return app && app->normalAppPropertyModel().isCuoHeCommodity(m_commodityCode);
}

void PXJianCangFormView::confirmOrder(const std::string& price, std::function<void()> send) {
    if (module().defaultString("prompt") != "1") {
        send();
        return;
    }
    const std::string way = m_style.orderWord + (m_side == 1 ? "购入" : "售出");
    const std::string message = "   商品:" + m_commodityNameButton->currentTitle() +
                                "\n   商品价格:" + price + "\n   商品数量:" + m_shuLiang->text() +
                                "\n   方式:" + way;
    m_confirmed = std::move(send);
    auto alert = std::make_unique<GlossAlertView>("提示", message, this, "确定",
                                                  std::vector<std::string>{"取消"});
    alert->setStyle(GlossAlertView::kStyleAllWhite);
    AlertView::show(std::move(alert));
}

void PXJianCangFormView::alertViewClickedButtonAtIndex(AlertView&, int buttonIndex) {
    auto confirmed = std::move(m_confirmed);
    m_confirmed = nullptr;
    if (buttonIndex == 0 && confirmed) {
        confirmed();
    }
}

JYDict PXJianCangFormView::orderBookRequest(const std::string& price, bool listRest) const {
    const JYDict head = orderHead();
    JYDict request = JYDict::object();
    request["id"] = head["id"];
    request["name"] = "order_mp";
    request["USER_ID"] = head["userid"];
    request["BUY_SELL"] = std::to_string(m_side);
    request["COMMODITY_ID"] = m_commodityCode;
    request["PRICE"] = price;
    request["QTY"] = m_shuLiang->text();
    request["SETTLE_BASIS"] = "1";
    request["ISLIST"] = listRest ? "1" : "0";
    request["CLOSEMODE"] = "1";
    request["HOLDING_ID"] = "";
    request["SESSION_ID"] = sessionId();
    request["A_N"] = "";
    request["P_P"] = "";
    return request;
}

std::string PXJianCangFormView::firmId() const {
    return module().PXJYData().firmID();
}

std::string PXJianCangFormView::sessionId() const {
    const auto& session = module().PXJYData().tradeSession();
    return session ? session->JYsessionID : std::string();
}
