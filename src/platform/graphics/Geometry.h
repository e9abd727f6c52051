#pragma once

// Plain geometry records in float points (y grows downwards), shared by drawing and views.

#include <algorithm>
#include <initializer_list>

struct Point {
    double x = 0;
    double y = 0;

    bool operator==(const Point&) const = default;
};

struct Size {
    double width = 0;
    double height = 0;

    bool operator==(const Size&) const = default;
};

struct EdgeInsets {
    double top = 0;
    double left = 0;
    double bottom = 0;
    double right = 0;

    bool operator==(const EdgeInsets&) const = default;
};

struct Rect {
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;

    constexpr Rect() = default;
    constexpr Rect(double x_, double y_, double width_, double height_)
        : x(x_), y(y_), width(width_), height(height_) {}
    Rect(Point origin, Size size)
        : x(origin.x), y(origin.y), width(size.width), height(size.height) {}

    Point origin() const { return {x, y}; }
    Size size() const { return {width, height}; }
    double minX() const { return std::min(x, x + width); }
    double minY() const { return std::min(y, y + height); }
    double maxX() const { return std::max(x, x + width); }
    double maxY() const { return std::max(y, y + height); }
    double midX() const { return x + width / 2; }
    double midY() const { return y + height / 2; }
    Point center() const { return {midX(), midY()}; }
    bool isEmpty() const { return width <= 0 || height <= 0; }

    bool contains(Point p) const {
        return p.x >= minX() && p.x < maxX() && p.y >= minY() && p.y < maxY();
    }
    bool intersects(const Rect& o) const { return !intersected(o).isEmpty(); }
    Rect intersected(const Rect& o) const {
        double left = std::max(minX(), o.minX());
        double top = std::max(minY(), o.minY());
        double right = std::min(maxX(), o.maxX());
        double bottom = std::min(maxY(), o.maxY());
        if (right <= left || bottom <= top) {
            return {};
        }
        return {left, top, right - left, bottom - top};
    }
    Rect offsetBy(double dx, double dy) const { return {x + dx, y + dy, width, height}; }
    Rect insetBy(double dx, double dy) const {
        return {x + dx, y + dy, width - 2 * dx, height - 2 * dy};
    }
    Rect insetBy(const EdgeInsets& e) const {
        return {x + e.left, y + e.top, width - e.left - e.right, height - e.top - e.bottom};
    }

    bool operator==(const Rect&) const = default;
};

// The smallest rectangle holding every point (a transformed rectangle's corners).
inline Rect boundingRect(std::initializer_list<Point> points) {
    if (points.size() == 0) {
        return {};
    }
    Point first = *points.begin();
    double left = first.x, right = first.x, top = first.y, bottom = first.y;
    for (const Point& p : points) {
        left = std::min(left, p.x);
        right = std::max(right, p.x);
        top = std::min(top, p.y);
        bottom = std::max(bottom, p.y);
    }
    return {left, top, right - left, bottom - top};
}
