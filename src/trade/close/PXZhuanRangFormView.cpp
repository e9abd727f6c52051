#include "trade/close/PXZhuanRangFormView.h"

#include "platform/foundation/SystemInfo.h"
#include "platform/foundation/Text.h"
#include "platform/ui/Button.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Label.h"
#include "platform/ui/ScrollView.h"
#include "trade/common/PXTradeClosingRules.h"
#include "trade/common/PXTradeFormLift.h"
#include "trade/common/PXTradeFormat.h"
#include "trade/common/PXTradeShownAccount.h"
#include "trade/common/PXTradeViewKit.h"
#include "trade/core/PXTradeData.h"
#include "trade/core/PXTradeModule.h"
#include "trade/login/PXJYKeypadEditing.h"
#include "trade/login/PXJYSwitchingAccountView.h"

namespace {
const char* const kBoldFont = "Helvetica-Bold";
const Color kControlBackground = Color::rgb(59, 59, 71);
const double kKeypadHeight = 216;
const double kSendHeight = 50;
const double kBlockByCommodity = 151;
const double kBlockByNumber = 201;

std::unique_ptr<Button> pickerButton(const Rect& frame) {
    auto button = std::make_unique<Button>(frame);
    button->setContentHorizontalAlignment(ContentAlignment::Left);
    button->setTitleEdgeInsets({0, 8, 0, -8});
    button->setTitleColor(Color::whiteColor());
    button->setTitleColor(Color::whiteColor(), StateDisabled);
    button->titleLabel()->setFont(Font::named(kBoldFont, 16));
    button->setBackgroundColor(kControlBackground);
    button->setCornerRadius(4);
    return button;
}
}  // namespace

PXZhuanRangFormView::PXZhuanRangFormView(const Rect& frame, double contentHeight)
    : View(frame), m_contentHeight(contentHeight) {}

PXZhuanRangFormView::~PXZhuanRangFormView() {
    if (m_keypad) {
        m_keypad->setDelegate(nullptr);
    }
}

void PXZhuanRangFormView::buildForm() {
    setBackgroundColor(PXTradeViewKit::background());
    const bool fourInch = SystemInfo::screenMode() == SystemInfo::kFourInchScreen;
    auto scroll =
        std::make_unique<ScrollView>(Rect{0, 0, bounds().width, fourInch ? 340.0 : 255.0});
    scroll->setShowsVerticalScrollIndicator(false);
    scroll->setContentSize({bounds().width, m_contentHeight});
    m_scroll = addSubview(std::move(scroll));
    m_keypad = std::make_shared<PadKeyboardView>(Rect{0, 0, 320, kKeypadHeight});
    m_keypad->setDelegate(this);

    addCaption(*m_scroll, "交易账户:", 0);
    addCaption(*m_scroll, "转让类型:", kRowHeight);
    m_commodetyNameL = addCaption(*m_scroll, "持牌商品:", 2 * kRowHeight);
    m_danHaoL = addCaption(*m_scroll, "持牌单号:", 3 * kRowHeight);
    for (int row = 1; row <= 4; ++row) {
        PXTradeViewKit::addLine(*m_scroll, row * kRowHeight);
    }

    auto modeButton = [this](const std::string& title, const std::string& icon, double x) {
        auto button = std::make_unique<Button>(Rect{x, kRowHeight + 5, 93, 40});
        button->setTitle(title);
        button->setTitleColor(PXTradeViewKit::valueGrey());
        button->titleLabel()->setFont(Font::named(kBoldFont, 14));
        button->setImage(Image::named(icon));
        button->setImageEdgeInsets({7, -4, 7, 4});
        return m_scroll->addSubview(std::move(button));
    };
    m_SPbutton = modeButton("按商品", "anshangpin.png", 105);
    m_SPbutton->addTarget(TouchUpInside, [this](Control&) { shangPinButtonActionSJPC(); });
    m_DHbutton = modeButton("按单号", "andanhao.png", 203);
    m_DHbutton->addTarget(TouchUpInside, [this](Control&) { danHaoButtonActionSJPC(); });

    m_commodityNameButton = m_scroll->addSubview(pickerButton({105, 105, 195, 40}));
    m_commodityNameButton->addTarget(TouchUpInside,
                                     [this](Control&) { commodityNamebuttonAction(); });
    m_nameButtonImage = m_commodityNameButton->addSubview(
        std::make_unique<ImageView>(Rect{170, 11, 15, 17}, Image::named("JYzhankai.png")));
    m_danHaoButton = m_scroll->addSubview(pickerButton({105, 155, 195, 40}));
    m_danHaoButton->addTarget(TouchUpInside, [this](Control&) { danHaobuttonAction(); });
    m_danHaoButtonImage = m_danHaoButton->addSubview(
        std::make_unique<ImageView>(Rect{170, 11, 15, 17}, Image::named("JYzhankai.png")));

    auto block = std::make_unique<View>(Rect{0, kBlockByCommodity, bounds().width, 400});
    block->setBackgroundColor(PXTradeViewKit::background());
    m_otherView = m_scroll->addSubview(std::move(block));
    addCaption(*m_otherView, "转让方式:", 0);
    m_maiMaiFangXiangL = m_otherView->addSubview(
        PXTradeViewKit::label({105, 5, 120, 40}, "", 16, PXTradeViewKit::valueGrey()));
    addCaption(*m_otherView, "转让数量:", kRowHeight);
    m_shuLiang = addField(*m_otherView, {105, kRowHeight + 5, 93, 40}, kQuantityTag, true);
    auto range = PXTradeViewKit::label({203, kRowHeight + 5, 117, 40}, "", 14, Color::whiteColor());
    range->setAdjustsFontSizeToFitWidth(true);
    range->setMinimumFontSize(9);
    m_shuLiangFanWei = m_otherView->addSubview(std::move(range));
    for (int row = 1; row <= 3; ++row) {
        PXTradeViewKit::addLine(*m_otherView, row * kRowHeight);
    }
}

