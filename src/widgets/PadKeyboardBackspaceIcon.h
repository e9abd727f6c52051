#pragma once

#include "platform/ui/View.h"

// The backspace key's glyph (a left-pointing tag with a cross), drawn rather than taken from a
// font so that it shows on every machine. Owned by its key; takes no touches. Main thread only.
class PadKeyboardBackspaceIcon : public View {
public:
    explicit PadKeyboardBackspaceIcon(const Color& color);

    void draw(GraphicsContext& context, const Rect& rect) override;

private:
    Color m_color;
};
