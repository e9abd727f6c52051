#pragma once

// The records of one simulated trading environment and the state that holds them: accounts
// (each with its own deals, flows, orders, transfers and holdings), commodities, other firms'
// listings, announcements and the watched price levels. Plain values; SimTradeLedger owns the
// one SimTradeState of an environment and says which of its locks a function runs under.

#include <atomic>
#include <cstdint>
#include <limits>
#include <map>
#include <mutex>
#include <nlohmann/json.hpp>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "sim/core/SimCatalogue.h"
#include "sim/core/SimMarket.h"
#include "sim/trade/SimTradeCatalogue.h"
#include "sim/trade/SimTradeWatch.h"

using SimJson = nlohmann::ordered_json;

// Return codes of the simulated trading server besides 0.
enum SimTradeCode : int {
    kSimSessionInvalid = 1004,
    kSimSessionIdle = 10001,
    kSimBadRequest = 1001,
    kSimUnknownRequest = 1002,
    kSimRefused = 2001,
    kSimNoFunds = 2002,
    kSimBadPassword = 2003,
    kSimNotFound = 2004,
};

// Money is kept in whole cents and prices in whole units of the commodity's last decimal (the
// quote's own units), so that every figure is exact: a fee or margin is rounded once, when it is
// booked, and everything else is sums of booked values.
using SimCents = int64_t;
using SimUnits = int64_t;

struct SimTradeCommodity {
    const SimCommodity* def = nullptr;
    int64_t unit = 1;         // goods per lot
    int64_t marginBp = 1000;  // margin, per ten thousand of a deal's value
    int64_t feeBp = 6;        // fee, per ten thousand of a deal's value
    int minLots = 1;
    int maxLots = 100;
    int maxHolding = 500;
    int stopTicks = 5;
    bool orderBook() const { return def->productJYtype == 4; }
    std::string code() const { return def->code; }
    // Cents of one lot per price unit: unit x 100 / 10^decimals, whole for up to two decimals.
    int64_t centsPerUnit() const;
    SimCents value(SimUnits price, int64_t lots) const { return price * lots * centsPerUnit(); }
    SimCents fee(SimUnits price, int64_t lots) const;
    SimCents marginPerLot(SimUnits price) const;
};

struct SimTradePrices {
    SimUnits last = 0;
    SimUnits buy = 0;   // the quote's buy price: what a buy order pays
    SimUnits sell = 0;  // the quote's sell price: what a sell order gets
    SimUnits yesterdayClose = 0;
};

// What an account booked on one day (local midnight of the market), kept as it is booked so
// that today's figures need no pass over the account's history.
struct SimTradeDay {
    int64_t deals = 0;
    int64_t lastDeal = 0;  // number of the day's latest deal
    SimCents dealFees = 0;
    SimCents dealProfit = 0;
    SimCents flows = 0;
    std::map<std::string, SimCents> flowsByCode;
};

struct SimTradeHolding {
    int64_t id = 0;
    std::string account;
    std::string commodity;
    int side = 1;  // 1 bought, 2 sold
    int openQty = 0;
    int qty = 0;
    int frozen = 0;  // lots promised to transfer listings
    SimUnits price = 0;
    int64_t openTime = 0;
    int64_t dealNo = 0;
    SimCents marginPerLot = 0;
    SimCents fee = 0;
    SimUnits stopLoss = 0;  // 0: none
    SimUnits stopProfit = 0;
    int64_t stopsTime = 0;  // when its stops were set: they hold for that exchange day
    std::string otherFirm;
};

struct SimTradeOrder {
    int64_t no = 0;
    std::string account;  // empty for a listing of another firm made by the control service
    std::string firm;
    std::string counterparty;  // "OTHER_ID" of a conditional order
    std::string commodity;
    int side = 1;
    int settle = 1;  // 1 open, 2 transfer
    int kind = 1;    // 1 conditional order, 2 listing
    SimUnits price = 0;
    // A conditional order placed above the market of its side waits for that price to rise to
    // it, one placed below for it to fall to it.
    bool rising = false;
    int qty = 0;
    int traded = 0;
    int status = 1;  // 1 ordered, 2 done, 3 cancelled, 4 partly done, 5 partly done then cancelled
    SimUnits stopLoss = 0;
    SimUnits stopProfit = 0;
    SimCents frozenMargin = 0;
    SimCents frozenFee = 0;
    int closeMode = 1;
    int64_t holdingId = 0;
    std::string autoDelist = "2";
    int64_t time = 0;
    bool open() const { return status == 1 || status == 4; }
    int rest() const { return qty - traded; }
};

