#include "platform/graphics/GraphicsContext.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QTransform>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

QColor toQColor(const Color& c) {
    return QColor::fromRgbF(c.red(), c.green(), c.blue(), c.alpha());
}

QRectF toQRect(const Rect& r) {
    return QRectF(r.x, r.y, r.width, r.height);
}

double radiansToDegrees(double r) {
    return r * 180.0 / std::numbers::pi;
}

}  // namespace

GraphicsContext::GraphicsContext(QPainter& painter)
    : m_painter(painter), m_path(std::make_unique<QPainterPath>()) {
    m_path->setFillRule(Qt::WindingFill);
}

GraphicsContext::~GraphicsContext() = default;

bool GraphicsContext::isPathEmpty() const {
    return m_path->elementCount() == 0;
}

void GraphicsContext::save() {
    m_painter.save();
    m_saved.push_back(m_state);
}

void GraphicsContext::restore() {
    if (m_saved.empty()) {
        return;
    }
    m_painter.restore();
    m_state = m_saved.back();
    m_saved.pop_back();
}

void GraphicsContext::setShouldAntialias(bool on) {
    m_painter.setRenderHint(QPainter::Antialiasing, on);
}

void GraphicsContext::setLineWidth(double width) {
    m_state.lineWidth = width;
}

void GraphicsContext::setLineDash(double phase, const std::vector<double>& lengths) {
    m_state.dashPhase = phase;
    m_state.dashes = lengths;
}

void GraphicsContext::setStrokeColor(const Color& color) {
    m_state.stroke = color;
}

void GraphicsContext::setFillColor(const Color& color) {
    m_state.fill = color;
}

void GraphicsContext::setAlpha(double alpha) {
    m_painter.setOpacity(alpha);
}

void GraphicsContext::beginPath() {
    *m_path = QPainterPath();
    m_path->setFillRule(Qt::WindingFill);
}

void GraphicsContext::moveTo(Point p) {
    m_path->moveTo(p.x, p.y);
}

void GraphicsContext::addLineTo(Point p) {
    if (m_path->elementCount() == 0) {
        m_path->moveTo(p.x, p.y);
        return;
    }
    m_path->lineTo(p.x, p.y);
}

void GraphicsContext::addRect(const Rect& r) {
    m_path->addRect(toQRect(r));
}

void GraphicsContext::addEllipseInRect(const Rect& r) {
    m_path->addEllipse(toQRect(r));
}

void GraphicsContext::addArc(Point center, double radius, double startAngle, double endAngle,
                             bool clockwise) {
    // y grows downwards, so a positive sweep on screen is clockwise; Qt's angles run the other
    // way.
    double sweep = endAngle - startAngle;
    if (clockwise && sweep < 0) {
        sweep += 2 * std::numbers::pi;
    } else if (!clockwise && sweep > 0) {
        sweep -= 2 * std::numbers::pi;
    }
    QRectF box(center.x - radius, center.y - radius, 2 * radius, 2 * radius);
    QPointF start(center.x + radius * std::cos(startAngle),
                  center.y + radius * std::sin(startAngle));
    if (m_path->elementCount() == 0) {
        m_path->moveTo(start);
    } else {
        m_path->lineTo(start);
    }
    m_path->arcTo(box, -radiansToDegrees(startAngle), -radiansToDegrees(sweep));
}

void GraphicsContext::closePath() {
    m_path->closeSubpath();
}

void GraphicsContext::applyPen() {
    QPen pen(toQColor(m_state.stroke));
    pen.setWidthF(m_state.lineWidth);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    if (!m_state.dashes.empty() && m_state.lineWidth > 0) {
        // Qt measures dashes in line widths, but never in less than one device pixel.
        const QTransform device = m_painter.deviceTransform();
        const double pixel = 1 / std::max(std::hypot(device.m11(), device.m12()), 1e-6);
        const double unit = std::max(m_state.lineWidth, pixel);
        QList<qreal> pattern;
        for (double len : m_state.dashes) {
            pattern.append(len / unit);
        }
        if (pattern.size() % 2) {
            QList<qreal> again = pattern;
            pattern.append(again);
        }
        pen.setDashPattern(pattern);
        pen.setDashOffset(m_state.dashPhase / unit);
    }
    m_painter.setPen(pen);
}

