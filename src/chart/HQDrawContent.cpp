#include "chart/HQDrawContent.h"

#include "chart/HQDrawContentDelegate.h"

HQDrawContent::HQDrawContent(const Rect& frame) : View(frame) {
    setBackgroundColor(Color::clearColor());
    // The layer clears what it drew before, which must not erase the layers below it.
    setDrawsInOwnLayer(true);
}

void HQDrawContent::draw(GraphicsContext& context, const Rect& rect) {
    if (!m_delegate) {
        return;
    }
    m_delegate->drawRectWithView(*this, context, rect);
}
