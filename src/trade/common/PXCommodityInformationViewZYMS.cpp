#include "trade/common/PXCommodityInformationViewZYMS.h"

PXCommodityInformationViewZYMS::PXCommodityInformationViewZYMS(const Rect& frame)
    : PXPriceBoardView(frame, false) {}
