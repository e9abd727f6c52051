#include "trade/open/PXJYShiJiaJianCangView.h"

#include "platform/foundation/Text.h"
#include "platform/graphics/Image.h"
#include "platform/ui/Button.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Label.h"
#include "platform/ui/ScrollView.h"
#include "trade/common/PXTradeFormat.h"
#include "trade/core/PXTradeCommodity.h"
#include "trade/open/PXJianCangRules.h"

namespace {
const char* const kBoldFont = "Helvetica-Bold";
const char* const kDefaultSpread = "50";
}  // namespace

PXJYShiJiaJianCangView::PXJYShiJiaJianCangView(const Rect& frame, CommodityCodes commodityCodes)
    : PXJianCangFormView(frame, std::move(commodityCodes),
                         {340, Color::rgb(59, 59, 71), kQuantityTag}) {
    buildForm();
    auto price = std::make_unique<Label>(Rect{105, rowTop(4) + 10, 195, 30});
    price->setFont(Font::named(kBoldFont, 16));
    price->setTextColor(Color::whiteColor());
    m_jiaGeZ = scrollArea()->addSubview(std::move(price));

    const double y = rowTop(5);
    auto tick = std::make_unique<Button>(Rect{15, y + 12, 25, 25});
    tick->setBackgroundImage(Image::named("xuan.png"));
    tick->addTarget(TouchUpInside, [this](Control&) { changebuttonAction(); });
    m_changebutton = scrollArea()->addSubview(std::move(tick));
    addCaption("允许价差", y, 45, 80, false);
    m_dianChaBackground = scrollArea()->addSubview(std::make_unique<ImageView>(
        Rect{130, y + 10, 75, 30}, Image::named("lashen_x.png").stretchable(5, 5)));
    auto spread = std::make_unique<TextField>(Rect{135, y + 10, 65, 30});
    spread->setTag(kSpreadTag);
    spread->setText(kDefaultSpread);
    spread->setFont(Font::named(kBoldFont, 16));
    spread->setInputView(keypad());
    spread->setDelegate(this);
    m_zuiDaDianCha = scrollArea()->addSubview(std::move(spread));
    showSpread(false);
    placeDeposit(y + 50);
    buildSendButton();
}

void PXJYShiJiaJianCangView::showSpread(bool shown) {
    m_zuiDaDianCha->setHidden(!shown);
    m_dianChaBackground->setHidden(!shown);
}

void PXJYShiJiaJianCangView::changebuttonAction() {
    m_dianCha = !m_dianCha;
    m_changebutton->setBackgroundImage(Image::named(m_dianCha ? "xuan_press.png" : "xuan.png"));
    showSpread(m_dianCha);
    if (m_dianCha) {
        m_zuiDaDianCha->becomeFirstResponder();
    } else {
        m_zuiDaDianCha->resignFirstResponder();
    }
}

void PXJYShiJiaJianCangView::cleanView() {
    PXJianCangFormView::cleanView();
    m_zuiDaDianCha->setText(kDefaultSpread);
    m_dianCha = false;
    m_changebutton->setBackgroundImage(Image::named("xuan.png"));
    showSpread(false);
}

double PXJYShiJiaJianCangView::depositPrice() const {
    return Text::doubleValue(m_jiaGeZ->text());
}

void PXJYShiJiaJianCangView::tellCommodity(const std::string& code) {
    if (m_delegate) {
        m_delegate->PXChangeCommodity(code);
    }
}

void PXJYShiJiaJianCangView::sideChanged() {
    if (m_delegate) {
        m_delegate->PXChangeMaiMaiFangXiang(commodityCode());
    }
}

std::vector<TextField*> PXJYShiJiaJianCangView::editableFields() const {
    return {shuLiang(), m_zuiDaDianCha};
}

void PXJYShiJiaJianCangView::sendOrder() {
    const auto record = commodity();
    PXJianCangRules::MarketInput input;
    input.quantity = shuLiang()->text();
    input.rangeLabel = fanWei()->text();
    input.priceLabel = m_jiaGeZ->text();
    input.spreadTicked = m_dianCha;
    input.spread = m_zuiDaDianCha->text();
    input.spreadMinimum = record ? record->YHBJDianChaZuiXiaoZhi : std::string();
    input.spreadMaximum = record ? record->YHBJDianChaZuiDaZhi : std::string();
    if (auto refusal = PXJianCangRules::checkMarketOrder(input)) {
        refuse(*refusal);
        return;
    }
    JYDict order = orderHead();
    order["price"] = m_jiaGeZ->text();
    order["number"] = shuLiang()->text();
    order["tradeType"] = "1";
    order["diff"] =
        m_dianCha ? m_zuiDaDianCha->text() : (record ? record->YHBJDianChaMoRenZhi : std::string());
    order["closeMode"] = "1";
    order["holdId"] = "";
    order["firmid"] = firmId();
    order["session_id"] = sessionId();
    order["commodityName"] = commodityNameButton()->currentTitle();
    endAllEditing();
    if (m_delegate) {
        m_delegate->PXShiJiaJianCangClick(order);
    }
}
