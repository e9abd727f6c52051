#include "sim/trade/SimTradeQueries.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "sim/core/SimClock.h"
#include "sim/trade/SimTradeNewestFirst.h"

namespace {
constexpr int64_t kDayMs = 86400000;

std::string num(int64_t value) {
    return std::to_string(value);
}

std::string flag(bool value) {
    return value ? "1" : "0";
}

SimJson yasSteps() {
    SimJson steps = SimJson::array();
    steps.push_back({{"STEP_L", "1"}, {"STEP_V", "5"}, {"YA_V", "0.0002"}});
    steps.push_back({{"STEP_L", "6"}, {"STEP_V", "99999"}, {"YA_V", "0.0004"}});
    return {{"YAS", steps}};
}

SimJson success() {
    return simReply(0, "成功");
}

std::string rate(int64_t perTenThousand) {
    return std::to_string(static_cast<double>(perTenThousand) / 10000.0);
}

// Four decimals, "1.2500" for 12500.
std::string ratio(int64_t perTenThousand) {
    const int64_t whole = std::llabs(perTenThousand);
    char text[64];
    std::snprintf(text, sizeof(text), "%s%lld.%04lld", perTenThousand < 0 ? "-" : "",
                  static_cast<long long>(whole / 10000), static_cast<long long>(whole % 10000));
    return text;
}
}  // namespace

SimJson SimTradeQueries::paged(const std::vector<SimJson>& rows, const SimJson& request,
                               int pageSize) {
    return paged(rows.size(), request, pageSize, [&rows](size_t i) { return rows[i]; });
}

SimJson SimTradeQueries::paged(size_t total, const SimJson& request, int pageSize,
                               const std::function<SimJson(size_t)>& row) {
    const int64_t start = simInteger(simText(request, "STARTNUM")).value_or(0);
    int64_t count = simInteger(simText(request, "RECCNT")).value_or(0);
    if (count <= 0) {
        count = start >= 1 ? pageSize : 0;
    }
    const size_t first = static_cast<size_t>(std::max<int64_t>(start, 1) - 1);
    SimJson page = SimJson::array();
    for (size_t i = first; i < total && (count <= 0 || page.size() < size_t(count)); ++i) {
        page.push_back(row(i));
    }
    SimJson rep = success();
    rep["TTLREC"] = num(static_cast<int64_t>(total));
    rep["RESULTLIST"] = {{"REC", page}};
    return rep;
}

std::string SimTradeQueries::nameOf(const std::string& code) const {
    const SimTradeCommodity* item = m_state.commodity(code);
    return item ? item->def->name : code;
}

int64_t SimTradeQueries::dayStart(int64_t ms) const {
    return SimClock::dayStart(ms, m_state.market->utcOffsetMinutes());
}

std::pair<int64_t, int64_t> SimTradeQueries::dayBounds(const SimJson& request) const {
    auto start = simInteger(simText(request, "ST"));
    auto end = simInteger(simText(request, "ET"));
    return {start && *start > 0 ? dayStart(*start) : std::numeric_limits<int64_t>::min(),
            end && *end > 0 ? dayStart(*end) + kDayMs : std::numeric_limits<int64_t>::max()};
}

bool SimTradeQueries::inDays(int64_t ms, const SimJson& request, const char* from,
                             const char* to) const {
    auto start = simInteger(simText(request, from));
    auto end = simInteger(simText(request, to));
    if (start && *start > 0 && ms < dayStart(*start)) {
        return false;
    }
    return !(end && *end > 0 && ms >= dayStart(*end) + kDayMs);
}

