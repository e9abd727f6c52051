#pragma once

// An RGBA colour; components kept as 0..1 fractions, made from 0-255 values or grey levels.
// Value type; any thread.

class Color {
public:
    Color() = default;
    static Color rgb(int red, int green, int blue, double alpha = 1.0);
    static Color fractions(double red, double green, double blue, double alpha = 1.0);
    static Color white(double level, double alpha = 1.0);

    static Color clearColor() { return {}; }
    static Color blackColor() { return white(0); }
    static Color whiteColor() { return white(1); }
    static Color redColor() { return rgb(255, 0, 0); }
    static Color greenColor() { return rgb(0, 255, 0); }
    static Color blueColor() { return rgb(0, 0, 255); }
    static Color grayColor() { return white(0.5); }
    static Color lightGrayColor() { return white(2.0 / 3); }
    static Color darkGrayColor() { return white(1.0 / 3); }
    static Color yellowColor() { return rgb(255, 255, 0); }
    static Color orangeColor() { return fractions(1, 0.5, 0); }

    double red() const { return m_r; }
    double green() const { return m_g; }
    double blue() const { return m_b; }
    double alpha() const { return m_a; }
    int red255() const;
    int green255() const;
    int blue255() const;
    bool isClear() const { return m_a <= 0; }
    Color withAlpha(double alpha) const;

    bool operator==(const Color&) const = default;

private:
    double m_r = 0, m_g = 0, m_b = 0, m_a = 0;
};
