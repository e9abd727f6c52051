#include "sim/trade/SimTradeOrders.h"

#include <algorithm>
#include <cmath>
#include <set>

namespace {
constexpr int kMarketDeal = 1;
constexpr int kSystemDeal = 3;
constexpr int kConditionalDeal = 6;
// Listing prices may lie this far from the previous settlement, in per cent.
constexpr int64_t kLimitPercent = 10;
const char* const kNoLivePrice = "暂无行情";
// The refusals of a price off the grid: quote-mode prices move by ticks, listings by quote units.
const char* const kOffTickGrid = "价格不是最小变动价位的整数倍";
const char* const kOffQuoteUnitGrid = "价格不是最小报价单位的整数倍";
}  // namespace

std::optional<SimUnits> SimTradeOrders::stopOf(const std::string& text,
                                               const SimTradeCommodity& commodity) const {
    if (text.empty() || simNumber(text) == 0.0) {
        return SimUnits{0};
    }
    return simUnits(text, commodity);
}

std::string SimTradeOrders::firmOf(const std::string& account) const {
    auto found = m_state.accounts.find(account);
    return found == m_state.accounts.end() ? std::string() : found->second.seed.firmId;
}

std::string SimTradeOrders::parseOrder(const SimJson& request, Parsed& out) const {
    out.commodity = m_state.commodity(simText(request, "COMMODITY_ID"));
    if (!out.commodity) {
        return "商品不存在";
    }
    const std::string side = simText(request, "BUY_SELL");
    if (side != "1" && side != "2") {
        return "买卖方向错误";
    }
    out.side = side == "1" ? 1 : 2;
    auto qty = simInteger(simText(request, "QTY"));
    if (!qty || *qty < out.commodity->minLots || *qty > out.commodity->maxLots) {
        return "委托数量超出范围";
    }
    out.qty = static_cast<int>(*qty);
    out.price = simUnits(simText(request, "PRICE"), *out.commodity).value_or(0);
    return {};
}

int SimTradeOrders::heldLots(const std::string& account, const std::string& commodity) const {
    int lots = 0;
    for (const auto& item : m_state.accounts.at(account).holdings) {
        if (item.commodity == commodity) {
            lots += item.qty;
        }
    }
    return lots;
}

int SimTradeOrders::openOrderLots(const std::string& account, const std::string& commodity) const {
    int lots = 0;
    const SimTradeAccount& owner = m_state.accounts.at(account);
    // Every open order counts, transfer listings too, as the client's ranges count them.
    for (size_t at : owner.openOrders) {
        const SimTradeOrder& item = owner.orders[at];
        if (item.commodity == commodity) {
            lots += item.rest();
        }
    }
    return lots;
}

int SimTradeOrders::freeLots(const std::string& account, const std::string& commodity, int side,
                             int64_t holdingId) const {
    int lots = 0;
    for (const auto& item : m_state.accounts.at(account).holdings) {
        if (item.commodity == commodity && item.side == side &&
            (holdingId == 0 || item.id == holdingId)) {
            lots += item.qty - item.frozen;
        }
    }
    return lots;
}

std::string SimTradeOrders::checkOpen(const std::string& account, const Parsed& order) const {
    const SimTradeCommodity& item = *order.commodity;
    if (heldLots(account, item.code()) + openOrderLots(account, item.code()) + order.qty >
        item.maxHolding) {
        return "超出最大持仓量";
    }
    const SimCents needed =
        item.marginPerLot(order.price) * order.qty + item.fee(order.price, order.qty);
    if (needed > m_state.available(account)) {
        return "可用资金不足";
    }
    return {};
}

std::string SimTradeOrders::parseQuoteOrder(const SimJson& request, Parsed& out) const {
    if (auto error = parseOrder(request, out); !error.empty()) {
        return error;
    }
    return out.commodity->orderBook() ? "该商品为挂牌交易,请摘牌或挂牌" : "";
}

