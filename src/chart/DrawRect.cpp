#include "chart/ChartDrawingRecords.h"

std::shared_ptr<DrawRect> DrawRect::drawRectWithCGRect(const Rect& rect) {
    auto result = std::make_shared<DrawRect>();
    result->x = rect.x;
    result->y = rect.y;
    result->width = rect.width;
    result->height = rect.height;
    return result;
}
