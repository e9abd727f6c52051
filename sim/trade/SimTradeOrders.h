#pragma once

// The order book of one simulated trading environment: market and conditional opening and
// closing in quote mode, stop-loss and take-profit, listings and delistings in order-book mode,
// cancellations, and the sweep that fills conditional orders and stops when the live price
// reaches them. Holdings, margins, fees and funds change together in every operation.
// A short-lived helper over the state; the ledger calls it under the account's lock for an
// account's own orders, under the whole state's for anything that reaches other accounts.

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "sim/trade/SimTradeRecords.h"

class SimTradeOrders {
public:
    explicit SimTradeOrders(SimTradeState& state) : m_state(state) {}

    SimJson marketOrder(const std::string& account, const SimJson& request);
    SimJson conditionalOrder(const std::string& account, const SimJson& request);
    SimJson setLossProfit(const std::string& account, const SimJson& request);
    SimJson withdrawLossProfit(const std::string& account, const SimJson& request);
    // `listing`: withdraw an order-book listing ("order_list_wd"), else a conditional order.
    SimJson cancel(const std::string& account, const SimJson& request, bool listing);
    SimJson list(const std::string& account, const SimJson& request);
    SimJson delist(const std::string& account, const SimJson& request);
    // A listing of another firm, with no account of this environment behind it.
    bool listForFirm(const std::string& firm, const std::string& commodity, int side,
                     SimUnits price, int qty);
    // The account's holding closed whole at the live price, as from another device; false when
    // it is not held or has no free lots.
    bool closeElsewhere(const std::string& account, int64_t holdingId);
    // Another firm takes the rest of an open listing; false when none is open by that number.
    bool takeListing(int64_t no, const std::string& firm);
    // A holding at the price a market order would pay, for the seeded accounts.
    void seedHolding(const std::string& account, const std::string& commodity, int side, int qty);
    // Ends what earlier exchange days left waiting, then fills the conditional orders and closes
    // the holdings at stops that the live prices reach, in every account: the caller holds the
    // whole state.
    void sweep();

private:
    struct Parsed {
        const SimTradeCommodity* commodity = nullptr;
        int side = 0;
        int qty = 0;
        SimUnits price = 0;  // 0 when the request has no valid price
    };

    std::string parseOrder(const SimJson& request, Parsed& out) const;
    // An order of a quote-mode commodity.
    std::string parseQuoteOrder(const SimJson& request, Parsed& out) const;
    // An order of an order-book commodity at a listable price.
    std::string parseBookOrder(const SimJson& request, Parsed& out) const;
    std::string checkOpen(const std::string& account, const Parsed& order) const;
    std::string checkListingPrice(const Parsed& order) const;
    // A stop price text in units: 0 for none (empty or zero), nothing when off the price grid.
    std::optional<SimUnits> stopOf(const std::string& text,
                                   const SimTradeCommodity& commodity) const;
    int heldLots(const std::string& account, const std::string& commodity) const;
    int openOrderLots(const std::string& account, const std::string& commodity) const;
    int freeLots(const std::string& account, const std::string& commodity, int side,
                 int64_t holdingId) const;
    SimTradeDeal dealOf(const SimTradeHolding& holding, int64_t dealNo, int qty, SimUnits price,
                        int kind, int64_t orderNo, const std::string& otherFirm) const;
    void openHolding(const std::string& account, const SimTradeCommodity& commodity, int side,
                     int qty, SimUnits price, int kind, int64_t orderNo,
                     const std::string& otherFirm, SimUnits stopLoss = 0, SimUnits stopProfit = 0);
    void closeLots(SimTradeHolding& holding, int qty, SimUnits price, int kind, int64_t orderNo,
                   const std::string& otherFirm);
    // Closes `qty` lots of the account's holdings of `side`, oldest first (only one holding
    // when `holdingId` is set); `frozenOnly` takes lots promised to a transfer listing.
    void closeMany(const std::string& account, const std::string& commodity, int side, int qty,
                   int64_t holdingId, bool frozenOnly, SimUnits price, int kind, int64_t orderNo,
                   const std::string& otherFirm);
    void freezeLots(SimTradeOrder& listing, int qty, bool freeze);
    // The funds an order holds as it now stands; called after every change of its fill or status.
    void refreeze(SimTradeOrder& order);
    int matchListings(const std::string& account, const std::string& firm, const Parsed& order,
                      int64_t orderNo);
    void fillListing(SimTradeOrder& listing, int lots);
    std::string firmOf(const std::string& account) const;
    // The watched conditional orders (or holdings' stops) the live prices reach, as
    // (number or id, account), oldest first.
    std::vector<std::pair<int64_t, std::string>> reached(bool orders) const;
    void sweepOrder(SimTradeOrder& order);
    void sweepStops();
    // Records on the account's latest deal the market it was dealt at and when what it carried
    // out was placed.
    void markTriggered(const std::string& account, SimUnits market, int64_t placed);
    // Withdraws the open orders and clears the stops of days that ended: all are valid for the
    // day they were placed or set on.
    void endDay();
    // A cancelled order or listing: its lots and funds are free again.
    void withdraw(SimTradeOrder& order);

    SimTradeState& m_state;
};
