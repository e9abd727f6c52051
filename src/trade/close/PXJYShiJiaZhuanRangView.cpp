#include "trade/close/PXJYShiJiaZhuanRangView.h"

#include "platform/foundation/Text.h"
#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "trade/common/PXTradeFormat.h"
#include "trade/common/PXTradeMessage.h"
#include "trade/common/PXTradeViewKit.h"
#include "trade/core/PXTradeCommodity.h"
#include "trade/core/PXTradeData.h"
#include "trade/core/PXTradeModule.h"
#include "trade/core/PXTradePeiZhi.h"

namespace {
const char* const kDefaultSpread = "50";
const char* const kWrongPrice = "当前行情价格有误";
}  // namespace

PXJYShiJiaZhuanRangView::PXJYShiJiaZhuanRangView(const Rect& frame)
    : PXZhuanRangFormView(frame, 450) {
    buildForm();
    View& block = *otherView();
    const double y = 2 * kRowHeight;
    addCaption(block, "持牌均价:", y);
    m_ChiPaiJunJia = block.addSubview(
        PXTradeViewKit::label({105, y + 5, 73, 40}, "", 16, PXTradeViewKit::valueGrey()));
    addCaption(block, "转让价格:", y, 178, 80);
    m_zhuanRangJiaGe = block.addSubview(
        PXTradeViewKit::label({255, y + 5, 65, 40}, "", 16, PXTradeViewKit::valueGrey()));

    const double spreadY = 3 * kRowHeight;
    m_dianChaButton = addCheckBox(block, spreadY);
    m_dianChaButton->addTarget(TouchUpInside, [this](Control&) { dianChaButtonActionSJPC(); });
    addCaption(block, "允许价差", spreadY, 45, 60, 14);
    m_dianChaField = addField(block, {105, spreadY + 5, 75, 40}, kSpreadTag, true);

    const double reverseY = 4 * kRowHeight;
    m_fanXiangJCButton = addCheckBox(block, reverseY);
    m_fanXiangJCButton->addTarget(TouchUpInside,
                                  [this](Control&) { fanXiangJianCangButtonAction(); });
    addCaption(block, "反向摘牌", reverseY, 45, 60, 14);
    // The box stays while the field and its range wait for the tick.
    addFieldFrame(block, {105, reverseY + 5, 75, 40});
    m_FXJCShuLiang = addField(block, {105, reverseY + 5, 75, 40}, kReverseTag, true);
    m_FXJCShouShuFanWei = block.addSubview(
        PXTradeViewKit::label({185, reverseY + 5, 135, 40}, "", 12, Color::whiteColor()));
    m_FXJCShouShuFanWei->setAdjustsFontSizeToFitWidth(true);
    PXTradeViewKit::addLine(block, 4 * kRowHeight);
    PXTradeViewKit::addLine(block, 5 * kRowHeight);
    finishForm();
    cleanView();
}

void PXJYShiJiaZhuanRangView::showSpread(bool shown) {
    m_dianChaSign = shown;
    setChecked(*m_dianChaButton, shown);
    m_dianChaField->setAlpha(shown ? 1 : 0);
    if (shown) {
        m_dianChaField->becomeFirstResponder();
    } else {
        m_dianChaField->resignFirstResponder();
    }
}

void PXJYShiJiaZhuanRangView::showReverse(bool shown) {
    m_fanXiangJCSign = shown;
    setChecked(*m_fanXiangJCButton, shown);
    m_FXJCShuLiang->setAlpha(shown ? 1 : 0);
    m_FXJCShouShuFanWei->setAlpha(shown ? 1 : 0);
    if (shown) {
        m_FXJCShuLiang->becomeFirstResponder();
    } else {
        m_FXJCShuLiang->resignFirstResponder();
    }
}

void PXJYShiJiaZhuanRangView::dianChaButtonActionSJPC() {
    showSpread(!m_dianChaSign);
}

void PXJYShiJiaZhuanRangView::fanXiangJianCangButtonAction() {
    showReverse(!m_fanXiangJCSign);
}

void PXJYShiJiaZhuanRangView::cleanView() {
    PXZhuanRangFormView::cleanView();
    m_ChiPaiJunJia->setText("");
    m_zhuanRangJiaGe->setText("");
    m_FXJCShuLiang->setText("");
    showReverse(false);
    m_dianChaField->setText(kDefaultSpread);
    showSpread(false);
}

