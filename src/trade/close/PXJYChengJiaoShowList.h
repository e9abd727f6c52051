#pragma once
// One deal as caption and value rows; its profit or loss (row 5) is coloured by sign. Owned by its
// host's view; main thread.

#include "trade/close/PXJYRecordListView.h"

class PXJYChengJiaoShowList : public PXJYRecordListView {
public:
    explicit PXJYChengJiaoShowList(const Rect& frame);
};
