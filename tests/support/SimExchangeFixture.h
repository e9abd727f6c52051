#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "sim/core/SimExchange.h"

// Starts the simulated exchange in-process for each test: seed 1, manual clock from
// 2026-12-04 14:30 (UTC+8), every line on a free loopback port. Stopped after the test.
class SimExchangeFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    SimExchange& sim() { return *m_sim; }

private:
    std::unique_ptr<SimExchange> m_sim;
};
