#pragma once
// The quote-mode price board, with the row of dealing prices (the price the customer sells at
// and the price the customer buys at). Owned by its superview; main thread.

#include "trade/common/PXPriceBoardView.h"

class PXCommodityInformationView : public PXPriceBoardView {
public:
    explicit PXCommodityInformationView(const Rect& frame);
};
