#include "trade/quick/PXFastTradeVCZYMS.h"

#include "platform/foundation/Text.h"
#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "trade/common/PXCommodityInformationViewZYMS.h"
#include "trade/common/PXTradeClosingRules.h"
#include "trade/common/PXTradeFormat.h"
#include "trade/common/PXTradeMessage.h"
#include "trade/core/PXTradeData.h"
#include "trade/core/PXTradeModule.h"
#include "trade/core/PXTradePeiZhi.h"
#include "trade/open/PXJianCangRules.h"
#include "trade/quick/PXFastTradeRules.h"
#include "widgets/GlossAlertView.h"

namespace {
const char* const kDelistingTag = "PXZhaiPai";
const char* const kListingTag = "PXGuaPaiJC";
const char* const kOpenOrdersTag = "PXweiTuoChaXun";
constexpr int kPriceTag = 1111;
constexpr int kQuantityTag = 1112;
}  // namespace

PXFastTradeViewController::Layout PXFastTradeVCZYMS::layout(bool fourInch) const {
    return {24, 125, fourInch ? 320.0 : 265.0, 3};
}

void PXFastTradeVCZYMS::buildRows(View& background, bool four) {
    m_board = background.addSubview(
        std::make_unique<PXCommodityInformationViewZYMS>(Rect{0, 0, 320, 110}));
    const double y1 = four ? 175 : 159;
    const double y2 = four ? y1 + 50 : y1 + 37;
    const double y3 = four ? y2 + 45 : y2 + 35;
    addRowLabel(background, {15, 125, 75, 30}, "交易账户:");
    addRowLabel(background, {15, y1, 75, 30}, "方      式:");
    addSideButtons(background, four ? y1 - 5 : y1, four ? 40 : 32);
    addRowLabel(background, {15, y2, 75, 30}, "价     格:");
    m_jiaGeTextField = addField(background, {100, y2, 90, 30}, kPriceTag, "");
    addRowLabel(background, {15, y3, 75, 30}, "摘 牌 数:");
    setShuLiangTextField(addField(background, {100, y3, 90, 30}, kQuantityTag, "1"));
    auto range = std::make_unique<Label>(Rect{195, y3, 165, 30});
    range->setFont(Font::named("Helvetica-Bold", 14));
    range->setTextColor(Color::whiteColor());
    setFanWei(background.addSubview(std::move(range)));
}

std::string PXFastTradeVCZYMS::orderTitle() const {
    return XiaDanType() == 1 ? "条件摘牌" : "速转";
}

std::string PXFastTradeVCZYMS::switchTitle() const {
    return XiaDanType() == 1 ? "去速转" : "去条件摘牌";
}

bool PXFastTradeVCZYMS::kindAllowed() const {
    if (XiaDanType() == 1 && isCuoHeCommodity()) {
        PXTradeMessage::show(kRefusedCommodity);
        return false;
    }
    return true;
}

void PXFastTradeVCZYMS::commodityMatched() {
    if (isShown()) {
        getWeiTuoDanInfo(commodityCode());
    }
}

// The range is redrawn by the fill that follows.
void PXFastTradeVCZYMS::panelShown() {
    if (isShown() && !commodityCode().empty()) {
        m_openOrders.show([this] { getWeiTuoDanInfo(commodityCode()); }, [] {});
    }
}

void PXFastTradeVCZYMS::queryFailed(const PXTradeNetworkManger& manager) {
    m_openOrders.failed(manager);
}

void PXFastTradeVCZYMS::getWeiTuoDanInfo(const std::string& code) {
    const JYDict query = PXJianCangRules::openOrdersQuery(trade().PXJYPeiZhi().getCurrentDateWith(),
                                                          userName(), sessionId(), code);
    auto manager = newManager();
    m_openOrders.began(*manager);
    manager->weiTuoDanChaXun(query);
    busy().began(manager.get());
}

void PXFastTradeVCZYMS::fillPanel() {
    // Another account logged in meanwhile: the range is its open orders' and holdings'.
    if (m_openOrders.askedUnderAnotherLogon() && isShown()) {
        getWeiTuoDanInfo(commodityCode());
    }
    const PXTradeData& store = trade().PXJYData();
    m_board->fill(store, commodityCode());
    if (XiaDanType() == 2) {
        fanWei()->setText(PXFastTradeRules::transferRangeText(
            PXFastTradeRules::holdingsOf(store.chiCangHuiZongXinXi(), commodityCode()),
            XiaDan_FangXiang()));
        return;
    }
    const auto commodity = tradeCommodity();
    if (!commodity) {
        fanWei()->setText(PXTradeClosingRules::freeRangeText(0));
        return;
    }
    // No range while the open orders are unknown: the order waits for them.
    if (!m_openOrders.known()) {
        fanWei()->setText("");
        return;
    }
    const int held = PXJianCangRules::heldLots(store.chiCangHuiZongXinXi(), commodityCode());
    fanWei()->setText(PXJianCangRules::orderBookRangeText(*commodity, held, m_openOrders.lots()));
}

