#include "RecordingGraphicsContext.h"

#include <QImage>
#include <QPainter>
#include <cmath>

#include "platform/graphics/Gradient.h"

std::vector<Point> DrawCall::points() const {
    std::vector<Point> all;
    for (const auto& subpath : subpaths) {
        all.insert(all.end(), subpath.begin(), subpath.end());
    }
    return all;
}

RecordingSurface::RecordingSurface()
    : image(std::make_unique<QImage>(1, 1, QImage::Format_ARGB32_Premultiplied)),
      surfacePainter(std::make_unique<QPainter>(image.get())) {}

RecordingSurface::~RecordingSurface() {
    surfacePainter.reset();
}

RecordingGraphicsContext::RecordingGraphicsContext() : GraphicsContext(*surfacePainter) {}

std::vector<DrawCall> RecordingGraphicsContext::callsOf(DrawCall::Kind kind) const {
    std::vector<DrawCall> found;
    for (const DrawCall& c : m_calls) {
        if (c.kind == kind) {
            found.push_back(c);
        }
    }
    return found;
}

std::vector<DrawCall> RecordingGraphicsContext::callsIn(const Color& color) const {
    std::vector<DrawCall> found;
    for (const DrawCall& c : m_calls) {
        const bool paints = c.kind == DrawCall::Kind::Stroke || c.kind == DrawCall::Kind::Fill ||
                            c.kind == DrawCall::Kind::FillRect ||
                            c.kind == DrawCall::Kind::StrokeRect;
        if (paints && c.color == color) {
            found.push_back(c);
        }
    }
    return found;
}

std::vector<std::string> RecordingGraphicsContext::texts() const {
    std::vector<std::string> found;
    for (const DrawCall& c : callsOf(DrawCall::Kind::Text)) {
        found.push_back(c.text);
    }
    return found;
}

const DrawCall* RecordingGraphicsContext::textCall(const std::string& text) const {
    for (const DrawCall& c : m_calls) {
        if (c.kind == DrawCall::Kind::Text && c.text == text) {
            return &c;
        }
    }
    return nullptr;
}

bool RecordingGraphicsContext::allFinite() const {
    const auto finite = [](double v) { return std::isfinite(v); };
    for (const DrawCall& c : m_calls) {
        for (const Point& p : c.points()) {
            if (!finite(p.x) || !finite(p.y)) {
                return false;
            }
        }
        for (double v : {c.rect.x, c.rect.y, c.rect.width, c.rect.height, c.start.x, c.start.y,
                         c.end.x, c.end.y, c.lineWidth}) {
            if (!finite(v)) {
                return false;
            }
        }
    }
    return true;
}

DrawCall RecordingGraphicsContext::call(DrawCall::Kind kind, const Color& color) const {
    DrawCall c;
    c.kind = kind;
    c.color = color;
    c.lineWidth = m_state.lineWidth;
    c.dash = m_state.dash;
    c.antialias = m_state.antialias;
    c.clipDepth = m_state.clipDepth;
    return c;
}

void RecordingGraphicsContext::save() {
    m_saved.push_back(m_state);
}

void RecordingGraphicsContext::restore() {
    if (m_saved.empty()) {
        return;
    }
    m_state = m_saved.back();
    m_saved.pop_back();
}

void RecordingGraphicsContext::setShouldAntialias(bool on) {
    m_state.antialias = on;
}

void RecordingGraphicsContext::setLineWidth(double width) {
    m_state.lineWidth = width;
}

void RecordingGraphicsContext::setLineDash(double, const std::vector<double>& lengths) {
    m_state.dash = lengths;
}

void RecordingGraphicsContext::setStrokeColor(const Color& color) {
    m_state.stroke = color;
}

void RecordingGraphicsContext::setFillColor(const Color& color) {
    m_state.fill = color;
}

void RecordingGraphicsContext::beginPath() {
    m_path.clear();
}