void PXZhuanRangFormView::finishForm() {
    // The account row lies over the block, so its list of saved accounts opens over it.
    const Rect bar{105, 9, 195, PXJYSwitchingAccountView::kClosedHeight};
    m_switchingAccountView = m_scroll->addSubview(std::make_unique<PXJYSwitchingAccountView>(bar));
    m_switchingAccountView->initSwitchingAccountView(bar);
    m_switchingAccountView->setSwitchingAccountViewValue();

    auto send = std::make_unique<Button>(
        Rect{0, bounds().height - kSendHeight, bounds().width, kSendHeight});
    send->setBackgroundImage(PXTradeViewKit::stretchable("anniuhong.png"));
    send->setTitle("转让");
    send->setTitleColor(Color::whiteColor());
    send->titleLabel()->setFont(Font::named(kBoldFont, 18));
    send->addTarget(TouchUpInside, [this](Control&) { zhuanRangButtonActionSJPC(); });
    m_zhuanRangButton = addSubview(std::move(send));

    m_lift = std::make_unique<PXTradeFormLift>(*this, [this] { setPickerButtons(); });
    placeRows();
}

Label* PXZhuanRangFormView::addCaption(View& parent, const std::string& text, double y, double x,
                                       double width, double size) {
    return parent.addSubview(
        PXTradeViewKit::label({x, y, width, kRowHeight}, text, size, Color::whiteColor()));
}

TextField* PXZhuanRangFormView::addField(View& parent, const Rect& frame, int tag, bool keypad) {
    auto field = std::make_unique<TextField>(frame);
    field->setTag(tag);
    field->setTextColor(PXTradeViewKit::valueGrey());
    field->setFont(Font::named(kBoldFont, 16));
    field->setBackgroundColor(kControlBackground);
    field->setCornerRadius(4);
    field->setClearButtonMode(ClearButtonMode::WhileEditing);
    if (keypad) {
        field->setInputView(m_keypad);
    }
    field->setDelegate(this);
    return parent.addSubview(std::move(field));
}

void PXZhuanRangFormView::addFieldFrame(View& parent, const Rect& frame) {
    auto box = std::make_unique<ImageView>(frame);
    box->setBackgroundColor(kControlBackground);
    box->setCornerRadius(4);
    parent.addSubview(std::move(box));
}

Button* PXZhuanRangFormView::addCheckBox(View& parent, double y) {
    auto box = std::make_unique<Button>(Rect{15, y + 12.5, 25, 25});
    setChecked(*box, false);
    return parent.addSubview(std::move(box));
}

void PXZhuanRangFormView::setChecked(Button& box, bool checked) {
    box.setBackgroundImage(Image::named(checked ? "xuan_press.png" : "xuan.png"));
}

void PXZhuanRangFormView::placeRows() {
    const bool byCommodity = m_danHaoOrShangPin;
    m_SPbutton->setBackgroundImage(
        PXTradeViewKit::stretchable(byCommodity ? "anniuhong.png" : "anniu.png"));
    m_DHbutton->setBackgroundImage(
        PXTradeViewKit::stretchable(byCommodity ? "anniu.png" : "anniuhong.png"));
    const double nameTop = byCommodity ? 2 * kRowHeight : 3 * kRowHeight;
    const double numberTop = byCommodity ? 3 * kRowHeight : 2 * kRowHeight;
    m_commodetyNameL->setFrame({15, nameTop, 80, kRowHeight});
    m_commodityNameButton->setFrame({105, nameTop + 5, 195, 40});
    m_danHaoL->setFrame({15, numberTop, 80, kRowHeight});
    m_danHaoButton->setFrame({105, numberTop + 5, 195, 40});
    Rect block = m_otherView->frame();
    block.y = byCommodity ? kBlockByCommodity : kBlockByNumber;
    m_otherView->setFrame(block);
    setPickerButtons();
}

