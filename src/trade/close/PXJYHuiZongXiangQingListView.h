#pragma once
// One holding summary on the position detail screens; its real-time profit or loss (row 6) is
// coloured by sign. Owned by its host's view; main thread.

#include "trade/close/PXJYRecordListView.h"

class PXJYHuiZongXiangQingListView : public PXJYRecordListView {
public:
    explicit PXJYHuiZongXiangQingListView(const Rect& frame);
};