void RecordingGraphicsContext::moveTo(Point p) {
    m_path.push_back({p});
}

void RecordingGraphicsContext::addLineTo(Point p) {
    if (m_path.empty()) {
        moveTo(p);
        return;
    }
    m_path.back().push_back(p);
}

void RecordingGraphicsContext::addRect(const Rect& r) {
    m_path.push_back({r.origin(), {r.maxX(), r.y}, {r.maxX(), r.maxY()}, {r.x, r.maxY()}});
}

void RecordingGraphicsContext::closePath() {
    if (!m_path.empty() && !m_path.back().empty()) {
        m_path.back().push_back(m_path.back().front());
    }
}

bool RecordingGraphicsContext::isPathEmpty() const {
    return m_path.empty();
}

void RecordingGraphicsContext::strokePath() {
    DrawCall c = call(DrawCall::Kind::Stroke, m_state.stroke);
    c.subpaths = std::move(m_path);
    m_path.clear();
    m_calls.push_back(std::move(c));
}

void RecordingGraphicsContext::fillPath() {
    DrawCall c = call(DrawCall::Kind::Fill, m_state.fill);
    c.subpaths = std::move(m_path);
    m_path.clear();
    m_calls.push_back(std::move(c));
}

void RecordingGraphicsContext::clip() {
    DrawCall c = call(DrawCall::Kind::Clip, m_state.fill);
    c.subpaths = std::move(m_path);
    m_path.clear();
    m_calls.push_back(std::move(c));
    ++m_state.clipDepth;
}

void RecordingGraphicsContext::clipToRect(const Rect& r) {
    DrawCall c = call(DrawCall::Kind::Clip, m_state.fill);
    c.rect = r;
    m_calls.push_back(std::move(c));
    ++m_state.clipDepth;
}

void RecordingGraphicsContext::fillRect(const Rect& r) {
    DrawCall c = call(DrawCall::Kind::FillRect, m_state.fill);
    c.rect = r;
    m_calls.push_back(std::move(c));
}

void RecordingGraphicsContext::strokeRect(const Rect& r) {
    DrawCall c = call(DrawCall::Kind::StrokeRect, m_state.stroke);
    c.rect = r;
    m_calls.push_back(std::move(c));
}

void RecordingGraphicsContext::clearRect(const Rect& r) {
    DrawCall c = call(DrawCall::Kind::ClearRect, Color::clearColor());
    c.rect = r;
    m_calls.push_back(std::move(c));
}

void RecordingGraphicsContext::strokeLine(Point from, Point to) {
    beginPath();
    moveTo(from);
    addLineTo(to);
    strokePath();
}

void RecordingGraphicsContext::drawLinearGradient(const Gradient& gradient, Point start, Point end,
                                                  bool extendBefore, bool extendAfter) {
    DrawCall c = call(DrawCall::Kind::Gradient, Color::clearColor());
    c.stops = gradient.colors();
    for (size_t i = 0; i < gradient.colors().size(); ++i) {
        c.locations.push_back(gradient.locationAt(i));
    }
    c.start = start;
    c.end = end;
    c.extendBefore = extendBefore;
    c.extendAfter = extendAfter;
    m_calls.push_back(std::move(c));
}

Size RecordingGraphicsContext::drawText(const std::string& text, const Rect& r, const Font& font,
                                        LineBreakMode mode, TextAlignment alignment) {
    DrawCall c = call(DrawCall::Kind::Text, m_state.fill);
    c.text = text;
    c.rect = r;
    c.font = font;
    c.lineBreak = mode;
    c.alignment = alignment;
    m_calls.push_back(std::move(c));
    return r.size();
}

Size RecordingGraphicsContext::drawText(const std::string& text, Point at, const Font& font) {
    return drawText(text, Rect{at.x, at.y, 0, 0}, font, LineBreakMode::Clip, TextAlignment::Left);
}
