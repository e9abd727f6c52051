#pragma once

// The trading side's fixed set-up: the exchanges (platforms) and environments the directory
// names, with their firms, banks and seeded accounts, and the commodity parameters derived from
// the quote catalogue. Plain values made once; shared read-only by the trading servers.

#include <cstdint>
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
    int64_t balanceCents = 0;
    int64_t bankFundsCents = 0;
};

struct SimTradeEnvironment {
    std::string jysCode;
    std::string envCode;
    std::string name;
    std::string envCat;
    bool captcha = true;  // directory "TYPE" 2 environments log in without
    // The quote server whose market (the exchange code as a number) lists, in its own panel
    // numbered as the environment, the commodities it trades.
    int quoteServer = 0;
    int16_t quoteMarket() const { return static_cast<int16_t>(std::stoi(jysCode)); }
    int16_t quotePanel() const { return static_cast<int16_t>(std::stoi(envCode)); }
    std::vector<SimTradeFirm> firms;
    std::vector<SimTradeAccountSeed> accounts;
};

struct SimTradeCatalogue {
    static constexpr const char* kPassword = "111111";
    static constexpr const char* kFundPassword = "222222";
    // An account's first characters name its member (firm) in the member-rights list.
    static constexpr size_t kMemberCodeLength = 3;
    static const std::vector<SimTradeBank>& banks();
    static std::vector<SimTradeEnvironment> standard();
};
