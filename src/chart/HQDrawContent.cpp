#include "chart/HQDrawContent.h"

#include "chart/HQDrawContentDelegate.h"

HQDrawContent::HQDrawContent(const Rect& frame) : View(frame) {
    // A layer that clears what it drew before gets a surface of its own from the renderer,
    // so the clearing never erases the layers below it; the others draw straight on.
    setBackgroundColor(Color::clearColor());
}

void HQDrawContent::draw(GraphicsContext& context, const Rect& rect) {
    if (!m_delegate) {
        return;
    }
    m_delegate->drawRectWithView(*this, context, rect);
}
