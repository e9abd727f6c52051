#include "trade/open/PXJYZhiJiaJianCangView.h"

#include "platform/foundation/Text.h"
#include "platform/graphics/Image.h"
#include "platform/ui/Button.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Label.h"
#include "platform/ui/ScrollView.h"
#include "trade/common/PXTradeFormat.h"
#include "trade/open/PXJianCangRules.h"

namespace {
const char* const kBoldFont = "Helvetica-Bold";
}  // namespace

PXJYZhiJiaJianCangView::PXJYZhiJiaJianCangView(const Rect& frame, CommodityCodes commodityCodes)
    : PXJianCangFormView(frame, std::move(commodityCodes),
                         {420, Color::rgb(49, 49, 51), kQuantityTag}) {
    buildForm();
    m_zhiJiaL = addPriceField({105, rowTop(4) + 10, 110, 30}, kLimitPriceTag);
    // Two lines at full size, one bound a line; it ends at the screen's edge.
    auto band = std::make_unique<Label>(Rect{217, rowTop(4) + 10, 101, 30});
    band->setFont(Font::named(kBoldFont, 12));
    band->setTextColor(Color::whiteColor());
    band->setNumberOfLines(2);
    band->setLineBreakMode(LineBreakMode::WordWrap);
    m_ZJfanWei = scrollArea()->addSubview(std::move(band));

    m_stopLossRow = addStopRow("止损", rowTop(5), kStopLossTag);
    m_stopLossRow.tick->addTarget(TouchUpInside, [this](Control&) { zhiSunbuttonActionZJ(); });
    m_takeProfitRow = addStopRow("止盈", rowTop(6), kTakeProfitTag);
    m_takeProfitRow.tick->addTarget(TouchUpInside, [this](Control&) { zhiYingbuttonActionZJ(); });
    m_zhiSunbutton = m_stopLossRow.tick;
    m_zhiS = m_stopLossRow.field;
    m_SfanWei = m_stopLossRow.range;
    m_zhiYingButton = m_takeProfitRow.tick;
    m_zhiY = m_takeProfitRow.field;
    m_YfanWei = m_takeProfitRow.range;

    auto validity = std::make_unique<Label>(Rect{200, rowTop(7) + 2, 110, 20}, "有效期: 当日有效");
    validity->setFont(Font::named(kBoldFont, 14));
    validity->setTextColor(Color::whiteColor());
    validity->setAdjustsFontSizeToFitWidth(true);
    scrollArea()->addSubview(std::move(validity));
    placeDeposit(rowTop(7) + 25);
    buildSendButton();
}

TextField* PXJYZhiJiaJianCangView::addPriceField(const Rect& frame, int tag) {
    auto field = std::make_unique<TextField>(frame);
    field->setTag(tag);
    field->setFont(Font::named(kBoldFont, 16));
    field->setKeyboardType(KeyboardType::DecimalPad);
    field->setBackground(Image::named("lashen_x.png").stretchable(5, 5));
    field->setDelegate(this);
    return scrollArea()->addSubview(std::move(field));
}

PXJYZhiJiaJianCangView::StopRow PXJYZhiJiaJianCangView::addStopRow(const std::string& caption,
                                                                   double y, int tag) {
    StopRow row;
    auto tick = std::make_unique<Button>(Rect{15, y + 12, 25, 25});
    tick->setBackgroundImage(Image::named("xuan.png"));
    row.tick = scrollArea()->addSubview(std::move(tick));
    addCaption(caption, y, 45, 50, false);
    // The frame stays while the box is unticked: it shows where the price goes.
    const Rect field{105, y + 10, 100, 30};
    row.background = scrollArea()->addSubview(
        std::make_unique<ImageView>(field, Image::named("lashen_x.png").stretchable(5, 5)));
    row.field = addPriceField(field, tag);
    auto range = std::make_unique<Label>(Rect{210, y + 10, 105, 30});
    range->setFont(Font::named(kBoldFont, 12));
    range->setTextColor(Color::whiteColor());
    row.range = scrollArea()->addSubview(std::move(range));
    showStop(row, false);
    return row;
}

