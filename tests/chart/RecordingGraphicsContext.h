#pragma once

// A GraphicsContext that paints nothing and records every drawing call with
// its coordinates, the colours and line settings in force, and its text, so
// that chart tests can check exact geometry.

#include <memory>
#include <string>
#include <vector>

#include "platform/graphics/GraphicsContext.h"

struct DrawCall {
    enum class Kind { Stroke, Fill, FillRect, StrokeRect, ClearRect, Gradient, Text, Clip };

    Kind kind = Kind::Stroke;
    std::vector<std::vector<Point>> subpaths;  // strokes, fills and path clips
    Rect rect;                                 // rectangles, text frames, rectangle clips
    Color color;                               // stroke colour of strokes, fill colour otherwise
    double lineWidth = 1;
    std::vector<double> dash;
    bool antialias = true;
    std::string text;
    Font font;
    TextAlignment alignment = TextAlignment::Left;
    LineBreakMode lineBreak = LineBreakMode::WordWrap;
    std::vector<Color> stops;
    std::vector<double> locations;
    Point start;
    Point end;
    bool extendBefore = false;
    bool extendAfter = false;
    int clipDepth = 0;  // clips in force when the call was made

    std::vector<Point> points() const;
};

struct RecordingSurface {
    RecordingSurface();
    ~RecordingSurface();
    std::unique_ptr<class QImage> image;
    std::unique_ptr<class QPainter> surfacePainter;
};

class RecordingGraphicsContext : private RecordingSurface, public GraphicsContext {
public:
    RecordingGraphicsContext();

    const std::vector<DrawCall>& calls() const { return m_calls; }
    std::vector<DrawCall> callsOf(DrawCall::Kind kind) const;
    // Strokes and fills in one colour.
    std::vector<DrawCall> callsIn(const Color& color) const;
    std::vector<std::string> texts() const;
    const DrawCall* textCall(const std::string& text) const;
    // Every coordinate recorded is a finite number.
    bool allFinite() const;
    // Whether save and restore came in pairs.
    bool isBalanced() const { return m_saved.empty(); }

    void save() override;
    void restore() override;
    void setShouldAntialias(bool on) override;
    void setLineWidth(double width) override;
    void setLineDash(double phase, const std::vector<double>& lengths) override;
    void setStrokeColor(const Color& color) override;
    void setFillColor(const Color& color) override;
    void beginPath() override;
    void moveTo(Point p) override;
    void addLineTo(Point p) override;
    void addRect(const Rect& r) override;
    void closePath() override;
    bool isPathEmpty() const override;
    void strokePath() override;
    void fillPath() override;
    void clip() override;
    void clipToRect(const Rect& r) override;
    void fillRect(const Rect& r) override;
    void strokeRect(const Rect& r) override;
    void clearRect(const Rect& r) override;
    void strokeLine(Point from, Point to) override;
    void drawLinearGradient(const Gradient& gradient, Point start, Point end, bool extendBefore,
                            bool extendAfter) override;
    Size drawText(const std::string& text, const Rect& r, const Font& font, LineBreakMode mode,
                  TextAlignment alignment) override;
    Size drawText(const std::string& text, Point at, const Font& font) override;

private:
    struct State {
        Color stroke = Color::blackColor();
        Color fill = Color::blackColor();
        double lineWidth = 1;
        std::vector<double> dash;
        bool antialias = true;
        int clipDepth = 0;
    };
    DrawCall call(DrawCall::Kind kind, const Color& color) const;

    State m_state;
    std::vector<State> m_saved;
    std::vector<std::vector<Point>> m_path;
    std::vector<DrawCall> m_calls;
};