SimJson SimTradeQueries::commodityRecord(const SimTradeCommodity& item, size_t index) const {
    auto live = m_state.prices(item);
    const SimUnits close = live ? live->yesterdayClose : 0;
    const std::string tick = simPrice(1, item);
    const std::string mode = item.orderBook() ? "4" : "1";
    SimJson rec = {{"CO_I", item.code()},
                   {"CO_N", item.def->name},
                   {"STA", "1"},
                   {"CT_S", num(item.unit)},
                   {"SPREAD", tick},
                   {"SP_U", simPrice(close * 110 / 100, item)},
                   {"SP_D", simPrice((close * 90 + 99) / 100, item)},
                   {"MA_A", "1"},
                   {"MA_V", rate(item.marginBp)},
                   {"YA_A", "1"},
                   {"YARS", yasSteps()},
                   {"PR_C", simPrice(close, item)},
                   {"FE_A", "1"},
                   {"FEE_V", rate(item.feeBp)},
                   {"FEE_T", "3"},
                   {"P_MIN_H", num(item.minLots)},
                   {"P_M_H", num(item.maxLots)},
                   {"M_H", num(item.maxHolding)}};
    for (const char* key : {"W_D_T_P", "W_D_S_L_P", "W_D_S_P_P", "B_O_P", "B_X_O_P", "B_L_P",
                            "B_S_L", "B_S_P", "S_O_P", "S_X_O_P", "S_L_P", "S_S_L", "S_S_P",
                            "C_L_B_O", "C_L_B_C", "C_L_C_O", "C_L_C_C"}) {
        rec[key] = flag(true);
    }
    rec["B_P_D_D"] = "0";
    rec["S_P_D_D"] = "0";
    rec["STOP_L_P"] = num(item.stopTicks);
    rec["STOP_P_P"] = num(item.stopTicks);
    rec["X_O_B_D_D"] = "3";
    rec["X_O_S_D_D"] = "3";
    rec["U_O_D_D_MIN"] = "0";
    rec["U_O_D_D_MAX"] = "50";
    rec["U_O_D_D_DF"] = "10";
    rec["ORDER_NUM"] = num(static_cast<int64_t>(index + 1));
    rec["B_J_H"] = "1";
    rec["CON_U"] = "千克";
    rec["SFE_A"] = "1";
    rec["TM_SET"] = "0";
    rec["STM_SET"] = "0";
    rec["BRDID"] = "B" + item.code();
    rec["B_T_M"] = mode;
    rec["TRADEMODE"] = mode;
    rec["MIN_HQ_MOVE"] = tick;
    rec["MA_A_C"] = "1";
    rec["MA_V_C"] = rate(item.marginBp);
    rec["P_MIN_H_C"] = num(item.minLots);
    rec["P_M_H_C"] = num(item.maxLots);
    rec["M_H_C"] = num(item.maxHolding);
    rec["FE_A_C"] = "1";
    rec["FEE_V_C"] = rate(item.feeBp);
    for (const char* key :
         {"G_L_B_O", "G_L_B_C", "G_L_S_O", "G_L_S_C", "Z_L_B_O", "Z_L_B_C", "Z_L_S_O", "Z_L_S_C"}) {
        rec[key] = flag(item.orderBook());
    }
    rec["FS"] = "0";
    return rec;
}

SimJson SimTradeQueries::commodities(const SimJson& request) const {
    const std::string code = simText(request, "COMMODITY_ID");
    std::vector<SimJson> rows;
    for (size_t i = 0; i < m_state.commodities.size(); ++i) {
        const auto& item = m_state.commodities[i];
        if (code.empty() || item.code() == code) {
            rows.push_back(commodityRecord(item, i));
        }
    }
    return paged(rows, SimJson::object(), 0);
}

SimJson SimTradeQueries::otherFirm(const std::string& account) const {
    const SimTradeFirm* firm = m_state.firm(m_state.accounts.at(account).seed.firmId);
    SimJson row = {{"E_M_ID", firm ? firm->id : ""}, {"E_M_N", firm ? firm->name : ""}};
    return paged({row}, SimJson::object(), 0);
}

SimJson SimTradeQueries::holdings(const std::string& account, const SimJson& request) const {
    const std::string code = simText(request, "COMMODITY_ID");
    std::vector<SimJson> rows;
    for (const auto& item : m_state.commodities) {
        if (!code.empty() && item.code() != code) {
            continue;
        }
        for (int side = 1; side <= 2; ++side) {
            int qty = 0, frozen = 0;
            SimUnits cost = 0;
            SimCents floating = 0, margin = 0, fee = 0;
            for (const auto& held : m_state.accounts.at(account).holdings) {
                if (held.commodity != item.code() || held.side != side) {
                    continue;
                }
                qty += held.qty;
                frozen += held.frozen;
                cost += held.price * held.qty;
                floating += m_state.floating(held);
                margin += held.marginPerLot * held.qty;
                fee += held.fee;
            }
            if (qty == 0) {
                continue;
            }
            const std::string average = simPrice(simRoundDiv(cost, qty), item);
            rows.push_back({{"CO_I", item.code()},
                            {"FL_P", simMoney(floating)},
                            {"MAR", simMoney(margin)},
                            {"TY", num(side)},
                            {"QTY", num(qty)},
                            {"O_A", average},
                            {"A_H", average},
                            {"F_QTY", num(frozen)},
                            {"COMM", simMoney(fee)}});
        }
    }
    return paged(rows, request, 0);
}

