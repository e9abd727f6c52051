#pragma once

#include "platform/graphics/Geometry.h"

class GraphicsContext;
class HQDrawContent;

// What a drawing layer asks of the chart view that owns it: paint the layer's
// content. Main thread, inside the platform's drawing pass.
class HQDrawContentDelegate {
public:
    virtual ~HQDrawContentDelegate() = default;
    virtual void drawRectWithView(HQDrawContent& view, GraphicsContext& context,
                                  const Rect& rect) = 0;
};