bool PXFastTradeVCZYMS::isPriceField(const TextField& field) const {
    return field.tag() == kPriceTag;
}

void PXFastTradeVCZYMS::sendOrder() {
    if (XiaDanType() == 1 && !m_openOrders.known()) {
        m_openOrders.wanted([this] { getWeiTuoDanInfo(commodityCode()); });
        PXTradeMessage::show(PXJianCangRules::kNoRange);
        return;
    }
    const std::string& price = m_jiaGeTextField->text();
    if (price.empty()) {
        PXTradeMessage::show(PXFastTradeRules::kWrongPrice);
        return;
    }
    const int quantity = Text::intValue(shuLiangTextField()->text());
    if (quantity < 1 || !PXTradeFormat::quantityInRange(quantity, fanWei()->text())) {
        PXTradeMessage::show(PXFastTradeRules::kWrongQuantity);
        return;
    }
    // "0" or "0." would trade at nothing.
    if (!PXTradeClosingRules::isPriceSet(price)) {
        PXTradeMessage::show(PXFastTradeRules::kWrongPrice);
        return;
    }
    m_postDict = orderRequest();
    trade().synchronizeDefaults();
    if (trade().defaultString("prompt") != "1") {
        fastXiaDanButtonClick();
        return;
    }
    auto alert = std::make_unique<GlossAlertView>(
        "提示",
        PXFastTradeRules::confirmationText(commodityName(), price, shuLiangTextField()->text(),
                                           XiaDanType(), XiaDan_FangXiang()),
        this, "确定", std::vector<std::string>{"取消"});
    alert->setStyle(GlossAlertView::kStyleAllWhite);
    AlertView::show(std::move(alert));
}

void PXFastTradeVCZYMS::alertViewClickedButtonAtIndex(AlertView&, int buttonIndex) {
    if (buttonIndex == 0) {
        fastXiaDanButtonClick();
    }
}

JYDict PXFastTradeVCZYMS::orderRequest() const {
    const bool delisting = XiaDanType() == 1;
    JYDict request = JYDict::object();
    request["id"] = trade().PXJYPeiZhi().getCurrentDateWith();
    request["name"] = delisting ? "order_mp" : "order_list";
    request["USER_ID"] = userName();
    request["BUY_SELL"] = std::to_string(XiaDan_FangXiang());
    request["COMMODITY_ID"] = commodityCode();
    request["PRICE"] = m_jiaGeTextField->text();
    request["QTY"] = shuLiangTextField()->text();
    request["SETTLE_BASIS"] = delisting ? "1" : "2";
    if (delisting) {
        request["ISLIST"] = "0";
    } else {
        request["LIST_ID"] = "";
    }
    request["CLOSEMODE"] = "1";
    request["HOLDING_ID"] = "";
    request["SESSION_ID"] = sessionId();
    request["A_N"] = "";
    request["P_P"] = "";
    if (!delisting) {
        request["LIST_PICK"] = "1";
        request["P_F"] = isCuoHeCommodity() ? "1" : "2";
    }
    return request;
}

void PXFastTradeVCZYMS::fastXiaDanButtonClick() {
    if (isOrderOutstanding()) {
        return;
    }
    auto manager = newManager();
    beginOrder(*manager);
    if (XiaDanType() == 1) {
        manager->sendZhaiPaiJianCangRequest(m_postDict);
    } else {
        manager->sendGuaPaiJianCangRequest(m_postDict);
    }
}

bool PXFastTradeVCZYMS::isOrderTag(const std::string& typeNW) const {
    return typeNW == kDelistingTag || typeNW == kListingTag;
}

bool PXFastTradeVCZYMS::handleReply(PXTradeNetworkManger& manager, const PXTradeResult* data) {
    if (manager.typeNW() != kOpenOrdersTag) {
        return false;
    }
    busy().ended(&manager);
    // Only orders still open hold lots back; cancelled and done ones free theirs. An earlier
    // query's reply counts nothing.
    if (m_openOrders.answered(manager, data)) {
        setAllObjectForTradeView();
    }
    return true;
}
