#pragma once
// One open order as caption and value rows; no value is coloured. Owned by its host's view; main
// thread.

#include "trade/close/PXJYRecordListView.h"

class PXJYWeiTuoListView : public PXJYRecordListView {
public:
    explicit PXJYWeiTuoListView(const Rect& frame);
};
