#include "trade/close/PXJYZhuanRangZYMSView.h"

#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "shell/VKJYAppDelegate.h"
#include "shell/VKJYNormalAppKeyPropertyModel.h"
#include "trade/common/PXTradeClosingRules.h"
#include "trade/common/PXTradeFormat.h"
#include "trade/common/PXTradeMessage.h"
#include "trade/common/PXTradeViewKit.h"
#include "trade/core/PXTradeModule.h"
#include "trade/core/PXTradePeiZhi.h"

PXJYZhuanRangZYMSView::PXJYZhuanRangZYMSView(const Rect& frame) : PXZhuanRangFormView(frame, 420) {
    buildForm();
    View& block = *otherView();
    const double y = 2 * kRowHeight;
    addCaption(block, "转让价格:", y);
    m_zhuanRangJiaGe = addField(block, {105, y + 5, 93, 40}, kPriceTag, false);
    m_ziDongZhaiPaiB = addCheckBox(block, 3 * kRowHeight - 2.5);
    m_ziDongZhaiPaiB->addTarget(TouchUpInside, [this](Control&) { ziDongZhaiPaiButtonAction(); });
    m_lagelSY = block.addSubview(PXTradeViewKit::label({60, 3 * kRowHeight, 150, 45},
                                                       "是否自动摘牌", 14, Color::whiteColor()));
    m_zuiXiaoDanWei = block.addSubview(
        PXTradeViewKit::label({15, 190, 310, 30}, kEmptyHint, 12, Color::whiteColor()));
    finishForm();
    cleanView();
}

void PXJYZhuanRangZYMSView::ziDongZhaiPaiButtonAction() {
    m_ziDongZhaiPai = !m_ziDongZhaiPai;
    setChecked(*m_ziDongZhaiPaiB, m_ziDongZhaiPai);
}

void PXJYZhuanRangZYMSView::cuoHeShangPin() {
    const VKJYAppDelegate* app = VKJYAppDelegate::shared();
    const bool matching = app && app->normalAppPropertyModel().isCuoHeCommodity(commodityCode());
    if (matching) {
        m_ziDongZhaiPai = true;
    }
    m_ziDongZhaiPaiB->setAlpha(matching ? 0 : 1);
    m_lagelSY->setAlpha(matching ? 0 : 1);
}

void PXJYZhuanRangZYMSView::cleanView() {
    PXZhuanRangFormView::cleanView();
    m_zhuanRangJiaGe->setText("");
    m_zuiXiaoDanWei->setText(kEmptyHint);
    m_ziDongZhaiPai = false;
    setChecked(*m_ziDongZhaiPaiB, false);
}

bool PXJYZhuanRangZYMSView::textFieldShouldChangeCharacters(TextField& field, TextRange,
                                                            const std::string& replacement) {
    if (field.tag() != kPriceTag) {
        return true;
    }
    return PXTradeFormat::acceptsPriceInput(field.text(), replacement);
}

void PXJYZhuanRangZYMSView::askCommodityPicker() {
    if (m_delegate) {
        m_delegate->PXZRAddChiCangShangPinListView();
    }
}

void PXJYZhuanRangZYMSView::askNumberPicker() {
    if (m_delegate) {
        m_delegate->PXZRAddChiCangDanHaoListView();
    }
}

void PXJYZhuanRangZYMSView::askRefill() {
    if (m_delegate) {
        m_delegate->PXZRRefreshShiJiaPingCangView();
    }
}

std::vector<TextField*> PXJYZhuanRangZYMSView::editableFields() const {
    return {shuLiang(), m_zhuanRangJiaGe};
}

JYDict PXJYZhuanRangZYMSView::request() const {
    const bool byCommodity = danHaoOrShangPin();
    JYDict request = JYDict::object();
    request["id"] = PXTradeModule::shared().PXJYPeiZhi().getCurrentDateWith();
    request["name"] = "order_list";
    request["USER_ID"] = userId();
    request["BUY_SELL"] = xiaDanFangXiang();
    request["COMMODITY_ID"] = commodityCode();
    request["PRICE"] = m_zhuanRangJiaGe->text();
    request["QTY"] = shuLiang()->text();
    request["SETTLE_BASIS"] = "2";
    request["LIST_ID"] = "";
    request["CLOSEMODE"] = byCommodity ? "1" : "2";
    request["HOLDING_ID"] = byCommodity ? std::string() : danHaoID().value_or("");
    request["SESSION_ID"] = sessionId();
    request["A_N"] = "";
    request["P_P"] = "";
    request["LIST_PICK"] = "1";
    request["P_F"] = m_ziDongZhaiPai ? "1" : "2";
    return request;
}

void PXJYZhuanRangZYMSView::send() {
    if (auto refusal = checkChoiceAndQuantity()) {
        PXTradeMessage::show(*refusal);
        return;
    }
    // A price must be a number above zero: "0" or "0." would list at nothing.
    if (m_zhuanRangJiaGe->text().empty()) {
        PXTradeMessage::show("转让价格不能为空");
        return;
    }
    if (!PXTradeClosingRules::isPriceSet(m_zhuanRangJiaGe->text())) {
        PXTradeMessage::show("转让价格有误");
        return;
    }
    const JYDict made = request();
    if (m_delegate) {
        m_delegate->PXZhuanRangClick(made);
    }
    endAllEditing();
}