std::string SimTradeOrders::parseBookOrder(const SimJson& request, Parsed& out) const {
    if (auto error = parseOrder(request, out); !error.empty()) {
        return error;
    }
    if (!out.commodity->orderBook()) {
        return "该商品不是挂牌交易商品";
    }
    return checkListingPrice(out);
}

std::string SimTradeOrders::checkListingPrice(const Parsed& order) const {
    const SimTradeCommodity& item = *order.commodity;
    if (order.price <= 0) {
        return kOffQuoteUnitGrid;
    }
    auto live = m_state.prices(item);
    if (!live) {
        return kNoLivePrice;
    }
    if (order.price * 100 > live->yesterdayClose * (100 + kLimitPercent) ||
        order.price * 100 < live->yesterdayClose * (100 - kLimitPercent)) {
        return "价格超出涨跌停板";
    }
    return {};
}

SimTradeDeal SimTradeOrders::dealOf(const SimTradeHolding& holding, int64_t dealNo, int qty,
                                    SimUnits price, int kind, int64_t orderNo,
                                    const std::string& otherFirm) const {
    SimTradeDeal deal;
    deal.no = dealNo;
    deal.orderNo = orderNo;
    deal.account = holding.account;
    deal.commodity = holding.commodity;
    deal.price = price;
    deal.openPrice = holding.price;
    deal.holdPrice = holding.price;
    deal.qty = qty;
    deal.openTime = holding.openTime;
    deal.openDealNo = holding.dealNo;
    deal.holdingNo = holding.id;
    deal.time = m_state.now();
    deal.kind = kind;
    deal.otherFirm = otherFirm;
    return deal;
}

void SimTradeOrders::openHolding(const std::string& account, const SimTradeCommodity& commodity,
                                 int side, int qty, SimUnits price, int kind, int64_t orderNo,
                                 const std::string& otherFirm, SimUnits stopLoss,
                                 SimUnits stopProfit) {
    SimTradeHolding holding;
    holding.dealNo = m_state.number();
    holding.id = m_state.number();
    holding.account = account;
    holding.commodity = commodity.code();
    holding.side = side;
    holding.openQty = qty;
    holding.qty = qty;
    holding.price = price;
    holding.openTime = m_state.now();
    holding.marginPerLot = commodity.marginPerLot(price);
    holding.fee = commodity.fee(price, qty);
    holding.stopLoss = stopLoss;
    holding.stopProfit = stopProfit;
    holding.stopsTime = holding.openTime;
    holding.otherFirm = otherFirm;
    m_state.addHolding(holding);

    SimTradeDeal deal = dealOf(holding, holding.dealNo, qty, price, kind, orderNo, otherFirm);
    deal.side = side;
    deal.settle = 1;
    deal.fee = holding.fee;
    m_state.addDeal(deal);
    m_state.addFlow(account, "手续费", -holding.fee, "FEE");
}

void SimTradeOrders::closeLots(SimTradeHolding& holding, int qty, SimUnits price, int kind,
                               int64_t orderNo, const std::string& otherFirm) {
    const SimTradeCommodity& commodity = *m_state.commodity(holding.commodity);
    SimTradeDeal deal = dealOf(holding, m_state.number(), qty, price, kind, orderNo, otherFirm);
    deal.side = 3 - holding.side;
    deal.settle = 2;
    deal.profit = m_state.profitAt(holding, price, qty);
    deal.fee = commodity.fee(price, qty);
    m_state.addDeal(deal);
    holding.qty -= qty;
    m_state.addFlow(holding.account, "平仓盈亏", deal.profit, "CPL");
    m_state.addFlow(holding.account, "手续费", -deal.fee, "FEE");
}

void SimTradeOrders::closeMany(const std::string& account, const std::string& commodity, int side,
                               int qty, int64_t holdingId, bool frozenOnly, SimUnits price,
                               int kind, int64_t orderNo, const std::string& otherFirm) {
    SimTradeAccount& owner = m_state.accounts.at(account);
    for (auto& item : owner.holdings) {
        if (qty == 0) {
            break;
        }
        if (item.commodity != commodity || item.side != side ||
            (holdingId != 0 && item.id != holdingId)) {
            continue;
        }
        const int usable = frozenOnly ? item.frozen : item.qty - item.frozen;
        const int lots = std::min(qty, usable);
        if (lots <= 0) {
            continue;
        }
        if (frozenOnly) {
            item.frozen -= lots;
        }
        closeLots(item, lots, price, kind, orderNo, otherFirm);
        qty -= lots;
    }
    m_state.removeEmptyHoldings(owner);
}