void PXJYZhiJiaJianCangView::showStop(const StopRow& row, bool shown) {
    row.field->setHidden(!shown);
    row.range->setHidden(!shown);
    row.tick->setBackgroundImage(Image::named(shown ? "xuan_press.png" : "xuan.png"));
}

void PXJYZhiJiaJianCangView::toggleStop(bool& flag, const StopRow& row) {
    if (m_zhiJiaL->text().empty()) {
        refuse({"提示", "条件价格不能为空"});
        return;
    }
    flag = !flag;
    showStop(row, flag);
    if (flag) {
        row.field->becomeFirstResponder();
    } else {
        row.field->resignFirstResponder();
    }
}

void PXJYZhiJiaJianCangView::zhiSunbuttonActionZJ() {
    toggleStop(m_zhiSun, m_stopLossRow);
}

void PXJYZhiJiaJianCangView::zhiYingbuttonActionZJ() {
    toggleStop(m_zhiYing, m_takeProfitRow);
}

void PXJYZhiJiaJianCangView::cleanView() {
    PXJianCangFormView::cleanView();
    for (TextField* field : {m_zhiJiaL, m_zhiS, m_zhiY}) {
        field->setText("");
    }
    m_zhiSun = false;
    m_zhiYing = false;
    showStop(m_stopLossRow, false);
    showStop(m_takeProfitRow, false);
}

bool PXJYZhiJiaJianCangView::textFieldShouldChangeCharacters(TextField& field, TextRange,
                                                             const std::string& text) {
    if (&field == shuLiang()) {
        return true;
    }
    return PXTradeFormat::acceptsPriceInput(field.text(), text);
}

double PXJYZhiJiaJianCangView::depositPrice() const {
    return Text::doubleValue(m_zhiJiaL->text());
}

void PXJYZhiJiaJianCangView::tellCommodity(const std::string& code) {
    if (m_delegate) {
        m_delegate->PXChangeCommodity(code);
    }
}

void PXJYZhiJiaJianCangView::sideChanged() {
    if (m_delegate) {
        m_delegate->PXChangeMaiMaiFangXiang(commodityCode());
    }
}

std::vector<TextField*> PXJYZhiJiaJianCangView::editableFields() const {
    return {shuLiang(), m_zhiJiaL, m_zhiS, m_zhiY};
}

void PXJYZhiJiaJianCangView::sendOrder() {
    PXJianCangRules::ConditionalInput input;
    input.quantity = shuLiang()->text();
    input.rangeLabel = fanWei()->text();
    input.limitPrice = m_zhiJiaL->text();
    input.bandLabel = m_ZJfanWei->text();
    input.side = XiaDan_FangXiang();
    input.stopLossTicked = m_zhiSun;
    input.stopLoss = m_zhiS->text();
    input.stopLossLabel = m_SfanWei->text();
    input.takeProfitTicked = m_zhiYing;
    input.takeProfit = m_zhiY->text();
    input.takeProfitLabel = m_YfanWei->text();
    if (auto refusal = PXJianCangRules::checkConditionalOrder(input)) {
        refuse(*refusal);
        return;
    }
    JYDict order = orderHead();
    order["price"] = m_zhiJiaL->text();
    order["number"] = shuLiang()->text();
    order["stopprofit"] = m_zhiYing ? m_zhiY->text() : std::string("0");
    order["stoploss"] = m_zhiSun ? m_zhiS->text() : std::string("0");
    order["firmid"] = firmId();
    order["session_id"] = sessionId();
    order["commodityName"] = commodityNameButton()->currentTitle();
    endAllEditing();
    if (m_delegate) {
        m_delegate->PXZhiJiaJianCangClick(order);
    }
}