SimJson SimTradeQueries::holdingDetails(const std::string& account, const SimJson& request) const {
    const std::string code = simText(request, "COMMODITY_ID");
    std::vector<SimJson> rows;
    for (const auto& held : m_state.accounts.at(account).holdings) {
        if (!code.empty() && held.commodity != code) {
            continue;
        }
        const SimTradeCommodity& item = *m_state.commodity(held.commodity);
        rows.push_back(
            {{"H_ID", num(held.id)},
             {"T_N", num(held.dealNo)},
             {"CO_I", held.commodity},
             {"TY", num(held.side)},
             {"O_QTY", num(held.openQty)},
             {"C_QTY", num(held.qty)},
             {"F_QTY", num(held.frozen)},
             {"PR", simPrice(held.price, item)},
             {"H_P", simPrice(held.price, item)},
             {"OR_T", num(held.openTime)},
             {"FL_P", simMoney(m_state.floating(held))},
             {"MAR", simMoney(held.marginPerLot * held.qty)},
             {"COMM", simMoney(held.fee)},
             {"STOP_LOSS", held.stopLoss > 0 ? simPrice(held.stopLoss, item) : "0"},
             {"STOP_PROFIT", held.stopProfit > 0 ? simPrice(held.stopProfit, item) : "0"},
             {"OTHER_ID", held.otherFirm},
             {"CO_ID", ""},
             {"MAR_RATE", rate(item.marginBp)}});
    }
    return paged(rows, request, 0);
}

SimJson SimTradeQueries::firmInfo(const std::string& account) const {
    const SimTradeAccount& owner = m_state.accounts.at(account);
    const SimTradeDay booked = m_state.bookedToday(account);
    SimCents frozenMargin = 0, frozenFee = 0;
    for (size_t at : owner.openOrders) {
        frozenMargin += owner.orders[at].frozenMargin;
        frozenFee += owner.orders[at].frozenFee;
    }
    const SimCents margin = m_state.margin(account);
    const SimCents floating = m_state.floatingSum(account);
    const SimCents equity = owner.balance + floating;
    const SimTradeFirm* firm = m_state.firm(owner.seed.firmId);
    SimJson row = {
        {"FI", account},
        {"FN", owner.seed.name},
        {"IF", "0.00"},
        {"CM", "0.00"},
        {"CF", "0.00"},
        {"CD", "0.00"},
        {"RM", simMoney(margin)},
        {"RF", "0.00"},
        {"OR_F", simMoney(frozenMargin + frozenFee)},
        {"OR_F_M", simMoney(frozenMargin)},
        {"OR_F_F", simMoney(frozenFee)},
        {"OT_F", simMoney(margin + frozenMargin + frozenFee)},
        {"UF", simMoney(m_state.available(account))},
        {"FEE", simMoney(booked.dealFees)},
        {"PL", simMoney(booked.dealProfit)},
        {"EQT", simMoney(owner.balance)},
        {"IOF", simMoney(m_state.flowsToday(account, "IO"))},
        {"HPF", simMoney(floating)},
        {"FUNDS_RISK", margin > 0 ? simMoney(simRoundDiv(equity * 10000, margin)) : "0.00"},
        {"OC", "0.00"},
        {"IB", simMoney(m_state.openingBalance(account))},
        {"SM", "0.00"},
        {"STA", firm && firm->tradeRight ? "0" : "1"},
        {"C_STA", "N"}};
    return paged({row}, SimJson::object(), 0);
}