SimJson SimTradeOrders::marketOrder(const std::string& account, const SimJson& request) {
    Parsed order;
    if (auto error = parseQuoteOrder(request, order); !error.empty()) {
        return simReply(kSimRefused, error);
    }
    const SimTradeCommodity& item = *order.commodity;
    auto live = m_state.prices(item);
    if (!live) {
        return simReply(kSimRefused, kNoLivePrice);
    }
    const SimUnits fill = SimTradeState::orderPrice(*live, order.side);
    auto ticks = simNumber(simText(request, "DOT_DIFF"));
    const bool priced = !simText(request, "PRICE").empty();
    if (priced && ticks && order.price == 0) {
        return simReply(kSimRefused, kOffTickGrid);
    }
    if (priced && ticks && *ticks < 0) {
        return simReply(kSimBadRequest, "委托价格或点差错误");
    }
    if (priced && ticks && static_cast<double>(std::llabs(fill - order.price)) > *ticks + 1e-9) {
        return simReply(kSimRefused, "价格已变动,超出可接受点差");
    }
    const std::string settle = simText(request, "SETTLE_BASIS");
    const int64_t orderNo = m_state.number();
    if (settle == "1") {
        order.price = fill;
        if (auto error = checkOpen(account, order); !error.empty()) {
            return simReply(kSimNoFunds, error);
        }
        openHolding(account, item, order.side, order.qty, fill, kMarketDeal, orderNo,
                    simText(request, "OTHER_ID"));
        return simReply(0, "下单成功");
    }
    if (settle != "2") {
        return simReply(kSimBadRequest, "建仓/转让标志错误");
    }
    int64_t holdingId = 0;
    if (simText(request, "CLOSEMODE") == "2") {
        holdingId = simInteger(simText(request, "HOLDING_ID")).value_or(-1);
        const SimTradeHolding* held = m_state.accounts.at(account).holding(holdingId);
        if (!held || held->commodity != item.code() || held->side != 3 - order.side) {
            return simReply(kSimNotFound, "持仓单不存在");
        }
    }
    if (freeLots(account, item.code(), 3 - order.side, holdingId) < order.qty) {
        return simReply(kSimRefused, "可转让数量不足");
    }
    closeMany(account, item.code(), 3 - order.side, order.qty, holdingId, false, fill, kMarketDeal,
              orderNo, simText(request, "OTHER_ID"));
    return simReply(0, "下单成功");
}

SimJson SimTradeOrders::conditionalOrder(const std::string& account, const SimJson& request) {
    Parsed order;
    if (auto error = parseQuoteOrder(request, order); !error.empty()) {
        return simReply(kSimRefused, error);
    }
    const SimTradeCommodity& item = *order.commodity;
    const auto loss = stopOf(simText(request, "STOP_LOSS"), item);
    const auto profit = stopOf(simText(request, "STOP_PROFIT"), item);
    if (order.price <= 0 || !loss || !profit) {
        return simReply(kSimRefused, kOffTickGrid);
    }
    auto live = m_state.prices(item);
    if (!live) {
        return simReply(kSimRefused, kNoLivePrice);
    }
    if (auto error = checkOpen(account, order); !error.empty()) {
        return simReply(kSimNoFunds, error);
    }
    SimTradeOrder placed;
    placed.no = m_state.number();
    placed.account = account;
    placed.firm = firmOf(account);
    placed.counterparty = simText(request, "OTHER_ID");
    placed.commodity = item.code();
    placed.side = order.side;
    placed.kind = 1;
    placed.price = order.price;
    placed.rising = order.price > SimTradeState::orderPrice(*live, order.side);
    placed.qty = order.qty;
    placed.stopLoss = *loss;
    placed.stopProfit = *profit;
    placed.time = m_state.now();
    refreeze(placed);
    m_state.addOrder(placed);
    return simReply(0, "委托成功");
}

