#include "trade/close/PXJYZhiJiaPingCangView.h"

#include "platform/foundation/SystemInfo.h"
#include "platform/foundation/Text.h"
#include "platform/ui/Button.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Label.h"
#include "platform/ui/ScrollView.h"
#include "trade/common/PXTradeClosingRules.h"
#include "trade/common/PXTradeFormLift.h"
#include "trade/common/PXTradeFormat.h"
#include "trade/common/PXTradeMessage.h"
#include "trade/common/PXTradeShownAccount.h"
#include "trade/common/PXTradeViewKit.h"
#include "trade/core/PXTradeData.h"
#include "trade/core/PXTradeModule.h"
#include "trade/core/PXTradePeiZhi.h"
#include "trade/login/PXJYSwitchingAccountView.h"

namespace {
const char* const kBoldFont = "Helvetica-Bold";
const Color kControlBackground = Color::rgb(59, 59, 71);
const double kRowHeight = 50;

// The bound of a range label such as "<99.50"; "--" when there is no live price.
std::string boundOf(const std::string& label) {
    return label.empty() ? std::string() : label.substr(1);
}
}  // namespace

PXJYZhiJiaPingCangView::PXJYZhiJiaPingCangView(const Rect& frame) : View(frame) {
    setBackgroundColor(PXTradeViewKit::background());
    initcommodityNameViewZJPC();
    m_lift = std::make_unique<PXTradeFormLift>(*this, [this] { setNumberButton(); });
}

PXJYZhiJiaPingCangView::~PXJYZhiJiaPingCangView() = default;

bool PXJYZhiJiaPingCangView::isRaised() const {
    return m_lift && m_lift->isRaised();
}

void PXJYZhiJiaPingCangView::fixNumber() {
    m_numberFixed = true;
    m_commodityDanHao->setAlpha(0);
    m_commodityDanHaoLabel->setAlpha(1);
    setNumberButton();
}

void PXJYZhiJiaPingCangView::setNumberButton() {
    m_commodityDanHao->setEnabled(!m_numberFixed && !isRaised());
}

Label* PXJYZhiJiaPingCangView::addValue(const Rect& frame) {
    return m_content->addSubview(PXTradeViewKit::label(frame, "", 16, PXTradeViewKit::valueGrey()));
}