SimJson SimTradeQueries::orders(const std::string& account, const SimJson& request) const {
    const std::string side = simText(request, "BUY_SELL");
    const std::string code = simText(request, "COMMODITY_ID");
    const std::string kind = simText(request, "OR_TP");
    const std::string status = simText(request, "OR_ST");
    const std::string settle = simText(request, "OR_OC");
    const int64_t since = simInteger(simText(request, "UT")).value_or(0);
    const SimTradeAccount& owner = m_state.accounts.at(account);
    // Orders are kept in the order they were placed, so their times grow along the list.
    const auto from = static_cast<size_t>(
        std::ranges::lower_bound(owner.orders, since, {}, &SimTradeOrder::time) -
        owner.orders.begin());
    std::vector<const std::vector<size_t>*> lists;
    for (const auto& [key, positions] : owner.ordersByKey) {
        if (positions.empty()) {
            continue;
        }
        const SimTradeOrder& kept = owner.orders[positions.front()];
        if ((side.empty() || side == num(kept.side)) && (code.empty() || code == kept.commodity) &&
            (kind.empty() || kind == num(kept.kind)) &&
            (status.empty() || status == num(kept.status)) &&
            (settle.empty() || settle == num(kept.settle))) {
            lists.push_back(&positions);
        }
    }
    SimTradeNewestFirst found(std::move(lists), from);
    return paged(found.size(), request, 0, [&](size_t i) {
        const SimTradeOrder& order = owner.orders[found.at(i)];
        const SimTradeCommodity& item = *m_state.commodity(order.commodity);
        return SimJson(
            {{"OR_N", num(order.no)},
             {"TIME", num(order.time)},
             {"STA", num(order.status)},
             {"TYPE", num(order.side)},
             {"SE_F", num(order.settle)},
             {"O_T", num(order.kind)},
             {"STOP_LOSS", order.stopLoss > 0 ? simPrice(order.stopLoss, item) : "0"},
             {"STOP_PROFIT", order.stopProfit > 0 ? simPrice(order.stopProfit, item) : "0"},
             {"TR_I", account},
             {"FI_I", order.firm},
             {"CO_I", order.commodity},
             {"PRI", simPrice(order.price, item)},
             {"F_MAR", simMoney(order.frozenMargin)},
             {"F_FEE", simMoney(order.frozenFee)},
             {"QTY", num(order.qty)},
             {"T_QTY", num(order.traded)},
             {"WD_T", "0"},
             {"O_F", "1"},
             {"CO_ID", ""},
             {"H_NO", num(order.holdingId)}});
    });
}

SimJson SimTradeQueries::deals(const std::string& account, const SimJson& request) const {
    const std::string side = simText(request, "BUY_SELL");
    const std::string code = simText(request, "COMMODITY_ID");
    const std::string settle = simText(request, "OR_OC");
    const int64_t after = simInteger(simText(request, "LAST_TRADE_ID")).value_or(0);
    const SimTradeAccount& owner = m_state.accounts.at(account);
    // Deal numbers grow in booking order: the deals after LAST_TRADE_ID are the newest.
    const auto from = static_cast<size_t>(
        std::ranges::upper_bound(owner.deals, after, {}, &SimTradeDeal::no) - owner.deals.begin());
    std::vector<const std::vector<size_t>*> lists;
    for (const auto& [key, positions] : owner.dealsByKey) {
        const SimTradeDeal& kept = owner.deals[positions.front()];
        if ((side.empty() || side == num(kept.side)) && (code.empty() || code == kept.commodity) &&
            (settle.empty() || settle == num(kept.settle))) {
            lists.push_back(&positions);
        }
    }
    SimTradeNewestFirst found(std::move(lists), from);
    return paged(found.size(), request, kDealPageSize, [&](size_t i) {
        const SimTradeDeal& deal = owner.deals[found.at(i)];
        const SimTradeCommodity& item = *m_state.commodity(deal.commodity);
        return SimJson({{"TR_N", num(deal.no)},
                        {"OR_N", num(deal.orderNo)},
                        {"TI", num(deal.time)},
                        {"TY", num(deal.side)},
                        {"SE_F", num(deal.settle)},
                        {"TR_I", account},
                        {"FI_I", deal.otherFirm},
                        {"CO_I", deal.commodity},
                        {"PR", simPrice(deal.price, item)},
                        {"O_PR", simPrice(deal.openPrice, item)},
                        {"QTY", num(deal.qty)},
                        {"LIQPL", simMoney(deal.profit)},
                        {"COMM", simMoney(deal.fee)},
                        {"H_P", simPrice(deal.holdPrice, item)},
                        {"OR_T", num(deal.openTime)},
                        {"HL_N", num(deal.holdingNo)},
                        {"TR_T", num(deal.kind)}});
    });
}

