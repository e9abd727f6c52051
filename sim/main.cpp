#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "sim/core/SimExchange.h"

namespace {
// The analytics hosts the client's library looks for by default.
constexpr int kAnalyticsPrimaryPort = 18811;
constexpr int kAnalyticsFallbackPort = 18812;
}  // namespace

// vkjy-sim: runs the simulated exchange on loopback until interrupted and prints its lines.
// Options: --seed N, --manual (clock moves only through the control service),
// --start-ms N (the market's start instant), --utc-offset MINUTES, --directory-ports P1 P2
// (default 18801 18802, the client's Info.plist; 0 0 takes free ports).
int main(int argc, char** argv) {
    SimOptions options;
    options.directoryPort1 = SimDirectoryServer::kDefaultPort1;
    options.directoryPort2 = SimDirectoryServer::kDefaultPort2;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--seed" && hasValue) {
            options.seed = std::strtoull(argv[++i], nullptr, 10);
        } else if (arg == "--start-ms" && hasValue) {
            options.startMs = std::strtoll(argv[++i], nullptr, 10);
        } else if (arg == "--utc-offset" && hasValue) {
            options.utcOffsetMinutes = std::atoi(argv[++i]);
        } else if (arg == "--directory-ports" && i + 2 < argc) {
            options.directoryPort1 = std::atoi(argv[++i]);
            options.directoryPort2 = std::atoi(argv[++i]);
        } else if (arg == "--manual") {
            options.manualClock = true;
        } else {
            std::fprintf(stderr, "usage: vkjy-sim [--seed N] [--manual] [--start-ms N] "
                                 "[--utc-offset MINUTES] [--directory-ports P1 P2]\n");
            return 2;
        }
    }
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);

    options.analyticsPrimaryPort = kAnalyticsPrimaryPort;
    options.analyticsFallbackPort = kAnalyticsFallbackPort;
    SimExchange exchange(options);
    if (!exchange.start()) {
        std::fprintf(stderr, "vkjy-sim: cannot listen on loopback\n");
        return 1;
    }
    std::printf("control %s\n", exchange.controlUrl().c_str());
    std::printf("directory");
    for (const auto& url : exchange.directoryUrls()) {
        std::printf(" %s", url.c_str());
    }
    std::printf("\n");
    for (size_t i = 0; i < exchange.quoteServerCount(); ++i) {
        std::printf("quote %zu", i);
        for (const auto& url : exchange.quoteLineUrls(static_cast<int>(i))) {
            std::printf(" %s", url.c_str());
        }
        std::printf("\n");
    }
    std::printf("analytics %s %s\n", exchange.analytics().baseUrl(0).c_str(),
                exchange.analytics().baseUrl(1).c_str());
    for (size_t i = 0; i < exchange.trade().serverCount(); ++i) {
        SimTradeServer& trade = exchange.trade().server(i);
        std::printf("trade %s %s", trade.environment().jysCode.c_str(),
                    trade.environment().envCode.c_str());
        for (size_t line = 0; line < trade.lineCount(); ++line) {
            std::printf(" %s", trade.lineBase(line).c_str());
        }
        std::printf("\n");
    }
    std::fflush(stdout);
    int received = 0;
    sigwait(&signals, &received);
    exchange.stop();
    return 0;
}
