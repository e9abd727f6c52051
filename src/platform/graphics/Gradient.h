#pragma once

// Colour stops of a linear gradient; without locations the stops are spread evenly from 0 to
// 1. Value type; any thread.

#include <vector>

#include "platform/graphics/Color.h"

class Gradient {
public:
    Gradient(std::vector<Color> colors, std::vector<double> locations = {});

    const std::vector<Color>& colors() const { return m_colors; }
    double locationAt(std::size_t index) const;

private:
    std::vector<Color> m_colors;
    std::vector<double> m_locations;
};
