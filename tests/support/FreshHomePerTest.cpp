#include "support/FreshHomePerTest.h"

#include <cstdlib>

FreshHomePerTest::FreshHomePerTest() : m_homeGiven(std::getenv("VKJY_HOME") != nullptr) {}

void FreshHomePerTest::OnTestStart(const testing::TestInfo&) {
    if (!m_homeGiven) {
        m_home = std::make_unique<TempHome>();
    }
}

void FreshHomePerTest::OnTestEnd(const testing::TestInfo&) {
    m_home.reset();
}
