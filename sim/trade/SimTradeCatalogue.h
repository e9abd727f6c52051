#pragma once

// The trading side's fixed set-up: the exchanges (platforms) and environments the directory
// names, with their firms, banks and seeded accounts, and the commodity parameters derived from
// the quote catalogue. Plain values made once; shared read-only by the trading servers.

#include <string>
#include <vector>

#include "sim/core/SimCatalogue.h"

struct SimTradeFirm {
    std::string id;
    std::string name;
    bool tradeRight = true;  // "T_A" of the member-rights list
};

struct SimTradeBank {
    std::string id;
    std::string name;
};

struct SimTradeAccountSeed {
    std::string id;  // 15 digits
    std::string name;
    std::string password;
    std::string fundPassword;
    std::string phone;
    std::string firmId;
    double balance = 0;
    double bankFunds = 0;
};

struct SimTradeEnvironment {
    std::string jysCode;
    std::string envCode;
    std::string name;
    std::string envCat;
    bool captcha = true;  // directory "TYPE" 2 environments log in without
    int quoteServer = 0;  // the quote server whose commodities it trades
    std::vector<SimTradeFirm> firms;
    std::vector<SimTradeAccountSeed> accounts;
};

struct SimTradeCatalogue {
    static constexpr const char* kPassword = "111111";
    static constexpr const char* kFundPassword = "222222";
    static const std::vector<SimTradeBank>& banks();
    static std::vector<SimTradeEnvironment> standard();
};
