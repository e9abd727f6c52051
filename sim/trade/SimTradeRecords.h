#pragma once

// The records of one simulated trading environment and the state that holds them: accounts,
// sessions, commodities, holdings, orders and listings, deals, fund flows, bank transfers and
// announcements. Plain values; SimTradeLedger owns the one SimTradeState of an environment and
// guards it with its lock, so every function working on it runs under that lock.

#include <cstdint>
#include <map>
#include <nlohmann/json.hpp>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "sim/core/SimCatalogue.h"
#include "sim/core/SimMarket.h"
#include "sim/trade/SimTradeCatalogue.h"

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

struct SimTradeCommodity {
    const SimCommodity* def = nullptr;
    double tick = 1;  // minimum price change
    double unit = 1;  // goods per lot
    double marginRate = 0.1;
    double feeRate = 0.0006;
    int minLots = 1;
    int maxLots = 100;
    int maxHolding = 500;
    int stopTicks = 5;
    bool orderBook() const { return def->productJYtype == 4; }
    std::string code() const { return def->code; }
};

struct SimTradePrices {
    double last = 0;
    double bid = 0;  // the quote's buy price
    double ask = 0;  // the quote's sell price
    double yesterdayClose = 0;
};

struct SimTradeAccount {
    SimTradeAccountSeed seed;
    std::string password;
    std::string fundPassword;
    std::string phonePassword;
    double balance = 0;  // equity before floating P&L
    double dayStartBalance = 0;
    std::map<std::string, double> bankFunds;
    int64_t lastLogon = 0;
    std::set<std::string> logonTimes;  // LOGONTIME texts seen, against replays
};

struct SimTradeSession {
    std::string id;
    std::string account;
    int64_t lastSeen = 0;
    int endCode = 0;  // 0 while valid, else the code its requests are answered with
};

struct SimTradeHolding {
    int64_t id = 0;
    std::string account;
    std::string commodity;
    int side = 1;  // 1 bought, 2 sold
    int openQty = 0;
    int qty = 0;
    int frozen = 0;  // lots promised to transfer listings
    double price = 0;
    int64_t openTime = 0;
    int64_t dealNo = 0;
    double marginPerLot = 0;
    double fee = 0;
    double stopLoss = 0;
    double stopProfit = 0;
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
    double price = 0;
    int qty = 0;
    int traded = 0;
    int status = 1;  // 1 ordered, 2 done, 3 cancelled, 4 partly done, 5 partly done then cancelled
    double stopLoss = 0;
    double stopProfit = 0;
    double frozenMargin = 0;
    double frozenFee = 0;
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
    double price = 0;
    double openPrice = 0;
    double holdPrice = 0;
    int qty = 0;
    double profit = 0;
    double fee = 0;
    int64_t openTime = 0;
    int64_t openDealNo = 0;
    int64_t holdingNo = 0;
    int64_t time = 0;
    int kind = 1;  // "TR_T"
    std::string otherFirm;
};

struct SimTradeFundFlow {
    int64_t voucher = 0;
    std::string account;
    std::string kind;
    int64_t time = 0;
    double amount = 0;
    double balance = 0;
    std::string code;
};

struct SimTradeTransfer {
    int64_t id = 0;
    std::string account;
    std::string bankId;
    bool deposit = true;
    double amount = 0;
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

struct SimTradeState {
    const SimTradeEnvironment* env = nullptr;
    SimMarket* market = nullptr;
    std::vector<SimTradeCommodity> commodities;
    std::map<std::string, SimTradeAccount> accounts;
    std::map<std::string, SimTradeSession> sessions;
    std::vector<SimTradeHolding> holdings;
    std::vector<SimTradeOrder> orders;
    std::vector<SimTradeDeal> deals;
    std::vector<SimTradeFundFlow> flows;
    std::vector<SimTradeTransfer> transfers;
    std::vector<SimTradeNotice> notices;
    int64_t nextNumber = 1000;
    int64_t buyListingTime = 0;
    int64_t sellListingTime = 0;
    int64_t commodityTime = 0;

    int64_t now() const { return market->nowMs(); }
    int64_t number() { return ++nextNumber; }
    const SimTradeCommodity* commodity(const std::string& code) const;
    std::optional<SimTradePrices> prices(const SimTradeCommodity& commodity) const;
    const SimTradeFirm* firm(const std::string& id) const;
    SimTradeHolding* holding(int64_t id);
    SimTradeOrder* order(int64_t no);
    // Floating P&L of a holding at the live price, as the client values it.
    double floating(const SimTradeHolding& holding) const;
    double frozenFunds(const std::string& account) const;
    double margin(const std::string& account) const;
    double floatingSum(const std::string& account) const;
    // Equity plus floating P&L minus margins and frozen funds.
    double available(const std::string& account) const;
    void addFlow(const std::string& account, const std::string& kind, double amount,
                 const std::string& code);
    void touchListings(int side);
};

// Text helpers shared by the trading server's files.
std::string simMoney(double value);
std::string simPrice(double value, const SimTradeCommodity& commodity);
std::string simText(const SimJson& request, const char* key);
// The decimal value of a request text; empty when it is not a number.
std::optional<double> simNumber(const std::string& text);
std::optional<int64_t> simInteger(const std::string& text);
SimJson simReply(int code, const std::string& message);
