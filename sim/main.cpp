#include <csignal>
#include <cstdio>
#include <string>

#include "platform/pace/PacedTime.h"
#include "sim/core/SimCommandLine.h"
#include "sim/core/SimExchange.h"

// vkjy-sim: runs the simulated exchange on loopback until interrupted and prints its lines
// (options: SimCommandLine).
int main(int argc, char** argv) {
    auto parsed = SimCommandLine::parse(argc, argv);
    if (!parsed) {
        std::fputs(SimCommandLine::kUsage, stderr);
        return 2;
    }
    SimOptions options = *parsed;
    if (options.pacedTime.empty()) {
        SimClock::setTimeScale(options.timeScale);
    } else if (!PacedTime::join(options.pacedTime)) {
        std::fprintf(stderr, "vkjy-sim: cannot open the paced time %s\n",
                     options.pacedTime.c_str());
        return 2;
    }
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);

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