SimJson SimTradeQueries::listings(const SimJson& request) const {
    const std::string code = simText(request, "COMMODITY_ID");
    const std::string side = simText(request, "TY");
    const bool descending = simText(request, "ISDESC") == "1";
    std::vector<const SimTradeOrder*> open;
    for (const auto& [no, owner] : m_state.openListings) {
        const SimTradeOrder& order = *m_state.owner(owner).order(no);
        if (order.commodity == code && num(order.side) == side) {
            open.push_back(&order);
        }
    }
    std::stable_sort(open.begin(), open.end(), [descending](auto* a, auto* b) {
        return descending ? a->price > b->price : a->price < b->price;
    });
    if (open.empty()) {
        SimJson rep = success();
        rep["TTLREC"] = "0";
        rep["RESULTLIST"] = "";
        return rep;
    }
    return paged(open.size(), request, 0, [&](size_t i) {
        const SimTradeOrder* order = open[i];
        const SimTradeCommodity& item = *m_state.commodity(order->commodity);
        return SimJson({{"OR_N", num(order->no)},
                        {"TIME", num(order->time)},
                        {"ORDER_TYPE", num(order->settle)},
                        {"TYPE", num(order->side)},
                        {"PRI", simPrice(order->price, item)},
                        {"QTY", num(order->qty)},
                        {"UT_QTY", num(order->rest())},
                        {"T_QTY", num(order->traded)},
                        {"TR_I", order->firm},
                        {"F_MAR", simMoney(order->frozenMargin)},
                        {"F_TYPE", order->autoDelist}});
    });
}

SimJson SimTradeQueries::report(const std::string& kind, const std::string& account,
                                const SimJson& request) const {
    if (kind == "report_customercloseposition_query") {
        return closedPositions(account, request);
    }
    if (kind == "report_customerorders_query") {
        return dealReport(account, request);
    }
    if (kind == "report_customerhold_query") {
        return holdingReport(account, request);
    }
    if (kind == "report_customerfundsflow_query") {
        return flowReport(account, request);
    }
    return statementReport(account, request);
}

SimJson SimTradeQueries::closedPositions(const std::string& account, const SimJson& request) const {
    std::vector<SimJson> rows;
    int64_t quantity = 0;
    SimCents profit = 0, fees = 0;
    for (const SimTradeDeal& deal : inRange(m_state.accounts.at(account).deals, request)) {
        if (deal.settle != 2) {
            continue;
        }
        const SimTradeCommodity& item = *m_state.commodity(deal.commodity);
        quantity += deal.qty;
        profit += deal.profit;
        fees += deal.fee;
        rows.push_back({{"CLEAR_DATE", num(dayStart(deal.time))},
                        {"CLOSE_TIME", num(deal.time)},
                        {"COMMODITY_NAME", item.def->name},
                        {"TRADE_NO", num(deal.no)},
                        {"QUANTITY", num(deal.qty)},
                        {"PRICE", simPrice(deal.price, item)},
                        {"HOLD_PRICE", simPrice(deal.holdPrice, item)},
                        {"CLOSE_PL", simMoney(deal.profit)},
                        {"TRADE_FEE", simMoney(deal.fee)},
                        {"OPEN_TRADE_NO", num(deal.openDealNo)},
                        {"OPEN_PRICE", simPrice(deal.openPrice, item)},
                        {"HOLD_TIME", num(deal.openTime)},
                        {"TRADE_TYPE", deal.kind == 6 ? "4" : "1"},
                        {"OPERATE_TYPE", deal.kind == 1 ? "1" : "3"},
                        {"BS_FLAG", num(deal.side)}});
    }
    SimJson rep = paged(rows, request, kPageSize);
    rep["QUANTITY_SUM"] = num(quantity);
    rep["CLOSE_PL_SUM"] = simMoney(profit);
    rep["TRADE_FEE_SUM"] = simMoney(fees);
    return rep;
}