void PXJYZhiJiaPingCangView::initcommodityNameViewZJPC() {
    const bool fourInch = SystemInfo::screenMode() == SystemInfo::kFourInchScreen;
    auto scroll =
        std::make_unique<ScrollView>(Rect{0, 0, bounds().width, fourInch ? 340.0 : 255.0});
    scroll->setShowsVerticalScrollIndicator(false);
    scroll->setContentSize({bounds().width, 410});
    m_content = addSubview(std::move(scroll));
    PXTradeViewKit::addTitledRows(
        *m_content, 0,
        {"交易账户:", "持牌单号:", "持牌商品:", "转让方式:", "转让数量:", "摘牌价格:"});

    auto number = std::make_unique<Button>(Rect{105, kRowHeight + 5, 195, 40});
    number->setContentHorizontalAlignment(ContentAlignment::Left);
    number->setTitleEdgeInsets({0, 8, 0, -8});
    number->setTitleColor(Color::whiteColor());
    number->titleLabel()->setFont(Font::named(kBoldFont, 16));
    number->setBackgroundColor(kControlBackground);
    number->setCornerRadius(4);
    number->addTarget(TouchUpInside, [this](Control&) { commodityNamebuttonActionZJPC(); });
    m_commodityDanHao = m_content->addSubview(std::move(number));
    m_commodityDanHao->addSubview(
        std::make_unique<ImageView>(Rect{170, 11, 15, 17}, Image::named("JYzhankai.png")));
    m_commodityDanHaoLabel = addValue({105, kRowHeight + 5, 195, 40});
    m_commodityDanHaoLabel->setAlpha(0);
    m_commodity = addValue({105, 2 * kRowHeight + 5, 195, 40});
    m_maiMaiFangXiang = addValue({105, 3 * kRowHeight + 5, 100, 40});
    m_chiCangL = addValue({105, 4 * kRowHeight + 5, 93, 40});
    m_chiCangL->setBackgroundColor(kControlBackground);
    m_jianCangJia = addValue({105, 5 * kRowHeight + 5, 73, 40});
    m_content->addSubview(PXTradeViewKit::label({178, 5 * kRowHeight + 5, 73, 40}, "持牌价格:", 14,
                                                Color::whiteColor()));
    m_chiCangJia = addValue({251, 5 * kRowHeight + 5, 65, 40});

    auto level = [this](const std::string& caption, double y, int tag, Button** box,
                        TextField** field, Label** range) {
        m_content->addSubview(
            PXTradeViewKit::label({45, y, 55, 40}, caption, 14, Color::whiteColor()));
        auto check = std::make_unique<Button>(Rect{15, y + 7.5, 25, 25});
        check->setBackgroundImage(Image::named("xuan.png"));
        *box = m_content->addSubview(std::move(check));
        // The grey box stays while the level is off: it shows where the price goes.
        auto frame = std::make_unique<ImageView>(Rect{105, y + 1, 93, 38});
        frame->setBackgroundColor(kControlBackground);
        frame->setCornerRadius(4);
        m_content->addSubview(std::move(frame));
        auto input = std::make_unique<TextField>(Rect{105, y, 93, 40});
        input->setTag(tag);
        input->setTextColor(PXTradeViewKit::valueGrey());
        input->setFont(Font::named(kBoldFont, 16));
        input->setBackgroundColor(kControlBackground);
        input->setCornerRadius(4);
        input->setClearButtonMode(ClearButtonMode::WhileEditing);
        input->setDelegate(this);
        input->setAlpha(0);
        *field = m_content->addSubview(std::move(input));
        *range = m_content->addSubview(
            PXTradeViewKit::label({203, y, 117, 40}, "", 16, Color::whiteColor()));
        (*range)->setAlpha(0);
    };
    level("止损", 305, kStopLossTag, &m_zhiSunButton, &m_zhiSunJia, &m_ZSFanWei);
    level("止盈", 350, kTakeProfitTag, &m_zhiYingButton, &m_zhiYingJia, &m_ZYFanWei);
    m_zhiSunButton->addTarget(TouchUpInside, [this](Control&) { zhiSunbuttonActionZJPC(); });
    m_zhiYingButton->addTarget(TouchUpInside, [this](Control&) { zhiYingbuttonActionZJPC(); });
    auto note = std::make_unique<Label>(Rect{210, 380, 110, 20}, "有效期：当日有效");
    note->setFont(Font::system(12));
    note->setTextColor(PXTradeViewKit::valueGrey());
    m_content->addSubview(std::move(note));

    const Rect bar{105, 9, 195, PXJYSwitchingAccountView::kClosedHeight};
    m_switchingAccountView = m_content->addSubview(std::make_unique<PXJYSwitchingAccountView>(bar));
    m_switchingAccountView->initSwitchingAccountView(bar);
    m_switchingAccountView->setSwitchingAccountViewValue();

    auto send = std::make_unique<Button>(Rect{0, bounds().height - 50, bounds().width, 50});
    send->setBackgroundImage(PXTradeViewKit::stretchable("anniuhong.png"));
    send->setTitle("转让");
    send->setTitleColor(Color::whiteColor());
    send->titleLabel()->setFont(Font::named(kBoldFont, 18));
    send->addTarget(TouchUpInside, [this](Control&) { pingCangbuttonActionZJPC(); });
    m_pingCangButton = addSubview(std::move(send));
}

void PXJYZhiJiaPingCangView::cleanView() {
    m_chiCangL->setText("");
    m_zhiSunJia->setText("");
    m_zhiYingJia->setText("");
    m_maiMaiFangXiang->setText("");
    setLevel(true, false);
    setLevel(false, false);
}

