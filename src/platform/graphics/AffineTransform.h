#pragma once

// A 2-D affine transform (a b c d tx ty, row-vector convention) for view transforms and
// drawing. Value type; any thread.

#include "platform/graphics/Geometry.h"

class AffineTransform {
public:
    double a = 1, b = 0, c = 0, d = 1, tx = 0, ty = 0;

    AffineTransform() = default;
    AffineTransform(double a_, double b_, double c_, double d_, double tx_, double ty_)
        : a(a_), b(b_), c(c_), d(d_), tx(tx_), ty(ty_) {}

    static AffineTransform identity() { return {}; }
    static AffineTransform rotation(double radians);
    static AffineTransform scale(double sx, double sy);
    static AffineTransform translation(double dx, double dy);

    bool isIdentity() const;
    // this first, then other.
    AffineTransform concat(const AffineTransform& other) const;
    AffineTransform inverted() const;
    Point apply(Point p) const;
    Rect applyToRect(const Rect& r) const;
    AffineTransform interpolated(const AffineTransform& to, double t) const;

    bool operator==(const AffineTransform&) const = default;
};
