#pragma once

// The drawing calls views and charts use, over a QPainter that the caller owns and keeps alive:
// a state stack, stroke and fill colours, line width and dashes, a current path, clipping,
// gradients, images and text. Coordinates are the drawing view's bounds (y down). Main thread.
// The calls are virtual so that tests can record what a view draws.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/graphics/AffineTransform.h"
#include "platform/graphics/Color.h"
#include "platform/graphics/Font.h"
#include "platform/graphics/Geometry.h"
#include "platform/graphics/Gradient.h"
#include "platform/graphics/Image.h"
#include "platform/graphics/TextLayout.h"

class QPainter;
class QPainterPath;

class GraphicsContext {
public:
    explicit GraphicsContext(QPainter& painter);
    virtual ~GraphicsContext();
    GraphicsContext(const GraphicsContext&) = delete;
    GraphicsContext& operator=(const GraphicsContext&) = delete;

    virtual void save();
    virtual void restore();

    virtual void setShouldAntialias(bool on);
    virtual void setLineWidth(double width);
    // Lengths alternate on and off; an empty list draws solid lines.
    virtual void setLineDash(double phase, const std::vector<double>& lengths);
    virtual void setStrokeColor(const Color& color);
    virtual void setFillColor(const Color& color);
    virtual void setAlpha(double alpha);

    virtual void beginPath();
    virtual void moveTo(Point p);
    virtual void addLineTo(Point p);
    virtual void addRect(const Rect& r);
    virtual void addEllipseInRect(const Rect& r);
    virtual void addArc(Point center, double radius, double startAngle, double endAngle,
                        bool clockwise);
    virtual void closePath();
    virtual bool isPathEmpty() const;
    // Stroking, filling and clipping use up the current path.
    virtual void strokePath();
    virtual void fillPath();
    virtual void clip();
    virtual void clipToRect(const Rect& r);

    virtual void fillRect(const Rect& r);
    virtual void strokeRect(const Rect& r);
    virtual void clearRect(const Rect& r);
    virtual void strokeLine(Point from, Point to);

    // Paints inside the current clip; `extendBefore`/`extendAfter` continue the end colours
    // past the start and end points.
    virtual void drawLinearGradient(const Gradient& gradient, Point start, Point end,
                                    bool extendBefore, bool extendAfter);
    virtual void drawImage(const Image& image, const Rect& r);
    // Text in the current fill colour, as the platform draws strings.
    virtual Size drawText(const std::string& text, const Rect& r, const Font& font,
                          LineBreakMode mode = LineBreakMode::WordWrap,
                          TextAlignment alignment = TextAlignment::Left);
    virtual Size drawText(const std::string& text, Point at, const Font& font);

    virtual void translate(double dx, double dy);
    virtual void scale(double sx, double sy);
    virtual void rotate(double radians);
    virtual void concat(const AffineTransform& t);

    // The drawing starts where `bounds` holds nothing of it yet. Clearing all of that before
    // anything is painted then changes nothing, and the drawing needs no surface of its own.
    void setFreshBounds(const Rect& bounds);

    QPainter& painter() { return m_painter; }
    // Whether clearRect was used: clearing needs a surface of its own, or it would punch
    // through everything drawn underneath.
    bool didClear() const { return m_cleared; }

private:
    void applyPen();
    bool clearsNothingYetPainted(const Rect& r) const;
    bool strokeAsSegments();

    struct State {
        Color stroke = Color::blackColor();
        Color fill = Color::blackColor();
        double lineWidth = 1;
        double dashPhase = 0;
        std::vector<double> dashes;
    };

    QPainter& m_painter;
    State m_state;
    std::vector<State> m_saved;
    std::unique_ptr<QPainterPath> m_path;
    bool m_cleared = false;
    bool m_painted = false;
    std::optional<Rect> m_fresh;
    AffineTransform m_freshTransform;
};
