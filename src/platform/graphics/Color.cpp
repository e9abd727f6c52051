#include "platform/graphics/Color.h"

#include <algorithm>
#include <cmath>

namespace {
double unit(double v) {
    return std::clamp(v, 0.0, 1.0);
}
int to255(double v) {
    return static_cast<int>(std::lround(unit(v) * 255));
}
}  // namespace

Color Color::rgb(int red, int green, int blue, double alpha) {
    return fractions(red / 255.0, green / 255.0, blue / 255.0, alpha);
}

Color Color::fractions(double red, double green, double blue, double alpha) {
    Color c;
    c.m_r = unit(red);
    c.m_g = unit(green);
    c.m_b = unit(blue);
    c.m_a = unit(alpha);
    return c;
}

Color Color::white(double level, double alpha) {
    return fractions(level, level, level, alpha);
}

int Color::red255() const {
    return to255(m_r);
}
int Color::green255() const {
    return to255(m_g);
}
int Color::blue255() const {
    return to255(m_b);
}

Color Color::withAlpha(double alpha) const {
    Color c = *this;
    c.m_a = unit(alpha);
    return c;
}
