#include "support/SimExchangeFixture.h"

void SimExchangeFixture::SetUp() {
    m_sim = std::make_unique<SimExchange>(SimExchange::testOptions());
    ASSERT_TRUE(m_sim->start()) << "the simulated exchange could not listen on loopback";
}

void SimExchangeFixture::TearDown() {
    if (m_sim) {
        m_sim->stop();
    }
}