SimJson SimTradeQueries::dealReport(const std::string& account, const SimJson& request) const {
    std::vector<SimJson> rows;
    int64_t quantity = 0;
    SimCents funds = 0, fees = 0;
    for (const SimTradeDeal& deal : inRange(m_state.accounts.at(account).deals, request)) {
        const SimTradeCommodity& item = *m_state.commodity(deal.commodity);
        const SimCents value = item.value(deal.price, deal.qty);
        quantity += deal.qty;
        funds += value;
        fees += deal.fee;
        rows.push_back({{"CLEAR_DATE", num(dayStart(deal.time))},
                        {"TRADE_NO", num(deal.no)},
                        {"COMMODITY_NAME", item.def->name},
                        {"QUANTITY", num(deal.qty)},
                        {"PRICE", simPrice(deal.price, item)},
                        {"TRADE_FUNDS", simMoney(value)},
                        {"TRADE_FEE", simMoney(deal.fee)},
                        {"HOLD_TIME", num(deal.openTime)},
                        {"BS_FLAG", num(deal.side)}});
    }
    SimJson rep = paged(rows, request, kPageSize);
    rep["QUANTITY_SUM"] = num(quantity);
    rep["TRADE_FUNDS_SUM"] = simMoney(funds);
    rep["TRADE_FEE_SUM"] = simMoney(fees);
    return rep;
}

SimJson SimTradeQueries::holdingReport(const std::string& account, const SimJson& request) const {
    std::vector<SimJson> rows;
    int64_t quantity = 0;
    SimCents profit = 0, margins = 0;
    const int64_t today = dayStart(m_state.now());
    for (const auto& held : m_state.accounts.at(account).holdings) {
        if (!inDays(today, request, "ST", "ET")) {
            continue;
        }
        const SimTradeCommodity& item = *m_state.commodity(held.commodity);
        auto live = m_state.prices(item);
        const SimUnits clear =
            live ? SimTradeState::closePrice(*live, item, held.side) : held.price;
        const SimCents floating = m_state.profitAt(held, clear, held.qty);
        const SimCents margin = held.marginPerLot * held.qty;
        quantity += held.qty;
        profit += floating;
        margins += margin;
        rows.push_back({{"CLEAR_DATE", num(today)},
                        {"COMMODITY_NAME", item.def->name},
                        {"HOLD_NO", num(held.id)},
                        {"HOLD_QTY", num(held.qty)},
                        {"HOLD_PRICE", simPrice(held.price, item)},
                        {"OPEN_PRICE", simPrice(held.price, item)},
                        {"CLEAR_PRICE", simPrice(clear, item)},
                        {"HOLD_PL", simMoney(floating)},
                        {"HOLD_MARGIN", simMoney(margin)},
                        {"HOLD_MARGIN_RATE", rate(item.marginBp)},
                        {"DELAY_FEE", "0.00"},
                        {"HOLD_TIME", num(held.openTime)},
                        {"OPEN_TRADE_NO", num(held.dealNo)},
                        {"BS_FLAG", num(held.side)}});
    }
    SimJson rep = paged(rows, request, kPageSize);
    rep["HOLDQTY_SUM"] = num(quantity);
    rep["HOLDE_PL_SUM"] = simMoney(profit);
    rep["HOLD_MARGIN_SUM"] = simMoney(margins);
    rep["DELAY_FEE_SUM"] = "0.00";
    return rep;
}

SimJson SimTradeQueries::flowReport(const std::string& account, const SimJson& request) const {
    std::vector<SimJson> rows;
    SimCents sum = 0;
    for (const SimTradeFundFlow& flow : inRange(m_state.accounts.at(account).flows, request)) {
        sum += flow.amount;
        rows.push_back({{"CLEAR_DATE", num(dayStart(flow.time))},
                        {"FUND_FLOW", flow.kind},
                        {"AMOUNT", simMoney(flow.amount)},
                        {"BALANCE", simMoney(flow.balance)},
                        {"VOUCHER_NO", num(flow.voucher)},
                        {"OPR_CODE", flow.code},
                        {"CREATE_TIME", num(flow.time)}});
    }
    SimJson rep = paged(rows, request, kPageSize);
    rep["AMOUNT_SUM"] = simMoney(sum);
    return rep;
}