struct SimTradeDeal {
    int64_t no = 0;
    int64_t orderNo = 0;
    std::string account;
    std::string commodity;
    int side = 1;
    int settle = 1;
    SimUnits price = 0;
    SimUnits openPrice = 0;
    SimUnits holdPrice = 0;
    int qty = 0;
    SimCents profit = 0;
    SimCents fee = 0;
    int64_t openTime = 0;
    int64_t openDealNo = 0;
    int64_t holdingNo = 0;
    int64_t time = 0;
    int kind = 1;  // "TR_T"
    std::string otherFirm;
    // A deal of a waiting order or stop: the market price of its side when it was dealt, and when
    // the order was placed or the stop set.
    SimUnits market = 0;
    int64_t placed = 0;
};

struct SimTradeFundFlow {
    int64_t voucher = 0;
    std::string account;
    std::string kind;
    int64_t time = 0;
    SimCents amount = 0;
    SimCents balance = 0;
    std::string code;  // "IO" transfer, "FEE" fee, "CPL" closed P&L
};

struct SimTradeTransfer {
    int64_t id = 0;
    std::string account;
    std::string bankId;
    bool deposit = true;
    SimCents amount = 0;
    int64_t time = 0;
};

struct SimTradeNotice {
    int64_t id = 0;
    std::string title;
    std::string content;  // HTML
    std::string type = "1";
    std::string publisher = "交易所";
    int64_t sendTime = 0;
    int64_t expiryTime = 0;
};

// One account and everything it booked. Its records are its own, so that requests of different
// accounts may work on their accounts at once (each under its account's lock, see
// SimTradeLedger) and no request walks another account's history.
struct SimTradeAccount {
    SimTradeAccountSeed seed;
    std::string password;
    std::string fundPassword;
    std::string phonePassword;
    SimCents balance = 0;  // equity before floating P&L
    std::map<std::string, SimCents> bankFunds;
    int64_t lastLogon = 0;
    std::set<std::string> logonTimes;  // LOGONTIME texts seen, against replays
    // Records in booking order (deal numbers, flow and transfer times grow along them).
    std::vector<SimTradeDeal> deals;
    std::vector<SimTradeFundFlow> flows;
    std::vector<SimTradeOrder> orders;
    std::vector<SimTradeTransfer> transfers;
    // Holdings with lots left, oldest first.
    std::vector<SimTradeHolding> holdings;
    std::set<size_t> openOrders;        // positions in `orders` of the open ones
    std::map<int64_t, size_t> orderAt;  // order number -> position in `orders`
    // Positions in `deals` by dealKey() and in `orders` by orderKey() (an order moves when its
    // status changes), each list ascending, for filtered pages.
    std::map<std::string, std::vector<size_t>> dealsByKey;
    std::map<std::string, std::vector<size_t>> ordersByKey;
    std::map<int64_t, SimTradeDay> days;
    // Held by a request working on this account alone; see SimTradeLedger.
    std::mutex lock;

    SimTradeOrder* order(int64_t no);
    SimTradeHolding* holding(int64_t id);
    static std::string dealKey(int side, int settle, const std::string& commodity);
    static std::string orderKey(const SimTradeOrder& order, int status);
};

// Deals, flows, orders and transfers are only ever appended (through the add functions, which
// keep the indexes: each account's positions and day sums, its open orders, orders by number,
// the open listings and the watched price levels); orders change in place, and orderChanged()
// hears when one is no longer open. SimTradeLedger decides who may touch what at once: a request
// of one account works on that account (and the watch, which locks itself), anything that
// reaches across accounts holds the whole state.
struct SimTradeState {
    const SimTradeEnvironment* env = nullptr;
    SimMarket* market = nullptr;
    std::vector<SimTradeCommodity> commodities;
    std::map<std::string, SimTradeAccount> accounts;
    // Listings of other firms made by the control service, kept like an account's orders.
    SimTradeAccount otherFirms;
    std::vector<SimTradeNotice> notices;
    std::map<int64_t, std::string> openListings;  // number -> account ("" for another firm's)
    SimTradeWatch watch;
    std::atomic<int64_t> nextNumber{1000};
    int64_t buyListingTime = 0;
    int64_t sellListingTime = 0;
    int64_t commodityTime = 0;
    std::set<std::string> withoutPrice;  // trading codes whose live price the server has lost
    // The earliest exchange day of an order or stop that may still be waiting: once today is
    // later, the day's end has to withdraw what it left.
    std::atomic<int64_t> oldestWaitingDay{std::numeric_limits<int64_t>::max()};

