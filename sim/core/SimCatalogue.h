#pragma once

// The simulated exchange's fixed catalogue: quote servers with their lines, markets, disks
// (own and subordinate, DiskType 0 and 1) and commodities (quote mode and order-book mode, one
// identifier above 255). Market m, own disk e of a server lists what trading environment e of
// exchange m trades (the client finds a trading commodity's quote there). Plain values made
// once; shared read-only by every service.

#include <cstdint>
#include <string>
#include <vector>

struct SimCommodity {
    int16_t id = 0;
    std::string code;
    std::string name;
    uint8_t decimals = 2;
    uint8_t productJYtype = 0;  // 4: order-book mode
    uint8_t codeLetterCase = 1;
    int64_t basePrice = 0;  // in units of 10^-decimals
    int minuteSigma = 1;    // typical one-minute move, in units
    // A midday break, minutes after the exchange's midnight [from, to): no trade and no minute
    // record. Equal: trades every minute of the day.
    int breakFromMinute = 0;
    int breakToMinute = 0;
};

struct SimDisk {
    int16_t id = 0;
    int16_t ownDiskID = 0;
    uint8_t diskType = 1;
    std::vector<int16_t> commodityIds;
};

struct SimMarketDef {
    int16_t id = 0;
    std::vector<SimDisk> disks;
};

struct SimQuoteServerDef {
    int index = 0;
    int lineCount = 2;
    std::vector<SimMarketDef> markets;
    std::vector<SimCommodity> commodities;
};

struct SimCatalogue {
    std::vector<SimQuoteServerDef> servers;

    static SimCatalogue standard();
    const SimQuoteServerDef* server(int index) const;
    const SimCommodity* commodity(int serverIndex, int16_t id) const;
    const SimDisk* disk(int serverIndex, int16_t marketId, int16_t diskId) const;
};
