#include "platform/graphics/Gradient.h"

#include <utility>

Gradient::Gradient(std::vector<Color> colors, std::vector<double> locations)
    : m_colors(std::move(colors)), m_locations(std::move(locations)) {
    if (m_locations.size() != m_colors.size()) {
        m_locations.clear();
    }
}

double Gradient::locationAt(std::size_t index) const {
    if (!m_locations.empty()) {
        return m_locations[index];
    }
    if (m_colors.size() < 2) {
        return 0;
    }
    return static_cast<double>(index) / static_cast<double>(m_colors.size() - 1);
}