void GraphicsContext::strokePath() {
    m_painted = true;
    applyPen();
    m_painter.setBrush(Qt::NoBrush);
    if (!strokeAsSegments()) {
        m_painter.drawPath(*m_path);
    }
    beginPath();
}

namespace {

QPointF unit(QPointF from, QPointF to) {
    return (to - from) / QLineF(from, to).length();
}

// How far two segments meeting at a joint reach into it so that together they cover its miter:
// to the miter's tip for a turn up to a right angle; past that, far enough to cover the bevel.
// Sharp turns thus lose the painter's long miter spikes.
// `in` and `out` are the directions of the segments into and out of the joint.
double jointReach(QPointF in, QPointF out, double halfWidth) {
    const double cosine = QPointF::dotProduct(in, out);
    const double sine = std::abs(in.x() * out.y() - in.y() * out.x());
    return cosine <= 0 ? halfWidth * sine : halfWidth * sine / (1 + cosine);
}

}  // namespace

// The painter's antialiased stroke of a path takes time that grows with the square of the
// path's height: a chart line across the screen costs milliseconds. Open polylines go through
// its line rasterizer instead, each segment lengthened into the joints it meets so that the
// two cover the joint's miter.
bool GraphicsContext::strokeAsSegments() {
    if (!m_state.dashes.empty() || !m_painter.testRenderHint(QPainter::Antialiasing)) {
        return false;
    }
    std::vector<std::vector<QPointF>> polylines;
    for (int i = 0; i < m_path->elementCount(); ++i) {
        const QPainterPath::Element element = m_path->elementAt(i);
        if (element.isCurveTo()) {
            return false;
        }
        if (element.isMoveTo() || polylines.empty()) {
            polylines.emplace_back();
        }
        const QPointF point(element.x, element.y);
        if (polylines.back().empty() || point != polylines.back().back()) {
            polylines.back().push_back(point);
        }
    }
    const double halfWidth = m_state.lineWidth / 2;
    QList<QLineF> lines;
    std::vector<QPointF> directions;
    for (const auto& points : polylines) {
        // A closed outline also joins its last segment to its first.
        if (points.size() > 2 && points.front() == points.back()) {
            return false;
        }
        directions.clear();
        for (size_t i = 0; i + 1 < points.size(); ++i) {
            directions.push_back(unit(points[i], points[i + 1]));
        }
        double reachBack = 0;
        for (size_t i = 0; i < directions.size(); ++i) {
            const QPointF along = directions[i];
            const double reachOn =
                i + 1 < directions.size() ? jointReach(along, directions[i + 1], halfWidth) : 0;
            lines.append(QLineF(points[i] - along * reachBack, points[i + 1] + along * reachOn));
            reachBack = reachOn;
        }
    }
    m_painter.drawLines(lines);
    return true;
}

void GraphicsContext::fillPath() {
    m_painted = true;
    m_painter.fillPath(*m_path, toQColor(m_state.fill));
    beginPath();
}