void PXZhuanRangFormView::setPickerButtons() {
    // By number the commodity follows the holding, where the host lets the mode decide.
    const bool nameOpen =
        !m_commodityFixed && (m_danHaoOrShangPin || !m_commodityNameButtonEnabled);
    const bool resting = !isRaised();
    m_commodityNameButton->setEnabled(resting && nameOpen);
    m_nameButtonImage->setAlpha(nameOpen ? 1 : 0);
    m_danHaoButton->setEnabled(resting && !m_numberFixed);
    m_danHaoButtonImage->setAlpha(m_numberFixed ? 0 : 1);
}

void PXZhuanRangFormView::setCommodityNameButtonEnabled(bool enabled) {
    m_commodityNameButtonEnabled = enabled;
    setPickerButtons();
}

void PXZhuanRangFormView::fixCommodity() {
    m_commodityFixed = true;
    setPickerButtons();
}

void PXZhuanRangFormView::fixNumber() {
    m_numberFixed = true;
    setPickerButtons();
}

void PXZhuanRangFormView::shangPinButtonActionSJPC() {
    m_danHaoOrShangPin = true;
    cleanView();
    placeRows();
    askRefill();
}

void PXZhuanRangFormView::danHaoButtonActionSJPC() {
    m_danHaoOrShangPin = false;
    cleanView();
    placeRows();
    askRefill();
}

void PXZhuanRangFormView::commodityNamebuttonAction() {
    askCommodityPicker();
}

void PXZhuanRangFormView::danHaobuttonAction() {
    askNumberPicker();
}

void PXZhuanRangFormView::zhuanRangButtonActionSJPC() {
    if (m_shownAccount && m_shownAccount->refusesTap()) {
        return;
    }
    send();
}

void PXZhuanRangFormView::cleanView() {
    m_commodityNameButton->setTitle("");
    m_danHaoButton->setTitle("");
    m_maiMaiFangXiangL->setText("");
    m_shuLiang->setText("");
    m_shuLiangFanWei->setText("");
}

void PXZhuanRangFormView::startAfresh() {
    m_danHaoOrShangPin = true;
    m_danHaoID.reset();
    cleanView();
    placeRows();
}

void PXZhuanRangFormView::clearChoice() {
    m_danHaoID.reset();
    m_commodityCode.clear();
}

void PXZhuanRangFormView::forgetNumber() {
    clearChoice();
    m_xiaDanFangXiang.clear();
    m_danHaoButton->setTitle("");
    m_commodityNameButton->setTitle(PXTradeFormat::kMissing);
    m_maiMaiFangXiangL->setText("");
    m_shuLiangFanWei->setText(PXTradeClosingRules::freeRangeText(0));
}

std::optional<std::string> PXZhuanRangFormView::checkChoiceAndQuantity() const {
    if (m_danHaoOrShangPin && m_commodityCode.empty()) {
        return "请选择商品";
    }
    if (!m_danHaoOrShangPin && !m_danHaoID) {
        return "请选择单号";
    }
    const int quantity = Text::intValue(m_shuLiang->text());
    if (quantity <= 0 || !PXTradeFormat::quantityInRange(quantity, m_shuLiangFanWei->text())) {
        return kWrongQuantity;
    }
    return std::nullopt;
}

std::shared_ptr<PXTradeCommodity> PXZhuanRangFormView::commodity() const {
    const auto& store = PXTradeModule::shared().PXJYData().shangPinXinXi();
    const auto found = store.find(m_commodityCode);
    return found != store.end() ? found->second : nullptr;
}

std::string PXZhuanRangFormView::userId() const {
    PXTradeModule& trade = PXTradeModule::shared();
    trade.synchronizeDefaults();
    return trade.defaultString("JYUserName");
}

std::string PXZhuanRangFormView::sessionId() const {
    const auto& session = PXTradeModule::shared().PXJYData().tradeSession();
    return session ? session->JYsessionID : std::string();
}

void PXZhuanRangFormView::didNumericKeyPressed(Button& key) {
    if (m_editingField) {
        m_editingField->setText(m_editingField->text() + key.titleLabel()->text());
    }
}

void PXZhuanRangFormView::didBackspaceKeyPressed() {
    PXJYKeypadEditing::backspace(m_editingField);
}

void PXZhuanRangFormView::didspecialKey() {
    endAllEditing();
}

bool PXZhuanRangFormView::textFieldShouldBeginEditing(TextField& field) {
    if (field.inputView() == m_keypad) {
        m_editingField = &field;
    }
    return true;
}

bool PXZhuanRangFormView::textFieldShouldReturn(TextField&) {
    endAllEditing();
    return true;
}

std::vector<TextField*> PXZhuanRangFormView::editableFields() const {
    return {m_shuLiang};
}

void PXZhuanRangFormView::endAllEditing() {
    for (TextField* field : editableFields()) {
        field->resignFirstResponder();
    }
}

bool PXZhuanRangFormView::isRaised() const {
    return m_lift && m_lift->isRaised();
}
