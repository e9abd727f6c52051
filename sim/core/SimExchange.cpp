#include "sim/core/SimExchange.h"

#include <httplib.h>

#include <chrono>

#include "sim/core/SimControlRoutes.h"

namespace {
int64_t wallClockMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}
}  // namespace

SimExchange::SimExchange(SimOptions options)
    : m_options(options),
      m_catalogue(SimCatalogue::standard()),
      m_clock(options.startMs != 0 ? options.startMs : wallClockMs(), options.manualClock),
      m_files(options.seed) {
    m_market = std::make_unique<SimMarket>(m_catalogue, m_options.seed, m_clock,
                                           m_options.utcOffsetMinutes);
    for (const auto& server : m_catalogue.servers) {
        m_quoteServers.push_back(
            std::make_unique<SimQuoteServer>(server, *m_market, m_files, m_options.seed));
    }
    m_analytics = std::make_unique<SimAnalyticsService>();
    m_trade = std::make_unique<SimTradeService>(*m_market, m_options.seed);
    m_directory = std::make_unique<SimDirectoryServer>(
        m_catalogue, [this](int index) { return quoteLineUrls(index); });
    m_directory->setBusinessLine([this](const std::string& jys, const std::string& env,
                                        const std::string& yw,
                                        int line) { return m_trade->lineUrl(jys, env, yw, line); });
    m_directory->setAccountServices([this](const std::string& path, const std::string& body) {
        return m_trade->accountServices().reply(path, body);
    });
}

SimExchange::~SimExchange() {
    stop();
}

SimOptions SimExchange::testOptions() {
    SimOptions options;
    options.startMs = SimClock::civilToMs(2026, 12, 4, 6, 30);
    options.manualClock = true;
    return options;
}

bool SimExchange::start() {
    const auto& ports = m_options.quotePorts;
    for (size_t i = 0; i < m_quoteServers.size(); ++i) {
        const size_t lines = m_quoteServers[i]->lineCount();
        if (!m_quoteServers[i]->start(SimHttpLine::portSlice(ports, i * lines, lines))) {
            stop();
            return false;
        }
    }
    if (!m_directory->start(m_options.directoryPort1, m_options.directoryPort2)) {
        stop();
        return false;
    }
    if (!m_trade->start(m_options.tradePorts)) {
        stop();
        return false;
    }
    if (!m_analytics->start(m_options.analyticsPrimaryPort, m_options.analyticsFallbackPort)) {
        stop();
        return false;
    }
    if (m_options.controlService) {
        m_control = std::make_unique<SimHttpLine>(
            [this](httplib::Server& server) { SimControlRoutes::install(server, *this); },
            false);
        if (!m_control->start(m_options.controlPort)) {
            stop();
            return false;
        }
    }
    return true;
}

void SimExchange::stop() {
    if (m_control) {
        m_control->stop();
    }
    m_directory->stop();
    m_trade->stop();
    for (auto& server : m_quoteServers) {
        server->stop();
    }
    m_analytics->stop();
}

std::vector<std::string> SimExchange::quoteLineUrls(int index) const {
    return m_quoteServers.at(static_cast<size_t>(index))->lineUrls();
}

std::string SimExchange::controlUrl() const {
    return m_control ? m_control->baseUrl() : "";
}
