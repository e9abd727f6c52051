#include "trade/common/PXCommodityInformationView.h"

PXCommodityInformationView::PXCommodityInformationView(const Rect& frame)
    : PXPriceBoardView(frame, true) {}
