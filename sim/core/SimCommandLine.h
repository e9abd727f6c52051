#pragma once

// The options of `vkjy-sim`: the seed and clock of the market, and a port for every line.
// Defaults: the directory lines on 18801 and 18802 and the analytics hosts on 18811 and 18812
// (where the client looks without other settings), every other line on a free port; a port of 0
// also takes a free port. The chosen ports appear in the start-up lines. Plain function; any
// thread.

#include <optional>
#include <string>

#include "sim/core/SimExchange.h"

struct SimCommandLine {
    static constexpr int kAnalyticsPrimaryPort = 18811;
    static constexpr int kAnalyticsFallbackPort = 18812;
    static constexpr const char* kUsage =
        "usage: vkjy-sim [--seed N] [--manual] [--start-ms N] [--utc-offset MINUTES]\n"
        "                [--directory-ports P1 P2] [--analytics-ports P1 P2] [--control-port P]\n"
        "                [--quote-ports P...] [--trade-ports P...] [--time-scale N]\n"
        "                [--paced-time PATH]\n"
        "  ports: 0 takes a free port; quote ports go server by server, trade ports environment\n"
        "  by environment, two lines each; time scale: time runs N times as fast (tests);\n"
        "  paced time: the clock a test shares with it, which stands still while a request is\n"
        "  on its way (tests)\n";

    // The options, or nothing when an argument is unknown or lacks its value.
    static std::optional<SimOptions> parse(int argc, const char* const* argv);
};
