#pragma once
// The order-book price board: the quote-mode board without the dealing prices. Owned by its
// superview; main thread.

#include "trade/common/PXPriceBoardView.h"

class PXCommodityInformationViewZYMS : public PXPriceBoardView {
public:
    explicit PXCommodityInformationViewZYMS(const Rect& frame);
};
