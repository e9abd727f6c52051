#include "sim/core/SimCatalogue.h"

SimCatalogue SimCatalogue::standard() {
    SimQuoteServerDef first;
    first.index = 0;
    first.commodities = {
        {1, "AG", "白银", 0, 0, 1, 5200, 2},
        {2, "AU", "黄金", 2, 0, 1, 38000, 3},
        {3, "CU", "铜", 0, 0, 1, 51000, 8},
        {4, "NI", "镍", 0, 4, 1, 98000, 12},
        {5, "zn", "锌", 1, 4, 0, 21500, 4},
        {6, "PD", "钯金", 2, 0, 1, 21050, 4},
        {7, "SN", "锡", 0, 0, 1, 160000, 20},
        {300, "PT", "铂金", 2, 0, 1, 23500, 3},
        {11, "CO", "钴", 0, 4, 1, 240000, 30},
        // The simulated-trading environment's own instruments: the same goods, other prices.
        {12, "AG", "白银", 0, 0, 1, 5150, 2},
        {13, "AU", "黄金", 2, 0, 1, 37900, 3},
        {14, "CU", "铜", 0, 0, 1, 50800, 8},
        {15, "SN", "锡", 0, 0, 1, 159000, 20},
        {16, "NI", "镍", 0, 4, 1, 97500, 12},
        {17, "zn", "锌", 1, 4, 0, 21400, 4},
    };
    // A trading environment trades the commodities of its own panel: market = exchange code,
    // DiskID = environment code. Panels 1 and 2 own panels 3 and 5, so the client's merge keeps
    // their lists whole; panel 4 shares no commodity with them and stays too. No commodity is in
    // two panels that stay, so a watch entry names one row.
    first.markets = {
        {1,
         {{1, 0, 1, {1, 2, 300, 3, 4, 5}},
          {2, 0, 1, {12, 13, 14, 15, 16}},
          {3, 1, 1, {2}},
          {4, 0, 0, {11, 17}},
          {5, 2, 1, {14}}}},
        {2, {{1, 0, 1, {6, 7}}}},
    };

    SimQuoteServerDef second;
    second.index = 1;
    second.commodities = {
        {8, "YB", "银币", 0, 0, 1, 4800, 2},
        // Rests from 11:30 to 13:30, as exchanges with a midday break do: its day has a gap.
        {9, "HM", "红木", 1, 0, 1, 12000, 3, 11 * 60 + 30, 13 * 60 + 30},
        {10, "XAG", "现货银", 0, 4, 1, 5300, 2},
    };
    second.markets = {
        {3, {{1, 0, 1, {8, 9}}, {2, 0, 0, {10}}}},
    };

    SimCatalogue catalogue;
    catalogue.servers = {first, second};
    return catalogue;
}

const SimQuoteServerDef* SimCatalogue::server(int index) const {
    for (const auto& s : servers) {
        if (s.index == index) {
            return &s;
        }
    }
    return nullptr;
}

const SimCommodity* SimCatalogue::commodity(int serverIndex, int16_t id) const {
    const auto* s = server(serverIndex);
    if (!s) {
        return nullptr;
    }
    for (const auto& c : s->commodities) {
        if (c.id == id) {
            return &c;
        }
    }
    return nullptr;
}

const SimDisk* SimCatalogue::disk(int serverIndex, int16_t marketId, int16_t diskId) const {
    const auto* s = server(serverIndex);
    if (!s) {
        return nullptr;
    }
    for (const auto& m : s->markets) {
        if (m.id != marketId) {
            continue;
        }
        for (const auto& d : m.disks) {
            if (d.id == diskId) {
                return &d;
            }
        }
    }
    return nullptr;
}