void PXJYZhiJiaPingCangView::setLevel(bool stopLoss, bool on) {
    (stopLoss ? m_PCZhiSun : m_PCZhiYing) = on;
    Button* box = stopLoss ? m_zhiSunButton : m_zhiYingButton;
    TextField* field = stopLoss ? m_zhiSunJia : m_zhiYingJia;
    Label* range = stopLoss ? m_ZSFanWei : m_ZYFanWei;
    box->setBackgroundImage(Image::named(on ? "xuan_press.png" : "xuan.png"));
    field->setAlpha(on ? 1 : 0);
    range->setAlpha(on ? 1 : 0);
    if (on) {
        field->becomeFirstResponder();
    } else {
        field->resignFirstResponder();
    }
}

void PXJYZhiJiaPingCangView::commodityNamebuttonActionZJPC() {
    if (m_delegate) {
        m_delegate->PXZJPCremoveChiCangDanHaoView();
    }
}

void PXJYZhiJiaPingCangView::zhiSunbuttonActionZJPC() {
    setLevel(true, !m_PCZhiSun);
}

void PXJYZhiJiaPingCangView::zhiYingbuttonActionZJPC() {
    setLevel(false, !m_PCZhiYing);
}

std::optional<std::string> PXJYZhiJiaPingCangView::check() const {
    if (!m_danHaoID) {
        return "请选择单号";
    }
    // Two empty prices set nothing, whatever the switches; nor does hidden text under two
    // switched-off levels, which would go out as two "0"s.
    if ((m_zhiSunJia->text().empty() && m_zhiYingJia->text().empty()) ||
        (!m_PCZhiSun && !m_PCZhiYing)) {
        return "请设置止损止盈";
    }
    const std::string lossBound = boundOf(m_ZSFanWei->text());
    const std::string profitBound = boundOf(m_ZYFanWei->text());
    if ((m_PCZhiSun && lossBound == PXTradeFormat::kMissing) ||
        (m_PCZhiYing && profitBound == PXTradeFormat::kMissing)) {
        return "当前行情价格有误";
    }
    const bool sold = m_danHaoBuySellSing == "2";
    const double loss = Text::doubleValue(m_zhiSunJia->text());
    const double profit = Text::doubleValue(m_zhiYingJia->text());
    const double lossLimit = Text::doubleValue(lossBound);
    const double profitLimit = Text::doubleValue(profitBound);
    if (m_PCZhiSun && (!PXTradeClosingRules::isPriceSet(m_zhiSunJia->text()) ||
                       (sold ? loss < lossLimit : loss > lossLimit))) {
        return "止损价格有误";
    }
    if (m_PCZhiYing && (!PXTradeClosingRules::isPriceSet(m_zhiYingJia->text()) ||
                        (sold ? profit > profitLimit : profit < profitLimit))) {
        return "止盈价格有误";
    }
    return std::nullopt;
}

JYDict PXJYZhiJiaPingCangView::order() const {
    PXTradeModule& trade = PXTradeModule::shared();
    trade.synchronizeDefaults();
    const auto& session = trade.PXJYData().tradeSession();
    JYDict order = JYDict::object();
    order["id"] = trade.PXJYPeiZhi().getCurrentDateWith();
    order["userid"] = trade.defaultString("JYUserName");
    order["holdId"] = m_danHaoID.value_or("");
    order["commodityid"] = m_commodityCode;
    order["sign"] = PXTradeClosingRules::closingDirection(m_danHaoBuySellSing).sign;
    order["number"] = m_chiCangL->text();
    order["stopprofit"] = m_PCZhiYing ? m_zhiYingJia->text() : "0";
    order["stoploss"] = m_PCZhiSun ? m_zhiSunJia->text() : "0";
    order["session_id"] = session ? session->JYsessionID : std::string();
    order["commodityName"] = m_commodity->text();
    return order;
}