SimJson SimTradeQueries::statementReport(const std::string& account, const SimJson& request) const {
    struct Day {
        SimCents last = 0, io = 0, profit = 0, fee = 0, capital = 0;
    };
    std::map<int64_t, Day> days;
    for (const SimTradeFundFlow& flow : inRange(m_state.accounts.at(account).flows, request)) {
        const int64_t date = dayStart(flow.time);
        if (!days.count(date)) {
            days[date].last = flow.balance - flow.amount;
        }
        Day& day = days[date];
        day.io += flow.code == "IO" ? flow.amount : 0;
        day.profit += flow.code == "CPL" ? flow.amount : 0;
        day.fee += flow.code == "FEE" ? -flow.amount : 0;
        day.capital = flow.balance;
    }
    const int64_t today = dayStart(m_state.now());
    std::vector<SimJson> rows;
    std::map<std::string, SimCents> totals = {{"FUNDIO_SUM", 0},
                                              {"CLOSEPL_SUM", 0},
                                              {"HOLDPL_SUM", 0},
                                              {"TRADEFEE_SUM", 0},
                                              {"MARGIN_SUM", 0}};
    for (const auto& [date, day] : days) {
        const bool current = date == today;
        const SimCents floating = current ? m_state.floatingSum(account) : 0;
        const SimCents margin = current ? m_state.margin(account) : 0;
        const SimCents equity = day.capital + floating;
        totals["FUNDIO_SUM"] += day.io;
        totals["CLOSEPL_SUM"] += day.profit;
        totals["HOLDPL_SUM"] += floating;
        totals["TRADEFEE_SUM"] += day.fee;
        totals["MARGIN_SUM"] += margin;
        rows.push_back(
            {{"CLEAR_DATE", num(date)},
             {"LAST_CAPITAL", simMoney(day.last)},
             {"FUNDIO", simMoney(day.io)},
             {"CLOSE_PL", simMoney(day.profit)},
             {"HOLD_PL", simMoney(floating)},
             {"TRADE_FEE", simMoney(day.fee)},
             {"DELAY_FEE", "0.00"},
             {"MARGIN", simMoney(margin)},
             {"CAPITAL", simMoney(day.capital)},
             {"STATUS", margin > 0 ? "N" : "F"},
             {"RISK_RATE", margin > 0 ? ratio(simRoundDiv(equity * 10000, margin)) : ""}});
    }
    SimJson rep = paged(rows, request, kPageSize);
    for (const auto& [key, value] : totals) {
        rep[key] = simMoney(value);
    }
    rep["DELAYFEE_SUM"] = "0.00";
    return rep;
}

SimJson SimTradeQueries::notices(const SimJson& request) const {
    const bool expired = simText(request, "EFFECTIVE") == "2";
    const std::string type = simText(request, "TYPE");
    const std::string title = simText(request, "TITLE");
    const int64_t now = m_state.now();
    std::vector<const SimTradeNotice*> found;
    for (const auto& notice : m_state.notices) {
        if ((notice.expiryTime <= now) != expired || (!type.empty() && type != notice.type) ||
            (!title.empty() && notice.title.find(title) == std::string::npos) ||
            !inDays(notice.sendTime, request, "ST", "ET") ||
            !inDays(notice.expiryTime, request, "EXPIRE_ST", "EXPIRE_ET")) {
            continue;
        }
        found.push_back(&notice);
    }
    std::stable_sort(found.begin(), found.end(),
                     [](auto* a, auto* b) { return a->sendTime > b->sendTime; });
    std::vector<SimJson> rows;
    for (const SimTradeNotice* notice : found) {
        rows.push_back({{"ID", num(notice->id)},
                        {"TITLE", notice->title},
                        {"TYPE", notice->type},
                        {"PUBLISH", notice->publisher},
                        {"SEND_TIME", num(notice->sendTime)},
                        {"EXPIRY_TIME", num(notice->expiryTime)}});
    }
    return paged(rows, request, kPageSize);
}

