#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "support/TempHome.h"

// Gives every test of a test program its own empty app home, so no test reads what another
// left behind or writes into the user's real home. A home named by the environment when the
// program starts (a child process a test spawned) is kept instead. Installed by the test main.
class FreshHomePerTest : public testing::EmptyTestEventListener {
public:
    FreshHomePerTest();

    void OnTestStart(const testing::TestInfo& test) override;
    void OnTestEnd(const testing::TestInfo& test) override;

private:
    bool m_homeGiven;
    std::unique_ptr<TempHome> m_home;
};