void SimTradeOrders::refreeze(SimTradeOrder& order) {
    const SimTradeCommodity* item = m_state.commodity(order.commodity);
    const bool holdsFunds = order.open() && order.settle == 1 && !order.account.empty();
    const int lots = holdsFunds ? order.rest() : 0;
    order.frozenMargin = item->marginPerLot(order.price) * lots;
    order.frozenFee = item->fee(order.price, lots);
    m_state.orderChanged(order);
}

SimJson SimTradeOrders::setLossProfit(const std::string& account, const SimJson& request) {
    SimTradeHolding* held =
        m_state.accounts.at(account).holding(simInteger(simText(request, "H_ID")).value_or(-1));
    if (!held || held->commodity != simText(request, "COMMODITY_ID")) {
        return simReply(kSimNotFound, "持仓单不存在");
    }
    const SimTradeCommodity& item = *m_state.commodity(held->commodity);
    const auto stopLoss = stopOf(simText(request, "STOP_LOSS"), item);
    const auto stopProfit = stopOf(simText(request, "STOP_PROFIT"), item);
    if (!stopLoss || !stopProfit) {
        return simReply(kSimRefused, kOffTickGrid);
    }
    const SimUnits loss = *stopLoss;
    const SimUnits profit = *stopProfit;
    if (loss == 0 && profit == 0) {
        return simReply(kSimRefused, "请输入止损价或止盈价");
    }
    auto live = m_state.prices(item);
    if (!live) {
        return simReply(kSimRefused, kNoLivePrice);
    }
    const SimUnits price = SimTradeState::closePrice(*live, item, held->side);
    const int64_t sign = held->side == 1 ? 1 : -1;
    if (loss != 0 && (price - loss) * sign < item.stopTicks) {
        return simReply(kSimRefused, "止损价设置不合理");
    }
    if (profit != 0 && (profit - price) * sign < item.stopTicks) {
        return simReply(kSimRefused, "止盈价设置不合理");
    }
    m_state.setStops(*held, loss, profit);
    return simReply(0, "设置成功");
}

SimJson SimTradeOrders::withdrawLossProfit(const std::string& account, const SimJson& request) {
    SimTradeHolding* held =
        m_state.accounts.at(account).holding(simInteger(simText(request, "H_ID")).value_or(-1));
    if (!held) {
        return simReply(kSimNotFound, "持仓单不存在");
    }
    const std::string type = simText(request, "TYPE");
    if (type == "1" && held->stopLoss > 0) {
        m_state.setStops(*held, 0, held->stopProfit);
    } else if (type == "2" && held->stopProfit > 0) {
        m_state.setStops(*held, held->stopLoss, 0);
    } else {
        return simReply(kSimNotFound, "没有可撤销的止损止盈");
    }
    return simReply(0, "撤销成功");
}

SimJson SimTradeOrders::cancel(const std::string& account, const SimJson& request, bool listing) {
    SimTradeOrder* order =
        m_state.accounts.at(account).order(simInteger(simText(request, "ORDER_NO")).value_or(-1));
    if (!order || (order->kind == 2) != listing) {
        return simReply(kSimNotFound, "订单不存在");
    }
    if (!order->open()) {
        return simReply(kSimRefused, "订单已成交或已撤销");
    }
    withdraw(*order);
    return simReply(0, "撤单成功");
}

void SimTradeOrders::withdraw(SimTradeOrder& order) {
    if (order.settle == 2) {
        freezeLots(order, order.rest(), false);
    }
    order.status = order.traded > 0 ? 5 : 3;
    refreeze(order);
    if (order.kind == 2) {
        m_state.touchListings(order.side);
    }
}

