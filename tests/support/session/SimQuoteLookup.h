#pragma once

#include "sim/core/SimExchange.h"

class VKJYHangQingDataClass;

// Puts one simulated quote server's catalogue and its live quotes into the shared quote state's
// commodity lookup, as the market list does after its catalogue and quote replies, so that the
// trading side's price refresh finds them. Prices are those of the simulator's clock now; a
// commodity can be left without a quote.
class SimQuoteLookup {
public:
    static void fill(SimExchange& sim, VKJYHangQingDataClass& quotes, int server = 0,
                     const std::vector<std::string>& withoutQuote = {});
    // The simulator's live quote of a commodity code, in price units (0 when unknown).
    struct Prices {
        double newPrice = 0;
        double buyPrice = 0;
        double sellPrice = 0;
    };
    static Prices prices(SimExchange& sim, const std::string& code, int server = 0);
};
