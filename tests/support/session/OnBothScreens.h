#pragma once

#include <gtest/gtest.h>

// A screen fixture run on the tall and the short screen; the test parameter is the screen
// height (568 or 480 points), the fixture takes the size.
template <typename Fixture>
class OnBothScreens : public Fixture, public ::testing::WithParamInterface<int> {
protected:
    OnBothScreens() : Fixture({320, static_cast<double>(this->GetParam())}) {}
};