void SimTradeOrders::freezeLots(SimTradeOrder& listing, int qty, bool freeze) {
    for (auto& item : m_state.accounts.at(listing.account).holdings) {
        if (qty == 0) {
            return;
        }
        if (item.commodity != listing.commodity || item.side != 3 - listing.side ||
            (listing.holdingId != 0 && item.id != listing.holdingId)) {
            continue;
        }
        const int lots = std::min(qty, freeze ? item.qty - item.frozen : item.frozen);
        item.frozen += freeze ? lots : -lots;
        qty -= lots;
    }
}

SimJson SimTradeOrders::list(const std::string& account, const SimJson& request) {
    Parsed order;
    if (auto error = parseBookOrder(request, order); !error.empty()) {
        return simReply(kSimRefused, error);
    }
    SimTradeOrder listing;
    listing.settle = simText(request, "SETTLE_BASIS") == "2" ? 2 : 1;
    if (listing.settle == 1) {
        if (auto error = checkOpen(account, order); !error.empty()) {
            return simReply(kSimNoFunds, error);
        }
    } else {
        listing.closeMode = simText(request, "CLOSEMODE") == "2" ? 2 : 1;
        if (listing.closeMode == 2) {
            listing.holdingId = simInteger(simText(request, "HOLDING_ID")).value_or(-1);
        }
        if (freeLots(account, order.commodity->code(), 3 - order.side, listing.holdingId) <
            order.qty) {
            return simReply(kSimRefused, "可转让数量不足");
        }
    }
    listing.no = m_state.number();
    listing.account = account;
    listing.firm = firmOf(account);
    listing.commodity = order.commodity->code();
    listing.side = order.side;
    listing.kind = 2;
    listing.price = order.price;
    listing.qty = order.qty;
    listing.autoDelist = simText(request, "P_F") == "1" ? "1" : "2";
    listing.time = m_state.now();
    if (listing.settle == 2) {
        freezeLots(listing, listing.qty, true);
    }
    refreeze(listing);
    m_state.addOrder(listing);
    m_state.touchListings(listing.side);
    if (listing.autoDelist == "1") {
        const int lots = matchListings(account, listing.firm, order, listing.no);
        SimTradeOrder& placed = *m_state.accounts.at(account).order(listing.no);
        if (lots > 0) {
            fillListing(placed, lots);
        }
    }
    return simReply(0, "挂牌成功");
}

SimJson SimTradeOrders::delist(const std::string& account, const SimJson& request) {
    Parsed order;
    if (auto error = parseBookOrder(request, order); !error.empty()) {
        return simReply(kSimRefused, error);
    }
    if (auto error = checkOpen(account, order); !error.empty()) {
        return simReply(kSimNoFunds, error);
    }
    const int64_t orderNo = m_state.number();
    const int taken = matchListings(account, firmOf(account), order, orderNo);
    const int rest = order.qty - taken;
    if (rest > 0 && simText(request, "ISLIST") == "1") {
        SimTradeOrder listing;
        listing.no = orderNo;
        listing.account = account;
        listing.firm = firmOf(account);
        listing.commodity = order.commodity->code();
        listing.side = order.side;
        listing.kind = 2;
        listing.price = order.price;
        listing.qty = order.qty;
        listing.traded = taken;
        listing.status = taken > 0 ? 4 : 1;
        listing.time = m_state.now();
        refreeze(listing);
        m_state.addOrder(listing);
        m_state.touchListings(listing.side);
        return simReply(0, "摘牌成功,剩余数量已挂牌");
    }
    if (taken == 0) {
        return simReply(kSimRefused, "没有可摘的挂牌");
    }
    return simReply(0, rest > 0 ? "部分摘牌成功" : "摘牌成功");
}

