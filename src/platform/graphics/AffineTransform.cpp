#include "platform/graphics/AffineTransform.h"

#include <cmath>

namespace {
// Rotations by multiples of pi/2 must give exact 0 and 1 entries, or frames drift.
double snap(double v) {
    double r = std::round(v);
    return std::fabs(v - r) < 1e-12 ? r : v;
}
}  // namespace

AffineTransform AffineTransform::rotation(double radians) {
    double cs = snap(std::cos(radians));
    double sn = snap(std::sin(radians));
    return {cs, sn, -sn, cs, 0, 0};
}

AffineTransform AffineTransform::scale(double sx, double sy) {
    return {sx, 0, 0, sy, 0, 0};
}

AffineTransform AffineTransform::translation(double dx, double dy) {
    return {1, 0, 0, 1, dx, dy};
}

bool AffineTransform::isIdentity() const {
    return *this == AffineTransform();
}

AffineTransform AffineTransform::concat(const AffineTransform& o) const {
    return {a * o.a + b * o.c, a * o.b + b * o.d,          c * o.a + d * o.c,
            c * o.b + d * o.d, tx * o.a + ty * o.c + o.tx, tx * o.b + ty * o.d + o.ty};
}

AffineTransform AffineTransform::inverted() const {
    double det = a * d - b * c;
    if (std::fabs(det) < 1e-12) {
        return *this;
    }
    double ia = d / det, ib = -b / det, ic = -c / det, id = a / det;
    return {ia, ib, ic, id, -(tx * ia + ty * ic), -(tx * ib + ty * id)};
}

Point AffineTransform::apply(Point p) const {
    return {a * p.x + c * p.y + tx, b * p.x + d * p.y + ty};
}

Rect AffineTransform::applyToRect(const Rect& r) const {
    return boundingRect({apply({r.minX(), r.minY()}), apply({r.maxX(), r.minY()}),
                         apply({r.minX(), r.maxY()}), apply({r.maxX(), r.maxY()})});
}

AffineTransform AffineTransform::interpolated(const AffineTransform& to, double t) const {
    auto mix = [t](double x, double y) { return x + (y - x) * t; };
    return {mix(a, to.a), mix(b, to.b), mix(c, to.c), mix(d, to.d), mix(tx, to.tx), mix(ty, to.ty)};
}
