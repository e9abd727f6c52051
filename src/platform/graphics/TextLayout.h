#pragma once

// Lays out and draws UTF-8 text into a rectangle with a font, a line-break mode and an
// alignment, the way labels and chart texts expect: lines wrap while they fit the height, the
// last visible line is truncated (head, middle, tail) or cut. Layouts are kept for the texts
// drawn again and again; main thread.

#include <string>

#include "platform/graphics/Color.h"
#include "platform/graphics/Font.h"
#include "platform/graphics/Geometry.h"

class QPainter;

enum class LineBreakMode { WordWrap, CharWrap, Clip, TruncateHead, TruncateTail, TruncateMiddle };
enum class TextAlignment { Left, Center, Right };

class TextLayout {
public:
    // Size the text takes inside `constraint` (a 0 width or height means unlimited);
    // maxLines 0 means as many as fit.
    static Size measure(const std::string& text, const Font& font, Size constraint,
                        LineBreakMode mode, int maxLines = 0);
    // Draws into rect (top-aligned) and returns the size used.
    static Size draw(QPainter& painter, const std::string& text, const Rect& rect, const Font& font,
                     const Color& color, LineBreakMode mode, TextAlignment alignment,
                     int maxLines = 0);
};
