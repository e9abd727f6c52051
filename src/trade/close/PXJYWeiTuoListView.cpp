#include "trade/close/PXJYWeiTuoListView.h"

PXJYWeiTuoListView::PXJYWeiTuoListView(const Rect& frame)
    : PXJYRecordListView(frame, std::nullopt) {}
