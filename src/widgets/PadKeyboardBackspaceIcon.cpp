#include "widgets/PadKeyboardBackspaceIcon.h"

#include "platform/graphics/GraphicsContext.h"

PadKeyboardBackspaceIcon::PadKeyboardBackspaceIcon(const Color& color) : m_color(color) {
    setUserInteractionEnabled(false);
}

void PadKeyboardBackspaceIcon::draw(GraphicsContext& context, const Rect&) {
    const Rect b = bounds();
    const double tip = b.height / 2;
    context.save();
    context.setShouldAntialias(true);
    context.setStrokeColor(m_color);
    context.setLineWidth(1.5);
    context.beginPath();
    context.moveTo({b.x + 1, b.midY()});
    context.addLineTo({b.x + tip, b.y + 1});
    context.addLineTo({b.maxX() - 1, b.y + 1});
    context.addLineTo({b.maxX() - 1, b.maxY() - 1});
    context.addLineTo({b.x + tip, b.maxY() - 1});
    context.closePath();
    context.strokePath();
    const double cross = b.height / 4;
    const Point centre{(b.x + tip + b.maxX()) / 2, b.midY()};
    context.strokeLine({centre.x - cross, centre.y - cross}, {centre.x + cross, centre.y + cross});
    context.strokeLine({centre.x - cross, centre.y + cross}, {centre.x + cross, centre.y - cross});
    context.restore();
}
