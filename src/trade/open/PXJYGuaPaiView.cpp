#include "trade/open/PXJYGuaPaiView.h"

#include "platform/foundation/Text.h"
#include "platform/graphics/Image.h"
#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "platform/ui/ScrollView.h"
#include "trade/common/PXTradeFormat.h"
#include "trade/core/PXTradeCommodity.h"
#include "trade/open/PXJYTiaoJianZhaiPaiViewZYMS.h"
#include "trade/open/PXJianCangRules.h"

namespace {
const char* const kBoldFont = "Helvetica-Bold";
}  // namespace

PXJYGuaPaiView::PXJYGuaPaiView(const Rect& frame, CommodityCodes commodityCodes)
    : PXJianCangFormView(
          frame, std::move(commodityCodes),
          {390, Color::fractions(0.161, 0.161, 0.2), kQuantityTag, 0, 340, 255, "挂牌"}) {
    buildScrollArea();
    setBackgroundColor(Color::fractions(0.161, 0.161, 0.2));
    buildAccountRow(rowTop(0));
    buildNameRow(rowTop(1));
    buildSideRow(rowTop(2));

    const double priceTop = rowTop(3);
    addCaption("挂 牌 价:", priceTop, 15, 80, false);
    auto price = std::make_unique<TextField>(Rect{105, priceTop + 10, 110, 30});
    price->setTag(kPriceTag);
    price->setFont(Font::named(kBoldFont, 16));
    price->setKeyboardType(KeyboardType::DecimalPad);
    price->setBackground(Image::named("lashen_x.png").stretchable(5, 5));
    price->setDelegate(this);
    m_zhiJiaL = scrollArea()->addSubview(std::move(price));
    auto hint = std::make_unique<Label>(Rect{15, priceTop + 42, 300, 22},
                                        PXJYTiaoJianZhaiPaiViewZYMS::quoteUnitHint("--"));
    hint->setFont(Font::named(kBoldFont, 12));
    hint->setTextColor(Color::whiteColor());
    hint->setAdjustsFontSizeToFitWidth(true);
    m_zuiXiaoDanWei = scrollArea()->addSubview(std::move(hint));

    const double quantityTop = priceTop + 65;
    addCaption("挂 牌 数:", quantityTop, 15, 80, false);
    buildQuantityField({105, quantityTop + 10, 93, 30}, {203, quantityTop + 10, 115, 30});

    const double optionTop = quantityTop + 50;
    auto option = std::make_unique<Button>(Rect{15, optionTop + 12, 25, 25});
    option->addTarget(TouchUpInside, [this](Control&) { ziDongZhaiPaiButtonAction(); });
    m_ziDongZhaiPaiB = scrollArea()->addSubview(std::move(option));
    m_lagelSY = addCaption("是否自动摘牌", optionTop, 50, 200, false);
    showOption(false);
    placeDeposit(optionTop + 50);
    buildSendButton();
}

void PXJYGuaPaiView::showOption(bool on) {
    m_ziDongZhaiPai = on;
    m_ziDongZhaiPaiB->setBackgroundImage(Image::named(on ? "xuan_press.png" : "xuan.png"));
}

void PXJYGuaPaiView::ziDongZhaiPaiButtonAction() {
    showOption(!m_ziDongZhaiPai);
}

void PXJYGuaPaiView::cuoHeShangPin() {
    const bool always = isCuoHeCommodity();
    if (always) {
        showOption(true);
    }
    m_ziDongZhaiPaiB->setAlpha(always ? 0 : 1);
    m_lagelSY->setAlpha(always ? 0 : 1);
}

void PXJYGuaPaiView::cleanView() {
    PXJianCangFormView::cleanView();
    m_zhiJiaL->setText("");
    m_zuiXiaoDanWei->setText(PXJYTiaoJianZhaiPaiViewZYMS::quoteUnitHint("--"));
    // The choice is the user's for the next commodity; the host forces it again for one that
    // always takes matching listings once it has set that commodity.
    showOption(false);
}

bool PXJYGuaPaiView::textFieldShouldChangeCharacters(TextField& field, TextRange,
                                                     const std::string& text) {
    if (&field != m_zhiJiaL) {
        return true;
    }
    return PXTradeFormat::acceptsPriceInput(field.text(), text);
}

double PXJYGuaPaiView::depositPrice() const {
    return Text::doubleValue(m_zhiJiaL->text());
}

void PXJYGuaPaiView::tellCommodity(const std::string& code) {
    if (m_delegate) {
        m_delegate->PXChangeCommodity(code);
    }
}

void PXJYGuaPaiView::commodityChosen(const std::string& code) {
    // Cleared first, so the hint the host writes for the new commodity shows at once.
    cleanView();
    tellCommodity(code);
}

std::vector<TextField*> PXJYGuaPaiView::editableFields() const {
    return {shuLiang(), m_zhiJiaL};
}

void PXJYGuaPaiView::sendOrder() {
    if (auto refusal = PXJianCangRules::checkListing(commodity() != nullptr, shuLiang()->text(),
                                                     fanWei()->text(), m_zhiJiaL->text())) {
        refuse(*refusal);
        return;
    }
    JYDict request = orderBookRequest(m_zhiJiaL->text(), false);
    request["name"] = "order_list";
    request.erase("ISLIST");
    JYDict listing = JYDict::object();
    for (const char* key :
         {"id", "name", "USER_ID", "BUY_SELL", "COMMODITY_ID", "PRICE", "QTY", "SETTLE_BASIS"}) {
        listing[key] = request[key];
    }
    listing["LIST_ID"] = "";
    for (const char* key : {"CLOSEMODE", "HOLDING_ID", "SESSION_ID", "A_N", "P_P"}) {
        listing[key] = request[key];
    }
    listing["LIST_PICK"] = "1";
    listing["P_F"] = m_ziDongZhaiPai ? "1" : "2";
    confirmOrder(m_zhiJiaL->text(), [this, listing] {
        if (m_delegate) {
            m_delegate->PXGuaPaiButtonClick(listing);
        }
    });
    endAllEditing();
}
