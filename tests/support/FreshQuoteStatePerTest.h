#pragma once

#include <gtest/gtest.h>

// Starts every test with no shared quote state, so nothing of the exchange (its zone, its start
// of trading) that an earlier test learnt is known to the next. Installed by the test main.
class FreshQuoteStatePerTest : public testing::EmptyTestEventListener {
public:
    void OnTestStart(const testing::TestInfo& test) override;
};