    int64_t now() const { return market->nowMs(); }
    int64_t number() { return ++nextNumber; }
    const SimTradeCommodity* commodity(const std::string& code) const;
    std::optional<SimTradePrices> prices(const SimTradeCommodity& commodity) const;
    const SimTradeFirm* firm(const std::string& id) const;
    // The account of an order's or holding's `account` field ("" for other firms' listings).
    SimTradeAccount& owner(const std::string& account);
    // What a market order of `side` pays or gets: a buy the buy price, a sell the sell price.
    static SimUnits orderPrice(const SimTradePrices& live, int side);
    // What closing the holding would get now: a bought holding is sold, a sold one bought back;
    // the last price in order-book mode. The holding's floating P&L is valued at it.
    static SimUnits closePrice(const SimTradePrices& live, const SimTradeCommodity& commodity,
                               int holdingSide);
    // P&L of `qty` lots of the holding closed at `price`.
    SimCents profitAt(const SimTradeHolding& holding, SimUnits price, int qty) const;
    // Floating P&L of a holding at its close price; 0 without a live quote.
    SimCents floating(const SimTradeHolding& holding) const;
    SimCents frozenFunds(const std::string& account) const;
    SimCents margin(const std::string& account) const;
    SimCents floatingSum(const std::string& account) const;
    // Equity plus floating P&L minus margins and frozen funds.
    SimCents available(const std::string& account) const;
    // The sum of the account's flows of that code booked today or later.
    SimCents flowsToday(const std::string& account, const std::string& code) const;
    // The balance at the start of today (UTC offset of the market).
    SimCents openingBalance(const std::string& account) const;
    // What the account booked today or later, summed.
    SimTradeDay bookedToday(const std::string& account) const;
    int64_t today() const;
    int64_t dayOf(int64_t ms) const;
    // Something placed or set at `time` waits for the market until that day ends.
    void noteWaiting(int64_t time);
    // An exchange day ended since the last withdrawal of what was valid for it.
    bool dayEnded() const { return oldestWaitingDay.load() < today(); }
    void addFlow(const std::string& account, const std::string& kind, SimCents amount,
                 const std::string& code);
    // The same, booked at `time` (ms).
    void addFlow(const std::string& account, const std::string& kind, SimCents amount,
                 const std::string& code, int64_t time);
    void addDeal(const SimTradeDeal& deal);
    SimTradeOrder& addOrder(const SimTradeOrder& order);
    void addTransfer(const SimTradeTransfer& transfer);
    void addHolding(const SimTradeHolding& holding);
    // Files an order whose status changed under its new status; takes a filled or cancelled one
    // out of the open ones.
    void orderChanged(const SimTradeOrder& order);
    // Sets a holding's stops, watching the new levels instead of the old.
    void setStops(SimTradeHolding& holding, SimUnits stopLoss, SimUnits stopProfit);
    // Drops the account's holdings without lots left.
    void removeEmptyHoldings(SimTradeAccount& account);
    // The watched orders and stops the live prices reach.
    std::vector<SimTradeWatchEntry> reached() const;
    void touchListings(int side);

private:
    void watchOrder(const SimTradeOrder& order, bool on);
    void watchStops(const SimTradeHolding& holding, bool on);
};

// Text helpers shared by the trading server's files.
// a / b rounded half away from zero (b > 0).
int64_t simRoundDiv(int64_t a, int64_t b);
std::string simMoney(SimCents cents);
std::string simPrice(SimUnits price, const SimTradeCommodity& commodity);
// A price text in the commodity's units; nothing unless it is a positive whole number of ticks.
std::optional<SimUnits> simUnits(const std::string& text, const SimTradeCommodity& commodity);
// An amount text in cents; nothing unless it is a whole number of cents.
std::optional<SimCents> simCents(const std::string& text);
std::string simText(const SimJson& request, const char* key);
// The decimal value of a request text; empty when it is not a number.
std::optional<double> simNumber(const std::string& text);
std::optional<int64_t> simInteger(const std::string& text);
SimJson simReply(int code, const std::string& message);