int SimTradeOrders::matchListings(const std::string& account, const std::string& firm,
                                  const Parsed& order, int64_t orderNo) {
    std::vector<SimTradeOrder*> candidates;
    for (const auto& [no, owner] : m_state.openListings) {
        SimTradeOrder& item = *m_state.owner(owner).order(no);
        const bool priced = order.side == 1 ? item.price <= order.price : item.price >= order.price;
        if (item.kind == 2 && item.open() && item.side != order.side &&
            item.commodity == order.commodity->code() && item.account != account && priced &&
            item.no != orderNo) {
            candidates.push_back(&item);
        }
    }
    std::stable_sort(candidates.begin(), candidates.end(), [&](auto* a, auto* b) {
        return order.side == 1 ? a->price < b->price : a->price > b->price;
    });
    int taken = 0;
    for (SimTradeOrder* listing : candidates) {
        const int lots = std::min(order.qty - taken, listing->rest());
        if (lots <= 0) {
            break;
        }
        openHolding(account, *order.commodity, order.side, lots, listing->price, kMarketDeal,
                    orderNo, listing->firm);
        const std::string otherFirm = firm;
        if (!listing->account.empty() && listing->settle == 1) {
            openHolding(listing->account, *order.commodity, listing->side, lots, listing->price,
                        kMarketDeal, listing->no, otherFirm);
        } else if (!listing->account.empty()) {
            closeMany(listing->account, listing->commodity, 3 - listing->side, lots,
                      listing->holdingId, true, listing->price, kMarketDeal, listing->no,
                      otherFirm);
        }
        fillListing(*listing, lots);
        taken += lots;
    }
    return taken;
}

void SimTradeOrders::fillListing(SimTradeOrder& listing, int lots) {
    listing.traded += lots;
    listing.status = listing.rest() == 0 ? 2 : 4;
    refreeze(listing);
    m_state.touchListings(listing.side);
}

bool SimTradeOrders::listForFirm(const std::string& firm, const std::string& commodity, int side,
                                 SimUnits price, int qty) {
    Parsed order;
    order.commodity = m_state.commodity(commodity);
    order.side = side;
    order.qty = qty;
    order.price = price;
    if (!order.commodity || !order.commodity->orderBook() || (side != 1 && side != 2) || qty <= 0 ||
        !checkListingPrice(order).empty()) {
        return false;
    }
    SimTradeOrder listing;
    listing.no = m_state.number();
    listing.firm = firm;
    listing.commodity = commodity;
    listing.side = side;
    listing.kind = 2;
    listing.price = price;
    listing.qty = qty;
    listing.time = m_state.now();
    m_state.addOrder(listing);
    m_state.touchListings(side);
    return true;
}

bool SimTradeOrders::closeElsewhere(const std::string& account, int64_t holdingId) {
    auto found = m_state.accounts.find(account);
    SimTradeHolding* held =
        found != m_state.accounts.end() ? found->second.holding(holdingId) : nullptr;
    const SimTradeCommodity* item = held ? m_state.commodity(held->commodity) : nullptr;
    auto live = item ? m_state.prices(*item) : std::nullopt;
    if (!live || held->qty - held->frozen <= 0) {
        return false;
    }
    const int side = held->side;
    closeMany(account, item->code(), side, held->qty - held->frozen, holdingId, false,
              SimTradeState::orderPrice(*live, 3 - side), kMarketDeal, m_state.number(), "");
    return true;
}

bool SimTradeOrders::takeListing(int64_t no, const std::string& firm) {
    auto open = m_state.openListings.find(no);
    SimTradeOrder* listing =
        open != m_state.openListings.end() ? m_state.owner(open->second).order(no) : nullptr;
    const SimTradeCommodity* item = listing ? m_state.commodity(listing->commodity) : nullptr;
    if (!item || !listing->open()) {
        return false;
    }
    const int lots = listing->rest();
    if (!listing->account.empty() && listing->settle == 1) {
        openHolding(listing->account, *item, listing->side, lots, listing->price, kMarketDeal,
                    listing->no, firm);
    } else if (!listing->account.empty()) {
        closeMany(listing->account, listing->commodity, 3 - listing->side, lots, listing->holdingId,
                  true, listing->price, kMarketDeal, listing->no, firm);
    }
    fillListing(*listing, lots);
    return true;
}

