#pragma once

// The drawing calls views and charts use, over a QPainter that the caller owns and keeps alive:
// a state stack, stroke and fill colours, line width and dashes, a current path, clipping,
// gradients, images and text. Coordinates are the drawing view's bounds (y down). Main thread.

#include <memory>
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
    ~GraphicsContext();
    GraphicsContext(const GraphicsContext&) = delete;
    GraphicsContext& operator=(const GraphicsContext&) = delete;

    void save();
    void restore();

    void setShouldAntialias(bool on);
    void setLineWidth(double width);
    // Lengths alternate on and off; an empty list draws solid lines.
    void setLineDash(double phase, const std::vector<double>& lengths);
    void setStrokeColor(const Color& color);
    void setFillColor(const Color& color);
    void setAlpha(double alpha);

    void beginPath();
    void moveTo(Point p);
    void addLineTo(Point p);
    void addRect(const Rect& r);
    void addEllipseInRect(const Rect& r);
    void addArc(Point center, double radius, double startAngle, double endAngle, bool clockwise);
    void closePath();
    bool isPathEmpty() const;
    // Stroking, filling and clipping use up the current path.
    void strokePath();
    void fillPath();
    void clip();
    void clipToRect(const Rect& r);

    void fillRect(const Rect& r);
    void strokeRect(const Rect& r);
    void clearRect(const Rect& r);
    void strokeLine(Point from, Point to);

    // Paints inside the current clip; `extendBefore`/`extendAfter` continue the end colours
    // past the start and end points.
    void drawLinearGradient(const Gradient& gradient, Point start, Point end, bool extendBefore,
                            bool extendAfter);
    void drawImage(const Image& image, const Rect& r);
    // Text in the current fill colour, as the platform draws strings.
    Size drawText(const std::string& text, const Rect& r, const Font& font,
                  LineBreakMode mode = LineBreakMode::WordWrap,
                  TextAlignment alignment = TextAlignment::Left);
    Size drawText(const std::string& text, Point at, const Font& font);

    void translate(double dx, double dy);
    void scale(double sx, double sy);
    void rotate(double radians);
    void concat(const AffineTransform& t);

    QPainter& painter() { return m_painter; }
    // Whether clearRect was used: clearing needs a surface of its own, or it would punch
    // through everything drawn underneath.
    bool didClear() const { return m_cleared; }

private:
    void applyPen();

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
};
