#include "analytics/TLTResolution.h"

#include <utility>

TLTResolution::TLTResolution(int32_t height, int32_t width) {
    m_height.set(height);
    m_width.set(width);
}