void SimTradeOrders::seedHolding(const std::string& account, const std::string& commodity, int side,
                                 int qty) {
    const SimTradeCommodity* item = m_state.commodity(commodity);
    auto live = item ? m_state.prices(*item) : std::nullopt;
    if (live) {
        openHolding(account, *item, side, qty, SimTradeState::orderPrice(*live, side), kMarketDeal,
                    m_state.number(), "");
    }
}

void SimTradeOrders::sweep() {
    if (m_state.dayEnded()) {
        endDay();
    }
    for (const auto& [no, account] : reached(true)) {
        SimTradeOrder* order = m_state.owner(account).order(no);
        if (order && order->open()) {
            sweepOrder(*order);
        }
    }
    sweepStops();
}

std::vector<std::pair<int64_t, std::string>> SimTradeOrders::reached(bool orders) const {
    std::vector<std::pair<int64_t, std::string>> found;
    for (const auto& entry : m_state.reached()) {
        if ((entry.kind == SimTradeWatchKind::Order) == orders) {
            found.emplace_back(entry.id, entry.account);
        }
    }
    // In the order they were placed or opened; a holding may reach both its stops.
    std::sort(found.begin(), found.end());
    found.erase(std::unique(found.begin(), found.end()), found.end());
    return found;
}

void SimTradeOrders::sweepOrder(SimTradeOrder& order) {
    const SimTradeCommodity* item = m_state.commodity(order.commodity);
    auto live = m_state.prices(*item);
    if (!live) {
        return;
    }
    const SimUnits market = SimTradeState::orderPrice(*live, order.side);
    const bool reached = order.rising ? market >= order.price : market <= order.price;
    if (!reached) {
        return;
    }
    const int lots = order.rest();
    order.traded = order.qty;
    order.status = 2;
    refreeze(order);
    const int64_t no = order.no;
    const std::string account = order.account;
    const int side = order.side;
    const int64_t placed = order.time;
    const SimUnits loss = order.stopLoss;
    const SimUnits profit = order.stopProfit;
    const std::string counterparty = order.counterparty;
    // Dealt at the market of its side, as a market order would be now: never worse for the
    // customer than the market, whichever side of it the order waited on.
    openHolding(account, *item, side, lots, market, kConditionalDeal, no, counterparty, loss,
                profit);
    markTriggered(account, market, placed);
}

void SimTradeOrders::markTriggered(const std::string& account, SimUnits market, int64_t placed) {
    SimTradeDeal& deal = m_state.accounts.at(account).deals.back();
    deal.market = market;
    deal.placed = placed;
}

void SimTradeOrders::endDay() {
    const int64_t today = m_state.today();
    for (auto& [name, owner] : m_state.accounts) {
        std::vector<size_t> open(owner.openOrders.begin(), owner.openOrders.end());
        for (size_t at : open) {
            if (m_state.dayOf(owner.orders[at].time) < today) {
                withdraw(owner.orders[at]);
            }
        }
        for (auto& held : owner.holdings) {
            const bool stops = held.stopLoss > 0 || held.stopProfit > 0;
            if (stops && m_state.dayOf(held.stopsTime) < today) {
                m_state.setStops(held, 0, 0);
            }
        }
    }
    m_state.oldestWaitingDay = today;
}

void SimTradeOrders::sweepStops() {
    std::set<std::string> touched;
    for (const auto& [id, account] : reached(false)) {
        SimTradeHolding* held = m_state.accounts.at(account).holding(id);
        const SimTradeCommodity* item = held ? m_state.commodity(held->commodity) : nullptr;
        auto live = item ? m_state.prices(*item) : std::nullopt;
        if (!live) {
            continue;
        }
        const int lots = held->qty - held->frozen;
        const SimUnits market = SimTradeState::closePrice(*live, *item, held->side);
        if (lots > 0) {
            closeLots(*held, lots, market, kSystemDeal, m_state.number(), "");
            markTriggered(account, market, held->stopsTime);
        }
        m_state.setStops(*held, 0, 0);
        touched.insert(account);
    }
    for (const auto& account : touched) {
        m_state.removeEmptyHoldings(m_state.accounts.at(account));
    }
}