void PXJYZhiJiaPingCangView::pingCangbuttonActionZJPC() {
    if (m_shownAccount && m_shownAccount->refusesTap()) {
        return;
    }
    if (const auto refusal = check()) {
        PXTradeMessage::show(*refusal);
        return;
    }
    const JYDict made = order();
    if (m_delegate) {
        m_delegate->PXZhiJiaPingCangClick(made);
    }
    m_zhiSunJia->resignFirstResponder();
    m_zhiYingJia->resignFirstResponder();
}

bool PXJYZhiJiaPingCangView::textFieldShouldReturn(TextField&) {
    m_zhiSunJia->resignFirstResponder();
    m_zhiYingJia->resignFirstResponder();
    return true;
}

bool PXJYZhiJiaPingCangView::textFieldShouldChangeCharacters(TextField& field, TextRange,
                                                             const std::string& replacement) {
    if (field.tag() != kStopLossTag && field.tag() != kTakeProfitTag) {
        return true;
    }
    return PXTradeFormat::acceptsPriceInput(field.text(), replacement);
}

void PXJYZhiJiaPingCangView::forgetTicket() {
    setDanHaoID(std::nullopt);
    setCommodityCode("");
    setDanHaoBuySellSing("");
    m_commodityDanHao->setTitle("");
    m_commodityDanHaoLabel->setText("");
    m_commodity->setText("");
    m_jianCangJia->setText("");
    m_chiCangJia->setText("");
    m_ZSFanWei->setText("");
    m_ZYFanWei->setText("");
    cleanView();
}

bool PXJYZhiJiaPingCangView::fillTicket(const PXTradeData& store, const std::string& number) {
    const PXJYChiCangMingXi* ticket = PXTradeData::find(store.chiCangMingXiXinXi(), number);
    if (!ticket) {
        forgetTicket();
        return false;
    }
    setDanHaoID(number);
    m_commodityDanHao->setTitle(number);
    m_commodityDanHaoLabel->setText(number);
    const PXTradeCommodity* commodity =
        PXTradeData::find(store.shangPinXinXi(), ticket->commodityCode);
    const PXTradeYiKouJia* prices =
        PXTradeData::find(store.zuiXinYiKouJia(), ticket->commodityCode);
    const std::string tick = commodity ? commodity->zuiXiaoBianDongJia : "";
    setCommodityCode(ticket->commodityCode);
    setDanHaoBuySellSing(ticket->buySellSign);
    m_commodity->setText(commodity ? commodity->commodityName : ticket->commodityCode);
    m_chiCangL->setText(ticket->dangQianChiCangLiang);
    m_jianCangJia->setText(PXTradeFormat::priceText(Text::doubleValue(ticket->jianCangJia), tick));
    m_chiCangJia->setText(PXTradeFormat::priceText(Text::doubleValue(ticket->chiCangJia), tick));

    const bool bought = Text::intValue(ticket->buySellSign) == 1;
    m_maiMaiFangXiang->setText(bought ? "售出" : "购入");
    const double step = commodity ? Text::doubleValue(commodity->zuiXiaoBianDongJia) : 0;
    const double loss = commodity ? Text::doubleValue(commodity->zhiSunXiaDanDianCha) * step : 0;
    const double profit = commodity ? Text::doubleValue(commodity->zhiYingXiaDanDianCha) * step : 0;
    const double base = !prices  ? 0
                        : bought ? prices->commoditySellPrice
                                 : prices->commodityBuyPrice;
    const std::string above = bought ? ">" : "<";
    const std::string below = bought ? "<" : ">";
    // No bound from a missing price: a stop checked against 0 would pass anything.
    if (!(base > 0)) {
        m_ZYFanWei->setText(above + PXTradeFormat::kMissing);
        m_ZSFanWei->setText(below + PXTradeFormat::kMissing);
        return true;
    }
    m_ZYFanWei->setText(above +
                        PXTradeFormat::priceText(bought ? base + profit : base - profit, tick));
    m_ZSFanWei->setText(below + PXTradeFormat::priceText(bought ? base - loss : base + loss, tick));
    return true;
}