void GraphicsContext::clip() {
    m_painter.setClipPath(*m_path, m_painter.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    beginPath();
}

void GraphicsContext::clipToRect(const Rect& r) {
    m_painter.setClipRect(toQRect(r),
                          m_painter.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
}

void GraphicsContext::fillRect(const Rect& r) {
    m_painted = true;
    m_painter.fillRect(toQRect(r), toQColor(m_state.fill));
}

void GraphicsContext::strokeRect(const Rect& r) {
    m_painted = true;
    applyPen();
    m_painter.setBrush(Qt::NoBrush);
    m_painter.drawRect(toQRect(r));
}

void GraphicsContext::setFreshBounds(const Rect& bounds) {
    m_fresh = bounds;
    const QTransform t = m_painter.transform();
    m_freshTransform = AffineTransform{t.m11(), t.m12(), t.m21(), t.m22(), t.dx(), t.dy()};
}

bool GraphicsContext::clearsNothingYetPainted(const Rect& r) const {
    if (!m_fresh || m_painted || !m_saved.empty()) {
        return false;
    }
    const QTransform t = m_painter.transform();
    const AffineTransform now{t.m11(), t.m12(), t.m21(), t.m22(), t.dx(), t.dy()};
    return now == m_freshTransform && r.minX() <= m_fresh->minX() && r.minY() <= m_fresh->minY() &&
           r.maxX() >= m_fresh->maxX() && r.maxY() >= m_fresh->maxY();
}

void GraphicsContext::clearRect(const Rect& r) {
    if (clearsNothingYetPainted(r)) {
        // What follows stays inside the bounds, as on a surface of their size.
        m_painter.setClipRect(toQRect(*m_fresh), Qt::IntersectClip);
        return;
    }
    m_painted = true;
    m_cleared = true;
    QPainter::CompositionMode mode = m_painter.compositionMode();
    m_painter.setCompositionMode(QPainter::CompositionMode_Clear);
    m_painter.fillRect(toQRect(r), Qt::transparent);
    m_painter.setCompositionMode(mode);
}

void GraphicsContext::strokeLine(Point from, Point to) {
    beginPath();
    moveTo(from);
    addLineTo(to);
    strokePath();
}

void GraphicsContext::drawLinearGradient(const Gradient& gradient, Point start, Point end,
                                         bool extendBefore, bool extendAfter) {
    m_painted = true;
    if (gradient.colors().empty()) {
        return;
    }
    double dx = end.x - start.x;
    double dy = end.y - start.y;
    double length = std::hypot(dx, dy);
    if (length <= 0) {
        return;
    }
    QLinearGradient qgradient(start.x, start.y, end.x, end.y);
    for (std::size_t i = 0; i < gradient.colors().size(); ++i) {
        qgradient.setColorAt(gradient.locationAt(i), toQColor(gradient.colors()[i]));
    }
    qgradient.setSpread(QGradient::PadSpread);
    // The painted band runs across the gradient axis, from start to end plus any extension.
    constexpr double kFar = 1e5;
    double ux = dx / length, uy = dy / length;
    double nx = -uy * kFar, ny = ux * kFar;
    QPointF from(start.x - (extendBefore ? ux * kFar : 0),
                 start.y - (extendBefore ? uy * kFar : 0));
    QPointF to(end.x + (extendAfter ? ux * kFar : 0), end.y + (extendAfter ? uy * kFar : 0));
    if (dx == 0 || dy == 0) {
        // An upright band is a rectangle, which the painter fills far faster than a path.
        m_painter.fillRect(QRectF(from - QPointF(nx, ny), to + QPointF(nx, ny)).normalized(),
                           qgradient);
        return;
    }
    QPolygonF band;
    band << QPointF(from.x() + nx, from.y() + ny) << QPointF(to.x() + nx, to.y() + ny)
         << QPointF(to.x() - nx, to.y() - ny) << QPointF(from.x() - nx, from.y() - ny);
    QPainterPath path;
    path.addPolygon(band);
    m_painter.fillPath(path, qgradient);
}

void GraphicsContext::drawImage(const Image& image, const Rect& r) {
    m_painted = true;
    image.draw(m_painter, r);
}

Size GraphicsContext::drawText(const std::string& text, const Rect& r, const Font& font,
                               LineBreakMode mode, TextAlignment alignment) {
    m_painted = true;
    return TextLayout::draw(m_painter, text, r, font, m_state.fill, mode, alignment);
}

Size GraphicsContext::drawText(const std::string& text, Point at, const Font& font) {
    m_painted = true;
    return TextLayout::draw(m_painter, text, {at.x, at.y, 0, 0}, font, m_state.fill,
                            LineBreakMode::Clip, TextAlignment::Left);
}

void GraphicsContext::translate(double dx, double dy) {
    m_painter.translate(dx, dy);
}

void GraphicsContext::scale(double sx, double sy) {
    m_painter.scale(sx, sy);
}

void GraphicsContext::rotate(double radians) {
    m_painter.rotate(radiansToDegrees(radians));
}

void GraphicsContext::concat(const AffineTransform& t) {
    m_painter.setTransform(QTransform(t.a, t.b, t.c, t.d, t.tx, t.ty), true);
}
