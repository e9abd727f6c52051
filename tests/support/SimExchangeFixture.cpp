#include "support/SimExchangeFixture.h"

#include "platform/foundation/HttpClient.h"

void SimExchangeFixture::SetUp() {
    m_sim = std::make_unique<SimExchange>(SimExchange::testOptions());
    ASSERT_TRUE(m_sim->start()) << "the simulated exchange could not listen on loopback";
}

void SimExchangeFixture::TearDown() {
    if (m_sim) {
        // Else each line's stop waits for a connection the client opened and never used.
        HttpClient::closeIdleConnections();
        m_sim->stop();
    }
}