SimJson SimTradeQueries::noticeContent(const SimJson& request) const {
    const std::string id = simText(request, "NOTICE_ID");
    for (const auto& notice : m_state.notices) {
        if (num(notice.id) == id) {
            SimJson rep = success();
            rep["ID"] = id;
            rep["TITLE"] = notice.title;
            rep["CONTENT"] = notice.content;
            rep["TYPE"] = notice.type;
            rep["PUBLISH"] = notice.publisher;
            rep["SEND_TIME"] = num(notice.sendTime);
            rep["EXPIRY_TIME"] = num(notice.expiryTime);
            return rep;
        }
    }
    return simReply(kSimNotFound, "公告不存在");
}

SimJson SimTradeQueries::marketFunds(const std::string& account) const {
    const SimTradeAccount& owner = m_state.accounts.at(account);
    const SimTradeFirm* firm = m_state.firm(owner.seed.firmId);
    const SimCents available = m_state.available(account);
    const std::string bankAccount = "6222" + account.substr(account.size() - 8);
    std::vector<SimJson> rows;
    rows.push_back({{"AP", "M"},
                    {"FIRMID", account},
                    {"FIRM_NAME", firm ? firm->name : ""},
                    {"EQ", simMoney(m_state.openingBalance(account))},
                    {"IOF", simMoney(m_state.flowsToday(account, "IO"))},
                    {"COM", simMoney(available)},
                    {"UF", simMoney(available)},
                    {"FIF", simMoney(0)}});
    for (const auto& bank : SimTradeCatalogue::banks()) {
        auto funds = owner.bankFunds.find(bank.id);
        if (funds == owner.bankFunds.end()) {
            continue;
        }
        // Money moved into the trading account today through this bank left the bank.
        SimCents moved = 0;
        for (auto at = owner.transfers.rbegin();
             at != owner.transfers.rend() && at->time >= m_state.today(); ++at) {
            if (at->bankId == bank.id) {
                moved += at->deposit ? at->amount : -at->amount;
            }
        }
        rows.push_back({{"AP", rows.size() == 1 ? "M" : "S"},
                        {"FIRMID", account},
                        {"FIRM_NAME", firm ? firm->name : ""},
                        {"BANK_ACCOUNT", bankAccount + bank.id},
                        {"BANK_ID", bank.id},
                        {"BANK_NAME", bank.name},
                        {"EQ", simMoney(funds->second + moved)},
                        {"IOF", simMoney(-moved)},
                        {"COM", simMoney(funds->second)},
                        {"FIF", simMoney(0)}});
    }
    return paged(rows, SimJson::object(), 0);
}

SimJson SimTradeQueries::banks(const std::string& account) const {
    std::vector<SimJson> rows;
    for (const auto& bank : SimTradeCatalogue::banks()) {
        if (m_state.accounts.at(account).bankFunds.count(bank.id)) {
            rows.push_back({{"BANK_ID", bank.id},
                            {"BANK_NAME", bank.name},
                            {"ST", "090000"},
                            {"ET", "160000"},
                            {"OPI", "1"},
                            {"IPI", "1"},
                            {"BBI", "1"}});
        }
    }
    return paged(rows, SimJson::object(), 0);
}

SimJson SimTradeQueries::transfers(const std::string& account, const SimJson& request) const {
    std::vector<const SimTradeTransfer*> found;
    SimCents in = 0, out = 0;
    const auto range = inRange(m_state.accounts.at(account).transfers, request);
    for (auto at = range.rbegin(); at != range.rend(); ++at) {
        const SimTradeTransfer& transfer = *at;
        (transfer.deposit ? in : out) += transfer.amount;
        found.push_back(&transfer);
    }
    SimJson rep = paged(found.size(), request, kPageSize, [&](size_t i) {
        const SimTradeTransfer& transfer = *found[i];
        std::string bankName;
        for (const auto& bank : SimTradeCatalogue::banks()) {
            bankName = bank.id == transfer.bankId ? bank.name : bankName;
        }
        return SimJson({{"MID", num(transfer.id)},
                        {"TD", num(transfer.time)},
                        {"BANK_NAME", bankName},
                        {"TT", transfer.deposit ? "I" : "O"},
                        {"AM", simMoney(transfer.amount)},
                        {"TS", "成功"},
                        {"REM", transfer.deposit ? "银行转入" : "转出到银行"}});
    });
    rep["OMS"] = simMoney(out);
    rep["IMS"] = simMoney(in);
    return rep;
}
