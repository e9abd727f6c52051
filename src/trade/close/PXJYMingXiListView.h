#pragma once
// One holding ticket as caption and value rows; its real-time profit or loss (row 10) is coloured
// by sign. Owned by its host's view; main thread.

#include "trade/close/PXJYRecordListView.h"

class PXJYMingXiListView : public PXJYRecordListView {
public:
    explicit PXJYMingXiListView(const Rect& frame);
};
