#include "trade/open/PXJYTiaoJianZhaiPaiViewZYMS.h"

#include "platform/foundation/Text.h"
#include "platform/graphics/Image.h"
#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "platform/ui/ScrollView.h"
#include "trade/common/PXCommodityInformationViewZYMS.h"
#include "trade/common/PXTradeFormat.h"
#include "trade/core/PXTradeCommodity.h"
#include "trade/open/PXJianCangRules.h"

namespace {
const char* const kBoldFont = "Helvetica-Bold";
const double kBoardHeight = 110;
}  // namespace

PXJYTiaoJianZhaiPaiViewZYMS::PXJYTiaoJianZhaiPaiViewZYMS(const Rect& frame,
                                                         CommodityCodes commodityCodes)
    : PXJianCangFormView(frame, std::move(commodityCodes),
                         {360, Color::rgb(59, 59, 71), kQuantityTag, kBoardHeight, 345, 255}) {
    m_board =
        addSubview(std::make_unique<PXCommodityInformationViewZYMS>(Rect{0, 0, 320, kBoardHeight}));
    buildScrollArea();
    buildAccountRow(rowTop(0));
    buildNameRow(rowTop(1));
    // Of the three rows only the first two have a rule under them.
    buildSideRow(rowTop(2), false);

    const double priceTop = rowTop(3) + 5;
    addCaption("摘  牌  价:", priceTop - 10, 15, 85, false);
    auto price = std::make_unique<TextField>(Rect{100, priceTop, 100, 32});
    price->setTag(kPriceTag);
    price->setFont(Font::named(kBoldFont, 16));
    price->setTextColor(Color::rgb(204, 204, 204));
    price->setBackgroundColor(Color::blackColor());
    price->setClearButtonMode(ClearButtonMode::WhileEditing);
    price->setKeyboardType(KeyboardType::DecimalPad);
    price->setDelegate(this);
    m_jiaGeZ = scrollArea()->addSubview(std::move(price));

    const double quantityTop = priceTop + 40;
    addCaption("摘  牌  数:", quantityTop - 10, 15, 85, false);
    buildQuantityField({100, quantityTop, 100, 32}, {205, quantityTop, 115, 32});

    const double optionTop = quantityTop + 40;
    auto option = std::make_unique<Button>(Rect{15, optionTop + 3, 25, 25});
    option->addTarget(TouchUpInside, [this](Control&) { ziDongGuaPaiButtonAction(); });
    m_ziDongGuaPaiB = scrollArea()->addSubview(std::move(option));
    addCaption("剩余未成交是否自动挂牌", optionTop - 10, 50, 250, false)
        ->setFont(Font::named(kBoldFont, 14));
    showOption(false);

    auto hint = std::make_unique<Label>(Rect{15, optionTop + 32, 300, 24}, quoteUnitHint("--"));
    hint->setFont(Font::named(kBoldFont, 12));
    hint->setTextColor(Color::whiteColor());
    hint->setAdjustsFontSizeToFitWidth(true);
    m_zuiXiaoDanWei = scrollArea()->addSubview(std::move(hint));
    placeDeposit(optionTop + 56);
    buildSendButton();
}

std::string PXJYTiaoJianZhaiPaiViewZYMS::quoteUnitHint(const std::string& unit) {
    return "当前最小报价单位是" + unit + "元，请输入整数倍价格";
}

void PXJYTiaoJianZhaiPaiViewZYMS::showOption(bool on) {
    m_ziDongGuaPai = on;
    m_ziDongGuaPaiB->setBackgroundImage(Image::named(on ? "xuan_press.png" : "xuan.png"));
}

void PXJYTiaoJianZhaiPaiViewZYMS::ziDongGuaPaiButtonAction() {
    showOption(!m_ziDongGuaPai);
}

void PXJYTiaoJianZhaiPaiViewZYMS::cleanView() {
    PXJianCangFormView::cleanView();
    m_jiaGeZ->setText("");
    fanWei()->setText("");
    m_zuiXiaoDanWei->setText(quoteUnitHint("--"));
    showOption(false);
}

bool PXJYTiaoJianZhaiPaiViewZYMS::textFieldShouldChangeCharacters(TextField& field, TextRange,
                                                                  const std::string& text) {
    if (&field != m_jiaGeZ) {
        return true;
    }
    return PXTradeFormat::acceptsPriceInput(field.text(), text);
}

double PXJYTiaoJianZhaiPaiViewZYMS::depositPrice() const {
    return Text::doubleValue(m_jiaGeZ->text());
}

void PXJYTiaoJianZhaiPaiViewZYMS::tellCommodity(const std::string& code) {
    if (m_delegate) {
        m_delegate->PXZhaiPaiChangeCommodity(code);
    }
}

void PXJYTiaoJianZhaiPaiViewZYMS::commodityChosen(const std::string& code) {
    // Cleared first, so the hint and range the host writes for the new commodity stay.
    cleanView();
    tellCommodity(code);
}

std::vector<TextField*> PXJYTiaoJianZhaiPaiViewZYMS::editableFields() const {
    return {shuLiang(), m_jiaGeZ};
}

void PXJYTiaoJianZhaiPaiViewZYMS::sendOrder() {
    if (auto refusal = PXJianCangRules::checkConditionalDelisting(
            isCuoHeCommodity(), shuLiang()->text(), fanWei()->text(), m_jiaGeZ->text())) {
        refuse(*refusal);
        return;
    }
    const JYDict request = orderBookRequest(m_jiaGeZ->text(), m_ziDongGuaPai);
    confirmOrder(m_jiaGeZ->text(), [this, request] {
        if (m_delegate) {
            m_delegate->PXZhaiPaiJianCangClick(request);
        }
    });
    endAllEditing();
}