void PXJYShiJiaZhuanRangView::forgetNumber() {
    PXZhuanRangFormView::forgetNumber();
    m_ChiPaiJunJia->setText(PXTradeFormat::kMissing);
    m_zhuanRangJiaGe->setText(PXTradeFormat::kMissing);
    m_FXJCShouShuFanWei->setText("");
}

void PXJYShiJiaZhuanRangView::askCommodityPicker() {
    if (m_delegate) {
        m_delegate->PXSJPCAddChiCangShangPinListView();
    }
}

void PXJYShiJiaZhuanRangView::askNumberPicker() {
    if (m_delegate) {
        m_delegate->PXSJPCAddChiCangDanHaoListView();
    }
}

void PXJYShiJiaZhuanRangView::askRefill() {
    if (m_delegate) {
        m_delegate->PXSJPCRefreshShiJiaPingCangView();
    }
}

std::vector<TextField*> PXJYShiJiaZhuanRangView::editableFields() const {
    return {shuLiang(), m_dianChaField, m_FXJCShuLiang};
}

std::optional<PXJYShiJiaZhuanRangView::Refusal> PXJYShiJiaZhuanRangView::check(
    const PXTradeCommodity* commodity) const {
    if (auto refusal = checkChoiceAndQuantity()) {
        return Refusal{PXTradeMessage::kTitle, *refusal};
    }
    // Also by holding number: a transfer never goes out at "--" or at no price.
    const std::string price = m_zhuanRangJiaGe->text();
    if (price.empty() || price == PXTradeFormat::kMissing) {
        return Refusal{PXTradeMessage::kTitle, kWrongPrice};
    }
    // Without the commodity's limits and default spread the order cannot be made whole.
    if (!commodity) {
        return Refusal{PXTradeMessage::kTitle, kWrongPrice};
    }
    if (m_dianChaSign) {
        if (!PXTradeFormat::spreadInRange(m_dianChaField->text(), commodity->YHBJDianChaZuiXiaoZhi,
                                          commodity->YHBJDianChaZuiDaZhi)) {
            return Refusal{"点差输入有误", "点差范围(" + commodity->YHBJDianChaZuiXiaoZhi + " ~ " +
                                               commodity->YHBJDianChaZuiDaZhi + ")"};
        }
    }
    if (m_fanXiangJCSign) {
        const int quantity = Text::intValue(m_FXJCShuLiang->text());
        if (quantity <= 0 || quantity < Text::intValue(commodity->DBZuiXiaoKeWeiTuoLiang) ||
            quantity > Text::intValue(commodity->DBZuiDaKeWeiTuoLiang)) {
            return Refusal{PXTradeMessage::kTitle,
                           danHaoOrShangPin() ? "反向下单数量输入有误" : " 反向下单数量输入有误"};
        }
    }
    return std::nullopt;
}

JYDict PXJYShiJiaZhuanRangView::order(const PXTradeCommodity& commodity) const {
    PXTradeModule& trade = PXTradeModule::shared();
    const bool byCommodity = danHaoOrShangPin();
    JYDict order = JYDict::object();
    order["id"] = trade.PXJYPeiZhi().getCurrentDateWith();
    order["userid"] = userId();
    order["sign"] = xiaDanFangXiang();
    order["commodityid"] = commodityCode();
    order["price"] = m_zhuanRangJiaGe->text();
    order["number"] = shuLiang()->text();
    order["tradeType"] = "2";
    order["diff"] = m_dianChaSign ? m_dianChaField->text() : commodity.YHBJDianChaMoRenZhi;
    order["closeMode"] = byCommodity ? "1" : "2";
    order["holdId"] = byCommodity ? std::string() : danHaoID().value_or("");
    order["firmid"] = trade.PXJYData().firmID();
    order["session_id"] = sessionId();
    order["commodityName"] = commodity.commodityName;
    if (m_fanXiangJCSign) {
        order["fanShouJianCangNum"] = m_FXJCShuLiang->text();
    }
    return order;
}

void PXJYShiJiaZhuanRangView::send() {
    const auto record = commodity();
    if (const auto refusal = check(record.get())) {
        PXTradeMessage::show(refusal->title, refusal->message);
        return;
    }
    const JYDict made = order(*record);
    const bool reverse = m_fanXiangJCSign;
    if (m_delegate) {
        m_delegate->PXShiJiaPingCangClick(made, reverse);
    }
    endAllEditing();
}
