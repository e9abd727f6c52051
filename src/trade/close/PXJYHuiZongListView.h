#pragma once
// One holding summary on the holding query; its real-time profit or loss (row 6) is coloured by
// sign. Owned by its host's view; main thread.

#include "trade/close/PXJYRecordListView.h"

class PXJYHuiZongListView : public PXJYRecordListView {
public:
    explicit PXJYHuiZongListView(const Rect& frame);
};
