#include "sim/core/SimCommandLine.h"

#include <cstdlib>
#include <vector>

namespace {
std::optional<long long> numberAt(int argc, const char* const* argv, int at) {
    if (at >= argc) {
        return std::nullopt;
    }
    char* end = nullptr;
    const long long value = std::strtoll(argv[at], &end, 10);
    if (end == argv[at] || *end != '\0') {
        return std::nullopt;
    }
    return value;
}

bool isPort(long long value) {
    return value >= 0 && value <= 65535;
}

// Reads `count` ports after argv[i] (every following number when count is 0) and moves i past
// them; false when there are too few or one is not a port.
bool readPorts(int argc, const char* const* argv, int& i, size_t count, std::vector<int>& out) {
    out.clear();
    while (count == 0 || out.size() < count) {
        auto value = numberAt(argc, argv, i + 1);
        if (!value) {
            break;
        }
        if (!isPort(*value)) {
            return false;
        }
        out.push_back(static_cast<int>(*value));
        ++i;
    }
    return !out.empty() && (count == 0 || out.size() == count);
}
}  // namespace

std::optional<SimOptions> SimCommandLine::parse(int argc, const char* const* argv) {
    SimOptions options;
    options.directoryPort1 = SimDirectoryServer::kDefaultPort1;
    options.directoryPort2 = SimDirectoryServer::kDefaultPort2;
    options.analyticsPrimaryPort = kAnalyticsPrimaryPort;
    options.analyticsFallbackPort = kAnalyticsFallbackPort;
    std::vector<int> ports;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = numberAt(argc, argv, i + 1);
        if (arg == "--manual") {
            options.manualClock = true;
        } else if (arg == "--seed" && value && *value >= 0) {
            options.seed = static_cast<uint64_t>(*value);
            ++i;
        } else if (arg == "--start-ms" && value) {
            options.startMs = *value;
            ++i;
        } else if (arg == "--utc-offset" && value) {
            options.utcOffsetMinutes = static_cast<int>(*value);
            ++i;
        } else if (arg == "--time-scale" && value && *value >= 1) {
            options.timeScale = static_cast<double>(*value);
            ++i;
        } else if (arg == "--paced-time" && i + 1 < argc) {
            options.pacedTime = argv[++i];
        } else if (arg == "--control-port" && value && isPort(*value)) {
            options.controlPort = static_cast<int>(*value);
            ++i;
        } else if (arg == "--directory-ports" && readPorts(argc, argv, i, 2, ports)) {
            options.directoryPort1 = ports[0];
            options.directoryPort2 = ports[1];
        } else if (arg == "--analytics-ports" && readPorts(argc, argv, i, 2, ports)) {
            options.analyticsPrimaryPort = ports[0];
            options.analyticsFallbackPort = ports[1];
        } else if (arg == "--quote-ports" && readPorts(argc, argv, i, 0, ports)) {
            options.quotePorts = ports;
        } else if (arg == "--trade-ports" && readPorts(argc, argv, i, 0, ports)) {
            options.tradePorts = ports;
        } else {
            return std::nullopt;
        }
    }
    return options;
}
